// The resizable dialog's arithmetic: a control's rectangle in floats, moved
// edge by edge by the dialog's change in size times the control's anchor
// factors, the window move that follows from it, and the tracking limits of
// the dialog. Portable.
#pragma once

#include <WinTypes.h>

// Options of the resize engine.
enum {
  JVRESIZE_NOSIZEICON = 0x01,          // no size grip (a dialog without sizing border)
  JVRESIZE_NOHORIZONTAL = 0x02,        // the width cannot change
  JVRESIZE_NOVERTICAL = 0x04,          // the height cannot change
  JVRESIZE_NOMINSIZE = 0x08,           // the designed size is not the minimum size
  JVRESIZE_NOCLIPCHILDREN = 0x10,      // the dialog does not get WS_CLIPCHILDREN
  JVRESIZE_NOTRANSPARENTGROUP = 0x20,  // group boxes stay as they are
};

// Left, top, right, bottom as floats: a control's place, or its anchor
// factors (how much of the dialog's change each edge follows).
struct CJVResizeRect {
  float left = 0.0f;
  float top = 0.0f;
  float right = 0.0f;
  float bottom = 0.0f;

  CJVResizeRect() = default;
  CJVResizeRect(float l, float t, float r, float b) : left(l), top(t), right(r), bottom(b) {}
  static CJVResizeRect FromInts(int l, int t, int r, int b) {
    return CJVResizeRect(static_cast<float>(l), static_cast<float>(t), static_cast<float>(r), static_cast<float>(b));
  }

  CJVResizeRect& operator+=(const CJVResizeRect& other);
  bool operator==(const CJVResizeRect& other) const;
  bool operator!=(const CJVResizeRect& other) const { return !(*this == other); }

  // Each edge moved by the change (dx for left and right, dy for top and
  // bottom) times its factor in anchor. The fractions stay, so many small
  // changes add up without drift.
  CJVResizeRect Moved(int dx, int dy, const CJVResizeRect& anchor) const;
};

// The move of one control to a rectangle: position and size truncated toward
// zero, and whether the position and the size differ from the control's.
struct CJVResizeMove {
  int x, y, cx, cy;
  bool bMove;  // false: SWP_NOMOVE
  bool bSize;  // false: SWP_NOSIZE
};
CJVResizeMove JVResizeMoveTo(const CJVResizeRect& rect, int nCurX, int nCurY, int nCurCx, int nCurCy);

// The dialog's tracking limits (the fields of MINMAXINFO the engine sets).
struct CJVResizeLimits {
  int maxSizeCx, maxSizeCy;
  int minTrackCx, minTrackCy;
  int maxTrackCx, maxTrackCy;
};
// With JVRESIZE_NOHORIZONTAL (NOVERTICAL) the maximum size and tracking
// width (height) become the last laid-out width (height), when there was a
// layout (lastCx, lastCy non-zero); then each non-zero coordinate of the
// minimum and maximum size becomes the tracking limit.
void JVResizeApplyLimits(DWORD dwFlags, int nLastCx, int nLastCy, int nMinCx, int nMinCy, int nMaxCx, int nMaxCy,
                         CJVResizeLimits& limits);
