// falcon.dll driven by the stand-in host against the box library's test
// build on the simulated box: its exports and capability column, the boot
// image chosen for each box kind, the host's messages served while the box
// boots, a session that tunes the box's front end and plays its recorded
// PES through heron to the decoder stand-ins, a radio channel whose PVA
// audio is wrapped for the graph and the tap, the host's filter types as
// the box gets them, a box pulled out during playback, tvhost running
// the module in a process of its own, the CAM's slots and menu reaching the
// host and the CAM dialog, DiSEqC messages as the box gets them, teletext
// blocks to the host's callback, and the device notification the module
// registers for the host's window.
#include <gtest/gtest.h>

#include <windows.h>

#include <dbt.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <DShowTestSupport.h>
#include <DvbChannels.h>
#include <TestData.h>
#include <TestDecoders.h>

#include "AdapterKey.h"
#include "BoxCommands.h"
#include "BoxSimulator.h"
#include "CiCommands.h"
#include "DVBCommon.h"
#include "DVBError.h"
#include "DriverIoctl.h"
#include "FirmwareImage.h"
#include "HostProcess.h"
#include "HostLog.h"
#include "MessageBoxWatcher.h"
#include "ModuleHost.h"
#include "ModuleResources.h"
#include "PlaybackRig.h"
#include "SimCamControl.h"
#include "SimCamMessages.h"
#include "SimRecorder.h"
#include "SimulatorInterface.h"

namespace {

IBoxSimulator* Simulator() {
  static IBoxSimulator* sim = SimulatorInterface<IBoxSimulator>(BOXSIM_CONTROL_EXPORT);
  return sim;
}

ISimCam* Cam() {
  static ISimCam* cam = SimulatorInterface<ISimCam>(BOXSIM_CAM_EXPORT);
  return cam;
}

ISimNetAdapter* NetSimulator() {
  static ISimNetAdapter* net = SimulatorInterface<ISimNetAdapter>(BOXSIM_NETADAPTER_EXPORT);
  return net;
}

// The module runs from a folder of its own with the box images in its
// "Boot" folder (never from bin/, whose boxlink.dll talks to no simulator);
// tvhost runs from there too, beside the box library's test build.
const std::string kRunFolder = FALCON_RUN_DIR;
std::string RunModule() { return kRunFolder + "/falcon.dll"; }

struct BootImage {
  const char* name;
  DWORD length;
};
// Each image of its own length, so that the box tells which one it got.
const BootImage kImages[] = {
    {"STB_PC_S.bin", 4000},  {"STB_PC_C.bin", 4100}, {"STB_PC_T.bin", 4200},
    {"STB_PC_T2.bin", 4300}, {"STB_PC_X.bin", 4400},
};

std::vector<BYTE> ImageOf(const BootImage& image) {
  return firmwareimage::MakeImage(image.length, static_cast<BYTE>(image.length / 100), false);
}

bool PrepareRunFolder() {
  CreateDirectoryA(kRunFolder.c_str(), nullptr);
  CreateDirectoryA((kRunFolder + "/Boot").c_str(), nullptr);
  if (!CopyFileA(FALCON_PATH, RunModule().c_str(), FALSE) ||
      !CopyFileA(TVHOST_PATH, (kRunFolder + "/tvhost.exe").c_str(), FALSE) ||
      !CopyFileA(BOXLINK_TEST_PATH, (kRunFolder + "/boxlink.dll").c_str(), FALSE))
    return false;
  for (const BootImage& image : kImages) {
    const std::vector<BYTE> bytes = ImageOf(image);
    FILE* f = std::fopen((kRunFolder + "/Boot/" + image.name).c_str(), "wb");
    if (!f) return false;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  return true;
}

// What the box announces when the image is booted.
DWORD TransferLength(const BootImage& image) {
  std::vector<BYTE> bytes = ImageOf(image);
  return static_cast<DWORD>(firmwareimage::PrepareTransfer(bytes.data(), static_cast<DWORD>(bytes.size())).size());
}

constexpr WORD kVideoPid = 0x100, kAudioPid = 0x101;
constexpr BYTE kPackHeader[14] = {0x00, 0x00, 0x01, 0xBA, 0x44, 0x00, 0x04, 0x00, 0x04, 0x01, 0x01, 0x19, 0xAB, 0xF8};

bool Contains(const std::vector<uint8_t>& whole, const std::vector<uint8_t>& part) {
  return std::search(whole.begin(), whole.end(), part.begin(), part.end()) != whole.end();
}

class FalconTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(PrepareRunFolder()); }

