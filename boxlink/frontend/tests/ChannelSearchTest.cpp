// The channel search through the front end's dispatch: on the simulated
// box-firmware variants (which cannot search) end to end, and on a variant
// that searches with a stand-in for its driver object's search operations,
// synchronously and on the search worker, with stops, the bound of a driver
// that never settles and the front end destroyed in the middle of a search.
#include "FrontendRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

typedef CChannelSearch S;

// Only keeps a broken build from hanging; never reached when things work.
const DWORD kFailsafeMs = 20000;

// What the test keeps of a search driver's life; outlives the driver, which
// the front end owns. The log has one letter per call: S SetSearchStart,
// B StartSearch, P PollLock, G GetSearchResult, R ResetSearchRange.
struct SearchScript {
  std::vector<WORD> answers;           // the polls' states in turn; the last repeats (none: 0)
  bool pollsTakeTime = true;           // each poll pauses its wait on the virtual clock
  std::atomic<bool> holdPolls{false};  // each poll waits for pollGo
  std::function<void()> onPoll;        // runs inside each poll
  DWORD steps = 3;                     // the sweep's steps ahead, as the driver reports them

  CCriticalSection lock;
  std::string log;
  std::atomic<size_t> polls{0};
  DWORD start[3] = {};
  std::vector<DWORD> waits;

  CEvent pollArrived;            // a held poll waits
  CEvent pollGo;                 // lets one held poll return
  CEvent finished{FALSE, TRUE};  // ResetSearchRange ran
  std::atomic<bool> driverDeleted{false};
  std::atomic<bool> deletedDuringPoll{false};

  void Note(char call) {
    CSingleLock hold(&lock, TRUE);
    log += call;
  }
  std::string Log() {
    CSingleLock hold(&lock, TRUE);
    return log;
  }
  size_t Polls() const { return polls; }
};

class ScriptedSearchDriver final : public IFESearchDriver {
 public:
  ScriptedSearchDriver(SearchScript& script, CSimClock& clock) : m_script(script), m_clock(clock) {}
  ~ScriptedSearchDriver() override {
    m_script.deletedDuringPoll = m_inPoll.load();
    m_script.driverDeleted = true;
    m_script.pollArrived.SetEvent();
  }

  WORD SetSearchStart(DWORD frequency, DWORD parameter, DWORD localOscillator) override {
    m_script.Note('S');
    m_script.start[0] = frequency;
    m_script.start[1] = parameter;
    m_script.start[2] = localOscillator;
    return 0;
  }
  WORD StartSearch() override {
    m_script.Note('B');
    return 0;
  }
  WORD PollLock(WORD& state, DWORD waitMs) override {
    m_inPoll = true;
    size_t n = m_script.polls++;
    m_script.Note('P');
    {
      CSingleLock hold(&m_script.lock, TRUE);
      m_script.waits.push_back(waitMs);
    }
    if (m_script.holdPolls) {
      m_script.pollArrived.SetEvent();
      m_script.pollGo.Lock(kFailsafeMs);
    }
    if (m_script.onPoll) m_script.onPoll();
    const std::vector<WORD>& a = m_script.answers;
    state = a.empty() ? 0 : a[std::min(n, a.size() - 1)];
    if (m_script.pollsTakeTime) m_clock.Advance(waitMs);
    m_inPoll = false;
    return 0;
  }
  DWORD SweepSteps() override { return m_script.steps; }
  WORD GetSearchResult() override {
    m_script.Note('G');
    return 0;
  }
  void ResetSearchRange() override {
    m_script.Note('R');
    m_script.finished.SetEvent();
  }

 private:
  SearchScript& m_script;
  CSimClock& m_clock;
  std::atomic<bool> m_inPoll{false};
};

// A satellite front end (variant 2) with the scripted driver as its search
// driver object.
struct SearchRig : FrontendRig {
  explicit SearchRig(SearchScript& script) : FrontendRig(2) {
    EXPECT_EQ(fe.Init(), DVB_ERR_NONE);
    fe.SetSearchDriver(std::unique_ptr<IFESearchDriver>(new ScriptedSearchDriver(script, w.clock)));
  }
};

std::string Polls(size_t n) { return std::string(n, 'P'); }

