// CJVKControlButton: the control that executes a command. On tool bars and
// menu bars it tracks the mouse press and executes on a release inside; in
// popup bars the release executes.
#pragma once

#include "Control.h"

class CJVKControlButton : public CJVKControl {
  DECLARE_DYNCREATE(CJVKControlButton)

 public:
  CJVKControlButton();

  void OnClick(BOOL bKeyboard, CPoint pt) override;
  void OnLButtonUp(CPoint pt) override;
};

// A 32-bit, one-plane, bottom-up, uncompressed DIB section of the size
// attached to the bitmap; FALSE when it cannot be made.
BOOL JVKCreateDIBSection32(CBitmap& bitmap, int nWidth, int nHeight);
