// SetFreq: the tuner PLL of each variant whose chips the front end programs
// itself, and the demodulator set-up that depends on the tuned frequency.
// PLL words are four bytes: divider high, divider low, control, band.
#include "FrontendCore.h"

#include "FrontendChips.h"

#include <cstdlib>

using namespace frontendchips;

namespace {

const DWORD kIfMin = 950000;  // the LNB's output band, kHz
const DWORD kIfMax = 2150000;
const DWORD kCableMin = 45000;
const DWORD kCableMax = 860000;
const DWORD kPllSettleMs = 50;
const DWORD kStvSettleMs = 20;
const DWORD kStepPauseMs = 20;
const double kStv0299ClockKHz = 88000;

// A satellite tuner's PLL by variant: where it sits and how its divider and
// band byte follow from the intermediate frequency (kHz).
struct SatellitePll {
  DWORD variant;
  BYTE tuner;
};
const SatellitePll kStv0299Tuners[] = {{15, 0xC2}, {18, 0xC2}, {20, 0xC0}, {24, 0xC0}, {27, 0xC2}};

BYTE Stv0299TunerAddress(DWORD variant) {
  for (const SatellitePll& p : kStv0299Tuners)
    if (p.variant == variant) return p.tuner;
  return 0xC2;
}

BYTE Stv0299Band(DWORD variant, DWORD ifKHz, DWORD sr) {
  if (variant == 18) return ifKHz < 1530500 ? 0xC4 : 0xC0;
  if (variant == 20 || variant == 24) {
    BYTE b = ifKHz < 1250000 ? 0x20 : ifKHz < 1550000 ? 0x60 : ifKHz < 2050000 ? 0xA0 : 0xE0;
    return BYTE(b | (sr < 4000000 ? 1 : 0));
  }
  return 0xC0;
}

DWORD Stv0299Divider(DWORD ifKHz) { return (2 * ifKHz + 500) / 1000; }  // 500 kHz steps

// The tuned frequency on the channel's scale from the tuned IF.
DWORD FromIf(DWORD freq, DWORD lo, DWORD tunedIf) { return lo > freq ? lo - tunedIf : lo + tunedIf; }

DWORD AbsDiff(DWORD a, DWORD b) { return a > b ? a - b : b - a; }

}  // namespace

DWORD CFrontendCore::SetFreq(DWORD freq, DWORD lo, DWORD sr, frontendtypes::_BANDWITH_TYPE, int flag) {
  DWORD v = m_dwVariant;
  if (v == 2 || v == 10) return SatelliteTuner(freq, lo, sr);
  if (IsStv0299(v)) return Stv0299Tuner(freq, lo, sr);
  if (IsVes1820(v)) return CableTuner(freq);
  if (IsOti7k(v)) {
    DWORD f = VerfifyCabTerFreq(freq);
    o7k_ChannelChange(f, v == 14 ? 1 : 0);
    return f;
  }
  if (v == 16) return SetFreq_64781_neu(freq, lo, flag);
  if (v == 19) return SetFreq_64781_6MHz(freq, lo, flag);
  if (IsScMain(v)) return ScMainTuner(freq);
  return 0;  // no tuner programming here
}

DWORD CFrontendCore::ScMainTuner(DWORD freq) {
  DWORD f = VerfifyCabTerFreq(freq);
  if (!m_pScMainDriver || f < 470000 || f > 860000) return 0;
  if (m_pScMainDriver->Stop() != CFETerScMain::kSuccess) return 0;
  DWORD n = (6 * f + 217502) / 1000;
  if (m_dwVariant == 8) {
    const int pll[4] = {int(n >> 8) & 0xFF, int(n & 0xFF), 0x85, f < 782000 ? 0x40 : 0x80};
    m_i2c.i2cWrite(0xC0, pll, 4);
    m_bus.Sleep(kStepPauseMs);
  }
  // Variant 7's tuner is the box's, set by its terrestrial-frequency
  // command, which this library does not send.
  if (m_pScMainDriver->SetTuning(55.0, 0.0, 2, 3, 2) != CFETerScMain::kSuccess) return 0;
  m_pScMainDriver->Restart();
  return (n * 1000 + 3) / 6 - 36167;
}

