// The dock bar's row geometry as tables: overlapping bars pushed apart,
// shrinkable bars squeezed from the right, a bar that does not fit wrapped
// into a visual row of its own, the stretched and gap-filling bars, and
// where a dropped bar goes among the rows.
#include "DockLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// A stand-in bar: nWidth long when there is room; a shrinkable one (mode
// with JVK_LM_HIDE_WRAP) gives way down to nMin; nThick across.
struct CFakeBar {
  int nStart, nWidth, nMin, nThick;
  BOOL bShrinks;
  DWORD dwFlags = 0;
};

const DWORD kHorzMode = LM_HORZDOCK | LM_HORZ;

std::vector<JVKDockRowItem> Items(const std::vector<CFakeBar>& bars) {
  std::vector<JVKDockRowItem> items;
  for (const CFakeBar& b : bars) {
    JVKDockRowItem item;
    item.nStart = b.nStart;
    item.dwMode = kHorzMode | (b.bShrinks ? JVK_LM_HIDE_WRAP : 0);
    item.dwFlags = b.dwFlags;
    items.push_back(item);
  }
  return items;
}

JVKDockSizeFn SizeOf(const std::vector<CFakeBar>& bars) {
  return [bars](int nItem, int nLength, DWORD dwMode) {
    const CFakeBar& b = bars[nItem];
    int cx = b.nWidth;
    if (dwMode & LM_STRETCH) cx = nLength;
    else if ((dwMode & JVK_LM_HIDE_WRAP) && nLength < cx) cx = std::max(b.nMin, nLength);
    return JVKLayoutSize{cx, b.nThick};
  };
}

// The left and right edge of every item, in item order.
std::vector<std::pair<int, int>> Spans(const std::vector<JVKDockRowPlace>& places, size_t nCount) {
  std::vector<std::pair<int, int>> spans(nCount, {-1, -1});
  for (const JVKDockRowPlace& p : places) spans[p.nItem] = {p.rect.left, p.rect.right};
  return spans;
}

}  // namespace

TEST(DockLayout, ARowSharesItsLengthAmongItsBars) {
  using Spans_t = std::vector<std::pair<int, int>>;
  const struct Row {
    const char* pszCase;
    std::vector<CFakeBar> bars;
    int nLength;
    BOOL bFits;
    int nMoveOut;
    Spans_t spans;
  } rows[] = {
      {"room for both where they want to be", {{0, 100, 30, 22, TRUE}, {150, 80, 30, 22, TRUE}}, 400, TRUE, -1,
       {{0, 100}, {150, 230}}},
      {"the later of two overlapping bars is pushed right", {{0, 100, 30, 22, TRUE}, {60, 80, 30, 22, TRUE}}, 400, TRUE,
       -1, {{0, 100}, {100, 180}}},
      {"a bar beyond the end is pushed left from the row's end", {{0, 100, 30, 22, TRUE}, {350, 80, 30, 22, TRUE}}, 400,
       TRUE, -1, {{0, 100}, {320, 400}}},
      {"pushed left, the one before gives way too", {{250, 100, 30, 22, TRUE}, {330, 100, 30, 22, TRUE}}, 400, TRUE, -1,
       {{200, 300}, {300, 400}}},
      {"too long: the shrinkable bars are squeezed from the right",
       {{0, 150, 30, 22, TRUE}, {150, 150, 30, 22, TRUE}}, 200, TRUE, -1, {{0, 150}, {150, 200}}},
      {"a bar that cannot shrink wraps", {{0, 150, 150, 22, FALSE}, {150, 150, 150, 22, FALSE}}, 200, FALSE, 1, {}},
      {"even the minimum lengths do not fit: the rightmost wraps",
       {{0, 150, 120, 22, TRUE}, {150, 150, 120, 22, TRUE}}, 200, FALSE, 1, {}},
      {"a single bar always stays", {{0, 300, 250, 22, FALSE}}, 200, TRUE, -1, {{0, 300}}},
  };
  for (const Row& row : rows) {
    const JVKDockRowResult result = JVKLayoutDockRow(Items(row.bars), 0, row.nLength, TRUE, SizeOf(row.bars));
    EXPECT_EQ(row.bFits, result.bFits) << row.pszCase;
    EXPECT_EQ(row.nMoveOut, result.nMoveOut) << row.pszCase;
    if (row.bFits) {
      EXPECT_EQ(row.spans, Spans(result.places, row.bars.size())) << row.pszCase;
      EXPECT_EQ(22, result.nThickness) << row.pszCase;
      for (const JVKDockRowPlace& p : result.places) EXPECT_TRUE(p.dwMode & LM_COMMIT) << row.pszCase;
    }
  }
}

