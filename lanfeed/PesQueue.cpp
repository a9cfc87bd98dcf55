#include "PesQueue.h"

#include <cstring>
#include <new>

bool CPesQueue::Push(int length, const BYTE* data) {
  auto drop = [this] {
    std::lock_guard<std::mutex> hold(m_lock);
    ++m_dropped;
    return false;
  };
  if (length <= 0 || !data) return drop();
  {
    // Checked before copying so that a full queue costs the host no allocation.
    std::lock_guard<std::mutex> hold(m_lock);
    if (static_cast<int>(m_packets.size()) >= kMaxPackets) {
      ++m_dropped;
      return false;
    }
  }
  Packet packet;
  packet.data.reset(new (std::nothrow) BYTE[length]);
  if (!packet.data) return drop();
  std::memcpy(packet.data.get(), data, length);
  packet.length = length;

  std::lock_guard<std::mutex> hold(m_lock);
  if (static_cast<int>(m_packets.size()) >= kMaxPackets) {
    ++m_dropped;
    return false;
  }
  m_packets.push_back(std::move(packet));
  ++m_received;
  return true;
}

bool CPesQueue::Pop(Packet& out) {
  std::lock_guard<std::mutex> hold(m_lock);
  if (m_packets.empty()) return false;
  out = std::move(m_packets.front());
  m_packets.pop_front();
  return true;
}

void CPesQueue::Clear() {
  std::deque<Packet> freed;
  {
    std::lock_guard<std::mutex> hold(m_lock);
    freed.swap(m_packets);
  }
}

int CPesQueue::Size() const {
  std::lock_guard<std::mutex> hold(m_lock);
  return static_cast<int>(m_packets.size());
}

int CPesQueue::Received() const {
  std::lock_guard<std::mutex> hold(m_lock);
  return m_received;
}

int CPesQueue::Dropped() const {
  std::lock_guard<std::mutex> hold(m_lock);
  return m_dropped;
}

void CPesQueue::ResetCounts() {
  std::lock_guard<std::mutex> hold(m_lock);
  m_received = 0;
  m_dropped = 0;
}
