#include "FETerFw25.h"

#include "DriverI2c.h"
#include "TerrestrialBus.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

const BYTE kDemod = 0x10;
const BYTE kAuxDevice = 0xCA;  // 7-bit 0x65, woken at start
const BYTE kFourByteTuner = 0xC2;
const BYTE kFiveByteTuner = 0xC6;
const WORD kBusSelector = 33;
const WORD kFastKHz = 400;
const WORD kNormalKHz = 100;

const BYTE kDspVersionCommand = 0x67;
const BYTE kDspVersion[2] = {0x67, 0x2C};
const BYTE kDspReadyCommand = 0x61;
const BYTE kDspVerifyCommand = 0x69;
const WORD kDspWord = 270;
const BYTE kDspBytes[2] = {1, 3};
const int kMinDspPolls = 5;

// Clock groups per bandwidth: registers 0x2D-0x30, 0x38, 0x31-0x35.
struct ClockGroup {
  DWORD hz;
  BYTE pll[4];
  BYTE r38;
  BYTE words[5];
};
const ClockGroup kClocks[] = {
    {8000000, {0x02, 0x00, 0x3D, 0x00}, 0x00, {0x48, 0x17, 0x89, 0xC7, 0x14}},
    {7000000, {0x02, 0x00, 0x37, 0x00}, 0x00, {0x4A, 0x2F, 0x6D, 0x76, 0xDB}},
    {6000000, {0x02, 0x00, 0x3D, 0x00}, 0x00, {0x60, 0x1E, 0xA7, 0x45, 0x4F}},
};
const ClockGroup& Clock(DWORD hz) {
  for (const ClockGroup& g : kClocks)
    if (g.hz == hz) return g;
  return kClocks[0];
}

const BYTE kTunerInit[5] = {0x0B, 0xF5, 0x88, 0xAB, 0x00};
const BYTE kAuxWake[4] = {0x1D, 0x74, 0xA0, 0x68};  // 471250 kHz, no channel given

const DWORD kDownloadPauseMs = 500;
const DWORD kDspStartMs = 100;
const DWORD kShortMs = 10;
const DWORD kLongMs = 2000;
const DWORD kFirstWaitMs = 50;
const DWORD kStepPauseMs = 5;
const int kOffsetKHz = 167;
const DWORD kIfKHz = 36167;

}  // namespace

CFETerFw25::CFETerFw25(IFrontendBus& bus, std::vector<BYTE> image) : m_bus(bus), m_image(std::move(image)) {}

int CFETerFw25::WriteRegs(BYTE reg, const BYTE* values, int count) {
  for (int i = 0; i < count; ++i) {
    const BYTE pair[2] = {BYTE(reg + i), values[i]};
    m_bus.SetBitRate(kBusSelector, kFastKHz);
    int result = DrvI2cWrite(m_bus, kDemod, pair, 2);
    m_bus.SetBitRate(kBusSelector, kNormalKHz);
    if (result) return i;
  }
  return count;
}

int CFETerFw25::ReadRegs(BYTE reg, BYTE* out, int count) {
  for (int i = 0; i < count; ++i) {
    const int wr[1] = {BYTE(reg + i)};
    int rd[1] = {0};
    m_bus.SetBitRate(kBusSelector, kFastKHz);
    int result = DrvI2cWriteRead(m_bus, kDemod, wr, 1, rd, 1);
    m_bus.SetBitRate(kBusSelector, kNormalKHz);
    if (result) return i;
    out[i] = BYTE(rd[0]);
  }
  return count;
}

bool CFETerFw25::UpdateBits(BYTE reg, BYTE mask, BYTE value) {
  BYTE old = 0;
  if (ReadRegs(reg, &old, 1) != 1) return false;
  return WriteReg(reg, BYTE((old & ~mask) | (value & mask))) == 1;
}

bool CFETerFw25::TunerWrite(BYTE addr, const BYTE* bytes, int count, bool again) {
  if (DrvI2cWrite(m_bus, addr, bytes, BYTE(count)) == 0) return true;
  return again && DrvI2cWrite(m_bus, addr, bytes, BYTE(count)) == 0;
}

