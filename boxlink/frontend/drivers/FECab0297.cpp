#include "FECab0297.h"

#include "DriverI2c.h"

#include <cstdlib>

namespace {

const int kShadowSize = 0xE0;
const BYTE kEeprom = 0xA0;
const BYTE kCorrectionOffset = 0xFE;
// The correction is stored relative to the 7250 kHz the demodulator starts
// from; older boards stored it absolute (between 5500 and 9000).
const int kCorrectionBase = 7250;
const int kCorrectionLimit = 1500;
const int kPollMs = 10;
const int kTunerPolls = 20;
const DWORD kMinKHz = 45000;
const DWORD kMaxKHz = 860000;

// A register value that depends on the board: looked up in kBoardValues.
const short kByBoard = -1;

struct InitEntry {
  BYTE reg;
  short value;
};

// The register table in the order it is written.
const InitEntry kInitTable[] = {
    {0x00, 0x09},     {0x01, 0x69}, {0x03, 0x00}, {0x04, 0x00},     {0x07, 0x00},     {0x08, 0x00},
    {0x20, 0x00},     {0x21, 0x40}, {0x22, 0x00}, {0x23, 0x00},     {0x24, 0x40},     {0x25, 0x88},
    {0x30, 0xFF},     {0x31, 0x00}, {0x32, 0xFF}, {0x33, 0x00},     {0x34, 0x50},     {0x35, 0x7F},
    {0x36, 0x00},     {0x37, 0x20}, {0x38, 0x00}, {0x40, 0x1C},     {0x41, 0xFF},     {0x42, 0x29},
    {0x43, kByBoard}, {0x44, 0xFF}, {0x45, 0x00}, {0x46, 0x00},     {0x49, 0x04},     {0x4A, 0xFF},
    {0x4B, 0x7F},     {0x52, 0x30}, {0x55, 0xAE}, {0x56, 0x47},     {0x57, 0xE1},     {0x58, 0x3A},
    {0x5A, 0x1E},     {0x5B, 0x34}, {0x60, 0x00}, {0x63, 0x00},     {0x64, 0x00},     {0x65, 0x00},
    {0x66, 0x00},     {0x67, 0x00}, {0x68, 0x00}, {0x69, 0x00},     {0x6A, 0x02},     {0x6B, 0x00},
    {0x70, 0xFF},     {0x71, 0x00}, {0x72, 0x00}, {0x73, 0x00},     {0x74, 0x0C},     {0x80, 0x00},
    {0x81, 0x00},     {0x82, 0x00}, {0x83, 0x00}, {0x84, 0x04},     {0x85, 0x80},     {0x86, 0x24},
    {0x87, 0x78},     {0x88, 0x00}, {0x89, 0x00}, {0x90, 0x01},     {0x91, 0x01},     {0xA0, 0x00},
    {0xA1, 0x00},     {0xA2, 0x00}, {0xB0, 0x91}, {0xB1, 0x0B},     {0xC0, kByBoard}, {0xC1, kByBoard},
    {0xC2, kByBoard}, {0xD0, 0x00}, {0xD1, 0x00}, {0xD2, 0x00},     {0xD3, 0x00},     {0xD4, 0x00},
    {0xD5, 0x00},     {0xDE, 0x00}, {0xDF, 0x00}, {0x61, kByBoard}, {0x62, kByBoard}, {0x53, kByBoard},
    {0x59, 0x08},
};

struct BoardValue {
  BYTE reg;
  BYTE value[4];  // per cable board index
};

const BoardValue kBoardValues[] = {
    {0x43, {0x00, 0x20, 0x20, 0x20}}, {0xC0, {0x53, 0x53, 0x4B, 0x53}}, {0xC1, {0x70, 0x70, 0x00, 0x70}},
    {0xC2, {0x12, 0x12, 0x00, 0x12}}, {0x61, {0x49, 0x38, 0x38, 0x38}}, {0x62, {0x0B, 0x0A, 0x0A, 0x0A}},
    {0x53, {0x08, 0x13, 0x13, 0x13}},
};

BYTE ValueFor(const InitEntry& e, int board) {
  if (e.value != kByBoard) return BYTE(e.value);
  for (const BoardValue& b : kBoardValues)
    if (b.reg == e.reg) return b.value[board];
  return 0;
}

// QAM size to the chip's code; anything else is taken as 64-QAM.
BYTE QamCode(DWORD qam) {
  switch (qam) {
    case 16: return 0;
    case 32: return 1;
    case 128: return 2;
    case 256: return 3;
    default: return 4;
  }
}

// The stored correction as the constructor takes it, and whether it must
// be written back in the relative form.
int CorrectionFromEeprom(int v, bool& writeBack) {
  writeBack = false;
  if (v == -1) return 0;
  if (std::abs(v) <= kCorrectionLimit) return v;
  if (v > 5500 && v < 9000) {
    writeBack = true;
    return v - kCorrectionBase;
  }
  return 0;
}

}  // namespace

