// The layout of a bar's controls as tables: each row gives the controls
// (size, group start, right aligned "r", stretched "s", absent "x"), the
// length and mode, and the places that come out ("-" for a control hidden
// for want of room), written as left,top,width,height.
#include "ControlsLayout.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// "20x22" a control, "|20x22" one that begins a group, then flags r s x.
CJVKControlsLayout Parse(const std::string& strControls) {
  CJVKControlsLayout layout;
  std::istringstream in(strControls);
  std::string word;
  while (in >> word) {
    CJVKLayoutEntry e;
    size_t n = 0;
    if (word[0] == '|') {
      e.bBeginGroup = TRUE;
      n = 1;
    }
    const size_t x = word.find('x', n);
    e.cx = std::stoi(word.substr(n, x - n));
    size_t nEnd = 0;
    e.cy = std::stoi(word.substr(x + 1), &nEnd);
    for (char c : word.substr(x + 1 + nEnd)) {
      if (c == 'r') e.dwFlags |= JVK_CONTROL_RIGHT_ALIGN;
      if (c == 's') e.dwFlags |= JVK_CONTROL_STRETCHED;
      if (c == 'x') e.bPresent = FALSE;
    }
    layout.m_entries.push_back(e);
  }
  return layout;
}

std::string Places(const CJVKControlsLayout& layout) {
  std::string str;
  for (const CJVKLayoutEntry& e : layout.m_entries) {
    if (!e.bPresent) continue;
    if (!str.empty()) str += ' ';
    if (e.bHidden) {
      str += '-';
      continue;
    }
    str += std::to_string(e.rect.left) + ',' + std::to_string(e.rect.top) + ',' + std::to_string(e.rect.Width()) + ',' +
           std::to_string(e.rect.Height());
  }
  return str;
}

std::string Wraps(const CJVKControlsLayout& layout) {
  std::string str;
  for (const CJVKLayoutEntry& e : layout.m_entries) str += e.bWrap ? 'W' : '.';
  return str;
}

}  // namespace

TEST(ControlsLayoutWrap, RowsAndGroups) {
  struct Row {
    const char* pszControls;
    int nLength;
    DWORD dwMode;
    int nRows;
    const char* pszWraps;
    BOOL bStretch;
  } rows[] = {
      {"20x20 20x20 20x20", 100, 0, 1, "...", FALSE},
      {"20x20 20x20 20x20 20x20 20x20", 50, 0, 3, "..W.W", TRUE},
      // Exactly full is no wrap.
      {"20x20 20x20", 40, 0, 1, "..", FALSE},
      // D does not fit; the group that began at B moves down whole.
      {"20x20 |20x20 20x20 20x20", 70, 0, 2, ".W..", TRUE},
      // The group gap counts: B fits without it, not with it.
      {"20x20 |20x20", 45, 0, 2, ".W", TRUE},
      // A group that began on an earlier row does not pull the wrap back.
      {"20x20 |20x20 20x20 20x20 20x20", 45, 0, 3, ".W.W.", TRUE},
      // Each control on its own row, the first never wrapped.
      {"20x20 20x20 20x20", 0, 0, 3, ".WW", TRUE},
      // A control wider than the length takes a row of its own.
      {"20x20 90x20 20x20", 50, 0, 3, ".WW", TRUE},
      // Absent controls take no room and never wrap.
      {"20x20 20x20x 20x20", 40, 0, 1, "...", FALSE},
      // Every group begins a row.
      {"20x20 |20x20 20x20 |20x20", 1000, JVK_LM_GROUP_ROWS, 3, ".W.W", TRUE},
      // Vertical: the heights count.
      {"50x10 50x10 50x10", 25, LM_VERTDOCK, 2, "..W", TRUE},
  };
  for (const Row& row : rows) {
    CJVKControlsLayout layout = Parse(row.pszControls);
    DWORD dwMode = row.dwMode;
    EXPECT_EQ(row.nRows, layout.Wrap(row.nLength, dwMode)) << row.pszControls << " @" << row.nLength;
    EXPECT_EQ(row.pszWraps, Wraps(layout)) << row.pszControls << " @" << row.nLength;
    EXPECT_EQ(row.bStretch, (dwMode & LM_STRETCH) != 0) << row.pszControls << " @" << row.nLength;
  }
}

