#include "PropertyGridInplaceButton.h"

#include "PropertyGrid.h"
#include "PropertyGridItem.h"
#include "PropertyGridLayout.h"
#include "PropertyGridPaintManager.h"
#include "PropertyGridView.h"
#include "ScopeDC.h"

IMPLEMENT_DYNAMIC(CJVKPropertyGridInplaceButton, CStatic)

BEGIN_MESSAGE_MAP(CJVKPropertyGridInplaceButton, CStatic)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
  ON_WM_CAPTURECHANGED()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_KEYDOWN()
  ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

BOOL CJVKPropertyGridInplaceButton::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                                           UINT nID) {
  return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

void CJVKPropertyGridInplaceButton::Hide() {
  if (m_hWnd) ShowWindow(SW_HIDE);
}

void CJVKPropertyGridInplaceButton::Show(CJVKPropertyGridItem* pItem, CRect rcRow) {
  const int cx = ::GetSystemMetrics(SM_CXHTHUMB);
  const CRect rc(rcRow.right - cx, rcRow.top - 1, rcRow.right, rcRow.bottom);
  m_pView = pItem->GetView();
  if (!m_hWnd) Create("", WS_CHILD | SS_NOTIFY, rc, m_pView, 0xFFFF);
  SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_SHOWWINDOW);
  m_pItem = pItem;
  Invalidate(FALSE);
}

void CJVKPropertyGridInplaceButton::Detach() {
  m_bPressed = m_bHot = FALSE;
  m_pView = nullptr;
  m_pItem = nullptr;
  if (m_hWnd) ShowWindow(SW_HIDE);
}

void CJVKPropertyGridInplaceButton::OnPaint() {
  CPaintDC dcPaint(this);
  if (!m_pView || !m_pView->GetPropertyGrid()) return;
  CRect rc;
  GetClientRect(&rc);
  CJVKBufferDC dc(dcPaint.GetSafeHdc(), 0, 0, rc.right, rc.bottom);
  m_pView->GetPropertyGrid()->GetPaintManager()->DrawInplaceButton(&dc, this);
}

void CJVKPropertyGridInplaceButton::OnLButtonDown(UINT, CPoint) {
  m_bPressed = m_bHot = TRUE;
  Invalidate(FALSE);
  SetCapture();
}

void CJVKPropertyGridInplaceButton::OnLButtonUp(UINT, CPoint) {
  if (m_bPressed) {
    m_bPressed = FALSE;
    Invalidate(FALSE);
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    if (m_bHot && m_pItem) m_pItem->OnButtonPressed();
  }
  Default();
}

void CJVKPropertyGridInplaceButton::SetHot(BOOL bHot) {
  if ((bHot != FALSE) == (m_bHot != FALSE)) return;
  m_bHot = bHot;
  Invalidate(FALSE);
  if (bHot) {
    TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, m_hWnd, 0};
    ::TrackMouseEvent(&tme);
  }
}

void CJVKPropertyGridInplaceButton::OnMouseMove(UINT, CPoint point) {
  CRect rc;
  GetClientRect(&rc);
  SetHot(rc.PtInRect(point));
}

void CJVKPropertyGridInplaceButton::OnMouseLeave() { SetHot(FALSE); }

void CJVKPropertyGridInplaceButton::OnCaptureChanged(CWnd*) {
  m_bPressed = FALSE;
  Invalidate(FALSE);
  Default();
}

void CJVKPropertyGridInplaceButton::OnSetFocus(CWnd*) {
  Default();
  Invalidate(FALSE);
}

void CJVKPropertyGridInplaceButton::OnKillFocus(CWnd*) {
  Default();
  if (m_pView && m_pView->m_hWnd) m_pView->Invalidate(FALSE);
  Invalidate(FALSE);
}

void CJVKPropertyGridInplaceButton::OnKeyDown(UINT nChar, UINT, UINT) {
  if ((nChar == VK_RETURN || nChar == VK_SPACE || nChar == VK_DOWN) && m_pItem) {
    m_pItem->OnButtonPressed();
    return;
  }
  if (nChar == VK_TAB && m_pView && m_pView->GetPropertyGrid()) {
    m_pView->GetPropertyGrid()->Navigate(jvkStopButton, ::GetKeyState(VK_SHIFT) >= 0, m_pItem);
    return;
  }
  Default();
}
