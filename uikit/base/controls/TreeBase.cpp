// CJVTreeBase: construction, navigation, per-item look, search and the
// selection operations.
#include "TreeBase.h"

#include <cstring>
#include <string>

#include "TreeFindText.h"

namespace {

// The system's code page: its lead bytes, letters and lower case.
class CSystemCharSet : public CJVTreeCharSet {
 public:
  bool IsLeadByte(unsigned char c) const override { return ::IsDBCSLeadByte(c) != FALSE; }
  bool IsLetter(unsigned char c) const override { return ::IsCharAlphaA(static_cast<CHAR>(c)) != FALSE; }
  void ToLower(std::string& text) const override {
    for (size_t i = 0; i < text.size(); ++i) {
      if (IsLeadByte(static_cast<unsigned char>(text[i]))) {
        ++i;
        continue;
      }
      ::CharLowerBuffA(&text[i], 1);
    }
  }
};

const CSystemCharSet g_systemCharSet;

}  // namespace

CJVTreeBase::CJVTreeBase(CTreeCtrl* pTree) : m_pTree(pTree), m_itemStyles(10) { m_itemStyles.InitHashTable(17); }

CJVTreeBase::~CJVTreeBase() = default;

LRESULT CJVTreeBase::CallDefault(UINT message, WPARAM wParam, LPARAM lParam) {
  return m_pTree->DefWindowProc(message, wParam, lParam);
}

BOOL CJVTreeBase::IsWindowValid() const { return m_pTree != nullptr && ::IsWindow(m_pTree->GetSafeHwnd()); }

// ------------------------------------------------------------------ navigation

HTREEITEM CJVTreeBase::GetNextItem(HTREEITEM hItem) const {
  if (HTREEITEM hChild = m_pTree->GetChildItem(hItem)) return hChild;
  for (HTREEITEM hAt = hItem; hAt; hAt = m_pTree->GetParentItem(hAt)) {
    if (HTREEITEM hNext = m_pTree->GetNextSiblingItem(hAt)) return hNext;
  }
  return nullptr;
}

HTREEITEM CJVTreeBase::GetNextItem(HTREEITEM hItem, UINT nCode) const { return m_pTree->GetNextItem(hItem, nCode); }

HTREEITEM CJVTreeBase::GetPrevItem(HTREEITEM hItem) const {
  if (HTREEITEM hPrev = m_pTree->GetPrevSiblingItem(hItem)) return GetLastItem(hPrev);
  return m_pTree->GetParentItem(hItem);
}

HTREEITEM CJVTreeBase::GetLastItem(HTREEITEM hItem) const {
  if (!hItem) {
    hItem = m_pTree->GetRootItem();
    if (!hItem) return nullptr;
    while (HTREEITEM hNext = m_pTree->GetNextSiblingItem(hItem)) hItem = hNext;
  }
  while (HTREEITEM hChild = m_pTree->GetChildItem(hItem)) {
    hItem = hChild;
    while (HTREEITEM hNext = m_pTree->GetNextSiblingItem(hItem)) hItem = hNext;
  }
  return hItem;
}

// ---------------------------------------------------------------------- search

BOOL CJVTreeBase::LabelMatches(HTREEITEM hItem, LPCTSTR lpszSearch, BOOL bMatchCase, BOOL bWholeWord) const {
  const CString label = m_pTree->GetItemText(hItem);
  return JVTreeLabelMatches(std::string_view(label, label.GetLength()), lpszSearch, bMatchCase, bWholeWord,
                            g_systemCharSet);
}

