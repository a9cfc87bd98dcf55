#include "ReaderThread.h"

namespace boxthread {

BOOL Start(CCriticalSection& lock, volatile LONG& state, CWinThread*& thread, AFX_THREADPROC proc,
           LPVOID object, int priority) {
  CSingleLock hold(&lock, TRUE);
  if (state != 0) return FALSE;
  state = 1;
  thread = AfxBeginThread(proc, object, priority);
  if (!thread) {
    state = 0;
    return FALSE;
  }
  return TRUE;
}

void AwaitStop(CCriticalSection& lock, volatile LONG& state, CWinThread*& thread,
               DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (InterlockedCompareExchange(const_cast<LONG*>(&state), 0, 0) != 0) {
    if (GetTickCount() - start > timeoutMs) break;
    Sleep(1);
  }
  CSingleLock hold(&lock, TRUE);
  if (state == 0 || !thread) {
    state = 0;
    return;
  }
  // The worker did not end in time. Its thread object would have deleted
  // itself on a normal end; after a termination it is ours to delete.
  HANDLE handle = thread->m_hThread;
  TerminateThread(handle, kTerminatedExitCode);
  WaitForSingleObject(handle, 1000);
  thread->m_bAutoDelete = FALSE;
  delete thread;
  thread = nullptr;
  state = 0;
}

UINT Ended(CCriticalSection& lock, volatile LONG& state, CWinThread*& thread) {
  CSingleLock hold(&lock, TRUE);
  state = 0;
  thread = nullptr;
  return kEndedExitCode;
}

}  // namespace boxthread
