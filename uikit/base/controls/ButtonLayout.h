// Where the themed push button puts its image and its caption inside the
// item rectangle (coordinates relative to its top-left corner). Portable:
// the sizes of image and caption come in, the two points go out.
#pragma once

#include <WinTypes.h>

// Extended button styles (CJVButton::SetXButtonStyle).
enum {
  JVBS_FLAT = 0x1,           // no border until hot or pressed
  JVBS_SINGLEBORDER = 0x2,   // one border instead of the double 3-D border
  JVBS_IMAGEABOVE = 0x4,     // image above the caption, both centred horizontally
  JVBS_FOCUSRECT = 0x10,     // the focus rectangle when focused
  JVBS_HALFTONE = 0x20,      // checked or pressed buttons get the halftone background
  JVBS_FLATTHEME = 0x40,     // a private flat (type 1) theme
  JVBS_WINDOWSTHEME = 0x1000 // the visual style's push-button background
};

// The alignment bits of the button's window style (BS_LEFT, BS_RIGHT,
// BS_CENTER, BS_VCENTER).
enum {
  JVBA_LEFT = 0x100,
  JVBA_RIGHT = 0x200,
  JVBA_CENTER = 0x300,
  JVBA_VCENTER = 0xC00,
};

struct CJVButtonPoint {
  int x, y;
  bool operator==(const CJVButtonPoint& other) const { return x == other.x && y == other.y; }
};

struct CJVButtonLayout {
  int cx = 0, cy = 0;               // the item rectangle's size
  DWORD dwXStyle = 0;               // the extended style
  DWORD dwAlign = 0;                // the window style's alignment bits
  int nImageCx = 0, nImageCy = 0;   // 0 x 0: no image (or images off)
  int nTextCx = 0, nTextCy = 0;     // 0 x 0: no caption
  int nBorderGap = 4;               // between the edge and image or caption
  int nImageTextGap = 8;            // between image and caption

  bool HasText() const { return nTextCx > 0 || nTextCy > 0; }
  bool HasImage() const { return nImageCx > 0 || nImageCy > 0; }

  // A size centred in the rectangle (horizontally only with the image above
  // the caption; else at the border gap); negative coordinates become 0.
  CJVButtonPoint Centered(int nCx, int nCy) const;
  CJVButtonPoint ImagePosition() const;
  CJVButtonPoint TextPosition() const;
};
