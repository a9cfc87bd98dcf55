// The per-thread state of the window layer (its handle maps, hooks and the
// message being handled), the keyboard filter of a DLL's modeless dialogs,
// and the idle-time release of temporary objects.
#include "framework/DC.h"
#include "framework/ImageList.h"
#include "framework/Menu.h"
#include "framework/ModuleState.h"
#include "framework/Wnd.h"

#include "ThreadState.h"

namespace {
thread_local AFX_THREAD_STATE* t_pThreadState = nullptr;
}

AFX_THREAD_STATE* AfxGetThreadState() {
  if (t_pThreadState == nullptr) t_pThreadState = new AFX_THREAD_STATE;
  return t_pThreadState;
}

AFX_THREAD_STATE* AfxPeekThreadState() { return t_pThreadState; }

namespace {
LRESULT CALLBACK ModelessFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    MSG* pMsg = reinterpret_cast<MSG*>(lParam);
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
      AFX_MANAGE_STATE(AfxGetStaticModuleState());
      BOOL bHandled = FALSE;
      try {
        bHandled = AfxPreTranslateMessage(pMsg);
      } catch (CException* e) {  // must not unwind through the system's hook call
        e->ReportError(MB_ICONSTOP);
        e->Delete();
      }
      if (bHandled) {
        // Handled here: the host's loop gets nothing to dispatch.
        pMsg->message = WM_NULL;
        pMsg->wParam = 0;
        pMsg->lParam = 0;
      }
    }
  }
  return CallNextHookEx(pState->hHookMsgFilter, code, wParam, lParam);
}
}  // namespace

void AfxAddModelessFilter(CWnd* pWnd) {
  if (!AfxGetStaticModuleState()->m_bDLL || (pWnd->m_nFlags & WF_MODELESSFILTER)) return;
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->hHookMsgFilter == nullptr)
    pState->hHookMsgFilter = ::SetWindowsHookEx(WH_GETMESSAGE, ModelessFilterHook, nullptr, ::GetCurrentThreadId());
  ++pState->nModelessDialogs;
  pWnd->m_nFlags |= WF_MODELESSFILTER;
}

void AfxRemoveModelessFilter(CWnd* pWnd) {
  if (!(pWnd->m_nFlags & WF_MODELESSFILTER)) return;
  pWnd->m_nFlags &= ~WF_MODELESSFILTER;
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (--pState->nModelessDialogs <= 0 && pState->hHookMsgFilter != nullptr) {
    ::UnhookWindowsHookEx(pState->hHookMsgFilter);
    pState->hHookMsgFilter = nullptr;
    pState->nModelessDialogs = 0;
  }
}

void AfxTermThreadState() {
  AFX_THREAD_STATE* pState = t_pThreadState;
  if (pState == nullptr) return;
  if (pState->hHookMsgFilter != nullptr) ::UnhookWindowsHookEx(pState->hHookMsgFilter);
  AfxUnlockTempMaps();
  t_pThreadState = nullptr;
  delete pState;
}

void AFXAPI AfxUnlockTempMaps() {
  if (t_pThreadState == nullptr) return;
  CWnd::DeleteTempMap();
  CDC::DeleteTempMap();
  CGdiObject::DeleteTempMap();
  CMenu::DeleteTempMap();
  t_pThreadState->imageLists.DeleteTemp([](CImageList* p) { p->m_hImageList = nullptr; });
}
