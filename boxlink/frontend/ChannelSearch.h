// The search from the current channel for the next receivable one, on the
// variants whose driver object sweeps (IFESearchDriver): synchronously
// inside SearchNextChannel, or on the search worker, a thread started by the
// first asynchronous search and stopped by the destructor, so that it never
// outlives the front end whose driver it polls.
//
// Every poll sequence is bounded by the sweep ahead: a driver that never
// settles ends the search "not locked" once each of the sweep's steps has had
// its polls at the box's pacing (SearchLimitMs on the bus clock, or
// SearchLimitPolls polls, should the clock not move). StopSearch ends a
// synchronous search (from another thread) as well as the worker's.
//
// Locks: m_CS is held by whoever drives the driver (a synchronous search
// from start to end, the start of an asynchronous one, each pass of the
// worker), so the driver sees one search at a time. The search state is
// atomic and is read and changed without it: setting it away from 0 is how
// a caller ends the worker's search, which then lets go of m_CS after at
// most one poll.
#pragma once

#include "FrontendBus.h"
#include "FrontendTypes.h"
#include "SearchDriver.h"

#include <Framework.h>

#include <atomic>

class CFrontendCore;

class CChannelSearch {
 public:
  // Search states (GetSearchState).
  static constexpr DWORD kSearching = 0;  // an asynchronous search runs
  static constexpr DWORD kIdle = 1;       // ended without a channel, stopped, or no search possible
  static constexpr DWORD kFound = 2;      // the last search locked on a channel

  static constexpr DWORD kPollWaitMs = 100;    // asked of every PollLock
  static constexpr DWORD kSettlePauseMs = 50;  // before the confirming polls
  static constexpr int kConfirmPolls = 3;
  static constexpr DWORD kStopPauseMs = 100;  // StopSearch gives the worker this long
  // One step of a sweep: the longest path through a driver's search machine
  // is a dozen polls, each with its wait and up to ten box commands at the
  // box's 20 ms pacing.
  static constexpr DWORD kPollsPerStep = 12;
  static constexpr DWORD kCommandsPerPoll = 10;
  static constexpr DWORD kCommandPacingMs = 20;
  static constexpr DWORD kStepBudgetMs = kPollsPerStep * (kPollWaitMs + kCommandsPerPoll * kCommandPacingMs);
  // The bound of a search whose sweep has `steps` steps ahead (at least one).
  static DWORD SearchLimitMs(DWORD steps) { return (steps ? steps : 1) * kStepBudgetMs; }
  static DWORD SearchLimitPolls(DWORD steps) { return SearchLimitMs(steps) / kPollWaitMs; }
  // The worker notices a stop after its current poll.
  static constexpr DWORD kWorkerStopMs = 5000;

  CChannelSearch(CFrontendCore& frontend, IFrontendBus& bus);
  ~CChannelSearch();
  CChannelSearch(const CChannelSearch&) = delete;
  CChannelSearch& operator=(const CChannelSearch&) = delete;

  // wait non-zero: searches and returns kFound or kIdle. wait 0: starts the
  // search, hands it to the worker and returns kSearching (kIdle when the
  // variant cannot search).
  DWORD SearchNextChannel(DWORD parameter, int wait);
  // Ends an asynchronous search (and waits kStopPauseMs for the worker) or
  // a synchronous one running on another thread; does nothing (and does not
  // wait) otherwise.
  void StopSearch();
  DWORD GetSearchState() const { return m_dwSearchState; }

  // Where a variant's sweep starts from the current channel: its frequency,
  // and the oscillator of the satellite front end (variant 2); the cable
  // front ends sweep without one.
  static void StartPoint(DWORD variant, const frontendtypes::_CHANNEL_TYPE& channel, DWORD& frequency,
                         DWORD& localOscillator);

  // The worker: 1 started, 0 running already (or not startable); 1 stopped,
  // 0 none was running; running and not asked to stop.
  int StartThread(int priority);
  int StopThread(DWORD timeoutMs);
  int IsRunning();

 private:
  enum PollEnd {
    kSettled,        // the driver answered, and the confirming polls are done
    kTimedOut,       // the bound ran out with the driver still busy
    kStopped,        // stopped: the state left kSearching, or StopSearch ended a synchronous search
    kWorkerStopped,  // the worker was asked to stop (worker only)
  };

  static UINT WorkerThread(LPVOID self);
  // One pass of the worker: waits to be woken, then completes a pending
  // search. 0 ends the worker.
  int Run();
  // Polls until the driver settles, pauses, polls kConfirmPolls more times;
  // state is the last state polled. Under m_CS.
  PollEnd Poll(IFESearchDriver& driver, bool onWorker, WORD& state);
  // Collects the outcome, publishes it (unless the state has left `from`
  // meanwhile) and restores the driver's window; returns the outcome.
  DWORD Finish(IFESearchDriver& driver, PollEnd end, WORD state, DWORD from);

  CFrontendCore& m_frontend;
  IFrontendBus& m_bus;
  std::atomic<DWORD> m_dwSearchState{kFound};
  std::atomic<bool> m_bSyncSearching{false};  // a synchronous search polls
  std::atomic<bool> m_bStopSync{false};       // StopSearch asked it to end
  CCriticalSection m_CS;  // the driver's search, see above
  CEvent m_evSearch;      // auto-reset: wakes the worker
  CWorkerThread m_worker;
};
