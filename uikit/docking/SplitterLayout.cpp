#include "SplitterLayout.h"

#include <algorithm>

namespace {

int Clamp(int nValue, int nMin, int nMax) { return nValue < nMin ? nMin : (nValue > nMax ? nMax : nValue); }

// Proportional share; 64-bit because stored sizes come from saved layouts.
int Share(int nWeight, int nAvailable, int nTotal) {
  return static_cast<int>(static_cast<long long>(nWeight) * nAvailable / nTotal);
}

// One pass over the unfixed children: fixes the first whose share leaves its
// limits. Returns false when nobody was fixed or the space ran out.
bool FixOneChild(std::vector<SplitterChild>& children, SplitterDistribution& d, bool& bExhausted) {
  for (SplitterChild& child : children) {
    if (child.nLength < 0 || d.nTotal == 0) continue;
    const int nShare = Share(child.nLength, d.nAvailable, d.nTotal);
    int nFixed;
    if (nShare < child.nMin) {
      nFixed = child.nMin;
    } else if (nShare > child.nMax) {
      nFixed = child.nMax;
    } else {
      continue;
    }
    d.nAvailable -= nFixed;
    d.nTotal -= child.nLength;
    child.nLength = -nFixed;
    if (d.nAvailable < 0) {
      // Even the limits do not fit: this child gives up the excess.
      child.nLength = -(nFixed + d.nAvailable);
      d.nAvailable = 0;
      bExhausted = true;
    }
    return true;
  }
  return false;
}

}  // namespace

SplitterDistribution DistributeSplitterSpace(std::vector<SplitterChild>& children, int nFiller,
                                             int nRectLength, int nSplitterSize, bool bStore) {
  SplitterDistribution d;
  for (size_t i = 0; i < children.size(); ++i) {
    SplitterChild& child = children[i];
    child.nLength = static_cast<int>(i) == nFiller ? 0 : Clamp(child.nStored, child.nMin, child.nMax);
    d.nTotal += child.nLength;
  }
  if (nFiller >= 0 && bStore) children[static_cast<size_t>(nFiller)].nStored = 0;
  d.nAvailable = nRectLength - (static_cast<int>(children.size()) - 1) * nSplitterSize;

  if (nFiller >= 0 && d.nTotal < d.nAvailable) {
    SplitterChild& filler = children[static_cast<size_t>(nFiller)];
    filler.nLength = d.nAvailable - d.nTotal;
    if (bStore) filler.nStored = filler.nLength;
    d.nTotal = d.nAvailable;
  }
  if (d.nAvailable <= 0) return d;

  bool bExhausted = false;
  while (!bExhausted && FixOneChild(children, d, bExhausted)) {
  }
  return d;
}

std::vector<SplitterSpan> PlaceSplitterChildren(const std::vector<SplitterChild>& children,
                                                SplitterDistribution d, int nNear, int nFar,
                                                int nSplitterSize) {
  std::vector<SplitterSpan> spans;
  spans.reserve(children.size());
  // A container narrower than its bars shares nothing: no child gets a
  // negative length, and none reaches past the far edge.
  d.nAvailable = std::max(0, d.nAvailable);
  int nPos = nNear;
  for (size_t i = 0; i < children.size(); ++i) {
    const int w = children[i].nLength;
    int nLength;
    if (w < 0) {
      nLength = -w;
    } else {
      nLength = d.nTotal != 0 ? Share(w, d.nAvailable, d.nTotal) : 0;
      d.nAvailable = std::max(0, d.nAvailable - nLength);
      d.nTotal -= w;
    }
    SplitterSpan span{std::min(nPos, nFar), std::min(nPos + nLength, nFar)};
    if (i + 1 == children.size()) span.nFar = nFar;
    spans.push_back(span);
    nPos = span.nFar + nSplitterSize;
  }
  return spans;
}

SplitterMinMax CombineSplitterMinMax(const std::vector<SplitterMinMax>& children, bool bHorizontal,
                                     int nSplitterSize) {
  SplitterMinMax result;
  if (children.empty()) return result;
  result = children.front();
  for (size_t i = 1; i < children.size(); ++i) {
    const SplitterMinMax& c = children[i];
    if (bHorizontal) {
      result.nMinX += c.nMinX;
      result.nMaxX += c.nMaxX;
      result.nMinY = std::max(result.nMinY, c.nMinY);
      result.nMaxY = std::min(result.nMaxY, c.nMaxY);
    } else {
      result.nMinY += c.nMinY;
      result.nMaxY += c.nMaxY;
      result.nMinX = std::max(result.nMinX, c.nMinX);
      result.nMaxX = std::min(result.nMaxX, c.nMaxX);
    }
  }
  const int nBars = (static_cast<int>(children.size()) - 1) * nSplitterSize;
  (bHorizontal ? result.nMinX : result.nMinY) += nBars;
  (bHorizontal ? result.nMaxX : result.nMaxY) += nBars;
  return result;
}

SplitterTrackRange CalcSplitterTrackRange(const SplitterNeighbours& n, int nMargin, int nSplitterSize) {
  const int nWidth = n.nFar - n.nNear;
  SplitterTrackRange range;
  range.nLow = n.nNear + std::max(nMargin, n.nMinBefore);
  range.nHigh = n.nFar - std::max(nMargin, nSplitterSize + n.nMinAfter);
  if (n.nMaxBefore < nWidth) range.nHigh = std::min(range.nHigh, n.nNear + n.nMaxBefore);
  if (n.nMaxAfter < nWidth) range.nLow = std::max(range.nLow, n.nFar - (n.nMaxAfter + nSplitterSize));
  return range;
}

SplitterSizes ApplySplitterPosition(SplitterSizes stored, int nPos, int nNear, int nFar,
                                    int nSplitterSize, bool bRightToLeft) {
  if (nFar <= nNear) return stored;
  const int nTotal = stored.nBefore + stored.nAfter;
  int nBefore = static_cast<int>(static_cast<long long>(nTotal + nSplitterSize) * (nPos - nNear) /
                                 (nFar - nNear));
  if (bRightToLeft) nBefore = nTotal - nBefore;
  return SplitterSizes{nBefore, nTotal - nBefore};
}
