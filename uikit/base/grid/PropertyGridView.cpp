#include "PropertyGridView.h"

#include "DrawHelpers.h"
#include "MultiMonitor.h"
#include "OutsideClickHook.h"
#include "PropertyGrid.h"
#include "PropertyGridInplaceButton.h"
#include "PropertyGridInplaceEdit.h"
#include "PropertyGridLayout.h"
#include "PropertyGridPaintManager.h"

IMPLEMENT_DYNAMIC(CJVKPropertyGridView, CListBox)

BEGIN_MESSAGE_MAP(CJVKPropertyGridView, CListBox)
  ON_WM_PAINT()
  ON_WM_NCPAINT()
  ON_WM_ERASEBKGND()
  ON_CONTROL_REFLECT(LBN_SELCHANGE, OnSelectionChanged)
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_CAPTURECHANGED()
  ON_WM_SETCURSOR()
  ON_WM_CHAR()
  ON_WM_KEYDOWN()
  ON_WM_SYSKEYDOWN()
  ON_WM_GETDLGCODE()
  ON_WM_VSCROLL()
  ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

namespace {
const int kDividerCursorId = 9970;
}

CJVKPropertyGridView::CJVKPropertyGridView() {
  m_pCategories = new CJVKPropertyGridItems;
  m_hCursor = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(kDividerCursorId));
  if (!m_hCursor) m_hCursor = ::LoadCursor(nullptr, IDC_SIZEWE);
}

CJVKPropertyGridView::~CJVKPropertyGridView() {
  m_nLockUpdate++;
  m_pCategories->Clear();
  m_pCategories->InternalRelease();
  if (m_wndTip.GetSafeHwnd()) m_wndTip.DestroyWindow();
  if (m_hWnd) DestroyWindow();
}

CJVKPropertyGridPaintManager* CJVKPropertyGridView::PaintManager() const { return m_pGrid->GetPaintManager(); }

CJVKPropertyGridItem* CJVKPropertyGridView::GetItem(int nRow) const {
  if (!m_hWnd || nRow < 0 || nRow >= GetCount()) return nullptr;
  const DWORD_PTR dwData = GetItemData(nRow);
  return dwData == static_cast<DWORD_PTR>(LB_ERR) ? nullptr : reinterpret_cast<CJVKPropertyGridItem*>(dwData);
}

CJVKPropertyGridItem* CJVKPropertyGridView::GetSelectedItem() const { return m_hWnd ? GetItem(GetCurSel()) : nullptr; }

CJVKPropertyGridItem* CJVKPropertyGridView::ItemAt(CPoint point) const {
  BOOL bOutside = TRUE;
  const int nRow = static_cast<int>(ItemFromPoint(point, bOutside));
  return bOutside ? nullptr : GetItem(nRow);
}

int CJVKPropertyGridView::GetDividerPos() const {
  CRect rc;
  GetClientRect(&rc);
  return JVKDividerPos(rc.Width(), m_dDivider);
}

BOOL CJVKPropertyGridView::DividerHitTest(int x) const { return JVKDividerHit(x, GetDividerPos(), GetCount()); }

void CJVKPropertyGridView::ResetContent() {
  if (m_pSelected) {
    CJVKPropertyGridItem* pSelected = m_pSelected;
    m_pSelected = nullptr;
    pSelected->OnDeselect();
  }
  for (int i = 0; i < GetCount(); ++i)
    if (CJVKPropertyGridItem* pItem = GetItem(i)) pItem->SetVisible(FALSE);
  CListBox::ResetContent();
  CFont* pFont = &PaintManager()->GetItemMetrics()->m_fontNormal;
  SetFont(pFont, FALSE);
  CClientDC dc(this);
  HGDIOBJ hOld = ::SelectObject(dc, pFont->GetSafeHandle());
  m_nItemHeight = dc.GetTextExtent(" ").cy + 4;
  ::SelectObject(dc, hOld);
  SetItemHeight(0, static_cast<UINT>(m_nItemHeight));
}

