// The status bar's pane arithmetic as tables: free width, the stretch split
// with its carried remainder, the right edges and the bar's height.
#include <gtest/gtest.h>

#include <string>

#include "StatusBarLayout.h"

namespace {

using Panes = std::vector<CJVKStatusLayoutPane>;

TEST(StatusBarLayoutTest, FreeWidthTakesEachPaneWithItsMarginsAndGap) {
  const struct {
    int nInside, nGap;
    Panes panes;
    int nFree;
  } rows[] = {
      {500, 2, {}, 502},
      // 500 + 2 - (100 + 2 + 6) - (40 + 2 + 6)
      {500, 2, {{100, true}, {40, false}}, 346},
      {100, 2, {{80, false}, {40, false}}, -34},  // too narrow: negative
      {300, 0, {{0, true}, {0, true}}, 288},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.nInside) + " with " + std::to_string(row.panes.size()) + " panes");
    EXPECT_EQ(JVKStatusFreeWidth(row.nInside, row.nGap, row.panes), row.nFree);
  }
}

TEST(StatusBarLayoutTest, StretchPanesSplitTheFreeWidthCarryingTheRemainder) {
  const struct {
    const char* name;
    Panes panes;
    int nFree, nBorder, nGap;
    std::vector<int> edges;
  } rows[] = {
      // 101 free pixels: the first takes 101 / 2 = 50, the second the 51 left.
      {"two stretch, odd", {{0, true}, {0, true}}, 101, 0, 0, {6 + 50, 6 + 50 + 6 + 51}},
      {"two stretch, even", {{0, true}, {0, true}}, 100, 0, 0, {56, 112}},
      // 100 over three: 33, then 67 / 2 = 33, then 34.
      {"three stretch", {{10, true}, {10, true}, {10, true}}, 100, 0, 0, {49, 98, 148}},
      // Border start, gaps between parts, fixed panes keep their width.
      {"message and indicators", {{0, true}, {30, false}, {20, false}}, 200, 2, 2, {208, 246, 274}},
      {"stretch after fixed", {{30, false}, {0, true}}, 50, 0, 2, {36, 94}},
      {"no free width", {{40, true}, {30, false}}, 0, 0, 2, {46, 84}},
      {"negative free width", {{40, true}, {30, false}}, -20, 0, 2, {46, 84}},
      {"no stretch pane", {{40, false}}, 100, 3, 2, {49}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(JVKStatusRightEdges(row.panes, row.nFree, row.nBorder, row.nGap), row.edges);
  }
}

TEST(StatusBarLayoutTest, TheSplitWidthsOfTwoStretchPanesSumToTheFreeWidth) {
  for (int nFree = 0; nFree < 40; ++nFree) {
    const std::vector<int> edges = JVKStatusRightEdges({{0, true}, {0, true}}, nFree, 0, 0);
    const int nFirst = edges[0] - 6, nSecond = edges[1] - edges[0] - 6;
    EXPECT_EQ(nFirst, nFree / 2) << nFree;
    EXPECT_EQ(nFirst + nSecond, nFree) << nFree;
  }
}

TEST(StatusBarLayoutTest, HeightIsOneLineOfTheFontWithinTheMinimum) {
  const struct {
    int nMin, cyBorder, nVertBorder, nFontHeight, nLeading, nMargins;
    int nHeight;
  } rows[] = {
      {20, 1, 2, 13, 0, 2, 22},   // (1 + 2) * 2 + 13 - 0 - 1 = 18 < 20
      {20, 1, 2, 19, 3, 2, 23},   // 6 + 19 - 3 - 1 = 21 > 20
      {0, 1, 2, 16, 2, 0, 19},    // 6 + 16 - 2 - 1
      {30, 1, 2, 40, 0, 3, 48},   // 6 + 40 - 1 = 45, + 3
      {40, 1, 2, 16, 2, 0, 40},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(JVKStatusBarHeight(row.nMin, row.cyBorder, row.nVertBorder, row.nFontHeight, row.nLeading, row.nMargins),
              row.nHeight)
        << row.nMin << " " << row.nFontHeight;
  }
}

}  // namespace
