// Test extension library C: loaded and unloaded at run time by the test.
#include <Framework.h>

class CUnloadableShape : public CObject {
  DECLARE_SERIAL(CUnloadableShape)
};
IMPLEMENT_SERIAL(CUnloadableShape, CObject, 1)

static AFX_EXTENSION_MODULE g_module = {};

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
  if (dwReason == DLL_PROCESS_ATTACH) return AfxInitExtensionModule(g_module, hInstance);
  if (dwReason == DLL_PROCESS_DETACH) AfxTermExtensionModule(g_module);
  return TRUE;
}

extern "C" __declspec(dllexport) void LinkLibraryC() { new CDynLinkLibrary(g_module); }
