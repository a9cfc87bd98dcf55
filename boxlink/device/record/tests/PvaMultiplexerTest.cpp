// The PES to PVA multiplexer: video and audio PES packets in, the exact PVA
// packets out and the order the scheduler releases them in, as tables of
// PES sequences; the same sequences across the timestamp's wrap; timeline
// restarts; full queues.
#include "PvaMultiplexer.h"

#include "PesTimestamp.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

// The player's sink is created and deleted through its own class.
static_assert(std::has_virtual_destructor<IPvaPacketSink>::value,
              "a sink deleted through its own class must not leave part of it undestroyed");

namespace {

const int64_t kNoPts = -1;
const uint64_t kPtsWrap = uint64_t(1) << 33;

struct Captured : IPvaPacketSink {
  std::vector<std::vector<BYTE>> packets;
  int ReleasePacket(BYTE* p, DWORD n) override {
    packets.emplace_back(p, p + n);
    return int(n);
  }
  // "V0 A0 V1": stream and counter of each packet released.
  std::string Order() const {
    std::string s;
    for (const auto& p : packets)
      s += std::string(s.empty() ? "" : " ") + (p[2] == 1 ? "V" : "A") + std::to_string(p[3]);
    return s;
  }
};

// Payload bytes without start codes or audio frame starts.
std::vector<BYTE> Body(size_t n, BYTE seed) {
  std::vector<BYTE> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = BYTE(0x10 + (seed + i * 3) % 0x60);
  return v;
}

std::vector<BYTE> Pes(BYTE stream, int64_t pts, const std::vector<BYTE>& payload) {
  std::vector<BYTE> p = {0, 0, 1, stream, 0, 0, 0x80, BYTE(pts >= 0 ? 0x80 : 0), BYTE(pts >= 0 ? 5 : 0)};
  if (pts >= 0) {
    BYTE field[5];
    pestimestamp::Encode(field, pestimestamp::kPrefixPtsOnly, uint64_t(pts));
    p.insert(p.end(), field, field + 5);
  }
  p.insert(p.end(), payload.begin(), payload.end());
  p[4] = BYTE((p.size() - 6) >> 8);
  p[5] = BYTE(p.size() - 6);
  return p;
}

std::vector<BYTE> Pva(BYTE stream, BYTE counter, BYTE flags, std::vector<BYTE> body) {
  std::vector<BYTE> p = {'A', 'V', stream, counter, 0x55, flags, BYTE(body.size() >> 8), BYTE(body.size())};
  p.insert(p.end(), body.begin(), body.end());
  return p;
}

std::vector<BYTE> Cat(std::initializer_list<std::vector<BYTE>> parts) {
  std::vector<BYTE> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

std::vector<BYTE> Slice(const std::vector<BYTE>& v, size_t from, size_t n) {
  return std::vector<BYTE>(v.begin() + from, v.begin() + from + n);
}

class MuxTest : public ::testing::Test {
 protected:
  void SetUp() override { mux.Reset(&out); }
  int Put(const std::vector<BYTE>& pes) { return mux.CutPes(pes.data(), DWORD(pes.size())); }
  std::vector<std::vector<BYTE>> Of(BYTE stream) const {
    std::vector<std::vector<BYTE>> r;
    for (const auto& p : out.packets)
      if (p[2] == stream) r.push_back(p);
    return r;
  }

  CPvaMultiplexer mux;
  Captured out;
};

TEST_F(MuxTest, VideoPesIsCutWithItsTailCarriedIntoTheNext) {
  // An audio PTS lets the video through as it comes.
  Put(Pes(0xC0, 0, Body(100, 1)));
  const std::vector<BYTE> first = Body(2986, 2), second = Body(1000, 3);
  Put(Pes(0xE0, 3600, first));  // 3,000 bytes in all
  Put(Pes(0xE0, 7200, second));
  const BYTE pts1[4] = {0, 0, 0x0E, 0x10}, pts2[4] = {0, 0, 0x1C, 0x20};
  const std::vector<std::vector<BYTE>> want = {
      Pva(1, 0, 0x10, Cat({{pts1, pts1 + 4}, Slice(first, 0, 1012)})),
      Pva(1, 1, 0x00, Slice(first, 1012, 1016)),
      Pva(1, 2, 0x08, Slice(first, 2028, 956)),  // 2 tail bytes follow
      // The next PES's first packet starts with the 2 pre bytes and leaves 2.
      Pva(1, 3, 0x1A, Cat({{pts2, pts2 + 4}, Slice(first, 2984, 2), Slice(second, 0, 998)})),
  };
  EXPECT_EQ(Of(1), want);
}

TEST_F(MuxTest, VideoPacketSizes) {
  struct Row {
    const char* name;
    std::vector<std::pair<int64_t, size_t>> pes;  // PTS and payload size
    std::vector<std::pair<BYTE, DWORD>> packets;  // flags and length field
  } rows[] = {
      {"a multiple of 4 leaves no tail", {{0, 2028}}, {{0x10, 1016}, {0x00, 1016}}},
      {"a PES without a PTS", {{0, 8}, {kNoPts, 2040}}, {{0x10, 12}, {0, 1016}, {0, 1016}, {0, 8}}},
      {"3 tail bytes into a PES without a PTS", {{0, 11}, {kNoPts, 5}}, {{0x1C, 12}, {0x03, 8}}},
      {"a PES shorter than a packet waits with the tail", {{0, 2}, {kNoPts, 1}, {kNoPts, 6}}, {{0x07, 8}}},
  };
  for (const Row& row : rows) {
    SetUp();
    out.packets.clear();
    Put(Pes(0xC0, 0, Body(100, 1)));
    for (const auto& p : row.pes) Put(Pes(0xE0, p.first, Body(p.second, BYTE(p.second))));
    std::vector<std::pair<BYTE, DWORD>> got;
    for (const auto& p : Of(1)) got.emplace_back(p[5], DWORD((p[6] << 8) | p[7]));
    EXPECT_EQ(got, row.packets) << row.name;
  }
}

TEST_F(MuxTest, AudioPesIsSplitAtFrameStarts) {
  struct Row {
    const char* name;
    size_t length;             // of the whole PES
    std::vector<size_t> sync;  // frame starts (FF FC) at these PES offsets
    std::vector<DWORD> sizes;
  } rows[] = {
      {"short: whole", 500, {}, {500}},
      {"1,016 bytes: whole", 1016, {}, {1016}},
      {"no frame start: 1,016-byte pieces", 2500, {}, {1016, 1016, 468}},
      {"the last frame start in the window", 2500, {14, 590, 1000, 1700}, {1000, 700, 800}},
      {"frame starts just outside the window", 2000, {609, 1015}, {1016, 984}},
      {"a frame start on the window's first offset", 2000, {610}, {610, 1016, 374}},
      {"a frame start on the window's last offset", 2000, {1014}, {1014, 986}},
  };
  for (const Row& row : rows) {
    SetUp();
    out.packets.clear();
    std::vector<BYTE> pes = Pes(0xC0, 0, Body(row.length - 14, 5));
    for (size_t at : row.sync) pes[at] = 0xFF, pes[at + 1] = 0xFC;
    Put(Pes(0xE0, 0, Body(8, 1)));
    Put(pes);
    // Video far ahead draws the audio out, one packet per video packet.
    for (int i = 0; i < 6; ++i) Put(Pes(0xE0, 100000 + i, Body(8, 1)));
    std::vector<DWORD> sizes;
    std::vector<BYTE> joined;
    for (const auto& p : Of(2)) {
      sizes.push_back(DWORD((p[6] << 8) | p[7]));
      EXPECT_EQ(p[5], joined.empty() ? 0x10 : 0x00) << row.name;
      joined.insert(joined.end(), p.begin() + 8, p.end());
    }
    EXPECT_EQ(sizes, row.sizes) << row.name;
    EXPECT_EQ(joined, pes) << row.name;
  }
}

// One PES per step: 'V' or 'A' with a PTS relative to the row's base (or
// none), and what CutPes returns.
struct Step {
  char stream;
  int64_t pts;
  int result;
};

struct ScheduleRow {
  const char* name;
  std::vector<Step> steps;
  const char* order;
};

const ScheduleRow kSchedule[] = {
    {"video waits for an audio PTS", {{'V', 0, 1}, {'A', kNoPts, 0}, {'A', 0, 1}}, "V0"},
    {"audio waits for a video PTS",
     {{'V', kNoPts, 1}, {'A', 0, 1}, {'A', 2160, 1}, {'V', 0, 1}, {'V', 30000, 1}, {'A', 4320, 1}},
     "V0 A0 V1"},
    {"video 45,000 ahead waits until audio is within 40,000",
     {{'A', 0, 1},
      {'V', 0, 1},
      {'V', 25000, 1},
      {'V', 45000, 1},
      {'A', 2160, 1},
      {'A', 4320, 1},
      {'A', 6480, 1},
      {'A', 8640, 1}},
     "V0 V1 A0 A1 A2 A3 V2"},
    {"video goes once audio PTS + 12,000 reaches the last video",
     {{'A', 10000, 1}, {'V', 0, 1}, {'V', 30000, 1}, {'V', 80000, 1}, {'A', 12000, 1}, {'A', 18000, 1}},
     "V0 V1 A0 A1 V2"},
    {"unstamped audio after five video packets",
     {{'A', 0, 1},
      {'V', 0, 1},
      {'V', 30000, 1},
      {'A', kNoPts, 1},
      {'V', 31000, 1},
      {'V', 32000, 1},
      {'V', 33000, 1},
      {'V', 34000, 1},
      {'V', 34500, 1}},
     "V0 A0 V1 V2 V3 V4 V5 A1"},
    {"unstamped audio once video is 35,000 ahead",
     {{'A', 0, 1}, {'V', 0, 1}, {'V', 30000, 1}, {'A', kNoPts, 1}, {'V', 36000, 1}},
     "V0 A0 V1 A1"},
    {"a small step back drops that audio PES",
     {{'A', 9000, 1}, {'V', 0, 1}, {'A', 4500, 0}, {'A', 9000, 0}, {'V', 40000, 1}, {'A', 11160, 1}},
     "V0 A0 V1"},
    {"a new base far back goes on with audio and video",
     {{'A', 5000000, 1},
      {'V', 5000000, 1},
      {'V', 5030000, 1},
      {'A', 1000000, 1},
      {'V', 1000000, 1},
      {'A', 1002160, 1},
      {'V', 1003600, 1},
      {'V', 1030000, 1},
      {'A', 1004320, 1}},
     "V0 A0 V1 V2 V3 A1 V4"},
};

TEST_F(MuxTest, ScheduleAcrossTheTimestampWrap) {
  // Each row once from 0 and once from a base whose timestamps wrap (33 and
  // 32 bits) within the row.
  for (uint64_t base : {uint64_t(0), kPtsWrap - 20000}) {
    for (const ScheduleRow& row : kSchedule) {
      mux.Reset(&out);
      out.packets.clear();
      for (size_t i = 0; i < row.steps.size(); ++i) {
        const Step& s = row.steps[i];
        const int64_t pts = s.pts < 0 ? kNoPts : int64_t((base + uint64_t(s.pts)) % kPtsWrap);
        EXPECT_EQ(Put(Pes(s.stream == 'V' ? 0xE0 : 0xC0, pts, Body(40, BYTE(i)))), s.result)
            << row.name << " step " << i << " base " << base;
      }
      EXPECT_EQ(out.Order(), row.order) << row.name << " base " << base;
    }
  }
}

TEST_F(MuxTest, ClearDropsQueuedPacketsAndKeepsCounters) {
  Put(Pes(0xC0, 0, Body(40, 1)));
  Put(Pes(0xE0, 0, Body(40, 2)));
  mux.Clear();                     // A0 stays unsent
  Put(Pes(0xE0, 0, Body(40, 3)));  // no audio PTS since the clear: held
  Put(Pes(0xC0, 0, Body(40, 4)));
  Put(Pes(0xE0, 99000, Body(40, 5)));
  EXPECT_EQ(out.Order(), "V0 V1 A1");
  mux.Reset(&out);
  out.packets.clear();
  Put(Pes(0xC0, 0, Body(40, 1)));
  Put(Pes(0xE0, 0, Body(40, 2)));
  EXPECT_EQ(out.Order(), "V0");
}

TEST_F(MuxTest, FullQueuesSendTheirOldestInOrder) {
  struct Row {
    BYTE stream;
    size_t payload;
    int packets;
    int mostQueued;  // what the queue's bytes or table hold
  } rows[] = {
      {0xC0, 986, 400, 150000 / 1008},  // bytes run short (radio: no video at all)
      {0xE0, 100, 2000, 1250},          // table entries run short (no audio at all)
  };
  for (const Row& row : rows) {
    mux.Reset(&out);
    out.packets.clear();
    for (int i = 0; i < row.packets; ++i) EXPECT_EQ(Put(Pes(row.stream, 3600 * i, Body(row.payload, BYTE(i)))), 1);
    // Nothing is lost on the way: what left, left in order, and the queue
    // never holds more than its table.
    ASSERT_FALSE(out.packets.empty()) << int(row.stream);
    EXPECT_GE(out.packets.size(), size_t(row.packets - row.mostQueued));
    const size_t payloadAt = row.stream == 0xE0 ? 8 + 4 : 8 + 14;  // behind the PTS, or the PES header
    for (size_t i = 0; i < out.packets.size(); ++i) {
      EXPECT_EQ(out.packets[i][3], BYTE(i)) << i;
      EXPECT_EQ(Slice(out.packets[i], payloadAt, row.payload), Body(row.payload, BYTE(i))) << i;
    }
  }
}

TEST_F(MuxTest, MalformedPesIsDropped) {
  const std::vector<BYTE> rows[] = {
      {},
      {0, 0, 1, 0xE0, 0, 3, 0x80, 0x80},                 // cut inside the fixed header
      {0, 0, 2, 0xC0, 0, 3, 0x80, 0x00, 0x00},           // no start code
      {0, 0, 1, 0xE0, 0, 4, 0x80, 0x80, 0x09, 1, 2, 3},  // header longer than the PES
  };
  Put(Pes(0xC0, 0, Body(40, 1)));
  for (const auto& pes : rows) EXPECT_EQ(mux.CutPes(pes.data(), DWORD(pes.size())), 0);
  EXPECT_EQ(mux.CutPes(nullptr, 100), 0);
  EXPECT_TRUE(out.packets.empty());
}

}  // namespace

TEST_F(MuxTest, DrainReleasesWhatTheSchedulerHolds) {
  struct Row {
    const char* name;
    std::vector<std::pair<BYTE, int64_t>> pes;  // stream id and PTS
    std::string before, after;                  // released before and after the drain
  } rows[] = {
      {"audio alone waits for video", {{0xC0, 0}, {0xC0, 2160}}, "", "A0 A1"},
      {"video far ahead of the audio", {{0xC0, 0}, {0xE0, 90000}, {0xE0, 93600}}, "A0", "V0 V1"},
      {"both in step", {{0xC0, 0}, {0xE0, 3600}, {0xC0, 2160}}, "V0", "A0 A1"},
      {"nothing queued", {}, "", ""},
  };
  for (const Row& row : rows) {
    mux.Reset(&out);
    out.packets.clear();
    for (const auto& p : row.pes) Put(Pes(p.first, p.second, Body(200, 1)));
    EXPECT_EQ(out.Order(), row.before) << row.name;
    mux.Drain();
    EXPECT_EQ(out.Order(), row.before + (row.before.empty() || row.after.empty() ? "" : " ") + row.after) << row.name;
    mux.Drain();
    EXPECT_EQ(out.packets.size(), row.pes.size()) << row.name << ": each PES one packet, none twice";
  }
}
