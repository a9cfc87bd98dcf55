#include "DockingPaneDragContext.h"

#include "DockingDragRules.h"
#include "DockingPane.h"
#include "DockingPaneLayout.h"
#include "DockingPaneManager.h"
#include "DockingPaneMiniWnd.h"
#include "DockingPaneSplitterContainer.h"
#include "DockingPaneTabbedContainer.h"

#include <OptionalEntry.h>

#include <algorithm>

namespace {

// Pointer moves closer than this to the press do not start the drag.
const int kStartThreshold = 4;

// The outline of a group with a tab under it: the tab's height and width.
int AttachTabHeight(const CRect& rc) { return std::min(20, rc.Height() / 2); }
int AttachTabWidth(const CRect& rc) { return std::min(50, rc.Width() - 5); }

HRGN FrameRegion(const CRect& rc) {
  HRGN hOuter = ::CreateRectRgnIndirect(&rc);
  CRect rcInner = rc;
  rcInner.DeflateRect(4, 4);
  HRGN hInner = ::CreateRectRgnIndirect(&rcInner);
  ::CombineRgn(hOuter, hOuter, hInner, RGN_XOR);
  ::DeleteObject(hInner);
  return hOuter;
}

// The 4-pixel outline of the rectangle, or of a group with a tab.
HRGN OutlineRegion(const CRect& rc, BOOL bAttach) {
  if (rc.IsRectEmpty()) return ::CreateRectRgn(0, 0, 0, 0);
  if (!bAttach) return FrameRegion(rc);
  const int f = AttachTabHeight(rc);
  const int w = AttachTabWidth(rc);
  const CRect rcBody(rc.left, rc.top, rc.right, rc.bottom - f);
  const CRect rcTab(rc.left + 5, rc.bottom - f - 4, rc.left + 5 + w, rc.bottom);
  HRGN hRgn = FrameRegion(rcBody);
  HRGN hTab = FrameRegion(rcTab);
  ::CombineRgn(hRgn, hRgn, hTab, RGN_OR);
  // The seam between body and tab opens.
  CRect rcSeam;
  rcSeam.IntersectRect(rcBody, rcTab);
  rcSeam.InflateRect(-4, 0);
  HRGN hSeam = ::CreateRectRgnIndirect(&rcSeam);
  ::CombineRgn(hRgn, hRgn, hSeam, RGN_DIFF);
  ::DeleteObject(hSeam);
  ::DeleteObject(hTab);
  return hRgn;
}

// Every other pixel, alternating by row.
HBRUSH HalftoneBrush() {
  static const WORD kPattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, kPattern);
  HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
  ::DeleteObject(hBitmap);
  return hBrush;
}

}  // namespace

// ------------------------------------------------------------ alpha window

BEGIN_MESSAGE_MAP(CJVKDockingPaneAlphaWnd, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CJVKDockingPaneAlphaWnd::Create(CWnd* pOwner, const CRect& rc,
                                     BOOL(WINAPI* pfnSetLayered)(HWND, COLORREF, BYTE, DWORD)) {
  if (!CWnd::CreateEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                      AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW)), _T(""), WS_POPUP, rc.left, rc.top,
                      rc.Width(), rc.Height(), pOwner ? pOwner->GetSafeHwnd() : nullptr, nullptr))
    return FALSE;
  pfnSetLayered(m_hWnd, 0, 100, LWA_ALPHA);
  return TRUE;
}

void CJVKDockingPaneAlphaWnd::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  dc.FillSolidRect(rc, ::GetSysColor(COLOR_HIGHLIGHT));
}

// ------------------------------------------------------------ drag context

CJVKDockingPaneDragContext::~CJVKDockingPaneDragContext() {
  if (m_wndAlpha.GetSafeHwnd()) m_wndAlpha.DestroyWindow();
  if (m_wndAlphaTab.GetSafeHwnd()) m_wndAlphaTab.DestroyWindow();
}

CRect CJVKDockingPaneDragContext::SiteRectOnScreen(CJVKDockingPaneBase* pNode) const {
  CRect rc = pNode->GetPaneWindowRect();
  CWnd* pSite = pNode->GetDockingSite();
  if (pSite && pSite->GetSafeHwnd()) pSite->ClientToScreen(&rc);
  return rc;
}

