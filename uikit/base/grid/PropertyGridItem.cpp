#include "PropertyGridItem.h"

#include "PropertyGrid.h"
#include "PropertyGridInplaceButton.h"
#include "PropertyGridInplaceEdit.h"
#include "PropertyGridInplaceList.h"
#include "PropertyGridConstraintSteps.h"
#include "PropertyGridLayout.h"
#include "PropertyGridPaintManager.h"
#include "PropertyGridText.h"
#include "PropertyGridView.h"

IMPLEMENT_DYNAMIC(CJVKPropertyGridItem, CCmdTarget)
IMPLEMENT_DYNAMIC(CJVKPropertyGridItemCategory, CJVKPropertyGridItem)

CJVKPropertyGridItem::CJVKPropertyGridItem(UINT nID, LPCTSTR pszValue, CString* pBindString) : m_nID(nID) {
  CString strText;
  if (nID && strText.LoadString(nID)) JVKSplitCaption(strText, m_strCaption, m_strDescription);
  Init(pszValue, pBindString);
}

CJVKPropertyGridItem::CJVKPropertyGridItem(LPCTSTR pszCaption, LPCTSTR pszValue, CString* pBindString) {
  JVKSplitCaption(pszCaption, m_strCaption, m_strDescription);
  Init(pszValue, pBindString);
}

void CJVKPropertyGridItem::Init(LPCTSTR pszValue, CString* pBindString) {
  m_pChildren = new CJVKPropertyGridItems;
  m_pConstraints = new CJVKPropertyGridItemConstraints(this);
  m_strValue = pszValue ? pszValue : "";
  m_strDefaultValue = m_strValue;
  m_pBindString = pBindString;
  if (m_pBindString) *m_pBindString = m_strValue;
}

CJVKPropertyGridItem::~CJVKPropertyGridItem() {
  m_pChildren->InternalRelease();
  m_pConstraints->m_pItem = nullptr;
  m_pConstraints->InternalRelease();
  if (m_pValueMetrics) m_pValueMetrics->InternalRelease();
  if (m_pCaptionMetrics) m_pCaptionMetrics->InternalRelease();
}

CJVKPropertyGridItemCategory::CJVKPropertyGridItemCategory(LPCTSTR pszCaption) : CJVKPropertyGridItem(pszCaption) {
  m_bCategory = TRUE;
  m_nFlags = 0;
}

CJVKPropertyGridItemCategory::CJVKPropertyGridItemCategory(UINT nID) : CJVKPropertyGridItem(nID) {
  m_bCategory = TRUE;
  m_nFlags = 0;
}

CJVKPropertyGrid* CJVKPropertyGridItem::GetGrid() const { return m_pView ? m_pView->GetPropertyGrid() : nullptr; }

void CJVKPropertyGridItem::Notify(WPARAM nCode) {
  if (CJVKPropertyGrid* pGrid = GetGrid()) pGrid->NotifyOwner(nCode, reinterpret_cast<LPARAM>(this));
}

void CJVKPropertyGridItem::RedrawView() {
  if (m_pView && m_pView->GetSafeHwnd()) m_pView->Invalidate(FALSE);
}

void CJVKPropertyGridItem::SetReadOnly(BOOL bReadOnly) {
  const BOOL bChanged = (bReadOnly != FALSE) != (m_bReadOnly != FALSE);
  m_bReadOnly = bReadOnly;
  if (bChanged && m_pView && m_pView->GetSelectedItem() == this) {
    OnDeselect();
    OnSelect();
  }
  RedrawView();
}

CRect CJVKPropertyGridItem::GetValueRect() {
  CRect rc = GetItemRect();
  if (!m_pView) return rc;
  rc.left += m_pView->GetDividerPos() + 1;
  rc.top += 1;
  rc.bottom -= 1;
  if (m_nFlags & (jvkItemHasExpandButton | jvkItemHasComboButton)) {
    CJVKPropertyGridInplaceButton& button = GetButtonWindow();
    if (button.GetItem() == this && button.GetSafeHwnd() && button.IsWindowVisible())
      rc.right -= ::GetSystemMetrics(SM_CXHTHUMB);
  }
  if (CJVKPropertyGrid* pGrid = GetGrid()) pGrid->GetPaintManager()->AdjustValueRect(this, rc);
  return rc;
}

