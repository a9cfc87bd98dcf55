// CMiniFrameWnd: a frame with a small caption (a tool window), floating over
// its owner or, created with WS_CHILD, inside its parent. With MFS_SYNCACTIVE
// its caption is drawn active whenever its owner frame is active
// (WM_FLOATSTATUS from the owner); it follows the owner's enabling too.
#pragma once

#include "FrameWnd.h"

class CMiniFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMiniFrameWnd)
 public:
  CMiniFrameWnd();

  BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd = nullptr,
              UINT nID = 0);
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = nullptr, UINT nID = 0);
  using CWnd::CreateEx;

  BOOL m_bActive;       // the caption is drawn active
  BOOL m_bOwnerActive;  // the owner frame is active (WM_FLOATSTATUS)

 protected:
  afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
  afx_msg BOOL OnNcActivate(BOOL bActive);
  DECLARE_MESSAGE_MAP()
};
