#include "DockingPaneSplitterWnd.h"

#include "DockingPaneManager.h"
#include "DockingPanePaintManager.h"
#include "DockingPaneSplitterContainer.h"

#include <ResourceManager.h>
#include <SplitterTracker.h>
#include <framework/FrameWnd.h>
#include <framework/TrackingLoop.h>

#include <algorithm>

namespace {

CRect ScreenRect(const CJVKDockingPaneBase* pNode) {
  CRect rc = pNode->GetPaneWindowRect();
  CWnd* pSite = pNode->GetDockingSite();
  if (pSite && pSite->GetSafeHwnd()) pSite->ClientToScreen(&rc);
  return rc;
}

void RecalcSiteLayout(CWnd* pSite, BOOL bNow) {
  if (!pSite || !pSite->GetSafeHwnd()) return;
  CWnd* pFrame = pSite->IsFrameWnd() ? pSite : pSite->GetParentFrame();
  if (!pFrame) return;
  if (bNow) {
    static_cast<CFrameWnd*>(pFrame)->RecalcLayout();
  } else {
    static_cast<CFrameWnd*>(pFrame)->DelayRecalcLayout();
  }
}

// The live drag of a bar: each move places the bar (clamped to its range),
// stores the children's sizes and lays the frame out at once; the left
// button's release and Escape end it where it is. A lost capture and
// WM_QUIT end it too (the quit is posted again by the loop).
class CLiveSplitterDrag : public CTrackingLoop {
 public:
  CLiveSplitterDrag(CJVKDockingPaneSplitterWnd* pWnd, int nOffset, const SplitterTrackRange& range,
                    const SplitterNeighbours& n)
      : CTrackingLoop(pWnd), m_pSplitter(pWnd), m_nOffset(nOffset), m_range(range), m_n(n) {}

 protected:
  Action OnTrackMessage(MSG& msg) override {
    MSG paint;
    while (::PeekMessage(&paint, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) ::DispatchMessage(&paint);
    switch (msg.message) {
      case WM_MOUSEMOVE: {
        CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
        ::ClientToScreen(msg.hwnd, &pt);
        const BOOL bRow = m_pSplitter->GetContainer()->IsHorizontal();
        const int nPos = std::clamp(static_cast<int>((bRow ? pt.x : pt.y) + m_nOffset), m_range.nLow, m_range.nHigh);
        CRect rcBar;
        m_pSplitter->GetWindowRect(&rcBar);
        if (nPos != (bRow ? rcBar.left : rcBar.top)) {
          m_pSplitter->ApplyPosition(nPos, m_n);
          RecalcSiteLayout(m_pSplitter->GetContainer()->GetDockingSite(), TRUE);
        }
        return actionContinue;
      }
      case WM_LBUTTONUP: return actionEnd;
      case WM_KEYDOWN:
        if (msg.wParam == VK_ESCAPE) return actionEnd;  // the last position stays
        break;
      default: break;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
    return actionContinue;
  }

 private:
  CJVKDockingPaneSplitterWnd* m_pSplitter;
  int m_nOffset;
  SplitterTrackRange m_range;
  SplitterNeighbours m_n;
};

}  // namespace

BEGIN_MESSAGE_MAP(CJVKDockingPaneSplitterWnd, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SETCURSOR()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CJVKDockingPaneSplitterWnd::~CJVKDockingPaneSplitterWnd() {
  if (GetSafeHwnd()) DestroyWindow();
}

BOOL CJVKDockingPaneSplitterWnd::Create(CJVKDockingPaneSplitterContainer* pContainer, CJVKDockingPaneBase* pBefore,
                                        CJVKDockingPaneBase* pAfter) {
  m_pContainer = pContainer;
  m_pBefore = pBefore;
  m_pAfter = pAfter;
  m_hCursor = GetResourceManager()->LoadCursor(pContainer->IsHorizontal() ? 9970 : 9971);
  if (!m_hCursor) m_hCursor = ::LoadCursor(nullptr, pContainer->IsHorizontal() ? IDC_SIZEWE : IDC_SIZENS);
  CWnd* pSite = pContainer->GetDockingSite();
  if (!pSite || !pSite->GetSafeHwnd()) return FALSE;
  return CWnd::Create(AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW)), _T(""),
                      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), pSite, 0);
}

BOOL CJVKDockingPaneSplitterWnd::IsHorizontal() const { return !m_pContainer->IsHorizontal(); }

