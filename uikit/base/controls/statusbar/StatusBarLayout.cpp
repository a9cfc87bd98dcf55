#include "StatusBarLayout.h"

#include <algorithm>

namespace {
const int kTextMargins = 6;  // the control's text inset on both sides of a part
}  // namespace

int JVKStatusFreeWidth(int nInsideWidth, int nBorderGap, const std::vector<CJVKStatusLayoutPane>& panes) {
  int nFree = nInsideWidth + nBorderGap;
  for (const CJVKStatusLayoutPane& pane : panes) nFree -= pane.nWidth + nBorderGap + kTextMargins;
  return nFree;
}

std::vector<int> JVKStatusRightEdges(const std::vector<CJVKStatusLayoutPane>& panes, int nFreeWidth, int nHorzBorder,
                                     int nBorderGap) {
  int nStretchLeft = static_cast<int>(
      std::count_if(panes.begin(), panes.end(), [](const CJVKStatusLayoutPane& pane) { return pane.bStretch; }));
  std::vector<int> edges;
  edges.reserve(panes.size());
  int x = nHorzBorder;
  for (const CJVKStatusLayoutPane& pane : panes) {
    x += pane.nWidth + kTextMargins;
    if (pane.bStretch) {
      if (nFreeWidth > 0) {
        const int nShare = nFreeWidth / nStretchLeft;
        x += nShare;
        nFreeWidth -= nShare;
      }
      --nStretchLeft;
    }
    edges.push_back(x);
    x += nBorderGap;
  }
  return edges;
}

int JVKStatusBarHeight(int nMinHeight, int cySystemBorder, int nVertBorder, int nFontHeight, int nInternalLeading,
                       int nInsideMargins) {
  const int nLine = (cySystemBorder + nVertBorder) * 2 + nFontHeight - nInternalLeading - 1;
  return std::max(nMinHeight, nLine) + nInsideMargins;
}