int CJVKPropertyGridView::InsertItem(CJVKPropertyGridItem* pItem, int nRow) {
  if (m_nLockUpdate > 0 || !m_hWnd || pItem->IsHidden()) return 0;
  pItem->RefreshFromBinding();
  nRow = static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(pItem)));
  if (nRow < 0) return 0;
  if (GetStyle() & LBS_OWNERDRAWVARIABLE) {
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_LISTBOX;
    mis.itemID = static_cast<UINT>(nRow);
    mis.itemHeight = static_cast<UINT>(m_nItemHeight);
    mis.itemData = reinterpret_cast<ULONG_PTR>(pItem);
    MeasureItem(&mis);
    SetItemHeight(nRow, static_cast<UINT>(mis.itemHeight & 0xFFFF));
  }
  pItem->SetVisible(TRUE);
  int nRows = 1;
  if (pItem->IsExpanded()) nRows += InsertChildren(pItem, nRow + 1);
  return nRows;
}

int CJVKPropertyGridView::InsertChildren(CJVKPropertyGridItem* pItem, int nRow) {
  int nRows = 0;
  CJVKPropertyGridItems* pChildren = pItem->GetChildren();
  for (int i = 0; i < pChildren->GetCount(); ++i) nRows += InsertItem(pChildren->GetAt(i), nRow + nRows);
  return nRows;
}

void CJVKPropertyGridView::RemoveChildren(CJVKPropertyGridItem* pItem) {
  const int nRow = pItem->GetIndex() + 1;
  while (CJVKPropertyGridItem* pRowItem = GetItem(nRow)) {
    if (!pRowItem->IsChildOf(pItem)) break;
    if (pRowItem == m_pSelected) {
      m_pSelected = nullptr;
      pRowItem->OnDeselect();
    }
    pRowItem->SetVisible(FALSE);
    DeleteString(static_cast<UINT>(nRow));
  }
  Reindex();
}

void CJVKPropertyGridView::Reindex() {
  for (int i = 0; i < GetCount(); ++i) {
    CJVKPropertyGridItem* pItem = GetItem(i);
    if (pItem && pItem->m_nIndex != i) {
      pItem->m_nIndex = i;
      pItem->IndexChanged();
    }
  }
}

void CJVKPropertyGridView::SynchroniseSelection() {
  CJVKPropertyGridItem* pItem = GetSelectedItem();
  if (pItem != m_pSelected) {
    CJVKPropertyGridItem* pOld = m_pSelected;
    m_pSelected = pItem;
    if (pOld) pOld->OnDeselect();
    if (pItem && m_pSelected == pItem) pItem->OnSelect();
  }
  if (pItem) m_pGrid->OnSelectionChanged(pItem);
}

void CJVKPropertyGridView::InsertRows(const std::vector<CJVKPropertyGridItem*>& roots) {
  for (CJVKPropertyGridItem* pItem : roots) InsertItem(pItem, GetCount());
}

void CJVKPropertyGridView::SetPropertySort(int nMode, BOOL bForce) {
  if (m_nLockUpdate > 0) {
    m_nPropertySort = nMode;
    return;
  }
  const BOOL bChanged = nMode != m_nPropertySort;
  if ((bChanged || bForce) && m_hWnd) {
    CJVKPropertyGridItem* pRemembered = m_pSelected;
    ResetContent();
    InsertRows(JVKSortRoots(m_pCategories, nMode));
    Reindex();
    if (pRemembered && pRemembered->IsVisible()) SetCurSel(pRemembered->GetIndex());
    SynchroniseSelection();
  }
  if (bChanged) {
    m_nPropertySort = nMode;
    m_pGrid->OnSortChanged();
  }
}

void CJVKPropertyGridView::Refresh() {
  Reindex();
  SetPropertySort(m_nPropertySort, TRUE);
  m_pGrid->RedrawControl();
}

