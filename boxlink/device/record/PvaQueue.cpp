#include "PvaQueue.h"

namespace {

// Free table entries below which the queue is short of room.
const DWORD kSpareEntries = 5;

}  // namespace

CPvaQueue::CPvaQueue(DWORD capacity, DWORD entries, DWORD margin)
    : m_ring(capacity), m_entries(entries), m_margin(margin) {}

void CPvaQueue::Clear() {
  m_read = 0;
  m_count = 0;
  m_writePos = 0;
}

DWORD CPvaQueue::Room() const {
  if (IsEmpty()) return DWORD(m_ring.size()) - m_writePos;
  const DWORD oldest = Front().offset;
  return m_writePos > oldest ? DWORD(m_ring.size()) - m_writePos : oldest - m_writePos;
}

BYTE* CPvaQueue::Reserve(DWORD length) {
  if (m_count == m_entries.size()) return nullptr;
  if (IsEmpty()) {
    m_writePos = 0;
  } else if (m_writePos > Front().offset && DWORD(m_ring.size()) - m_writePos < m_margin) {
    // Go on at the start once the oldest packet has left room there.
    if (Front().offset < length) return nullptr;
    m_writePos = 0;
  }
  return Room() >= length ? &m_ring[m_writePos] : nullptr;
}

void CPvaQueue::Commit(WORD length, bool hasPts, DWORD pts) {
  Entry& e = m_entries[(m_read + m_count) % m_entries.size()];
  e.offset = m_writePos;
  e.length = length;
  e.hasPts = hasPts;
  e.pts = pts;
  ++m_count;
  m_writePos += length;
}

void CPvaQueue::PopFront() {
  if (IsEmpty()) return;
  m_read = (m_read + 1) % DWORD(m_entries.size());
  --m_count;
}

bool CPvaQueue::IsShortOfRoom() const {
  if (m_entries.size() - m_count < kSpareEntries) return true;
  if (IsEmpty()) return false;
  const DWORD oldest = Front().offset;
  // Behind the oldest packet the free bytes run to the end and on from the
  // start; in front of it (after a wrap) only up to it.
  if (m_writePos > oldest) return DWORD(m_ring.size()) - m_writePos + oldest < 2 * m_margin;
  return oldest - m_writePos < m_margin;
}
