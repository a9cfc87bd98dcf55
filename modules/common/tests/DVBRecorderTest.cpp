// The recorder's assembler driven by transport-packet sequences, one row per
// case, with the exact bytes the host's tap receives; the pack-header and
// time-stamp encodings; the faults that drop input without stopping the
// stream or flooding the log.
#include <gtest/gtest.h>

#include "RecorderRig.h"

namespace {

// Splits a transport stream into one block per packet.
std::vector<Bytes> Packets(const Bytes& ts) {
  std::vector<Bytes> blocks;
  for (size_t i = 0; i + 188 <= ts.size(); i += 188) blocks.emplace_back(ts.begin() + i, ts.begin() + i + 188);
  return blocks;
}

std::vector<Bytes> Series(uint8_t id, int count, size_t size, uint16_t lengthField) {
  std::vector<Bytes> all;
  for (int i = 0; i < count; ++i) all.push_back(Pes(id, size, lengthField, static_cast<uint8_t>(0x10 + i)));
  return all;
}

Bytes Joined(const std::vector<Bytes>& parts) {
  Bytes all;
  for (const Bytes& b : parts) all.insert(all.end(), b.begin(), b.end());
  return all;
}

// A chunk behind the recorder's own header: id, length = chunk + 4.
Bytes Chunk(uint8_t id, const Bytes& bytes) {
  Bytes header(kPesHeaderTemplate, kPesHeaderTemplate + sizeof(kPesHeaderTemplate));
  header[3] = id;
  return WithLength(Cat({header, bytes}), bytes.size() + 4);
}

// A private-stream packet with the AC-3 sub-header after its PES header
// (header data length 5) and the length raised by 4.
Bytes Private(const Bytes& pes) {
  Bytes out(pes.begin(), pes.begin() + 14);
  out.insert(out.end(), kAc3SubHeader, kAc3SubHeader + sizeof(kAc3SubHeader));
  out.insert(out.end(), pes.begin() + 14, pes.end());
  return WithLength(out, out.size() - 6);
}

Bytes Slice(const Bytes& b, size_t from, size_t to) { return Bytes(b.begin() + from, b.begin() + to); }

Bytes Packet(uint8_t byte1, uint8_t byte3, uint8_t byte4) {
  Bytes p(188, 0x33);
  p[0] = 0x47;
  p[1] = byte1;
  p[2] = 0x00;
  p[3] = byte3;
  p[4] = byte4;
  return p;
}

struct Row {
  const char* name;
  int type;
  std::vector<Bytes> blocks;
  std::vector<Bytes> expected;  // PES packets, each behind the pack header at the tap
  long gathered;                // bytes left in the buffer, -1: not checked
  const char* logPart = "";
  size_t logCount = 0;
  bool tap = true;
};

std::vector<Row> Rows() {
  const auto audio = Series(0xC0, 3, 3000, 2994);
  const auto privates = Series(0xBD, 20, 1000, 994);
  auto video = Series(0xE0, 6, 5000, 0);
  video[1][3] = 0xE1;
  const Bytes longVideo = Pes(0xE0, 8000, 0);
  const auto more = Series(0xE0, 5, 5000, 0);
  const Bytes good = Packet(0x01, 0x10, 0x55);
  Bytes lost = good;
  lost[0] = 0x48;
  Bytes second = video[1];
  second[3] = 0xE0;
  const Bytes tooBig = Pes(0xBD, 20000, 19994, 0x40);
  const Bytes overDelivery = Pes(0xC0, 65524, 65518, 0x40);
  const Bytes endless = Pes(0xC0, 3000, 65535, 0x40);

  std::vector<Row> rows = {
      {"audio is held until 4 x 2034 bytes are gathered, then sent whole",
       1,
       Packets(Packetise(Joined(audio))),
       {audio[0]},
       6000},
      {"video without start codes goes out in 6120-byte chunks",
       0,
       Packets(Packetise(Bytes(25000, 0x11))),
       {Chunk(0xE0, Bytes(6120, 0x11))},
       25000 - 6120},
      {"AC-3 after 0xBD carries the sub-header and waits for 8 x 2034 bytes",
       2,
       Packets(Packetise(Joined(privates))),
       {Private(privates[0]), Private(privates[1]), Private(privates[2]), Private(privates[3])},
       16000},
      {"video with length 0 ends at the next video start code, which becomes 0xE0",
       0,
       Packets(Packetise(Joined(video))),
       {WithLength(video[0], 4994), WithLength(second, 4994)},
       20000},
      {"video longer than 6130 bytes: its head, then the rest behind our header",
       0,
       Packets(Packetise(Cat({longVideo, Joined(more)}))),
       {WithLength(Slice(longVideo, 0, 6130), 6124), Chunk(0xE0, Slice(longVideo, 6130, 8000)),
        WithLength(more[0], 4994)},
       20000},
      {"a lost sync byte empties the buffer and drops the rest of its block",
       1,
       {Cat({good, good}), Cat({good, lost, good})},
       {},
       0},
      {"a transport-error packet adds nothing; the packets after it are taken",
       1,
       {Cat({good, Packet(0x81, 0x10, 0x55), good})},
       {},
       368},
      {"without the tap everything is cut as usual and nothing delivered",
       1,
       Packets(Packetise(Joined(audio))),
       {},
       6000,
       "",
       0,
       false},
      // Faults: the input is dropped, logged once, and the stream goes on.
      {"an adaptation field above 182 bytes with a payload flag is dropped",
       1,
       {Cat({Packet(0x01, 0x30, 183), good, Packet(0x01, 0x30, 0xFF)})},
       {},
       184,
       "adaptation field of 183 bytes leaves no payload (1 times)",
       1},
      {"a partial packet at the end of a block is dropped",
       1,
       {Cat({good, Slice(good, 0, 100)})},
       {},
       184,
       "dropped 100 bytes at the end of a block",
       1},
      {"a declared size the buffer can never hold resynchronises at the next start code",
       1,
       Packets(Packetise(Cat({endless, Joined(audio)}))),
       {audio[0]},
       6000,
       "dropped a packet of declared size 65541 that cannot complete",
       1},
      {"a private-stream packet larger than the output buffer is dropped",
       2,
       Packets(Packetise(Cat({tooBig, Joined(privates)}))),
       {Private(privates[0]), Private(privates[1]), Private(privates[2]), Private(privates[3])},
       16000,
       "dropped a private-stream packet of 20000 bytes",
       1},
      {"a packet longer than the host's delivery buffer is dropped",
       1,
       Packets(Packetise(Cat({overDelivery, Joined(audio)}), 0x100, 20)),
       {audio[0]},
       6000,
       "dropped a PES packet of 65524 bytes: longer than the host's delivery buffer (1 times)",
       1},
  };
  // A length-0 video packet may take 6130 bytes: the next start code at its
  // last byte (6129) ends it as one a byte earlier does; a byte later, the
  // packet fills the span.
  static const char* const kBoundaryNames[] = {
      "video with length 0 and the next start code at 6128 of the 6130 it may take",
      "video with length 0 and the next start code at 6129, the last byte it may take",
      "video with length 0 and the next start code at 6130, just past what it may take",
  };
  for (size_t i = 0; i < 3; ++i) {
    const Bytes head = Pes(0xE0, 6128 + i, 0);
    rows.push_back({kBoundaryNames[i],
                    0,
                    Packets(Packetise(Cat({head, Joined(more)}))),
                    {WithLength(head, head.size() - 6), WithLength(more[0], 4994)},
                    20000});
  }
  // Long runs pass through the gather buffer several times over; whatever
  // moves inside it, the packets come out exact, all but what the
  // threshold holds back.
  struct Run {
    const char* name;
    int type;
    std::vector<Bytes> packets;
    size_t held;
  };
  const Run runs[] = {
      {"a long run of audio packets", 1, Series(0xC0, 100, 3000, 2994), 2},
      {"a long run of video packets with length 0", 0, Series(0xE0, 100, 5000, 0), 4},
      {"a long run of AC-3 packets", 2, Series(0xBD, 400, 1000, 994), 16},
  };
  for (const Run& run : runs) {
    std::vector<Bytes> expected;
    for (size_t i = 0; i + run.held < run.packets.size(); ++i)
      expected.push_back(run.type == 2 ? Private(run.packets[i])
                                       : WithLength(run.packets[i], run.packets[i].size() - 6));
    rows.push_back({run.name, run.type, Packets(Packetise(Joined(run.packets))), expected,
                    static_cast<long>(run.held * run.packets[0].size())});
  }
  return rows;
}

TEST(Recorder, TurnsTransportPacketSequencesIntoExactPesPackets) {
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.name);
    RecorderRig rig;
    rig.status.m_bPESCallback = row.tap;
    for (const Bytes& block : row.blocks)
      rig.recorder.OnStreamData(row.type, block.data(), static_cast<DWORD>(block.size()));
    std::vector<Bytes> expected;
    for (const Bytes& pes : row.expected) expected.push_back(Delivered(pes));
    ASSERT_EQ(expected.size(), RecorderRig::delivered.size());
    for (size_t i = 0; i < expected.size(); ++i)
      EXPECT_TRUE(expected[i] == RecorderRig::delivered[i]) << "packet " << i;
    if (row.gathered >= 0) {
      EXPECT_EQ(static_cast<DWORD>(row.gathered), rig.recorder.Buffer(row.type).Gathered());
    }
    if (*row.logPart) {
      EXPECT_EQ(row.logCount, rig.LogCount(row.logPart));
    }
    // Every line came through the host's log with the recorder's source name.
    for (const std::string& line : RecorderRig::log) EXPECT_EQ(0u, line.rfind(".\\DVBRecorder 127 ", 0)) << line;
  }
}

