#include "PropertyGrid.h"

#include "ColorManager.h"
#include "ImageManager.h"
#include "PropertyGridInplaceButton.h"
#include "PropertyGridInplaceEdit.h"
#include "PropertyGridInplaceList.h"
#include "PropertyGridLayout.h"
#include "PropertyGridPaintManager.h"
#include "PropertyGridView.h"

IMPLEMENT_DYNAMIC(CJVKPropertyGrid, CWnd)

BEGIN_MESSAGE_MAP(CJVKPropertyGrid, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
  ON_WM_SETCURSOR()
  ON_WM_LBUTTONDOWN()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_GETDLGCODE()
  ON_COMMAND(JVK_ID_GRID_CATEGORIZED, OnSortCategorized)
  ON_COMMAND(JVK_ID_GRID_ALPHABETIC, OnSortAlphabetic)
END_MESSAGE_MAP()

namespace {

const int kSplitterCursorId = 9971;

// The modal drag of the help splitter: the bar follows the mouse, inverted
// on the grid's client DC. The framework's loop ends it on WM_QUIT (posted
// again) and on the loss of the capture, and always releases the capture.
class CHelpSplitterLoop : public CTrackingLoop {
 public:
  CHelpSplitterLoop(CWnd* pGrid, int y) : CTrackingLoop(pGrid), m_dc(pGrid), m_y(y) {
    m_brush.CreateSolidBrush(GetColorManager()->GetColor(COLOR_3DFACE));
    pGrid->GetClientRect(&m_rcClient);
    Invert();
  }
  ~CHelpSplitterLoop() override { Invert(); }
  int GetY() const { return m_y; }

 protected:
  Action OnTrackMessage(MSG& msg) override {
    switch (msg.message) {
      case WM_MOUSEMOVE: {
        const int y = JVKClampSplitterY(static_cast<short>(HIWORD(msg.lParam)), m_rcClient.bottom);
        if (y != m_y) {
          Invert();
          m_y = y;
          Invert();
        }
        return actionContinue;
      }
      case WM_LBUTTONUP: return actionEnd;
      case WM_KEYDOWN:
        if (msg.wParam == VK_ESCAPE) return actionCancel;
        return actionContinue;
      default: break;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
    return actionContinue;
  }

 private:
  void Invert() {
    HGDIOBJ hOld = ::SelectObject(m_dc, m_brush.GetSafeHandle());
    m_dc.PatBlt(0, m_y, m_rcClient.Width(), kJvkGridSplitterHeight, PATINVERT);
    ::SelectObject(m_dc, hOld);
  }

  CClientDC m_dc;
  CBrush m_brush;
  CRect m_rcClient;
  int m_y;
};

}  // namespace

CJVKPropertyGrid::CJVKPropertyGrid() {
  m_pPaintManager = JVKCreateGridPaintManager(0, this);
  CJVKPropertyGridItemMetrics* pMetrics = m_pPaintManager->GetItemMetrics();
  LOGFONT lf = {};
  ::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0);
  lf.lfWeight = FW_NORMAL;
  lf.lfItalic = FALSE;
  pMetrics->m_fontNormal.CreateFontIndirect(&lf);
  lf.lfWeight = FW_BOLD;
  pMetrics->m_fontBold.CreateFontIndirect(&lf);
  m_pPaintManager->RefreshMetrics();
  m_pImageManager = new CJVKImageManager;
  m_pInplaceEdit = new CJVKPropertyGridInplaceEdit;
  m_pInplaceButton = new CJVKPropertyGridInplaceButton;
  m_pInplaceList = new CJVKPropertyGridInplaceList;
  m_hCursorSplit = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(kSplitterCursorId));
  if (!m_hCursorSplit) m_hCursorSplit = ::LoadCursor(nullptr, IDC_SIZENS);
}

CJVKPropertyGrid::~CJVKPropertyGrid() {
  // The view first: its items let go of the in-place controls as they are
  // detached, and its window takes the controls' windows with it.
  delete m_pView;
  m_pView = nullptr;
  delete m_pInplaceList;
  delete m_pInplaceEdit;
  delete m_pInplaceButton;
  if (m_hWnd) DestroyWindow();
  delete m_pPaintManager;
  m_pImageManager->InternalRelease();
}

BOOL CJVKPropertyGrid::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwListStyle) {
  LPCTSTR pszClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW));
  if (!CreateEx(0, pszClass, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_GROUP | WS_TABSTOP, CRect(0, 0, 0, 0),
                pParentWnd, nID))
    return FALSE;
  if (dwListStyle == 0)
    dwListStyle = LBS_NOINTEGRALHEIGHT | (m_bVariableItemsHeight ? LBS_OWNERDRAWVARIABLE : LBS_OWNERDRAWFIXED);
  m_bVariableItemsHeight = (dwListStyle & LBS_OWNERDRAWVARIABLE) != 0;
  CJVKPropertyGridView& view = GetGridView();
  if (!view.m_hWnd &&
      !view.CreateEx(WS_EX_STATICEDGE, "LISTBOX", "",
                     dwListStyle | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL | WS_TABSTOP |
                         LBS_NOTIFY,
                     CRect(0, 0, 0, 0), this, 0))
    return FALSE;
  view.ResetContent();
  SetWindowPos(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_SHOWWINDOW);
  RefreshColorManager();
  m_pPaintManager->RefreshMetrics();
  RedrawControl();
  return TRUE;
}

