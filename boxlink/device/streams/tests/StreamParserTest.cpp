// The box stream parser against streams made by the simulated box's
// composer: every packet type, and the fault table (sequence gap,
// duplicate, bad check word, oversized length, unknown type, splits at
// every offset, odd-length reads, more input than the FIFO holds).
#include "StreamFaultTable.h"
#include "StreamParser.h"

#include <gtest/gtest.h>

#include "TestData.h"

#include <cstring>
#include <string>
#include <vector>

using namespace streamfaults;

namespace {

class RecordingSink : public IStreamParserSink {
 public:
  void Dispatch(int kind, BYTE* data, DWORD length, BYTE slot) override {
    deliveries.push_back({kind, slot, std::vector<BYTE>(data, data + length)});
  }
  int RequestResend(WORD sequence) override {
    resends.push_back(sequence);
    return 0;
  }
  std::vector<Delivery> deliveries;
  std::vector<WORD> resends;
};

void FeedInChunks(CDVBStreamParser& parser, const std::vector<BYTE>& s, size_t chunk) {
  for (size_t at = 0; at < s.size(); at += chunk) parser.Feed(s.data() + at, DWORD(std::min(chunk, s.size() - at)));
}

std::vector<int> Numbers(const RecordingSink& sink) {
  std::vector<int> out;
  for (const auto& d : sink.deliveries) out.push_back(d.data.empty() ? -1 : d.data[0]);
  return out;
}

}  // namespace

TEST(StreamParser, DeliversEveryTypeWithItsKindAndSlot) {
  auto packets = EveryType();
  for (size_t group : {size_t(1), size_t(3), packets.size()}) {
    RecordingSink sink;
    CDVBStreamParser parser(&sink);
    auto s = Compose(packets, group);
    parser.Feed(s.data(), DWORD(s.size()));
    EXPECT_EQ(sink.deliveries, Expected(packets)) << "group of " << group;
    EXPECT_TRUE(sink.resends.empty());
    EXPECT_EQ(parser.GetCounters().fillers, 1u);
    EXPECT_EQ(parser.GetCounters().transportPackets, 1u);
    EXPECT_FALSE(parser.InSync());
  }
}

TEST(StreamParser, SlotsAndLengthsOfTheHeaderFields) {
  RecordingSink sink;
  CDVBStreamParser parser(&sink);
  auto section = CSimStreamComposer::MakeSection(0x00, nullptr, 0);
  // A PVA length of 0x2000 has its top three bits masked: L = 8.
  SimStreamPacket pva;
  pva.body = {0x41, 0x56, 1, 0, 0x55, 0, 0x20, 0x00};
  auto s = Compose({CSimStreamComposer::Section(0, section.data(), section.size()),
                    CSimStreamComposer::Section(3, section.data(), section.size()), pva},
                   3);
  parser.Feed(s.data(), DWORD(s.size()));
  ASSERT_EQ(sink.deliveries.size(), 3u);
  EXPECT_EQ(sink.deliveries[0].slot, 1);
  EXPECT_EQ(sink.deliveries[0].kind, 5);
  EXPECT_EQ(sink.deliveries[0].data[0], 0x00);  // from the table id on
  EXPECT_EQ(sink.deliveries[1].slot, 4);
  EXPECT_EQ(sink.deliveries[2].data.size(), 8u);
  EXPECT_EQ(sink.deliveries[2].slot, 34);
}

// Filter numbers past 62 name no callback slot (255 would wrap to slot 0):
// such packets are counted and dropped, and the group goes on.
TEST(StreamParser, PacketsOfFiltersWithoutASlotAreNotDelivered) {
  RecordingSink sink;
  CDVBStreamParser parser(&sink);
  const BYTE data[2] = {'a', 'b'};
  auto section = CSimStreamComposer::MakeSection(0x42, data, 2);
  auto s =
      Compose({CSimStreamComposer::Pipe(255, data, 2), CSimStreamComposer::Section(255, section.data(), section.size()),
               CSimStreamComposer::Pipe(63, data, 2), CSimStreamComposer::Pipe(62, data, 2)},
              4);
  parser.Feed(s.data(), DWORD(s.size()));
  ASSERT_EQ(sink.deliveries.size(), 1u);
  EXPECT_EQ(sink.deliveries[0].slot, 63);
  EXPECT_EQ(parser.GetCounters().unroutable, 3u);
  EXPECT_EQ(parser.GetCounters().refusedPackets, 0u);
  EXPECT_TRUE(sink.resends.empty());
}

TEST(StreamParser, GroupSizesOfOneAnd256) {
  auto packets = Numbered(257, 10);
  RecordingSink sink;
  CDVBStreamParser parser(&sink);
  CSimStreamComposer c;
  std::vector<BYTE> s;
  c.Group({packets[0]}, s);
  c.Group(std::vector<SimStreamPacket>(packets.begin() + 1, packets.end()), s);  // byte 3 = 0xFF
  parser.Feed(s.data(), DWORD(s.size()));
  EXPECT_EQ(Numbers(sink).size(), 257u);
  EXPECT_FALSE(parser.InSync());
}

