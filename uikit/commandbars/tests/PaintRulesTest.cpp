#include "PaintRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

COLORREF Rgb(int r, int g, int b) { return static_cast<COLORREF>(r | (g << 8) | (b << 16)); }

TEST(PaintColors, OverrideWinsAndSurvivesNewValues) {
  CJVKPaintColors colors;
  colors.SetValue(15, Rgb(1, 2, 3));
  EXPECT_EQ(Rgb(1, 2, 3), colors.GetColor(15));
  colors.SetOverride(15, Rgb(9, 9, 9));
  colors.SetValue(15, Rgb(4, 5, 6));  // a refresh writes values only
  EXPECT_EQ(Rgb(9, 9, 9), colors.GetColor(15));
  EXPECT_EQ(Rgb(4, 5, 6), colors.GetSlot(15).m_clrValue);
  colors.SetOverride(15, JVK_COLOR_UNSET);
  EXPECT_EQ(Rgb(4, 5, 6), colors.GetColor(15));
}

TEST(PaintColors, ValuesAboveTheTableAreColours) {
  CJVKPaintColors colors;
  for (UINT v : {60u, 61u, 0x123456u, 0xFFFFFFu}) EXPECT_EQ(v, colors.GetColor(v));
}

TEST(PaintColors, SetColorsWritesValuesAndIgnoresBadIndices) {
  CJVKPaintColors colors;
  colors.SetOverride(30, Rgb(7, 7, 7));
  const int indices[] = {30, 31, -1, 60};
  const COLORREF values[] = {Rgb(1, 1, 1), Rgb(2, 2, 2), Rgb(3, 3, 3), Rgb(4, 4, 4)};
  colors.SetColors(4, indices, values);
  EXPECT_EQ(Rgb(7, 7, 7), colors.GetColor(30));
  EXPECT_EQ(Rgb(1, 1, 1), colors.GetSlot(30).m_clrValue);
  EXPECT_EQ(Rgb(2, 2, 2), colors.GetColor(31));
}

TEST(PaintThemes, FactoryNumbers) {
  const struct {
    int nAsked, nClass;
  } rows[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 0}, {7, 0}, {9, 0}, {-1, 0}, {1000, 0}};
  for (const auto& row : rows) EXPECT_EQ(row.nClass, JVKThemeClassFor(row.nAsked)) << row.nAsked;
}

TEST(PaintFonts, SmallMenuFontHeightsAreClamped) {
  const struct {
    LONG in, out;
  } rows[] = {{-1, -11}, {-9, -11}, {-10, -11}, {-11, -11}, {-12, -12}, {-20, -20}, {0, 0}, {8, 8}, {13, 13}};
  for (const auto& row : rows) EXPECT_EQ(row.out, JVKClampMenuFontHeight(row.in)) << row.in;
}

