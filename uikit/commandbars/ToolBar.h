// CJVKToolBar: the bar of buttons. It loads its buttons from a tool-bar
// resource (asking the site for each control first), takes its room in the
// frame's layout (WM_SIZEPARENT) and lays its controls out along the width
// it gets, with the paint manager's borders and gripper.
#pragma once

#include "CommandBar.h"

// Docking flags (EnableDocking).
const DWORD JVK_DOCK_TOP = 0x01;
const DWORD JVK_DOCK_BOTTOM = 0x02;
const DWORD JVK_DOCK_LEFT = 0x04;
const DWORD JVK_DOCK_RIGHT = 0x08;
const DWORD JVK_DOCK_FLOAT = 0x10;
const DWORD JVK_DOCK_HIDE_WRAPPED = 0x20;  // controls that do not fit hide instead of wrapping
const DWORD JVK_DOCK_STRETCHED = 0x40;

// The layout-mode bit that hides controls that do not fit.
const DWORD JVK_LM_HIDE_WRAP = 0x80;

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

  void SetVisible(BOOL bVisible) override;
  // A free-standing bar re-lays its controls at once.
  void DelayLayout() override;

 protected:
  afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  BOOL m_bBuiltIn = TRUE;
  BOOL m_bTearOff = FALSE;
  BOOL m_bShowExpandButton = TRUE;
  BOOL m_bCloseable = TRUE;
  BOOL m_bContextMenuPresent = TRUE;
};
