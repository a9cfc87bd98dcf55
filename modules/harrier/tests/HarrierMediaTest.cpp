// harrier's media files played through the card: the format chosen by the
// file's name, the states from start to stop with speed, pause and seek,
// what the status timer reports meanwhile, and each failure's result.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>

#include "HarrierTestRig.h"

namespace {

constexpr DWORD kFileBytes = 400000;

// A file of kFileBytes in the temp folder, named with the given ending.
class CMediaFile {
 public:
  explicit CMediaFile(const std::string& ending) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    m_path = std::string(temp) + "harrier-" + std::to_string(GetCurrentProcessId()) + ending;
    std::ofstream(m_path, std::ios::binary) << std::string(kFileBytes, '\x47');
  }
  ~CMediaFile() { DeleteFileA(m_path.c_str()); }
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

TEST_F(HarrierTest, AMediaFileIsOpenedInTheFormatItsNameEndsIn) {
  const struct {
    const char* ending;
    int format;
  } cases[] = {{".MPEG", 3}, {".PVA", 2}, {".psv", 1}, {".ts", 2}, {".mp2", 0}, {".Mpg", 3}};
  Load("");
  ASSERT_EQ(1, host.Open(0));
  host.status.m_iPlayBufferKB = 64;
  for (const auto& c : cases) {
    const CMediaFile file(c.ending);
    ASSERT_EQ(0, host.fn.StartPlayback(file.Path().c_str())) << c.ending;
    EXPECT_TRUE(Recorded("RecPlayFile Open " + file.Path() + " " + std::to_string(c.format) + " 1 65536"))
        << c.ending << "\n" << Record();
    EXPECT_EQ(0, host.fn.StopRecPlay()) << c.ending;
  }
  host.status.m_iPlayBufferKB = 0;  // the library's own size
  const CMediaFile file(".pva");
  ASSERT_EQ(0, host.fn.StartPlayback(file.Path().c_str()));
  EXPECT_TRUE(Recorded("RecPlayFile Open " + file.Path() + " 2 1 -1"));
  EXPECT_EQ(0, host.fn.StopRecPlay());
  EXPECT_EQ(0, host.Close());
}

TEST_F(HarrierTest, APlaybackGoesThroughItsStatesAndTheTimerFollowsIt) {
  const CMediaFile file(".mpg");
  Load("playrate 400\n");  // 50,000 bytes a second: the file lasts 8 s
  ASSERT_EQ(1, host.Open(0));
  EXPECT_EQ(5, host.fn.SpeedRecPlay(0));  // nothing plays yet
  EXPECT_EQ(5, host.fn.SeekPlayback(500));
  EXPECT_EQ(3, host.fn.StopRecPlay());

  CardSimLoadScript("playrate 400\n");
  ASSERT_EQ(0, host.fn.StartPlayback(file.Path().c_str()));
  const std::vector<std::string> start = {"RecPlayFile Close", "RecPlayFile Open " + file.Path() + " 3 1 -1",
                                          "RecPlayFile Playback 0", "RecPlayFile PlaybackPause",
                                          "RecPlayFile Playback 0"};
  EXPECT_EQ(start, RecordLines());
  EXPECT_TRUE(Logged("Mediafile " + file.Path() + " successfully opened."));
  EXPECT_TRUE(Logged("Playback successfully started."));
  EXPECT_EQ(1u, host.status.m_iRecPlayState);
  EXPECT_EQ(0u, host.status.m_iPlaySpeed);
  ASSERT_TRUE(host.PumpUntil([&] { return host.status.m_iPlayPosition != CModuleHost::kSentinel &&
                                          host.status.m_iPlayPosition > 0; }, 10000));
  EXPECT_LT(host.status.m_iPlayPosition, 1000u);
  EXPECT_EQ(400u, host.status.m_iDataRate);
  EXPECT_EQ(kFileBytes, host.status.m_llRecordedSize);

  // Speeds: each row's card call and the speed it leaves.
  const struct {
    int speed;
    const char* call;
    DWORD result, after;
  } speeds[] = {
      {1, "RecPlayFile PlaybackFast 0", 0, 1}, {2, "RecPlayFile PlaybackFast 1", 0, 2},
      {3, "RecPlayFile PlaybackSlow 2", 0, 3}, {0, "RecPlayFile Playback 0", 0, 0},
      {4, "RecPlayFile PlaybackPause", 0, 4},  {4, "RecPlayFile Playback 0", 0, 0},  // the pause toggles
      {7, nullptr, 5, 0},
  };
  for (const auto& s : speeds) {
    CardSimLoadScript("playrate 400\n");
    EXPECT_EQ(static_cast<int>(s.result), host.fn.SpeedRecPlay(s.speed)) << s.speed;
    EXPECT_EQ(s.call ? std::vector<std::string>{s.call} : std::vector<std::string>{}, RecordLines()) << s.speed;
    EXPECT_EQ(s.after, host.status.m_iPlaySpeed) << s.speed;
  }

  // Paused, the position stands.
  ASSERT_EQ(0, host.fn.SpeedRecPlay(4));
  ASSERT_TRUE(Ticks(1));
  const DWORD paused = host.status.m_iPlayPosition;
  ASSERT_TRUE(Ticks(2));
  EXPECT_EQ(paused, host.status.m_iPlayPosition);
  EXPECT_EQ(0u, host.status.m_iDataRate);
  ASSERT_EQ(0, host.fn.SpeedRecPlay(4));

  // Seeking stops, starts at the place and plays on from there.
  CardSimLoadScript("playrate 400\n");
  EXPECT_EQ(0, host.fn.SeekPlayback(750));
  const std::vector<std::string> seek = {"RecPlayFile Stop", "RecPlayFile Playback 300000", "RecPlayFile PlaybackPause",
                                         "RecPlayFile Playback 0"};
  EXPECT_EQ(seek, RecordLines());
  ASSERT_TRUE(Ticks(1));
  EXPECT_GE(host.status.m_iPlayPosition, 750u);
  CardSimLoadScript("playrate 400\n");
  EXPECT_EQ(0, host.fn.SeekPlayback(4000));  // past the end: the end
  EXPECT_TRUE(Recorded("RecPlayFile Playback 400000"));

  EXPECT_EQ(0, host.fn.StopRecPlay());
  EXPECT_TRUE(Logged("Mediafile successfully stopped."));
  EXPECT_TRUE(Logged("Mediafile successfully closed."));
  EXPECT_EQ(0u, host.status.m_iRecPlayState);
  EXPECT_EQ(0u, host.status.m_iDataRate);
  EXPECT_EQ(3, host.fn.StopRecPlay());
  EXPECT_EQ(5, host.fn.SpeedRecPlay(4));

  // The host's own player (state 3) is not the module's to steer.
  host.status.m_iRecPlayState = 3;
  EXPECT_EQ(5, host.fn.SpeedRecPlay(0));
  EXPECT_EQ(5, host.fn.SeekPlayback(10));
  host.status.m_iRecPlayState = 0;
  EXPECT_EQ(0, host.Close());
}

TEST_F(HarrierTest, EachFailureOfAMediaFileIsReportedAndLeavesTheStateAlone) {
  const CMediaFile file(".pva");
  const struct {
    const char* script;
    const char* file;
    DWORD state;  // the host's state before the call
    const char* line;
  } cases[] = {
      {"", "C:\\nowhere\\missing.pva", 0, "Error opening mediafile."},
      {"fail FileOpen 2", nullptr, 0, "Error opening mediafile."},
      {"fail FilePlayback 2", nullptr, 0, "Error playing the mediafile."},
      {"", nullptr, 2, nullptr},  // while recording
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    Load(c.script);
    ASSERT_EQ(1, host.Open(0));
    host.status.m_iRecPlayState = c.state;
    EXPECT_EQ(3, host.fn.StartPlayback(c.file ? c.file : file.Path().c_str()));
    EXPECT_EQ(c.state, host.status.m_iRecPlayState);
    if (c.line) {
      EXPECT_TRUE(Logged(c.line));
    }
    host.status.m_iRecPlayState = 0;
    EXPECT_EQ(0, host.Close());
  }
  Load("");
  ASSERT_EQ(1, host.Open(0));
  EXPECT_EQ(3, host.fn.StartPlayback(nullptr));
  EXPECT_EQ(0u, host.status.m_iRecPlayState);
  EXPECT_EQ(0, host.Close());

  Load("fail FileClose 2");  // the close before the opening has no file to close
  ASSERT_EQ(1, host.Open(0));
  ASSERT_EQ(0, host.fn.StartPlayback(file.Path().c_str()));
  EXPECT_EQ(3, host.fn.StopRecPlay());
  EXPECT_TRUE(Logged("Error closing mediafile."));
  EXPECT_EQ(1u, host.status.m_iRecPlayState);
  EXPECT_EQ(0, host.Close());
}

}  // namespace
