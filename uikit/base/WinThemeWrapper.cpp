#include "WinThemeWrapper.h"

#include "OptionalEntry.h"

// Calls into UxTheme are made only with a bound entry and, where one is
// needed, an open handle. A fault inside the library itself is not turned
// into the missing-entry answer: g++ has no structured exception handling to
// catch it, and unwinding out of a foreign library from a vectored handler
// would leave its locks held.

namespace {

const char kUxTheme[] = "UxTheme.dll";

enum Entry { eOpen, eClose, eDrawBackground, eGetColor, eGetName, eIsAppThemed, eIsActive, eEntryCount };
const char* const kEntryNames[eEntryCount] = {"OpenThemeData", "CloseThemeData",      "DrawThemeBackground",
                                              "GetThemeColor", "GetCurrentThemeName", "IsAppThemed",
                                              "IsThemeActive"};

// CJVKWinThemeModule: the library, the comctl32 version and the entries,
// each bound on first use; bound again when the resolver's generation moves.
class CJVKWinThemeModule {
 public:
  HMODULE Module() {
    Sync();
    return m_hModule;
  }
  DWORD ComctlVersion() {
    Sync();
    if (!m_bComctlRead) {
      HMODULE hComctl = JVKOptionalLibrary("comctl32.dll", TRUE);
      m_dwComctlVersion = hComctl ? CJVKWinThemeWrapper::GetDllVersion(hComctl) : 0;
      if (hComctl) ::FreeLibrary(hComctl);
      m_bComctlRead = TRUE;
    }
    return m_dwComctlVersion;
  }
  template <class T>
  T Proc(Entry e) {
    Sync();
    if (!m_bTried[e]) {
      m_procs[e] = JVKOptionalEntry(m_hModule, kUxTheme, kEntryNames[e]);
      m_bTried[e] = TRUE;
    }
    return reinterpret_cast<T>(m_procs[e]);
  }

 private:
  void Sync() {
    if (m_nGeneration == JVKOptionalGeneration()) return;
    if (m_hModule) ::FreeLibrary(m_hModule);
    m_nGeneration = JVKOptionalGeneration();
    m_hModule = JVKOptionalLibrary(kUxTheme, TRUE);
    m_bComctlRead = FALSE;
    for (int i = 0; i < eEntryCount; ++i) m_bTried[i] = FALSE;
  }

  UINT m_nGeneration = 0;
  HMODULE m_hModule = nullptr;
  BOOL m_bComctlRead = FALSE;
  DWORD m_dwComctlVersion = 0;
  FARPROC m_procs[eEntryCount] = {};
  BOOL m_bTried[eEntryCount] = {};
};

CJVKWinThemeModule& ThemeModule() {
  static CJVKWinThemeModule module;
  return module;
}

typedef HTHEME(WINAPI* PFNOPEN)(HWND, LPCWSTR);
typedef HRESULT(WINAPI* PFNCLOSE)(HTHEME);
typedef HRESULT(WINAPI* PFNDRAWBACKGROUND)(HTHEME, HDC, int, int, const RECT*, const RECT*);
typedef HRESULT(WINAPI* PFNGETCOLOR)(HTHEME, int, int, int, COLORREF*);
typedef HRESULT(WINAPI* PFNGETNAME)(LPWSTR, int, LPWSTR, int, LPWSTR, int);
typedef BOOL(WINAPI* PFNBOOL)();

// The version record DllGetVersion fills (20 bytes).
struct DllVersionRecord {
  DWORD cbSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformID;
};
typedef HRESULT(CALLBACK* PFNDLLGETVERSION)(DllVersionRecord*);

}  // namespace

CJVKWinThemeWrapper::~CJVKWinThemeWrapper() { CloseThemeData(); }

void CJVKWinThemeWrapper::OpenThemeData(HWND hWnd, LPCWSTR pszClassList) {
  CloseThemeData();
  if (PFNOPEN pfn = ThemeModule().Proc<PFNOPEN>(eOpen)) m_hTheme = pfn(hWnd, pszClassList);
}

HRESULT CJVKWinThemeWrapper::CloseThemeData() {
  HRESULT hr = 0;
  if (m_hTheme) {
    if (PFNCLOSE pfn = ThemeModule().Proc<PFNCLOSE>(eClose)) hr = pfn(m_hTheme);
  }
  m_hTheme = nullptr;
  return hr;
}

HRESULT CJVKWinThemeWrapper::DrawThemeBackground(HDC hDC, int nPart, int nState, const RECT* pRect,
                                                 const RECT* pClipRect) {
  PFNDRAWBACKGROUND pfn = ThemeModule().Proc<PFNDRAWBACKGROUND>(eDrawBackground);
  if (!pfn || !m_hTheme) return E_FAIL;
  return pfn(m_hTheme, hDC, nPart, nState, pRect, pClipRect);
}

HRESULT CJVKWinThemeWrapper::GetThemeColor(int nPart, int nState, int nProperty, COLORREF* pColor) {
  PFNGETCOLOR pfn = ThemeModule().Proc<PFNGETCOLOR>(eGetColor);
  if (!pfn || !m_hTheme) return E_FAIL;
  return pfn(m_hTheme, nPart, nState, nProperty, pColor);
}

HRESULT CJVKWinThemeWrapper::GetCurrentThemeName(LPWSTR pszFile, int cchFile, LPWSTR pszColor, int cchColor,
                                                 LPWSTR pszSize, int cchSize) {
  PFNGETNAME pfn = ThemeModule().Proc<PFNGETNAME>(eGetName);
  if (!pfn) return E_FAIL;
  return pfn(pszFile, cchFile, pszColor, cchColor, pszSize, cchSize);
}

BOOL CJVKWinThemeWrapper::IsAppThemed() {
  if (!m_hTheme) return FALSE;
  PFNBOOL pfn = ThemeModule().Proc<PFNBOOL>(eIsAppThemed);
  return pfn ? pfn() : FALSE;
}

BOOL CJVKWinThemeWrapper::IsThemeActive() {
  PFNBOOL pfn = ThemeModule().Proc<PFNBOOL>(eIsActive);
  return pfn ? pfn() : FALSE;
}

BOOL CJVKWinThemeWrapper::IsThemeEnabled() {
  return ThemeModule().Module() && IsThemeActive() && HIWORD(ThemeModule().ComctlVersion()) > 5;
}

DWORD CJVKWinThemeWrapper::GetDllVersion(HMODULE hModule) {
  PFNDLLGETVERSION pfn = JVKOptionalProc<PFNDLLGETVERSION>(hModule, "comctl32.dll", "DllGetVersion");
  if (!pfn) return 0;
  DllVersionRecord info = {};
  info.cbSize = sizeof info;
  if (FAILED(pfn(&info))) return 0;
  return MAKELONG(info.dwMinorVersion, info.dwMajorVersion);
}
