#include "ButtonThemeFactory.h"

#include "ButtonThemeFlat.h"
#include "ButtonThemeGradient.h"

IMPLEMENT_DYNCREATE(CJVButtonThemeFactory, CJVThemeManagerStyleFactory)

CJVThemeManagerStyle* CJVButtonThemeFactory::CreateTheme(int nTheme) {
  switch (nTheme) {
    case 1:
      return new CJVButtonThemeFlat(FALSE);
    case 2:
      return new CJVButtonThemeGradient;
    default:
      return new CJVButtonTheme;
  }
}
