// The numbers and plain geometry that the tab strips share: positions,
// layouts, navigate buttons, and a rectangle and point that are the Win32
// ones on Windows and the same fields elsewhere, so the layout is portable.
#pragma once

#include <WinTypes.h>

#ifdef _WIN32
typedef RECT JVKTabRect;
typedef POINT JVKTabPoint;
#else
struct JVKTabRect {
  LONG left, top, right, bottom;
};
struct JVKTabPoint {
  LONG x, y;
};
#endif

// Where the strip lies against its client area; left and right are vertical.
enum JVKTabPosition {
  jvkTabPositionTop = 0,
  jvkTabPositionLeft = 1,
  jvkTabPositionBottom = 2,
  jvkTabPositionRight = 3,
};

enum JVKTabLayout {
  jvkTabLayoutAutoSize = 0,
  jvkTabLayoutSizeToFit = 1,
  jvkTabLayoutFixed = 2,
  jvkTabLayoutCompressed = 3,
  jvkTabLayoutMultiRow = 4,
  jvkTabLayoutRotated = 5,
};

// The navigate buttons, in the manager's array order.
enum JVKTabNavigateButtonId {
  jvkTabNavigateBack = 0,
  jvkTabNavigateForward = 1,
  jvkTabNavigateClose = 2,
  jvkTabNavigateCount = 3,
};

enum JVKTabNavigateMode {
  jvkTabNavigateNever = 0,
  jvkTabNavigateAuto = 1,
  jvkTabNavigateAlways = 2,
};

const int kJvkTabNavigateWidth = 14;
const int kJvkTabNavigateHeight = 15;
// Pixels one scroll tick moves the strip.
const int kJvkTabScrollStep = 20;

inline BOOL JVKIsVerticalTabPosition(int nPosition) {
  return nPosition == jvkTabPositionLeft || nPosition == jvkTabPositionRight;
}

inline JVKTabRect JVKMakeTabRect(LONG left, LONG top, LONG right, LONG bottom) {
  JVKTabRect rc;
  rc.left = left;
  rc.top = top;
  rc.right = right;
  rc.bottom = bottom;
  return rc;
}

inline BOOL JVKIsTabRectEmpty(const JVKTabRect& rc) { return rc.right <= rc.left || rc.bottom <= rc.top; }

inline BOOL JVKTabRectHolds(const JVKTabRect& rc, const JVKTabPoint& pt) {
  return pt.x >= rc.left && pt.x < rc.right && pt.y >= rc.top && pt.y < rc.bottom;
}
