// Every file format recorded from the simulated box's recorder (the bytes a
// recording worker writes) and read back for playback: the units come back
// as they were recorded, the program stream's elementary streams come back
// in PVA packets, and damaged program streams play what is left.
#include "ElementaryStreams.h"
#include "MemoryRecordFile.h"
#include "ProgramStreamReader.h"
#include "PvaDemultiplexer.h"
#include "PvaRecordPause.h"
#include "RecordCapture.h"
#include "RecordFileReader.h"
#include "SimRecorder.h"
#include "TestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

using namespace elementary;
using namespace recordformat;

namespace {

class RoundTripTest : public ::testing::Test {
 protected:
  void SetUp() override {
    video = ReadTestData("video.m2v");
    audio = ReadTestData("audio.mp2");
    ASSERT_FALSE(video.empty()) << "QUILLON_TEST_DATA must hold scripts/make-fixtures' output";
    setup = SimRecorderSetup::Of(video, audio);
  }
  // What the file worker writes of a recording in a format: PVA packets
  // through the pause logic (running), anything else as it came (an MPEG
  // audio block that happens to start with "A" too).
  Bytes Recorded(int format, std::vector<Bytes>* units = nullptr) {
    CPvaRecordPause pause;
    pause.Clear();
    Bytes file;
    for (Bytes p : CSimRecorder::Payloads(format, setup)) {
      if (IsPva(format) && p[0] == 'A' && !pause.Admit(p.data(), DWORD(p.size()))) continue;
      Append(file, p.data(), p.size());
      if (units) units->push_back(p);
    }
    return file;
  }
  std::vector<Bytes> ReadAll(CRecordFileReader& reader) {
    std::vector<Bytes> units;
    BYTE buffer[CRecordFileReader::kBufferSize];
    DWORD time;
    while (DWORD n = reader.GetPVAPacket(buffer, 2, time)) units.emplace_back(buffer, buffer + n);
    return units;
  }

  Bytes video, audio;
  SimRecorderSetup setup;
};


}  // namespace

TEST_F(RoundTripTest, UnitFormatsReadBackAsRecorded) {
  // Audio-only PVA and raw files are opened by their stream format, so the
  // file format stays 0; neither has timestamps to measure a duration by.
  struct Row {
    const char* name;
    int recordFormat, streamFormat, fileFormat;
    bool reordered;
    bool measured;  // about three seconds of programme, else a duration of 0
  } rows[] = {
      {"PVA, audio only", 1, kPva1, kFileMpegAudio, false, false},
      {"MPEG audio", 2, kMpegAudio, kFileMpegAudio, false, true},
      {"raw", 3, kRaw, kFileMpegAudio, false, false},
      {"PVA", 4, kPva4, kFilePva, false, true},
      {"PVA with video held against audio", 5, kPva5, kFilePvaReordered, true, true},
  };
  for (const Row& row : rows) {
    std::vector<Bytes> recorded;
    CMemoryRecordFile file(Recorded(row.recordFormat, &recorded));
    ASSERT_FALSE(recorded.empty()) << row.name;
    CRecordFileReader reader;
    reader.Attach(&file, row.streamFormat, row.fileFormat);
    DWORD length, duration;
    WORD rate;
    ASSERT_TRUE(reader.GetFileParams(length, duration, rate)) << row.name;
    if (row.measured)
      EXPECT_NEAR(double(duration), 3000.0, 200.0) << row.name;
    else
      EXPECT_EQ(duration, 0u) << row.name;
    const std::vector<Bytes> played = ReadAll(reader);
    Bytes all;
    for (const Bytes& u : played) Append(all, u.data(), u.size());
    if (row.streamFormat == kMpegAudio) {
      EXPECT_EQ(all.size(), audio.size()) << row.name;
      EXPECT_EQ(all, audio) << row.name;
      EXPECT_EQ(rate, 48000) << row.name;
    } else if (row.streamFormat == kRaw) {
      // The video stream in blocks of 1,024 bytes, the last one short.
      EXPECT_EQ(all, video) << row.name;
      ASSERT_EQ(played.size(), (video.size() + 1023) / 1024) << row.name;
      for (size_t i = 0; i + 1 < played.size(); ++i) ASSERT_EQ(played[i].size(), 1024u) << row.name << ", block " << i;
    } else if (!row.reordered) {
      EXPECT_EQ(played, recorded) << row.name;
      if (row.streamFormat == kPva1) {
        EXPECT_TRUE(OfStream(played, 1).empty()) << row.name;
        EXPECT_EQ(FromPva(played).audio, audio) << row.name;
      }
    } else {
      EXPECT_EQ(played.size(), recorded.size()) << row.name;
      EXPECT_EQ(OfStream(played, 1), OfStream(recorded, 1)) << row.name;
      EXPECT_EQ(OfStream(played, 2), OfStream(recorded, 2)) << row.name;
    }
  }
}