TEST(ChannelSearch, SynchronousSearchOutcomes) {
  struct Case {
    std::vector<WORD> answers;
    DWORD state;
    std::string log;
  } cases[] = {
      // Busy until the driver locks, then three confirming polls.
      {{0, 0, 2}, S::kFound, "SB" + Polls(3) + Polls(3) + "GR"},
      {{1}, S::kIdle, "SB" + Polls(1) + Polls(3) + "GR"},
      {{3}, S::kIdle, "SB" + Polls(1) + Polls(3) + "GR"},
      // The last confirming poll decides.
      {{0, 2, 2, 2, 1}, S::kIdle, "SB" + Polls(2) + Polls(3) + "GR"},
      {{0, 1, 1, 1, 2}, S::kFound, "SB" + Polls(2) + Polls(3) + "GR"},
  };
  for (const Case& c : cases) {
    SearchScript script;
    script.answers = c.answers;
    SearchRig r(script);
    const double before = r.w.clock.Now();
    EXPECT_EQ(r.fe.SearchNextChannel(7, 1), c.state);
    EXPECT_EQ(r.fe.GetSearchState(), c.state);
    EXPECT_EQ(script.Log(), c.log);
    EXPECT_EQ(script.start[1], 7u);  // the search parameter, as the caller gave it
    for (DWORD w : script.waits) EXPECT_EQ(w, S::kPollWaitMs);
    EXPECT_DOUBLE_EQ(r.w.clock.Now() - before, script.Polls() * 100.0 + S::kSettlePauseMs);
    EXPECT_FALSE(r.fe.Search().IsRunning());  // no worker for a synchronous search
  }
}

TEST(ChannelSearch, SweepStartsFromTheCurrentChannel) {
  const frontendtypes::_CHANNEL_TYPE satellite = {11778000, 2, 27500000, 10600000, 1, 18, 3};
  const frontendtypes::_CHANNEL_TYPE cable = {346000, 0, 6900000, 2, 2, 0, 0};
  struct Case {
    DWORD variant;
    const frontendtypes::_CHANNEL_TYPE& channel;
    DWORD frequency, localOscillator;
  } cases[] = {
      {2, satellite, 11778000, 10600000},
      {3, cable, 346000, 0},
      {4, cable, 346000, 0},
  };
  for (const Case& c : cases) {
    DWORD frequency = 0, lo = 1;
    S::StartPoint(c.variant, c.channel, frequency, lo);
    EXPECT_EQ(frequency, c.frequency) << c.variant;
    EXPECT_EQ(lo, c.localOscillator) << c.variant;
  }
}

TEST(ChannelSearch, DriverThatNeverSettlesEndsNotLockedAtTheBound) {
  // The bound follows the sweep ahead: each step its polls at the box's
  // pacing. A driver whose polls pause as asked runs out the time; one whose
  // polls take no time at all runs out the polls.
  EXPECT_EQ(S::SearchLimitMs(0), S::SearchLimitMs(1));
  EXPECT_EQ(S::SearchLimitMs(40), 40 * S::SearchLimitMs(1));
  for (DWORD steps : {1u, 40u}) {
    for (bool pollsTakeTime : {true, false}) {
      for (int wait : {1, 0}) {
        SearchScript script;
        script.steps = steps;
        script.pollsTakeTime = pollsTakeTime;
        SearchRig r(script);
        const double before = r.w.clock.Now();
        DWORD state = r.fe.SearchNextChannel(0, wait);
        if (!wait) {
          EXPECT_EQ(state, S::kSearching);
          ASSERT_TRUE(script.finished.Lock(kFailsafeMs));
          state = r.fe.GetSearchState();
        }
        const DWORD limitPolls = S::SearchLimitPolls(steps), limitMs = S::SearchLimitMs(steps);
        EXPECT_EQ(state, S::kIdle) << pollsTakeTime << wait;
        EXPECT_EQ(script.Polls(), size_t(limitPolls)) << steps << pollsTakeTime << wait;
        // No confirming polls: the search ends not locked and restores the window.
        EXPECT_EQ(script.Log(), "SB" + Polls(limitPolls) + "GR");
        const double elapsed = r.w.clock.Now() - before;
        if (pollsTakeTime) {
          EXPECT_GE(elapsed, double(limitMs));
          EXPECT_LT(elapsed, double(limitMs + S::kPollWaitMs));
        }
      }
    }
  }
}

