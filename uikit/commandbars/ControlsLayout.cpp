#include "ControlsLayout.h"

#include <algorithm>

namespace {
// Wrapping at this puts every control on one row.
const int kOneRow = 0x7FFF;
// A bisection ends at the latest after this many steps even when a bound
// stops moving (a control wider than the midpoint).
const int kMaxSearchSteps = 64;

int Along(const CJVKLayoutEntry& e, BOOL bVertical) { return bVertical ? e.cy : e.cx; }
}  // namespace

int CJVKControlsLayout::FirstPresent() const {
  for (size_t i = 0; i < m_entries.size(); ++i)
    if (m_entries[i].bPresent) return static_cast<int>(i);
  return -1;
}

int CJVKControlsLayout::Wrap(int nLength, DWORD& dwMode) {
  const BOOL bVertical = (dwMode & LM_VERTDOCK) != 0;
  const int nFirst = FirstPresent();
  int nRows = 1;
  int e = 0;
  for (size_t i = 0; i < m_entries.size(); ++i) {
    CJVKLayoutEntry& entry = m_entries[i];
    entry.bWrap = entry.bHidden = FALSE;
    if (!entry.bPresent) continue;
    const BOOL bFirst = static_cast<int>(i) == nFirst;
    e += Along(entry, bVertical) + (entry.bBeginGroup && !bFirst ? JVK_GROUP_GAP : 0);
    // The first control of the bar stays on the first row however wide.
    if (bFirst) continue;
    if (e <= nLength && !((dwMode & JVK_LM_GROUP_ROWS) && entry.bBeginGroup)) continue;
    if (dwMode & JVK_LM_HIDE_WRAP) {
      for (size_t k = i; k < m_entries.size(); ++k) m_entries[k].bHidden = TRUE;
      dwMode |= LM_STRETCH;
      return nRows;
    }
    // A group moves to the next row as a whole when it began on this one.
    size_t nWrapAt = i;
    for (size_t k = i + 1; k-- > 0;) {
      if (m_entries[k].bWrap || static_cast<int>(k) == nFirst) break;
      if (m_entries[k].bPresent && m_entries[k].bBeginGroup) {
        nWrapAt = k;
        break;
      }
    }
    m_entries[nWrapAt].bWrap = TRUE;
    e = Along(m_entries[nWrapAt], bVertical);
    dwMode |= LM_STRETCH;
    ++nRows;
    // Entries after the wrap point are walked again on the new row.
    for (size_t k = nWrapAt + 1; k <= i; ++k) m_entries[k].bWrap = m_entries[k].bHidden = FALSE;
    i = nWrapAt;
  }
  return nRows;
}

JVKLayoutSize CJVKControlsLayout::Measure(BOOL bVertical) {
  JVKLayoutSize sz;
  BOOL bFirst = TRUE;
  if (!bVertical) {
    int x = 0, y = 0, nRowHeight = 0;
    for (CJVKLayoutEntry& e : m_entries) {
      if (!IsPlaced(e)) continue;
      if (e.bWrap) {
        y += nRowHeight + (e.bBeginGroup ? JVK_GROUP_GAP : 0);
        x = 0;
        nRowHeight = 0;
      } else if (e.bBeginGroup && !bFirst) {
        x += JVK_GROUP_GAP;
      }
      e.rect = {x, y, x + e.cx, y + e.cy};
      x += e.cx;
      nRowHeight = std::max(nRowHeight, e.cy);
      sz.cx = std::max(sz.cx, e.rect.right);
      sz.cy = std::max(sz.cy, e.rect.bottom);
      bFirst = FALSE;
    }
    return sz;
  }
  int nEdge = 0, y = 0, nColumnWidth = 0, nLeftmost = 0;
  for (CJVKLayoutEntry& e : m_entries) {
    if (!IsPlaced(e)) continue;
    if (e.bWrap) {
      nEdge -= nColumnWidth + (e.bBeginGroup ? JVK_GROUP_GAP : 0);
      y = 0;
      nColumnWidth = 0;
    } else if (e.bBeginGroup && !bFirst) {
      y += JVK_GROUP_GAP;
    }
    e.rect = {nEdge - e.cx, y, nEdge, y + e.cy};
    y += e.cy;
    nColumnWidth = std::max(nColumnWidth, e.cx);
    nLeftmost = std::min(nLeftmost, e.rect.left);
    sz.cy = std::max(sz.cy, e.rect.bottom);
    bFirst = FALSE;
  }
  sz.cx = -nLeftmost;
  return sz;
}