CJVKPropertyGridView* CJVKPropertyGrid::CreateView() { return new CJVKPropertyGridView; }

CJVKPropertyGridView& CJVKPropertyGrid::GetGridView() {
  if (!m_pView) {
    m_pView = CreateView();
    m_pView->m_pGrid = this;
  }
  return *m_pView;
}

CJVKPropertyGridItems* CJVKPropertyGrid::GetCategories() { return GetGridView().GetCategories(); }
CJVKPropertyGridItem* CJVKPropertyGrid::GetSelectedItem() { return GetGridView().GetSelectedItem(); }
CJVKPropertyGridItem* CJVKPropertyGrid::AddCategory(LPCTSTR pszCaption, CJVKPropertyGridItem* pItem) {
  return GetGridView().AddCategory(pszCaption, pItem);
}
void CJVKPropertyGrid::SetPropertySort(int nMode) { GetGridView().SetPropertySort(nMode); }
void CJVKPropertyGrid::Refresh() { GetGridView().SetPropertySort(GetGridView().GetPropertySort(), TRUE); }

void CJVKPropertyGrid::RedrawControl() {
  if (m_hWnd) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CJVKPropertyGrid::SetViewDivider(double dRatio) {
  GetGridView().SetDividerRatio(dRatio);
  if (m_hWnd) {
    CRect rc;
    GetClientRect(&rc);
    Reposition(rc.Width(), rc.Height());
  }
}

LRESULT CJVKPropertyGrid::NotifyOwner(WPARAM nCode, LPARAM lParam) {
  if (!m_hWnd) return 0;
  const HWND hOwner = GetOwner()->GetSafeHwnd();
  return hOwner ? ::SendMessage(hOwner, JVK_PGWM_PROPERTYGRID_NOTIFY, nCode, lParam) : 0;
}

CRect CJVKPropertyGrid::GetHelpRect() const {
  CRect rc;
  GetClientRect(&rc);
  rc.top = rc.bottom - m_nHelpHeight;
  return rc;
}

CRect CJVKPropertyGrid::GetSplitterRect() const {
  CRect rc = GetHelpRect();
  rc.bottom = rc.top;
  rc.top -= kJvkGridSplitterHeight;
  return rc;
}

int CJVKPropertyGrid::HitTest(CPoint pt) {
  if (m_bHelpVisible && GetSplitterRect().PtInRect(pt)) return 1;
  return -1;
}

void CJVKPropertyGrid::OnSelectionChanged(CJVKPropertyGridItem* pItem) {
  if (m_hWnd) InvalidateRect(GetHelpRect(), FALSE);
  if (pItem) NotifyOwner(JVK_PGN_SELECTIONCHANGED, reinterpret_cast<LPARAM>(pItem));
}

void CJVKPropertyGrid::OnSortChanged() {
  if (m_hWnd) InvalidateRect(GetHelpRect(), FALSE);
  NotifyOwner(JVK_PGN_SORTORDERCHANGED, m_hWnd ? GetDlgCtrlID() : 0);
}

void CJVKPropertyGrid::Reposition(int cx, int cy) {
  if (!m_pView || m_pView->m_nLockUpdate > 0 || !m_hWnd) return;
  if (m_bHelpVisible) cy -= m_nHelpHeight + kJvkGridSplitterHeight;
  if (m_pView->m_hWnd) m_pView->MoveWindow(0, 0, cx, cy > 0 ? cy : 0);
  RedrawControl();
}

void CJVKPropertyGrid::ShowHelp(BOOL bShow) {
  m_bHelpVisible = bShow;
  if (m_hWnd) {
    CRect rc;
    GetClientRect(&rc);
    Reposition(rc.Width(), rc.Height());
  }
}

void CJVKPropertyGrid::Navigate(int nFrom, BOOL bForward, CJVKPropertyGridItem* pItem) {
  CJVKPropertyGridView& view = GetGridView();
  if (!pItem) pItem = view.GetSelectedItem();
  JVKWalkFocusStops(nFrom, bForward, [&](int nStop) -> BOOL {
    switch (nStop) {
      case jvkStopView: view.SetFocus(); return TRUE;
      case jvkStopEdit:
        if (!pItem || !(pItem->GetFlags() & jvkItemHasEdit)) return FALSE;
        pItem->OnSelect();
        m_pInplaceEdit->SetFocus();
        m_pInplaceEdit->SetSel(0, -1);
        return TRUE;
      case jvkStopButton:
        if (!pItem || m_pInplaceButton->GetItem() != pItem || !m_pInplaceButton->GetSafeHwnd() ||
            !m_pInplaceButton->IsWindowVisible())
          return FALSE;
        m_pInplaceButton->SetFocus();
        return TRUE;
      case jvkStopDialog: {
        CWnd* pParent = GetParent();
        HWND hNext = pParent ? ::GetNextDlgTabItem(pParent->m_hWnd, m_hWnd, !bForward) : nullptr;
        if (!hNext || hNext == m_hWnd) return FALSE;
        ::SetFocus(hNext);
        return TRUE;
      }
      default: return FALSE;
    }
  });
}

void CJVKPropertyGrid::OnPaint() {
  CPaintDC dcPaint(this);
  CRect rc;
  GetClientRect(&rc);
  if (rc.IsRectEmpty()) return;
  CDC dc;
  dc.CreateCompatibleDC(&dcPaint);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&dcPaint, rc.Width(), rc.Height());
  HGDIOBJ hOld = ::SelectObject(dc, bitmap.GetSafeHandle());
  m_pPaintManager->DrawBackground(&dc);
  dcPaint.BitBlt(0, 0, rc.Width(), rc.Height(), &dc, 0, 0, SRCCOPY);
  ::SelectObject(dc, hOld);
}

