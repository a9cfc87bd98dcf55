#include "DialogBar.h"

#include "PaintManager.h"
#include "ToolBarSystemButtons.h"

namespace {
const int kCloseSize = 16;

// The caption popup: the caption text across the strip, with a small down
// arrow when its popup holds something to open.
class CJVKControlDialogBarCaption : public CJVKControlPopup {
 public:
  CJVKControlDialogBarCaption() {
    m_nType = jvkControlPopup;
    m_nId = JVK_ID_DIALOGBAR_CAPTION;
    m_dwFlags = JVK_FLAG_NO_MOVABLE | JVK_FLAG_MANUAL_UPDATE;
  }
  BOOL ShowsArrow() const {
    return m_bEnabled && m_pCommandBar != nullptr && m_pCommandBar->GetControls()->GetCount() > 0;
  }
  void Draw(CDC* pDC) override {
    CJVKPaintManager* pPaintManager = GetPaintManager();
    CRect rcText = m_rcControl;
    rcText.DeflateRect(3, 0);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CFont* pOldFont = pDC->SelectObject(pPaintManager->GetRegularFont());
    pDC->DrawText(GetCaption(), rcText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    pDC->SelectObject(pOldFont);
    pDC->SetBkMode(nOldMode);
    if (ShowsArrow()) {
      const CPoint c(m_rcControl.right - 8, m_rcControl.CenterPoint().y);
      pPaintManager->Triangle(pDC, CPoint(c.x - 3, c.y - 1), CPoint(c.x + 3, c.y - 1), CPoint(c.x, c.y + 2),
                              pDC->GetTextColor());
    }
  }
};
}  // namespace

BEGIN_MESSAGE_MAP(CJVKDialogBar, CJVKToolBar)
ON_WM_SIZE()
ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CJVKDialogBar::CJVKDialogBar() {
  m_bCustomizable = FALSE;
  m_bShowExpandButton = FALSE;
  m_pControls->AddControl(new CJVKControlDialogBarCaption, JVK_ID_DIALOGBAR_CAPTION, CString(), -1, TRUE);
}

CJVKDialogBar::~CJVKDialogBar() { SetCaptionPopupBar(nullptr); }

void CJVKDialogBar::SetChild(CWnd* pChild) {
  m_hWndChild = pChild ? pChild->GetSafeHwnd() : nullptr;
  if (m_hWnd) PlaceContents(CJVKCommandBar::GetClientRect().Size());
}

void CJVKDialogBar::SetCaption(const CString& strCaption) {
  m_strCaption = strCaption;
  if (CJVKControl* pCaption = m_pControls->FindControl(JVK_ID_DIALOGBAR_CAPTION)) pCaption->SetCaption(strCaption);
  Redraw();
}

void CJVKDialogBar::ShowCaption(BOOL bShow) {
  m_bCaptionShown = bShow;
  if (m_hWnd) PlaceContents(CJVKCommandBar::GetClientRect().Size());
}

void CJVKDialogBar::SetCaptionPopupBar(CJVKControlParentBar* pBar) {
  if (pBar) pBar->AddBarRef();
  if (m_pCaptionPopupBar) m_pCaptionPopupBar->ReleaseBarRef();
  m_pCaptionPopupBar = pBar;
  if (auto* pCaption = static_cast<CJVKControlPopup*>(m_pControls->FindControl(JVK_ID_DIALOGBAR_CAPTION)))
    pCaption->SetCommandBar(pBar);
}

int CJVKDialogBar::CaptionHeight() const {
  if (!m_bCaptionShown) return 0;
  auto* pThis = const_cast<CJVKDialogBar*>(this);
  return pThis->GetPaintManager()->DrawDialogBarGripper(nullptr, pThis, FALSE).cy;
}

CRect CJVKDialogBar::GetCaptionRect(CSize szBar) const {
  return CRect(m_rcBorders.left, m_rcBorders.top, szBar.cx - m_rcBorders.right, m_rcBorders.top + CaptionHeight());
}

CRect CJVKDialogBar::GetChildRect(CSize szBar) const {
  return CRect(m_rcBorders.left, GetCaptionRect(szBar).bottom, szBar.cx - m_rcBorders.right,
               szBar.cy - m_rcBorders.bottom);
}

void CJVKDialogBar::PlaceContents(CSize szBar) {
  const CRect rcCaption = GetCaptionRect(szBar);
  CJVKControl* pCaption = m_pControls->FindControl(JVK_ID_DIALOGBAR_CAPTION);
  CJVKControl* pClose = m_pControls->FindControl(JVK_ID_TOOLBAR_CLOSE);
  if (m_bCloseable && pClose == nullptr) pClose = EnsureSystemButton(JVK_ID_TOOLBAR_CLOSE);
  int nCaptionRight = rcCaption.right;
  if (pClose) {
    const BOOL bShown = m_bCloseable && m_bCaptionShown;
    pClose->SetHideFlag(JVK_HIDE_GENERIC, !bShown);
    const int nTop = m_rcBorders.top + rcCaption.Height() / 2 - kCloseSize / 2;
    pClose->SetRect(CRect(rcCaption.right - kCloseSize, nTop, rcCaption.right, nTop + kCloseSize));
    if (bShown) nCaptionRight -= kCloseSize;
  }
  if (pCaption) {
    pCaption->SetHideFlag(JVK_HIDE_GENERIC, !m_bCaptionShown);
    pCaption->SetEnabled(m_bCaptionPopup);
    pCaption->SetRect(CRect(rcCaption.left, rcCaption.top, nCaptionRight, rcCaption.bottom));
  }
  if (m_hWndChild && ::IsWindow(m_hWndChild)) {
    const CRect rcChild = GetChildRect(szBar);
    ::SetWindowPos(m_hWndChild, nullptr, rcChild.left, rcChild.top, rcChild.Width(), rcChild.Height(),
                   SWP_NOACTIVATE | SWP_NOZORDER);
    ::InvalidateRect(m_hWndChild, nullptr, TRUE);
  }
  Redraw();
}

CSize CJVKDialogBar::CalcDockingLayout(int nLength, DWORD dwMode) {
  const CSize sz = (dwMode & LM_HORZDOCK) ? CSize(nLength, m_nDockedVertExtent) : CSize(m_nDockedHorzExtent, nLength);
  if (dwMode & LM_COMMIT) PlaceContents(sz);
  return sz;
}

CSize CJVKDialogBar::CalcDynamicLayout(int, DWORD dwMode) {
  if (dwMode & LM_COMMIT) PlaceContents(m_szFloating);
  return m_szFloating;
}

BOOL CJVKDialogBar::ResizeBar(CSize szNew) {
  if (!m_bResizable || szNew.cx < m_szMin.cx || szNew.cy < m_szMin.cy) return FALSE;
  switch (m_nPosition) {
    case jvkBarFloating: m_szFloating = szNew; break;
    case jvkBarLeft:
    case jvkBarRight: m_nDockedHorzExtent = szNew.cx; break;
    default: m_nDockedVertExtent = szNew.cy; break;
  }
  if (m_hWnd == nullptr) return TRUE;
  if (m_nPosition == jvkBarFloating)
    DelayLayout();
  else if (m_pCommandBars)
    m_pCommandBars->RecalcFrameLayout(FALSE);
  else if (auto* pFrame = dynamic_cast<CFrameWnd*>(GetParent()))
    pFrame->RecalcLayout();
  else if (CWnd* pParent = GetParent())
    pParent->RepositionBars(0, 0xFFFF, 0);
  return TRUE;
}

int CJVKDialogBar::IsPointInside(CPoint ptClient) const {
  return CJVKCommandBar::GetClientRect().PtInRect(ptClient) ? TRUE : -2;
}

void CJVKDialogBar::OnSize(UINT nType, int cx, int cy) {
  CJVKToolBar::OnSize(nType, cx, cy);
  PlaceContents(CSize(cx, cy));
}

LRESULT CJVKDialogBar::OnNcHitTest(CPoint pt) {
  if (!m_bResizable) return CJVKToolBar::OnNcHitTest(pt);
  CRect rc;
  GetWindowRect(&rc);
  CRect rcInner = rc;
  rcInner.DeflateRect(3, 3);
  const BOOL bLeft = pt.x < rcInner.left, bRight = pt.x >= rcInner.right;
  const BOOL bTop = pt.y < rcInner.top, bBottom = pt.y >= rcInner.bottom;
  switch (m_nPosition) {
    case jvkBarFloating:
      if (bTop && bLeft) return HTTOPLEFT;
      if (bTop && bRight) return HTTOPRIGHT;
      if (bBottom && bLeft) return HTBOTTOMLEFT;
      if (bBottom && bRight) return HTBOTTOMRIGHT;
      if (bTop) return HTTOP;
      if (bBottom) return HTBOTTOM;
      if (bLeft) return HTLEFT;
      if (bRight) return HTRIGHT;
      return HTCLIENT;
    // A docked bar resizes on the edge that faces the frame's inside.
    case jvkBarTop: return bBottom ? HTBOTTOM : HTCLIENT;
    case jvkBarBottom: return bTop ? HTTOP : HTCLIENT;
    case jvkBarLeft: return bRight ? HTRIGHT : HTCLIENT;
    case jvkBarRight: return bLeft ? HTLEFT : HTCLIENT;
    default: return CJVKToolBar::OnNcHitTest(pt);
  }
}
