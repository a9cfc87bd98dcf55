// A format-5 recording of the ffmpeg programme, packed into PVA packets by
// the simulated box's recorder, through the demultiplexer: the PES pieces
// are rebased and split, the recording starts at a sequence header, and
// the program stream it writes is read back by ffmpeg, whose elementary
// streams must be slices of the programme's own. Runs natively only (it
// calls ffmpeg and ffprobe).
#include "PvaDemultiplexer.h"

#include "RecordCapture.h"
#include "TestData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

bool WriteFile(const std::string& path, const std::vector<BYTE>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  return std::fclose(f) == 0;
}

std::string RunCommand(const std::string& command) {
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  if (!p) return out;
  char line[256];
  while (std::fgets(line, sizeof(line), p)) out += line;
  pclose(p);
  return out;
}

// The elementary bytes of the pieces of one stream, in order.
std::vector<BYTE> Elementary(const std::vector<std::vector<BYTE>>& pieces) {
  std::vector<BYTE> out;
  for (const auto& p : pieces) out.insert(out.end(), p.begin() + 9 + p[8], p.end());
  return out;
}

bool IsSliceOf(const std::vector<BYTE>& part, const std::vector<BYTE>& whole) {
  return !part.empty() && std::search(whole.begin(), whole.end(), part.begin(), part.end()) != whole.end();
}

class RecordingFixtureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    video = ReadTestData("video.m2v");
    audio = ReadTestData("audio.mp2");
    ASSERT_FALSE(video.empty()) << "QUILLON_TEST_DATA must hold scripts/make-fixtures' output";
  }
  void Record(const SimPvaOptions& options) {
    CSimPvaComposer box(video, audio, options);
    demux.Initialise(&capture, &capture);
    for (const auto& packet : box.Packets()) demux.Demultiplex(packet.data(), DWORD(packet.size()));
  }

  std::vector<BYTE> video, audio;
  CPvaDemultiplexer demux;
  CRecordCapture capture;
};

}  // namespace

TEST_F(RecordingFixtureTest, PiecesAreRebasedSplitAndStartAtASequenceHeader) {
  SimPvaOptions options;
  options.skipVideoUnits = 5;  // the recording starts inside a GOP
  Record(options);
  auto packs = capture.Of('R');
  ASSERT_GT(packs.size(), 20u);
  const std::vector<BYTE>& first = packs[0];
  EXPECT_EQ(first[17], 0xBB);
  EXPECT_EQ(first[32 + 3], 0xE0);
  const size_t data = 32 + 9 + first[32 + 8];
  EXPECT_EQ(std::vector<BYTE>(first.begin() + long(data), first.begin() + long(data) + 4),
            std::vector<BYTE>({0, 0, 1, 0xB3}));
  // The handlers get every piece but the starting one.
  auto videoPieces = capture.Of('V'), audioPieces = capture.Of('A');
  EXPECT_EQ(videoPieces.size() + audioPieces.size() + 1, packs.size());
  for (const auto& v : videoPieces) {
    EXPECT_EQ(v[3], 0xE0);
    EXPECT_LE(v.size(), 4096u + 14u);
    EXPECT_EQ(size_t((v[4] << 8) | v[5]) + 6, v.size());
  }
  for (const auto& a : audioPieces) {
    EXPECT_EQ(a[3], 0xC0);
    // At most seven 576-byte frames.
    EXPECT_LE(a.size(), 14u + 7u * 576u);
  }
  // Rebased: the first audio PTS lies a little after the SCR start.
  int64_t firstAudio = -1;
  for (const auto& a : audioPieces)
    if ((firstAudio = PtsOf(a)) >= 0) break;
  EXPECT_GT(firstAudio, 0);
  EXPECT_LT(firstAudio, 90000);
}

TEST_F(RecordingFixtureTest, ProgramStreamReadsBackInFfmpeg) {
  Record(SimPvaOptions());
  const std::string dir = ::testing::TempDir();
  const std::string ps = dir + "boxrec.mpg", m2v = dir + "boxrec.m2v", mp2 = dir + "boxrec.mp2";
  ASSERT_TRUE(WriteFile(ps, capture.file));
  const std::string streams = RunCommand("ffprobe -v error -show_entries stream=codec_name -of csv=p=0 " + ps);
  EXPECT_NE(streams.find("mpeg2video"), std::string::npos) << streams;
  EXPECT_NE(streams.find("mp2"), std::string::npos) << streams;
  RunCommand("ffmpeg -nostdin -v error -y -i " + ps + " -map 0:v -c copy -f mpeg2video " + m2v +
             " -map 0:a -c copy -f mp2 " + mp2);
  // ffmpeg finds exactly the elementary bytes written, and they are the
  // programme's own.
  std::vector<std::vector<BYTE>> videoPes, audioPes;
  for (const auto& pack : capture.Of('R')) {
    std::vector<BYTE> pes(pack.begin() + (pack[17] == 0xBB ? 32 : 14), pack.end());
    (pes[3] == 0xE0 ? videoPes : audioPes).push_back(pes);
  }
  const auto writtenVideo = Elementary(videoPes), writtenAudio = Elementary(audioPes);
  EXPECT_EQ(ReadFileBytes(m2v), writtenVideo);
  EXPECT_EQ(ReadFileBytes(mp2), writtenAudio);
  EXPECT_TRUE(IsSliceOf(writtenVideo, video));
  EXPECT_TRUE(IsSliceOf(writtenAudio, audio));
  EXPECT_GT(writtenVideo.size(), video.size() / 2);
  std::remove(ps.c_str());
  std::remove(m2v.c_str());
  std::remove(mp2.c_str());
}

TEST_F(RecordingFixtureTest, StampsRunOnWhereTheBoxClockWraps) {
  SimPvaOptions options;
  options.firstPts = 0xFFFFFFFFu - 90000;  // the box's 32-bit clock wraps a second in
  options.loops = 2;
  Record(options);
  const std::string ps = ::testing::TempDir() + "boxrec-wrap.mpg";
  ASSERT_TRUE(WriteFile(ps, capture.file));
  // ffprobe's audio packet times (milliseconds) rise by one frame each.
  const std::string times = RunCommand("ffprobe -v error -select_streams a -show_entries packet=pts -of csv=p=0 " + ps);
  std::remove(ps.c_str());
  long previous = -1, count = 0;
  for (size_t at = 0; at < times.size();) {
    size_t end = times.find('\n', at);
    if (end == std::string::npos) end = times.size();
    const std::string line = times.substr(at, end - at);
    at = end + 1;
    if (line.empty() || line[0] < '0' || line[0] > '9') continue;
    const long pts = std::stol(line);
    if (previous >= 0) EXPECT_EQ(pts - previous, 2160) << "packet " << count;
    previous = pts;
    ++count;
  }
  EXPECT_GT(count, 200);  // both loops: six seconds of audio frames
}
