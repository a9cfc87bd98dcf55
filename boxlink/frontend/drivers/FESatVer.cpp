#include "FESatVer.h"

#include <cmath>
#include <cstdlib>

namespace {

const BYTE kTuner = 0xC2;
const DWORD kIfMinKHz = 950000, kIfMaxKHz = 2150000;
const DWORD kSrMin = 1000000, kSrMax = 45000000;
const float kClock88 = 88.0f, kClock59 = 59.0f;
const int kLockWord = 51;  // timing, carrier and data lock in LockWord()

// Error-rate thresholds in units of 10^-6, one per quality step from 100
// down.
const int kQualityTable[100] = {
    10,    11,    12,    13,    15,    16,    18,    19,    21,    23,    26,    28,    31,    34,    38,
    41,    45,    50,    54,    60,    66,    72,    79,    87,    95,    104,   114,   125,   138,   151,
    165,   180,   199,   218,   238,   263,   288,   315,   344,   380,   416,   455,   497,   549,   601,
    657,   719,   794,   868,   950,   1039,  1147,  1255,  1372,  1501,  1658,  1813,  1983,  2169,  2396,
    2620,  2866,  3134,  3462,  3787,  4142,  4530,  5003,  5472,  5985,  6546,  7230,  7908,  8649,  9459,
    10448, 11427, 12498, 13669, 15099, 16513, 18060, 19950, 21819, 23863, 26098, 28829, 31530, 34484, 37714,
    41660, 45563, 49831, 54500, 60202, 65842, 72010, 78757, 86996, 95147};

// Input level (-dBm) by AGC value from 144 on; below, runs of one value.
const BYTE kLevelFrom144[112] = {
    69, 69, 69, 68, 68, 67, 67, 66, 66, 65, 65, 64, 64, 64, 63, 63, 62, 61, 61, 60, 59, 58, 58,
    57, 56, 55, 54, 54, 53, 53, 52, 52, 51, 51, 50, 50, 49, 49, 48, 47, 47, 46, 45, 45, 44, 43,
    43, 42, 41, 40, 39, 38, 37, 36, 35, 34, 33, 32, 31, 29, 28, 27, 26, 24, 23, 22, 21, 20, 19,
    18, 17, 16, 15, 15, 14, 13, 13, 12, 12, 11, 11, 10, 10, 9,  9,  9,  8,  8,  8,  7,  7,  7,
    7,  6,  6,  6,  6,  5,  5,  5,  5,  4,  4,  4,  3,  3,  3,  2,  2,  1,  1,  0};

int LevelOf(BYTE agc) {
  static const struct {
    int below;
    int level;
  } kRuns[] = {{64, 75}, {100, 74}, {120, 73}, {132, 72}, {140, 71}, {144, 70}};
  for (const auto& run : kRuns)
    if (agc < run.below) return run.level;
  return kLevelFrom144[agc - 144];
}

// The carrier sweep by symbol rate (ksps): pause, step and number of tries.
struct Sweep {
  DWORD waitMs;
  int stepKHz;
  int tries;
};
Sweep SweepFor(DWORD sr) {
  if (sr > 20000) return {50, 2000, 4};
  if (sr > 12000) return {100, 1500, 6};
  if (sr > 8000) return {100, 1000, 8};
  if (sr > 4000) return {100, 500, 14};
  if (sr > 2000) return {200, int(sr / 8), 14};
  return {200, int(sr / 8), 18};
}

}  // namespace

CFESatVer::CFESatVer(IFrontendBus& bus, BYTE address) : m_bus(bus), m_address(address) {}

void CFESatVer::Write(BYTE reg, BYTE value) {
  const int data[2] = {reg, value};
  m_bus.WriteSeq(m_address >> 1, data, 2);
}

// A failed read gives 0.
BYTE CFESatVer::Read(BYTE reg) {
  const int wr[1] = {reg};
  int value = 0;
  if (m_bus.WriteSeq(m_address >> 1, wr, 1) || m_bus.ReadSeq(m_address >> 1, &value, 1)) return 0;
  return BYTE(value);
}

