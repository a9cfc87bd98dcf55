// Test extension library A: exports CSharedShape and a string resource.
#include "SharedShape.h"

IMPLEMENT_SERIAL(CSharedShape, CObject, 1)

void CSharedShape::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    ar << m_name;
  else
    ar >> m_name;
}

CString CSharedShape::Describe() const { return "shape " + m_name; }

static AFX_EXTENSION_MODULE g_module = {};

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
  if (dwReason == DLL_PROCESS_ATTACH) return AfxInitExtensionModule(g_module, hInstance);
  if (dwReason == DLL_PROCESS_DETACH) AfxTermExtensionModule(g_module);
  return TRUE;
}

extern "C" void LinkLibraryA() { new CDynLinkLibrary(g_module); }

extern "C" void MakeStringInA(CString& s) {
  CString made;
  made.Format("made in library A (%d)", 1);
  s = made;
}

extern "C" int AskFromA() { return AfxMessageBox("asked by library A", MB_YESNO, 77); }
