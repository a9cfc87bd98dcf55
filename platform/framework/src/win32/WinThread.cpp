#include "framework/WinThread.h"

#include "framework/Exception.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

#include <process.h>

#include "ThreadState.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {
thread_local CWinThread* t_pThread = nullptr;

unsigned __stdcall ThreadEntry(void* pParam) {
  CWinThread* pThread = static_cast<CWinThread*>(pParam);
  t_pThread = pThread;
  UINT nResult;
  try {
    if (pThread->m_pfnThreadProc != nullptr) {
      nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
    } else if (pThread->InitInstance()) {
      nResult = static_cast<UINT>(pThread->Run());
    } else {
      nResult = static_cast<UINT>(pThread->ExitInstance());
    }
  } catch (CException* e) {
    // A framework exception left the thread function: end the thread, not
    // the process.
    e->Delete();
    nResult = static_cast<UINT>(-1);
  }
  t_pThread = nullptr;
  AfxTermThreadState();
  pThread->Delete();
  return nResult;
}
}  // namespace

CWinThread::CWinThread()
    : m_pMainWnd(nullptr),
      m_pActiveWnd(nullptr),
      m_hThread(nullptr),
      m_nThreadID(0),
      m_bAutoDelete(TRUE),
      m_pfnThreadProc(nullptr),
      m_pThreadParams(nullptr),
      m_msgCur(),
      m_msgLastMouseMove() {}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam) : CWinThread() {
  m_pfnThreadProc = pfnThreadProc;
  m_pThreadParams = pParam;
}

CWinThread::~CWinThread() {
  if (m_hThread != nullptr) CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  ENSURE_ARG(m_hThread == nullptr);
  // Always created suspended, so that the handle and id are in place before
  // the thread can run (and, with m_bAutoDelete, delete this object).
  unsigned nThreadID = 0;
  m_hThread = reinterpret_cast<HANDLE>(
      _beginthreadex(lpSecurityAttrs, nStackSize, ThreadEntry, this, dwCreateFlags | CREATE_SUSPENDED, &nThreadID));
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

CWinThread* AFXAPI AfxGetThread() {
  if (t_pThread != nullptr) return t_pThread;
  // The thread that runs the application object's loop.
  CWinApp* pApp = AfxGetApp();
  if (pApp != nullptr && pApp->m_nThreadID == ::GetCurrentThreadId()) return pApp;
  return nullptr;
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  ENSURE_ARG(pThreadClass != nullptr && pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread)));
  CWinThread* pThread = static_cast<CWinThread*>(pThreadClass->CreateObject());
  if (pThread == nullptr) return nullptr;
  if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
    pThread->Delete();
    return nullptr;
  }
  pThread->SetThreadPriority(nPriority);
  if (!(dwCreateFlags & CREATE_SUSPENDED)) pThread->ResumeThread();
  return pThread;
}

// ------------------------------------------------------------ message loop

BOOL CWinThread::InitInstance() { return FALSE; }

CWnd* CWinThread::GetMainWnd() {
  if (m_pActiveWnd != nullptr) return m_pActiveWnd;
  return m_pMainWnd;
}

int CWinThread::Run() {
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  for (;;) {
    while (bIdle && !::PeekMessage(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(lIdleCount++)) bIdle = FALSE;
    }
    do {
      if (!PumpMessage()) return ExitInstance();
      if (IsIdleMessage(&m_msgCur)) {
        bIdle = TRUE;
        lIdleCount = 0;
      }
    } while (::PeekMessage(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
  }
}

BOOL CWinThread::PumpMessage() {
  if (!::GetMessage(&m_msgCur, nullptr, 0, 0)) return FALSE;
  if (!PreTranslateMessage(&m_msgCur)) {
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessage(&m_msgCur);
  }
  return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
  if (AfxPreTranslateMessage(pMsg)) return TRUE;
  // The main window has its say last, when the message is for another of
  // the thread's top-level windows.
  CWnd* pMainWnd = GetMainWnd();
  if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr) {
    HWND hWndTop = pMsg->hwnd;
    while (hWndTop != nullptr && (::GetWindowLong(hWndTop, GWL_STYLE) & WS_CHILD)) hWndTop = ::GetParent(hWndTop);
    if (hWndTop != pMainWnd->m_hWnd && pMainWnd->PreTranslateMessage(pMsg)) return TRUE;
  }
  return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
  // Mouse moves that do not move and the caret's blink do not end idleness.
  if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
    if (m_msgLastMouseMove.message == pMsg->message && m_msgLastMouseMove.pt.x == pMsg->pt.x &&
        m_msgLastMouseMove.pt.y == pMsg->pt.y)
      return FALSE;
    m_msgLastMouseMove = *pMsg;
    return TRUE;
  }
  return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

BOOL CWinThread::OnIdle(LONG lCount) {
  if (lCount <= 0) {
    // Update the main window's commands (toolbars, dialogs' controls).
    CWnd* pMainWnd = m_pMainWnd;
    if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && pMainWnd->IsWindowVisible()) {
      AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
      pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
    return TRUE;
  }
  if (lCount == 1) {
    AfxUnlockTempMaps();
  }
  return FALSE;
}

int CWinThread::ExitInstance() {
  int nResult = static_cast<int>(m_msgCur.wParam);
  return nResult;
}

BOOL AFXAPI AfxPumpMessage() {
  CWinThread* pThread = AfxGetThread();
  if (pThread != nullptr) {
    BOOL bResult = pThread->PumpMessage();
    AfxGetThreadState()->msgCur = pThread->m_msgCur;
    return bResult;
  }
  MSG& msg = AfxGetThreadState()->msgCur;
  if (!::GetMessage(&msg, nullptr, 0, 0)) return FALSE;
  if (!AfxPreTranslateMessage(&msg)) {
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
  return TRUE;
}

void AFXAPI AfxPostQuitMessage(int nExitCode) { ::PostQuitMessage(nExitCode); }