int CFESatVer::Init(BOOL japanLnb) {
  m_japanLnb = japanLnb;
  Reset();
  return 1;
}

void CFESatVer::InitRegs() {
  bool clock59 = m_clockMHz == kClock59;
  int k = clock59 ? 84 : 125;
  if (m_japanLnb) k /= 2;
  const BYTE regs[][2] = {
      {2, 0x00},
      {3, BYTE(clock59 ? 0x33 : 0x50)},
      {4, 0x40},
      {5, BYTE(m_rateMode == 1 ? 0xAE : 0xAC)},
      {7, 0xB0},
      {10, 0x67},
      {11, 0x78},
      {12, 0x48},
      {13, 0x6B},
      {46, 0x8E},
      {48, 0x3F},
      {49, 0x00},
      {53, 0x33},
      {56, 0x01},
      {57, 0x7D},
      {58, BYTE(k)},
      {60, 0x00},
      {69, 0x61},
      {70, 0x1D},
  };
  for (const auto& r : regs) Write(r[0], r[1]);
}

void CFESatVer::Reset() {
  Write(1, 0x08);
  Write(1, 0x00);
  InitRegs();
  Or(5, 0x01);
}

bool CFESatVer::SetTuner(DWORD f, DWORD srMsps) {
  if (f < kIfMinKHz || f > kIfMaxKHz || srMsps < 1 || srMsps > 45) return false;
  Or(2, 0x01);  // the repeater, for the next transfer
  DWORD mhz = f / 1000;
  int band = mhz < 1450 ? 0x00 : mhz < 1850 ? 0x40 : mhz < 2000 ? 0x80 : 0xC0;
  const int pll[4] = {int((f / 256000) & 0x7F), int((f / 1000) & 0xFF), 0xC2, band};
  bool ok = m_bus.WriteSeq(kTuner >> 1, pll, 4) == 0;
  m_bus.Sleep(10);
  return ok;
}

void CFESatVer::SetSymbolRate(DWORD sr) {
  double scale = m_rateMode == 1 ? 16777216.0 : 33554432.0;
  DWORD word = DWORD(sr / (m_clockMHz * 1000.0) * scale);
  BYTE v = Read(9);
  Write(9, BYTE(v & 0x7F));
  Write(17, BYTE(word >> 16));
  Write(18, BYTE(word >> 8));
  Write(19, BYTE(word));
  Write(9, BYTE(v | 0x80));
}

void CFESatVer::SetCarrierOffset(double offsetMHz) {
  DWORD word = DWORD(long(-offsetMHz / m_clockMHz * 16777216.0)) & 0xFFFFFF;
  And(9, 0xBF);
  Write(14, BYTE(word >> 16));
  Write(15, BYTE(word >> 8));
  Write(16, BYTE(word));
  Or(9, 0x40);
}

double CFESatVer::GetCarrierOffset() {
  Or(5, 0x08);
  Or(6, 0x08);
  long value = long(Read(14)) << 16 | long(Read(15)) << 8 | Read(16);
  if (value & 0x800000) value -= 0x1000000;
  And(6, 0xF7);
  return -value * double(m_clockMHz) / 16777216.0;
}

void CFESatVer::SetDecimation(DWORD srMsps) {
  static const double kFactor[6] = {1, 4.0 / 3, 1.5, 5.0 / 3, 12.0 / 7, 1.75};
  int c = Read(50) & 7;
  if (c > 5 || srMsps == 0) return;  // no factor for code rates 6 and 7
  double q = m_clockMHz / (srMsps * kFactor[c]);
  if (q < 1) return;
  static const double kBelow[6] = {4, 8, 12, 16, 24, 32};
  BYTE code = 6;
  for (BYTE i = 0; i < 6; ++i)
    if (q < kBelow[i]) {
      code = i;
      break;
    }
  Write(34, code);
}

int CFESatVer::LockWord() {
  BYTE r20 = Read(20), r54 = Read(54);
  return ((r20 & 3) * 8 + (r54 & 1)) * 2 + ((r54 >> 5) & 1);
}

