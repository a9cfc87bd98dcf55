// The stop of a reader or consumer worker thread, shared by every class
// that runs one: request the stop, wait a bounded time for the worker to
// end by itself, then terminate it.
#pragma once

#include <Framework.h>

namespace boxthread {

const DWORD kTerminatedExitCode = DWORD(-42);
const UINT kEndedExitCode = 42;

// Starts `proc(object)` when state is 0 (state becomes 1): TRUE when a
// thread was started now.
BOOL Start(CCriticalSection& lock, volatile LONG& state, CWinThread*& thread, AFX_THREADPROC proc,
           LPVOID object, int priority);

// Waits up to timeoutMs for the worker (state already set to 2 by the
// caller) to set state 0; then terminates it.
void AwaitStop(CCriticalSection& lock, volatile LONG& state, CWinThread*& thread,
               DWORD timeoutMs);

// The worker's last words: state 0, no thread.
UINT Ended(CCriticalSection& lock, volatile LONG& state, CWinThread*& thread);

}  // namespace boxthread
