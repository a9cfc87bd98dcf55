// CMDIChildWnd: a frame inside the MDI client of a CMDIFrameWnd. While it is
// active the MDI frame shows its menu (m_hMenuShared, loaded by LoadFrame)
// and routes commands to it first; its accelerators translate into commands
// of the MDI frame. It is destroyed through the MDI client (MDIDestroy).
#pragma once

#include "MDIFrameWnd.h"

class CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIChildWnd)
 public:
  CMDIChildWnd();
  ~CMDIChildWnd() override;

  // pParentWnd: the MDI frame (NULL: the application's main window).
  virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                      DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                      CMDIFrameWnd* pParentWnd = nullptr, void* pContext = nullptr);
  // The title, icon and accelerators of resource nIDResource as for any
  // frame; its menu becomes m_hMenuShared, the frame's menu while active.
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, void* pContext = nullptr) override;
  BOOL DestroyWindow() override;

  CMDIFrameWnd* GetMDIFrame() const;
  void MDIDestroy();
  void MDIActivate();
  void MDIMaximize();
  void MDIRestore();

  BOOL PreTranslateMessage(MSG* pMsg) override;
  // Shows this child's menu in the MDI frame when bActive (else the frame's own).
  virtual void OnUpdateFrameMenu(BOOL bActive, CWnd* pActiveWnd, HMENU hMenuAlt);
  void OnUpdateFrameMenu(HMENU hMenuAlt) override { OnUpdateFrameMenu(TRUE, this, hMenuAlt); }

  HMENU m_hMenuShared;

 protected:
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  afx_msg LRESULT OnMDIActivate(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};
