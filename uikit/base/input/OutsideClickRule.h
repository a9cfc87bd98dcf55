// Which mouse messages the outside-click hook swallows: a button press (or
// left release) whose point lies outside the remembered window's rectangle.
#pragma once

#include <WinTypes.h>

// Message numbers of the mouse buttons, as Win32 gives them.
enum : UINT {
  kJvkNcLButtonDown = 0x00A1,
  kJvkNcLButtonUp = 0x00A2,
  kJvkNcRButtonDown = 0x00A4,
  kJvkNcMButtonDown = 0x00A7,
  kJvkLButtonDown = 0x0201,
  kJvkLButtonUp = 0x0202,
  kJvkRButtonDown = 0x0204,
  kJvkMButtonDown = 0x0207,
};

inline BOOL IsOutsideClick(UINT nMessage, LONG x, LONG y, LONG left, LONG top, LONG right, LONG bottom) {
  switch (nMessage) {
    case kJvkNcLButtonDown:
    case kJvkNcLButtonUp:
    case kJvkNcRButtonDown:
    case kJvkNcMButtonDown:
    case kJvkLButtonDown:
    case kJvkLButtonUp:
    case kJvkRButtonDown:
    case kJvkMButtonDown: return !(x >= left && x < right && y >= top && y < bottom);
    default: return FALSE;
  }
}