HTREEITEM CJVTreeBase::FindItem(LPCTSTR lpszSearch, BOOL bMatchCase, BOOL bSearchDown, BOOL bWholeWord,
                                HTREEITEM hStart) {
  if (!lpszSearch || !*lpszSearch) return nullptr;
  if (!hStart) hStart = CaretItem();
  if (!hStart) hStart = m_pTree->GetRootItem();
  if (!hStart) return nullptr;
  if (m_bCallbackLabels) return FindByWalking(lpszSearch, bMatchCase, bSearchDown, bWholeWord, hStart);
  if (!m_labelIndex.IsValid()) {
    for (HTREEITEM hItem = m_pTree->GetRootItem(); hItem; hItem = GetNextItem(hItem)) {
      const CString label = m_pTree->GetItemText(hItem);
      m_labelIndex.Add(hItem, std::string(label, label.GetLength()));
    }
    m_labelIndex.Finish();
  }
  auto accept = [this](CJVTreeLabelIndex::Item item) {
    return IsFindHit(static_cast<HTREEITEM>(const_cast<void*>(item))) != FALSE;
  };
  return static_cast<HTREEITEM>(const_cast<void*>(m_labelIndex.Find(
      lpszSearch, bMatchCase != FALSE, bSearchDown != FALSE, bWholeWord != FALSE, hStart, g_systemCharSet, accept)));
}

HTREEITEM CJVTreeBase::FindByWalking(LPCTSTR lpszSearch, BOOL bMatchCase, BOOL bSearchDown, BOOL bWholeWord,
                                     HTREEITEM hStart) {
  HTREEITEM hItem = hStart;
  do {
    if (LabelMatches(hItem, lpszSearch, bMatchCase, bWholeWord) && IsFindHit(hItem)) return hItem;
    hItem = bSearchDown ? GetNextItem(hItem) : GetPrevItem(hItem);
    if (!hItem) hItem = bSearchDown ? m_pTree->GetRootItem() : GetLastItem(nullptr);
  } while (hItem && hItem != hStart);
  return nullptr;
}

void CJVTreeBase::NoteTreeMessage(UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case TVM_INSERTITEMA:
    case TVM_INSERTITEMW: {
      const TVINSERTSTRUCT* pInsert = reinterpret_cast<const TVINSERTSTRUCT*>(lParam);
      if (pInsert && (pInsert->item.mask & TVIF_TEXT) && pInsert->item.pszText == LPSTR_TEXTCALLBACK)
        m_bCallbackLabels = TRUE;
      m_labelIndex.Invalidate();
      break;
    }
    case TVM_SETITEMA:
    case TVM_SETITEMW: {
      const TVITEM* pItem = reinterpret_cast<const TVITEM*>(lParam);
      if (pItem && (pItem->mask & TVIF_TEXT)) {
        if (pItem->pszText == LPSTR_TEXTCALLBACK) m_bCallbackLabels = TRUE;
        m_labelIndex.Invalidate();
      }
      break;
    }
    case TVM_DELETEITEM:
    case TVM_SORTCHILDREN:
    case TVM_SORTCHILDRENCB: m_labelIndex.Invalidate(); break;
    default: break;
  }
}

HTREEITEM CJVTreeBase::FindInSubtree(LPCTSTR lpszSearch, BOOL bMatchCase, BOOL bWholeWord, HTREEITEM hParent) {
  for (HTREEITEM hChild = m_pTree->GetChildItem(hParent); hChild; hChild = m_pTree->GetNextSiblingItem(hChild)) {
    if (HTREEITEM hFound = FindInSubtree(lpszSearch, bMatchCase, bWholeWord, hChild)) return hFound;
    if (LabelMatches(hChild, lpszSearch, bMatchCase, bWholeWord) && IsFindHit(hChild)) return hChild;
  }
  return nullptr;
}

HTREEITEM CJVTreeBase::FindInChildren(LPCTSTR lpszSearch, BOOL bMatchCase, BOOL bWholeWord, HTREEITEM hParent) {
  if (!lpszSearch || !*lpszSearch || !hParent) return nullptr;
  return FindInSubtree(lpszSearch, bMatchCase, bWholeWord, hParent);
}

// ---------------------------------------------------------------- per-item look

void CJVTreeBase::SetItemFont(HTREEITEM hItem, const LOGFONT& logfont) {
  ItemStyle style;
  if (!m_itemStyles.Lookup(hItem, style)) style.color = static_cast<COLORREF>(-1);
  style.logfont = logfont;
  m_itemStyles.SetAt(hItem, style);
}