  FalconTest() : m_watcher(m_log) { m_watcher.Start(); }
  ~FalconTest() override {
    // A host closes the device before it unloads the module.
    if (HasFailure() && host.IsLoaded()) host.Close();
    // What the module logged, to tell a failure's cause.
    if (HasFailure())
      for (const CModuleHost::LogLine& line : host.Log()) std::printf("  log %d: %s\n", line.line, line.text.c_str());
    host.Unload();
    m_watcher.Stop();
    if (sim) sim->WaitIdle(5000);
  }
  void SetUp() override {
    // The process imports the box library's test build (and through it the
    // simulator) before the module does: a box left open is closed.
    CDVBCommon::CloseDevice();
    sim = Simulator();
    ASSERT_NE(sim, nullptr) << "the box library's test build must be loaded, with boxsim.dll";
    sim->Reset();
    PlugNetwork();
    video = ReadTestData("video.m2v");
    audio = ReadTestData("audio.mp2");
    ASSERT_FALSE(video.empty() || audio.empty()) << "QUILLON_TEST_DATA must hold scripts/make-fixtures' output";
  }
  void TearDown() override {
    if (ISimNetAdapter* net = NetSimulator()) {
      RemoveAdapterKey(*net, 0);
      net->Reset();
    }
  }
  // falcon opens the box with its network side: the box's adapter on the
  // PC, with its class key written for the box's MAC.
  void PlugNetwork() {
    ISimNetAdapter* net = NetSimulator();
    ASSERT_NE(net, nullptr);
    const BYTE boxMac[6] = {0x02, 0xA7, 0xE3, 0x1A, 0x2B, 0x3C};
    net->Reset();
    net->SetPresent(1);
    WriteAdapterValue(*net, 0, "NetworkAddress", "02A7E31A2B3C");
    net->ClearHostAdapters();
    net->AddHostAdapter(HostAdapter(boxMac, "192.168.7.1", "255.255.255.0"));
    net->SetDriverAddress(0, 0, 5000);
  }
  // A box of this product whose firmware runs a front end of this kind.
  void Box(WORD product, DWORD kind, WORD fourthVersion = 0) {
    sim->SetUsbIds(0x1A2C, product);
    SimBoxState s = State();
    s.feType = kind;
    s.feCaps[1] = kind == 3 ? 0x10000 : 0x11;
    s.feAirFrequency = kind == 1 ? 11778000 : 474000;
    s.feCaptureKHz = 1000;
    s.versions[3] = fourthVersion;
    sim->SetState(s);
  }
  // The box's recording of the programme, sent at about a programme's
  // rate: the graph restarts just after the record command.
  void Programme(int loops) {
    setup = SimRecorderSetup::Of(video, audio);
    setup.loops = loops;
    setup.bytesPerSecond = 200000;
    sim->SetRecorder(setup);
  }
  void Load() {
    std::string error;
    ASSERT_TRUE(host.Load(RunModule(), &error)) << error;
  }
  SimBoxState State() {
    SimBoxState s;
    sim->GetState(&s);
    return s;
  }
  SimBootInfo BootInfo() {
    SimBootInfo info;
    sim->GetBootInfo(&info);
    return info;
  }
  bool Logged(const std::string& text) { return host.LogCount(text) > 0; }
  // Pumps the host's messages until the status timer has ticked n times.
  bool Ticks(int n) {
    for (int i = 0; i < n; ++i) {
      host.status.m_dwCleared76 = CModuleHost::kSentinel;
      if (!host.PumpUntil([&] { return host.status.m_dwCleared76 == 0; }, 10000)) return false;
    }
    return true;
  }
  // The satellite channel on the air, with the host's channel record.
  int TuneSatellite(BYTE serviceKind, WORD videoPid) {
    host.channel = {};
    host.channel.serviceKind = serviceKind;
    host.channel.videoPid = videoPid;
    host.channel.audioPid = kAudioPid;
    host.channel.serviceId = 28006;
    CHANNEL_TYPE tuning = {{11778000, 2, 27500000, 10600000, 1, 18, 3}};
    return host.fn.SetTunerChannel(tuning, &host.channel);
  }
  IFilterGraph2* Graph() { return static_cast<IFilterGraph2*>(host.status.m_pFilterGraph); }
  // The decoder stand-ins once the graph has been rebuilt with them.
  bool StandIns(ComPtr<ITestSinkLog>* videoLog, ComPtr<ITestSinkLog>* audioLog) {
    return host.PumpUntil(
        [&] {
          *videoLog = StandInLog(Graph(), CLSID_TestVideoDecoderA);
          *audioLog = StandInLog(Graph(), CLSID_TestMpegAudioDecoder);
          return *videoLog && *audioLog;
        },
        20000);
  }

  IBoxSimulator* sim = nullptr;
  CModuleHost host;
  CHostLog m_log;
  CMessageBoxWatcher m_watcher;  // answers the module's message boxes
  std::vector<uint8_t> video, audio;
  SimRecorderSetup setup;
};

TEST_F(FalconTest, ExportsAtItsOrdinalsAndWritesItsCapabilityColumn) {
  HMODULE module = LoadLibraryA(RunModule().c_str());
  ASSERT_TRUE(module);
  const char* const names[] = {"_QLONExModule",
                               "_InitDVBHardware",
                               "_CloseDVBHardware",
                               "_GetDeviceID",
                               "_CreateVideoWindow",
                               "_DeleteVideoWindow",
                               "_SetWindowPositions",
                               "_SetScreenMode",
                               "_GetVideoWindowHandle",
                               "_SetColorValues",
                               "_SetVolume",
                               "_SetMute",
                               "_SetTunerChannel",
                               "_SetTunerStateCallback",
                               "_SendDiSEqC",
                               "_StartPlayback",
                               "_StartRecord",
                               "_StartTimeshift",
                               "_SpeedRecPlay",
                               "_StartFilter",
                               "_StopFilter",
                               "_StartTeletext",
                               "_StopTeletext",
                               "_HasDeviceRemote",
                               "_StartRemote",
                               "_StopRemote",
                               "_GetDeviceMAC",
                               "_OpenDeviceDependentProperties",
                               "_EnterCAMDialog",
                               "_SetPids",
                               "_StopRecPlay",
                               "_SeekPlayback",
                               "_SetBobMode",
                               "_QLONExModuleInfo",
                               "_SetApplicationHandle",
                               "_SetDolbyMode",
                               "_MakeSnapshot",
                               "_GetDeviceCount"};
  for (WORD i = 0; i < std::size(names); ++i) {
    EXPECT_NE(nullptr, GetProcAddress(module, names[i])) << names[i];
    EXPECT_EQ(GetProcAddress(module, names[i]), GetProcAddress(module, MAKEINTRESOURCEA(i + 1))) << names[i];
  }
  EXPECT_EQ(nullptr, GetProcAddress(module, MAKEINTRESOURCEA(39)));
  FreeLibrary(module);

  sim->SetNames(0, "Sim STB", "Sim STB description");
  Load();
  host.ResetRecords();
  ASSERT_EQ(1, host.fn.QLONExModule(CModuleHost::LogFunction(), &host.caps, &host.status, nullptr));
  // The module's column; -1: left as the host set it.
  const int column[46] = {1, 0, 1, 1, 1, 1, 1, 0, 0, 1, 1, -1, 0, 1,  1, 1,  0, 0,  0,  1, 0,  1, 1,
                          1, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0,  1, -1, 1, -1, 1, -1, -1, 1, -1, 1, 1};
  for (int i = 0; i < 46; ++i)
    EXPECT_EQ(column[i] < 0 ? CModuleHost::kSentinel : static_cast<DWORD>(column[i]), host.caps.flags[i])
        << "offset " << 4 * i;
  EXPECT_TRUE(Logged("MOD_falcon: Module successfully initialized."));
  EXPECT_EQ(1, host.fn.GetDeviceCount());
  char title[256] = {}, name[256] = {}, version[16] = {};
  ASSERT_EQ(1, host.fn.QLONExModuleInfo(0, title, name, version));
  EXPECT_STREQ("Quillon Ex STB/DEC S/C/T DVB Module", title);
  EXPECT_NE(std::string(name).find("Sim STB"), std::string::npos) << name;
  EXPECT_STREQ("1.41", version);
  // The stubs and the exports that need no device.
  EXPECT_EQ(3, host.fn.StartPlayback("x.pva"));
  EXPECT_EQ(3, host.fn.StartRecord("x.pva", 0));
  EXPECT_EQ(3, host.fn.StartTimeshift("x.pva"));
  EXPECT_EQ(3, host.fn.StopRecPlay());
  EXPECT_EQ(5, host.fn.SpeedRecPlay(4));
  EXPECT_EQ(5, host.fn.SeekPlayback(500));
  EXPECT_EQ(0, host.fn.SetColorValues(128, 128, 128));
  EXPECT_EQ(1, host.fn.GetDeviceID());
  EXPECT_EQ(1, host.fn.HasDeviceRemote());
  EXPECT_EQ(0, host.fn.SetDolbyMode(1));  // no video window
  sim->SetPresent(0);
  EXPECT_EQ(0, host.fn.GetDeviceCount());
  EXPECT_EQ(0, host.fn.QLONExModuleInfo(0, title, name, version));
}