SplitterTrackRange CJVKDockingPaneSplitterWnd::GetTrackRange(SplitterNeighbours* pNeighbours) const {
  const CRect rcA = ScreenRect(m_pBefore);
  const CRect rcB = ScreenRect(m_pAfter);
  CRect rcUnion;
  rcUnion.UnionRect(rcA, rcB);
  MINMAXINFO mmiA, mmiB;
  m_pBefore->GetMinMaxInfo(&mmiA);
  m_pAfter->GetMinMaxInfo(&mmiB);
  const BOOL bRow = m_pContainer->IsHorizontal();
  SplitterNeighbours n;
  n.nNear = bRow ? rcUnion.left : rcUnion.top;
  n.nFar = bRow ? rcUnion.right : rcUnion.bottom;
  n.nMinBefore = bRow ? mmiA.ptMinTrackSize.x : mmiA.ptMinTrackSize.y;
  n.nMaxBefore = bRow ? mmiA.ptMaxTrackSize.x : mmiA.ptMaxTrackSize.y;
  n.nMinAfter = bRow ? mmiB.ptMinTrackSize.x : mmiB.ptMinTrackSize.y;
  n.nMaxAfter = bRow ? mmiB.ptMaxTrackSize.x : mmiB.ptMaxTrackSize.y;
  if (pNeighbours) *pNeighbours = n;
  const CJVKDockingPaneManager* pManager = m_pContainer->GetDockingPaneManager();
  return CalcSplitterTrackRange(n, pManager->m_nMinTrackMargin, m_pContainer->GetSplitterSize());
}

void CJVKDockingPaneSplitterWnd::ApplyPosition(int nPos, const SplitterNeighbours& n) {
  const BOOL bRow = m_pContainer->IsHorizontal();
  CWnd* pSite = m_pContainer->GetDockingSite();
  const BOOL bRightToLeft = bRow && pSite && pSite->GetSafeHwnd() && (pSite->GetExStyle() & WS_EX_LAYOUTRTL);
  SplitterSizes stored;
  stored.nBefore = bRow ? m_pBefore->m_szDocking.cx : m_pBefore->m_szDocking.cy;
  stored.nAfter = bRow ? m_pAfter->m_szDocking.cx : m_pAfter->m_szDocking.cy;
  const SplitterSizes sizes =
      ApplySplitterPosition(stored, nPos, n.nNear, n.nFar, m_pContainer->GetSplitterSize(), bRightToLeft);
  (bRow ? m_pBefore->m_szDocking.cx : m_pBefore->m_szDocking.cy) = sizes.nBefore;
  (bRow ? m_pAfter->m_szDocking.cx : m_pAfter->m_szDocking.cy) = sizes.nAfter;
}

void CJVKDockingPaneSplitterWnd::OnPaint() {
  CPaintDC dc(this);
  CJVKDockingPaneManager* pManager = m_pContainer->GetDockingPaneManager();
  if (pManager && pManager->GetPaintManager()) pManager->GetPaintManager()->DrawSplitter(&dc, this);
}

BOOL CJVKDockingPaneSplitterWnd::OnEraseBkgnd(CDC*) { return TRUE; }

BOOL CJVKDockingPaneSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  const CJVKDockingPaneManager* pManager = m_pContainer->GetDockingPaneManager();
  if (!pManager->m_bLockSplitters && !GetTrackRange().IsEmpty()) {
    ::SetCursor(m_hCursor);
    return TRUE;
  }
  return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CJVKDockingPaneSplitterWnd::OnLButtonDown(UINT, CPoint point) {
  CJVKDockingPaneManager* pManager = m_pContainer->GetDockingPaneManager();
  if (pManager->m_bLockSplitters) return;
  SplitterNeighbours n;
  const SplitterTrackRange range = GetTrackRange(&n);
  if (range.IsEmpty()) return;
  m_pContainer->SaveSizes();
  ClientToScreen(&point);
  CRect rcBar;
  GetWindowRect(&rcBar);
  const BOOL bRow = m_pContainer->IsHorizontal();
  if (!pManager->m_bUseSplitterTracker) {
    TrackLive(point, range, n);
    return;
  }
  JVK_TRACK_REQUEST request = {};
  request.hOwner = GetSafeHwnd();
  request.pRect = &rcBar;
  request.ptCurrent = point;
  request.bHorizontal = bRow;
  request.nMinX = bRow ? range.nLow : rcBar.left;
  request.nMaxX = bRow ? range.nHigh : rcBar.left;
  request.nMinY = bRow ? rcBar.top : range.nLow;
  request.nMaxY = bRow ? rcBar.top : range.nHigh;
  CJVKSplitterTracker tracker;
  if (tracker.Track(request)) {
    ApplyPosition(bRow ? rcBar.left : rcBar.top, n);
    RecalcSiteLayout(m_pContainer->GetDockingSite(), FALSE);
  }
}

void CJVKDockingPaneSplitterWnd::TrackLive(CPoint ptScreen, const SplitterTrackRange& range,
                                           const SplitterNeighbours& n) {
  CRect rcBar;
  GetWindowRect(&rcBar);
  const BOOL bRow = m_pContainer->IsHorizontal();
  const int nOffset = bRow ? rcBar.left - ptScreen.x : rcBar.top - ptScreen.y;
  CLiveSplitterDrag drag(this, nOffset, range, n);
  drag.Track();
}
