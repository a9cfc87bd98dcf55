// CDockBar: the strip along one side of a frame (or the inside of a
// floating mini frame) that holds control bars in rows. A bar keeps its
// place along its row where there is room and is pushed along where it
// would overlap the bar before it or leave the strip. The frame's layout
// gives the dock bar the room its rows need; an empty dock bar takes none.
// Notifications and commands of the bars go on to the frame.
#pragma once

#include <vector>

#include "ControlBar.h"

class CDockBar : public CControlBar {
  DECLARE_DYNAMIC(CDockBar)
 public:
  explicit CDockBar(BOOL bFloating = FALSE);

  // dwStyle: window styles and the side (CBRS_ALIGN_); nID one of the
  // AFX_IDW_DOCKBAR_ ids.
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
  using CWnd::Create;

  // Takes pBar from wherever it was docked. With lpRect (screen
  // coordinates) the bar goes to the row under the rectangle's centre at its
  // place, or to a new row there; without, to a new last row.
  void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
  BOOL RemoveControlBar(CControlBar* pBar);
  // The bars in their rows.
  const std::vector<std::vector<CControlBar*>>& GetRows() const { return m_rows; }
  int GetDockedCount() const;

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

  BOOL m_bFloating;  // inside a mini frame

 protected:
  // Places the bars in rows across nLength (-1: no limit); returns the
  // length used and the thickness of the rows.
  CSize LayoutRows(int nLength, BOOL bHorz);
  void LayoutParent();
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

  std::vector<std::vector<CControlBar*>> m_rows;
  BOOL m_bDestroying;
};
