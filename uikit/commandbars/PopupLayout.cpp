#include "PopupLayout.h"

#include <algorithm>

JVKPopupPlacement JVKPlacePopup(const JVKLayoutRect& work, const JVKLayoutRect& exclude, int x, int y, int cx, int cy,
                                DWORD dwFlags) {
  JVKPopupPlacement result;
  const int nLimit = work.bottom - JVK_POPUP_BOTTOM_GAP;
  // The middle of the usable height of this work area, which need not start
  // at screen 0 (a top task bar, a monitor below the primary one).
  const int nMiddle = work.top + (nLimit - work.top) / 2;
  const BOOL bPointVert = exclude.Height() == 0;
  const BOOL bPointHorz = exclude.Width() == 0;
  const int xAnchor = x;

  if (dwFlags == (JVK_POPUP_OPENS_LEFT | JVK_POPUP_DROPS_BELOW) && !bPointHorz)
    x = exclude.right - cx;
  else if (dwFlags & JVK_POPUP_OPENS_LEFT)
    x = bPointHorz ? x - cx : exclude.left - cx;

  if (bPointVert && nLimit < y) {
    y -= cy;
  } else if (y + cy > nLimit) {
    if (bPointVert) {
      y = y < nMiddle ? nLimit - cy : y - cy;
    } else if (dwFlags & JVK_POPUP_DROPS_BELOW) {
      y = exclude.top - cy;
      if (y < work.top) {
        // No room above either: the larger side takes it and scrolls.
        result.bMustScroll = TRUE;
        if (nMiddle < (exclude.top + exclude.bottom) / 2) {
          y = work.top;
          cy = exclude.top - work.top;
        } else {
          y = exclude.bottom;
          cy = nLimit - exclude.bottom;
        }
      }
    } else {
      y = nLimit - cy;
    }
  }
  y = std::max(y, (int)work.top);
  if (y + cy > nLimit) {
    cy = nLimit - y;
    result.bMustScroll = TRUE;
  }

  if (x + cx > work.right) {
    if (bPointHorz) {
      x = xAnchor > work.right ? xAnchor - cx : work.right - cx;
    } else {
      x = ((dwFlags & JVK_POPUP_DROPS_BELOW) ? work.right : exclude.left) - cx;
      dwFlags |= JVK_POPUP_OPENS_LEFT;
    }
  }
  if (x < work.left) {
    if (!bPointHorz) {
      x = (dwFlags & JVK_POPUP_DROPS_BELOW) ? work.left : exclude.right;
      dwFlags &= ~JVK_POPUP_OPENS_LEFT;
    } else if (dwFlags & JVK_POPUP_OPENS_LEFT) {
      // The work area's own left edge: screen 0 may be another monitor or
      // lie under a task bar on the left.
      x = work.left;
      dwFlags &= ~JVK_POPUP_OPENS_LEFT;
    }
  }

  result.rect = {x, y, x + cx, y + cy};
  result.dwFlags = dwFlags;
  return result;
}

void CJVKPopupLayout::Place(CJVKPopupEntry& e, int y) {
  const int nLeft = m_metrics.borders.left;
  e.rect = {nLeft, y, nLeft + m_nWidth, y + e.cy};
  e.bScrolledOut = FALSE;
}

void CJVKPopupLayout::PlaceFrame(int yControlsEnd) {
  const int nLeft = m_metrics.borders.left;
  const int nTop = m_metrics.borders.top;
  m_rectGripper = {};
  m_rectExpand = {};
  if (m_metrics.nGripper) m_rectGripper = {nLeft, nTop, nLeft + m_nWidth, nTop + m_metrics.nGripper};
  if (m_metrics.nExpand)
    m_rectExpand = {nLeft, yControlsEnd, nLeft + m_nWidth, yControlsEnd + m_metrics.nExpand};
}

JVKLayoutSize CJVKPopupLayout::Measure(int nWorkRight) {
  const int nMaxWidth = nWorkRight / 3;
  int y = ContentTop();
  BOOL bPlaced = FALSE;
  m_nWidth = 0;
  for (CJVKPopupEntry& e : m_entries) {
    e.bScrolledOut = FALSE;
    e.rect = {};
    if (!e.bVisible) continue;
    if (e.bBeginGroup && bPlaced) y += m_metrics.nSeparator;
    const int cx = std::min(e.cx, nMaxWidth);
    e.rect = {m_metrics.borders.left, y, m_metrics.borders.left + cx, y + e.cy};
    y += e.cy;
    m_nWidth = std::max(m_nWidth, cx);
    bPlaced = TRUE;
  }
  for (CJVKPopupEntry& e : m_entries)
    if (e.bVisible) e.rect.right = e.rect.left + m_nWidth;
  PlaceFrame(y);
  m_nFirst = 0;
  m_nEnd = (int)m_entries.size();
  m_rectScrollUp = {};
  m_rectScrollDown = {};

  JVKLayoutSize size;
  size.cx = m_metrics.borders.left + m_metrics.borders.right + std::max(m_nWidth, JVK_POPUP_MIN_CONTENT);
  size.cy = (bPlaced ? y : JVK_POPUP_MIN_CONTENT) + m_metrics.borders.bottom + m_metrics.nExpand;
  return size;
}

