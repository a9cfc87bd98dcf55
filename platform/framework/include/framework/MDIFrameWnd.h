// CMDIFrameWnd: the frame of a multiple-document window. Its main pane is
// the MDI client window (m_hWndMDIClient, id AFX_IDW_PANE_FIRST), made when
// the frame is created, in which CMDIChildWnd frames live; the popup of its
// menu that holds the Window commands lists the children. Commands go to the
// active child first, then to the frame; keys first to the system keys of
// the children (Ctrl+F4, Ctrl+F6). The Window commands (arrange, cascade,
// tile) act on the children.
#pragma once

#include "FrameWnd.h"

class CMDIChildWnd;

// The Window menu's commands.
#ifndef ID_WINDOW_NEW
#define ID_WINDOW_NEW 0xE130
#define ID_WINDOW_ARRANGE 0xE131
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
#define ID_WINDOW_TILE_VERT 0xE134
#define ID_WINDOW_SPLIT 0xE135
#endif
#define AFX_IDM_WINDOW_FIRST 0xE130
#define AFX_IDM_WINDOW_LAST 0xE13F
// The Window menu's entries for the children.
#define AFX_IDM_FIRST_MDICHILD 0xFF00

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIFrameWnd)
 public:
  CMDIFrameWnd();

  // Makes the MDI client; the children are listed in pWindowMenu.
  virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
  // The popup of hMenuBar that holds a Window command (the last such), or NULL.
  virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

  // The active child (bMaximized: whether it is maximized), or NULL.
  CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
  void MDIActivate(CWnd* pWndActivate);
  void MDIMaximize(CWnd* pWnd);
  void MDIRestore(CWnd* pWnd);
  void MDINext();
  void MDIPrev();
  void MDICascade();
  void MDITile(int nType = MDITILE_HORIZONTAL);
  void MDIIconArrange();
  // Sets the frame's menu and the popup listing the children; returns the old menu.
  CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);

  CFrameWnd* GetActiveFrame() override;
  void OnUpdateFrameMenu(HMENU hMenuAlt) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  HWND m_hWndMDIClient;

 protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg BOOL OnMDIWindowCmd(UINT nID);
  afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()
};
