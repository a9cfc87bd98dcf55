// The types of a hardware module's exports as the TV application calls them,
// and of the callbacks it hands the module: all cdecl, since the host may pass
// more arguments than a function reads and its log function is variadic.
// ModuleExports.cpp pins each export to its type here and the stand-in host
// binds the exports by these types, so at 32 bits an export or callback of
// another calling convention fails the build (see PinnedType.h).
#pragma once

#include <windows.h>

#include <type_traits>

#include "ModuleInterface.h"

namespace moduleexports {

using QLONExModule = int(__cdecl*)(PFN_MODULE_LOG, MODULE_CAPABILITIES*, MODULE_STATUS*, HWND);
using InitDVBHardware = int(__cdecl*)(int);
using CloseDVBHardware = int(__cdecl*)();
using GetDeviceID = int(__cdecl*)();
using CreateVideoWindow = int(__cdecl*)(HWND, int);
using DeleteVideoWindow = int(__cdecl*)();
using SetWindowPositions = int(__cdecl*)(HWND, int, int, int, int, int);
using SetScreenMode = int(__cdecl*)();
using GetVideoWindowHandle = HWND(__cdecl*)();
using SetColorValues = int(__cdecl*)(int, int, int);
using SetVolume = int(__cdecl*)(int, int, int);
using SetMute = int(__cdecl*)();
using SetTunerChannel = int(__cdecl*)(CHANNEL_TYPE, DVB_CHANNELS*);
using SetTunerStateCallback = int(__cdecl*)(void*);
using SendDiSEqC = int(__cdecl*)(const BYTE*, BYTE, BYTE);
using StartPlayback = int(__cdecl*)(const char*);
using StartRecord = int(__cdecl*)(const char*, int);
using StartTimeshift = int(__cdecl*)(const char*);
using SpeedRecPlay = int(__cdecl*)(int);
using StartFilter = int(__cdecl*)(int, WORD, const BYTE*, const BYTE*, BYTE, PFN_FILTER_CALLBACK, void*);
using StopFilter = int(__cdecl*)(void*);
using StartTeletext = int(__cdecl*)(PFN_TELETEXT_CALLBACK, WORD);
using StopTeletext = int(__cdecl*)();
using HasDeviceRemote = int(__cdecl*)();
using StartRemote = int(__cdecl*)();
using StopRemote = int(__cdecl*)();
using GetDeviceMAC = const char*(__cdecl*)();
using OpenDeviceDependentProperties = void(__cdecl*)();
using EnterCAMDialog = void(__cdecl*)(int, int);
using SetPids = int(__cdecl*)(WORD, WORD, WORD, WORD);
using StopRecPlay = int(__cdecl*)();
using SeekPlayback = int(__cdecl*)(int);
using SetBobMode = void(__cdecl*)(int);
using QLONExModuleInfo = int(__cdecl*)(int, char*, char*, char*);
using SetApplicationHandle = int(__cdecl*)(HWND);
using MakeSnapshot = int(__cdecl*)(const char*, int);
using SetDolbyMode = int(__cdecl*)(int mode);
using GetDeviceCount = int(__cdecl*)();
// harrier only.
using SetSurface = int(__cdecl*)(int);
using SetADSwitch = int(__cdecl*)(int);

}  // namespace moduleexports

// The host's callbacks, which the module calls.
static_assert(std::is_same_v<PFN_MODULE_LOG, int(__cdecl*)(const char*, int, int, const char*, ...)>,
              "the host's log function is cdecl");
static_assert(std::is_same_v<PFN_PES_CALLBACK, int(__cdecl*)(const BYTE*, int)>, "the host's PES tap is cdecl");
static_assert(std::is_same_v<PFN_FILTER_CALLBACK, int(__cdecl*)(void*, const BYTE*, int)>,
              "the host's filter callback is cdecl");
static_assert(std::is_same_v<PFN_TELETEXT_CALLBACK, int(__cdecl*)(const BYTE*, int)>,
              "the host's teletext callback is cdecl");
