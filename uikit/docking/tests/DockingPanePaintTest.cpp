// The docking paint manager's themes: the theme numbers, caption metrics,
// caption and splitter pixels of each theme drawn into a DIB section, the
// visual-style themes falling back without a style, and a screenshot of
// the frame in each theme on request.
#include "DockingPaneCaptionButton.h"
#include "DockingPaneFixture.h"
#include "DockingPaneThemes.h"
#include "DockingTabColorSet.h"
#include "TabPaintManager.h"

#include <ColorMath.h>
#include <DibCanvas.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace {

bool Near(COLORREF a, COLORREF b, int nTolerance = 3) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= nTolerance && std::abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}

std::string Hex(COLORREF clr) {
  char sz[16];
  snprintf(sz, sizeof sz, "%06lx", static_cast<unsigned long>(clr));
  return sz;
}

// One group of one pane ("A") docked at the left, drawn 200 x 300 into a
// DIB section by the theme.
struct CThemeCanvas {
  CDockingFixture f;
  CJVKDockingPaneTabbedContainer* pGroup;
  CDibCanvas canvas{200, 300};
  CJVKDockingPanePaintManager* pPaint;

  explicit CThemeCanvas(int nTheme, std::function<void(CJVKDockingPanePaintManager*)> prepare = nullptr) {
    f.pManager->SetTheme(nTheme);
    f.Create(101, "A", DockingSideLeft);
    f.Layout();
    pGroup = f.Group(101);
    pPaint = f.pManager->GetPaintManager();
    if (prepare) prepare(pPaint);
    pPaint->DrawPane(canvas.DC(), pGroup, CRect(0, 0, 200, 300));
  }
  int CaptionBottom() const { return pPaint->m_nCaptionHeight + 3; }
  int MidY() const { return CaptionBottom() / 2; }
};

}  // namespace

TEST(DockingPaint, ThemeNumbersOutsideOneToNineGiveTheClassicTheme) {
  CDockingFixture f;
  const struct {
    int nAsked;
    int nBuilt;
    BOOL bGuides;
  } cases[] = {{0, 0, FALSE}, {1, 1, FALSE}, {5, 5, FALSE}, {8, 8, FALSE}, {9, 9, TRUE}, {10, 0, FALSE}, {-1, 0, FALSE}};
  for (const auto& c : cases) {
    f.pManager->SetTheme(c.nAsked);
    EXPECT_EQ(c.nBuilt, f.pManager->GetPaintManager()->m_nTheme) << c.nAsked;
    EXPECT_EQ(c.bGuides, f.pManager->m_bThemeGuides) << c.nAsked;
  }
  f.pManager->SetTheme(42);
  EXPECT_NE(nullptr, dynamic_cast<CJVKDockingPaneClassicTheme*>(f.pManager->GetPaintManager()));
  EXPECT_EQ(nullptr, dynamic_cast<CJVKDockingPaneFlatTheme*>(f.pManager->GetPaintManager()));
}

TEST(DockingPaint, CaptionHeightHasAFloorAndTheTurnedFontATallerSmallSize) {
  CJVKDockingPaneClassicTheme paint;
  LOGFONT lf = {};
  lf.lfHeight = -5;
  lstrcpyn(lf.lfFaceName, _T("Tahoma"), LF_FACESIZE);
  paint.SetCaptionFont(lf, FALSE);
  EXPECT_EQ(13 + paint.m_nCaptionPadding, paint.m_nCaptionHeight);
  EXPECT_FALSE(paint.m_bUseSystemFont);
  LOGFONT lfCaption = {}, lfVertical = {};
  ::GetObject(paint.m_fntCaption.GetSafeHandle(), sizeof lfCaption, &lfCaption);
  ::GetObject(paint.m_fntCaptionVertical.GetSafeHandle(), sizeof lfVertical, &lfVertical);
  EXPECT_EQ(-5, lfCaption.lfHeight);
  EXPECT_EQ(-11, lfVertical.lfHeight);
  EXPECT_EQ(2700, lfVertical.lfEscapement);
}