bool CFESatVer::IsLocked() {
  int s = LockWord();
  if (s == kLockWord) return true;
  if (s != kLockWord - 1) return false;
  // Carrier without data on code rate 3: another loop setting, once.
  BYTE r50 = Read(50);
  if ((r50 & 7) == 3) Write(49, (r50 & 0x08) ? 19 : 27);
  m_bus.Sleep(200);
  return LockWord() > kLockWord - 1;
}

int CFESatVer::Tune(DWORD f, DWORD sr) {
  m_locked = 0;
  m_offsetCount = 0;
  if (sr > 28000) {
    m_rateMode = 1;
    m_clockMHz = kClock88;
  } else if (sr > 21000) {
    m_rateMode = 1;
    m_clockMHz = kClock59;
  } else {
    m_rateMode = 2;
    m_clockMHz = kClock88;
  }
  Reset();
  SetTuner(f, sr / 1000);
  SetCarrierOffset(0);
  SetSymbolRate(sr);
  const Sweep sweep = SweepFor(sr);
  m_bus.Sleep(sweep.waitMs + 50);
  int offset = 0;
  m_offsets[m_offsetCount++] = 0;
  m_locked = IsLocked();
  // -1, +1, -2, +2 ... steps around the nominal frequency.
  for (int i = 1; !m_locked && i <= sweep.tries; ++i) {
    int m = (i + 1) / 2 * (i % 2 ? -1 : 1);
    offset = sweep.stepKHz * m;
    if (m_offsetCount < kMaxOffsets) m_offsets[m_offsetCount++] = offset;
    SetCarrierOffset(offset / 1000.0);
    m_bus.Sleep(sweep.waitMs + 50);
    m_locked = IsLocked();
  }
  if (m_locked) {
    SetDecimation(sr / 1000);
    Or(31, 0x01);
    And(5, 0x6F);
    m_freqErrorKHz = int((GetCarrierOffset() + offset / 1000.0) * 1000);
  }
  return m_locked;
}

BOOL CFESatVer::SetChannel(const DWORD rec[3]) {
  DWORD f = rec[2] > rec[0] ? rec[2] - rec[0] : rec[0] - rec[2];
  if (f < kIfMinKHz || f > kIfMaxKHz || rec[1] < kSrMin || rec[1] > kSrMax) return FALSE;
  Tune(f, rec[1] / 1000);
  return TRUE;
}

BOOL CFESatVer::GetStatus(DWORD* lockBits, Signal* signal) {
  BYTE r20 = Read(20), r54 = Read(54);
  BOOL locked = (r20 & 0x03) == 0x03 && (r54 & 0x21) == 0x21;
  if (lockBits) {
    DWORD bits = DWORD((r54 >> 5) & 1) << 3 | DWORD(r54 & 1) << 2 | DWORD(r20 & 1) << 1 | DWORD((r20 >> 1) & 1);
    *lockBits = (*lockBits & ~0xFu) | bits;
  }
  if (signal) {
    signal->ber = (Read(72) << 8 | Read(71)) * std::ldexp(1.0, -21);
    signal->quality = Quality(signal->ber);
    signal->offsetKHz = int(GetCarrierOffset() * 1000);
    BYTE r50 = Read(50);
    signal->codeRate = r50 & 7;
    signal->inversion = (r50 & 0x08) ? 0 : 1;
    signal->agc = Read(21);
    int level = LevelOf(signal->agc);
    signal->levelDbm = -level;
    signal->strength = locked ? 100 - level : 0;
  }
  return locked;
}

int CFESatVer::Quality(double ber) {
  long v = long(ber * 1e6);
  if (v <= 10) return 100;
  if (v >= 100000) return 0;
  int lo = 0, hi = 100, i = 16;
  for (int pass = 0; pass < 8; ++pass) {
    int t = kQualityTable[i];
    if (t == v) return 100 - i;
    if (t > v) {
      hi = i;
      i = (lo + i) / 2;
    } else {
      lo = i;
      i = (hi + i) / 2;
    }
    if (hi - lo < 2) break;
  }
  return 99 - i;
}
