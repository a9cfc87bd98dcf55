// A control bar's side of docking: the sides it may dock to, its dock bar,
// and the drag that its gripper starts.
#include "framework/ControlBar.h"
#include "framework/DockBar.h"
#include "framework/DockContext.h"

CControlBar::~CControlBar() { delete m_pDockContext; }

void CControlBar::EnableDocking(DWORD dwDockStyle) {
  m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
  if (m_pDockContext == nullptr) m_pDockContext = new CDockContext(this);
}

BOOL CControlBar::IsFloating() const { return m_pDockBar != nullptr && m_pDockBar->m_bFloating; }

CWnd* CControlBar::GetBarOwner() const { return m_pDockSite != nullptr ? static_cast<CWnd*>(m_pDockSite) : GetOwner(); }

LRESULT CControlBar::OnNcHitTest(CPoint point) {
  // The gripper takes the bar away like a caption.
  CRect window;
  GetWindowRect(&window);
  CRect grip = GetGripperRect();
  if (m_pDockContext != nullptr && grip.PtInRect(CPoint(point.x - window.left, point.y - window.top))) return HTCAPTION;
  return Default();
}

void CControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  if (nHitTest == HTCAPTION && m_pDockContext != nullptr && m_dwDockStyle != 0) {
    m_pDockContext->StartDrag(point);
    return;
  }
  Default();
}

void CControlBar::OnDestroy() {
  if (m_pDockBar != nullptr) m_pDockBar->RemoveControlBar(this);
  CWnd::OnDestroy();
}
