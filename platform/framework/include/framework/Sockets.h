// Windows Sockets start-up for the framework's users: version 1.1. The
// module's use ends (WSACleanup) when the module unloads or the program
// ends. FALSE when Windows Sockets are unavailable.
#pragma once

#include "Defs.h"

struct WSAData;

BOOL AFXAPI AfxSocketInit(WSAData* lpwsaData = nullptr);
