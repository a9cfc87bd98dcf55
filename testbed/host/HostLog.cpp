#include "HostLog.h"

#include <cstdarg>

#include <framework/SingleLock.h>

CHostLog::~CHostLog() {
  if (m_own && m_file) std::fclose(m_file);
}

bool CHostLog::Open(const std::string& path) {
  if (path.empty()) {
    m_file = stdout;
    return true;
  }
  m_file = std::fopen(path.c_str(), "w");
  m_own = m_file != nullptr;
  return m_own;
}

void CHostLog::Line(const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof(text), format, args);
  va_end(args);
  CSingleLock hold(&m_lock, TRUE);
  if (!m_file) return;
  std::fprintf(m_file, "%s\n", text);
  std::fflush(m_file);
}
