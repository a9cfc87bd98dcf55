// The test sink's class-factory table and exports. It registers only its COM
// server: no filter-mapper entry, so that no graph picks it by itself.
#include "TestSink.h"

CFactoryTemplate g_Templates[] = {
    {L"Quillon Test Sink", &CLSID_TestSink, CTestSink::CreateInstance, nullptr, nullptr},
};
int g_cTemplates = sizeof(g_Templates) / sizeof(g_Templates[0]);

STDAPI DllRegisterServer() { return AMovieDllRegisterServer2(TRUE); }

STDAPI DllUnregisterServer() { return AMovieDllRegisterServer2(FALSE); }

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pv) {
  if (dwReason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(hInstance);
  return DllEntryPoint(hInstance, dwReason, pv);
}
