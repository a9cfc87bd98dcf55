// The demodulator set-up routines by variant: symbol rate, spectral
// inversion, QAM size, code rate, the bit-error window, the STV0299's search
// bits and tuner repeater, the PWM output and the analog lock. The register
// tables double as shadows: a routine changes bits in them and writes the
// changed byte.
#include "FrontendCore.h"

#include "FrontendChips.h"
#include "FrontendTables.h"

#include <cmath>

using namespace frontendchips;
using frontendtables::g_8083;
using frontendtables::g_Stv0299;
using frontendtables::g_VesCable;
using frontendtables::g_VesSatellite;

namespace {

// VES1820 registers 0x01, 0x05, 0x08, 0x09 per QAM code (16 ... 256-QAM).
const BYTE kVes1820Qam[5][4] = {
    {0x91, 0xA4, 0xA2, 0x91}, {0x96, 0x78, 0x74, 0x96}, {0x6A, 0x46, 0x43, 0x6A},
    {0x7E, 0x36, 0x34, 0x7E}, {0x6B, 0x26, 0x23, 0x6B},
};
const BYTE kVes1820QamRegs[4] = {0x01, 0x05, 0x08, 0x09};

// The VES1893's decimation: index D for the first limit the ratio of symbol
// rate to its 90.1 MHz clock stays below (9 for the first).
const double kVes1893Decimation[] = {0.0137,   0.020833, 0.027,    0.041667, 0.055,
                                     0.083333, 0.11,     0.166667, 0.22,     0.333333};

// The STV0299's loop bandwidth pair (register 0x13 low bits, register 0x14
// low bits) by symbol rate.
struct LoopBandwidth {
  DWORD below;
  BYTE l, a;
};
const LoopBandwidth kStv0299Loops[] = {
    {1500000, 7, 0x07}, {3000000, 7, 0x0B}, {7000000, 7, 0x0F}, {14000000, 7, 0x13}, {30000000, 6, 0x13},
};

// Bit-error window codes: 10^5, 10^6, 10^7, 10^8 bits.
const DWORD kBerWindows[4] = {100000, 1000000, 10000000, 100000000};
const BYTE k8083BerBits[4] = {0x00, 0x20, 0x50, 0x80};

}  // namespace

DWORD CFrontendCore::SetSymRate(DWORD sr) {
  DWORD v = m_dwVariant;
  if (v == 2) {
    // The rates below are divided by sr: 0 is out of range.
    if (sr == 0) return 0;
    double r = sr * 1.1098779e-8;
    int d = -1;
    for (int i = 0; i < 10 && d < 0; ++i)
      if (r < kVes1893Decimation[i]) d = 9 - i;
    BYTE r20 = 0x81, r21;
    if (d < 0) {
      d = 0;
      r20 = 0x89;
      r21 = 0x80;
    } else {
      r21 = BYTE(0x88 | ((d & 1) << 5) | (d >> 1));
    }
    int e = d >> 1;
    DWORD bdr = DWORD(std::ldexp(1.0, 21 + e) * sr * 1.1098779134295227e-8 + 0.5);
    DWORD bdri = DWORD(2883200000.0 / sr / std::ldexp(1.0, e) + 0.5);
    if (bdri > 255) bdri = 255;
    const BYTE values[6][2] = {
        {0x06, BYTE(bdr)}, {0x07, BYTE(bdr >> 8)}, {0x08, BYTE((bdr >> 16) & 0x0F)}, {0x09, BYTE(bdri)}, {0x20, r20},
        {0x21, r21}};
    for (const auto& rv : values) {
      g_VesSatellite[rv[0]] = rv[1];
      m_i2c.WriteVES18xx(kVes1893, rv[0], rv[1]);
    }
    ClrBit_1877_93();
    SetBER_Exp(100000);
    return sr;
  }
  if (IsVes1820(v)) {
    if (sr == 0) return 0;
    int n = sr < 903750 ? 3 : sr < 1807500 ? 2 : sr < 3615000 ? 1 : 0;
    double x = std::ldexp(double(sr), n);
    DWORD bdr = DWORD(x * 0.29006252);
    DWORD bdri = DWORD(925440000.0 / x);
    if (bdri > 255) bdri = 255;
    BYTE sfil = sr >= 587804.88 ? 1 : 0;
    m_i2c.WriteVES18xx(kVes1820, 0x03, BYTE(g_VesCable[0x03] | (n << 6)));
    m_i2c.WriteVES18xx(kVes1820, 0x0A, BYTE(bdr));
    m_i2c.WriteVES18xx(kVes1820, 0x0B, BYTE(bdr >> 8));
    m_i2c.WriteVES18xx(kVes1820, 0x0C, BYTE((bdr >> 16) & 0x3F));
    m_i2c.WriteVES18xx(kVes1820, 0x0D, BYTE(bdri));
    m_i2c.WriteVES18xx(kVes1820, 0x0E, BYTE(g_VesCable[0x0E] | (sfil << 4)));
    if (v == 4) m_i2c.WriteVES18xx(kVes1820, 0x0F, m_bAnalog ? 0x68 : 0x28);
    ClrBit_1820();
    SetBER_Exp(100000);
    return sr;
  }
  if (v == 10) {
    if (sr < 12000000 || sr > 30000000) return 0;
    BYTE code = sr < 16000000 ? 3 : sr < 24000000 ? 2 : 0;
    DWORD ratio = DWORD(134217728000000ULL / sr);
    m_i2c.WriteI2CReg(kTda8083, 0x05, code);
    m_i2c.WriteI2CReg(kTda8083, 0x02, BYTE(ratio >> 16));
    m_i2c.WriteI2CReg(kTda8083, 0x03, BYTE(ratio >> 8));
    m_i2c.WriteI2CReg(kTda8083, 0x04, BYTE(ratio));
    ClrBit_8083();
    return sr;
  }
  if (IsStv0299(v)) {
    SetSTV0299Search(true);
    if (sr < 1000000 || sr >= 45000000) return 0;
    BYTE l = 4, a = 0x11;
    for (const LoopBandwidth& loop : kStv0299Loops)
      if (sr < loop.below) {
        l = loop.l;
        a = loop.a;
        break;
      }
    DWORD x = DWORD((unsigned long long)sr * (1u << 20) / 88000000);
    g_Stv0299[0x14] = BYTE((g_Stv0299[0x14] & 0xC0) | a);
    const BYTE writes[7][2] = {{0x22, BYTE(m_wAFCBase >> 8)}, {0x23, BYTE(m_wAFCBase)}, {0x1F, BYTE(x >> 12)},
                               {0x21, BYTE((x << 4) & 0xF0)}, {0x20, BYTE(x >> 4)},     {0x13, BYTE(0xB0 | l)},
                               {0x14, g_Stv0299[0x14]}};
    for (const auto& w : writes) m_i2c.WriteI2CReg(kStv0299, w[0], w[1]);
    return sr;
  }
  return 0;
}