TEST(ChannelSearch, StopSearchEndsASynchronousSearch) {
  SearchScript script;  // busy for ever
  script.holdPolls = true;
  script.steps = 1000;
  SearchRig r(script);
  DWORD state = 99;
  std::thread caller([&] { state = r.fe.SearchNextChannel(0, 1); });
  ASSERT_TRUE(script.pollArrived.Lock(kFailsafeMs));
  r.fe.StopSearch();
  script.holdPolls = false;
  script.pollGo.SetEvent();
  caller.join();
  EXPECT_EQ(state, S::kIdle);
  EXPECT_EQ(r.fe.GetSearchState(), S::kIdle);
  // The poll under way ends, then the driver's search is collected.
  EXPECT_EQ(script.Log(), "SBPGR");

  // A stop that came before the next search does not end it.
  script.answers = {2};
  EXPECT_EQ(r.fe.SearchNextChannel(0, 1), S::kFound);
}

TEST(ChannelSearch, AsynchronousSearchCompletesOnTheWorker) {
  SearchScript script;
  script.answers = {0, 0, 0, 2};
  SearchRig r(script);
  EXPECT_FALSE(r.fe.Search().IsRunning());
  EXPECT_EQ(r.fe.SearchNextChannel(3, 0), S::kSearching);
  ASSERT_TRUE(script.finished.Lock(kFailsafeMs));
  EXPECT_EQ(r.fe.GetSearchState(), S::kFound);
  EXPECT_EQ(script.Log(), "SB" + Polls(4) + Polls(3) + "GR");
  EXPECT_TRUE(r.fe.Search().IsRunning());  // started by the first asynchronous search, and kept

  // The next asynchronous search runs on the same worker.
  script.finished.ResetEvent();
  script.answers = {1};
  EXPECT_EQ(r.fe.Search().StartThread(THREAD_PRIORITY_NORMAL), 0);
  EXPECT_EQ(r.fe.SearchNextChannel(3, 0), S::kSearching);
  ASSERT_TRUE(script.finished.Lock(kFailsafeMs));
  EXPECT_EQ(r.fe.GetSearchState(), S::kIdle);

  EXPECT_EQ(r.fe.Search().StopThread(S::kWorkerStopMs), 1);
  EXPECT_FALSE(r.fe.Search().IsRunning());
  EXPECT_EQ(r.fe.Search().StopThread(S::kWorkerStopMs), 0);
}

TEST(ChannelSearch, StopSearchEndsTheWorkersSearch) {
  SearchScript script;
  script.holdPolls = true;
  SearchRig r(script);

  // Nothing runs yet: a stop changes nothing and does not wait.
  double before = r.w.clock.Now();
  r.fe.StopSearch();
  EXPECT_EQ(r.fe.GetSearchState(), S::kFound);
  EXPECT_DOUBLE_EQ(r.w.clock.Now(), before);

  ASSERT_EQ(r.fe.SearchNextChannel(0, 0), S::kSearching);
  ASSERT_TRUE(script.pollArrived.Lock(kFailsafeMs));
  before = r.w.clock.Now();
  r.fe.StopSearch();
  EXPECT_EQ(r.fe.GetSearchState(), S::kIdle);
  EXPECT_DOUBLE_EQ(r.w.clock.Now() - before, S::kStopPauseMs);
  script.pollGo.SetEvent();
  ASSERT_TRUE(script.finished.Lock(kFailsafeMs));
  // The poll under way ends, then the driver's search is collected.
  EXPECT_EQ(script.Log(), "SBPGR");
  EXPECT_EQ(r.fe.GetSearchState(), S::kIdle);
}

