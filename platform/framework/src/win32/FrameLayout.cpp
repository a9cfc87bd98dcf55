// CFrameWnd layout: the control bars take their room through WM_SIZEPARENT,
// the main pane gets the rest; a delayed layout runs at idle time, together
// with the title and menu updates asked for, and the idle update goes on to
// the popups the frame owns (floating bars are not its children).
#include "framework/FrameWnd.h"

#include "ThreadState.h"

void CFrameWnd::RecalcLayout(BOOL bNotify) {
  m_nIdleFlags &= ~(idleLayout | idleNotify);
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
  (void)bNotify;
}

void CFrameWnd::DelayRecalcLayout(BOOL bNotify) { m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0); }

void CFrameWnd::OnSize(UINT nType, int, int) {
  Default();
  if (nType != SIZE_MINIMIZED) RecalcLayout();
}

namespace {
struct IdleUpdate {
  HWND hWndOwner;
  WPARAM wParam;  // disable commands without a handler
};

BOOL CALLBACK SendIdleUpdate(HWND hWnd, LPARAM lParam) {
  auto* pUpdate = reinterpret_cast<IdleUpdate*>(lParam);
  if (::GetWindow(hWnd, GW_OWNER) != pUpdate->hWndOwner || !::IsWindowVisible(hWnd)) return TRUE;
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (pWnd == nullptr) return TRUE;
  AfxCallWndProc(pWnd, hWnd, WM_IDLEUPDATECMDUI, pUpdate->wParam, 0);
  pWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, pUpdate->wParam, 0, TRUE, TRUE);
  return TRUE;
}
}  // namespace

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  UINT nFlags = m_nIdleFlags;
  if (nFlags & idleLayout) RecalcLayout((nFlags & idleNotify) != 0);
  if (nFlags & idleTitle) OnUpdateFrameTitle(TRUE);
  if (nFlags & idleMenu) OnUpdateFrameMenu(nullptr);
  m_nIdleFlags = 0;
  // Popups owned by a top-level frame (mini frames, floating bars).
  if (!(GetStyle() & WS_CHILD)) {
    IdleUpdate update = {m_hWnd, wParam};
    ::EnumThreadWindows(::GetCurrentThreadId(), SendIdleUpdate, reinterpret_cast<LPARAM>(&update));
  }
  return 0;
}
