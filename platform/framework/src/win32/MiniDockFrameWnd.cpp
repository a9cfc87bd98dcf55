#include "framework/MiniDockFrameWnd.h"

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
ON_WM_CLOSE()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) {}

BOOL CMiniDockFrameWnd::Create(CFrameWnd* pParent, DWORD dwBarStyle) {
  if (!CMiniFrameWnd::CreateEx(0, nullptr, nullptr, WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_SYNCACTIVE,
                               CRect(0, 0, 0, 0), pParent))
    return FALSE;
  m_wndDockBar.m_pDockSite = pParent;
  return m_wndDockBar.Create(this, WS_CHILD | WS_VISIBLE | (dwBarStyle & CBRS_ALIGN_ANY), AFX_IDW_DOCKBAR_FLOAT);
}

void CMiniDockFrameWnd::RecalcLayout(BOOL) {
  m_nIdleFlags &= ~(idleLayout | idleNotify);
  if (m_wndDockBar.m_hWnd == nullptr) return;
  // The frame around the bars' own size.
  CSize size = m_wndDockBar.CalcFixedLayout(FALSE, TRUE);
  m_wndDockBar.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  CRect rect(0, 0, size.cx, size.cy);
  ::AdjustWindowRectEx(&rect, GetStyle(), FALSE, GetExStyle());
  SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The first bar's title is the frame's.
  const auto& rows = m_wndDockBar.GetRows();
  if (!rows.empty()) {
    CString strTitle;
    rows.front().front()->GetWindowText(strTitle);
    SetWindowText(strTitle);
  }
}

void CMiniDockFrameWnd::OnClose() {
  for (const auto& row : m_wndDockBar.GetRows())
    for (CControlBar* pBar : row) pBar->ShowWindow(SW_HIDE);
  ShowWindow(SW_HIDE);
}
