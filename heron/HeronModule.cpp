// The library's class-factory table, its registration data and its exports.
#include "ExSourceFilter.h"

namespace {

const AMOVIESETUP_MEDIATYPE kVideoPinTypes[] = {{&MEDIATYPE_Video, &MEDIASUBTYPE_MPEG2_VIDEO}};
const AMOVIESETUP_MEDIATYPE kAudioPinTypes[] = {{&MEDIATYPE_Audio, &MEDIASUBTYPE_MPEG2_AUDIO}};

WCHAR kVideoPinName[] = L"Video";
WCHAR kAudioPinName[] = L"Audio";

const AMOVIESETUP_PIN kPins[] = {
    // name, rendered, output, zero, many, connects to filter, to pin, types
    {kVideoPinName, FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kVideoPinTypes},
    {kAudioPinName, FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAudioPinTypes},
};

const AMOVIESETUP_FILTER kFilter = {&CLSID_ExSourceFilter, L"Quillon Professional Ex Source", 0x200000, 2, kPins};

// The platform the library runs on (VER_PLATFORM_WIN32_NT and friends).
DWORD g_dwPlatformId = 0;

}  // namespace

CFactoryTemplate g_Templates[] = {
    {L"Quillon Professional Ex Source", &CLSID_ExSourceFilter, CExSourceFilter::CreateInstance, nullptr, &kFilter},
};
int g_cTemplates = sizeof(g_Templates) / sizeof(g_Templates[0]);

STDAPI DllRegisterServer() { return AMovieDllRegisterServer2(TRUE); }

STDAPI DllUnregisterServer() { return AMovieDllRegisterServer2(FALSE); }

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pv) {
  if (dwReason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(hInstance);
    OSVERSIONINFOA osvi = {};
    osvi.dwOSVersionInfoSize = sizeof(osvi);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (GetVersionExA(&osvi)) g_dwPlatformId = osvi.dwPlatformId;
#pragma GCC diagnostic pop
  }
  return DllEntryPoint(hInstance, dwReason, pv);
}
