// merlin.dll driven by the stand-in host in its call order, against the card
// library stand-in: its exports and capability column, a session that plays
// the card's chunked PES through heron to the decoder stand-ins and serves
// filters, teletext, volume, snapshot and close, every injected card failure
// with its result and log line, the CAM menu through _EnterCAMDialog, and
// the same session run by tvhost from a steps file.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <DShowTestSupport.h>
#include <DvbChannels.h>
#include <TestData.h>
#include <TestDecoders.h>

#include "HostProcess.h"
#include "MerlinTestRig.h"
#include "ModuleResources.h"
#include "PlaybackRig.h"

namespace {

TEST_F(MerlinTest, ExportsAtItsOrdinalsAndWritesItsCapabilityColumn) {
  HMODULE module = LoadLibraryA(kMerlin);
  ASSERT_TRUE(module);
  const char* const names[] = {
      "_QLONExModule", "_InitDVBHardware", "_CloseDVBHardware", "_GetDeviceID", "_CreateVideoWindow",
      "_DeleteVideoWindow", "_SetWindowPositions", "_SetScreenMode", "_GetVideoWindowHandle", "_SetColorValues",
      "_SetVolume", "_SetMute", "_SetTunerChannel", "_SetTunerStateCallback", "_SendDiSEqC", "_StartPlayback",
      "_StartRecord", "_StartTimeshift", "_SpeedRecPlay", "_StartFilter", "_StopFilter", "_StartTeletext",
      "_StopTeletext", "_HasDeviceRemote", "_StartRemote", "_StopRemote", "_GetDeviceMAC",
      "_OpenDeviceDependentProperties", "_EnterCAMDialog", "_SetPids", "_StopRecPlay", "_SeekPlayback",
      "_SetBobMode", "_QLONExModuleInfo", "_SetApplicationHandle", "_SetDolbyMode", "_MakeSnapshot",
      "_GetDeviceCount"};
  for (WORD i = 0; i < std::size(names); ++i) {
    EXPECT_NE(nullptr, GetProcAddress(module, names[i])) << names[i];
    EXPECT_EQ(GetProcAddress(module, names[i]), GetProcAddress(module, MAKEINTRESOURCEA(i + 1))) << names[i];
  }
  EXPECT_EQ(nullptr, GetProcAddress(module, MAKEINTRESOURCEA(39)));
  FreeLibrary(module);

  Load("");
  host.ResetRecords();
  ASSERT_EQ(1, host.fn.QLONExModule(CModuleHost::LogFunction(), &host.caps, &host.status, nullptr));
  // The module's column; -1: left as the host set it.
  const int column[46] = {1, 0, 1, 1, 1, 1, 1, 0, 0, 1, 1, -1, 1, 1, 1, 1, 0, 0, 0, 1, 0, 1, 1,
                          0, 0, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, -1, -1, -1, -1, 1, 1};
  for (int i = 0; i < 46; ++i)
    EXPECT_EQ(column[i] < 0 ? CModuleHost::kSentinel : static_cast<DWORD>(column[i]), host.caps.flags[i])
        << "offset " << 4 * i;
  EXPECT_TRUE(Logged("MOD_merlin: Module successfully initialized."));
  EXPECT_EQ(1, host.fn.GetDeviceCount());
  char title[256] = {}, name[256] = {}, version[16] = {};
  ASSERT_EQ(1, host.fn.QLONExModuleInfo(0, title, name, version));
  EXPECT_STREQ("Quillon Ex Premium S/C/T DVB Module", title);
  EXPECT_STREQ("Sim Premium DVB-S (Software)", name);
  EXPECT_STREQ("1.41", version);
}

TEST_F(MerlinTest, ASessionPlaysTheCardsChunkedPesThroughHeronAndServesTheHost) {
  ASSERT_TRUE(RegisterPlaybackFilters());
  Load("beversion F0210001\nstate 1 0.0005 40 80\nstart 1500\nchunks 1 3000 5\npace 1\n"
       "pes 256 " + StreamTs() + "\npes 257 " + StreamTs() + "\nsection 18 00B00D0001C100000001E020A1B2C3D4\n"
       "ttx 022C0102030405\n");
  ASSERT_EQ(1, host.Open(0));
  EXPECT_TRUE(Logged("BoardControl.BootARM(24) successfull."));
  EXPECT_TRUE(Logged("BoardControl.BootARM(21) sucessfull."));
  EXPECT_TRUE(Logged("Frontend.Init successful."));
  const std::string record = Record();
  EXPECT_TRUE(Recorded("OpenDevice 0 QLON_EX_PREMIUM_MODULE 1")) << record;
  EXPECT_NE(std::string::npos, record.find("\\Firmware\\Boot\\24\\\n")) << record;
  EXPECT_NE(std::string::npos, record.find("\\Boot\\21\\\n")) << record;
  EXPECT_TRUE(Recorded("EnableDataDMA 1"));
  EXPECT_EQ(1u, host.status.m_iFrontendType);
  // The status timer reads the card's front end: locked with a low error rate is the best quality.
  EXPECT_TRUE(host.PumpUntil([&] { return host.status.m_iQuality == 100; }, 5000));
  EXPECT_EQ(1u, host.status.m_bLocked);
  EXPECT_EQ(80u, host.status.m_iSignalValue);
  EXPECT_EQ(40u, host.status.m_iSignalValue2);
  host.ShowWindowSized(640, 480);

  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  ASSERT_NE(nullptr, host.status.m_pFilterGraph);
  CHANNEL_TYPE tuning = {{11954000, 0, 27500000, 9750000, 1, 18, 0}};
  host.channel = {};
  EXPECT_EQ(0, host.fn.SetTunerChannel(tuning, &host.channel));
  EXPECT_TRUE(Recorded("SetChannel 11954000 2 27500000 9750000 1 18 0 0"));  // inversion automatic
  EXPECT_EQ(0, host.fn.SetPids(256, 257, 0, 0));
  EXPECT_TRUE(Recorded("SetFilter 1 256 6"));
  EXPECT_TRUE(Recorded("SetFilter 1 257 5"));

  const BYTE none[1] = {0};
  static char pat[] = "pat";
  EXPECT_EQ(0, host.fn.StartFilter(2, 18, none, none, 0, CModuleHost::FilterCallback(), pat));
  EXPECT_EQ(0, host.fn.StartTeletext(CModuleHost::TeletextCallback(), 32));
  EXPECT_TRUE(Logged("MOD_merlin: Teletext successfully started."));
  EXPECT_TRUE(Recorded("TTXModifySearchTable FFFF FFFF FFFF 1"));

  // The stream flows once the graph has restarted for the PIDs.
  IFilterGraph2* graph = static_cast<IFilterGraph2*>(host.status.m_pFilterGraph);
  ComPtr<ITestSinkLog> video, audio;
  ASSERT_TRUE(host.PumpUntil(
      [&] {
        video = StandInLog(graph, CLSID_TestVideoDecoderA);
        audio = StandInLog(graph, CLSID_TestMpegAudioDecoder);
        return video && audio;
      },
      20000));
  const std::vector<uint8_t> m2v = ReadFileBytes(ModulesTestData("video.m2v"));
  const std::vector<uint8_t> mp2 = ReadFileBytes(ModulesTestData("audio.mp2"));
  ASSERT_FALSE(m2v.empty() || mp2.empty());
  std::vector<int64_t> times;
  // All but what the assembly buffers still hold at the stream's end
  // (less than four thresholds) reaches the decoders, in order and whole.
  ASSERT_TRUE(host.PumpUntil(
      [&] {
        return JoinedPayloads(video.Get(), &times).size() + 4 * 6130 >= m2v.size() &&
               JoinedPayloads(audio.Get(), &times).size() + 4 * 2034 >= mp2.size();
      },
      30000));
  EXPECT_TRUE(IsPrefix(JoinedPayloads(video.Get(), &times), m2v));
  EXPECT_TRUE(IsPrefix(JoinedPayloads(audio.Get(), &times), mp2));
  EXPECT_GT(host.PesPackets(), 0u);  // the host's tap, with the flag the host set
  EXPECT_TRUE(host.PumpUntil([&] { return host.TeletextBlocks() == 1 && !host.FilterData().empty(); }, 5000));
  const std::vector<std::string> filtered = host.FilterData();
  ASSERT_EQ(1u, filtered.size());
  EXPECT_EQ(std::string("pat: \x00\xB0\x0D\x00\x01\xC1\x00\x00\x00\x01\xE0\x20\xA1\xB2\xC3\xD4", 21), filtered[0]);

  // The null audio renderer has no volume: the module answers 0 and mute stays off.
  EXPECT_EQ(0, host.fn.SetVolume(800, 500, 500));
  EXPECT_EQ(0, host.fn.SetMute());
  char temp[MAX_PATH];
  GetTempPathA(sizeof(temp), temp);
  const std::string snapshot = std::string(temp) + "merlin-snapshot.bmp";
  EXPECT_TRUE(host.PumpUntil([&] { return host.fn.MakeSnapshot(snapshot.c_str(), 0) == 1; }, 10000));
  DeleteFileA(snapshot.c_str());

  EXPECT_EQ(0, host.Close());
  EXPECT_TRUE(Logged("Closed videowindow."));
  EXPECT_TRUE(Logged("CDVBCommon::CloseDevice()"));
  EXPECT_TRUE(Recorded("SetChannel 11954000 2 27500000 9750000 0 18 0 1"));  // the tone off
  EXPECT_TRUE(Recorded("EnableDataDMA 0"));
  EXPECT_EQ(nullptr, host.status.m_pFilterGraph);
}

TEST_F(MerlinTest, EachInjectedCardFailureGivesItsResultAndLogLine) {
  struct Case {
    const char* script;
    int open;
    const char* line;
  };
  const Case cases[] = {
      {"fail BootARM 2", 0, "ERROR: BoardControl.BootARM(24) not successfull."},
      {"beversion F0210000\nfail BootARM 2 skip 1", 0, "BoardControl.BootARM(21) not sucessfull."},
      {"fail GetBEVersion 2", 0, "Could not get BE-version!"},
      {"fail Init 2 times 1", 1, "Error: Frontend.Init not successful."},
      {"fail Init 2", 0, "Error: Frontend.Init (second chance) not successful."},
      {"fail OpenDevice 2", 0, "Error: CDVBCommon::OpenDevice not successful."},
      {"fail EnableDataDMA 2 times 1", 1, "BoardControl.EnableDataDMA not successful."},
      {"ci none", 1, "Warning: CI init failed, or no CI found!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    Load(c.script);
    EXPECT_EQ(c.open, host.Open(0));
    EXPECT_TRUE(Logged(c.line));
    host.fn.CloseDVBHardware();
    host.Unload();
  }
  // A failed switch-off leaves the device open and says so.
  Load("fail EnableDataDMA 7 skip 1");
  ASSERT_EQ(1, host.Open(0));
  EXPECT_EQ(7, host.fn.CloseDVBHardware());
  EXPECT_TRUE(Logged("EnableDataDMA(FALSE) reported error."));
  EXPECT_FALSE(Recorded("CloseDevice"));
}

TEST_F(MerlinTest, FailuresOfAnOpenCardReachTheHostAsTheirCodes) {
  Load("fail SetFilter 6\nfail TTXOn 7\nfail SetChannel 4\nfail SendDiSEqCMsg 4\nfail ReadPSIFast 2\n"
       "fail ResetFilter 7\n");
  ASSERT_EQ(1, host.Open(0));
  const BYTE none[1] = {0};
  static char context[] = "eit";
  const BYTE diseqc[4] = {0xE0, 0x10, 0x38, 0xF0};
  CHANNEL_TYPE tuning = {{11954000, 0, 27500000, 9750000, 1, 18, 0}};
  host.channel = {};
  host.channel.serviceId = 28006;
  const struct {
    const char* call;
    std::function<int()> run;
    int result;
  } cases[] = {
      {"_StartFilter", [&] { return host.fn.StartFilter(2, 18, none, none, 0, CModuleHost::FilterCallback(), context); }, 6},
      // The refused filter is still in the list; removing it answers the card's "none set".
      {"_StopFilter", [&] { return host.fn.StopFilter(context); }, 5},
      {"_StopFilter again", [&] { return host.fn.StopFilter(context); }, 3},
      {"_StartTeletext", [&] { return host.fn.StartTeletext(CModuleHost::TeletextCallback(), 32); }, 7},
      {"_SetTunerChannel", [&] { return host.fn.SetTunerChannel(tuning, &host.channel); }, 4},
      {"_SendDiSEqC", [&] { return host.fn.SendDiSEqC(diseqc, 4, 0); }, 4},
  };
  for (const auto& c : cases) EXPECT_EQ(c.result, c.run()) << c.call;
  EXPECT_FALSE(Logged("MOD_merlin: Teletext successfully started."));
  EXPECT_TRUE(Logged("CI Error!"));  // the service could not be asked for after tuning
  // A channel with an H.264 video PID has its video filter on that PID.
  host.channel.h264VideoPid = 0x200;
  EXPECT_EQ(0, host.fn.SetPids(0x100, 0x101, 0, 0));
  EXPECT_TRUE(Logged("Using H264 video pid!"));
  EXPECT_TRUE(Recorded("SetFilter 1 512 6"));
  EXPECT_FALSE(Recorded("SetFilter 1 257 5"));  // the card refused the video filter: the audio one is not set
  EXPECT_EQ(0, host.fn.SetPids(0, 0, 0, 0x102));  // and the AC-3 filter
  EXPECT_TRUE(Logged("Could not set AC-3 PID."));
  EXPECT_EQ(0, host.Close());
}

TEST_F(MerlinTest, TheCamMenuOpensFromTheHostAndAChoiceReachesTheCard) {
  Load("ci open slot 0 2 Alpha 0100\nci menu:0 menu 0 Alpha|Main|Bottom|Smartcard|Language\n"
       "ci choice:1 enquiry 0 0 4\nci answer:0000 osdoff 0\n");
  ASSERT_EQ(1, host.Open(0));
  ASSERT_TRUE(host.PumpUntil([&] { return Logged("CAM: Alpha Slot: 1"); }, 5000)) << Record();
  EXPECT_TRUE(Logged("supported CA ID: 0100 - Canal Plus (SECA/Mediaguard)"));
  host.fn.EnterCAMDialog(2, 0);
  EXPECT_TRUE(Recorded("EnterModuleMenu 0"));
  const HWND dialog = FindWindowExA(host.Window(), nullptr, nullptr, "CAM Slot 1");
  ASSERT_TRUE(dialog);
  const auto listed = [&] { return SendDlgItemMessageA(dialog, IDC_CAM_LIST, LB_GETCOUNT, 0, 0); };
  ASSERT_TRUE(host.PumpUntil([&] { return listed() == 5; }, 5000));
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CAM_DIGIT0 + 1, BN_CLICKED), 0);
  EXPECT_TRUE(Recorded("MenuAnswer 0 1"));
  char status[64] = {};
  ASSERT_TRUE(host.PumpUntil(
      [&] {
        GetDlgItemTextA(dialog, IDC_CAM_STATUS, status, sizeof(status));
        return std::string(status) == "Enter answer and press send.";
      },
      5000));
  SetDlgItemTextA(dialog, IDC_CAM_ANSWER, "0000");
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CAM_SEND, BN_CLICKED), 0);
  EXPECT_TRUE(Recorded("Answer 0 4 \"0000\""));
  EXPECT_TRUE(host.PumpUntil([&] { return !IsWindowVisible(dialog); }, 5000));
  EXPECT_EQ(0, host.Close());
  EXPECT_FALSE(IsWindow(dialog));
}

