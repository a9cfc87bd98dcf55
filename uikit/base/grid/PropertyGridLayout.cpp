#include "PropertyGridLayout.h"

BOOL JVKExpandBoxHit(int x, int nIndent, BOOL bCategory) {
  const int nStart = (bCategory ? nIndent : nIndent - 1) * kJvkGridIndent;
  return x >= nStart && x <= nStart + kJvkGridIndent;
}

int JVKDividerPos(int cxClient, double dRatio) { return static_cast<int>(cxClient * dRatio); }

BOOL JVKDividerHit(int x, int nDivider, int nRows) { return nRows > 0 && x > nDivider - 4 && x <= nDivider + 2; }

double JVKClampDividerRatio(double dRatio) {
  if (dRatio < 0.1) return 0.1;
  if (dRatio > 0.85) return 0.85;
  return dRatio;
}

int JVKClampSplitterY(int y, int cyClient) {
  if (y > cyClient - kJvkGridSplitterBottomGap) y = cyClient - kJvkGridSplitterBottomGap;
  if (y < kJvkGridSplitterMinY) y = kJvkGridSplitterMinY;
  return y;
}

JVKGridRect JVKInplaceListRect(const JVKGridRect& rcRow, int nCount, int cyEntry, int cxWidest) {
  const int nRows = nCount < kJvkGridListMaxRows ? nCount : kJvkGridListMaxRows;
  const int cxRoom = (rcRow.right - rcRow.left) - 14;
  JVKGridRect rc;
  rc.top = rcRow.bottom;
  rc.bottom = rc.top + nRows * cyEntry + 2;
  rc.right = rcRow.right;
  rc.left = rc.right - (cxWidest < cxRoom ? cxWidest : cxRoom);
  return rc;
}

void JVKFitInplaceList(JVKGridRect& rcList, const JVKGridRect& rcRow, const JVKGridRect& rcWork) {
  const int cy = rcList.bottom - rcList.top;
  const int cx = rcList.right - rcList.left;
  if (rcList.bottom > rcWork.bottom && rcList.top > (rcWork.top + rcWork.bottom) / 2) {
    rcList.bottom = rcRow.top - 1;
    rcList.top = rcList.bottom - cy;
  }
  if (rcList.left < rcWork.left) {
    rcList.left = rcWork.left;
    rcList.right = rcList.left + cx;
  }
  if (rcList.right > rcWork.right) {
    rcList.right = rcWork.right;
    rcList.left = rcList.right - cx;
  }
}

int JVKItemRowHeight(int nDefault, int nHeight, int nLines) {
  if (nHeight != -1) return nHeight;
  if (nLines > 1) return nLines * (nDefault - 4) + 4;
  return nDefault;
}

int JVKNextFocusStop(int nStop, BOOL bForward) {
  static const int kStops[] = {jvkStopView, jvkStopEdit, jvkStopButton, jvkStopDialog};
  const int nCount = 4;
  int nAt = -1;
  for (int i = 0; i < nCount; ++i)
    if (kStops[i] == nStop) nAt = i;
  if (nAt < 0) return bForward ? kStops[0] : kStops[nCount - 1];
  return kStops[(nAt + (bForward ? 1 : nCount - 1)) % nCount];
}