BOOL CJVTreeBase::GetItemFont(HTREEITEM hItem, LOGFONT* pLogfont) {
  ItemStyle style;
  if (!m_itemStyles.Lookup(hItem, style) || style.logfont.lfFaceName[0] == '\0') return FALSE;
  *pLogfont = style.logfont;
  return TRUE;
}

void CJVTreeBase::SetItemBold(HTREEITEM hItem, BOOL bBold) {
  SetStateDirect(hItem, bBold ? TVIS_BOLD : 0, TVIS_BOLD);
  m_pTree->Invalidate();
}

BOOL CJVTreeBase::GetItemBold(HTREEITEM hItem) { return (m_pTree->GetItemState(hItem, TVIS_BOLD) & TVIS_BOLD) != 0; }

void CJVTreeBase::SetItemColor(HTREEITEM hItem, COLORREF color) {
  ItemStyle style;
  if (!m_itemStyles.Lookup(hItem, style)) std::memset(&style.logfont, 0, sizeof(style.logfont));
  style.color = color;
  m_itemStyles.SetAt(hItem, style);
  m_pTree->Invalidate();
}

COLORREF CJVTreeBase::GetItemColor(HTREEITEM hItem) {
  ItemStyle style;
  return m_itemStyles.Lookup(hItem, style) ? style.color : static_cast<COLORREF>(-1);
}

// ------------------------------------------------------------------- selection

BOOL CJVTreeBase::SetStateDirect(HTREEITEM hItem, UINT nState, UINT nStateMask) {
  return m_pTree->CTreeCtrl::SetItemState(hItem, nState, nStateMask);
}

LRESULT CJVTreeBase::SendNotify(NMHDR* pNMHDR) {
  if (!IsWindowValid()) return 0;
  HWND hTree = m_pTree->GetSafeHwnd();
  pNMHDR->hwndFrom = hTree;
  pNMHDR->idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(hTree));
  HWND hTarget = ::GetWindow(hTree, GW_OWNER);
  if (!hTarget) hTarget = ::GetParent(hTree);
  if (!hTarget) return 0;
  return ::SendMessage(hTarget, WM_NOTIFY, pNMHDR->idFrom, reinterpret_cast<LPARAM>(pNMHDR));
}

LRESULT CJVTreeBase::NotifyItem(UINT nCode, HTREEITEM hItem, BOOL bOld, CPoint ptDrag) {
  NMTREEVIEW nm = {};
  nm.hdr.code = nCode;
  TVITEM& item = bOld ? nm.itemOld : nm.itemNew;
  item.mask = TVIF_HANDLE | TVIF_PARAM;
  item.hItem = hItem;
  item.lParam = static_cast<LPARAM>(m_pTree->GetItemData(hItem));
  nm.ptDrag = ptDrag;
  return SendNotify(&nm.hdr);
}

// The owner may veto a change of TVIS_SELECTED; FALSE then.
BOOL CJVTreeBase::ChangeSelection(HTREEITEM hItem, BOOL bSelect) {
  if (NotifyItem(TVN_SELCHANGING, hItem, !bSelect) != 0) return FALSE;
  SetStateDirect(hItem, bSelect ? TVIS_SELECTED : 0, TVIS_SELECTED);
  NotifyItem(TVN_SELCHANGED, hItem, !bSelect);
  return TRUE;
}

