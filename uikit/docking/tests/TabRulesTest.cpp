// The palette, hit tests, keyboard moves and the navigate buttons' rules.
#include "TabRules.h"
#include "TabTestSupport.h"

namespace {

TEST(TabPalette, CodesWrapAfterEightInsertions) {
  const struct {
    int nInserted;
    COLORREF code;
  } rows[] = {{0, 0x1000000}, {1, 0x1000001}, {7, 0x1000007}, {8, 0x1000000}, {9, 0x1000001}, {17, 0x1000001}};
  for (const auto& row : rows) EXPECT_EQ(row.code, JVKTabPaletteCode(row.nInserted)) << row.nInserted;
}

TEST(TabPalette, CodesNameColoursOtherValuesStay) {
  const struct {
    COLORREF in, out;
  } rows[] = {
      {0x1000000, 0xE4A88A}, {0x1000001, 0x75DBFF}, {0x1000002, 0x9FCDBD}, {0x1000003, 0x9F9EF0},
      {0x1000004, 0xE1A6BA}, {0x1000005, 0xB4BF9A}, {0x1000006, 0x83B6F7}, {0x1000007, 0xC0ABD8},
      {0x1000008, 0x1000008}, {0xFFFFFF, 0xFFFFFF}, {0, 0}, {0x0FFFFFF, 0x0FFFFFF},
  };
  for (const auto& row : rows) EXPECT_EQ(row.out, JVKTabPaletteColor(row.in)) << std::hex << row.in;
}

TEST(TabHitTest, FirstUsableItemInsideTheHeader) {
  const JVKTabRect control = {0, 0, 200, 100}, header = {0, 0, 150, 21};
  const std::vector<JVKTabHitItem> items = {
      {{2, 3, 52, 21}, TRUE},
      {{52, 3, 112, 21}, FALSE},  // disabled or hidden
      {{100, 3, 160, 21}, TRUE},  // reaches past the header's end
  };
  const struct {
    JVKTabPoint pt;
    int nHit;
  } rows[] = {
      {{2, 3}, 0},   {{51, 20}, 0}, {{52, 10}, -1}, {{99, 10}, -1}, {{100, 10}, 2},
      {{149, 10}, 2}, {{150, 10}, -1},  // outside the header
      {{10, 30}, -1}, {{-1, 5}, -1}, {{10, 2}, -1},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.nHit, JVKTabHitTest(row.pt, control, header, items)) << row.pt.x << "," << row.pt.y;
  // With an empty header only the control bounds the test.
  EXPECT_EQ(2, JVKTabHitTest({155, 10}, control, {0, 0, 0, 0}, items));
  EXPECT_EQ(-1, JVKTabHitTest({155, 10}, {0, 0, 150, 100}, {0, 0, 0, 0}, items));
}

TEST(TabKeys, MovesSkipUnusableItems) {
  const std::vector<BOOL> usable = {FALSE, TRUE, FALSE, TRUE, TRUE, FALSE};
  const struct {
    const char* name;
    int nSelected;
    JVKTabKey key;
    BOOL bVertical;
    BOOL bHandled;
    int nSelect;
  } rows[] = {
      {"home", 4, jvkTabKeyHome, FALSE, TRUE, 1},
      {"end", 1, jvkTabKeyEnd, FALSE, TRUE, 4},
      {"home with nothing selected", -1, jvkTabKeyHome, FALSE, TRUE, 1},
      {"left skips", 3, jvkTabKeyLeft, FALSE, TRUE, 1},
      {"right", 1, jvkTabKeyRight, FALSE, TRUE, 3},
      {"right at the end", 4, jvkTabKeyRight, FALSE, TRUE, -1},
      {"left at the start", 1, jvkTabKeyLeft, FALSE, TRUE, -1},
      {"up in a vertical strip", 4, jvkTabKeyUp, TRUE, TRUE, 3},
      {"down in a vertical strip", 1, jvkTabKeyDown, TRUE, TRUE, 3},
      {"up in a horizontal strip is consumed", 4, jvkTabKeyUp, FALSE, TRUE, -1},
      {"left in a vertical strip is consumed", 4, jvkTabKeyLeft, TRUE, TRUE, -1},
      {"a move with nothing selected is consumed", -1, jvkTabKeyRight, FALSE, TRUE, -1},
      {"other keys pass", 1, jvkTabKeyOther, FALSE, FALSE, -1},
  };
  for (const auto& row : rows) {
    const JVKTabKeyResult result = JVKTabKeyMove(usable, row.nSelected, row.key, row.bVertical);
    EXPECT_EQ(row.bHandled, result.bHandled) << row.name;
    EXPECT_EQ(row.nSelect, result.nSelect) << row.name;
  }
  EXPECT_FALSE(JVKTabKeyMove({}, -1, jvkTabKeyHome, FALSE).bHandled);
  EXPECT_EQ(-1, JVKTabKeyMove({FALSE, FALSE}, 0, jvkTabKeyEnd, FALSE).nSelect);
}

JVKTabNavigateState Button(int nMode, BOOL bWanted = TRUE) {
  JVKTabNavigateState button;
  button.nMode = nMode;
  button.bWanted = bWanted;
  return button;
}

TEST(TabNavigate, WhenEachButtonShows) {
  const struct {
    const char* name;
    int nId, nMode;
    BOOL bWanted;
    int nLayout, nOffset, nBand, nItems;
    BOOL bShown;
  } rows[] = {
      {"auto, tabs fit", jvkTabNavigateBack, jvkTabNavigateAuto, TRUE, jvkTabLayoutAutoSize, 0, 200, 150, FALSE},
      {"auto, overflow", jvkTabNavigateForward, jvkTabNavigateAuto, TRUE, jvkTabLayoutAutoSize, 0, 100, 150, TRUE},
      // 100 < 104 - 2 - 1 is false: a margin's worth of overflow shows none.
      {"auto, just over", jvkTabNavigateForward, jvkTabNavigateAuto, TRUE, jvkTabLayoutAutoSize, 0, 100, 103, FALSE},
      {"auto, scrolled", jvkTabNavigateBack, jvkTabNavigateAuto, TRUE, jvkTabLayoutAutoSize, -20, 200, 50, TRUE},
      {"auto, size to fit", jvkTabNavigateBack, jvkTabNavigateAuto, TRUE, jvkTabLayoutSizeToFit, -20, 100, 500, FALSE},
      {"auto, fixed", jvkTabNavigateBack, jvkTabNavigateAuto, TRUE, jvkTabLayoutFixed, 0, 100, 500, TRUE},
      {"always, multi-row", jvkTabNavigateBack, jvkTabNavigateAlways, TRUE, jvkTabLayoutMultiRow, 0, 100, 500, FALSE},
      {"always", jvkTabNavigateForward, jvkTabNavigateAlways, TRUE, jvkTabLayoutAutoSize, 0, 200, 50, TRUE},
      {"never", jvkTabNavigateForward, jvkTabNavigateNever, TRUE, jvkTabLayoutAutoSize, -40, 100, 500, FALSE},
      {"close, never", jvkTabNavigateClose, jvkTabNavigateNever, TRUE, jvkTabLayoutAutoSize, 0, 100, 50, FALSE},
      {"close, auto, closable", jvkTabNavigateClose, jvkTabNavigateAuto, TRUE, jvkTabLayoutAutoSize, 0, 100, 50, TRUE},
      {"close, auto, not closable", jvkTabNavigateClose, jvkTabNavigateAuto, FALSE, jvkTabLayoutAutoSize, 0, 100, 50,
       FALSE},
      {"close, always", jvkTabNavigateClose, jvkTabNavigateAlways, FALSE, jvkTabLayoutSizeToFit, 0, 100, 50, TRUE},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(row.bShown, JVKTabNavigateShown(row.nId, Button(row.nMode, row.bWanted), row.nLayout, row.nOffset,
                                              row.nBand, row.nItems, 2))
        << row.name;
  }
}

TEST(TabNavigate, EnabledStatesAndReservedLengths) {
  const struct {
    int nId, nOffset, nBand, nItems;
    BOOL bEnabled;
  } enabled[] = {
      {jvkTabNavigateBack, 0, 100, 500, FALSE},   {jvkTabNavigateBack, -1, 100, 50, TRUE},
      {jvkTabNavigateForward, 0, 100, 73, TRUE},  // 100 - 28 < 73
      {jvkTabNavigateForward, 0, 100, 72, FALSE}, {jvkTabNavigateForward, -40, 100, 112, FALSE},
      {jvkTabNavigateClose, 0, 100, 0, TRUE},
  };
  for (const auto& row : enabled)
    EXPECT_EQ(row.bEnabled, JVKTabNavigateEnabled(row.nId, row.nOffset, row.nBand, row.nItems))
        << row.nId << " " << row.nItems;

  const struct {
    int nId, nMode;
    BOOL bWanted, bVertical;
    int nReserved;
  } reserve[] = {
      {jvkTabNavigateBack, jvkTabNavigateAuto, TRUE, FALSE, 0},
      {jvkTabNavigateBack, jvkTabNavigateAlways, TRUE, FALSE, 14},
      {jvkTabNavigateForward, jvkTabNavigateAlways, TRUE, TRUE, 15},
      {jvkTabNavigateClose, jvkTabNavigateAuto, TRUE, FALSE, 14},
      {jvkTabNavigateClose, jvkTabNavigateAuto, FALSE, FALSE, 0},
      {jvkTabNavigateClose, jvkTabNavigateNever, TRUE, TRUE, 0},
  };
  for (const auto& row : reserve)
    EXPECT_EQ(row.nReserved, JVKTabNavigateReserve(row.nId, Button(row.nMode, row.bWanted), row.bVertical))
        << row.nId << " " << row.nMode;
}

}  // namespace

namespace {

// One pixel per character makes the fitting exact.
int CharWidth(const CString& str) { return str.GetLength(); }

TEST(TabMiddleEllipsis, CutsInTheMiddleKeepingTheLargerLeftHalf) {
  const struct {
    const char* text;
    int nWidth;
    const char* fitted;
  } rows[] = {
      {"Channels", 8, "Channels"},  // fits
      {"Channels", 7, "Ch...ls"},   // halves alike: the left keeps its share
      {"Satellite list", 10, "Sate...ist"},
      {"abcdef", 5, "a...f"},
      {"abcdef", 4, "a..."},
      {"abcdef", 2, "..."},  // nothing fits: only the dots stay
      {"", 0, ""},
  };
  for (const auto& row : rows)
    EXPECT_STREQ(row.fitted, JVKMiddleEllipsis(row.text, row.nWidth, CharWidth)) << row.text;
}

}  // namespace
