#include "FESatSTV0299.h"

#include "DriverI2c.h"

#include <cstdlib>

namespace {

const int kRegisters = 0x35;
const BYTE kIdentity = 0xA1;
const int kHalfBandHz = 36000000;
const int kWideSpanHz = 10000000;  // above 8000 kSym/s
const int kNarrowSpanHz = 6000000;
const int kHighBandMHz = 1530;

// The register set-up after 0x00-0x02, in order: {register, value at
// 10000 kSym/s and above, value below}.
struct RegisterValue {
  BYTE reg, high, low;
};
const RegisterValue kRegisterTable[] = {
    {0x03, 0x00, 0x00}, {0x05, 0x85, 0x85}, {0x06, 0x02, 0x02}, {0x07, 0x00, 0x00}, {0x08, 0x02, 0x02},
    {0x09, 0x00, 0x00}, {0x0A, 0x00, 0x00}, {0x0B, 0x00, 0x00}, {0x0C, 0x01, 0x01}, {0x0D, 0x81, 0x81},
    {0x0E, 0x44, 0x44}, {0x0F, 0x14, 0x14}, {0x10, 0x3C, 0x3C}, {0x11, 0x84, 0x84}, {0x12, 0xDA, 0xDA},
    {0x13, 0x97, 0x99}, {0x14, 0x95, 0x8D}, {0x15, 0xC9, 0xCE}, {0x16, 0x19, 0xE8}, {0x17, 0x8C, 0x43},
    {0x18, 0x59, 0x1C}, {0x19, 0xF8, 0x1B}, {0x1A, 0xFE, 0x1D}, {0x1B, 0x99, 0x9C}, {0x1C, 0x7F, 0x12},
    {0x1D, 0x00, 0x00}, {0x1E, 0x00, 0x00}, {0x1F, 0x50, 0x0E}, {0x20, 0x00, 0x8B}, {0x21, 0x00, 0xA0},
    {0x22, 0x00, 0x00}, {0x23, 0x00, 0x00}, {0x24, 0x00, 0x00}, {0x25, 0x00, 0x00}, {0x26, 0x00, 0x00},
    {0x28, 0x00, 0x00}, {0x29, 0x28, 0x28}, {0x2A, 0x14, 0x14}, {0x2B, 0x0F, 0x0F}, {0x2C, 0x09, 0x09},
    {0x2D, 0x09, 0x05}, {0x31, 0x1F, 0x1F}, {0x32, 0x19, 0x19}, {0x33, 0xFC, 0xFC}, {0x34, 0x13, 0x13},
};
// Rewritten when the symbol rate changes.
const BYTE kSRDependent[] = {0x13, 0x14, 0x15, 0x17, 0x1A, 0x1C, 0x2D};

BYTE RateValue(BYTE reg, bool high) {
  for (const auto& v : kRegisterTable)
    if (v.reg == reg) return high ? v.high : v.low;
  return 0;
}

int Bits(int v, int shift, int width) { return (v >> shift) & ((1 << width) - 1); }

}  // namespace

CFESatSTV0299::CFESatSTV0299(IFrontendBus& bus)
    : m_bus(bus), m_regs(bus, kAddress, kRegisters, CRegisterShadow::kSatelliteAccess) {}

int CFESatSTV0299::Init(BOOL japanLnb, int mode) {
  for (int r = 0; r < kRegisters; ++r) m_regs.SetShadow(BYTE(r), 0);
  m_regs.WriteReg(0x00, kIdentity);
  m_pllReference = 500000;
  m_srKSym = 22000;
  if (m_regs.ReadReg(0x00) != kIdentity) return 2;
  InitRegisters(true);
  m_regs.WriteField(0x0228, 0);
  m_regs.WriteReg(0x04, japanLnb ? 0x2D : 0x5B);
  if (mode == 2) {
    m_tunerKind = 4;
    m_divider = (m_pll[0] & 0x7F) * 256 + m_pll[1] + (Bits(m_pll[2], 5, 2) << 15);
    m_regs.WriteField(0x800F, 1);
  } else {
    m_tunerKind = mode == 1 ? 3 : 2;
  }
  return 0;
}

