#include "DropMarkRules.h"

#include <climits>
#include <cstdlib>

JVKDropMark JVKCalcDropMark(const std::vector<JVKDropControl>& controls, int x, int y, BOOL bVertical,
                            const JVKLayoutRect& rcClient, int nDragged) {
  JVKDropMark mark;
  mark.bVertical = bVertical;
  const int nCount = static_cast<int>(controls.size());
  int nBest = -1;
  int nBestDistance = INT_MAX;
  for (int i = 0; i < nCount; ++i) {
    const JVKDropControl& c = controls[static_cast<size_t>(i)];
    if (!c.bEligible) continue;
    const int nCentre = bVertical ? (c.rect.top + c.rect.bottom) / 2 : (c.rect.left + c.rect.right) / 2;
    const int nDistance = std::abs((bVertical ? y : x) - nCentre);
    // Only the pointer's row (column) counts: a row below the pointer (a
    // column beyond it) ends the search, an earlier one starts it afresh.
    if (c.bWrap && nBest >= 0) {
      if (bVertical ? c.rect.left > x : c.rect.top > y) break;
      nBest = -1;
    }
    if (nBest < 0 || nDistance < nBestDistance) {
      nBest = i;
      nBestDistance = nDistance;
    }
  }
  if (nBest < 0) {
    mark.rect = {rcClient.left + 2, rcClient.top + 2, rcClient.left + 8, rcClient.bottom - 2};
    mark.bVertical = FALSE;
    mark.nInsert = nCount;
    return mark;
  }
  mark.nCandidate = nBest;
  if (nBest == nDragged) {
    mark.nInsert = nBest;
    return mark;
  }
  const JVKLayoutRect& rc = controls[static_cast<size_t>(nBest)].rect;
  const int nCentre = bVertical ? (rc.top + rc.bottom) / 2 : (rc.left + rc.right) / 2;
  const int nPointer = bVertical ? y : x;
  const int nNear = bVertical ? rc.top : rc.left;
  const int nFar = bVertical ? rc.bottom : rc.right;
  int nStart = 0;
  if (nPointer < nCentre) {
    mark.bBefore = TRUE;
    mark.nInsert = nBest;
    nStart = nNear;
  } else {
    mark.nInsert = nBest + 1;
    const BOOL bLast = nBest + 1 >= nCount;
    const JVKDropControl* pNext = bLast ? nullptr : &controls[static_cast<size_t>(nBest + 1)];
    const BOOL bInside = bLast || pNext->bBeginGroup || (!bVertical && pNext->bWrap);
    nStart = bInside ? nFar - JVK_DROP_MARK_SIZE : nFar;
  }
  if (bVertical)
    mark.rect = {rc.left, nStart, rc.right, nStart + JVK_DROP_MARK_SIZE};
  else
    mark.rect = {nStart, rc.top, nStart + JVK_DROP_MARK_SIZE, rc.bottom};
  return mark;
}
