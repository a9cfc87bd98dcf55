// The OTI7K COFDM demodulator of variants 9 and 14 at 0x86: it finds the
// transmission parameters itself, so a tune is initialisation, the PLL
// behind its tuner gate and a start sequence. Variant 9's box programs the
// PLL; variant 14's PLL at 0xC2 is written here.
#include "FrontendCore.h"

#include "FrontendChips.h"

#include <cstring>

using frontendchips::kOti7k;

namespace {

const BYTE kTuner = 0xC2;
const BYTE kGateReg = 0x0A;  // 0 open, 1 closed
const DWORD kMinKHz = 470000;
const DWORD kMaxKHz = 860000;
const DWORD kStartPauseMs = 50;
const double kBerScale = 1.1967677696078431e-6;

struct RegValue {
  BYTE reg, value;
};

// The initialisation; register 0x08 differs by mode (patched in).
const RegValue kInit[] = {{0x00, 0x02}, {0x08, 0x01}, {0x09, 0x00}, {0x0A, 0x01}, {0x16, 0x10},
                          {0x17, 0x07}, {0x18, 0x17}, {0x1A, 0x10}, {0x2E, 0x00}, {0x39, 0x00},
                          {0x3A, 0x04}, {0x45, 0x08}, {0x46, 0x00}, {0x47, 0x05}, {0x00, 0x01}};
const BYTE kMode1Reg08 = 0x05;

DWORD TunedKHz(DWORD n) { return (n * 1000 + 3) / 6 - 36167; }

}  // namespace

void CFrontendCore::o7k_InitOTI7K(int mode) {
  for (const RegValue& rv : kInit) {
    BYTE value = rv.reg == 0x08 && mode == 1 ? kMode1Reg08 : rv.value;
    m_i2c.WriteI2CReg(kOti7k, rv.reg, value);
  }
}

void CFrontendCore::o7k_EnableTunerI2C(int on) { m_i2c.WriteI2CReg(kOti7k, kGateReg, on ? 0 : 1); }

int CFrontendCore::o7k_GetStatus(BYTE mask, int& lock, OTI7K_Status* st) {
  if (st) *st = {1.0, 1.0, 255, 0};
  lock = 0;
  BYTE r = 0;
  if (m_i2c.ReadI2CReg(kOti7k, 0x00, r)) return -1;
  lock = (r & 1) ? 0 : 1;
  if (!st) return lock;
  if (mask & 2) {
    BYTE hi = 0, lo = 0;
    if (m_i2c.ReadI2CReg(kOti7k, 0x0D, hi) || m_i2c.ReadI2CReg(kOti7k, 0x0E, lo)) return -1;
    st->BER = (((hi & 0x7F) << 8) | lo) * kBerScale;
  }
  if (mask & 4) {
    if (m_i2c.ReadI2CReg(kOti7k, 0x0F, r)) return -1;
    st->reg0F = r;
  }
  if (mask & 8) {
    if (m_i2c.ReadI2CReg(kOti7k, 0x07, r)) return -1;
    st->lock = (r >> 4) & 1;
  }
  return lock;
}

int CFrontendCore::o7k_SetInversion(int inv) {
  BYTE r = 0;
  if (m_i2c.ReadI2CReg(kOti7k, 0x09, r)) return -1;
  r = BYTE(inv ? (r | 1) : (r & ~1));
  if (m_i2c.WriteI2CReg(kOti7k, 0x09, r)) return -1;
  m_nInversion = inv ? 1 : 0;
  return 0;
}

int CFrontendCore::o7k_GetTPS(frontendtypes::_TYPE_TPS* tps) {
  memset(tps, 0, sizeof(*tps));
  BYTE r = 0;
  if (m_i2c.ReadI2CReg(kOti7k, 0x07, r)) return -1;
  if (!(r & 0x20)) return 1;
  tps->dwDriver4[2] = 1;
  BYTE r1 = 0, r2 = 0, r3 = 0;
  if (m_i2c.ReadI2CReg(kOti7k, 0x01, r1) || m_i2c.ReadI2CReg(kOti7k, 0x02, r2) || m_i2c.ReadI2CReg(kOti7k, 0x03, r3))
    return -1;
  tps->bHierarchy = r1 & 7;
  tps->bConstellation = (r1 >> 3) & 3;
  tps->bTPSExtra = (r1 >> 5) & 3;
  tps->bCodeRateLP = r2 & 7;
  tps->bCodeRateHP = (r2 >> 3) & 7;
  tps->bMode = r3 & 3;
  tps->bGuard = (r3 >> 2) & 3;
  return 0;
}

BYTE CFrontendCore::o7k_GetOTI7K_ID() {
  BYTE r = 0;
  return m_i2c.ReadI2CReg(kOti7k, 0x2D, r) ? 0xFF : r;
}

DWORD CFrontendCore::o7k_SetTunerFreq(DWORD f, int mode) {
  if (f < kMinKHz || f > kMaxKHz || (mode != 0 && mode != 1)) return 0;
  // 166.67 kHz steps above an intermediate frequency of about 36167 kHz.
  DWORD n = (6 * f + 217502) / 1000;
  if (mode == 0) return TunedKHz(n);  // the box programs the PLL itself
  o7k_EnableTunerI2C(1);
  const int pll[4] = {int(n >> 8) & 0xFF, int(n & 0xFF), 0x85, 0x80};
  int result = m_i2c.i2cWrite(kTuner, pll, 4);
  o7k_EnableTunerI2C(0);
  return result == 0 ? TunedKHz(n) : 0;
}

DWORD CFrontendCore::o7k_ChannelChange(DWORD f, int mode) {
  o7k_InitOTI7K(mode);
  DWORD tuned = o7k_SetTunerFreq(f, mode);
  m_bus.Sleep(kStartPauseMs);
  BYTE r = 0;
  m_i2c.ReadI2CReg(kOti7k, 0x37, r);  // 0 on failure
  m_i2c.WriteI2CReg(kOti7k, 0x37, BYTE(r | 1));
  BYTE v = 0;
  m_i2c.ReadI2CReg(kOti7k, 0x08, v);
  m_i2c.WriteI2CReg(kOti7k, 0x08, BYTE((v & 0xFC) | 2));
  m_i2c.WriteI2CReg(kOti7k, 0x08, BYTE(v & 0xFC));
  m_i2c.WriteI2CReg(kOti7k, 0x00, 0x01);
  return tuned;
}
