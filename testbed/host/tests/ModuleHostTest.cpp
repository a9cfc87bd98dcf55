// The host's module side driving the test module (testbed/module) through
// sessions in the host's call order: the capability columns and ordinals of
// the six module kinds and the status fields _QLONExModule writes, module
// information for indexes without a device, the status timer against scripted
// front-end answers and its two spans, filters, teletext, volume and mute,
// the PES tap fed from the module's stream thread, the constant exports,
// null host pointers and exceptions inside exports, and the profile written
// at unload and read at the next load.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "CapabilityColumns.h"
#include "HostProcess.h"
#include "ModuleHost.h"

namespace {

const char kTitle[] = "Quillon Ex Test S/C/T DVB Module";
const char kProfileKey[] = "Software\\heronV1\\testmodule";
const char* const kKinds[] = {"kestrel", "merlin", "osprey", "falcon", "harrier", "condor"};

// The build of the test module of a kind.
std::string TestModulePath(const char* kind) { return std::string(TESTMODULE_DIR) + "/testmodule_" + kind + ".dll"; }

class ModuleSession : public testing::Test {
 protected:
  ModuleSession() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    script = std::string(temp) + "testmodule-" + std::to_string(GetCurrentProcessId()) + ".txt";
    const char* data = std::getenv("QUILLON_TEST_DATA");
    SetEnvironmentVariableA("QUILLON_TESTMODULE_TS", data ? (std::string(data) + "/modules/stream.ts").c_str() : "");
    Script("");
  }
  ~ModuleSession() override {
    host.Unload();
    DeleteFileA(script.c_str());
  }

  void Script(const std::string& text) {
    std::ofstream(script) << text;
    SetEnvironmentVariableA("QUILLON_TESTMODULE_SCRIPT", script.c_str());
  }

  void Load(const char* kind = "kestrel") {
    std::string error;
    ASSERT_TRUE(host.Load(TestModulePath(kind), &error)) << error;
  }

  // Pumps until the status timer's tick n has run, or limitMs have passed.
  bool Tick(int n, DWORD limitMs = 10000) {
    const std::string line = "tick " + std::to_string(n);
    return host.PumpUntil(
        [&] {
          for (const auto& l : host.Log())
            if (l.text == line) return true;
          return false;
        },
        limitMs);
  }

  std::string script;
  CModuleHost host;
};

TEST_F(ModuleSession, EachModuleKindWritesItsCapabilityColumnAndTheStartFields) {
  Script("devices 2\n");
  for (int k = 0; k < kModuleKinds; ++k) {
    SCOPED_TRACE(kKinds[k]);
    host.ResetRecords();
    host.ClearLog();
    Load(kKinds[k]);
    ASSERT_EQ(1, host.Open(1));
    MODULE_CAPABILITIES expected;
    for (DWORD& f : expected.flags) f = CModuleHost::kSentinel;
    WriteCapabilities(static_cast<ModuleKind>(k), &expected);
    for (size_t i = 0; i < kCapabilityCount; ++i)
      EXPECT_EQ(expected.flags[i], host.caps.flags[i]) << "offset " << 4 * i;

    EXPECT_EQ(0, host.status.m_iScreenMode);
    EXPECT_EQ(15, host.status.m_iBorderX);
    EXPECT_EQ(15, host.status.m_iBorderY);
    EXPECT_EQ(nullptr, host.status.m_pChannel);
    EXPECT_EQ(0u, host.status.m_iRecPlayState);
    EXPECT_EQ(1u, host.status.m_iFrontendType);                 // written by the open
    EXPECT_EQ(CModuleHost::kSentinel, host.status.m_iQuality);  // no tick yet

    const std::string title = kTitle;
    const std::vector<std::string> devices = {title + "|Test Device 0|1.41", title + "|Test Device 1|1.41"};
    EXPECT_EQ(devices, host.devices);
    EXPECT_EQ(static_cast<char>(0xA5), host.title[title.size() + 1]) << "wrote past the title";
    EXPECT_EQ(static_cast<char>(0xA5), host.version[5]);

    const auto log = host.Log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(".\\testmodule", log.front().file);
    EXPECT_EQ(10, log.front().level);
    EXPECT_EQ("MOD_testmodule: Module successfully initialized.", log.front().text);
    EXPECT_EQ(1u, host.LogCount("MOD_testmodule: device 1 open"));
    EXPECT_EQ(1, host.Close());
    host.Unload();
  }
}

