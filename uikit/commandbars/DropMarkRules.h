// Portable: where a control dragged in customize mode would land on a bar,
// and the 6-pixel mark that shows it. The nearest eligible control to the
// pointer (by horizontal centres on horizontal bars, vertical ones on
// vertical bars, within the pointer's row or column) is the candidate; the
// pointer before its centre inserts before it, after its centre after it.
#pragma once

#include "ControlsLayout.h"

#include <vector>

struct JVKDropControl {
  JVKLayoutRect rect;
  BOOL bEligible;    // no hide flag and movable
  BOOL bWrap;        // starts a row (a column on vertical bars)
  BOOL bBeginGroup;  // has a group separator
};

struct JVKDropMark {
  JVKLayoutRect rect;      // empty: no mark
  BOOL bVertical = FALSE;  // the strip runs across a vertical bar
  int nInsert = 0;         // the index the copy takes
  int nCandidate = -1;     // the control the mark is at; -1 none
  BOOL bBefore = FALSE;    // the mark lies before the candidate
};

const int JVK_DROP_MARK_SIZE = 6;

// The mark for the pointer (bar client coordinates) over the controls;
// nDragged is the index of the dragged control on this bar, -1 when it
// comes from elsewhere. rcClient is the bar's client area.
JVKDropMark JVKCalcDropMark(const std::vector<JVKDropControl>& controls, int x, int y, BOOL bVertical,
                            const JVKLayoutRect& rcClient, int nDragged);
