#include "TabLayout.h"

#include <algorithm>
#include <numeric>

namespace {

// The strip's own axes: "along" runs with the tabs, "across" from the tab
// side to the client side. The far positions (bottom, right) have their tab
// side at the end of the across axis.
struct CStripAxes {
  BOOL bVertical;
  BOOL bFar;

  explicit CStripAxes(int nPosition)
      : bVertical(JVKIsVerticalTabPosition(nPosition)),
        bFar(nPosition == jvkTabPositionBottom || nPosition == jvkTabPositionRight) {}

  LONG AlongStart(const JVKTabRect& rc) const { return bVertical ? rc.top : rc.left; }
  LONG AlongEnd(const JVKTabRect& rc) const { return bVertical ? rc.bottom : rc.right; }
  LONG AcrossStart(const JVKTabRect& rc) const { return bVertical ? rc.left : rc.top; }
  LONG AcrossEnd(const JVKTabRect& rc) const { return bVertical ? rc.right : rc.bottom; }
  JVKTabRect Make(LONG a0, LONG a1, LONG b0, LONG b1) const {
    return bVertical ? JVKMakeTabRect(b0, a0, b1, a1) : JVKMakeTabRect(a0, b0, a1, b1);
  }
  void SetAlongEnd(JVKTabRect& rc, LONG v) const { (bVertical ? rc.bottom : rc.right) = v; }
};

const JVKTabRect kStaticFrameMargins = {2, 1, 2, 2};

void Deflate(JVKTabRect& rc, const JVKTabRect& m) {
  rc.left += m.left;
  rc.top += m.top;
  rc.right -= m.right;
  rc.bottom -= m.bottom;
}

int RowDepth(const JVKTabLayoutStyle& style, int nRows) {
  return nRows * style.nRowHeight + (nRows - 1) * style.nRowSpacing;
}

int LongestWidth(const JVKTabStrip& strip) {
  int nLongest = 0;
  for (const JVKTabLayoutItem& item : strip.items) nLongest = std::max(nLongest, item.nWidth);
  return nLongest;
}

// Places the shown buttons at the end of the band, the last button first,
// each cutting its space off; returns the band's end that is left.
LONG PlaceNavigateButtons(const JVKTabLayoutStyle& style, JVKTabStrip& strip, const JVKTabRect& rcBand, int nItems) {
  const CStripAxes axes(style.nPosition);
  const int nBand = axes.AlongEnd(rcBand) - axes.AlongStart(rcBand);
  JVKTabRect rcLeft = rcBand;
  for (int id = jvkTabNavigateCount - 1; id >= 0; --id) {
    JVKTabNavigateState& button = strip.buttons[id];
    if (id != jvkTabNavigateClose) button.bEnabled = JVKTabNavigateEnabled(id, strip.nOffset, nBand, nItems);
    if (!JVKTabNavigateShown(id, button, style.nLayout, strip.nOffset, nBand, nItems, style.rcHeaderMargins.left)) {
      button.rc = JVKMakeTabRect(0, 0, 0, 0);
      continue;
    }
    if (axes.bVertical) {
      const LONG cx = (rcLeft.left + rcLeft.right) / 2;
      button.rc = JVKMakeTabRect(cx - kJvkTabNavigateWidth / 2, rcLeft.bottom - kJvkTabNavigateHeight,
                                 cx + kJvkTabNavigateWidth / 2, rcLeft.bottom);
      rcLeft.bottom -= kJvkTabNavigateHeight;
    } else {
      const LONG cy = (rcLeft.top + rcLeft.bottom) / 2;
      button.rc = JVKMakeTabRect(rcLeft.right - kJvkTabNavigateWidth, cy + 7 - kJvkTabNavigateHeight, rcLeft.right,
                                 cy + 7);
      rcLeft.right -= kJvkTabNavigateWidth;
    }
  }
  return axes.AlongEnd(rcLeft);
}

void HideNavigateButtons(JVKTabStrip& strip) {
  for (JVKTabNavigateState& button : strip.buttons) button.rc = JVKMakeTabRect(0, 0, 0, 0);
}

void MeasureItems(JVKTabStrip& strip) {
  for (JVKTabLayoutItem& item : strip.items) {
    item.nWidth = item.bVisible ? item.nLength : 0;
    item.nFullLength = item.nWidth;
    item.nRow = 0;
  }
}

void LayoutMultiRow(const JVKTabLayoutStyle& style, const JVKTabRect& rc, JVKTabStrip& strip) {
  const CStripAxes axes(style.nPosition);
  HideNavigateButtons(strip);
  strip.nOffset = 0;
  strip.rcHeader = JVKTabHeaderRect(style, rc, 1, 0);
  if (strip.items.empty()) return;

  MeasureItems(strip);
  const JVKTabRect& m = style.rcHeaderMargins;
  const int nAvailable = axes.AlongEnd(rc) - axes.AlongStart(rc) - m.left - m.right;
  std::vector<int> widths(strip.items.size());
  for (size_t i = 0; i < widths.size(); ++i) widths[i] = strip.items[i].nWidth;
  strip.rows = JVKBalanceTabRows(widths, nAvailable, style.bFillRows);
  const int nRows = static_cast<int>(strip.rows.size());

  if (!style.bKeepRowOrder && strip.nSelected >= 0) {
    for (int r = 1; r < nRows; ++r) {
      if (strip.nSelected >= strip.rows[r].nFirst && strip.nSelected <= strip.rows[r].nLast) {
        std::swap(strip.rows[0], strip.rows[r]);
        break;
      }
    }
  }
  if (nRows >= 2 && style.bFillRows) {
    for (const JVKTabRow& row : strip.rows) JVKStretchTabRow(widths, row, nAvailable);
  }

  const int h = style.nRowHeight, s = style.nRowSpacing;
  for (int r = 0; r < nRows; ++r) {
    const LONG across = axes.bFar ? axes.AcrossEnd(rc) - (nRows - 1) * s - h * nRows - m.top + r * (h + s)
                                  : axes.AcrossStart(rc) + m.top + (h + s) * (nRows - 1) - r * (h + s);
    LONG along = axes.AlongStart(rc) + m.left;
    for (int i = strip.rows[r].nFirst; i <= strip.rows[r].nLast; ++i) {
      JVKTabLayoutItem& item = strip.items[i];
      item.nWidth = widths[i];
      item.nRow = r;
      item.rcItem = axes.Make(along, along + item.nWidth, across, across + h);
      along += item.nWidth;
    }
  }
  strip.rcHeader = JVKTabHeaderRect(style, rc, nRows, 0);
}

}  // namespace