TEST_F(ModuleSession, StatusTimerFillsTheRecordFromTheFrontEndAndThePicture) {
  Script(
      "bytes 10240\n"
      "state 1 1 0.001 60 80\n"
      "state 0 1 0.0 40 50\n"
      "state 1 0 0.0 30 20\n"
      "video 720 576 16 9\n"
      "video 720 576 4 3\n");
  Load();
  ASSERT_EQ(1, host.Open(0));
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  struct Expected {
    DWORD locked, quality, level, signal, width;
    size_t paints;  // WM_PAINT notices so far: one per change of the monitor mode
  };
  const Expected ticks[] = {
      {1, 75, 60, 80, 720, 1},  // locked, BER 0.001; 16:9 picture: monitor mode 0 -> 1
      {1, 0, 40, 50, 720, 2},   // the call failed: what it wrote stays, quality 0; 4:3 -> 0
      {0, 0, 30, 20, 720, 2},   // unlocked; 4:3 again: no change
  };
  for (int t = 0; t < 3; ++t) {
    SCOPED_TRACE(t + 1);
    ASSERT_TRUE(Tick(t + 1));
    const Expected& e = ticks[t];
    EXPECT_EQ(e.locked, host.status.m_bLocked);
    EXPECT_EQ(e.quality, host.status.m_iQuality);
    EXPECT_EQ(e.level, host.status.m_iSignalValue2);
    EXPECT_EQ(e.signal, host.status.m_iSignalValue);
    EXPECT_EQ(e.width, host.status.m_iVideoWidth);
    EXPECT_EQ(576u, host.status.m_iVideoHeight);
    EXPECT_EQ(0u, host.status.m_dwCleared60);
    EXPECT_EQ(0u, host.status.m_dwCleared76);
    EXPECT_EQ(80u, host.status.m_iDataRate);  // 10240 bytes a tick
    EXPECT_TRUE(host.PumpUntil([&] { return host.PaintMessages() >= e.paints; }, 5000));
    EXPECT_EQ(e.paints, host.PaintMessages());
  }
  // The host forces 16:9 whatever the picture says.
  host.status.m_iAspectMode = 1;
  ASSERT_TRUE(Tick(4));
  EXPECT_TRUE(host.PumpUntil([&] { return host.PaintMessages() == 3; }, 5000));
  EXPECT_EQ(1, host.Close());
}

TEST_F(ModuleSession, TheStatusTimerRunsWithTheDeviceOrWithTheModule) {
  struct Span {
    const char* script;
    bool withModule;
  } spans[] = {
      {"", false},               // from _InitDVBHardware to _CloseDVBHardware
      {"timer module\n", true},  // from module start to module exit
  };
  const DWORD kMoreThanAPeriod = 1500;
  for (const Span& s : spans) {
    SCOPED_TRACE(s.withModule ? "with the module" : "with the device");
    Script(s.script);
    host.ResetRecords();
    host.ClearLog();
    Load();
    ASSERT_EQ(1, host.fn.QLONExModule(CModuleHost::LogFunction(), &host.caps, &host.status, host.Window()));
    EXPECT_EQ(s.withModule, Tick(1, s.withModule ? 10000 : kMoreThanAPeriod)) << "before any device is open";
    const int opened = s.withModule ? 2 : 1;
    ASSERT_EQ(1, host.fn.InitDVBHardware(0));
    ASSERT_TRUE(Tick(opened));
    EXPECT_EQ(1, host.Close());
    EXPECT_EQ(s.withModule, Tick(opened + 1, s.withModule ? 10000 : kMoreThanAPeriod)) << "after the close";
    // The exit stops it: a tick now would call into the unloaded module.
    host.Unload();
    host.PumpUntil([] { return false; }, kMoreThanAPeriod);
  }
}

