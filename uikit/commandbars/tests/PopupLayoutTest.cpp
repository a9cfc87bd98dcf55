// The geometry of popup menus as tables: placement against work areas (one
// screen, a small one, a task bar on the left, a second monitor beside or
// below the first), the stacking of controls, the scroll passes and the
// hiding of rarely used commands.
#include "PopupLayout.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Text(const JVKLayoutRect& r) {
  std::ostringstream out;
  out << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom;
  return out.str();
}

const JVKLayoutRect kScreen = {0, 0, 1024, 768};  // the usable bottom is 763
const JVKLayoutRect kSmallScreen = {0, 0, 640, 480};
const JVKLayoutRect kLeftTaskBar = {60, 0, 1024, 768};
const JVKLayoutRect kRightMonitor = {1024, 0, 2048, 768};
const JVKLayoutRect kLowerMonitor = {0, 768, 1024, 1536};
const JVKLayoutRect kPoint = {};

const DWORD L = JVK_POPUP_OPENS_LEFT;
const DWORD D = JVK_POPUP_DROPS_BELOW;

struct PlacementCase {
  const char* name;
  JVKLayoutRect work, exclude;
  int x, y, cx, cy;
  DWORD dwFlags;
  const char* rect;
  DWORD dwFlagsOut;
  BOOL bScroll;
};

TEST(PopupPlacement, Table) {
  const PlacementCase cases[] = {
      {"point that fits", kScreen, kPoint, 100, 100, 200, 300, 0, "100,100,300,400", 0, FALSE},
      {"point in the lower half opens above", kScreen, kPoint, 100, 600, 200, 300, 0, "100,300,300,600", 0, FALSE},
      {"point in the upper half ends 5 above the bottom", kScreen, kPoint, 100, 300, 200, 600, 0, "100,163,300,763", 0,
       FALSE},
      {"point taller than the screen scrolls", kScreen, kPoint, 100, 100, 200, 900, 0, "100,0,300,763", 0, TRUE},
      {"point near the right edge", kScreen, kPoint, 950, 100, 200, 100, 0, "824,100,1024,200", 0, FALSE},
      {"point beyond the work area's right edge", kScreen, kPoint, 1100, 100, 200, 100, 0, "900,100,1100,200", 0,
       FALSE},
      {"right-aligned point", kScreen, kPoint, 500, 100, 200, 100, L | D, "300,100,500,200", L | D, FALSE},
      {"right-aligned point near the left edge", kScreen, kPoint, 150, 100, 200, 100, L | D, "0,100,200,200", D, FALSE},
      {"right-aligned point beside a left task bar", kLeftTaskBar, kPoint, 150, 100, 200, 100, L | D,
       "60,100,260,200", D, FALSE},
      {"right-aligned point on the right monitor", kRightMonitor, kPoint, 1100, 100, 200, 100, L | D,
       "1024,100,1224,200", D, FALSE},
      {"drop that fits", kScreen, {100, 0, 160, 20}, 100, 20, 200, 300, D, "100,20,300,320", D, FALSE},
      {"drop near the bottom opens above", kScreen, {100, 700, 160, 720}, 100, 720, 200, 300, D, "100,400,300,700", D,
       FALSE},
      {"no room: the larger upper half scrolls", kScreen, {100, 500, 160, 520}, 100, 520, 200, 600, D,
       "100,0,300,500", D, TRUE},
      {"no room: the larger lower half scrolls", kScreen, {100, 200, 160, 220}, 100, 220, 200, 600, D,
       "100,220,300,763", D, TRUE},
      {"no room on a small screen", kSmallScreen, {10, 0, 40, 20}, 10, 20, 300, 600, D, "10,20,310,475", D, TRUE},
      {"no room on the lower monitor: below is larger", kLowerMonitor, {100, 780, 160, 800}, 100, 800, 200, 800, D,
       "100,800,300,1531", D, TRUE},
      {"no room on the lower monitor: above is larger", kLowerMonitor, {100, 1400, 160, 1420}, 100, 1420, 200, 800,
       D, "100,768,300,1400", D, TRUE},
      {"drop near the right edge turns leftwards", kScreen, {950, 0, 1000, 20}, 950, 20, 200, 100, D,
       "824,20,1024,120", L | D, FALSE},
      {"right-aligned drop", kScreen, {900, 0, 960, 20}, 900, 20, 200, 100, L | D, "760,20,960,120", L | D, FALSE},
      {"cascade that fits", kScreen, {100, 100, 300, 120}, 300, 100, 200, 100, 0, "300,100,500,200", 0, FALSE},
      {"cascade near the right edge opens left", kScreen, {800, 100, 1000, 120}, 1000, 100, 200, 100, 0,
       "600,100,800,200", L, FALSE},
      {"cascade of a leftwards popup", kScreen, {600, 100, 800, 120}, 800, 100, 200, 100, L, "400,100,600,200", L,
       FALSE},
      {"leftwards cascade without room turns right", kScreen, {100, 100, 300, 120}, 300, 100, 200, 100, L,
       "300,100,500,200", 0, FALSE},
      {"leftwards cascade beside a left task bar", kLeftTaskBar, {100, 100, 300, 120}, 300, 100, 200, 100, L,
       "300,100,500,200", 0, FALSE},
      {"cascade near the bottom", kScreen, {100, 600, 300, 620}, 300, 600, 200, 300, 0, "300,463,500,763", 0, FALSE},
  };
  for (const PlacementCase& c : cases) {
    SCOPED_TRACE(c.name);
    const JVKPopupPlacement p = JVKPlacePopup(c.work, c.exclude, c.x, c.y, c.cx, c.cy, c.dwFlags);
    EXPECT_EQ(c.rect, Text(p.rect));
    EXPECT_EQ(c.dwFlagsOut, p.dwFlags);
    EXPECT_EQ(c.bScroll, p.bMustScroll);
  }
}

