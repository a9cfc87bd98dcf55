// The COFDM demodulator models: OTI7K, L64781 and the 16-bit one at 0xE2.
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

bool CSimScMain::Running() const { return !m_program.empty() && m_download == m_program; }

WORD CSimScMain::Reg16(WORD address) const {
  auto it = m_regs16.find(address);
  return it == m_regs16.end() ? 0 : it->second;
}

bool CSimScMain::Write(const BYTE* data, int count) {
  ++m_writeCount;
  if (count < 2) return true;
  m_pointer16 = WORD(data[0] << 8 | data[1]);
  if (m_pointer16 == 0xCF0A) ++m_portWrites;
  for (int i = 2; i + 1 < count; i += 2) {
    WORD value = WORD(data[i] << 8 | data[i + 1]);
    if (m_pointer16 == 0xCF0A) {
      m_download.push_back(data[i]);
      m_download.push_back(data[i + 1]);
      continue;
    }
    m_regs16[m_pointer16] = value;
    if (m_pointer16 == 0x8F0A) m_download.clear();
    if (m_pointer16 == 0x0F00 && (value & 1)) Restart();
    ++m_pointer16;
  }
  return true;
}

bool CSimScMain::Read(BYTE* data, int count) {
  for (int i = 0; i < count; i += 2) {
    WORD value = Read16(m_pointer16++);
    data[i] = BYTE(value >> 8);
    if (i + 1 < count) data[i + 1] = BYTE(value);
  }
  return true;
}

WORD CSimScMain::Read16(WORD address) {
  bool locked = Locked();
  const SimAirSignal::Ofdm& o = m_air.ofdm;
  // Mode and guard interval as the chip codes them over 0x0329 (high 12
  // bits) and 0x032A.
  static const DWORD kModeCodes[2][4] = {{0x083F, 0x087F, 0x08FF, 0x09FF}, {0x20FF, 0x21FF, 0x23FF, 0x27FF}};
  DWORD code = kModeCodes[o.mode & 1][o.guard & 3];
  switch (address) {
    case 0x0200: {
      WORD v = Started() ? 0x0008 : 0x0000;
      return locked ? WORD(v | 0x0C00) : v;
    }
    case 0x0329: return locked ? WORD(code >> 12) : 0;
    case 0x032A: return locked ? WORD(code & 0xFFF) : 0;
    case 0x0C06: return locked ? WORD(o.constellation << 10 | o.hierarchy << 7 | o.codeRateHP << 3) : 0;
    case 0x0C07: return 0;
    default: return Reg16(address);
  }
}
