// The property grid's portable rules as tables: number reading with
// saturation, captions from resource strings, caption order, constraint
// steps and type-ahead, geometry, focus stops, and which items become rows
// in each sort mode.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "PropertyGridConstraintSteps.h"
#include "PropertyGridLayout.h"
#include "PropertyGridRows.h"
#include "PropertyGridText.h"

namespace {

TEST(PropertyGridText, ReadsNumbersLikeAtolButSaturates) {
  struct Case {
    const char* text;
    LONG expected;
  } cases[] = {
      {"", 0},
      {"0", 0},
      {"12", 12},
      {" 12abc", 12},  // leading space, reading stops at the letters
      {"\t\n-7", -7},
      {"+5", 5},
      {"abc", 0},
      {"- 5", 0},
      {"2147483647", 2147483647},
      {"2147483648", 2147483647},
      {"4294967301", 2147483647},  // wrapped to 5 through a 32-bit atol
      {"99999999999999999999999999", 2147483647},
      {"-2147483648", INT32_MIN},
      {"-2147483649", INT32_MIN},
      {"-4294967301", INT32_MIN},
      {"00000000000000000000000042", 42},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, JVKParseLong(c.text)) << '"' << c.text << '"';
  EXPECT_EQ(0, JVKParseLong(nullptr));
}

TEST(PropertyGridText, SplitsCaptionAndDescriptionAtTheFirstNewline) {
  struct Case {
    const char* text;
    const char* caption;
    const char* description;
  } cases[] = {
      {"Channel name\nChannel name length is 32 characters max.", "Channel name",
       "Channel name length is 32 characters max."},
      {"\nOnly a description", "", "Only a description"},
      {"Only a caption", "Only a caption", ""},
      {"A\nB\nC", "A", "B\nC"},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    CString strCaption = "old", strDescription = "old";
    JVKSplitCaption(c.text, strCaption, strDescription);
    EXPECT_STREQ(c.caption, strCaption) << c.text;
    EXPECT_STREQ(c.description, strDescription) << c.text;
  }
}

TEST(PropertyGridText, OrdersCaptionsByUnsignedBytesWithCase) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  } cases[] = {
      {"a", "b", -1}, {"B", "a", -1}, {"ab", "abc", -1}, {"abc", "abc", 0},
      {"z", "\x81\x40", -1},  // a lead byte above every ASCII letter
      {"\x81\x40", "\x81\x41", -1},
  };
  for (const Case& c : cases) {
    const int n = JVKCompareCaptions(c.a, c.b);
    EXPECT_EQ(c.sign, (n > 0) - (n < 0)) << c.a << " vs " << c.b;
    const int m = JVKCompareCaptions(c.b, c.a);
    EXPECT_EQ(-c.sign, (m > 0) - (m < 0));
  }
}