int CFETerFw25::Init() {
  m_bTunerAddr = kFourByteTuner;
  m_bFiveByteTuner = 0;
  m_dwBandCode = 3;
  // Without an image there is nothing to run: no bus traffic.
  if (m_image.size() < 2) return 1;

  Gate(true);
  TunerWrite(kAuxDevice, kAuxWake, 4, true);
  Gate(false);

  if (Download() != 0) return 1;
  m_bus.Sleep(kDspStartMs);
  BYTE version[2] = {};
  UpdateBits(0x07, 0x10, 0x00);
  WriteReg(0x11, kDspVersionCommand);
  if (ReadRegs(0x13, version, 2) != 2 || memcmp(version, kDspVersion, 2) != 0) return 1;

  if (Configure() != 0) return -1;
  m_nLockState = kInitialised;

  Gate(true);
  if (!TunerWrite(kFourByteTuner, kTunerInit, 4, true)) {
    m_bFiveByteTuner = 1;
    m_bTunerAddr = kFiveByteTuner;
    if (!TunerWrite(kFiveByteTuner, kTunerInit, 5, false)) return -2;  // the gate stays open
  }
  Gate(false);
  return 0;
}

int CFETerFw25::Download() {
  BYTE status = 0;
  ReadRegs(0x06, &status, 1);
  const ClockGroup& g = Clock(8000000);
  if (WriteRegs(0x2D, g.pll, 4) != 4) return 0;  // the DSP check then fails
  WriteRegs(0x31, g.words, 5);
  m_bus.Sleep(kDownloadPauseMs);
  WriteReg(0x0E, 0x00);

  // Blocks of 64 bytes after the image's first byte, each in pieces behind
  // the data port's register number; the last block may be short. A block
  // fails when any of its pieces does.
  int failed = 0;
  const BYTE* data = m_image.data() + 1;
  size_t left = m_image.size() - 1;
  m_bus.SetBitRate(kBusSelector, kFastKHz);
  while (left > 0) {
    size_t block = std::min<size_t>(left, kBlockBytes);
    bool ok = true;
    for (size_t done = 0; done < block; done += kPieceBytes) {
      size_t piece = std::min<size_t>(block - done, kPieceBytes);
      BYTE buffer[1 + kPieceBytes];
      buffer[0] = 0x0D;
      memcpy(buffer + 1, data + done, piece);
      if (block == kBlockBytes)
        ok = DrvI2cWrite(m_bus, kDemod, buffer, BYTE(1 + piece)) == 0 && ok;
      else
        ok = DrvI2cWriteBlock(m_bus, kDemod, buffer, int(1 + piece), kFastKHz) == 0 && ok;
    }
    failed += ok ? 0 : 1;
    data += block;
    left -= block;
  }
  m_bus.SetBitRate(kBusSelector, kNormalKHz);
  return failed;
}

template <typename Done>
bool CFETerFw25::PollDsp(BYTE command, int readCount, Done done) {
  BYTE answer[2] = {};
  bool finished = false;
  for (int i = 0; i < kDspPollLimit; ++i) {
    WriteReg(0x11, command);
    if (ReadRegs(0x13, answer, readCount) != readCount) continue;
    finished = done(answer);
    if (finished && i + 1 >= kMinDspPolls) return true;
  }
  return false;
}

bool CFETerFw25::VerifyDsp(BYTE index) {
  if (WriteReg(0x12, index) != 1) return false;
  BYTE last[2] = {};
  bool ended = PollDsp(kDspVerifyCommand, 2, [&](const BYTE* a) {
    memcpy(last, a, 2);
    return a[0] == kDspVerifyCommand || a[1] == index;
  });
  return ended && last[0] == kDspVerifyCommand && last[1] == index;
}

bool CFETerFw25::LoadDspParameters() {
  UpdateBits(0x07, 0x10, 0x00);
  if (!PollDsp(kDspReadyCommand, 1, [](const BYTE* a) { return a[0] == 0; })) return false;
  const BYTE word[2] = {BYTE(kDspWord >> 8), BYTE(kDspWord)};
  if (WriteRegs(0x13, word, 2) != 2 || !VerifyDsp(0)) return false;
  if (WriteReg(0x14, kDspBytes[0]) != 1 || !VerifyDsp(1)) return false;
  return WriteReg(0x14, kDspBytes[1]) == 1 && VerifyDsp(2);
}

