#include "TabManager.h"

#include "TabAppearanceSet.h"
#include "TabPaintManager.h"
#include "TabRules.h"

#include <DrawHelpers.h>
#include <ToolTipContext.h>

#include <algorithm>

CJVKTabManager::CJVKTabManager() {
  m_arrNavigateButtons.push_back(new CJVKTabManagerScrollButton(this, FALSE));
  m_arrNavigateButtons.push_back(new CJVKTabManagerScrollButton(this, TRUE));
  m_arrNavigateButtons.push_back(new CJVKTabManagerCloseButton(this));
  m_arrRows.push_back(CRowIndex{0, -1});
}

CJVKTabManager::~CJVKTabManager() {
  ReleaseItems();
  for (CJVKTabManagerNavigateButton* pButton : m_arrNavigateButtons) delete pButton;
}

void CJVKTabManager::ReleaseItems() {
  for (CJVKTabManagerItem* pItem : m_arrItems) {
    pItem->m_pTabManager = nullptr;
    pItem->InternalRelease();
  }
  m_arrItems.clear();
  m_pSelected = nullptr;
  m_pHighlighted = nullptr;
}

COLORREF CJVKTabManager::GetItemColor(const CJVKTabManagerItem* pItem) const {
  return JVKTabPaletteColor(pItem->m_clrItem);
}

void CJVKTabManager::OnItemsChanged() {
  for (size_t i = 0; i < m_arrItems.size(); ++i) m_arrItems[i]->m_nIndex = static_cast<int>(i);
  Reposition();
}

void CJVKTabManager::SetSelectedItem(CJVKTabManagerItem* pItem) {
  if (m_pSelected == pItem) return;
  m_pSelected = pItem;
  Reposition();
  if (pItem) EnsureVisible(pItem);
}

void CJVKTabManager::GetItemMetrics(CSize* pszNormal, CSize* pszMin, CSize* pszMax) const {
  if (pszNormal) *pszNormal = m_szNormal;
  if (pszMin) *pszMin = m_szMin;
  if (pszMax) *pszMax = m_szMax;
}

void CJVKTabManager::SetItemMetrics(CSize szNormal, CSize szMin, CSize szMax) {
  m_szNormal = szNormal;
  m_szMin = szMin;
  m_szMax = szMax;
  Reposition();
}

BOOL CJVKTabManager::IsDrawStaticFrame() const { return GetPaintManager()->m_bStaticFrame; }

int CJVKTabManager::GetPosition() const { return GetPaintManager()->GetPosition(); }

void CJVKTabManager::OnScroll(BOOL bForward) { SetScrollOffset(JVKScrolledTabOffset(m_nScrollOffset, bForward)); }

void CJVKTabManager::SetScrollOffset(int nOffset) {
  nOffset = std::min(nOffset, 0);
  if (nOffset == m_nScrollOffset) return;
  m_nScrollOffset = nOffset;
  Reposition();
}

BOOL CJVKTabManager::IsNavigateButtonVisible(const CJVKTabManagerNavigateButton* pButton) const {
  if (pButton->GetId() != jvkTabNavigateClose) return TRUE;
  return m_pSelected ? m_pSelected->IsClosable() : FALSE;
}

CJVKTabManagerItem* CJVKTabManager::InsertItem(int nItem, CJVKTabManagerItem* pItem) {
  if (!pItem) pItem = new CJVKTabManagerItem;
  if (nItem < 0 || nItem > GetItemCount()) nItem = GetItemCount();
  m_arrItems.insert(m_arrItems.begin() + nItem, pItem);
  pItem->m_pTabManager = this;
  pItem->m_clrItem = JVKTabPaletteCode(m_nItemColor++);
  OnItemsChanged();
  return pItem;
}

void CJVKTabManager::DeleteAllItems() {
  ReleaseItems();
  OnItemsChanged();
}

void CJVKTabManager::DeleteItem(int nIndex) {
  CJVKTabManagerItem* pItem = GetItem(nIndex);
  if (!pItem) return;
  m_arrItems.erase(m_arrItems.begin() + nIndex);
  if (m_pSelected == pItem) m_pSelected = nullptr;
  if (m_pHighlighted == pItem) m_pHighlighted = nullptr;
  pItem->m_pTabManager = nullptr;
  pItem->InternalRelease();
  OnItemsChanged();
}

CJVKTabManagerItem* CJVKTabManager::GetItem(int nIndex) const {
  return nIndex >= 0 && nIndex < GetItemCount() ? m_arrItems[nIndex] : nullptr;
}

CJVKTabManagerItem* CJVKTabManager::FindItem(HWND hWnd) const {
  for (CJVKTabManagerItem* pItem : m_arrItems)
    if (pItem->m_hWnd == hWnd) return pItem;
  return nullptr;
}

CJVKTabManagerNavigateButton* CJVKTabManager::FindNavigateButton(int nId) const {
  for (CJVKTabManagerNavigateButton* pButton : m_arrNavigateButtons)
    if (pButton->GetId() == nId) return pButton;
  return nullptr;
}

int CJVKTabManager::GetItemsLength() const {
  if (GetPaintManager()->GetLayout() == jvkTabLayoutRotated)
    return GetItemCount() * GetPaintManager()->GetAppearanceSet()->GetRowHeight(this);
  int nLength = 0;
  for (const CJVKTabManagerItem* pItem : m_arrItems) nLength += pItem->m_nWidth;
  return nLength;
}