BOOL CJVTreeBase::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask) {
  if (!m_bMultiSelect) return m_pTree->CTreeCtrl::SetItemState(hItem, nState, nStateMask);
  const BOOL bWasSelected = (m_pTree->GetItemState(hItem, TVIS_SELECTED) & TVIS_SELECTED) != 0;
  UINT nWork = nStateMask & ~TVIS_FOCUSED;
  const HTREEITEM hCaret = CaretItem();
  if (nStateMask & TVIS_FOCUSED) {
    if (nState & TVIS_FOCUSED) {
      // The tree view deselects the old caret when the caret moves: take the
      // caret away first and keep the old caret's selection.
      if (hCaret && hCaret != hItem && (m_pTree->GetItemState(hCaret, TVIS_SELECTED) & TVIS_SELECTED)) {
        m_pTree->Select(nullptr, TVGN_CARET);
        SetStateDirect(hCaret, TVIS_SELECTED, TVIS_SELECTED);
        m_pTree->UpdateWindow();
      }
      const BOOL bCaretUnselected = hCaret == hItem && !bWasSelected;
      if (!m_pTree->Select(hItem, TVGN_CARET)) return FALSE;
      // The tree view has selected the new caret itself.
      if (nWork & TVIS_SELECTED) {
        if ((nState & TVIS_SELECTED) && !bCaretUnselected) nWork &= ~TVIS_SELECTED;
      } else if (!bWasSelected) {
        nWork |= TVIS_SELECTED;
        nState &= ~TVIS_SELECTED;
      }
    } else if (hItem == hCaret) {
      m_pTree->Select(nullptr, TVGN_CARET);
      if (bWasSelected) SetStateDirect(hItem, TVIS_SELECTED, TVIS_SELECTED);
      if ((nWork & TVIS_SELECTED) && (nState & TVIS_SELECTED)) nWork &= ~TVIS_SELECTED;
    }
  }
  if (nWork & TVIS_SELECTED) {
    if (!ChangeSelection(hItem, (nState & TVIS_SELECTED) != 0)) return FALSE;
    nWork &= ~TVIS_SELECTED;
  }
  if (nWork) SetStateDirect(hItem, nState, nWork);
  return TRUE;
}

UINT CJVTreeBase::GetItemState(HTREEITEM hItem, UINT nStateMask) const {
  UINT nState = m_pTree->GetItemState(hItem, nStateMask) & ~TVIS_FOCUSED;
  if ((nStateMask & TVIS_FOCUSED) && hItem && hItem == CaretItem()) nState |= TVIS_FOCUSED;
  return nState;
}

BOOL CJVTreeBase::FocusItem(HTREEITEM hItem) {
  if (hItem) return SetItemState(hItem, TVIS_FOCUSED, TVIS_FOCUSED);
  if (HTREEITEM hCaret = CaretItem()) return SetItemState(hCaret, 0, TVIS_FOCUSED);
  return TRUE;
}

BOOL CJVTreeBase::SelectItem(HTREEITEM hItem) {
  if (!m_bMultiSelect) return m_pTree->SelectItem(hItem);
  return SetItemState(hItem, TVIS_SELECTED | TVIS_FOCUSED, TVIS_SELECTED | TVIS_FOCUSED);
}

HTREEITEM CJVTreeBase::GetFirstSelectedItem() const {
  for (HTREEITEM hItem = m_pTree->GetRootItem(); hItem; hItem = m_pTree->GetNextVisibleItem(hItem)) {
    if (IsSelected(hItem)) return hItem;
  }
  return nullptr;
}

HTREEITEM CJVTreeBase::GetNextSelectedItem(HTREEITEM hItem) const {
  for (hItem = m_pTree->GetNextVisibleItem(hItem); hItem; hItem = m_pTree->GetNextVisibleItem(hItem)) {
    if (IsSelected(hItem)) return hItem;
  }
  return nullptr;
}

HTREEITEM CJVTreeBase::GetPrevSelectedItem(HTREEITEM hItem) const {
  for (hItem = m_pTree->GetPrevVisibleItem(hItem); hItem; hItem = m_pTree->GetPrevVisibleItem(hItem)) {
    if (IsSelected(hItem)) return hItem;
  }
  return nullptr;
}

int CJVTreeBase::GetSelectedCount() const {
  int nCount = 0;
  for (HTREEITEM hItem = GetFirstSelectedItem(); hItem; hItem = GetNextSelectedItem(hItem)) ++nCount;
  return nCount;
}