CFECab0297::CFECab0297(IFrontendBus& bus, int boardIndex)
    : m_bus(bus),
      m_boardIndex(boardIndex >= 0 && boardIndex <= 3 ? boardIndex : 0),
      m_regs(bus, kAddress, kShadowSize, CRegisterShadow::kCableAccess) {
  for (int reg = 0; reg < kShadowSize; ++reg) m_regs.SetShadow(BYTE(reg), 0xFF);
  if (m_boardIndex != 0) return;
  const int wr[1] = {kCorrectionOffset};
  int rd[2] = {0, 0};
  if (DrvI2cWriteRead(m_bus, kEeprom, wr, 1, rd, 2)) return;
  bool writeBack;
  m_storedCorrection = CorrectionFromEeprom(short((rd[0] << 8) | rd[1]), writeBack);
  if (writeBack) {
    const BYTE data[3] = {kCorrectionOffset, BYTE(m_storedCorrection >> 8), BYTE(m_storedCorrection)};
    DrvI2cWrite(m_bus, kEeprom, data, 3);
  }
}

void CFECab0297::InitRegisters() {
  for (int reg = 0; reg < kShadowSize; ++reg) m_regs.SetShadow(BYTE(reg), 0xFF);
  for (DWORD reset : {0x0180u, 0x0181u}) {
    WriteField(reset, 1);
    WriteField(reset, 0);
  }
  for (const InitEntry& e : kInitTable) WriteReg(e.reg, ValueFor(e, m_boardIndex));
  m_masterClock = kMasterClockKHz;
  ReadField(0x7000);
  SetSymbolRate(6890);
}

DWORD CFECab0297::SetTunerFreqA(DWORD f) {
  if (f < kMinKHz || f > kMaxKHz) return 0;
  BYTE band = f < 137000 ? 0x01 : f < 403000 ? 0x02 : 0x04;
  // 62.5 kHz steps above an intermediate frequency of 36150 kHz.
  DWORD n = ((f + 36150) * 16 + 500) / 1000;
  const BYTE tuner = 0xC6;
  WriteReg(0x87, 0x78);
  WriteReg(0x86, 0xC8);
  const BYTE pll[4] = {BYTE((n >> 8) & 0x7F), BYTE(n), 0xCE, band};
  DrvI2cWrite(m_bus, tuner, pll, 4);
  for (int poll = 0; poll < kTunerPolls; ++poll) {
    WriteReg(0x86, 0xC8);
    BYTE status = 0;
    if (DrvI2cReadBytes(m_bus, tuner, &status, 1) == 0 && (status & 0x40)) break;
    m_bus.Sleep(kPollMs);
  }
  return n;
}

DWORD CFECab0297::SetTunerFreqB(DWORD f, int) {
  BYTE band;
  if (f >= 49000 && f < 167000)
    band = 0x11;
  else if (f >= 167000 && f < 454000)
    band = 0x12;
  else if (f >= 454000 && f <= kMaxKHz)
    band = 0x14;
  else
    return 0;
  // 62.5 kHz steps above 36125 kHz, rounded.
  DWORD n = (f * 16 + 578500) / 1000;
  WriteReg(0x86, 0xC8);
  const BYTE pll[4] = {BYTE(n >> 8), BYTE(n), 0xC6, band};
  DrvI2cWrite(m_bus, m_boardIndex == 1 ? 0xC2 : 0xC0, pll, 4);
  m_bus.Sleep(20);
  return ((n * 1000 + 8) >> 4) - 36125;
}

void CFECab0297::SetQAMSize(DWORD qam) { WriteField(0x7000, QamCode(qam)); }

