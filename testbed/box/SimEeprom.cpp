#include "SimEeprom.h"

#include <cstring>

CSimEeprom::CSimEeprom() { memset(m_memory, 0xFF, sizeof(m_memory)); }

bool CSimEeprom::Acknowledges() { return std::chrono::steady_clock::now() >= m_busyUntil; }

bool CSimEeprom::Write(const BYTE* data, int count) {
  m_pointer = data[0];
  for (int i = 1; i < count; ++i) {
    m_memory[m_pointer] = data[i];
    m_pointer = (m_pointer + 1) % kSize;
    ++m_written;
  }
  if (count > 1 && m_busyMs > 0) m_busyUntil = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_busyMs);
  return true;
}

bool CSimEeprom::Read(BYTE* data, int count) {
  for (int i = 0; i < count; ++i) {
    data[i] = m_memory[m_pointer];
    m_pointer = (m_pointer + 1) % kSize;
  }
  return true;
}