// Init clamps a nominal size to what the buffers hold. At the largest, a
// chunk cut in front of the farthest start code the search reaches fits the
// output with its header (10 bytes, 14 for AC-3), and the AC-3 threshold of
// eight packets' worth is reached one transport packet at a time.
TEST(Recorder, TheLargestNominalSizeFitsTheOutputAndTheGatherBuffer) {
  struct Case {
    const char* name;
    int type;
    uint8_t id;
    Bytes lead;  // what goes out before the chunk
  };
  const Bytes first = Pes(0xBD, 1000, 994);
  const Case cases[] = {
      {"video", CPESStreamBuffer::kVideo, 0xE0, {}},
      {"AC-3 after its first private-stream packet", CPESStreamBuffer::kAC3, 0xBD, first},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecorderRig rig;
    auto buffer = std::make_unique<CPESStreamBuffer>();
    buffer->Init(c.type, &rig.recorder, 0xFFFF);
    const DWORD maxPacket = CPESStreamBuffer::kMaxNominalSize - 14;
    const DWORD threshold = maxPacket * (c.lead.empty() ? 4 : 8);
    const Bytes filler(2 * (maxPacket - 10) - 1, 0x11);  // the next start code at the search's last offset
    const size_t rest = threshold + 500 - filler.size();
    const Bytes ts = Packetise(Cat({c.lead, filler, Pes(c.id, rest, 0)}));
    for (size_t i = 0; i + 188 <= ts.size(); i += 188) buffer->AddData(ts.data() + i, 188);

    Bytes header(kPesHeaderTemplate, kPesHeaderTemplate + sizeof(kPesHeaderTemplate));
    header[3] = c.id;
    if (!c.lead.empty()) header.insert(header.end(), kAc3SubHeader, kAc3SubHeader + sizeof(kAc3SubHeader));
    const Bytes chunk = WithLength(Cat({header, filler}), header.size() - 6 + filler.size());
    std::vector<Bytes> expected;
    if (!c.lead.empty()) expected.push_back(Delivered(Private(c.lead)));
    expected.push_back(Delivered(chunk));
    ASSERT_EQ(expected.size(), RecorderRig::delivered.size());
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_TRUE(expected[i] == RecorderRig::delivered[i]) << i;
    EXPECT_LE(chunk.size(), CPESStreamBuffer::kOutSize);
    EXPECT_EQ(rest, buffer->Gathered());
    EXPECT_EQ(0u, buffer->FaultCount(CPESStreamBuffer::kBlockRefused));
  }
}

