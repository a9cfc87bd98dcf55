#include "StatusBar.h"

#include <algorithm>

#include "MemDC.h"
#include "PaintManager.h"
#include "StatusBarLayout.h"
#include "ToolTipContext.h"

IMPLEMENT_DYNAMIC(CJVKStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CJVKStatusBar, CControlBar)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_NCHITTEST()
ON_WM_NCCALCSIZE()
ON_WM_NCPAINT()
ON_WM_WINDOWPOSCHANGING()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_GETTEXT, OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
ON_MESSAGE(SB_SETMINHEIGHT, OnSetMinHeight)
END_MESSAGE_MAP()

namespace {

const int kInitialMinHeight = 20;
// The window styles the bar always has: no divider, no parent alignment, no
// resizing by the control, no vertical move; and those it never takes over.
const DWORD kWindowStyleKept = 0xFFBF004E;
const DWORD kWindowStyleForced = CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY;
const DWORD kBarBorderBits = 0xF00;

// A pane's idle update: enable and check become the disabled and pop-out
// bits, a text goes to the pane at once.
class CJVKStatusCmdUI : public CCmdUI {
 public:
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    SetBit(JVK_PANE_DISABLED, !bOn);
  }
  void SetCheck(int nCheck) override { SetBit(JVK_PANE_POPOUT, nCheck != 0); }
  void SetText(LPCTSTR lpszText) override { Bar()->SetPaneText(static_cast<int>(m_nIndex), lpszText, TRUE); }

 private:
  CJVKStatusBar* Bar() const { return static_cast<CJVKStatusBar*>(m_pOther); }
  void SetBit(UINT nBit, BOOL bSet) const {
    const int nIndex = static_cast<int>(m_nIndex);
    const UINT nStyle = Bar()->GetPaneStyle(nIndex);
    Bar()->SetPaneStyle(nIndex, bSet ? (nStyle | nBit) : (nStyle & ~nBit));
  }
};

}  // namespace

CJVKStatusBar::CJVKStatusBar() : m_pToolTipContext(new CJVKToolTipContext) {
  m_cxLeftBorder = m_cxRightBorder = 0;
  m_cyTopBorder = 2;
  m_cyBottomBorder = 0;
  NONCLIENTMETRICS ncm = {};
  ncm.cbSize = sizeof ncm;
  if (::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
    m_fontBar.CreateFontIndirect(&ncm.lfStatusFont);
  else
    m_fontBar.Attach(::GetStockObject(DEFAULT_GUI_FONT));
}

CJVKStatusBar::~CJVKStatusBar() {
  DestroyWindow();
  RemoveAllPanes();
  m_pToolTipContext->InternalRelease();
}

BOOL CJVKStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  DWORD dwBarStyle = dwStyle & CBRS_ALL;
  // Bottom-aligned with a top border: the control draws its own top edge.
  if ((dwBarStyle & 0xFF00) == (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)) dwBarStyle &= ~0xF80;
  m_dwStyle = dwBarStyle;
  DWORD dwWindowStyle = (dwStyle & kWindowStyleKept) | kWindowStyleForced;
  if (pParentWnd != nullptr && (pParentWnd->GetStyle() & WS_THICKFRAME)) dwWindowStyle |= SBARS_SIZEGRIP;
  return CWnd::CreateEx(0, STATUSCLASSNAME, nullptr, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

// ------------------------------------------------------------------ panes

void CJVKStatusBar::RemoveAllPanes() {
  std::vector<CJVKStatusBarPane*> panes;
  panes.swap(m_arrPanes);
  for (CJVKStatusBarPane* pPane : panes) {
    pPane->m_pStatusBar = nullptr;
    pPane->InternalRelease();
  }
}

BOOL CJVKStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
  RemoveAllPanes();
  BOOL bResult = TRUE;
  for (int i = 0; i < nIDCount && bResult; ++i) {
    auto* pPane = new CJVKStatusBarPane(this, lpIDArray[i]);
    m_arrPanes.push_back(pPane);
    if (pPane->m_nID == 0) {
      pPane->m_nWidth = ::GetSystemMetrics(SM_CXSCREEN) / 4;
      if (i == 0) pPane->m_nStyle = JVK_PANE_STRETCH | JVK_PANE_NOBORDERS;
      continue;
    }
    if (!pPane->m_strText.LoadString(pPane->m_nID)) {
      bResult = FALSE;
      continue;
    }
    CClientDC dc(m_hWnd != nullptr ? this : nullptr);
    CFont* pOld = dc.SelectObject(pPane->GetTextFont());
    pPane->m_nWidth = pPane->m_strText.IsEmpty() ? 0 : dc.GetTextExtent(pPane->m_strText).cx;
    dc.SelectObject(pOld);
  }
  RecalcLayout(TRUE);
  return bResult;
}

CJVKStatusBarPane* CJVKStatusBar::GetPane(int nIndex) const {
  return nIndex >= 0 && nIndex < GetPaneCount() ? m_arrPanes[static_cast<size_t>(nIndex)] : nullptr;
}

int CJVKStatusBar::CommandToIndex(UINT nIDFind) const {
  for (int i = 0; i < GetPaneCount(); ++i)
    if (m_arrPanes[static_cast<size_t>(i)]->m_nID == nIDFind) return i;
  return -1;
}

int CJVKStatusBar::MessagePaneIndex() const { return CommandToIndex(0); }

void CJVKStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  ::SetRectEmpty(lpRect);
  const CJVKStatusBarPane* pPane = GetPane(nIndex);
  if (pPane == nullptr || !pPane->m_bVisible || m_hWnd == nullptr) return;
  if (!SendMessage(SB_GETRECT, static_cast<WPARAM>(pPane->m_nVisibleIndex), reinterpret_cast<LPARAM>(lpRect))) {
    ::SetRectEmpty(lpRect);
    return;
  }
  int nLastVisible = -1;
  for (const CJVKStatusBarPane* p : m_arrPanes)
    if (p->m_bVisible) nLastVisible = p->m_nIndex;
  if (nIndex != nLastVisible) return;
  const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
  if (pPane->m_nStyle & JVK_PANE_STRETCH) {
    CRect rcClient = GetClientRect();
    lpRect->right = rcClient.right;
    if (HasSizeGrip()) lpRect->right -= ::GetSystemMetrics(SM_CXSMICON) + cxEdge;
  } else {
    lpRect->right = lpRect->left + pPane->m_nWidth + 3 * cxEdge;
  }
}

