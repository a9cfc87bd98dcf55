// The tab strip's geometry, portable: the standard one-row layout with its
// six layouts (size to fit, fixed, compressed, multiple rows, rotated), the
// multi-row balance, scrolling and the navigate buttons' rules, the header
// and client rectangles. The tab manager copies its items in, the layout
// writes widths, rows and rectangles back.
#pragma once

#include "TabTypes.h"

#include <vector>

// Margins given in the strip's orientation are (leading, tab side,
// trailing, client side), held in a rectangle's left, top, right and bottom.
// For the top position they apply to left, top, right, bottom; for left to
// top, left, bottom, right; for bottom to left, bottom, right, top; for
// right to top, right, bottom, left. nSign 1 grows the rectangle, -1 shrinks.
void JVKInflateTurned(JVKTabRect& rc, int nPosition, const JVKTabRect& rcMargins, int nSign);

// What the paint manager and the appearance set decide for a layout.
struct JVKTabLayoutStyle {
  int nPosition = jvkTabPositionTop;
  int nLayout = jvkTabLayoutAutoSize;
  BOOL bStaticFrame = FALSE;
  JVKTabRect rcControlMargins = {0, 0, 0, 0};  // left, top, right, bottom
  JVKTabRect rcHeaderMargins = {0, 0, 0, 0};   // turned (leading, tab side, trailing, client side)
  JVKTabRect rcClientMargins = {0, 0, 0, 0};   // left, top, right, bottom
  int nClientFrame = 0;                        // 0 all round, 1 the tab side, 2 none
  int nRowHeight = 18;
  int nRowSpacing = -2;  // rows of the multi-row layout overlap by 2 pixels
  BOOL bFillRows = TRUE;
  BOOL bKeepRowOrder = FALSE;
};

// One tab as the layout sees it. nLength is the measured length (input); the
// layout sets the rest.
struct JVKTabLayoutItem {
  int nLength = 0;
  BOOL bVisible = TRUE;
  BOOL bEnabled = TRUE;
  int nWidth = 0;
  int nFullLength = 0;
  JVKTabRect rcItem = {0, 0, 0, 0};
  int nRow = 0;
};

struct JVKTabRow {
  int nFirst;
  int nLast;
};

struct JVKTabNavigateState {
  int nMode = jvkTabNavigateAuto;
  // The manager's IsNavigateButtonVisible: always for the scroll buttons,
  // the selected item's closable flag for the close button.
  BOOL bWanted = TRUE;
  BOOL bEnabled = TRUE;
  JVKTabRect rc = {0, 0, 0, 0};  // empty while hidden
};

// The state of one strip that the layout reads and writes.
struct JVKTabStrip {
  std::vector<JVKTabLayoutItem> items;
  int nSelected = -1;
  int nOffset = 0;  // 0 or negative
  JVKTabNavigateState buttons[jvkTabNavigateCount];
  JVKTabRect rcControl = {0, 0, 0, 0};
  JVKTabRect rcHeader = {0, 0, 0, 0};
  JVKTabRect rcClient = {0, 0, 0, 0};
  std::vector<JVKTabRow> rows;
};

// Lays the strip out in rc: rows, widths, item and button rectangles, the
// header, the control and client rectangles, and the offset pulled back so
// that no gap stays behind the last tab.
void JVKLayoutTabStrip(const JVKTabLayoutStyle& style, const JVKTabRect& rc, JVKTabStrip& strip);

// The band that holds nRows rows of tabs on the position's side of rc.
// nLongest (layout 5) is the longest item width, the least depth there.
JVKTabRect JVKTabHeaderRect(const JVKTabLayoutStyle& style, const JVKTabRect& rc, int nRows, int nLongest);
// rc less the header, overlapping its last pixel line.
JVKTabRect JVKTabClientAreaRect(const JVKTabLayoutStyle& style, const JVKTabRect& rc, int nRows, int nLongest);
// Where the host puts the selected pane: the control rectangle less the
// static frame and, when there are items, less the header, the client
// margins and the client frame.
JVKTabRect JVKTabAdjustClientRect(const JVKTabLayoutStyle& style, const JVKTabRect& rcControl, const JVKTabStrip& strip);

// The sum of the widths; in layout 5 the item count times the row height.
int JVKTabItemsLength(const JVKTabLayoutStyle& style, const JVKTabStrip& strip);

// Size to fit: the widths shrunk so that they sum to at most nAvailable,
// the widest first, equal widths losing alike.
void JVKSizeTabsToFit(std::vector<int>& widths, int nAvailable);

// Rows of the multi-row layout: the greedy count, then balanced (with bFill
// each row aims at the remaining length over the rows left). A row always
// takes its first item, even one longer than nAvailable.
std::vector<JVKTabRow> JVKGreedyTabRows(const std::vector<int>& widths, int nAvailable);
std::vector<JVKTabRow> JVKBalanceTabRows(const std::vector<int>& widths, int nAvailable, BOOL bFill);
// Stretches the row's widths to fill nAvailable exactly.
void JVKStretchTabRow(std::vector<int>& widths, const JVKTabRow& row, int nAvailable);

// The offset after the selected item was scrolled into the header.
int JVKEnsureTabVisibleOffset(const JVKTabLayoutStyle& style, int nOffset, const JVKTabRect& rcHeader,
                              const JVKTabRect& rcItem);
// One scroll tick: forward moves the tabs back by the step; never positive.
int JVKScrolledTabOffset(int nOffset, BOOL bForward);

// The navigate buttons' rules. nBand is the strip's length between the
// header margins, nItems the items' length.
int JVKTabNavigateReserve(int nId, const JVKTabNavigateState& button, BOOL bVertical);
BOOL JVKTabNavigateEnabled(int nId, int nOffset, int nBand, int nItems);
BOOL JVKTabNavigateShown(int nId, const JVKTabNavigateState& button, int nLayout, int nOffset, int nBand, int nItems,
                         int nLeadingMargin);