CJVKTabManagerItem* CJVKTabManager::HitTest(CPoint pt) const {
  std::vector<JVKTabHitItem> items;
  items.reserve(m_arrItems.size());
  for (const CJVKTabManagerItem* pItem : m_arrItems) items.push_back(JVKTabHitItem{pItem->m_rcItem, pItem->IsUsable()});
  return GetItem(JVKTabHitTest(pt, m_rcControl, m_rcHeader, items));
}

void CJVKTabManager::EnsureVisible(CJVKTabManagerItem* pItem) { GetPaintManager()->EnsureVisible(this, pItem); }

BOOL CJVKTabManager::PerformKeyDown(HWND hWnd, UINT nChar) {
  if (hWnd) CJVKDrawHelpers::KeyToLayout(CWnd::FromHandle(hWnd), nChar);
  JVKTabKey key = jvkTabKeyOther;
  switch (nChar) {
    case VK_HOME: key = jvkTabKeyHome; break;
    case VK_END: key = jvkTabKeyEnd; break;
    case VK_LEFT: key = jvkTabKeyLeft; break;
    case VK_RIGHT: key = jvkTabKeyRight; break;
    case VK_UP: key = jvkTabKeyUp; break;
    case VK_DOWN: key = jvkTabKeyDown; break;
  }
  std::vector<BOOL> usable;
  for (const CJVKTabManagerItem* pItem : m_arrItems) usable.push_back(pItem->IsUsable());
  const int nSelected = m_pSelected ? m_pSelected->m_nIndex : -1;
  const JVKTabKeyResult result = JVKTabKeyMove(usable, nSelected, key, JVKIsVerticalTabPosition(GetPosition()));
  if (result.nSelect >= 0) SetSelectedItemEntry(GetItem(result.nSelect));
  return result.bHandled;
}

BOOL CJVKTabManager::PerformClick(HWND hWnd, CPoint pt, BOOL bNoItemClick) {
  for (CJVKTabManagerNavigateButton* pButton : m_arrNavigateButtons) {
    if (pButton->m_rcButton.PtInRect(pt)) {
      pButton->PerformClick(hWnd, pt);
      return TRUE;
    }
  }
  if (bNoItemClick) return FALSE;
  CJVKTabManagerItem* pItem = HitTest(pt);
  if (!pItem) return FALSE;
  if (IsAllowReorder()) {
    ReorderItem(hWnd, pt, pItem);
  } else {
    OnItemClick(pItem);
  }
  return TRUE;
}

namespace {

void TrackMouseLeave(HWND hWnd) {
  TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, hWnd, 0};
  ::TrackMouseEvent(&tme);
}

}  // namespace

void CJVKTabManager::SetHotItem(HWND hWnd, CJVKTabManagerItem* pItem) {
  if (pItem == m_pHighlighted) return;
  m_pHighlighted = pItem;
  RedrawControl();
  if (pItem && hWnd) TrackMouseLeave(hWnd);
}

void CJVKTabManager::PerformMouseMove(HWND hWnd, CPoint pt) {
  if (!CJVKDrawHelpers::IsTopParentActive(hWnd) || IsMouseLocked()) return;
  if (GetPaintManager()->m_bHotTracking) SetHotItem(hWnd, HitTest(pt));
  for (CJVKTabManagerNavigateButton* pButton : m_arrNavigateButtons) {
    const BOOL bInside = pButton->m_rcButton.PtInRect(pt);
    if (pButton->m_bHot && !bInside) {
      pButton->SetHot(FALSE);
    } else if (!pButton->m_bHot && bInside && pButton->m_bEnabled) {
      pButton->SetHot(TRUE);
      TrackMouseLeave(hWnd);
    }
  }
}

void CJVKTabManager::ReorderItem(HWND hWnd, CPoint pt, CJVKTabManagerItem* pItem) {
  CJVKTabManagerItem* pHot = m_pHighlighted;
  if (GetPaintManager()->m_bHotTracking) m_pHighlighted = pItem;
  Reposition();

  std::vector<CRect> snapshot;
  for (const CJVKTabManagerItem* p : m_arrItems) snapshot.push_back(CRect(p->m_rcItem));
  ::SetCapture(hWnd);
  while (::GetCapture() == hWnd) {
    MSG msg;
    if (!::GetMessage(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_CANCELMODE || msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONDOWN ||
        (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
      break;
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == hWnd) {
      pt = CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
      for (size_t i = 0; i < snapshot.size() && i < m_arrItems.size(); ++i) {
        if (m_arrItems[i] == pItem || !snapshot[i].PtInRect(pt)) continue;
        const auto it = std::find(m_arrItems.begin(), m_arrItems.end(), pItem);
        if (it == m_arrItems.end()) break;
        std::swap(*it, m_arrItems[i]);
        OnItemsChanged();
        break;
      }
      continue;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
  if (::GetCapture() == hWnd) ::ReleaseCapture();
  PerformMouseMove(hWnd, pt);
  m_pHighlighted = pHot;
  OnItemClick(pItem);
}

INT_PTR CJVKTabManager::OnToolHitTest(CWnd* pWnd, CPoint pt, TOOLINFO* pTI) const {
  const CJVKTabManagerItem* pItem = HitTest(pt);
  if (!pItem) return -1;
  const int nMode = GetPaintManager()->m_nToolTipMode;
  if (nMode == 0 || (nMode == 2 && !pItem->IsTruncated())) return -1;
  const CString strTip = GetItemTooltip(pItem);
  if (strTip.IsEmpty()) return -1;
  if (pTI) {
    const CString strCaption = GetItemCaption(pItem);
    CJVKToolTipContext::FillInToolInfo(pTI, pWnd->GetSafeHwnd(), pItem->m_rcItem, pItem->m_nIndex, strTip,
                                       strTip, strCaption);
  }
  return pItem->m_nIndex;
}
