#include "FECabVES18xx.h"

#include <cstdlib>

namespace {

const DWORD kFs = 57840000;  // sampling clock, Hz
const DWORD kMinKHz = 45000, kMaxKHz = 860000;
const DWORD kMinSr = 50000, kMaxSr = 15000000;
const BYTE kIdentity = 0x7A;

// Mode byte: inversion in bits 6-7.
const BYTE kNormal = 0x40, kInverted = 0x80, kAutomatic = 0xC0;

// Registers 0x00, 0x01, 0x05, 0x08, 0x09 per QAM index (16 ... 256).
const BYTE kQamTable[5][5] = {
    {0x21, 0x8C, 0x87, 0x87, 0x91}, {0x25, 0x8C, 0x64, 0x64, 0x96}, {0x29, 0x6A, 0x46, 0x43, 0x6A},
    {0x2D, 0x78, 0x36, 0x34, 0x7E}, {0x31, 0x5C, 0x26, 0x23, 0x6B},
};

const BYTE kInitTable[53] = {0x69, 0x6A, 0x9B, 0x0A, 0x52, 0x46, 0x26, 0x1A, 0x43, 0x6A, 0xAA, 0xAA, 0x1E, 0x85,
                             0x43, 0x28, 0x60, 0x00, 0xA1, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01,
                             0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                             0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40};

// Search-machine step codes.
enum Code : WORD {
  kRestarted = 0,
  kStoppedNoSignal = 1,
  kWaitedLong = 2,
  kNoCarrier = 3,
  kWaiting = 4,
  kLockedBest = 5,
  kGaveUp = 6,
  kStepBack = 7,
  kDone = 10,
  kRetried = 12,
};

bool EndsBusy(WORD code) {
  return code == kRestarted || code == kWaitedLong || code == kWaiting || code == kStepBack || code == kRetried;
}

}  // namespace

CFECabVES18xx::CFECabVES18xx(IFrontendBus& bus, BYTE tunerAddress)
    : CFEVes18xx(bus, kAddress, kWindowLow, kWindowHigh), m_tuner(tunerAddress) {}

int CFECabVES18xx::Init() {
  m_analog = m_bus.GetAnalog();
  WORD code = BusyCode();
  if (!code && Read(0x1A) == kIdentity) m_identity = 3;
  Write(0x00, 0x00);
  // The board's PWM byte from the EEPROM (0x40 when blank or unreadable).
  const int offset[1] = {0xFF};
  int pwm = 0xFF;
  if (m_bus.CombinedSeq(0x50, offset, 1, &pwm, 1)) pwm = 0xFF;
  m_pwm = BYTE(pwm == 0xFF ? 0x40 : pwm);
  for (BYTE r = 0; r < sizeof(kInitTable); ++r) Write(r, kInitTable[r]);
  return code || m_identity != 3 ? 2 : 0;
}

void CFECabVES18xx::Tune(DWORD f) {
  f = ClampToWindow(f);
  int pll[4];
  double reached;
  if (m_tuner == 0xC4) {
    if (f < 40000 || f > 870000) return;
    DWORD n = (16 * f + 575300) / 1000;
    pll[0] = int(n / 256);
    pll[1] = int(n & 0xFF);
    pll[2] = 0x85;
    pll[3] = f <= 174000 ? 0x88 : f <= 470000 ? 0x84 : 0x81;
    reached = n * 62.5 - 35925;
  } else {
    DWORD ifKHz = m_analog ? 38900 : 36125;
    DWORD n = (16 * (ifKHz + f) + 500) / 1000;
    pll[0] = int(n >> 8);
    pll[1] = int(n & 0xFF);
    pll[2] = 0x8E;
    pll[3] = f <= 174000 ? 0xA1 : f <= 454000 ? 0x92 : 0x34;
    reached = n * 62.5 - ifKHz;
  }
  bool ok = m_bus.WriteSeq(m_tuner >> 1, pll, 4) == 0;
  m_bus.Sleep(100);
  if (ok) m_currentKHz = DWORD(reached);
}