TEST(ControlsLayoutWrap, HideRuleHidesTheFirstThatDoesNotFitAndAllAfter) {
  CJVKControlsLayout layout = Parse("20x20 20x20 20x20 20x20");
  DWORD dwMode = JVK_LM_HIDE_WRAP;
  EXPECT_EQ(1, layout.Wrap(50, dwMode));
  EXPECT_TRUE(dwMode & LM_STRETCH);
  EXPECT_EQ("....", Wraps(layout));
  std::vector<BOOL> hidden;
  for (const CJVKLayoutEntry& e : layout.m_entries) hidden.push_back(e.bHidden);
  EXPECT_EQ((std::vector<BOOL>{FALSE, FALSE, TRUE, TRUE}), hidden);
  // The first control stays even when nothing fits.
  layout = Parse("20x20 20x20");
  dwMode = JVK_LM_HIDE_WRAP;
  layout.Wrap(5, dwMode);
  EXPECT_EQ("0,0,20,20 -", (layout.Measure(FALSE), Places(layout)));
}

TEST(ControlsLayoutCalc, PlacesCentresAlignsAndStretches) {
  const DWORD kDocked = LM_HORZDOCK | LM_COMMIT;
  struct Row {
    const char* pszControls;
    int nLength;
    DWORD dwMode;
    JVKLayoutBorders borders;
    const char* pszPlaces;
    JVKLayoutSize size;
  } rows[] = {
      // One row: the controls centre in the whole bar's height.
      {"20x10 20x20", 200, kDocked, {2, 3, 4, 5}, "2,8,20,10 22,3,20,20", {46, 28}},
      // With LM_STRETCH the bar takes the whole length.
      {"20x10 20x20", 200, kDocked | LM_STRETCH, {2, 3, 4, 5}, "2,8,20,10 22,3,20,20", {200, 28}},
      // Two rows, each as thick as its thickest control; a group gap between rows.
      {"20x10 20x20 |30x16", 45, kDocked, {}, "0,5,20,10 20,0,20,20 0,26,30,16", {45, 42}},
      // A right-aligned control packs against the far end of the last row.
      {"20x20 10x20r", 100, kDocked | LM_STRETCH, {1, 0, 1, 0}, "1,0,20,20 89,0,10,20", {100, 20}},
      // Two right-aligned in a row; a third that is not ends the walk.
      {"10x20r 20x20 10x20r 10x20r",
       100,
       kDocked | LM_STRETCH,
       {},
       "0,0,10,20 10,0,20,20 80,0,10,20 90,0,10,20",
       {100, 20}},
      // Only the last row: the right-aligned control that wrapped starts its row.
      {"30x20 30x20 10x20r", 65, kDocked, {}, "0,0,30,20 30,0,30,20 55,20,10,20", {65, 40}},
      // Two stretched controls share 7 pixels: 3, then 4.
      {"10x20s 10x20s", 27, kDocked | LM_STRETCH, {}, "0,0,13,20 13,0,14,20", {27, 20}},
      // Controls after a stretched one move along; right-aligned ones keep their place.
      {"10x20s 10x20 10x20r", 50, kDocked | LM_STRETCH, {}, "0,0,30,20 30,0,10,20 40,0,10,20", {50, 20}},
      // Vertical: columns from the left border, each centred in its band.
      {"20x20 10x20 20x20", 50, LM_VERTDOCK | LM_COMMIT, {3, 1, 0, 0}, "23,1,20,20 28,21,10,20 3,1,20,20", {43, 50}},
      // An empty bar.
      {"", 100, kDocked, {1, 2, 3, 4}, "", {27, 28}},
      {"20x20x", 100, kDocked, {1, 2, 3, 4}, "", {27, 28}},
      // The hide rule: the bar reports its whole length.
      {"30x20 30x20 30x20", 70, kDocked | JVK_LM_HIDE_WRAP, {}, "0,0,30,20 30,0,30,20 -", {70, 20}},
  };
  for (const Row& row : rows) {
    CJVKControlsLayout layout = Parse(row.pszControls);
    const JVKLayoutSize sz = layout.Calc(row.nLength, row.dwMode, row.borders, 0, 0);
    EXPECT_EQ(row.pszPlaces, Places(layout)) << row.pszControls << " @" << row.nLength;
    EXPECT_EQ(row.size.cx, sz.cx) << row.pszControls << " @" << row.nLength;
    EXPECT_EQ(row.size.cy, sz.cy) << row.pszControls << " @" << row.nLength;
  }
}

TEST(ControlsLayoutCalc, RowRectanglesSpanTheBar) {
  CJVKControlsLayout layout = Parse("20x10 20x20 |30x16");
  layout.Calc(47, LM_HORZDOCK | LM_COMMIT, {1, 0, 1, 0}, 0, 0);
  const JVKLayoutRect rowOne{1, 0, 46, 20}, rowTwo{1, 26, 46, 42};
  EXPECT_EQ(rowOne, layout.m_entries[0].rectRow);
  EXPECT_EQ(rowOne, layout.m_entries[1].rectRow);
  EXPECT_EQ(rowTwo, layout.m_entries[2].rectRow);
}

