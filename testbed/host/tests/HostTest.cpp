#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "HostProcess.h"
#include "PesFile.h"
#include "SampleChannelList.h"

namespace {

class Host : public testing::Test {
 protected:
  Host() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    dir = std::string(temp) + "tvhost-" + std::to_string(GetCurrentProcessId()) + "-" +
          testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDirectoryA(dir.c_str(), nullptr);
    report = dir + "\\probe.txt";
    log = dir + "\\host.log";
    SetEnvironmentVariableA("QUILLON_PROBE_REPORT", report.c_str());
    DeleteFileA(report.c_str());
  }

  DWORD Run(const std::string& arguments) { return RunHost(arguments); }

  std::string Probe() const { return "\"" + TestDir() + "\\probe_plugin.dll\""; }

  std::string dir, report, log;
};

unsigned Fnv(const std::vector<PesFilePacket>& packets) {
  unsigned hash = 2166136261u;
  for (const PesFilePacket& p : packets)
    for (uint8_t b : p.bytes) hash = (hash ^ b) * 16777619u;
  return hash;
}

TEST_F(Host, DrivesAPluginThroughItsWholeLife) {
  ASSERT_TRUE(WriteSampleChannelList(dir + "\\sample.qcx"));
  ASSERT_TRUE(WriteSyntheticPesStream(dir + "\\sample.pes", 2));
  std::vector<PesFilePacket> packets;
  std::string error;
  ASSERT_TRUE(ReadPesFile(dir + "\\sample.pes", &packets, &error)) << error;

  ASSERT_EQ(0u, Run("--plugin " + Probe() + " --list \"" + dir + "\\sample.qcx\" --pes \"" + dir +
                    "\\sample.pes\" --rate fast --channel 3 --menu --exit-when-fed --log \"" + log + "\""));

  const auto seen = Lines(ReadText(report));
  // The host's lists: TV providers and channels, then radio, as in the file.
  const std::vector<std::string> expected = {
      "start host=\"Quillon\"",
      "channels 16",
      "channel 0 \"ARD\" type=0 kind=1 sid=0",
      "channel 1 \"Das Erste\" type=1 kind=1 sid=28106",
      "channel 5 \"ZDF\" type=1 kind=1 sid=28006",
      "channel 10 \"Rai 2\" type=1 kind=1 sid=3402",
      "channel 11 \"ZDFvision\" type=0 kind=2 sid=0",
      "channel 12 \"Deutschlandfunk\" type=1 kind=2 sid=28208",
      "channel 15 \"Rai Radio 1\" type=1 kind=2 sid=3421",
      "second 3",
      "second 0 \"Das Erste\" tail=00",
      "second 2 \"Deutschlandfunk\" tail=00",
      "current 3",
      "current after switch 2",
      "menu 41731",
      "messagebox answered 1",
      "exit",
  };
  for (const std::string& line : expected) EXPECT_TRUE(Has(seen, line)) << line;
  char pes[128];
  long long bytes = 0;
  for (const PesFilePacket& p : packets) bytes += static_cast<long long>(p.bytes.size());
  std::snprintf(pes, sizeof(pes), "pes packets=%zu bytes=%lld other-thread=1 hash=%08X", packets.size(), bytes,
                Fnv(packets));
  EXPECT_TRUE(Has(seen, pes)) << pes;
  EXPECT_EQ("exit", seen.back());

  const auto host = Lines(ReadText(log));
  const std::vector<std::string> hostLines = {
      "channel list: 16 records, second list: 3 records",
      "plugin name \"Probe Plugin\"",
      "menu merged \"Probe\": \"Eigenschaften...\" (41731)",
      "plugin started",
      "request 0x1022000 server started expert=1",
      "request 0x1022012 switch channel 2",
      "messagebox \"Probe\": Probe says hello",
      "plugin exit",
      "request 0x1022010 server stopped expert=0",
      "records answered: channels=16 second=3",
      "host exit",
  };
  for (const std::string& line : hostLines) EXPECT_TRUE(Has(host, line)) << line;
  EXPECT_TRUE(HasPrefix(host, "stream fed " + std::to_string(packets.size()) + " packets"));
}

