#include "FEVes18xx.h"

CFEVes18xx::CFEVes18xx(IFrontendBus& bus, BYTE address, DWORD windowLow, DWORD windowHigh)
    : m_bus(bus),
      m_address(address),
      m_windowLow(windowLow),
      m_windowHigh(windowHigh),
      m_scanLow(windowLow),
      m_scanHigh(windowHigh) {}

void CFEVes18xx::Write(BYTE reg, BYTE value) {
  if (reg < sizeof(m_shadow)) m_shadow[reg] = value;
  const int data[3] = {0x00, reg, value};
  m_bus.WriteSeq(m_address >> 1, data, 3);
}

void CFEVes18xx::Pulse(BYTE reg, BYTE first, BYTE second) {
  Write(reg, first);
  Write(reg, second);
}

BYTE CFEVes18xx::Read(BYTE reg) {
  const int wr[2] = {0x00, reg};
  int value = 0;
  if (m_bus.CombinedSeq(m_address >> 1, wr, 2, &value, 1)) return 0;
  return BYTE(value);
}

WORD CFEVes18xx::BusyCode() const {
  if (m_flags & kBusyOther) return kBusy4;
  if (m_flags & kHeld) return kBusy5;
  if (m_flags & kScanning) return kBusy8;
  return 0;
}

DWORD CFEVes18xx::ClampToWindow(DWORD f) {
  if (f <= m_scanLow) {
    m_flags |= kRangeEnd;
    return m_scanLow;
  }
  if (f >= m_scanHigh) {
    m_flags |= kRangeEnd;
    return m_scanHigh;
  }
  return f;
}

DWORD CFEVes18xx::ErrorCount(BYTE low) {
  return Read(low) | DWORD(Read(BYTE(low + 1))) << 8 | DWORD(Read(BYTE(low + 2)) & 0x0F) << 16;
}

void CFEVes18xx::NormaliseBer(DWORD count, DWORD exponent, DWORD& mantissa, DWORD& outExponent) {
  while (count >= 100 && exponent > 0) {
    count = (count + 5) / 10;
    --exponent;
  }
  mantissa = count;
  outExponent = exponent;
}

DWORD CFEVes18xx::ScanStepKHz(bool carrier) const {
  return carrier ? DWORD(m_symbolRate * 1.15 / 1000) : (m_symbolRate + 16000) / 32000;
}

void CFEVes18xx::SetScanRange(DWORD f1, DWORD f2, DWORD o) {
  if (o < f1) {
    m_scanLow = f1 - o;
    m_scanHigh = f2 - o;
  } else if (o > f2) {
    m_scanLow = o - f1;
    m_scanHigh = o - f2;
  } else {
    m_scanLow = f1;
    m_scanHigh = f2;
  }
  auto clamp = [this](DWORD f) { return f < m_windowLow ? m_windowLow : f > m_windowHigh ? m_windowHigh : f; };
  m_scanLow = clamp(m_scanLow);
  m_scanHigh = clamp(m_scanHigh);
}

void CFEVes18xx::ResetScanRange() {
  m_scanLow = m_windowLow;
  m_scanHigh = m_windowHigh;
}

int CFEVes18xx::ScanNext(WORD* code) {
  *code = 0;
  if (!m_tuned) return 5;
  if (WORD busy = BusyCode()) {
    *code = busy;
    return 2;
  }
  if (!(m_flags & kChannelSet)) {
    *code = 2;
    return 2;
  }
  m_flags = BYTE((m_flags | kScanning) & ~(kRangeEnd | kLockFound));
  StopLockSearch();
  return 0;
}

int CFEVes18xx::ScanStop(WORD* code) {
  *code = 0;
  if (!(m_flags & kScanning)) {
    *code = 2;
    return 2;
  }
  m_flags &= ~kScanning;
  StopLockSearch();
  return 0;
}

WORD CFEVes18xx::SetSearchStart(DWORD frequency, DWORD parameter, DWORD localOscillator) {
  // The window in the tuner's terms: the distance from the oscillator.
  auto tuner = [localOscillator](DWORD f) { return f > localOscillator ? f - localOscillator : localOscillator - f; };
  SetScanRange(tuner(frequency), parameter ? tuner(parameter) : m_windowHigh, 0);
  return 0;
}

WORD CFEVes18xx::StartSearch() {
  WORD code = 0;
  ScanNext(&code);
  return code;
}

WORD CFEVes18xx::PollLock(WORD& state, DWORD waitMs) {
  state = kPollBusy;
  int result = Poll(&state, waitMs);
  if (result) state = kPollNotLocked;  // no channel to search from
  return WORD(result);
}

WORD CFEVes18xx::GetSearchResult() {
  WORD code = 0;
  ScanStop(&code);
  return code;
}

DWORD CFEVes18xx::SweepSteps() {
  DWORD step = ScanStepKHz(false);
  if (step == 0) step = 1;
  DWORD left = m_scanHigh > m_currentKHz ? m_scanHigh - m_currentKHz : 0;
  return left / step + 1;
}