void CFESatSTV0299::InitRegisters(bool full) {
  bool high = m_srKSym >= 10000;
  m_regs.WriteReg(0x00, kIdentity);
  if (full) {
    m_regs.WriteReg(0x01, 0x0F);
    m_regs.WriteReg(0x02, 0x30);
  }
  for (const auto& r : kRegisterTable) m_regs.WriteReg(r.reg, high ? r.high : r.low);
}

void CFESatSTV0299::SetSRDependentRegs() {
  bool high = m_srKSym >= 10000;
  m_regs.WriteReg(0x0E, 0x44);
  for (BYTE reg : kSRDependent) m_regs.WriteReg(reg, RateValue(reg, high));
  if (m_tunerKind == 3) {
    m_regs.WriteReg(0x0E, 0x23);
    m_regs.WriteReg(0x0F, 0x94);
    m_regs.WriteReg(0x10, 0x39);
    m_regs.WriteReg(0x15, 0xC9);
  }
}

int CFESatSTV0299::GetMasterClock() {
  m_regs.ReadReg(0x01);  // a failed read leaves the shadow
  m_regs.ReadReg(0x02);
  int r1 = m_regs.Shadow(0x01), r2 = m_regs.Shadow(0x02);
  if (r2 & 0x80) return 0;
  if (r1 & 0x20) return 4000000;
  int m = Bits(r1, 6, 2), k = Bits(r1, 0, 5), p = Bits(r2, 0, 3);
  return 4000000 / (m + 1) * (k + 1) * 4 / ((p % 2 + 2) * (1 << (p / 2 + 1)));
}

void CFESatSTV0299::UpdateTimings() {
  m_masterClock = GetMasterClock();
  m_regs.ReadReg(0x0D);
  m_regs.ReadReg(0x0F);
  m_regs.ReadReg(0x10);
  int r0D = m_regs.Shadow(0x0D), r0F = Bits(m_regs.Shadow(0x0F), 0, 6), a = Bits(m_regs.Shadow(0x10), 5, 3);
  int clock = m_masterClock;
  m_settle1 = 0;
  if (r0F && clock / 10000) m_settle1 = (((1 << 26) >> Bits(r0D, 0, 3)) / r0F) / (clock / 10000) / 20;
  m_settle2 = 0;
  if (r0F && clock / 1000) {
    int shift = 2 * a - 2;
    long long p = shift < 1 ? 1 : (1LL << shift);
    m_settle2 = int((600000000LL / (clock / 1000)) / (p * r0F) * 100 / 1000000);
  }
  m_clockUnit = clock / 65536;
}

int CFESatSTV0299::SetSymbolRate(int srSym) {
  int clock = GetMasterClock();
  if (clock <= 0) return srSym;
  // floor(sr x 2^20 / clock): what the chip's 21-step restoring division
  // gives.
  unsigned q = unsigned(((unsigned long long)(srSym > 0 ? srSym : 0) << 20) / unsigned(clock));
  BYTE r1F = BYTE(q >> 12), r20 = BYTE(q >> 4), r21 = BYTE((m_regs.Shadow(0x21) & 0x0F) | ((q & 0x0F) << 4));
  m_regs.SetShadow(0x1F, r1F);
  m_regs.SetShadow(0x20, r20);
  m_regs.SetShadow(0x21, r21);
  const BYTE data[4] = {0x1F, r1F, r20, r21};
  DrvI2cWrite(m_bus, kAddress, data, 4);
  return srSym;
}

int CFESatSTV0299::CalcSymbolRate(int r1F, int r20, int n) {
  int u = m_masterClock / 4096;
  return ((r1F * 256 + r20) * u) / 16 + (u * n) / 256;
}

