// A worker thread owned by one object: the thread, its stop request (a flag
// for loops that poll, an event for loops that wait) and a bounded stop.
// The thread function runs on the new thread and returns its exit code; it
// is expected to return soon after it sees the stop requested.
//
// Start, Stop and the queries may be called from any thread. An owner must
// stop its worker before the objects the thread function uses are gone; a
// worker still running at destruction is a fault of its owner, reported and
// then stopped like Stop(kDestroyStopMs) (terminated on Windows, left
// detached elsewhere, if it does not end).
#pragma once

#include <atomic>
#include <memory>

#ifndef _WIN32
#include <thread>
#endif

#include "SyncObject.h"

#ifndef _WIN32
// The Win32 priorities, accepted (and ignored) by Start elsewhere.
enum {
  THREAD_PRIORITY_LOWEST = -2,
  THREAD_PRIORITY_BELOW_NORMAL = -1,
  THREAD_PRIORITY_NORMAL = 0,
  THREAD_PRIORITY_ABOVE_NORMAL = 1,
  THREAD_PRIORITY_HIGHEST = 2,
};
#endif

class CWorkerThread {
 public:
  typedef UINT (*ThreadProc)(LPVOID param);

  enum StopResult {
    kNotRunning,  // no thread to stop (none started, or it was released already)
    kEnded,       // the thread has ended (by now or before) and is released
    kRequested,   // called on the worker itself: it ends when its function returns
    kTimedOut,    // the thread did not end in time and still runs
    kTerminated,  // the thread did not end in time and was terminated (Windows)
  };

  static const DWORD kDestroyStopMs = 1000;

  // What the thread shares with its owner (opaque; in the source file).
  struct State;

  CWorkerThread();
  ~CWorkerThread();
  CWorkerThread(const CWorkerThread&) = delete;
  CWorkerThread& operator=(const CWorkerThread&) = delete;

  // Runs proc(param) on a new thread at the given Win32 priority (ignored
  // elsewhere). FALSE when a thread runs already or none could be created;
  // a thread that has ended is collected first.
  BOOL Start(ThreadProc proc, LPVOID param, int nPriority = THREAD_PRIORITY_NORMAL);

  // Sets the stop flag and event; the thread is not waited for.
  void RequestStop();
  // Requests the stop and waits up to timeoutMs for the thread to end, then
  // releases it. Does not wait when called on the worker itself. On Windows
  // the wait serves messages sent to the calling thread, so a worker that
  // sends one to a window of the caller is not cut off.
  StopResult Stop(DWORD timeoutMs);
#ifdef _WIN32
  // Stop, then terminates a thread that did not end in time with exitCode.
  StopResult StopOrTerminate(DWORD timeoutMs, DWORD exitCode);
  DWORD GetThreadId() const;
#endif

  // For the thread function: whether the stop was requested (one atomic
  // load, cheap enough for every turn of a loop).
  BOOL IsStopRequested() const { return m_stopRequested; }
  // For the thread function: waits up to ms for the stop request; TRUE when
  // it came.
  BOOL WaitForStop(DWORD ms);

  // The thread was started and its function has not returned.
  BOOL IsRunning() const;
  // The caller is the worker thread.
  BOOL IsCurrentThread() const;
  // The exit code of the last thread that ended (terminated: its code).
  DWORD GetExitCode() const;

 private:
  std::shared_ptr<State> CurrentState() const;
  // Frees the ended thread of state, if it is still this object's.
  void Collect(const std::shared_ptr<State>& state);

  mutable CCriticalSection m_lock;  // guards m_state and the thread below
  std::shared_ptr<State> m_state;   // shared with the thread itself
#ifdef _WIN32
  HANDLE m_hThread = nullptr;
#else
  std::thread m_thread;
#endif
  std::atomic<DWORD> m_exitCode{0};
  // Cleared by Start, set by RequestStop; the event is reset manually.
  std::atomic<bool> m_stopRequested{false};
  CEvent m_stopEvent;
};