TEST(ChannelSearch, NewSearchEndsTheOneOnTheWorker) {
  SearchScript script;
  script.answers = {0, 2};
  script.holdPolls = true;
  SearchRig r(script);
  ASSERT_EQ(r.fe.SearchNextChannel(0, 0), S::kSearching);
  ASSERT_TRUE(script.pollArrived.Lock(kFailsafeMs));

  // The synchronous search waits until the worker has let go of the driver.
  DWORD second = 99;
  std::thread caller([&] { second = r.fe.SearchNextChannel(0, 1); });
  // Its first step ends the worker's search; then it waits for the driver.
  while (r.fe.GetSearchState() == S::kSearching) std::this_thread::yield();
  script.holdPolls = false;
  script.pollGo.SetEvent();
  caller.join();
  EXPECT_EQ(second, S::kFound);
  EXPECT_EQ(script.Log(), "SBPGR" + std::string("SB") + Polls(4) + "GR");
  EXPECT_EQ(r.fe.GetSearchState(), S::kFound);
}

TEST(ChannelSearch, DestroyedDuringAsynchronousSearch) {
  SearchScript script;  // busy for ever
  script.holdPolls = true;
  auto rig = std::unique_ptr<SearchRig>(new SearchRig(script));
  ASSERT_EQ(rig->fe.SearchNextChannel(0, 0), S::kSearching);
  ASSERT_TRUE(script.pollArrived.Lock(kFailsafeMs));  // the worker is inside a poll

  std::thread destroyer([&] { rig.reset(); });
  // Let the worker's polls return one at a time until the front end has
  // deleted the driver: the worker must have ended before that.
  bool answered = true;
  while (answered && !script.driverDeleted) {
    script.pollGo.SetEvent();
    answered = script.pollArrived.Lock(kFailsafeMs) != FALSE;
  }
  destroyer.join();
  EXPECT_TRUE(answered);
  EXPECT_TRUE(script.driverDeleted);
  EXPECT_FALSE(script.deletedDuringPoll);
}

TEST(ChannelSearch, StopThreadOnTheWorkerItselfReturnsAtOnce) {
  SearchScript script;
  SearchRig r(script);
  std::atomic<int> fromWorker{-1};
  CEvent stopped;
  script.onPoll = [&] {
    if (fromWorker >= 0) return;
    fromWorker = r.fe.Search().StopThread(S::kWorkerStopMs);
    stopped.SetEvent();
  };
  ASSERT_EQ(r.fe.SearchNextChannel(0, 0), S::kSearching);
  ASSERT_TRUE(stopped.Lock(kFailsafeMs));
  // The worker ends after that poll, and its search with it; this only
  // collects the thread.
  EXPECT_EQ(r.fe.Search().StopThread(S::kWorkerStopMs), 0);
  EXPECT_EQ(fromWorker, 1);
  EXPECT_FALSE(r.fe.Search().IsRunning());
  EXPECT_EQ(script.Log(), "SBP");
  EXPECT_EQ(r.fe.GetSearchState(), S::kIdle);
}

