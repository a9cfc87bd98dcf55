// Reflection: the messages a parent gets about a child control (commands,
// notifications, colours, owner drawing, scrolling) go to the control's own
// object first, whose message map takes them as ON_..._REFLECT entries.
#include "framework/DC.h"
#include "framework/Wnd.h"

#include "WndInternal.h"

BOOL AfxSendChildNotify(CWnd* pParent, HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
  return pChild != nullptr && pChild != pParent && pChild->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (AfxIsCtlColorMessage(message)) {
    // ON_WM_CTLCOLOR_REFLECT is looked up under one key for all kinds.
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0);
    if (pEntry == nullptr) return FALSE;
    HBRUSH hbr = (this->*reinterpret_cast<HBRUSH (CWnd::*)(CDC*, UINT)>(pEntry->pfn))(
        CDC::FromHandle(reinterpret_cast<HDC>(wParam)), message - WM_CTLCOLORMSGBOX);
    if (hbr == nullptr) return FALSE;
    if (pResult != nullptr) *pResult = reinterpret_cast<LRESULT>(hbr);
    return TRUE;
  }
  switch (message) {
    case WM_COMMAND: {
      int nCode = HIWORD(wParam);
      if (CCmdTarget::OnCmdMsg(0, MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr)) {
        if (pResult != nullptr) *pResult = 1;
        return TRUE;
      }
      return FALSE;
    }
    case WM_NOTIFY: {
      NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
      AFX_NOTIFY notify = {pResult, pNMHDR};
      return CCmdTarget::OnCmdMsg(0, MAKELONG(static_cast<int>(pNMHDR->code), WM_REFLECT_BASE + WM_NOTIFY), &notify,
                                  nullptr);
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY: {
      LRESULT lResult = 0;
      if (!OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, &lResult)) return FALSE;
      if (pResult != nullptr) *pResult = lResult;
      return TRUE;
    }
    default: return FALSE;
  }
}
