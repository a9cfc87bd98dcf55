// The worker pattern every consumer of the box's stream follows: the slot
// callback copies each packet into the consumer's ring and wakes its
// worker; the worker hands the packets, in order, to OnPacket.
//
// The consumer's slot is removed from the stream reader by the destructor
// whatever state the box is in (it is a local operation), unless another
// consumer has taken the shared slot over since; and the removal
// waits for a dispatch already running, so no later data reaches a
// destroyed consumer. Derived classes call Shutdown() first in their
// destructor, so that OnPacket never runs on a half-destroyed object.
#pragma once

#include "PacketRing.h"

#include <atomic>

#include <Framework.h>

#include "WorkerLoop.h"

class CPacketConsumer {
 public:
  explicit CPacketConsumer(DWORD ringSize);
  virtual ~CPacketConsumer();
  CPacketConsumer(const CPacketConsumer&) = delete;
  CPacketConsumer& operator=(const CPacketConsumer&) = delete;

  // The stream-callback signature; does nothing for a null context.
  static void ExtCallback(void* context, int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag);
  void TSCallback(int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag);

  // Registers this consumer in a stream slot (removing its earlier one).
  int RegisterSlot(BYTE slot);
  // The same in a slot of the interrupt reader; messages that AcceptsMessage
  // turns down are not queued.
  int RegisterInterruptSlot(BYTE slot);
  // The interrupt-callback signature; does nothing for a null context.
  static void IntCallback(void* context, BYTE slot, BYTE* data, DWORD length);
  // Removes the registration; 5 when there was none.
  int UnregisterSlot();
  BYTE GetSlot() const { return m_slot; }
  // Whether another consumer holds stream slot `slot` now: a shared slot
  // taken over after this consumer registered it.
  bool OtherHolds(BYTE slot) const;

  int StartThread(int priority);
  int StopThread(DWORD timeoutMs);
  // Asks the worker to stop and waits for nothing (the library's unload).
  void RequestStop();
  int IsRunning() { return IsWorkerRunning(m_worker); }
  DWORD GetThreadId() { return m_worker.GetThreadId(); }
  // Packets the ring refused (full) since construction.
  DWORD GetDropped() const { return m_dropped; }

 protected:
  // On the worker thread, for each packet in arrival order.
  virtual void OnPacket(const PacketDesc& packet);
  // On the interrupt reader's thread, before a message is queued.
  virtual bool AcceptsMessage(const BYTE* data, DWORD length);
  // Removes the slot, unless another consumer has taken it over, and stops
  // the worker (200 ms); idempotent.
  void Shutdown();

 private:
  static UINT WorkerThread(LPVOID object);
  int Run();
  // Forgets the registration and removes the slot while this consumer holds it.
  void ReleaseSlot();

  CPacketRing* m_pRing;
  CEvent m_dataEvent;
  volatile BYTE m_slot = 0;
  volatile bool m_interrupt = false;  // m_slot is an interrupt slot
  CWorkerThread m_worker;
  volatile DWORD m_dropped = 0;
  std::atomic<bool> m_workerSleeping{false};  // the worker is about to wait, or waits, for the event
};