CJVKPropertyGridItem* CJVKPropertyGridView::InsertCategory(int nIndex, LPCTSTR pszCaption, CJVKPropertyGridItem* pItem) {
  if (nIndex < 0 || nIndex > m_pCategories->GetCount()) nIndex = m_pCategories->GetCount();
  if (!pItem) pItem = new CJVKPropertyGridItem(pszCaption);
  if (m_nLockUpdate > 0) {
    m_nPropertySort = jvkSortCategorized;
  } else if (m_nPropertySort != jvkSortCategorized && m_hWnd) {
    m_nPropertySort = jvkSortCategorized;
    ResetContent();
    InsertRows(JVKSortRoots(m_pCategories, jvkSortCategorized));
    Reindex();
    SynchroniseSelection();
    m_pGrid->OnSortChanged();
  }
  pItem->AttachSubtree(this, 0);
  pItem->m_bCategory = TRUE;
  pItem->m_nFlags = 0;
  m_pCategories->InsertAt(nIndex, pItem);
  if (m_hWnd) {
    int nRow = GetCount();
    for (int i = nIndex + 1; i < m_pCategories->GetCount(); ++i) {
      CJVKPropertyGridItem* pNext = m_pCategories->GetAt(i);
      if (pNext->IsVisible()) {
        nRow = pNext->GetIndex();
        break;
      }
    }
    InsertItem(pItem, nRow);
    Reindex();
  }
  return pItem;
}

void CJVKPropertyGridView::ToggleItem(int nRow) {
  CJVKPropertyGridItem* pItem = GetItem(nRow);
  if (!pItem) return;
  if (pItem->IsExpanded())
    pItem->Collapse();
  else
    pItem->Expand();
}

void CJVKPropertyGridView::DrawItem(LPDRAWITEMSTRUCT lpDis) {
  CJVKPropertyGridItem* pItem = reinterpret_cast<CJVKPropertyGridItem*>(lpDis->itemData);
  if (static_cast<int>(lpDis->itemID) < 0 || !pItem) return;
  if (static_cast<int>(lpDis->itemID) == GetCount() - 1) {
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.bottom > lpDis->rcItem.bottom) {
      rcClient.top = lpDis->rcItem.bottom;
      CDC::FromHandle(lpDis->hDC)->FillSolidRect(rcClient, PaintManager()->GetItemMetrics()->m_clrBack);
    }
  }
  if ((m_pGrid->GetStyle() & JVK_PGS_OWNERDRAW) &&
      m_pGrid->NotifyOwner(JVK_PGN_DRAWITEM, reinterpret_cast<LPARAM>(lpDis)) == 1)
    return;
  PaintManager()->DrawItem(lpDis);
}

void CJVKPropertyGridView::MeasureItem(LPMEASUREITEMSTRUCT lpMis) {
  lpMis->itemHeight = static_cast<UINT>(m_nItemHeight);
  PaintManager()->MeasureItem(lpMis);
}

void CJVKPropertyGridView::OnPaint() {
  CPaintDC dcPaint(this);
  CRect rc;
  GetClientRect(&rc);
  CDC dc;
  dc.CreateCompatibleDC(&dcPaint);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&dcPaint, rc.Width() > 0 ? rc.Width() : 1, rc.Height() > 0 ? rc.Height() : 1);
  HGDIOBJ hOld = ::SelectObject(dc, bitmap.GetSafeHandle());
  PaintManager()->FillBackground(&dc, TRUE);
  DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
  dcPaint.BitBlt(0, 0, rc.Width(), rc.Height(), &dc, 0, 0, SRCCOPY);
  ::SelectObject(dc, hOld);
}

void CJVKPropertyGridView::OnNcPaint() {
  Default();
  CWindowDC dc(this);
  PaintManager()->FillBackground(&dc, FALSE);
}

void CJVKPropertyGridView::OnSelectionChanged() { SynchroniseSelection(); }

void CJVKPropertyGridView::OnSize(UINT nType, int cx, int cy) {
  CListBox::OnSize(nType, cx, cy);
  SynchroniseSelection();
}

void CJVKPropertyGridView::OnLButtonDown(UINT nFlags, CPoint point) {
  if (DividerHitTest(point.x)) {
    SetFocus();
    SetCapture();
    if (m_pSelected) m_pSelected->CommitEdit();
    m_bTracking = TRUE;
    return;
  }
  CJVKPropertyGridItem* pItem = ItemAt(point);
  if (pItem) {
    SetFocus();
    if (::GetFocus() != m_hWnd) return;
    if (ItemAt(point) == pItem && pItem->OnLeftButtonDown(nFlags, point)) return;
  }
  Default();
}

