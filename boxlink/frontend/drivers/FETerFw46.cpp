#include "FETerFw46.h"

#include "DriverI2c.h"
#include "TerrestrialBus.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace {

const WORD kFastKHz = 400;
const WORD kNormalKHz = 100;

// Flags of the driver state.
const DWORD kInitialised = 0x10;
const DWORD kPending = 0x04;
const DWORD kAcquiring = 0x02;
const DWORD kRetryAllowed = 0x08;

// The configuration block of each build.
struct Config {
  double crystal;
  int m, n, p;
  double ifHz;
};
const Config kPllBuild = {4000000, 10, 0, 0, 36166666};
const Config kRegisterBuild = {16000000, 10, 3, 0, 5000000};

const int kAttemptThreshold = 8;
const DWORD kBandwidths[3] = {8000000, 7000000, 6000000};
const BYTE kDspVersionCommand = 0x67;
const int kBlockBytes = 24;
const DWORD kDspPauseMs = 100;
const DWORD kTunePauseMs = 6;
const DWORD kPollPauseMs = 10;
const DWORD kPllStep = 166666;

// The register tuner's band table: upper limit (MHz) and c0-c3.
struct TunerRow {
  DWORD limitMHz;
  BYTE c0, c1, c2, c3;
};
const TunerRow kTunerRows[] = {
    {62, 2, 1, 3, 0},  {66, 3, 1, 3, 0},  {76, 1, 0, 3, 0},  {84, 2, 0, 3, 0},  {93, 2, 0, 3, 0},  {98, 3, 0, 3, 0},
    {109, 3, 0, 3, 0}, {123, 2, 1, 2, 0}, {133, 3, 1, 2, 0}, {151, 1, 0, 2, 0}, {154, 2, 0, 2, 0}, {181, 2, 0, 2, 0},
    {185, 2, 0, 2, 0}, {217, 3, 0, 2, 0}, {244, 2, 1, 1, 0}, {265, 3, 1, 1, 0}, {302, 1, 0, 1, 0}, {324, 2, 0, 1, 0},
    {370, 2, 0, 1, 0}, {454, 3, 0, 1, 0}, {493, 2, 1, 0, 0}, {530, 3, 1, 0, 0}, {554, 1, 0, 0, 0}, {604, 1, 0, 0, 0},
    {696, 2, 0, 0, 0}, {740, 2, 0, 0, 1}, {820, 3, 0, 0, 0}, {865, 3, 0, 0, 1},
};

int BandIndex(DWORD hz) { return hz == 8000000 ? 0 : hz == 7000000 ? 1 : hz == 6000000 ? 2 : -1; }

}  // namespace

CFETerFw46::CFETerFw46(IFrontendBus& bus, std::vector<BYTE> image, bool registerTuner)
    : m_bus(bus), m_image(std::move(image)), m_bRegisterTuner(registerTuner) {}

bool CFETerFw46::WriteRegs(BYTE reg, const BYTE* values, int count) {
  BYTE buffer[1 + 16];
  if (count < 0 || count > 16) return false;
  buffer[0] = reg;
  memcpy(buffer + 1, values, size_t(count));
  if (DrvI2cWriteBlock(m_bus, m_bDemodAddr, buffer, 1 + count, kFastKHz) == 0) return true;
  ++m_dwErrors;
  return false;
}

bool CFETerFw46::ReadRegs(BYTE reg, BYTE* out, int count) {
  if (DrvI2cReadRegs(m_bus, m_bDemodAddr, &reg, 1, out, count, kFastKHz) == 0) return true;
  ++m_dwErrors;
  return false;
}

bool CFETerFw46::UpdateBits(BYTE reg, BYTE mask, BYTE value) {
  BYTE old = 0;
  if (!ReadRegs(reg, &old, 1)) return false;
  return WriteReg(reg, BYTE((old & ~mask) | (value & mask)));
}

bool CFETerFw46::TunerWrite(const BYTE* bytes, int count) {
  m_bus.SetBitRate(33, kNormalKHz);
  BYTE addr = m_bRegisterTuner ? 0xC2 : m_bTunerAddr;
  if (DrvI2cWrite(m_bus, addr, bytes, BYTE(count)) == 0) return true;
  ++m_dwErrors;
  return false;
}

