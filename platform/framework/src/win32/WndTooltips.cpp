// Tooltips for a window's child controls: one tooltip control per thread,
// fed the mouse messages, asking the window which child is under the mouse
// and showing the tip of the child's string resource.
#include "framework/ToolTipCtrl.h"
#include "framework/Wnd.h"

#include "ThreadState.h"
#include "WndInternal.h"

BOOL CWnd::EnableToolTips(BOOL bEnable) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (!bEnable) {
    m_nFlags &= ~WF_TOOLTIPS;
    if (pState->pToolTip != nullptr && pState->hWndLastHit == m_hWnd) {
      pState->pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
      pState->hWndLastHit = nullptr;
      pState->nLastHit = -1;
    }
    return TRUE;
  }
  if (pState->pToolTip == nullptr) {
    CToolTipCtrl* pToolTip = new CToolTipCtrl;
    if (!pToolTip->Create(this, TTS_ALWAYSTIP)) {
      delete pToolTip;
      return FALSE;
    }
    pState->pToolTip = pToolTip;
  }
  m_nFlags |= WF_TOOLTIPS;
  return TRUE;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  // The child control under the point is the tool; its text comes from the
  // owner (TTN_NEEDTEXT, by default the string resource of its id).
  HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
  if (hWndChild == nullptr || hWndChild == m_hWnd) return -1;
  int nID = ::GetDlgCtrlID(hWndChild);
  if (nID == 0) return -1;
  if (pTI != nullptr) {
    pTI->hwnd = m_hWnd;
    pTI->uId = reinterpret_cast<UINT_PTR>(hWndChild);
    pTI->uFlags |= TTF_IDISHWND;
    pTI->lpszText = LPSTR_TEXTCALLBACK;
  }
  return nID;
}

void CWnd::FilterToolTipMessage(MSG* pMsg) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  CToolTipCtrl* pToolTip = pState->pToolTip;
  if (pToolTip == nullptr) return;
  UINT message = pMsg->message;
  if (message != WM_MOUSEMOVE && message != WM_LBUTTONDOWN && message != WM_LBUTTONUP && message != WM_RBUTTONDOWN &&
      message != WM_RBUTTONUP && message != WM_MBUTTONDOWN && message != WM_MBUTTONUP)
    return;
  CPoint point(pMsg->lParam);
  ::MapWindowPoints(pMsg->hwnd, m_hWnd, &point, 1);
  TOOLINFO ti = {};
  ti.cbSize = sizeof(ti);
  INT_PTR nHit = OnToolHitTest(point, &ti);
  if (nHit != pState->nLastHit || pState->hWndLastHit != m_hWnd) {
    // Another tool: replace the one the tooltip knows.
    TOOLINFO tiOld = {};
    tiOld.cbSize = sizeof(tiOld);
    if (pToolTip->SendMessage(TTM_ENUMTOOLS, 0, reinterpret_cast<LPARAM>(&tiOld)))
      pToolTip->SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&tiOld));
    if (nHit != -1) {
      ti.hinst = AfxGetResourceHandle();
      pToolTip->SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
      pToolTip->SendMessage(TTM_ACTIVATE, TRUE);
    }
    pState->nLastHit = nHit;
    pState->hWndLastHit = m_hWnd;
  }
  if (nHit != -1) pToolTip->RelayEvent(pMsg);
}

void AfxDestroyToolTipOf(HWND hWndOwner) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->pToolTip != nullptr && pState->pToolTip->GetOwner()->GetSafeHwnd() == hWndOwner) {
    CToolTipCtrl* pToolTip = pState->pToolTip;
    pState->pToolTip = nullptr;
    pToolTip->DestroyWindow();
    delete pToolTip;
  }
}

BOOL AfxGetToolTipText(NMHDR* pNMHDR, LRESULT* pResult) {
  // The A and W records differ in their text only; the flags come first.
  auto* pTTTA = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
  auto* pTTTW = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
  BOOL bWide = pNMHDR->code == TTN_NEEDTEXTW;
  UINT uFlags = bWide ? pTTTW->uFlags : pTTTA->uFlags;
  UINT nTool = static_cast<UINT>(pNMHDR->idFrom);
  if (uFlags & TTF_IDISHWND) nTool = static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(pNMHDR->idFrom)));
  CString text;
  if (nTool == 0 || !text.LoadString(nTool)) return FALSE;
  int nNewLine = text.Find('\n');
  if (nNewLine >= 0) text = text.Mid(nNewLine + 1);
  if (bWide) {
    pTTTW->lpszText = pTTTW->szText;
    if (::MultiByteToWideChar(CP_ACP, 0, text, -1, pTTTW->szText, ARRAYSIZE(pTTTW->szText)) == 0)
      pTTTW->szText[ARRAYSIZE(pTTTW->szText) - 1] = 0;  // cut at the buffer's end
  } else {
    pTTTA->lpszText = pTTTA->szText;
    lstrcpynA(pTTTA->szText, text, sizeof(pTTTA->szText));
  }
  *pResult = 0;
  return TRUE;
}