void CJVKPropertyGridView::OnLButtonUp(UINT nFlags, CPoint point) {
  if (m_bTracking) {
    m_bTracking = FALSE;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  }
  if (CJVKPropertyGridItem* pItem = ItemAt(point)) pItem->OnLeftButtonUp(nFlags, point);
  Default();
}

void CJVKPropertyGridView::OnLButtonDblClk(UINT, CPoint point) {
  Default();
  CJVKPropertyGridItem* pItem = ItemAt(point);
  if (!pItem) return;
  pItem->OnDoubleClick();
  if (ItemAt(point) == pItem) m_pGrid->NotifyOwner(JVK_PGN_DBLCLICK, reinterpret_cast<LPARAM>(pItem));
}

void CJVKPropertyGridView::OnRButtonDown(UINT, CPoint point) {
  Default();
  CJVKPropertyGridItem* pItem = ItemAt(point);
  if (!pItem) return;
  pItem->OnRightButtonDown();
  if (ItemAt(point) == pItem) m_pGrid->NotifyOwner(JVK_PGN_RCLICK, reinterpret_cast<LPARAM>(pItem));
}

void CJVKPropertyGridView::MoveDivider(double dRatio) {
  m_dDivider = JVKClampDividerRatio(dRatio);
  if (m_pSelected) m_pSelected->OnSelect();
  Invalidate(FALSE);
}

void CJVKPropertyGridView::OnMouseMove(UINT, CPoint point) {
  if (m_bTracking) {
    CRect rc;
    GetClientRect(&rc);
    if (rc.Width() > 0) MoveDivider(static_cast<double>(point.x) / rc.Width());
  } else {
    CheckToolTip(point);
  }
  Default();
}

void CJVKPropertyGridView::OnCaptureChanged(CWnd*) {
  m_bTracking = FALSE;
  Default();
}

BOOL CJVKPropertyGridView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTCLIENT) {
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (DividerHitTest(pt.x)) {
      ::SetCursor(m_hCursor);
      return TRUE;
    }
  }
  return static_cast<BOOL>(Default());
}

void CJVKPropertyGridView::OnChar(UINT nChar, UINT, UINT) {
  if (m_bTracking) return;
  CJVKPropertyGridItem* pItem = GetSelectedItem();
  if (nChar == VK_TAB) {
    m_pGrid->Navigate(jvkStopView, ::GetKeyState(VK_SHIFT) >= 0, pItem);
    return;
  }
  if (pItem && pItem->HasChildren()) {
    if (nChar == '+' && !pItem->IsExpanded()) {
      pItem->Expand();
      return;
    }
    if (nChar == '-' && pItem->IsExpanded()) {
      pItem->Collapse();
      return;
    }
  }
  if (!pItem || (nChar == VK_RETURN && pItem->HasChildren()) || !pItem->OnChar(nChar)) Default();
}

void CJVKPropertyGridView::OnKeyDown(UINT nChar, UINT, UINT) {
  CJVKPropertyGridItem* pItem = GetSelectedItem();
  if (::GetKeyState(VK_CONTROL) < 0 && (nChar == VK_LEFT || nChar == VK_RIGHT)) {
    CJVKDrawHelpers::KeyToLayout(this, nChar);
    CRect rc;
    GetClientRect(&rc);
    if (rc.Width() > 0) MoveDivider(m_dDivider + (nChar == VK_LEFT ? -2.0 : 2.0) / rc.Width());
    return;
  }
  if (pItem) {
    if (nChar == VK_RETURN) {
      ToggleItem(GetCurSel());
      return;
    }
    if (nChar == VK_LEFT && pItem->HasChildren() && pItem->IsExpanded()) {
      pItem->Collapse();
      return;
    }
    if (nChar == VK_RIGHT && pItem->HasChildren() && !pItem->IsExpanded()) {
      pItem->Expand();
      return;
    }
    if (nChar == VK_F4 && (pItem->GetFlags() & jvkItemHasComboButton)) {
      pItem->OnButtonPressed();
      return;
    }
  }
  Default();
}

