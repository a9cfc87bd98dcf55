// Holds a critical section for the life of a scope; the simulated drivers
// take their lock with it around every call.
#pragma once

#include <windows.h>

class CSimLock {
 public:
  explicit CSimLock(CRITICAL_SECTION& cs) : m_cs(cs) { EnterCriticalSection(&m_cs); }
  ~CSimLock() { LeaveCriticalSection(&m_cs); }
  CSimLock(const CSimLock&) = delete;
  CSimLock& operator=(const CSimLock&) = delete;

 private:
  CRITICAL_SECTION& m_cs;
};
