// The system family that decides where the device-class keys live, from the
// platform id and version of GetVersionExA: 0 Win32s, 1 NT 4 and older,
// 2 Windows 95, 3 the later 9x systems, 4 NT 5 and later, -1 unknown.
#pragma once

#include <WinTypes.h>

namespace systemfamily {

int SystemFamily(DWORD platformId, DWORD major, DWORD minor);

// Root of the device-class keys under HKEY_LOCAL_MACHINE, with its trailing
// backslash; null for the families that have none here (0, 1, -1).
const char* ClassKeyRoot(int family);

}  // namespace systemfamily
