#include "PropertyGridToolTip.h"

#include "ColorManager.h"
#include "MultiMonitor.h"

BEGIN_MESSAGE_MAP(CJVKPropertyGridToolTip, CWnd)
  ON_WM_NCHITTEST()
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
END_MESSAGE_MAP()

CJVKPropertyGridToolTip::~CJVKPropertyGridToolTip() {
  if (m_hWnd) DestroyWindow();
}

BOOL CJVKPropertyGridToolTip::EnsureCreated(CWnd* pOwner) {
  if (m_hWnd) return TRUE;
  return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW)), "", WS_POPUP, 0, 0, 0, 0,
                  pOwner->GetSafeHwnd(), nullptr);
}

void CJVKPropertyGridToolTip::ShowTip(const CString& strText, CRect rcText, CFont* pFont, const CRect& rcArea) {
  m_strText = strText;
  m_rcArea = rcArea;
  m_font.DeleteObject();
  LOGFONT lf;
  if (pFont && pFont->GetSafeHandle() && ::GetObject(pFont->GetSafeHandle(), sizeof lf, &lf)) m_font.CreateFontIndirect(&lf);
  CClientDC dc(this);
  HGDIOBJ hOld = m_font.GetSafeHandle() ? ::SelectObject(dc, m_font.GetSafeHandle()) : nullptr;
  const CSize size = dc.GetTextExtent(strText);
  if (hOld) ::SelectObject(dc, hOld);
  rcText.right = rcText.left + size.cx + 8;
  CRect rcWork;
  GetMultiMonitor()->GetWorkAreaFromWindow(rcWork, GetOwner());
  if (rcText.right > rcWork.right) rcText.OffsetRect(rcWork.right - rcText.right, 0);
  SetWindowPos(&wndTopMost, rcText.left, rcText.top, rcText.Width(), rcText.Height(), SWP_NOACTIVATE);
  ShowWindow(SW_SHOWNA);
  Invalidate(FALSE);
}

void CJVKPropertyGridToolTip::HideTip(BOOL bClearText) {
  if (bClearText) m_strText.Empty();
  if (m_hWnd && IsWindowVisible()) ShowWindow(SW_HIDE);
}

LRESULT CJVKPropertyGridToolTip::OnNcHitTest(CPoint) { return HTTRANSPARENT; }

void CJVKPropertyGridToolTip::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  CJVKColorManager* pColors = GetColorManager();
  dc.FillSolidRect(rc, pColors->GetColor(COLOR_INFOBK));
  CBrush brush;
  brush.CreateSolidBrush(pColors->GetColor(COLOR_INFOTEXT));
  dc.FrameRect(rc, &brush);
  HGDIOBJ hOld = m_font.GetSafeHandle() ? ::SelectObject(dc, m_font.GetSafeHandle()) : nullptr;
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(pColors->GetColor(COLOR_INFOTEXT));
  rc.left += 4;
  dc.DrawText(m_strText, rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (hOld) ::SelectObject(dc, hOld);
}
