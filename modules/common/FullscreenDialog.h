// The full-screen dialog (template 2000, a child of the desktop): black
// behind the picture, painting nothing itself. Enter and Escape do not hide
// it; the host leaves full screen by choosing another mode.
#pragma once

#include <framework/Dialog.h>

class CFullscreenDialog : public CDialog {
 public:
  CFullscreenDialog();
  BOOL Create(CWnd* parent);

 protected:
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnPaint();
  void OnOK() override {}
  void OnCancel() override {}
  DECLARE_MESSAGE_MAP()
};
