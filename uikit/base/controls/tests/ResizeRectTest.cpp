#include "ResizeRect.h"

#include <gtest/gtest.h>

namespace {

struct AnchorCase {
  const char* name;
  CJVResizeRect anchor;
  int dx, dy;
  CJVResizeRect expected;  // from the control at (10, 20)-(110, 40)
};

TEST(ResizeRect, EachEdgeFollowsItsShareOfTheChange) {
  const CJVResizeRect start = CJVResizeRect::FromInts(10, 20, 110, 40);
  const AnchorCase cases[] = {
      {"fixed", {0, 0, 0, 0}, 100, 50, {10, 20, 110, 40}},
      {"grows right", {0, 0, 1, 0}, 100, 50, {10, 20, 210, 40}},
      {"moves half", {0.5f, 0, 0.5f, 0}, 100, 50, {60, 20, 160, 40}},
      {"corner", {1, 1, 1, 1}, 100, 50, {110, 70, 210, 90}},
      {"fills", {0, 0, 1, 1}, 100, 50, {10, 20, 210, 90}},
      {"shrinks", {0, 0, 1, 1}, -30, -10, {10, 20, 80, 30}},
      {"registered twice", {0, 0, 2, 0}, 10, 0, {10, 20, 130, 40}},
  };
  for (const AnchorCase& c : cases) EXPECT_EQ(start.Moved(c.dx, c.dy, c.anchor), c.expected) << c.name;
}

TEST(ResizeRect, FractionsAddUpOverManySmallChanges) {
  const CJVResizeRect half(0.5f, 0, 0.5f, 0);
  CJVResizeRect rect = CJVResizeRect::FromInts(100, 0, 150, 20);
  rect = rect.Moved(1, 0, half);
  EXPECT_EQ(JVResizeMoveTo(rect, 100, 0, 50, 20).x, 100);  // half a pixel: not yet moved
  rect = rect.Moved(1, 0, half);
  EXPECT_EQ(JVResizeMoveTo(rect, 100, 0, 50, 20).x, 101);  // two halves make one
}

TEST(ResizeRect, AnchorsAddComponentByComponent) {
  CJVResizeRect anchor(0, 0, 0.5f, 0);
  anchor += CJVResizeRect(0, 0, 0.5f, 0);
  EXPECT_EQ(anchor, CJVResizeRect(0, 0, 1, 0));
  anchor += CJVResizeRect(0.25f, 1, 0, 2);
  EXPECT_EQ(anchor, CJVResizeRect(0.25f, 1, 1, 2));
}

struct MoveCase {
  CJVResizeRect rect;
  int curX, curY, curCx, curCy;
  CJVResizeMove expected;
};

TEST(ResizeRect, MoveTruncatesAndSkipsWhatDidNotChange) {
  const MoveCase cases[] = {
      // Same place, wider: resized in place.
      {{10, 20, 210, 40}, 10, 20, 100, 20, {10, 20, 200, 20, false, true}},
      // Moved, same size.
      {{60, 20, 160, 40}, 10, 20, 100, 20, {60, 20, 100, 20, true, false}},
      // Fractions are cut toward zero.
      {{10.75f, 20.5f, 110.9f, 40.2f}, 10, 20, 100, 20, {10, 20, 100, 19, false, false}},
      // Both.
      {{0, 0, 50, 50}, 10, 20, 100, 20, {0, 0, 50, 50, true, true}},
  };
  for (const MoveCase& c : cases) {
    const CJVResizeMove m = JVResizeMoveTo(c.rect, c.curX, c.curY, c.curCx, c.curCy);
    EXPECT_EQ(m.x, c.expected.x);
    EXPECT_EQ(m.y, c.expected.y);
    EXPECT_EQ(m.cx, c.expected.cx);
    EXPECT_EQ(m.cy, c.expected.cy);
    EXPECT_EQ(m.bMove, c.expected.bMove);
    EXPECT_EQ(m.bSize, c.expected.bSize);
  }
}

struct LimitCase {
  const char* name;
  DWORD flags;
  int lastCx, lastCy, minCx, minCy, maxCx, maxCy;
  CJVResizeLimits expected;
};

TEST(ResizeRect, TrackingLimitsFollowFlagsAndSizes) {
  const CJVResizeLimits system = {1024, 768, 112, 27, 1100, 800};
  const LimitCase cases[] = {
      {"designed size is the minimum", 0, 400, 300, 300, 200, 0, 0, {1024, 768, 300, 200, 1100, 800}},
      {"no minimum", JVRESIZE_NOMINSIZE, 400, 300, 0, 0, 0, 0, {1024, 768, 112, 27, 1100, 800}},
      {"width fixed", JVRESIZE_NOHORIZONTAL, 400, 300, 300, 200, 0, 0, {400, 768, 300, 200, 400, 800}},
      {"height fixed", JVRESIZE_NOVERTICAL, 400, 300, 300, 200, 0, 0, {1024, 300, 300, 200, 1100, 300}},
      {"no layout yet", JVRESIZE_NOHORIZONTAL, 0, 0, 0, 0, 0, 0, {1024, 768, 112, 27, 1100, 800}},
      {"maximum given", 0, 400, 300, 0, 0, 500, 0, {1024, 768, 112, 27, 500, 800}},
  };
  for (const LimitCase& c : cases) {
    CJVResizeLimits limits = system;
    JVResizeApplyLimits(c.flags, c.lastCx, c.lastCy, c.minCx, c.minCy, c.maxCx, c.maxCy, limits);
    EXPECT_EQ(limits.maxSizeCx, c.expected.maxSizeCx) << c.name;
    EXPECT_EQ(limits.maxSizeCy, c.expected.maxSizeCy) << c.name;
    EXPECT_EQ(limits.minTrackCx, c.expected.minTrackCx) << c.name;
    EXPECT_EQ(limits.minTrackCy, c.expected.minTrackCy) << c.name;
    EXPECT_EQ(limits.maxTrackCx, c.expected.maxTrackCx) << c.name;
    EXPECT_EQ(limits.maxTrackCy, c.expected.maxTrackCy) << c.name;
  }
}

}  // namespace
