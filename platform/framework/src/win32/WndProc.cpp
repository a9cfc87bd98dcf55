// The framework's window procedure: every message of a framework window
// goes to its object's WindowProc with the message recorded and framework
// exceptions stopped there; WM_NCDESTROY unties window and object.
#include "framework/ModuleState.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

#include "ThreadState.h"
#include "WndInternal.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

namespace {

// A framework exception that escaped a handler: report it; WM_CREATE fails.
LRESULT ProcessWndProcException(CException* e, const MSG* pMsg) {
  LRESULT lResult = 0;
  if (pMsg->message == WM_CREATE) {
    lResult = -1;
  } else if (pMsg->message == WM_PAINT) {
    ::ValidateRect(pMsg->hwnd, nullptr);  // or WM_PAINT comes back forever
  }
  if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) e->ReportError(MB_ICONSTOP);
  return lResult;
}

}  // namespace

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  MSG oldState = pState->lastSentMsg;
  pState->lastSentMsg.hwnd = hWnd;
  pState->lastSentMsg.message = nMsg;
  pState->lastSentMsg.wParam = wParam;
  pState->lastSentMsg.lParam = lParam;
  LRESULT lResult = 0;
  try {
    lResult = pWnd->WindowProc(nMsg, wParam, lParam);
  } catch (CException* e) {
    lResult = ProcessWndProcException(e, &pState->lastSentMsg);
    e->Delete();
  }
  if (nMsg == WM_NCDESTROY && pState->windows.LookupPermanent(hWnd) == pWnd) {
    // The window is gone: restore its procedure, untie it, and let the
    // object clean up (PostNcDestroy may delete it).
    AfxRestoreWndProc(pWnd, hWnd);
    AfxRemoveModelessFilter(pWnd);
    pWnd->Detach();
    try {
      pWnd->PostNcDestroy();
    } catch (CException* e) {
      e->ReportError(MB_ICONSTOP);
      e->Delete();
    }
  }
  pState->lastSentMsg = oldState;
  return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  // Messages of this module's windows run in this module's state.
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (pWnd == nullptr) return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
  return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  if (!OnWndMsg(message, wParam, lParam, &lResult)) lResult = DefWindowProc(message, wParam, lParam);
  return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper != nullptr) return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG& msg = AfxGetThreadState()->lastSentMsg;
  return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

MSG* AFXAPI AfxGetCurrentMessage() {
  MSG* pMsg = &AfxGetThreadState()->lastSentMsg;
  pMsg->time = ::GetMessageTime();
  DWORD pos = ::GetMessagePos();
  pMsg->pt.x = (short)LOWORD(pos);
  pMsg->pt.y = (short)HIWORD(pos);
  return pMsg;
}

const MSG* PASCAL CWnd::GetCurrentMessage() { return AfxGetCurrentMessage(); }

void CWnd::OnNcDestroy() {
  // The main window of the thread going away ends the thread's loop.
  CWinThread* pThread = AfxGetThread();
  if (pThread == nullptr) pThread = AfxGetApp();
  if (pThread != nullptr && pThread->m_pMainWnd == this) {
    pThread->m_pMainWnd = nullptr;
    AfxPostQuitMessage(0);
  }
  AfxDestroyToolTipOf(m_hWnd);
  Default();
}
