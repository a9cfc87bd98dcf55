// The portable PES handling: header and PTS reading, sequence headers, the
// stamping rules, the bounded packet queue and its drop log, and the state of
// a pin's wake event.
#include "DropLog.h"
#include "PacketQueue.h"
#include "PesBuilder.h"
#include "PesHeader.h"
#include "SequenceHeader.h"
#include "TimeStamper.h"
#include "WakeState.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

namespace {

CPesHeader Parsed(const Bytes& p, bool* ok = nullptr) {
  CPesHeader h;
  BOOL r = CPesHeader::Parse(p.data(), static_cast<LONG>(p.size()), &h);
  if (ok) *ok = r != FALSE;
  return h;
}

}  // namespace

TEST(PesHeader, ReadsHeaderLengthAndPts) {
  struct Row {
    pes::Options options;
    size_t payload;
    DWORD headerLength;
    bool hasPts;
    DWORD pts;
  } rows[] = {
      {{0xE0, false, 0, 0}, 100, 9, false, 0},
      {{0xE0, true, 0x12345678, 0}, 10, 14, true, 0x12345678},
      {{0xC0, true, 0x1FFFFFFFFull, 3}, 0, 17, true, 0xFFFFFFFF},  // bit 32 dropped
      {{0xC0, true, 0x100000001ull, 0}, 1, 14, true, 1},
      {{0xE0, true, 0xC0000000ull, 0}, 1, 14, true, 0xC0000000},  // bits 31-30 from byte 9
      {{0xE0, false, 0, 7}, 0, 16, false, 0},
  };
  for (const Row& r : rows) {
    Bytes p = pes::Make(r.options, Bytes(r.payload, 0x42));
    bool ok = false;
    CPesHeader h = Parsed(p, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(r.headerLength, h.HeaderLength());
    EXPECT_EQ(r.payload, h.PayloadLength());
    EXPECT_EQ(r.hasPts, h.HasPts() != FALSE);
    EXPECT_EQ(r.pts, h.Pts());
  }
}

TEST(PesHeader, RefusesPacketsShorterThanWhatTheyDeclare) {
  Bytes withPts = pes::VideoPts(90000, Bytes(4, 1));    // 18 bytes
  Bytes plain = pes::Video(Bytes(4, 1));                // 13 bytes
  Bytes stuffed = pes::Make({0xE0, false, 0, 20}, {});  // header 29 bytes
  struct Row {
    const char* what;
    const uint8_t* p;
    LONG cb;
  } rows[] = {
      {"null", nullptr, 20},
      {"negative length", plain.data(), -5},
      {"zero length", plain.data(), 0},
      {"cut before byte 8", plain.data(), 8},
      {"PTS flag, 13 bytes", withPts.data(), 13},
      {"header-data length past the end", stuffed.data(), 28},
  };
  for (const Row& r : rows) {
    CPesHeader h;
    EXPECT_FALSE(CPesHeader::Parse(r.p, r.cb, &h)) << r.what;
  }
  // Exactly as long as the header: a packet with an empty payload.
  bool ok = false;
  EXPECT_EQ(0u, Parsed(stuffed, &ok).PayloadLength());
  EXPECT_TRUE(ok);
}

TEST(SequenceHeader, ReadsTheFirstHeaderOutsideTheLastTwelveBytes) {
  Bytes seq = pes::SequenceHeader(720, 576, 3, 15000);
  Bytes buf = {0x00, 0x00, 0x01, 0xE0, 0x00, 0x00};
  buf.insert(buf.end(), seq.begin(), seq.end());
  buf.push_back(0x00);
  CSequenceHeader h;
  ASSERT_TRUE(CSequenceHeader::Find(buf.data(), static_cast<DWORD>(buf.size()), &h));
  EXPECT_EQ(720u, h.Width());
  EXPECT_EQ(576u, h.Height());
  EXPECT_EQ(3u, h.AspectCode());
  EXPECT_EQ(16u, h.AspectX());
  EXPECT_EQ(9u, h.AspectY());
  EXPECT_EQ(15000u * 400, h.BitRate());
  EXPECT_EQ(0, memcmp(seq.data(), h.Bytes(), 12));

  // A header that ends the buffer starts inside its last 12 bytes' window
  // boundary and is not searched.
  Bytes tail(6, 0xAA);
  tail.insert(tail.end(), seq.begin(), seq.end());
  EXPECT_FALSE(CSequenceHeader::Find(tail.data(), static_cast<DWORD>(tail.size()), &h));
  EXPECT_FALSE(CSequenceHeader::Find(seq.data(), 12, &h));
}

TEST(SequenceHeader, AspectCodeTwoIsFourByThree) {
  Bytes seq = pes::SequenceHeader(352, 288, 2, 5000);
  seq.push_back(0);
  CSequenceHeader h;
  ASSERT_TRUE(CSequenceHeader::Find(seq.data(), static_cast<DWORD>(seq.size()), &h));
  EXPECT_EQ(352u, h.Width());
  EXPECT_EQ(288u, h.Height());
  EXPECT_EQ(4u, h.AspectX());
  EXPECT_EQ(3u, h.AspectY());
}

// One row per fill: the PTS the taken packet carried (or none), and what
// the sample gets.
struct StampRow {
  bool video;
  bool hasPts;
  DWORD pts;
  bool stamped;
  int64_t time;
};

static void RunStamps(std::atomic<DWORD>& first, CTimeStamper& video, CTimeStamper& audio,
                      const std::vector<StampRow>& rows) {
  int n = 0;
  for (const StampRow& r : rows) {
    CTimeStamper& s = r.video ? video : audio;
    s.BeginFill();
    if (r.hasPts) s.OnPts(r.pts);
    int64_t t = -1;
    BOOL stamped = s.Stamp(&t);
    EXPECT_EQ(r.stamped, stamped != FALSE) << "row " << n;
    if (r.stamped) {
      EXPECT_EQ(r.time, t) << "row " << n;
    }
    n++;
  }
}

TEST(TimeStamper, StampsOnlyLaterPtsFromTheFirstAudioPts) {
  std::atomic<DWORD> first{77};
  CTimeStamper video(TRUE, &first);
  CTimeStamper audio(FALSE, &first);
  EXPECT_EQ(0u, first.load());  // the audio pin's construction clears it
  RunStamps(first, video, audio,
            {
                {true, true, 90000, false, 0},       // no first PTS yet: video unstamped
                {false, false, 0, false, 0},         // audio without PTS
                {false, true, 45000, true, 0},       // first audio PTS: time 0
                {true, true, 90000, false, 0},       // same PTS as before: unstamped
                {true, true, 93600, true, 5400000},  // (93600-45000)*1000/9
                {true, false, 0, false, 0},          // no PTS: unstamped, current kept
                {true, true, 93600, false, 0},       // equal to current
                {true, true, 90001, false, 0},       // smaller
                {true, true, 97200, true, 5800000},
                {false, true, 45001, true, 111},  // 1000/9 rounded toward zero
                {false, true, 45000, false, 0},
            });
  EXPECT_EQ(45000u, first.load());
}

TEST(TimeStamper, WrapsModuloTwoToThe32) {
  std::atomic<DWORD> first{0};
  CTimeStamper video(TRUE, &first);
  CTimeStamper audio(FALSE, &first);
  RunStamps(first, video, audio,
            {
                {false, true, 0xFFFFFF00u, true, 0},
                {false, true, 0x00000100u, false, 0},  // wrapped: not greater than the previous
                {false, true, 0x00000200u, true, static_cast<int64_t>(0x300ull * 1000 / 9)},
                {true, true, 0x00000010u, true, static_cast<int64_t>(0x110ull * 1000 / 9)},
                // A video PTS before the first audio PTS wraps to a large time.
                {true, true, 0xFFFFFE00u, true, static_cast<int64_t>(0xFFFFFF00ull * 1000 / 9)},
            });
}

TEST(TimeStamper, ResetClearsPtsAndTheAudioPinClearsTheFirst) {
  std::atomic<DWORD> first{0};
  CTimeStamper video(TRUE, &first);
  CTimeStamper audio(FALSE, &first);
  audio.OnPts(1000);
  video.OnPts(5000);
  video.Reset();
  EXPECT_EQ(1000u, first.load());
  EXPECT_EQ(0u, video.CurrentPts());
  audio.Reset();
  EXPECT_EQ(0u, first.load());
  EXPECT_EQ(0u, audio.CurrentPts());
  EXPECT_EQ(0u, audio.PreviousPts());
}

TEST(PacketQueue, TakesPayloadsInOrderWithTheirPts) {
  CPacketQueue q;
  Bytes a = pes::VideoPts(1234, {1, 2, 3});
  Bytes b = pes::Make({0xE0, false, 0, 4}, {4, 5});
  EXPECT_EQ(CPacketQueue::EPush::Queued, q.Push(a.data(), static_cast<LONG>(a.size())));
  EXPECT_EQ(CPacketQueue::EPush::Queued, q.Push(b.data(), static_cast<LONG>(b.size())));
  // The queue keeps its own copy.
  a.assign(a.size(), 0);
  EXPECT_EQ(2u, q.Count());
  EXPECT_EQ(a.size() + b.size(), q.Bytes());

  BYTE buf[16] = {};
  CPacketQueue::TakeResult r = q.TakeHead(buf, sizeof(buf));
  ASSERT_TRUE(r.bTaken);
  EXPECT_EQ(3u, r.cbPayload);
  EXPECT_TRUE(r.bHasPts);
  EXPECT_EQ(1234u, r.dwPts);
  EXPECT_EQ(Bytes({1, 2, 3}), Bytes(buf, buf + 3));
  r = q.TakeHead(buf, sizeof(buf));
  ASSERT_TRUE(r.bTaken);
  EXPECT_FALSE(r.bHasPts);
  EXPECT_EQ(Bytes({4, 5}), Bytes(buf, buf + r.cbPayload));
  EXPECT_FALSE(q.TakeHead(buf, sizeof(buf)).bTaken);
  EXPECT_EQ(0u, q.Bytes());
}

TEST(PacketQueue, DropsAPayloadTooLargeForTheBufferAndTakesTheNext) {
  CPacketQueue q;
  Bytes big = pes::VideoPts(100, Bytes(70000, 0x11));
  Bytes next = pes::VideoPts(200, Bytes(10, 0x22));
  q.Push(big.data(), static_cast<LONG>(big.size()));
  q.Push(next.data(), static_cast<LONG>(next.size()));
  std::vector<BYTE> buf(65535);
  CPacketQueue::TakeResult r = q.TakeHead(buf.data(), static_cast<DWORD>(buf.size()));
  ASSERT_TRUE(r.bTaken);
  EXPECT_EQ(1u, r.cDropped);
  EXPECT_EQ(200u, r.dwPts);  // the dropped packet's PTS is not used
  EXPECT_EQ(10u, r.cbPayload);
  EXPECT_EQ(1u, q.Dropped(EDropCause::Oversized));
  EXPECT_EQ(0u, q.Count());

  q.Push(big.data(), static_cast<LONG>(big.size()));
  r = q.TakeHead(buf.data(), static_cast<DWORD>(buf.size()));
  EXPECT_FALSE(r.bTaken);
  EXPECT_EQ(1u, r.cDropped);
  EXPECT_EQ(0u, q.Count());
}

TEST(PacketQueue, RefusesMalformedPackets) {
  CPacketQueue q;
  Bytes ptsCut = pes::VideoPts(1, {});
  EXPECT_EQ(CPacketQueue::EPush::Malformed, q.Push(ptsCut.data(), 13));
  EXPECT_EQ(CPacketQueue::EPush::Malformed, q.Push(ptsCut.data(), 0));
  EXPECT_EQ(CPacketQueue::EPush::Malformed, q.Push(ptsCut.data(), -1));
  EXPECT_EQ(CPacketQueue::EPush::Malformed, q.Push(nullptr, 100));
  EXPECT_EQ(0u, q.Count());
  EXPECT_EQ(4u, q.Dropped(EDropCause::Malformed));
}

TEST(PacketQueue, FullQueueDropsItsOldestPackets) {
  struct Row {
    size_t maxPackets, maxBytes, pushes, payload;
    size_t expectCount, expectDropped;
  } rows[] = {
      {4, 1 << 20, 10, 1, 4, 6},  // packet bound
      {1000, 100, 10, 11, 5, 5},  // byte bound: 20-byte packets, 5 fit
      {1000, 10, 3, 20, 1, 2},    // a packet larger than the byte bound still queues alone
  };
  for (const Row& r : rows) {
    CPacketQueue q(r.maxPackets, r.maxBytes);
    for (size_t i = 0; i < r.pushes; i++) {
      Bytes p = pes::Video(Bytes(r.payload, static_cast<uint8_t>(i)));
      q.Push(p.data(), static_cast<LONG>(p.size()));
    }
    EXPECT_EQ(r.expectCount, q.Count());
    EXPECT_EQ(r.expectDropped, q.Dropped(EDropCause::Overflow));
    // The newest packets survive.
    std::vector<BYTE> buf(64);
    CPacketQueue::TakeResult t = q.TakeHead(buf.data(), static_cast<DWORD>(buf.size()));
    ASSERT_TRUE(t.bTaken);
    EXPECT_EQ(r.pushes - r.expectCount, buf[0]);
  }
  EXPECT_GT(CPacketQueue::kMaxPackets, 101u * 10);
}

TEST(PacketQueue, FindsTheOldestQueuedSequenceHeader) {
  CPacketQueue q;
  BYTE buf[64];
  CSequenceHeader h;
  EXPECT_FALSE(q.FindSequenceHeader(&h));
  Bytes none = pes::Video(Bytes(40, 0));
  Bytes first = pes::Video(pes::SequenceHeader(720, 576, 3, 100));
  first.push_back(0);  // the header must start before the last 12 bytes
  Bytes second = pes::Video(pes::SequenceHeader(352, 288, 2, 100));
  second.push_back(0);
  q.Push(none.data(), static_cast<LONG>(none.size()));
  q.Push(first.data(), static_cast<LONG>(first.size()));
  q.Push(second.data(), static_cast<LONG>(second.size()));
  ASSERT_TRUE(q.FindSequenceHeader(&h));
  EXPECT_EQ(720u, h.Width());
  q.TakeHead(buf, sizeof(buf));
  q.TakeHead(buf, sizeof(buf));
  ASSERT_TRUE(q.FindSequenceHeader(&h));
  EXPECT_EQ(352u, h.Width());
  q.Clear();
  EXPECT_FALSE(q.FindSequenceHeader(&h));
}

TEST(DropLog, LogsEachCauseOnItsFirstDropThenOncePerThousand) {
  using Lines = std::vector<std::string>;
  struct Row {
    EDropCause cause;
    size_t count;
    Lines expect;  // the lines due after this count
  } rows[] = {
      {EDropCause::Malformed, 1, {"heron: Video pin dropped a malformed packet (1 so far)\n"}},
      {EDropCause::Malformed, 998, {}},
      {EDropCause::Malformed, 1, {}},  // 1000: only 999 since the last line
      {EDropCause::Malformed, 1, {"heron: Video pin dropped a malformed packet (1001 so far)\n"}},
      // Each cause has its own count and throttle.
      {EDropCause::Overflow, 5, {"heron: Video pin dropped its oldest packet: queue full (5 so far)\n"}},
      {EDropCause::Oversized, 1, {"heron: Video pin dropped a payload larger than its buffer (1 so far)\n"}},
      {EDropCause::NoMemory, 1, {}},  // counted, dropped in silence
      {EDropCause::Overflow, 999, {}},
      {EDropCause::Overflow, 1, {"heron: Video pin dropped its oldest packet: queue full (1005 so far)\n"}},
      {EDropCause::Oversized, 0, {}},
  };
  CDropLog log;
  for (const Row& row : rows) {
    log.Count(row.cause, row.count);
    Lines lines;
    log.LogDue(L"Video", [&](const char* line) { lines.push_back(line); });
    EXPECT_EQ(row.expect, lines) << "after " << row.count << " more of cause " << static_cast<int>(row.cause);
  }
  EXPECT_EQ(1001u, log.Dropped(EDropCause::Malformed));
  EXPECT_EQ(1005u, log.Dropped(EDropCause::Overflow));
  EXPECT_EQ(1u, log.Dropped(EDropCause::Oversized));
  EXPECT_EQ(1u, log.Dropped(EDropCause::NoMemory));
}

TEST(DropLog, TheQueueCountsItsDropsIntoIt) {
  CPacketQueue q(1, 1 << 20);
  Bytes p = pes::Video(Bytes(4, 0));
  q.Push(p.data(), 3);  // cut inside its header
  q.Push(p.data(), static_cast<LONG>(p.size()));
  q.Push(p.data(), static_cast<LONG>(p.size()));
  std::vector<std::string> lines;
  q.Drops().LogDue(L"Audio", [&](const char* line) { lines.push_back(line); });
  EXPECT_EQ((std::vector<std::string>{"heron: Audio pin dropped its oldest packet: queue full (1 so far)\n",
                                      "heron: Audio pin dropped a malformed packet (1 so far)\n"}),
            lines);
}

// The pin keeps its auto-reset wake event's state beside the queue and
// touches the event only when its thread sleeps on it. Each case is a run of
// steps with what an auto-reset event would give: a push past the threshold
// (Signal: true when the event must be set for a sleeping thread), a take
// that must wait (BeginWait: true when it goes on at once), the end of that
// wait (EndWait with whether the event woke it: true when the event was left
// set and must be cleared) and a reset (Clear).
TEST(WakeState, BehavesAsTheAutoResetEventItStandsFor) {
  enum Op { Signal, BeginWait, EndWoken, EndTimedOut, Clear };
  struct Step {
    Op op;
    bool result;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    bool pendingAtEnd;
  } cases[] = {
      {"a wake nobody waited for lets the next waiting take go on at once, once",
       {{Signal, false}, {BeginWait, true}, {BeginWait, false}, {EndTimedOut, false}},
       false},
      {"several wakes while nobody waits are one set event",
       {{Signal, false}, {Signal, false}, {BeginWait, true}, {BeginWait, false}, {EndTimedOut, false}},
       false},
      {"a push during the wait sets the event, and the wait consumes it",
       {{BeginWait, false}, {Signal, true}, {EndWoken, false}},
       false},
      {"pushes after the wake that woke the thread leave the event set",
       {{BeginWait, false}, {Signal, true}, {Signal, false}, {EndWoken, false}, {BeginWait, true}},
       false},
      {"a wait that times out with no push leaves nothing set",
       {{BeginWait, false}, {EndTimedOut, false}, {BeginWait, false}, {EndTimedOut, false}},
       false},
      {"a push between a timed-out wait and its end leaves the event set",
       {{BeginWait, false}, {Signal, true}, {EndTimedOut, true}},
       true},
      {"a reset drops a pending wake",
       {{Signal, false}, {Clear, false}, {BeginWait, false}, {EndTimedOut, false}},
       false},
  };
  for (const Case& c : cases) {
    CWakeState wake;
    for (size_t i = 0; i < c.steps.size(); i++) {
      const Step& step = c.steps[i];
      bool got = false;
      switch (step.op) {
        case Signal: got = wake.Signal(); break;
        case BeginWait: got = wake.BeginWait(); break;
        case EndWoken: got = wake.EndWait(true); break;
        case EndTimedOut: got = wake.EndWait(false); break;
        case Clear: wake.Clear(); break;
      }
      EXPECT_EQ(step.result, got) << c.name << ", step " << i;
    }
    EXPECT_EQ(c.pendingAtEnd, wake.Pending()) << c.name;
  }
}
