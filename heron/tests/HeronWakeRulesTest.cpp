// The pins' take and wake thresholds in a running graph. The sink holds each
// sample in its Receive while the test pushes, so the streaming thread stands
// still until the burst has landed, and the queue holds exactly what the test
// pushed when the thread goes on; the arrival times then tell which takes
// waited out the limit.
#include "HeronRig.h"
#include "PesBuilder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Bytes = std::vector<uint8_t>;

// A take that waits for a wake gives up after 1000 ms and takes what is
// there. Such a take arrives at least that long after the one before it; a
// take that did not wait arrives within microseconds. Arrivals are told
// apart at this point, far from both.
constexpr double kWaitedMs = 900;

// One pin and its rules: a take waits while fewer than takeAtLeast packets
// are queued; a push that leaves more than wakeAbove queued wakes it.
struct Pin {
  const char* name;
  size_t takeAtLeast;
  size_t wakeAbove;
  Bytes (*packet)(const Bytes& payload);
  void (CHeronRig::*push)(const Bytes&);
  ITestSinkLog* (CHeronRig::*log)();
  ITestSinkHold* (CHeronRig::*hold)();
};

const Pin kPins[] = {
    {"video", 11, 101, &pes::Video, &CHeronRig::PushVideo, &CHeronRig::VideoLog, &CHeronRig::VideoHold},
    {"audio", 3, 26, &pes::Audio, &CHeronRig::PushAudio, &CHeronRig::AudioLog, &CHeronRig::AudioHold},
};

// Feeds one pin packets numbered from 0; each payload is its number, which
// the sink records as the sample's tag.
class CPinFeed {
 public:
  CPinFeed(CHeronRig& rig, const Pin& pin) : m_rig(rig), m_pin(pin) {}

  const Pin& pin() const { return m_pin; }
  ITestSinkLog* Log() { return (m_rig.*m_pin.log)(); }
  ITestSinkHold* Hold() { return (m_rig.*m_pin.hold)(); }

  void Push(size_t count) {
    for (size_t i = 0; i < count; i++) {
      Bytes number(4);
      memcpy(number.data(), &m_pushed, 4);
      (m_rig.*m_pin.push)(m_pin.packet(number));
      m_pushed++;
    }
  }

  // Sample index as the sink recorded it, waiting up to 10 s for it.
  bool Sample(LONG index, TestSinkSample* sample) {
    return Log()->WaitForSamples(index + 1, 10000) == S_OK && Log()->GetSample(index, sample, nullptr, 0) == S_OK;
  }

 private:
  CHeronRig& m_rig;
  const Pin& m_pin;
  DWORD m_pushed = 0;
};

LONGLONG Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t.QuadPart;
}

double MsBetween(LONGLONG from, LONGLONG to) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(to - from) * 1000.0 / static_cast<double>(f.QuadPart);
}

// Both pins connected, both sinks holding, and each queue prefilled with
// takeAtLeast packets, so that the first take of the run need not wait.
void StartHeld(CHeronRig& rig, CPinFeed* feeds) {
  ASSERT_EQ(S_OK, rig.ConnectVideo());
  ASSERT_EQ(S_OK, rig.ConnectAudio());
  for (int i = 0; i < 2; i++) {
    ASSERT_EQ(S_OK, feeds[i].Hold()->SetHold(TRUE));
    feeds[i].Push(feeds[i].pin().takeAtLeast);
  }
  ASSERT_EQ(S_OK, rig.Graph().Run());
}

}  // namespace

