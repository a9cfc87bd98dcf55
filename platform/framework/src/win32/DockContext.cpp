#include "framework/DockContext.h"

#include "framework/DockBar.h"
#include "framework/FrameWnd.h"
#include "framework/TrackingLoop.h"

namespace {

// Follows the mouse; its position is taken from the messages themselves.
class CBarDragLoop : public CTrackingLoop {
 public:
  CBarDragLoop(CWnd* pWnd, CPoint ptStart) : CTrackingLoop(pWnd), m_ptLast(ptStart) {}
  CPoint m_ptLast;  // screen coordinates

 protected:
  Action OnTrackMessage(MSG& msg) override {
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
      ::ClientToScreen(msg.hwnd, &pt);
      m_ptLast = pt;
      if (msg.message == WM_MOUSEMOVE) return actionContinue;
    }
    return CTrackingLoop::OnTrackMessage(msg);
  }
};

const UINT kDockBarIds[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};

}  // namespace

CDockContext::CDockContext(CControlBar* pBar)
    : m_pBar(pBar), m_uMRUDockID(0), m_rectMRUDockPos(0, 0, 0, 0), m_ptMRUFloatPos(0, 0) {}

void CDockContext::StartDrag(CPoint pt) {
  // No drag while another window holds the mouse.
  if (::GetCapture() != nullptr || m_pBar->m_pDockSite == nullptr) return;
  CBarDragLoop loop(m_pBar, pt);
  if (loop.Track() == CTrackingLoop::trackEnded) Drop(pt, loop.m_ptLast);
}

CDockBar* CDockContext::DockBarAt(CPoint pt) const {
  CFrameWnd* pSite = m_pBar->m_pDockSite;
  for (UINT nID : kDockBarIds) {
    CWnd* pWnd = CWnd::FromHandlePermanent(::GetDlgItem(pSite->m_hWnd, static_cast<int>(nID)));
    if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CDockBar))) continue;
    auto* pDockBar = static_cast<CDockBar*>(pWnd);
    if (!(m_pBar->m_dwDockStyle & pDockBar->GetBarStyle() & CBRS_ALIGN_ANY)) continue;
    // The strip itself (empty, it lies along the frame's edge), widened.
    CRect zone;
    pDockBar->GetWindowRect(&zone);
    if (pDockBar->GetBarStyle() & CBRS_ORIENT_HORZ)
      zone.InflateRect(0, kDockZone);
    else
      zone.InflateRect(kDockZone, 0);
    if (zone.PtInRect(pt)) return pDockBar;
  }
  return nullptr;
}

void CDockContext::Drop(CPoint ptStart, CPoint ptEnd) {
  CRect rect;
  m_pBar->GetWindowRect(&rect);
  rect.OffsetRect(ptEnd - ptStart);
  CFrameWnd* pSite = m_pBar->m_pDockSite;
  if (CDockBar* pDockBar = DockBarAt(ptEnd)) {
    pSite->DockControlBar(m_pBar, pDockBar, &rect);
    pSite->RecalcLayout();
  } else {
    pSite->FloatControlBar(m_pBar, rect.TopLeft());
  }
}

void CDockContext::ToggleDocking() {
  CFrameWnd* pSite = m_pBar->m_pDockSite;
  if (pSite == nullptr) return;
  if (m_pBar->IsFloating()) {
    if (m_uMRUDockID == 0) return;
    pSite->DockControlBar(m_pBar, m_uMRUDockID, m_rectMRUDockPos.IsRectEmpty() ? nullptr : &m_rectMRUDockPos);
    pSite->RecalcLayout();
  } else {
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    pSite->FloatControlBar(m_pBar, m_ptMRUFloatPos != CPoint(0, 0) ? m_ptMRUFloatPos : rect.TopLeft());
  }
}
