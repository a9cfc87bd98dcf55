// CJVTreeBase: what the tree view lacks, mixed into a tree control as a
// second base: selection of several items (Ctrl and Shift clicks, Shift
// arrows, a rubber band over empty space), a font, a colour and a bold state
// per item, text search over the whole tree, hot tracking and flicker-free
// painting of the labels. It works on the control through m_pTree;
// CJVTreeCtrl forwards its window messages to the Handle... members.
#pragma once

#include <Framework.h>

#include "TreeLabelIndex.h"

// The caret item, as a state bit (the common-control headers lack it).
#ifndef TVIS_FOCUSED
#define TVIS_FOCUSED 0x0001
#endif
class CJVTreeBase {
 public:
  explicit CJVTreeBase(CTreeCtrl* pTree);
  CJVTreeBase(const CJVTreeBase&) = delete;
  CJVTreeBase& operator=(const CJVTreeBase&) = delete;
  virtual ~CJVTreeBase();

  // ------------------------------------------------------------ navigation
  // The next item in display order, hidden items included; NULL at the end.
  virtual HTREEITEM GetNextItem(HTREEITEM hItem) const;
  // The plain tree-view relation (TVGN_...).
  virtual HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const;
  // The last descendant of the previous sibling, else the parent.
  virtual HTREEITEM GetPrevItem(HTREEITEM hItem) const;
  // The last item in display order below hItem (the whole tree for NULL).
  virtual HTREEITEM GetLastItem(HTREEITEM hItem) const;

  // ---------------------------------------------------------------- search
  // The first item from hStart (else the caret, else the first item) on,
  // hStart included, whose label contains the text; wraps once round.
  virtual HTREEITEM FindItem(LPCTSTR lpszSearch, BOOL bMatchCase = FALSE, BOOL bSearchDown = TRUE,
                             BOOL bWholeWord = FALSE, HTREEITEM hStart = nullptr);
  // The same test over the descendants of hParent: for each child its own
  // descendants first, then the child.
  virtual HTREEITEM FindInChildren(LPCTSTR lpszSearch, BOOL bMatchCase, BOOL bWholeWord, HTREEITEM hParent);

  // ------------------------------------------------------- per-item look
  virtual void SetItemFont(HTREEITEM hItem, const LOGFONT& logfont);
  virtual BOOL GetItemFont(HTREEITEM hItem, LOGFONT* pLogfont);
  virtual void SetItemBold(HTREEITEM hItem, BOOL bBold);
  virtual BOOL GetItemBold(HTREEITEM hItem);
  virtual void SetItemColor(HTREEITEM hItem, COLORREF color);
  virtual COLORREF GetItemColor(HTREEITEM hItem);  // (COLORREF)-1: none
  // The item drawn hot while hot tracking; NULL for none.
  HTREEITEM GetHotItem() const { return m_hHotItem; }

  // ------------------------------------------------------------ selection
  // Returns the old setting; turning it off keeps only the caret selected.
  virtual BOOL SetMultiSelect(BOOL bMultiSelect);
  virtual HTREEITEM GetPrevSelectedItem(HTREEITEM hItem) const;
  virtual BOOL IsWindowValid() const;
  // WM_NOTIFY to the tree's owner, else its parent; the answer.
  virtual LRESULT SendNotify(NMHDR* pNMHDR);
  virtual void SelectAllVisible(BOOL bSelect, HTREEITEM hExcept);

  // ---------------------------------------------------------------- mouse
  virtual BOOL OnButtonDown(BOOL bLeft, UINT nFlags, CPoint point);
  virtual void DoClickSelect(HTREEITEM hItem, BOOL bLeft, UINT nFlags);
  virtual BOOL TrackClick(HTREEITEM hItem, BOOL bLeft, UINT nFlags, CPoint point);
  virtual void OnRubberBand(UINT nFlags, CPoint point);
  virtual void SelectItemsInRect(CRect rcBand, UINT nFlags, CList<HTREEITEM, HTREEITEM>* pRemembered);
  // Whether the search may stop at an item whose label matched.
  virtual BOOL IsFindHit(HTREEITEM) { return TRUE; }

  virtual void DoPaint(CDC* pDC, BOOL bPaintItems);
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

