// CJVKWinThemeWrapper: one visual-style handle over "UxTheme.dll", bound at
// run time. Every operation answers as if nothing were themed (E_FAIL,
// FALSE, a NULL handle) when the library or its entry is missing.
#pragma once

#include <windows.h>
#include <uxtheme.h>

class CJVKWinThemeWrapper {
 public:
  CJVKWinThemeWrapper() = default;
  virtual ~CJVKWinThemeWrapper();
  CJVKWinThemeWrapper(const CJVKWinThemeWrapper&) = delete;
  CJVKWinThemeWrapper& operator=(const CJVKWinThemeWrapper&) = delete;

  // Closes any open handle, then opens.
  void OpenThemeData(HWND hWnd, LPCWSTR pszClassList);
  // The handle is NULL afterwards in every case.
  HRESULT CloseThemeData();
  HRESULT DrawThemeBackground(HDC hDC, int nPart, int nState, const RECT* pRect, const RECT* pClipRect);
  HRESULT GetThemeColor(int nPart, int nState, int nProperty, COLORREF* pColor);
  HRESULT GetCurrentThemeName(LPWSTR pszFile, int cchFile, LPWSTR pszColor, int cchColor, LPWSTR pszSize, int cchSize);
  // FALSE while no handle is open.
  BOOL IsAppThemed();
  HTHEME GetHandle() const { return m_hTheme; }

  static BOOL IsThemeActive();
  // The library is there, a style is active and comctl32 is version 6 or later.
  static BOOL IsThemeEnabled();
  // (major << 16) | minor from the module's DllGetVersion; 0 without it.
  static DWORD GetDllVersion(HMODULE hModule);

 private:
  HTHEME m_hTheme = nullptr;
};
