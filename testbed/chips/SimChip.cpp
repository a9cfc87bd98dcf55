#include "SimChip.h"

CSimChip::CSimChip(Dialect dialect, int registers)
    : m_dialect(dialect), m_regs(size_t(registers > 0 ? registers : 1), 0) {}

bool CSimChip::Write(const BYTE* data, int count) {
  m_writes.emplace_back(data, data + count);
  int header = AddressBytes();
  // A VES chip takes its register number only behind the zero byte.
  if (m_dialect == kVes && data[0] != 0x00) return false;
  if (count < header) return true;  // a bare address probe
  int reg = m_dialect == kPlain ? data[0] : m_dialect == kVes ? data[1] : (data[0] << 8) | data[1];
  m_pointer = reg % int(m_regs.size());
  for (int i = header; i < count; ++i) {
    // A read-only register keeps its value; the chip still takes the write
    // (a write register behind the same number, as the TDA8083's).
    if (!m_readOnly.count(m_pointer)) SetReg(m_pointer, data[i]);
    OnWrite(m_pointer, data[i]);
    m_pointer = (m_pointer + 1) % int(m_regs.size());
  }
  return true;
}

bool CSimChip::Read(BYTE* data, int count) {
  for (int i = 0; i < count; ++i) {
    auto pinned = m_pinned.find(m_pointer);
    BYTE value = pinned != m_pinned.end() ? pinned->second : OnRead(m_pointer);
    auto flicker = m_flicker.find(m_pointer);
    if (flicker != m_flicker.end()) {
      if (flicker->second.showOther) value = flicker->second.other;
      flicker->second.showOther = !flicker->second.showOther;
    }
    data[i] = value;
    m_pointer = (m_pointer + 1) % int(m_regs.size());
  }
  return true;
}