void JVKInflateTurned(JVKTabRect& rc, int nPosition, const JVKTabRect& m, int nSign) {
  const LONG leading = m.left * nSign, tab = m.top * nSign, trailing = m.right * nSign, client = m.bottom * nSign;
  switch (nPosition) {
    case jvkTabPositionLeft:
      rc.top -= leading, rc.left -= tab, rc.bottom += trailing, rc.right += client;
      break;
    case jvkTabPositionBottom:
      rc.left -= leading, rc.bottom += tab, rc.right += trailing, rc.top -= client;
      break;
    case jvkTabPositionRight:
      rc.top -= leading, rc.right += tab, rc.bottom += trailing, rc.left -= client;
      break;
    default:
      rc.left -= leading, rc.top -= tab, rc.right += trailing, rc.bottom += client;
      break;
  }
}

JVKTabRect JVKTabHeaderRect(const JVKTabLayoutStyle& style, const JVKTabRect& rc, int nRows, int nLongest) {
  const CStripAxes axes(style.nPosition);
  int nDepth = RowDepth(style, std::max(nRows, 1));
  if (style.nLayout == jvkTabLayoutRotated) nDepth = std::max(nDepth, nLongest);
  nDepth += style.rcHeaderMargins.top + style.rcHeaderMargins.bottom;
  const LONG b0 = axes.bFar ? axes.AcrossEnd(rc) - nDepth : axes.AcrossStart(rc);
  return axes.Make(axes.AlongStart(rc), axes.AlongEnd(rc), b0, b0 + nDepth);
}

JVKTabRect JVKTabClientAreaRect(const JVKTabLayoutStyle& style, const JVKTabRect& rc, int nRows, int nLongest) {
  const CStripAxes axes(style.nPosition);
  const JVKTabRect rcHeader = JVKTabHeaderRect(style, rc, nRows, nLongest);
  if (axes.bFar) {
    const LONG b1 = axes.AcrossStart(rcHeader) + 1;
    return axes.Make(axes.AlongStart(rc), axes.AlongEnd(rc), axes.AcrossStart(rc), b1);
  }
  const LONG b0 = axes.AcrossEnd(rcHeader) - 1;
  return axes.Make(axes.AlongStart(rc), axes.AlongEnd(rc), b0, axes.AcrossEnd(rc));
}