TEST(DockingPaint, CaptionPixelsOfEachTheme) {
  struct Probe {
    int nTheme;
    const char* what;
    // x, y of the probe and the colour expected there.
    std::function<void(CThemeCanvas&, int&, int&, COLORREF&)> where;
  };
  const Probe probes[] = {
      {0, "inactive caption fill",
       [](CThemeCanvas& c, int& x, int& y, COLORREF& clr) { x = 100; y = c.MidY(); clr = ::GetSysColor(COLOR_INACTIVECAPTION); }},
      {1, "inactive caption outline",
       [](CThemeCanvas& c, int& x, int& y, COLORREF& clr) { x = 100; y = 0; clr = c.pPaint->GetColor(52); }},
      {1, "inactive caption inside the outline",
       [](CThemeCanvas& c, int& x, int& y, COLORREF& clr) { x = 100; y = c.MidY(); clr = ::GetSysColor(COLOR_BTNFACE); }},
      {2, "gradient bar's first row",
       [](CThemeCanvas& c, int& x, int& y, COLORREF& clr) { x = 100; y = 1; clr = c.pPaint->m_grcCaptionInactive.m_clrStart; }},
      {2, "gripper dot",
       [](CThemeCanvas& c, int& x, int& y, COLORREF& clr) { x = 7; y = 7; clr = c.pPaint->GetColor(20); }},
      {4, "no fill",
       [](CThemeCanvas& c, int& x, int& y, COLORREF& clr) { x = 100; y = 2; clr = ::GetSysColor(COLOR_BTNFACE); }},
      {4, "raised bar after the title",
       [](CThemeCanvas& c, int& x, int& y, COLORREF& clr) { x = 100; y = c.MidY() - 3; clr = c.pPaint->GetColor(20); }},
      {5, "pane fill",
       [](CThemeCanvas& c, int& x, int& y, COLORREF& clr) { x = 100; y = 200; clr = c.pPaint->GetColor(30); }},
      {5, "corner",
       [](CThemeCanvas& c, int& x, int& y, COLORREF& clr) { x = 199; y = 299; clr = c.pPaint->GetColor(51); }},
      {5, "inactive grip line",
       [](CThemeCanvas& c, int& x, int& y, COLORREF& clr) { x = 100; y = c.MidY() - 3; clr = c.pPaint->GetColor(38); }},
      {6, "horizontal gradient's first column",
       [](CThemeCanvas& c, int& x, int& y, COLORREF& clr) { x = 0; y = c.MidY(); clr = c.pPaint->m_grcCaptionInactive.m_clrStart; }},
      {7, "frame on top",
       [](CThemeCanvas& c, int& x, int& y, COLORREF& clr) { x = 100; y = 0; clr = c.pPaint->GetColor(54); }},
      {7, "flat bar",
       [](CThemeCanvas& c, int& x, int& y, COLORREF& clr) { x = 100; y = c.MidY(); clr = c.pPaint->m_grcCaptionInactive.m_clrStart; }},
      {9, "border on top",
       [](CThemeCanvas& c, int& x, int& y, COLORREF& clr) {
         x = 100; y = 0; clr = static_cast<CJVKDockingPaneSchemeGuideTheme*>(c.pPaint)->m_clrCaptionBorder; }},
      {9, "border on the left",
       [](CThemeCanvas& c, int& x, int& y, COLORREF& clr) {
         x = 0; y = c.MidY(); clr = static_cast<CJVKDockingPaneSchemeGuideTheme*>(c.pPaint)->m_clrCaptionBorder; }},
      {9, "gradient under the border",
       [](CThemeCanvas& c, int& x, int& y, COLORREF& clr) { x = 100; y = 1; clr = c.pPaint->m_grcCaptionInactive.m_clrStart; }},
  };
  for (const Probe& p : probes) {
    CThemeCanvas c(p.nTheme);
    int x = 0, y = 0;
    COLORREF clr = 0;
    p.where(c, x, y, clr);
    EXPECT_TRUE(Near(clr, c.canvas.Pixel(x, y)))
        << "theme " << p.nTheme << " " << p.what << ": " << Hex(c.canvas.Pixel(x, y)) << " for " << Hex(clr);
  }
}