CRect CJVKDockingPaneDragContext::NodeScreenRect(CJVKDockingPaneBase* pNode) const {
  if (auto* pFrame = dynamic_cast<CJVKDockingPaneMiniWnd*>(pNode->GetContainer()); pFrame && pFrame->GetSafeHwnd())
    return pFrame->GetFrameRect();
  CJVKDockingPaneBase* pHolder = pNode->GetType() == DockingPaneTypePane && pNode->GetContainer() ? pNode->GetContainer()
                                                                                                   : pNode;
  CRect rc;
  if (CWnd* pWnd = pHolder->GetWindow(); pWnd && pWnd->GetSafeHwnd()) {
    pWnd->GetWindowRect(&rc);
    return rc;
  }
  return SiteRectOnScreen(pHolder);
}

CWnd* CJVKDockingPaneDragContext::DragSite() const {
  CWnd* pSite = m_pDragged ? m_pDragged->GetDockingSite() : nullptr;
  return pSite ? pSite : m_pManager->GetSite();
}

CJVKDockingPaneList CJVKDockingPaneDragContext::DraggedPanes() const {
  CJVKDockingPaneList panes;
  if (m_pDragged->GetType() == DockingPaneTypePane) {
    panes.push_back(m_pDragged);
  } else {
    m_pDragged->FindPanes(DockingPaneTypePane, panes);
  }
  return panes;
}

BOOL CJVKDockingPaneDragContext::AllowDock(int nSide, CJVKDockingPaneBase* pTarget) const {
  for (CJVKDockingPaneBase* pPane : DraggedPanes())
    if (m_pManager->NotifyAction(DockingPaneActionDocking, static_cast<CJVKDockingPane*>(pPane), pTarget, nSide))
      return FALSE;
  return TRUE;
}

BOOL CJVKDockingPaneDragContext::AllowAttach(CJVKDockingPaneBase* pTarget) const {
  for (CJVKDockingPaneBase* pPane : DraggedPanes())
    if (m_pManager->NotifyAction(DockingPaneActionAttaching, static_cast<CJVKDockingPane*>(pPane), pTarget))
      return FALSE;
  return TRUE;
}

void CJVKDockingPaneDragContext::Start(CJVKDockingPaneBase* pNode, int x, int y) {
  if (!pNode || m_pDragged) return;
  m_ptStart = m_ptLast = CPoint(x, y);
  m_bMoved = FALSE;
  m_rcFloat = StartFloatingRect(NodeScreenRect(pNode), m_ptStart);
  m_pDragged = pNode;
  m_pTarget = nullptr;
  m_bAttach = FALSE;
  m_bFloatable = TRUE;
  HMODULE hUser = JVKOptionalLibrary("USER32", FALSE);
  m_pfnSetLayeredWindowAttributes = JVKOptionalProc<SetLayeredProc>(hUser, "USER32", "SetLayeredWindowAttributes");
  m_bAlpha = m_pManager->m_bAlphaDockingContext && m_pfnSetLayeredWindowAttributes != nullptr;
  // The compass and side guides are not drawn by this library: drags show
  // the drop rectangle alone.
  m_bGuides = FALSE;
  for (CJVKDockingPaneBase* pPane : DraggedPanes()) {
    auto* p = static_cast<CJVKDockingPane*>(pPane);
    if ((p->GetOptions() & DockingPaneNoFloatable) || m_pManager->NotifyAction(DockingPaneActionFloating, p))
      m_bFloatable = FALSE;
  }
  InitLoop();
  Track();
  m_pDragged = nullptr;
  m_pTarget = nullptr;
}

void CJVKDockingPaneDragContext::InitLoop() {
  m_rcLast.SetRectEmpty();
  m_bLastAttach = FALSE;
  if (m_bAlpha) return;
  MSG msg;
  while (::PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) ::DispatchMessage(&msg);
  m_bLocked = ::LockWindowUpdate(::GetDesktopWindow());
  m_hDesktopDC = ::GetDCEx(::GetDesktopWindow(), nullptr,
                           DCX_WINDOW | DCX_CACHE | (m_bLocked ? DCX_LOCKWINDOWUPDATE : 0));
}

