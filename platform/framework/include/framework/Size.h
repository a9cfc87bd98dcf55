// CSize, CPoint and CRect: the Win32 SIZE, POINT and RECT with arithmetic.
// CSize comes first; CPoint and CRect (Point.h, Rect.h) build on it.
#pragma once

#include <windows.h>

class CPoint;
class CRect;

class CSize : public tagSIZE {
 public:
  CSize() { cx = cy = 0; }
  CSize(int initCX, int initCY) {
    cx = initCX;
    cy = initCY;
  }
  CSize(SIZE initSize) {
    cx = initSize.cx;
    cy = initSize.cy;
  }
  explicit CSize(POINT initPt) {
    cx = initPt.x;
    cy = initPt.y;
  }
  explicit CSize(DWORD dwSize) {
    cx = (short)LOWORD(dwSize);
    cy = (short)HIWORD(dwSize);
  }

  BOOL operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
  BOOL operator!=(SIZE size) const { return !(*this == size); }
  void operator+=(SIZE size) {
    cx += size.cx;
    cy += size.cy;
  }
  void operator-=(SIZE size) {
    cx -= size.cx;
    cy -= size.cy;
  }
  void SetSize(int CX, int CY) {
    cx = CX;
    cy = CY;
  }
  CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
  CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
  CSize operator-() const { return CSize(-cx, -cy); }
};
