// CFrameWnd's dock bars: made by EnableDocking, one per side; bars docked
// into them or floated in mini frames of their own.
#include "framework/DockBar.h"
#include "framework/DockContext.h"
#include "framework/FrameWnd.h"
#include "framework/MiniDockFrameWnd.h"

namespace {
struct DockSide {
  DWORD dwAlign;
  UINT nID;
};
// In the order the layout gives them room.
const DockSide kSides[] = {{CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
                           {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
                           {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
                           {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT}};
}  // namespace

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
  for (const DockSide& side : kSides) {
    if (!(dwDockStyle & side.dwAlign) || GetDockBar(side.nID) != nullptr) continue;
    CDockBar* pDockBar = new CDockBar;
    pDockBar->m_bAutoDelete = TRUE;
    pDockBar->m_pDockSite = this;
    if (!pDockBar->Create(this, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | side.dwAlign, side.nID)) {
      delete pDockBar;
      AfxThrowResourceException();
    }
  }
}

CDockBar* CFrameWnd::GetDockBar(UINT nID) const {
  CWnd* pWnd = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, static_cast<int>(nID)));
  return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CDockBar)) ? static_cast<CDockBar*>(pWnd) : nullptr;
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  CDockBar* pDockBar = nDockBarID != 0 ? GetDockBar(nDockBarID) : nullptr;
  // Without an id: the first side the bar may dock to.
  for (size_t i = 0; pDockBar == nullptr && nDockBarID == 0 && i < ARRAYSIZE(kSides); ++i)
    if (pBar->m_dwDockStyle & kSides[i].dwAlign) pDockBar = GetDockBar(kSides[i].nID);
  ENSURE_ARG(pDockBar != nullptr);
  DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  ENSURE_ARG(pBar != nullptr && pDockBar != nullptr);
  pBar->m_pDockSite = this;
  pDockBar->DockControlBar(pBar, lpRect);
  if (pBar->m_pDockContext != nullptr) {
    // Where a double click on the floating bar sends it back.
    pBar->m_pDockContext->m_uMRUDockID = static_cast<UINT>(pDockBar->GetDlgCtrlID());
    pBar->GetWindowRect(&pBar->m_pDockContext->m_rectMRUDockPos);
  }
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) {
  ENSURE_ARG(pBar != nullptr);
  pBar->m_pDockSite = this;
  if (pBar->m_pDockContext != nullptr) pBar->m_pDockContext->m_ptMRUFloatPos = point;
  // Alone in its mini frame already: the frame moves.
  if (pBar->IsFloating() && pBar->m_pDockBar->GetDockedCount() == 1) {
    CWnd* pMiniFrame = pBar->m_pDockBar->GetParentFrame();
    pMiniFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  CMiniDockFrameWnd* pMiniFrame = new CMiniDockFrameWnd;
  if (!pMiniFrame->Create(this, dwStyle)) {
    if (pMiniFrame->m_hWnd != nullptr)
      pMiniFrame->DestroyWindow();
    else
      delete pMiniFrame;
    AfxThrowResourceException();
  }
  pMiniFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  pMiniFrame->m_wndDockBar.DockControlBar(pBar);
  pMiniFrame->RecalcLayout();
  pMiniFrame->ShowWindow(SW_SHOWNA);
  RecalcLayout();
}
