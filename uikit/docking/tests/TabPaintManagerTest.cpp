// The paint manager's choices: appearance and colour codes, fonts, button
// heights and lengths, the compressed layout and the stacked bars' client.
#include "TabAppearanceSet.h"
#include "TabColorSet.h"
#include "TabHost.h"

#include <gtest/gtest.h>

namespace {

TEST(TabPaintManager, AppearanceCodesAndTheirDefaultColours) {
  const struct {
    int nCode, nAppearance, nColor;
  } rows[] = {{0, 0, 1}, {1, 1, 1}, {2, 2, 1}, {3, 3, 4}, {4, 4, 2}, {5, 5, 2}, {6, 6, 2},
              {7, 7, 2}, {8, 8, 1}, {9, 9, 4}, {10, 0, 1}, {-1, 0, 1}};
  CJVKTabPaintManager paint;
  for (const auto& row : rows) {
    paint.SetColor(jvkTabColorSchemeLight);  // discarded by the new style
    paint.SetAppearance(row.nCode);
    EXPECT_EQ(row.nAppearance, paint.GetAppearance()) << row.nCode;
    EXPECT_EQ(row.nColor, paint.GetColor()) << row.nCode;
  }
}

TEST(TabPaintManager, ColourCodesOutsideTheFiveGiveTheDefaultSet) {
  CJVKTabPaintManager paint;
  const struct {
    int nCode, nColor;
  } rows[] = {{1, 1}, {2, 2}, {3, 1}, {4, 4}, {8, 8}, {16, 16}, {0, 1}, {32, 1}, {-2, 1}};
  for (const auto& row : rows) {
    paint.SetColor(row.nCode);
    EXPECT_EQ(row.nColor, paint.GetColor()) << row.nCode;
    ASSERT_NE(nullptr, paint.GetColorSet());
  }
}

TEST(TabPaintManager, SmallFontsAreClampedForVerticalText) {
  const struct {
    LONG in, out;
  } rows[] = {{-1, -11}, {-8, -11}, {-10, -11}, {-11, -11}, {-12, -12}, {0, 0}, {13, 13}};
  for (const auto& row : rows) EXPECT_EQ(row.out, JVKClampTabFontHeight(row.in)) << row.in;

  CJVKTabPaintManager paint;
  LOGFONT lf = {};
  lf.lfHeight = -8;
  lstrcpyA(lf.lfFaceName, "Tahoma");
  paint.SetFontIndirect(&lf);
  LOGFONT got = {};
  paint.GetFont(FALSE, TRUE)->GetLogFont(&got);
  EXPECT_EQ(-11, got.lfHeight);
  EXPECT_EQ(2700, got.lfEscapement);
  paint.GetFont(FALSE, FALSE)->GetLogFont(&got);
  EXPECT_EQ(-8, got.lfHeight);
  EXPECT_EQ(FW_NORMAL, got.lfWeight);
  paint.GetFont(TRUE, TRUE)->GetLogFont(&got);
  EXPECT_EQ(FW_BOLD, got.lfWeight);
}

TEST(TabPaintManager, ButtonHeightFollowsTheFontButNotBelow18) {
  const struct {
    LONG lfHeight;
    int nButton;
  } rows[] = {{12, 18}, {15, 18}, {16, 19}, {20, 23}};
  for (const auto& row : rows) {
    CJVKTabPaintManager paint;
    LOGFONT lf = {};
    lf.lfHeight = row.lfHeight;  // the cell height
    lstrcpyA(lf.lfFaceName, "Tahoma");
    paint.SetFontIndirect(&lf);
    paint.GetAppearanceSet()->RefreshMetrics();
    EXPECT_EQ(row.nButton, paint.GetAppearanceSet()->GetButtonHeight()) << row.lfHeight;
  }
}

TEST(TabPaintManager, ButtonLengthPaddedAndBounded) {
  CJVKTabPaintManager paint;
  paint.m_rcButtonPadding = CRect(3, 0, 4, 0);
  const struct {
    int nContent, nMin, nMax, nLength;
  } rows[] = {{50, 0, 0, 57}, {50, 80, 0, 80}, {50, 0, 40, 40}, {50, 60, 100, 60}, {200, 60, 100, 100}};
  for (const auto& row : rows)
    EXPECT_EQ(row.nLength, paint.GetButtonLength(row.nContent, row.nMin, row.nMax)) << row.nContent;
}

TEST(TabPaintManager, CompressedTabsShowCaptionsOnlyWhenSelected) {
  CTestTabHost host(CRect(0, 0, 400, 60));
  host.m_paint.SetLayout(jvkTabLayoutCompressed);
  CJVKTabManagerItem* pShort = host.Add("A");
  CJVKTabManagerItem* pLong = host.Add("A much longer caption");
  pShort->SetImageIndex(0);
  pLong->SetImageIndex(0);
  host.SetSelectedItem(pShort);
  const int nSelected = pShort->GetWidth(), nIconOnly = pLong->GetWidth();
  EXPECT_EQ(6 + 16 + 2, nIconOnly);  // the icon alone
  host.SetSelectedItem(pLong);
  // The selected tab is as wide as the widest caption wherever it moves.
  EXPECT_EQ(nSelected, pLong->GetWidth());
  EXPECT_EQ(nIconOnly, pShort->GetWidth());
}

TEST(TabPaintManager, StackedBarsGiveTheSpaceBelowTheSelectedBar) {
  CTestTabHost host(CRect(0, 0, 200, 200));
  host.m_paint.SetAppearance(8);
  CJVKTabManagerItem* pOnly = host.Add("Only");
  host.SetSelectedItem(pOnly);
  const int h = host.m_paint.GetAppearanceSet()->GetRowHeight(&host);
  EXPECT_EQ(CRect(1, 1, 199, 1 + h), pOnly->GetRect());
  EXPECT_EQ(CRect(1, 2 + h, 199, 199), host.GetClientRect());

  CJVKTabManagerItem* pSecond = host.Add("Second");
  CJVKTabManagerItem* pThird = host.Add("Third");
  host.SetSelectedItem(pSecond);
  EXPECT_EQ(1 + h, pSecond->GetRect().top);
  EXPECT_EQ(199, pThird->GetRect().bottom);  // pushed to the bottom
  EXPECT_EQ(CRect(1, 2 + 2 * h, 199, 199 - h), host.GetClientRect());
  EXPECT_TRUE(host.GetHeaderRect().IsRectEmpty());
  EXPECT_EQ(pThird, host.HitTest(CPoint(50, 195)));
}

TEST(TabPaintManager, OnePaintManagerServesSeveralStrips) {
  CTestTabHost a, b;
  CJVKTabPaintManager shared;
  shared.AddClient(&a);
  shared.AddClient(&b);
  const int nA = a.m_nRepositions, nB = b.m_nRepositions;
  shared.SetPosition(jvkTabPositionBottom);
  EXPECT_EQ(nA + 1, a.m_nRepositions);
  EXPECT_EQ(nB + 1, b.m_nRepositions);
  shared.RemoveClient(&a);
  shared.SetLayout(jvkTabLayoutFixed);
  EXPECT_EQ(nA + 1, a.m_nRepositions);
  EXPECT_EQ(nB + 2, b.m_nRepositions);
  shared.RemoveClient(&b);
}

}  // namespace