void CJVKPropertyGrid::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  CJVKPropertyGridView& view = GetGridView();
  if (view.m_hWnd) Reposition(cx, cy);
}

void CJVKPropertyGrid::OnSetFocus(CWnd* pOldWnd) {
  CJVKPropertyGridView& view = GetGridView();
  CWnd* pParent = GetParent();
  const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
  if (pOldWnd && pParent) {
    const HWND hPrev = ::GetNextDlgTabItem(pParent->m_hWnd, m_hWnd, TRUE);
    const HWND hNext = ::GetNextDlgTabItem(pParent->m_hWnd, m_hWnd, FALSE);
    if (pOldWnd->m_hWnd == hPrev && hPrev != m_hWnd && !bShift) {
      Navigate(-2, TRUE);
      return;
    }
    if (pOldWnd->m_hWnd == hNext && hNext != m_hWnd && bShift) {
      Navigate(jvkStopDialog, FALSE);
      return;
    }
  }
  if (view.m_hWnd) view.SetFocus();
}

BOOL CJVKPropertyGrid::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTCLIENT) {
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (HitTest(pt) == 1) {
      ::SetCursor(m_hCursorSplit);
      return TRUE;
    }
  }
  return static_cast<BOOL>(Default());
}

void CJVKPropertyGrid::OnLButtonDown(UINT, CPoint point) {
  SetFocus();
  if (HitTest(point) == 1) {
    TrackSplitter(point);
    return;
  }
  Default();
}

void CJVKPropertyGrid::TrackSplitter(CPoint point) {
  const DWORD dwClipStyles = GetStyle() & (WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
  ModifyStyle(WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0);
  CRect rc;
  GetClientRect(&rc);
  CTrackingLoop::Result result;
  int y;
  {
    CHelpSplitterLoop loop(this, point.y);
    result = loop.Track();
    y = loop.GetY();
  }
  if (result == CTrackingLoop::trackEnded) {
    m_nHelpHeight = rc.bottom - (y + 2);
    Reposition(rc.Width(), rc.Height());
  }
  RedrawControl();
  ModifyStyle(0, dwClipStyles);
}

void CJVKPropertyGrid::OnSysColorChange() {
  Default();
  RefreshColorManager();
  m_pPaintManager->RefreshMetrics();
}

void CJVKPropertyGrid::InstallPaintManager(CJVKPropertyGridPaintManager* pPaintManager) {
  pPaintManager->SetItemMetrics(m_pPaintManager->DetachItemMetrics());
  delete m_pPaintManager;
  m_pPaintManager = pPaintManager;
  m_pPaintManager->RefreshMetrics();
  RedrawControl();
}

void CJVKPropertyGrid::SetTheme(int nTheme) {
  m_nTheme = nTheme;
  if (CJVKPropertyGridPaintManager* pPaintManager = JVKCreateGridPaintManager(nTheme, this))
    InstallPaintManager(pPaintManager);
}

void CJVKPropertyGrid::SetCustomColors(COLORREF clrHelpBack, COLORREF clrHelpFore, COLORREF clrLine, COLORREF clrBack,
                                       COLORREF clrFore, COLORREF clrCategoryFore) {
  CJVKPropertyGridItemMetrics* pMetrics = m_pPaintManager->GetItemMetrics();
  pMetrics->m_clrHelpBack.m_clrOverride = clrHelpBack;
  pMetrics->m_clrHelpFore.m_clrOverride = clrHelpFore;
  pMetrics->m_clrLine.m_clrOverride = clrLine;
  pMetrics->m_clrBack.m_clrOverride = clrBack;
  pMetrics->m_clrFore.m_clrOverride = clrFore;
  pMetrics->m_clrCategoryFore.m_clrOverride = clrCategoryFore;
  RedrawControl();
}