TEST(ControlsLayoutCalc, MinimumThicknessRaisesTheBar) {
  CJVKControlsLayout layout = Parse("20x20");
  JVKLayoutSize sz = layout.Calc(100, LM_HORZDOCK | LM_COMMIT, {0, 2, 0, 2}, 30, 0);
  EXPECT_EQ(30, sz.cy);
  EXPECT_EQ(5, layout.m_entries[0].rect.top);  // centred in the thicker bar
  CJVKControlsLayout empty;
  sz = empty.Calc(100, LM_VERTDOCK, {}, 40, 0);
  EXPECT_EQ(40, sz.cx);
  EXPECT_EQ(JVK_EMPTY_BAR_CY, sz.cy);
}

TEST(ControlsLayoutCalc, FloatingBarsFitTheirLength) {
  struct Row {
    const char* pszControls;
    int nLength;
    DWORD dwMode;
    JVKLayoutSize size;
  } rows[] = {
      // A width of 70 gives two rows of three; the bar narrows to 60.
      {"20x20 20x20 20x20 20x20 20x20 20x20", 70, 0, {60, 40}},
      // Wide enough for one row.
      {"20x20 20x20 20x20", 500, 0, {60, 20}},
      // A height of 40: two rows.
      {"20x20 20x20 20x20 20x20 20x20 20x20", 40, LM_LENGTHY, {60, 40}},
      // A height that one row meets.
      {"20x20 20x20 20x20", 20, LM_LENGTHY, {60, 20}},
  };
  for (const Row& row : rows) {
    CJVKControlsLayout layout = Parse(row.pszControls);
    const JVKLayoutSize sz = layout.Calc(row.nLength, row.dwMode, {}, 0, 0);
    EXPECT_EQ(row.size, sz) << row.pszControls << " @" << row.nLength << " got " << sz.cx << "x" << sz.cy;
  }
}

TEST(ControlsLayoutCalc, BestFitEndsAndIsNotWiderThanNeeded) {
  struct Row {
    const char* pszControls;
    int nMRUWidth;
    JVKLayoutSize size;
  } rows[] = {
      // Twelve squares with no remembered width: the search ends when a
      // narrower-than-tall layout comes back unchanged.
      {"20x20 20x20 20x20 20x20 20x20 20x20 20x20 20x20 20x20 20x20 20x20 20x20", 0, {60, 80}},
      // A control far wider than the rest: the bounds meet at its width.
      {"300x20 20x20 20x20 20x20 20x20 20x20 20x20 20x20 20x20", 0, {300, 40}},
      // A remembered width stands.
      {"20x20 20x20 20x20 20x20", 40, {40, 40}},
  };
  for (const Row& row : rows) {
    CJVKControlsLayout layout = Parse(row.pszControls);
    const JVKLayoutSize sz = layout.Calc(0, JVK_LM_GROUP_ROWS, {}, 0, row.nMRUWidth);
    EXPECT_EQ(row.size, sz) << row.pszControls << " got " << sz.cx << "x" << sz.cy;
  }
}

namespace {
struct WalkCase {
  const char* pszSkipped;  // one character per control: 's' skipped
};
BOOL SkipByString(int nIndex, void* pContext) { return static_cast<const char*>(pContext)[nIndex] == 's'; }
}  // namespace

TEST(ControlsWalk, NextIndexGoesRoundOnce) {
  struct Row {
    const char* pszSkipped;
    int nStart, nStep, nExpected;
  } rows[] = {
      {"", -1, 1, -1},
      {"....", -1, 1, 0},
      {"....", -1, -1, 3},
      {"s..s", -1, 1, 1},
      {"s..s", -1, -1, 2},
      {"..s.", 1, 1, 3},
      {".s..", 2, -1, 0},
      // Past the end to the first, below the first to the last.
      {"...s", 2, 1, 0},
      {"s...", 1, -1, 3},
      // Back at the start: the start.
      {"s.ss", 1, 1, 1},
      {"s.ss", 1, -1, 1},
      // From before the first the walk does not go round.
      {"ssss", -1, 1, -1},
      {"ssss", -1, -1, -1},
  };
  for (const Row& row : rows) {
    const int nCount = static_cast<int>(std::string(row.pszSkipped).size());
    EXPECT_EQ(row.nExpected,
              JVKNextControlIndex(nCount, row.nStart, row.nStep, SkipByString, const_cast<char*>(row.pszSkipped)))
        << row.pszSkipped << " from " << row.nStart << " by " << row.nStep;
  }
}