TEST(PaintFonts, TahomaIsKeptOnceGiven) {
  BOOL bKeep = FALSE;
  // A system face: nothing kept yet.
  EXPECT_EQ(CString("Segoe UI"), JVKChooseTextFace("Segoe UI", 0, TRUE, TRUE, bKeep));
  EXPECT_FALSE(bKeep);
  EXPECT_EQ(CString("Tahoma"), JVKChooseTextFace("tahoma", 0, TRUE, TRUE, bKeep));
  EXPECT_TRUE(bKeep);
  const struct {
    BYTE nCharSet;
    BOOL bUseMenuFont, bInstalled;
    const char* pszFace;
  } rows[] = {
      {0, TRUE, TRUE, "Tahoma"},     {1, TRUE, TRUE, "Tahoma"},     {2, TRUE, TRUE, "Tahoma"},
      {128, TRUE, TRUE, "MS Sans"},  {0, FALSE, TRUE, "MS Sans"},   {0, TRUE, FALSE, "MS Sans"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(CString(row.pszFace), JVKChooseTextFace("MS Sans", row.nCharSet, row.bUseMenuFont, row.bInstalled, bKeep))
        << int(row.nCharSet) << row.bUseMenuFont << row.bInstalled;
    EXPECT_TRUE(bKeep);
  }
}

TEST(PaintFonts, SharedFaces) {
  EXPECT_EQ(CString("Given"), JVKChooseSharedFace("Given", TRUE, TRUE, 0, TRUE, "Menu"));
  EXPECT_EQ(CString("Tahoma"), JVKChooseSharedFace("Given", FALSE, TRUE, 0, TRUE, "Menu"));
  EXPECT_EQ(CString("Menu"), JVKChooseSharedFace("", FALSE, TRUE, 128, TRUE, "Menu"));
  EXPECT_EQ(CString("Menu"), JVKChooseSharedFace("", FALSE, FALSE, 0, TRUE, "Menu"));
  EXPECT_EQ(CString("Arial"), JVKChooseSharedVerticalFace("", FALSE, "Menu", TRUE));
  EXPECT_EQ(CString("Tahoma"), JVKChooseSharedVerticalFace("", FALSE, "Tahoma", TRUE));
  EXPECT_EQ(CString("Menu"), JVKChooseSharedVerticalFace("", FALSE, "Menu", FALSE));
  EXPECT_EQ(CString("Vert"), JVKChooseSharedVerticalFace("Vert", TRUE, "Menu", TRUE));
}

TEST(PaintSchemes, ResolutionOfTheSetting) {
  const struct {
    int nSetting, nDetected, nCurrent;
    BOOL bDisabled;
    int nResult;
  } rows[] = {
      {5, 2, 3, FALSE, 2}, {5, 2, 3, TRUE, 0}, {4, 2, 3, FALSE, 3}, {4, 2, 3, TRUE, 3},
      {0, 2, 3, FALSE, 0}, {1, 2, 3, FALSE, 1}, {3, 0, 0, FALSE, 3},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.nResult, JVKResolveColorScheme(row.nSetting, row.nDetected, row.nCurrent, row.bDisabled))
        << row.nSetting << " " << row.bDisabled;
}

TEST(PaintSchemes, TablesPerScheme) {
  EXPECT_EQ(nullptr, JVKGradientSchemeFor(0));
  EXPECT_EQ(nullptr, JVKGradientSchemeFor(4));
  const CJVKGradientScheme* p1 = JVKGradientSchemeFor(1);
  const CJVKGradientScheme* p2 = JVKGradientSchemeFor(2);
  const CJVKGradientScheme* p3 = JVKGradientSchemeFor(3);
  ASSERT_TRUE(p1 && p2 && p3);
  // One cell of every row of the per-scheme table.
  EXPECT_EQ(Rgb(158, 190, 245), p1->clrBarStart);
  EXPECT_EQ(Rgb(242, 241, 228), p2->clrBarEnd);
  EXPECT_EQ(Rgb(153, 151, 181), p3->clrToolBarBottom);
  EXPECT_EQ(Rgb(221, 236, 254), p1->clrToolBarTop);
  EXPECT_EQ(Rgb(96, 128, 88), p2->clrBottomLine);
  EXPECT_EQ(Rgb(122, 121, 153), p3->clrSecondLine);
  EXPECT_EQ(Rgb(227, 239, 255), p1->clrPoppedStart);
  EXPECT_EQ(Rgb(194, 206, 159), p2->clrPoppedEnd);
  EXPECT_EQ(Rgb(118, 116, 146), p3->clrExpandStart);
  EXPECT_EQ(Rgb(117, 166, 241), p1->clrExpandEnd);
  EXPECT_EQ(Rgb(164, 180, 120), p2->clrHiddenEnd);
  EXPECT_EQ(Rgb(215, 215, 226), p3->clrHiddenStart);
  EXPECT_EQ(Rgb(129, 169, 226), p1->clrGlyphFirst);
  EXPECT_EQ(Rgb(236, 240, 213), p2->clrGlyphSecond);
  EXPECT_EQ(Rgb(236, 234, 218), p3->clrPaneBorder);
  EXPECT_EQ(Rgb(22, 30, 54), p1->clrShadow);
  EXPECT_EQ(Rgb(216, 227, 182), p2->clrSlot53);
  EXPECT_EQ(Rgb(223, 223, 234), p3->clrSlot51);
  EXPECT_EQ(Rgb(158, 190, 245), p1->clrSlot52);
  EXPECT_EQ(Rgb(151, 160, 123), p2->clrSlot12);
  EXPECT_EQ(Rgb(214, 215, 231), p3->clrSlot56);
  // SetColors: the order of indices, and 32, 37 and 50 share one value.
  const int expected[13] = {38, 39, 40, 41, 43, 31, 32, 37, 50, 33, 36, 30, 47};
  for (int i = 0; i < 13; ++i) EXPECT_EQ(expected[i], JVK_SCHEME_SET_INDICES[i]);
  for (const CJVKGradientScheme* p : {p1, p2, p3}) {
    EXPECT_EQ(p->clrSet[6], p->clrSet[7]);
    EXPECT_EQ(p->clrSet[6], p->clrSet[8]);
    EXPECT_EQ(Rgb(0, 0, 0), p->clrSet[12]);
    EXPECT_EQ(Rgb(255, 238, 194), p->clrSet[5]);
    EXPECT_EQ(p->clrBarStart, p->clrSet[11]);  // colour 30 is the bar start
  }
  EXPECT_EQ(Rgb(0, 0, 128), p1->clrSet[6]);
  EXPECT_EQ(Rgb(81, 94, 51), p2->clrSet[0]);
  EXPECT_EQ(Rgb(253, 250, 255), p3->clrSet[3]);
}

TEST(PaintAnimation, PositionsAndKinds) {
  for (int k = -1; k <= 7; ++k) EXPECT_EQ(k >= 2 && k <= 4, !!JVKIsAnimationKind(k)) << k;
  for (int p = 0; p <= 7; ++p) EXPECT_EQ(p == 2 || p == 3 || p == 5, !!JVKIsVerticalPosition(p)) << p;
}

TEST(PaintAnimation, FrameSizesGrowToTheWhole) {
  const JVKFrameSize whole = {100, 50};
  EXPECT_EQ((JVKFrameSize{10, 5}), JVKAnimationFrameSize(2, 100, 50, 1, 10));
  EXPECT_EQ((JVKFrameSize{100, 5}), JVKAnimationFrameSize(3, 100, 50, 1, 10));
  EXPECT_EQ((JVKFrameSize{33, 16}), JVKAnimationFrameSize(2, 100, 50, 1, 3));
  EXPECT_EQ(whole, JVKAnimationFrameSize(2, 100, 50, 10, 10));
  EXPECT_EQ(whole, JVKAnimationFrameSize(3, 100, 50, 3, 3));
}

TEST(PaintAnimation, FramePausesNeverComeFromANegativeDuration) {
  const struct {
    int nDuration, nSteps;
    DWORD dwSleep;
  } rows[] = {{100, 10, 10}, {100, 3, 33}, {5, 10, 0}, {0, 10, 0}, {-1, 10, 0}, {-100, 10, 0}, {100, 0, 0},
              {100, -2, 0}};
  for (const auto& row : rows)
    EXPECT_EQ(row.dwSleep, JVKAnimationFrameSleep(row.nDuration, row.nSteps)) << row.nDuration << "/" << row.nSteps;
}

TEST(PaintAnimation, FadeFramesSleepWhatIsLeft) {
  const struct {
    int nDuration, nSteps;
    DWORD dwElapsed, dwSleep;
  } rows[] = {{100, 10, 0, 10}, {100, 10, 3, 7}, {100, 10, 10, 0}, {100, 10, 25, 0},
              {100, 3, 1, 32},  {0, 10, 0, 0},   {100, 0, 0, 0},   {100, -2, 0, 0},
              {-50, 10, 0, 0}};
  for (const auto& row : rows)
    EXPECT_EQ(row.dwSleep, JVKFadeFrameSleep(row.nDuration, row.nSteps, row.dwElapsed))
        << row.nDuration << "/" << row.nSteps << " after " << row.dwElapsed;
}

TEST(PaintAnimation, BlendKeepsTheFourthByte) {
  const BYTE a[8] = {255, 0, 100, 0x11, 0, 0, 0, 0x22};
  const BYTE b[8] = {0, 255, 100, 0x33, 255, 255, 255, 0x44};
  BYTE dst[8] = {0, 0, 0, 0xAA, 0, 0, 0, 0xBB};
  JVKBlendRow(a, b, dst, 2, 128);
  EXPECT_EQ((255 * 128) / 256, dst[0]);
  EXPECT_EQ((255 * 127) / 256, dst[1]);
  EXPECT_EQ((100 * 128 + 100 * 127) / 256, dst[2]);
  EXPECT_EQ(0xAA, dst[3]);
  EXPECT_EQ((255 * 127) / 256, dst[4]);
  EXPECT_EQ(0xBB, dst[7]);
}

TEST(PaintSchemes, ExpandGlyphPixels) {
  const COLORREF first = Rgb(200, 100, 0), second = Rgb(0, 100, 200);
  EXPECT_EQ(first, JVKExpandGlyphPixel(first, second, 0));
  EXPECT_EQ(Rgb(0, 255, 0), JVKExpandGlyphPixel(first, second, 255));
  EXPECT_EQ(Rgb(200 - 200 * 254 / 255, 100, 200 * 254 / 255), JVKExpandGlyphPixel(first, second, 254));
  EXPECT_EQ(Rgb(200 - 200 * 100 / 255, 100, 200 * 100 / 255), JVKExpandGlyphPixel(first, second, 100));
  int nTransparent = 0;
  for (BYTE shade : JVK_EXPAND_GLYPH_SHADES) nTransparent += shade == 255;
  EXPECT_GT(nTransparent, 0);
  EXPECT_LT(nTransparent, 256);
}

}  // namespace
