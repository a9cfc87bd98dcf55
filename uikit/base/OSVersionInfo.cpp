#include "OSVersionInfo.h"

#include <cstring>

CJVKOSVersionInfo::CJVKOSVersionInfo() {
  memset(&m_osvi, 0, sizeof m_osvi);
  m_osvi.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
  ::GetVersionExA(&m_osvi);
}

namespace {
CJVKOSVersionInfo g_osVersion;
}  // namespace

CJVKOSVersionInfo* GetOSVersionInfo() { return &g_osVersion; }
