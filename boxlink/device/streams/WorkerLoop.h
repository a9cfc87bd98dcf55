// What every worker thread of the library (readers and consumers) does:
// call its object's Run again as long as Run returns non-zero and no stop
// is requested, and the exit codes of its end.
#pragma once

#include <Framework.h>

// A worker that ended by itself.
const UINT kWorkerEndedExitCode = 42;
// A worker that did not end within its stop's time-out and was terminated.
const DWORD kWorkerTerminatedExitCode = DWORD(-42);

template <class RunOnce>
UINT RunUntilStopped(const CWorkerThread& worker, RunOnce run) {
  while (!worker.IsStopRequested() && run()) {
  }
  return kWorkerEndedExitCode;
}

// Running, and not yet asked to stop.
inline int IsWorkerRunning(const CWorkerThread& worker) { return worker.IsRunning() && !worker.IsStopRequested(); }

// The stop of every worker: requests it, sets wake (when given) so that a
// wait of the worker ends at once, waits up to timeoutMs and then
// terminates the worker (away from Windows, where a thread cannot be
// terminated, it is left to end by itself). Also collects a worker asked to
// stop before; on the worker itself it only requests the stop. 1 when the
// worker was running and not yet asked to stop, else 0.
inline int StopWorker(CWorkerThread& worker, DWORD timeoutMs, CEvent* wake) {
  const int wasRunning = IsWorkerRunning(worker);
  if (wasRunning) {
    worker.RequestStop();
    if (wake) wake->SetEvent();
  }
#ifdef _WIN32
  worker.StopOrTerminate(timeoutMs, kWorkerTerminatedExitCode);
#else
  worker.Stop(timeoutMs);
#endif
  return wasRunning;
}
