// The types of the plug-in's entry points as the TV application calls them:
// all cdecl. PluginEntryPoints.cpp pins each entry point to its type here and
// the stand-in host binds them by these types, so at 32 bits an entry point
// of another calling convention fails the build (see PinnedType.h).
#pragma once

#include <windows.h>

namespace pluginentrypoints {

using On_Send_Dll_ID_Name = void(__cdecl*)(char* pszBuffer);
using On_Menu_Select = void(__cdecl*)(int nID);
using On_Start = void(__cdecl*)(DWORD, HWND hHostWnd, DWORD, DWORD);
using On_Exit = void(__cdecl*)();
using On_Server_PES_Receive = void(__cdecl*)(int nLength, const BYTE* pData);

}  // namespace pluginentrypoints