CString CJVKStatusBar::GetPaneText(int nIndex) const {
  const CJVKStatusBarPane* pPane = GetPane(nIndex);
  return pPane != nullptr ? pPane->m_strText : CString();
}

BOOL CJVKStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate) {
  CJVKStatusBarPane* pPane = GetPane(nIndex);
  if (pPane == nullptr) return FALSE;
  if (lpszNewText == nullptr) lpszNewText = "";
  // Unchanged: no message and no flicker.
  if (!(pPane->m_dwFlags & CJVKStatusBarPane::paneSendText) && pPane->m_strText == lpszNewText) return TRUE;
  pPane->m_strText = lpszNewText;
  if (!pPane->m_bVisible) return FALSE;
  if (bUpdate && m_hWnd != nullptr) {
    SendPaneText(pPane);
    Invalidate(FALSE);
  } else {
    pPane->m_dwFlags |= CJVKStatusBarPane::paneSendText;
  }
  return TRUE;
}

UINT CJVKStatusBar::GetPaneStyle(int nIndex) const {
  const CJVKStatusBarPane* pPane = GetPane(nIndex);
  return pPane != nullptr ? pPane->m_nStyle : 0;
}

void CJVKStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
  CJVKStatusBarPane* pPane = GetPane(nIndex);
  if (pPane == nullptr || pPane->m_nStyle == nStyle) return;
  const BOOL bStretchChanged = ((pPane->m_nStyle ^ nStyle) & JVK_PANE_STRETCH) != 0;
  pPane->m_nStyle = nStyle;
  if (bStretchChanged) RecalcLayout(FALSE);
  if (pPane->m_bVisible && m_hWnd != nullptr) {
    SendPaneText(pPane);
    Invalidate(FALSE);
  } else {
    pPane->m_dwFlags |= CJVKStatusBarPane::paneSendText;
  }
}

int CJVKStatusBar::GetPaneWidth(int nIndex) const {
  const CJVKStatusBarPane* pPane = GetPane(nIndex);
  return pPane != nullptr ? pPane->m_nWidth : 0;
}

