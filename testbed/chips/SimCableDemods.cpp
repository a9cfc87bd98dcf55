// The QAM demodulator models: VES1820 and STV0297.
#include "SimDemodulator.h"

#include <cmath>

// The frequency error in units of (SR + 512 kSym/s) / 1024 kSym/s kHz, signed
// so that the front end's correction (subtracted while register 0x00 bit 5
// is set) moves towards the signal; 0 without a carrier.
BYTE CSimVes1820::AfcByte() {
  if (!CarrierLocked()) return 0;
  double unit = double(DWORD(SymbolRate() + 512000) / 1024000);
  if (unit < 1) unit = 1;
  long v = std::lround(ErrorKHz() / unit);
  if (Reg(0x00) & 0x20) v = -v;
  v = v < -128 ? -128 : v > 127 ? 127 : v;
  return BYTE(v & 0xFF);
}

double CSimVes1820::SymbolRate() {
  DWORD bdr = Reg(0x0A) | DWORD(Reg(0x0B)) << 8 | DWORD(Reg(0x0C) & 0x3F) << 16;
  return bdr / 0.29006252 / (1 << (Reg(0x03) >> 6));
}

DWORD CSimVes1820::QamSize() { return DWORD(16) << ((Reg(0x00) >> 2) & 7); }

int CSimVes1820::Inversion() { return (Reg(0x00) >> 5) & 1; }

void CSimVes1820::OnWrite(int reg, BYTE value) {
  if (reg == 0x00 && (value & 1)) Restart();  // the end of the restart pulse
}

BYTE CSimVes1820::OnRead(int reg) {
  bool locked = Locked(), carrier = CarrierLocked();
  switch (reg) {
    // Carrier (bit 2) with the FEC in lock (bit 3), or with the spectrum the
    // wrong way round (bit 6).
    case 0x11: return carrier ? BYTE(0x07 | (locked ? 0x08 : 0x40)) : 0x00;
    case 0x14:
    case 0x15:
    case 0x16: return locked ? BYTE(m_air.errors >> (8 * (reg - 0x14))) : 0xFF;
    case 0x17: return m_air.present ? m_air.agc : 0;
    case 0x18: return locked ? m_air.snr : 0xFF;
    case 0x19: return AfcByte();
    case 0x22: return 0;  // the AGC is not saturated
    default: return Reg(reg);
  }
}

double CSimStv0297::SymbolRate() {
  DWORD r = Reg(0x55) | DWORD(Reg(0x56)) << 8 | DWORD(Reg(0x57)) << 16 | DWORD(Reg(0x58)) << 24;
  return r * 28900.0 / 4294967296.0 * 1000;
}

DWORD CSimStv0297::QamSize() {
  static const DWORD kSizes[8] = {16, 32, 128, 256, 64, 0, 0, 0};
  return kSizes[(Reg(0x00) >> 4) & 7];
}

int CSimStv0297::Inversion() { return (Reg(0x83) >> 3) & 1; }

double CSimStv0297::InitialDemodKHz() { return (Reg(0x21) << 8 | Reg(0x20)) * 28900.0 / 65536; }

void CSimStv0297::OnWrite(int reg, BYTE) {
  if (reg == 0x58) Restart();
}

BYTE CSimStv0297::OnRead(int reg) {
  bool locked = Locked();
  BYTE lockBits = locked ? 0xFF : 0x00;
  switch (reg) {
    case 0x07: return locked ? BYTE(m_air.quality) : 0xFF;
    case 0x08: return locked ? BYTE(m_air.quality >> 8) : 0xFF;
    case 0x41: return m_air.present ? m_air.agc : 0;
    case 0x42: return locked ? BYTE(Reg(reg) & ~0x03) : Reg(reg);  // the AGC in range
    case 0x43: return BYTE((Reg(reg) & ~0x08) | (lockBits & 0x08));
    case 0x82: return BYTE((Reg(reg) & ~0x0C) | (lockBits & 0x0C));
    case 0xDF: return BYTE((Reg(reg) & 0x7F) | (lockBits & 0x80));
    case 0xA0: return BYTE(Reg(reg) & 0x7F);  // each measurement done at once
    case 0xA1: return locked ? BYTE(m_air.errors) : 0xFF;
    case 0xA2: return locked ? BYTE(m_air.errors >> 8) : 0xFF;
    default: break;
  }
  if (locked && reg >= 0x66 && reg <= 0x69) {
    // The carrier offset it measured, in 2^-28 of the symbol rate, rounded
    // away from zero.
    double offset = m_air.offsetKHz + (m_tuner ? m_air.freqKHz - m_tuner->TunedKHz() : 0);
    double units = offset * 268435456.0 / (SymbolRate() / 1000);
    DWORD raw = DWORD(long(offset < 0 ? std::floor(units) : std::ceil(units))) & 0x0FFFFFFF;
    if (reg == 0x69) return BYTE((Reg(reg) & 0xF0) | (raw >> 24));
    return BYTE(raw >> (8 * (reg - 0x66)));
  }
  return Reg(reg);
}
