// The raw signal read-outs by variant: frequency error, bit-error rate, gain,
// the signal-quality word and the DVB-T transmission parameters. A failed
// register read gives 0 (the read routines clear their output) unless a
// failure value says otherwise.
#include "FrontendCore.h"

#include "FrontendChips.h"

#include <cstring>

using namespace frontendchips;

namespace {

// The TDA8083's bit-error rate by the top three bits of register 0x0B.
const double kTda8083Ber[8] = {1e-3, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8, 1e-9, 1e-10};

// Bytes first-lowest as a signed number of `bits` bits.
int SignExtend(DWORD v, int bits) {
  DWORD sign = DWORD(1) << (bits - 1);
  return int((v ^ sign) - sign);
}

}  // namespace

int CFrontendCore::GetAFC() {
  DWORD v = m_dwVariant;
  double sr = m_Channel.dwSymbolRate;
  BYTE r = 0;
  if (v == 2) {
    if (m_i2c.ReadVES18xx(kVes1893, 0x0A, r)) return -1;
    return int(sr * SignExtend(r & 0x7F, 7) / 128000);
  }
  if (IsVes1820(v)) {
    if (m_i2c.ReadVES18xx(kVes1820, 0x19, r)) return -1;
    return int(sr * SignExtend(r, 8) / 1024 / 1000);
  }
  if (v == 10) {
    BYTE b[3] = {};
    for (int i = 0; i < 3; ++i) m_i2c.ReadI2CReg(kTda8083, BYTE(0x05 + i), b[i]);
    int x = int((DWORD(b[0]) << 16) | (DWORD(b[1]) << 8) | b[2]);
    if (b[0] & 0x04) x = int(DWORD(x) | 0xFFF80000);
    return x * 122 / 1000;
  }
  if (IsStv0299(v)) {
    BYTE hi = 0, lo = 0;
    m_i2c.ReadI2CReg(kStv0299, 0x22, hi);
    m_i2c.ReadI2CReg(kStv0299, 0x23, lo);
    int d = short((hi << 8) + lo);
    return int((d - short(m_wAFCBase)) * -1.3427734375);
  }
  if (IsL64781(v)) {
    BYTE b[3] = {};
    m_i2c.ReadI2CMultiReg(L64781(v), 0x08, 3, b);
    return int(SignExtend(DWORD(b[0]) | DWORD(b[1]) << 8 | DWORD(b[2]) << 16, 24) * 1.704692840576172e-5);
  }
  if (v == 25 && m_pFw25Driver) {
    long afc = 0;
    m_pFw25Driver->GetAFC(&afc);
    return int(afc);
  }
  if ((v == 26 || v == 31) && Fw46InUse()) {
    long afc = 0;
    Fw46InUse()->GetAFC(&afc);
    return int(afc);
  }
  if (v == 17 && m_p0297Driver) {
    if (!m_bAnalog) {
      int raw = 0;
      m_p0297Driver->ReadCarrierOffsetRaw(raw);
      return int(sr * raw / 268435456.0 / 1000);
    }
    // The analog tuner's AFC window: low, centred, high.
    m_p0297Driver->WriteReg(0x87, 0x78);
    m_p0297Driver->WriteReg(0x86, 0xC8);
    int rd[1] = {0};
    m_i2c.i2cWriteRead(0xC6, nullptr, 0, rd, 1);
    int s = rd[0] & 7;
    return s < 3 ? 1 : s == 3 ? 0 : -1;
  }
  return 0;
}

double CFrontendCore::GetBER() {
  DWORD v = m_dwVariant;
  if (v == 2 || IsVes1820(v)) {
    BYTE addr = v == 2 ? kVes1893 : kVes1820;
    BYTE first = v == 2 ? 0x15 : 0x14;
    BYTE b[3] = {};
    for (int i = 0; i < 3; ++i) m_i2c.ReadVES18xx(addr, BYTE(first + i), b[i]);
    DWORD errors = ((DWORD(b[2]) << 16) + (DWORD(b[1]) << 8) + b[0]) & 0xFFFFF;
    return double(errors) / m_dwBERPeriod;
  }
  if (IsScMain(v)) {
    const int wr[2] = {0x0C, 0x07};
    int rd[2] = {0, 0};
    if (m_i2c.i2cWriteRead(kScMain, wr, 2, rd, 2)) return 0;
    return ((rd[0] << 8) + rd[1]) * 2.071319679194008e-6;
  }
  if (IsOti7k(v)) {
    int lock;
    OTI7K_Status st;
    return o7k_GetStatus(2, lock, &st) < 0 ? 0 : st.BER;
  }
  if (v == 10) {
    BYTE r = 0;
    m_i2c.ReadI2CReg(kTda8083, 0x0B, r);
    return kTda8083Ber[r >> 5];
  }
  if (IsStv0299(v)) {
    BYTE hi = 0, lo = 0;
    m_i2c.ReadI2CReg(kStv0299, 0x1D, hi);
    m_i2c.ReadI2CReg(kStv0299, 0x1E, lo);
    return ((hi << 8) + lo) / 2097152.0;
  }
  if (IsL64781(v)) {
    BYTE b[2] = {};
    if (m_i2c.ReadI2CMultiReg(L64781(v), 0x35, 2, b)) return -1.0;
    return ((DWORD(b[0]) | DWORD(b[1]) << 8) << 3) * 3.819447096838262e-7;
  }
  if (v == 25 && m_pFw25Driver) {
    double ber = 0;
    m_pFw25Driver->GetBER(&ber);
    return ber;
  }
  if ((v == 26 || v == 31) && Fw46InUse()) {
    double ber = 0;
    Fw46InUse()->GetBER(&ber);
    return ber;
  }
  if (v == 17 && m_p0297Driver) {
    // A measurement runs over a window: while it runs, the previous one stands.
    int running = 0;
    if (!m_p0297Driver->ReadFieldNow(0x80A0, running)) return m_dLastBer0297;
    if (running) return m_dLastBer0297;
    int hi = 0, lo = 0;
    if (!m_p0297Driver->ReadFieldNow(0xFFA2, hi) || !m_p0297Driver->ReadFieldNow(0xFFA1, lo)) return m_dLastBer0297;
    m_dLastBer0297 = ((hi << 8) | lo) / 8388608.0;
    m_p0297Driver->WriteField(0x80A0, 1);
    return m_dLastBer0297;
  }
  return 0;
}

