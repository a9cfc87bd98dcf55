// A real transport stream made with ffmpeg (scripts/make-fixtures) through
// the recorder: what the host's tap receives, written one after the other,
// is an MPEG-2 program stream that ffprobe recognises, and ffmpeg reads the
// same elementary-stream bytes out of it as out of the transport stream (all
// but what the assemblers still hold at the end).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "RecorderRig.h"

namespace {

std::string DataPath(const char* name) {
  const char* dir = std::getenv("QUILLON_TEST_DATA");
  return dir ? std::string(dir) + "/modules/" + name : std::string();
}

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Output(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char line[256];
    while (std::fgets(line, sizeof(line), p)) out += line;
    pclose(p);
  }
  return out;
}

TEST(RecorderStream, FfmpegTransportStreamBecomesAProgramStreamWithTheSameElementaryStreams) {
  const Bytes ts = ReadFile(DataPath("stream.ts"));
  const Bytes video = ReadFile(DataPath("video.m2v"));
  const Bytes audio = ReadFile(DataPath("audio.mp2"));
  ASSERT_FALSE(ts.empty()) << "run scripts/make-fixtures";
  ASSERT_FALSE(video.empty());

  RecorderRig rig;
  for (size_t i = 0; i + 188 <= ts.size(); i += 188) {
    const int pid = (ts[i + 1] & 0x1F) << 8 | ts[i + 2];
    if (pid == 0x100) rig.recorder.OnStreamData(0, ts.data() + i, 188);
    if (pid == 0x101) rig.recorder.OnStreamData(1, ts.data() + i, 188);
  }
  ASSERT_GT(RecorderRig::delivered.size(), 50u);
  EXPECT_TRUE(RecorderRig::log.empty()) << RecorderRig::log.front();

  const std::string dir = testing::TempDir() + "recorder-stream-" + std::to_string(getpid());
  ASSERT_EQ(0, std::system(("mkdir -p " + dir).c_str()));
  {
    std::ofstream out(dir + "/out.mpg", std::ios::binary);
    for (const Bytes& pack : RecorderRig::delivered)
      out.write(reinterpret_cast<const char*>(pack.data()), static_cast<std::streamsize>(pack.size()));
  }
  const std::string probe =
      Output("ffprobe -v error -show_entries format=format_name:stream=codec_name -of csv=p=0 " + dir + "/out.mpg");
  EXPECT_NE(std::string::npos, probe.find("mpeg2video")) << probe;
  EXPECT_NE(std::string::npos, probe.find("mp2")) << probe;
  EXPECT_NE(std::string::npos, probe.find("\nmpeg\n")) << probe;

  const std::string ff = "ffmpeg -nostdin -v error -y -f mpeg -i " + dir + "/out.mpg -c copy ";
  ASSERT_EQ(0, std::system((ff + "-map 0:v -f mpeg2video " + dir + "/v.m2v").c_str()));
  ASSERT_EQ(0, std::system((ff + "-map 0:a -f mp2 " + dir + "/a.mp2").c_str()));
  struct Stream {
    const char* file;
    const Bytes& whole;
    size_t held;  // at most what an assembler holds back: below its threshold plus one packet
  };
  for (const Stream& s : {Stream{"/v.m2v", video, 4 * 6130 + 6130}, Stream{"/a.mp2", audio, 4 * 2034 + 2034}}) {
    const Bytes got = ReadFile(dir + s.file);
    SCOPED_TRACE(s.file);
    ASSERT_LE(got.size(), s.whole.size());
    EXPECT_GE(got.size() + s.held, s.whole.size());
    EXPECT_TRUE(std::equal(got.begin(), got.end(), s.whole.begin()));
  }
  std::system(("rm -rf " + dir).c_str());
}

}  // namespace
