// The themes' bar-level operations: backgrounds, grippers, separators,
// borders, tear-off strips, control rectangles, the special controls, the
// gradient themes' scheme colours and the system style's button states.
#include "PaintTestSupport.h"

#include "ColorManager.h"
#include "ColorMath.h"
#include "GradientTheme.h"
#include "Refusal.h"
#include "SchemeGradientTheme.h"
#include "SystemStyleTheme.h"

#include <string>
#include <vector>

namespace {

const COLORREF kBack = RGB(1, 2, 3);

struct CNoVisualStyles {
  CRefusal refusal{{"uxtheme.dll"}};
};

int g_nScheme = 0;
int Scheme() { return g_nScheme; }
struct CSchemeSeam {
  explicit CSchemeSeam(int n) {
    g_nScheme = n;
    CJVKPaintManager::s_pfnDetectScheme = &Scheme;
  }
  ~CSchemeSeam() { CJVKPaintManager::s_pfnDetectScheme = nullptr; }
};

int g_nScreen = 1600;
int ScreenWidth() { return g_nScreen; }
struct CScreenSeam {
  explicit CScreenSeam(int n) {
    g_nScreen = n;
    CJVKGradientTheme::s_pfnScreenWidth = &ScreenWidth;
  }
  ~CScreenSeam() { CJVKGradientTheme::s_pfnScreenWidth = nullptr; }
};

// --------------------------------------------------------------- grippers

TEST(ThemeGrippers, SizesByThemeAndPosition) {
  CNoVisualStyles styles;
  const struct {
    int nTheme, nPosition;
    BOOL bDialog;
    CSize sz;
  } rows[] = {
      {0, jvkBarTop, FALSE, CSize(6, 0)},  {0, jvkBarRight, FALSE, CSize(0, 8)}, {0, jvkBarPopup, FALSE, CSize(0, 0)},
      {1, jvkBarBottom, FALSE, CSize(6, 0)}, {1, jvkBarLeft, FALSE, CSize(0, 8)},
      {2, jvkBarTop, FALSE, CSize(6, 0)},  {2, jvkBarLeft, FALSE, CSize(0, 9)},
      {3, jvkBarTop, FALSE, CSize(6, 0)},  {3, jvkBarLeft, FALSE, CSize(0, 8)},
      {4, jvkBarBottom, FALSE, CSize(6, 0)}, {4, jvkBarRight, FALSE, CSize(0, 9)},
  };
  for (const auto& row : rows) {
    CThemeRef pm(row.nTheme);
    CFakeBar bar;
    bar.nPosition = row.nPosition;
    EXPECT_EQ(row.sz, pm->DrawCommandBarGripper(nullptr, &bar, FALSE)) << row.nTheme << " at " << row.nPosition;
  }
  // Dialog bars: 6 x h (classic, flat), 8 x h (gradient).
  for (int nTheme = 0; nTheme <= 4; ++nTheme) {
    CThemeRef pm(nTheme);
    CFakeBar bar;
    bar.bDialogBar = TRUE;
    const int rh = pm->GetRowHeight();
    CSize sz(6, rh >= 18 ? rh + 4 : 22);
    if (nTheme == 1) sz.cy = std::max(22, rh + 4);
    if (nTheme == 2 || nTheme == 4) sz = CSize(8, std::max(25, rh + 6));
    EXPECT_EQ(sz, pm->DrawCommandBarGripper(nullptr, &bar, FALSE)) << nTheme;
  }
}

TEST(ThemeGrippers, FloatingCaptionStrip) {
  CNoVisualStyles styles;
  const struct {
    int nTheme;
    int nFill;  // -2: the gradient's second line colour
  } rows[] = {{0, COLOR_ACTIVECAPTION}, {1, COLOR_BTNSHADOW}, {2, -2}, {3, COLOR_ACTIVECAPTION}, {4, -2}};
  for (const auto& row : rows) {
    CThemeRef pm(row.nTheme);
    CFakeBar bar;
    bar.nPosition = jvkBarFloating;
    bar.rcClient.SetRect(0, 0, 150, 60);
    bar.strTitle = "";
    CDibCanvas canvas(150, 60, kBack);
    const CSize sz = pm->DrawCommandBarGripper(canvas.DC(), &bar, TRUE);
    EXPECT_EQ(144, sz.cx) << row.nTheme;
    EXPECT_GE(sz.cy, 15) << row.nTheme;
    const COLORREF clrFill = row.nFill == -2 ? static_cast<CJVKGradientTheme*>(pm.get())->m_lines.clrSecond
                                              : SlotColor(row.nFill);
    EXPECT_EQ(clrFill, canvas.Pixel(3, 3)) << row.nTheme;
    EXPECT_EQ(clrFill, canvas.Pixel(146, 3 + sz.cy - 1)) << row.nTheme;
    EXPECT_EQ(kBack, canvas.Pixel(147, 3)) << row.nTheme;
    EXPECT_EQ(kBack, canvas.Pixel(3, 3 + sz.cy)) << row.nTheme;
  }
}

TEST(ThemeGrippers, LinesAndDots) {
  CNoVisualStyles styles;
  CFakeBar bar;
  bar.rcClient.SetRect(0, 0, 100, 30);
  {
    CThemeRef classic(0);
    CDibCanvas canvas(100, 30, kBack);
    classic->DrawCommandBarGripper(canvas.DC(), &bar, TRUE);
    EXPECT_EQ(SlotColor(COLOR_BTNHIGHLIGHT), canvas.Pixel(3, 3));
    EXPECT_EQ(SlotColor(COLOR_BTNSHADOW), canvas.Pixel(5, 26));
    EXPECT_EQ(kBack, canvas.Pixel(6, 10));
  }
  {
    CThemeRef flat(1);
    CDibCanvas canvas(100, 30, kBack);
    flat->DrawCommandBarGripper(canvas.DC(), &bar, TRUE);
    for (int y = 5; y < 25; y += 2) EXPECT_EQ(SlotColor(38), canvas.Pixel(4, y)) << y;
    EXPECT_EQ(kBack, canvas.Pixel(4, 6));
    EXPECT_EQ(kBack, canvas.Pixel(4, 25));
  }
  {
    CThemeRef gradient(2);
    CDibCanvas canvas(100, 30, kBack);
    gradient->DrawCommandBarGripper(canvas.DC(), &bar, TRUE);
    // y = 8, 12, ... while y - 3 < 22: dots at (6, y - 2) over (5, y - 3).
    for (int y = 8; y - 3 < 22; y += 4) {
      EXPECT_EQ(SlotColor(COLOR_BTNHIGHLIGHT), canvas.Pixel(7, y - 1)) << y;
      EXPECT_EQ(SlotColor(38), canvas.Pixel(5, y - 3)) << y;
    }
    EXPECT_EQ(kBack, canvas.Pixel(6, 27));
  }
}

// ------------------------------------------------------------- separators

TEST(ThemeSeparators, SizesAndLines) {
  CNoVisualStyles styles;
  const struct {
    int nTheme;
    CSize sz;
    int nColor;  // what the line left of a toolbar control is drawn in
    int nOffset;
  } rows[] = {{0, CSize(0, 8), COLOR_BTNSHADOW, 4}, {1, CSize(0, 3), 39, 4}, {2, CSize(0, 3), 39, 4},
              {3, CSize(0, 8), COLOR_BTNSHADOW, 4}, {4, CSize(0, 3), 39, 4}};
  for (const auto& row : rows) {
    CThemeRef pm(row.nTheme);
    CFakeBar bar;
    CFakeControl control;
    bar.Add(control);
    control.rect.SetRect(40, 2, 63, 24);
    EXPECT_EQ(row.sz, pm->DrawCommandBarSeparator(nullptr, &bar, &control, FALSE)) << row.nTheme;
    CDibCanvas canvas(100, 30, kBack);
    pm->DrawCommandBarSeparator(canvas.DC(), &bar, &control, TRUE);
    EXPECT_EQ(SlotColor(row.nColor), canvas.Pixel(40 - row.nOffset, 10)) << row.nTheme;
    EXPECT_EQ(kBack, canvas.Pixel(40 - row.nOffset - 1, 10)) << row.nTheme;
    if (row.nTheme == 2 || row.nTheme == 4) {
      EXPECT_EQ(SlotColor(COLOR_BTNHIGHLIGHT), canvas.Pixel(40 - row.nOffset + 1, 10)) << row.nTheme;
    }
  }
}

TEST(ThemeSeparators, RowsAndColumns) {
  CNoVisualStyles styles;
  // Control at (40, 30)-(63, 52); where the line lies for a control that
  // starts a new row (top, bottom) or column (left, right), and in the
  // vertical bars otherwise.
  const struct {
    int nTheme, nPosition;
    BOOL bWrap;
    POINT ptLine, ptClear;
    int nColor;
  } rows[] = {
      {0, jvkBarTop, TRUE, {50, 26}, {43, 26}, COLOR_BTNSHADOW},     // from left + 4, 4 above
      {0, jvkBarLeft, FALSE, {50, 26}, {50, 25}, COLOR_BTNSHADOW},   // 4 above
      {0, jvkBarRight, TRUE, {65, 40}, {65, 33}, COLOR_BTNSHADOW},   // 2 right, from top + 4
      {1, jvkBarTop, TRUE, {50, 26}, {43, 26}, 39},
      {1, jvkBarLeft, FALSE, {50, 26}, {50, 25}, 39},
      {1, jvkBarRight, TRUE, {65, 40}, {66, 40}, 39},
      {2, jvkBarTop, TRUE, {50, 26}, {50, 25}, 39},
      {2, jvkBarRight, TRUE, {65, 40}, {64, 40}, 39},
  };
  for (const auto& row : rows) {
    CThemeRef pm(row.nTheme);
    CFakeBar bar;
    bar.nPosition = row.nPosition;
    CFakeControl control;
    bar.Add(control);
    control.bWrap = row.bWrap;
    control.rect.SetRect(40, 30, 63, 52);
    CDibCanvas canvas(100, 60, kBack);
    pm->DrawCommandBarSeparator(canvas.DC(), &bar, &control, TRUE);
    const std::string where =
        "theme " + std::to_string(row.nTheme) + " at " + std::to_string(row.nPosition) + " wrap " + std::to_string(row.bWrap);
    EXPECT_EQ(SlotColor(row.nColor), canvas.Pixel(row.ptLine.x, row.ptLine.y)) << where;
    EXPECT_EQ(kBack, canvas.Pixel(row.ptClear.x, row.ptClear.y)) << where;
  }
}

TEST(ThemeSeparators, PopupLines) {
  CNoVisualStyles styles;
  CFakeBar bar;
  bar.nPosition = jvkBarPopup;
  bar.nType = jvkBarTypePopup;
  bar.rcClient.SetRect(0, 0, 120, 60);
  CFakeControl control;
  bar.Add(control);
  control.rect.SetRect(3, 30, 117, 50);
  {
    CThemeRef classic(0);
    CDibCanvas canvas(120, 60, kBack);
    classic->DrawCommandBarSeparator(canvas.DC(), &bar, &control, TRUE);
    EXPECT_EQ(SlotColor(COLOR_BTNSHADOW), canvas.Pixel(14, 25));
    EXPECT_EQ(SlotColor(COLOR_BTNHIGHLIGHT), canvas.Pixel(60, 26));
    EXPECT_EQ(kBack, canvas.Pixel(13, 25));
    EXPECT_EQ(kBack, canvas.Pixel(106, 25));
  }
  for (int nTheme : {1, 2, 4}) {
    CThemeRef pm(nTheme);
    const int nColumn = static_cast<CJVKFlatTheme*>(pm.get())->GetPopupColumnWidth(&bar);
    CDibCanvas canvas(120, 60, kBack);
    pm->DrawCommandBarSeparator(canvas.DC(), &bar, &control, TRUE);
    EXPECT_EQ(SlotColor(39), canvas.Pixel(nColumn + 9, 28)) << nTheme;
    EXPECT_EQ(SlotColor(39), canvas.Pixel(118, 28)) << nTheme;
    EXPECT_EQ(kBack, canvas.Pixel(nColumn + 8, 28)) << nTheme;
  }
}

// -------------------------------------------------- borders, tear-off, rects

TEST(ThemeBorders, PerThemeAndBar) {
  const struct {
    int nTheme, nPosition, nType;
    CRect rc;
  } rows[] = {
      {0, jvkBarPopup, jvkBarTypePopup, CRect(3, 3, 3, 3)}, {0, jvkBarTop, jvkBarTypeToolBar, CRect(2, 2, 2, 2)},
      {1, jvkBarPopup, jvkBarTypePopup, CRect(2, 2, 2, 2)}, {1, jvkBarTop, jvkBarTypeToolBar, CRect(2, 2, 2, 2)},
      {2, jvkBarTop, jvkBarTypeToolBar, CRect(4, 2, 2, 2)}, {2, jvkBarBottom, jvkBarTypeMenuBar, CRect(4, 2, 2, 2)},
      {2, jvkBarLeft, jvkBarTypeToolBar, CRect(2, 2, 2, 2)}, {4, jvkBarFloating, jvkBarTypeToolBar, CRect(2, 2, 2, 2)},
      {3, jvkBarPopup, jvkBarTypePopup, CRect(3, 3, 3, 3)},
  };
  for (const auto& row : rows) {
    CThemeRef pm(row.nTheme, FALSE);
    CFakeBar bar;
    bar.nPosition = row.nPosition;
    bar.nType = row.nType;
    EXPECT_EQ(row.rc, pm->GetCommandBarBorders(&bar)) << row.nTheme << " at " << row.nPosition;
  }
}

TEST(ThemeTearOff, StripsAndTheirLines) {
  CNoVisualStyles styles;
  {
    CThemeRef classic(0);
    for (BOOL bSelected : {FALSE, TRUE}) {
      CDibCanvas canvas(60, 20, kBack);
      EXPECT_EQ(CSize(60, 8), classic->DrawTearOffStrip(canvas.DC(), CRect(0, 0, 60, 20), bSelected, TRUE));
      EXPECT_EQ(SlotColor(bSelected ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION), canvas.Pixel(30, 7));
      EXPECT_EQ(kBack, canvas.Pixel(30, 8));
    }
  }
  // A strip 30 wide has lines twice (15 - 10) = 10 long.
  CThemeRef flat(1);
  const struct {
    int nWidth;
    int nLength;
  } rows[] = {{30, 10}, {60, 32}, {100, 32}, {20, 0}};
  for (const auto& row : rows) {
    CDibCanvas canvas(row.nWidth, 12, kBack);
    EXPECT_EQ(CSize(row.nWidth, 9), flat->DrawTearOffStrip(canvas.DC(), CRect(0, 0, row.nWidth, 12), FALSE, TRUE));
    EXPECT_EQ(row.nLength, CountColor(canvas, CRect(0, 3, row.nWidth, 4), SlotColor(38))) << row.nWidth;
    EXPECT_EQ(SlotColor(41), canvas.Pixel(0, 0));
    EXPECT_EQ(kBack, canvas.Pixel(0, 9));
  }
  CDibCanvas selected(60, 12, kBack);
  flat->DrawTearOffStrip(selected.DC(), CRect(0, 0, 60, 12), TRUE, TRUE);
  EXPECT_EQ(32, CountColor(selected, CRect(0, 4, 60, 5), SlotColor(45)));
  EXPECT_EQ(SlotColor(32), selected.Pixel(1, 1));
}

TEST(ThemeTearOff, GradientDots) {
  CNoVisualStyles styles;
  CThemeRef pm(2);
  const struct {
    int nWidth, nDots;  // dots 4 apart over twice the smaller of 32 and half the width less 10
  } rows[] = {{100, 16}, {60, 10}, {30, 3}};
  for (const auto& row : rows) {
    CDibCanvas canvas(row.nWidth, 12, kBack);
    EXPECT_EQ(CSize(row.nWidth, 9), pm->DrawTearOffStrip(canvas.DC(), CRect(0, 0, row.nWidth, 12), FALSE, TRUE));
    EXPECT_EQ(4 * row.nDots, CountColor(canvas, CRect(0, 4, row.nWidth, 6), SlotColor(COLOR_BTNHIGHLIGHT)))
        << row.nWidth;
    EXPECT_EQ(SlotColor(30), canvas.Pixel(1, 1));
  }
}

TEST(ThemeControlRects, AdjustByThemeBarAndType) {
  const struct {
    int nTheme, nPosition, nType;
    BOOL bVertical;
    CRect rc;
  } rows[] = {
      {0, jvkBarTop, jvkControlComboBox, FALSE, CRect(10, 10, 50, 30)},
      {0, jvkBarPopup, jvkControlButton, FALSE, CRect(11, 10, 49, 30)},
      {0, jvkBarTop, jvkControlButton, FALSE, CRect(9, 10, 51, 30)},
      {0, jvkBarLeft, jvkControlButton, TRUE, CRect(10, 9, 50, 31)},
      {1, jvkBarPopup, jvkControlButton, FALSE, CRect(9, 10, 51, 30)},
      {1, jvkBarTop, jvkControlComboBox, FALSE, CRect(10, 10, 50, 30)},
      {1, jvkBarTop, jvkControlButton, FALSE, CRect(10, 11, 50, 29)},
      {1, jvkBarLeft, jvkControlButton, TRUE, CRect(11, 10, 49, 30)},
      {4, jvkBarTop, jvkControlButton, FALSE, CRect(10, 11, 50, 29)},
      {3, jvkBarTop, jvkControlButton, FALSE, CRect(9, 10, 51, 30)},
  };
  for (const auto& row : rows) {
    CThemeRef pm(row.nTheme, FALSE);
    CFakeBar bar;
    bar.nPosition = row.nPosition;
    CFakeControl control;
    bar.Add(control);
    control.nType = row.nType;
    CRect rc(10, 10, 50, 30);
    pm->AdjustControlRect(rc, &control, row.bVertical);
    EXPECT_EQ(row.rc, rc) << row.nTheme << " at " << row.nPosition << " type " << row.nType;
  }
}

// -------------------------------------------------------- bar backgrounds

TEST(ThemeBars, BackgroundsByPosition) {
  CNoVisualStyles styles;
  const struct {
    int nTheme, nPosition, nType;
    POINT pt;
    int nSlot;
  } rows[] = {
      {0, jvkBarTop, jvkBarTypeToolBar, {20, 10}, COLOR_3DFACE},
      {0, jvkBarTop, jvkBarTypeToolBar, {0, 0}, COLOR_BTNHIGHLIGHT},
      {0, jvkBarTop, jvkBarTypeToolBar, {99, 29}, COLOR_BTNSHADOW},
      {0, jvkBarFloating, jvkBarTypeToolBar, {99, 29}, COLOR_3DDKSHADOW},
      {0, jvkBarFloating, jvkBarTypeToolBar, {1, 1}, COLOR_BTNHIGHLIGHT},
      {1, jvkBarTop, jvkBarTypeToolBar, {20, 10}, 30},
      {1, jvkBarTop, jvkBarTypeToolBar, {0, 10}, COLOR_3DFACE},
      {1, jvkBarTop, jvkBarTypeToolBar, {1, 1}, COLOR_3DFACE},
      {1, jvkBarTop, jvkBarTypeMenuBar, {20, 10}, COLOR_3DFACE},
      {1, jvkBarFloating, jvkBarTypeToolBar, {20, 10}, 30},
      {1, jvkBarFloating, jvkBarTypeToolBar, {0, 10}, 43},
      {1, jvkBarFloating, jvkBarTypeToolBar, {2, 2}, 43},
      {1, jvkBarFloating, jvkBarTypeMenuBar, {20, 10}, COLOR_3DFACE},
      {1, jvkBarPopup, jvkBarTypePopup, {80, 10}, 41},
      {1, jvkBarPopup, jvkBarTypePopup, {0, 10}, 43},
      {1, jvkBarPopup, jvkBarTypePopup, {5, 10}, 30},
      {1, jvkBarPopup, jvkBarTypeToolBar, {5, 10}, 41},
      {2, jvkBarPopup, jvkBarTypeToolBar, {80, 10}, 41},
      {3, jvkBarTop, jvkBarTypeToolBar, {20, 10}, COLOR_3DFACE},
  };
  for (const auto& row : rows) {
    CThemeRef pm(row.nTheme);
    CFakeBar bar;
    bar.nPosition = row.nPosition;
    bar.nType = row.nType;
    bar.rcClient.SetRect(0, 0, 100, 30);
    CDibCanvas canvas(100, 30, kBack);
    pm->FillCommandBar(canvas.DC(), &bar);
    const COLORREF clr = canvas.Pixel(row.pt.x, row.pt.y);
    EXPECT_EQ(SlotColor(row.nSlot), clr) << "theme " << row.nTheme << ", position " << row.nPosition << ", type "
                                         << row.nType << " at " << row.pt.x << "," << row.pt.y << ": found slot "
                                         << SlotOf(clr);
  }
}

TEST(ThemeBars, PopupJoinsTheControlThatOpenedIt) {
  CNoVisualStyles styles;
  for (int nTheme : {1, 2}) {
    CThemeRef pm(nTheme);
    CFakeBar bar;
    bar.nPosition = jvkBarPopup;
    bar.nType = jvkBarTypePopup;
    bar.rcClient.SetRect(0, 0, 100, 60);
    bar.rcOpener.SetRect(0, -20, 40, 1);  // the opener's bottom edge touches the popup's top row
    CDibCanvas canvas(100, 60, kBack);
    pm->FillCommandBar(canvas.DC(), &bar);
    EXPECT_EQ(SlotColor(nTheme == 1 ? 30 : 41), canvas.Pixel(20, 0)) << nTheme;
    EXPECT_EQ(SlotColor(43), canvas.Pixel(0, 0)) << "the corner stays framed";
    EXPECT_EQ(SlotColor(43), canvas.Pixel(60, 0));
  }
}

TEST(ThemeBars, GradientMenuBarStopsAtHalfTheScreen) {
  CNoVisualStyles styles;
  CScreenSeam screen(1600);
  CThemeRef pm(2);
  auto* gradient = static_cast<CJVKGradientTheme*>(pm.get());
  CFakeBar bar;
  bar.nType = jvkBarTypeMenuBar;
  bar.rcClient.SetRect(0, 0, 1000, 20);
  CDibCanvas canvas(1000, 20, kBack);
  pm->FillCommandBar(canvas.DC(), &bar);
  EXPECT_EQ(gradient->m_clrBarStart, canvas.Pixel(0, 10));
  EXPECT_NE(gradient->m_clrBarEnd, canvas.Pixel(400, 10));
  for (int x : {800, 900, 999}) EXPECT_EQ(gradient->m_clrBarEnd, canvas.Pixel(x, 10)) << x;
  EXPECT_EQ(gradient->m_clrBarStart, SlotColor(COLOR_3DFACE));
  EXPECT_EQ(MixColors(SlotColor(COLOR_3DFACE), SlotColor(COLOR_WINDOW), 205), gradient->m_clrBarEnd);
}

TEST(ThemeBars, GradientToolBarIsRoundedAndLined) {
  CNoVisualStyles styles;
  CThemeRef pm(2);
  auto* gradient = static_cast<CJVKGradientTheme*>(pm.get());
  CFakeBar bar;
  bar.rcClient.SetRect(0, 0, 120, 26);
  CFakeControl control;
  bar.Add(control);
  control.rect.SetRect(10, 2, 33, 20);
  CDibCanvas canvas(120, 26, kBack);
  pm->FillCommandBar(canvas.DC(), &bar);
  EXPECT_EQ(gradient->m_lines.clrFirst, canvas.Pixel(5, 24)) << "the bottom line from left + 5";
  EXPECT_EQ(gradient->m_lines.clrFirst, canvas.Pixel(117, 24));
  EXPECT_NE(gradient->m_lines.clrFirst, canvas.Pixel(118, 24));
  EXPECT_EQ(gradient->m_toolBar.clrSecond, canvas.Pixel(60, 1)) << "the toolbar gradient starts at its top colour";
  EXPECT_NE(gradient->m_toolBar.clrSecond, canvas.Pixel(3, 1)) << "its corner is cut";
  EXPECT_EQ(gradient->m_toolBar.clrFirst, canvas.Pixel(60, 22)) << "below the last control: the bottom colour";
  EXPECT_EQ(gradient->m_clrBarStart, canvas.Pixel(0, 10)) << "the first 3 pixels show the dock bar's gradient";
}

TEST(ThemeBars, DockBars) {
  CNoVisualStyles styles;
  CScreenSeam screen(400);
  CThemeRef classic(0), gradient(2);
  auto* pGradient = static_cast<CJVKGradientTheme*>(gradient.get());
  CFakeDockBar dock;
  dock.rcClient.SetRect(0, 0, 300, 30);
  {
    CDibCanvas canvas(300, 30, kBack);
    classic->FillDockBar(canvas.DC(), &dock);
    EXPECT_EQ(SlotColor(COLOR_3DFACE), canvas.Pixel(150, 15));
  }
  {
    CDibCanvas canvas(300, 30, kBack);
    gradient->FillDockBar(canvas.DC(), &dock);
    EXPECT_EQ(pGradient->m_clrBarStart, canvas.Pixel(0, 15));
    EXPECT_EQ(pGradient->m_clrBarEnd, canvas.Pixel(250, 15)) << "past half the screen";
  }
  dock.dwStyle = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
  {
    CDibCanvas canvas(300, 30, kBack);
    gradient->FillDockBar(canvas.DC(), &dock);
    EXPECT_EQ(pGradient->m_clrBarEnd, canvas.Pixel(0, 15));
  }
}

// ------------------------------------------------------- special controls

TEST(ThemeSpecialControls, ExpandButtonPlacementAndSizes) {
  const struct {
    int nPosition;
    CRect rc;
  } rows[] = {{jvkBarTop, CRect(87, 2, 98, 24)},   {jvkBarFloating, CRect(87, 2, 98, 24)},
              {jvkBarLeft, CRect(2, 13, 98, 24)},  {jvkBarPopup, CRect(2, 13, 98, 24)}};
  for (int nTheme = 0; nTheme <= 4; ++nTheme) {
    CThemeRef pm(nTheme, FALSE);
    for (const auto& row : rows) {
      CFakeBar bar;
      bar.nPosition = row.nPosition;
      bar.rcClient.SetRect(0, 0, 100, 26);
      CFakeControl control;
      bar.Add(control);
      CRect rcPlaced;
      EXPECT_EQ(CSize(0, 0), pm->DrawSpecialControl(jvkSpecialBarExpand, nullptr, &control, &bar, FALSE, &rcPlaced));
      EXPECT_EQ(row.rc, rcPlaced) << nTheme << " at " << row.nPosition;
    }
    CFakeBar popup;
    popup.nPosition = jvkBarPopup;
    CFakeControl expand;
    popup.Add(expand);
    const int nHeight = nTheme == 2 || nTheme == 4 ? 18 : 12;
    EXPECT_EQ(nHeight, pm->DrawSpecialControl(jvkSpecialPopupExpand, nullptr, &expand, &popup, FALSE).cy) << nTheme;
  }
}

TEST(ThemeSpecialControls, ExpandButtonGlyphs) {
  CNoVisualStyles styles;
  for (int nTheme : {0, 1}) {
    CThemeRef pm(nTheme);
    CFakeBar bar;
    bar.rcClient.SetRect(0, 0, 100, 26);
    CFakeControl control;
    bar.Add(control);
    control.rect.SetRect(87, 2, 98, 24);
    for (BOOL bHidden : {FALSE, TRUE}) {
      bar.bHidden = bHidden;
      CDibCanvas canvas(100, 26, kBack);
      pm->DrawSpecialControl(jvkSpecialBarExpand, canvas.DC(), &control, &bar, TRUE);
      const COLORREF clrText = canvas.DC()->GetTextColor();
      const int cx = control.rect.CenterPoint().x;
      EXPECT_EQ(clrText, canvas.Pixel(cx, 24 - 6)) << nTheme << ": the down triangle";
      EXPECT_EQ(bHidden ? 1 : 0, CountColor(canvas, CRect(88, 4, 97, 10), clrText) > 0 ? 1 : 0)
          << nTheme << ": chevrons only with hidden controls";
    }
  }
  // Gradient: the expand-button pair when not selected.
  CThemeRef pm(2);
  auto* gradient = static_cast<CJVKGradientTheme*>(pm.get());
  CFakeBar bar;
  CFakeControl control;
  bar.Add(control);
  control.rect.SetRect(87, 2, 98, 24);
  CDibCanvas canvas(100, 26, kBack);
  pm->DrawSpecialControl(jvkSpecialBarExpand, canvas.DC(), &control, &bar, TRUE);
  EXPECT_EQ(gradient->m_expand.clrFirst, canvas.Pixel(92, 2));
  EXPECT_EQ(kBack, canvas.Pixel(87, 2)) << "corner pixel left out";
  EXPECT_EQ(SlotColor(46), canvas.Pixel(control.rect.CenterPoint().x, 24 - 10)) << "the glyph's bar";
}

// The chevrons of the expand buttons pixel by pixel ('#': the text colour),
// with a blank pixel around them.
TEST(ThemeSpecialControls, ExpandChevronsPixelByPixel) {
  CNoVisualStyles styles;
  const struct {
    const char* what;
    int nKind, nPosition;
    CRect rcControl;
    int dx, dy;  // of the picture's top-left corner from the control's
    std::vector<std::string> picture;
  } rows[] = {
      {"popup",
       jvkSpecialPopupExpand,
       jvkBarPopup,
       CRect(2, 10, 120, 22),
       61 - 3 - 2,
       1,
       {"........", ".#....#.", ".##..##.", "..####..", "...##...", ".#....#.", ".##..##.", "..####..", "...##...",
        "........"}},
      {"vertical bar",
       jvkSpecialBarExpand,
       jvkBarLeft,
       CRect(2, 87, 24, 98),
       22 - 9,
       0,
       {"........", ".#....#.", ".##..##.", "..####..", "...##...", "........", ".#....#.", ".##..##.", "..####..",
        "...##...", "........"}},
      {"horizontal bar",
       jvkSpecialBarExpand,
       jvkBarTop,
       CRect(87, 2, 98, 24),
       0,
       3,
       {"...........", ".##...##...", "..##...##..", "...##...##.", "...##...##.", "..##...##..", ".##...##...",
        "..........."}},
  };
  for (int nTheme : {0, 1, 3}) {
    CThemeRef pm(nTheme);
    for (const auto& row : rows) {
      CFakeBar bar;
      bar.nPosition = row.nPosition;
      bar.rcClient.SetRect(0, 0, 130, 100);
      bar.bHidden = TRUE;
      CFakeControl control;
      bar.Add(control);
      control.rect = row.rcControl;
      CDibCanvas canvas(130, 100, kBack);
      pm->DrawSpecialControl(row.nKind, canvas.DC(), &control, &bar, TRUE);
      const COLORREF clrText = canvas.DC()->GetTextColor();
      std::vector<std::string> drawn;
      for (size_t y = 0; y < row.picture.size(); ++y) {
        drawn.emplace_back();
        for (size_t x = 0; x < row.picture[y].size(); ++x) {
          const int px = row.rcControl.left + row.dx + static_cast<int>(x);
          const int py = row.rcControl.top + row.dy + static_cast<int>(y);
          drawn.back() += canvas.Pixel(px, py) == clrText ? '#' : '.';
        }
      }
      EXPECT_EQ(row.picture, drawn) << nTheme << ": " << row.what;
    }
  }
}

TEST(ThemeSpecialControls, GradientPopupExpandShowsTheGlyph) {
  CNoVisualStyles styles;
  CThemeRef pm(2);
  auto* g = static_cast<CJVKGradientTheme*>(pm.get());
  CFakeBar bar;
  bar.nPosition = jvkBarPopup;
  bar.nType = jvkBarTypePopup;
  CFakeControl control;
  bar.Add(control);
  control.rect.SetRect(2, 10, 120, 28);
  CDibCanvas canvas(122, 30, kBack);
  EXPECT_EQ(CSize(0, 18), pm->DrawSpecialControl(jvkSpecialPopupExpand, canvas.DC(), &control, &bar, TRUE));
  // The glyph's left top at (cx - 7, top + 1); its row 1, column 7 has shade 13.
  const int cx = control.rect.CenterPoint().x;
  EXPECT_EQ(JVKExpandGlyphPixel(g->m_glyph.clrFirst, g->m_glyph.clrSecond, JVK_EXPAND_GLYPH_SHADES[16 + 7]),
            canvas.Pixel(cx, 12));
  EXPECT_EQ(kBack, canvas.Pixel(cx - 7, 11)) << "a transparent corner of the glyph";
  EXPECT_EQ(canvas.DC()->GetTextColor(), canvas.Pixel(cx, 16)) << "the chevrons over it";
}

TEST(ThemeSpecialControls, PopupArrowAndCloseColours) {
  CNoVisualStyles styles;
  CThemeRef pm(1);
  CFakeBar bar;
  CFakeControl control;
  bar.Add(control);
  control.rect.SetRect(0, 0, 16, 16);
  for (BOOL bSelected : {FALSE, TRUE}) {
    control.nSelected = bSelected;
    CDibCanvas canvas(16, 16, kBack);
    pm->DrawSpecialControl(jvkSpecialPopupArrow, canvas.DC(), &control, &bar, TRUE);
    EXPECT_EQ(bSelected ? SlotColor(45) : SlotColor(COLOR_HIGHLIGHTTEXT), canvas.Pixel(8, 6)) << bSelected;
    CDibCanvas close(16, 16, kBack);
    pm->DrawSpecialControl(jvkSpecialClose, close.DC(), &control, &bar, TRUE);
    EXPECT_GT(CountColor(close, CRect(0, 0, 16, 16), bSelected ? SlotColor(45) : SlotColor(COLOR_HIGHLIGHTTEXT)), 4)
        << bSelected;
  }
}

// ---------------------------------------------------------- scheme colours

TEST(ThemeSchemes, GradientWithoutATable) {
  CNoVisualStyles styles;
  CSchemeSeam seam(0);
  CThemeRef pm(2, FALSE);
  auto* g = static_cast<CJVKGradientTheme*>(pm.get());
  EXPECT_FALSE(g->m_bSchemeApplied);
  EXPECT_EQ(GetColorManager()->GetColor(58), pm->GetColor(58));
  EXPECT_EQ(0u, pm->m_clrShadow);
  auto blend = [&](int a, int b, int n) { return MixColors(pm->GetColor(a), pm->GetColor(b), n); };
  EXPECT_EQ(pm->GetColor(COLOR_3DFACE), g->m_clrBarStart);
  EXPECT_EQ(blend(15, 5, 205), g->m_clrBarEnd);
  EXPECT_EQ(pm->GetColor(15), g->m_toolBar.clrFirst);
  EXPECT_EQ(blend(15, 5, 205), g->m_toolBar.clrSecond);
  EXPECT_EQ(pm->GetColor(30), g->m_lines.clrFirst);
  EXPECT_EQ(pm->GetColor(16), g->m_lines.clrSecond);
  EXPECT_EQ(pm->GetColor(41), g->m_popped.clrFirst);
  EXPECT_EQ(blend(5, 15, 550), g->m_popped.clrSecond);
  EXPECT_EQ(pm->GetColor(16), g->m_expand.clrFirst);
  EXPECT_EQ(blend(51, 16, 51), g->m_expand.clrSecond);
  EXPECT_EQ(pm->GetColor(42), g->m_hidden.clrFirst);
  EXPECT_EQ(blend(5, 42, 550), g->m_hidden.clrSecond);
  EXPECT_EQ(blend(5, 15, 550), g->m_glyph.clrFirst);
  EXPECT_EQ(pm->GetColor(41), g->m_glyph.clrSecond);
  EXPECT_EQ(blend(15, 5, 70), g->m_clrPaneBorder);
  EXPECT_NE(nullptr, g->m_hExpandGlyph);
  EXPECT_EQ(1, ImageList_GetImageCount(g->m_hExpandGlyph));
}

TEST(ThemeSchemes, GradientAppliesTheDetectedSchemesTable) {
  CNoVisualStyles styles;
  for (int nScheme = 1; nScheme <= 3; ++nScheme) {
    CSchemeSeam seam(nScheme);
    CThemeRef pm(2, FALSE);
    auto* g = static_cast<CJVKGradientTheme*>(pm.get());
    const CJVKGradientScheme* t = JVKGradientSchemeFor(nScheme);
    EXPECT_TRUE(g->m_bSchemeApplied);
    EXPECT_EQ(t->clrBarStart, g->m_clrBarStart);
    EXPECT_EQ(t->clrToolBarBottom, g->m_toolBar.clrFirst);
    EXPECT_EQ(t->clrHiddenStart, g->m_hidden.clrSecond);
    EXPECT_EQ(t->clrPaneBorder, g->m_clrPaneBorder);
    EXPECT_EQ(t->clrShadow, pm->m_clrShadow);
    EXPECT_EQ(t->clrSlot53, pm->GetColor(53));
    EXPECT_EQ(t->clrSlot12, pm->GetColor(12));
    for (int i = 0; i < 13; ++i) EXPECT_EQ(t->clrSet[i], pm->GetColor(JVK_SCHEME_SET_INDICES[i])) << i;
    EXPECT_EQ(RGB(141, 141, 141), pm->GetColor(58));
    // An override still wins over a table's value.
    pm->GetColorTable().SetOverride(53, RGB(9, 9, 9));
    pm->RefreshMetrics();
    EXPECT_EQ(RGB(9, 9, 9), pm->GetColor(53));
  }
}

TEST(ThemeSchemes, SchemeGradientAsBuiltAppliesNoTable) {
  CNoVisualStyles styles;
  const struct {
    int nDetected;
    COLORREF clrToolBarBottom, clrBottomLine;
  } rows[] = {{0, 0, 0}, {1, RGB(192, 192, 168), RGB(163, 163, 124)}, {2, RGB(192, 192, 168), RGB(163, 163, 124)},
              {3, RGB(153, 151, 181), RGB(124, 124, 148)}};
  for (const auto& row : rows) {
    CSchemeSeam seam(row.nDetected);
    CThemeRef pm(4, FALSE);
    auto* g = static_cast<CJVKGradientTheme*>(pm.get());
    EXPECT_EQ(0, pm->m_nColorScheme);
    EXPECT_FALSE(g->m_bSchemeApplied) << row.nDetected;
    EXPECT_EQ(MixColors(pm->GetColor(15), pm->GetColor(5), 205), g->m_clrBarEnd) << row.nDetected;
    if (row.nDetected == 0) {
      EXPECT_EQ(pm->GetColor(15), g->m_toolBar.clrFirst);
      EXPECT_EQ(pm->GetColor(30), g->m_lines.clrFirst);
      continue;
    }
    EXPECT_EQ(row.clrToolBarBottom, g->m_toolBar.clrFirst) << row.nDetected;
    EXPECT_EQ(row.clrBottomLine, g->m_lines.clrFirst) << row.nDetected;
  }
  {
    CSchemeSeam seam(1);
    CThemeRef pm(4, FALSE);
    auto* g = static_cast<CJVKGradientTheme*>(pm.get());
    EXPECT_EQ(RGB(152, 152, 126), g->m_expand.clrFirst);
    EXPECT_EQ(RGB(238, 237, 234), g->m_expand.clrSecond);
  }
  {
    CSchemeSeam seam(2);
    CThemeRef pm(4, FALSE);
    EXPECT_EQ(RGB(182, 198, 141), pm->GetColor(31));
    EXPECT_EQ(RGB(182, 198, 141), pm->GetColor(36));
    EXPECT_EQ(RGB(147, 160, 112), pm->GetColor(33));
  }
  {
    CSchemeSeam seam(3);
    CThemeRef pm(4, FALSE);
    auto* g = static_cast<CJVKGradientTheme*>(pm.get());
    EXPECT_EQ(RGB(243, 244, 250), g->m_toolBar.clrSecond);
    EXPECT_EQ(RGB(118, 116, 146), g->m_expand.clrFirst);
    for (int i : {32, 37, 50}) EXPECT_EQ(RGB(75, 75, 111), pm->GetColor(static_cast<UINT>(i))) << i;
    EXPECT_EQ(RGB(255, 238, 194), pm->GetColor(31));
    EXPECT_EQ(RGB(254, 128, 62), pm->GetColor(33));
    EXPECT_EQ(RGB(255, 192, 111), pm->GetColor(36));
    EXPECT_EQ(RGB(0, 0, 0), pm->GetColor(47));
  }
  // Told to follow a scheme, the scheme-gradient theme applies its table too.
  CSchemeSeam seam(1);
  CThemeRef pm(4, FALSE);
  pm->m_nColorScheme = 5;
  pm->RefreshMetrics();
  EXPECT_TRUE(static_cast<CJVKGradientTheme*>(pm.get())->m_bSchemeApplied);
  EXPECT_EQ(RGB(141, 141, 141), pm->GetColor(58));
}

TEST(ThemeSchemes, GradientStateRectanglesWithATable) {
  CNoVisualStyles styles;
  CSchemeSeam seam(1);
  CThemeRef pm(2, FALSE);
  auto* g = static_cast<CJVKGradientTheme*>(pm.get());
  ASSERT_TRUE(g->m_bSchemeApplied);
  const struct {
    int nSelected, nPressed;
    BOOL bEnabled, bChecked;
    int nPosition, nBarType;
    COLORREF clrTop;  // top line inside the frame
    int nFrame;       // -1: the flat rectangle (fill 31 framed 32)
  } rows[] = {
      {0, 0, TRUE, TRUE, jvkBarTop, jvkBarTypeToolBar, RGB(255, 213, 140), 50},
      {1, 0, TRUE, TRUE, jvkBarTop, jvkBarTypeToolBar, RGB(254, 142, 75), 50},
      {1, 1, TRUE, FALSE, jvkBarTop, jvkBarTypeToolBar, RGB(254, 142, 75), 50},
      {1, 0, TRUE, FALSE, jvkBarTop, jvkBarTypeToolBar, RGB(255, 242, 200), 32},
      {2, 0, FALSE, FALSE, jvkBarBottom, jvkBarTypeToolBar, RGB(255, 242, 200), 50},
      {2, 0, FALSE, TRUE, jvkBarBottom, jvkBarTypeToolBar, RGB(254, 142, 75), 50},
      {0, 0, FALSE, TRUE, jvkBarTop, jvkBarTypeToolBar, RGB(255, 213, 140), 58},
      {1, 0, TRUE, FALSE, jvkBarTop, jvkBarTypeMenuBar, 0, -1},
      {1, 0, TRUE, FALSE, jvkBarFloating, jvkBarTypeToolBar, 0, -1},
      {1, 0, TRUE, FALSE, jvkBarPopup, jvkBarTypePopup, 0, -1},
  };
  for (const auto& row : rows) {
    CDibCanvas canvas(40, 40, kBack);
    pm->DrawStateRectangle(canvas.DC(), CRect(5, 5, 30, 30), row.nSelected, row.nPressed, row.bEnabled, row.bChecked,
                           FALSE, row.nBarType, row.nPosition);
    if (row.nFrame == -1) {
      EXPECT_EQ(pm->GetColor(31), canvas.Pixel(15, 15)) << "flat rectangle";
      EXPECT_EQ(pm->GetColor(32), canvas.Pixel(5, 5));
      continue;
    }
    EXPECT_EQ(pm->GetColor(static_cast<UINT>(row.nFrame)), canvas.Pixel(5, 5)) << row.nSelected << row.bChecked;
    const COLORREF clr = canvas.Pixel(15, 6);
    EXPECT_NEAR(GetRValue(row.clrTop), GetRValue(clr), 4) << row.nSelected << row.bChecked;
    EXPECT_NEAR(GetGValue(row.clrTop), GetGValue(clr), 4) << row.nSelected << row.bChecked;
    EXPECT_NEAR(GetBValue(row.clrTop), GetBValue(clr), 6) << row.nSelected << row.bChecked;
  }
}

// ----------------------------------------------------------- system style

TEST(ThemeSystemStyle, ButtonStates) {
  const struct {
    int nSelected, nPressed;
    BOOL bEnabled, bChecked, bPopuped;
    int nState;
  } rows[] = {
      {0, 0, TRUE, FALSE, TRUE, 3},  {0, 0, TRUE, FALSE, FALSE, 1}, {1, 0, TRUE, FALSE, FALSE, 2},
      {1, 1, TRUE, FALSE, FALSE, 3}, {0, 2, TRUE, FALSE, FALSE, 3}, {0, 0, TRUE, TRUE, FALSE, 5},
      {1, 0, TRUE, TRUE, FALSE, 6},  {0, 0, FALSE, TRUE, FALSE, 3}, {0, 0, FALSE, FALSE, FALSE, 4},
      {2, 0, FALSE, FALSE, TRUE, 4},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.nState, CJVKSystemStyleTheme::ButtonState(row.nSelected, row.nPressed, row.bEnabled, row.bChecked,
                                                            row.bPopuped))
        << row.nSelected << row.nPressed << row.bEnabled << row.bChecked << row.bPopuped;
}

TEST(ThemeSystemStyle, WithoutVisualStylesDrawsClassically) {
  CNoVisualStyles styles;
  CThemeRef system(3), classic(0);
  CFakeBar bar;
  bar.rcClient.SetRect(0, 0, 100, 30);
  CDibCanvas a(100, 30, kBack), b(100, 30, kBack);
  system->FillCommandBar(a.DC(), &bar);
  classic->FillCommandBar(b.DC(), &bar);
  EXPECT_EQ(b.Pixel(0, 0), a.Pixel(0, 0));
  EXPECT_EQ(b.Pixel(50, 15), a.Pixel(50, 15));
  EXPECT_EQ(CSize(6, 0), system->DrawCommandBarGripper(nullptr, &bar, FALSE));
  auto* s = static_cast<CJVKSystemStyleTheme*>(system.get());
  EXPECT_EQ(nullptr, s->m_themeToolBar.GetHandle());
  EXPECT_EQ(system->GetColor(COLOR_BTNSHADOW), s->m_clrSeparator);
}

}  // namespace