void CFECabVES18xx::SetQAMParams() {
  const DWORD sr = m_symbolRate;
  int d = 0, h = 0;
  // Checked in this order; the last that applies stands.
  const struct {
    double below;
    int d, h;
  } kDecimation[] = {{kFs * 10.0 / 123, 0, 1}, {kFs / 16.0, 1, 0},   {kFs * 5.0 / 123, 1, 1},   {kFs / 32.0, 2, 0},
                     {kFs * 2.5 / 123, 2, 1},  {kFs / 64.0, 3, 0},   {kFs * 1.25 / 123, 3, 1}};
  for (const auto& k : kDecimation)
    if (sr < k.below) {
      d = k.d;
      h = k.h;
    }
  const BYTE* q = kQamTable[m_mode & 7];
  BYTE r0 = BYTE(q[0] | 0x40);
  BYTE inversion = m_mode & 0xC0;
  if (inversion == kNormal) r0 |= 0x20;
  if (inversion == kInverted) r0 &= ~0x20;
  if (inversion == kAutomatic) r0 = BYTE((r0 & ~0x20) | (m_shadow[0x00] & 0x20));
  Write(0x00, r0);
  Write(0x01, q[1]);
  Write(0x05, q[2]);
  Write(0x08, q[3]);
  Write(0x09, q[4]);
  Write(0x04, sr > 3000000 ? 0x52 : 0x5A);
  Write(0x03, BYTE(d * 64 + 10));
  Write(0x0E, BYTE(h * 16 + 0x43));
  DWORD w = DWORD(double(sr) / kFs * 16777216.0 * (1 << d));
  Write(0x0A, BYTE(w));
  Write(0x0B, BYTE(w >> 8));
  Write(0x0C, BYTE(w >> 16));
  DWORD r0D = DWORD(double(kFs) * 16 / (double(sr) * (1 << d)));
  Write(0x0D, BYTE(r0D > 255 ? 255 : r0D));
}

void CFECabVES18xx::SetGainStep(int step) {
  m_gainStep = step;
  Write(0x0E, BYTE((m_shadow[0x0E] & 0x1F) | (step << 5)));
}

void CFECabVES18xx::Restart() {
  Write(0x06, 0x24);
  Pulse(0x00, BYTE(m_shadow[0x00] & 0xFE), BYTE(m_shadow[0x00] | 0x01));
  m_wait = WORD(80000000 / m_symbolRate);
}

void CFECabVES18xx::WaitLong() {
  Write(0x06, 0x26);
  m_wait = WORD(250000000 / m_symbolRate);
}

void CFECabVES18xx::StartLockSearch() {
  m_flags |= kSearching;
  SetGainStep(1);
  Pulse(0x10, 0x18, 0x38);
  m_wait = WORD(80000000 / m_symbolRate);
  Write(0x02, 0x19);
  Write(0x06, 0x24);
  m_searchState = 2;
}

void CFECabVES18xx::StopLockSearch() {
  m_flags &= ~kSearching;
  m_wait = 0;
  int period = (DWORD(m_mode & 7) + 4) * m_symbolRate >= 10000000 ? 2 : 1;
  Pulse(0x10, BYTE(period * 64 + 0x18), BYTE(period * 64 + 0x38));
  Write(0x02, 0x1B);
  Write(0x06, 0x26);
  m_searchState = 0;
}

int CFECabVES18xx::GetAFC() {
  if (m_flags & kSearching) return 0;
  return static_cast<signed char>(Read(0x19));
}

int CFECabVES18xx::Correction(int afc) const { return afc * int((m_symbolRate + 512000) / 1024000); }

void CFECabVES18xx::Correct(int afc) {
  int c = Correction(afc);
  Tune(DWORD(int(m_currentKHz) + ((m_shadow[0x00] & 0x20) ? -c : c)));
}

