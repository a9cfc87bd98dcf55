// The library's start-up: called once by the application at its start.
#pragma once

#include <Framework.h>

AFX_EXT_API void InitDvbApiDll();