int CFETerFw46::Init() {
  m_dwErrors = 0;
  m_dwFlags |= kInitialised;
  m_bDemodAddr = 0x10;
  if (m_bRegisterTuner) {
    InitRegisterTuner();
  } else if (!m_dwTunerReady) {
    m_bTunerAddr = 0xC0;
    m_dwTunerReady = 1;
  }
  Configure();
  return LoadMicrocode();
}

void CFETerFw46::WriteIfWord() {
  const Config& c = m_bRegisterTuner ? kRegisterBuild : kPllBuild;
  double fs = m_dwSampleClock;
  double ifHz = m_bRegisterTuner ? double(m_dwTunerIf) : c.ifHz;
  int word =
      m_bRegisterTuner ? int((ifHz * 32768 / fs * 100 + 50) * 0.01) : int(((ifHz - fs) * 32768 / fs * 100 - 50) * 0.01);
  const BYTE bytes[2] = {BYTE(word >> 8), BYTE(word)};
  WriteRegs(0x4D, bytes, 2);
}

int CFETerFw46::Configure() {
  const Config& c = m_bRegisterTuner ? kRegisterBuild : kPllBuild;
  m_dwSampleClock = DWORD(double(c.m + 45) * c.crystal / (c.n + 1) / (c.p + 4));
  double fs = m_dwSampleClock;
  if (m_bRegisterTuner) WriteReg(0x2D, 0xF0);
  const BYTE pll[2] = {BYTE(c.m), BYTE(c.p << 5 | c.n)};
  if (!WriteRegs(0x2F, pll, 2)) return 6;
  WriteReg(0x3E, BYTE(int((1e6 / fs * 32768 * (1.0 / 6) * 100 + 50) * 0.01)));
  if (m_bRegisterTuner) WriteReg(0x4C, 3);
  WriteIfWord();
  for (int i = 0; i < 3; ++i) {
    double b = kBandwidths[i];
    m_W1[i] = DWORD(b * 2147483648.0 / (7 * fs) + 0.5);
    m_W2[i] = DWORD((b / 2 + 224 * fs) / b);
  }
  if (!UpdateBits(0x07, 0x20, 0x00)) return 6;
  UpdateBits(0x16, 0x80, 0x00);
  WriteReg(0x43, 0x00);
  UpdateBits(0x3D, 0x60, 0x60);
  const BYTE agc[4] = {0x00, 0xFF, 0x00, 0xFF};
  WriteRegs(0x47, agc, 4);
  UpdateBits(0x4F, 0x30, 0x20);
  WriteReg(0x46, 0x01);
  UpdateBits(0x01, 0x80, 0x00);
  WriteReg(0x1E, 0x07);
  UpdateBits(0x1F, 0x31, 0x00);
  UpdateBits(0x3B, 0x9E, 0x00);
  WriteReg(0x3C, 0xE1);
  WriteReg(0x41, 0xCC);
  UpdateBits(0x42, 0x08, 0x08);
  return 0;
}

int CFETerFw46::LoadMicrocode() {
  m_bus.Sleep(kDspPauseMs);
  BYTE status = 0;
  if (!ReadRegs(0x06, &status, 1)) return -1;
  if (status & 0x20) {
    BYTE version[2] = {};
    UpdateBits(0x07, 0x10, 0x00);
    WriteReg(0x11, kDspVersionCommand);
    if (ReadRegs(0x13, version, 2) && version[0] == kDspVersionCommand && version[1] == kVersion) return 0;
  }
  // Nothing to load: the DSP does not run.
  if (m_image.size() < 2) return -1;
  if (!UpdateBits(0x3B, 0x01, 0x00) || !UpdateBits(0x07, 0x08, 0x08)) return -1;
  if (!WriteReg(0x57, 0x00)) return -1;

  int failed = 0;
  const BYTE* data = m_image.data() + 1;
  size_t left = m_image.size() - 1;
  m_bus.SetBitRate(33, kFastKHz);  // for all blocks: one box command each
  while (left > 0) {
    size_t block = std::min<size_t>(left, kBlockBytes);
    BYTE buffer[1 + kBlockBytes];
    buffer[0] = 0x58;
    memcpy(buffer + 1, data, block);
    int result;
    if (block == size_t(kBlockBytes)) {
      result = DrvI2cWrite(m_bus, m_bDemodAddr, buffer, BYTE(1 + block));
    } else {
      result = DrvI2cWriteBlock(m_bus, m_bDemodAddr, buffer, int(1 + block), kFastKHz);
    }
    if (result) {
      ++m_dwErrors;
      ++failed;
    }
    data += block;
    left -= block;
  }
  m_bus.SetBitRate(33, kNormalKHz);
  m_bus.Sleep(kDspPauseMs);
  if (!ReadRegs(0x06, &status, 1)) return -1;
  // A skipped block leaves the DSP without its program; so does an image
  // it does not take.
  return failed || !(status & 0x20) ? -1 : 0;
}

