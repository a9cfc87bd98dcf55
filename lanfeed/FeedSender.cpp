#include "FeedSender.h"

void CFeedSender::Start() {
  m_worker.Start(SenderThread, this, THREAD_PRIORITY_HIGHEST);  // refused while it runs
}

bool CFeedSender::Stop() { return m_worker.Stop(kStopLimitMs) != CWorkerThread::kTimedOut; }

bool CFeedSender::SendNext() {
  CPesQueue::Packet packet;
  if (!m_queue.Pop(packet)) return false;
  SendPacket(packet.data.get(), packet.length);
  return true;
}

void CFeedSender::SendPacket(const BYTE* data, int length) {
  if (!m_out.IsConnected()) return;
  m_out.Write(data, static_cast<unsigned>(length), m_limitMs);
  ++m_sent;
}

UINT CFeedSender::SenderThread(LPVOID object) {
  auto* self = static_cast<CFeedSender*>(object);
  while (!self->m_worker.IsStopRequested()) {
    if (!self->SendNext()) self->m_worker.WaitForStop(kIdleSleepMs);
  }
  return 0;
}
