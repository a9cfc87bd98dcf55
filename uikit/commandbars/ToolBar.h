// CJVKToolBar: the bar of buttons. It loads its buttons from a tool-bar
// resource (asking the site for each control first), takes its room in the
// frame's layout (WM_SIZEPARENT) and lays its controls out along the width
// it gets, with the paint manager's borders and gripper. Inside a
// command-bars object it also floats in a popup window of its own with a
// caption and a close button, and shows an expand button whose popup holds
// the controls that found no room and the "&Add or Remove Buttons" list.
#pragma once

#include "CommandBar.h"
#include "ControlsLayout.h"  // the layout-mode bits

#include <memory>

class CJVKDockBar;
class CJVKDockContext;

// Docking flags (EnableDocking).
const DWORD JVK_DOCK_TOP = 0x01;
const DWORD JVK_DOCK_BOTTOM = 0x02;
const DWORD JVK_DOCK_LEFT = 0x04;
const DWORD JVK_DOCK_RIGHT = 0x08;
const DWORD JVK_DOCK_FLOAT = 0x10;
const DWORD JVK_DOCK_HIDE_WRAPPED = 0x20;  // controls that do not fit hide instead of wrapping
const DWORD JVK_DOCK_STRETCHED = 0x40;

// Control ids reserved inside tool bars.
const int JVK_ID_TOOLBAR_EXPAND = 9400;
const int JVK_ID_TOOLBAR_CLOSE = 9401;

class CJVKToolBar : public CJVKCommandBar {
 public:
  CJVKToolBar();

  // A child window of the parent; the CBRS_ bits of the style are kept.
  BOOL CreateToolBar(DWORD dwStyle, CWnd* pParentWnd, UINT nID = AFX_IDW_TOOLBAR);
  void EnableDocking(DWORD dwFlags) { m_dwDockingFlags = dwFlags; }
  DWORD GetDockingFlags() const { return m_dwDockingFlags; }
  // The buttons of the RT_TOOLBAR resource, and with bLoadImages their
  // images from the bitmap of the same id. FALSE when either is missing.
  virtual BOOL LoadToolBar(UINT nIDResource, BOOL bLoadImages = TRUE);
  // One button per id; an id 0 gives the next button a group separator.
  void SetButtons(const UINT* pIDs, int nCount);
  // The size of the docked bar along nLength for the layout mode (LM_*);
  // with LM_COMMIT the controls take their places.
  virtual CSize CalcDockingLayout(int nLength, DWORD dwMode);

  // The floating layout: a caption strip with the close button (and the
  // expand button) at its right, the controls below it.
  virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
  // Turns the window into a popup owned by the frame (floating) or back
  // into the frame's child.
  virtual BOOL SetFloatingFrame(CWnd* pFrame, BOOL bFloating);
  // The expand button's popup: the controls hidden for want of room, then
  // (when the options always show the expand button, or customizing is
  // available) the "&Add or Remove Buttons" list.
  void FillExpandPopup(CJVKControlParentBar* pPopup);
  // A built-in, customizable bar with a bar id asks the user ("Are you sure
  // you want to reset the changes made to the '%s' toolbar?") and on OK
  // takes a copy of its original controls again (or reloads its resource
  // without one). Any other bar does nothing.
  virtual void Reset();
  // Asks whether the changes made to the bar are to be undone; TRUE on OK.
  BOOL ConfirmReset();
  // Entering print preview hides a visible bar; leaving shows it again.
  void OnSetPreviewMode(BOOL bPreview);

  // 0 to 3 docked at that side, 4 floating; FALSE without command bars.
  BOOL SetPosition(int nPosition) override;
  // Hiding ends tracking; a docked bar has the frame laid out again; the
  // site hears of it; a torn-off bar that was hidden is removed from its
  // command bars.
  void SetVisible(BOOL bVisible) override;
  // A floating bar takes the size of its layout; a docked one has the frame
  // laid out again (a free-standing one re-lays its controls at once).
  void DelayLayout() override;

  // Some control found no room (the expand button shows it).
  BOOL HasHiddenControls() const override;

  // Docking in the command bars' dock bars.
  CJVKDockBar* GetDockBar() const { return m_pDockBar; }
  void SetDockBar(CJVKDockBar* pDockBar) { m_pDockBar = pDockBar; }
  // The side the dock bar laid the bar out at; no other effect.
  void SetDockedPosition(int nPosition) { m_nPosition = nPosition; }
  CJVKDockContext* GetDockContext();
  // The bar's preferred place in its dock bar's row (client coordinates of
  // the dock bar); empty: none.
  CRect m_rcDockedPlace{0, 0, 0, 0};

  void SetTearOff(BOOL bTearOff) { m_bTearOff = bTearOff; }
  void SetCloseable(BOOL bCloseable) { m_bCloseable = bCloseable; }
  void SetBuiltIn(BOOL bBuiltIn) { m_bBuiltIn = bBuiltIn; }
  void SetShowExpandButton(BOOL bShow) { m_bShowExpandButton = bShow; }

 protected:
  afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam);
  afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM);
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT nMessage);
  afx_msg LRESULT OnNcHitTest(CPoint pt);
  afx_msg void OnActivate(UINT nState, CWnd* pOther, BOOL bMinimized);
  // Outside the controls a press drags the bar, a double click docks or
  // floats it.
  afx_msg void OnLButtonDown(UINT nFlags, CPoint pt);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint pt);
  // A press on a floating bar's edge resizes it.
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint pt);
  // Outside customize mode the bar stops tracking and the command bars'
  // context menu opens at the point.
  afx_msg void OnRButtonDown(UINT nFlags, CPoint pt);
  DECLARE_MESSAGE_MAP()

  ~CJVKToolBar() override;
  // A press outside the controls of a bar of command bars, not in customize
  // mode, that may move.
  BOOL IsDragPoint(CPoint pt) const;

  // The caption buttons of a floating bar, and the expand button of a bar
  // in a command-bars object; made on first use.
  CJVKControl* EnsureSystemButton(int nID);
  BOOL HasExpandButton() const { return m_bShowExpandButton && m_pCommandBars != nullptr; }
  // The frame the bar floats over: the command bars' site.
  CWnd* GetFloatingOwner();

  BOOL m_bBuiltIn = TRUE;
  BOOL m_bTearOff = FALSE;
  BOOL m_bHiddenByPreview = FALSE;
  BOOL m_bInPreview = FALSE;
  BOOL m_bShowExpandButton = TRUE;
  BOOL m_bCloseable = TRUE;
  BOOL m_bContextMenuPresent = TRUE;
  CJVKDockBar* m_pDockBar = nullptr;
  std::unique_ptr<CJVKDockContext> m_pDockContext;
};
