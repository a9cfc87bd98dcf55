// CControlBar: a bar along one side of its frame (tool bar, status bar ...).
// Its CBRS_ styles say which side it docks to (CBRS_ALIGN_), which edges
// get a border (CBRS_BORDER_), whether it has a gripper, tooltips and
// prompts in the status bar (CBRS_TOOLTIPS, CBRS_FLYBY). The frame's layout
// asks it for its room (WM_SIZEPARENT: CalcFixedLayout, or CalcDynamicLayout
// with CBRS_SIZE_DYNAMIC); borders, insets and gripper lie in the
// non-client area, so a common control inside draws only its own part. At
// idle time (WM_IDLEUPDATECMDUI) a bar applies a delayed show or hide, then
// updates its items through the owner frame's ON_UPDATE_COMMAND_UI handlers
// (OnUpdateCmdUI).
#pragma once

#include "CmdUI.h"
#include "FrameIds.h"
#include "Wnd.h"

class CDC;
class CDockBar;
class CDockContext;
class CFrameWnd;

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)
 public:
  CControlBar();
  ~CControlBar() override;

  void SetBarStyle(DWORD dwStyle);
  DWORD GetBarStyle() const { return m_dwStyle; }
  // Insets between the bar's edges and its items.
  void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
  void SetBorders(LPCRECT lpRect) { SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
  CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }
  // Visible now, or about to be shown by a delayed show.
  BOOL IsVisible() const;
  // Shows or hides the bar at the next idle update; the frame lays out anew.
  void DelayShow(BOOL bShow);
  CFrameWnd* GetDockingFrame() const;

  // ------------------------------------------------------------- docking
  // The sides the bar may dock to (CBRS_ALIGN_ bits; 0: none). With any, the
  // bar can be dragged by its gripper into another dock bar of its frame or
  // out of the frame to float in a mini frame of its own.
  void EnableDocking(DWORD dwDockStyle);
  // Floating in a mini frame.
  BOOL IsFloating() const;
  // Where it is docked: the frame that has the dock bars, and the dock bar.
  CFrameWnd* m_pDockSite;
  CDockBar* m_pDockBar;
  CDockContext* m_pDockContext;  // the drag machinery, made by EnableDocking
  DWORD m_dwDockStyle;
  // The gripper's rectangle in window coordinates (empty without a gripper).
  CRect GetGripperRect() const;

  // The bar's size docked along a side: bStretch fills that side's length.
  virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
  virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
  // Shrinks a window rectangle to the part the items use (borders, insets
  // and gripper taken off).
  virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
  virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
  virtual void DoPaint(CDC* pDC);
  virtual void DrawBorders(CDC* pDC, CRect& rect);
  virtual void DrawGripper(CDC* pDC, const CRect& rect);
  virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);

  int m_cxLeftBorder, m_cxRightBorder;
  int m_cyTopBorder, m_cyBottomBorder;
  BOOL m_bAutoDelete;  // the object deletes itself with its window
  DWORD m_dwStyle;     // CBRS_ styles
  enum StateFlags { delayHide = 1, delayShow = 2 };
  UINT m_nStateFlags;

  static const int kEdge = 2;     // thickness of a CBRS_BORDER_ edge
  static const int kGripper = 8;  // room the gripper takes

 protected:
  // Splits a bar's creation style into the window style and the bar style.
  static DWORD WindowStyleOf(DWORD dwStyle) { return dwStyle & ~static_cast<DWORD>(CBRS_ALL); }
  // The bar's size around items of sizeItems (CalcFixedLayout's answer).
  CSize SizeAround(CSize sizeItems, BOOL bStretch, BOOL bHorz) const;
  // The frame whose handlers update the bar and show its prompts: the dock
  // site of a docked or floating bar, else the owner.
  CWnd* GetBarOwner() const;
  void PostNcDestroy() override;
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint();
  afx_msg void OnPaint();
  // CBRS_TOOLTIPS: tips for the bar's child controls through the
  // framework's tooltip (tool bars show their buttons' tips themselves).
  virtual void EnableBarToolTips(BOOL bEnable) { EnableToolTips(bEnable); }
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()
};
