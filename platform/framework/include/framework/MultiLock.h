// CMultiLock: waits for one or all of several kernel synchronisation objects
// (not critical sections), optionally also for window messages.
#pragma once

#include "SyncObject.h"

class CMultiLock {
 public:
  CMultiLock(CSyncObject* ppObjects[], DWORD dwCount, BOOL bInitialLock = FALSE);
  ~CMultiLock();
  CMultiLock(const CMultiLock&) = delete;
  CMultiLock& operator=(const CMultiLock&) = delete;

  // The wait's result: WAIT_OBJECT_0 + i, WAIT_ABANDONED_0 + i, WAIT_TIMEOUT,
  // or WAIT_OBJECT_0 + count when a message arrived (dwWakeMask).
  DWORD Lock(DWORD dwTimeOut = INFINITE, BOOL bWaitForAll = TRUE, DWORD dwWakeMask = 0);
  BOOL Unlock();
  BOOL Unlock(LONG lCount, LPLONG lPrevCount = nullptr);
  BOOL IsLocked(DWORD dwItem) const;

 protected:
  HANDLE m_hPreallocated[8];
  BOOL m_bPreallocated[8];
  CSyncObject* const* m_ppObjectArray;
  HANDLE* m_pHandleArray;
  BOOL* m_bLockedArray;
  DWORD m_dwCount;
};