void CFECab0297::SetSymbolRate(DWORD srKHz) {
  m_masterClock = kMasterClockKHz;
  // sr / 28900 kHz in units of 2^-32, the low 13 bits zero.
  DWORD v = DWORD((unsigned long long)srKHz * (1u << 17) / 7225) << 13;
  for (int i = 0; i < 4; ++i) WriteReg(BYTE(0x55 + i), BYTE(v >> (8 * i)));
}

int CFECab0297::GetSymbolRate() {
  m_masterClock = kMasterClockKHz;
  DWORD raw = 0;
  for (int i = 0; i < 4; ++i) {
    ReadReg(BYTE(0x55 + i));
    raw |= DWORD(m_regs.Shadow(BYTE(0x55 + i))) << (8 * i);
  }
  long long r = int(raw);
  return int((kMasterClockKHz / 8) * (r / 4096) / (1 << 17) + 1);
}

void CFECab0297::SetSweepRate(short rate) {
  int s = GetSymbolRate();
  if (s < 1) return;
  long long t = ((long long)rate * (1 << 18) / s) * (1 << 10);
  long long u = t >= 0 ? (t + 500000) / 1000000 : (t - 500000) / 1000000;
  WriteReg(0x60, BYTE(u));
  WriteField(0x1F069, int((u >> 8) & 0x0F));
}

void CFECab0297::SetCarrierOffset(int offset) {
  DWORD v = DWORD((long long)offset * 26844) & 0x0FFFFFFF;
  WriteReg(0x66, BYTE(v));
  WriteReg(0x67, BYTE(v >> 8));
  WriteReg(0x68, BYTE(v >> 16));
  WriteField(0x10F69, int(v >> 24));
}

bool CFECab0297::ReadFieldNow(DWORD desc, int& val) {
  if (ReadReg(registerfield::Register(desc)) < 0) return false;
  val = registerfield::GetFieldBits(m_regs.Shadow(registerfield::Register(desc)), desc);
  return true;
}

bool CFECab0297::ReadCarrierOffsetRaw(int& raw) {
  WriteField(0xFF6B, 0);
  int top = 0;
  int bytes[3];
  for (int i = 0; i < 3; ++i)
    if ((bytes[i] = ReadReg(BYTE(0x66 + i))) < 0) return false;
  if (!ReadFieldNow(0x10F69, top)) return false;
  raw = int(DWORD(top) << 24 | DWORD(bytes[2]) << 16 | DWORD(bytes[1]) << 8 | DWORD(bytes[0]));
  return true;
}

int CFECab0297::GetCarrierOffset() {
  int raw = 0;
  ReadCarrierOffsetRaw(raw);
  return int((long long)GetSymbolRate() * raw / (1 << 28));
}

void CFECab0297::SetInitialDemodFreq(int f) {
  WriteField(0x8025, 1);
  long long v = (long long)(f > 10000 ? f - kMasterClockKHz : f) * 65536 / kMasterClockKHz;
  if (v > 65535) v = 65535;
  if (v < 0) v = 0;
  WriteReg(0x21, BYTE(v >> 8));
  WriteReg(0x20, BYTE(v));
}

bool CFECab0297::BitNow(BYTE reg, BYTE bit) {
  int value = ReadReg(reg);
  return value >= 0 && (value & bit);  // a failed read is a clear bit
}

bool CFECab0297::WaitForBit(BYTE reg, BYTE bit, int& t, int limit) {
  for (;;) {
    m_bus.Sleep(kPollMs);
    t += kPollMs;
    if (BitNow(reg, bit)) return true;
    if (t > limit) return false;
  }
}

bool CFECab0297::WaitSteadyBit(BYTE reg, BYTE bit, int& t, int limit) {
  int inRow = 0;
  bool last = false;
  while (inRow < 20 && t <= limit) {
    m_bus.Sleep(kPollMs);
    t += kPollMs;
    last = BitNow(reg, bit);
    inRow = last ? inRow + 1 : 0;
  }
  return last;
}