TEST_F(FalconTest, EachBoxKindBootsItsImage) {
  struct Row {
    WORD product;
    DWORD kind;
    WORD fourthVersion;
    int image;  // index into kImages; -1: none, the open fails
  } rows[] = {
      {0x0B21, 1, 0, 0},  {0x0B22, 2, 0, 1}, {0x0B23, 3, 18, 2},
      {0x0B23, 3, 19, 3}, {0x0B24, 1, 0, 4}, {0x0B30, 1, 0, -1},
  };
  Load();
  // Without the box's network side the open fails before any boot.
  NetSimulator()->SetPresent(0);
  host.ResetRecords();
  EXPECT_EQ(0, host.Open(0));
  EXPECT_TRUE(Logged("ERROR: OpenDevice not successfull."));
  EXPECT_EQ(0, BootInfo().headers);
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << std::hex << row.product << " " << std::dec << row.fourthVersion);
    sim->Reset();
    PlugNetwork();
    Box(row.product, row.kind, row.fourthVersion);
    host.ClearLog();
    host.ResetRecords();
    if (row.image < 0) {
      EXPECT_EQ(0, host.Open(0));
      EXPECT_TRUE(Logged("ERROR: BootARM not successfull. Module will shutdown."));
      EXPECT_EQ(0, BootInfo().headers);
      EXPECT_EQ(0, State().lastResetMode);  // back to set-top mode
      continue;
    }
    ASSERT_EQ(1, host.Open(0));
    EXPECT_TRUE(Logged("CDVBCommon::OpenDevice successfull."));
    EXPECT_TRUE(Logged("BoardControl.BootARM successfull."));
    EXPECT_TRUE(Logged("Frontend successfully initialized."));
    const SimBootInfo info = BootInfo();
    EXPECT_EQ(1, info.starts);
    EXPECT_EQ(TransferLength(kImages[row.image]), info.announcedLength) << kImages[row.image].name;
    EXPECT_EQ(row.kind, host.status.m_iFrontendType);
    if (row.kind == 3) {
      EXPECT_NE(0u, host.status.m_dwMaxFrequency);
      EXPECT_LT(host.status.m_dwMinFrequency, host.status.m_dwMaxFrequency);
    }
    EXPECT_EQ(0, host.Close());
    EXPECT_TRUE(Logged("CDVBCommon::CloseDevice()"));
  }
}

TEST_F(FalconTest, TheHostsMessagesAreServedWhileTheBoxBoots) {
  Box(0x0B21, 1);
  sim->SetBootTiming(300, 1500);  // the boot outlasts a status tick
  Load();
  host.ResetRecords();
  sim->ClearLog();
  // Queued for the host's window before the open: only the boot's pump serves it.
  PostMessageA(host.Window(), WM_COMMAND, 4242, 0);
  ASSERT_EQ(1, host.Open(0));
  const std::vector<WPARAM> commands = host.Commands();
  EXPECT_NE(std::find(commands.begin(), commands.end(), WPARAM(4242)), commands.end());
  // A status tick ran inside the open; it asked nothing of the front end
  // while the box was away booting.
  EXPECT_EQ(0u, host.status.m_dwCleared76);
  int start = -1, firstQuery = -1;
  for (int i = 0; i < sim->LogCount(); ++i) {
    SimLogEntry e;
    sim->GetLogEntry(i, &e);
    if (e.code != driverioctl::kCommandChannel) continue;
    if (e.request[0] == boxcommands::kUpdateStart && start < 0) start = i;
    if (e.request[0] == boxcommands::kFeQuery && firstQuery < 0) firstQuery = i;
  }
  ASSERT_GE(start, 0);
  EXPECT_TRUE(firstQuery < 0 || firstQuery > start) << firstQuery << " " << start;
  EXPECT_EQ(0, host.Close());
}

