// A worker thread driven by commands: the caller posts one command and waits
// (bounded) for the worker's reply; the worker polls or waits for commands.
#pragma once

#include "AMEvent.h"
#include "CritSec.h"

#include <atomic>
#include <new>

class CAMThread {
 public:
  // How long a caller waits for the worker's reply, and for the thread to end.
  static constexpr DWORD kReplyTimeoutMs = 10000;

  CAMThread(HRESULT* phr = nullptr);
  virtual ~CAMThread();
  CAMThread(const CAMThread&) = delete;
  CAMThread& operator=(const CAMThread&) = delete;

  BOOL Create();
  // Replaces kReplyTimeoutMs for this thread's calls and close.
  void SetReplyTimeout(DWORD ms) { m_dwReplyTimeoutMs = ms; }
  // Sends a command and returns the worker's reply; when the worker does not
  // answer in time, or there is no worker, an error code.
  DWORD CallWorker(DWORD dwParam);
  // Waits for the thread to end (bounded; a thread that never ends is
  // terminated so that the caller is not held for ever).
  void Close();
  BOOL ThreadExists() const { return m_hThread != nullptr; }
  HANDLE GetThreadHandle() const { return m_hThread; }

  // Worker side.
  DWORD GetRequest();
  BOOL CheckRequest(DWORD* pParam);
  void Reply(DWORD dw);

  virtual DWORD ThreadProc() = 0;

 protected:
  CCritSec m_AccessLock;  // one caller at a time
  CCritSec m_WorkerLock;  // held by the worker while it runs a command

 private:
  static DWORD WINAPI InitialThreadProc(LPVOID pv);

  CAMEvent m_EventSend;  // manual reset: a command is pending until replied
  // The same as m_EventSend's state, for the worker's poll between samples,
  // which thus costs no system call.
  std::atomic<bool> m_bRequestPending{false};
  CAMEvent m_EventComplete;  // auto reset: the reply is ready
  DWORD volatile m_dwParam;
  DWORD volatile m_dwReturnVal;
  HANDLE m_hThread;
  DWORD m_dwReplyTimeoutMs = kReplyTimeoutMs;
};
