// A Win32 critical section owned by one object.
#pragma once

#include <windows.h>

class CCritSec {
 public:
  CCritSec() { InitializeCriticalSection(&m_cs); }
  ~CCritSec() { DeleteCriticalSection(&m_cs); }
  CCritSec(const CCritSec&) = delete;
  CCritSec& operator=(const CCritSec&) = delete;

  void Lock() { EnterCriticalSection(&m_cs); }
  void Unlock() { LeaveCriticalSection(&m_cs); }

 private:
  CRITICAL_SECTION m_cs;
};