TEST_F(FalconTest, ASessionTunesPlaysTheBoxesPesAndTapsIt) {
  ASSERT_TRUE(RegisterPlaybackFilters());
  Box(0x0B21, 1);
  Programme(3);
  Load();
  ASSERT_EQ(1, host.Open(0));
  host.ShowWindowSized(640, 480);
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  ASSERT_NE(nullptr, Graph());
  EXPECT_NE(nullptr, host.fn.GetVideoWindowHandle());

  EXPECT_EQ(0, TuneSatellite(1, kVideoPid));
  SimBoxState s = State();
  EXPECT_EQ(11778000u, s.channel[0]);
  // The status timer reads the front end: the channel on the air locks.
  EXPECT_TRUE(host.PumpUntil([&] { return host.status.m_bLocked == 1; }, 10000));

  host.KeepTapped(true);
  EXPECT_EQ(0, host.fn.SetPids(kVideoPid, kAudioPid, kVideoPid, 0));
  s = State();
  EXPECT_EQ(boxcommands::kRecord, s.lastRecPlay);
  EXPECT_EQ(5, s.recPlayArg);
  EXPECT_TRUE(host.PumpUntil([&] { return host.HasDataRate(); }, 10000));

  ComPtr<ITestSinkLog> videoLog, audioLog;
  ASSERT_TRUE(StandIns(&videoLog, &audioLog));
  // One whole run of each stream reaches its decoder, in order.
  // The programme runs three times: one whole run of each stream reaches
  // its decoder, in order, whatever the graph's restart dropped.
  std::vector<int64_t> times;
  EXPECT_TRUE(host.PumpUntil(
      [&] {
        return Contains(JoinedPayloads(videoLog.Get(), &times), video) &&
               Contains(JoinedPayloads(audioLog.Get(), &times), audio);
      },
      30000));
  const std::vector<std::vector<BYTE>> tapped = host.TappedPackets();
  ASSERT_FALSE(tapped.empty());
  EXPECT_TRUE(host.PesFromOtherThread());
  for (const std::vector<BYTE>& packet : tapped) {
    ASSERT_GT(packet.size(), 14u + 6);
    EXPECT_TRUE(std::equal(kPackHeader, kPackHeader + 14, packet.begin()));
    EXPECT_EQ((packet[18] << 8 | packet[19]) + 6 + 14, static_cast<int>(packet.size()));  // one whole PES packet
  }

  // AC-3: the channel has no AC-3 PID, so nothing changes; with one, the
  // graph restarts and the mode follows the host's request.
  EXPECT_EQ(0, host.fn.SetDolbyMode(1));
  host.channel.ac3Pid = 0x102;
  EXPECT_EQ(1, host.fn.SetDolbyMode(1));
  EXPECT_EQ(1, host.fn.SetDolbyMode(1));
  EXPECT_EQ(0, host.fn.SetDolbyMode(0));
  host.channel.ac3Pid = 0;
  EXPECT_EQ(0, host.fn.StartTeletext(CModuleHost::TeletextCallback(), 32));
  EXPECT_TRUE(Logged("MOD_falcon: Teletext successfully started."));
  s = State();
  EXPECT_EQ(32, s.vtPid);
  EXPECT_EQ(0, host.fn.StopTeletext());

  // The PIDs all 0 but the PCR: the recording stops, the channel stays.
  EXPECT_EQ(0, host.fn.SetPids(0, 0, 0x100, 0));
  EXPECT_EQ(boxcommands::kStop, State().lastRecPlay);
  EXPECT_EQ(&host.channel, host.status.m_pChannel);
  EXPECT_EQ(0, host.fn.SetPids(0, 0, 0, 0));
  EXPECT_EQ(nullptr, host.status.m_pChannel);

  EXPECT_EQ(0, host.Close());
  EXPECT_EQ(nullptr, host.status.m_pFilterGraph);
  EXPECT_TRUE(Logged("CDVBCommon::CloseDevice()"));
  s = State();
  EXPECT_EQ(0, s.lastResetMode);  // back to set-top mode
}

TEST_F(FalconTest, ARadioChannelPlaysThePvaAudioWrappedForTheGraphAndTheTap) {
  ASSERT_TRUE(RegisterPlaybackFilters());
  Box(0x0B21, 1);
  Programme(3);
  Load();
  ASSERT_EQ(1, host.Open(0));
  host.ShowWindowSized(640, 480);
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  EXPECT_EQ(0, TuneSatellite(2, 0));
  host.KeepTapped(true);
  EXPECT_EQ(0, host.fn.SetPids(0, kAudioPid, 0, 0));

  // Every audio PVA packet the box sends reaches the tap as a PES packet:
  // as it came when it holds a whole one, else behind the radio header.
  std::vector<std::vector<BYTE>> expected;
  for (const std::vector<BYTE>& pva : CSimRecorder::Payloads(5, setup)) {
    if (pva[2] != 2) continue;
    const int n = pva[6] << 8 | pva[7];
    std::vector<BYTE> tap(kPackHeader, kPackHeader + 14);
    if (!(pva[5] & 0x10)) {
      const BYTE header[10] = {0x00, 0x00, 0x01, 0xE0, BYTE((n + 4) >> 8), BYTE(n + 4), 0x8B, 0x00, 0x01, 0xFF};
      tap.insert(tap.end(), header, header + 10);
    }
    tap.insert(tap.end(), pva.begin() + 8, pva.begin() + 8 + n);
    expected.push_back(tap);
  }
  ASSERT_GT(expected.size(), 10u);
  // (Counted without copying what the tap kept, which would hold up the tap.)
  ASSERT_TRUE(host.PumpUntil([&] { return host.PesPackets() >= expected.size(); }, 30000));
  const std::vector<std::vector<BYTE>> tapped = host.TappedPackets();
  ASSERT_EQ(expected.size(), tapped.size());
  int bare = 0;
  for (size_t i = 0; i < tapped.size(); ++i) {
    EXPECT_EQ(expected[i], tapped[i]) << "packet " << i;
    bare += expected[i][17] == 0xE0;
  }
  EXPECT_GT(bare, 0);  // both kinds were sent
  EXPECT_LT(bare, static_cast<int>(tapped.size()));

  // The audio decoder gets one whole run of the audio; no video reaches the graph.
  ComPtr<ITestSinkLog> audioLog;
  ASSERT_TRUE(host.PumpUntil(
      [&] {
        audioLog = StandInLog(Graph(), CLSID_TestMpegAudioDecoder);
        return static_cast<bool>(audioLog);
      },
      20000));
  std::vector<int64_t> times;
  EXPECT_TRUE(host.PumpUntil([&] { return Contains(JoinedPayloads(audioLog.Get(), &times), audio); }, 30000));
  if (ComPtr<ITestSinkLog> videoLog = StandInLog(Graph(), CLSID_TestVideoDecoderA)) {
    EXPECT_TRUE(JoinedPayloads(videoLog.Get(), &times).empty());
  }
  EXPECT_EQ(0, host.Close());
}

