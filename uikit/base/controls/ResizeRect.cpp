#include "ResizeRect.h"

CJVResizeRect& CJVResizeRect::operator+=(const CJVResizeRect& other) {
  left += other.left;
  top += other.top;
  right += other.right;
  bottom += other.bottom;
  return *this;
}

bool CJVResizeRect::operator==(const CJVResizeRect& other) const {
  return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
}

CJVResizeRect CJVResizeRect::Moved(int dx, int dy, const CJVResizeRect& anchor) const {
  const float fx = static_cast<float>(dx), fy = static_cast<float>(dy);
  return CJVResizeRect(left + fx * anchor.left, top + fy * anchor.top, right + fx * anchor.right,
                       bottom + fy * anchor.bottom);
}

CJVResizeMove JVResizeMoveTo(const CJVResizeRect& rect, int nCurX, int nCurY, int nCurCx, int nCurCy) {
  CJVResizeMove move;
  move.x = static_cast<int>(rect.left);
  move.y = static_cast<int>(rect.top);
  move.cx = static_cast<int>(rect.right - rect.left);
  move.cy = static_cast<int>(rect.bottom - rect.top);
  move.bMove = !(move.x == nCurX && move.y == nCurY);
  const int nTruncCx = static_cast<int>(rect.right) - move.x;
  const int nTruncCy = static_cast<int>(rect.bottom) - move.y;
  move.bSize = !(nTruncCx == nCurCx && nTruncCy == nCurCy);
  return move;
}

void JVResizeApplyLimits(DWORD dwFlags, int nLastCx, int nLastCy, int nMinCx, int nMinCy, int nMaxCx, int nMaxCy,
                         CJVResizeLimits& limits) {
  if (nLastCx != 0 || nLastCy != 0) {
    if (dwFlags & JVRESIZE_NOHORIZONTAL) limits.maxSizeCx = limits.maxTrackCx = nLastCx;
    if (dwFlags & JVRESIZE_NOVERTICAL) limits.maxSizeCy = limits.maxTrackCy = nLastCy;
  }
  if (nMinCx != 0) limits.minTrackCx = nMinCx;
  if (nMinCy != 0) limits.minTrackCy = nMinCy;
  if (nMaxCx != 0) limits.maxTrackCx = nMaxCx;
  if (nMaxCy != 0) limits.maxTrackCy = nMaxCy;
}
