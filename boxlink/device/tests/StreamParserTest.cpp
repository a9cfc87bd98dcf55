// The box stream parser against streams made by the simulated box's
// composer: every packet type, and the fault table (sequence gap,
// duplicate, bad check word, oversized length, unknown type, splits at
// every offset, odd-length reads, more input than the FIFO holds).
#include "SimStreamComposer.h"
#include "StreamParser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Delivery {
  int kind;
  int slot;
  std::vector<BYTE> data;
  bool operator==(const Delivery& o) const {
    return kind == o.kind && slot == o.slot && data == o.data;
  }
};

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

std::vector<BYTE> Bytes(size_t n, BYTE seed) {
  std::vector<BYTE> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = BYTE(seed + i * 7);
  return v;
}

// One packet of every type the parser knows, the delivered ones with odd and
// even lengths.
std::vector<SimStreamPacket> EveryType() {
  auto d = Bytes(301, 1);
  BYTE ts[188];
  memset(ts, 0x11, sizeof(ts));
  auto section = CSimStreamComposer::MakeSection(0x42, d.data(), 40);
  return {
      CSimStreamComposer::Filler(9),
      CSimStreamComposer::Pva(1, 0, d.data(), 183),
      CSimStreamComposer::CommonInterface(d.data(), 17),
      CSimStreamComposer::Transport(ts),
      CSimStreamComposer::Record(d.data(), 300),
      CSimStreamComposer::Pipe(7, d.data(), 64),
      CSimStreamComposer::Section(0, section.data(), section.size()),
      CSimStreamComposer::Section(3, section.data(), section.size()),
      CSimStreamComposer::Teletext(d.data(), 46),
      CSimStreamComposer::HighBit(0x81, d.data(), 5),
      CSimStreamComposer::HighBit(0xA0, d.data(), 8),
  };
}

std::vector<Delivery> Expected(const std::vector<SimStreamPacket>& packets) {
  std::vector<Delivery> out;
  for (const auto& p : packets)
    if (p.kind) out.push_back({p.kind, p.slot, p.delivered});
  return out;
}

// Composes the packets in groups of `group`.
std::vector<BYTE> Compose(const std::vector<SimStreamPacket>& packets, size_t group,
                          CSimStreamComposer& c) {
  std::vector<BYTE> out;
  for (size_t i = 0; i < packets.size(); i += group) {
    std::vector<SimStreamPacket> g(packets.begin() + i,
                                   packets.begin() + std::min(packets.size(), i + group));
    c.Group(g, out);
  }
  return out;
}

std::vector<BYTE> Compose(const std::vector<SimStreamPacket>& packets, size_t group) {
  CSimStreamComposer c;
  return Compose(packets, group, c);
}

void FeedInChunks(CDVBStreamParser& parser, const std::vector<BYTE>& s, size_t chunk) {
  for (size_t at = 0; at < s.size(); at += chunk)
    parser.Feed(s.data() + at, DWORD(std::min(chunk, s.size() - at)));
}

// Numbered record packets: packet i carries i in its first byte.
std::vector<SimStreamPacket> Numbered(int n, size_t size = 100) {
  std::vector<SimStreamPacket> out;
  for (int i = 0; i < n; ++i) {
    auto d = Bytes(size, BYTE(i));
    d[0] = BYTE(i);
    out.push_back(CSimStreamComposer::Record(d.data(), d.size()));
  }
  return out;
}

std::vector<int> Numbers(const RecordingSink& sink) {
  std::vector<int> out;
  for (const auto& d : sink.deliveries) out.push_back(d.data.empty() ? -1 : d.data[0]);
  return out;
}