JVKTabRect JVKTabAdjustClientRect(const JVKTabLayoutStyle& style, const JVKTabRect& rcControl,
                                  const JVKTabStrip& strip) {
  JVKTabRect rc = rcControl;
  if (style.bStaticFrame) JVKInflateTurned(rc, style.nPosition, kStaticFrameMargins, -1);
  if (strip.items.empty()) return rc;
  Deflate(rc, style.rcControlMargins);
  rc = JVKTabClientAreaRect(style, rc, static_cast<int>(strip.rows.size()), LongestWidth(strip));
  Deflate(rc, style.rcClientMargins);
  if (style.nClientFrame == 0) {
    Deflate(rc, JVKMakeTabRect(2, 2, 2, 2));
  } else if (style.nClientFrame == 1) {
    JVKInflateTurned(rc, style.nPosition, JVKMakeTabRect(0, 2, 0, 0), -1);
  }
  return rc;
}

int JVKTabItemsLength(const JVKTabLayoutStyle& style, const JVKTabStrip& strip) {
  if (style.nLayout == jvkTabLayoutRotated) return static_cast<int>(strip.items.size()) * style.nRowHeight;
  int nLength = 0;
  for (const JVKTabLayoutItem& item : strip.items) nLength += item.nWidth;
  return nLength;
}

void JVKLayoutTabStrip(const JVKTabLayoutStyle& style, const JVKTabRect& rcGiven, JVKTabStrip& strip) {
  const CStripAxes axes(style.nPosition);
  strip.rcControl = rcGiven;
  strip.rows.assign(1, JVKTabRow{0, static_cast<int>(strip.items.size()) - 1});
  for (JVKTabLayoutItem& item : strip.items) item.nRow = 0;

  JVKTabRect rc = rcGiven;
  if (style.bStaticFrame) JVKInflateTurned(rc, style.nPosition, kStaticFrameMargins, -1);
  Deflate(rc, style.rcControlMargins);

  if (style.nLayout == jvkTabLayoutMultiRow) {
    LayoutMultiRow(style, rc, strip);
  } else {
    MeasureItems(strip);
    strip.rcHeader = JVKTabHeaderRect(style, rc, 1, LongestWidth(strip));
    if (!strip.items.empty()) {
      const JVKTabRect& m = style.rcHeaderMargins;
      const int h = style.nRowHeight;
      const LONG across = axes.bFar ? axes.AcrossEnd(rc) - m.top - h : axes.AcrossStart(rc) + m.top;
      const LONG bandStart = axes.AlongStart(rc) + m.left;
      const LONG bandEnd = axes.AlongEnd(rc) - m.right;
      int nStrip = bandEnd - bandStart;
      for (int id = jvkTabNavigateCount - 1; id >= 0; --id)
        nStrip -= JVKTabNavigateReserve(id, strip.buttons[id], axes.bVertical);

      if (style.nLayout == jvkTabLayoutSizeToFit) {
        std::vector<int> widths;
        for (const JVKTabLayoutItem& item : strip.items)
          if (item.bVisible) widths.push_back(item.nWidth);
        JVKSizeTabsToFit(widths, nStrip);
        size_t n = 0;
        for (JVKTabLayoutItem& item : strip.items)
          if (item.bVisible) item.nWidth = widths[n++];
      }

      const int nItems = JVKTabItemsLength(style, strip);
      const JVKTabRect rcBand = axes.Make(bandStart, bandEnd, across, across + h);
      LONG tabsEnd = PlaceNavigateButtons(style, strip, rcBand, nItems);
      if (strip.nOffset < 0) {
        const int nLeft = tabsEnd - bandStart;
        if (nItems + strip.nOffset < nLeft) {
          strip.nOffset = std::min(0, nLeft - nItems);
          // The buttons' enabled and shown states follow the new offset.
          tabsEnd = PlaceNavigateButtons(style, strip, rcBand, nItems);
        }
      }

      LONG along = bandStart + strip.nOffset;
      if (style.nLayout == jvkTabLayoutRotated) {
        // Each tab stands on the header's client-side edge and grows away.
        const LONG base = axes.bFar ? axes.AcrossStart(strip.rcHeader) + m.bottom
                                    : axes.AcrossEnd(strip.rcHeader) - m.bottom;
        for (JVKTabLayoutItem& item : strip.items) {
          item.rcItem = axes.bFar ? axes.Make(along, along + h, base, base + item.nWidth)
                                  : axes.Make(along, along + h, base - item.nWidth, base);
          along += h;
        }
      } else {
        for (JVKTabLayoutItem& item : strip.items) {
          item.rcItem = axes.Make(along, along + item.nWidth, across, across + h);
          along += item.nWidth;
        }
      }
      axes.SetAlongEnd(strip.rcHeader, tabsEnd);
    }
  }
  strip.rcClient = JVKTabAdjustClientRect(style, rcGiven, strip);
}

