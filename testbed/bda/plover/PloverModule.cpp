// plover.ax: the TS grabber's class factory and registration (COM server
// only: the module creates it by class identifier).
#include <Streams.h>

#include "TsGrabberFilter.h"

CFactoryTemplate g_Templates[] = {
    {L"Quillon TS Grabber", &CLSID_TsGrabber, CTsGrabberFilter::CreateInstance, nullptr, nullptr},
};
int g_cTemplates = sizeof(g_Templates) / sizeof(g_Templates[0]);

STDAPI DllRegisterServer() { return AMovieDllRegisterServer2(TRUE); }

STDAPI DllUnregisterServer() { return AMovieDllRegisterServer2(FALSE); }

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pv) {
  if (dwReason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(hInstance);
  return DllEntryPoint(hInstance, dwReason, pv);
}