TEST_F(FalconTest, HostFilterTypesReachTheBoxMapped) {
  Box(0x0B21, 1);
  Load();
  ASSERT_EQ(1, host.Open(0));
  const std::string mac = host.fn.GetDeviceMAC();
  EXPECT_FALSE(mac.empty());
  EXPECT_LE(mac.size(), 31u);
  // Host type -> what the box got: refused, a pipe filter, or a section
  // filter in the box's mode 1 or 13.
  struct Row {
    int hostType;
    int result;
    int section;  // -1: no filter in the box
    WORD mode;
  } rows[] = {
      {0, 3, -1, 0}, {1, 0, 0, 0}, {2, 0, 0, 0}, {3, 0, 0, 0}, {4, 0, 0, 0}, {5, 0, 1, 1}, {6, 0, 1, 13}, {7, 0, 0, 0},
  };
  const BYTE match[1] = {0x42}, mask[1] = {0xFF};
  static char contexts[8][4] = {"t0", "t1", "t2", "t3", "t4", "t5", "t6", "t7"};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.hostType);
    const WORD pid = static_cast<WORD>(0x200 + row.hostType);
    const int result =
        host.fn.StartFilter(row.hostType, pid, match, mask, 1, CModuleHost::FilterCallback(), contexts[row.hostType]);
    if (row.section < 0) {
      EXPECT_NE(0, result);
    } else {
      EXPECT_EQ(row.result, result);
    }
    const SimBoxState s = State();
    const SimBoxState::Filter* found = nullptr;
    for (const SimBoxState::Filter& f : s.filters)
      if (f.used && f.pid == pid) found = &f;
    if (row.section < 0) {
      EXPECT_EQ(nullptr, found);
      continue;
    }
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(row.section, found->section);
    if (row.section) {
      EXPECT_EQ(row.mode, found->mode);
    }
  }
  EXPECT_TRUE(Logged("Creating new filter."));
  // A stopped filter's object is gone; a second stop finds nothing.
  EXPECT_EQ(0, host.fn.StopFilter(contexts[5]));
  EXPECT_TRUE(Logged("Stopping filter."));
  EXPECT_EQ(3, host.fn.StopFilter(contexts[5]));
  // The same context again re-uses its object.
  host.ClearLog();
  EXPECT_EQ(0, host.fn.StartFilter(1, 0x300, match, mask, 1, CModuleHost::FilterCallback(), contexts[1]));
  EXPECT_TRUE(Logged("Using attached filter object."));
  EXPECT_EQ(2, host.fn.StartFilter(1, 0x300, match, mask, 1, nullptr, contexts[1]));
  EXPECT_EQ(0, host.Close());
  for (const SimBoxState::Filter& f : State().filters) EXPECT_FALSE(f.used) << f.pid;
}

TEST_F(FalconTest, ABoxPulledOutDuringPlaybackClosesAndTheHostGoesOn) {
  ASSERT_TRUE(RegisterPlaybackFilters());
  Box(0x0B21, 1);
  Programme(20);
  Load();
  ASSERT_EQ(1, host.Open(0));
  host.ShowWindowSized(640, 480);
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  EXPECT_EQ(0, TuneSatellite(1, kVideoPid));
  EXPECT_EQ(0, host.fn.SetPids(kVideoPid, kAudioPid, kVideoPid, 0));
  ASSERT_TRUE(host.PumpUntil([&] { return host.PesPackets() > 50; }, 20000));

  sim->Unplug();
  // The status timer goes on; nothing more arrives.
  ASSERT_TRUE(Ticks(2));
  const size_t after = host.PesPackets();
  ASSERT_TRUE(Ticks(1));
  EXPECT_EQ(after, host.PesPackets());
  EXPECT_EQ(0u, host.status.m_iDataRate);
  EXPECT_EQ(0u, host.status.m_bLocked);

  // The host closes the device on the removal: closed, window gone, no hang.
  EXPECT_EQ(0, host.Close());
  EXPECT_TRUE(Logged("CDVBCommon::CloseDevice()"));
  EXPECT_EQ(nullptr, host.status.m_pFilterGraph);
  EXPECT_EQ(nullptr, host.fn.GetVideoWindowHandle());

  // Plugged in again, the box opens and plays once more.
  sim->Reset();
  PlugNetwork();
  Box(0x0B21, 1);
  Programme(1);
  ASSERT_EQ(1, host.fn.InitDVBHardware(0));
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  EXPECT_EQ(0, TuneSatellite(1, kVideoPid));
  const size_t before = host.PesPackets();
  EXPECT_EQ(0, host.fn.SetPids(kVideoPid, kAudioPid, kVideoPid, 0));
  EXPECT_EQ(boxcommands::kRecord, State().lastRecPlay);
  EXPECT_TRUE(host.PumpUntil([&] { return host.PesPackets() > before + 50; }, 20000));
  EXPECT_EQ(0, host.Close());
}

TEST_F(FalconTest, TheVideoWindowClosesAndOpensWhileTheBoxStreams) {
  ASSERT_TRUE(RegisterPlaybackFilters());
  Box(0x0B21, 1);
  Programme(12);  // about twelve seconds of stream
  Load();
  ASSERT_EQ(1, host.Open(0));
  host.ShowWindowSized(640, 480);
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  EXPECT_EQ(0, TuneSatellite(1, kVideoPid));
  EXPECT_EQ(0, host.fn.SetPids(kVideoPid, kAudioPid, kVideoPid, 0));
  ASSERT_TRUE(host.PumpUntil([&] { return host.PesPackets() > 50; }, 20000));
  // The host releases the graph while the library's thread pushes packets
  // into it; without a graph the packets are only tapped and counted.
  for (int round = 0; round < 3; ++round) {
    ASSERT_EQ(1, host.fn.DeleteVideoWindow());
    EXPECT_EQ(nullptr, host.status.m_pFilterGraph);
    const size_t without = host.PesPackets();
    EXPECT_TRUE(host.PumpUntil([&] { return host.PesPackets() > without + 20; }, 10000));
    ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
    ASSERT_NE(nullptr, Graph());
    const size_t with = host.PesPackets();
    EXPECT_TRUE(host.PumpUntil([&] { return host.PesPackets() > with + 20; }, 10000));
  }
  EXPECT_EQ(0, host.Close());
}

