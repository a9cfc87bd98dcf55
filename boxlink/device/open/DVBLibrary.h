// The library's start-up as the host sees it: InitDvbApiDll links the
// library's classes and resources into the calling module's framework.
#pragma once

#include <Framework.h>

AFX_EXT_API void InitDvbApiDll();
