#include "DockingDragRules.h"

#include "DockingPaneTypes.h"

#include <cmath>

namespace {

JVKTabRect MakeRect(int left, int top, int right, int bottom) {
  JVKTabRect rc;
  rc.left = left;
  rc.top = top;
  rc.right = right;
  rc.bottom = bottom;
  return rc;
}

}  // namespace

int ChooseDockingSide(const JVKTabRect& rc, JVKTabPoint pt, bool bInside, bool bFloatable) {
  const int cx = rc.right - rc.left;
  const int cy = rc.bottom - rc.top;
  if (cx <= 0 || cy <= 0) return -1;
  double dThreshold = 20.0;
  double k = 1.0;
  if (bInside && !bFloatable) {
    dThreshold = 32000.0;
    if (cx > 1 && cy > 1) k = static_cast<double>(cy) / cx;
  }
  const int nGrow = bInside ? 0 : 20;
  if (pt.x < rc.left - nGrow || pt.x >= rc.right + nGrow || pt.y < rc.top - nGrow || pt.y >= rc.bottom + nGrow)
    return -1;
  const int s = bInside ? 1 : -1;
  double dBest = dThreshold;
  int nSide = -1;
  auto consider = [&](double d, int nToward, int nCandidate) {
    if (d < dBest && nToward * s >= 0) {
      dBest = d;
      nSide = nCandidate;
    }
  };
  consider(std::abs(pt.y - rc.top), pt.y - rc.top, DockingSideTop);
  consider(std::abs(rc.bottom - pt.y), rc.bottom - pt.y, DockingSideBottom);
  consider(std::abs(pt.x - rc.left) * k, pt.x - rc.left, DockingSideLeft);
  consider(std::abs(rc.right - pt.x) * k, rc.right - pt.x, DockingSideRight);
  return nSide;
}

JVKTabRect StartFloatingRect(const JVKTabRect& rcNode, JVKTabPoint pt) {
  int dx = 0;
  int dy = 0;
  if (pt.x < rcNode.left) {
    dx = pt.x - rcNode.left;
  } else if (pt.x > rcNode.right) {
    dx = pt.x - rcNode.right;
  }
  if (pt.y < rcNode.top) {
    dy = pt.y - rcNode.top;
  } else if (pt.y > rcNode.bottom) {
    dy = pt.y - rcNode.bottom;
  }
  return MakeRect(rcNode.left + dx, rcNode.top + dy, rcNode.right + dx, rcNode.bottom + dy);
}

JVKTabRect DockingCompassRect(const JVKTabRect& rcTarget, bool bSecondLook) {
  const int nSize = bSecondLook ? 89 : 93;
  const int x = (rcTarget.left + rcTarget.right) / 2 - nSize / 2;
  const int y = (rcTarget.top + rcTarget.bottom) / 2 - nSize / 2;
  return MakeRect(x, y, x + nSize, y + nSize);
}

std::vector<DockingSideGuide> DockingSideGuides(const JVKTabRect& rc, int nAllowed, bool bSecondLook) {
  const int g = bSecondLook ? 1 : 0;
  const int nBreadth = g ? 29 : 43;
  const int nReach = g ? 48 : 46;
  const int cx = (rc.left + rc.right) / 2;
  const int cy = (rc.top + rc.bottom) / 2;
  const int x = cx + 7 * g - 21;
  const int y = cy + 7 * g - 21;
  const DockingSideGuide all[] = {
      {DockingGuideTop, MakeRect(x, rc.top + 16, x + nBreadth, rc.top + nReach)},
      {DockingGuideLeft, MakeRect(rc.left + 16, y, rc.left + nReach, y + nBreadth)},
      {DockingGuideBottom, MakeRect(x, rc.bottom - 2 * g - 46, x + nBreadth, rc.bottom - 16)},
      {DockingGuideRight, MakeRect(rc.right - 2 * g - 46, y, rc.right - 16, y + nBreadth)},
  };
  std::vector<DockingSideGuide> guides;
  for (const DockingSideGuide& guide : all)
    if (nAllowed & guide.nBit) guides.push_back(guide);
  return guides;
}