TEST_F(FalconTest, TvhostRunsTheModuleAndGoesOnWhenTheBoxCannotOpen) {
  // The host's own process has a box of its own simulator, untouched: it
  // has no network side, so the open fails with the module's message box.
  const std::string steps = kRunFolder + "/session.txt", log = kRunFolder + "/session.log";
  {
    std::ofstream out(steps);
    out << "open 0\nwait 200\nclose\n";
  }
  ASSERT_EQ(0u, RunHost(kRunFolder + "/tvhost.exe", "--module \"" + RunModule() + "\" --session \"" + steps +
                                                        "\" --exit-after 100 --log \"" + log + "\""));
  const std::vector<std::string> lines = Lines(ReadText(log));
  EXPECT_TRUE(Has(lines, "step open 0 -> 0")) << ReadText(log);
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
    return l.find("messagebox") == 0 &&
           l.find("CDVBCommon::OpenDevice not sucessfull. Shutting down.") != std::string::npos;
  })) << ReadText(log);
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
    return l.rfind("module .\\falcon:", 0) == 0 && l.find("ERROR: OpenDevice not successfull.") != std::string::npos;
  })) << ReadText(log);
  EXPECT_TRUE(Has(lines, "step close -> 0"));
  EXPECT_TRUE(Has(lines, "host exit"));
  DeleteFileA(steps.c_str());
  DeleteFileA(log.c_str());
}

// The CAM in the box's first slot, scripted: its slot states name it in the
// host's menu, its menu fills the dialog that _EnterCAMDialog shows, the
// user's choice and answer go back to it, and it closes the dialog.
class FalconCamTest : public FalconTest {
 protected:
  static void Step(BYTE command, const std::vector<simcam::Message>& messages) {
    Cam()->AddStep(command);
    for (const simcam::Message& m : messages) Cam()->AddStepMessage(m.data(), DWORD(m.size()));
  }
  static void Send(const simcam::Message& message) { Cam()->Send(message.data(), DWORD(message.size())); }
  SimCamState CamState() {
    SimCamState s;
    Cam()->GetCamState(&s);
    return s;
  }
  // The box's log grows while the stream reads stay pending: requests are
  // taken from a mark on.
  void Mark() { m_mark = sim->LogCount(); }
  std::vector<std::vector<BYTE>> CamRequests() {
    std::vector<std::vector<BYTE>> out;
    for (int i = m_mark; i < sim->LogCount(); ++i) {
      SimLogEntry e;
      sim->GetLogEntry(i, &e);
      if (e.code == driverioctl::kCommandChannel && CSimCam::IsCamCommand(e.request[0]))
        out.emplace_back(e.request, e.request + e.requestLength);
    }
    return out;
  }
  // Any command with this first byte since the mark.
  bool Commanded(BYTE command) {
    for (int i = m_mark; i < sim->LogCount(); ++i) {
      SimLogEntry e;
      sim->GetLogEntry(i, &e);
      if (e.code == driverioctl::kCommandChannel && e.request[0] == command) return true;
    }
    return false;
  }
  bool Requested(const std::vector<BYTE>& request) {
    const std::vector<std::vector<BYTE>> got = CamRequests();
    return std::find(got.begin(), got.end(), request) != got.end();
  }
  // The host's menu with the two slot items the module names.
  void SlotMenu() {
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 32843, "Slot 1 ...");
    AppendMenuA(menu, MF_STRING, 32844, "Slot 2 ...");
    SetMenu(host.Window(), menu);
  }
  std::string MenuText(UINT id) {
    char text[64] = {};
    GetMenuStringA(GetMenu(host.Window()), id, text, sizeof(text), MF_BYCOMMAND);
    return text;
  }
  static std::string Text(HWND dialog, int id) {
    char text[300] = {};
    GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
  }
  static std::vector<std::string> ListLines(HWND dialog) {
    std::vector<std::string> lines;
    const LRESULT count = SendDlgItemMessageA(dialog, IDC_CAM_LIST, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      char line[300] = {};
      SendDlgItemMessageA(dialog, IDC_CAM_LIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
      lines.push_back(line);
    }
    return lines;
  }
  // Shown by the dialog itself (the host window around it may be hidden).
  static bool Shown(HWND dialog) { return (GetWindowLongA(dialog, GWL_STYLE) & WS_VISIBLE) != 0; }
  static void Click(HWND dialog, int id) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

  int m_mark = 0;
};