  // With multi-selection the focus bit TVIS_FOCUSED stands for the caret;
  // TVIS_SELECTED changes go through TVN_SELCHANGING/TVN_SELCHANGED.
  BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
  UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const;
  BOOL FocusItem(HTREEITEM hItem);
  BOOL SelectItem(HTREEITEM hItem);
  BOOL IsMultiSelect() const { return m_bMultiSelect; }
  BOOL IsSelected(HTREEITEM hItem) const { return (GetItemState(hItem, TVIS_SELECTED) & TVIS_SELECTED) != 0; }
  HTREEITEM GetFirstSelectedItem() const;
  HTREEITEM GetNextSelectedItem(HTREEITEM hItem) const;
  int GetSelectedCount() const;
  void SelectAll(BOOL bSelect = TRUE, HTREEITEM hFrom = nullptr);
  void SelectRange(HTREEITEM hFrom, HTREEITEM hTo, BOOL bClearOthers = TRUE);
  // TRUE when the caret item was among the children walked.
  BOOL SelectChildren(HTREEITEM hParent, BOOL bSelect = TRUE, BOOL bRecurse = TRUE);
  void GetSelectedList(CList<HTREEITEM, HTREEITEM>& list) const;

  BOOL m_bTextOnlyRect = TRUE;  // item rectangles around the text only

 protected:
  // Window messages of the control; each runs the default processing
  // itself where the rules say so.
  void HandleLButtonDown(UINT nFlags, CPoint point);
  void HandleRButtonDown(UINT nFlags, CPoint point);
  void HandleSetFocus();
  void HandleKillFocus();
  void HandleKeyDown(UINT nChar);
  void HandleMouseMove(CPoint point);
  void HandleTimer(UINT_PTR nIDEvent);
  void HandleNcMouseMove(UINT nHitTest);
  void HandleSize();
  void HandlePaint();
  // Reflected notifications; each leaves the result at 0 and lets the
  // parent handle it too.
  void HandleItemExpanding(const NMTREEVIEW* pNM);
  void HandleDeleteItem(const NMTREEVIEW* pNM);
  void HandleBeginLabelEdit(const NMTVDISPINFO* pNM);
  void HandleEndLabelEdit();
  // Every message to the control, before it is handled: the label index is
  // dropped when items or labels change.
  void NoteTreeMessage(UINT message, WPARAM wParam, LPARAM lParam);

  struct ItemStyle {
    LOGFONT logfont;  // an empty face name: no font of its own
    COLORREF color;   // (COLORREF)-1: none
  };

  CTreeCtrl* m_pTree;
  BOOL m_bMultiSelect = FALSE;
  HTREEITEM m_hAnchorItem = nullptr;  // where a Shift range starts (NULL: the caret)
  HTREEITEM m_hEditItem = nullptr;    // painted blank behind the edit box
  // Drawn hot (TVS_TRACKSELECT): the pointer is on its icon, label or state
  // icon. Kept here, not in the item's state: the state bits left free by
  // the tree view belong to the state images (the check boxes).
  HTREEITEM m_hHotItem = nullptr;
  CMap<HTREEITEM, HTREEITEM, ItemStyle, const ItemStyle&> m_itemStyles;
  BOOL m_bClickDone = FALSE;  // a click or drag was passed on to the owner
  BOOL m_bEditArmed = TRUE;   // the last press was on an item: a press on the caret's label may edit
  CJVTreeLabelIndex m_labelIndex;
  BOOL m_bCallbackLabels = FALSE;  // some label comes from the owner: no index

 private:
  enum { kTimerAutoScroll = 1, kTimerHotTrack = 85 };
  class CClickTracker;
  class CRubberBand;

  // The tree view's own processing of a message.
  LRESULT CallDefault(UINT message, WPARAM wParam, LPARAM lParam);
  HTREEITEM CaretItem() const { return m_pTree->GetSelectedItem(); }
  BOOL SetStateDirect(HTREEITEM hItem, UINT nState, UINT nStateMask);
  BOOL ChangeSelection(HTREEITEM hItem, BOOL bSelect);
  void InvalidateSelectedLabels();
  void SetHotItem(HTREEITEM hItem);
  LRESULT NotifyItem(UINT nCode, HTREEITEM hItem, BOOL bOld, CPoint ptDrag = CPoint(0, 0));
  BOOL LabelMatches(HTREEITEM hItem, LPCTSTR lpszSearch, BOOL bMatchCase, BOOL bWholeWord) const;
  HTREEITEM FindByWalking(LPCTSTR lpszSearch, BOOL bMatchCase, BOOL bSearchDown, BOOL bWholeWord, HTREEITEM hStart);
  HTREEITEM FindInSubtree(LPCTSTR lpszSearch, BOOL bMatchCase, BOOL bWholeWord, HTREEITEM hParent);
  void SelectChildrenOf(HTREEITEM hParent, BOOL bSelect, BOOL bRecurse, BOOL& bCaretAmong);
  void PaintLabel(CDC& dc, HTREEITEM hItem, COLORREF clrBack, COLORREF clrText, BOOL bFilled);
};
