// CJVButtonThemeFactory: makes the themed push button's theme objects by
// number: 1 the flat theme (no face), 2 the gradient theme, any other the
// standard theme.
#pragma once

#include "ThemeManagerStyle.h"

class CJVButtonThemeFactory : public CJVThemeManagerStyleFactory {
  DECLARE_DYNCREATE(CJVButtonThemeFactory)
 public:
  CJVThemeManagerStyle* CreateTheme(int nTheme) override;
};
