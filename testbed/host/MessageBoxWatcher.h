// Answers the message boxes of the host's process so that runs need nobody
// at the keyboard: a thread looks for them, logs caption and text, and
// presses OK (or Yes, or the first button).
#pragma once

#include <windows.h>

#include <atomic>
#include <set>
#include <thread>

#include "HostLog.h"

class CMessageBoxWatcher {
 public:
  explicit CMessageBoxWatcher(CHostLog& log) : m_log(log) {}
  CMessageBoxWatcher(const CMessageBoxWatcher&) = delete;
  CMessageBoxWatcher& operator=(const CMessageBoxWatcher&) = delete;
  ~CMessageBoxWatcher() { Stop(); }

  void Start();
  void Stop();

 private:
  void Run();
  static BOOL CALLBACK VisitWindow(HWND window, LPARAM self);
  void Answer(HWND box);

  CHostLog& m_log;
  std::thread m_thread;
  std::atomic<bool> m_stop{false};
  std::set<HWND> m_answered;  // watcher thread only
};