BYTE CFrontendCore::GetAGC() {
  DWORD v = m_dwVariant;
  BYTE r = 0;
  if (v == 2)
    m_i2c.ReadVES18xx(kVes1893, 0x0B, r);
  else if (IsVes1820(v))
    m_i2c.ReadVES18xx(kVes1820, 0x17, r);
  else if (IsOti7k(v))
    return m_i2c.ReadI2CReg(kOti7k, 0x40, r) ? 0xAA : r;
  else if (v == 10)
    m_i2c.ReadI2CReg(kTda8083, 0x01, r);
  else if (IsStv0299(v))
    m_i2c.ReadI2CReg(kStv0299, 0x16, r);
  else if (IsL64781(v))
    m_i2c.ReadI2CReg(L64781(v), 0x0E, r);
  else if (v == 25 && m_pFw25Driver)
    return m_pFw25Driver->GetAGC();
  else if ((v == 26 || v == 31) && Fw46InUse())
    return Fw46InUse()->GetAGC();
  else if (v == 17 && m_p0297Driver) {
    int agc = 0, range = 0;
    if (!m_p0297Driver->ReadFieldNow(0x0342, range)) return 0;
    if (range) return 0xFF;
    return m_p0297Driver->ReadFieldNow(0xFF41, agc) ? BYTE(agc) : 0;
  }
  return r;
}

WORD CFrontendCore::GetSNR_SQE() {
  DWORD v = m_dwVariant;
  BYTE hi = 0, lo = 0;
  if (v == 2)
    m_i2c.ReadVES18xx(kVes1893, 0x1C, lo);
  else if (IsVes1820(v))
    m_i2c.ReadVES18xx(kVes1820, 0x18, lo);
  else if (v == 10)
    m_i2c.ReadI2CReg(kTda8083, 0x08, lo);
  else if (IsStv0299(v)) {
    m_i2c.ReadI2CReg(kStv0299, 0x24, hi);
    m_i2c.ReadI2CReg(kStv0299, 0x25, lo);
  } else if (IsL64781(v))
    return WORD(255 - GetAGC());
  else if (v == 25 && m_pFw25Driver)
    return m_pFw25Driver->GetSNR_SQE();
  else if ((v == 26 || v == 31) && Fw46InUse())
    return Fw46InUse()->GetSNR_SQE();
  else if (v == 17 && m_p0297Driver) {
    int h = 0, l = 0;
    m_p0297Driver->ReadFieldNow(0xFF08, h);
    m_p0297Driver->ReadFieldNow(0xFF07, l);
    return WORD((h << 8) | l);
  }
  return WORD((hi << 8) | lo);
}

int CFrontendCore::GetTPS(frontendtypes::_TYPE_TPS* tps) {
  DWORD v = m_dwVariant;
  if (v < 7 || v > 31) return 0;
  if (IsOti7k(v)) return tps ? o7k_GetTPS(tps) : -1;
  if (IsL64781(v)) return tps ? GetTPS64781(tps) : -1;
  if (v == 25) return m_pFw25Driver && tps ? m_pFw25Driver->GetTPS(tps) : -1;
  if (v == 26 || v == 31) return Fw46InUse() && tps ? Fw46InUse()->GetTPS(tps) : -1;
  if (IsScMain(v)) {
    DWORD out[8] = {};
    if (!m_pScMainDriver || !tps || m_pScMainDriver->GetTPS(out) != CFETerScMain::kSuccess) return -1;
    BYTE* bytes = &tps->bTPSExtra;  // bTPSExtra to bMode, in order
    for (int i = 0; i < 7; ++i) bytes[i] = BYTE(out[1 + i]);
    return 0;
  }
  return 0;
}

int CFrontendCore::GetTPS64781(frontendtypes::_TYPE_TPS* tps) {
  BYTE r[3] = {};
  if (m_i2c.ReadI2CMultiReg(L64781(m_dwVariant), 0x04, 3, r)) return -1;
  tps->bTPSExtra = (r[2] >> 5) & 3;
  tps->bConstellation = r[2] & 3;
  tps->bHierarchy = (r[2] >> 2) & 7;
  tps->bCodeRateHP = r[1] & 7;
  tps->bCodeRateLP = (r[1] >> 3) & 7;
  tps->bGuard = r[0] & 3;
  tps->bMode = (r[0] >> 2) & 3;
  return 0;
}
