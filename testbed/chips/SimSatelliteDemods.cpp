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
    // Bit 0 the carrier; bits 1-4 timing, carrier, data and FEC lock.
    case 0x0E: return BYTE((CarrierLocked() ? 0x01 : 0x00) | (locked ? 0x1E : 0x00));
    case 0x23: return CarrierLocked() ? 0x20 : 0xFF;  // the carrier detector: 241 and up, nothing there
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

void CSimTda8083::OnWrite(int reg, BYTE value) {
  if (reg != 0x00) return;
  if (value == 0x3C) {
    m_pulseUp = true;
  } else if (m_pulseUp && value == 0x04) {
    m_pulseUp = false;
    Restart();
  }
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

double CSimStv0299::MasterClock() {
  BYTE r1 = Reg(0x01), r2 = Reg(0x02);
  if (r2 & 0x80) return 0;
  if (r1 & 0x20) return 4000000;
  int m = r1 >> 6, k = r1 & 0x1F, p = r2 & 0x07;
  return 4000000.0 / (m + 1) * (k + 1) * 4 / ((p % 2 + 2) * std::ldexp(1.0, p / 2 + 1));
}

double CSimStv0299::SymbolRate() {
  DWORD x = DWORD(Reg(0x1F)) << 12 | DWORD(Reg(0x20)) << 4 | Reg(0x21) >> 4;
  return x * MasterClock() / 1048576.0;
}

double CSimStv0299::OffsetKHz() {
  short derotator = short(Reg(0x22) << 8 | Reg(0x23));
  return derotator * (MasterClock() / 65536) / 1000;
}

int CSimStv0299::Inversion() {
  bool set = Reg(0x0C) & 1;
  return set == m_setMeansInverted ? 1 : 0;
}

void CSimStv0299::OnWrite(int reg, BYTE) {
  if (reg == 0x1F || reg == 0x22 || reg == 0x23) Restart();
}

BYTE CSimStv0299::OnRead(int reg) {
  bool locked = Locked(), carrier = CarrierLocked();
  switch (reg) {
    case 0x16: return m_air.present ? m_air.agc : 0;
    case 0x17: return carrier ? 0x60 : 0x10;  // the timing loop
    // Carrier (bit 7) and data (bit 3): the data only with the right
    // spectrum.
    case 0x1B: return BYTE((carrier ? 0x90 : 0x00) | (locked ? 0x08 : 0x00));
    case 0x1D: return locked ? BYTE(m_air.errors >> 8) : 0xFF;
    case 0x1E: return locked ? BYTE(m_air.errors) : 0xFF;
    case 0x24: return locked ? BYTE(m_air.quality >> 8) : 0xFF;
    case 0x25: return locked ? BYTE(m_air.quality) : 0xFF;
    default: return Reg(reg);
  }
}

long CSimSatVer::Word24(int first) {
  long v = long(Reg(first)) << 16 | long(Reg(first + 1)) << 8 | Reg(first + 2);
  return v & 0x800000 ? v - 0x1000000 : v;
}

double CSimSatVer::SymbolRate() {
  double scale = (Reg(5) & 0x02) ? 16777216.0 : 33554432.0;
  return (Word24(17) & 0xFFFFFF) * ClockMHz() * 1e6 / scale;
}

double CSimSatVer::OffsetKHz() { return -Word24(14) * ClockMHz() / 16777216.0 * 1000; }

void CSimSatVer::OnWrite(int reg, BYTE value) {
  if (reg != 9) return;
  BYTE rising = BYTE(value & ~m_reg9);
  m_reg9 = value;
  if (rising & 0xC0) Restart();
}

BYTE CSimSatVer::OnRead(int reg) {
  bool locked = Locked();
  switch (reg) {
    case 14:
    case 15:
    case 16:
      if (Reg(6) & 0x08) {  // latched: the offset still left
        long left = long(-(ErrorKHz() / 1000) / ClockMHz() * 16777216.0) & 0xFFFFFF;
        return BYTE(left >> (8 * (16 - reg)));
      }
      return Reg(reg);
    case 20: return locked ? 0x03 : 0x00;
    case 21: return m_air.present ? m_air.agc : 0;
    case 50: return BYTE(0x02 | (m_air.inverted ? 0x00 : 0x08));  // code rate 3/4
    case 54: return locked ? 0x21 : 0x00;
    case 71: return locked ? BYTE(m_air.errors) : 0xFF;
    case 72: return locked ? BYTE(m_air.errors >> 8) : 0xFF;
    default: return Reg(reg);
  }
}
