// CJVKDockBar: one side of the frame (top, bottom, left or right) where
// tool bars dock in rows. It keeps its bars in an array in which a null
// closes each row, takes its room in the frame's layout (WM_SIZEPARENT)
// and lays its rows out (DockLayout), wrapping bars that do not fit into
// further visual rows without changing the stored rows.
#pragma once

#include "PaintedObjects.h"

#include <Framework.h>

#include <vector>

class CJVKPaintManager;
class CJVKToolBar;
class CJVKControlCommandBars;

// The dock bars' window ids and styles, top, bottom, left, right.
const UINT JVK_ID_DOCKBAR_TOP = 59419;
const UINT JVK_ID_DOCKBAR_BOTTOM = 59422;
const UINT JVK_ID_DOCKBAR_LEFT = 59420;
const UINT JVK_ID_DOCKBAR_RIGHT = 59421;

class CJVKDockBar : public CWnd, public CJVKPaintedDockBar {
 public:
  explicit CJVKDockBar(CJVKControlCommandBars* pCommandBars);
  CJVKDockBar(const CJVKDockBar&) = delete;
  CJVKDockBar& operator=(const CJVKDockBar&) = delete;

  BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nID);
  // 0 top, 1 bottom, 2 left, 3 right, from the style.
  int GetDockPosition() const;
  BOOL IsHorizontal() const;

  // Docks the bar: with a rectangle (screen coordinates) into the row its
  // centre falls in, or a new row there, the rectangle remembered as its
  // place; without one as a new last row. Nothing happens when the bar is
  // here already and no new place is given.
  void DockBar(CJVKToolBar* pBar, const CRect* prcScreen);
  // Takes the bar out (an empty row goes with it).
  void RemoveBar(CJVKToolBar* pBar, int nSkipIndex = -1);
  int FindBar(CJVKToolBar* pBar, int nSkipIndex = -1) const;
  // The visible bars of the row holding the index, in their order along it.
  void GetBarsOfRow(int nIndex, std::vector<CJVKToolBar*>& bars) const;
  // The stored rows: bars with a null closing each row.
  const std::vector<CJVKToolBar*>& GetArray() const { return m_arrBars; }

  // The size of the dock bar across its length for the layout mode; with
  // bPosition the bars are moved to their places (one deferred batch).
  CSize CalcDockLayout(int nLength, DWORD dwMode, BOOL bPosition);

  // --------------------------------------------- CJVKPaintedDockBar
  CRect GetClientRect() const override;
  DWORD GetBarStyle() const override { return m_dwStyle; }

 protected:
  afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  // Draws the background into the device context and, with PRF_CHILDREN,
  // has every visible bar print itself at its place.
  afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
  // The bars' context menu at the point.
  afx_msg void OnRButtonDown(UINT nFlags, CPoint pt);
  DECLARE_MESSAGE_MAP()

  CJVKPaintManager* GetPaintManager() const;
  // The layout-mode bits every bar of this dock bar starts from.
  DWORD BarMode(CJVKToolBar* pBar) const;
  void MakeStretchedBarsAlone();

  CJVKControlCommandBars* m_pCommandBars;
  DWORD m_dwStyle = 0;
  std::vector<CJVKToolBar*> m_arrBars{nullptr};
};
