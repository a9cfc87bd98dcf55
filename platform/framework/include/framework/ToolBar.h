// CToolBar: a control bar over the tool-bar common control. LoadToolBar
// takes the buttons from an RT_TOOLBAR resource (version 1: image width and
// height, button count, then the command ids, 0 for a separator) and their
// images from the bitmap of the same id; buttons are the images' size plus
// 7 pixels each way. At idle time each button is enabled and checked by the
// frame's ON_UPDATE_COMMAND_UI handlers. With CBRS_TOOLTIPS the control
// shows tips, whose text the frame gives (the part of the command's string
// after the newline); with CBRS_FLYBY the command's prompt shows in the
// status bar while the mouse is on its button.
#pragma once

#include <vector>

#include "ControlBar.h"

// Button styles: the control's style in the low word, its state in the high word.
#define TBBS_BUTTON MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP MAKELONG(TBSTYLE_CHECKGROUP, 0)
#define TBBS_DROPDOWN MAKELONG(TBSTYLE_DROPDOWN, 0)
#define TBBS_CHECKED MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_PRESSED MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_HIDDEN MAKELONG(0, TBSTATE_HIDDEN)
#define TBBS_WRAPPED MAKELONG(0, TBSTATE_WRAP)

class CToolBar : public CControlBar {
  DECLARE_DYNAMIC(CToolBar)
 public:
  CToolBar();
  ~CToolBar() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
  BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                UINT nID = AFX_IDW_TOOLBAR);
  using CWnd::Create;
  using CWnd::CreateEx;

  BOOL LoadToolBar(LPCTSTR lpszResourceName);
  BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCE(nIDResource)); }
  BOOL LoadBitmap(LPCTSTR lpszResourceName);
  BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
  // One button per id (ID_SEPARATOR: a separator), images in order.
  BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
  void SetSizes(SIZE sizeButton, SIZE sizeImage);

  int GetCount() const;
  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  void GetItemRect(int nIndex, LPRECT lpRect) const;
  UINT GetButtonStyle(int nIndex) const;
  void SetButtonStyle(int nIndex, UINT nStyle);

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

 protected:
  CSize m_sizeButton;
  CSize m_sizeImage;
  HBITMAP m_hbmImageWell;
  BOOL GetButton(int nIndex, TBBUTTON* pButton) const;
  // Puts the buttons in one column (bVertical) or one row.
  void SetWrapped(BOOL bVertical);
  void EnableBarToolTips(BOOL) override {}
  afx_msg void OnPaint() { Default(); }
  afx_msg BOOL OnHotItemChange(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()
};
