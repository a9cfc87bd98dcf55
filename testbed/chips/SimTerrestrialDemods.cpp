// The COFDM demodulator models: OTI7K and L64781.
#include "SimDemodulator.h"

bool CSimOti7k::Started() { return m_started; }

void CSimOti7k::OnWrite(int reg, BYTE value) {
  switch (reg) {
    case 0x0A: SetReg(kGateMirror, value == 0 ? 1 : 0); break;
    case 0x08:
      if (value & 0x02)
        m_pulseUp = true;
      else if (m_pulseUp)
        m_pulsed = true;
      break;
    case 0x00:
      if (value == 0x02) {  // reset: acquisition starts over
        m_started = m_pulseUp = m_pulsed = false;
      } else if (value == 0x01) {
        // Started after the start sequence, on the board's mode.
        bool mode = (Reg(0x08) & 0x04) == (m_mode == 1 ? 0x04 : 0x00);
        m_started = m_pulsed && (Reg(0x37) & 1) && mode;
        Restart();
      }
      break;
    default: break;
  }
}

BYTE CSimOti7k::OnRead(int reg) {
  bool locked = Locked();
  switch (reg) {
    case 0x00: return locked ? BYTE(Reg(reg) & ~1) : BYTE(Reg(reg) | 1);
    case 0x01:
    case 0x02:
    case 0x03: return locked ? m_air.tps[reg - 1] : 0;
    case 0x07: return locked ? 0x30 : 0x00;  // lock, TPS valid
    case 0x0D: return locked ? BYTE((m_air.errors >> 8) & 0x7F) : 0x7F;
    case 0x0E: return locked ? BYTE(m_air.errors) : 0xFF;
    case 0x40: return m_air.present ? m_air.agc : 0;
    default: return Reg(reg);
  }
}

BYTE CSimL64781::AirReg(int reg) const {
  const SimAirSignal::Ofdm& o = m_air.ofdm;
  switch (reg) {
    case 0x04: return BYTE(o.mode << 2 | o.guard);
    case 0x05: return BYTE(o.codeRateLP << 3 | o.codeRateHP);
    case 0x06: return BYTE(o.hierarchy << 2 | o.constellation);
    default: return 0;
  }
}

void CSimL64781::OnWrite(int reg, BYTE value) {
  if (reg != 0x2A) return;
  static const BYTE kStart[4] = {0x01, 0x00, 0x06, 0x00};
  m_startStep = value == kStart[m_startStep] ? m_startStep + 1 : value == kStart[0] ? 1 : 0;
  if (m_startStep == 4) {
    m_startStep = 0;
    Restart();
  }
}

BYTE CSimL64781::OnRead(int reg) {
  switch (reg) {
    case 0x32: return AllFound() ? 0x7F : ModeFound() ? 0x01 : 0x00;
    case 0x04:
    case 0x05:
    case 0x06: return ModeFound() ? AirReg(reg) : Reg(reg);
    case 0x0E: return m_air.present ? m_air.agc : 0;
    case 0x35: return AllFound() ? BYTE(m_air.errors) : 0xFF;
    case 0x36: return AllFound() ? BYTE(m_air.errors >> 8) : 0xFF;
    default: return Reg(reg);
  }
}