TEST_F(ModuleSession, ModuleInfoForAnIndexWithoutADeviceAnswersZeroAndWritesNothing) {
  struct Case {
    const char* script;
    int index;
    const char* name;  // nullptr: no device there
  } cases[] = {
      {"devices 2\n", 1, "Test Device 1"},
      {"devices 2\n", 2, nullptr},  // one past the last
      {"devices 2\n", -1, nullptr},
      {"devices 0\n", 0, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.script << "index " << c.index);
    Script(c.script);
    host.ResetRecords();
    Load();
    ASSERT_EQ(1, host.fn.QLONExModule(CModuleHost::LogFunction(), &host.caps, &host.status, host.Window()));
    const int result = host.fn.QLONExModuleInfo(c.index, host.title, host.deviceName, host.version);
    if (c.name) {
      EXPECT_EQ(1, result);
      EXPECT_STREQ(kTitle, host.title);
      EXPECT_STREQ(c.name, host.deviceName);
      EXPECT_STREQ("1.41", host.version);
    } else {
      EXPECT_EQ(0, result);
      const std::string untouched(sizeof(host.title), static_cast<char>(0xA5));
      EXPECT_EQ(untouched, std::string(host.title, sizeof(host.title)));
      EXPECT_EQ(untouched, std::string(host.deviceName, sizeof(host.deviceName)));
      EXPECT_EQ(untouched.substr(0, sizeof(host.version)), std::string(host.version, sizeof(host.version)));
    }
    host.Unload();
  }
}

// Ordinals 1 to 34, the same in every kind.
const char* const kCommonExports[] = {
    "_QLONExModule", "_InitDVBHardware", "_CloseDVBHardware", "_GetDeviceID", "_CreateVideoWindow",
    "_DeleteVideoWindow", "_SetWindowPositions", "_SetScreenMode", "_GetVideoWindowHandle", "_SetColorValues",
    "_SetVolume", "_SetMute", "_SetTunerChannel", "_SetTunerStateCallback", "_SendDiSEqC", "_StartPlayback",
    "_StartRecord", "_StartTimeshift", "_SpeedRecPlay", "_StartFilter", "_StopFilter", "_StartTeletext",
    "_StopTeletext", "_HasDeviceRemote", "_StartRemote", "_StopRemote", "_GetDeviceMAC",
    "_OpenDeviceDependentProperties", "_EnterCAMDialog", "_SetPids", "_StopRecPlay", "_SeekPlayback", "_SetBobMode",
    "_QLONExModuleInfo"};

// The ordinals past 34, one column per kind; 0: the kind does not export it.
struct KindExport {
  const char* name;
  WORD ordinal[kModuleKinds];
};
const KindExport kKindExports[] = {
    //                        kestrel merlin osprey falcon harrier condor
    {"_SetApplicationHandle", {35, 35, 35, 35, 38, 35}},
    {"_MakeSnapshot", {36, 37, 36, 37, 0, 36}},
    {"_SetDolbyMode", {38, 36, 38, 36, 0, 38}},
    {"_GetDeviceCount", {37, 38, 37, 38, 37, 37}},
    {"_SetSurface", {0, 0, 0, 0, 39, 0}},
    {"_SetADSwitch", {0, 0, 0, 0, 40, 0}},
};

TEST(ModuleExportsTest, EachKindExportsAtItsOwnOrdinals) {
  for (int k = 0; k < kModuleKinds; ++k) {
    SCOPED_TRACE(kKinds[k]);
    HMODULE module = LoadLibraryA(TestModulePath(kKinds[k]).c_str());
    ASSERT_NE(nullptr, module);
    for (WORD i = 0; i < std::size(kCommonExports); ++i) {
      const FARPROC byName = GetProcAddress(module, kCommonExports[i]);
      EXPECT_NE(nullptr, byName) << kCommonExports[i];
      EXPECT_EQ(byName, GetProcAddress(module, MAKEINTRESOURCEA(i + 1))) << kCommonExports[i];
    }
    bool used[41] = {};
    for (const KindExport& e : kKindExports) {
      const WORD ordinal = e.ordinal[k];
      const FARPROC byName = GetProcAddress(module, e.name);
      if (!ordinal) {
        EXPECT_EQ(nullptr, byName) << e.name;
        continue;
      }
      used[ordinal] = true;
      EXPECT_NE(nullptr, byName) << e.name;
      EXPECT_EQ(byName, GetProcAddress(module, MAKEINTRESOURCEA(ordinal))) << e.name;
    }
    for (WORD ordinal = 35; ordinal <= 40; ++ordinal) {
      if (!used[ordinal]) {
        EXPECT_EQ(nullptr, GetProcAddress(module, MAKEINTRESOURCEA(ordinal))) << "ordinal " << ordinal;
      }
    }
    FreeLibrary(module);
  }
}

