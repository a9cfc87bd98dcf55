// Geometry of the toolkit's gradients, shared by the GDI fill and its
// per-line fallback.
#pragma once

#include "ColorRef.h"

// The colour of line `offset` of a gradient `extent` lines long (a
// non-positive extent counts as 1): from `from` at offset 0 towards `to`.
COLORREF GradientStepColor(COLORREF clrFrom, COLORREF clrTo, int nOffset, int nExtent);

// A four-colour record is drawn as two halves split at this coordinate
// (of the left and right, or top and bottom, edges).
inline int GradientSplit(int nLow, int nHigh) { return nLow + (nHigh - nLow) / 2; }