TEST_F(Host, RefusesBadCommandLinesAndBadFiles) {
  ASSERT_TRUE(WriteSampleChannelList(dir + "\\good.qcx"));
  {
    std::ofstream cut(dir + "\\cut.qcx", std::ios::binary);
    cut << "abcde";
  }
  {
    std::ofstream cut(dir + "\\cut.pes", std::ios::binary);
    const char packet[] = {0, 0, 1, static_cast<char>(0xE0), 0x10, 0};  // promises 4096 bytes
    cut.write(packet, sizeof(packet));
  }
  struct Row {
    std::string arguments;
    DWORD code;
    std::string logPrefix;
  };
  const std::string logArg = " --log \"" + log + "\"";
  const Row rows[] = {
      {"--list x.qcx", 2, ""},
      {"--plugin " + Probe() + " --bogus", 2, ""},
      {"--plugin " + Probe() + " --loop", 2, ""},
      {"--plugin " + Probe() + " --rate slow", 2, ""},
      {"--plugin \"" + dir + "\\missing.dll\"" + logArg, 1, "error: cannot load"},
      {"--plugin " + Probe() + " --list \"" + dir + "\\cut.qcx\"" + logArg, 1, "error: cannot read the channel list"},
      {"--plugin " + Probe() + " --list \"" + dir + "\\good.qcx\" --pes \"" + dir + "\\cut.pes\"" + logArg, 1,
       "error: packet cut short at byte 0"},
  };
  for (const Row& row : rows) {
    DeleteFileA(log.c_str());
    EXPECT_EQ(row.code, Run(row.arguments)) << row.arguments;
    if (!row.logPrefix.empty()) {
      EXPECT_TRUE(HasPrefix(Lines(ReadText(log)), row.logPrefix)) << row.arguments;
    }
  }
}

TEST(PesFile, SplitsPacketsOutOfAProgramStreamAndReadsTheirPts) {
  // A pack header with 2 stuffing bytes, a system header, a video packet with
  // PTS 0x1ABCDEF12, padding, an audio packet without PTS, the end code.
  std::vector<uint8_t> stream = {0, 0, 1, 0xBA, 0x44, 0, 4, 0, 4, 1, 1, 0x89, 0xC3, 0xFA, 0xFF, 0xFF};
  const std::vector<uint8_t> system = {0, 0, 1, 0xBB, 0, 2, 0x80, 0x01};
  const std::vector<uint8_t> video = {0, 0, 1, 0xE0, 0, 10, 0x80, 0x80, 5, 0x2D, 0xAF, 0x37, 0xDE, 0x25, 0xAA, 0xBB};
  const std::vector<uint8_t> padding = {0, 0, 1, 0xBE, 0, 3, 0xFF, 0xFF, 0xFF};
  const std::vector<uint8_t> audio = {0, 0, 1, 0xC0, 0, 4, 0x80, 0, 0, 0x55};
  for (const auto* part : {&system, &video, &padding, &audio}) stream.insert(stream.end(), part->begin(), part->end());
  stream.insert(stream.end(), {0, 0, 1, 0xB9});
  std::string error;
  const auto packets = SplitPesStream(stream, &error);
  EXPECT_EQ("", error);
  ASSERT_EQ(2u, packets.size());
  EXPECT_EQ(video, packets[0].bytes);
  EXPECT_TRUE(packets[0].hasPts);
  EXPECT_EQ(0x1ABCDEF12ull, packets[0].pts);
  EXPECT_EQ(audio, packets[1].bytes);
  EXPECT_FALSE(packets[1].hasPts);

  const std::vector<uint8_t> garbage = {0, 0, 1, 0xE0, 0, 1, 7, 0x12, 0x34};
  const auto some = SplitPesStream(garbage, &error);
  EXPECT_EQ(1u, some.size());
  EXPECT_EQ("no start code at byte 7", error);
}

}  // namespace