TEST(PropertyGridConstraintSteps, StepsWithAndWithoutWrap) {
  struct Case {
    int current, step, count;
    BOOL wrap;
    int expected;
  } cases[] = {
      {0, 1, 3, FALSE, 1},  {2, 1, 3, FALSE, 2},  {2, 1, 3, TRUE, 0},   {0, -1, 3, FALSE, 0},
      {0, -1, 3, TRUE, 2},  {-1, 1, 3, TRUE, 0},  {1, -1, 3, TRUE, 0},  {0, 1, 1, TRUE, 0},
      {0, 1, 0, TRUE, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, JVKStepConstraint(c.current, c.step, c.count, c.wrap))
        << c.current << " " << c.step << " " << c.count << " " << c.wrap;
}

TEST(PropertyGridConstraintSteps, TypeAheadSearchesCyclicallyIgnoringCase) {
  CStringArray texts;
  for (const char* t : {"Horizontal", "vertical", "Left", "Right", "hybrid", ""}) texts.Add(t);
  struct Case {
    int current;
    char ch;
    int expected;
  } cases[] = {
      {-1, 'h', 0}, {0, 'h', 4}, {4, 'H', 0},  // wraps around to the first
      {-1, 'V', 1}, {1, 'v', 1},               // the only match comes back to itself
      {2, 'r', 3},  {3, 'x', -1},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, JVKTypeAheadConstraint(texts, c.current, c.ch)) << c.ch;
  CStringArray empty;
  EXPECT_EQ(-1, JVKTypeAheadConstraint(empty, -1, 'a'));
}

TEST(PropertyGridLayout, ExpandBoxIncludesBothEnds) {
  struct Case {
    int x, indent;
    BOOL category, hit;
  } cases[] = {
      {0, 1, FALSE, TRUE},   {14, 1, FALSE, TRUE},  {15, 1, FALSE, FALSE}, {0, 0, TRUE, TRUE},
      {14, 0, TRUE, TRUE},   {15, 0, TRUE, FALSE},  {13, 2, FALSE, FALSE}, {14, 2, FALSE, TRUE},
      {28, 2, FALSE, TRUE},  {29, 2, FALSE, FALSE}, {14, 1, TRUE, TRUE},   {13, 1, TRUE, FALSE},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.hit, JVKExpandBoxHit(c.x, c.indent, c.category)) << c.x << " at indent " << c.indent;
}

TEST(PropertyGridLayout, DividerHitAndRatioLimits) {
  const int nDivider = JVKDividerPos(200, 0.5);
  EXPECT_EQ(100, nDivider);
  EXPECT_EQ(33, JVKDividerPos(101, 1.0 / 3));
  for (int x : {97, 100, 102}) EXPECT_TRUE(JVKDividerHit(x, nDivider, 5)) << x;
  for (int x : {96, 103}) EXPECT_FALSE(JVKDividerHit(x, nDivider, 5)) << x;
  EXPECT_FALSE(JVKDividerHit(100, nDivider, 0));
  EXPECT_DOUBLE_EQ(0.1, JVKClampDividerRatio(0.0));
  EXPECT_DOUBLE_EQ(0.1, JVKClampDividerRatio(-3));
  EXPECT_DOUBLE_EQ(0.85, JVKClampDividerRatio(0.9));
  EXPECT_DOUBLE_EQ(0.5, JVKClampDividerRatio(0.5));
}

TEST(PropertyGridLayout, SplitterStaysBetweenTopLimitAndBottomGap) {
  EXPECT_EQ(45, JVKClampSplitterY(0, 300));
  EXPECT_EQ(45, JVKClampSplitterY(-20, 300));
  EXPECT_EQ(200, JVKClampSplitterY(200, 300));
  EXPECT_EQ(280, JVKClampSplitterY(299, 300));
  EXPECT_EQ(280, JVKClampSplitterY(5000, 300));
}

TEST(PropertyGridLayout, DropDownListSizeAndPlace) {
  const JVKGridRect rcRow = {0, 40, 300, 58};
  const JVKGridRect rc25 = JVKInplaceListRect(rcRow, 25, 16, 120);
  EXPECT_EQ(58, rc25.top);
  EXPECT_EQ(58 + 10 * 16 + 2, rc25.bottom);
  EXPECT_EQ(300, rc25.right);
  EXPECT_EQ(180, rc25.left);
  const JVKGridRect rc3 = JVKInplaceListRect(rcRow, 3, 16, 1000);
  EXPECT_EQ(3 * 16 + 2, rc3.bottom - rc3.top);
  EXPECT_EQ(14, rc3.left);  // as wide as the row less 14

  const JVKGridRect rcWork = {0, 0, 800, 600};
  // Passes the bottom, row in the lower half: above the row.
  JVKGridRect rcList = {100, 560, 300, 650};
  const JVKGridRect rcLowRow = {0, 540, 300, 560};
  JVKFitInplaceList(rcList, rcLowRow, rcWork);
  EXPECT_EQ(539, rcList.bottom);
  EXPECT_EQ(539 - 90, rcList.top);
  // Passes the bottom but the row is in the upper half: stays.
  JVKGridRect rcTall = {100, 200, 300, 700};
  JVKFitInplaceList(rcTall, JVKGridRect{0, 180, 300, 200}, rcWork);
  EXPECT_EQ(200, rcTall.top);
  // Left and right edges.
  JVKGridRect rcLeft = {-30, 10, 70, 50};
  JVKFitInplaceList(rcLeft, rcRow, rcWork);
  EXPECT_EQ(0, rcLeft.left);
  EXPECT_EQ(100, rcLeft.right);
  JVKGridRect rcRight = {750, 10, 850, 50};
  JVKFitInplaceList(rcRight, rcRow, rcWork);
  EXPECT_EQ(800, rcRight.right);
  EXPECT_EQ(700, rcRight.left);
}

TEST(PropertyGridLayout, RowHeights) {
  EXPECT_EQ(18, JVKItemRowHeight(18, -1, 1));
  EXPECT_EQ(30, JVKItemRowHeight(18, 30, 3));
  EXPECT_EQ(3 * 14 + 4, JVKItemRowHeight(18, -1, 3));
}

TEST(PropertyGridLayout, FocusStopsWalkAndWrap) {
  const auto all = [](int) { return TRUE; };
  const auto viewOnly = [](int stop) { return stop == jvkStopView; };
  const auto noEdit = [](int stop) { return stop != jvkStopEdit; };
  const auto none = [](int) { return FALSE; };
  EXPECT_EQ(jvkStopEdit, JVKWalkFocusStops(jvkStopView, TRUE, all));
  EXPECT_EQ(jvkStopButton, JVKWalkFocusStops(jvkStopView, TRUE, noEdit));
  EXPECT_EQ(jvkStopView, JVKWalkFocusStops(jvkStopEdit, TRUE, viewOnly));   // 2 and 5 passed over
  EXPECT_EQ(jvkStopView, JVKWalkFocusStops(-2, TRUE, all));                 // the grid gains the focus
  EXPECT_EQ(jvkStopButton, JVKWalkFocusStops(jvkStopDialog, FALSE, all));   // button, edit, view
  EXPECT_EQ(jvkStopView, JVKWalkFocusStops(jvkStopDialog, FALSE, viewOnly));
  EXPECT_EQ(jvkStopDialog, JVKWalkFocusStops(jvkStopView, FALSE, all));     // back from the view: the dialog
  EXPECT_EQ(-1, JVKWalkFocusStops(jvkStopView, TRUE, none));
}

// A plain item tree with the interface the row rules read.
struct FakeItem;
struct FakeItems {
  std::vector<FakeItem*> items;
  int GetCount() const { return static_cast<int>(items.size()); }
  FakeItem* GetAt(int i) const { return items[i]; }
};
struct FakeItem {
  std::string caption;
  bool hidden = false;
  bool expanded = false;
  FakeItems children;
  BOOL IsHidden() const { return hidden; }
  BOOL IsExpanded() const { return expanded; }
  CString GetCaption() const { return caption.c_str(); }
  const FakeItems* GetChildren() const { return &children; }
};

std::string Captions(const std::vector<const FakeItem*>& rows) {
  std::string s;
  for (const FakeItem* p : rows) s += (s.empty() ? "" : ",") + p->caption;
  return s;
}

class PropertyGridRowsTest : public ::testing::Test {
 protected:
  // Names (expanded): Name, Alias (expanded: Short, Long); Tuning (collapsed):
  // frequency, Band, Symbol rate; PIDs (expanded): Video, Audio, PCR.
  PropertyGridRowsTest() {
    Add(names, "Name");
    FakeItem& alias = Add(names, "Alias");
    Add(alias, "Short");
    Add(alias, "Long");
    alias.expanded = true;
    names.expanded = true;
    Add(tuning, "frequency");
    Add(tuning, "Band");
    Add(tuning, "Symbol rate");
    Add(pids, "Video");
    Add(pids, "Audio");
    Add(pids, "PCR");
    pids.expanded = true;
    names.caption = "Names";
    tuning.caption = "Tuning";
    pids.caption = "PIDs";
    categories.items = {&names, &tuning, &pids};
  }
  FakeItem& Add(FakeItem& parent, const char* caption) {
    store.emplace_back();
    store.back().caption = caption;
    parent.children.items.push_back(&store.back());
    return store.back();
  }
  std::string Rows(int mode) {
    const FakeItems* p = &categories;
    auto rows = JVKBuildRows(p, mode);
    return Captions(std::vector<const FakeItem*>(rows.begin(), rows.end()));
  }

  std::deque<FakeItem> store;
  FakeItem names, tuning, pids;
  FakeItems categories;
};

TEST_F(PropertyGridRowsTest, EachSortModeGivesItsRows) {
  struct Case {
    int mode;
    const char* rows;
  } cases[] = {
      {jvkSortCategorized, "Names,Name,Alias,Short,Long,Tuning,PIDs,Video,Audio,PCR"},
      // Children of every category, whatever the categories' expanded state.
      {jvkSortAlphabetical, "Alias,Short,Long,Audio,Band,Name,PCR,Symbol rate,Video,frequency"},
      {jvkSortNoSort, "Name,Alias,Short,Long,frequency,Band,Symbol rate,Video,Audio,PCR"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.rows, Rows(c.mode)) << "mode " << c.mode;
}

TEST_F(PropertyGridRowsTest, HiddenItemsAndTheirChildrenGetNoRows) {
  tuning.hidden = true;
  FakeItem* alias = names.children.items[1];
  alias->hidden = true;
  EXPECT_EQ("Names,Name,PIDs,Video,Audio,PCR", Rows(jvkSortCategorized));
  EXPECT_EQ("Audio,Name,PCR,Video", Rows(jvkSortAlphabetical));
  EXPECT_EQ("Name,Video,Audio,PCR", Rows(jvkSortNoSort));
}

TEST_F(PropertyGridRowsTest, EqualCaptionsKeepTheirOrder) {
  FakeItem& second = Add(tuning, "Band");
  second.caption = "Band";
  auto roots = JVKSortRoots(static_cast<const FakeItems*>(&categories), jvkSortAlphabetical);
  std::vector<const FakeItem*> bands;
  for (const FakeItem* p : roots)
    if (p->caption == "Band") bands.push_back(p);
  ASSERT_EQ(2u, bands.size());
  EXPECT_EQ(tuning.children.items[1], bands[0]);
  EXPECT_EQ(&second, bands[1]);
}

}  // namespace