TEST(DockingPaint, DottedGripThemeWithoutAColourSchemeBlendsItsCaptionsAndFillsItsButtonsFlat) {
  CJVKDockingPaneDottedGripTheme paint;
  paint.m_nColorScheme = 0;
  paint.RefreshMetrics();
  EXPECT_EQ(MixColors(::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_WINDOW), 205),
            paint.m_grcCaptionInactive.m_clrStart.GetColor());
  EXPECT_EQ(paint.GetColor(15), paint.m_grcCaptionInactive.m_clrEnd.GetColor());
  EXPECT_EQ(paint.GetColor(36), paint.m_grcCaptionActive.m_clrStart.GetColor());
  EXPECT_EQ(paint.GetColor(36), paint.m_grcCaptionActive.m_clrEnd.GetColor());
  // A hot button: filled in entry 31, framed in 32, its glyph in 45.
  CaptionButton button(JVK_IDS_DOCKING_CLOSE, nullptr);
  button.SetRect(CRect(2, 2, 18, 18));
  button.OnMouseMove(CPoint(5, 5));
  ASSERT_TRUE(button.IsHot());
  CDibCanvas canvas(20, 20);
  COLORREF clrGlyph = RGB(9, 9, 9);
  paint.DrawCaptionButtonFrame(canvas.DC(), &button, clrGlyph);
  EXPECT_EQ(paint.GetColor(32), canvas.Pixel(2, 2));
  EXPECT_EQ(paint.GetColor(31), canvas.Pixel(5, 10));
  EXPECT_EQ(paint.GetColor(45), clrGlyph);
  // With a scheme, the orange active gradient and gradient buttons.
  paint.m_nColorScheme = 1;
  paint.RefreshMetrics();
  EXPECT_EQ(RGB(255, 213, 140), paint.m_grcCaptionActive.m_clrStart.GetColor());
  EXPECT_EQ(RGB(0, 45, 150), paint.GetColor(43));
  clrGlyph = RGB(9, 9, 9);
  paint.DrawCaptionButtonFrame(canvas.DC(), &button, clrGlyph);
  EXPECT_EQ(RGB(0, 0, 0), clrGlyph);
}

TEST(DockingPaint, ActiveCaptionOfTheClassicThemeUsesTheActiveColours) {
  CDockingFixture f;
  f.Create(101, "A", DockingSideLeft);
  f.Layout();
  CJVKDockingPaneTabbedContainer* pGroup = f.Group(101);
  BringToFront(f.pFrame->m_hWnd);
  ::SetFocus(f.windows[101]);
  pGroup->UpdateActiveState();
  ASSERT_TRUE(pGroup->IsActive());
  EXPECT_EQ(f.pManager->FindPane(101), f.pManager->GetActivePane());
  CDibCanvas canvas(200, 300);
  CJVKDockingPanePaintManager* pPaint = f.pManager->GetPaintManager();
  pPaint->DrawPane(canvas.DC(), pGroup, CRect(0, 0, 200, 300));
  EXPECT_EQ(::GetSysColor(COLOR_ACTIVECAPTION), canvas.Pixel(100, (pPaint->m_nCaptionHeight + 3) / 2));
  // Without highlighting every caption is inactive.
  pPaint->m_bHighlightActiveCaption = FALSE;
  pPaint->DrawPane(canvas.DC(), pGroup, CRect(0, 0, 200, 300));
  EXPECT_EQ(::GetSysColor(COLOR_INACTIVECAPTION), canvas.Pixel(100, (pPaint->m_nCaptionHeight + 3) / 2));
}

