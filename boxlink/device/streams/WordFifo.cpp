#include "WordFifo.h"

#include <cstring>
#include <new>

CWordFifo::~CWordFifo() { delete[] m_buffer; }

BOOL CWordFifo::Alloc(DWORD capacity) {
  delete[] m_buffer;
  m_buffer = nullptr;
  m_capacity = m_read = m_write = 0;
  if (capacity < 2) return FALSE;
  m_buffer = new (std::nothrow) WORD[capacity];
  if (!m_buffer) return FALSE;
  m_capacity = capacity;
  return TRUE;
}

DWORD CWordFifo::GetCount() const { return m_write >= m_read ? m_write - m_read : m_capacity - m_read + m_write; }

DWORD CWordFifo::Put(const BYTE* data, DWORD words) {
  DWORD n = words < GetFree() ? words : GetFree();
  if (n == 0) return 0;
  DWORD first = m_capacity - m_write < n ? m_capacity - m_write : n;
  memcpy(m_buffer + m_write, data, first * 2);
  memcpy(m_buffer, data + first * 2, (n - first) * 2);
  m_write = (m_write + n) % m_capacity;
  return n;
}

DWORD CWordFifo::Peek(BYTE* out, DWORD words) const {
  DWORD count = GetCount();
  DWORD n = words < count ? words : count;
  if (n == 0) return 0;
  DWORD first = m_capacity - m_read < n ? m_capacity - m_read : n;
  memcpy(out, m_buffer + m_read, first * 2);
  memcpy(out + first * 2, m_buffer, (n - first) * 2);
  return n;
}

DWORD CWordFifo::Skip(DWORD words) {
  DWORD count = GetCount();
  DWORD n = words < count ? words : count;
  if (m_capacity) m_read = (m_read + n) % m_capacity;
  return n;
}

DWORD CWordFifo::Get(BYTE* out, DWORD words) { return Skip(Peek(out, words)); }
