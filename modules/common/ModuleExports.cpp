// The exports of every hardware module, with their undecorated names (the
// module's .def file gives the ordinals). Each runs in the module's state
// and catches what its body throws: no exception reaches the host, which
// gets the export's failure code instead.
#include <windows.h>

#include <cstring>

#include <framework/Exception.h>

#include <PinnedType.h>

#include "ModuleApp.h"
#include "ModuleExportTypes.h"

namespace {

template <typename Result, typename Body>
Result Guarded(const char* exportName, Result onFailure, Body body) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  try {
    return body(ModuleApp());
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  ModuleApp().Host().Log(ModuleApp().SourceName(), __LINE__, kLogError, "MOD_%s: exception in %s", AfxGetAppName(),
                         exportName);
  return onFailure;
}

template <typename Body>
void GuardedVoid(const char* exportName, Body body) {
  Guarded(exportName, 0, [&](CModuleApp& app) {
    body(app);
    return 0;
  });
}

char g_szMAC[32];  // the text _GetDeviceMAC hands out

}  // namespace

extern "C" {

int __cdecl _QLONExModule(PFN_MODULE_LOG log, MODULE_CAPABILITIES* caps, MODULE_STATUS* status, HWND hostWindow) {
  return Guarded("_QLONExModule", 0, [&](CModuleApp& app) { return app.QLONExModule(log, caps, status, hostWindow); });
}

int __cdecl _InitDVBHardware(int index) {
  return Guarded("_InitDVBHardware", 0, [&](CModuleApp& app) { return app.InitDVBHardware(index); });
}

int __cdecl _CloseDVBHardware() {
  return Guarded("_CloseDVBHardware", static_cast<int>(kModuleFailed),
                 [](CModuleApp& app) { return app.CloseDVBHardware(); });
}

int __cdecl _GetDeviceID() { return 1; }

int __cdecl _CreateVideoWindow(HWND parent, int screenMode) {
  return Guarded("_CreateVideoWindow", 0, [&](CModuleApp& app) { return app.CreateVideoWindow(parent, screenMode); });
}

int __cdecl _DeleteVideoWindow() {
  return Guarded("_DeleteVideoWindow", 0, [](CModuleApp& app) { return app.CreateVideoWindow(nullptr, 0); });
}

int __cdecl _SetWindowPositions(HWND after, int left, int top, int right, int bottom, int) {
  return Guarded("_SetWindowPositions", 0,
                 [&](CModuleApp& app) { return app.SetWindowPositions(after, left, top, right, bottom); });
}

int __cdecl _SetScreenMode() { return 1; }

HWND __cdecl _GetVideoWindowHandle() {
  return Guarded("_GetVideoWindowHandle", static_cast<HWND>(nullptr),
                 [](CModuleApp& app) { return app.GetVideoWindowHandle(); });
}

int __cdecl _SetColorValues(int first, int second, int third) {
  return Guarded("_SetColorValues", 0, [&](CModuleApp& app) { return app.SetColorValues(first, second, third); });
}

// The host passes the treble and bass too; only harrier's card takes them.
int __cdecl _SetVolume(int volume, int treble, int bass) {
  return Guarded("_SetVolume", 0, [&](CModuleApp& app) { return app.SetVolume(volume, treble, bass); });
}

int __cdecl _SetMute() {
  return Guarded("_SetMute", 0, [](CModuleApp& app) { return app.SetMute(); });
}

int __cdecl _SetTunerChannel(CHANNEL_TYPE tuning, DVB_CHANNELS* channel) {
  return Guarded("_SetTunerChannel", static_cast<int>(kModuleFailed),
                 [&](CModuleApp& app) { return app.SetTunerChannel(tuning, channel); });
}

int __cdecl _SetTunerStateCallback(void*) { return 0; }

int __cdecl _SendDiSEqC(const BYTE* message, BYTE length, BYTE burst) {
  return Guarded("_SendDiSEqC", static_cast<int>(kModuleFailed),
                 [&](CModuleApp& app) { return app.SendDiSEqC(message, length, burst); });
}

int __cdecl _StartPlayback(const char* file) {
  return Guarded("_StartPlayback", static_cast<int>(kModuleBadArgument),
                 [&](CModuleApp& app) { return app.StartPlayback(file); });
}

int __cdecl _StartRecord(const char*, int) { return kModuleBadArgument; }

int __cdecl _StartTimeshift(const char*) { return kModuleBadArgument; }

int __cdecl _SpeedRecPlay(int speed) {
  return Guarded("_SpeedRecPlay", static_cast<int>(kModuleWrongState),
                 [&](CModuleApp& app) { return app.SpeedRecPlay(speed); });
}

int __cdecl _StartFilter(int type, WORD pid, const BYTE* match, const BYTE* mask, BYTE length,
                         PFN_FILTER_CALLBACK callback, void* context) {
  return Guarded("_StartFilter", static_cast<int>(kModuleFailed), [&](CModuleApp& app) {
    return app.StartFilter(type, pid, match, mask, length, callback, context);
  });
}

int __cdecl _StopFilter(void* context) {
  return Guarded("_StopFilter", static_cast<int>(kModuleFailed),
                 [&](CModuleApp& app) { return app.StopFilter(context); });
}

int __cdecl _StartTeletext(PFN_TELETEXT_CALLBACK callback, WORD pid) {
  return Guarded("_StartTeletext", static_cast<int>(kModuleBadArgument), [&](CModuleApp& app) {
    return callback ? app.StartTeletext(callback, pid) : static_cast<int>(kModuleBadArgument);
  });
}

int __cdecl _StopTeletext() {
  return Guarded("_StopTeletext", static_cast<int>(kModuleFailed), [](CModuleApp& app) { return app.StopTeletext(); });
}

int __cdecl _HasDeviceRemote() { return 1; }

int __cdecl _StartRemote() { return 0; }

int __cdecl _StopRemote() { return 0; }

const char* __cdecl _GetDeviceMAC() {
  std::memset(g_szMAC, 0, sizeof(g_szMAC));
  GuardedVoid("_GetDeviceMAC", [](CModuleApp& app) {
    app.FillDeviceMAC(g_szMAC);
    g_szMAC[sizeof(g_szMAC) - 1] = 0;
  });
  return g_szMAC;
}

void __cdecl _OpenDeviceDependentProperties() {
  GuardedVoid("_OpenDeviceDependentProperties", [](CModuleApp& app) { app.OpenDeviceDependentProperties(); });
}

void __cdecl _EnterCAMDialog(int command, int value) {
  GuardedVoid("_EnterCAMDialog", [&](CModuleApp& app) { app.EnterCAMDialog(command, value); });
}

int __cdecl _SetPids(WORD video, WORD audio, WORD third, WORD ac3) {
  return Guarded("_SetPids", static_cast<int>(kModuleBadArgument),
                 [&](CModuleApp& app) { return app.SetPidsShared(video, audio, third, ac3); });
}

int __cdecl _StopRecPlay() {
  return Guarded("_StopRecPlay", static_cast<int>(kModuleBadArgument),
                 [](CModuleApp& app) { return app.StopRecPlay(); });
}

int __cdecl _SeekPlayback(int perMille) {
  return Guarded("_SeekPlayback", static_cast<int>(kModuleWrongState),
                 [&](CModuleApp& app) { return app.SeekPlayback(perMille); });
}

void __cdecl _SetBobMode(int mode) {
  GuardedVoid("_SetBobMode", [&](CModuleApp& app) { app.SetBobMode(mode); });
}

int __cdecl _QLONExModuleInfo(int index, char* title, char* deviceName, char* version) {
  return Guarded("_QLONExModuleInfo", 0,
                 [&](CModuleApp& app) { return app.ModuleInfo(index, title, deviceName, version); });
}

int __cdecl _SetApplicationHandle(HWND window) {
  return Guarded("_SetApplicationHandle", 0, [&](CModuleApp& app) {
    app.SetApplicationHandle(window);
    return 1;
  });
}

int __cdecl _MakeSnapshot(const char* fileName, int toClipboard) {
  return Guarded("_MakeSnapshot", 0, [&](CModuleApp& app) { return app.MakeSnapshot(fileName, toClipboard); });
}

int __cdecl _SetDolbyMode(int mode) {
  return Guarded("_SetDolbyMode", 0, [&](CModuleApp& app) { return app.SetDolbyMode(mode); });
}

int __cdecl _GetDeviceCount() {
  return Guarded("_GetDeviceCount", 0, [](CModuleApp& app) { return app.GetDeviceCount(); });
}

}  // extern "C"