// The cable front end (variant 3) on a band with transponders at 306, 346
// and 474 MHz, tuned to the first: its driver object sweeps the band.
struct BandRig : FrontendRig {
  BandRig() : FrontendRig(3) {
    SimAirSignal& air = ids.Air();
    air.present = true;
    air.freqKHz = 306000;
    air.moreKHz[0] = 346000;
    air.moreKHz[1] = 474000;
    air.symbolRate = 6900000;
    air.qamSize = 64;
    EXPECT_EQ(fe.Init(), DVB_ERR_NONE);
    EXPECT_EQ(fe.GetCapabilities() & 0x100, 0x100u);  // it can search
    EXPECT_EQ(fe.SetChannel({306000, 1, 6900000, frontendtypes::QAM_64, 2, 0, 0}), DVB_ERR_NONE);
  }
  DWORD Frequency() {
    frontendtypes::_CHANNEL_TYPE c = {};
    EXPECT_EQ(fe.GetChannel(c), DVB_ERR_NONE);
    return c.dwFrequency;
  }
  // Waits (real time, bounded) for the worker's search to end.
  DWORD AwaitSearch() {
    for (int i = 0; i < 20000 && fe.GetSearchState() == S::kSearching; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return fe.GetSearchState();
  }
};

const double kCaptureKHz = 6900.0 / 32;

TEST(ChannelSearch, SynchronousSearchFindsEachNextTransponderInOrder) {
  BandRig r;
  for (double next : {346000.0, 474000.0}) {
    EXPECT_EQ(r.fe.SearchNextChannel(500000, 1), S::kFound) << next;
    EXPECT_NEAR(double(r.Frequency()), next, kCaptureKHz) << next;
    int locked = -1;
    ASSERT_EQ(r.fe.GetState(locked, nullptr, nullptr), DVB_ERR_NONE);
    EXPECT_EQ(locked, 1) << next;
  }
  // None left below the end of the sweep.
  EXPECT_EQ(r.fe.SearchNextChannel(500000, 1), S::kIdle);
  EXPECT_EQ(r.fe.GetSearchState(), S::kIdle);
}

TEST(ChannelSearch, AsynchronousSearchFindsEachNextTransponderInOrder) {
  BandRig r;
  for (double next : {346000.0, 474000.0}) {
    EXPECT_EQ(r.fe.SearchNextChannel(0, 0), S::kSearching) << next;
    EXPECT_EQ(r.AwaitSearch(), S::kFound) << next;
    EXPECT_NEAR(double(r.Frequency()), next, kCaptureKHz) << next;
  }
}

TEST(ChannelSearch, StopSearchDuringASweep) {
  BandRig r;
  r.ids.Air().moreKHz[0] = r.ids.Air().moreKHz[1] = 0;  // nothing above
  EXPECT_EQ(r.fe.SearchNextChannel(0, 0), S::kSearching);
  r.fe.StopSearch();
  EXPECT_EQ(r.fe.GetSearchState(), S::kIdle);
  // The driver is free again: a new search runs (and finds nothing).
  EXPECT_EQ(r.fe.SearchNextChannel(400000, 1), S::kIdle);
}

TEST(ChannelSearch, DestroyedDuringASweep) {
  auto r = std::unique_ptr<BandRig>(new BandRig);
  r->ids.Air().moreKHz[0] = r->ids.Air().moreKHz[1] = 0;
  EXPECT_EQ(r->fe.SearchNextChannel(0, 0), S::kSearching);
  r.reset();  // stops the worker before the driver goes
}

TEST(ChannelSearch, VariantsThatCannotSearchLeaveTheTuningAlone) {
  struct Case {
    int variant;
    frontendtypes::_CHANNEL_TYPE channel;
  } cases[] = {
      {21, {11778000, 2, 27500000, 10600000, 1, 18, 3}},
      {22, {346000, 0, 6900000, 2, 2, 0, 0}},
      {23, {474000, 0, 0, 2, 0, 0, 0}},
      {0, {}},  // no front end
  };
  for (const Case& c : cases) {
    FrontendRig r(c.variant);
    r.Box().feAirFrequency = c.channel.dwFrequency;
    r.Box().feCaptureKHz = 500;
    r.fe.Init();
    if (c.variant > 20) {
      ASSERT_EQ(r.fe.SetChannel(c.channel), DVB_ERR_NONE);
    }
    const int tunes = r.Box().tunes;
    const double before = r.w.clock.Now();
    for (int wait : {1, 0}) {
      EXPECT_EQ(r.fe.SearchNextChannel(0, wait), S::kIdle) << c.variant;
      EXPECT_EQ(r.fe.GetSearchState(), S::kIdle);
    }
    r.fe.StopSearch();
    EXPECT_EQ(r.Box().tunes, tunes) << c.variant;
    EXPECT_EQ(memcmp(&r.fe.StoredChannel(), &c.channel, sizeof(c.channel)), 0) << c.variant;
    EXPECT_FALSE(r.fe.Search().IsRunning()) << c.variant;
    // Nothing waited: at most the read-back's status queries.
    EXPECT_LE(r.w.clock.Now() - before, 2.0 * CSimFrontendBus::kCommandPauseMs) << c.variant;
    if (c.variant > 20) {
      int locked = -1;
      ASSERT_EQ(r.fe.GetState(locked, nullptr, nullptr), DVB_ERR_NONE);
      EXPECT_EQ(locked, 1) << c.variant;  // still on the channel in the air
    }
  }

  FrontendRig closed(21);
  ASSERT_EQ(closed.fe.Init(), DVB_ERR_NONE);
  closed.w.bus.SetOpen(false);
  EXPECT_EQ(closed.fe.SearchNextChannel(0, 1), S::kIdle);
}

}  // namespace
