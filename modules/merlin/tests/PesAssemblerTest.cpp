// The PES re-assembly of merlin's stream filters, scenario by scenario, with
// a small set size (threshold 110, window 100: the cutting starts at 440
// gathered bytes) so that each case is a few packets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PesAssembler.h"

namespace {

using Bytes = std::vector<BYTE>;
constexpr WORD kSetSize = 124;

// A PES packet: start code, id, length field, flags 0x80 0x00, header data
// length hdl (stuffing bytes), then payload bytes counting up from seed.
Bytes Pes(BYTE id, WORD field, size_t payload, BYTE seed = 0, BYTE hdl = 0) {
  Bytes p = {0, 0, 1, id, static_cast<BYTE>(field >> 8), static_cast<BYTE>(field), 0x80, 0x00, hdl};
  p.insert(p.end(), hdl, 0xFF);
  for (size_t i = 0; i < payload; ++i) p.push_back(static_cast<BYTE>(seed + i) | 0x10);  // never 00 00 01
  return p;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

struct Assembly {
  std::vector<Bytes> packets;
  std::vector<CPesAssembler::Fault> faults;
  CPesAssembler assembler;

  explicit Assembly(CPesAssembler::StreamKind kind, WORD setSize = kSetSize) {
    assembler.Init(
        kind, setSize, [this](const BYTE* p, int n) { packets.emplace_back(p, p + n); },
        [this](CPesAssembler::Fault f, DWORD) { faults.push_back(f); });
  }
  void Feed(const Bytes& data, size_t chunk) {
    for (size_t at = 0; at < data.size(); at += chunk)
      assembler.AddBlock(data.data() + at, static_cast<int>(std::min(chunk, data.size() - at)));
  }
};

WORD Field(const Bytes& p) { return static_cast<WORD>(p[4] << 8 | p[5]); }

TEST(PesAssembler, VideoPacketsAreCutAtTheNextVideoStartCodeAndLeaveAsE0) {
  for (size_t chunk : {1u, 7u, 188u, 5000u}) {
    Assembly run(CPesAssembler::kVideo);
    // Length field 0 everywhere, ids E3 and E0; each shorter than the threshold.
    const Bytes a = Pes(0xE3, 0, 60, 1), b = Pes(0xE0, 0, 80, 2), c = Pes(0xEF, 0, 90, 3);
    run.Feed(Cat({a, b, c, a, b, c, a, b, c, a, b, c}), chunk);
    ASSERT_GE(run.packets.size(), 4u) << chunk;
    const Bytes* expected[] = {&a, &b, &c, &a};
    for (size_t i = 0; i < 4; ++i) {
      Bytes want = *expected[i];
      want[3] = 0xE0;
      want[5] = static_cast<BYTE>(want.size() - 6);
      EXPECT_EQ(want, run.packets[i]) << "chunk " << chunk << " packet " << i;
    }
    EXPECT_TRUE(run.faults.empty());
  }
}

TEST(PesAssembler, AudioPacketsGoByTheirLengthFieldAndLeaveAsC0) {
  Assembly run(CPesAssembler::kAudio);
  const Bytes a = Pes(0xC5, 60 + 3, 60), b = Pes(0xC0, 150 + 3, 150, 9);
  run.Feed(Cat({a, b, a, b, a, b}), 33);
  ASSERT_GE(run.packets.size(), 3u);
  Bytes want = a;
  want[3] = 0xC0;
  EXPECT_EQ(want, run.packets[0]);
  EXPECT_EQ(b, run.packets[1]);  // longer than the threshold: the length field decides
  EXPECT_EQ(a.size(), run.packets[2].size());
}

TEST(PesAssembler, BytesBeforeAStartCodeAreWrappedBehindOurHeader) {
  Assembly run(CPesAssembler::kVideo);
  Bytes orphan(37, 0x42);
  const Bytes a = Pes(0xE0, 0, 60);
  run.Feed(Cat({orphan, a, a, a, a, a, a, a}), 1000);
  ASSERT_GE(run.packets.size(), 2u);
  const Bytes& first = run.packets[0];
  ASSERT_EQ(10u + 37u, first.size());
  EXPECT_EQ((Bytes{0, 0, 1, 0xE0, 0, 37 + 4, 0x8B, 0x00, 0x01, 0xFF}), Bytes(first.begin(), first.begin() + 10));
  EXPECT_EQ(orphan, Bytes(first.begin() + 10, first.end()));
  Bytes want = a;
  want[5] = static_cast<BYTE>(a.size() - 6);  // the length field is set
  EXPECT_EQ(want, run.packets[1]);
}

TEST(PesAssembler, OnceAc3IsSeenEachPacketGainsTheSubHeaderAndC0IsNoLongerTaken) {
  Assembly run(CPesAssembler::kAudio);
  const Bytes ac3 = Pes(0xBD, 3 + 2 + 70, 70, 5, 2);
  const Bytes mpeg = Pes(0xC0, 3 + 40, 40);
  run.Feed(Cat({ac3, mpeg, ac3, ac3, ac3, ac3, ac3, ac3}), 64);
  ASSERT_GE(run.packets.size(), 3u);
  EXPECT_TRUE(run.assembler.Ac3());
  const Bytes& first = run.packets[0];
  ASSERT_EQ(ac3.size() + 4, first.size());
  EXPECT_EQ(Field(ac3) + 4, Field(first));
  EXPECT_EQ((Bytes{0x80, 0x01, 0x00, 0x01}), Bytes(first.begin() + 11, first.begin() + 15));
  EXPECT_EQ(Bytes(ac3.begin() + 11, ac3.end()), Bytes(first.begin() + 15, first.end()));
  // The MPEG audio packet that follows is no start: it goes out as AC-3 payload.
  const Bytes& second = run.packets[1];
  EXPECT_EQ(0xBD, second[3]);
  EXPECT_EQ((Bytes{0x80, 0x01, 0x00, 0x01}), Bytes(second.begin() + 10, second.begin() + 14));
  EXPECT_EQ(mpeg, Bytes(second.begin() + 14, second.end()));
  EXPECT_EQ(ac3.size() + 4, run.packets[2].size());
}

TEST(PesAssembler, WhatCannotBeHeldOrRebuiltIsDroppedAndTheStreamGoesOn) {
  struct Case {
    const char* name;
    CPesAssembler::StreamKind kind;
    WORD setSize;
    Bytes stream;
    CPesAssembler::Fault fault;
  };
  const Bytes ac3 = Pes(0xBD, 3 + 70, 70);
  const Bytes huge = Pes(0xBD, 3 + 16400, 16400);       // larger than the output buffer
  const Bytes overlong = Pes(0xBD, 3 + 10, 10, 0, 40);  // header data past the packet's end
  const std::vector<Case> cases = {
      {"AC-3 packet too large", CPesAssembler::kAudio, kSetSize, Cat({ac3, huge, ac3, ac3, ac3, ac3, ac3, ac3, ac3, ac3, ac3, ac3}),
       CPesAssembler::kTooLarge},
      {"AC-3 header past the end", CPesAssembler::kAudio, kSetSize,
       Cat({ac3, Bytes(overlong.begin(), overlong.begin() + 19), ac3, ac3, ac3, ac3, ac3, ac3, ac3, ac3, ac3, ac3}),
       CPesAssembler::kBadHeader},
  };
  for (const Case& c : cases) {
    Assembly run(c.kind, c.setSize);
    run.Feed(c.stream, 500);
    ASSERT_FALSE(run.faults.empty()) << c.name;
    EXPECT_EQ(c.fault, run.faults[0]) << c.name;
    // The packets after the dropped one still come, whole.
    ASSERT_GE(run.packets.size(), 3u) << c.name;
    EXPECT_EQ(ac3.size() + 4, run.packets.back().size()) << c.name;
  }
}

TEST(PesAssembler, ABlockThatWouldOverflowTheBufferEmptiesIt) {
  Assembly run(CPesAssembler::kAudio, 6144);
  // An audio packet that declares more than the buffer can ever hold waits
  // until the fill limit, then everything is dropped.
  const Bytes big = Pes(0xC0, 0xFFF0, 0);
  run.Feed(big, big.size());
  Bytes filler(4000, 0x55);
  for (int i = 0; i < 20 && run.faults.empty(); ++i) run.Feed(filler, filler.size());
  ASSERT_EQ(1u, run.faults.size());
  EXPECT_EQ(CPesAssembler::kBufferFull, run.faults[0]);
  EXPECT_EQ(0u, run.assembler.Fill());
  EXPECT_LE(run.assembler.Fill(), CPesAssembler::kFillLimit);
}

}  // namespace