// "100x20" a control, "|100x20" one that begins a group, "-100x20" a hidden one.
CJVKPopupLayout Parse(const std::string& strControls, const JVKPopupMetrics& metrics) {
  CJVKPopupLayout layout;
  layout.m_metrics = metrics;
  std::istringstream in(strControls);
  std::string word;
  while (in >> word) {
    CJVKPopupEntry e;
    size_t n = 0;
    for (; word[n] == '|' || word[n] == '-'; n++) {
      if (word[n] == '|') e.bBeginGroup = TRUE;
      if (word[n] == '-') e.bVisible = FALSE;
    }
    const size_t x = word.find('x', n);
    e.cx = std::stoi(word.substr(n, x - n));
    e.cy = std::stoi(word.substr(x + 1));
    layout.m_entries.push_back(e);
  }
  return layout;
}

// The placed controls' rectangles, "-" for one left out.
std::string Places(const CJVKPopupLayout& layout) {
  std::string s;
  for (const CJVKPopupEntry& e : layout.m_entries) {
    if (!s.empty()) s += ' ';
    s += (e.bVisible && !e.bScrolledOut) ? Text(e.rect) : "-";
  }
  return s;
}

JVKPopupMetrics Metrics(int nSeparator, int nGripper, int nExpand) {
  JVKPopupMetrics m;
  m.borders = {2, 4, 2, 4};
  m.nSeparator = nSeparator;
  m.nGripper = nGripper;
  m.nExpand = nExpand;
  return m;
}