TEST_F(RoundTripTest, ProgramStreamPlaysItsElementaryStreams) {
  CPvaDemultiplexer demux;
  CRecordCapture capture;
  demux.Initialise(&capture, nullptr);
  for (const Bytes& p : CSimRecorder::Payloads(5, setup)) demux.Demultiplex(p.data(), DWORD(p.size()));
  ASSERT_GT(capture.file.size(), 100000u);
  const Elementary recorded = FromPesRun(capture.file);

  CMemoryRecordFile file(capture.file);
  CRecordFileReader measure;
  measure.Attach(&file, kPva5, kFileProgramStream);
  DWORD length, duration;
  WORD rate;
  ASSERT_TRUE(measure.GetFileParams(length, duration, rate));
  EXPECT_NEAR(double(duration), 3000.0, 400.0) << "the last audio PTS of a rebased recording";

  CProgramStreamReader reader;
  reader.Reset(&file);
  std::vector<Bytes> played;
  const BYTE* packet;
  DWORD n;
  while (reader.Next(packet, n)) played.emplace_back(packet, packet + n);
  const Elementary back = FromPva(played);
  EXPECT_EQ(back.audio, recorded.audio);
  // The last video bytes (fewer than 4) wait for a PES that never comes.
  ASSERT_LE(back.video.size(), recorded.video.size());
  EXPECT_LT(recorded.video.size() - back.video.size(), 4u);
  EXPECT_TRUE(std::equal(back.video.begin(), back.video.end(), recorded.video.begin()));
  EXPECT_EQ(reader.DroppedPes(), 0u);
  EXPECT_EQ(reader.TimePosition(duration), duration);

  // Jumps: half-way in lands on a PES start; beyond the end ends the file.
  file.Seek(0);
  reader.Reset(&file);
  const DWORD half = reader.Seek(duration, int(duration / 2));
  EXPECT_NEAR(double(half), duration / 2.0, 100.0);
  ASSERT_TRUE(reader.Next(packet, n));
  EXPECT_EQ(reader.Seek(duration, int(duration)), duration);
  EXPECT_FALSE(reader.Next(packet, n));
}

TEST_F(RoundTripTest, DamagedProgramStreamsPlayWhatIsLeft) {
  CPvaDemultiplexer demux;
  CRecordCapture capture;
  demux.Initialise(&capture, nullptr);
  for (const Bytes& p : CSimRecorder::Payloads(5, setup)) demux.Demultiplex(p.data(), DWORD(p.size()));
  const Bytes whole = capture.file;
  struct Row {
    const char* name;
    std::function<Bytes()> make;
    bool plays;
  } rows[] = {
      {"cut in the middle of a PES", [&] { return Bytes(whole.begin(), whole.begin() + long(whole.size() / 2 + 7)); },
       true},
      {"garbage in front", [&] { Bytes b(5000, 0x00); Append(b, whole.data(), whole.size()); return b; }, true},
      {"a stream id out of range", [&] {
         Bytes b = {0, 0, 1, 0xF0, 0, 4, 1, 2, 3, 4};
         Append(b, whole.data(), whole.size());
         return b;
       }, true},
      {"a PES length of 0", [&] {
         Bytes b = {0, 0, 1, 0xE0, 0, 0, 0x80, 0, 0};
         Append(b, whole.data(), whole.size());
         return b;
       }, true},
      {"only a pack header", [] { return Bytes{0, 0, 1, 0xBA, 0x44, 0, 4, 0, 4, 1, 1, 0x89, 0xC3, 0xF8}; }, false},
      {"empty", [] { return Bytes(); }, false},
  };
  for (const Row& row : rows) {
    CMemoryRecordFile file(row.make());
    CProgramStreamReader reader;
    reader.Reset(&file);
    size_t count = 0;
    const BYTE* packet;
    DWORD n;
    while (reader.Next(packet, n)) {
      ASSERT_GE(n, 8u) << row.name;
      ASSERT_EQ(DWORD((packet[6] << 8) | packet[7]) + 8, n) << row.name;
      ++count;
    }
    EXPECT_EQ(count > 0, row.plays) << row.name;
  }
}

// A ring file wraps once the next packet would reach its limit: the worker
// pads from where the last packet ended up to exactly the limit with zeros,
// in bounded pieces, so a limit of gigabytes allocates nothing.
TEST(RingPaddingTest, ZerosUpToExactlyTheLimitInBoundedPieces) {
  struct Row {
    const char* name;
    DWORD at, limitKB;
    int failAfterWrites;  // -1: every write succeeds
    int pieces;           // writes that succeed
  } rows[] = {
      {"nothing to pad", 50 * 1024, 50, -1, 0},
      {"less than a piece", 50000, 50, -1, 1},
      {"exactly one piece", 0, 64, -1, 1},
      {"several pieces", 4000, 200, -1, 4},  // 200,800 bytes: three whole pieces and 4,192 bytes
      {"a piece that fails", 4000, 200, 2, 2},
  };
  for (const Row& row : rows) {
    CRecordCapture out;
    out.file.assign(row.at, 0xA5);
    out.failAfterWrites = row.failAfterWrites;
    const DWORD end = row.limitKB * 1024;
    const BOOL ok = recordfile::WriteZeros(out, end - row.at);
    EXPECT_EQ(ok, row.failAfterWrites < 0) << row.name;
    EXPECT_EQ(out.writes, row.pieces) << row.name;
    // Exactly the limit; after a failure, what the pieces before it wrote.
    const size_t size = ok ? end : row.at + size_t(row.pieces) * recordfile::kZeroPiece;
    EXPECT_EQ(out.file.size(), size) << row.name;
    EXPECT_EQ(std::count(out.file.begin(), out.file.begin() + long(row.at), 0xA5), long(row.at)) << row.name;
    EXPECT_EQ(std::count(out.file.begin() + long(row.at), out.file.end(), 0), long(out.file.size() - row.at))
        << row.name;
  }
}
