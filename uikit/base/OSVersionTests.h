// The toolkit's tests of the operating-system version (platform id, major and
// minor version), and its choice of the default interface font.
#pragma once

#include <Framework.h>

struct CJVKOSVersion {
  DWORD dwPlatformId;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;

  BOOL IsWin95() const { return dwPlatformId == 1 && dwMajorVersion == 4 && dwMinorVersion < 10; }
  BOOL IsWin98() const { return dwPlatformId == 1 && dwMajorVersion == 4 && dwMinorVersion == 10; }
  BOOL IsWinNT4() const { return dwPlatformId == 2 && dwMajorVersion == 4 && dwMinorVersion == 0; }
  BOOL IsWin2K() const { return dwPlatformId == 2 && dwMajorVersion == 5 && dwMinorVersion == 0; }
  BOOL IsWinXP() const { return dwPlatformId == 2 && dwMajorVersion == 5 && dwMinorVersion == 1; }
  BOOL IsWin2KOrGreater() const { return dwPlatformId >= 2 && dwMajorVersion >= 5; }
};

// What the default-font choice looks at.
struct CJVKFontFacts {
  BYTE nGuiCharSet;    // character set of DEFAULT_GUI_FONT
  CString strGuiFace;  // its face name
  CJVKOSVersion version;
  BOOL bArialInstalled;
  BOOL bTahomaInstalled;
};

CString ChooseDefaultFontName(const CJVKFontFacts& facts, BOOL bPreferTahoma);
