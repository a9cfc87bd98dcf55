#include "PropertyGridItemMetrics.h"

void CJVKPropertyGridItemMetrics::ResetColors() {
  for (CJVKColorRef* pColor : {&m_clrHelpBack, &m_clrHelpFore, &m_clrLine, &m_clrFore, &m_clrCategoryFore, &m_clrBack,
                               &m_clrReadOnlyFore, &m_clrVerb})
    pColor->m_clrOverride = JVK_COLOR_UNSET;
}