TEST(DockingPaint, VisualStyleThemesFallBackWithoutAStyle) {
  // Theme 3 without its "WINDOW" style: the flat caption's gradient, its
  // first column the inactive start colour.
  CThemeCanvas explorer(3, [](CJVKDockingPanePaintManager* p) {
    auto* pTheme = static_cast<CJVKDockingPaneExplorerBarTheme*>(p);
    pTheme->m_themeWindow.CloseThemeData();
    pTheme->m_themeExplorer.CloseThemeData();
    EXPECT_FALSE(pTheme->IsStyled());
  });
  EXPECT_TRUE(Near(explorer.pPaint->m_grcCaptionInactive.m_clrStart, explorer.canvas.Pixel(0, explorer.MidY())))
      << Hex(explorer.canvas.Pixel(0, explorer.MidY()));
  // Theme 8 without its "REBAR" style: no caption fill at all.
  CThemeCanvas rebar(8, [](CJVKDockingPanePaintManager* p) {
    auto* pTheme = static_cast<CJVKDockingPaneRebarTheme*>(p);
    pTheme->m_themeRebar.CloseThemeData();
    pTheme->m_themeToolbar.CloseThemeData();
    EXPECT_FALSE(pTheme->IsStyled());
  });
  EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), rebar.canvas.Pixel(100, rebar.MidY()));
  // With the styles this Wine runs, both draw without failing.
  for (int nTheme : {3, 8}) {
    CThemeCanvas styled(nTheme);
    (void)styled;
  }
}

TEST(DockingPaint, SplitterStyles) {
  CDockingFixture f;
  f.Create(101, "Left", DockingSideLeft);
  f.Layout();
  CJVKDockingPanePaintManager* pPaint = f.pManager->GetPaintManager();
  CJVKDockingPaneSplitterWnd* pBar = f.Top()->GetSplitters().at(0);
  ASSERT_FALSE(pBar->IsHorizontal());  // side by side: a vertical bar
  CDibCanvas canvas(4, 600);
  // Framed: highlight, then two shades at the far side.
  pPaint->m_dwSplitterStyle = 1;
  pPaint->DrawSplitter(canvas.DC(), pBar);
  EXPECT_EQ(pPaint->GetColor(20), canvas.Pixel(0, 300));
  EXPECT_EQ(pPaint->GetColor(52), canvas.Pixel(2, 300));
  EXPECT_EQ(pPaint->GetColor(18), canvas.Pixel(3, 300));
  // Half-shaded: the edges in entry 21, the first a - 1 inside in entry 5.
  pPaint->m_dwSplitterStyle = 2;
  pPaint->DrawSplitter(canvas.DC(), pBar);
  EXPECT_EQ(pPaint->GetColor(21), canvas.Pixel(0, 300));
  EXPECT_EQ(pPaint->GetColor(5), canvas.Pixel(1, 300));
  EXPECT_EQ(pPaint->GetColor(21), canvas.Pixel(3, 300));
  // A bar 2 pixels thick keeps both edge lines.
  pPaint->m_nSplitterSize = 2;
  f.Layout();
  ASSERT_EQ(2, RectInFrame(pBar->m_hWnd, f.pFrame).Width());
  CDibCanvas thin(2, 600);
  pPaint->DrawSplitter(thin.DC(), pBar);
  EXPECT_EQ(pPaint->GetColor(21), thin.Pixel(0, 300));
  EXPECT_EQ(pPaint->GetColor(21), thin.Pixel(1, 300));
  // The dotted gripper: dots along the centre line of a long bar.
  pPaint->m_nSplitterSize = 4;
  f.Layout();
  pPaint->m_dwSplitterStyle = 8;
  CDibCanvas dotted(4, 600, RGB(1, 2, 3));
  pPaint->DrawSplitter(dotted.DC(), pBar);
  int nDots = 0;
  for (int y = 0; y < 600; ++y) nDots += dotted.Pixel(2, y) == pPaint->GetColor(20) ? 1 : 0;
  EXPECT_GT(nDots, 10);
}

