// CJVKSystemStyleTheme: the bars in the Windows visual style (through
// UxTheme), drawn as the classic theme wherever no style is active.
#pragma once

#include "ClassicTheme.h"
#include "WinThemeWrapper.h"

class CJVKSystemStyleTheme : public CJVKClassicTheme {
 public:
  CJVKSystemStyleTheme();

  void DrawSplitButtonFrame(CDC* pDC, CJVKPaintedControl* pControl, CRect rc) override;
  void FillCommandBar(CDC* pDC, CJVKPaintedBar* pBar) override;
  void DrawStateRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked,
                          BOOL bPopuped, int nBarType, int nBarPosition) override;
  CSize DrawCommandBarGripper(CDC* pDC, CJVKPaintedBar* pBar, BOOL bDraw) override;
  void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bBesideGripper) override;
  void DrawStatusBarGripper(CDC* pDC, CRect rc) override;
  void FillDockBar(CDC* pDC, CJVKPaintedDockBar* pDockBar) override;
  void FillStatusBar(CDC* pDC, CJVKPaintedStatusBar* pStatusBar) override;
  void RefreshMetrics() override;
  CSize DrawDialogBarGripper(CDC* pDC, CJVKPaintedBar* pBar, BOOL bDraw) override;
  int GetThemeNumber() const override { return jvkThemeSystemStyle; }
  void DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected) override;
  void DrawComboButton(CDC* pDC, CRect rc, BOOL bDraw, int nSelected, int nPressed, BOOL bEnabled = TRUE) override;

  // The state of "TOOLBAR" part 1 for a control's state.
  static int ButtonState(int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped);

  CJVKWinThemeWrapper m_themeRebar, m_themeToolBar, m_themeComboBox, m_themeStatus;
  COLORREF m_clrSeparator = 0;
  BOOL m_bFlatMenu = TRUE;

 protected:
  // The style's handle is open and the application is themed.
  static BOOL IsActive(CJVKWinThemeWrapper& theme);
};