int CFETerFw46::ProgramBandwidth(DWORD hz) {
  if (!(m_dwFlags & kInitialised)) return 3;
  int i = BandIndex(hz);
  if (i < 0) return 4;
  if (m_bRegisterTuner) {
    m_dwTunerIf = hz == 6000000 ? 4000000 : hz == 7000000 ? 4500000 : 5000000;
  } else if (m_dwTunerReady) {
    m_dwTunerBandwidth = hz;
  }
  DWORD w1 = m_W1[i], w2 = m_W2[i];
  const BYTE words[5] = {BYTE(w2 >> 4), BYTE(((w1 >> 24) | (w2 << 2)) & 0x3F), BYTE(w1 >> 16), BYTE(w1 >> 8), BYTE(w1)};
  WriteRegs(0x31, words, 5);
  if (m_bRegisterTuner) WriteIfWord();
  m_dwBandwidth = hz;
  return 0;
}

int CFETerFw46::TunePll(DWORD g) {
  if (!m_dwTunerReady) return 3;
  DWORD n = (g + kPllStep / 2) / kPllStep;
  m_dwTunerActual = n * kPllStep;
  static const struct {
    DWORD belowMHz;
    BYTE band;
  } kBands[] = {{130, 0x61}, {160, 0xA1}, {200, 0xC1}, {290, 0x62}, {420, 0xA2}, {480, 0xC2}, {620, 0x64}, {830, 0xA4}};
  BYTE band = 0xC4;
  for (const auto& b : kBands)
    if (g < b.belowMHz * 1000000) {
      band = b.band;
      break;
    }
  if (m_dwTunerBandwidth == 8000000) band |= 0x08;
  BYTE bytes[6] = {BYTE(n >> 8), BYTE(n), 0xCA, band, BYTE((0 | 0x10) << 3 | 0), band};
  if (g >= 830000000) {
    // The top band is reached through the one below it.
    bytes[3] = bytes[5] = BYTE((band & 0x1F) | 0xA0);
    if (!TunerWrite(bytes, 6)) return 6;
    bytes[3] = bytes[5] = band;
    m_bus.Sleep(2);
    m_bus.Sleep(10);
  }
  return TunerWrite(bytes, 6) ? 0 : 6;
}

int CFETerFw46::InitRegisterTuner() {
  static const BYTE kShadow[8] = {0x00, 0x00, 0x00, 0x5C, 0x04, 0xAF, 0x3F, 0x2A};
  memcpy(m_TunerShadow, kShadow, 8);
  m_dwTunerIf = 5000000;
  static const BYTE kInit[14] = {0x00, 0x00, 0x00, 0x00, 0x5C, 0x04, 0xAF, 0x3F, 0x2A, 0x04, 0xFF, 0x00, 0x00, 0x40};
  Gate(true);
  if (!TunerWrite(kInit, 14)) return -1;  // the gate stays open
  Gate(false);
  return 0;
}