TEST_F(FalconCamTest, SlotStatesAndTheCamMenuReachTheHostAndTheDialog) {
  using namespace cicommands;
  using namespace simcam;
  ASSERT_NE(nullptr, Cam());
  Box(0x0B21, 1);
  Cam()->ClearScript();
  Step(kEnterMenu, {Menu(0, 2, {"Test CAM", "Main menu", "Press OK", "Smartcard", "Language"})});
  Step(kMenuAnswer, {Enquiry(0, false, 4, "Enter PIN")});
  Step(kAnswer, {Close(0)});
  Load();
  SlotMenu();
  ASSERT_EQ(1, host.Open(0));
  EXPECT_FALSE(Logged("Warning: CI init failed, or no CI found!"));
  EXPECT_EQ(1, CamState().linkOpen);

  // Slot 2 empty; slot 1 detecting, then ready with its CA systems and name.
  const std::string name = "Test CAM  ";
  Send(SlotStatus(1, 0));
  Send(SlotStatus(0, 1));
  Send(SlotStatus(0, 2, {0x0100, 0x0B00}, std::vector<BYTE>(name.begin(), name.end())));
  ASSERT_TRUE(host.PumpUntil([&] { return Logged("CAM: Test CAM Slot: 1"); }, 10000));
  EXPECT_TRUE(Logged("Slot 2 is empty or unknown CAM module inserted."));
  EXPECT_TRUE(Logged("CAM module inserted."));
  int caLines = 0;
  for (const CModuleHost::LogLine& line : host.Log()) {
    caLines += line.text.rfind("supported CA ID: 0100 - ", 0) == 0;
    caLines += line.text.rfind("supported CA ID: 0B00 - ", 0) == 0;
  }
  EXPECT_EQ(2, caLines);
  EXPECT_EQ("Test CAM", MenuText(32843));
  EXPECT_EQ("Slot 2 ...", MenuText(32844));

  // The host opens the dialog for slot 1: shown in the host's window, bound
  // to the slot, and the CAM is asked for its menu.
  Mark();
  host.fn.EnterCAMDialog(2, 0);
  HWND dialog = FindWindowExA(host.Window(), nullptr, "#32770", nullptr);
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(Shown(dialog));
  char title[32] = {};
  GetWindowTextA(dialog, title, sizeof(title));
  EXPECT_STREQ("CAM Slot 1", title);
  EXPECT_TRUE(host.PumpUntil([&] { return Text(dialog, IDC_CAM_SLOT) == "Test CAM"; }, 10000));
  EXPECT_TRUE(Requested({kEnterMenu, 1}));
  const std::vector<std::string> menu = {"Test CAM", "Main menu", "[1] Smartcard", "[2] Language", "Press OK"};
  ASSERT_TRUE(host.PumpUntil([&] { return ListLines(dialog) == menu; }, 10000)) << ListLines(dialog).size();
  EXPECT_TRUE(host.PumpUntil([&] { return Text(dialog, IDC_CAM_STATUS) == "CI active"; }, 10000));

  // The second choice; the CAM asks for a PIN, gets it and closes.
  Click(dialog, IDC_CAM_DIGIT0 + 2);
  EXPECT_TRUE(Requested({kMenuAnswer, 1, 2}));
  ASSERT_TRUE(host.PumpUntil([&] { return Text(dialog, IDC_CAM_STATUS) == "Enter answer and press send."; }, 10000));
  SetDlgItemTextA(dialog, IDC_CAM_ANSWER, "1234");
  Click(dialog, IDC_CAM_SEND);
  EXPECT_TRUE(Requested({kAnswer, 1, 4, '1', '2', '3', '4'}));
  ASSERT_TRUE(host.PumpUntil([&] { return Text(dialog, IDC_CAM_STATUS) == "CI inactive"; }, 10000));
  EXPECT_FALSE(Shown(dialog));
  EXPECT_EQ(0, CamState().stepsLeft);
  EXPECT_EQ(0, CamState().badRequests);

  // With the CI ready, a tune asks the CAM for the channel's service
  // (28006) and releases it.
  Mark();
  EXPECT_EQ(0, TuneSatellite(1, kVideoPid));
  EXPECT_TRUE(Requested({kReadPsiFast, 0x6D, 0x66}));
  EXPECT_TRUE(Commanded(kAskRelease));

  // The close shuts the link and destroys the dialog.
  EXPECT_EQ(0, host.Close());
  EXPECT_EQ(0, CamState().linkOpen);
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(FalconTest, DiSEqCMessagesReachTheBoxAsSent) {
  Box(0x0B21, 1);
  Load();
  ASSERT_EQ(1, host.Open(0));
  struct Row {
    std::vector<BYTE> message;
    BYTE length;
    BYTE burst;
    DWORD boxStatus;  // the box's answer: 0 sent
    int result;
    int sendings;  // what the box got
  } rows[] = {
      {{0xE0, 0x10, 0x38, 0xF0}, 4, 0xFF, 0, DVB_ERR_NONE, 1},
      {{0xE1, 0x10, 0x38, 0xF7}, 4, 0xFF, 0, DVB_ERR_NONE, 1},
      {{0xE0, 0x00, 0x00}, 3, 0xFF, 0, DVB_ERR_NONE, 1},
      {{0xE0, 0x31, 0x6B, 0x12, 0x34, 0x56}, 6, 0xFF, 0, DVB_ERR_NONE, 1},
      {{}, 0, 1, 0, DVB_ERR_NONE, 1},  // tone burst B
      {{}, 0, 0, 0, DVB_ERR_NONE, 1},  // tone burst A
      {{0xE0, 0x10, 0x38, 0xF0, 0, 0, 0}, 7, 0xFF, 0, DVB_ERR_ARGUMENT, 0},
      {{0xE0, 0x10, 0x38, 0xF4}, 4, 0xFF, 1, DVB_ERR_DISEQC, 3},  // three tries
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << int(row.length) << " bytes, burst " << int(row.burst));
    SimBoxState s = State();
    s.diseqcStatus = row.boxStatus;
    sim->SetState(s);
    const int before = s.diseqcCount;
    EXPECT_EQ(row.result, host.fn.SendDiSEqC(row.message.empty() ? nullptr : row.message.data(), row.length, row.burst));
    s = State();
    EXPECT_EQ(before + row.sendings, s.diseqcCount);
    if (!row.sendings) continue;
    EXPECT_EQ(row.burst, s.diseqcMode);
    ASSERT_EQ(row.length, s.diseqcLength);
    EXPECT_EQ(row.message, std::vector<BYTE>(s.diseqcMessage, s.diseqcMessage + s.diseqcLength));
  }
  EXPECT_EQ(0, host.Close());

  // A cable box has no DiSEqC: nothing is sent.
  sim->Reset();
  PlugNetwork();
  Box(0x0B22, 2);
  ASSERT_EQ(1, host.fn.InitDVBHardware(0));
  const BYTE message[4] = {0xE0, 0x10, 0x38, 0xF0};
  EXPECT_EQ(DVB_ERR_NO_ANSWER, host.fn.SendDiSEqC(message, 4, 0xFF));
  EXPECT_EQ(0, State().diseqcCount);
  EXPECT_EQ(0, host.Close());
}

// What the host's teletext callback got, on which thread.
CCriticalSection g_pageLock;
std::vector<std::vector<BYTE>> g_pages;  // guarded by g_pageLock
std::atomic<DWORD> g_pageThread{0};

int __cdecl RecordPage(const BYTE* data, int length) {
  CSingleLock lock(&g_pageLock, TRUE);
  g_pages.emplace_back(data, data + length);
  g_pageThread = GetCurrentThreadId();
  return 0;
}

std::vector<std::vector<BYTE>> Pages() {
  CSingleLock lock(&g_pageLock, TRUE);
  return g_pages;
}

