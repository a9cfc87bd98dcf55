// osprey.dll driven by the stand-in host in its call order, on the BDA
// stand-ins of testbed/bda: the network-provider search on a DVB-T tuner,
// the values each network type's provider is handed, a session whose
// grabber packets reach the host's PES tap and filters while the graph plays
// through the decoder stand-ins, the module's profile, and a machine without
// the TS grabber.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <DShowTestSupport.h>
#include <DvbChannels.h>
#include <TestData.h>

#include "HostLog.h"
#include "MessageBoxWatcher.h"
#include "ModuleHost.h"
#include "PlaybackRig.h"
#include <TestDecoders.h>

#include <BdaPlatform.h>
#include <BdaSim.h>

namespace {

const char kOsprey[] = OSPREY_PATH;
const char kBdaSim[] = BDASIM_PATH;
const char kPlover[] = PLOVER_PATH;

bool RegisterBdaWorld() {
  static const bool ok =
      RegisterPlaybackFilters() && Regsvr32(WinPath(kBdaSim), false) == 0 && Regsvr32(WinPath(kPlover), false) == 0;
  return ok;
}

// The stand-ins' records: bdasim.ax's, then the grabber's (plover.ax keeps its own).
const char* const kRecorders[] = {"bdasim.ax", "plover.ax"};

std::string BdaRecord() {
  std::string all;
  for (const char* module : kRecorders) {
    auto record = reinterpret_cast<BdaSimRecordProc>(GetProcAddress(GetModuleHandleA(module), "BdaSimRecord"));
    if (!record) continue;
    std::string text(record(nullptr, 0) + 1, '\0');
    record(text.data(), static_cast<int>(text.size()));
    text.resize(text.size() - 1);
    all += text;
  }
  return all;
}

void ClearBdaRecord() {
  for (const char* module : kRecorders) {
    auto clear = reinterpret_cast<BdaSimClearRecordProc>(GetProcAddress(GetModuleHandleA(module), "BdaSimClearRecord"));
    if (clear) clear();
  }
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class OspreyTest : public testing::Test {
 protected:
  OspreyTest() : m_watcher(m_log) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    m_boxLog = std::string(temp) + "osprey-boxes.log";
    DeleteFileA(m_boxLog.c_str());
    m_log.Open(m_boxLog);
    m_watcher.Start();
    // The graph's own choice of decoders.
    WritePrivateProfileStringA("Quillon", "VideoDecoder", "0", "heron-BDA.ini");
    WritePrivateProfileStringA("Quillon", "AudioDecoder", "0", "heron-BDA.ini");
    SetEnvironmentVariableA("QUILLON_BDASIM_TS",
                            WinPath(std::string(std::getenv("QUILLON_TEST_DATA")) + "/modules/stream.ts").c_str());
  }
  ~OspreyTest() override {
    host.Unload();
    m_watcher.Stop();
  }
  void Load() {
    ASSERT_TRUE(RegisterBdaWorld());
    std::string error;
    ASSERT_TRUE(host.Load(kOsprey, &error)) << error;
  }
  // The device index of the tuner whose name contains part; -1 without one.
  int TunerIndex(const std::string& part) {
    for (size_t i = 0; i < host.devices.size(); ++i)
      if (host.devices[i].find(part) != std::string::npos) return static_cast<int>(i);
    return -1;
  }
  // Opens the tuner whose name contains part.
  void OpenTuner(const std::string& tuner) {
    ASSERT_EQ(1, host.Open(0));
    const int index = TunerIndex(tuner);
    ASSERT_GE(index, 0);
    if (index != 0) {
      ASSERT_EQ(1, host.fn.CloseDVBHardware());
      ASSERT_EQ(1, host.fn.InitDVBHardware(index));
    }
  }
  // Builds the graph in the host's window.
  void Show() {
    host.ShowWindowSized(640, 480);
    ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  }
  void OpenAndShow(const std::string& tuner) {
    OpenTuner(tuner);
    Show();
  }
  bool Logged(const std::string& text) { return host.LogCount(text) > 0; }
  // Index of the first log line containing text at or after from; -1 without one.
  int LineOf(const std::string& text, int from = 0) {
    const auto lines = host.Log();
    for (size_t i = from; i < lines.size(); ++i)
      if (lines[i].text.find(text) != std::string::npos) return static_cast<int>(i);
    return -1;
  }

  CModuleHost host;
  CHostLog m_log;
  CMessageBoxWatcher m_watcher;
  std::string m_boxLog;
};

// Pins what Wine itself offers of the BDA world, with the stand-ins
// unregistered: the device enumerator's BDA categories work (empty), while
// tuning spaces, locators, network providers and the demultiplexer are
// missing. The README lists the same.
TEST(OspreyWineTest, WhatWineOffersOfTheBdaPieces) {
  ASSERT_TRUE(RegisterBdaWorld());
  ASSERT_EQ(0, Regsvr32(WinPath(kBdaSim), true));
  CoInitialize(nullptr);
  const struct {
    const char* name;
    const CLSID* clsid;
  } missing[] = {{"DVB-S tuning space", &CLSID_DVBSTuningSpace},
                 {"DVB tuning space", &CLSID_DVBTuningSpace},
                 {"DVB-S locator", &CLSID_DVBSLocator},
                 {"DVB-T locator", &CLSID_DVBTLocator},
                 {"DVB-C locator", &CLSID_DVBCLocator},
                 {"DVB-S network provider", &DVB_SATELLITE_TV_NETWORK_TYPE},
                 {"DVB-T network provider", &DVB_TERRESTRIAL_TV_NETWORK_TYPE},
                 {"DVB-C network provider", &DVB_CABLE_TV_NETWORK_TYPE},
                 {"MPEG-2 demultiplexer", &CLSID_MPEG2Demultiplexer}};
  for (const auto& m : missing) {
    ComPtr<IUnknown> object;
    EXPECT_EQ(REGDB_E_CLASSNOTREG,
              CoCreateInstance(*m.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.PutVoid()))
        << m.name;
  }
  ComPtr<ICreateDevEnum> devices;
  ASSERT_EQ(S_OK, CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                   devices.PutVoid()));
  ComPtr<IEnumMoniker> tuners;
  EXPECT_EQ(S_FALSE, devices->CreateClassEnumerator(KSCATEGORY_BDA_NETWORK_TUNER, tuners.Put(), 0));
  CoUninitialize();
  EXPECT_EQ(0, Regsvr32(WinPath(kBdaSim), false));
}

