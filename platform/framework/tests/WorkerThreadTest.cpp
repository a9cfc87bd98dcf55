#include <Framework.h>

#include <gtest/gtest.h>

#include <atomic>

namespace {

// Bounds every wait, so that a broken class fails the test instead of hanging it.
constexpr DWORD kWait = 10000;

// A thread function's view of the test: the worker it runs on, what it saw
// and the events that order it against the test.
struct Probe {
  CWorkerThread* worker = nullptr;
  CEvent started{FALSE, TRUE};
  CEvent release{FALSE, TRUE};  // lets a function that ignores the stop end
  std::atomic<int> turns{0};
  std::atomic<bool> sawStop{false};
  std::atomic<int> stopResultOnWorker{-1};
};

UINT LoopUntilStopped(LPVOID param) {
  auto* probe = static_cast<Probe*>(param);
  probe->started.SetEvent();
  while (!probe->worker->WaitForStop(kWait)) ++probe->turns;
  probe->sawStop = probe->worker->IsStopRequested() != FALSE;
  return 42;
}

UINT IgnoreStop(LPVOID param) {
  auto* probe = static_cast<Probe*>(param);
  probe->started.SetEvent();
  probe->release.Lock(kWait);
  return 7;
}

UINT StopItself(LPVOID param) {
  auto* probe = static_cast<Probe*>(param);
  probe->stopResultOnWorker = probe->worker->Stop(kWait);
  probe->sawStop = probe->worker->IsStopRequested() != FALSE;
  probe->started.SetEvent();
  return 3;
}

UINT ThrowFrameworkException(LPVOID) {
  AfxThrowInvalidArgException();
  return 0;
}

// A worker and the probe of its thread function; the probe outlives the
// worker, whose destructor may still stop the thread.
class WorkerThread : public testing::Test {
 protected:
  WorkerThread() { probe.worker = &worker; }

  // Starts proc and waits until it runs.
  void StartAndAwait(CWorkerThread::ThreadProc proc, int priority = THREAD_PRIORITY_NORMAL) {
    ASSERT_TRUE(worker.Start(proc, &probe, priority));
    ASSERT_TRUE(probe.started.Lock(kWait));
  }

  Probe probe;
  CWorkerThread worker;
};

TEST_F(WorkerThread, RunsUntilStoppedAndReportsItsExitCode) {
  EXPECT_FALSE(worker.IsRunning());
  EXPECT_EQ(worker.Stop(kWait), CWorkerThread::kNotRunning);

  StartAndAwait(LoopUntilStopped);
  EXPECT_TRUE(worker.IsRunning());
  EXPECT_FALSE(worker.IsStopRequested());
  EXPECT_FALSE(worker.IsCurrentThread());
  EXPECT_FALSE(worker.Start(LoopUntilStopped, &probe)) << "a second thread while one runs";

  EXPECT_EQ(worker.Stop(kWait), CWorkerThread::kEnded);
  EXPECT_TRUE(probe.sawStop);
  EXPECT_FALSE(worker.IsRunning());
  EXPECT_EQ(worker.GetExitCode(), 42u);
  EXPECT_EQ(worker.Stop(kWait), CWorkerThread::kNotRunning);
}

TEST_F(WorkerThread, StartsAgainAfterAStopWithTheStopRequestCleared) {
  StartAndAwait(LoopUntilStopped);
  ASSERT_EQ(worker.Stop(kWait), CWorkerThread::kEnded);
  probe.started.ResetEvent();
  probe.sawStop = false;

  StartAndAwait(LoopUntilStopped);
  EXPECT_FALSE(worker.IsStopRequested());
  EXPECT_FALSE(worker.WaitForStop(0));
  EXPECT_TRUE(worker.IsRunning());
  EXPECT_EQ(worker.Stop(kWait), CWorkerThread::kEnded);
  EXPECT_TRUE(probe.sawStop);
}

TEST_F(WorkerThread, AThreadThatIgnoresTheStopIsReportedAsNotEndedInTime) {
  StartAndAwait(IgnoreStop);
  EXPECT_EQ(worker.Stop(20), CWorkerThread::kTimedOut);
  EXPECT_TRUE(worker.IsRunning());
  EXPECT_TRUE(worker.IsStopRequested());
  EXPECT_FALSE(worker.Start(IgnoreStop, &probe));

  probe.release.SetEvent();
  EXPECT_EQ(worker.Stop(kWait), CWorkerThread::kEnded);
  EXPECT_EQ(worker.GetExitCode(), 7u);
}

#ifdef _WIN32
TEST_F(WorkerThread, AThreadThatIgnoresTheStopIsTerminatedWithTheGivenCode) {
  StartAndAwait(IgnoreStop, THREAD_PRIORITY_BELOW_NORMAL);
  EXPECT_NE(worker.GetThreadId(), 0u);

  EXPECT_EQ(worker.StopOrTerminate(20, DWORD(-42)), CWorkerThread::kTerminated);
  EXPECT_FALSE(worker.IsRunning());
  EXPECT_EQ(worker.GetExitCode(), DWORD(-42));
  EXPECT_EQ(worker.GetThreadId(), 0u);
  EXPECT_EQ(worker.StopOrTerminate(20, DWORD(-42)), CWorkerThread::kNotRunning);
}
#endif

TEST_F(WorkerThread, AStopOnTheWorkerItselfOnlyRequestsIt) {
  StartAndAwait(StopItself);
  EXPECT_EQ(probe.stopResultOnWorker, CWorkerThread::kRequested);
  EXPECT_TRUE(probe.sawStop);

  EXPECT_EQ(worker.Stop(kWait), CWorkerThread::kEnded);
  EXPECT_FALSE(worker.IsRunning());
  EXPECT_EQ(worker.GetExitCode(), 3u);
}

TEST_F(WorkerThread, AFrameworkExceptionEndsTheThreadNotTheProcess) {
  ASSERT_TRUE(worker.Start(ThrowFrameworkException, nullptr));
  EXPECT_EQ(worker.Stop(kWait), CWorkerThread::kEnded);
  EXPECT_EQ(worker.GetExitCode(), DWORD(-1));
}

TEST_F(WorkerThread, DestroyedWhileRunningItStopsTheThreadFirst) {
  {
    CWorkerThread running;
    probe.worker = &running;
    ASSERT_TRUE(running.Start(LoopUntilStopped, &probe));
    ASSERT_TRUE(probe.started.Lock(kWait));
  }
  EXPECT_TRUE(probe.sawStop) << "the thread ended through the stop request, before the worker was gone";
}

}  // namespace
