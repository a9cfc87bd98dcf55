// What a module keeps of its host: the log function and the status record,
// both handed over by _QLONExModule. Objects of the common layer reach the
// host only through this link, so that tests give them a host of their own.
#pragma once

#include <utility>

#include "ModuleInterface.h"

struct ModuleHostLink {
  PFN_MODULE_LOG m_pfnLog = nullptr;
  MODULE_STATUS* m_pStatus = nullptr;

  // Logs through the host when it gave a log function; false when there is
  // none or the call failed with an exception, which does not escape.
  template <typename... Args>
  bool Log(const char* sourceFile, int line, int level, const char* format, Args... args) const {
    if (!m_pfnLog) return false;
    try {
      m_pfnLog(sourceFile, line, level, format, args...);
      return true;
    } catch (...) {
      return false;
    }
  }
};
