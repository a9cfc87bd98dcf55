#include "TabManagerItem.h"

#include <algorithm>

#include "TabManager.h"

IMPLEMENT_DYNCREATE(CJVKTabManagerItem, CCmdTarget)

CJVKTabManagerItem::CJVKTabManagerItem() = default;

void CJVKTabManagerItem::SetCaption(LPCTSTR lpszCaption) {
  const CString strCaption(lpszCaption);
  if (strCaption == m_strCaption) return;
  m_strCaption = strCaption;
  if (m_pTabManager) m_pTabManager->OnPropertyChanged();
}

CString CJVKTabManagerItem::GetCaption() const {
  return m_pTabManager ? m_pTabManager->GetItemCaption(this) : m_strCaption;
}

CString CJVKTabManagerItem::GetTooltip() const {
  return m_pTabManager ? m_pTabManager->GetItemTooltip(this) : m_strToolTip;
}

void CJVKTabManagerItem::SetColor(COLORREF clr) {
  m_clrItem = clr;
  if (m_pTabManager) m_pTabManager->RedrawControl();
}

COLORREF CJVKTabManagerItem::GetColor() const {
  return m_pTabManager ? m_pTabManager->GetItemColor(this) : m_clrItem;
}

BOOL CJVKTabManagerItem::IsSelected() const {
  return m_pTabManager && m_pTabManager->GetSelectedItem() == this;
}

BOOL CJVKTabManagerItem::IsHot() const { return m_pTabManager && m_pTabManager->GetHotItem() == this; }