void CJVKPropertyGridItem::SetValue(CString strValue) {
  m_strValue = strValue;
  if (m_pBindString) *m_pBindString = strValue;
  SetEditWindowText(m_strValue);
  RedrawView();
}

void CJVKPropertyGridItem::CommitValue(CString strValue) {
  SetValue(strValue);
  RedrawView();
  Notify(JVK_PGN_VALUECHANGED);
}

BOOL CJVKPropertyGridItem::DrawValue(CDC&, CRect) { return FALSE; }

void CJVKPropertyGridItem::DrawConstraint(CDC* pDC, CJVKPropertyGridItemConstraint* pConstraint, CRect rc,
                                          BOOL bSelected) {
  if (CJVKPropertyGrid* pGrid = GetGrid()) pGrid->GetPaintManager()->DrawInplaceListItem(pDC, pConstraint, rc, bSelected);
}

CSize CJVKPropertyGridItem::MeasureConstraint(CDC* pDC, CJVKPropertyGridItemConstraint* pConstraint) {
  CSize size = pDC->GetTextExtent(pConstraint->m_strConstraint);
  size.cx += 2 * ::GetSystemMetrics(SM_CXHTHUMB);
  size.cy += 3;
  return size;
}

void CJVKPropertyGridItem::MeasureHeight(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  lpMeasureItemStruct->itemHeight =
      static_cast<UINT>(JVKItemRowHeight(static_cast<int>(lpMeasureItemStruct->itemHeight), m_nHeight, m_nLinesCount));
}

BOOL CJVKPropertyGridItem::IsValueChanged() { return m_strValue.Compare(m_strDefaultValue) != 0; }

void CJVKPropertyGridItem::RestoreDefault() { CommitValue(m_strDefaultValue); }

CString CJVKPropertyGridItem::GetDisplayValue() {
  return m_bPassword ? CString(m_chPrompt, m_strValue.GetLength()) : m_strValue;
}

CJVKPropertyGridInplaceEdit& CJVKPropertyGridItem::GetEditWindow() {
  if (CJVKPropertyGrid* pGrid = GetGrid()) return pGrid->GetInplaceEdit();
  static CJVKPropertyGridInplaceEdit s_edit;
  return s_edit;
}

CJVKPropertyGridInplaceButton& CJVKPropertyGridItem::GetButtonWindow() {
  if (CJVKPropertyGrid* pGrid = GetGrid()) return pGrid->GetInplaceButton();
  static CJVKPropertyGridInplaceButton s_button;
  return s_button;
}

CJVKPropertyGridInplaceList& CJVKPropertyGridItem::GetListWindow() {
  if (CJVKPropertyGrid* pGrid = GetGrid()) return pGrid->GetInplaceList();
  static CJVKPropertyGridInplaceList s_list;
  return s_list;
}

DWORD CJVKPropertyGridItem::GetEditStyle() const {
  DWORD dwStyle = WS_CHILD | ES_AUTOHSCROLL;
  if (m_bPassword) dwStyle |= ES_PASSWORD;
  if (m_nLinesCount > 1) dwStyle |= ES_MULTILINE;
  return dwStyle | m_dwEditStyle;
}

void CJVKPropertyGridItem::SetVisible(BOOL bVisible) { m_bVisible = bVisible; }

void CJVKPropertyGridItem::OnSelect() {
  CJVKPropertyGridInplaceButton& button = GetButtonWindow();
  if (!m_bReadOnly && (m_nFlags & (jvkItemHasExpandButton | jvkItemHasComboButton)))
    button.Show(this, GetItemRect());
  else
    button.Hide();
  CJVKPropertyGridInplaceEdit& edit = GetEditWindow();
  if (m_nFlags & jvkItemHasEdit) {
    edit.SetValue(m_strValue);
    edit.Show(this, GetValueRect());
    edit.SendMessage(EM_SETREADONLY, m_bReadOnly, 0);
  } else {
    edit.Hide();
  }
}

void CJVKPropertyGridItem::OnDeselect() {
  GetButtonWindow().Hide();
  CommitEdit();
}

BOOL CJVKPropertyGridItem::OnChar(UINT nChar) {
  if (m_nFlags & jvkItemHasEdit) {
    OnSelect();
    CJVKPropertyGridInplaceEdit& edit = GetEditWindow();
    edit.SetFocus();
    edit.SetSel(0, -1);
    if (nChar != VK_TAB) edit.SendMessage(WM_CHAR, nChar, 0);
    return TRUE;
  }
  if (nChar == VK_TAB) {
    CJVKPropertyGridInplaceButton& button = GetButtonWindow();
    if (button.GetItem() == this && button.GetSafeHwnd() && button.IsWindowVisible()) button.SetFocus();
  }
  return FALSE;
}