TEST(PopupLayout, Measure) {
  struct Case {
    const char* name;
    const char* controls;
    JVKPopupMetrics metrics;
    int nWorkRight;
    const char* places;
    JVKLayoutSize size;
    const char* gripper;
    const char* expand;
  } cases[] = {
      {"groups", "100x20 |150x20 80x20", Metrics(7, 0, 0), 1024, "2,4,152,24 2,31,152,51 2,51,152,71", {154, 75},
       "0,0,0,0", "0,0,0,0"},
      {"no separator before the first shown", "-100x20 |150x20 |80x20", Metrics(7, 0, 0), 1024,
       "- 2,4,152,24 2,31,152,51", {154, 55}, "0,0,0,0", "0,0,0,0"},
      {"a third of the work area at most", "250x20 60x20", Metrics(7, 0, 0), 300, "2,4,102,24 2,24,102,44",
       {104, 48}, "0,0,0,0", "0,0,0,0"},
      {"gripper above, expand button below", "100x20 100x20", Metrics(7, 8, 12), 1024, "2,12,102,32 2,32,102,52",
       {104, 68}, "2,4,102,12", "2,52,102,64"},
      {"nothing shown", "-100x20", Metrics(7, 0, 0), 1024, "-", {26, 26}, "0,0,0,0", "0,0,0,0"},
      {"nothing shown but the expand button", "-100x20", Metrics(7, 0, 12), 1024, "-", {26, 38}, "0,0,0,0",
       "2,4,2,16"},
      {"narrower than the least width", "10x20", Metrics(7, 0, 0), 1024, "2,4,12,24", {26, 28}, "0,0,0,0",
       "0,0,0,0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CJVKPopupLayout layout = Parse(c.controls, c.metrics);
    EXPECT_EQ(c.size, layout.Measure(c.nWorkRight));
    EXPECT_EQ(c.places, Places(layout));
    EXPECT_EQ(c.gripper, Text(layout.m_rectGripper));
    EXPECT_EQ(c.expand, Text(layout.m_rectExpand));
  }
}

// The tops of the placed controls ("-" for one scrolled out), the visible
// range and the scroll buttons' tops ("-" without one).
std::string Scrolled(const CJVKPopupLayout& layout) {
  std::ostringstream out;
  out << layout.m_nFirst << ".." << layout.m_nEnd << " up "
      << (layout.m_rectScrollUp.Height() ? std::to_string(layout.m_rectScrollUp.top) : "-") << " down "
      << (layout.m_rectScrollDown.Height() ? std::to_string(layout.m_rectScrollDown.top) : "-") << " |";
  for (const CJVKPopupEntry& e : layout.m_entries) {
    out << ' ';
    if (e.bVisible && !e.bScrolledOut)
      out << e.rect.top;
    else
      out << '-';
  }
  return out.str();
}

TEST(PopupLayout, ScrollPasses) {
  const char* kTen = "100x20 100x20 100x20 100x20 100x20 100x20 100x20 100x20 100x20 100x20";
  const char* kGroups = "100x20 100x20 100x20 100x20 100x20 |100x20 100x20 100x20 100x20 100x20";
  const char* kHidden = "100x20 100x20 100x20 100x20 100x20 100x20 -100x20 -100x20 -100x20 100x20";
  struct Case {
    const char* name;
    const char* controls;
    JVKPopupMetrics metrics;
    BOOL bFromFirst;
    int nIndex;
    const char* result;
  } cases[] = {
      {"from the top", kTen, Metrics(0, 0, 0), TRUE, 0, "0..5 up - down 108 | 4 24 44 64 84 - - - - -"},
      {"index 1 jumps to the top", kTen, Metrics(0, 0, 0), TRUE, 1, "0..5 up - down 108 | 4 24 44 64 84 - - - - -"},
      {"from the middle", kTen, Metrics(0, 0, 0), TRUE, 3, "3..7 up 4 down 108 | - - - 20 40 60 80 - - -"},
      {"down to the end", kTen, Metrics(0, 0, 0), TRUE, 6, "6..10 up 4 down - | - - - - - - 20 40 60 80"},
      {"from the end", kTen, Metrics(0, 0, 0), FALSE, 10, "5..10 up 4 down - | - - - - - 24 44 64 84 104"},
      {"one before the end jumps to the end", kTen, Metrics(0, 0, 0), FALSE, 9,
       "5..10 up 4 down - | - - - - - 24 44 64 84 104"},
      {"up from the middle", kTen, Metrics(0, 0, 0), FALSE, 7, "3..7 up 4 down 108 | - - - 28 48 68 88 - - -"},
      {"up to the top", kTen, Metrics(0, 0, 0), FALSE, 4, "0..4 up - down 108 | 28 48 68 88 - - - - - -"},
      {"a separator downwards", kGroups, Metrics(6, 0, 0), TRUE, 3, "3..7 up 4 down 108 | - - - 20 40 66 86 - - -"},
      {"a separator upwards", kGroups, Metrics(6, 0, 0), FALSE, 10,
       "5..10 up 4 down - | - - - - - 24 44 64 84 104"},
      {"a separator upwards below its group", kGroups, Metrics(6, 0, 0), FALSE, 7,
       "3..7 up 4 down 108 | - - - 22 42 68 88 - - -"},
      {"hidden controls take no room", kHidden, Metrics(0, 0, 0), TRUE, 3,
       "3..10 up 4 down - | - - - 20 40 60 - - - 80"},
      {"gripper and expand button stay outside", kTen, Metrics(0, 8, 12), TRUE, 0,
       "0..4 up - down 96 | 12 32 52 72 - - - - - -"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CJVKPopupLayout layout = Parse(c.controls, c.metrics);
    layout.Measure(1024);
    const int cyWindow = 128;
    if (c.bFromFirst)
      layout.LayoutFromFirst(c.nIndex, cyWindow);
    else
      layout.LayoutFromEnd(c.nIndex, cyWindow);
    EXPECT_EQ(c.result, Scrolled(layout));
    if (c.metrics.nExpand) {
      EXPECT_EQ("2,112,102,124", Text(layout.m_rectExpand));
    }
    if (c.metrics.nGripper) {
      EXPECT_EQ("2,4,102,12", Text(layout.m_rectGripper));
    }
  }
}

// 'U' a used command, 'u' a rarely used one, capitals shown, '.' not shown:
// "U." used but hidden otherwise, "u." rarely used and hidden otherwise.
TEST(PopupLayout, RarelyUsedCommands) {
  struct Case {
    const char* name;
    std::vector<std::string> controls;
    BOOL bAlwaysFull, bExpanded;
    const char* hidden;  // 'H' per control hidden as rarely used
    BOOL bHidesSome, bExpandedAfter;
  } cases[] = {
      {"collapsed", {"U", "u", "U", "u"}, FALSE, FALSE, "-H-H", TRUE, FALSE},
      {"all rarely used show in full", {"u", "u"}, FALSE, FALSE, "--", FALSE, FALSE},
      {"the used ones hidden otherwise", {"U.", "u"}, FALSE, FALSE, "--", FALSE, FALSE},
      {"only hidden ones rarely used", {"U", "u."}, FALSE, FALSE, "-H", FALSE, FALSE},
      {"expanded", {"U", "u"}, FALSE, TRUE, "--", FALSE, TRUE},
      {"always full menus", {"U", "u"}, TRUE, FALSE, "--", FALSE, TRUE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<CJVKRarelyUsedEntry> entries;
    for (const std::string& s : c.controls) {
      CJVKRarelyUsedEntry e;
      e.bUsed = s[0] == 'U';
      e.bVisible = s.size() == 1;
      entries.push_back(e);
    }
    BOOL bExpanded = c.bExpanded;
    EXPECT_EQ(c.bHidesSome, JVKHideRarelyUsed(entries, c.bAlwaysFull, bExpanded));
    EXPECT_EQ(c.bExpandedAfter, bExpanded);
    std::string hidden;
    for (const CJVKRarelyUsedEntry& e : entries) hidden += e.bHidden ? 'H' : '-';
    EXPECT_EQ(c.hidden, hidden);
  }
}

}  // namespace
