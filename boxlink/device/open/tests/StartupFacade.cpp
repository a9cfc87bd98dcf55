// The library's test build behind a few plain C functions, for the tests of
// its start-up: loading this DLL loads the library with it, and unloading
// this DLL unloads the library, whose classes the test program does not
// link (LoadedLibrary.h).
#include "DVBBoardControl.h"
#include "DVBCommon.h"
#include "DVBLibrary.h"

extern "C" {

__declspec(dllexport) BOOL FacadeOpenDevice(WORD index, const char* appId, BOOL noNetwork) {
  return CDVBCommon::OpenDevice(index, appId, noNetwork);
}

__declspec(dllexport) void FacadeCloseDevice() { CDVBCommon::CloseDevice(); }

__declspec(dllexport) int FacadeEnableIsoStream(int setting) {
  CDVBBoardControl board;
  return board.EnableIsoStream(setting);
}

__declspec(dllexport) BOOL FacadeGetCurrentDevApp(WORD index, const char** module, const char** appId) {
  return CDVBCommon::GetCurrentDevApp(index, *module, *appId);
}

__declspec(dllexport) void FacadeInitDvbApiDll() { InitDvbApiDll(); }

}  // extern "C"
