// The side a pointer picks over a rectangle (inside a group, outside the
// docked area, for a node that may not float), where the floating rectangle
// starts, and where the compass and the side guides go, as tables.
#include "DockingDragRules.h"

#include "DockingPaneTypes.h"

#include <gtest/gtest.h>

namespace {

JVKTabRect R(int l, int t, int r, int b) {
  JVKTabRect rc;
  rc.left = l;
  rc.top = t;
  rc.right = r;
  rc.bottom = b;
  return rc;
}

JVKTabPoint P(int x, int y) {
  JVKTabPoint pt;
  pt.x = x;
  pt.y = y;
  return pt;
}

bool Same(const JVKTabRect& a, const JVKTabRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST(DockingDragRules, TheSideChosenForAPoint) {
  const JVKTabRect rc = R(100, 100, 300, 200);  // 200 wide, 100 high
  const struct {
    const char* what;
    JVKTabPoint pt;
    bool bInside;
    bool bFloatable;
    int nSide;
  } cases[] = {
      {"near the top", P(200, 105), true, true, DockingSideTop},
      {"near the bottom", P(200, 195), true, true, DockingSideBottom},
      {"near the left", P(105, 150), true, true, DockingSideLeft},
      {"near the right", P(295, 150), true, true, DockingSideRight},
      {"in the middle: too far from every side", P(200, 150), true, true, -1},
      {"19 from the top is near", P(200, 119), true, true, DockingSideTop},
      {"20 from the top is not", P(200, 120), true, true, -1},
      {"corner tie: top before left", P(105, 105), true, true, DockingSideTop},
      {"corner: left nearer than top", P(103, 105), true, true, DockingSideLeft},
      {"outside the rectangle", P(50, 150), true, true, -1},
      {"right edge is outside", P(300, 150), true, true, -1},
      {"not floatable: the middle takes the first nearest", P(200, 150), true, false, DockingSideTop},
      {"not floatable: left weighed by height/width", P(130, 150), true, false, DockingSideLeft},
      {"not floatable: right weighed", P(280, 150), true, false, DockingSideRight},
      {"not floatable: far left still beats top", P(190, 140), true, false, DockingSideTop},
      {"outside: above the top edge", P(200, 90), false, true, DockingSideTop},
      {"outside: below the bottom edge", P(200, 210), false, true, DockingSideBottom},
      {"outside: left of the left edge", P(85, 150), false, true, DockingSideLeft},
      {"outside: right of the right edge", P(315, 150), false, true, DockingSideRight},
      {"outside: on the top edge", P(200, 100), false, true, DockingSideTop},
      {"outside: beyond the 20-pixel band", P(200, 70), false, true, -1},
      {"outside: a point inside docks nowhere", P(200, 150), false, true, -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.nSide, ChooseDockingSide(rc, c.pt, c.bInside, c.bFloatable)) << c.what;
  EXPECT_EQ(-1, ChooseDockingSide(R(100, 100, 100, 200), P(100, 150), true, false)) << "zero width";
  EXPECT_EQ(-1, ChooseDockingSide(R(100, 100, 300, 100), P(200, 100), false, true)) << "zero height";
}

TEST(DockingDragRules, TheFloatingRectangleTakesThePointerInside) {
  const JVKTabRect rc = R(100, 100, 300, 200);
  const struct {
    JVKTabPoint pt;
    JVKTabRect expected;
  } cases[] = {
      {P(150, 150), R(100, 100, 300, 200)},
      {P(50, 150), R(50, 100, 250, 200)},
      {P(350, 250), R(150, 150, 350, 250)},
      {P(200, 20), R(100, 20, 300, 120)},
  };
  for (const auto& c : cases) {
    const JVKTabRect got = StartFloatingRect(rc, c.pt);
    EXPECT_TRUE(Same(c.expected, got)) << c.pt.x << "," << c.pt.y << ": " << got.left << "," << got.top;
  }
}

TEST(DockingDragRules, GuideGeometryInBothLooks) {
  EXPECT_TRUE(Same(R(354, 254, 447, 347), DockingCompassRect(R(0, 0, 800, 600), false)));
  EXPECT_TRUE(Same(R(356, 256, 445, 345), DockingCompassRect(R(0, 0, 800, 600), true)));
  EXPECT_TRUE(Same(R(154, 104, 247, 197), DockingCompassRect(R(100, 100, 301, 201), false)));

  const int all = DockingGuideLeft | DockingGuideRight | DockingGuideTop | DockingGuideBottom;
  const struct {
    bool bSecondLook;
    int nAllowed;
    std::vector<DockingSideGuide> expected;
  } cases[] = {
      {false, all,
       {{DockingGuideTop, R(379, 16, 422, 46)},
        {DockingGuideLeft, R(16, 279, 46, 322)},
        {DockingGuideBottom, R(379, 554, 422, 584)},
        {DockingGuideRight, R(754, 279, 784, 322)}}},
      {true, all,
       {{DockingGuideTop, R(386, 16, 415, 48)},
        {DockingGuideLeft, R(16, 286, 48, 315)},
        {DockingGuideBottom, R(386, 552, 415, 584)},
        {DockingGuideRight, R(752, 286, 784, 315)}}},
      {false, DockingGuideTop | DockingGuideRight,
       {{DockingGuideTop, R(379, 16, 422, 46)}, {DockingGuideRight, R(754, 279, 784, 322)}}},
      {false, 0, {}},
  };
  for (const auto& c : cases) {
    const std::vector<DockingSideGuide> got = DockingSideGuides(R(0, 0, 800, 600), c.nAllowed, c.bSecondLook);
    ASSERT_EQ(c.expected.size(), got.size()) << c.nAllowed;
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(c.expected[i].nBit, got[i].nBit) << i;
      EXPECT_TRUE(Same(c.expected[i].rc, got[i].rc))
          << c.bSecondLook << " " << i << ": " << got[i].rc.left << "," << got[i].rc.top << "," << got[i].rc.right
          << "," << got[i].rc.bottom;
    }
  }
}
