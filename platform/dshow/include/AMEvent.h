// An unnamed Win32 event (auto-reset unless asked otherwise).
#pragma once

#include <windows.h>

class CAMEvent {
 public:
  explicit CAMEvent(BOOL fManualReset = FALSE, HRESULT* phr = nullptr);
  ~CAMEvent();
  CAMEvent(const CAMEvent&) = delete;
  CAMEvent& operator=(const CAMEvent&) = delete;

  operator HANDLE() const { return m_hEvent; }
  void Set() { SetEvent(m_hEvent); }
  void Reset() { ResetEvent(m_hEvent); }
  // TRUE when the event was signalled within the timeout.
  BOOL Wait(DWORD dwTimeout = INFINITE) { return WaitForSingleObject(m_hEvent, dwTimeout) == WAIT_OBJECT_0; }
  BOOL Check() { return Wait(0); }

 private:
  HANDLE m_hEvent;
};
