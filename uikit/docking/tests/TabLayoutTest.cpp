// The standard one-row layout in every position, the rotated and multi-row
// layouts, the static frame, scrolling and the navigate buttons' places.
#include "TabTestSupport.h"

namespace {

JVKTabLayoutStyle Style(int nPosition, int nLayout = jvkTabLayoutAutoSize) {
  JVKTabLayoutStyle style;
  style.nPosition = nPosition;
  style.nLayout = nLayout;
  style.rcHeaderMargins = JVKMakeTabRect(2, 3, 6, 0);
  style.nRowHeight = 18;
  return style;
}

struct LayoutCase {
  const char* name;
  int nPosition, nLayout;
  JVKTabRect rc;
  std::vector<int> lengths;
  int nSelected;
  std::vector<JVKTabRect> items;
  JVKTabRect header, client;
};

TEST(TabLayout, PositionsAndLayouts) {
  const LayoutCase cases[] = {
      {"top", jvkTabPositionTop, jvkTabLayoutAutoSize, {0, 0, 200, 100}, {50, 60, 40}, -1,
       {{2, 3, 52, 21}, {52, 3, 112, 21}, {112, 3, 152, 21}}, {0, 0, 194, 21}, {2, 22, 198, 98}},
      {"bottom", jvkTabPositionBottom, jvkTabLayoutAutoSize, {0, 0, 200, 100}, {50, 60, 40}, -1,
       {{2, 79, 52, 97}, {52, 79, 112, 97}, {112, 79, 152, 97}}, {0, 79, 194, 100}, {2, 2, 198, 78}},
      {"left", jvkTabPositionLeft, jvkTabLayoutAutoSize, {0, 0, 100, 200}, {50, 60}, -1,
       {{3, 2, 21, 52}, {3, 52, 21, 112}}, {0, 0, 21, 194}, {22, 2, 98, 198}},
      {"right", jvkTabPositionRight, jvkTabLayoutAutoSize, {0, 0, 100, 200}, {50, 60}, -1,
       {{79, 2, 97, 52}, {79, 52, 97, 112}}, {79, 0, 100, 194}, {2, 2, 78, 198}},
      // 100, 60, 60 in 180 pixels: the widest gives up 40.
      {"size to fit", jvkTabPositionTop, jvkTabLayoutSizeToFit, {0, 0, 188, 60}, {100, 60, 60}, -1,
       {{2, 3, 62, 21}, {62, 3, 122, 21}, {122, 3, 182, 21}}, {0, 0, 182, 21}, {2, 22, 186, 58}},
      // Rotated: each tab one row height along the strip, standing on the
      // header's client edge; the header is as deep as the longest tab.
      {"rotated", jvkTabPositionTop, jvkTabLayoutRotated, {0, 0, 200, 100}, {50, 60, 40}, -1,
       {{2, 13, 20, 63}, {20, 3, 38, 63}, {38, 23, 56, 63}}, {0, 0, 194, 63}, {2, 64, 198, 98}},
      {"rotated bottom", jvkTabPositionBottom, jvkTabLayoutRotated, {0, 0, 200, 100}, {50, 60}, -1,
       {{2, 37, 20, 87}, {20, 37, 38, 97}}, {0, 37, 194, 100}, {2, 2, 198, 36}},
      // Multiple rows, balanced over 120 pixels and stretched to fill them.
      {"rows", jvkTabPositionTop, jvkTabLayoutMultiRow, {0, 0, 128, 100}, {40, 40, 40, 40, 40, 100}, -1,
       {{2, 35, 62, 53}, {62, 35, 122, 53}, {2, 19, 42, 37}, {42, 19, 82, 37}, {82, 19, 122, 37}, {2, 3, 122, 21}},
       {0, 0, 128, 53}, {2, 54, 126, 98}},
      // The selected tab's row moves next to the client area.
      {"rows, selected", jvkTabPositionTop, jvkTabLayoutMultiRow, {0, 0, 128, 100}, {40, 40, 40, 40, 40, 100}, 5,
       {{2, 3, 62, 21}, {62, 3, 122, 21}, {2, 19, 42, 37}, {42, 19, 82, 37}, {82, 19, 122, 37}, {2, 35, 122, 53}},
       {0, 0, 128, 53}, {2, 54, 126, 98}},
      {"rows at the bottom", jvkTabPositionBottom, jvkTabLayoutMultiRow, {0, 0, 128, 100}, {80, 80}, -1,
       {{2, 63, 122, 81}, {2, 79, 122, 97}}, {0, 63, 128, 100}, {2, 2, 126, 62}},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.name);
    JVKTabStrip strip = MakeStrip(c.lengths);
    strip.nSelected = c.nSelected;
    JVKLayoutTabStrip(Style(c.nPosition, c.nLayout), c.rc, strip);
    ASSERT_EQ(c.items.size(), strip.items.size());
    for (size_t i = 0; i < c.items.size(); ++i) EXPECT_EQ(c.items[i], strip.items[i].rcItem) << "item " << i;
    EXPECT_EQ(c.header, strip.rcHeader);
    EXPECT_EQ(c.client, strip.rcClient);
    EXPECT_EQ(c.rc, strip.rcControl);
    EXPECT_EQ(0, strip.nOffset);
  }
}

