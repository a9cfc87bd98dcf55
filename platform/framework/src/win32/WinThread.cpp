#include "framework/WinThread.h"

#include "framework/Exception.h"

#include <process.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {
thread_local CWinThread* t_pThread = nullptr;

unsigned __stdcall ThreadEntry(void* pParam) {
  CWinThread* pThread = static_cast<CWinThread*>(pParam);
  t_pThread = pThread;
  UINT nResult;
  try {
    nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
  } catch (CException* e) {
    // A framework exception left the thread function: end the thread, not
    // the process.
    e->Delete();
    nResult = static_cast<UINT>(-1);
  }
  t_pThread = nullptr;
  pThread->Delete();
  return nResult;
}
}  // namespace

CWinThread::CWinThread()
    : m_hThread(nullptr), m_nThreadID(0), m_bAutoDelete(TRUE), m_pfnThreadProc(nullptr), m_pThreadParams(nullptr) {}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam) : CWinThread() {
  m_pfnThreadProc = pfnThreadProc;
  m_pThreadParams = pParam;
}

CWinThread::~CWinThread() {
  if (m_hThread != nullptr) CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  ENSURE_ARG(m_hThread == nullptr && m_pfnThreadProc != nullptr);
  // Always created suspended, so that the handle and id are in place before
  // the thread can run (and, with m_bAutoDelete, delete this object).
  unsigned nThreadID = 0;
  m_hThread = reinterpret_cast<HANDLE>(_beginthreadex(lpSecurityAttrs, nStackSize, ThreadEntry, this,
                                                      dwCreateFlags | CREATE_SUSPENDED, &nThreadID));
  if (m_hThread == nullptr) return FALSE;
  m_nThreadID = nThreadID;
  if (!(dwCreateFlags & CREATE_SUSPENDED)) ::ResumeThread(m_hThread);
  return TRUE;
}

void CWinThread::Delete() {
  if (m_bAutoDelete) delete this;
}

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  ENSURE_ARG(pfnThreadProc != nullptr);
  CWinThread* pThread = new CWinThread(pfnThreadProc, pParam);
  if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
    pThread->Delete();
    return nullptr;
  }
  pThread->SetThreadPriority(nPriority);
  if (!(dwCreateFlags & CREATE_SUSPENDED)) pThread->ResumeThread();
  return pThread;
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete) {
  CWinThread* pThread = t_pThread;
  t_pThread = nullptr;
  if (pThread != nullptr && bDelete) pThread->Delete();
  _endthreadex(nExitCode);
  for (;;) {
  }
}

CWinThread* AFXAPI AfxGetThread() { return t_pThread; }
