// The card library stand-in: injected failures, filters that deliver a
// PID's payload in random chunks, and the scripted common interface.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <TestData.h>

#include "CardSim.h"
#include "DVBAVControl.h"
#include "DVBBoardControl.h"
#include "DVBComnIF.h"
#include "DVBCommon.h"
#include "DVBFrontend.h"
#include "DVBRecPlayFile.h"
#include "DVBTSFilter.h"
#include "DVBVideoDisplay.h"

namespace {

std::string Record() {
  std::string text(CardSimRecord(nullptr, 0) + 1, '\0');
  CardSimRecord(text.data(), static_cast<int>(text.size()));
  text.resize(text.size() - 1);
  return text;
}

template <typename Done>
bool WaitFor(Done done, DWORD limitMs = 10000) {
  for (DWORD waited = 0; waited < limitMs; waited += 10) {
    if (done()) return true;
    Sleep(10);
  }
  return done();
}

TEST(CardLink, ScriptedFailuresAnswerTheirCodeOnTheCallsTheyName) {
  struct Case {
    const char* script;
    int (*call)();
    std::vector<int> results;  // of consecutive calls
  };
  const Case cases[] = {
      {"fail BootARM 2 skip 1 times 1",
       [] {
         CString folder("C:\\Firmware\\Boot\\24\\");
         return static_cast<int>(CDVBBoardControl().BootARM(&folder));
       },
       {0, 2, 0}},
      // The set-up's open below is the first call.
      {"fail OpenDevice 2 skip 1 times 1",
       [] { return static_cast<int>(CDVBCommon::OpenDevice(0, "APP", TRUE)); },
       {0, 1, 1}},
      {"fail Init 2 times 1", [] { return static_cast<int>(CDVBFrontend().Init()); }, {2, 0}},
      {"fail EnableDataDMA 7", [] { return static_cast<int>(CDVBBoardControl().EnableDataDMA(TRUE)); }, {7, 7}},
  };
  for (const Case& c : cases) {
    CardSimLoadScript(c.script);
    ASSERT_TRUE(CDVBCommon::OpenDevice(0, "SETUP", TRUE));
    std::vector<int> results;
    for (size_t i = 0; i < c.results.size(); ++i) results.push_back(c.call());
    EXPECT_EQ(c.results, results) << c.script;
    EXPECT_NE(std::string::npos, Record().find("injected: ")) << c.script;
    CDVBCommon::CloseDevice();
  }
}

TEST(CardLink, BootNeedsAFolderAndTheVersionTellsOfTheSecondImage) {
  CardSimLoadScript("beversion F0210003\n");
  CDVBBoardControl board;
  CString file("C:\\Firmware\\Boot\\24");
  EXPECT_EQ(DVB_ERR_ARGUMENT, board.BootARM(&file));
  _BE_VERSION version;
  ASSERT_EQ(DVB_ERR_NONE, board.GetBEVersion(version));
  EXPECT_EQ(0xF021u, version.dwVersion[0] >> 16);
  EXPECT_NE(std::string::npos, Record().find("BootARM C:\\Firmware\\Boot\\24\n"));
}

class CCollectingFilter : public CDVBTSFilter {
 public:
  ~CCollectingFilter() override { StopDelivery(); }
  void OnDataArrival(BYTE* data, int length) override {
    if (!m_threadId) m_threadId = GetCurrentThreadId();
    sizes.push_back(length);
    bytes.insert(bytes.end(), data, data + length);
    received += length;
  }
  std::vector<int> sizes;
  std::vector<BYTE> bytes;
  std::atomic<size_t> received{0};
  std::atomic<DWORD> m_threadId{0};
};

TEST(CardLink, APipeFilterDeliversThePidsPayloadInRandomChunksOnAThreadOfItsOwn) {
  const std::string ts = std::string(std::getenv("QUILLON_TEST_DATA")) + "/modules/stream.ts";
  const std::vector<uint8_t> file = ReadFileBytes(ts);
  ASSERT_FALSE(file.empty());
  std::vector<BYTE> expected;  // the payloads of PID 0x101's packets, read here on their own
  for (size_t i = 0; i + 188 <= file.size(); i += 188) {
    const uint8_t* p = &file[i];
    if (((p[1] & 0x1F) << 8 | p[2]) != 0x101 || !(p[3] & 0x10)) continue;
    const size_t start = (p[3] & 0x20) ? 5 + p[4] : 4;
    expected.insert(expected.end(), p + start, p + 188);
  }
  CardSimLoadScript(("pes 257 " + ts + "\nchunks 100 3000 7\npace 0\n").c_str());
  CCollectingFilter filter;
  BYTE none[1] = {0};
  ASSERT_EQ(DVB_ERR_NONE, filter.SetFilter(CDVBTSFilter::FILTER_PIPE, 257, none, none, 0));
  ASSERT_TRUE(WaitFor([&] { return filter.received >= expected.size(); }));
  EXPECT_EQ(DVB_ERR_NONE, filter.ResetFilter());
  EXPECT_EQ(expected, filter.bytes);
  EXPECT_NE(GetCurrentThreadId(), filter.m_threadId.load());
  int smallest = 1 << 30, largest = 0;
  for (size_t i = 0; i + 1 < filter.sizes.size(); ++i) {
    smallest = std::min(smallest, filter.sizes[i]);
    largest = std::max(largest, filter.sizes[i]);
  }
  EXPECT_GE(smallest, 100);
  EXPECT_LE(largest, 3000);
  EXPECT_LT(smallest + 500, largest);  // the sizes vary
  EXPECT_EQ(DVB_ERR_STATE, filter.ResetFilter());
}

class CRecordingCi : public CDVBComnIF {
 public:
  ~CRecordingCi() override { StopDelivery(); }
  void OnSlotStatus(BYTE slot, BYTE status, _typ_SlotInfo* info) override {
    std::string line = "slot " + std::to_string(slot) + " " + std::to_string(status);
    if (info) {
      line += " " + std::string(reinterpret_cast<char*>(info->pRest));
      for (WORD i = 0; i < info->wCaIdCount; ++i) line += " " + std::to_string(info->pCaIds[i]);
    }
    Add(line);
  }
  void OnDisplayMenu(BYTE slot, WORD count, char* text, WORD length) override {
    std::string line = "menu " + std::to_string(slot) + " " + std::to_string(count) + ":";
    for (WORD at = 0; at < length; at += static_cast<WORD>(std::strlen(text + at) + 1)) line += std::string(" ") + (text + at);
    Add(line);
  }
  void OnInputRequest(BYTE slot, int blind, BYTE answerLength, DWORD) override {
    Add("enquiry " + std::to_string(slot) + " " + std::to_string(blind) + " " + std::to_string(answerLength));
  }
  void OnSwitchOsdOff(BYTE slot) override { Add("osdoff " + std::to_string(slot)); }
  std::vector<std::string> Lines() {
    CSingleLock lock(&m_lock, TRUE);
    return m_lines;
  }

