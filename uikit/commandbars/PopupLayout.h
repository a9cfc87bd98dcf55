// The geometry of a popup menu, apart from its window: where it goes against
// the screen's work area, how its controls stack, how a popup too tall for
// the screen scrolls, and which rarely used commands a collapsed popup hides.
// The popup bar fills the entries from its controls, runs these rules and
// writes the results back. Portable: no windows.h.
#pragma once

#include "ControlsLayout.h"

#include <vector>

// Placement flags of a popup.
const DWORD JVK_POPUP_OPENS_LEFT = 0x01;  // the popup's right edge meets the anchor
const DWORD JVK_POPUP_DROPS_BELOW = 0x02; // the anchor is the control's bottom-left corner

// What a popup keeps free above the work area's bottom edge.
const int JVK_POPUP_BOTTOM_GAP = 5;
// The height of a scroll button, and the smallest content of a popup.
const int JVK_POPUP_SCROLL_BUTTON = 16;
const int JVK_POPUP_MIN_CONTENT = 22;

struct JVKPopupPlacement {
  JVKLayoutRect rect;    // the window, in screen coordinates
  DWORD dwFlags = 0;     // the flags further cascades inherit
  BOOL bMustScroll = FALSE;
};

// Places a popup of size cx, cy at the anchor x, y outside the exclusion
// rectangle (empty for a popup at a point) inside the work area.
JVKPopupPlacement JVKPlacePopup(const JVKLayoutRect& work, const JVKLayoutRect& exclude, int x, int y, int cx, int cy,
                                DWORD dwFlags);

struct CJVKPopupEntry {
  int cx = 0, cy = 0;     // measured
  BOOL bVisible = TRUE;   // no hide flag but "does not fit"
  BOOL bBeginGroup = FALSE;
  // Results.
  JVKLayoutRect rect;
  BOOL bScrolledOut = FALSE;  // the control gets the "does not fit" flag
};

struct JVKPopupMetrics {
  JVKLayoutBorders borders;
  int nSeparator = 0;  // added before a control that begins a group
  int nGripper = 0;    // the tear-off gripper's height, 0 without tear-off
  int nExpand = 0;     // the expand button's height, 0 without one
};

// The controls of a popup menu, without its expand button, which the layout
// places itself.
class CJVKPopupLayout {
 public:
  std::vector<CJVKPopupEntry> m_entries;
  JVKPopupMetrics m_metrics;

  // Results.
  int m_nWidth = 0;  // the common width of the controls
  JVKLayoutRect m_rectGripper, m_rectExpand;
  JVKLayoutRect m_rectScrollUp, m_rectScrollDown;  // empty while not needed
  int m_nFirst = 0;  // the first visible control while scrolling
  int m_nEnd = 0;    // the index after the last visible control

  // Stacks every visible control; no control is wider than a third of the
  // work area's right coordinate. The popup's size.
  JVKLayoutSize Measure(int nWorkRight);

  // The scroll passes of a popup of height cyWindow: downwards from the
  // first visible control, or upwards from the index after the last.
  void LayoutFromFirst(int nFirst, int cyWindow);
  void LayoutFromEnd(int nEnd, int cyWindow);

 private:
  int ContentTop() const { return m_metrics.borders.top + m_metrics.nGripper; }
  // Where the controls end: above the bottom border and the expand button.
  int ContentBottom(int cyWindow) const { return cyWindow - m_metrics.borders.bottom - m_metrics.nExpand; }
  void Place(CJVKPopupEntry& e, int y);
  void PlaceFrame(int yControlsEnd);
};

// The rarely used commands of a popup, one entry per control but the expand
// button.
struct CJVKRarelyUsedEntry {
  BOOL bUsed = TRUE;
  BOOL bVisible = TRUE;  // otherwise visible
  BOOL bHidden = FALSE;  // result: hidden as rarely used
};

// Hides the rarely used commands of a collapsed popup, but only when some
// used command stays: a popup of nothing but rarely used commands shows them
// all. With bAlwaysFull every command counts as used and the popup expands.
// TRUE when something is hidden.
BOOL JVKHideRarelyUsed(std::vector<CJVKRarelyUsedEntry>& entries, BOOL bAlwaysFull, BOOL& bExpanded);