TEST_F(ModuleSession, FiltersTeletextVolumeTuningAndThePesTap) {
  Load();
  ASSERT_EQ(1, host.Open(0));
  const BYTE match[1] = {0x42}, mask[1] = {0xFF};
  char a[] = "A", b[] = "B";
  const PFN_FILTER_CALLBACK cb = CModuleHost::FilterCallback();
  EXPECT_EQ(2, host.fn.StartFilter(0, 0x12, match, mask, 1, nullptr, a));
  EXPECT_EQ(2, host.fn.StartFilter(0, 0x12, match, mask, 1, cb, nullptr));
  EXPECT_EQ(0, host.fn.StartFilter(5, 0x12, match, mask, 1, cb, a));
  EXPECT_TRUE(host.PumpUntil([&] { return host.FilterData().size() == 1; }, 5000));
  EXPECT_EQ(0, host.fn.StartFilter(6, 0x13, match, mask, 1, cb, a));
  EXPECT_EQ(0, host.fn.StartFilter(9, 0x14, match, mask, 1, cb, b));
  EXPECT_TRUE(host.PumpUntil([&] { return host.FilterData().size() == 3; }, 5000));
  EXPECT_EQ(1u, host.LogCount("Using attached filter object."));
  EXPECT_EQ(1u, host.LogCount("filter set type=3 pid=18 length=1"));
  EXPECT_EQ(1u, host.LogCount("filter set type=4 pid=19 length=1"));
  EXPECT_EQ(1u, host.LogCount("filter set type=0 pid=20 length=1"));
  EXPECT_EQ(0, host.fn.StopFilter(a));
  EXPECT_EQ(3, host.fn.StopFilter(a));
  char unknown[] = "U";
  EXPECT_EQ(3, host.fn.StopFilter(unknown));

  EXPECT_EQ(3, host.fn.StartTeletext(nullptr, 0x20));
  EXPECT_EQ(0, host.fn.StartTeletext(CModuleHost::TeletextCallback(), 0x20));
  EXPECT_TRUE(host.PumpUntil([&] { return host.TeletextBlocks() == 1; }, 5000));
  EXPECT_EQ(0, host.fn.StopTeletext());

  EXPECT_EQ(0, host.fn.SetVolume(500, 500, 500));  // no graph yet
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  EXPECT_EQ(1, host.status.m_iScreenMode);
  EXPECT_EQ(1, host.fn.SetVolume(1000, 500, 500));
  EXPECT_EQ(1, host.fn.SetMute());
  EXPECT_EQ(0, host.fn.SetVolume(300, 500, 500));
  EXPECT_EQ(0, host.fn.SetMute());
  EXPECT_EQ(1, host.fn.SetVolume(0, 500, 500));
  std::vector<std::string> volumes;
  for (const auto& l : host.Log())
    if (l.text.rfind("volume ", 0) == 0) volumes.push_back(l.text);
  const std::vector<std::string> expectedVolumes = {"volume 0", "volume -10000", "volume 0", "volume -10000"};
  EXPECT_EQ(expectedVolumes, volumes);

  const CHANNEL_TYPE tuning = {{11954000, 27500, 1, 0, 0, 0, 0}};
  EXPECT_EQ(0, host.fn.SetTunerChannel(tuning, &host.channel));
  EXPECT_EQ(&host.channel, host.status.m_pChannel);
  EXPECT_EQ(1u, host.LogCount("tune 11954000"));
  host.status.m_bNoChannel = 1;
  EXPECT_EQ(0, host.fn.SetTunerChannel(tuning, &host.channel));
  EXPECT_EQ(nullptr, host.status.m_pChannel);
  host.status.m_bNoChannel = 0;
  EXPECT_EQ(0, host.fn.SetTunerChannel(tuning, &host.channel));

  ASSERT_EQ(0, host.fn.SetPids(0x100, 0x101, 0, 0));
  EXPECT_TRUE(host.PumpUntil([&] { return host.LogCount("stream ended") == 1; }, 30000));
  EXPECT_GT(host.PesPackets(), 50u);
  EXPECT_TRUE(host.PesFromOtherThread());
  EXPECT_EQ(&host.channel, host.status.m_pChannel);
  EXPECT_EQ(0, host.fn.SetPids(0, 0, 0, 0));
  EXPECT_EQ(nullptr, host.status.m_pChannel);

  EXPECT_STREQ("00-11-22-33-44-55", host.fn.GetDeviceMAC());
  struct Constant {
    const char* name;
    int result;
    int expected;
  };
  const Constant constants[] = {
      {"_GetDeviceID", host.fn.GetDeviceID(), 1},
      {"_SetScreenMode", host.fn.SetScreenMode(), 1},
      {"_SetTunerStateCallback", host.fn.SetTunerStateCallback(nullptr), 0},
      {"_StartPlayback", host.fn.StartPlayback("x.ts"), 3},
      {"_StartRecord", host.fn.StartRecord("x.ts", 1), 3},
      {"_StartTimeshift", host.fn.StartTimeshift("x.ts"), 3},
      {"_SpeedRecPlay", host.fn.SpeedRecPlay(4), 5},
      {"_StopRecPlay", host.fn.StopRecPlay(), 3},
      {"_SeekPlayback", host.fn.SeekPlayback(500), 5},
      {"_HasDeviceRemote", host.fn.HasDeviceRemote(), 1},
      {"_StartRemote", host.fn.StartRemote(), 0},
      {"_StopRemote", host.fn.StopRemote(), 0},
  };
  for (const Constant& c : constants) EXPECT_EQ(c.expected, c.result) << c.name;
  EXPECT_EQ(1, host.Close());
  EXPECT_EQ(1u, host.LogCount("MOD_testmodule: device closed"));
}