void CJVKPropertyGridItem::OnDoubleClick() {
  if (HasChildren()) {
    if (m_bExpanded)
      Collapse();
    else
      Expand();
    return;
  }
  OnSelect();
  if (m_nFlags & jvkItemHasEdit) {
    CJVKPropertyGridInplaceEdit& edit = GetEditWindow();
    if (!m_bReadOnly && edit.SelectConstraint(1, TRUE)) {
      CommitEdit();
      return;
    }
    edit.SetFocus();
    edit.SetSel(0, -1);
  } else if (!m_bReadOnly && !m_pConstraints->IsEmpty()) {
    const int nNext = JVKStepConstraint(m_pConstraints->FindConstraint(m_strValue), 1, m_pConstraints->GetCount(), TRUE);
    m_pConstraints->SetCurrent(nNext);
    CommitValue(m_pConstraints->GetAt(nNext));
  }
}

BOOL CJVKPropertyGridItem::OnLeftButtonDown(UINT nFlags, CPoint point) {
  if (m_bVisible) Select();
  if (JVKExpandBoxHit(point.x, m_nIndent, m_bCategory)) {
    if (m_bExpanded)
      Collapse();
    else
      Expand();
  }
  if ((m_nFlags & jvkItemHasEdit) && GetValueRect().PtInRect(point)) {
    // The edit was just shown under the cursor: a press of the primary
    // button lets it take the click at that spot.
    const BOOL bSwapped = ::GetSystemMetrics(SM_SWAPBUTTON);
    ::mouse_event(bSwapped ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  }
  return TRUE;
}

void CJVKPropertyGridItem::OnButtonPressed() {
  if (m_bReadOnly) return;
  // The owner's handlers (of this notice, and of the commit that opening the
  // list causes) may clear the grid: the reference keeps this item alive,
  // detached, until the end.
  InternalAddRef();
  CJVKPropertyGrid* pGrid = GetGrid();
  if (!pGrid || pGrid->NotifyOwner(JVK_PGN_INPLACEBUTTONDOWN, reinterpret_cast<LPARAM>(this)) != 1) {
    if ((m_nFlags & jvkItemHasComboButton) && !m_pConstraints->IsEmpty())
      GetListWindow().Show(this, GetItemRect());
    RedrawView();
  }
  InternalRelease();
}

void CJVKPropertyGridItem::CommitEdit() {
  CJVKPropertyGridInplaceEdit& edit = GetEditWindow();
  edit.Hide();
  if (edit.GetItem() == this && edit.GetSafeHwnd()) {
    CString strText;
    edit.GetWindowText(strText);
    if (strText.Compare(m_strValue) != 0) CommitValue(strText);
  }
}

void CJVKPropertyGridItem::SetEditWindowText(CString strText) {
  CJVKPropertyGridInplaceEdit& edit = GetEditWindow();
  if (edit.GetSafeHwnd() && edit.GetItem() == this) edit.SetWindowText(strText);
}

void CJVKPropertyGridItem::RefreshFromBinding() {
  if (m_pBindString && m_pBindString->Compare(m_strValue) != 0) m_strValue = *m_pBindString;
}

void CJVKPropertyGridItem::Expand() {
  if (m_bExpanded) return;
  if (m_pView && m_pView->m_nLockUpdate == 0 && m_pView->GetSafeHwnd() && m_bVisible) {
    m_bExpanded = TRUE;  // the children's rows follow only an expanded item
    m_pView->InsertChildren(this, m_nIndex + 1);
    m_pView->Reindex();
    m_pView->SynchroniseSelection();
  }
  m_bExpanded = TRUE;
  Notify(JVK_PGN_ITEMEXPANDCHANGED);
}

void CJVKPropertyGridItem::Collapse() {
  if (!m_bExpanded) return;
  if (m_pView && m_pView->m_nLockUpdate == 0 && m_pView->GetSafeHwnd() && m_bVisible) {
    m_pView->RemoveChildren(this);
    m_pView->SynchroniseSelection();
  }
  m_bExpanded = FALSE;
  Notify(JVK_PGN_ITEMEXPANDCHANGED);
}

void CJVKPropertyGridItem::Select() {
  if (!m_bVisible || !m_pView || !m_pView->GetSafeHwnd()) return;
  m_pView->SetCurSel(m_nIndex);
  m_pView->SynchroniseSelection();
}

CRect CJVKPropertyGridItem::GetItemRect() const {
  CRect rc(0, 0, 0, 0);
  if (m_pView && m_pView->GetSafeHwnd() && m_nIndex >= 0) m_pView->GetItemRect(m_nIndex, &rc);
  return rc;
}

CJVKPropertyGridItem* CJVKPropertyGridItem::InsertChildItem(int nIndex, CJVKPropertyGridItem* pItem) {
  if (nIndex < 0 || nIndex > m_pChildren->GetCount()) nIndex = m_pChildren->GetCount();
  m_pChildren->InsertAt(nIndex, pItem);
  pItem->m_pParent = this;
  pItem->AttachSubtree(m_pView, m_nIndent + 1);
  pItem->ChildAdded();
  if (m_bVisible && m_pView) {
    if (m_bExpanded)
      m_pView->SetPropertySort(m_pView->GetPropertySort(), TRUE);
    else if (m_pChildren->GetCount() == 1)
      RedrawView();
  }
  return pItem;
}

void CJVKPropertyGridItem::AttachSubtree(CJVKPropertyGridView* pView, int nIndent) {
  m_pView = pView;
  m_nIndent = nIndent;
  for (int i = 0; i < m_pChildren->GetCount(); ++i) m_pChildren->GetAt(i)->AttachSubtree(pView, nIndent + 1);
}

void CJVKPropertyGridItem::SetHidden(BOOL bHidden) {
  if ((bHidden != FALSE) == (m_bHidden != FALSE)) return;
  m_bHidden = bHidden;
  if (m_pView && m_pView->GetSafeHwnd()) {
    m_pView->Reindex();
    m_pView->SetPropertySort(m_pView->GetPropertySort(), TRUE);
    if (CJVKPropertyGrid* pGrid = GetGrid()) pGrid->RedrawControl();
  }
}

CJVKPropertyGridItemMetrics* CJVKPropertyGridItem::GetMetrics(BOOL bValuePart, BOOL bCreate) {
  CJVKPropertyGridItemMetrics*& pMetrics = bValuePart ? m_pValueMetrics : m_pCaptionMetrics;
  if (!pMetrics && bCreate) pMetrics = new CJVKPropertyGridItemMetrics;
  return pMetrics;
}

BOOL CJVKPropertyGridItem::IsChildOf(const CJVKPropertyGridItem* pItem) const {
  for (const CJVKPropertyGridItem* p = m_pParent; p; p = p->m_pParent)
    if (p == pItem) return TRUE;
  return FALSE;
}

void CJVKPropertyGridItem::Detach() {
  if (m_pView) {
    if (m_pView->m_pSelected == this) m_pView->m_pSelected = nullptr;
    if (GetGrid()) {
      CJVKPropertyGridInplaceButton& button = GetButtonWindow();
      if (button.GetItem() == this) button.Detach();
      CJVKPropertyGridInplaceEdit& edit = GetEditWindow();
      if (edit.GetItem() == this) edit.Detach();
      CJVKPropertyGridInplaceList& list = GetListWindow();
      if (list.GetItem() == this) list.Hide();
    }
  }
  m_pChildren->Clear();
  m_pConstraints->m_pItem = nullptr;
  m_pConstraints->InternalRelease();
  m_pConstraints = new CJVKPropertyGridItemConstraints(this);
  if (m_pValueMetrics) m_pValueMetrics->InternalRelease();
  if (m_pCaptionMetrics) m_pCaptionMetrics->InternalRelease();
  m_pValueMetrics = m_pCaptionMetrics = nullptr;
  m_bVisible = FALSE;
  m_pView = nullptr;
}

void CJVKPropertyGridItem::SetMask(LPCTSTR pszMask, LPCTSTR pszLiteral, TCHAR chPrompt) {
  m_strMask = pszMask ? pszMask : "";
  m_strLiteral = pszLiteral ? pszLiteral : "";
  m_chPrompt = chPrompt;
  m_bUseMask = !m_strMask.IsEmpty();
}

void CJVKPropertyGridItem::SetPasswordMask(TCHAR chMask) {
  m_bPassword = TRUE;
  m_chPrompt = chMask;
}
