// CJVKOSVersionInfo: the operating-system version, read once at start-up,
// with the toolkit's version tests.
#pragma once

#include "OSVersionTests.h"

#include <windows.h>

class CJVKOSVersionInfo {
 public:
  CJVKOSVersionInfo();
  OSVERSIONINFOA m_osvi;

  CJVKOSVersion GetVersion() const { return {m_osvi.dwPlatformId, m_osvi.dwMajorVersion, m_osvi.dwMinorVersion}; }
  BOOL IsWin95() const { return GetVersion().IsWin95(); }
  BOOL IsWin98() const { return GetVersion().IsWin98(); }
  BOOL IsWinNT4() const { return GetVersion().IsWinNT4(); }
  BOOL IsWin2K() const { return GetVersion().IsWin2K(); }
  BOOL IsWinXP() const { return GetVersion().IsWinXP(); }
  BOOL IsWin2KOrGreater() const { return GetVersion().IsWin2KOrGreater(); }
};

CJVKOSVersionInfo* GetOSVersionInfo();
