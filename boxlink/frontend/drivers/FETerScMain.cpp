#include "FETerScMain.h"

#include "DriverI2c.h"

#include <cmath>

namespace {

const BYTE kAddress = 0xE2;
const WORD kRunControl = 0x0F00;
const WORD kStatus = 0x0200;
const WORD kLoadAddress = 0x8F08;
const WORD kDataPort = 0xCF0A;
const DWORD kChunkPauseMs = 1;

// Nearest integer, halves to the even neighbour.
long RoundEven(double v) { return long(std::nearbyint(v)); }

}  // namespace

const char CFETerScMain::kMicrocodeFile[] = "Boot\\sc_main.mc";

int CFETerScMain::WriteWords(WORD address, const WORD* values, int count) {
  BYTE bytes[2 + 2 * kChunkWords] = {BYTE(address >> 8), BYTE(address)};
  for (int i = 0; i < count; ++i) {
    bytes[2 + 2 * i] = BYTE(values[i] >> 8);
    bytes[3 + 2 * i] = BYTE(values[i]);
  }
  return Record(DrvI2cWrite(m_bus, kAddress, bytes, BYTE(2 + 2 * count)) ? kFailure : kSuccess);
}

int CFETerScMain::WriteReg(WORD address, WORD value) { return WriteWords(address, &value, 1); }

int CFETerScMain::ReadReg(WORD address, WORD* value) {
  const int wr[2] = {address >> 8, address & 0xFF};
  int rd[2] = {0, 0};
  if (DrvI2cWriteRead(m_bus, kAddress, wr, 2, rd, 2)) return Record(kFailure);
  *value = WORD(rd[0] << 8 | rd[1]);
  return Record(kSuccess);
}

BOOL CFETerScMain::Init() {
  using namespace scmicrocode;
  std::vector<BYTE> file;
  if (!m_settings.ReadProgramFile(kMicrocodeFile, file)) return Record(kFailure), FALSE;
  std::vector<WORD> words = Words(file.data(), file.size());
  m_Symbols.clear();
  Section symbols, code;
  if (FindSection(words, kSymbolKind, symbols) != kOk || ParseSymbols(symbols, m_Symbols) != kOk)
    return Record(kFailure), FALSE;
  if (FindSection(words, kCodeKind, code) != kOk || (code.header & kRefused)) return Record(kFailure), FALSE;

  WORD load = WORD((code.header & kAddressMask) - 1) & kAddressMask;
  if (WriteReg(kRunControl, 0) != kSuccess || WriteReg(kLoadAddress, load) != kSuccess ||
      WriteReg(0x8F0A, 0) != kSuccess)
    return FALSE;
  for (size_t at = 0; at < code.data.size(); at += kChunkWords) {
    size_t n = code.data.size() - at < size_t(kChunkWords) ? code.data.size() - at : size_t(kChunkWords);
    if (WriteWords(kDataPort, code.data.data() + at, int(n)) != kSuccess) return FALSE;
    m_bus.Sleep(kChunkPauseMs);
  }
  WORD v = 0;
  bool ok = WriteReg(0x0301, 3) == kSuccess && WriteReg(0x0C13, 1) == kSuccess && WriteReg(0x0C14, 1) == kSuccess &&
            SetTuning(55.0, 0.0, 2, 3, 2) == kSuccess && Restart() == kSuccess && ReadReg(0x0303, &v) == kSuccess &&
            ReadReg(kRunControl, &v) == kSuccess;
  return ok ? TRUE : FALSE;
}