void CJVKControlsLayout::SearchWrapWidth(DWORD dwMode, BOOL bVertical, int (*pfnSide)(const JVKLayoutSize&, int),
                                         int nTarget, BOOL bUpperOnRepeat) {
  Wrap(0, dwMode);
  int nLower = Measure(bVertical).cx;
  Wrap(kOneRow, dwMode);
  int nUpper = Measure(bVertical).cx;
  JVKLayoutSize szPrevious{-1, -1};
  for (int nStep = 0; nLower < nUpper && nStep < kMaxSearchSteps; ++nStep) {
    Wrap((nLower + nUpper) / 2, dwMode);
    const JVKLayoutSize sz = Measure(bVertical);
    const int nSide = pfnSide(sz, nTarget);
    if (nSide > 0) {
      if (sz == szPrevious) {
        if (bUpperOnRepeat) Wrap(nUpper, dwMode);
        break;
      }
      szPrevious = sz;
      nLower = sz.cx;
    } else if (nSide < 0) {
      if (sz.cx >= nUpper) break;  // no progress: the midpoint cannot get narrower
      nUpper = sz.cx;
    } else {
      break;
    }
  }
}

void CJVKControlsLayout::BestFit(DWORD dwMode, BOOL bVertical) {
  // Narrower than tall: wider next time.
  SearchWrapWidth(
      dwMode, bVertical, [](const JVKLayoutSize& sz, int) { return sz.cx < sz.cy   ? 1
                                                                   : sz.cx > sz.cy ? -1
                                                                                   : 0; }, 0,
      FALSE);
}

void CJVKControlsLayout::FitHeight(int nHeight, DWORD dwMode, BOOL bVertical) {
  // Taller than the height: wider next time.
  SearchWrapWidth(
      dwMode, bVertical, [](const JVKLayoutSize& sz, int h) { return sz.cy > h   ? 1
                                                                     : sz.cy < h ? -1
                                                                                 : 0; }, nHeight,
      TRUE);
}

void CJVKControlsLayout::FitWidth(int nWidth, DWORD dwMode, BOOL bVertical) {
  const int nRows = Wrap(nWidth, dwMode);
  if (Wrap(0, dwMode) != nRows && nWidth > 0) {
    // The smallest width in [0, nWidth] that keeps the row count.
    int nLow = 0;
    while (nWidth - nLow > 1) {
      const int nMiddle = (nLow + nWidth) / 2;
      if (Wrap(nMiddle, dwMode) == nRows)
        nWidth = nMiddle;
      else
        nLow = nMiddle;
    }
  }
  Wrap(nWidth, dwMode);
  Wrap(Measure(bVertical).cx, dwMode);
}