void CJVKStatusBar::SetPaneWidth(int nIndex, int nWidth) {
  CJVKStatusBarPane* pPane = GetPane(nIndex);
  if (pPane == nullptr || pPane->m_nWidth == nWidth) return;
  pPane->m_nWidth = nWidth;
  RecalcLayout(FALSE);
  Invalidate(FALSE);
}

void CJVKStatusBar::SendPaneText(CJVKStatusBarPane* pPane) {
  if (m_hWnd == nullptr || !pPane->m_bVisible) return;
  pPane->m_dwFlags &= ~CJVKStatusBarPane::paneSendText;
  LPCTSTR lpszShown = (pPane->m_nStyle & JVK_PANE_DISABLED) ? "" : static_cast<LPCTSTR>(pPane->m_strText);
  SendMessage(SB_SETTEXT, static_cast<WPARAM>(pPane->m_nVisibleIndex) | LOWORD(pPane->m_nStyle),
              reinterpret_cast<LPARAM>(lpszShown));
}

void CJVKStatusBar::SendPendingTexts() {
  for (CJVKStatusBarPane* pPane : m_arrPanes)
    if (pPane->m_dwFlags & CJVKStatusBarPane::paneSendText) SendPaneText(pPane);
}

void CJVKStatusBar::OnPaneVisibilityChanged() {
  // The visible indices move: every visible pane's text goes to its new part.
  for (CJVKStatusBarPane* pPane : m_arrPanes) pPane->m_dwFlags |= CJVKStatusBarPane::paneSendText;
  RecalcLayout(TRUE);
  if (m_hWnd != nullptr) Invalidate(FALSE);
}

// ----------------------------------------------------------------- layout

BOOL CJVKStatusBar::HasSizeGrip() const { return m_hWnd != nullptr && (GetStyle() & SBARS_SIZEGRIP) != 0; }

BOOL CJVKStatusBar::ParentHasSizingBorder() const {
  const CWnd* pParent = m_hWnd != nullptr ? GetParent() : nullptr;
  return pParent != nullptr && (pParent->GetStyle() & WS_THICKFRAME) != 0;
}

BOOL CJVKStatusBar::ParentIsMaximized() const {
  const CWnd* pParent = m_hWnd != nullptr ? GetParent() : nullptr;
  return pParent != nullptr && ::IsZoomed(pParent->m_hWnd);
}

CRect CJVKStatusBar::InsideMargins() const {
  // The control bar's rule without the gripper's room.
  auto* pSelf = const_cast<CJVKStatusBar*>(this);
  const DWORD dwStyle = m_dwStyle;
  pSelf->m_dwStyle &= ~static_cast<DWORD>(CBRS_GRIPPER);
  CRect rc(0, 0, 0, 0);
  CalcInsideRect(rc, TRUE);
  pSelf->m_dwStyle = dwStyle;
  return CRect(rc.left, rc.top, -rc.right, -rc.bottom);
}

void CJVKStatusBar::RecalcLayout(BOOL bSendText) {
  int nVisible = 0;
  std::vector<CJVKStatusLayoutPane> visible;
  for (size_t i = 0; i < m_arrPanes.size(); ++i) {
    CJVKStatusBarPane* pPane = m_arrPanes[i];
    pPane->m_nIndex = static_cast<int>(i);
    pPane->m_nVisibleIndex = pPane->m_bVisible ? nVisible++ : -1;
    if (pPane->m_bVisible) visible.push_back({pPane->m_nWidth, (pPane->m_nStyle & JVK_PANE_STRETCH) != 0});
  }
  if (m_hWnd == nullptr) return;

  int borders[3] = {};  // horizontal, vertical, between parts
  SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
  CRect rcWindow;
  GetWindowRect(&rcWindow);
  const CRect margins = InsideMargins();
  int nInsideWidth = rcWindow.Width() - margins.left - margins.right;
  if (HasSizeGrip() && !ParentIsMaximized())
    nInsideWidth -= 2 * ::GetSystemMetrics(SM_CXBORDER) + borders[0] + ::GetSystemMetrics(SM_CXVSCROLL);
  const int nFree = JVKStatusFreeWidth(nInsideWidth, borders[2], visible);
  std::vector<int> edges = JVKStatusRightEdges(visible, nFree, borders[0], borders[2]);
  if (!edges.empty()) SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));

  const int cxEdge = ::GetSystemMetrics(SM_CXEDGE), cyEdge = ::GetSystemMetrics(SM_CYEDGE);
  for (CJVKStatusBarPane* pPane : m_arrPanes) {
    CWnd* pChild = pPane->m_pChildWnd;
    if (pChild == nullptr || pChild->m_hWnd == nullptr || !::IsWindow(pChild->m_hWnd)) continue;
    CRect rc;
    GetItemRect(pPane->m_nIndex, &rc);
    if (!(pPane->m_nStyle & JVK_PANE_NOBORDERS)) rc.DeflateRect(cxEdge, cyEdge);
    pChild->MoveWindow(&rc);
  }
  if (bSendText) SendPendingTexts();
}