BYTE CFETerFw25::ErrorPeriodCode() {
  if (m_dwBandwidth == 0) return 0x40;
  BYTE r1 = 0, r4 = 0, r5 = 0;
  ReadRegs(0x01, &r1, 1);
  ReadRegs(0x04, &r4, 1);
  ReadRegs(0x05, &r5, 1);
  int rateIndex = r5 & 7, constIndex = r4 & 3;
  if (r4 & 0x60) {
    if (r1 & 0x08) {
      rateIndex = (r5 >> 3) & 7;
      constIndex = (r4 & 3) - 1;
    } else {
      constIndex = 0;
    }
  }
  static const unsigned kBits[3] = {2, 4, 6};
  static const unsigned kNumerator[5] = {1, 2, 3, 5, 7};
  static const unsigned kGuardDivisor[4] = {32, 16, 8, 4};
  unsigned bits = constIndex >= 0 && constIndex < 3 ? kBits[constIndex] : 2;
  unsigned n = rateIndex < 5 ? kNumerator[rateIndex] : 1;
  unsigned divisor = kGuardDivisor[(r4 >> 2) & 3];
  unsigned long long clock = m_dwBandwidth == 7000000 ? 8000000 : m_dwBandwidth == 6000000 ? 6857143 : 9142857;
  unsigned long long rate = bits * n / (n + 1);
  unsigned long long v = rate * ((clock * 189) >> 8) / (1000 / divisor + 1000) * 500;
  if (v < 1000000) return 0xC0;
  if (v < 10000000) return 0x80;
  if (v < 100000000) return 0x40;
  return 0x00;
}

int CFETerFw25::Configure() {
  const ClockGroup& g = Clock(8000000);
  bool ok = WriteReg(0x15, 0x2E) == 1;
  ok = ok && UpdateBits(0x16, 0x40, 0x00);
  if (ok) {
    BYTE pll[4] = {};
    if (ReadRegs(0x2D, pll, 4) != 4 || memcmp(pll, g.pll, 4) != 0) {
      ok = WriteRegs(0x2D, g.pll, 4) == 4;
      m_bus.Sleep(kDownloadPauseMs);
    }
  }
  ok = ok && WriteReg(0x38, g.r38) == 1;
  ok = ok && UpdateBits(0x07, 0x20, 0x00);
  if (!ok) return -1;
  UpdateBits(0x24, 0xE0, BYTE(ErrorPeriodCode() | 0x20));
  ok = WriteReg(0x1F, 0x00) == 1 && WriteReg(0x1E, 0x00) == 1;
  ok = ok && UpdateBits(0x16, 0x80, 0x80);
  if (!ok) return -1;
  LoadDspParameters();  // its result is not used
  UpdateBits(0x37, 0x20, 0x20);
  UpdateBits(0x15, 0x80, 0x00);
  UpdateBits(0x16, 0x10, 0x00);
  return 0;
}

void CFETerFw25::ProgramBandwidth(DWORD hz) {
  if (hz != m_dwProgrammedBandwidth) {
    m_dwProgrammedBandwidth = hz;
    const ClockGroup& g = Clock(hz);
    if (WriteRegs(0x2D, g.pll, 4) == 4 && WriteReg(0x38, g.r38) == 1) WriteRegs(0x31, g.words, 5);
  }
  WriteReg(0x0C, hz == 7000000 ? 0x80 : 0x14);
  BYTE back = 0;
  ReadRegs(0x0C, &back, 1);
}

DWORD CFETerFw25::ProgramTuner(DWORD f) {
  DWORD n = (6 * f + 217502) / 1000;
  BYTE buf[5] = {BYTE(n >> 8), BYTE(n), 0x88, BYTE(f < 550000 ? 0xAB : 0xEB), 0x00};
  BYTE p = 0;
  if (m_bFiveByteTuner) {
    DWORD g = f + kIfKHz;
    if (g < 87000 || g >= 895000) return 0;
    BYTE band, pump;
    if (g < 200000) {
      band = 1;
      pump = g < 130000 ? 3 : g < 160000 ? 5 : 6;
    } else if (g < 480000) {
      band = 2;
      pump = g < 290000 ? 3 : g < 420000 ? 5 : 6;
    } else {
      band = 4;
      pump = g < 620000 ? 3 : g < 830000 ? 5 : 7;
    }
    BYTE s = m_dwBandCode == 3 ? f > 300000 : m_dwBandCode == 2;
    buf[2] = 0xCA;
    buf[3] = BYTE((s ? 0x68 : 0x60) | band);
    buf[4] = 0x85;
    p = BYTE(pump << 5 | s << 3 | band);
  }
  Gate(true);
  TunerWrite(m_bTunerAddr, buf, m_bFiveByteTuner ? 5 : 4, !m_bFiveByteTuner);
  if (m_bFiveByteTuner) {
    m_bus.Sleep(50);
    buf[3] = p;
    TunerWrite(m_bTunerAddr, buf, 5, false);
    m_bus.Sleep(1);
  } else {
    // Until the loop shows lock in more than ten reads in a row.
    int inLock = 0;
    for (int i = 0; i < 99 && inLock <= 10; ++i) {
      int status[1] = {0};
      bool read = DrvI2cWriteRead(m_bus, m_bTunerAddr, nullptr, 0, status, 1) == 0;
      inLock = read && (status[0] & 0x40) ? inLock + 1 : 0;
    }
  }
  Gate(false);
  return (n * 1000 + 3) / 6 - kIfKHz;
}