TEST_F(OspreyTest, ListsTheBdaTunersAsItsDevices) {
  Load();
  ASSERT_EQ(1, host.Open(0));
  ASSERT_EQ(3u, host.devices.size());
  EXPECT_GE(TunerIndex("Quillon Ex BDA S/C/T DVB Module|Quillon Sim DVB-T Tuner|1.41"), 0);
  char title[256] = {}, name[256] = {}, version[16] = {};
  EXPECT_EQ(0, host.fn.QLONExModuleInfo(3, title, name, version));
  EXPECT_STREQ("", name);
  // Before any graph the device-type text is the default, upper case.
  EXPECT_STREQ("BDA DEVICE", host.fn.GetDeviceMAC());
  EXPECT_EQ(0xFFFFFFFFu, host.status.m_dwMaxFrequency);
  EXPECT_EQ(1, host.Close());
}

TEST_F(OspreyTest, ADvbTTunerIsFoundAfterTheSatelliteTry) {
  Load();
  OpenAndShow("DVB-T Tuner");
  const int satellite = LineOf("DVB-s Network provider created.");
  const int terrestrial = LineOf("Bahhh. now trying with a DVB-t network provider....", satellite);
  ASSERT_GE(satellite, 0);
  ASSERT_GT(terrestrial, satellite);
  EXPECT_GT(LineOf("DVB-t network provider created.", terrestrial), terrestrial);
  EXPECT_FALSE(Logged("Bahhh. now trying with a DVB-c network provider...."));
  EXPECT_EQ(3u, host.status.m_iFrontendType);
  EXPECT_STREQ("BDA DVB-T", host.fn.GetDeviceMAC());
  EXPECT_TRUE(Logged("Graph is running :-)")) << "the graph did not run";
  EXPECT_EQ(1, host.Close());
}