TEST(DockingPaint, ScreenshotOfEachTheme) {
  // UIKIT_DOCKING_SHOT=<prefix>: writes <prefix><theme>.bmp of the frame
  // with four panes (left, right, two tabbed at the bottom) in each theme.
  const char* pszPrefix = std::getenv("UIKIT_DOCKING_SHOT");
  for (int nTheme = 0; nTheme <= 9; ++nTheme) {
    CDockingFixture f;
    f.pManager->SetTheme(nTheme);
    f.Create(101, "Channels", DockingSideLeft);
    f.Create(102, "Properties", DockingSideRight);
    CJVKDockingPane* pBottom = f.Create(103, "Compare", DockingSideBottom);
    f.pManager->AttachPane(f.Create(104, "Output", DockingSideBottom), pBottom);
    f.pManager->FindPane(102)->SetOptions(DockingPaneHasMenuButton);
    f.Layout();
    if (pszPrefix) BringToFront(f.pFrame->m_hWnd);
    ::SetFocus(f.windows[101]);
    f.Group(101)->UpdateActiveState();
    ::RedrawWindow(f.pFrame->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
    // Every group drew its caption buttons somewhere inside its caption.
    for (int nID : {101, 102, 103}) {
      const CRect rc = f.Group(nID)->FindCaptionButton(JVK_IDS_DOCKING_CLOSE)->GetRect();
      EXPECT_FALSE(rc.IsRectEmpty()) << "theme " << nTheme << " pane " << nID;
    }
    EXPECT_FALSE(f.Group(102)->FindCaptionButton(JVK_IDS_DOCKING_MENU)->GetRect().IsRectEmpty()) << nTheme;
    if (!pszPrefix) continue;
    CDibCanvas shot(CDockingFixture::kWidth, CDockingFixture::kHeight);
    HDC hScreen = ::GetDC(nullptr);
    ::BitBlt(*shot.DC(), 0, 0, CDockingFixture::kWidth, CDockingFixture::kHeight, hScreen, 0, 0, SRCCOPY);
    ::ReleaseDC(nullptr, hScreen);
    shot.Save((std::string(pszPrefix) + std::to_string(nTheme) + ".bmp").c_str());
  }
}

TEST(DockingPaint, SchemeThemesShareOneGradientAcrossTheFrame) {
  for (int nTheme : {6, 9}) {
    CDockingFixture f;
    f.pManager->SetTheme(nTheme);
    f.Create(101, "Left", DockingSideLeft);
    f.Layout();
    CJVKDockingPanePaintManager* pPaint = f.pManager->GetPaintManager();
    auto* pSet = dynamic_cast<CJVKDockingTabColorSet*>(pPaint->m_pPanelPaintManager->GetColorSet());
    ASSERT_NE(nullptr, pSet) << nTheme;
    EXPECT_TRUE(pSet->m_bDocking);
    EXPECT_EQ(RGB(255, 255, 255), pSet->m_clrSelectedFace.GetColor());
    const COLORREF clrFrom = pPaint->GetColor(COLOR_BTNFACE);
    const COLORREF clrTo = MixColors(clrFrom, pPaint->GetColor(COLOR_WINDOW), 205);
    EXPECT_EQ(clrFrom, pSet->m_grcButton.m_clrStart.GetColor());
    EXPECT_EQ(clrTo, pSet->m_grcButtonSelected.m_clrStart.GetColor());
    // The bar at x 200 of an 800-pixel frame shows the gradient a quarter
    // (or less, on a wide screen) of the way.
    CJVKDockingPaneSplitterWnd* pBar = f.Top()->GetSplitters().at(0);
    CDibCanvas canvas(4, 600);
    pPaint->DrawSplitter(canvas.DC(), pBar);
    const int nWidth = std::max(CDockingFixture::kWidth, ::GetSystemMetrics(SM_CXFULLSCREEN) / 2);
    auto lerp = [nWidth](int a, int b) { return a + (b - a) * 200 / nWidth; };
    const COLORREF clrExpected = RGB(lerp(GetRValue(clrFrom), GetRValue(clrTo)), lerp(GetGValue(clrFrom), GetGValue(clrTo)),
                                     lerp(GetBValue(clrFrom), GetBValue(clrTo)));
    EXPECT_TRUE(Near(clrExpected, canvas.Pixel(0, 300), 4)) << nTheme << ": " << Hex(canvas.Pixel(0, 300)) << " for "
                                                             << Hex(clrExpected);
  }
}