void CFETerFw25::ProgramChannel() {
  static const struct {
    BYTE bit4, bits67, sel;
  } kStream[5] = {{0x10, 0x00, 0}, {0x00, 0x00, 0}, {0x00, 0x40, 1}, {0x00, 0x80, 2}, {0x10, 0xC0, 0}};
  BYTE code = m_Tps[2] < 5 ? m_Tps[2] : 0;
  UpdateBits(0x01, 0x10, kStream[code].bit4);
  UpdateBits(0x03, 0xC0, kStream[code].bits67);
  if (code == 2 || code == 3) m_bStreamSel = kStream[code].sel;

  m_dwFreq = ProgramTuner(m_dwFreq);
  // The offset retries step from where the tuner went.
  m_dwSearchFreq = m_dwFreq;
  ProgramBandwidth(m_dwBandwidth);
  UpdateBits(0x16, 0x20, m_Tps[0] ? 0x20 : 0x00);
  UpdateBits(0x01, 0x08, m_Tps[3] ? 0x08 : 0x00);
  BYTE c = m_Tps[4];
  UpdateBits(0x01, 0x02, c ? 0x00 : 0x02);
  UpdateBits(0x02, 0x0C, c ? BYTE((c - 1) << 2) : 0x00);
  BYTE m = m_Tps[7];
  UpdateBits(0x01, 0x04, m ? 0x00 : 0x04);
  UpdateBits(0x02, 0x10, m ? BYTE((m - 1) << 4) : 0x00);
  if (m_Tps[1] && m_Tps[5] && m_Tps[6]) {
    UpdateBits(0x01, 0x01, 0x00);
    UpdateBits(0x03, 0x3F, BYTE((((m_Tps[1] & 0x0F) - 1) << 3) | ((m_Tps[1] >> 4) - 1)));
    UpdateBits(0x02, 0x03, BYTE(m_Tps[5] - 1));
    UpdateBits(0x02, 0x60, BYTE((m_Tps[6] - 1) << 5));
  } else {
    UpdateBits(0x01, 0x01, 0x01);
    UpdateBits(0x03, 0x3F, 0x00);
    UpdateBits(0x02, 0x63, 0x00);
  }
  UpdateBits(0x24, 0xE0, 0xA0);
}

void CFETerFw25::RestartAcquisition() {
  UpdateBits(0x07, 0x08, 0x08);
  UpdateBits(0x07, 0x08, 0x00);
  Arm(m_TimerShort, kShortMs);
  Arm(m_TimerLong, kLongMs);
}

void CFETerFw25::Watch(int attempts, DWORD onLimit, DWORD onTimeout) {
  DWORD state = m_nSearchState;
  if (Expired(m_TimerShort)) {
    BYTE status = 0, counter = 0;
    ReadRegs(0x06, &status, 1);
    ReadRegs(0x10, &counter, 1);
    if (status & 0x08) {
      m_nSearchState = kFound;
    } else if (counter > attempts) {
      if (onLimit == kIdle) m_nLockState = kNoLock;
      m_nSearchState = onLimit;
    } else {
      Arm(m_TimerShort, kShortMs);
    }
  }
  if (m_nSearchState == state && Expired(m_TimerLong)) {
    if (onTimeout == state)
      m_nLockState = kNoLock;
    else
      m_nSearchState = onTimeout;
  }
}

void CFETerFw25::Step() {
  switch (m_nSearchState) {
    case kProgram:
      ProgramChannel();
      Arm(m_TimerLong, kFirstWaitMs);
      m_nSearchState = kRestart;
      break;
    case kRestart:
      if (!Expired(m_TimerLong)) break;
      RestartAcquisition();
      m_nSearchState = kFirstWait;
      break;
    case kFirstWait: Watch(20, kOffsetTry, kOffsetTry); break;
    case kOffsetTry: {
      BYTE r5 = 0;
      ReadRegs(0x05, &r5, 1);
      m_bOffsetIndication = BYTE(r5 >> 6);
      // The chip says on which side the signal lies: 1 above, 2 below; 0
      // does not know (below first, then above); 3 on the channel.
      if (m_bOffsetIndication == 1) m_dwSearchFreq += kOffsetKHz;
      if (m_bOffsetIndication == 0 || m_bOffsetIndication == 2) m_dwSearchFreq -= kOffsetKHz;
      ProgramTuner(m_dwSearchFreq);
      RestartAcquisition();
      m_nSearchState = kOffsetWait;
      break;
    }
    case kOffsetWait: Watch(6, kOtherSide, kOtherSide); break;
    case kOtherSide:
      if (m_bOffsetIndication != 0) {
        m_nLockState = kNoLock;
        break;
      }
      m_dwSearchFreq += 2 * kOffsetKHz;
      ProgramTuner(m_dwSearchFreq);
      RestartAcquisition();
      m_nSearchState = kOtherWait;
      break;
    case kOtherWait: Watch(6, kIdle, kOtherWait); break;
    case kFound: m_nLockState = kLocked; break;
    default: break;
  }
}

