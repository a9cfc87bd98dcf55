// CJVKFlatTheme: flat bars, framed highlight rectangles and a light icon
// column in popups.
#pragma once

#include "PaintManager.h"

class CJVKFlatTheme : public CJVKPaintManager {
 public:
  CJVKFlatTheme();

  CSize DrawPopupControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw) override;
  CSize DrawComboBoxControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw) override;
  CSize DrawEditControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw) override;
  CSize DrawListBoxControl(CDC* pDC, CJVKPaintedControl* pControl, CRect rc, BOOL bSelected, BOOL bDraw,
                           CWnd* pListWnd) override;
  void FillCommandBar(CDC* pDC, CJVKPaintedBar* pBar) override;
  void DrawRectangle(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, int nPressed, BOOL bChecked, BOOL bPopuped,
                     int nBarType, int nBarPosition) override;
  void DrawStateRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked,
                          BOOL bPopuped, int nBarType, int nBarPosition) override;
  CSize DrawCommandBarGripper(CDC* pDC, CJVKPaintedBar* pBar, BOOL bDraw) override;
  CSize DrawCommandBarSeparator(CDC* pDC, CJVKPaintedBar* pBar, CJVKPaintedControl* pControl, BOOL bDraw) override;
  void AdjustControlRect(CRect& rc, CJVKPaintedControl* pControl, BOOL bVertical) override;
  void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bBesideGripper) override;
  BOOL IsFlatTheme() const override { return TRUE; }
  CSize DrawTearOffStrip(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) override;
  void DrawImage(CDC* pDC, CPoint pt, CSize sz, CJVKImageManagerIcon* pImage, int nSelected, int nPressed,
                 BOOL bEnabled, BOOL bChecked, BOOL bPopuped) override;
  CSize DrawDialogBarGripper(CDC* pDC, CJVKPaintedBar* pBar, BOOL bDraw) override;
  int GetThemeNumber() const override { return jvkThemeFlat; }

  // The icon column of a popup: colour 30, or 42 beside formerly hidden
  // commands.
  virtual void FillPopupIconColumn(CDC* pDC, int x, int y, int cx, int cy, BOOL bHidden);

  // The larger of row height + 4 and icon width + 4, doubled for two
  // columns, plus 1.
  int GetPopupColumnWidth(CJVKPaintedBar* pBar) const;

 protected:
  CJVKPopupRowLayout PopupRow(CJVKPaintedControl* pControl) override;
  CSize DrawFieldControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw, BOOL bCombo);
  // Sets the four pixels one step in from each corner.
  void SetCornerPixels(CDC* pDC, const CRect& rc, int nInset, int nColor);
  // A floating bar: two nested rectangles in colour 43 around colour 30 (15
  // for a menu bar), corners rounded.
  void FillFloatingBar(CDC* pDC, CJVKPaintedBar* pBar);
  // A bar at popup position: colour 41 framed 43, the icon column of a popup
  // bar, and the join with its opener in nJoinColor.
  void FillPopupBar(CDC* pDC, CJVKPaintedBar* pBar, int nJoinColor);
  // Fill and frame of the tear-off strip, centred line length.
  int TearOffLineLength(const CRect& rc, int nLongest) const;
};