void CJVKPopupLayout::LayoutFromFirst(int nFirst, int cyWindow) {
  const int nCount = (int)m_entries.size();
  // A single control above would leave a scroll button in its place.
  if (nFirst == 1) nFirst = 0;
  nFirst = std::clamp(nFirst, 0, nCount);
  const int nLeft = m_metrics.borders.left;
  m_rectScrollUp = {};
  m_rectScrollDown = {};

  int y = ContentTop();
  if (nFirst > 0) {
    m_rectScrollUp = {nLeft, y, nLeft + m_nWidth, y + JVK_POPUP_SCROLL_BUTTON};
    y += JVK_POPUP_SCROLL_BUTTON;
  }
  const int yLimit = ContentBottom(cyWindow) - JVK_POPUP_SCROLL_BUTTON;
  for (int i = 0; i < nFirst; i++) m_entries[i].bScrolledOut = m_entries[i].bVisible;
  BOOL bPlaced = FALSE;
  int i = nFirst;
  for (; i < nCount; i++) {
    CJVKPopupEntry& e = m_entries[i];
    if (!e.bVisible) continue;
    const int yTop = y + ((e.bBeginGroup && bPlaced) ? m_metrics.nSeparator : 0);
    if (yTop + e.cy > yLimit) break;
    Place(e, yTop);
    y = yTop + e.cy;
    bPlaced = TRUE;
  }
  m_nFirst = nFirst;
  m_nEnd = i;
  for (; i < nCount; i++) m_entries[i].bScrolledOut = m_entries[i].bVisible;
  if (m_nEnd < nCount) {
    const int yBottom = ContentBottom(cyWindow);
    m_rectScrollDown = {nLeft, yBottom - JVK_POPUP_SCROLL_BUTTON, nLeft + m_nWidth, yBottom};
  }
  PlaceFrame(ContentBottom(cyWindow));
}

void CJVKPopupLayout::LayoutFromEnd(int nEnd, int cyWindow) {
  const int nCount = (int)m_entries.size();
  // A single control below would leave a scroll button in its place.
  if (nEnd == nCount - 1) nEnd = nCount;
  nEnd = std::clamp(nEnd, 0, nCount);
  const int nLeft = m_metrics.borders.left;
  m_rectScrollUp = {};
  m_rectScrollDown = {};

  int y = ContentBottom(cyWindow);
  if (nEnd < nCount) {
    m_rectScrollDown = {nLeft, y - JVK_POPUP_SCROLL_BUTTON, nLeft + m_nWidth, y};
    y -= JVK_POPUP_SCROLL_BUTTON;
  }
  const int yLimit = ContentTop() + JVK_POPUP_SCROLL_BUTTON;
  for (int i = nEnd; i < nCount; i++) m_entries[i].bScrolledOut = m_entries[i].bVisible;
  // The separator owed above the control placed last, which begins a group.
  int nGap = 0;
  int i = nEnd - 1;
  for (; i >= 0; i--) {
    CJVKPopupEntry& e = m_entries[i];
    if (!e.bVisible) continue;
    const int yTop = y - nGap - e.cy;
    if (yTop < yLimit) break;
    Place(e, yTop);
    y = yTop;
    nGap = e.bBeginGroup ? m_metrics.nSeparator : 0;
  }
  m_nFirst = i + 1;
  m_nEnd = nEnd;
  for (; i >= 0; i--) m_entries[i].bScrolledOut = m_entries[i].bVisible;
  if (m_nFirst > 0) {
    const int yTop = ContentTop();
    m_rectScrollUp = {nLeft, yTop, nLeft + m_nWidth, yTop + JVK_POPUP_SCROLL_BUTTON};
  }
  PlaceFrame(ContentBottom(cyWindow));
}

BOOL JVKHideRarelyUsed(std::vector<CJVKRarelyUsedEntry>& entries, BOOL bAlwaysFull, BOOL& bExpanded) {
  BOOL bUsedShown = FALSE;
  for (CJVKRarelyUsedEntry& e : entries) {
    e.bHidden = FALSE;
    if (bAlwaysFull) e.bUsed = TRUE;
    if (e.bUsed && e.bVisible) bUsedShown = TRUE;
  }
  if (bAlwaysFull) {
    bExpanded = TRUE;
    return FALSE;
  }
  if (bExpanded || !bUsedShown) return FALSE;
  // Only commands that would show count as hidden: an expand button that
  // reveals nothing would be a dead end.
  BOOL bHidesSome = FALSE;
  for (CJVKRarelyUsedEntry& e : entries) {
    if (e.bUsed) continue;
    e.bHidden = TRUE;
    if (e.bVisible) bHidesSome = TRUE;
  }
  return bHidesSome;
}