// Each line must be found after the one before it.
void ExpectInOrder(const std::string& record, const std::vector<std::string>& lines, const std::string& what) {
  size_t at = 0;
  for (const std::string& line : lines) {
    const size_t found = record.find(line + "\n", at);
    EXPECT_NE(std::string::npos, found) << what << ": " << line << " (in order) in\n" << record;
    if (found != std::string::npos) at = found + line.size();
  }
}

// The channel is tuned before the video window exists (the module keeps it
// and answers 2), so the graph's build tunes to it; then a retune.
TEST_F(OspreyTest, EachNetworkTypesProviderIsHandedTheTablesValues) {
  struct Case {
    const char* tuner;
    CHANNEL_TYPE tuning;
    std::vector<std::string> built;
    CHANNEL_TYPE retuning;
    std::vector<std::string> retuned;
  } cases[] = {
      {"DVB-S Tuner",
       {{11778000, 0, 27500000, 0, 0, 18, 5}},
       {"DVB-S space FriendlyName QLON Ex DVB Tuning Space", "DVB-S space UniqueName QLON_EX",
        "DVB-S space NetworkType DVB-S", "DVB-S space LowOscillator 9750000", "DVB-S space HighOscillator 10600000",
        "DVB-S space LNBSwitch 11700000", "DVB-S space SpectralInversion 1", "DVB-S space NetworkType DVB-S",
        "DVB-S space SystemType 2", "request SID 28006", "request TSID 1089", "request ONID 1",
        "DVB-S locator CarrierFrequency 11778000", "DVB-S locator SymbolRate 27500", "DVB-S locator InnerFEC 1",
        "DVB-S locator InnerFECRate 6", "DVB-S locator Modulation 20", "DVB-S locator SignalPolarisation 1",
        "DVB-S locator Azimuth -1", "DVB-S locator Elevation -1", "DVB-S locator OrbitalPosition 0",
        "request Locator set", "DVB-S provider TuneRequest"},
       {{10714000, 0, 22000000, 0, 0, 13, 6}},
       {"request SID 28006", "DVB-S locator CarrierFrequency 10714000", "DVB-S locator SymbolRate 22000",
        "DVB-S locator InnerFECRate 1", "DVB-S locator SignalPolarisation 2", "DVB-S provider TuneRequest"}},
      {"DVB-T Tuner",
       {{506000, 0, 0, 1, 0, 0, 0}},
       {"DVB space FriendlyName QLON Ex DVB Tuning Space", "DVB space UniqueName QLON_EX",
        "DVB space NetworkType DVB-T", "DVB space SystemType 1", "DVB space NetworkType DVB-T",
        "request SID 28006", "request TSID 1089", "request ONID 1", "DVB-T locator CarrierFrequency 506000",
        "DVB-T locator Bandwidth 7", "request Locator set", "DVB-T provider TuneRequest"},
       {{0, 0, 0, 2, 0, 0, 0}},
       {"request ONID 1", "DVB-T locator Bandwidth 8", "request Locator set", "DVB-T provider TuneRequest"}},
      {"DVB-C Tuner",
       {{346000, 0, 6900000, 3, 0, 0, 0}},
       {"DVB space NetworkType DVB-C", "DVB space SystemType 0", "DVB space NetworkType DVB-C", "request SID 28006",
        "request TSID 1089", "request ONID 1", "DVB-C locator CarrierFrequency 346000",
        "DVB-C locator SymbolRate 6900", "DVB-C locator Modulation 7", "request Locator set",
        "DVB-C provider TuneRequest"},
       {{0, 0, 6875000, 2, 0, 0, 0}},
       {"request ONID 1", "DVB-C locator SymbolRate 6875", "DVB-C locator Modulation 3", "DVB-C provider TuneRequest"}},
  };
  Load();
  for (const Case& c : cases) {
    OpenTuner(c.tuner);
    host.channel = {};
    host.channel.serviceId = 28006;
    host.channel.transportStreamId = 1089;
    host.channel.networkId = 1;
    EXPECT_EQ(2, host.fn.SetTunerChannel(c.tuning, &host.channel));
    ClearBdaRecord();
    Show();
    ExpectInOrder(BdaRecord(), c.built, std::string(c.tuner) + " built");
    ClearBdaRecord();
    EXPECT_EQ(2, host.fn.SetTunerChannel(c.retuning, &host.channel));
    const std::string retuned = BdaRecord();
    ExpectInOrder(retuned, c.retuned, std::string(c.tuner) + " retuned");
    // A record with frequency 0 leaves the locator's frequency as it was.
    if (c.retuning.words[0] == 0) {
      EXPECT_EQ(std::string::npos, retuned.find("CarrierFrequency")) << retuned;
    }
    EXPECT_EQ(1, host.Close());
  }
}