void CJVTreeBase::GetSelectedList(CList<HTREEITEM, HTREEITEM>& list) const {
  list.RemoveAll();
  for (HTREEITEM hItem = GetFirstSelectedItem(); hItem; hItem = GetNextSelectedItem(hItem)) list.AddTail(hItem);
}

void CJVTreeBase::SelectAll(BOOL bSelect, HTREEITEM hFrom) {
  if (!hFrom) hFrom = m_pTree->GetRootItem();
  for (HTREEITEM hItem = hFrom; hItem; hItem = m_pTree->GetNextVisibleItem(hItem)) {
    if (IsSelected(hItem) != bSelect) SetItemState(hItem, bSelect ? TVIS_SELECTED : 0, TVIS_SELECTED);
  }
}

void CJVTreeBase::SelectAllVisible(BOOL bSelect, HTREEITEM hExcept) {
  for (HTREEITEM hItem = m_pTree->GetRootItem(); hItem; hItem = m_pTree->GetNextVisibleItem(hItem)) {
    if (hItem != hExcept && IsSelected(hItem) != bSelect)
      SetItemState(hItem, bSelect ? TVIS_SELECTED : 0, TVIS_SELECTED);
  }
}

void CJVTreeBase::SelectRange(HTREEITEM hFrom, HTREEITEM hTo, BOOL bClearOthers) {
  BOOL bInside = FALSE;
  for (HTREEITEM hItem = m_pTree->GetRootItem(); hItem; hItem = m_pTree->GetNextVisibleItem(hItem)) {
    const BOOL bEnd = hItem == hFrom || hItem == hTo;
    const BOOL bInRange = bInside || bEnd;
    if (bEnd && hFrom != hTo) bInside = !bInside;
    if (bInRange) {
      if (!IsSelected(hItem)) SetItemState(hItem, TVIS_SELECTED, TVIS_SELECTED);
    } else if (bClearOthers && IsSelected(hItem)) {
      SetItemState(hItem, 0, TVIS_SELECTED);
    }
  }
}

void CJVTreeBase::SelectChildrenOf(HTREEITEM hParent, BOOL bSelect, BOOL bRecurse, BOOL& bCaretAmong) {
  const HTREEITEM hCaret = CaretItem();
  for (HTREEITEM hChild = m_pTree->GetChildItem(hParent); hChild; hChild = m_pTree->GetNextSiblingItem(hChild)) {
    if (IsSelected(hChild) != bSelect) SetItemState(hChild, bSelect ? TVIS_SELECTED : 0, TVIS_SELECTED);
    // The caret counts even when its state was already right: a collapse
    // must not leave the caret hidden.
    if (hChild == hCaret) bCaretAmong = TRUE;
    if (bRecurse && (m_pTree->GetItemState(hChild, TVIS_EXPANDED) & TVIS_EXPANDED))
      SelectChildrenOf(hChild, bSelect, bRecurse, bCaretAmong);
  }
}

BOOL CJVTreeBase::SelectChildren(HTREEITEM hParent, BOOL bSelect, BOOL bRecurse) {
  BOOL bCaretAmong = FALSE;
  SelectChildrenOf(hParent, bSelect, bRecurse, bCaretAmong);
  return bCaretAmong;
}

BOOL CJVTreeBase::SetMultiSelect(BOOL bMultiSelect) {
  const BOOL bOld = m_bMultiSelect;
  m_bMultiSelect = bMultiSelect;
  if (bOld && !bMultiSelect && IsWindowValid()) {
    const HTREEITEM hCaret = CaretItem();
    for (HTREEITEM hItem = m_pTree->GetRootItem(); hItem; hItem = GetNextItem(hItem)) {
      if (hItem != hCaret && (m_pTree->GetItemState(hItem, TVIS_SELECTED) & TVIS_SELECTED))
        SetStateDirect(hItem, 0, TVIS_SELECTED);
    }
  }
  return bOld;
}
