#include "ChannelSearch.h"

#include "FrontendCore.h"
#include "WorkerLoop.h"

CChannelSearch::CChannelSearch(CFrontendCore& frontend, IFrontendBus& bus) : m_frontend(frontend), m_bus(bus) {}

// The worker polls the driver object, which goes with the front end.
CChannelSearch::~CChannelSearch() { StopThread(kWorkerStopMs); }

void CChannelSearch::StartPoint(DWORD variant, const frontendtypes::_CHANNEL_TYPE& channel, DWORD& frequency,
                                DWORD& localOscillator) {
  frequency = channel.dwFrequency;
  localOscillator = variant == 2 ? channel.dwParam3 : 0;
}

DWORD CChannelSearch::SearchNextChannel(DWORD parameter, int wait) {
  m_dwSearchState = kIdle;  // also ends a search the worker is polling
  CSingleLock hold(&m_CS, TRUE);
  frontendtypes::_CHANNEL_TYPE channel;
  if (m_frontend.GetChannel(channel) != DVB_ERR_NONE) return kIdle;
  IFESearchDriver* driver = m_frontend.SearchDriver();
  if (!driver) return kIdle;

  DWORD frequency = 0, localOscillator = 0;
  StartPoint(m_frontend.GetVariant(), channel, frequency, localOscillator);
  driver->SetSearchStart(frequency, parameter, localOscillator);
  driver->StartSearch();

  if (wait) {
    m_bStopSync = false;
    m_bSyncSearching = true;
    WORD state = 0;
    PollEnd end = Poll(*driver, false, state);
    m_bSyncSearching = false;
    return Finish(*driver, end, state, kIdle);
  }
  // Without a worker nobody would complete the search.
  if (!IsRunning() && !StartThread(THREAD_PRIORITY_NORMAL)) return Finish(*driver, kTimedOut, 0, kIdle);
  m_dwSearchState = kSearching;
  m_evSearch.SetEvent();
  return kSearching;
}

void CChannelSearch::StopSearch() {
  if (m_bSyncSearching) {
    m_bStopSync = true;  // seen after the poll under way
    return;
  }
  DWORD searching = kSearching;
  if (!m_dwSearchState.compare_exchange_strong(searching, kIdle)) return;
  m_evSearch.SetEvent();
  m_bus.Sleep(kStopPauseMs);
}

CChannelSearch::PollEnd CChannelSearch::Poll(IFESearchDriver& driver, bool onWorker, WORD& state) {
  auto interruption = [this, onWorker] {
    if (!onWorker) return m_bStopSync ? kStopped : kSettled;
    if (!IsRunning()) return kWorkerStopped;
    return m_dwSearchState == kSearching ? kSettled : kStopped;
  };
  const DWORD steps = driver.SweepSteps();
  const DWORD limitMs = SearchLimitMs(steps), limitPolls = SearchLimitPolls(steps);
  const DWORD start = m_bus.Now();
  DWORD polls = 0;
  for (;;) {
    state = 0;
    driver.PollLock(state, kPollWaitMs);
    ++polls;
    PollEnd end = interruption();
    if (end != kSettled) return end;
    if (state != 0) break;
    if (polls >= limitPolls || m_bus.Now() - start >= limitMs) return kTimedOut;
  }
  m_bus.Sleep(kSettlePauseMs);
  for (int i = 0; i < kConfirmPolls; ++i) {
    driver.PollLock(state, kPollWaitMs);
    PollEnd end = interruption();
    if (end != kSettled) return end;
  }
  return kSettled;
}

DWORD CChannelSearch::Finish(IFESearchDriver& driver, PollEnd end, WORD state, DWORD from) {
  driver.GetSearchResult();
  DWORD outcome = end == kSettled && state == 2 ? kFound : kIdle;
  // A stopped search keeps the state its stop gave it. The outcome is
  // published before the window is restored: a new search waits for m_CS
  // anyway.
  if (end != kStopped) m_dwSearchState.compare_exchange_strong(from, outcome);
  driver.ResetSearchRange();
  return outcome;
}

int CChannelSearch::StartThread(int priority) { return m_worker.Start(WorkerThread, this, priority) ? 1 : 0; }

int CChannelSearch::StopThread(DWORD timeoutMs) { return StopWorker(m_worker, timeoutMs, &m_evSearch); }

int CChannelSearch::IsRunning() { return IsWorkerRunning(m_worker); }

UINT CChannelSearch::WorkerThread(LPVOID self) {
  auto* search = static_cast<CChannelSearch*>(self);
  return RunUntilStopped(search->m_worker, [search] { return search->Run(); });
}

int CChannelSearch::Run() {
  m_evSearch.Lock(INFINITE);  // the stop sets it too
  if (!IsRunning()) {
    m_dwSearchState = kIdle;
    return 0;
  }
  CSingleLock hold(&m_CS, TRUE);
  IFESearchDriver* driver = m_frontend.SearchDriver();
  if (m_dwSearchState != kSearching || !driver) return 1;
  WORD state = 0;
  PollEnd end = Poll(*driver, true, state);
  if (end == kWorkerStopped) {
    m_dwSearchState = kIdle;
    return 0;
  }
  Finish(*driver, end, state, kSearching);
  return 1;
}