int CFETerFw46::TuneRegisterTuner(DWORD f) {
  unsigned long long total = (unsigned long long)m_dwTunerIf + f;
  if (total < 49000000 || total > 865000000) return -1;
  DWORD bw = m_dwBandwidth;
  m_dwTunerIf = bw == 6000000 ? 4000000 : bw == 7000000 ? 4500000 : 5000000;
  m_bSixMHz = bw == 6000000;
  total = (unsigned long long)m_dwTunerIf + f;
  Gate(true);
  const TunerRow* row = &kTunerRows[sizeof(kTunerRows) / sizeof(kTunerRows[0]) - 1];
  for (const TunerRow& r : kTunerRows)
    if (r.limitMHz * 1000000ull >= total) {
      row = &r;
      break;
    }
  unsigned long long k = 1ull << row->c2;
  unsigned long long d = ((total + 500) / 1000 * k + 125) * 64 / 16000;
  // The tuner's band pair by the channel frequency.
  static const struct {
    DWORD belowHz;
    BYTE u, b;
  } kPairs[] = {{84000000, 3, 0},  {98000000, 1, 0},  {154000000, 1, 1},
                {181000000, 0, 1}, {324000000, 1, 2}, {554000000, 1, 3}};
  BYTE u = 0, b = 4;
  for (const auto& p : kPairs)
    if (f < p.belowHz) {
      u = p.u, b = p.b;
      break;
    }
  BYTE band = BYTE(b | (row->c0 & 3) << 3 | (row->c1 & 1) << 5 | (row->c2 & 3) << 6);
  BYTE flag = m_bSixMHz;
  BYTE& s3 = m_TunerShadow[3];
  BYTE& s6 = m_TunerShadow[6];
  s3 = BYTE(flag << 5 | (s3 & 0xD2) | 0x02);
  const BYTE first[8] = {
      0x00, BYTE(d >> 6), BYTE((d & 0x3F) << 2), 0x40, BYTE(0x52 | flag << 5), band, BYTE(0x8F | u << 4), 0x8F};
  auto sub = [&](BYTE address, BYTE value) {
    const BYTE pair[2] = {address, value};
    return TunerWrite(pair, 2);
  };
  if (!TunerWrite(first, 8)) return -1;
  if (!sub(0x80, 0x04) || !sub(0x60, 0xBF)) return -1;
  if (!sub(0x30, s3 = BYTE(s3 | 0x80))) return -1;
  m_bus.Sleep(1);
  if (!sub(0x30, s3 = BYTE((s3 & 0x73) | 0x04))) return -1;
  m_bus.Sleep(1);
  if (!sub(0x30, s3 = BYTE(s3 & 0xF3))) return -1;
  m_bus.Sleep(550);
  sub(0x30, s3 = BYTE((s3 & 0xF0) | (row->c3 & 3)));
  if (!sub(0x60, s6 = BYTE((s6 & 0x0F) | 0x70))) return -1;
  if (!sub(0x80, 0x04 & 0xF7)) return -1;
  Gate(false);
  return 0;
}

void CFETerFw46::Tune(DWORD hz, int offsetHz) {
  UpdateBits(0x43, 0x04, 0x00);
  Gate(true);
  DWORD ifHz = DWORD(kPllBuild.ifHz);
  DWORD tuned;
  if (m_bRegisterTuner) {
    TuneRegisterTuner(DWORD(int(hz) + offsetHz));
    tuned = hz;
  } else {
    TunePll(DWORD(int(hz + ifHz) + offsetHz));
    DWORD at = m_dwTunerReady ? m_dwTunerActual : DWORD(int(hz + ifHz) + offsetHz);
    tuned = DWORD(int(at - ifHz) - offsetHz);
  }
  m_bus.Sleep(kTunePauseMs);
  Gate(false);
  UpdateBits(0x43, 0x04, 0x04);
  if (tuned) m_dwFreq = tuned;
}

void CFETerFw46::Retune(int code) {
  static const struct {
    BYTE e, v;
    int d;
  } kCodes[10] = {{0x10, 0x00, 0},    {0, 0x00, 0},      {0, 0x20, 125000},  {0, 0x40, -125000}, {0, 0x20, 166666},
                  {0, 0x40, -166666}, {0, 0x60, 333333}, {0, 0x80, -333333}, {0, 0xA0, 500000},  {0, 0xC0, -500000}};
  BYTE e, v;
  int d;
  if (code >= 0 && code <= 9) {
    e = kCodes[code].e, v = kCodes[code].v, d = kCodes[code].d;
  } else {
    e = v = BYTE(code), d = code;
  }
  UpdateBits(0x01, 0x10, e);
  UpdateBits(0x02, 0x80, v);
  UpdateBits(0x03, 0xC0, BYTE(2 * v));
  m_dwFlags = e ? m_dwFlags | kRetryAllowed : m_dwFlags & ~kRetryAllowed;
  m_nOffsetCode = code == 0 ? 1 : code;
  Tune(m_dwFreq, d);
}