void JVKSizeTabsToFit(std::vector<int>& widths, int nAvailable) {
  const int n = static_cast<int>(widths.size());
  if (n == 0) return;
  // A strip with no room leaves zero-length tabs, never negative ones.
  nAvailable = std::max(nAvailable, 0);
  const long long nTotal = std::accumulate(widths.begin(), widths.end(), 0LL);
  if (nTotal <= nAvailable) return;
  if (n == 1) {
    widths[0] = nAvailable;
    return;
  }
  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return widths[a] > widths[b]; });
  long long nExcess = nTotal - nAvailable;
  int k = 1;
  for (;;) {
    const int c = widths[order[0]];
    while (k < n && widths[order[k]] == c) ++k;
    if (k == n) {
      for (int& w : widths) w = nAvailable / n;
      return;
    }
    const int d = widths[order[k]];
    if (static_cast<long long>(k) * (c - d) >= nExcess) {
      const int nLoss = static_cast<int>(nExcess / k);
      for (int i = 0; i < k; ++i) widths[order[i]] -= nLoss;
      return;
    }
    for (int i = 0; i < k; ++i) widths[order[i]] = d;
    nExcess -= static_cast<long long>(k) * (c - d);
  }
}

std::vector<JVKTabRow> JVKGreedyTabRows(const std::vector<int>& widths, int nAvailable) {
  std::vector<JVKTabRow> rows;
  const int n = static_cast<int>(widths.size());
  int nFirst = 0, nLength = 0;
  for (int i = 0; i < n; ++i) {
    if (i > nFirst && nLength + widths[i] > nAvailable) {
      rows.push_back(JVKTabRow{nFirst, i - 1});
      nFirst = i;
      nLength = 0;
    }
    nLength += widths[i];
  }
  rows.push_back(JVKTabRow{nFirst, n - 1});
  return rows;
}

namespace {

// The recursive balance. A row that cannot end at a given item is tried
// again with that item and the next ones; every (row, first item) pair is
// tried at most once, so the search stays polynomial where a plain
// recursion grows exponentially with the tab count.
class CRowBalance {
 public:
  CRowBalance(const std::vector<int>& widths, int nRows, int nAvailable, BOOL bFill)
      : m_widths(widths),
        m_nCount(static_cast<int>(widths.size())),
        m_nRows(nRows),
        m_nAvailable(nAvailable),
        m_bFill(bFill),
        m_suffix(widths.size() + 1, 0),
        m_failed(static_cast<size_t>(nRows) * (widths.size() + 1), false),
        m_ends(nRows, -1) {
    for (int i = m_nCount - 1; i >= 0; --i) m_suffix[i] = m_suffix[i + 1] + widths[i];
  }

  BOOL Run() { return Fill(0, 0); }

  std::vector<JVKTabRow> Rows() const {
    std::vector<JVKTabRow> rows;
    int nFirst = 0;
    for (int r = 0; r < m_nRows && nFirst < m_nCount; ++r) {
      rows.push_back(JVKTabRow{nFirst, m_ends[r] - 1});
      nFirst = m_ends[r];
    }
    return rows;
  }

 private:
  BOOL Fill(int r, int nStart) {
    if (nStart == m_nCount) return TRUE;
    if (r == m_nRows) return FALSE;
    const size_t key = static_cast<size_t>(r) * (m_nCount + 1) + nStart;
    if (m_failed[key]) return FALSE;
    long long nTarget = m_bFill ? m_suffix[nStart] / (m_nRows - r) : m_nAvailable;
    nTarget = std::min<long long>(nTarget, m_nAvailable);
    long long nLength = m_widths[nStart];
    int i = nStart + 1;
    while (i < m_nCount && nLength + m_widths[i] <= nTarget) nLength += m_widths[i++];
    for (;;) {
      if (i == m_nCount || Fill(r + 1, i)) {
        m_ends[r] = i;
        return TRUE;
      }
      if (nLength + m_widths[i] > m_nAvailable) break;
      nLength += m_widths[i++];
    }
    m_failed[key] = true;
    return FALSE;
  }