std::vector<int> Range(int from, int to) {
  std::vector<int> out;
  for (int i = from; i < to; ++i) out.push_back(i);
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
  struct Row {
    const char* name;
    std::vector<BYTE> (*make)();
    std::vector<int> delivered;
    std::vector<WORD> resends;
  };
  static const Row rows[] = {
      {"sequence gap, then the box resends from the missing packet",
       [] {
         auto p = Numbered(8);
         CSimStreamComposer c;
         std::vector<BYTE> s;
         for (int i = 0; i < 8; ++i) {
           if (i == 3) {
             c.SetSequence(4);  // packet 3 lost on the way
             continue;
           }
           c.Group({p[size_t(i)]}, s);
         }
         c.SetSequence(3);
         for (int i = 3; i < 8; ++i) c.Group({p[size_t(i)]}, s);
         return s;
       },
       Range(0, 8), {3}},
      {"duplicate packet",
       [] {
         auto p = Numbered(6);
         CSimStreamComposer c;
         std::vector<BYTE> s;
         for (int i = 0; i < 6; ++i) {
           c.Group({p[size_t(i)]}, s);
           if (i == 2) {
             c.SetSequence(2);
             c.Group({p[2]}, s);
           }
         }
         return s;
       },
       Range(0, 6), {3}},
      {"bad check word: the rest of the group goes, the box resends",
       [] {
         auto p = Numbered(6);
         CSimStreamComposer c;
         std::vector<BYTE> s = Compose({p[0], p[1]}, 1, c);
         size_t at = s.size();
         c.Group({p[2], p[3]}, s);
         s[at + 10] ^= 0x40;  // inside packet 2
         c.Group({p[4]}, s);  // the gap shows here
         c.SetSequence(2);
         auto rest = Compose(std::vector<SimStreamPacket>(p.begin() + 2, p.end()), 1, c);
         s.insert(s.end(), rest.begin(), rest.end());
         return s;
       },
       Range(0, 6), {2}},
      {"length field beyond the FIFO",
       [] {
         auto p = Numbered(4);
         CSimStreamComposer c;
         std::vector<BYTE> s = Compose(std::vector<SimStreamPacket>(p.begin(), p.begin() + 2), 1, c);
         const BYTE huge[] = {0xAA, 0xAA, 0xAA, 0x00, 0x43, 0x00, 0xFF, 0xFF, 1, 2, 3, 4};
         s.insert(s.end(), huge, huge + sizeof(huge));
         auto rest = Compose(std::vector<SimStreamPacket>(p.begin() + 2, p.end()), 1, c);
         s.insert(s.end(), rest.begin(), rest.end());
         return s;
       },
       Range(0, 4), {}},
      {"just over the size limit",
       [] {
         auto p = Numbered(3);
         auto big = Bytes(8191, 3);  // 8191 + 8 rounded up: 8200 bytes
         CSimStreamComposer c;
         std::vector<BYTE> s = Compose({p[0]}, 1, c);
         CSimStreamComposer side;
         side.Group({CSimStreamComposer::Record(big.data(), big.size())}, s);
         auto rest = Compose({p[1], p[2]}, 1, c);
         s.insert(s.end(), rest.begin(), rest.end());
         return s;
       },
       Range(0, 3), {}},
      {"unknown type",
       [] {
         auto p = Numbered(4);
         CSimStreamComposer c;
         std::vector<BYTE> s = Compose({p[0], p[1]}, 1, c);
         const BYTE unknown[] = {0xAA, 0xAA, 0xAA, 0x00, 0x42, 0x00, 0x00, 0x04, 9, 9, 9, 9};
         s.insert(s.end(), unknown, unknown + sizeof(unknown));
         auto rest = Compose({p[2], p[3]}, 1, c);
         s.insert(s.end(), rest.begin(), rest.end());
         return s;
       },
       Range(0, 4), {}},
      {"garbage between groups, a lone 0xAA among it",
       [] {
         auto p = Numbered(4);
         CSimStreamComposer c;
         std::vector<BYTE> s = Compose({p[0], p[1]}, 1, c);
         const BYTE junk[] = {1, 0xAA, 0xAA, 5, 0xAA, 7, 0, 0};
         s.insert(s.end(), junk, junk + sizeof(junk));
         auto rest = Compose({p[2], p[3]}, 1, c);
         s.insert(s.end(), rest.begin(), rest.end());
         return s;
       },
       Range(0, 4), {}},
  };
  for (const Row& row : rows) {
    auto s = row.make();
    for (size_t chunk : {s.size(), size_t(8192), size_t(61)}) {
      RecordingSink sink;
      CDVBStreamParser parser(&sink);
      FeedInChunks(parser, s, chunk);
      EXPECT_EQ(Numbers(sink), row.delivered) << row.name << ", blocks of " << chunk;
      EXPECT_EQ(sink.resends, row.resends) << row.name << ", blocks of " << chunk;
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
  const char* dir = getenv("QUILLON_TEST_DATA");
  ASSERT_NE(dir, nullptr);
  auto read = [&](const char* name) {
    std::string path = std::string(dir) + "/heron/" + name;
    FILE* f = fopen(path.c_str(), "rb");
    std::vector<BYTE> v;
    if (!f) return v;
    BYTE buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf), f)) > 0) v.insert(v.end(), buf, buf + n);
    fclose(f);
    return v;
  };
  auto video = read("video.m2v");
  auto audio = read("audio.mp2");
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
    (d.data[2] == 1 ? gotVideo : gotAudio).insert((d.data[2] == 1 ? gotVideo : gotAudio).end(),
                                                  d.data.begin() + 8, d.data.end());
  }
  // The groups cycle past the end, so the streams start over at the tail.
  ASSERT_GE(gotVideo.size(), video.size());
  EXPECT_TRUE(std::equal(video.begin(), video.end(), gotVideo.begin()));
  EXPECT_TRUE(std::equal(audio.begin(), audio.end(), gotAudio.begin()));
}