TEST_F(OspreyTest, TheGrabbersPacketsReachTheTapAndTheFiltersWhileTheGraphRuns) {
  Load();
  OpenAndShow("DVB-S Tuner");
  ASSERT_NE(nullptr, host.status.m_pFilterGraph);
  EXPECT_EQ(0, host.fn.SetPids(256, 257, 0, 0));
  const BYTE none[1] = {0};
  static char pat[] = "pat";
  EXPECT_EQ(0, host.fn.StartFilter(7, 0, none, none, 0, CModuleHost::FilterCallback(), pat));
  EXPECT_TRUE(host.PumpUntil([&] { return host.PesPackets() > 0 && !host.FilterData().empty(); }, 20000));
  EXPECT_TRUE(host.PesFromOtherThread());
  const std::string record = BdaRecord();
  EXPECT_NE(std::string::npos, record.find("demux 2 MapPID 256\n")) << record;
  EXPECT_NE(std::string::npos, record.find("demux 3 MapPID 257\n")) << record;
  // The status timer reads the tuner's statistics.
  EXPECT_TRUE(host.PumpUntil([&] { return host.status.m_iQuality == 87; }, 5000));
  EXPECT_EQ(1u, host.status.m_bLocked);
  EXPECT_EQ(69u, host.status.m_iSignalValue);  // (91 / 10) * 100 / 13
  EXPECT_EQ(91u, host.status.m_iSignalValue2);
  EXPECT_TRUE(host.PumpUntil([&] { return host.HasDataRate(); }, 5000));
  // Without a preferred decoder the video pin stays unrendered (Wine will not
  // render the provider's connected antenna pin onwards): no picture size.
  EXPECT_EQ(0u, host.status.m_iVideoWidth);
  EXPECT_EQ(0, host.fn.StopFilter(pat));
  EXPECT_EQ(3, host.fn.StopFilter(pat));
  // _SetPids(0, 0, x, 0) removes the grabber's PIDs and maps nothing.
  ClearBdaRecord();
  EXPECT_EQ(0, host.fn.SetPids(0, 0, 300, 0));
  const std::string removed = BdaRecord();
  EXPECT_NE(std::string::npos, removed.find("grabber DelPIDs 256\n")) << removed;
  EXPECT_NE(std::string::npos, removed.find("grabber DelPIDs 257\n")) << removed;
  EXPECT_EQ(std::string::npos, removed.find("MapPID")) << removed;
  EXPECT_EQ(1, host.Close());
}

