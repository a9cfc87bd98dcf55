// CTreeCtrl: the tree-view control.
#pragma once

#include "ImageList.h"
#include "Wnd.h"

class CEdit;

class CTreeCtrl : public CWnd {
  DECLARE_DYNAMIC(CTreeCtrl)
 public:
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(WC_TREEVIEW, nullptr, dwStyle, rect, pParentWnd, nID);
  }
  HTREEITEM InsertItem(LPTVINSERTSTRUCT lpInsertStruct) {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(lpInsertStruct)));
  }
  HTREEITEM InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState, UINT nStateMask,
                       LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
  HTREEITEM InsertItem(LPCTSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
  HTREEITEM InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                       HTREEITEM hInsertAfter = TVI_LAST);
  BOOL DeleteItem(HTREEITEM hItem) {
    return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(hItem)));
  }
  BOOL DeleteAllItems() { return DeleteItem(TVI_ROOT); }
  BOOL Expand(HTREEITEM hItem, UINT nCode) {
    return static_cast<BOOL>(SendMessage(TVM_EXPAND, nCode, reinterpret_cast<LPARAM>(hItem)));
  }
  HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
  }
  HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
  HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
  HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }
  HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
  HTREEITEM GetFirstVisibleItem() const { return GetNextItem(nullptr, TVGN_FIRSTVISIBLE); }
  HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXTVISIBLE); }
  HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUSVISIBLE); }
  HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
  HTREEITEM GetDropHilightItem() const { return GetNextItem(nullptr, TVGN_DROPHILITE); }
  HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
  BOOL ItemHasChildren(HTREEITEM hItem) const;
  BOOL Select(HTREEITEM hItem, UINT nCode) {
    return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
  }
  BOOL SelectItem(HTREEITEM hItem) { return Select(hItem, TVGN_CARET); }
  BOOL SelectDropTarget(HTREEITEM hItem) { return Select(hItem, TVGN_DROPHILITE); }
  BOOL GetItem(TVITEM* pItem) const {
    return static_cast<BOOL>(SendMessage(TVM_GETITEM, 0, reinterpret_cast<LPARAM>(pItem)));
  }
  BOOL SetItem(TVITEM* pItem) {
    return static_cast<BOOL>(SendMessage(TVM_SETITEM, 0, reinterpret_cast<LPARAM>(pItem)));
  }
  CString GetItemText(HTREEITEM hItem) const;
  BOOL SetItemText(HTREEITEM hItem, LPCTSTR lpszItem);
  BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
  BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
  UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const {
    return static_cast<UINT>(SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hItem), nStateMask));
  }
  BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
  DWORD_PTR GetItemData(HTREEITEM hItem) const;
  BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
  BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const {
    *reinterpret_cast<HTREEITEM*>(lpRect) = hItem;
    return static_cast<BOOL>(SendMessage(TVM_GETITEMRECT, bTextOnly, reinterpret_cast<LPARAM>(lpRect)));
  }
  UINT GetCount() const { return static_cast<UINT>(SendMessage(TVM_GETCOUNT, 0, 0)); }
  UINT GetVisibleCount() const { return static_cast<UINT>(SendMessage(TVM_GETVISIBLECOUNT, 0, 0)); }
  // The label edit box while a label is being edited, else NULL.
  CEdit* GetEditControl() const;
  COLORREF GetBkColor() const { return static_cast<COLORREF>(SendMessage(TVM_GETBKCOLOR, 0, 0)); }
  COLORREF GetTextColor() const { return static_cast<COLORREF>(SendMessage(TVM_GETTEXTCOLOR, 0, 0)); }
  UINT GetIndent() const { return static_cast<UINT>(SendMessage(TVM_GETINDENT, 0, 0)); }
  void SetIndent(UINT nIndent) { SendMessage(TVM_SETINDENT, nIndent, 0); }
  HTREEITEM HitTest(CPoint pt, UINT* pFlags = nullptr) const;
  HTREEITEM HitTest(TVHITTESTINFO* pHitTestInfo) const {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
  }
  BOOL EnsureVisible(HTREEITEM hItem) {
    return static_cast<BOOL>(SendMessage(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(hItem)));
  }
  BOOL SortChildren(HTREEITEM hItem) {
    return static_cast<BOOL>(SendMessage(TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(hItem)));
  }
  BOOL SortChildrenCB(LPTVSORTCB pSort) {
    return static_cast<BOOL>(SendMessage(TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(pSort)));
  }
  CEdit* EditLabel(HTREEITEM hItem);
  CImageList* CreateDragImage(HTREEITEM hItem);
  CImageList* SetImageList(CImageList* pImageList, int nImageListType) {
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(
        SendMessage(TVM_SETIMAGELIST, nImageListType, reinterpret_cast<LPARAM>(pImageList->GetSafeHandle()))));
  }
  CImageList* GetImageList(UINT nImageList) const {
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(TVM_GETIMAGELIST, nImageList, 0)));
  }
  COLORREF SetBkColor(COLORREF clr) { return static_cast<COLORREF>(SendMessage(TVM_SETBKCOLOR, 0, clr)); }
  COLORREF SetTextColor(COLORREF clr) { return static_cast<COLORREF>(SendMessage(TVM_SETTEXTCOLOR, 0, clr)); }
};