JVKLayoutSize CJVKControlsLayout::Calc(int nLength, DWORD dwMode, const JVKLayoutBorders& b, int nMinThickness,
                                       int nMRUWidth) {
  const BOOL bVertical = (dwMode & LM_VERTDOCK) != 0;
  const BOOL bHorzDock = (dwMode & LM_HORZDOCK) != 0;
  if (FirstPresent() < 0) {
    JVKLayoutSize sz{JVK_EMPTY_BAR_CX + b.left + b.right, JVK_EMPTY_BAR_CY + b.top + b.bottom};
    if (nMinThickness > 0) {
      if (bHorzDock)
        sz.cy = std::max(sz.cy, nMinThickness);
      else
        sz.cx = std::max(sz.cx, nMinThickness);
    }
    return sz;
  }
  for (CJVKLayoutEntry& e : m_entries) {
    e.bWrap = e.bHidden = FALSE;
    e.rectRow = {};
  }
  if (dwMode & LM_MRUWIDTH) nLength = nMRUWidth;

  if (dwMode & JVK_LM_GROUP_ROWS) {
    Wrap(nMRUWidth, dwMode);
    const JVKLayoutSize sz = Measure(bVertical);
    if (sz.cx * 3 < sz.cy && nMRUWidth == 0)
      BestFit(dwMode, bVertical);
    else
      Wrap(sz.cx, dwMode);
  } else if (bHorzDock) {
    Wrap(nLength - b.left - b.right, dwMode);
  } else if (bVertical) {
    Wrap(nLength - b.top - b.bottom, dwMode);
  } else if (dwMode & LM_LENGTHY) {
    FitHeight(nLength - b.top - b.bottom, dwMode, bVertical);
  } else {
    FitWidth(nLength - b.left - b.right, dwMode, bVertical);
  }

  JVKLayoutSize sz = Measure(bVertical);
  if (nMinThickness > 0) {
    if (bHorzDock)
      sz.cy = std::max(sz.cy, nMinThickness - b.top - b.bottom);
    else
      sz.cx = std::max(sz.cx, nMinThickness - b.left - b.right);
  }
  if (dwMode & LM_STRETCH) {
    if (bVertical)
      sz.cy = std::max(sz.cy, nLength - b.top - b.bottom);
    else
      sz.cx = std::max(sz.cx, nLength - b.left - b.right);
  }
  if (dwMode & LM_COMMIT) Commit(sz, b, bVertical);
  sz.cx += b.left + b.right;
  sz.cy += b.top + b.bottom;
  if (dwMode & LM_COMMIT) AlignFarEdge(sz, b, bVertical);
  return sz;
}

void CJVKControlsLayout::Commit(const JVKLayoutSize& szInner, const JVKLayoutBorders& b, BOOL bVertical) {
  for (CJVKLayoutEntry& e : m_entries) {
    if (!IsPlaced(e)) continue;
    const int dx = b.left + (bVertical ? szInner.cx : 0);
    e.rect = {e.rect.left + dx, e.rect.top + b.top, e.rect.right + dx, e.rect.bottom + b.top};
  }
  // Rows: [first, end) of the placed entries, closed at each wrap.
  std::vector<std::pair<size_t, size_t>> rows;
  size_t nRowStart = m_entries.size();
  for (size_t i = 0; i < m_entries.size(); ++i) {
    if (!IsPlaced(m_entries[i])) continue;
    if (nRowStart == m_entries.size()) {
      nRowStart = i;
    } else if (m_entries[i].bWrap) {
      rows.emplace_back(nRowStart, i);
      nRowStart = i;
    }
  }
  if (nRowStart != m_entries.size()) rows.emplace_back(nRowStart, m_entries.size());

  for (const auto& row : rows) {
    int nThickness = 0;
    for (size_t i = row.first; i < row.second; ++i)
      if (IsPlaced(m_entries[i])) nThickness = std::max(nThickness, bVertical ? m_entries[i].cx : m_entries[i].cy);
    // One row: the controls centre in the whole bar.
    if (rows.size() == 1) nThickness = bVertical ? szInner.cx : szInner.cy;
    const CJVKLayoutEntry& head = m_entries[row.first];
    JVKLayoutRect band;
    if (bVertical)
      band = {head.rect.right - nThickness, b.top, head.rect.right, b.top + szInner.cy};
    else
      band = {b.left, head.rect.top, b.left + szInner.cx, head.rect.top + nThickness};
    for (size_t i = row.first; i < row.second; ++i) {
      CJVKLayoutEntry& e = m_entries[i];
      if (!IsPlaced(e)) continue;
      e.rectRow = band;
      if (bVertical) {
        const int x = band.left + (nThickness - e.cx) / 2;
        e.rect.right = x + e.cx;
        e.rect.left = x;
      } else {
        const int y = band.top + (nThickness - e.cy) / 2;
        e.rect.bottom = y + e.cy;
        e.rect.top = y;
      }
    }
  }
}

namespace {
// Moves an entry along the bar.
void Shift(JVKLayoutRect& rc, int d, BOOL bVertical) {
  if (bVertical) {
    rc.top += d;
    rc.bottom += d;
  } else {
    rc.left += d;
    rc.right += d;
  }
}
int Near(const JVKLayoutRect& rc, BOOL bVertical) { return bVertical ? rc.top : rc.left; }
int Far(const JVKLayoutRect& rc, BOOL bVertical) { return bVertical ? rc.bottom : rc.right; }
}  // namespace

