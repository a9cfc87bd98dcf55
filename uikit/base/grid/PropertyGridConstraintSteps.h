// Stepping through an item's list of allowed values (constraints): the
// in-place edit's Up/Down and double-click, the item's double-click cycle,
// and type-ahead by first letter. Portable: indices and texts only.
#pragma once

#include <Framework.h>

// The index nStep away from nCurrent in a list of nCount entries. Past the
// end: the first with wrap, else the last; before the start: the last with
// wrap, else the first. nCurrent -1 (none) stepping +1 gives the first.
int JVKStepConstraint(int nCurrent, int nStep, int nCount, BOOL bWrap);

// Type-ahead: starting after nCurrent (from the first when nCurrent is -1),
// the first text, searched cyclically, whose first character equals ch
// without regard to case; -1 when none does.
int JVKTypeAheadConstraint(const CStringArray& texts, int nCurrent, TCHAR ch);