bool CFETerFw46::OffsetRetry() {
  if (m_bOffsetTries) return false;
  BYTE r[2] = {};
  ReadRegs(0x04, r, 2);
  int key = ((r[1] >> 1) & 0x60) | (r[0] & 0x80);
  int code;
  switch (key) {
    case 0x00: m_nOffsetCode = 1; return false;
    case 0x20: code = 4; break;  // 2 with the offset-code-set option, which is off
    case 0x40: code = 5; break;
    case 0x60: code = 6; break;
    case 0x80: code = 7; break;
    case 0xA0: code = 8; break;
    case 0xC0: code = 9; break;
    default: code = m_nOffsetCode; break;
  }
  Retune(code);
  ++m_bOffsetTries;
  return true;
}

int CFETerFw46::PollLock(int& status) {
  if (!(m_dwFlags & kInitialised)) return 3;
  if (m_dwFlags & kPending) {
    UpdateBits(0x01, 0x01, 0x01);
    UpdateBits(0x01, 0x40, 0x40);
    m_dwFlags = (m_dwFlags | kAcquiring) & ~kPending;
    m_bOffsetTries = 0;
  }
  BYTE s = 0;
  ReadRegs(0x06, &s, 1);
  if (m_dwFlags & kAcquiring) {
    if (s & 0x08) {
      m_dwFlags &= ~kAcquiring;
      status = 0;
      return 0;
    }
    BYTE attempts = 0;
    ReadRegs(0x10, &attempts, 1);
    if (attempts < kAttemptThreshold) {
      status = 2;
      return 0;
    }
    if ((m_dwFlags & kRetryAllowed) && OffsetRetry()) {
      UpdateBits(0x01, 0x40, 0x40);
      status = 2;
      return 0;
    }
    m_dwFlags &= ~kAcquiring;
  }
  status = (s & 0x08) ? 0 : 1;
  return 0;
}

int CFETerFw46::SetChannel(DWORD freqKHz, DWORD bandCode, BOOL inversion, DWORD modeCode, DWORD constellationCode,
                           BOOL noWait) {
  DWORD bw;
  if (m_bRegisterTuner && bandCode == 0)
    bw = 6000000;
  else if (bandCode == 1)
    bw = 7000000;
  else if (bandCode == 3)
    bw = freqKHz < 300000 ? 7000000 : 8000000;
  else
    bw = 8000000;
  ProgramBandwidth(bw);
  if (!(m_dwFlags & kInitialised)) return 0;

  unsigned long long f = (unsigned long long)freqKHz * 1000;
  if (f >= 170000 && f <= 887000000) {
    UpdateBits(0x01, 0x10, 0x10);
    UpdateBits(0x02, 0x80, 0x00);  // the offset option is off
    UpdateBits(0x03, 0xC0, 0x00);
    m_dwFlags |= kRetryAllowed;
    m_nOffsetCode = 1;
    Tune(DWORD(f), 0);
    m_dwFlags |= kPending;
  }
  // The board inverts the spectrum: the flip is set.
  UpdateBits(0x16, 0x20, inversion ? 0x00 : 0x20);
  m_nInversionState = inversion ? 2 : 1;
  m_dwFlags |= kPending;
  if (constellationCode <= 3) {
    UpdateBits(0x01, 0x02, 0x00);
    UpdateBits(0x02, 0x0C, BYTE(constellationCode << 2));
    m_nConstellationState = int(constellationCode) + 1;
  } else {
    UpdateBits(0x01, 0x02, 0x02);
    m_nConstellationState = 0;
  }
  if (modeCode <= 1) {
    UpdateBits(0x01, 0x04, 0x00);
    UpdateBits(0x02, 0x10, BYTE(modeCode << 4));
    m_nModeState = int(modeCode) + 1;
  } else {
    UpdateBits(0x01, 0x04, 0x04);
    m_nModeState = 0;
  }
  UpdateBits(0x01, 0x08, 0x00);

  int status = 1;
  PollLock(status);
  // The attempt counter may never reach its threshold: bounded, the poll
  // ends not locked.
  DWORD start = m_bus.Now();
  while (!noWait && status == 2) {
    if (DWORD(m_bus.Now() - start) > kLockLimitMs) {
      m_dwFlags &= ~kAcquiring;
      break;
    }
    m_bus.Sleep(kPollPauseMs);
    PollLock(status);
  }
  return 0;
}