TEST(TabLayout, RowsGetTheirNumbersAndTheMultiRowLayoutNeverScrolls) {
  JVKTabStrip strip = MakeStrip({40, 40, 40, 40, 40, 100});
  strip.nSelected = 5;
  strip.nOffset = -60;
  JVKLayoutTabStrip(Style(jvkTabPositionTop, jvkTabLayoutMultiRow), {0, 0, 128, 100}, strip);
  EXPECT_EQ(0, strip.nOffset);
  ASSERT_EQ(3u, strip.rows.size());
  const int rows[] = {2, 2, 1, 1, 1, 0};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(rows[i], strip.items[i].nRow) << i;
  for (const JVKTabNavigateState& button : strip.buttons) EXPECT_TRUE(JVKIsTabRectEmpty(button.rc));
  // Widths were stretched; the measured lengths stay the full lengths.
  EXPECT_EQ(60, strip.items[0].nWidth);
  EXPECT_EQ(40, strip.items[0].nFullLength);
}

TEST(TabLayout, KeepRowOrderLeavesTheSelectedRowWhereItIs) {
  JVKTabLayoutStyle style = Style(jvkTabPositionTop, jvkTabLayoutMultiRow);
  style.bKeepRowOrder = TRUE;
  JVKTabStrip strip = MakeStrip({40, 40, 40, 40, 40, 100});
  strip.nSelected = 5;
  JVKLayoutTabStrip(style, {0, 0, 128, 100}, strip);
  EXPECT_EQ(2, strip.items[5].nRow);
  EXPECT_EQ(3, strip.items[5].rcItem.top);
}

TEST(TabLayout, StyleFourRowsDoNotOverlap) {
  JVKTabLayoutStyle style = Style(jvkTabPositionTop, jvkTabLayoutMultiRow);
  style.nRowSpacing = 0;
  JVKTabStrip strip = MakeStrip({80, 80});
  JVKLayoutTabStrip(style, {0, 0, 128, 100}, strip);
  EXPECT_EQ(strip.items[0].rcItem.top, strip.items[1].rcItem.bottom);
  EXPECT_EQ(JVKMakeTabRect(0, 0, 128, 39), strip.rcHeader);
}

TEST(TabLayout, StaticFrameAndControlMarginsComeOffFirst) {
  JVKTabLayoutStyle style = Style(jvkTabPositionTop);
  style.bStaticFrame = TRUE;
  JVKTabStrip strip = MakeStrip({50});
  JVKLayoutTabStrip(style, {0, 0, 200, 100}, strip);
  EXPECT_EQ(JVKMakeTabRect(4, 4, 54, 22), strip.items[0].rcItem);
  EXPECT_EQ(JVKMakeTabRect(2, 1, 192, 22), strip.rcHeader);
  EXPECT_EQ(JVKMakeTabRect(4, 23, 196, 96), strip.rcClient);

  style.bStaticFrame = FALSE;
  style.rcControlMargins = JVKMakeTabRect(5, 6, 7, 8);
  JVKLayoutTabStrip(style, {0, 0, 200, 100}, strip);
  EXPECT_EQ(JVKMakeTabRect(7, 9, 57, 27), strip.items[0].rcItem);
  EXPECT_EQ(JVKMakeTabRect(7, 28, 191, 90), strip.rcClient);
}

