#include "framework/WorkerThread.h"

#include "framework/Exception.h"
#include "framework/SingleLock.h"

#ifdef _WIN32
#include <process.h>
#else
#include <cstdio>
#endif

// One started thread, held by the owner and by the thread itself.
struct CWorkerThread::State {
  State(ThreadProc proc, LPVOID param) : proc(proc), param(param), endedEvent(FALSE, TRUE) {}

  const ThreadProc proc;
  const LPVOID param;
  std::atomic<bool> ended{false};
  CEvent endedEvent;  // manual reset, set with ended
  std::atomic<DWORD> exitCode{0};
#ifdef _WIN32
  DWORD threadId = 0;
#else
  std::thread::id threadId;
#endif

  void End(DWORD code) {
    exitCode = code;
    ended = true;
    endedEvent.SetEvent();
  }

  // The thread's whole life. A framework exception that leaves the thread
  // function ends the thread, not the process.
  void Run() {
    DWORD code = DWORD(-1);
    try {
      code = proc(param);
    } catch (CException* e) {
      e->Delete();
    }
    End(code);
  }
};

namespace {

void Warn(const char* text) {
#ifdef _WIN32
  OutputDebugStringA(text);
#else
  std::fputs(text, stderr);
#endif
}

#ifdef _WIN32
// A thread that has set its ended event returns at once; this only bounds
// the wait for its handle.
const DWORD kCollectWaitMs = 1000;

unsigned __stdcall ThreadEntry(void* param) {
  std::unique_ptr<std::shared_ptr<CWorkerThread::State>> state(
      static_cast<std::shared_ptr<CWorkerThread::State>*>(param));
  (*state)->Run();
  return (*state)->exitCode;
}

// Waits for the event, serving messages sent to this thread meanwhile.
bool WaitServingSentMessages(HANDLE event, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    const DWORD elapsed = GetTickCount() - start;
    const DWORD r = elapsed >= timeoutMs ? WaitForSingleObject(event, 0)
                                         : MsgWaitForMultipleObjectsEx(1, &event, timeoutMs - elapsed, QS_SENDMESSAGE,
                                                                       MWMO_INPUTAVAILABLE);
    if (r == WAIT_OBJECT_0) return true;
    if (r != WAIT_OBJECT_0 + 1) return false;
  }
}
#endif

}  // namespace

CWorkerThread::CWorkerThread() : m_stopEvent(FALSE, TRUE) {}

CWorkerThread::~CWorkerThread() {
  if (IsRunning()) Warn("CWorkerThread destroyed while its thread runs: stopping it\n");
#ifdef _WIN32
  StopOrTerminate(kDestroyStopMs, DWORD(-1));
#else
  if (Stop(kDestroyStopMs) == kTimedOut) {
    Warn("CWorkerThread: the thread did not stop; it is left running\n");
    CSingleLock hold(&m_lock, TRUE);
    m_thread.detach();
    m_state.reset();
  }
#endif
}

BOOL CWorkerThread::Start(ThreadProc proc, LPVOID param, int nPriority) {
  ENSURE_ARG(proc != nullptr);
  CSingleLock hold(&m_lock, TRUE);
  if (m_state) {
    if (!m_state->ended) return FALSE;
    Collect(m_state);
  }
  auto state = std::make_shared<State>(proc, param);
  m_stopRequested = false;
  m_stopEvent.ResetEvent();
#ifdef _WIN32
  // Created suspended, so that the handle and id are in place before the
  // thread can run.
  auto* shared = new std::shared_ptr<State>(state);
  unsigned id = 0;
  HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ThreadEntry, shared, CREATE_SUSPENDED, &id));
  if (!thread) {
    delete shared;
    return FALSE;
  }
  state->threadId = id;
  SetThreadPriority(thread, nPriority);
  m_hThread = thread;
  m_state = state;
  ResumeThread(thread);
#else
  (void)nPriority;
  try {
    m_thread = std::thread([state] { state->Run(); });
  } catch (const std::system_error&) {
    return FALSE;
  }
  state->threadId = m_thread.get_id();
  m_state = state;
#endif
  return TRUE;
}

std::shared_ptr<CWorkerThread::State> CWorkerThread::CurrentState() const {
  CSingleLock hold(&m_lock, TRUE);
  return m_state;
}

void CWorkerThread::RequestStop() {
  m_stopRequested = true;
  m_stopEvent.SetEvent();
}

CWorkerThread::StopResult CWorkerThread::Stop(DWORD timeoutMs) {
  auto state = CurrentState();
  if (!state) return kNotRunning;
  RequestStop();
  if (IsCurrentThread()) return kRequested;
#ifdef _WIN32
  const bool ended = WaitServingSentMessages(state->endedEvent, timeoutMs);
#else
  const bool ended = state->endedEvent.Lock(timeoutMs);
#endif
  if (!ended) return kTimedOut;
  CSingleLock hold(&m_lock, TRUE);
  Collect(state);
  return kEnded;
}

void CWorkerThread::Collect(const std::shared_ptr<State>& state) {
  if (m_state != state) return;  // collected by another caller already
#ifdef _WIN32
  WaitForSingleObject(m_hThread, kCollectWaitMs);
  CloseHandle(m_hThread);
  m_hThread = nullptr;
#else
  m_thread.join();
#endif
  m_exitCode = state->exitCode.load();
  m_state.reset();
}

#ifdef _WIN32
CWorkerThread::StopResult CWorkerThread::StopOrTerminate(DWORD timeoutMs, DWORD exitCode) {
  const StopResult result = Stop(timeoutMs);
  if (result != kTimedOut) return result;
  CSingleLock hold(&m_lock, TRUE);
  if (!m_state) return kEnded;  // ended and collected meanwhile
  if (!m_state->ended) {
    TerminateThread(m_hThread, exitCode);
    m_state->End(exitCode);
  }
  Collect(m_state);
  return kTerminated;
}

DWORD CWorkerThread::GetThreadId() const {
  auto state = CurrentState();
  return state ? state->threadId : 0;
}
#endif

BOOL CWorkerThread::WaitForStop(DWORD ms) { return m_stopRequested || m_stopEvent.Lock(ms); }

BOOL CWorkerThread::IsRunning() const {
  auto state = CurrentState();
  return state && !state->ended;
}

BOOL CWorkerThread::IsCurrentThread() const {
  auto state = CurrentState();
#ifdef _WIN32
  return state && state->threadId == GetCurrentThreadId();
#else
  return state && state->threadId == std::this_thread::get_id();
#endif
}

DWORD CWorkerThread::GetExitCode() const {
  auto state = CurrentState();
  return state && state->ended ? state->exitCode.load() : m_exitCode.load();
}
