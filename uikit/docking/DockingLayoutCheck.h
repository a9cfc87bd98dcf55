// Whether a loaded layout record makes a tree that the layout can build and
// lay out: every reference names an object of a kind that may stand there,
// no object is held twice, nothing holds its own ancestor. Holders of panes
// that name no tabbed container are cleared, as a missing one would be.
#pragma once

#include "DockingLayoutRecord.h"

BOOL CheckDockingLayout(DockingLayoutRecord& layout);