DWORD CFECabVES18xx::MeasureBER(DWORD period) {
  if (period) {
    double bits = double((m_symbolRate + 500) / 1000) * ((m_mode & 7) + 4) * period;
    int code = bits >= 1e8 ? 3 : bits >= 1e7 ? 2 : bits >= 1e6 ? 1 : 0;
    Pulse(0x10, BYTE(code * 64 + 0x18), BYTE(code * 64 + 0x38));
    double ms = 1e5;
    for (int i = 0; i < code; ++i) ms *= 10;
    m_bus.Sleep(DWORD(ms / (m_symbolRate / 1000) / ((m_mode & 7) + 4)) + 2);
    m_bus.Sleep(12);
  }
  return ErrorCount(0x14);
}

// One step of the lock search; the step's code.
WORD CFECabVES18xx::Step() {
  bool carrier = (m_status & 0x04) && !(m_status & 0x40);
  for (;;) {
    switch (m_searchState) {
      case 0:
        SetGainStep(1);
        m_searchState = 1;
        break;
      case 1:
        Restart();
        m_searchState = 2;
        return kRestarted;
      case 2:
        if (Read(0x22)) {
          if (m_gainStep > 4) {
            StopLockSearch();
            return kStoppedNoSignal;
          }
          SetGainStep(m_gainStep + 1);
          m_searchState = 1;
          break;
        }
        WaitLong();
        m_searchState = 5;
        return kWaitedLong;
      case 5:
        m_searchState = 7;
        if (!carrier && (m_mode & 0xC0) == kAutomatic) {
          Write(0x00, BYTE(m_shadow[0x00] ^ 0x20));
          Restart();
          m_searchState = 6;
          return kRetried;
        }
        break;
      case 6:
        WaitLong();
        m_searchState = 7;
        return kWaiting;
      case 7:
        if (carrier) {
          m_keptErrors = ErrorCount(0x14);
          int afc = GetAFC();
          if (m_gainStep < 5) {
            if (afc) Correct(afc);
            SetGainStep(m_gainStep + 1);
            Restart();
            m_searchState = 8;
            return kRetried;
          }
          if (afc) {
            Correct(afc);
            Restart();
            m_searchState = 10;
            return kRetried;
          }
          StopLockSearch();
          return kDone;
        }
        if (Read(0x17) < 255 || m_gainStep > 4) {
          StopLockSearch();
          return kGaveUp;
        }
        SetGainStep(m_gainStep + 1);
        m_searchState = 1;
        break;
      case 8:
        WaitLong();
        m_searchState = 9;
        return kWaiting;
      case 9: {
        bool counted = (m_status & 0x06) == 0x06 && !(m_status & 0x40);
        DWORD errors = counted ? ErrorCount(0x14) : 65535;
        if (errors >= m_keptErrors) {
          SetGainStep(m_gainStep - 1);
          Restart();
          m_searchState = 10;
          return kStepBack;
        }
        StopLockSearch();
        return kLockedBest;
      }
      case 10:
        WaitLong();
        m_searchState = 11;
        return kWaiting;
      default:
        StopLockSearch();
        return kDone;
    }
  }
}

void CFECabVES18xx::ScanStep(BYTE status) {
  bool carrier = status & 0x04;
  int afc = GetAFC();
  if (carrier && afc) Correct(afc);
  Tune(m_currentKHz + ScanStepKHz(carrier));
}