TEST(TabLayout, ClientFrameAndClientMargins) {
  const struct {
    int nFrame;
    JVKTabRect margins, client;
  } rows[] = {
      {0, {0, 0, 0, 0}, {2, 22, 198, 98}},
      {1, {0, 0, 0, 0}, {0, 22, 200, 100}},
      {2, {0, 0, 0, 0}, {0, 20, 200, 100}},
      {2, {1, 2, 3, 4}, {1, 22, 197, 96}},
  };
  for (const auto& row : rows) {
    JVKTabLayoutStyle style = Style(jvkTabPositionTop);
    style.nClientFrame = row.nFrame;
    style.rcClientMargins = row.margins;
    JVKTabStrip strip = MakeStrip({50});
    JVKLayoutTabStrip(style, {0, 0, 200, 100}, strip);
    EXPECT_EQ(row.client, strip.rcClient) << row.nFrame;
  }
}

TEST(TabLayout, NoItemsLaysOutOnlyTheHeader) {
  JVKTabStrip strip = MakeStrip({});
  JVKLayoutTabStrip(Style(jvkTabPositionTop), {0, 0, 200, 100}, strip);
  EXPECT_EQ(JVKMakeTabRect(0, 0, 200, 21), strip.rcHeader);
  EXPECT_EQ(JVKMakeTabRect(0, 0, 200, 100), strip.rcClient);
  ASSERT_EQ(1u, strip.rows.size());
  for (const JVKTabNavigateState& button : strip.buttons) EXPECT_TRUE(JVKIsTabRectEmpty(button.rc));
}

TEST(TabLayout, InvisibleItemsTakeNoRoom) {
  JVKTabStrip strip = MakeStrip({50, 60, 40});
  strip.items[1].bVisible = FALSE;
  JVKLayoutTabStrip(Style(jvkTabPositionTop, jvkTabLayoutSizeToFit), {0, 0, 88, 100}, strip);
  // 80 pixels for 50 and 40: the invisible tab stays 0 and gets no share.
  EXPECT_EQ(0, strip.items[1].nWidth);
  EXPECT_EQ(JVKMakeTabRect(2, 3, 42, 21), strip.items[0].rcItem);
  EXPECT_EQ(JVKMakeTabRect(42, 3, 42, 21), strip.items[1].rcItem);
  EXPECT_EQ(JVKMakeTabRect(42, 3, 82, 21), strip.items[2].rcItem);
}

// 150 pixels of tabs in a 112-pixel band: both scroll buttons show at the
// band's end, and the tabs end where they begin.
TEST(TabLayout, OverflowPlacesTheScrollButtons) {
  JVKTabStrip strip = MakeStrip({50, 60, 40});
  JVKLayoutTabStrip(Style(jvkTabPositionTop), {0, 0, 120, 60}, strip);
  EXPECT_EQ(JVKMakeTabRect(86, 4, 100, 19), strip.buttons[jvkTabNavigateBack].rc);
  EXPECT_EQ(JVKMakeTabRect(100, 4, 114, 19), strip.buttons[jvkTabNavigateForward].rc);
  EXPECT_TRUE(JVKIsTabRectEmpty(strip.buttons[jvkTabNavigateClose].rc));
  EXPECT_FALSE(strip.buttons[jvkTabNavigateBack].bEnabled);
  EXPECT_TRUE(strip.buttons[jvkTabNavigateForward].bEnabled);
  EXPECT_EQ(JVKMakeTabRect(0, 0, 86, 21), strip.rcHeader);

  // Vertical: the buttons stack at the bottom end, centred across.
  JVKTabStrip vertical = MakeStrip({50, 60, 40});
  JVKLayoutTabStrip(Style(jvkTabPositionLeft), {0, 0, 60, 120}, vertical);
  EXPECT_EQ(JVKMakeTabRect(5, 84, 19, 99), vertical.buttons[jvkTabNavigateBack].rc);
  EXPECT_EQ(JVKMakeTabRect(5, 99, 19, 114), vertical.buttons[jvkTabNavigateForward].rc);
  EXPECT_EQ(84, vertical.rcHeader.bottom);
}

