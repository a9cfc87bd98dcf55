// Size to fit, the multi-row balance and the stretching of rows.
#include "TabTestSupport.h"

#include <numeric>

namespace {

TEST(TabSizeToFit, ShrinksTheWidestFirst) {
  const struct {
    std::vector<int> widths;
    int nAvailable;
    std::vector<int> fitted;
  } rows[] = {
      {{100, 60, 60}, 180, {60, 60, 60}},
      {{100, 60, 60}, 150, {50, 50, 50}},  // one group in the end: 150 / 3 each
      {{100, 60, 60}, 220, {100, 60, 60}},  // fits: nothing changes
      {{120, 100, 50}, 200, {75, 75, 50}},
      {{90, 90, 30}, 171, {71, 71, 30}},  // the remainder of 39 / 2 stays
      {{30, 90, 90}, 170, {30, 70, 70}},
      {{101, 100}, 100, {50, 50}},
      {{80}, 50, {50}},
      {{80, 70}, -10, {0, 0}},  // no room: empty tabs, never negative ones
      {{}, 10, {}},
  };
  for (const auto& row : rows) {
    std::vector<int> widths = row.widths;
    JVKSizeTabsToFit(widths, row.nAvailable);
    EXPECT_EQ(row.fitted, widths) << row.nAvailable;
  }
}

std::vector<std::pair<int, int>> Pairs(const std::vector<JVKTabRow>& rows) {
  std::vector<std::pair<int, int>> pairs;
  for (const JVKTabRow& row : rows) pairs.emplace_back(row.nFirst, row.nLast);
  return pairs;
}

TEST(TabRows, GreedyThenBalanced) {
  typedef std::vector<std::pair<int, int>> Rows;
  const struct {
    const char* name;
    std::vector<int> widths;
    int nAvailable;
    BOOL bFill;
    Rows greedy, balanced;
  } rows[] = {
      {"one row", {30, 40}, 100, TRUE, {{0, 1}}, {{0, 1}}},
      {"even", {50, 50, 50, 50, 50}, 120, TRUE, {{0, 1}, {2, 3}, {4, 4}}, {{0, 0}, {1, 2}, {3, 4}}},
      {"wide first", {100, 20, 20, 20, 20, 20}, 150, TRUE, {{0, 2}, {3, 5}}, {{0, 0}, {1, 5}}},
      {"without fill the greedy rows stand", {100, 20, 20, 20, 20, 20}, 150, FALSE, {{0, 2}, {3, 5}},
       {{0, 2}, {3, 5}}},
      {"spread", {30, 30, 30, 30, 30, 30, 60}, 100, TRUE, {{0, 2}, {3, 5}, {6, 6}}, {{0, 1}, {2, 4}, {5, 6}}},
      // Row 1 first ends early, the rest fails, so it takes one more tab.
      {"taken back", {40, 40, 40, 40, 40, 100}, 120, TRUE, {{0, 2}, {3, 4}, {5, 5}}, {{0, 1}, {2, 4}, {5, 5}}},
      {"a tab longer than the strip", {200, 10}, 100, TRUE, {{0, 0}, {1, 1}}, {{0, 0}, {1, 1}}},
      {"zero widths", {0, 60, 0, 60, 0}, 100, TRUE, {{0, 2}, {3, 4}}, {{0, 2}, {3, 4}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.greedy, Pairs(JVKGreedyTabRows(row.widths, row.nAvailable)));
    EXPECT_EQ(row.balanced, Pairs(JVKBalanceTabRows(row.widths, row.nAvailable, row.bFill)));
  }
}

// Many tabs of mixed widths: the balance keeps the greedy row count, covers
// every tab once in order and keeps each row within the strip. Widths that
// make a plain recursive search explode finish here at once.
TEST(TabRows, BalanceOfManyTabsIsValid) {
  for (int nCount : {17, 120, 500}) {
    for (int nAvailable : {150, 400, 997}) {
      std::vector<int> widths(nCount);
      unsigned seed = 12345u + static_cast<unsigned>(nCount);
      for (int& w : widths) {
        seed = seed * 1103515245u + 12345u;
        w = 30 + static_cast<int>((seed >> 16) % 90);
      }
      const std::vector<JVKTabRow> greedy = JVKGreedyTabRows(widths, nAvailable);
      const std::vector<JVKTabRow> rows = JVKBalanceTabRows(widths, nAvailable, TRUE);
      SCOPED_TRACE(::testing::Message() << nCount << " tabs in " << nAvailable);
      EXPECT_EQ(greedy.size(), rows.size());
      int nNext = 0;
      for (const JVKTabRow& row : rows) {
        EXPECT_EQ(nNext, row.nFirst);
        EXPECT_LE(row.nFirst, row.nLast);
        EXPECT_LE(std::accumulate(widths.begin() + row.nFirst, widths.begin() + row.nLast + 1, 0), nAvailable);
        nNext = row.nLast + 1;
      }
      EXPECT_EQ(nCount, nNext);
    }
  }
}

TEST(TabRows, StretchFillsTheRowExactly) {
  const struct {
    std::vector<int> widths;
    JVKTabRow row;
    int nAvailable;
    std::vector<int> stretched;
  } rows[] = {
      {{50, 30, 20}, {0, 2}, 110, {53, 33, 24}},
      {{40, 40}, {0, 1}, 120, {60, 60}},
      {{10, 50, 30, 20, 10}, {1, 3}, 110, {10, 53, 33, 24, 10}},  // only the row's tabs
      {{130}, {0, 0}, 120, {120}},  // a tab longer than the strip is cut to it
  };
  for (const auto& row : rows) {
    std::vector<int> widths = row.widths;
    JVKStretchTabRow(widths, row.row, row.nAvailable);
    EXPECT_EQ(row.stretched, widths);
  }
}

}  // namespace