BYTE CFETerFw46::GetLockState() {
  BYTE s = 0;
  return ReadRegs(0x06, &s, 1) ? s : 0;
}

BYTE CFETerFw46::GetAGC() {
  BYTE v = 0;
  return ReadRegs(0x52, &v, 1) ? v : 0;
}

BYTE CFETerFw46::GetSNR_SQE() {
  BYTE v = 0;
  return ReadRegs(0x1C, &v, 1) ? v : 0;
}

int CFETerFw46::GetTPS(frontendtypes::_TYPE_TPS* tps) {
  memset(tps, 0, offsetof(frontendtypes::_TYPE_TPS, nFreqOffset));
  BYTE status = 0, r[2] = {};
  ReadRegs(0x06, &status, 1);
  if (!(status & 0x01)) return 1;
  ReadRegs(0x04, r, 2);
  tps->dwDriver4[2] = 1;
  tps->bConstellation = r[0] & 3;
  tps->bHierarchy = (r[0] >> 5) & 3;
  tps->bCodeRateHP = r[1] & 7;
  tps->bCodeRateLP = (r[1] >> 3) & 7;
  tps->bGuard = (r[0] >> 2) & 3;
  tps->bMode = (r[0] >> 4) & 1;
  return 0;
}

int CFETerFw46::GetBER(double* out) {
  *out = 0;
  if (!(m_dwFlags & kInitialised)) return 0;
  BYTE period = 0;
  ReadRegs(0x4F, &period, 1);
  if (!(period & 0x04)) return 0;  // no count ready
  BYTE r[4] = {}, unused = 0;
  ReadRegs(0x23, r, 4);
  ReadRegs(0x00, &unused, 1);
  double count = double(DWORD(r[1] & 0x0F) << 16 | DWORD(r[2]) << 8 | r[3]);
  static const double kScale[4] = {1000 * 1.0045, 100 * 0.999584, 10 * 1.000074, 0.999992};
  *out = double((unsigned long long)(count * kScale[(period >> 4) & 3])) * 1e-8;
  return 0;
}

int CFETerFw46::GetAFC(long* out) {
  BYTE r[2] = {};
  ReadRegs(0x18, r, 2);
  short v = short(r[0] << 8 | r[1]);
  double raw = std::trunc(v * double(m_dwSampleClock) / 4194304.0);
  *out = long(std::round(raw / 1000));  // halves away from zero
  return 0;
}

int CFETerFw46::SetInversion(BOOL on) {
  if (!(m_dwFlags & kInitialised)) return 0;
  UpdateBits(0x16, 0x20, on ? 0x00 : 0x20);
  m_nInversionState = on ? 2 : 1;
  m_dwFlags |= kPending;
  return 0;
}

int CFETerFw46::GetSignalLevel(signed char& level) {
  if (!(m_dwFlags & kInitialised)) return 3;
  BYTE a1 = 0, a2 = 0, a3 = 0;
  ReadRegs(0x52, &a1, 1);
  ReadRegs(0x1A, &a2, 1);
  ReadRegs(0x55, &a3, 1);
  double f = double(m_dwFreq);
  double l = 0.0006 * a2 * a2 + 0.1026 * a2 - 49;
  l -= a1 > 64 ? 0.5983 * a1 - 0.004 * a1 * a1 + 3.0 : 26;
  l -= 0.25 * a3 - 1;
  l += f * 2e-8 - (f * 1e-6) * (f * 1e-6) * 2e-5 - 0.5 - 3.25;
  level = static_cast<signed char>(int(l));
  return 0;
}

int CFETerFw46::GetUncorrected(int& blocks) {
  if (!(m_dwFlags & kInitialised)) return 3;
  BYTE n = 0;
  ReadRegs(0x27, &n, 1);
  n &= 0x7F;
  blocks = 0;
  if (n == 0) return 0;
  for (int round = 0; round < 5; ++round) {
    for (int i = 0; i < 3; ++i) WriteReg(0x27, 0x00);
    BYTE now = 0;
    ReadRegs(0x27, &now, 1);
    if ((now & 0x7F) < n) {
      blocks = n;
      return 0;
    }
  }
  blocks = -1;
  return 0;
}
