// CJVKPropertyGridItemMetrics: a font pair, an image and eight colours that
// the paint manager uses for the whole grid (its default set) or for one
// item's caption or value (the item's own set, where it has one). Reference
// counted.
#pragma once

#include <Framework.h>

#include "ColorRef.h"

class CJVKPropertyGridItemMetrics : public CCmdTarget {
 public:
  CJVKPropertyGridItemMetrics() = default;
  CJVKPropertyGridItemMetrics(const CJVKPropertyGridItemMetrics&) = delete;
  CJVKPropertyGridItemMetrics& operator=(const CJVKPropertyGridItemMetrics&) = delete;

  // Clears the override of all eight colours.
  virtual void ResetColors();

  CFont m_fontNormal;
  CFont m_fontBold;
  int m_nImage = -1;
  CJVKColorRef m_clrHelpBack;
  CJVKColorRef m_clrHelpFore;
  CJVKColorRef m_clrLine;  // category rows and grid lines
  CJVKColorRef m_clrFore;
  CJVKColorRef m_clrCategoryFore;
  CJVKColorRef m_clrBack;
  CJVKColorRef m_clrReadOnlyFore;
  CJVKColorRef m_clrVerb;
  UINT m_uDrawTextFormat = DT_SINGLELINE | DT_VCENTER;
};
