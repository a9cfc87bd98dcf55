#include "GradientSteps.h"

#include "ColorMath.h"

COLORREF GradientStepColor(COLORREF clrFrom, COLORREF clrTo, int nOffset, int nExtent) {
  if (nExtent <= 0) nExtent = 1;
  return BlendColors(clrFrom, clrTo, 1.0f - static_cast<float>(nOffset) / static_cast<float>(nExtent));
}
