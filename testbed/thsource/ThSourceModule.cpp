// The stand-in's class-factory table and exports: the source, time-shift
// and splitter filters under the card's class identifiers, and the control
// of the scripted card for tests in the same process.
#include <string>

#include "CardScript.h"
#include "PinlessFilters.h"
#include "SourceFilter.h"
#include "include/ThSourceSim.h"

CFactoryTemplate g_Templates[] = {
    {TWINHAN_SOURCE_NAME, &CLSID_TwinhanSource, CSourceFilter::CreateInstance, nullptr, nullptr},
    {TWINHAN_TIMESHIFT_NAME, &CLSID_TwinhanTimeShift, CTimeShiftFilter::CreateInstance, nullptr, nullptr},
    {TWINHAN_SPLITTER_NAME, &CLSID_TwinhanSplitter, CSplitterFilter::CreateInstance, nullptr, nullptr},
};
int g_cTemplates = sizeof(g_Templates) / sizeof(g_Templates[0]);

STDAPI DllRegisterServer() { return AMovieDllRegisterServer2(TRUE); }

STDAPI DllUnregisterServer() { return AMovieDllRegisterServer2(FALSE); }

extern "C" void WINAPI ThSourceSimLoadScript(const char* text) { CCardScript::Instance().Load(text ? text : ""); }

extern "C" int WINAPI ThSourceSimRecord(char* buffer, int size) {
  const std::string record = CCardScript::Instance().RecordText();
  if (buffer && size > 0) lstrcpynA(buffer, record.c_str(), size);
  return static_cast<int>(record.size());
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pv) {
  if (dwReason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(hInstance);
  return DllEntryPoint(hInstance, dwReason, pv);
}