TEST_F(FalconTest, TeletextBlocksReachTheHostsCallback) {
  {
    CSingleLock lock(&g_pageLock, TRUE);
    g_pages.clear();
  }
  Box(0x0B21, 1);
  Load();
  ASSERT_EQ(1, host.Open(0));
  EXPECT_EQ(kModuleBadArgument, host.fn.StartTeletext(nullptr, 0x30));
  EXPECT_FALSE(State().vtOn);

  ASSERT_EQ(0, host.fn.StartTeletext(&RecordPage, 0x30));
  EXPECT_TRUE(Logged("MOD_falcon: Settings teletext PID: 48"));
  EXPECT_TRUE(Logged("MOD_falcon: Teletext successfully started."));
  SimBoxState s = State();
  EXPECT_TRUE(s.vtOn);
  EXPECT_EQ(0x30, s.vtPid);
  // Every page is asked for.
  EXPECT_EQ(0xFFFF, s.vtSearch[0]);
  EXPECT_EQ(1, s.vtSearch[3]);

  // Blocks of several sizes, each numbered.
  std::vector<std::vector<BYTE>> blocks;
  for (int i = 0; i < 12; ++i) {
    std::vector<BYTE> block(size_t(46 * (1 + i % 4)), BYTE(0x55 + i));
    block[0] = BYTE(i);
    blocks.push_back(block);
    ASSERT_TRUE(sim->SendTeletext(block.data(), DWORD(block.size())));
  }
  ASSERT_TRUE(host.PumpUntil([&] { return Pages().size() >= blocks.size(); }, 10000)) << Pages().size();
  EXPECT_EQ(blocks, Pages());
  EXPECT_NE(GetCurrentThreadId(), g_pageThread.load());

  EXPECT_EQ(0, host.fn.StopTeletext());
  EXPECT_FALSE(State().vtOn);
  EXPECT_FALSE(sim->SendTeletext(blocks[0].data(), DWORD(blocks[0].size())));

  // A box that refuses the PID: no success logged, the box's teletext stays off.
  host.ClearLog();
  s = State();
  s.vtAnswer = 0;
  sim->SetState(s);
  EXPECT_NE(0, host.fn.StartTeletext(&RecordPage, 0x31));
  EXPECT_FALSE(Logged("MOD_falcon: Teletext successfully started."));
  EXPECT_FALSE(State().vtOn);

  // After the close there is no teletext object.
  EXPECT_EQ(0, host.Close());
  EXPECT_EQ(kModuleBadArgument, host.fn.StartTeletext(&RecordPage, 0x30));
  EXPECT_EQ(kModuleFailed, host.fn.StopTeletext());
  EXPECT_EQ(blocks.size(), Pages().size());
}

// The module's calls of the device-notification functions, seen through its
// import table (the notification itself never comes for the simulated box).
struct NoticeCall {
  HANDLE recipient;
  DWORD size, type, flags;
  HANDLE handle;
};
std::vector<NoticeCall> g_noticeCalls;
std::vector<HDEVNOTIFY> g_noticeEnds;

HDEVNOTIFY WINAPI RecordRegister(HANDLE recipient, LPVOID filter, DWORD flags) {
  const DEV_BROADCAST_HANDLE* f = static_cast<const DEV_BROADCAST_HANDLE*>(filter);
  g_noticeCalls.push_back({recipient, f->dbch_size, f->dbch_devicetype, flags, f->dbch_handle});
  // A token of our own: the module hands it back when it unregisters.
  return reinterpret_cast<HDEVNOTIFY>(static_cast<ULONG_PTR>(0x5000 + g_noticeCalls.size()));
}

BOOL WINAPI RecordUnregister(HDEVNOTIFY notice) {
  g_noticeEnds.push_back(notice);
  return TRUE;
}

// Points the module's import of `name` from `dll` at `replacement`; the
// previous target, or 0 when the module does not import it.
ULONG_PTR PatchImport(HMODULE module, const char* dll, const char* name, ULONG_PTR replacement) {
  BYTE* base = reinterpret_cast<BYTE*>(module);
  const IMAGE_NT_HEADERS* nt =
      reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!imports.VirtualAddress) return 0;
  for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
    if (_stricmp(reinterpret_cast<const char*>(base + d->Name), dll) != 0 || !d->OriginalFirstThunk) continue;
    auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) != 0) continue;
      DWORD protect = 0;
      VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &protect);
      const ULONG_PTR previous = slots->u1.Function;
      slots->u1.Function = replacement;
      VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), protect, &protect);
      return previous;
    }
  }
  return 0;
}

TEST_F(FalconTest, AnOpenBoxIsRegisteredForDeviceNoticesToTheHostsWindow) {
#ifndef _WIN64
  static_assert(sizeof(DEV_BROADCAST_HANDLE) == 44, "the handle filter the host's system reads");
#endif
  g_noticeCalls.clear();
  g_noticeEnds.clear();
  Box(0x0B21, 1);
  Load();
  HMODULE module = GetModuleHandleA("falcon.dll");
  ASSERT_TRUE(module);
  const ULONG_PTR realRegister = PatchImport(module, "user32.dll", "RegisterDeviceNotificationA",
                                   reinterpret_cast<ULONG_PTR>(&RecordRegister));
  ASSERT_TRUE(realRegister);
  const ULONG_PTR realUnregister = PatchImport(module, "user32.dll", "UnregisterDeviceNotification",
                                     reinterpret_cast<ULONG_PTR>(&RecordUnregister));
  ASSERT_TRUE(realUnregister);

  ASSERT_EQ(1, host.Open(0));
  ASSERT_EQ(1u, g_noticeCalls.size());
  const NoticeCall call = g_noticeCalls[0];
  EXPECT_EQ(host.Window(), call.recipient);
  EXPECT_EQ(sizeof(DEV_BROADCAST_HANDLE), call.size);
  EXPECT_EQ(DWORD(DBT_DEVTYP_HANDLE), call.type);
  EXPECT_EQ(DWORD(DEVICE_NOTIFY_WINDOW_HANDLE), call.flags);
  // The box's own handle, as the library has it open.
  EXPECT_NE(INVALID_HANDLE_VALUE, call.handle);
  EXPECT_EQ(CDVBCommon::GetActDeviceHandle(), call.handle);
  EXPECT_TRUE(g_noticeEnds.empty());

  // The close ends that registration, once.
  EXPECT_EQ(0, host.Close());
  EXPECT_EQ(std::vector<HDEVNOTIFY>{reinterpret_cast<HDEVNOTIFY>(ULONG_PTR(0x5001))}, g_noticeEnds);

  // An open that fails, before or at the boot, registers nothing.
  NetSimulator()->SetPresent(0);
  EXPECT_EQ(0, host.fn.InitDVBHardware(0));
  sim->Reset();
  PlugNetwork();
  Box(0x0B30, 1);  // no image for this product: the boot fails
  EXPECT_EQ(0, host.fn.InitDVBHardware(0));
  EXPECT_EQ(1u, g_noticeCalls.size());
  EXPECT_EQ(1u, g_noticeEnds.size());

  PatchImport(module, "user32.dll", "RegisterDeviceNotificationA", realRegister);
  PatchImport(module, "user32.dll", "UnregisterDeviceNotification", realUnregister);
}

}  // namespace
