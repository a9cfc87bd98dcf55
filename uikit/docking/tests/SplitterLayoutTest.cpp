// How a splitter container shares its length: proportional shares, minimum
// and maximum track sizes, the child holding the client taking the rest,
// placement to the far edge; the bar's tracking range and what a drop stores.
#include "SplitterLayout.h"

#include <gtest/gtest.h>

#include <vector>

void PrintTo(const SplitterSpan& s, std::ostream* os) { *os << "[" << s.nNear << "," << s.nFar << "]"; }

namespace {

constexpr int kBar = 4;

struct Limits {
  int nStored, nMin, nMax;
};

struct DistributionCase {
  const char* name;
  std::vector<Limits> children;
  int nFiller;
  int nRectLength;
  std::vector<SplitterSpan> spans;
};

std::vector<SplitterSpan> Layout(const DistributionCase& c, std::vector<SplitterChild>& children) {
  for (const Limits& l : c.children) children.push_back(SplitterChild{l.nStored, l.nMin, l.nMax});
  const SplitterDistribution d = DistributeSplitterSpace(children, c.nFiller, c.nRectLength, kBar, true);
  return PlaceSplitterChildren(children, d, 0, c.nRectLength, kBar);
}

}  // namespace

TEST(SplitterLayout, DistributesAndPlacesChildren) {
  const DistributionCase cases[] = {
      {"stored sizes fit exactly", {{100, 0, 32000}, {200, 0, 32000}, {300, 0, 32000}}, -1, 608,
       {{0, 100}, {104, 304}, {308, 608}}},
      // Grown by 7: in proportion, the remainders to the later children.
      {"grown in proportion", {{100, 0, 32000}, {200, 0, 32000}, {300, 0, 32000}}, -1, 615,
       {{0, 101}, {105, 307}, {311, 615}}},
      {"share below a minimum", {{100, 150, 32000}, {100, 0, 32000}, {100, 0, 32000}}, -1, 308,
       {{0, 150}, {154, 229}, {233, 308}}},
      // Even the minimums do not fit: the last child fixed gives up the excess.
      {"minimums do not fit", {{100, 150, 32000}, {100, 150, 32000}, {100, 150, 32000}}, -1, 308,
       {{0, 150}, {154, 304}, {308, 308}}},
      {"share above a maximum", {{100, 0, 120}, {100, 0, 32000}}, -1, 404, {{0, 120}, {124, 404}}},
      {"stored size below the minimum counts as the minimum", {{10, 50, 32000}, {50, 0, 32000}}, -1, 204,
       {{0, 100}, {104, 204}}},
      {"filler takes the rest", {{150, 0, 32000}, {900, 0, 32000}, {100, 0, 32000}}, 1, 608,
       {{0, 150}, {154, 504}, {508, 608}}},
      {"filler gets nothing when the others overflow", {{400, 0, 32000}, {0, 0, 32000}, {400, 0, 32000}}, 1, 608,
       {{0, 300}, {304, 304}, {308, 608}}},
      {"one child takes the whole length", {{50, 0, 32000}}, -1, 300, {{0, 300}}},
      // Narrower than the bar: empty children inside the rectangle.
      {"no room at all", {{50, 0, 32000}, {50, 0, 32000}}, -1, 2, {{0, 0}, {2, 2}}},
  };
  for (const DistributionCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<SplitterChild> children;
    EXPECT_EQ(c.spans, Layout(c, children));
  }
}

TEST(SplitterLayout, FillerStoresWhatItTook) {
  std::vector<SplitterChild> children = {{150, 0, 32000}, {900, 0, 32000}, {100, 0, 32000}};
  DistributeSplitterSpace(children, 1, 608, kBar, true);
  EXPECT_EQ(350, children[1].nStored);
  EXPECT_EQ(150, children[0].nStored);

  std::vector<SplitterChild> overflowing = {{400, 0, 32000}, {900, 0, 32000}, {400, 0, 32000}};
  DistributeSplitterSpace(overflowing, 1, 608, kBar, true);
  EXPECT_EQ(0, overflowing[1].nStored);

  std::vector<SplitterChild> preview = {{150, 0, 32000}, {900, 0, 32000}};
  DistributeSplitterSpace(preview, 1, 608, kBar, false);
  EXPECT_EQ(900, preview[1].nStored);
}

TEST(SplitterLayout, ContainerLimitsAddAlongAndNarrowAcross) {
  const std::vector<SplitterMinMax> children = {{40, 10, 200, 300}, {60, 30, 32000, 250}};
  const SplitterMinMax row = CombineSplitterMinMax(children, true, kBar);
  EXPECT_EQ(104, row.nMinX);
  EXPECT_EQ(32204, row.nMaxX);
  EXPECT_EQ(30, row.nMinY);
  EXPECT_EQ(250, row.nMaxY);
  const SplitterMinMax column = CombineSplitterMinMax(children, false, kBar);
  EXPECT_EQ(44, column.nMinY);
  EXPECT_EQ(554, column.nMaxY);
  EXPECT_EQ(60, column.nMinX);
  EXPECT_EQ(200, column.nMaxX);
  const SplitterMinMax none = CombineSplitterMinMax({}, true, kBar);
  EXPECT_EQ(0, none.nMinX);
  EXPECT_EQ(32000, none.nMaxY);
}

TEST(SplitterLayout, TrackRangeKeepsMarginsAndLimits) {
  struct Case {
    const char* name;
    SplitterNeighbours n;
    int nLow, nHigh;
  } cases[] = {
      {"margins", {0, 300, 0, 32000, 0, 32000}, 22, 278},
      {"minimum before", {0, 300, 60, 32000, 0, 32000}, 60, 278},
      {"minimum after", {0, 300, 0, 32000, 50, 32000}, 22, 246},
      {"maximum before", {0, 300, 0, 100, 0, 32000}, 22, 100},
      {"maximum after", {0, 300, 0, 32000, 0, 80}, 216, 278},
      {"offset union", {500, 800, 0, 32000, 0, 32000}, 522, 778},
      {"minimums overlap", {0, 300, 200, 32000, 150, 32000}, 200, 146},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SplitterTrackRange range = CalcSplitterTrackRange(c.n, 22, kBar);
    EXPECT_EQ(c.nLow, range.nLow);
    EXPECT_EQ(c.nHigh, range.nHigh);
  }
  EXPECT_TRUE(CalcSplitterTrackRange(cases[6].n, 22, kBar).IsEmpty());
  EXPECT_FALSE(CalcSplitterTrackRange(cases[0].n, 22, kBar).IsEmpty());
}

TEST(SplitterLayout, DroppedBarSplitsTheStoredSizes) {
  struct Case {
    int nPos;
    bool bRightToLeft;
    int nBefore, nAfter;
  } cases[] = {{100, false, 100, 200}, {200, false, 200, 100}, {100, true, 200, 100}, {200, true, 100, 200},
               {30, false, 30, 270}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nPos);
    const SplitterSizes sizes = ApplySplitterPosition({100, 200}, c.nPos, 0, 304, kBar, c.bRightToLeft);
    EXPECT_EQ(c.nBefore, sizes.nBefore);
    EXPECT_EQ(c.nAfter, sizes.nAfter);
  }
  const SplitterSizes unchanged = ApplySplitterPosition({100, 200}, 5, 10, 10, kBar, false);
  EXPECT_EQ(100, unchanged.nBefore);
}
