// The interrupt reader: one process-wide object whose thread reads the
// box's 8-byte messages from the interrupt-in pipe and passes bytes 1-7 of
// each to the callback registered in the slot named by byte 0 (1..63).
// Started and stopped by CDVBBoardControl::EnableIsoStream only.
#pragma once

#include "CallbackSlots.h"

#include <Framework.h>

#include "WorkerLoop.h"

// callback(context, slot, data, length); data is byte 1 of the message and
// length always 7.
typedef void (*INT_CALLBACK)(void* context, BYTE slot, BYTE* data, DWORD length);

class CDVBIntPipeReader {
 public:
  CDVBIntPipeReader() {}
  virtual ~CDVBIntPipeReader();
  CDVBIntPipeReader(const CDVBIntPipeReader&) = delete;
  CDVBIntPipeReader& operator=(const CDVBIntPipeReader&) = delete;

  int RegisterCallback(INT_CALLBACK callback, void* context, BYTE slot);
  int UnregisterCallback(BYTE slot);
  // Removes the slot only while `context` holds it (CCallbackSlots).
  bool UnregisterCallbackOf(BYTE slot, const void* context) { return m_slots.UnregisterHeld(slot, context); }
  DWORD GetByteCount(BYTE slot) { return m_slots.GetByteCount(slot); }

  int StartThread(int priority);
  int StopThread(DWORD timeoutMs);
  int IsRunning() { return IsWorkerRunning(m_worker); }
  DWORD GetTotalBytes() const { return m_dwTotalBytes; }
  // The 24-bit value of the last message of type 4.
  DWORD GetLastStatus() const { return m_dwLastStatus; }

 private:
  static UINT WorkerThread(LPVOID object);
  int Run();

  volatile DWORD m_dwTotalBytes = 0;
  volatile DWORD m_dwLastStatus = 0;
  CCallbackSlots<INT_CALLBACK> m_slots;
  CWorkerThread m_worker;
};

CDVBIntPipeReader& TheIntPipeReader();