CSize CJVKStatusBar::CalcFixedLayout(BOOL, BOOL) {
  CClientDC dc(m_hWnd != nullptr ? this : nullptr);
  CFont* pOld = dc.SelectObject(&m_fontBar);
  TEXTMETRIC tm = {};
  dc.GetTextMetrics(&tm);
  dc.SelectObject(pOld);
  int borders[3] = {};
  if (m_hWnd != nullptr) SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
  const CRect margins = InsideMargins();
  const int cy = JVKStatusBarHeight(m_nMinHeight, ::GetSystemMetrics(SM_CYBORDER), borders[1], tm.tmHeight,
                                    tm.tmInternalLeading, margins.top + margins.bottom);
  return CSize(0x7FFF, cy);
}

// -------------------------------------------------------- command update

void CJVKStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  if (pTarget == nullptr || !pTarget->IsWindowVisible()) return;
  CJVKStatusCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(GetPaneCount());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = m_arrPanes[state.m_nIndex]->m_nID;
    // The bar's own handlers first; panes nobody handles stay as they are.
    if (!state.DoUpdate(this, FALSE)) state.DoUpdate(pTarget, FALSE);
  }
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

// --------------------------------------------------------------- tooltips

LRESULT CJVKStatusBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  m_pToolTipContext->FilterToolTipMessage(this, message, wParam, lParam);
  return CControlBar::WindowProc(message, wParam, lParam);
}

INT_PTR CJVKStatusBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  const INT_PTR nHit = CControlBar::OnToolHitTest(point, pTI);
  if (nHit != -1) return nHit;
  for (const CJVKStatusBarPane* pPane : m_arrPanes) {
    if (!pPane->m_bVisible) continue;
    CRect rc;
    GetItemRect(pPane->m_nIndex, &rc);
    if (!rc.PtInRect(point)) continue;
    if (pPane->m_strToolTip.IsEmpty()) return -1;
    if (pTI != nullptr) CJVKToolTipContext::FillInToolInfo(pTI, m_hWnd, rc, pPane->m_nID, pPane->m_strToolTip);
    return static_cast<INT_PTR>(pPane->m_nID);
  }
  return -1;
}

// --------------------------------------------------------------- painting

CJVKPaintManager* CJVKStatusBar::GetPaintManager() const { return CJVKPaintManager::GetCurrent(); }

void CJVKStatusBar::SetDrawWithPaintManager(BOOL bDraw) {
  m_bDrawWithPaintManager = bDraw;
  if (m_hWnd != nullptr) Invalidate(TRUE);
}

BOOL CJVKStatusBar::IsDrawnWithPaintManager() const { return m_bDrawWithPaintManager && GetPaintManager() != nullptr; }

CRect CJVKStatusBar::GetClientRect() const {
  CRect rc(0, 0, 0, 0);
  if (m_hWnd != nullptr) CWnd::GetClientRect(&rc);
  return rc;
}

void CJVKStatusBar::DrawBar(CDC* pDC, CJVKPaintManager* pPaintManager) {
  pPaintManager->FillStatusBar(pDC, this);
  const CJVKStatusBarPane* pLast = nullptr;
  for (const CJVKStatusBarPane* pPane : m_arrPanes)
    if (pPane->m_bVisible) pLast = pPane;
  for (CJVKStatusBarPane* pPane : m_arrPanes) {
    if (!pPane->m_bVisible) continue;
    CRect rc;
    GetItemRect(pPane->m_nIndex, &rc);
    if (!(pPane->m_nStyle & JVK_PANE_NOBORDERS)) pPaintManager->DrawStatusBarPaneBorder(pDC, rc, pPane == pLast);
    pPaintManager->DrawStatusBarPane(pDC, rc, pPane);
  }
  if (ParentHasSizingBorder() && HasSizeGrip() && !ParentIsMaximized())
    pPaintManager->DrawStatusBarGripper(pDC, GetClientRect());
}