int CFrontendCore::SetInversion(int inv) {
  DWORD v = m_dwVariant;
  auto setBits = [](BYTE& shadow, BYTE mask, BYTE bits) { shadow = BYTE((shadow & ~mask) | bits); };
  int stored = inv == 2 ? 0 : inv;
  if (v == 2) {
    setBits(g_VesSatellite[0x0C], 0xC0, inv == 0 ? 0xC0 : inv == 1 ? 0x80 : 0x00);
    if (m_i2c.WriteVES18xx(kVes1893, 0x0C, g_VesSatellite[0x0C])) return -1;
    stored = inv;
  } else if (IsVes1820(v)) {
    setBits(g_VesCable[0x00], 0x20, inv == 1 ? 0x20 : 0x00);
    if (m_i2c.WriteVES18xx(kVes1820, 0x00, g_VesCable[0x00])) return -1;
  } else if (IsOti7k(v)) {
    if (inv > 1) inv = 1;
    o7k_SetInversion(inv);
    stored = inv;
  } else if (v == 10) {
    setBits(g_8083[0x01], 0x60, inv == 0 ? 0x20 : inv == 1 ? 0x60 : 0x00);
    m_i2c.WriteI2CReg(kTda8083, 0x01, g_8083[0x01]);
    stored = inv;
  } else if (IsStv0299(v)) {
    // The boards wire the spectrum differently.
    bool set = (v == 15 || v == 27) ? inv == 0 : inv == 1;
    setBits(g_Stv0299[0x0C], 0x01, set ? 0x01 : 0x00);
    m_i2c.WriteI2CReg(kStv0299, 0x0C, g_Stv0299[0x0C]);
  } else if (IsL64781(v)) {
    using frontendtables::g_64781;
    bool set = v == 16 ? inv == 1 : inv == 0;
    setBits(g_64781[0x0D], 0x40, set ? 0x40 : 0x00);
    m_i2c.WriteI2CReg(L64781(v), 0x0D, g_64781[0x0D]);
    if (v == 19) stored = inv == 0 ? 1 : 0;
  } else if (v == 25 && m_pFw25Driver) {
    m_pFw25Driver->SetInversion(stored);
  } else if ((v == 26 || v == 31) && Fw46InUse()) {
    Fw46InUse()->SetInversion(stored);
  }
  m_nInversion = stored;
  return 0;
}

int CFrontendCore::GetInversion() {
  DWORD v = m_dwVariant;
  BYTE r = 0;
  if (v == 2) {
    if (!(g_VesSatellite[0x0C] & 0x80)) {
      m_i2c.ReadVES18xx(kVes1893, 0x0F, r);
      return (r & 0x02) ? 0 : 1;
    }
    return (g_VesSatellite[0x0C] & 0x40) ? 0 : 1;
  }
  if (IsVes1820(v)) return (g_VesCable[0x00] >> 5) & 1;
  if (IsOti7k(v)) {
    m_i2c.ReadI2CReg(kOti7k, 0x09, r);
    return r & 1;
  }
  if (v == 10) {
    if (!(g_8083[0x01] & 0x20)) {
      m_i2c.ReadI2CReg(kTda8083, 0x0E, r);
      return r >> 7;
    }
    return (g_8083[0x01] >> 6) & 1;
  }
  if (IsStv0299(v)) {
    m_i2c.ReadI2CReg(kStv0299, 0x0C, r);
    return (v == 15 || v == 27) ? !(r & 1) : (r & 1);
  }
  if (IsL64781(v)) {
    m_i2c.ReadI2CReg(L64781(v), 0x0D, r);
    int bit = (r >> 6) & 1;
    return v == 16 ? bit : !bit;
  }
  if (m_Type == frontendtypes::FE_NONE) return 0;
  return m_Channel.dwInversion == 0 ? 1 : m_Channel.dwInversion == 1 ? 0 : 2;
}

