// CJVKColorManager: the palette of every toolkit drawing operation: 60 colour
// slots derived from the system colours (mixed and contrast-adjusted), an
// override per slot, and eleven gradient records that follow the visual style.
#pragma once

#include "ColorRef.h"
#include "ColorSystem.h"

#include <Framework.h>

const int JVK_COLOR_COUNT = 60;
const int JVK_GRADIENT_COUNT = 11;

// System theme numbers of the visual style.
enum {
  xpThemeNone = 0,
  xpThemeBlue = 1,
  xpThemeOlive = 2,
  xpThemeSilver = 3,
};

class CJVKColorManager : public CCmdTarget {
 public:
  // Runs one full refresh, then sets the three fixed gradients 8 to 10.
  explicit CJVKColorManager(CJVKColorSystem* pSystem);

  // An index above 59 is returned as it stands: a COLORREF in its place.
  COLORREF GetColor(UINT nIndex) const;
  COLORREF GetValue(UINT nIndex) const { return m_clrValues[nIndex]; }
  void SetOverride(UINT nIndex, COLORREF clr) { m_clrOverrides[nIndex] = clr; }
  CJVKGradientColor& GetGradient(int nIndex) { return m_grcGradients[nIndex]; }

  int GetCurrentSystemTheme();
  BOOL IsThemeColorsDisabled() const { return m_bDisableThemeColors; }
  int DetectXPTheme();
  // Recomputes the table when more than 500 ms passed since the last time.
  void RefreshIfDue();
  void RefreshColors();

  // Replaces GetSysColor (NULL: the system's).
  COLORREF (*m_pfnGetSysColor)(int nIndex) = nullptr;
  // 4 and 5 detect the visual style; any other value is the theme number.
  int m_nThemeSetting = 4;

 private:
  COLORREF Effective(int nIndex) const { return GetColor(static_cast<UINT>(nIndex)); }
  void SetDefaults();
  void MixAndContrast();
  void DeriveShades();
  void RefreshGradients();

  CJVKColorSystem* m_pSystem;
  CJVKGradientColor m_grcGradients[JVK_GRADIENT_COUNT];
  BOOL m_bDisableThemeColors = FALSE;
  COLORREF m_clrValues[JVK_COLOR_COUNT] = {};
  COLORREF m_clrOverrides[JVK_COLOR_COUNT];
  DWORD m_dwLastRefresh = 0;
};

// The theme number of a visual style's file and colour names (any case).
int JVKThemeFromNames(const CString& strFile, const CString& strColor);

// The process-wide colour manager, made on first use.
CJVKColorManager* GetColorManager();
void RefreshColorManager();
int GetCurrentSystemTheme();