TEST_F(ModuleSession, AModuleThatServesMessagesInsideAnExportAndNotifiesTheHostWindow) {
  Script("boot\ncommand 4002\ncommand 4003\n");
  Load();
  ASSERT_EQ(1, host.Open(0));  // serves messages until its boot thread is done
  EXPECT_EQ(std::vector<WPARAM>{4001}, host.Commands());
  EXPECT_EQ(0, host.fn.SetPids(0x100, 0, 0, 0));
  const std::vector<WPARAM> commands = {4001, 4002, 4003};
  EXPECT_EQ(commands, host.Commands());
  ASSERT_TRUE(Tick(1));  // the host's loop still serves the module's timer
  EXPECT_EQ(1, host.Close());
}

TEST_F(ModuleSession, NullHostPointersGetResultCodesAndExceptionsStayInside) {
  Script("throw tune\nthrow pids\n");
  Load();
  EXPECT_EQ(0, host.fn.QLONExModule(nullptr, &host.caps, &host.status, host.Window()));
  EXPECT_EQ(1u, host.caps.flags[2]);
  EXPECT_EQ(15, host.status.m_iBorderX);
  EXPECT_TRUE(host.Log().empty());

  host.ResetRecords();
  EXPECT_EQ(1, host.fn.QLONExModule(CModuleHost::LogFunction(), nullptr, nullptr, nullptr));
  EXPECT_EQ(1, host.fn.InitDVBHardware(0));
  // The timer runs with nothing to write into: give it more than a period.
  host.PumpUntil([] { return false; }, 1500);
  EXPECT_EQ(0u, host.LogCount("tick"));
  EXPECT_EQ(CModuleHost::kSentinel, host.status.m_iQuality);
  EXPECT_EQ(0, host.fn.QLONExModuleInfo(0, nullptr, host.deviceName, host.version));
  EXPECT_EQ(2, host.fn.StartFilter(0, 0x12, nullptr, nullptr, 0, nullptr, nullptr));

  const CHANNEL_TYPE tuning = {};
  EXPECT_EQ(2, host.fn.SetTunerChannel(tuning, &host.channel));
  EXPECT_EQ(3, host.fn.SetPids(0x100, 0x101, 0, 0));
  for (const char* name : {"_SetTunerChannel", "_SetPids"}) {
    size_t found = 0;
    for (const auto& l : host.Log())
      found += l.level == 127 && l.text == std::string("MOD_testmodule: exception in ") + name;
    EXPECT_EQ(1u, found) << name;
  }
  EXPECT_EQ(1, host.fn.CloseDVBHardware());
}

DWORD ProfileValue(const char* section, const char* name) {
  DWORD value = 0xDEADBEEF, size = sizeof(value);
  HKEY key;
  const std::string path = std::string(kProfileKey) + "\\" + section;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
    RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
  }
  return value;
}

