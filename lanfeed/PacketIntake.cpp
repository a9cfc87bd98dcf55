#include "PacketIntake.h"

#include <mutex>

void CPacketIntake::Open(CPesQueue* queue) {
  std::unique_lock<std::shared_mutex> hold(m_lock);
  m_queue = queue;
}

void CPacketIntake::Close() {
  std::unique_lock<std::shared_mutex> hold(m_lock);
  m_queue = nullptr;
}

bool CPacketIntake::Deliver(int length, const BYTE* data) {
  std::shared_lock<std::shared_mutex> hold(m_lock);
  return m_queue && m_queue->Push(length, data);
}
