#include "FESatVES18xx.h"

#include <cmath>
#include <cstdlib>

namespace {

const DWORD kMinSr = 50000, kMaxSr = 50000000;
// Above 5/14 of the clock the loop-bandwidth steps end early.
const DWORD kHighRate = 32178571;
const BYTE kIdentities[2] = {0xDC, 0xDD};
const WORD kAutomaticRate = 0x100;
const WORD kToneWithVoltage = 0x08, kVoltage18 = 0x10, kVoltageOn = 0x20;
const WORD kNormal = 0x40, kInverted = 0x80, kInversionBits = 0xC0;
const DWORD kNoCount = 0xFFFFF;
// Polls that read register 0x0B until two reads agree.
const int kSnrReads = 8;

const BYTE kInitTable[54] = {
    0x01, 0xA4, 0x35, 0x81, 0x2A, 0x0D, 0x55, 0xC4, 0x09, 0x69, 0x00, 0x86, 0xCC, 0x28, 0x7F, 0x00, 0x00,
    0x81, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x00, 0x21, 0xB0, 0x14, 0x00, 0xDC, 0x20, 0x81, 0x80,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x55, 0x00,
    0x00, 0x7F, 0x00
};

const WORD kLevelTable[CFESatVES18xx::kLevels] = {
    0, 1, 3, 4, 5, 6, 8, 9, 10, 12, 14, 16, 18, 20, 21, 22, 23, 24, 25, 25, 26, 27, 28, 29, 30, 31, 31, 32,
    33, 34, 34, 35, 36, 36, 37, 38, 39, 39, 40, 41, 41, 42, 43, 44, 44, 45, 46, 46, 47, 48, 49, 49, 50, 51,
    51, 52, 53, 53, 54, 55, 55, 56, 57, 57, 58, 59, 59, 60, 61, 61, 62, 63, 63, 64, 64, 65, 66, 66, 67, 68,
    68, 69, 69, 70, 71, 72, 72, 73, 74, 75, 75, 76, 77, 78, 78, 79, 80, 81, 82, 83, 83, 84, 85, 86, 87, 88,
    88, 89, 90, 91, 92, 93, 94, 95, 95, 96, 97, 98, 99, 100, 101, 102, 103, 104, 106, 107, 108, 109, 110, 111,
    113, 114, 116, 117, 119, 120, 122, 123, 125, 127, 128, 130, 132, 134, 136, 138, 140, 143, 147, 150, 153,
    157, 160, 163, 167, 170, 175, 180, 185, 190, 195, 200
};

// Search-machine step codes.
enum Code : WORD {
  kStarted = 0,
  kNoSignal = 1,
  kSignal = 2,
  kNoCarrier = 3,
  kWaiting = 4,
  kLockedUncorrected = 5,
  kUncounted = 6,
  kStepBack = 7,
  kNothingCounted = 8,
  kSameCount = 9,
  kDone = 10,
  kBetterCount = 11,
};

}  // namespace

CFESatVES18xx::CFESatVES18xx(IFrontendBus& bus) : CFEVes18xx(bus, kAddress, kWindowLow, kWindowHigh) {}

int CFESatVES18xx::Init() {
  WORD code = BusyCode();
  if (!code) {
    BYTE id = Read(0x1E);
    if (id == kIdentities[0] || id == kIdentities[1]) m_identity = 3;
  }
  Write(0x00, 0x00);
  for (BYTE r = 0; r < sizeof(kInitTable); ++r) Write(r, kInitTable[r]);
  return code || m_identity != 3 ? 2 : 0;
}

