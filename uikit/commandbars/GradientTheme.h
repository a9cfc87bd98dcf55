// CJVKGradientTheme: the flat theme with gradients that follow the colour
// scheme of the visual style, and rounded tool bars.
#pragma once

#include "FlatTheme.h"
#include "WinThemeWrapper.h"

class CJVKGradientTheme : public CJVKFlatTheme {
 public:
  CJVKGradientTheme();
  ~CJVKGradientTheme() override;

  void FillCommandBar(CDC* pDC, CJVKPaintedBar* pBar) override;
  void DrawStateRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked,
                          BOOL bPopuped, int nBarType, int nBarPosition) override;
  CSize DrawCommandBarGripper(CDC* pDC, CJVKPaintedBar* pBar, BOOL bDraw) override;
  CSize DrawCommandBarSeparator(CDC* pDC, CJVKPaintedBar* pBar, CJVKPaintedControl* pControl, BOOL bDraw) override;
  void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bBesideGripper) override;
  void DrawStatusBarGripper(CDC* pDC, CRect rc) override;
  void FillDockBar(CDC* pDC, CJVKPaintedDockBar* pDockBar) override;
  void RefreshMetrics() override;
  CSize DrawSpecialControl(int nKind, CDC* pDC, CJVKPaintedControl* pControl, CJVKPaintedBar* pBar, BOOL bDraw,
                           CRect* pPlaced = nullptr) override;
  CRect GetCommandBarBorders(CJVKPaintedBar* pBar) override;
  CSize DrawTearOffStrip(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) override;
  CSize DrawDialogBarGripper(CDC* pDC, CJVKPaintedBar* pBar, BOOL bDraw) override;
  int GetThemeNumber() const override { return jvkThemeGradient; }
  void FillPopupIconColumn(CDC* pDC, int x, int y, int cx, int cy, BOOL bHidden) override;

  struct CPair {
    COLORREF clrFirst;
    COLORREF clrSecond;
  };
  COLORREF m_clrBarStart = 0, m_clrBarEnd = 0;
  CPair m_toolBar = {};  // {bottom, top}
  CPair m_popped = {};   // {start, end}
  CPair m_lines = {};    // {bottom line, second line}
  CPair m_expand = {};   // {start, end}
  CPair m_hidden = {};   // {end, start}
  CPair m_glyph = {};    // {first, second}
  COLORREF m_clrPaneBorder = 0;
  BOOL m_bSchemeApplied = FALSE;
  CJVKWinThemeWrapper m_themeStatus;
  HIMAGELIST m_hExpandGlyph = nullptr;
  CJVKGradientColor m_grcChecked, m_grcPressed, m_grcHot;

  // Test seam: the screen width the bar gradients are limited by (null:
  // GetSystemMetrics(SM_CXFULLSCREEN)).
  static int (*s_pfnScreenWidth)();

 protected:
  // The horizontal bar gradient as it lies over rcSpan, painted in rcFill:
  // over half the screen width at most, the end colour beyond.
  void FillBarGradient(CDC* pDC, const CRect& rcSpan, const CRect& rcFill);
  // Fill by the state's gradient record, framed in one colour.
  void FillGradientRecord(CDC* pDC, const CRect& rc, const CJVKGradientColor& grc, int nFrame, BOOL bHorizontal);
  void FillDockedToolBar(CDC* pDC, CJVKPaintedBar* pBar);
  void RebuildExpandGlyph();
  // A 2 x 2 dot of colour 20 over one of colour 38 one pixel up and left.
  void DrawDot(CDC* pDC, int x, int y);
};
