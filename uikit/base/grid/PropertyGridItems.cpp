#include "PropertyGridItems.h"

#include <algorithm>
#include <vector>

#include "PropertyGridItem.h"
#include "PropertyGridText.h"
#include "PropertyGridView.h"

CJVKPropertyGridItems::~CJVKPropertyGridItems() {
  for (int i = 0; i < GetCount(); ++i) m_arrItems[i]->InternalRelease();
}

CJVKPropertyGridItem* CJVKPropertyGridItems::GetAt(int nIndex) const {
  return nIndex >= 0 && nIndex < GetCount() ? m_arrItems[nIndex] : nullptr;
}

CJVKPropertyGridItem* CJVKPropertyGridItems::FindItem(UINT nID) const {
  for (int i = 0; i < GetCount(); ++i) {
    CJVKPropertyGridItem* pItem = m_arrItems[i];
    if (pItem->GetID() == nID) return pItem;
    if (CJVKPropertyGridItem* pFound = pItem->GetChildren()->FindItem(nID)) return pFound;
  }
  return nullptr;
}

void CJVKPropertyGridItems::Clear() {
  if (GetCount() == 0) return;
  CJVKPropertyGridView* pView = m_arrItems[0]->GetView();
  if (pView) {
    if (pView->m_nLockUpdate++ == 0 && pView->GetSafeHwnd()) pView->ResetContent();
  }
  // Detaching may reach back into this collection (a child's Clear); work on
  // a copy of the array, emptied first.
  std::vector<CJVKPropertyGridItem*> items(m_arrItems.GetData(), m_arrItems.GetData() + GetCount());
  m_arrItems.RemoveAll();
  for (CJVKPropertyGridItem* pItem : items) {
    pItem->Detach();
    pItem->InternalRelease();
  }
  if (pView && --pView->m_nLockUpdate == 0) pView->Refresh();
}

void CJVKPropertyGridItems::Sort() {
  std::vector<CJVKPropertyGridItem*> items(m_arrItems.GetData(), m_arrItems.GetData() + GetCount());
  std::stable_sort(items.begin(), items.end(), [](CJVKPropertyGridItem* a, CJVKPropertyGridItem* b) {
    return JVKCompareCaptions(a->GetCaption(), b->GetCaption()) < 0;
  });
  for (int i = 0; i < GetCount(); ++i) m_arrItems[i] = items[i];
}

void CJVKPropertyGridItems::AddTail(const CJVKPropertyGridItems* pItems) {
  for (int i = 0; i < pItems->GetCount(); ++i) {
    CJVKPropertyGridItem* pItem = pItems->GetAt(i);
    pItem->InternalAddRef();
    m_arrItems.Add(pItem);
  }
}

void CJVKPropertyGridItems::InsertAt(int nIndex, CJVKPropertyGridItem* pItem) {
  if (nIndex < 0 || nIndex > GetCount()) nIndex = GetCount();
  m_arrItems.InsertAt(nIndex, pItem);
}

CJVKPropertyGridItem* CJVKPropertyGridItems::RemoveAt(int nIndex) {
  CJVKPropertyGridItem* pItem = GetAt(nIndex);
  if (pItem) m_arrItems.RemoveAt(nIndex);
  return pItem;
}

int CJVKPropertyGridItems::IndexOf(const CJVKPropertyGridItem* pItem) const {
  for (int i = 0; i < GetCount(); ++i)
    if (m_arrItems[i] == pItem) return i;
  return -1;
}
