// The QPSK demodulator models: VES1893, TDA8083, STV0299.
#include "SimDemodulator.h"

#include <cmath>

namespace {

BYTE ErrorByte(DWORD errors, int n) { return BYTE(errors >> (8 * n)); }

}  // namespace

double CSimVes1893::SymbolRate() {
  BYTE r21 = Reg(0x21);
  int d = Reg(0x20) == 0x89 ? 0 : ((r21 & 7) << 1) | ((r21 >> 5) & 1);
  DWORD bdr = Reg(0x06) | DWORD(Reg(0x07)) << 8 | DWORD(Reg(0x08) & 0x0F) << 16;
  return bdr / (std::ldexp(1.0, 21 + (d >> 1)) * 1.1098779134295227e-8);
}

int CSimVes1893::Inversion() {
  switch (Reg(0x0C) >> 6) {
    case 2: return 1;
    case 0: return 2;
    default: return 0;
  }
}

void CSimVes1893::OnWrite(int reg, BYTE value) {
  if (reg == 0x00 && (value & 1)) Restart();  // the end of the restart pulse
}

BYTE CSimVes1893::OnRead(int reg) {
  bool locked = Locked();
  switch (reg) {
    case 0x0A: return 0;  // no frequency error
    case 0x0B: return m_air.present ? m_air.agc : 0;
    case 0x0E: return locked ? 0x1F : 0x00;
    case 0x0F: return m_air.inverted ? 0x00 : 0x02;  // the inversion found
    case 0x15:
    case 0x16:
    case 0x17: return locked ? ErrorByte(m_air.errors, reg - 0x15) : 0xFF;
    case 0x1C: return locked ? m_air.snr : 0xFF;
    default: return Reg(reg);
  }
}

double CSimTda8083::SymbolRate() {
  DWORD v = DWORD(Reg(0x02)) << 16 | DWORD(Reg(0x03)) << 8 | Reg(0x04);
  if (v == 0) return 0;
  double sr = 134217728000000.0 / v;
  // The decimation code must suit the rate.
  BYTE code = sr < 16000000 ? 3 : sr < 24000000 ? 2 : 0;
  return Reg(0x05) == code ? sr : 0;
}

int CSimTda8083::Inversion() {
  switch ((Reg(0x01) >> 5) & 3) {
    case 3: return 1;
    case 0: return 2;
    default: return 0;
  }
}

void CSimTda8083::OnWrite(int reg, BYTE) {
  if (reg >= 0x02 && reg <= 0x04) Restart();
}

BYTE CSimTda8083::OnRead(int reg) {
  bool locked = Locked();
  DWORD errors = locked ? m_air.errors : 0x1FFFFF;
  switch (reg) {
    case 0x01: return m_air.present ? m_air.agc : 0;
    case 0x02: return locked ? 0x1F : 0x00;
    case 0x05:
    case 0x06:
    case 0x07: return 0;  // no frequency error
    case 0x08: return locked ? m_air.snr : 0;
    case 0x0B: return BYTE((locked ? m_air.berIndex << 5 : 0) | ((errors >> 16) & 0x1F));
    case 0x0C: return BYTE(errors >> 8);
    case 0x0D: return BYTE(errors);
    case 0x0E: return m_air.inverted ? 0x80 : 0x00;
    default: return Reg(reg);
  }
}

double CSimStv0299::SymbolRate() {
  DWORD x = DWORD(Reg(0x1F)) << 12 | DWORD(Reg(0x20)) << 4 | Reg(0x21) >> 4;
  return x * 88000000.0 / 1048576.0;
}

int CSimStv0299::Inversion() {
  bool set = Reg(0x0C) & 1;
  return set == m_setMeansInverted ? 1 : 0;
}

void CSimStv0299::OnWrite(int reg, BYTE) {
  if (reg == 0x1F) Restart();
}

BYTE CSimStv0299::OnRead(int reg) {
  bool locked = Locked();
  switch (reg) {
    case 0x16: return m_air.present ? m_air.agc : 0;
    case 0x1B: return locked ? 0x98 : 0x00;
    case 0x1D: return locked ? BYTE(m_air.errors >> 8) : 0xFF;
    case 0x1E: return locked ? BYTE(m_air.errors) : 0xFF;
    case 0x24: return locked ? BYTE(m_air.quality >> 8) : 0xFF;
    case 0x25: return locked ? BYTE(m_air.quality) : 0xFF;
    default: return Reg(reg);
  }
}