void CJVKStatusBar::OnPaint() {
  SendPendingTexts();
  if (!IsDrawnWithPaintManager()) {
    Default();
    return;
  }
  CPaintDC dc(this);
  CJVMemDC memDC(&dc, GetClientRect());
  DrawBar(&memDC, GetPaintManager());
}

BOOL CJVKStatusBar::OnEraseBkgnd(CDC* pDC) {
  if (IsDrawnWithPaintManager()) return TRUE;  // the paint covers it
  return CControlBar::OnEraseBkgnd(pDC);
}

// ------------------------------------------------------------- messages

int CJVKStatusBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CControlBar::OnCreate(lpCreateStruct) == -1) return -1;
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fontBar.GetSafeHandle()), FALSE);
  SendMessage(SB_SETMINHEIGHT, kInitialMinHeight);
  return 0;
}

void CJVKStatusBar::OnSize(UINT nType, int cx, int cy) {
  CControlBar::OnSize(nType, cx, cy);
  RecalcLayout(FALSE);
  Invalidate(FALSE);
}

LRESULT CJVKStatusBar::OnNcHitTest(CPoint) {
  return Default() == HTBOTTOMRIGHT ? HTBOTTOMRIGHT : HTCLIENT;
}

void CJVKStatusBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
  const CRect margins = InsideMargins();
  CRect rc(lpncsp->rgrc[0]);
  rc.left += margins.left;
  rc.top += margins.top - 2;
  rc.right -= margins.right;
  rc.bottom -= margins.bottom;
  if (rc.right < rc.left) rc.right = rc.left;
  if (rc.bottom < rc.top) rc.bottom = rc.top;
  lpncsp->rgrc[0] = rc;
}

void CJVKStatusBar::OnNcPaint() {
  CWindowDC dc(this);
  CRect rcWindow, rcClient;
  GetWindowRect(&rcWindow);
  CWnd::GetClientRect(&rcClient);
  ClientToScreen(&rcClient);
  rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
  ::ExcludeClipRect(dc.m_hDC, rcClient.left, rcClient.top, rcClient.right, rcClient.bottom);
  CRect rc(0, 0, rcWindow.Width(), rcWindow.Height());
  DrawBorders(&dc, rc);
  SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC));
  DrawGripper(&dc, rc);
}

void CJVKStatusBar::OnWindowPosChanging(WINDOWPOS* lpWndPos) {
  const DWORD dwStyle = m_dwStyle;
  m_dwStyle &= ~kBarBorderBits;
  CControlBar::OnWindowPosChanging(lpWndPos);
  m_dwStyle = dwStyle;
}

LRESULT CJVKStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  // TRUE on success, as SetWindowText reports it to its caller.
  const int nIndex = MessagePaneIndex();
  if (nIndex < 0 || !m_arrPanes[static_cast<size_t>(nIndex)]->m_bVisible) return FALSE;
  SetPaneText(nIndex, reinterpret_cast<LPCTSTR>(lParam), TRUE);
  return TRUE;
}

LRESULT CJVKStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
  const int nMax = static_cast<int>(wParam);
  auto* pszDest = reinterpret_cast<LPTSTR>(lParam);
  if (nMax <= 0 || pszDest == nullptr) return 0;
  const CString strText = GetPaneText(MessagePaneIndex());
  const int nCopy = std::min(strText.GetLength(), nMax - 1);
  memcpy(pszDest, static_cast<LPCTSTR>(strText), static_cast<size_t>(nCopy) * sizeof(TCHAR));
  pszDest[nCopy] = '\0';
  return nCopy;
}

LRESULT CJVKStatusBar::OnGetTextLength(WPARAM, LPARAM) { return GetPaneText(MessagePaneIndex()).GetLength(); }

LRESULT CJVKStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM) {
  const LRESULT lResult = Default();
  m_nMinHeight = static_cast<int>(wParam);
  return lResult;
}