TEST(DockLayout, AVerticalRowRunsDownAndItsThicknessIsItsWidth) {
  // Vertical bars: the fake size is (thickness, length) the other way.
  const std::vector<CFakeBar> bars = {{0, 100, 30, 26, TRUE}, {40, 80, 30, 24, TRUE}};
  const auto size = [bars](int nItem, int, DWORD) { return JVKLayoutSize{bars[nItem].nThick, bars[nItem].nWidth}; };
  const JVKDockRowResult result = JVKLayoutDockRow(Items(bars), 5, 400, FALSE, size);
  ASSERT_TRUE(result.bFits);
  EXPECT_EQ(26, result.nThickness);
  ASSERT_EQ(2u, result.places.size());
  EXPECT_EQ((JVKLayoutRect{5, 0, 31, 100}), result.places[0].rect);
  EXPECT_EQ((JVKLayoutRect{5, 100, 29, 180}), result.places[1].rect);
}

TEST(DockLayout, AStoredRowWrapsIntoVisualRowsAndStaysOneRow) {
  const std::vector<CFakeBar> bars = {
      {0, 150, 150, 22, FALSE}, {150, 150, 150, 24, FALSE}, {300, 150, 150, 20, FALSE}};
  std::vector<JVKDockRowPlace> places;
  const int nThickness = JVKLayoutDockRowWrapped(Items(bars), 0, 200, TRUE, SizeOf(bars), places);
  // Each bar needs the whole length: three visual rows.
  EXPECT_EQ(22 + 24 + 20, nThickness);
  // Alone in its visual row, a bar keeps its place as far as the row lets it.
  const struct {
    int nItem, nTop, nLeft;
  } expected[] = {{0, 0, 0}, {1, 22, 50}, {2, 46, 50}};
  for (const auto& [nItem, nTop, nLeft] : expected) {
    auto it = std::find_if(places.begin(), places.end(), [n = nItem](const JVKDockRowPlace& p) { return p.nItem == n; });
    ASSERT_NE(places.end(), it);
    EXPECT_EQ(nTop, it->rect.top) << nItem;
    EXPECT_EQ(nLeft, it->rect.left) << nItem;
  }
}

TEST(DockLayout, AGapFillingBarTakesTheRoomBetweenItsNeighbours) {
  std::vector<CFakeBar> bars = {{0, 60, 30, 22, TRUE}, {100, 50, 30, 22, TRUE}, {300, 60, 30, 22, TRUE}};
  bars[1].dwFlags = JVK_BAR_FILLS_GAP;
  const JVKDockRowResult result = JVKLayoutDockRow(Items(bars), 0, 400, TRUE, SizeOf(bars));
  ASSERT_TRUE(result.bFits);
  const auto spans = Spans(result.places, bars.size());
  EXPECT_EQ(std::make_pair(60, 300), spans[1]);
  EXPECT_TRUE(result.places[1].dwMode & LM_STRETCH);
}

TEST(DockLayout, ADroppedBarFindsItsRow) {
  // Two rows: 0 to 26 and 26 to 50.
  const std::vector<int> edges = {26, 50};
  const struct {
    const char* pszCase;
    int c;
    int nRow;
    BOOL bNewRow;
  } rows[] = {
      {"above the first row: a new first row", -3, 0, TRUE},
      {"on the first row's top edge", 0, 0, TRUE},
      {"inside the first row", 10, 0, FALSE},
      {"exactly on the boundary: a new row between", 26, 1, TRUE},
      {"inside the second row", 40, 1, FALSE},
      {"below the last row: a new last row", 50, 2, TRUE},
      {"far below", 300, 2, TRUE},
  };
  for (const auto& row : rows) {
    const JVKDockInsert insert = JVKFindDockInsert(edges, row.c);
    EXPECT_EQ(row.nRow, insert.nRow) << row.pszCase;
    EXPECT_EQ(row.bNewRow, insert.bNewRow) << row.pszCase;
  }
  EXPECT_EQ(0, JVKFindDockInsert({}, 5).nRow) << "an empty dock bar: its first row";
}
