#include "PacketConsumer.h"

#include "DVBIntPipeReader.h"
#include "DVBIsoStreamReader.h"

namespace {

// The worker wakes at least this often, even when no packet arrives.
const DWORD kIdleWaitMs = 1000;
const DWORD kStopWaitMs = 200;

}  // namespace

CPacketConsumer::CPacketConsumer(DWORD ringSize) : m_pRing(new CPacketRing(ringSize)), m_dataEvent(FALSE, FALSE) {
  StartThread(THREAD_PRIORITY_NORMAL);
}

CPacketConsumer::~CPacketConsumer() {
  Shutdown();
  delete m_pRing;
}

void CPacketConsumer::Shutdown() {
  ReleaseSlot();
  StopThread(kStopWaitMs);
}

void CPacketConsumer::ExtCallback(void* context, int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag) {
  if (context) static_cast<CPacketConsumer*>(context)->TSCallback(kind, slot, data, length, flag);
}

void CPacketConsumer::TSCallback(int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag) {
  if (!m_pRing->Push(data, length, DWORD(kind), slot, flag)) m_dropped = m_dropped + 1;
  // Only a worker that found the ring empty needs the event; one that is
  // still draining sees this packet at its next look.
  std::atomic_thread_fence(std::memory_order_seq_cst);
  if (m_workerSleeping) m_dataEvent.SetEvent();
}

int CPacketConsumer::RegisterSlot(BYTE slot) {
  UnregisterSlot();
  int result = TheIsoStreamReader().RegisterCallback(ExtCallback, this, slot);
  if (result == 0) m_slot = slot;
  return result;
}

int CPacketConsumer::RegisterInterruptSlot(BYTE slot) {
  UnregisterSlot();
  int result = TheIntPipeReader().RegisterCallback(IntCallback, this, slot);
  if (result == 0) {
    m_interrupt = true;
    m_slot = slot;
  }
  return result;
}

int CPacketConsumer::UnregisterSlot() {
  BYTE slot = m_slot;
  if (!slot) return 5;
  m_slot = 0;
  if (m_interrupt) {
    m_interrupt = false;
    return TheIntPipeReader().UnregisterCallback(slot);
  }
  return TheIsoStreamReader().UnregisterCallback(slot);
}

bool CPacketConsumer::OtherHolds(BYTE slot) const {
  return TheIsoStreamReader().IsRegistered(slot) && !TheIsoStreamReader().IsHeldBy(slot, this);
}

void CPacketConsumer::ReleaseSlot() {
  BYTE slot = m_slot;
  if (!slot) return;
  m_slot = 0;
  if (m_interrupt) {
    m_interrupt = false;
    TheIntPipeReader().UnregisterCallbackOf(slot, this);
  } else {
    TheIsoStreamReader().UnregisterCallbackOf(slot, this);
  }
}

void CPacketConsumer::IntCallback(void* context, BYTE slot, BYTE* data, DWORD length) {
  auto* self = static_cast<CPacketConsumer*>(context);
  if (self && self->AcceptsMessage(data, length)) self->TSCallback(0, slot, data, length, 0);
}

bool CPacketConsumer::AcceptsMessage(const BYTE*, DWORD) { return true; }

int CPacketConsumer::StartThread(int priority) { return m_worker.Start(WorkerThread, this, priority) ? 1 : 0; }

int CPacketConsumer::StopThread(DWORD timeoutMs) { return StopWorker(m_worker, timeoutMs, &m_dataEvent); }

void CPacketConsumer::RequestStop() {
  m_worker.RequestStop();
  m_dataEvent.SetEvent();
}

void CPacketConsumer::OnPacket(const PacketDesc&) {}

UINT CPacketConsumer::WorkerThread(LPVOID object) {
  auto* self = static_cast<CPacketConsumer*>(object);
  return RunUntilStopped(self->m_worker, [self] { return self->Run(); });
}

int CPacketConsumer::Run() {
  PacketDesc* packet = nullptr;
  while (m_pRing->Peek(&packet)) {
    OnPacket(*packet);
    m_pRing->Pop();
    if (m_worker.IsStopRequested()) return 0;
    // Packets queued for a registration that is gone are dropped.
    if (m_slot == 0) m_pRing->Flush();
    Sleep(0);
  }
  // Announce the sleep before the last look, so that a packet pushed after
  // that look finds the announcement and sets the event.
  m_workerSleeping = true;
  if (!m_pRing->Peek(&packet)) WaitForSingleObject(m_dataEvent, kIdleWaitMs);
  m_workerSleeping = false;
  return 1;
}
