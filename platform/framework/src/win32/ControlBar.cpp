#include "framework/ControlBar.h"

#include <algorithm>

#include "framework/DC.h"
#include "framework/FrameWnd.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_WM_NCCALCSIZE()
ON_WM_NCPAINT()
ON_WM_PAINT()
ON_WM_CREATE()
ON_WM_NCHITTEST()
ON_WM_NCLBUTTONDOWN()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CControlBar::CControlBar()
    : m_pDockSite(nullptr),
      m_pDockBar(nullptr),
      m_pDockContext(nullptr),
      m_dwDockStyle(0),
      m_cxLeftBorder(6),
      m_cxRightBorder(6),
      m_cyTopBorder(2),
      m_cyBottomBorder(2),
      m_bAutoDelete(FALSE),
      m_dwStyle(0),
      m_nStateFlags(0) {}

void CControlBar::PostNcDestroy() {
  if (m_bAutoDelete) delete this;
}

void CControlBar::SetBarStyle(DWORD dwStyle) {
  DWORD dwOld = m_dwStyle;
  m_dwStyle = dwStyle;
  if (dwOld != dwStyle) OnBarStyleChange(dwOld, dwStyle);
  if (m_hWnd != nullptr && ((dwOld ^ dwStyle) & CBRS_TOOLTIPS)) EnableBarToolTips((dwStyle & CBRS_TOOLTIPS) != 0);
  // The non-client part (borders, gripper) follows the style.
  if (m_hWnd != nullptr)
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CControlBar::OnBarStyleChange(DWORD, DWORD) {}

int CControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
  if (m_dwStyle & CBRS_TOOLTIPS) EnableBarToolTips(TRUE);
  return 0;
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom) {
  m_cxLeftBorder = cxLeft;
  m_cyTopBorder = cyTop;
  m_cxRightBorder = cxRight;
  m_cyBottomBorder = cyBottom;
}

BOOL CControlBar::IsVisible() const {
  if (m_nStateFlags & delayHide) return FALSE;
  return (m_nStateFlags & delayShow) || (GetStyle() & WS_VISIBLE);
}

CFrameWnd* CControlBar::GetDockingFrame() const {
  CWnd* pFrame = GetParentFrame();
  return static_cast<CFrameWnd*>(pFrame);
}

void CControlBar::DelayShow(BOOL bShow) {
  m_nStateFlags &= ~(delayHide | delayShow);
  if (bShow && !(GetStyle() & WS_VISIBLE))
    m_nStateFlags |= delayShow;
  else if (!bShow && (GetStyle() & WS_VISIBLE))
    m_nStateFlags |= delayHide;
  CFrameWnd* pFrame = GetDockingFrame();
  if (pFrame != nullptr) pFrame->DelayRecalcLayout();
}

// ------------------------------------------------------------------ layout

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
  DWORD dwStyle = m_dwStyle;
  if (dwStyle & CBRS_BORDER_LEFT) rect.left += kEdge;
  if (dwStyle & CBRS_BORDER_TOP) rect.top += kEdge;
  if (dwStyle & CBRS_BORDER_RIGHT) rect.right -= kEdge;
  if (dwStyle & CBRS_BORDER_BOTTOM) rect.bottom -= kEdge;
  rect.left += m_cxLeftBorder;
  rect.top += m_cyTopBorder;
  rect.right -= m_cxRightBorder;
  rect.bottom -= m_cyBottomBorder;
  if (dwStyle & CBRS_GRIPPER) {
    if (bHorz)
      rect.left += kGripper;
    else
      rect.top += kGripper;
  }
}

CSize CControlBar::SizeAround(CSize sizeItems, BOOL bStretch, BOOL bHorz) const {
  // Items plus borders; a stretched bar fills its side.
  CRect rect(0, 0, 0, 0);
  CalcInsideRect(rect, bHorz);
  CSize size(sizeItems.cx - rect.Width(), sizeItems.cy - rect.Height());
  if (bStretch) {
    if (bHorz)
      size.cx = 32767;
    else
      size.cy = 32767;
  }
  return size;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) { return SizeAround(CSize(0, 0), bStretch, bHorz); }

