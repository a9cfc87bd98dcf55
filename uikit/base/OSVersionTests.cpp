#include "OSVersionTests.h"

CString ChooseDefaultFontName(const CJVKFontFacts& facts, BOOL bPreferTahoma) {
  // Character sets above 2 are neither ANSI, default nor symbol: keep the
  // system's face, which can show them.
  if (facts.nGuiCharSet > 2 && facts.version.dwPlatformId == 2 && facts.version.dwMajorVersion > 4)
    return facts.strGuiFace;
  if (!facts.bArialInstalled) return facts.strGuiFace;
  if (bPreferTahoma && facts.bTahomaInstalled) return "Tahoma";
  return "Arial";
}
