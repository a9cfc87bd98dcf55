#include "PacketRing.h"

#include <cstring>
#include <new>

#include "framework/SingleLock.h"

DWORD CPacketRing::DescriptorsFor(DWORD areaSize) {
  DWORD n = areaSize / 500 + 1;
  return n > 64 ? n : 64;
}

CPacketRing::CPacketRing(DWORD areaSize) {
  DWORD count = DescriptorsFor(areaSize);
  BYTE* area = new (std::nothrow) BYTE[areaSize ? areaSize : 1]();
  PacketDesc* desc = new (std::nothrow) PacketDesc[count]();
  if (!area || !desc || !areaSize) {
    delete[] area;
    delete[] desc;
    return;
  }
  m_area = m_read = m_write = area;
  m_desc = desc;
  m_count = count;
  m_size = areaSize;
}

CPacketRing::~CPacketRing() {
  Flush();
  delete[] m_area;
  delete[] m_desc;
}

DWORD CPacketRing::Queued() {
  CSingleLock lock(&m_lock, TRUE);
  return m_count ? (m_writeIndex + m_count - m_readIndex) % m_count : 0;
}

BOOL CPacketRing::Push(const BYTE* data, DWORD length, DWORD kind, BYTE slot, BYTE flag) {
  if (!m_area || (length && !data)) return FALSE;
  BYTE* at;
  {
    CSingleLock lock(&m_lock, TRUE);
    if ((m_writeIndex + m_count - m_readIndex) % m_count >= m_count - 1) return FALSE;
    // An empty ring starts again at the area start, so it takes any packet
    // shorter than the area wherever the positions stood.
    if (m_readIndex == m_writeIndex) m_read = m_write = m_area;
    // Strict comparisons keep the write position from ever catching up
    // with the read position from behind.
    if (m_write < m_read) {
      if (DWORD(m_read - m_write) <= length) return FALSE;
      at = m_write;
    } else {
      if (m_size - DWORD(m_write - m_read) <= length) return FALSE;
      if (m_write + length >= m_area + m_size) {
        if (DWORD(m_read - m_area) <= length) return FALSE;
        m_write = m_area;
      }
      at = m_write;
    }
  }
  if (length) memcpy(at, data, length);
  CSingleLock lock(&m_lock, TRUE);
  m_desc[m_writeIndex] = PacketDesc{at, length, kind, slot, flag};
  m_write = at + length;
  m_writeIndex = (m_writeIndex + 1) % m_count;
  return TRUE;
}

BOOL CPacketRing::Peek(PacketDesc** out) {
  if (!m_area || !out) return FALSE;
  CSingleLock lock(&m_lock, TRUE);
  if (m_readIndex == m_writeIndex) return FALSE;
  *out = &m_desc[m_readIndex];
  return TRUE;
}

BOOL CPacketRing::Pop() {
  if (!m_area) return FALSE;
  CSingleLock lock(&m_lock, TRUE);
  if (m_readIndex == m_writeIndex) return FALSE;
  const PacketDesc& d = m_desc[m_readIndex];
  m_read = d.data + d.length;
  m_readIndex = (m_readIndex + 1) % m_count;
  return TRUE;
}

void CPacketRing::Flush() {
  while (Pop()) {
  }
}
