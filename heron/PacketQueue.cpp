#include "PacketQueue.h"

#include <cstring>
#include <new>

CPacketQueue::CPacketQueue(size_t maxPackets, size_t maxBytes) : m_maxPackets(maxPackets), m_maxBytes(maxBytes) {}

CPacketQueue::EPush CPacketQueue::MakeEntry(const BYTE* pPacket, LONG cbPacket, Entry* pEntry) {
  if (!CPesHeader::Parse(pPacket, cbPacket, &pEntry->header)) return EPush::Malformed;
  const DWORD cb = static_cast<DWORD>(cbPacket);
  pEntry->data.reset(new (std::nothrow) BYTE[cb]);
  if (!pEntry->data) return EPush::NoMemory;
  memcpy(pEntry->data.get(), pPacket, cb);
  pEntry->cb = cb;
  return EPush::Queued;
}

void CPacketQueue::NoteRefused(EPush reason) {
  if (reason == EPush::Malformed) m_drops.Count(EDropCause::Malformed);
  if (reason == EPush::NoMemory) m_drops.Count(EDropCause::NoMemory);
}

void CPacketQueue::Append(Entry&& entry) {
  while (!m_entries.empty() && (m_entries.size() + 1 > m_maxPackets || m_cbQueued + entry.cb > m_maxBytes)) {
    PopHead();
    m_drops.Count(EDropCause::Overflow);
  }
  const DWORD cb = entry.cb;
  try {
    m_entries.push_back(std::move(entry));
  } catch (const std::bad_alloc&) {
    m_drops.Count(EDropCause::NoMemory);
    return;
  }
  m_cbQueued += cb;
}

CPacketQueue::EPush CPacketQueue::Push(const BYTE* pPacket, LONG cbPacket) {
  Entry entry;
  EPush r = MakeEntry(pPacket, cbPacket, &entry);
  if (r != EPush::Queued) {
    NoteRefused(r);
    return r;
  }
  Append(std::move(entry));
  return EPush::Queued;
}

CPacketQueue::TakeResult CPacketQueue::TakeHead(BYTE* pDst, DWORD cbCapacity) {
  TakeResult result;
  while (!m_entries.empty()) {
    const Entry& head = m_entries.front();
    const DWORD cbPayload = head.header.PayloadLength();
    if (cbPayload > cbCapacity) {
      PopHead();
      m_drops.Count(EDropCause::Oversized);
      result.cDropped++;
      continue;
    }
    memcpy(pDst, head.data.get() + head.header.HeaderLength(), cbPayload);
    result.bTaken = TRUE;
    result.cbPayload = cbPayload;
    result.bHasPts = head.header.HasPts();
    result.dwPts = head.header.Pts();
    PopHead();
    break;
  }
  return result;
}

BOOL CPacketQueue::FindSequenceHeader(CSequenceHeader* pHeader) const {
  for (const Entry& e : m_entries)
    if (CSequenceHeader::Find(e.data.get(), e.cb, pHeader)) return TRUE;
  return FALSE;
}

void CPacketQueue::Clear() {
  m_entries.clear();
  m_cbQueued = 0;
}

void CPacketQueue::PopHead() {
  m_cbQueued -= m_entries.front().cb;
  m_entries.pop_front();
}
