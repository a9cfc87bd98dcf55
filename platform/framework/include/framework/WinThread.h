// CWinThread and AfxBeginThread: worker threads. A worker runs its thread
// function; when that returns, a thread object with m_bAutoDelete set
// deletes itself (closing its handle), so only a thread started suspended
// may have m_bAutoDelete cleared by its creator.
#pragma once

#include "CmdTarget.h"

typedef UINT(AFX_CDECL* AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)
 public:
  CWinThread();
  CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
  ~CWinThread() override;

  // Starts the thread (dwCreateFlags may hold CREATE_SUSPENDED).
  BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

  operator HANDLE() const { return m_hThread; }
  int GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
  BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
  DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
  DWORD ResumeThread() { return ::ResumeThread(m_hThread); }

  // Deletes the object when m_bAutoDelete is set; runs when the thread ends.
  virtual void Delete();

  HANDLE m_hThread;
  DWORD m_nThreadID;
  BOOL m_bAutoDelete;
  AFX_THREADPROC m_pfnThreadProc;
  LPVOID m_pThreadParams;
};

// Creates a worker thread running pfnThreadProc(pParam); NULL on failure.
CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                  int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                  DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// Ends the calling framework thread at once (objects on its stack are not
// destroyed); bDelete: the thread object is deleted as on a normal end.
[[noreturn]] void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
// The thread object of the calling thread, NULL for threads the framework did
// not start.
CWinThread* AFXAPI AfxGetThread();