void CJVKDockingPaneDragContext::Track() {
  CWnd* pSite = DragSite();
  if (::GetCapture() || !pSite || !pSite->GetSafeHwnd()) {
    EndLoop();
    return;
  }
  pSite->SetCapture();
  BOOL bDrop = FALSE;
  while (::GetCapture() == pSite->GetSafeHwnd()) {
    MSG msg;
    const BOOL bGot = ::GetMessage(&msg, nullptr, 0, 0);
    if (!bGot || msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) {
      if (msg.wParam == VK_CONTROL) {
        Move(m_ptLast.x, m_ptLast.y);
        m_bMoved = TRUE;
      } else if (msg.wParam == VK_ESCAPE && msg.message == WM_KEYDOWN) {
        break;
      }
      continue;
    }
    if (msg.message == WM_MOUSEMOVE) {
      CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
      ::ClientToScreen(msg.hwnd, &pt);
      if (!m_bMoved && std::abs(pt.x - m_ptStart.x) <= kStartThreshold &&
          std::abs(pt.y - m_ptStart.y) <= kStartThreshold)
        continue;
      m_bMoved = TRUE;
      Move(pt.x, pt.y);
      continue;
    }
    if (msg.message == WM_LBUTTONUP) {
      bDrop = TRUE;
      break;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
  EndLoop();
  if (bDrop && m_bMoved) Drop();
}

void CJVKDockingPaneDragContext::Drop() {
  const CJVKDockingPaneList panes = DraggedPanes();
  int nAction = -1;
  if (m_bAttach && m_pTarget) {
    m_pManager->AttachPane(m_pDragged, m_pTarget);
    nAction = DockingPaneActionAttached;
  } else if (m_pTarget) {
    m_pManager->DockPane(m_pDragged, m_pManager->MirrorSide(m_nSide), m_pTarget);
    nAction = DockingPaneActionDocked;
  } else if (m_bFloatable) {
    CRect rc = m_rcFloat;
    if (rc.top < 0) rc.OffsetRect(0, -rc.top);
    auto* pFrame = dynamic_cast<CJVKDockingPaneMiniWnd*>(m_pDragged->GetContainer());
    if (m_pDragged->GetType() == DockingPaneTypeSplitterContainer && pFrame && pFrame->GetSafeHwnd()) {
      pFrame->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
      m_pManager->FloatPane(m_pDragged, rc);
    }
    nAction = DockingPaneActionFloated;
  }
  if (nAction < 0) return;
  for (CJVKDockingPaneBase* pPane : panes) m_pManager->NotifyAction(nAction, static_cast<CJVKDockingPane*>(pPane));
}

void CJVKDockingPaneDragContext::Move(int x, int y) {
  CRect rc = m_rcFloat;
  rc.OffsetRect(x - m_ptLast.x, y - m_ptLast.y);
  MONITORINFO mi = {};
  mi.cbSize = sizeof(mi);
  CRect rcCommon;
  if (!::GetMonitorInfo(::MonitorFromRect(&m_rcFloat, MONITOR_DEFAULTTONEAREST), &mi) ||
      rcCommon.IntersectRect(rc, &mi.rcWork))
    m_rcFloat = rc;
  m_pTarget = nullptr;
  m_bAttach = FALSE;
  if (::GetKeyState(VK_CONTROL) >= 0) FindTarget(x, y);
  m_ptLast = CPoint(x, y);
  UpdateFeedback(FALSE);
}

BOOL CJVKDockingPaneDragContext::ChooseSide(const CRect& rc, CPoint pt, CJVKDockingPaneBase* pTarget, BOOL bInside) {
  const int nSide = ChooseDockingSide(rc, pt, bInside != FALSE, m_bFloatable != FALSE);
  if (nSide < 0 || !AllowDock(nSide, pTarget)) return FALSE;
  m_rcDock = m_pManager->CalcDockRect(m_pDragged, nSide, pTarget);
  m_pTarget = pTarget;
  m_nSide = nSide;
  return TRUE;
}

void CJVKDockingPaneDragContext::FindTarget(int x, int y) {
  const CPoint pt(x, y);
  CJVKDockingPaneLayout* pLayout = m_pManager->GetLayout();
  std::vector<CJVKDockingPaneBase*> seen;
  for (const auto& entry : pLayout->m_lstPanes) {
    auto* pGroup = dynamic_cast<CJVKDockingPaneTabbedContainer*>(entry.pPane->GetContainer());
    if (!pGroup || std::find(seen.begin(), seen.end(), pGroup) != seen.end()) continue;
    seen.push_back(pGroup);
    CJVKDockingPaneBase* pParent = pGroup->GetContainer();
    if (!pParent || pParent->GetType() != DockingPaneTypeSplitterContainer) continue;
    if (!pGroup->GetSafeHwnd() || !pGroup->IsWindowVisible()) continue;
    if (m_pDragged->Contains(pGroup) || pGroup->Contains(m_pDragged)) continue;
    CRect rc;
    pGroup->GetWindowRect(&rc);
    if (pGroup->IsPointInCaption(pt) && AllowAttach(pGroup)) {
      m_pTarget = pGroup;
      m_bAttach = TRUE;
      m_rcDock = rc;
      return;
    }
    if (ChooseSide(rc, pt, pGroup, TRUE)) return;
  }
  if (pLayout->m_pClient && ChooseSide(SiteRectOnScreen(pLayout->m_pClient), pt, pLayout->m_pClient, TRUE)) return;
  if (pLayout->m_pTopContainer)
    ChooseSide(SiteRectOnScreen(pLayout->m_pTopContainer), pt, pLayout->m_pTopContainer, FALSE);
}

void CJVKDockingPaneDragContext::UpdateFeedback(BOOL bErase) {
  CRect rc;
  if (m_pTarget) {
    rc = m_rcDock;
  } else if (m_bFloatable) {
    rc = m_rcFloat;
  } else {
    rc.SetRectEmpty();
  }
  if (!m_bAlpha) {
    DrawOutline(bErase ? CRect(0, 0, 0, 0) : rc, bErase ? FALSE : m_bAttach);
    return;
  }
  CWnd* pOwner = m_pManager->GetSite();
  if (m_bAttach != m_bLastAttach) {
    if (m_bAttach) {
      m_wndAlphaTab.Create(pOwner, CRect(0, 0, 1, 1), m_pfnSetLayeredWindowAttributes);
    } else if (m_wndAlphaTab.GetSafeHwnd()) {
      m_wndAlphaTab.DestroyWindow();
    }
    m_bLastAttach = m_bAttach;
  }
  if (m_bAttach && m_wndAlphaTab.GetSafeHwnd()) {
    const int f = AttachTabHeight(rc);
    const int w = AttachTabWidth(rc);
    m_wndAlphaTab.SetWindowPos(nullptr, rc.left + 5, rc.bottom - f, w, f,
                               SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    rc.bottom -= f;
  }
  if (rc.IsRectEmpty()) {
    if (m_wndAlpha.GetSafeHwnd()) m_wndAlpha.ShowWindow(SW_HIDE);
    return;
  }
  if (m_wndAlpha.GetSafeHwnd()) {
    CRect rcOld;
    m_wndAlpha.GetWindowRect(&rcOld);
    if (rcOld.Size() != rc.Size()) m_wndAlpha.DestroyWindow();
  }
  if (!m_wndAlpha.GetSafeHwnd()) m_wndAlpha.Create(pOwner, rc, m_pfnSetLayeredWindowAttributes);
  if (m_wndAlpha.GetSafeHwnd())
    m_wndAlpha.SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(),
                            SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CJVKDockingPaneDragContext::DrawOutline(const CRect& rc, BOOL bAttach) {
  if (!m_hDesktopDC) return;
  HRGN hNew = OutlineRegion(rc, bAttach);
  HRGN hLast = OutlineRegion(m_rcLast, m_bLastAttach);
  // Only the difference is inverted: inverting twice restores the screen.
  HRGN hPaint = ::CreateRectRgn(0, 0, 0, 0);
  ::CombineRgn(hPaint, hNew, hLast, RGN_XOR);
  ::SelectClipRgn(m_hDesktopDC, hPaint);
  CRect rcBox;
  ::GetRgnBox(hPaint, &rcBox);
  HBRUSH hBrush = HalftoneBrush();
  HGDIOBJ hOld = ::SelectObject(m_hDesktopDC, hBrush);
  ::PatBlt(m_hDesktopDC, rcBox.left, rcBox.top, rcBox.Width(), rcBox.Height(), PATINVERT);
  ::SelectObject(m_hDesktopDC, hOld);
  ::SelectClipRgn(m_hDesktopDC, nullptr);
  ::DeleteObject(hBrush);
  ::DeleteObject(hPaint);
  ::DeleteObject(hLast);
  ::DeleteObject(hNew);
  m_rcLast = rc;
  m_bLastAttach = bAttach;
}

void CJVKDockingPaneDragContext::EndLoop() {
  if (::GetCapture()) ::ReleaseCapture();
  if (m_bAlpha) {
    if (m_wndAlpha.GetSafeHwnd()) m_wndAlpha.DestroyWindow();
    if (m_wndAlphaTab.GetSafeHwnd()) m_wndAlphaTab.DestroyWindow();
    m_bLastAttach = FALSE;
    return;
  }
  UpdateFeedback(TRUE);
  if (m_bLocked) ::LockWindowUpdate(nullptr);
  m_bLocked = FALSE;
  if (m_hDesktopDC) ::ReleaseDC(::GetDesktopWindow(), m_hDesktopDC);
  m_hDesktopDC = nullptr;
}