int CFESatVES18xx::SetChannel(WORD* code, DWORD freqKHz, DWORD loKHz, DWORD symbolRate, BYTE fec, BYTE inversion,
                              BYTE voltage, BOOL tone, BYTE width, DWORD diseqcArg, BOOL lnbControl) {
  DWORD ifKHz = freqKHz > loKHz ? freqKHz - loKHz : loKHz - freqKHz;
  if (ifKHz < kWindowLow || ifKHz > kWindowHigh) return 3;
  // Checked before the LNB supply is switched: a refused channel leaves the
  // box as it was, and no rate reaches a division.
  *code = 0;
  if (ifKHz < m_scanLow || ifKHz > m_scanHigh || fec > 8 || width > 15)
    *code = kBadArgument;
  else if (symbolRate < kMinSr || symbolRate > kMaxSr || (voltage != 0 && voltage != 13 && voltage != 18))
    *code = kOutOfRange;
  else
    *code = BusyCode();
  if (*code) return 2;
  m_spectrum = loKHz > freqKHz;
  m_lo = loKHz;
  m_tone = tone;
  m_lnbControl = lnbControl;
  if (m_lnbControl && !m_bus.SetLnbPwrPolF22(-1, -1, tone ? 1 : 0, 2, int(diseqcArg))) return 2;

  m_flags |= kChannelSet;
  m_flags &= ~(kRangeEnd | kLockFound);
  m_requestedKHz = ifKHz;
  m_symbolRate = symbolRate;
  m_width = width;
  m_mode = fec == 0 ? kAutomaticRate : WORD(fec - 1);
  m_mode |= inversion == 0 ? kInverted : inversion == 1 ? kNormal : 0;
  if (voltage == 13) m_mode |= kVoltageOn;
  if (voltage == 18) m_mode |= kVoltageOn | kVoltage18;
  if (tone && voltage) m_mode |= kToneWithVoltage;
  SetParams();
  m_tuned = true;
  return 0;
}

void CFESatVES18xx::SetParams() {
  const WORD inversion = m_mode & kInversionBits;
  Write(0x02, 0x35);
  Write(0x04, 0x6A);
  Write(0x0C, inversion == kNormal ? 0xCC : inversion == kInverted ? 0x8C : 0x0C);
  Write(0x0D, (m_mode & kAutomaticRate) ? 8 : BYTE(m_mode & 7));
  Write(0x11, 0x81);
  Write(0x1A, 0x01);
  Write(0x05, 0x0C);
  SetDecimation();
  SetSymbolRate();
  m_currentKHz = m_requestedKHz;
  Tune(m_currentKHz);
  SetLnbVoltage();
  m_zigZag = 2;
  StartLockSearch();
  Write(0x01, 0x94);
  Pulse(0x00, 0x00, 0x01);
}

void CFESatVES18xx::SetDecimation() {
  const DWORD q = DWORD(double(kClock) * 10 / m_symbolRate);
  // Checked from the top; the first bound q lies below stands.
  const struct {
    DWORD below;
    BYTE code;
  } kCodes[] = {{45, 0x00}, {60, 0x20}, {90, 0x01}, {120, 0x21}, {180, 0x02},
                {240, 0x22}, {360, 0x03}, {480, 0x23}, {720, 0x04}};
  BYTE code = 0x24;
  for (const auto& c : kCodes)
    if (q < c.below) {
      code = c.code;
      break;
    }
  m_decimation = BYTE(0x80 | code);
  Write(0x21, m_decimation);
  Write(0x20, q < 30 ? 0x89 : 0x81);
}

void CFESatVES18xx::SetSymbolRate() {
  const int k = m_decimation & 7;
  const double scale = std::ldexp(1.0, k);
  DWORD word = DWORD(std::lround(double(m_symbolRate) * 128 / kClock * 16384 * scale)) & 0xFFFFFF;
  Write(0x06, BYTE(word));
  Write(0x07, BYTE(word >> 8));
  Write(0x08, BYTE(word >> 16));
  long r09 = std::lround(double(kClock) * 32 / scale / m_symbolRate);
  Write(0x09, BYTE(r09 > 255 ? 255 : r09));
}

void CFESatVES18xx::Tune(DWORD f) {
  f = ClampToWindow(f);
  if (f < kWindowLow || f > kWindowHigh) return;
  const DWORD n = (8 * f + 500) / 1000;  // 125 kHz steps
  const DWORD word = n + 3836;
  const int pll[4] = {int(word >> 8), int(word & 0xFF), 0x95, 0x30};
  m_currentKHz = m_bus.WriteSeq(kTunerAddress >> 1, pll, 4) == 0 ? n * 125 : 0;
}

void CFESatVES18xx::SetLnbVoltage() {
  if (!m_lnbControl) return;
  BYTE r1f = BYTE(m_shadow[0x1F] & 0xCF);
  if (m_mode & kVoltageOn) r1f |= 0x20;
  if (m_mode & kVoltage18) r1f |= 0x10;
  Write(0x1F, r1f);
  m_bus.Sleep(32);
}

void CFESatVES18xx::SetSearchStep(int step) {
  m_step = step;
  Write(0x05, BYTE(step ? m_shadow[0x05] | 0x80 : m_shadow[0x05] & 0x7F));
  BYTE bandwidth = BYTE(step ? (step - 1) << 3 : 0);
  Write(0x21, BYTE((m_decimation & 0x67) | bandwidth));
}

