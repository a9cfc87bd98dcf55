#include "SimPll.h"

bool CSimPll::Write(const BYTE* data, int count) {
  CSimChip::Write(data, count);  // keeps the write log
  if (count >= 2 && (data[0] & 0x80)) {
    m_control = data[0];
    m_band = data[1];
    return true;
  }
  if (count < 4) return true;  // a probe or a partial word changes nothing
  m_divider = DWORD((data[0] & 0x7F) << 8 | data[1]);
  m_control = data[2];
  m_band = data[3];
  m_programmed = true;
  m_programmedAt = m_clock.Now();
  return true;
}

bool CSimPll::Read(BYTE* data, int count) {
  for (int i = 0; i < count; ++i) data[i] = InLock() ? 0x40 : 0x00;
  return true;
}

bool CSimRegTuner::Write(const BYTE* data, int count) {
  CSimChip::Write(data, count);
  if (count < 6 || data[0] != 0x00) return true;
  m_divider = DWORD(data[1]) << 6 | DWORD(data[2] >> 2);
  m_band = data[5];
  m_stepKHz = 250.0 / (1 << ((m_band >> 6) & 3));
  m_programmed = true;
  m_programmedAt = m_clock.Now();
  return true;
}
