// CWinThread: a thread of the framework. A worker thread runs its thread
// function (AfxBeginThread with a function); a user-interface thread runs
// InitInstance, then its message loop (Run) until WM_QUIT, then
// ExitInstance. When a thread ends, a thread object with m_bAutoDelete set
// deletes itself (closing its handle), so only a thread started suspended
// may have m_bAutoDelete cleared by its creator.
//
// The message loop: each message first goes through PreTranslateMessage
// (the windows it is for and their parents, then the main window), then
// TranslateMessage/DispatchMessage. When the queue is empty, OnIdle runs
// with a rising count until it returns FALSE: at count 0 it sends
// WM_IDLEUPDATECMDUI to the main window and its descendants, at count 1 it
// frees the thread's temporary objects.
#pragma once

#include "CmdTarget.h"

class CWnd;

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
  BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostThreadMessage(m_nThreadID, message, wParam, lParam);
  }

  // ------------------------------------------------ user-interface threads
  virtual BOOL InitInstance();
  virtual int Run();
  virtual BOOL PumpMessage();
  virtual BOOL OnIdle(LONG lCount);
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual BOOL IsIdleMessage(MSG* pMsg);
  virtual int ExitInstance();
  virtual CWnd* GetMainWnd();

  // Deletes the object when m_bAutoDelete is set; runs when the thread ends.
  virtual void Delete();

  CWnd* m_pMainWnd;  // the thread ends its loop when this window is destroyed
  CWnd* m_pActiveWnd;
  HANDLE m_hThread;
  DWORD m_nThreadID;
  BOOL m_bAutoDelete;
  AFX_THREADPROC m_pfnThreadProc;
  LPVOID m_pThreadParams;
  MSG m_msgCur;  // the message the loop is handling

 protected:
  MSG m_msgLastMouseMove;  // mouse moves that change nothing do not count as activity
};

// Creates a worker thread running pfnThreadProc(pParam); NULL on failure.
CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// Creates a user-interface thread of the class (derived from CWinThread,
// with DECLARE_DYNCREATE); NULL on failure.
CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// Ends the calling framework thread at once (objects on its stack are not
// destroyed); bDelete: the thread object is deleted as on a normal end.
[[noreturn]] void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
// The thread object of the calling thread: the application object on the
// thread that runs it, NULL for threads the framework did not start.
CWinThread* AFXAPI AfxGetThread();
// One turn of the message loop for threads without a thread object too.
BOOL AFXAPI AfxPumpMessage();
void AFXAPI AfxPostQuitMessage(int nExitCode);
