// The tab manager's portable rules besides the layout: the item palette,
// the hit test and the keyboard moves.
#pragma once

#include "TabTypes.h"

#include <Framework.h>

#include <functional>
#include <vector>

// Item colours from 0x1000000 to 0x1000007 name the palette's eight colours;
// the n-th item inserted over a manager's life gets code 0x1000000 + n mod 8.
const COLORREF kJvkTabPaletteBase = 0x1000000;
const int kJvkTabPaletteSize = 8;
COLORREF JVKTabPaletteCode(int nInserted);
// The palette colour of a code; any other value is a colour and stays.
COLORREF JVKTabPaletteColor(COLORREF clr);

// What the hit test and the keys know of an item.
struct JVKTabHitItem {
  JVKTabRect rc;
  BOOL bUsable;  // enabled and visible
};

// The first usable item, in array order, whose rectangle holds the point;
// -1 outside the control, or outside a header that is not empty.
int JVKTabHitTest(const JVKTabPoint& pt, const JVKTabRect& rcControl, const JVKTabRect& rcHeader,
                  const std::vector<JVKTabHitItem>& items);

enum JVKTabKey {
  jvkTabKeyHome,
  jvkTabKeyEnd,
  jvkTabKeyLeft,
  jvkTabKeyRight,
  jvkTabKeyUp,
  jvkTabKeyDown,
  jvkTabKeyOther,
};

struct JVKTabKeyResult {
  BOOL bHandled;
  int nSelect;  // the item to select, -1 for none
};

// Home and End pick the first and last usable item; Left and Right (Up and
// Down for vertical strips) the nearest usable one before or after the
// selected item. Keys of the other orientation, and moves with nothing
// selected, are consumed without effect; no items or other keys: not handled.
JVKTabKeyResult JVKTabKeyMove(const std::vector<BOOL>& usable, int nSelected, JVKTabKey key, BOOL bVertical);

// A caption cut in the middle to fit nWidth as measure() counts: characters
// go alternately so that the left part keeps the larger half, until
// left + "..." + right fits (or nothing is left of either part).
CString JVKMiddleEllipsis(const CString& str, int nWidth, const std::function<int(const CString&)>& measure);