// The fault table: each row damages a stream of numbered packets (groups of
// one) and names the packets delivered and the resend requests written.
TEST(StreamParser, FaultTable) {
  for (const FaultRow& row : FaultRows()) {
    for (WORD base : {WORD(0), WORD(0x7FFD), WORD(0xFFFE)}) {  // across the wrap, bit 15 kept
      auto s = row.make(base);
      for (size_t chunk : {s.size(), size_t(8192), size_t(61)}) {
        RecordingSink sink;
        CDVBStreamParser parser(&sink);
        FeedInChunks(parser, s, chunk);
        EXPECT_EQ(Numbers(sink), row.delivered) << row.name << ", blocks of " << chunk;
        std::vector<WORD> resends;
        for (WORD r : row.resends) resends.push_back(Seq(base, r));
        EXPECT_EQ(sink.resends, resends) << row.name << ", blocks of " << chunk;
      }
    }
  }
}

TEST(StreamParser, GapNotMendedIsGivenUpAfterTheWindow) {
  // Packet 1 never comes again: the packets after it are dropped for the
  // next 100000 bytes of input, then the stream is taken up where it stands.
  auto p = Numbered(200, 1000);
  CSimStreamComposer c;
  std::vector<BYTE> s = Compose({p[0]}, 1, c);
  c.SetSequence(2);
  auto rest = Compose(std::vector<SimStreamPacket>(p.begin() + 2, p.end()), 1, c);
  s.insert(s.end(), rest.begin(), rest.end());
  RecordingSink sink;
  CDVBStreamParser parser(&sink);
  FeedInChunks(parser, s, 8192);
  auto got = Numbers(sink);
  ASSERT_GE(got.size(), 2u);
  EXPECT_EQ(got[0], 0);
  // Each packet is 1012 bytes: about 99 of them fit the window.
  EXPECT_GT(got[1], 90);
  EXPECT_LT(got[1], 110);
  EXPECT_EQ(got.back(), 199);
  EXPECT_EQ(got.size(), size_t(1 + 200 - got[1]));
  EXPECT_EQ(sink.resends, std::vector<WORD>{1});
  EXPECT_EQ(parser.GetCounters().gapsGivenUp, 1u);
}

TEST(StreamParser, PacketSplitAtEveryOffset) {
  auto packets = EveryType();
  auto s = Compose(packets, 4);
  auto expected = Expected(packets);
  for (size_t cut = 1; cut < s.size(); ++cut) {
    RecordingSink sink;
    CDVBStreamParser parser(&sink);
    parser.Feed(s.data(), DWORD(cut));
    parser.Feed(s.data() + cut, DWORD(s.size() - cut));
    ASSERT_EQ(sink.deliveries, expected) << "cut at " << cut;
  }
}

TEST(StreamParser, OddLengthReadsKeepTheWordAlignment) {
  auto packets = EveryType();
  auto s = Compose(packets, 2);
  for (size_t chunk : {1, 3, 7, 333, 8191}) {
    RecordingSink sink;
    CDVBStreamParser parser(&sink);
    FeedInChunks(parser, s, chunk);
    EXPECT_EQ(sink.deliveries, Expected(packets)) << "blocks of " << chunk;
    EXPECT_EQ(parser.BytesFed(), s.size());
  }
}

TEST(StreamParser, MoreInputThanTheFifoHoldsIsNotLost) {
  // 400 packets of 1012 bytes in one block: twenty times the FIFO.
  auto packets = Numbered(400, 1000);
  auto s = Compose(packets, 16);
  RecordingSink sink;
  CDVBStreamParser parser(&sink);
  parser.Feed(s.data(), DWORD(s.size()));
  auto got = Numbers(sink);
  ASSERT_EQ(got.size(), 400u);
  for (int i = 0; i < 400; ++i) ASSERT_EQ(got[size_t(i)], i % 256);
}

TEST(StreamParser, ProgrammeFromElementaryStreamsArrivesWhole) {
  auto video = ReadTestData("video.m2v");
  auto audio = ReadTestData("audio.mp2");
  ASSERT_FALSE(video.empty());
  ASSERT_FALSE(audio.empty());
  CSimProgrammeSource source(video, audio);
  CSimStreamComposer c;
  std::vector<BYTE> s;
  size_t groups = (source.Packets().size() + 6) / 7;
  for (size_t i = 0; i < groups; ++i) source.NextGroup(c, 7, s);
  RecordingSink sink;
  CDVBStreamParser parser(&sink);
  FeedInChunks(parser, s, 8192);
  std::vector<BYTE> gotVideo, gotAudio;
  for (const auto& d : sink.deliveries) {
    ASSERT_EQ(d.kind, 11);
    ASSERT_EQ(d.slot, 34);
    (d.data[2] == 1 ? gotVideo : gotAudio)
        .insert((d.data[2] == 1 ? gotVideo : gotAudio).end(), d.data.begin() + 8, d.data.end());
  }
  // The groups cycle past the end, so the streams start over at the tail.
  ASSERT_GE(gotVideo.size(), video.size());
  EXPECT_TRUE(std::equal(video.begin(), video.end(), gotVideo.begin()));
  EXPECT_TRUE(std::equal(audio.begin(), audio.end(), gotAudio.begin()));
}