void CFrontendCore::SetQAM(frontendtypes::_QAM_TYPE q) {
  if (!IsVes1820(m_dwVariant) || unsigned(q) > 4) return;
  g_VesCable[0x00] = BYTE((g_VesCable[0x00] & ~0x1C) | (q << 2));
  for (int i = 0; i < 4; ++i) {
    g_VesCable[kVes1820QamRegs[i]] = kVes1820Qam[q][i];
    m_i2c.WriteBlockVES18xx(kVes1820, kVes1820QamRegs[i], 1, &kVes1820Qam[q][i]);
  }
}

void CFrontendCore::SetViterbi(frontendtypes::_VITERBI_TYPE v) {
  if (m_dwVariant != 2) return;
  m_i2c.WriteVES18xx(kVes1893, 0x0D, v == 0 ? 8 : BYTE(v - 1));
}

void CFrontendCore::SetBER_Exp(DWORD bits) {
  int code = bits == 100000 ? 0 : bits == 10000000 ? 2 : bits == 100000000 ? 3 : 1;
  m_dwBERPeriod = kBerWindows[code];
  DWORD v = m_dwVariant;
  if (v == 2) {
    g_VesSatellite[0x1A] = BYTE((g_VesSatellite[0x1A] & ~0x30) | (code << 4));
    m_i2c.WriteVES18xx(kVes1893, 0x1A, g_VesSatellite[0x1A]);
  } else if (IsVes1820(v)) {
    g_VesCable[0x10] = BYTE((g_VesCable[0x10] & 0x3F) | (code << 6));
    m_i2c.WriteVES18xx(kVes1820, 0x10, g_VesCable[0x10]);
  } else if (v == 10) {
    g_8083[0x16] = BYTE(k8083BerBits[code] | (g_8083[0x16] & 0x0F));
    m_i2c.WriteI2CReg(kTda8083, 0x16, g_8083[0x16]);
  }
}

void CFrontendCore::SetSTV0299Search(bool on) {
  g_Stv0299[0x14] = BYTE((g_Stv0299[0x14] & 0x3F) | (on ? 0x40 : 0x80));
  m_i2c.WriteI2CReg(kStv0299, 0x12, on ? 0xB9 : 0x39);
  m_i2c.WriteI2CReg(kStv0299, 0x14, g_Stv0299[0x14]);
}

// Opens the STV0299's repeater for the next transfer to the tuner.
void CFrontendCore::TunerI2CEnable() {
  if (IsStv0299(m_dwVariant)) m_i2c.WriteI2CReg(kStv0299, 0x05, 0x85);
}

// A pulse on bit 0 of register 0 restarts the demodulator.
void CFrontendCore::ClrBit_1820() {
  m_i2c.WriteVES18xx(kVes1820, 0x00, BYTE(g_VesCable[0] & 0xFE));
  m_i2c.WriteVES18xx(kVes1820, 0x00, g_VesCable[0]);
}

void CFrontendCore::ClrBit_1877_93() {
  m_i2c.WriteVES18xx(kVes1893, 0x00, BYTE(g_VesSatellite[0] & 0xFE));
  m_i2c.WriteVES18xx(kVes1893, 0x00, g_VesSatellite[0]);
}

void CFrontendCore::ClrBit_8083() {
  m_i2c.WriteI2CReg(kTda8083, 0x00, 0x3C);
  m_i2c.WriteI2CReg(kTda8083, 0x00, 0x04);
}

void CFrontendCore::SetPWM(BYTE value) {
  if (m_dwVariant == 4) {
    g_VesCable[0x34] = value;
    m_i2c.WriteVES18xx(kVes1820, 0x34, value);
  } else if (m_dwVariant == 17 && m_p0297Driver) {
    m_p0297Driver->WriteReg(0x4A, 0);
    m_p0297Driver->WriteReg(0x4B, value);
  }
}

void CFrontendCore::SetFinePWM(WORD value) {
  if (m_dwVariant != 17 || !m_p0297Driver) return;
  m_p0297Driver->WriteReg(0x4A, BYTE(value));
  m_p0297Driver->WriteReg(0x4B, BYTE(value >> 8));
}

int CFrontendCore::IsAnalogLocked() {
  const int wr[1] = {0x1F};
  int rd[1] = {0};
  if (m_i2c.i2cWriteRead(kAnalogDemod, wr, 1, rd, 1)) return 0;
  return rd[0] & 1;
}
