#include "framework/MiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
ON_WM_NCACTIVATE()
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd() : m_bActive(FALSE), m_bOwnerActive(FALSE) {}

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                           UINT nID) {
  return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID) {
  m_strTitle = lpWindowName;
  // The mini-frame styles only choose the frame: a thick frame sizes it.
  if (dwStyle & (MFS_THICKFRAME | MFS_4THICKFRAME)) dwStyle |= WS_THICKFRAME;
  if (dwStyle & MFS_BLOCKSYSMENU) dwStyle &= ~WS_SYSMENU;
  HMENU hMenuOrID = (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : nullptr;
  return CWnd::CreateEx(dwExStyle | WS_EX_TOOLWINDOW, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), hMenuOrID);
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM) {
  if ((wParam & (FS_ACTIVATE | FS_DEACTIVATE)) && (GetStyle() & MFS_SYNCACTIVE)) {
    m_bOwnerActive = (wParam & FS_ACTIVATE) != 0;
    SendMessage(WM_NCACTIVATE, m_bOwnerActive);
  }
  if (wParam & (FS_ENABLE | FS_DISABLE)) EnableWindow((wParam & FS_ENABLE) != 0);
  // Hidden with the owner, shown again with it; one the user closed stays closed.
  if ((wParam & FS_HIDE) && IsWindowVisible()) {
    ShowWindow(SW_HIDE);
    m_nFlags |= WF_TEMPHIDE;
  } else if ((wParam & FS_SHOW) && (m_nFlags & WF_TEMPHIDE)) {
    ShowWindow(SW_SHOWNA);
    m_nFlags &= ~WF_TEMPHIDE;
  }
  return TRUE;
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive) {
  // A synchronised caption stays active while the owner frame is active.
  if (!bActive && (GetStyle() & MFS_SYNCACTIVE) && m_bOwnerActive) bActive = TRUE;
  m_bActive = bActive;
  return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive, 0));
}