TEST(Recorder, LogsAWaitingPacketOnceAndNamesItsStreamInCondor) {
  const Bytes big = Pes(0xBD, 20000, 19994, 0x40);
  for (RecorderModule module : {RecorderModule::kestrel, RecorderModule::condor}) {
    RecorderRig rig(module);
    rig.Feed(2, Packetise(big));
    const std::string line = std::string(".\\DVBRecorder 127 iPTSPacketSize: 20000, dwDataBufferPosition 8280") +
                             (module == RecorderModule::condor ? "    0xbd" : "");
    EXPECT_EQ(1u, rig.LogCount("iPTSPacketSize"));
    EXPECT_EQ(line, RecorderRig::log.at(0));
  }
}

TEST(Recorder, RepeatedFaultsLeaveFewLinesWithTheirCounts) {
  RecorderRig rig;
  Bytes block(188 + 50, 0x33);
  block[0] = 0x47;
  block[3] = 0x10;
  for (int i = 0; i < 1000; ++i) rig.recorder.OnStreamData(1, block.data(), static_cast<DWORD>(block.size()));
  EXPECT_EQ(4u, RecorderRig::log.size());
  EXPECT_EQ(1u, rig.LogCount("(1000 times)"));
  EXPECT_EQ(1000u, rig.recorder.Buffer(1).FaultCount(CPESStreamBuffer::kPartialPacket));
}

