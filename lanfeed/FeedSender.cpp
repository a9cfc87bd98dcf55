#include "FeedSender.h"

#include <chrono>

#include "ThreadPriority.h"

void CFeedSender::Start() {
  if (m_thread.joinable()) return;
  m_running = true;
  m_thread = std::thread([this] { Run(); });
}

void CFeedSender::Stop() {
  m_running = false;
  if (m_thread.joinable()) m_thread.join();
}

bool CFeedSender::SendNext() {
  CPesQueue::Packet packet;
  if (!m_queue.Pop(packet)) return false;
  if (m_out.IsConnected()) {
    m_out.Write(packet.data.get(), static_cast<unsigned>(packet.length), m_limitMs);
    ++m_sent;
  }
  return true;
}

void CFeedSender::Run() {
  RaiseCurrentThreadPriority();
  while (m_running) {
    if (!SendNext()) std::this_thread::sleep_for(std::chrono::milliseconds(kIdleSleepMs));
  }
}
