#include "PacketConsumer.h"

#include "DVBIsoStreamReader.h"
#include "ReaderThread.h"

namespace {

// The worker wakes at least this often, even when no packet arrives.
const DWORD kIdleWaitMs = 1000;
const DWORD kStopWaitMs = 200;

}  // namespace

CPacketConsumer::CPacketConsumer(DWORD ringSize)
    : m_pRing(new CPacketRing(ringSize)), m_dataEvent(FALSE, FALSE) {
  StartThread(THREAD_PRIORITY_NORMAL);
}

CPacketConsumer::~CPacketConsumer() {
  Shutdown();
  delete m_pRing;
}

void CPacketConsumer::Shutdown() {
  UnregisterSlot();
  StopThread(kStopWaitMs);
}

void CPacketConsumer::ExtCallback(void* context, int kind, BYTE slot, BYTE* data, DWORD length,
                                  BYTE flag) {
  if (context) static_cast<CPacketConsumer*>(context)->TSCallback(kind, slot, data, length, flag);
}

void CPacketConsumer::TSCallback(int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag) {
  if (!m_pRing->Push(data, length, DWORD(kind), slot, flag)) m_dropped = m_dropped + 1;
  m_dataEvent.SetEvent();
}

int CPacketConsumer::RegisterSlot(BYTE slot) {
  UnregisterSlot();
  int result = TheIsoStreamReader().RegisterCallback(ExtCallback, this, slot);
  if (result == 0) m_slot = slot;
  return result;
}

int CPacketConsumer::UnregisterSlot() {
  BYTE slot = m_slot;
  if (!slot) return 5;
  m_slot = 0;
  return TheIsoStreamReader().UnregisterCallback(slot);
}

int CPacketConsumer::StartThread(int priority) {
  return boxthread::Start(m_lock, m_state, m_pThread, WorkerThread, this, priority) ? 1 : 0;
}

int CPacketConsumer::StopThread(DWORD timeoutMs) {
  bool self = false;
  {
    CSingleLock hold(&m_lock, TRUE);
    if (m_state != 1) return 0;
    m_state = 2;
    self = m_pThread && m_pThread->m_nThreadID == GetCurrentThreadId();
  }
  m_dataEvent.SetEvent();
  if (self) return 1;  // the worker ends when its Run returns
  boxthread::AwaitStop(m_lock, m_state, m_pThread, timeoutMs);
  return 1;
}

DWORD CPacketConsumer::GetThreadId() {
  CSingleLock hold(&m_lock, TRUE);
  return m_pThread ? m_pThread->m_nThreadID : 0;
}

void CPacketConsumer::OnPacket(const PacketDesc&) {}

UINT CPacketConsumer::WorkerThread(LPVOID object) {
  auto* self = static_cast<CPacketConsumer*>(object);
  while (self->m_state == 1 && self->Run()) {
  }
  return boxthread::Ended(self->m_lock, self->m_state, self->m_pThread);
}

int CPacketConsumer::Run() {
  PacketDesc* packet = nullptr;
  while (m_pRing->Peek(&packet)) {
    OnPacket(*packet);
    m_pRing->Pop();
    if (m_state != 1) return 0;
    // Packets queued for a registration that is gone are dropped.
    if (m_slot == 0) m_pRing->Flush();
    Sleep(0);
  }
  WaitForSingleObject(m_dataEvent, kIdleWaitMs);
  return 1;
}
