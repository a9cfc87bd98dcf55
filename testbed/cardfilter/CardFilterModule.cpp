// The card filter's class-factory table and exports: its COM server under
// the card's class identifier, and the control of the scripted card for
// tests in the same process.
#include <string>

#include "CardFilter.h"
#include "SimScript.h"
#include "include/CardFilterSim.h"

CFactoryTemplate g_Templates[] = {
    {L"Skystar2 Source Filter", &CLSID_B2C2MPEG2Filter, CCardFilter::CreateInstance, nullptr, nullptr},
};
int g_cTemplates = sizeof(g_Templates) / sizeof(g_Templates[0]);

STDAPI DllRegisterServer() { return AMovieDllRegisterServer2(TRUE); }

STDAPI DllUnregisterServer() { return AMovieDllRegisterServer2(FALSE); }

extern "C" void WINAPI CardFilterSimLoadScript(const char* text) { CSimCardScript::Instance().Load(text ? text : ""); }

extern "C" int WINAPI CardFilterSimRecord(char* buffer, int size) {
  const std::string record = CSimCardScript::Instance().RecordText();
  if (buffer && size > 0) lstrcpynA(buffer, record.c_str(), size);
  return static_cast<int>(record.size());
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pv) {
  if (dwReason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(hInstance);
  return DllEntryPoint(hInstance, dwReason, pv);
}