void CJVKControlsLayout::AlignFarEdge(const JVKLayoutSize& szBar, const JVKLayoutBorders& b, BOOL bVertical) {
  const int nFarEdge = bVertical ? szBar.cy - b.bottom : szBar.cx - b.right;
  const int nNearBorder = bVertical ? b.top : b.left;

  // Right-aligned controls pack against the end of the last row.
  int nEdge = nFarEdge;
  for (size_t i = m_entries.size(); i-- > 0;) {
    CJVKLayoutEntry& e = m_entries[i];
    if (!IsPlaced(e)) continue;
    if (!(e.dwFlags & JVK_CONTROL_RIGHT_ALIGN)) break;
    const int nSize = Far(e.rect, bVertical) - Near(e.rect, bVertical);
    if (nEdge - nSize < nNearBorder) break;
    Shift(e.rect, nEdge - Far(e.rect, bVertical), bVertical);
    nEdge -= nSize;
    if (e.bWrap) break;
  }

  // Stretched controls share the free space of their row, last row first.
  size_t nEnd = m_entries.size();
  BOOL bLastRow = TRUE;
  for (size_t i = m_entries.size(); i-- > 0;) {
    const CJVKLayoutEntry& e = m_entries[i];
    if (!IsPlaced(e)) continue;
    if (e.bWrap || i == static_cast<size_t>(FirstPresent())) {
      Stretch(i, nEnd, nFarEdge, bVertical, bLastRow);
      nEnd = i;
      bLastRow = FALSE;
    }
  }
}

void CJVKControlsLayout::Stretch(size_t nFirst, size_t nEnd, int nFarEdge, BOOL bVertical, BOOL bLastRow) {
  // In the last row the right-aligned controls at its end stay where they
  // were packed; the space before them is shared.
  size_t nRangeEnd = nEnd;
  int nLimit = nFarEdge;
  if (bLastRow) {
    for (size_t i = nEnd; i-- > nFirst;) {
      const CJVKLayoutEntry& e = m_entries[i];
      if (!IsPlaced(e)) continue;
      if (e.dwFlags & JVK_CONTROL_STRETCHED) break;
      if (e.dwFlags & JVK_CONTROL_RIGHT_ALIGN) {
        nRangeEnd = i;
        nLimit = Near(e.rect, bVertical);
      } else {
        break;
      }
    }
  }
  int nStretched = 0, nLastFar = -1;
  for (size_t i = nFirst; i < nRangeEnd; ++i) {
    const CJVKLayoutEntry& e = m_entries[i];
    if (!IsPlaced(e)) continue;
    if (e.dwFlags & JVK_CONTROL_STRETCHED) ++nStretched;
    nLastFar = Far(e.rect, bVertical);
  }
  int nFree = nLimit - nLastFar;
  if (nStretched == 0 || nLastFar < 0 || nFree < 1) return;
  int nShift = 0;
  for (size_t i = nFirst; i < nRangeEnd; ++i) {
    CJVKLayoutEntry& e = m_entries[i];
    if (!IsPlaced(e)) continue;
    Shift(e.rect, nShift, bVertical);
    if (!(e.dwFlags & JVK_CONTROL_STRETCHED)) continue;
    const int nGrow = nFree / nStretched;
    nFree -= nGrow;
    --nStretched;
    (bVertical ? e.rect.bottom : e.rect.right) += nGrow;
    nShift += nGrow;
  }
}

int JVKNextControlIndex(int nCount, int nStart, int nStep, BOOL (*pfnSkip)(int nIndex, void* pContext),
                        void* pContext) {
  if (nCount <= 0) return -1;
  int nIndex = nStart < 0 && nStep < 0 ? nCount - 1 : nStart + nStep;
  int nWraps = 0;
  for (;;) {
    if (nIndex >= nCount || nIndex < 0) {
      // From before the first, the walk does not go round.
      if (nStart < 0 || ++nWraps > 1) return -1;
      nIndex = nIndex < 0 ? nCount - 1 : 0;
    }
    if (nIndex == nStart) return nStart;
    if (!pfnSkip(nIndex, pContext)) return nIndex;
    nIndex += nStep;
  }
}