// Each export has the type the host calls it by (ModuleExportTypes.h).
QUILLON_PIN_TYPE(&_QLONExModule, moduleexports::QLONExModule);
QUILLON_PIN_TYPE(&_InitDVBHardware, moduleexports::InitDVBHardware);
QUILLON_PIN_TYPE(&_CloseDVBHardware, moduleexports::CloseDVBHardware);
QUILLON_PIN_TYPE(&_GetDeviceID, moduleexports::GetDeviceID);
QUILLON_PIN_TYPE(&_CreateVideoWindow, moduleexports::CreateVideoWindow);
QUILLON_PIN_TYPE(&_DeleteVideoWindow, moduleexports::DeleteVideoWindow);
QUILLON_PIN_TYPE(&_SetWindowPositions, moduleexports::SetWindowPositions);
QUILLON_PIN_TYPE(&_SetScreenMode, moduleexports::SetScreenMode);
QUILLON_PIN_TYPE(&_GetVideoWindowHandle, moduleexports::GetVideoWindowHandle);
QUILLON_PIN_TYPE(&_SetColorValues, moduleexports::SetColorValues);
QUILLON_PIN_TYPE(&_SetVolume, moduleexports::SetVolume);
QUILLON_PIN_TYPE(&_SetMute, moduleexports::SetMute);
QUILLON_PIN_TYPE(&_SetTunerChannel, moduleexports::SetTunerChannel);
QUILLON_PIN_TYPE(&_SetTunerStateCallback, moduleexports::SetTunerStateCallback);
QUILLON_PIN_TYPE(&_SendDiSEqC, moduleexports::SendDiSEqC);
QUILLON_PIN_TYPE(&_StartPlayback, moduleexports::StartPlayback);
QUILLON_PIN_TYPE(&_StartRecord, moduleexports::StartRecord);
QUILLON_PIN_TYPE(&_StartTimeshift, moduleexports::StartTimeshift);
QUILLON_PIN_TYPE(&_SpeedRecPlay, moduleexports::SpeedRecPlay);
QUILLON_PIN_TYPE(&_StartFilter, moduleexports::StartFilter);
QUILLON_PIN_TYPE(&_StopFilter, moduleexports::StopFilter);
QUILLON_PIN_TYPE(&_StartTeletext, moduleexports::StartTeletext);
QUILLON_PIN_TYPE(&_StopTeletext, moduleexports::StopTeletext);
QUILLON_PIN_TYPE(&_HasDeviceRemote, moduleexports::HasDeviceRemote);
QUILLON_PIN_TYPE(&_StartRemote, moduleexports::StartRemote);
QUILLON_PIN_TYPE(&_StopRemote, moduleexports::StopRemote);
QUILLON_PIN_TYPE(&_GetDeviceMAC, moduleexports::GetDeviceMAC);
QUILLON_PIN_TYPE(&_OpenDeviceDependentProperties, moduleexports::OpenDeviceDependentProperties);
QUILLON_PIN_TYPE(&_EnterCAMDialog, moduleexports::EnterCAMDialog);
QUILLON_PIN_TYPE(&_SetPids, moduleexports::SetPids);
QUILLON_PIN_TYPE(&_StopRecPlay, moduleexports::StopRecPlay);
QUILLON_PIN_TYPE(&_SeekPlayback, moduleexports::SeekPlayback);
QUILLON_PIN_TYPE(&_SetBobMode, moduleexports::SetBobMode);
QUILLON_PIN_TYPE(&_QLONExModuleInfo, moduleexports::QLONExModuleInfo);
QUILLON_PIN_TYPE(&_SetApplicationHandle, moduleexports::SetApplicationHandle);
QUILLON_PIN_TYPE(&_MakeSnapshot, moduleexports::MakeSnapshot);
QUILLON_PIN_TYPE(&_SetDolbyMode, moduleexports::SetDolbyMode);
QUILLON_PIN_TYPE(&_GetDeviceCount, moduleexports::GetDeviceCount);