DWORD CFESatVES18xx::StepWait(DWORD base) const {
  if (m_mode & kAutomaticRate) base += (m_mode & kInversionBits) ? 150000 : 300000;
  return base / (m_symbolRate / 1000);
}

void CFESatVES18xx::StartLockSearch() {
  Write(0x1A, BYTE(m_shadow[0x1A] & ~0x30));
  m_flags |= kSearching;
  SetSearchStep(0);
  m_wait = WORD(50000 / (m_symbolRate / 1000));
  m_searchState = 2;
  m_highRate = m_symbolRate > kHighRate;
}

void CFESatVES18xx::StopLockSearch() {
  m_flags &= ~kSearching;
  m_wait = 0;
  const DWORD rate = (Read(0x0D) >> 4) & 7;
  const double bits = double(m_symbolRate) * (rate + 1) * 2 / (rate + 2);
  const BYTE period = bits < 1e7 ? 1 : 2;
  Write(0x1A, BYTE((m_shadow[0x1A] & ~0x30) | period << 4));
  m_searchState = 0;
}

int CFESatVES18xx::GetAFC() {
  int v = Read(0x0A) & 0x7F;
  return v & 0x40 ? v - 0x80 : v;
}

int CFESatVES18xx::Correction(int afc) const { return -int((m_symbolRate + 64000) / 128000) * afc; }

bool CFESatVES18xx::Correct() {
  int afc = GetAFC();
  if (!afc) return false;
  Tune(DWORD(int(m_currentKHz) + Correction(afc)));
  Pulse(0x03, 0x00, 0x80);
  return true;
}

DWORD CFESatVES18xx::CountIfLocked() {
  bool counting = (m_status & 0x08) && !(Read(0x0F) & 0x08);
  return counting ? ErrorCount(0x15) : kNoCount;
}

// One step of the lock search; the step's code.
WORD CFESatVES18xx::Step() {
  for (;;) {
    switch (m_searchState) {
      case 0:
        SetSearchStep(0);
        m_searchState = 1;
        break;
      case 1:
        m_wait = WORD(50000 / (m_symbolRate / 1000));
        m_searchState = 2;
        return kStarted;
      case 2:
        if (Read(0x23) >= 241) {  // no signal at all
          if (m_step > 3 || m_highRate) {
            StopLockSearch();
            return kNoSignal;
          }
          SetSearchStep(m_step + 1);
          m_searchState = 1;
          break;
        }
        if (m_status & 0x01) {
          m_wait = WORD(StepWait(200000));
          m_bus.Sleep(4);
          m_searchState = 5;
          return kSignal;
        }
        if (m_step > 2) {
          StopLockSearch();
          return kNoCarrier;
        }
        SetSearchStep(m_step + 1);
        m_searchState = 1;
        break;
      case 5:
        m_keptErrors = CountIfLocked();
        m_corrected = m_keptErrors != kNoCount && Correct();
        m_searchState = 6;
        break;
      case 6:
        if (m_step > 3 || m_highRate) {
          if (m_keptErrors == kNoCount) {
            StopLockSearch();
            return kUncounted;
          }
          if (!m_corrected) {
            StopLockSearch();
            return kLockedUncorrected;
          }
          m_wait = WORD(StepWait(250000));
          m_searchState = 8;
          return kWaiting;
        }
        SetSearchStep(m_step + 1);
        m_wait = WORD(StepWait(250000));
        m_bus.Sleep(4);
        m_searchState = 7;
        return kWaiting;
      case 7: {
        if (m_keptErrors == kNoCount) Correct();
        DWORD errors = CountIfLocked();
        m_searchState = 8;
        if (m_keptErrors > errors) {
          StopLockSearch();
          return kBetterCount;
        }
        if (m_keptErrors == errors && errors == kNoCount) {
          StopLockSearch();
          return kNothingCounted;
        }
        SetSearchStep(m_step - 1);
        m_wait = WORD(StepWait(250000));
        m_bus.Sleep(5);
        return m_keptErrors < errors ? kStepBack : kSameCount;
      }
      default:
        StopLockSearch();
        return kDone;
    }
  }
}

void CFESatVES18xx::NewSearch() {
  StartLockSearch();
  Pulse(0x00, 0x00, 0x01);
}