TEST_F(ModuleSession, ProfileIsWrittenAtUnloadAndReadAtTheNextLoad) {
  RegDeleteTreeA(HKEY_CURRENT_USER, kProfileKey);
  Load();
  ASSERT_EQ(1, host.Open(0));
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  EXPECT_EQ(1, host.fn.SetVolume(300, 500, 500));
  EXPECT_EQ(0, host.status.m_iXScale);
  host.status.m_iXScale = 7;
  host.status.m_iYScale = -3;
  EXPECT_EQ(1, host.Close());
  host.Unload();
  EXPECT_EQ(static_cast<DWORD>(-7000), ProfileValue("Setup", "lLastVolume"));
  EXPECT_EQ(7u, ProfileValue("Setup", "iXScale"));
  EXPECT_EQ(static_cast<DWORD>(-3), ProfileValue("Setup", "iYScale"));
  EXPECT_EQ(0u, ProfileValue("Setup", "m_MonitorMode"));
  EXPECT_EQ(640u, ProfileValue("FreeTVWindow", "right"));
  EXPECT_EQ(480u, ProfileValue("FreeTVWindow", "bottom"));

  // Loaded again and again, the module starts from what it saved.
  for (int round = 0; round < 3; ++round) {
    host.ResetRecords();
    Load();
    ASSERT_EQ(1, host.fn.QLONExModule(CModuleHost::LogFunction(), &host.caps, &host.status, nullptr));
    EXPECT_EQ(7, host.status.m_iXScale);
    EXPECT_EQ(-3, host.status.m_iYScale);
    host.Unload();
    EXPECT_EQ(static_cast<DWORD>(-7000), ProfileValue("Setup", "lLastVolume"));
  }
  RegDeleteTreeA(HKEY_CURRENT_USER, kProfileKey);
}

TEST_F(ModuleSession, TheHostRunsASessionFromStepsAndFeedsThePluginBesideIt) {
  const std::string base = script.substr(0, script.size() - 4);
  const std::string steps = base + "-steps.txt", log = base + "-host.log", report = base + "-probe.txt";
  std::ofstream(steps) << "# a session of the test module\n"
                          "open 0\nwindow 1\ntune 11954000 0\nfilter 0 18 epg\nuntil filter set type=0 pid=18\n"
                          "pids 256 257\nuntil stream ended\nvolume 800\nmute\nstopfilter epg\nstopfilter epg\n"
                          "close\n";
  SetEnvironmentVariableA("QUILLON_PROBE_REPORT", report.c_str());
  const std::string module = " --module \"" + TestModulePath("kestrel") + "\"";
  ASSERT_EQ(0u, RunHost("--plugin \"" + TestDir() + "\\probe_plugin.dll\"" + module + " --session \"" + steps +
                        "\" --exit-after 100 --log \"" + log + "\""));
  const auto lines = Lines(ReadText(log));
  const std::vector<std::string> expected = {
      "module loaded",
      "step open 0 -> 1",
      "step window 1 -> 1",
      "step tune 11954000 0 -> 0",
      "step filter 0 18 epg -> 0",
      "step until filter set type=0 pid=18 -> 1",
      "step pids 256 257 -> 0",
      "step until stream ended -> 1",
      "step volume 800 -> 1",
      "step mute -> 1",
      "step stopfilter epg -> 0",
      "step stopfilter epg -> 3",
      "step close -> 1",
      "module unloaded",
      "host exit",
  };
  for (const std::string& line : expected) EXPECT_TRUE(Has(lines, line)) << line;
  EXPECT_TRUE(HasPrefix(lines, "module .\\testmodule:"));
  EXPECT_TRUE(HasPrefix(lines, "session: ")) << "summary";
  // The plug-in ends after the session, not while the module still streams to it.
  const auto lineAt = [&](const std::string& line) {
    return static_cast<size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
  };
  EXPECT_NE(lines.size(), lineAt("plugin exit"));
  EXPECT_LT(lineAt("module unloaded"), lineAt("plugin exit"));
  // The plug-in received the module's PES packets, on the module's thread.
  const auto probe = Lines(ReadText(report));
  EXPECT_TRUE(HasPrefix(probe, "pes packets=")) << ReadText(report);
  EXPECT_FALSE(HasPrefix(probe, "pes packets=0 "));

  std::ofstream(steps) << "open 0\nbogus\n";
  EXPECT_EQ(1u, RunHost(module + " --session \"" + steps + "\" --log \"" + log + "\""));
  EXPECT_TRUE(Has(Lines(ReadText(log)), "error: unknown step \"bogus\""));
  for (const std::string& f : {steps, log, report}) DeleteFileA(f.c_str());
}

}  // namespace