int CFECabVES18xx::Poll(WORD* state, DWORD waitMs) {
  if (!m_tuned) return 5;
  m_bus.Sleep(DWORD(m_wait) + 2);
  m_status = Read(0x11);
  WORD result = kPollBusy;
  bool decided = false;
  if (!(m_flags & kHeld)) {
    if (m_flags & kSearching) {
      WORD code = Step();
      if (code == kLockedBest || code == kDone) {
        m_flags = BYTE((m_flags & ~kScanning) | kLockFound);
      } else if (code == kStoppedNoSignal || code == kNoCarrier || code == kGaveUp) {
        m_flags &= ~kLockFound;
      }
      decided = !EndsBusy(code);
    } else {
      decided = true;
    }
    if (decided && (m_flags & kScanning) && !(m_flags & kSearching)) {
      if (m_flags & kRangeEnd) {
        // The window is swept: the scan ends here, not locked.
        m_flags &= ~kScanning;
        result = kPollNotLocked;
      } else {
        ScanStep(m_status);
        StartLockSearch();
        Pulse(0x00, BYTE(m_shadow[0x00] & 0xFE), BYTE(m_shadow[0x00] | 0x01));
        decided = false;
      }
    }
  }
  if (decided && result == kPollBusy) {
    m_status = Read(0x11);
    if (!(m_status & 0x04)) {
      Pulse(0x00, BYTE(m_shadow[0x00] & 0xFE), BYTE(m_shadow[0x00] | 0x01));
      result = kPollNotLocked;
    } else {
      int afc = GetAFC();
      if (std::abs(afc) >= 81 && !(m_flags & kHeld)) Correct(afc);
      result = kPollLocked;
    }
  }
  *state = result;
  if (waitMs) m_bus.Sleep(waitMs > 1000 ? 1002 : waitMs + 2);
  return 0;
}

int CFECabVES18xx::SetChannel(WORD* code, DWORD freqKHz, DWORD, DWORD symbolRate, BYTE qam, BYTE inversion) {
  if (freqKHz < kMinKHz || freqKHz > kMaxKHz) return 3;
  *code = 0;
  if (freqKHz < m_scanLow || freqKHz > m_scanHigh || qam > 4)
    *code = kBadArgument;
  else if (symbolRate < kMinSr || symbolRate > kMaxSr)
    *code = kOutOfRange;
  else
    *code = BusyCode();
  if (*code) return 2;
  m_flags |= kChannelSet;
  m_flags &= ~kRangeEnd;
  m_requestedKHz = freqKHz;
  m_symbolRate = symbolRate;
  m_mode = BYTE(qam | (inversion == 0 ? kNormal : inversion == 1 ? kInverted : kAutomatic));
  m_currentKHz = m_requestedKHz;
  Tune(m_currentKHz);
  Write(0x1B, 0x01);
  Write(0x12, 0xA1);
  Write(0x20, 0x02);
  SetQAMParams();
  StartLockSearch();
  Pulse(0x00, BYTE(m_shadow[0x00] & 0xFE), BYTE(m_shadow[0x00] | 0x01));
  m_tuned = true;
  return 0;
}

int CFECabVES18xx::GetChannel(WORD* code, Channel* channel) {
  *code = 0;
  if (!m_tuned) return 5;
  BYTE r0 = Read(0x00);
  channel->frequency = m_currentKHz;
  channel->symbolRate = m_symbolRate;
  channel->qam = (r0 >> 2) & 7;
  channel->inversion = (r0 & 0x20) ? 0 : 1;
  return 0;
}

int CFECabVES18xx::GetSignal(WORD* code, Signal* signal, DWORD berPeriod) {
  *code = 0;
  if (!m_tuned) return 5;
  BYTE status = Read(0x11);
  *signal = Signal();
  if (status & 0x08) {
    signal->afcKHz = Correction(GetAFC());
    DWORD count = MeasureBER(berPeriod);
    NormaliseBer(count, DWORD((m_shadow[0x10] >> 6) + 5), signal->berMantissa, signal->berExponent);
  } else {
    signal->berMantissa = 1;
    signal->berExponent = 0;
  }
  signal->level = Read(0x17);
  signal->noise = Read(0x18);
  int n = signal->noise;
  signal->quality = WORD(n < 11 ? 100 : n <= 20 ? (210 - n) / 2 : n <= 70 ? (6550 - 90 * n) / 50 : 0);
  return 0;
}
