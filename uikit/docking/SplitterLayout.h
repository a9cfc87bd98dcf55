// Portable arithmetic of a splitter container: how its length is shared among
// its children (stored sizes as weights, minimum and maximum track sizes, the
// child holding the client placeholder taking the rest), where each child
// then lies, how far a splitter bar may be dragged and what a dropped bar
// stores. All lengths are along the container's axis (x for a row, y for a
// column). The window code of the container feeds and applies these.
#pragma once

#include <vector>

// One child as the distribution sees it.
struct SplitterChild {
  int nStored = 0;      // stored (docked) size along the axis: its share weight
  int nMin = 0;         // minimum track size along the axis
  int nMax = 32000;     // maximum track size along the axis
  // Working length after Distribute: positive a share weight, 0 nothing,
  // negative a fixed length (its absolute value).
  int nLength = 0;
};

struct SplitterDistribution {
  int nTotal = 0;      // sum of the weights still shared
  int nAvailable = 0;  // length still shared among them
};

// Shares nRectLength among the children. nFiller is the index of the child
// that holds the client placeholder and takes what the others leave (-1 for
// none); with bStore its nStored becomes that length (0 when nothing is left).
SplitterDistribution DistributeSplitterSpace(std::vector<SplitterChild>& children, int nFiller,
                                             int nRectLength, int nSplitterSize, bool bStore);

struct SplitterSpan {
  int nNear = 0;
  int nFar = 0;
  bool operator==(const SplitterSpan&) const = default;
};

// Places distributed children from nNear on, a gap of nSplitterSize after
// each; the last child always ends at nFar.
std::vector<SplitterSpan> PlaceSplitterChildren(const std::vector<SplitterChild>& children,
                                                SplitterDistribution distribution, int nNear,
                                                int nFar, int nSplitterSize);

// The minimum and maximum track sizes of a node.
struct SplitterMinMax {
  int nMinX = 0, nMinY = 0;
  int nMaxX = 32000, nMaxY = 32000;
};

// The limits of a container from those of its non-empty children: added
// along the axis (with the bars between them), the tighter across it.
SplitterMinMax CombineSplitterMinMax(const std::vector<SplitterMinMax>& children, bool bHorizontal,
                                     int nSplitterSize);

// Where the near edge of a dragged bar may go between the two children it
// separates; empty (no drag) when nLow >= nHigh.
struct SplitterTrackRange {
  int nLow = 0;
  int nHigh = 0;
  bool IsEmpty() const { return nLow >= nHigh; }
};

struct SplitterNeighbours {
  int nNear = 0, nFar = 0;        // union of both children along the axis
  int nMinBefore = 0, nMaxBefore = 32000;
  int nMinAfter = 0, nMaxAfter = 32000;
};

SplitterTrackRange CalcSplitterTrackRange(const SplitterNeighbours& n, int nMargin, int nSplitterSize);

// The stored sizes of the two children once the bar's near edge is at nPos:
// their sum is kept and split in proportion to where the bar lies (mirrored
// on a right-to-left site).
struct SplitterSizes {
  int nBefore = 0;
  int nAfter = 0;
};

SplitterSizes ApplySplitterPosition(SplitterSizes stored, int nPos, int nNear, int nFar,
                                    int nSplitterSize, bool bRightToLeft);
