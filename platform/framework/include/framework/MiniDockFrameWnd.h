// CMiniDockFrameWnd: the small floating frame of a control bar that was
// dragged out of its frame (or floated by FloatControlBar). Its one floating
// dock bar holds the bar; the frame fits itself around it, takes the bar's
// title, and goes when its last bar leaves. Closing it hides it with its bars.
#pragma once

#include "DockBar.h"
#include "MiniFrameWnd.h"

class CMiniDockFrameWnd : public CMiniFrameWnd {
  DECLARE_DYNCREATE(CMiniDockFrameWnd)
 public:
  CMiniDockFrameWnd();

  // pParent: the frame the bars belong to (the owner of this popup).
  virtual BOOL Create(CFrameWnd* pParent, DWORD dwBarStyle);
  using CMiniFrameWnd::Create;
  void RecalcLayout(BOOL bNotify = TRUE) override;

  CDockBar m_wndDockBar;

 protected:
  afx_msg void OnClose();
  DECLARE_MESSAGE_MAP()
};
