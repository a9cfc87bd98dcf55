#include "DockLayout.h"

#include <algorithm>

namespace {

// A row entry along the row.
struct CEntry {
  int nItem = 0;
  int nIndex = 0;  // in the row as stored
  int left = 0, right = 0;
  int nStartLeft = 0;  // where it began
  int nMinLength = 0;
  int nMinBefore = 0;
};

int Along(const JVKLayoutSize& sz, BOOL bHorizontal) { return bHorizontal ? sz.cx : sz.cy; }
int Across(const JVKLayoutSize& sz, BOOL bHorizontal) { return bHorizontal ? sz.cy : sz.cx; }

void Shift(CEntry& e, int nNewLeft) {
  e.right += nNewLeft - e.left;
  e.left = nNewLeft;
}

}  // namespace

JVKDockRowResult JVKLayoutDockRow(const std::vector<JVKDockRowItem>& items, int nOffset, int nLength,
                                  BOOL bHorizontal, const JVKDockSizeFn& size) {
  JVKDockRowResult result;
  std::vector<CEntry> entries;
  for (int i = 0; i < (int)items.size(); ++i) {
    const JVKLayoutSize sz = size(i, nLength, items[i].dwMode);
    CEntry e;
    e.nItem = i;
    e.nIndex = i;
    e.left = e.nStartLeft = items[i].nStart;
    e.right = e.left + Along(sz, bHorizontal);
    entries.push_back(e);
  }
  std::stable_sort(entries.begin(), entries.end(), [](const CEntry& a, const CEntry& b) { return a.left < b.left; });

  // Forward: a bar overlapping the one before it moves right, unless it came
  // first in the row and the one before stayed put.
  int p = 0, nPrevIndex = -1;
  BOOL bPrevMoved = TRUE;
  for (CEntry& e : entries) {
    BOOL bMoved = FALSE;
    if (!(e.left >= p || (nPrevIndex >= e.nIndex && !bPrevMoved))) {
      Shift(e, p);
      bMoved = TRUE;
    }
    p = e.right;
    nPrevIndex = e.nIndex;
    bPrevMoved = bMoved;
  }
  // Backward: a bar beyond the row's end (or the next bar) moves left.
  int nLimit = nLength;
  nPrevIndex = -1;
  bPrevMoved = TRUE;
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    CEntry& e = *it;
    BOOL bMoved = FALSE;
    if (!(e.right <= nLimit || (nPrevIndex >= e.nIndex && !bPrevMoved))) {
      Shift(e, e.left - (e.right - nLimit));
      bMoved = TRUE;
    }
    nLimit = e.left;
    nPrevIndex = e.nIndex;
    bPrevMoved = bMoved;
  }
  // Forward again: nothing overlaps, and nothing starts before the row.
  int nPrevRight = 0;
  for (CEntry& e : entries) {
    if (e.left < nPrevRight) Shift(e, nPrevRight);
    nPrevRight = e.right;
  }

  if (!entries.empty() && entries.back().right > nLength) {
    // Squeeze from the right: a shrinkable bar down to its size at length
    // 1, any other not at all.
    int nSum = 0;
    for (CEntry& e : entries) {
      const JVKDockRowItem& item = items[e.nItem];
      e.nMinLength = (item.dwMode & JVK_LM_HIDE_WRAP) ? Along(size(e.nItem, 1, item.dwMode), bHorizontal) : nLength;
      e.nMinBefore = nSum;
      nSum += e.nMinLength;
    }
    nLimit = nLength;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
      CEntry& e = *it;
      int d = std::min(e.nStartLeft, e.left);
      d = std::max(d, e.left + nLimit - e.right);
      d = std::max(d, e.nMinBefore);
      if (nLimit - d < e.nMinLength) d = nLimit - e.nMinLength;
      if ((nLimit - d >= e.nMinLength && d >= e.nMinBefore) || entries.size() == 1) {
        e.right = nLimit;
        e.left = std::max(d, 0);
        nLimit = e.left;
      } else {
        result.bFits = FALSE;
        result.nMoveOut = entries.back().nItem;
        return result;
      }
    }
  }

  // The row's thickness: the thickest bar at its final length.
  for (const CEntry& e : entries) {
    const JVKDockRowItem& item = items[e.nItem];
    result.nThickness = std::max(result.nThickness, Across(size(e.nItem, e.right - e.left, item.dwMode), bHorizontal));
  }
  for (size_t k = 0; k < entries.size(); ++k) {
    const CEntry& e = entries[k];
    const JVKDockRowItem& item = items[e.nItem];
    JVKDockRowPlace place;
    place.nItem = e.nItem;
    place.dwMode = item.dwMode | LM_COMMIT;
    int left = e.left, right = e.right;
    if (item.dwFlags & JVK_BAR_FILLS_GAP) {
      right = k + 1 < entries.size() ? entries[k + 1].left : nLength;
      const int nPrevEnd = k > 0 ? entries[k - 1].right : 0;
      left = std::min(left, nPrevEnd);
      place.dwMode |= LM_STRETCH;
    }
    place.nLength = right - left;
    const JVKLayoutSize sz = size(e.nItem, place.nLength, place.dwMode);
    if (bHorizontal)
      place.rect = {left, nOffset, left + sz.cx, nOffset + sz.cy};
    else
      place.rect = {nOffset, left, nOffset + sz.cx, left + sz.cy};
    result.places.push_back(place);
  }
  return result;
}

int JVKLayoutDockRowWrapped(const std::vector<JVKDockRowItem>& items, int nOffset, int nLength, BOOL bHorizontal,
                            const JVKDockSizeFn& size, std::vector<JVKDockRowPlace>& places) {
  std::vector<int> row(items.size());
  for (size_t i = 0; i < items.size(); ++i) row[i] = (int)i;
  int nTotal = 0;
  while (!row.empty()) {
    std::vector<int> overflow;
    for (;;) {
      std::vector<JVKDockRowItem> visual;
      for (int n : row) visual.push_back(items[n]);
      const JVKDockRowResult result = JVKLayoutDockRow(
          visual, nOffset + nTotal, nLength, bHorizontal,
          [&](int nItem, int nLen, DWORD dwMode) { return size(row[nItem], nLen, dwMode); });
      if (result.bFits) {
        for (JVKDockRowPlace place : result.places) {
          place.nItem = row[place.nItem];
          places.push_back(place);
        }
        nTotal += result.nThickness;
        break;
      }
      // The named bar waits for the next visual row.
      overflow.insert(overflow.begin(), row[result.nMoveOut]);
      row.erase(row.begin() + result.nMoveOut);
    }
    row = overflow;
  }
  return nTotal;
}

JVKDockInsert JVKFindDockInsert(const std::vector<int>& rowFarEdges, int c) {
  int nPrevFar = 0;
  for (int k = 0; k < (int)rowFarEdges.size(); ++k) {
    if (c < rowFarEdges[k]) {
      // On the boundary with the row before, or before the first row: a new
      // row of its own.
      if (c <= nPrevFar) return {k, TRUE};
      return {k, FALSE};
    }
    nPrevFar = rowFarEdges[k];
  }
  return {(int)rowFarEdges.size(), TRUE};
}