int CFECab0297::TuneAndLock(const Channel& channel, int sweep, int offset, bool inversion) {
  int lockTimeMs = channel.qamSize <= 64 ? 100 : channel.qamSize == 128 ? 150 : 200;

  WriteField(0x0482, 1);
  if (m_boardIndex == 0) {
    SetInitialDemodFreq(m_storedCorrection + kCorrectionBase);
  } else {
    WriteField(0x8025, 1);
    WriteReg(0x21, 0x40);
    WriteReg(0x20, 0x00);
  }

  WriteField(0x1043, 1);
  for (DWORD counter : {0xFF30u, 0xFF31u, 0xFF32u, 0xFF33u, 0xFF35u}) ReadField(counter);
  WriteField(0x1043, 0);
  WriteReg(0x41, 0);
  // The acquisition set-up, as field and value pairs in the chip's order.
  static const struct {
    DWORD desc;
    int val;
  } kAcquisition[] = {{0x0342, 1}, {0x6036, 0}, {0x1836, 0}, {0x8071, 1}};
  for (const auto& step : kAcquisition) WriteField(step.desc, step.val);
  WriteReg(0x72, 0);
  WriteReg(0x73, 0);
  static const struct {
    DWORD desc;
    int val;
  } kRestart[] = {{0x0F74, 0}, {0x0843, 0}, {0x8071, 0}, {0x205A, 1}, {0x025B, 1}, {0x025B, 0}, {0x015B, 0},
                  {0x405A, 1}, {0x016A, 0}, {0x0181, 1}, {0x0181, 0}, {0x2083, 1}, {0x2083, 0}};
  for (const auto& step : kRestart) WriteField(step.desc, step.val);

  // A soft reset that must not lose the QAM and mode fields.
  int saved[3] = {ReadField(0x0F00), ReadField(0xF001), ReadField(0x0F01)};
  WriteField(0x0184, 1);
  WriteField(0x0184, 0);
  WriteField(0x0F00, saved[0]);
  WriteField(0xF001, saved[1]);
  WriteField(0x0F01, saved[2]);

  WriteField(0x8087, 0);
  for (BYTE reg = 0x63; reg <= 0x68; ++reg) WriteReg(reg, 0);
  WriteField(0x10F69, 0);

  SetQAMSize(channel.qamSize);
  SetSymbolRate(channel.symbolRateK);
  SetSweepRate(short(sweep));
  SetCarrierOffset(offset);
  WriteField(0x0883, inversion ? 1 : 0);
  static const struct {
    DWORD desc;
    int val;
  } kStart[] = {{0x0888, 1}, {0x205A, 0}, {0x016A, 1}, {0x4043, 1}, {0x305B, 0}, {0x0C03, 3}, {0x0303, 3}, {0x1043, 1}};
  for (const auto& step : kStart) WriteField(step.desc, step.val);

  int t = 0;
  bool ok = WaitForBit(0x43, 0x08, t, 200);
  if (ok) {
    m_bus.Sleep(20);
    t += 20;
    ok = WaitSteadyBit(0x82, 0x04, t, t + 50) && WaitSteadyBit(0x82, 0x08, t, t + lockTimeMs);
  }
  WriteField(0x016A, 0);
  if (!ok) return 0;
  WriteField(0x0888, 0);
  if (!WaitForBit(0xDF, 0x80, t, t + 20)) return 0;
  m_bus.Sleep(100);
  int locked = 0;
  if (!ReadFieldNow(0x80DF, locked) || !locked) return 0;
  WriteField(0x405A, 0);
  return 1;
}

int CFECab0297::SetChannel(const Channel& channel, bool inversion, int sweep, int offset, int tunerArg) {
  if (m_boardIndex == 0)
    SetTunerFreqA(channel.freqKHz);
  else
    SetTunerFreqB(channel.freqKHz, tunerArg);
  if (sweep == 0 || (sweep > 0 && offset > 0) || (sweep < 0 && offset < 0)) return 0;
  if (inversion) {
    sweep = -sweep;
    offset = -offset;
  }
  int scaled = offset * 110 / 100;
  bool wide = std::abs(offset) > 300;
  int first = wide ? (offset < 0 ? -330 : 330) : scaled;
  bool locked = TuneAndLock(channel, sweep, first, inversion);
  if (!locked && wide) {
    locked = TuneAndLock(channel, sweep, scaled, inversion) || TuneAndLock(channel, -sweep, -scaled, inversion);
  }
  if (!locked) return 0;
  int c = GetCarrierOffset();
  if (inversion) c = -c;
  if (std::abs(c) <= kCorrectionLimit) m_storedCorrection -= c;
  return 1;
}