TEST(Recorder, IgnoresUnknownStreamTypesAndWritesNoFileInMode2) {
  RecorderRig rig;
  const Bytes ts = Packetise(Bytes(20000, 0x11));
  rig.Feed(3, ts);
  rig.Feed(-1, ts);
  for (int type = 0; type < 3; ++type) EXPECT_EQ(0u, rig.recorder.Buffer(type).Gathered());
  EXPECT_FALSE(rig.recorder.StopRecording());
  EXPECT_EQ(0u, rig.recorder.GetRecordedSize());
}

TEST(Recorder, PackHeaderCarriesTheRisingScrInMpeg2Layout) {
  RecorderRig rig;
  BYTE out[14];
  std::memcpy(out, kPackHeaderTemplate, sizeof(out));
  rig.recorder.BuildPackHeader(out);
  const BYTE first[14] = {0x00, 0x00, 0x01, 0xBA, 0x44, 0x00, 0x04, 0x04, 0x94, 0x01, 0x01, 0x19, 0xAB, 0xF8};
  EXPECT_EQ(0, std::memcmp(first, out, sizeof(out)));
  // Decoded the way a demultiplexer reads it, the SCR base is 146 per header.
  for (int n = 2; n <= 100000; ++n) {
    rig.recorder.BuildPackHeader(out);
    if (n % 9973 && n != 100000) continue;
    const uint64_t scr = (uint64_t{out[4]} >> 3 & 7) << 30 | (uint64_t{out[4]} & 3) << 28 | uint64_t{out[5]} << 20 |
                         (uint64_t{out[6]} >> 3) << 15 | (uint64_t{out[6]} & 3) << 13 | uint64_t{out[7]} << 5 |
                         out[8] >> 3;
    EXPECT_EQ(146u * n, scr);
    EXPECT_EQ(0x44, out[4] & 0xC4);  // '01' and the marker bits
    EXPECT_EQ(0x04, out[6] & 0x04);
    EXPECT_EQ(0x04, out[8] & 0x07);
  }
  EXPECT_EQ(146u * 100000, rig.recorder.SystemClockReference());
}

TEST(Recorder, EncodesPtsAloneAndPtsFollowedByDts) {
  struct Case {
    DWORD ts;
    BYTE pts[5];
    BYTE dts[5];
  };
  const Case cases[] = {
      {0, {0x21, 0x00, 0x01, 0x00, 0x01}, {0x11, 0x00, 0x01, 0x00, 0x01}},
      {0xFFFFFFFF, {0x27, 0xFF, 0xFF, 0xFF, 0xFF}, {0x17, 0xFF, 0xFF, 0xFF, 0xFF}},
      {0x12345678, {0x21, 0x48, 0xD1, 0xAC, 0xF1}, {0x11, 0x48, 0xD1, 0xAC, 0xF1}},
  };
  for (const Case& c : cases) {
    BYTE field[10] = {};
    CDVBRecorder::EncodePTS(field, c.ts);
    EXPECT_EQ(0, std::memcmp(c.pts, field, 5)) << c.ts;
    CDVBRecorder::EncodeDTS(field + 5, c.ts);
    EXPECT_EQ(0, std::memcmp(c.dts, field + 5, 5)) << c.ts;
    EXPECT_EQ(0x30, field[0] & 0xF0) << "PTS then DTS: prefix 0011";
  }
}

TEST(Recorder, FindsASequenceHeaderOnlyBelowLengthMinus4) {
  struct Case {
    size_t at;
    size_t length;
    BOOL found;
  };
  const Case cases[] = {{0, 10, TRUE}, {5, 10, TRUE}, {6, 10, FALSE}, {0, 4, FALSE}, {0, 0, FALSE}};
  for (const Case& c : cases) {
    Bytes data(16, 0x22);
    data[c.at] = 0;
    data[c.at + 1] = 0;
    data[c.at + 2] = 1;
    data[c.at + 3] = 0xB3;
    EXPECT_EQ(c.found, CDVBRecorder::HasSequenceHeader(data.data(), static_cast<DWORD>(c.length))) << c.at;
  }
  const BYTE video[] = {0, 0, 1, 0xE0, 0, 0, 1, 0xC0, 0, 0, 1, 0xE5};
  EXPECT_EQ(8, CPESStreamBuffer::FindStartCode(video + 1, sizeof(video) - 1, 0xE0) + 1);
  EXPECT_EQ(-1, CPESStreamBuffer::FindStartCode(video, 11, 0xB0));
}

}  // namespace
