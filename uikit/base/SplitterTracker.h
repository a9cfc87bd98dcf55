// CJVKSplitterTracker: the modal drag of a splitter bar, drawn inverted on
// the desktop while the mouse moves.
#pragma once

#include <Framework.h>

struct JVK_TRACK_REQUEST {
  HWND hOwner;
  int nMinX, nMinY, nMaxX, nMaxY;
  RECT* pRect;  // the tracker, screen coordinates; the final place on return
  POINT ptCurrent;
  BOOL bHorizontal;  // the tracker moves along x
};

class CJVKSplitterTracker {
 public:
  // Solid: a plain inverted rectangle instead of the halftone pattern.
  explicit CJVKSplitterTracker(BOOL bSolid = FALSE) : m_bSolid(bSolid) {}
  CJVKSplitterTracker(const CJVKSplitterTracker&) = delete;
  CJVKSplitterTracker& operator=(const CJVKSplitterTracker&) = delete;

  // TRUE when the left button was released; FALSE when cancelled by Escape,
  // by losing the capture, or by WM_QUIT (which is posted again).
  BOOL Track(JVK_TRACK_REQUEST& request);

  // Drawn for the whole drag when not empty.
  CRect m_rcBound;

 private:
  void Invert(const RECT& rect);

  BOOL m_bSolid;
  HDC m_hDC = nullptr;
};
