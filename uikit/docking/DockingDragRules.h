// Portable rules of a pane drag: which side of a rectangle a pointer picks,
// where the floating rectangle starts, and where the docking guides go (the
// compass over a group, one side guide at each edge of the docked area).
// Screen coordinates throughout; the drag context feeds and applies them.
#pragma once

#include "TabTypes.h"

#include <vector>

// The side (DockingSide) nearest to pt within the threshold, or -1. Inside:
// pt must lie in rc; outside: in rc grown by 20 on every side, docking
// against its outer edge. A node that may not float, dragged inside a
// rectangle, always takes the nearest side, the sides' distances weighed by
// the rectangle's height to width. Earlier sides (top, bottom, left, right)
// win ties.
int ChooseDockingSide(const JVKTabRect& rc, JVKTabPoint pt, bool bInside, bool bFloatable);

// The dragged node's rectangle moved so that the pointer lies inside it.
JVKTabRect StartFloatingRect(const JVKTabRect& rcNode, JVKTabPoint pt);

// Guide bits: sides, centre (attach as a tab) and the compass itself.
enum DockingGuideBits {
  DockingGuideLeft = 1,
  DockingGuideRight = 2,
  DockingGuideTop = 4,
  DockingGuideBottom = 8,
  DockingGuideCentre = 16,
  DockingGuideCompass = 32,
};

// The compass: a square of 93 (89 in the second look) centred on the target.
JVKTabRect DockingCompassRect(const JVKTabRect& rcTarget, bool bSecondLook);

struct DockingSideGuide {
  int nBit = 0;  // one side bit
  JVKTabRect rc = {};
};

// The side guides round the docked area for the allowed sides (a mask of
// side bits), in creation order: top, left, bottom, right.
std::vector<DockingSideGuide> DockingSideGuides(const JVKTabRect& rcArea, int nAllowed, bool bSecondLook);
