// The COFDM demodulator model: OTI7K.
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
