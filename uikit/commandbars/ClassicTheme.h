// CJVKClassicTheme: raised and sunken 3D edges on the face colour.
#pragma once

#include "PaintManager.h"

class CJVKClassicTheme : public CJVKPaintManager {
 public:
  CJVKClassicTheme();

  CSize DrawPopupControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw) override;
  void DrawSplitButtonFrame(CDC* pDC, CJVKPaintedControl* pControl, CRect rc) override;
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
  CRect GetCommandBarBorders(CJVKPaintedBar* pBar) override;
  CSize DrawTearOffStrip(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) override;
  void DrawImage(CDC* pDC, CPoint pt, CSize sz, CJVKImageManagerIcon* pImage, int nSelected, int nPressed,
                 BOOL bEnabled, BOOL bChecked, BOOL bPopuped) override;
  CSize DrawDialogBarGripper(CDC* pDC, CJVKPaintedBar* pBar, BOOL bDraw) override;
  int GetThemeNumber() const override { return jvkThemeClassic; }

  virtual void DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected);
  virtual void DrawComboButton(CDC* pDC, CRect rc, BOOL bDraw, int nSelected, int nPressed, BOOL bEnabled = TRUE);
  virtual CSize DrawCaptionText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bDraw, int nSelected,
                                BOOL bEnabled);

  BOOL m_bSelectionBar = FALSE;
  int m_nPopupTextColor = COLOR_BTNTEXT;

 protected:
  // The label and field of edit and combo controls.
  CSize DrawFieldControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw, BOOL bCombo);
};
