#include "PesQueue.h"

#include <cstring>
#include <new>

#include "framework/SingleLock.h"

bool CPesQueue::Push(int length, const BYTE* data) {
  auto drop = [this] {
    ++m_dropped;
    return false;
  };
  if (length <= 0 || !data) return drop();
  // Checked before copying so that a full queue costs the host no allocation
  // (and checked again under the lock before appending).
  if (m_size >= kMaxPackets) return drop();
  Packet packet;
  packet.data.reset(new (std::nothrow) BYTE[length]);
  if (!packet.data) return drop();
  std::memcpy(packet.data.get(), data, length);
  packet.length = length;

  CSingleLock hold(&m_lock, TRUE);
  if (static_cast<int>(m_packets.size()) >= kMaxPackets) {
    ++m_dropped;
    return false;
  }
  m_packets.push_back(std::move(packet));
  m_size = static_cast<int>(m_packets.size());
  ++m_received;
  return true;
}

bool CPesQueue::Pop(Packet& out) {
  CSingleLock hold(&m_lock, TRUE);
  if (m_packets.empty()) return false;
  out = std::move(m_packets.front());
  m_packets.pop_front();
  m_size = static_cast<int>(m_packets.size());
  return true;
}

void CPesQueue::Clear() {
  std::deque<Packet> freed;
  {
    CSingleLock hold(&m_lock, TRUE);
    freed.swap(m_packets);
    m_size = 0;
  }
}

int CPesQueue::Size() const { return m_size; }

int CPesQueue::Received() const {
  CSingleLock hold(&m_lock, TRUE);
  return m_received;
}

int CPesQueue::Dropped() const { return m_dropped; }

void CPesQueue::ResetCounts() {
  CSingleLock hold(&m_lock, TRUE);
  m_received = 0;
  m_dropped = 0;
}
