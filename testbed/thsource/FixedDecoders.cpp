// fixeddecoders.ax: the video decoder stand-in of testbed/decoders under the
// two class identifiers that condor creates its decoder by. Not listed with
// the filter mapper (condor asks for them by identifier only). Either can be
// made absent for a test through FIXED_DECODER_ABSENT_VARIABLE.
#include <new>
#include <string>

#include <TestVideoDecoder.h>
#include <TwinhanInterfaces.h>

#include "include/ThSourceSim.h"

namespace {

bool Absent(const char* which) {
  char value[16] = {};
  const DWORD n = GetEnvironmentVariableA(FIXED_DECODER_ABSENT_VARIABLE, value, sizeof(value));
  const std::string absent = n < sizeof(value) ? value : "";
  return absent == which || absent == "both";
}

template <char Letter>
CUnknown* WINAPI Create(LPUNKNOWN pUnk, HRESULT* phr) {
  const bool first = Letter == 'A';
  if (Absent(first ? "first" : "second")) {
    if (phr) *phr = REGDB_E_CLASSNOTREG;
    return nullptr;
  }
  HRESULT hr = S_OK;
  auto* decoder = new (std::nothrow)
      CTestVideoDecoder(pUnk, &hr, first ? CLSID_FirstVideoDecoder : CLSID_SecondVideoDecoder, Letter);
  if (!decoder) hr = E_OUTOFMEMORY;
  if (SUCCEEDED(hr)) return decoder;
  delete decoder;
  if (phr) *phr = hr;
  return nullptr;
}

}  // namespace

CFactoryTemplate g_Templates[] = {
    {FIRST_VIDEO_DECODER_NAME, &CLSID_FirstVideoDecoder, Create<'A'>, nullptr, nullptr},
    {SECOND_VIDEO_DECODER_NAME, &CLSID_SecondVideoDecoder, Create<'B'>, nullptr, nullptr},
};
int g_cTemplates = sizeof(g_Templates) / sizeof(g_Templates[0]);

STDAPI DllRegisterServer() { return AMovieDllRegisterServer2(TRUE); }

STDAPI DllUnregisterServer() { return AMovieDllRegisterServer2(FALSE); }

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pv) {
  if (dwReason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(hInstance);
  return DllEntryPoint(hInstance, dwReason, pv);
}