int CFESatSTV0299::CalcDataTime(int srSym) {
  static const int kRate[5] = {2000, 1500, 1333, 1200, 1143};
  static const int kWeight[5] = {1, 3, 2, 6, 8};
  static const int kW[4] = {1024, 4096, 16384, 65536};
  int mask = m_regs.Shadow(0x31), r32 = m_regs.Shadow(0x32);
  int a = Bits(r32, 4, 2), b = Bits(r32, 2, 2), c = Bits(r32, 0, 2);
  long long sum = 0;
  int fMax = 0;
  for (int i = 0; i < 5; ++i) {
    if (!(mask & (1 << i))) continue;
    sum += (long long)kWeight[i] * kW[a] * kRate[i] / srSym;
    if (kRate[i] > fMax) fMax = kRate[i];
  }
  if (!fMax) fMax = 1000;
  return int((b + 1LL) * fMax * (1 << 14) / (2LL * srSym) + (c + 1LL) * fMax * 26112 / (2LL * srSym) + sum + 1);
}

void CFESatSTV0299::SetTunerDivider(int n) {
  m_pll[0] = BYTE((n >> 8) & 0x7F);
  m_pll[1] = BYTE(n);
  if (m_tunerKind >= 2 && m_tunerKind <= 4) m_pll[2] = BYTE((m_pll[2] & 0x1F) | (((n >> 15) & 7) << 5));
  m_divider = n;
  m_tunedKHz = 500 * n;
}

int CFESatSTV0299::SetTunerFreq(int freqKHz, int srKSym) {
  if (freqKHz == -1) return -1;
  int n = int((long long)freqKHz * 500 / 250000);
  SetTunerDivider(n);
  m_regs.WriteField(0x8005, 1);  // the repeater, for the next transfer
  if (m_tunerKind == 3) {
    int mhz = freqKHz / 1000;
    BYTE band = mhz < 1250 ? 0x20 : mhz < 1550 ? 0x60 : mhz < 2050 ? 0xA0 : 0xE0;
    if (srKSym < 4000) band |= 1;
    m_pll[3] = band;
  }
  DrvI2cWrite(m_bus, TunerAddress(), m_pll, 4);
  return 500 * n;
}

void CFESatSTV0299::WaitTunerLock(int ms) {
  for (int t = 0; t < ms; t += 10) {
    int r05 = m_regs.ReadReg(0x05);
    if (r05 >= 0) m_regs.WriteReg(0x05, BYTE(r05 | 0x80));
    if (m_tunerKind != 4) {
      BYTE status = 0;
      if (DrvI2cReadBytes(m_bus, TunerAddress(), &status, 1) == 0 && (status & 0x40)) return;
    }
    m_bus.Sleep(10);
  }
}

void CFESatSTV0299::WriteDerotator(int d) {
  BYTE hi = BYTE(d >> 8), lo = BYTE(d);
  m_regs.SetShadow(0x22, hi);
  m_regs.SetShadow(0x23, lo);
  const BYTE data[3] = {0x22, hi, lo};
  DrvI2cWrite(m_bus, kAddress, data, 3);
}

int CFESatSTV0299::ReadDerotator() {
  const int wr[1] = {0x22};
  int rd[2] = {m_regs.Shadow(0x22), m_regs.Shadow(0x23)};
  if (DrvI2cWriteRead(m_bus, kAddress, wr, 1, rd, 2) == 0) {
    m_regs.SetShadow(0x22, BYTE(rd[0]));
    m_regs.SetShadow(0x23, BYTE(rd[1]));
  }
  return short(m_regs.Shadow(0x22) << 8 | m_regs.Shadow(0x23));
}

