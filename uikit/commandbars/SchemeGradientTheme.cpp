#include "SchemeGradientTheme.h"

CJVKSchemeGradientTheme::CJVKSchemeGradientTheme() {
  m_nColorScheme = 0;
  RefreshMetrics();
}

void CJVKSchemeGradientTheme::RefreshMetrics() {
  CJVKGradientTheme::RefreshMetrics();
  switch (DetectColorScheme()) {
    case 1:
      m_expand = {RGB(152, 152, 126), RGB(238, 237, 234)};
      m_toolBar.clrFirst = RGB(192, 192, 168);
      m_lines.clrFirst = RGB(163, 163, 124);
      break;
    case 2:
      m_colors.SetValue(31, RGB(182, 198, 141));
      m_colors.SetValue(36, RGB(182, 198, 141));
      m_colors.SetValue(33, RGB(147, 160, 112));
      m_toolBar.clrFirst = RGB(192, 192, 168);
      m_lines.clrFirst = RGB(163, 163, 124);
      break;
    case 3: {
      m_toolBar = {RGB(153, 151, 181), RGB(243, 244, 250)};
      m_lines.clrFirst = RGB(124, 124, 148);
      m_expand = {RGB(118, 116, 146), RGB(179, 178, 200)};
      static const int kIndices[] = {31, 32, 37, 50, 33, 36, 47};
      static const COLORREF kColors[] = {RGB(255, 238, 194), RGB(75, 75, 111),  RGB(75, 75, 111), RGB(75, 75, 111),
                                         RGB(254, 128, 62),  RGB(255, 192, 111), RGB(0, 0, 0)};
      SetColors(7, kIndices, kColors);
      break;
    }
    default: break;
  }
}
