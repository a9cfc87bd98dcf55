// The stand-in host's log: one line per event, to a file or to stdout,
// flushed at once so that a test can read it while the host runs. Any
// thread may write.
#pragma once

#include <cstdio>
#include <string>

#include <framework/SyncObject.h>

class CHostLog {
 public:
  CHostLog() = default;
  CHostLog(const CHostLog&) = delete;
  CHostLog& operator=(const CHostLog&) = delete;
  ~CHostLog();

  // Empty path: stdout.
  bool Open(const std::string& path);
  void Line(const char* format, ...);

 private:
  CCriticalSection m_lock;  // guards m_file
  FILE* m_file = nullptr;
  bool m_own = false;
};