void CJVKPropertyGridView::OnSysKeyDown(UINT nChar, UINT, UINT) {
  CJVKPropertyGridItem* pItem = GetSelectedItem();
  if ((nChar == VK_DOWN || nChar == VK_UP) && pItem && (pItem->GetFlags() & jvkItemHasComboButton))
    pItem->OnButtonPressed();
  Default();
}

UINT CJVKPropertyGridView::OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS; }

void CJVKPropertyGridView::RedrawChildren() {
  for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    ::RedrawWindow(hChild, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CJVKPropertyGridView::OnVScroll(UINT, UINT, CScrollBar*) {
  Default();
  RedrawChildren();
}

BOOL CJVKPropertyGridView::OnMouseWheel(UINT, short, CPoint) {
  const BOOL bResult = static_cast<BOOL>(Default());
  RedrawChildren();
  return bResult;
}

void CJVKPropertyGridView::CheckToolTip(CPoint point) {
  if (IsOutsideClickHookActive()) return;
  CJVKPropertyGridItem* pItem = ItemAt(point);
  if (!pItem || pItem->IsCategory()) return;
  if (!m_wndTip.EnsureCreated(this)) return;
  const CRect rcRow = pItem->GetItemRect();
  const int nDivider = GetDividerPos();
  CJVKPropertyGridPaintManager* pPaint = PaintManager();
  CRect rcText, rcArea;
  CString strText;
  BOOL bValue = point.x > nDivider;
  if (!bValue) {
    strText = pItem->GetCaption();
    if (strText == m_wndTip.m_strText) return;
    rcArea = CRect(rcRow.left, rcRow.top, nDivider, rcRow.bottom);
    rcText = CRect(rcRow.left + pItem->GetIndent() * kJvkGridIndent - 1, rcRow.top - 1, nDivider, rcRow.bottom);
    pPaint->AdjustCaptionRect(pItem, rcText);
  } else {
    strText = pItem->GetDisplayValue();
    if (strText == m_wndTip.m_strText || pItem->GetMultiLinesCount() > 1) return;
    CJVKPropertyGridInplaceEdit& edit = pItem->GetEditWindow();
    if (edit.GetSafeHwnd() && ::GetFocus() == edit.m_hWnd && edit.GetItem() == pItem) return;
    rcArea = CRect(nDivider, rcRow.top, rcRow.right, rcRow.bottom);
    rcText = pItem->GetValueRect();
    rcText.left -= 1;
    rcText.top -= 2;
    rcText.bottom += 1;
  }
  CFont* pFont = pPaint->GetItemFont(pItem, bValue);
  CClientDC dc(this);
  HGDIOBJ hOld = ::SelectObject(dc, pFont->GetSafeHandle());
  const int cxText = dc.GetTextExtent(strText).cx;
  ::SelectObject(dc, hOld);
  m_wndTip.m_strText = strText;
  if (cxText + 3 <= rcText.Width()) return;
  if (GetExStyle() & WS_EX_LAYOUTRTL) rcText.left = rcText.right - cxText - (bValue ? 8 : 7);
  ClientToScreen(&rcText);
  ClientToScreen(&rcArea);
  m_wndTip.ShowTip(strText, rcText, pFont, rcArea);
  TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, m_hWnd, 0};
  ::TrackMouseEvent(&tme);
}

LRESULT CJVKPropertyGridView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_bInTipCheck && m_wndTip.IsShown()) {
    m_bInTipCheck = TRUE;
    CPoint pt;
    ::GetCursorPos(&pt);
    switch (message) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
      case WM_LBUTTONDOWN:
      case WM_LBUTTONUP:
      case WM_RBUTTONDOWN:
      case WM_RBUTTONUP:
      case WM_MBUTTONDOWN:
      case WM_MBUTTONUP:
      case WM_MOUSELEAVE: m_wndTip.HideTip(FALSE); break;
      case WM_MOUSEWHEEL: m_wndTip.HideTip(TRUE); break;
      default:
        if (!m_wndTip.m_rcArea.PtInRect(pt)) m_wndTip.HideTip(TRUE);
        break;
    }
    m_bInTipCheck = FALSE;
  }
  return CListBox::WindowProc(message, wParam, lParam);
}