 private:
  void Add(const std::string& line) {
    CSingleLock lock(&m_lock, TRUE);
    m_lines.push_back(line);
  }
  CCriticalSection m_lock;
  std::vector<std::string> m_lines;
};

TEST(CardLink, TheCommonInterfaceAnswersEachCallWithItsScriptedMessages) {
  CardSimLoadScript(
      "ci open slot 0 2 Alpha 0100 0B00\n"
      "ci menu:0 menu 0 Main|Sub|Bottom|Card|Language\n"
      "ci choice:2 enquiry 0 1 4\n"
      "ci answer:1234 osdoff 0\n");
  CRecordingCi ci;
  ASSERT_EQ(DVB_ERR_NONE, ci.Open());
  ASSERT_TRUE(WaitFor([&] { return ci.Lines().size() == 1; }));
  EXPECT_EQ(DVB_ERR_NONE, ci.EnterModuleMenu(0));
  ASSERT_TRUE(WaitFor([&] { return ci.Lines().size() == 2; }));
  EXPECT_EQ(DVB_ERR_NONE, ci.MenuAnswer(0, 1));  // nothing scripted for choice 1
  EXPECT_EQ(DVB_ERR_NONE, ci.MenuAnswer(0, 2));
  ASSERT_TRUE(WaitFor([&] { return ci.Lines().size() == 3; }));
  char answer[] = "1234";
  EXPECT_EQ(DVB_ERR_NONE, ci.Answer(0, answer, 4));
  ASSERT_TRUE(WaitFor([&] { return ci.Lines().size() == 4; }));
  EXPECT_EQ(DVB_ERR_NONE, ci.Close());
  const std::vector<std::string> expected = {"slot 0 2 Alpha 256 2816", "menu 0 2: Main Sub Bottom Card Language",
                                             "enquiry 0 1 4", "osdoff 0"};
  EXPECT_EQ(expected, ci.Lines());
  EXPECT_EQ(
      "CI Open\nEnterModuleMenu 0\nMenuAnswer 0 1\nMenuAnswer 0 2\nAnswer 0 4 \"1234\"\nCI Close\n", Record());
}

TEST(CardLink, WithoutACommonInterfaceOpenFails) {
  CardSimLoadScript("ci none\n");
  CRecordingCi ci;
  EXPECT_NE(DVB_ERR_NONE, ci.Open());
  EXPECT_EQ(DVB_ERR_STATE, ci.Close());
}

TEST(CardLink, ConvertCharBufEndsTheTextAtItsLineBreakAndBlanksControlCodes) {
  struct Case {
    const char* in;
    int length;
    const char* out;
    int consumed;
  };
  const Case cases[] = {
      {"Smart\x86" "card", 10, "Smart card", 10},
      {"Line one\x8Aline two", 17, "Line one", 9},
      {"", 0, "", 0},
  };
  for (const Case& c : cases) {
    CString text(c.in);
    EXPECT_EQ(c.consumed, CDVBComnIF::ConvertCharBuf(text, c.length)) << c.in;
    EXPECT_STREQ(c.out, static_cast<LPCTSTR>(text)) << c.in;
  }
}

TEST(CardLink, TheDisplayMakesOneWindowAndReportsTheSurfaceItUses) {
  for (const char* script : {"", "ddmode 1"}) {
    SCOPED_TRACE(script);
    CardSimLoadScript(script);
    HWND parent = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(parent);
    CDVBVideoDisplay display(0);
    ASSERT_EQ(DVB_ERR_NONE, display.Create(parent, 0, 0, 320, 240, WS_CHILD | WS_VISIBLE, 0, 2,
                                           CDVBVideoDisplay::DD_OFFSCREEN, 0, FALSE));
    const HWND window = display.GetVideoWindow();
    EXPECT_EQ(parent, GetParent(window));
    EXPECT_EQ(DVB_ERR_STATE, display.Create(parent, 0, 0, 320, 240, WS_CHILD, 0, 2, CDVBVideoDisplay::DD_OVERLAY, 0,
                                            FALSE));
    CDVBVideoDisplay::DD_MODE used = CDVBVideoDisplay::DD_OVERLAY;
    ASSERT_EQ(DVB_ERR_NONE, display.GetDDMode(used));
    EXPECT_EQ(*script ? CDVBVideoDisplay::DD_OVERLAY_FLIP : CDVBVideoDisplay::DD_OFFSCREEN, used);
    EXPECT_EQ(DVB_ERR_NONE, display.Close());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(DVB_ERR_STATE, display.Close());
    DestroyWindow(parent);
  }
}

TEST(CardLink, TheAvControlRefusesWhatItsCapabilityWordDenies) {
  struct Case {
    const char* script;
    DVB_ERROR volume, toneControls;
  };
  const Case cases[] = {
      {"avcaps 1", DVB_ERR_NONE, DVB_ERR_NONE},
      {"avcaps 100", DVB_ERR_STATE, DVB_ERR_STATE},
      {"avcaps 101\nfail SetVolume 7", DVB_ERR_NO_ANSWER, DVB_ERR_STATE},
  };
  for (const Case& c : cases) {
    CardSimLoadScript(c.script);
    CDVBAVControl av;
    EXPECT_EQ(c.volume, av.SetVolume(60, 60)) << c.script;
    EXPECT_EQ(c.toneControls, av.SetTrebleBass(50, 50)) << c.script;
  }
  CardSimLoadScript("picture 480 576");
  CDVBAVControl av;
  EXPECT_EQ(DVB_ERR_ARGUMENT, av.SetVolume(101, 0));
  _VIDEOSTATUS status = {};
  ASSERT_EQ(DVB_ERR_NONE, av.GetVideoDecoderStatus(status));
  EXPECT_EQ(480, status.wWidth);
  EXPECT_EQ(576, status.wHeight);
}

TEST(CardLink, AMediaFilePlaysInSimulationFromWhereItWasAsked) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof(temp), temp);
  const std::string path = std::string(temp) + "cardlink-" + std::to_string(GetCurrentProcessId()) + ".pva";
  std::ofstream(path, std::ios::binary) << std::string(100000, '\x47');
  CardSimLoadScript("playrate 800\n");  // 100,000 bytes a second
  CDVBRecPlayFile file;
  EXPECT_FALSE(file.Open("C:\\nowhere\\missing.pva", RP_FILE_PVA, CDVBRecPlayFile::kPlay, -1));
  ASSERT_TRUE(file.Open(path.c_str(), RP_FILE_PVA, CDVBRecPlayFile::kPlay, -1));
  EXPECT_FALSE(file.Open(path.c_str(), RP_FILE_PVA, CDVBRecPlayFile::kPlay, -1));  // one at a time
  EXPECT_FALSE(file.PlaybackPause());  // nothing plays yet
  DWORD total = 0, rate = 0, position = 0;
  _REC_PLAY_MODE mode;
  _REC_PLAY_FILE_FORMAT format;
  file.GetStatus(total, rate, position, mode, format);
  EXPECT_EQ(100000u, total);
  EXPECT_EQ(0u, position);
  EXPECT_EQ(RP_MODE_IDLE, mode);
  EXPECT_EQ(RP_FILE_PVA, format);

  ASSERT_TRUE(file.Playback(60000));
  ASSERT_TRUE(file.PlaybackPause());
  file.GetStatus(total, rate, position, mode, format);
  const DWORD paused = position;
  EXPECT_GE(paused, 60000u);
  EXPECT_EQ(RP_MODE_PAUSE, mode);
  EXPECT_EQ(0u, rate);
  Sleep(50);
  file.GetStatus(total, rate, position, mode, format);
  EXPECT_EQ(paused, position);  // a pause stands
  ASSERT_TRUE(file.PlaybackFast(1));
  file.GetStatus(total, rate, position, mode, format);
  EXPECT_EQ(3200u, rate);
  EXPECT_GE(position, paused);  // a change of speed goes on where it stood
  EXPECT_TRUE(WaitFor([&] {
    file.GetStatus(total, rate, position, mode, format);
    return position == total;
  }));
  ASSERT_TRUE(file.Stop());
  file.GetStatus(total, rate, position, mode, format);
  EXPECT_EQ(0u, position);
  EXPECT_EQ(RP_MODE_IDLE, mode);
  EXPECT_TRUE(file.Close());
  EXPECT_FALSE(file.Close());
  EXPECT_EQ(0u, file.GetFileSize());
  DeleteFileA(path.c_str());
}

}  // namespace
