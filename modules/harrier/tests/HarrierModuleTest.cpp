// harrier.dll driven by the stand-in host in its call order, against the card
// library stand-in: its exports and capability column, opening the card
// from the boot folder of its settings file and closing it (the LNB supply
// off before the filters go), every injected failure of the opening with its
// result and log line, tuning, filters, teletext and the CAM menu, volume
// with treble and bass on the card's A/V control, mute, the status timer,
// and a session run by tvhost from a steps file.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <functional>
#include <string>
#include <vector>

#include <DvbChannels.h>

#include "HarrierTestRig.h"
#include "HostProcess.h"

namespace {

// The Quillon.ini beside the module, written for one test.
class CBootSettings {
 public:
  explicit CBootSettings(const std::string& text) : m_path(Folder() + "Quillon.ini") { std::ofstream(m_path) << text; }
  ~CBootSettings() { DeleteFileA(m_path.c_str()); }
  static std::string Folder() {
    const std::string module = kHarrier;
    return module.substr(0, module.find_last_of("\\/") + 1);
  }

 private:
  std::string m_path;
};

TEST_F(HarrierTest, ExportsAtItsOrdinalsAndWritesItsCapabilityColumn) {
  HMODULE module = LoadLibraryA(kHarrier);
  ASSERT_TRUE(module);
  const char* const names[] = {
      "_QLONExModule", "_InitDVBHardware", "_CloseDVBHardware", "_GetDeviceID", "_CreateVideoWindow",
      "_DeleteVideoWindow", "_SetWindowPositions", "_SetScreenMode", "_GetVideoWindowHandle", "_SetColorValues",
      "_SetVolume", "_SetMute", "_SetTunerChannel", "_SetTunerStateCallback", "_SendDiSEqC", "_StartPlayback",
      "_StartRecord", "_StartTimeshift", "_SpeedRecPlay", "_StartFilter", "_StopFilter", "_StartTeletext",
      "_StopTeletext", "_HasDeviceRemote", "_StartRemote", "_StopRemote", "_GetDeviceMAC",
      "_OpenDeviceDependentProperties", "_EnterCAMDialog", "_SetPids", "_StopRecPlay", "_SeekPlayback",
      "_SetBobMode", "_QLONExModuleInfo"};
  for (WORD i = 0; i < std::size(names); ++i) {
    EXPECT_NE(nullptr, GetProcAddress(module, names[i])) << names[i];
    EXPECT_EQ(GetProcAddress(module, names[i]), GetProcAddress(module, MAKEINTRESOURCEA(i + 1))) << names[i];
  }
  const struct {
    const char* name;
    WORD ordinal;
  } own[] = {{"_GetDeviceCount", 37}, {"_SetApplicationHandle", 38}, {"_SetSurface", 39}, {"_SetADSwitch", 40}};
  for (const auto& e : own) {
    EXPECT_NE(nullptr, GetProcAddress(module, e.name)) << e.name;
    EXPECT_EQ(GetProcAddress(module, e.name), GetProcAddress(module, MAKEINTRESOURCEA(e.ordinal))) << e.name;
  }
  for (WORD ordinal : {35, 36, 41}) EXPECT_EQ(nullptr, GetProcAddress(module, MAKEINTRESOURCEA(ordinal))) << ordinal;
  for (const char* name : {"_MakeSnapshot", "_SetDolbyMode"}) EXPECT_EQ(nullptr, GetProcAddress(module, name)) << name;
  FreeLibrary(module);

  // The flags at 40 and 136 come from the card's A/V capability word: bit 0
  // as 1, bit 8 as itself.
  const struct {
    const char* script;
    DWORD at40, at136;
  } words[] = {{"avcaps 101", 1, 0x100}, {"avcaps 10000", 0, 0}};
  for (const auto& w : words) {
    SCOPED_TRACE(w.script);
    Load(std::string(w.script) + "\ndevices 4\nname Sim Zephra DVB-S\nmac 00:D0:5C:11:22:33\n");
    ASSERT_EQ(1, host.fn.QLONExModule(CModuleHost::LogFunction(), &host.caps, &host.status, nullptr));
    const int column[46] = {1, 0, 0, 0, 0, 1, 1, 0, 1, 1, -2, 1, 0, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1,
                            1, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, -3, 1, 0, 0, 1, -1, 1, -1, -1, 1, -1, -1};
    for (int i = 0; i < 46; ++i) {
      DWORD expected = column[i] == -1 ? CModuleHost::kSentinel : static_cast<DWORD>(column[i]);
      if (column[i] == -2) expected = w.at40;
      if (column[i] == -3) expected = w.at136;
      EXPECT_EQ(expected, host.caps.flags[i]) << "offset " << 4 * i;
    }
    EXPECT_TRUE(Logged("MOD_harrier: Module successfully initialized."));
    EXPECT_EQ(0u, host.status.m_iRecPlayState);
    EXPECT_EQ(nullptr, host.status.m_pChannel);
  }
  EXPECT_EQ(4, host.fn.GetDeviceCount());
  char title[256] = {}, name[256] = {}, version[16] = {};
  ASSERT_EQ(1, host.fn.QLONExModuleInfo(3, title, name, version));  // any index names device 0
  EXPECT_STREQ("Quillon Ex Zephra S/C/T DVB Module", title);
  EXPECT_STREQ("Sim Zephra DVB-S (Hardware)", name);
  EXPECT_STREQ("1.41", version);
  EXPECT_STREQ("00:D0:5C:11:22:33", host.fn.GetDeviceMAC());
  const struct {
    const char* call;
    int result, expected;
  } stubs[] = {
      {"_GetDeviceID", host.fn.GetDeviceID(), 1},       {"_HasDeviceRemote", host.fn.HasDeviceRemote(), 1},
      {"_SetScreenMode", host.fn.SetScreenMode(), 1},   {"_SetTunerStateCallback", host.fn.SetTunerStateCallback(nullptr), 0},
      {"_StartRemote", host.fn.StartRemote(), 0},       {"_StopRemote", host.fn.StopRemote(), 0},
      {"_StartRecord", host.fn.StartRecord("x.pva", 1), 3}, {"_StartTimeshift", host.fn.StartTimeshift("x.pva"), 3},
  };
  for (const auto& s : stubs) EXPECT_EQ(s.expected, s.result) << s.call;
}

TEST_F(HarrierTest, OpensFromTheBootFolderOfItsSettingsAndClosesTheLnbSupplyBeforeTheFilters) {
  const CBootSettings settings("[Quillon]\nstrBootPath=Zephra\n");
  Load("beversion F0210004\ntype 1\nstate 1 0.0005 40 80\navcaps 101\nsection 18 00B00D0001C1\n");
  host.caps.flags[40 / 4] = host.caps.flags[136 / 4] = 7;
  ASSERT_EQ(1, host.Open(0));
  EXPECT_TRUE(Recorded("OpenDevice 0 QLON_ZEPHRA_EDITION 1"));
  const std::string firmware = CBootSettings::Folder();
  // The folder of the settings gets its backslash before the image's number.
  EXPECT_NE(std::string::npos, Record().find("Firmware\\Zephra\\24\\\n")) << Record();
  EXPECT_NE(std::string::npos, Record().find("Firmware\\Zephra\\21\\\n")) << Record();
  for (const char* line : {"CDVBCommon::OpenDevice successfull.", "BoardControl.BootARM(24) successfull.", "Boot 2.1!",
                           "BoardControl.BootARM(21) sucessfull.", "Frontend successfully initialized.",
                           "BoardControl.EnableDataDMA sucessfull.", "AV-HW initialized!"})
    EXPECT_TRUE(Logged(line)) << line;
  EXPECT_LT(RecordedAt("BootARM"), RecordedAt("ResetInit"));
  EXPECT_TRUE(Recorded("AVControl Init 0"));
  EXPECT_TRUE(Recorded("AVControl SetVolume 75 75"));  // the profile's default
  EXPECT_EQ(1u, host.status.m_iFrontendType);
  EXPECT_EQ(1u, host.caps.flags[40 / 4]);  // written again at the opening
  EXPECT_EQ(0x100u, host.caps.flags[136 / 4]);

  CHANNEL_TYPE tuning = {{11954000, 0, 27500000, 9750000, 1, 18, 0}};
  host.channel = {};
  EXPECT_EQ(0, host.fn.SetTunerChannel(tuning, &host.channel));
  EXPECT_TRUE(Recorded("SetChannel 11954000 0 27500000 9750000 1 18 0 0"));
  const BYTE none[1] = {0};
  static char pat[] = "pat";
  EXPECT_EQ(0, host.fn.StartFilter(2, 18, none, none, 0, CModuleHost::FilterCallback(), pat));
  EXPECT_TRUE(host.PumpUntil([&] { return !host.FilterData().empty(); }, 5000));
  EXPECT_EQ(0, host.Close());
  // The card's decoder PIDs go first; the LNB supply (word 5) is off before the filters are released.
  const int pids = RecordedAt("AVControl SetPIDs 0 0 0"), lnbOff = RecordedAt("SetChannel 11954000 0 27500000 9750000 1 0 0 1"),
            reset = RecordedAt("ResetFilter 18"), dma = RecordedAt("EnableDataDMA 0");
  EXPECT_LE(0, pids);
  EXPECT_LT(pids, lnbOff) << Record();
  EXPECT_LT(lnbOff, reset) << Record();
  EXPECT_LT(reset, dma) << Record();
  EXPECT_TRUE(Logged("EnableDataDMA(FALSE)"));
  EXPECT_TRUE(Logged("CDVBCommon::CloseDevice()"));

  // Without settings the boot folder is "Boot\"; a terrestrial card reports its range.
  {
    const CBootSettings empty("[Quillon]\nstrBootPath=\n");
    Load("type 3\nrange 174000 862000\n");
    ASSERT_EQ(1, host.Open(0));
    EXPECT_NE(std::string::npos, Record().find("Firmware\\Boot\\24\\\n")) << Record();
    EXPECT_EQ(3u, host.status.m_iFrontendType);
    EXPECT_EQ(174000u, host.status.m_dwMinFrequency);
    EXPECT_EQ(862000u, host.status.m_dwMaxFrequency);
    EXPECT_EQ(0, host.Close());
    EXPECT_EQ(-1, RecordedAt("SetChannel"));  // no LNB on a terrestrial card
  }
}

TEST_F(HarrierTest, EachInjectedFailureOfTheOpeningGivesItsResultAndLogLine) {
  const struct {
    const char* script;
    int open;
    const char* line;
  } cases[] = {
      {"fail OpenDevice 2", 0, "CDVBCommon::OpenDevice not sucessfull."},
      {"fail BootARM 2", 1, "ERROR: BoardControl.BootARM(24) not successfull."},  // goes on
      {"beversion F0210000\nfail BootARM 2 skip 1", 0, "BoardControl.BootARM(21) not sucessfull."},
      {"fail GetBEVersion 2", 0, "Could not get BE-version!"},
      {"fail Init 2", 0, "Error initializing Frontend."},
      {"fail EnableDataDMA 2 times 1", 0, "BoardControl.EnableDataDMA not sucessfull."},
      {"fail AVInit 2", 0, "Error initializing AV-HW!"},
      {"ci none", 1, "Warning: CI init failed, or no CI found!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    Load(c.script);
    EXPECT_EQ(c.open, host.Open(0));
    EXPECT_TRUE(Logged(c.line));
    host.fn.CloseDVBHardware();
  }
  // A failed switch-off leaves the device open and says so.
  Load("fail EnableDataDMA 7 skip 1");
  ASSERT_EQ(1, host.Open(0));
  EXPECT_EQ(7, host.fn.CloseDVBHardware());
  EXPECT_TRUE(Logged("EnableDataDMA(FALSE) reported error."));
  EXPECT_FALSE(Recorded("CloseDevice"));
}

TEST_F(HarrierTest, FiltersTeletextTuningAndTheCamReachTheCard) {
  Load("type 2\nsection 18 00B00D0001C1\nttx 022C0102\nci open slot 0 2 Alpha 0100\n"
       "ci menu:0 menu 0 Alpha|Main|Bottom|Smartcard\nfail SendDiSEqCMsg 4\n");
  ASSERT_EQ(1, host.Open(0));
  const BYTE none[1] = {0};
  static char pat[] = "pat", eit[] = "eit";
  EXPECT_EQ(2, host.fn.StartFilter(2, 18, none, none, 0, nullptr, pat));
  EXPECT_EQ(0, host.fn.StartFilter(2, 18, none, none, 0, CModuleHost::FilterCallback(), pat));
  EXPECT_EQ(0, host.fn.StartFilter(10, 18, none, none, 0, CModuleHost::FilterCallback(), pat));  // re-set in place
  EXPECT_TRUE(Logged("Using attached filter object."));
  EXPECT_TRUE(Recorded("SetFilter 2 18 0"));
  EXPECT_TRUE(Recorded("SetFilter 5 18 0"));  // host type 10 is the card's 5
  EXPECT_EQ(0, host.fn.StartFilter(6, 18, none, none, 0, CModuleHost::FilterCallback(), eit));
  EXPECT_TRUE(Recorded("SetFilter 4 18 0"));
  EXPECT_TRUE(host.PumpUntil([&] { return host.FilterData().size() >= 2; }, 5000));
  EXPECT_EQ(0, host.fn.StopFilter(pat));
  EXPECT_EQ(3, host.fn.StopFilter(pat));  // one entry only
  EXPECT_EQ(0, host.fn.StopFilter(eit));

  EXPECT_EQ(3, host.fn.StartTeletext(nullptr, 32));
  EXPECT_EQ(0, host.fn.StartTeletext(CModuleHost::TeletextCallback(), 32));
  EXPECT_TRUE(Logged("MOD_harrier: Settings teletext PID: 32"));
  EXPECT_TRUE(Logged("MOD_harrier: Teletext successfully started."));
  EXPECT_TRUE(Recorded("TTXModifySearchTable FFFF FFFF FFFF 1"));
  EXPECT_TRUE(host.PumpUntil([&] { return host.TeletextBlocks() == 1; }, 5000));
  EXPECT_EQ(0, host.fn.StopTeletext());

  // A scrambled channel is asked of the CAM; the host may keep no channel.
  ASSERT_TRUE(host.PumpUntil([&] { return Logged("CAM: Alpha Slot: 1"); }, 5000));
  CHANNEL_TYPE tuning = {{410000, 0, 6900000, 0, 0, 0, 0}};
  host.channel = {};
  host.channel.serviceId = 28006;
  host.channel.scrambled = 1;
  EXPECT_EQ(0, host.fn.SetTunerChannel(tuning, &host.channel));
  EXPECT_TRUE(Recorded("ReadPSIFast 28006"));
  EXPECT_EQ(&host.channel, host.status.m_pChannel);
  EXPECT_EQ(2u, host.status.m_iFrontendType);
  EXPECT_EQ(0, host.fn.SetPids(0, 0, 0, 0));
  EXPECT_EQ(&host.channel, host.status.m_pChannel);  // PIDs never touch the channel
  EXPECT_EQ(0, host.fn.SetPids(0x100, 0x101, 0x102, 0x103));
  EXPECT_TRUE(Recorded("AVControl SetPIDs 257 256 258"));  // audio, video, third
  host.status.m_bNoChannel = 1;
  EXPECT_EQ(0, host.fn.SetTunerChannel(tuning, &host.channel));
  EXPECT_EQ(nullptr, host.status.m_pChannel);
  const BYTE diseqc[4] = {0xE0, 0x10, 0x38, 0xF0};
  EXPECT_EQ(4, host.fn.SendDiSEqC(diseqc, 4, 1));
  EXPECT_TRUE(Recorded("SendDiSEqCMsg E01038F0 1"));
  EXPECT_EQ(0, host.fn.SetADSwitch(1));
  EXPECT_EQ(3, host.fn.SetADSwitch(7));
  EXPECT_TRUE(Recorded("AVControl SetADSwitch 1"));

  host.fn.EnterCAMDialog(2, 0);
  EXPECT_TRUE(Recorded("EnterModuleMenu 0"));
  const HWND dialog = FindWindowExA(host.Window(), nullptr, nullptr, "CAM Slot 1");
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(host.PumpUntil([&] { return SendDlgItemMessageA(dialog, 1213, LB_GETCOUNT, 0, 0) == 4; }, 5000));
  EXPECT_EQ(0, host.Close());
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(HarrierTest, VolumeTrebleAndBassReachTheCardsAvControlAsItsCapabilitiesAllow) {
  const struct {
    const char* caps;
    std::vector<std::string> lines;  // what _SetVolume(800, 300, 705) sends
  } cases[] = {
      {"avcaps 1", {"AVControl SetVolume 80 80", "AVControl SetTrebleBass 30 70"}},
      {"avcaps 101", {"AVControl SetVolume 80 80"}},  // no treble and bass control
      {"avcaps 0", {"AVControl SetTrebleBass 30 70"}},  // no volume control
      {"avcaps 100", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caps);
    Load(c.caps);
    ASSERT_EQ(1, host.Open(0));
    CardSimLoadScript(c.caps);  // the record from here on
    EXPECT_EQ(1, host.fn.SetVolume(800, 300, 705));
    std::vector<std::string> sent;
    for (const std::string& line : RecordLines())
      if (line.rfind("AVControl Set", 0) == 0) sent.push_back(line);
    EXPECT_EQ(c.lines, sent);
    EXPECT_EQ(0, host.Close());
  }

  // Mute toggles on the card; while muted the volume stays as it is.
  Load("fail SetAudioMute 2 skip 1 times 1");
  ASSERT_EQ(1, host.Open(0));
  EXPECT_EQ(1, host.fn.SetMute());
  EXPECT_TRUE(Recorded("AVControl SetAudioMute 1"));
  EXPECT_EQ(0, host.fn.SetVolume(500, 500, 500));
  EXPECT_EQ(-1, RecordedAt("AVControl SetVolume 50"));
  EXPECT_EQ(1, host.fn.SetMute());  // the card refused: still muted
  EXPECT_EQ(0, host.fn.SetMute());
  EXPECT_EQ(1, host.fn.SetVolume(420, 500, 500));
  EXPECT_TRUE(Recorded("AVControl SetVolume 42 42"));
  EXPECT_EQ(0, host.Close());

  // The last volume (0..100) is the profile's at the next start.
  host.Unload();
  CardSimLoadScript("");
  std::string error;
  ASSERT_TRUE(host.Load(kHarrier, &error)) << error;
  ASSERT_EQ(1, host.Open(0));
  EXPECT_TRUE(Recorded("AVControl SetVolume 42 42"));
  EXPECT_EQ(0, host.Close());
}

TEST_F(HarrierTest, TheStatusTimerReadsTheFrontEndAndTheDecoderAndMutesForState6) {
  Load("state 1 0.005 33 66\npicture 544 576\navcaps 10001\n");
  ASSERT_EQ(1, host.Open(0));
  ASSERT_TRUE(Ticks(1));
  EXPECT_EQ(1u, host.status.m_bLocked);
  EXPECT_EQ(75u, host.status.m_iQuality);  // 50 for the error rate, 25 for the lock
  EXPECT_EQ(66u, host.status.m_iSignalValue);
  EXPECT_EQ(33u, host.status.m_iSignalValue2);
  EXPECT_EQ(544u, host.status.m_iVideoWidth);
  EXPECT_EQ(576u, host.status.m_iVideoHeight);
  EXPECT_EQ(0x10000u, host.status.m_dwCleared60);  // the capability word's bit 16

  // State 6 (the host's) mutes once; leaving it unmutes once.
  host.status.m_iRecPlayState = 6;
  ASSERT_TRUE(Ticks(3));
  host.status.m_iRecPlayState = 0;
  ASSERT_TRUE(Ticks(2));
  const std::vector<std::string> lines = RecordLines();
  EXPECT_EQ(1, std::count(lines.begin(), lines.end(), "AVControl SetAudioMute 1"));
  EXPECT_EQ(1, std::count(lines.begin(), lines.end(), "AVControl SetAudioMute 0"));
  // The host's own mute outlasts state 6.
  EXPECT_EQ(1, host.fn.SetMute());
  host.status.m_iRecPlayState = 6;
  ASSERT_TRUE(Ticks(2));
  host.status.m_iRecPlayState = 0;
  ASSERT_TRUE(Ticks(2));
  const std::vector<std::string> after = RecordLines();
  EXPECT_EQ(1, std::count(after.begin(), after.end(), "AVControl SetAudioMute 0"));
  EXPECT_EQ(0, host.Close());

  // A front end that cannot answer gives quality 0.
  Load("fail GetState 2\n");
  ASSERT_EQ(1, host.Open(0));
  ASSERT_TRUE(Ticks(1));
  EXPECT_EQ(0u, host.status.m_iQuality);
  EXPECT_EQ(0u, host.status.m_bLocked);
  EXPECT_EQ(0, host.Close());
}

TEST(HarrierHost, TvhostRunsASessionOfTheModuleFromSteps) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof(temp), temp);
  const std::string base = std::string(temp) + "harrier-" + std::to_string(GetCurrentProcessId());
  const std::string steps = base + "-steps.txt", log = base + "-host.log", script = base + "-card.txt",
                    record = base + "-record.txt";
  RegDeleteTreeA(HKEY_CURRENT_USER, kProfileKey);
  std::ofstream(script) << "section 18 00B00D0001\nttx 022C01\n";
  std::ofstream(steps) << "open 0\nshow 640 480\nwindow 1\ntune 11954000 0\npids 256 257\nfilter 2 18 pat\n"
                          "teletext 32\nwait 300\nvolume 800 300 700\nmute\nstopteletext\nstopfilter pat\nclose\n";
  SetEnvironmentVariableA("QUILLON_CARDLINK_SCRIPT", script.c_str());
  SetEnvironmentVariableA("QUILLON_CARDLINK_RECORD", record.c_str());
  ASSERT_EQ(0u, RunHost(TVHOST_PATH, "--module \"" + std::string(kHarrier) + "\" --session \"" + steps +
                                         "\" --exit-after 100 --log \"" + log + "\""));
  const auto lines = Lines(ReadText(log));
  for (const char* line : {"step open 0 -> 1", "step window 1 -> 1", "step tune 11954000 0 -> 0",
                           "step pids 256 257 -> 0", "step filter 2 18 pat -> 0", "step teletext 32 -> 0",
                           "step volume 800 300 700 -> 1", "step mute -> 1", "step stopteletext -> 0",
                           "step stopfilter pat -> 0", "step close -> 0"})
    EXPECT_TRUE(Has(lines, line)) << line << "\n" << ReadText(log);
  const auto card = Lines(ReadText(record));
  for (const char* line : {"OpenDevice 0 QLON_ZEPHRA_EDITION 1", "AVControl SetPIDs 257 256 0",
                           "AVControl SetVolume 80 80", "AVControl SetTrebleBass 30 70", "AVControl SetAudioMute 1",
                           "VideoDisplay Close", "CloseDevice"})
    EXPECT_TRUE(Has(card, line)) << line;
  for (const std::string& f : {steps, log, script, record}) DeleteFileA(f.c_str());
  SetEnvironmentVariableA("QUILLON_CARDLINK_SCRIPT", nullptr);
  SetEnvironmentVariableA("QUILLON_CARDLINK_RECORD", nullptr);
  RegDeleteTreeA(HKEY_CURRENT_USER, kProfileKey);
}

}  // namespace