CSize CControlBar::CalcDynamicLayout(int, DWORD dwMode) {
  return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
  auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  DWORD dwAlign = m_dwStyle & CBRS_ALIGN_ANY;
  if (!IsVisible() || dwAlign == 0) return 0;
  CRect available(pLayout->rect);
  BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  CSize size;
  if (m_dwStyle & CBRS_SIZE_DYNAMIC)
    size = CalcDynamicLayout(bHorz ? available.Width() : available.Height(),
                             (bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK) | (pLayout->bStretch ? LM_STRETCH : 0));
  else
    size = CalcFixedLayout(pLayout->bStretch, bHorz);
  size.cx = std::min<LONG>(size.cx, std::max<LONG>(available.Width(), 0));
  size.cy = std::min<LONG>(size.cy, std::max<LONG>(available.Height(), 0));
  if (bHorz) {
    pLayout->sizeTotal.cy += size.cy;
    pLayout->sizeTotal.cx = std::max(pLayout->sizeTotal.cx, size.cx);
  } else {
    pLayout->sizeTotal.cx += size.cx;
    pLayout->sizeTotal.cy = std::max(pLayout->sizeTotal.cy, size.cy);
  }
  // Top first, then bottom, left, right: the bar takes its strip of the rest.
  CRect rect(available.TopLeft(), size);
  if (dwAlign & CBRS_ALIGN_TOP) {
    pLayout->rect.top += size.cy;
  } else if (dwAlign & CBRS_ALIGN_BOTTOM) {
    rect.OffsetRect(0, available.Height() - size.cy);
    pLayout->rect.bottom -= size.cy;
  } else if (dwAlign & CBRS_ALIGN_LEFT) {
    pLayout->rect.left += size.cx;
  } else {
    rect.OffsetRect(available.Width() - size.cx, 0);
    pLayout->rect.right -= size.cx;
  }
  if (pLayout->hDWP != nullptr)
    pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                     SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

void CControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
  CRect rect(lpncsp->rgrc[0]);
  CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_VERT) == 0 || (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
  if (rect.right < rect.left) rect.right = rect.left;
  if (rect.bottom < rect.top) rect.bottom = rect.top;
  lpncsp->rgrc[0] = rect;
}

// ------------------------------------------------------------------ idle

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  if (m_nStateFlags & (delayHide | delayShow)) {
    ShowWindow((m_nStateFlags & delayShow) ? SW_SHOWNA : SW_HIDE);
    m_nStateFlags &= ~(delayHide | delayShow);
  }
  CFrameWnd* pTarget = static_cast<CFrameWnd*>(GetBarOwner());
  if (pTarget != nullptr && (GetStyle() & WS_VISIBLE)) OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
  return 0;
}

// ------------------------------------------------------------------ paint

void CControlBar::OnNcPaint() {
  CWindowDC dc(this);
  CRect window, client;
  GetWindowRect(&window);
  GetClientRect(&client);
  ClientToScreen(&client);
  client.OffsetRect(-window.left, -window.top);
  CRect rect(0, 0, window.Width(), window.Height());
  // Only the frame around the client area.
  ::ExcludeClipRect(dc.m_hDC, client.left, client.top, client.right, client.bottom);
  dc.FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
  DrawBorders(&dc, rect);
  DrawGripper(&dc, rect);
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect) {
  DWORD dwStyle = m_dwStyle;
  UINT nSides = 0;
  if (dwStyle & CBRS_BORDER_LEFT) nSides |= BF_LEFT;
  if (dwStyle & CBRS_BORDER_TOP) nSides |= BF_TOP;
  if (dwStyle & CBRS_BORDER_RIGHT) nSides |= BF_RIGHT;
  if (dwStyle & CBRS_BORDER_BOTTOM) nSides |= BF_BOTTOM;
  if (nSides != 0) pDC->DrawEdge(&rect, EDGE_ETCHED, nSides | BF_ADJUST);
}

CRect CControlBar::GetGripperRect() const {
  if (!(m_dwStyle & CBRS_GRIPPER) || m_hWnd == nullptr) return CRect(0, 0, 0, 0);
  CRect window;
  GetWindowRect(&window);
  CRect rect(0, 0, window.Width(), window.Height());
  if (m_dwStyle & CBRS_BORDER_LEFT) rect.left += kEdge;
  if (m_dwStyle & CBRS_BORDER_TOP) rect.top += kEdge;
  if (m_dwStyle & CBRS_BORDER_RIGHT) rect.right -= kEdge;
  if (m_dwStyle & CBRS_BORDER_BOTTOM) rect.bottom -= kEdge;
  BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0 || !(m_dwStyle & CBRS_ORIENT_VERT);
  return bHorz ? CRect(rect.left + m_cxLeftBorder, rect.top + m_cyTopBorder, rect.left + m_cxLeftBorder + kGripper,
                       rect.bottom - m_cyBottomBorder)
               : CRect(rect.left + m_cxLeftBorder, rect.top + m_cyTopBorder, rect.right - m_cxRightBorder,
                       rect.top + m_cyTopBorder + kGripper);
}

void CControlBar::DrawGripper(CDC* pDC, const CRect&) {
  CRect grip = GetGripperRect();
  if (grip.IsRectEmpty()) return;
  // A raised line along the bar.
  if (grip.Width() > grip.Height())
    grip.bottom = grip.top + 3;
  else
    grip.right = grip.left + 3;
  pDC->Draw3dRect(&grip, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
}

void CControlBar::DoPaint(CDC*) {}

void CControlBar::OnPaint() {
  // Bars over a common control let it draw itself instead.
  CPaintDC dc(this);
  DoPaint(&dc);
}