DWORD CFrontendCore::SatelliteTuner(DWORD freq, DWORD lo, DWORD) {
  DWORD ifKHz = AbsDiff(lo, freq);
  if (ifKHz < kIfMin || ifKHz > kIfMax) return 0;
  DWORD tunedIf;
  if (m_dwVariant == 2) {
    // 125 kHz steps above an offset of 479500 kHz.
    DWORD n = (8 * ifKHz + 3836500) / 1000;
    const int pll[4] = {int(n >> 8) & 0xFF, int(n & 0xFF), 0x95, 0x30};
    m_i2c.i2cWrite(0xC2, pll, 4);
    m_bus.Sleep(kPllSettleMs);
    ClrBit_1877_93();
    tunedIf = ((n * 1000) >> 3) - 479500;
  } else {
    DWORD n = (8 * ifKHz + 500) / 1000;
    const int pll[4] = {int(n >> 8) & 0xFF, int(n & 0xFF), ifKHz > 1900000 ? 0xCE : 0x8E, 0x00};
    m_i2c.i2cWrite(0xC0, pll, 4);
    m_bus.Sleep(kPllSettleMs);
    ClrBit_8083();
    tunedIf = (n * 1000) >> 3;
  }
  SetBER_Exp(100000);
  return FromIf(freq, lo, tunedIf);
}

DWORD CFrontendCore::Stv0299Tuner(DWORD freq, DWORD lo, DWORD sr) {
  DWORD v = m_dwVariant;
  DWORD ifKHz = AbsDiff(lo, freq);
  BYTE tuner = Stv0299TunerAddress(v);
  if (v == 27) {
    if (ifKHz <= 949999 || ifKHz >= 2150001) return 0;
    DWORD n = ifKHz * 500 / 250000;
    const int pll[4] = {int(n >> 8) & 0x7F, int(n & 0xFF), int(((n >> 10) & 0xE2) | 0x82), 0xA0};
    TunerI2CEnable();
    m_i2c.i2cWrite(tuner, pll, 4);
    m_bus.Sleep(kStvSettleMs);
    return freq;
  }
  if (ifKHz < kIfMin || ifKHz > kIfMax) return 0;
  DWORD n = Stv0299Divider(ifKHz);
  DWORD previous = Stv0299Divider(AbsDiff(lo, m_Channel.dwFrequency));
  if (n != previous) {
    BYTE band = Stv0299Band(v, ifKHz, sr);
    const int pll[4] = {int(n >> 8) & 0xFF, int(n & 0xFF), 0x82, band};
    TunerI2CEnable();
    m_i2c.i2cWrite(tuner, pll, 4);
    m_bus.Sleep(kStvSettleMs);
    if (v == 15 || v == 18) {
      // The charge-pump bits back to low current once the loop has settled.
      const int control[2] = {0x82, band & 0x3F};
      TunerI2CEnable();
      m_i2c.i2cWrite(tuner, control, 2);
    }
  }
  DWORD tuned = FromIf(freq, lo, (n * 1000 + 1) >> 1);
  // The rest of the offset goes to the demodulator's derotator.
  int d = int((long long)(int(freq) - int(tuned)) * 65536 / (long long)kStv0299ClockKHz);
  m_wAFCBase = WORD(d);
  m_i2c.WriteI2CReg(kStv0299, 0x22, BYTE(d >> 8));
  m_i2c.WriteI2CReg(kStv0299, 0x23, BYTE(d));
  return freq;
}

DWORD CFrontendCore::CableTuner(DWORD freq) {
  DWORD f = VerfifyCabTerFreq(freq);
  if (f < kCableMin || f > kCableMax) return 0;
  DWORD tuned;
  if (m_dwVariant == 3) {
    // 62.5 kHz steps, intermediate frequency 35937 kHz.
    DWORD n = (16 * f + 575492) / 1000;
    BYTE band = f <= 174000 ? 0x88 : f <= 470000 ? 0x84 : 0x81;
    const int pll[4] = {int(n >> 8) & 0xFF, int(n & 0xFF), 0x85, band};
    m_i2c.i2cWrite(0xC4, pll, 4);
    tuned = ((n * 1000) >> 4) - 35937;
  } else {
    DWORD if0 = m_bAnalog ? 38900 : 36150;
    DWORD n = ((f + if0) * 16 + 500) / 1000;
    BYTE band = f <= 174000 ? 0xA1 : f <= 454000 ? 0x92 : 0x34;
    const int pll[4] = {int(n >> 8) & 0xFF, int(n & 0xFF), 0x8E, band};
    m_i2c.i2cWrite(0xC2, pll, 4);
    tuned = ((n * 1000 + 8) >> 4) - if0;
  }
  m_bus.Sleep(kPllSettleMs);
  ClrBit_1820();
  SetBER_Exp(100000);
  return tuned;
}
