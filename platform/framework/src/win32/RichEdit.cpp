#include "framework/RichEdit.h"

namespace {
// Loads once; a failure is tried again on the next call.
BOOL LoadOnce(HMODULE& hLibrary, LPCTSTR lpszName) {
  if (hLibrary == nullptr) hLibrary = ::LoadLibrary(lpszName);
  return hLibrary != nullptr;
}

HMODULE g_hRichEdit1 = nullptr;
HMODULE g_hRichEdit2 = nullptr;
}  // namespace

BOOL AFXAPI AfxInitRichEdit() { return LoadOnce(g_hRichEdit1, _T("RICHED32.DLL")); }

BOOL AFXAPI AfxInitRichEdit2() { return LoadOnce(g_hRichEdit2, _T("RICHED20.DLL")); }
