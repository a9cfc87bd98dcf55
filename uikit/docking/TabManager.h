// CJVKTabManager: the window-less model and controller of one tab strip. It
// owns the items and the navigate buttons, knows the selected and hot
// items, lays the tabs out through its paint manager, answers hit tests and
// handles clicks, drags that reorder tabs and the arrow, Home and End keys.
// A host derives from it, supplies the window, the paint manager, icons and
// redrawing, and forwards its paint, mouse and key messages.
#pragma once

#include "TabManagerItem.h"
#include "TabManagerNavigateButton.h"
#include "TabTypes.h"

#include <Framework.h>

#include <vector>

class CJVKTabPaintManager;

class CJVKTabManagerBase {
 public:
  virtual void OnPropertyChanged() { Reposition(); }
  virtual ~CJVKTabManagerBase() = default;
  virtual void Reposition() = 0;
};

class CJVKTabManager : public CJVKTabManagerBase {
 public:
  CJVKTabManager();
  ~CJVKTabManager() override;
  CJVKTabManager(const CJVKTabManager&) = delete;
  CJVKTabManager& operator=(const CJVKTabManager&) = delete;

  virtual CString GetItemCaption(const CJVKTabManagerItem* pItem) const { return pItem->m_strCaption; }
  virtual DWORD_PTR GetItemData(const CJVKTabManagerItem* pItem) const { return pItem->m_dwData; }
  // The palette colour of a palette code, else the stored value.
  virtual COLORREF GetItemColor(const CJVKTabManagerItem* pItem) const;
  virtual CString GetItemTooltip(const CJVKTabManagerItem* pItem) const { return pItem->m_strToolTip; }
  // Renumbers the items, then repositions.
  virtual void OnItemsChanged();
  // Selects, repositions and scrolls the item into view.
  virtual void SetSelectedItem(CJVKTabManagerItem* pItem);
  virtual void SetSelectedItemEntry(CJVKTabManagerItem* pItem) {
    if (pItem) OnItemClick(pItem);
  }
  virtual void GetItemMetrics(CSize* pszNormal, CSize* pszMin, CSize* pszMax) const;
  virtual CJVKTabPaintManager* GetPaintManager() const = 0;
  virtual void OnItemHook(void*) {}
  virtual void RedrawControl() = 0;
  virtual BOOL IsAllowReorder() const { return m_bAllowReorder; }
  virtual void SetAllowReorder(BOOL bAllow) { m_bAllowReorder = bAllow; }
  virtual BOOL IsDrawStaticFrame() const;
  // Draws (or with bDraw FALSE only measures) the item's icon of szIcon;
  // TRUE when the item has one.
  virtual BOOL DrawIcon(CDC* pDC, CPoint pt, CJVKTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const = 0;
  virtual int GetPosition() const;
  virtual void OnScroll(BOOL bForward);
  virtual BOOL IsNavigateButtonVisible(const CJVKTabManagerNavigateButton* pButton) const;
  virtual void OnItemClick(CJVKTabManagerItem* pItem) { SetSelectedItem(pItem); }
  // The drag loop: the tab follows the mouse over the others until release.
  virtual void ReorderItem(HWND hWnd, CPoint pt, CJVKTabManagerItem* pItem);
  virtual void OnNavigateButtonClick(int /*nId*/) {}
  virtual BOOL IsMouseLocked() const { return FALSE; }
  virtual BOOL PerformKeyDown(HWND hWnd, UINT nChar);
  virtual BOOL IsFocused() const { return FALSE; }

  // A null item makes a new one; an index outside 0..count appends.
  CJVKTabManagerItem* InsertItem(int nItem, CJVKTabManagerItem* pItem = nullptr);
  void DeleteAllItems();
  // Releases one item; the selected and hot items are cleared when they
  // were it.
  void DeleteItem(int nIndex);
  int GetItemCount() const { return static_cast<int>(m_arrItems.size()); }
  CJVKTabManagerItem* GetItem(int nIndex) const;
  CJVKTabManagerItem* FindItem(HWND hWnd) const;
  CJVKTabManagerItem* GetSelectedItem() const { return m_pSelected; }
  CJVKTabManagerItem* GetHotItem() const { return m_pHighlighted; }
  CJVKTabManagerNavigateButton* FindNavigateButton(int nId) const;
  int GetItemsLength() const;

  CJVKTabManagerItem* HitTest(CPoint pt) const;
  // TRUE when a navigate button or a tab took the click.
  BOOL PerformClick(HWND hWnd, CPoint pt, BOOL bNoItemClick = FALSE);
  void PerformMouseMove(HWND hWnd, CPoint pt);
  void EnsureVisible(CJVKTabManagerItem* pItem);
  // The item's index filled into the tool, or -1 (no tooltip there).
  INT_PTR OnToolHitTest(CWnd* pWnd, CPoint pt, TOOLINFO* pTI) const;

  int GetScrollOffset() const { return m_nScrollOffset; }
  // Clamped to at most 0; a change repositions.
  void SetScrollOffset(int nOffset);
  BOOL IsActive() const { return m_bActive; }
  void SetActive(BOOL bActive) { m_bActive = bActive; }
  void SetItemMetrics(CSize szNormal, CSize szMin = CSize(0, 0), CSize szMax = CSize(0, 0));
  CRect GetHeaderRect() const { return m_rcHeader; }
  CRect GetControlRect() const { return m_rcControl; }
  CRect GetClientRect() const { return m_rcClient; }
  int GetRowCount() const { return static_cast<int>(m_arrRows.size()); }
  struct CRowIndex {
    int nFirst, nLast;
  };
  CRowIndex GetRow(int nRow) const { return m_arrRows[nRow]; }

 protected:
  friend class CJVKTabPaintManager;
  friend class CJVKTabAppearanceSet;

  CJVKTabManagerItem* m_pSelected = nullptr;
  CJVKTabManagerItem* m_pHighlighted = nullptr;
  int m_nScrollOffset = 0;
  BOOL m_bAllowReorder = TRUE;
  BOOL m_bActive = TRUE;
  CSize m_szNormal = CSize(70, 18);
  CSize m_szMin = CSize(0, 0);
  CSize m_szMax = CSize(0, 0);
  CRect m_rcHeader;
  CRect m_rcControl;
  CRect m_rcClient;
  std::vector<CJVKTabManagerItem*> m_arrItems;
  std::vector<CJVKTabManagerNavigateButton*> m_arrNavigateButtons;
  std::vector<CRowIndex> m_arrRows;
  int m_nScrollDelta = kJvkTabScrollStep;
  int m_nItemColor = 0;

 private:
  void ReleaseItems();
  void SetHotItem(HWND hWnd, CJVKTabManagerItem* pItem);
};
