// Answers the message boxes of the host's process so that runs need nobody
// at the keyboard: a thread looks for them, logs caption and text, and
// presses OK (or Yes, or the first button).
#pragma once

#include <windows.h>

#include <set>

#include <framework/WorkerThread.h>

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
  static constexpr DWORD kLookEveryMs = 50;
  static constexpr DWORD kStopLimitMs = 5000;

  static UINT WatcherThread(LPVOID watcher);
  void Run();
  static BOOL CALLBACK VisitWindow(HWND window, LPARAM self);
  void Answer(HWND box);

  CHostLog& m_log;
  CWorkerThread m_worker;
  std::set<HWND> m_answered;  // watcher thread only
};
