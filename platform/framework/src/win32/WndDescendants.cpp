// A window's children as a group: messages sent to all descendants, the
// update of dialog controls from their command handlers, and the layout of
// control bars around the left-over client area.
#include "framework/CmdUI.h"
#include "framework/Wnd.h"

#include "ThreadState.h"

void PASCAL CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                           BOOL bOnlyPerm) {
  for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != nullptr; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
    if (bOnlyPerm) {
      CWnd* pWnd = FromHandlePermanent(hWndChild);
      // Directly, as the window procedure would (idle updates must not
      // wait for another thread's queue).
      if (pWnd != nullptr) AfxCallWndProc(pWnd, hWndChild, message, wParam, lParam);
    } else {
      ::SendMessage(hWndChild, message, wParam, lParam);
    }
    if (bDeep && ::GetTopWindow(hWndChild) != nullptr)
      SendMessageToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
  }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
  SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  CCmdUI state;
  CWnd wndTemp;  // a stand-in object for controls without their own
  for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
    state.m_nID = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
    if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) continue;
    CWnd* pControl = FromHandlePermanent(hWndChild);
    if (pControl == nullptr) {
      wndTemp.m_hWnd = hWndChild;
      pControl = &wndTemp;
    }
    state.m_pOther = pControl;
    // Only push buttons are disabled for want of a handler; check boxes,
    // radio buttons and other controls work without one.
    BOOL bDisable = FALSE;
    if (bDisableIfNoHndler) {
      UINT nCode = static_cast<UINT>(::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0));
      if (nCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) bDisable = TRUE;
    }
    state.DoUpdate(pTarget, bDisable);
  }
  wndTemp.m_hWnd = nullptr;
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch) {
  // Each bar takes its room from the rectangle (WM_SIZEPARENT with the
  // layout); the rest goes to the left-over window.
  AFX_SIZEPARENTPARAMS layout = {};
  HWND hWndLeftOver = nullptr;
  layout.bStretch = bStretch;
  layout.sizeTotal.cx = layout.sizeTotal.cy = 0;
  if (lpRectClient != nullptr)
    layout.rect = *lpRectClient;
  else
    ::GetClientRect(m_hWnd, &layout.rect);
  if (nFlag != reposQuery) layout.hDWP = ::BeginDeferWindowPos(8);
  for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
    UINT nIDC = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
    if (nIDC == nIDLeftOver)
      hWndLeftOver = hWndChild;
    else if (nIDC >= nIDFirst && nIDC <= nIDLast && FromHandlePermanent(hWndChild) != nullptr)
      ::SendMessage(hWndChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
  }
  if (nFlag == reposQuery) {
    if (lpRectParam != nullptr) {
      if (bStretch)
        *lpRectParam = layout.rect;
      else
        ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
    }
    return;
  }
  if (nFlag == reposExtra && lpRectParam != nullptr) {
    layout.rect.left += lpRectParam->left;
    layout.rect.top += lpRectParam->top;
    layout.rect.right -= lpRectParam->right;
    layout.rect.bottom -= lpRectParam->bottom;
  }
  if (hWndLeftOver != nullptr && layout.hDWP != nullptr) {
    layout.hDWP = ::DeferWindowPos(layout.hDWP, hWndLeftOver, nullptr, layout.rect.left, layout.rect.top,
                                   layout.rect.right - layout.rect.left, layout.rect.bottom - layout.rect.top,
                                   SWP_NOACTIVATE | SWP_NOZORDER);
  }
  if (layout.hDWP != nullptr) ::EndDeferWindowPos(layout.hDWP);
}