// A burst that lands while the pin stands still is taken at once down to
// takeAtLeast - 1 packets; when a push of the burst passed the wake
// threshold, the wake stays set and lets one more take go at once. The take
// after those waits out the limit, unless a push past the wake threshold
// wakes it.
TEST(HeronWakeRules, ALandedBurstIsTakenAtOnceDownToTheTakeThreshold) {
  struct Row {
    size_t queued;  // when the held sample goes on
    size_t atOnce;  // samples that follow without a wait
  };
  const struct {
    const char* what;
    Row rows[2];  // video, audio
  } runs[] = {
      {"below the wake threshold", {{50, 40}, {20, 18}}},
      {"at the wake threshold", {{101, 91}, {26, 24}}},
      {"one past the wake threshold", {{102, 93}, {27, 26}}},
  };
  for (const auto& run : runs) {
    SCOPED_TRACE(run.what);
    CHeronRig rig;
    CPinFeed feeds[2] = {{rig, kPins[0]}, {rig, kPins[1]}};
    StartHeld(rig, feeds);
    if (HasFatalFailure()) return;
    // Sample 0 is held in the sink; takeAtLeast - 1 packets stay queued.
    for (int i = 0; i < 2; i++) {
      ASSERT_EQ(S_OK, feeds[i].Log()->WaitForSamples(1, 10000)) << feeds[i].pin().name;
      feeds[i].Push(run.rows[i].queued - (feeds[i].pin().takeAtLeast - 1));
    }
    const LONGLONG released = Now();
    for (CPinFeed& feed : feeds) feed.Hold()->SetHold(FALSE);

    for (int i = 0; i < 2; i++) {
      CPinFeed& feed = feeds[i];
      const Row& row = run.rows[i];
      const LONG waited = static_cast<LONG>(row.atOnce) + 1;
      TestSinkSample s;
      for (LONG k = 1; k <= waited; k++) {
        ASSERT_TRUE(feed.Sample(k, &s)) << feed.pin().name << " sample " << k;
        EXPECT_EQ(static_cast<DWORD>(k), s.dwTag) << feed.pin().name;
        if (k < waited)
          EXPECT_LT(MsBetween(released, s.llArrival), kWaitedMs) << feed.pin().name << " sample " << k << " waited";
        else
          EXPECT_GE(MsBetween(released, s.llArrival), kWaitedMs)
              << feed.pin().name << " sample " << k << " did not wait";
      }
    }
    // Each pin waits again now, below its take threshold: a push that leaves
    // one more than wakeAbove queued wakes it.
    for (int i = 0; i < 2; i++) {
      CPinFeed& feed = feeds[i];
      const size_t left = run.rows[i].queued - run.rows[i].atOnce - 1;
      feed.Push(feed.pin().wakeAbove + 1 - left);
      const LONGLONG pushed = Now();
      TestSinkSample s;
      const LONG next = static_cast<LONG>(run.rows[i].atOnce) + 2;
      ASSERT_TRUE(feed.Sample(next, &s)) << feed.pin().name;
      EXPECT_EQ(static_cast<DWORD>(next), s.dwTag) << feed.pin().name;
      EXPECT_LT(MsBetween(pushed, s.llArrival), kWaitedMs) << feed.pin().name << " was not woken";
    }
    ASSERT_EQ(S_OK, rig.Graph().Stop());
  }
}

// A feeder that pushes each packet only once the pin has delivered the one
// before is never ahead of the pin: every take finds exactly takeAtLeast
// packets and goes on at once, but when the feed ends, the takeAtLeast - 1
// packets still queued come out one per wait limit (10 s for the video
// pin's last 10), and then the stream ends.
TEST(HeronWakeRules, AFeederNoFasterThanThePinLeavesItsLastPacketsToTheWaitLimit) {
  constexpr LONG kFed = 20;
  CHeronRig rig;
  CPinFeed feeds[2] = {{rig, kPins[0]}, {rig, kPins[1]}};
  StartHeld(rig, feeds);
  if (HasFatalFailure()) return;
  for (CPinFeed& feed : feeds) {
    LONGLONG passed = 0;
    for (LONG k = 0; k < kFed; k++) {
      TestSinkSample s;
      ASSERT_TRUE(feed.Sample(k, &s)) << feed.pin().name << " sample " << k;  // held
      if (k > 0) {
        EXPECT_LT(MsBetween(passed, s.llArrival), kWaitedMs) << feed.pin().name << " sample " << k;
      }
      feed.Push(1);
      passed = Now();
      feed.Hold()->Pass(1);
    }
  }
  for (CPinFeed& feed : feeds) ASSERT_EQ(S_OK, feed.Log()->WaitForSamples(kFed + 1, 10000));
  const LONGLONG fedUntil = Now();
  for (CPinFeed& feed : feeds) feed.Hold()->SetHold(FALSE);

  for (CPinFeed& feed : feeds) {
    const LONG total = kFed + static_cast<LONG>(feed.pin().takeAtLeast);
    LONGLONG previous = fedUntil;
    for (LONG k = kFed + 1; k < total; k++) {
      TestSinkSample s;
      ASSERT_TRUE(feed.Sample(k, &s)) << feed.pin().name << " sample " << k;
      EXPECT_EQ(static_cast<DWORD>(k), s.dwTag) << feed.pin().name;
      EXPECT_GE(MsBetween(previous, s.llArrival), kWaitedMs) << feed.pin().name << " sample " << k;
      previous = s.llArrival;
    }
    // The queue is empty: the next take waits, finds nothing and ends the stream.
    EXPECT_EQ(S_OK, feed.Log()->WaitForEndOfStream(10000)) << feed.pin().name;
    LONG count = 0;
    feed.Log()->GetSampleCount(&count);
    EXPECT_EQ(total, count) << feed.pin().name;
  }
  ASSERT_EQ(S_OK, rig.Graph().Stop());
}
