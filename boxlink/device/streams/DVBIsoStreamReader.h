// The stream reader: one process-wide object whose thread reads the box's
// isochronous input in 8192-byte blocks, runs the stream parser on each and
// dispatches every packet to the callback registered in its slot (1..63).
// Started and stopped by CDVBBoardControl::EnableIsoStream only.
#pragma once

#include "CallbackSlots.h"
#include "StreamParser.h"

#include <Framework.h>

#include "WorkerLoop.h"

// callback(context, kind, slot, data, length, flag); flag is always 0.
typedef void (*STREAM_CALLBACK)(void* context, int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag);

class CDVBIsoStreamReader : public IStreamParserSink {
 public:
  static const DWORD kReadSize = 8192;

  CDVBIsoStreamReader();
  virtual ~CDVBIsoStreamReader();
  CDVBIsoStreamReader(const CDVBIsoStreamReader&) = delete;
  CDVBIsoStreamReader& operator=(const CDVBIsoStreamReader&) = delete;

  // Slots (no lock; see CCallbackSlots). 3 for a slot outside 1..63.
  int RegisterCallback(STREAM_CALLBACK callback, void* context, BYTE slot);
  // Once this has returned, the slot's callback is not running and is not
  // called again.
  int UnregisterCallback(BYTE slot);
  // Removes the slot only while `context` holds it (CCallbackSlots).
  bool UnregisterCallbackOf(BYTE slot, const void* context) { return m_slots.UnregisterHeld(slot, context); }
  bool IsHeldBy(BYTE slot, const void* context) const { return m_slots.IsHeldBy(slot, context); }
  bool IsRegistered(BYTE slot) const { return m_slots.IsRegistered(slot); }
  DWORD GetByteCount(BYTE slot);

  void Dispatch(int kind, BYTE* data, DWORD length, BYTE slot) override;
  int RequestResend(WORD sequence) override;

  // 1 when a thread was started now; 0 when one runs or none could start.
  int StartThread(int priority);
  // 0 when none ran; else 1 (also when the thread had to be terminated).
  int StopThread(DWORD timeoutMs);
  int IsRunning() { return IsWorkerRunning(m_worker); }
  DWORD GetTotalBytes() const { return m_dwTotalBytes; }
  DWORD GetThreadId() { return m_worker.GetThreadId(); }
  const CDVBStreamParser& GetParser() const { return *m_pParser; }

 private:
  static UINT WorkerThread(LPVOID object);
  int Run();

  volatile DWORD m_dwTotalBytes = 0;
  BYTE m_buffer[kReadSize];
  CCallbackSlots<STREAM_CALLBACK> m_slots;
  CEvent m_dataEvent;  // auto-reset; the driver sets it when data arrive
  CDVBStreamParser* m_pParser;
  CWorkerThread m_worker;
};

// The library's stream reader.
CDVBIsoStreamReader& TheIsoStreamReader();