int CFETerScMain::SetTuning(double sampleMHz, double offsetKHz, int flag, int bandwidth, int spectrum) {
  double b = bandwidth == 2 ? 0.75 : bandwidth == 1 ? 0.875 : 1.0;
  if (!(b * 7.608258928571428 <= sampleMHz / 6)) return Record(kBadArgument);
  double r = sampleMHz / (b * 54.857142857142854);
  if (!(r > 0.5 && r < 1.5) || offsetKHz < -1000 || offsetKHz > 1000) return Record(kBadArgument);
  long s = RoundEven((r - 1) * 16777216.0);
  long o = RoundEven(0.003 / sampleMHz * offsetKHz * 16777216.0);
  if (spectrum == 1) o = -o;
  long cw = spectrum == 1 ? o - 0x400000 : o + 0x400000;
  const WORD writes[6][2] = {{0x0319, WORD((s >> 12) & 0xFFF)},
                             {0x031A, WORD(s & 0xFFF)},
                             {0x0309, WORD((cw >> 12) & 0xFFF)},
                             {0x030A, WORD(cw & 0xFFF)},
                             {0x0311, WORD(bandwidth == 2   ? 2
                                           : bandwidth == 1 ? 1
                                                            : 0)},
                             {0x0338, WORD(flag == 0 ? 1 : 0)}};
  for (const auto& w : writes)
    if (WriteReg(w[0], w[1]) != kSuccess) return m_nResult;
  return m_nResult;
}

int CFETerScMain::Stop() { return WriteReg(kRunControl, 0); }

int CFETerScMain::Restart() {
  WORD run = 0, status = 0;
  if (ReadReg(kRunControl, &run) != kSuccess || ReadReg(kStatus, &status) != kSuccess) return m_nResult;
  if ((run & 1) && ((status >> 2) & 3) == 2) {
    static const WORD kStop[4][2] = {{kRunControl, 0}, {0x0D00, 0x0010}, {0x0D01, 0}, {kLoadAddress, 0}};
    for (const auto& w : kStop)
      if (WriteReg(w[0], w[1]) != kSuccess) return m_nResult;
    return WriteReg(kRunControl, 1);
  }
  static const WORD kReset[7][2] = {{kRunControl, 0}, {0x0301, 3}, {0x0319, 10}, {0x031A, 2731},
                                    {0x0309, 1024},   {0x030A, 0}, {0x0311, 0}};
  for (const auto& w : kReset)
    if (WriteReg(w[0], w[1]) != kSuccess) return m_nResult;
  if (WriteReg(0x0201, 0) != kSuccess || ReadReg(kStatus, &status) != kSuccess) return m_nResult;
  if (WriteReg(0x0F08, 0) != kSuccess || WriteReg(0x0F09, 0) != kSuccess) return m_nResult;
  return WriteReg(kRunControl, 1);
}

int CFETerScMain::GetTPS(DWORD out[8]) {
  WORD a = 0, b = 0, c = 0;
  if (ReadReg(0x0329, &a) != kSuccess || ReadReg(0x032A, &b) != kSuccess || ReadReg(0x0C06, &c) != kSuccess)
    return m_nResult;
  DWORD code = DWORD(a & 0xFFF) << 12 | (b & 0xFFF);
  static const struct {
    DWORD code, mode, guard;
  } kModes[] = {{0x20FF, 1, 0}, {0x21FF, 1, 1}, {0x23FF, 1, 2}, {0x27FF, 1, 3},
                {0x083F, 0, 0}, {0x087F, 0, 1}, {0x08FF, 0, 2}, {0x09FF, 0, 3}};
  DWORD mode = 4, guard = 4;
  for (const auto& m : kModes)
    if (m.code == code) mode = m.mode, guard = m.guard;
  DWORD constellation = (c >> 10) & 3;
  if (constellation == 3) constellation = 4;
  DWORD h = (c >> 7) & 7;
  DWORD hierarchy = h == 0 ? 0 : h == 1 ? 1 : h <= 3 ? 2 : 8;
  DWORD rate = (c >> 3) & 7;
  if (rate > 4) rate = 8;
  DWORD hp = rate, lp = 8;
  if (hierarchy != 0 && (c & 0x40)) lp = rate, hp = 8;
  const DWORD words[8] = {0, 4, constellation, hierarchy, hp, lp, guard, mode};
  for (int i = 0; i < 8; ++i) out[i] = words[i];
  return m_nResult;
}
