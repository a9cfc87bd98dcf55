// Where the splitter tracker may go: a coordinate clamped to its bounds the
// way the tracker clamps it (the minimum wins when the bounds cross).
#pragma once

#include <algorithm>

inline int ClampTrackCoordinate(int nValue, int nMin, int nMax) {
  if (nMin >= std::min(nValue, nMax)) return nMin;
  if (nValue >= nMax) return nMax;
  return nValue;
}
