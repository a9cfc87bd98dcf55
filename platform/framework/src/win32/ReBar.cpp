#include "framework/ReBar.h"

#include "framework/FrameWnd.h"
#include "framework/GdiObject.h"

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
ON_WM_PAINT()
ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
END_MESSAGE_MAP()

CReBar::CReBar() { SetBorders(0, 0, 0, 0); }

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID) {
  // The control draws its own edges.
  m_dwStyle = dwStyle & CBRS_ALL & ~CBRS_BORDER_ANY;
  // The frame places the control, not the control itself. Bands added while
  // the control is narrower than they are would each start a row and keep
  // it: it starts as wide as its parent.
  DWORD dwWindowStyle = WindowStyleOf(dwStyle) | dwCtrlStyle | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE;
  CRect rectParent(0, 0, 0, 0);
  if (pParentWnd != nullptr) pParentWnd->GetClientRect(&rectParent);
  if (!CWnd::CreateEx(0, REBARCLASSNAME, nullptr, dwWindowStyle, CRect(0, 0, rectParent.Width(), 0), pParentWnd, nID))
    return FALSE;
  REBARINFO info = {sizeof(info), 0, nullptr};
  return static_cast<BOOL>(SendMessage(RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info)));
}

BOOL CReBar::AddBar(CWnd* pBar, LPCTSTR pszText, CBitmap* pbmp, DWORD dwStyle) {
  REBARBANDINFO band = {};
  band.fMask = RBBIM_STYLE;
  band.fStyle = dwStyle;
  if (pszText != nullptr) {
    band.fMask |= RBBIM_TEXT;
    band.lpText = const_cast<LPTSTR>(pszText);
  }
  if (pbmp != nullptr) {
    band.fMask |= RBBIM_BACKGROUND;
    band.hbmBack = static_cast<HBITMAP>(pbmp->GetSafeHandle());
  }
  return AddBand(pBar, band);
}

BOOL CReBar::AddBar(CWnd* pBar, COLORREF clrFore, COLORREF clrBack, LPCTSTR pszText, DWORD dwStyle) {
  REBARBANDINFO band = {};
  band.fMask = RBBIM_STYLE | RBBIM_COLORS;
  band.fStyle = dwStyle;
  band.clrFore = clrFore;
  band.clrBack = clrBack;
  if (pszText != nullptr) {
    band.fMask |= RBBIM_TEXT;
    band.lpText = const_cast<LPTSTR>(pszText);
  }
  return AddBand(pBar, band);
}

BOOL CReBar::AddBand(CWnd* pBar, REBARBANDINFO& band) {
  ENSURE_ARG(pBar != nullptr && pBar->m_hWnd != nullptr);
  pBar->SetParent(this);
  // A control bar gives up its own borders and gripper (the band has them)
  // and is as tall as one row of its items.
  CSize size;
  if (pBar->IsKindOf(RUNTIME_CLASS(CControlBar))) {
    auto* pControlBar = static_cast<CControlBar*>(pBar);
    pControlBar->SetBarStyle(pControlBar->GetBarStyle() & ~(CBRS_BORDER_ANY | CBRS_GRIPPER));
    size = pControlBar->CalcFixedLayout(FALSE, TRUE);
  } else {
    CRect rect;
    pBar->GetWindowRect(&rect);
    size = rect.Size();
  }
  band.cbSize = sizeof(band);
  band.fMask |= RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
  band.hwndChild = pBar->m_hWnd;
  band.cxMinChild = static_cast<UINT>(size.cx);
  band.cyMinChild = static_cast<UINT>(size.cy);
  band.cx = static_cast<UINT>(size.cx);
  return static_cast<BOOL>(SendMessage(RB_INSERTBAND, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band)));
}

CSize CReBar::CalcFixedLayout(BOOL, BOOL bHorz) {
  // The whole side; as thick as the rows of bands.
  int nThickness = static_cast<int>(SendMessage(RB_GETBARHEIGHT));
  return SizeAround(bHorz ? CSize(0, nThickness) : CSize(nThickness, 0), TRUE, bHorz);
}

void CReBar::OnHeightChange(NMHDR*, LRESULT* pResult) {
  // Sent while the control lays out: the frame follows at idle time, when
  // the control no longer has the room its rows need.
  BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  CSize sizeNeeded = CalcFixedLayout(TRUE, bHorz);
  CRect rect;
  GetWindowRect(&rect);
  CFrameWnd* pFrame = GetDockingFrame();
  if (pFrame != nullptr && (bHorz ? rect.Height() != sizeNeeded.cy : rect.Width() != sizeNeeded.cx))
    pFrame->DelayRecalcLayout();
  *pResult = 0;
}
