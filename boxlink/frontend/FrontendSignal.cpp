// GetState's signal values for the variants whose chips the front end reads
// itself: the raw read-outs scaled per variant into a level and a quality
// percentage.
#include "FrontendCore.h"

#include "FrontendChips.h"

#include <cmath>

using namespace frontendchips;

namespace {

// The VES1893's level per SNR byte, from 9 (strongest) to 170.
const BYTE kVes1893FirstSnr = 9;
const BYTE kVes1893LastSnr = 170;
const BYTE kVes1893Level[kVes1893LastSnr - kVes1893FirstSnr + 1] = {
    200, 195, 190, 185, 180, 175, 170, 167, 163, 160, 157, 153, 150, 147, 143, 140, 138, 136, 134, 132, 130,
    128, 127, 125, 123, 122, 120, 119, 117, 116, 114, 113, 111, 110, 109, 108, 107, 106, 104, 103, 102, 101,
    100, 99,  98,  97,  96,  95,  95,  94,  93,  92,  91,  90,  89,  88,  88,  87,  86,  85,  84,  83,  83,
    82,  81,  80,  79,  78,  78,  77,  76,  75,  75,  74,  73,  72,  72,  71,  70,  69,  69,  68,  68,  67,
    66,  66,  65,  64,  64,  63,  63,  62,  61,  61,  60,  59,  59,  58,  57,  57,  56,  55,  55,  54,  53,
    53,  52,  51,  51,  50,  49,  49,  48,  47,  46,  46,  45,  44,  44,  43,  42,  41,  41,  40,  39,  39,
    38,  37,  36,  36,  35,  34,  34,  33,  32,  31,  31,  30,  29,  28,  27,  26,  25,  25,  24,  23,  22,
    21,  20,  18,  16,  14,  12,  10,  9,   8,   6,   5,   4,   3,   1,   0};

// The STV0299 and STV0297 level from their 16-bit quality word.
WORD StLevel(WORD v) {
  double l = 190 - v * 0.017;
  return l <= 0 ? 0 : WORD(l);
}

WORD Limit100(int q) { return WORD(q > 100 ? 100 : q); }

// Terrestrial quality from the low byte of the quality word.
WORD TerrestrialQuality(BYTE s) {
  if (s < 128) return 0;
  if (s <= 204) return 100;
  return WORD((255 - s) * 2);
}

// The VES1820's quality from its SNR byte.
WORD CableQuality(BYTE s) {
  if (s <= 10) return 100;
  if (s > 70) return 0;
  if (s <= 20) return WORD((210 - s) * 5 / 10);
  return WORD((6550 - 90 * s) / 50);
}

// A VES18xx driver's signal record as GetState reports it.
void FillVesSignal(frontendtypes::_SIGNAL_TYPE& signal, int afc, DWORD berMantissa, DWORD berExponent, BYTE agc,
                   BYTE snr, WORD level, WORD quality) {
  signal.nAFC = afc;
  signal.dBER = berMantissa * std::pow(10.0, -double(berExponent));
  signal.bAGC = agc;
  signal.bSNR = snr;
  signal.wLevel = level;
  signal.wQuality = quality;
}

}  // namespace

void CFrontendCore::FillSignalCabVes(frontendtypes::_SIGNAL_TYPE& signal) {
  WORD code = 0;
  CFECabVES18xx::Signal rec = {};
  m_pCabVes->GetSignal(&code, &rec, 100);
  FillVesSignal(signal, rec.afcKHz, rec.berMantissa, rec.berExponent, rec.level, rec.noise, rec.level, rec.quality);
}

void CFrontendCore::FillSignalSatVes(frontendtypes::_SIGNAL_TYPE& signal) {
  WORD code = 0;
  CFESatVES18xx::Signal rec = {};
  m_pSatVes->GetSignal(&code, &rec, 100);
  FillVesSignal(signal, rec.afcKHz, rec.berMantissa, rec.berExponent, rec.agc, rec.snr, rec.level, rec.strength);
}

void CFrontendCore::FillSignal(frontendtypes::_SIGNAL_TYPE& signal) {
  DWORD v = m_dwVariant;
  if (SatVesInUse()) return FillSignalSatVes(signal);
  if (CabVesInUse()) return FillSignalCabVes(signal);
  signal.nAFC = GetAFC();
  signal.dBER = GetBER();
  signal.bAGC = GetAGC();
  WORD q = GetSNR_SQE();
  BYTE low = BYTE(q), high = BYTE(q >> 8);
  if (v == 2) {
    BYTE c = low < kVes1893FirstSnr ? kVes1893FirstSnr : low > kVes1893LastSnr ? kVes1893LastSnr : low;
    signal.bSNR = low;
    signal.wLevel = kVes1893Level[c - kVes1893FirstSnr];
    signal.wQuality = WORD((kVes1893LastSnr - c) * 100 / 161);
  } else if (v == 10) {
    signal.bSNR = low;
    signal.wLevel = WORD(30 + std::lround(low * 90.0 / 255));
    signal.wQuality = WORD(low * 100 / 255);
  } else if (IsStv0299(v)) {
    WORD level = StLevel(q);
    signal.bSNR = high;
    signal.wLevel = level;
    signal.wQuality = m_bUseSatDriver ? Limit100(level * 150 / 190) : WORD(level * 100 / 190);
  } else if (v == 17) {
    WORD level = StLevel(q);
    signal.bSNR = high;
    signal.wLevel = level;
    signal.wQuality = WORD(level * 100 / 190);
  } else if (IsVes1820(v)) {
    signal.bSNR = low;
    signal.wLevel = 0;
    signal.wQuality = CableQuality(low);
  } else if (v >= 28 && v <= 30) {
    signal.bSNR = 0;
    signal.wLevel = 0;
    CFESatVer::Signal driver = {};
    if (m_pSatVerDriver) {
      if (!m_satVerSignalRead) m_pSatVerDriver->GetStatus(nullptr, &m_satVerSignal);
      driver = m_satVerSignal;
      signal.nAFC = driver.offsetKHz;
      signal.dBER = driver.ber;
      signal.bAGC = driver.agc;
    }
    signal.wQuality = Limit100(int(driver.strength * 1.7));
  } else if (v == 25) {
    signal.wLevel = DspLevel(low);
    signal.wQuality = Fw25Quality(signal.wLevel);
  } else if (v == 26 || v == 31) {
    signal.wLevel = DspLevel(low);
    signed char strength = 0;
    CFETerFw46* driver = Fw46InUse();
    if (driver && driver->GetSignalLevel(strength) == 0) signal.wQuality = Fw46Quality(strength);
    int blocks = 0;
    if (driver) driver->GetUncorrected(blocks);
  } else if (IsOti7k(v) || IsScMain(v) || IsL64781(v)) {
    signal.bSNR = low;
    signal.wLevel = 0;
    signal.wQuality = TerrestrialQuality(low);
  }
}

WORD CFrontendCore::DspLevel(BYTE quality) {
  if (quality == 0) return 250;
  return WORD(-100 * std::log10(quality / 255.0));
}

WORD CFrontendCore::Fw25Quality(WORD level) {
  double x = level * 0.1;
  return WORD(std::pow(1.2, x) + 0.166 * x);
}

WORD CFrontendCore::Fw46Quality(int g) {
  if (g < -100) return 0;
  if (g > -30) return 100;
  return WORD((g + 100) * 100 / 70);
}