int CFESatSTV0299::CheckTiming() {
  m_bus.Sleep(DWORD(m_timingWait));
  m_regs.ReadReg(0x17);
  int v = m_regs.Shadow(0x17);
  if (v <= 40) return kNoTiming;
  if (v > 48) return kTiming;
  // Undecided: look again a thirty-third below the rate.
  for (BYTE reg = 0x1F; reg <= 0x21; ++reg) m_regs.ReadReg(reg);
  int r1F = m_regs.Shadow(0x1F), r20 = m_regs.Shadow(0x20), r21 = m_regs.Shadow(0x21);
  int s = CalcSymbolRate(r1F, r20, r21 >> 4);
  SetSymbolRate(s - s / 33);
  m_bus.Sleep(DWORD(m_timingWait));
  m_regs.ReadReg(0x17);
  int state = m_regs.Shadow(0x17) < 40 ? kTiming : kNoTiming;
  m_regs.SetShadow(0x1F, BYTE(r1F));
  m_regs.SetShadow(0x20, BYTE(r20));
  const BYTE data[4] = {0x1F, BYTE(r1F), BYTE(r20), BYTE((r21 & 0xF0) | (m_regs.Shadow(0x21) & 0x0F))};
  m_regs.SetShadow(0x21, data[3]);
  DrvI2cWrite(m_bus, kAddress, data, 4);
  return state;
}

int CFESatSTV0299::CheckCarrier() {
  for (int i = 0; i < 10; ++i) {
    m_bus.Sleep(DWORD(m_carrierWait + 20));
    if (m_regs.ReadReg(0x1B) >= 0 && (m_regs.Shadow(0x1B) & 0x80)) break;
  }
  m_regs.ReadReg(0x1B);
  return (m_regs.Shadow(0x1B) & 0x80) ? kCarrier : kNoCarrier;
}

int CFESatSTV0299::CheckData() {
  m_bus.Sleep(DWORD(m_dataWait));
  for (int i = 0; i < 40; ++i) {
    m_bus.Sleep(10);
    if (m_regs.ReadReg(0x1B) >= 0 && (m_regs.Shadow(0x1B) & 0x08)) return kData;
  }
  return kNoData;
}

void CFESatSTV0299::ToggleIQ() {
  if (m_iqMode <= 1) return;
  m_regs.ReadReg(0x0C);
  m_regs.WriteField(0x010C, (m_regs.Shadow(0x0C) & 1) ? 0 : 1);
}

int CFESatSTV0299::DerotatorSearch(int (CFESatSTV0299::*check)(), int bad, int good, int step, int start) {
  const int max = (m_rangeHz / 2) / m_clockUnit;
  int state = bad, direction = 1, d = start, passes = 2, k = 0;
  int before = d;
  for (;;) {
    state = (this->*check)();
    if (state == good) break;
    before = d;
    ++k;
    d = short(d + direction * k * step);
    if (std::abs(d) > max) --passes;
    if (passes <= 0) break;
    WriteDerotator(d);
    direction = -direction;
  }
  if (state == good)
    m_derotator = ReadDerotator();
  else
    m_derotator = before;
  return state;
}

int CFESatSTV0299::DataSearch() {
  const int max = (m_rangeHz / 2) / m_clockUnit;
  const int step = (m_srSym / 4) / m_clockUnit;
  int state = kNoCarrier, direction = 1, d = m_derotator;
  for (int k = 1;; ++k) {
    d += direction * k * step;
    int f = m_currentKHz + (m_clockUnit * d) / 1000;
    if (std::abs(d) > max) return state;  // the one pass is used up
    int f2 = SetTunerFreq(f, m_srKSym);
    WriteDerotator(int((long long)(f - f2) * m_clockUnit / 1000));
    WaitTunerLock(50);
    state = CheckData();
    if (state == kNoData) {
      ToggleIQ();
      state = CheckData();
      if (state == kNoData) ToggleIQ();
    }
    if (state == kData) {
      m_currentKHz = f;
      m_derotator = ReadDerotator();
      return state;
    }
    direction = -direction;
  }
}