  const std::vector<int>& m_widths;
  int m_nCount, m_nRows, m_nAvailable;
  BOOL m_bFill;
  std::vector<long long> m_suffix;
  std::vector<bool> m_failed;
  std::vector<int> m_ends;
};

}  // namespace

std::vector<JVKTabRow> JVKBalanceTabRows(const std::vector<int>& widths, int nAvailable, BOOL bFill) {
  std::vector<JVKTabRow> rows = JVKGreedyTabRows(widths, nAvailable);
  if (rows.size() < 2) return rows;
  CRowBalance balance(widths, static_cast<int>(rows.size()), nAvailable, bFill);
  // The greedy rows always fit; the balance only improves on them.
  return balance.Run() ? balance.Rows() : rows;
}

void JVKStretchTabRow(std::vector<int>& widths, const JVKTabRow& row, int nAvailable) {
  long long nRemainingLength = nAvailable, nRemainingWidths = 0;
  for (int i = row.nFirst; i <= row.nLast; ++i) nRemainingWidths += widths[i];
  for (int i = row.nFirst; i <= row.nLast; ++i) {
    const int nLeft = row.nLast - i + 1;
    const long long nGrow = (nRemainingLength - nRemainingWidths) / nLeft;
    nRemainingWidths -= widths[i];
    widths[i] += static_cast<int>(nGrow);
    nRemainingLength -= widths[i];
  }
}

int JVKEnsureTabVisibleOffset(const JVKTabLayoutStyle& style, int nOffset, const JVKTabRect& rcHeader,
                              const JVKTabRect& rcItem) {
  if (JVKIsTabRectEmpty(rcHeader) || JVKIsTabRectEmpty(rcItem)) return nOffset;
  const CStripAxes axes(style.nPosition);
  if (axes.AlongStart(rcItem) < axes.AlongStart(rcHeader)) {
    nOffset += axes.AlongStart(rcHeader) - axes.AlongStart(rcItem) + style.rcHeaderMargins.left;
  } else if (axes.AlongEnd(rcItem) > axes.AlongEnd(rcHeader)) {
    nOffset += axes.AlongEnd(rcHeader) - axes.AlongEnd(rcItem);
  }
  return std::min(nOffset, 0);
}

int JVKScrolledTabOffset(int nOffset, BOOL bForward) {
  return std::min(nOffset + (bForward ? -kJvkTabScrollStep : kJvkTabScrollStep), 0);
}

int JVKTabNavigateReserve(int nId, const JVKTabNavigateState& button, BOOL bVertical) {
  const int nLength = bVertical ? kJvkTabNavigateHeight : kJvkTabNavigateWidth;
  if (button.nMode == jvkTabNavigateAlways) return nLength;
  if (nId == jvkTabNavigateClose && button.nMode == jvkTabNavigateAuto && button.bWanted) return nLength;
  return 0;
}

BOOL JVKTabNavigateEnabled(int nId, int nOffset, int nBand, int nItems) {
  if (nId == jvkTabNavigateBack) return nOffset < 0;
  if (nId == jvkTabNavigateForward) return nBand - 2 * kJvkTabNavigateWidth < nOffset + nItems;
  return TRUE;
}

BOOL JVKTabNavigateShown(int nId, const JVKTabNavigateState& button, int nLayout, int nOffset, int nBand, int nItems,
                         int nLeadingMargin) {
  const BOOL bScroll = nId != jvkTabNavigateClose;
  if (bScroll && nLayout == jvkTabLayoutMultiRow) return FALSE;
  if (bScroll && button.nMode == jvkTabNavigateAuto) {
    if (nLayout == jvkTabLayoutSizeToFit) return FALSE;
    return nBand < nItems + nOffset - nLeadingMargin - 1 || nOffset < 0;
  }
  return button.nMode == jvkTabNavigateAlways || (button.nMode == jvkTabNavigateAuto && button.bWanted);
}