TEST(MerlinHost, TvhostRunsASessionOfTheModuleFromSteps) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof(temp), temp);
  const std::string base = std::string(temp) + "merlin-" + std::to_string(GetCurrentProcessId());
  const std::string steps = base + "-steps.txt", log = base + "-host.log", script = base + "-card.txt",
                    record = base + "-record.txt";
  std::ofstream(script) << "beversion F0210000\nsection 18 00B00D0001\nttx 022C01\npes 256 " << StreamTs()
                        << "\npes 257 " << StreamTs() << "\n";
  std::ofstream(steps) << "open 0\ntune 11954000 0\npids 256 257\nfilter 2 18 pat\nteletext 32\nwait 500\n"
                          "volume 800\nstopteletext\nstopfilter pat\nclose\n";
  SetEnvironmentVariableA("QUILLON_CARDLINK_SCRIPT", script.c_str());
  SetEnvironmentVariableA("QUILLON_CARDLINK_RECORD", record.c_str());
  ASSERT_EQ(0u, RunHost(TVHOST_PATH, "--module \"" + std::string(kMerlin) + "\" --session \"" + steps + "\" --exit-after 100 --log \"" +
                        log + "\""));
  const auto lines = Lines(ReadText(log));
  for (const char* line : {"step open 0 -> 1", "step tune 11954000 0 -> 0", "step pids 256 257 -> 0",
                           "step filter 2 18 pat -> 0", "step teletext 32 -> 0", "step volume 800 -> 0",
                           "step stopteletext -> 0", "step stopfilter pat -> 0", "step close -> 0"})
    EXPECT_TRUE(Has(lines, line)) << line << "\n" << ReadText(log);
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
    return l.rfind("module .\\merlin:", 0) == 0 && l.find("BoardControl.BootARM(21) sucessfull.") != std::string::npos;
  }));
  const auto card = Lines(ReadText(record));
  EXPECT_TRUE(Has(card, "OpenDevice 0 QLON_EX_PREMIUM_MODULE 1"));
  EXPECT_TRUE(Has(card, "CloseDevice"));

  // A failing boot raises the module's message box: the host's watcher
  // answers it and the session goes on.
  std::ofstream(script) << "fail BootARM 2\n";
  std::ofstream(steps) << "open 0\nclose\n";
  ASSERT_EQ(0u, RunHost(TVHOST_PATH, "--module \"" + std::string(kMerlin) + "\" --session \"" + steps +
                                         "\" --exit-after 100 --log \"" + log + "\""));
  const auto failed = Lines(ReadText(log));
  EXPECT_TRUE(Has(failed, "step open 0 -> 0")) << ReadText(log);
  EXPECT_TRUE(HasPrefix(failed, "messagebox \"Error\": ERROR: BoardControl.BootARM(24) not successfull."));
  EXPECT_TRUE(Has(failed, "step close -> 0"));
  EXPECT_TRUE(Has(failed, "host exit"));
  for (const std::string& f : {steps, log, script, record}) DeleteFileA(f.c_str());
  SetEnvironmentVariableA("QUILLON_CARDLINK_SCRIPT", nullptr);
  SetEnvironmentVariableA("QUILLON_CARDLINK_RECORD", nullptr);
}

}  // namespace