// With the first decoder of each list preferred, the demultiplexer's mapped
// PIDs reach the decoder stand-ins and the renderer in the host's window.
TEST_F(OspreyTest, TheGraphPlaysThroughThePreferredDecodersInTheHostsWindow) {
  WritePrivateProfileStringA("Quillon", "VideoDecoder", "1", "heron-BDA.ini");
  WritePrivateProfileStringA("Quillon", "AudioDecoder", "1", "heron-BDA.ini");
  Load();
  OpenAndShow("DVB-S Tuner");
  ASSERT_NE(nullptr, host.status.m_pFilterGraph);
  IFilterGraph2* graph = static_cast<IFilterGraph2*>(host.status.m_pFilterGraph);
  EXPECT_EQ(0, host.fn.SetPids(256, 257, 0, 0));
  ComPtr<ITestSinkLog> video, audio;
  EXPECT_TRUE(host.PumpUntil(
      [&] {
        video = StandInLog(graph, CLSID_TestVideoDecoderA);
        audio = StandInLog(graph, CLSID_TestMpegAudioDecoder);
        std::vector<int64_t> times;
        return video && audio && !JoinedPayloads(video.Get(), &times).empty() &&
               !JoinedPayloads(audio.Get(), &times).empty();
      },
      20000));
  EXPECT_TRUE(host.PumpUntil([&] { return host.status.m_iVideoWidth == 720; }, 5000));
  EXPECT_EQ(1, host.Close());
  WritePrivateProfileStringA("Quillon", "VideoDecoder", "0", "heron-BDA.ini");
  WritePrivateProfileStringA("Quillon", "AudioDecoder", "0", "heron-BDA.ini");
}

TEST_F(OspreyTest, ItsProfileIsWrittenAtCloseAndReadAtTheNextStart) {
  Load();
  ASSERT_EQ(1, host.Open(0));
  EXPECT_EQ(1, host.Close());
  host.Unload();
  EXPECT_EQ(1u, GetPrivateProfileIntA("Setup", "m_bBOBMode", 7, "osprey.ini"));
  EXPECT_EQ(0u, GetPrivateProfileIntA("Setup", "m_bUseVMR9", 7, "osprey.ini"));
  EXPECT_EQ(640u, GetPrivateProfileIntA("FreeTVWindow", "right", 7, "osprey.ini"));
  // A value changed in the file is what the next start uses and writes back.
  WritePrivateProfileStringA("Setup", "m_bBOBMode", "0", "osprey.ini");
  Load();
  ASSERT_EQ(1, host.Open(0));
  EXPECT_EQ(1, host.Close());
  host.Unload();
  EXPECT_EQ(0u, GetPrivateProfileIntA("Setup", "m_bBOBMode", 7, "osprey.ini"));
  WritePrivateProfileStringA("Setup", "m_bBOBMode", "1", "osprey.ini");
  EXPECT_EQ(0u, GetPrivateProfileIntA("Quillon", "VideoDecoder", 7, "heron-BDA.ini"));
}

TEST_F(OspreyTest, WithoutTheGrabberTheUserIsToldAndTheHostGoesOn) {
  Load();
  ASSERT_EQ(0, Regsvr32(WinPath(kPlover), true));
  OpenAndShow("DVB-S Tuner");
  const char text[] = "Cannot create TS grabber. Please register 'plover.ax' first.";
  EXPECT_TRUE(Logged(text));
  EXPECT_FALSE(Logged("Graph is running :-)"));
  // The exports go on answering.
  EXPECT_EQ(0, host.fn.SetPids(256, 257, 0, 0));
  EXPECT_EQ(0, host.fn.SetVolume(100, 500, 500));
  EXPECT_EQ(1, host.Close());
  ASSERT_EQ(0, Regsvr32(WinPath(kPlover), false));
  m_watcher.Stop();
  EXPECT_NE(std::string::npos, ReadText(m_boxLog).find(text)) << ReadText(m_boxLog);
}

}  // namespace