bool CFESatVES18xx::ZigZag() {
  if (m_zigZag < 2) return false;
  if (m_symbolRate > DWORD(m_width) * 4347826) {
    m_zigZag = 1;
    return false;
  }
  const DWORD offset = (m_symbolRate + 4348) / 8696 * DWORD(m_zigZag / 2);
  if (offset > DWORD(m_width) * 500) {
    m_zigZag = 1;
    return false;
  }
  Tune(m_zigZag % 2 ? m_requestedKHz + offset : m_requestedKHz - offset);
  ++m_zigZag;
  Pulse(0x03, 0x00, 0x80);
  NewSearch();
  return true;
}

int CFESatVES18xx::Poll(WORD* state, DWORD waitMs) {
  if (!m_tuned) return 5;
  m_bus.Sleep(DWORD(m_wait) + 2);
  m_status = Read(0x0E);
  WORD result = kPollBusy;
  bool decided = true;
  if (!(m_flags & kHeld) && (m_flags & kSearching)) {
    WORD code = Step();
    if (code == kLockedUncorrected || code == kDone || code == kBetterCount) {
      m_flags = BYTE((m_flags & ~kScanning) | kLockFound);
      m_zigZag = 2;
    } else if (code == kNoSignal || code == kNoCarrier || code == kUncounted || code == kNothingCounted) {
      m_flags &= ~kLockFound;
    } else if (code == kWaiting || code == kStepBack || code == kSameCount) {
      m_bus.Sleep(3);
      Pulse(0x03, 0x00, 0x80);
    }
    decided = !(m_flags & kSearching);
  }
  if (decided && !(m_flags & kHeld) && !(m_flags & kLockFound)) {
    if (m_flags & kScanning) {
      if (m_flags & kRangeEnd) {
        // The window is swept: the scan ends here, not locked.
        m_flags &= ~kScanning;
        result = kPollNotLocked;
      } else {
        bool locked = m_status & 0x08;
        if (locked) Correct();
        Tune(m_currentKHz + ScanStepKHz(locked));
        NewSearch();
        decided = false;
      }
    } else if (ZigZag()) {
      decided = false;
    }
  }
  if (decided && result == kPollBusy) {
    m_status = Read(0x0E);
    if (!(m_status & 0x08)) {
      Pulse(0x00, 0x00, 0x01);
      result = kPollNotLocked;
    } else {
      if (std::abs(GetAFC()) > 20 && !(m_flags & kHeld)) Correct();
      result = kPollLocked;
    }
  }
  *state = result;
  if (waitMs) m_bus.Sleep(waitMs > 1000 ? 1002 : waitMs + 2);
  return 0;
}

int CFESatVES18xx::GetChannel(WORD* code, Channel* channel) {
  *code = 0;
  if (!m_tuned) return 5;
  channel->frequency = m_spectrum ? m_lo - m_currentKHz : m_lo + m_currentKHz;
  channel->symbolRate = m_symbolRate;
  channel->codeRate = ((Read(0x0D) >> 4) & 7) + 1;
  const WORD inversion = m_mode & kInversionBits;
  channel->inversion = inversion == kNormal ? 1 : inversion == kInverted ? 0 : (Read(0x0F) >> 1) & 1;
  channel->width = m_width;
  channel->voltage = (m_mode & kVoltageOn) ? ((m_mode & kVoltage18) ? 18 : 13) : 0;
  channel->tone = m_tone;
  return 0;
}

int CFESatVES18xx::GetSignal(WORD* code, Signal* signal, DWORD) {
  *code = 0;
  if (!m_tuned) return 5;
  *signal = Signal();
  const BYTE status = Read(0x0E);
  if (status & 0x08) {
    signal->afcKHz = Correction(GetAFC());
    NormaliseBer(ErrorCount(0x15), DWORD(((m_shadow[0x1A] >> 4) & 3) + 5), signal->berMantissa,
                 signal->berExponent);
    // A settled value: two reads in a row agree (a bounded number of tries).
    BYTE snr = Read(0x0B);
    for (int i = 1; i < kSnrReads; ++i) {
      BYTE again = Read(0x0B);
      if (again == snr) break;
      snr = again;
    }
    signal->snr = snr;
  } else {
    signal->berMantissa = 1;
    signal->berExponent = 0;
  }
  int a = Read(0x1C);
  a = a < 9 ? 9 : a > 170 ? 170 : a;
  signal->agc = BYTE(a);
  signal->level = kLevelTable[170 - a];
  signal->strength = WORD((170 - a) * 100 / 161);
  return 0;
}
