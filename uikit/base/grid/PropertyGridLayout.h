// The property grid's geometry rules: the expand box, the divider between
// captions and values, the help splitter, the drop-down list's place and
// the walk of the keyboard focus over the grid's parts. Portable.
#pragma once

#include <Framework.h>

// A rectangle as the rules see it (the fields of a Win32 RECT).
struct JVKGridRect {
  LONG left, top, right, bottom;
};

// Each tree level moves captions and expand boxes this far right.
const int kJvkGridIndent = 14;
// The bar between the list and the help panel.
const int kJvkGridSplitterHeight = 3;
// How far the help splitter may be dragged: at least this far from the top,
const int kJvkGridSplitterMinY = 45;
// and this far from the bottom.
const int kJvkGridSplitterBottomGap = 20;
// The drop-down list shows at most this many entries before it scrolls.
const int kJvkGridListMaxRows = 10;

// A press at x toggles the item: the box starts at (indent - 1) * 14 for an
// item and at indent * 14 for a category and is 14 wide, both ends included.
BOOL JVKExpandBoxHit(int x, int nIndent, BOOL bCategory);

// The divider's client x: client width times the ratio, truncated.
int JVKDividerPos(int cxClient, double dRatio);
// On the divider: a list with rows and x in (divider - 4, divider + 2].
BOOL JVKDividerHit(int x, int nDivider, int nRows);
// The ratio the user may set: 0.1 to 0.85.
double JVKClampDividerRatio(double dRatio);

// The help splitter bar's y while dragged in a client area cy high.
int JVKClampSplitterY(int y, int cyClient);

// The drop-down list below a row (view coordinates): min(count, 10) entries
// of cyEntry plus 2 high, right-aligned with the row, as wide as its widest
// entry but leaving 14 pixels of the row.
JVKGridRect JVKInplaceListRect(const JVKGridRect& rcRow, int nCount, int cyEntry, int cxWidest);
// Keeps the list (screen coordinates) on the work area: above the row when
// it would pass the bottom and the row lies in the lower half, and moved
// right or left when it passes the left or right edge.
void JVKFitInplaceList(JVKGridRect& rcList, const JVKGridRect& rcRow, const JVKGridRect& rcWork);

// The rows of an item's value text: height given (not -1) wins; else more
// than one line gives lines * (default - 4) + 4; else the default.
int JVKItemRowHeight(int nDefault, int nHeight, int nLines);

// Focus stops of the grid: the list, the item's edit, the item's button,
// and the dialog's neighbour. Forward 0, 1, 2, 5, 0 ...; backward the
// reverse. A start that is no stop (the grid gaining the focus) begins at 0
// going forward and at 5 going backward.
enum { jvkStopView = 0, jvkStopEdit = 1, jvkStopButton = 2, jvkStopDialog = 5 };
int JVKNextFocusStop(int nStop, BOOL bForward);

// Walks the stops from nFrom until bApplies(stop) accepts one; the stop, or
// -1 when the walk came back to nFrom (or tried every stop).
template <typename Applies>
int JVKWalkFocusStops(int nFrom, BOOL bForward, Applies bApplies) {
  int nStop = nFrom;
  for (int i = 0; i < 4; ++i) {
    nStop = JVKNextFocusStop(nStop, bForward);
    if (nStop == nFrom) return -1;
    if (bApplies(nStop)) return nStop;
  }
  return -1;
}