int CFETerFw25::SetChannel(DWORD freqKHz, DWORD bandCode, BOOL inversion, DWORD modeCode, DWORD constellationCode,
                           BOOL noWait) {
  m_dwBandCode = bandCode;
  if (bandCode == 1)
    m_dwBandwidth = 7000000;
  else if (bandCode == 3)
    m_dwBandwidth = freqKHz < 300000 ? 7000000 : 8000000;
  else
    m_dwBandwidth = 8000000;
  m_dwFreq = freqKHz;
  memset(m_Tps, 0, sizeof(m_Tps));
  m_Tps[0] = inversion != 0;
  m_Tps[4] = constellationCode <= 3 ? BYTE(constellationCode + 1) : 0;
  m_Tps[7] = modeCode == 0 ? 1 : modeCode == 1 ? 2 : 0;
  m_nLockState = kTuning;
  m_nSearchState = kProgram;
  if (noWait) return 0;
  // The search ends by its own timers; bounded all the same, and paced
  // rather than spinning while a timer runs.
  DWORD start = m_bus.Now();
  while (m_nLockState == kTuning) {
    Step();
    if (m_nLockState > 6) m_nLockState = kNone;
    if (m_nLockState != kTuning) break;
    if (DWORD(m_bus.Now() - start) > kSearchLimitMs) {
      m_nLockState = kNoLock;
      m_nSearchState = kIdle;
      break;
    }
    m_bus.Sleep(kStepPauseMs);
  }
  return 0;
}

BYTE CFETerFw25::GetLockState() {
  BYTE status = 0;
  return ReadRegs(0x06, &status, 1) == 1 ? status : 0;
}

int CFETerFw25::GetTPS(frontendtypes::_TYPE_TPS* tps) {
  // The record's first 36 bytes; the frequency offset after them stays.
  memset(tps, 0, offsetof(frontendtypes::_TYPE_TPS, nFreqOffset));
  BYTE status = 0, r[2] = {};
  ReadRegs(0x06, &status, 1);
  if (!(status & 0x01)) return 1;
  ReadRegs(0x04, r, 2);
  tps->dwDriver4[2] = 1;
  tps->bTPSExtra = 0;
  tps->bConstellation = r[0] & 3;
  tps->bHierarchy = (r[0] >> 5) & 3;
  tps->bCodeRateHP = r[1] & 7;
  tps->bCodeRateLP = (r[1] >> 3) & 7;
  tps->bGuard = (r[0] >> 2) & 3;
  tps->bMode = (r[0] >> 4) & 1;
  return 0;
}

BYTE CFETerFw25::GetAGC() {
  BYTE v = 0;
  return ReadRegs(0x1A, &v, 1) == 1 ? v : 0;
}

BYTE CFETerFw25::GetSNR_SQE() {
  BYTE v = 0;
  return ReadRegs(0x1C, &v, 1) == 1 ? v : 0;
}

int CFETerFw25::GetAFC(long* out) {
  BYTE error = 0, d[4] = {};
  ReadRegs(0x0A, &error, 1);
  ReadRegs(0x32, d, 4);
  long denominator = long((DWORD(d[0] & 3) << 24 | DWORD(d[1]) << 16 | DWORD(d[2]) << 8 | d[3]) >> 6);
  *out = denominator ? long(static_cast<signed char>(error)) * 1000000 / denominator : 0;
  return 0;
}

int CFETerFw25::GetBER(double* out) {
  BYTE r[3] = {};
  ReadRegs(0x24, r, 3);
  DWORD count = DWORD(r[0] & 0x0F) << 16 | DWORD(r[1]) << 8 | r[2];
  switch (r[0] & 0xC0) {
    case 0x40: count = count * 99 / 100; break;
    case 0x80: count = count * 98 / 100; break;
    case 0xC0: count = count * 85 / 100; break;
    default: break;
  }
  *out = count * 1e-6;
  return 0;
}

int CFETerFw25::SetInversion(BOOL on) {
  UpdateBits(0x16, 0x20, on ? 0x20 : 0x00);
  return 0;
}
