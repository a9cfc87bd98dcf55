// CJVKPropertyGridView: the owner-drawn list box inside the property grid.
// Each row shows one visible item (the row's data is the item). The view
// keeps the top-level categories, turns the item tree into rows by the sort
// mode and the items' expanded state, routes mouse and keyboard input to
// the items, lets the user drag the divider between captions and values,
// shows the full text of truncated captions and values in a tooltip, and
// leaves all drawing to the grid's paint manager.
#pragma once

#include <Framework.h>

#include "PropertyGridItem.h"
#include "PropertyGridRows.h"
#include "PropertyGridToolTip.h"

class CJVKPropertyGrid;
class CJVKPropertyGridPaintManager;

class CJVKPropertyGridView : public CListBox {
  DECLARE_DYNAMIC(CJVKPropertyGridView)
 public:
  CJVKPropertyGridView();
  ~CJVKPropertyGridView() override;
  CJVKPropertyGridView(const CJVKPropertyGridView&) = delete;
  CJVKPropertyGridView& operator=(const CJVKPropertyGridView&) = delete;

  CJVKPropertyGridItem* AddCategory(LPCTSTR pszCaption, CJVKPropertyGridItem* pItem = nullptr) {
    return InsertCategory(m_pCategories->GetCount(), pszCaption, pItem);
  }
  CJVKPropertyGridItem* InsertCategory(int nIndex, LPCTSTR pszCaption, CJVKPropertyGridItem* pItem = nullptr);
  CJVKPropertyGridItems* GetCategories() const { return m_pCategories; }
  CJVKPropertyGridItem* GetSelectedItem() const;
  CJVKPropertyGridItem* GetItem(int nRow) const;
  void SetPropertySort(int nMode, BOOL bForce = FALSE);
  int GetPropertySort() const { return m_nPropertySort; }
  void Refresh();
  int InsertItem(CJVKPropertyGridItem* pItem, int nRow);
  int InsertChildren(CJVKPropertyGridItem* pItem, int nRow);
  void RemoveChildren(CJVKPropertyGridItem* pItem);
  void Reindex();
  void SynchroniseSelection();
  void ResetContent();
  void ToggleItem(int nRow);
  int GetDividerPos() const;
  BOOL DividerHitTest(int x) const;
  double GetDividerRatio() const { return m_dDivider; }
  void SetDividerRatio(double dRatio) { m_dDivider = dRatio; }
  int GetDefaultItemHeight() const { return m_nItemHeight; }
  BOOL IsTrackingDivider() const { return m_bTracking; }
  CJVKPropertyGrid* GetPropertyGrid() const { return m_pGrid; }
  CJVKPropertyGridToolTip& GetToolTip() { return m_wndTip; }

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
  int CompareItem(LPCOMPAREITEMSTRUCT) override { return 0; }

  CJVKPropertyGrid* m_pGrid = nullptr;
  CJVKPropertyGridItem* m_pSelected = nullptr;
  int m_nLockUpdate = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  afx_msg void OnPaint();
  afx_msg void OnNcPaint();
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  afx_msg void OnSelectionChanged();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  DECLARE_MESSAGE_MAP()

 private:
  CJVKPropertyGridPaintManager* PaintManager() const;
  CJVKPropertyGridItem* ItemAt(CPoint point) const;
  void MoveDivider(double dRatio);
  void RedrawChildren();
  void CheckToolTip(CPoint point);
  void InsertRows(const std::vector<CJVKPropertyGridItem*>& roots);

  CJVKPropertyGridItems* m_pCategories;
  int m_nPropertySort = jvkSortCategorized;
  double m_dDivider = 0.5;
  BOOL m_bTracking = FALSE;
  HCURSOR m_hCursor;
  int m_nItemHeight = 16;
  CJVKPropertyGridToolTip m_wndTip;
  BOOL m_bInTipCheck = FALSE;
};
