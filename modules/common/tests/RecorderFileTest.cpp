// The recorder's file side on real files: the program-stream header at the
// start of a file in modes 2 to 4, the transport stream written straight in
// mode 10 (and then nothing to the tap), stop and size, and the modules
// whose recorder starts no files.
#include <gtest/gtest.h>

#include <windows.h>

#include "RecorderRig.h"

namespace {

std::string TempFile(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(sizeof(dir), dir);
  return std::string(dir) + "recorder-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

Bytes ReadBack(const std::string& path) {
  Bytes bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    int c;
    while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(f);
  }
  return bytes;
}

TEST(RecorderFile, StartsWithTheProgramStreamHeaderInModes2To4) {
  const std::string path = TempFile("ps.mpg");
  for (WORD mode : {2, 3, 4, 5}) {
    RecorderRig rig;
    ASSERT_TRUE(rig.recorder.StartRecording(path.c_str(), mode, 0));
    EXPECT_EQ(mode <= 4 ? 32u : 0u, rig.recorder.GetRecordedSize());
    EXPECT_TRUE(rig.recorder.StopRecording());
    EXPECT_FALSE(rig.recorder.StopRecording());
    EXPECT_EQ(0u, rig.recorder.GetRecordedSize());
    if (mode <= 4) {
      Bytes expected(kPackHeaderTemplate, kPackHeaderTemplate + 14);
      expected.insert(expected.end(), kSystemHeaderTemplate, kSystemHeaderTemplate + 18);
      EXPECT_TRUE(expected == ReadBack(path)) << mode;
    }
  }
  DeleteFileA(path.c_str());
}

TEST(RecorderFile, Mode10WritesTheTransportStreamStraightIntoTheFile) {
  const std::string path = TempFile("ts.ts");
  RecorderRig rig;
  ASSERT_TRUE(rig.recorder.StartRecording(path.c_str(), CDVBRecorder::kDirectWriteMode, 0));
  const Bytes ts = Packetise(Pes(0xC0, 9000, 8994));
  rig.Feed(1, ts);
  EXPECT_EQ(ts.size(), rig.recorder.GetRecordedSize());
  EXPECT_TRUE(RecorderRig::delivered.empty());
  EXPECT_EQ(0u, rig.recorder.Buffer(1).Gathered());
  EXPECT_TRUE(rig.recorder.StopRecording());
  EXPECT_TRUE(ts == ReadBack(path));
  // Closed, the stream goes to the assemblers again.
  rig.Feed(1, ts);
  EXPECT_EQ(1u, RecorderRig::delivered.size());
  DeleteFileA(path.c_str());
}

TEST(RecorderFile, OspreyAndCondorStartNoFilesAndABadPathFails) {
  const std::string path = TempFile("none.ts");
  for (RecorderModule module : {RecorderModule::osprey, RecorderModule::condor}) {
    RecorderRig rig(module);
    EXPECT_FALSE(rig.recorder.StartRecording(path.c_str(), CDVBRecorder::kDirectWriteMode, 0));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
  }
  RecorderRig rig;
  EXPECT_FALSE(rig.recorder.StartRecording("Z:\\no\\such\\folder\\x.ts", 2, 0));
  EXPECT_FALSE(rig.recorder.StopRecording());
}

}  // namespace
