// The free-floating video window (template 1000, a child of the desktop):
// resizable without a caption, dragged by its client area, black behind the
// picture, which it keeps fitted (4:3 or 16:9, overscan margins cut off) in
// its client area whenever it is sized or painted while a graph runs. Escape
// closes the host's window.
#pragma once

#include <framework/Dialog.h>

#include "VideoGraph.h"

class CFreeTVWindow : public CDialog {
 public:
  // What the fit reads: the video child window, the graph, the shape and margins.
  struct Fit {
    CWnd* videoChild = nullptr;
    IVideoGraph* graph = nullptr;
    bool wide = false;
    int xScale = 0, yScale = 0;
  };

  CFreeTVWindow();
  BOOL Create(CWnd* parent);

  HWND m_hHostWnd = nullptr;  // receives WM_CLOSE on Cancel
  Fit m_fit;

  // Places the video child window by the fit rule (while a graph runs).
  void FitVideoChild();

 protected:
  afx_msg void OnPaint();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  void OnCancel() override;
  void OnOK() override {}  // Enter must not hide the picture
  DECLARE_MESSAGE_MAP()
};