TEST(TabLayout, ScrolledPastTheEndIsPulledBack) {
  const struct {
    int nOffset, nAfter;
  } rows[] = {
      {-20, -20},   // still more tabs behind the band's end
      {-66, -66},   // the last tab ends at the end of the space for tabs
      {-100, -66},  // past the end: pulled back
      {-400, -66},
  };
  for (const auto& row : rows) {
    JVKTabStrip strip = MakeStrip({50, 60, 40});
    strip.nOffset = row.nOffset;
    JVKLayoutTabStrip(Style(jvkTabPositionTop), {0, 0, 120, 60}, strip);
    EXPECT_EQ(row.nAfter, strip.nOffset) << row.nOffset;
    EXPECT_EQ(2 + row.nAfter, strip.items[0].rcItem.left);
    EXPECT_TRUE(strip.buttons[jvkTabNavigateBack].bEnabled);
  }
  // Everything fits again: the offset returns to 0 and the buttons go.
  JVKTabStrip strip = MakeStrip({50});
  strip.nOffset = -30;
  JVKLayoutTabStrip(Style(jvkTabPositionTop), {0, 0, 120, 60}, strip);
  EXPECT_EQ(0, strip.nOffset);
  EXPECT_TRUE(JVKIsTabRectEmpty(strip.buttons[jvkTabNavigateBack].rc));
}

TEST(TabLayout, ReservedButtonsShortenTheSizeToFitStrip) {
  JVKTabStrip strip = MakeStrip({100, 60, 60});
  strip.buttons[jvkTabNavigateClose].nMode = jvkTabNavigateAlways;
  JVKLayoutTabStrip(Style(jvkTabPositionTop, jvkTabLayoutSizeToFit), {0, 0, 188, 60}, strip);
  // 180 less the close button's 14: one group of three at 166 / 3.
  for (int i = 0; i < 3; ++i) EXPECT_EQ(55, strip.items[i].nWidth);
  EXPECT_EQ(JVKMakeTabRect(168, 4, 182, 19), strip.buttons[jvkTabNavigateClose].rc);
  EXPECT_EQ(168, strip.rcHeader.right);
}

TEST(TabLayout, EnsureVisibleMovesTheOffset) {
  const JVKTabLayoutStyle style = Style(jvkTabPositionTop);
  const JVKTabRect header = {0, 0, 86, 21};
  const struct {
    const char* name;
    int nOffset;
    JVKTabRect item;
    int nAfter;
  } rows[] = {
      {"before the header", -50, {-40, 3, 10, 21}, -8},
      {"beyond its end", 0, {70, 3, 120, 21}, -34},
      {"inside", -10, {20, 3, 60, 21}, -10},
      {"never positive", -5, {-40, 3, 10, 21}, 0},
      {"empty item", -10, {5, 3, 5, 21}, -10},
  };
  for (const auto& row : rows) EXPECT_EQ(row.nAfter, JVKEnsureTabVisibleOffset(style, row.nOffset, header, row.item)) << row.name;
  EXPECT_EQ(-10, JVKEnsureTabVisibleOffset(style, -10, {0, 0, 0, 0}, {-40, 3, 10, 21}));
  const JVKTabLayoutStyle vertical = Style(jvkTabPositionRight);
  EXPECT_EQ(-34, JVKEnsureTabVisibleOffset(vertical, 0, {79, 0, 100, 86}, {79, 70, 97, 120}));
}

TEST(TabLayout, ScrollTicksStopAtTheStart) {
  const struct {
    int nOffset;
    BOOL bForward;
    int nAfter;
  } rows[] = {{0, FALSE, 0}, {0, TRUE, -20}, {-30, FALSE, -10}, {-10, FALSE, 0}, {-40, TRUE, -60}};
  for (const auto& row : rows) EXPECT_EQ(row.nAfter, JVKScrolledTabOffset(row.nOffset, row.bForward)) << row.nOffset;
}

TEST(TabLayout, MarginsTurnWithThePosition) {
  const struct {
    int nPosition;
    JVKTabRect shrunk;
  } rows[] = {
      {jvkTabPositionTop, {11, 12, 97, 96}},
      {jvkTabPositionLeft, {12, 11, 96, 97}},
      {jvkTabPositionBottom, {11, 14, 97, 98}},
      {jvkTabPositionRight, {14, 11, 98, 97}},
  };
  for (const auto& row : rows) {
    JVKTabRect rc = {10, 10, 100, 100};
    JVKInflateTurned(rc, row.nPosition, {1, 2, 3, 4}, -1);
    EXPECT_EQ(row.shrunk, rc) << row.nPosition;
    JVKInflateTurned(rc, row.nPosition, {1, 2, 3, 4}, 1);
    EXPECT_EQ(JVKMakeTabRect(10, 10, 100, 100), rc);
  }
}

}  // namespace