void CFESatSTV0299::Search() {
  if (m_iqMode == 0) m_regs.WriteField(0x010C, 1);
  if (m_iqMode == 1) m_regs.WriteField(0x010C, 0);
  m_startKHz = m_currentKHz;
  SetSymbolRate(m_srSym);
  m_regs.ReadReg(0x31);
  m_regs.ReadReg(0x32);
  m_derotatorStep = m_derotatorFactor * m_srKSym / m_clockUnit;
  m_timingWait = 100000 / m_srKSym;
  m_carrierWait = 10000 / m_srKSym + 2;
  m_dataWait = CalcDataTime(m_srSym) + 2;
  m_rangeHz = m_spanHz < kHalfBandHz - m_srSym ? m_spanHz : kHalfBandHz - m_srSym;
  m_zigZagHz = 0;
  m_tunerDirection = 1;
  m_tryCount = 0;
  // Each loop takes the range down; the zig-zag ends within a few loops.
  while (m_rangeHz > 0) {
    WriteDerotator(0);
    m_state = kStart;
    m_currentKHz = SetTunerFreq(m_currentKHz, m_srKSym);
    if (m_tryCount < kMaxTries) m_tries[m_tryCount++] = m_currentKHz;
    m_bus.Sleep(DWORD(m_settle1 + m_settle2 + m_timingWait));
    WaitTunerLock(50);
    m_derotator = 0;
    if (m_srSym > m_halfBandHz / 2)
      m_state = CheckTiming();
    else
      m_state = DerotatorSearch(&CFESatSTV0299::CheckTiming, kNoTiming, kTiming, (m_srSym / 8) / m_clockUnit, 0);
    if (m_state == kTiming) {
      m_result.symbolRate = m_srSym;
      m_state =
          DerotatorSearch(&CFESatSTV0299::CheckCarrier, kNoCarrier, kCarrier, m_derotatorStep, m_derotator);
    }
    if (m_state == kCarrier) {
      m_state = CheckData();
      if (m_state == kNoData) {
        ToggleIQ();
        m_state = CheckData();
        if (m_state == kNoData) {
          ToggleIQ();
          m_state = DataSearch();
        }
      }
    }
    if (m_state == kData) {
      m_state = kLocked;
      m_result.codeRate = m_regs.ReadField(0x071B);
      break;
    }
    if (m_tunerDirection > 0) {
      int r = m_rangeHz;
      int n = m_spanHz / 2 - r / 2 - m_zigZagHz;
      if (n > r) n = r;
      if (n < 0) n = 0;
      m_rangeHz = n;
      m_zigZagHz += (n + r) / 2;
    }
    m_currentKHz = m_startKHz + m_tunerDirection * (m_zigZagHz / 1000);
    m_tunerDirection = -m_tunerDirection;
  }
  m_result.state = m_state;
  m_result.frequency = m_state == kLocked ? m_currentKHz : m_startKHz;
}

int CFESatSTV0299::SetChannel(int srKSym, int freqMHz, int, int iqMode) {
  m_result = Result();
  m_tryCount = 0;
  if (srKSym <= 0) return 1;
  m_regs.WriteReg(0x32, 0x80);
  m_regs.WriteReg(0x22, 0);
  m_regs.WriteReg(0x23, 0);
  m_srKSym = srKSym;
  m_highBand = freqMHz > kHighBandMHz;
  m_pll[2] = 0x82;
  m_pll[3] = m_tunerKind == 4 ? 0xA0 : m_highBand ? 0xC0 : 0xC4;
  m_regs.WriteReg(0x32, 0x19);
  SetSRDependentRegs();
  UpdateTimings();
  // Every step below is in units of the master clock.
  if (m_clockUnit <= 0) return 1;
  m_iqMode = iqMode;
  m_currentKHz = freqMHz * 1000;
  m_srSym = srKSym * 1000;
  m_spanHz = srKSym > 8000 ? kWideSpanHz : kNarrowSpanHz;
  m_derotatorFactor = 30;
  m_halfBandHz = kHalfBandHz;
  m_currentKHz = SetTunerFreq(m_currentKHz, srKSym);
  Search();
  return m_result.state == kLocked ? 0 : 1;
}
