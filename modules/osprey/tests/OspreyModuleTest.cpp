// osprey.dll driven by the stand-in host in its call order, on the BDA
// stand-ins of testbed/bda: the network-provider search on a DVB-T tuner,
// the values each network type's provider is handed, a session whose
// grabber packets reach the host's PES tap and filters while the graph plays
// through the decoder stand-ins, oversized sections and PES packets dropped
// while the stream goes on, the module's profile, a machine without the TS
// grabber, every injected stand-in failure with its result and log line, a
// grabber that goes on calling after the host released the graph, and a
// session run by tvhost from a steps file.
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
#include <framework/SingleLock.h>
#include <TestData.h>

#include "HostLog.h"
#include "HostProcess.h"
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

// Makes a stand-in's step fail (see BdaSim.h); a null step: none fails.
void FailStep(const char* step, HRESULT hr = E_FAIL) {
  for (const char* module : kRecorders) {
    auto fail = reinterpret_cast<BdaSimFailProc>(GetProcAddress(GetModuleHandleA(module), "BdaSimFail"));
    if (fail) fail(step, hr);
  }
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string TestData(const std::string& name) { return std::string(std::getenv("QUILLON_TEST_DATA")) + "/modules/" + name; }

std::string TempPath(const std::string& name) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof(temp), temp);
  return std::string(temp) + "osprey-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

typedef std::vector<BYTE> Bytes;

// One transport packet of pid carrying payload (at most 184 bytes; the rest
// of the packet is 0xFF); start sets the payload-unit-start flag.
Bytes Packet(WORD pid, const Bytes& payload, bool start) {
  Bytes p = {0x47, static_cast<BYTE>((start ? 0x40 : 0) | pid >> 8), static_cast<BYTE>(pid), 0x10};
  p.insert(p.end(), payload.begin(), payload.end());
  p.resize(188, 0xFF);
  return p;
}

// An MPEG audio PES packet of size bytes in all, with a time stamp.
Bytes AudioPes(size_t size, BYTE fill) {
  const size_t length = size - 6;
  Bytes p = {0x00, 0x00, 0x01, 0xC0, static_cast<BYTE>(length >> 8), static_cast<BYTE>(length), 0x80, 0x80, 0x05,
             0x21, 0x00, 0x01, 0x00, 0x01};
  p.resize(size, fill);
  return p;
}

// The PES bytes in packets of pid, the first carrying at most first bytes;
// a short packet is filled up by an adaptation field.
Bytes Packetise(const Bytes& pes, WORD pid, size_t first = 184) {
  Bytes ts;
  for (size_t at = 0, n = 0; at < pes.size(); at += n) {
    n = std::min<size_t>(at == 0 ? first : 184, pes.size() - at);
    Bytes p = {0x47, static_cast<BYTE>((at == 0 ? 0x40 : 0) | pid >> 8), static_cast<BYTE>(pid), 0x10};
    if (n < 184) {
      p[3] = 0x30;
      const size_t adaptation = 184 - n - 1;
      p.push_back(static_cast<BYTE>(adaptation));
      if (adaptation > 0) p.push_back(0x00);
      while (p.size() < 188 - n) p.push_back(0xFF);
    }
    p.insert(p.end(), pes.begin() + at, pes.begin() + at + n);
    ts.insert(ts.end(), p.begin(), p.end());
  }
  return ts;
}

// The PES packets the host's tap received, each behind its 14-byte pack header.
struct Tap {
  static inline CCriticalSection lock;
  static inline std::vector<Bytes> packets;
  static int __cdecl Receive(const BYTE* data, int length) {
    CSingleLock guard(&lock, TRUE);
    packets.emplace_back(data, data + length);
    return 0;
  }
  // The payloads of the PES packets of stream id sid, joined. The first one
  // is left out: the grabber may have started inside a PES packet.
  static Bytes Payloads(BYTE sid) {
    CSingleLock guard(&lock, TRUE);
    Bytes joined;
    bool first = true;
    for (const auto& p : packets) {
      if (p.size() < 14 + 9 || p[14 + 3] != sid) continue;
      if (first) {
        first = false;
        continue;
      }
      const size_t start = 14 + 9 + p[14 + 8];
      if (start <= p.size()) joined.insert(joined.end(), p.begin() + start, p.end());
    }
    return joined;
  }
};

// The tuner repeats the stream: the payloads are the elementary stream from
// some offset on, wrapping round. False unless they cover it whole at least
// once. (A steady tone repeats its frames: every offset where the start fits
// is tried.)
bool IsRotationOf(const Bytes& payloads, const std::vector<uint8_t>& whole) {
  constexpr size_t kProbe = 256;
  if (whole.size() < kProbe || payloads.size() < whole.size()) return false;
  for (auto at = whole.begin();
       (at = std::search(at, whole.end(), payloads.begin(), payloads.begin() + kProbe)) != whole.end(); ++at) {
    const size_t k = static_cast<size_t>(at - whole.begin());
    size_t i = 0;
    while (i < payloads.size() && payloads[i] == whole[(k + i) % whole.size()]) ++i;
    if (i == payloads.size()) return true;
  }
  return false;
}

class OspreyTest : public testing::Test {
 protected:
  OspreyTest() : m_watcher(m_log) {
    // The libraries COM loads for the stand-ins' classes: the same modules,
    // so that failures can be injected before the first object is made.
    m_bdasim = LoadLibraryA(WinPath(kBdaSim).c_str());
    m_plover = LoadLibraryA(WinPath(kPlover).c_str());
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
    FailStep(nullptr);
    m_watcher.Stop();
    FreeLibrary(m_plover);
    FreeLibrary(m_bdasim);
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
  // Whether a line of exactly text was logged at level.
  bool LoggedAt(const std::string& text, int level) {
    for (const auto& line : host.Log())
      if (line.text == text && line.level == level) return true;
    return false;
  }
  // The message boxes the watcher answered, caption and text.
  bool Boxed(const std::string& caption, const std::string& text) {
    return ReadText(m_boxLog).find("messagebox \"" + caption + "\": " + text) != std::string::npos;
  }
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
  HMODULE m_bdasim = nullptr, m_plover = nullptr;
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

// A machine with a DVB-T tuner only: the satellite try fails to connect and
// is released, the terrestrial one connects. Every line of the graph object
// up to the loaded tuner, in order, at level 10.
TEST_F(OspreyTest, ADvbTTunerIsFoundAfterTheSatelliteTry) {
  Load();
  OpenTuner("DVB-T Tuner");
  host.ClearLog();
  Show();
  std::vector<std::string> lines;
  for (const auto& line : host.Log()) {
    if (line.file != ".\\BDACore") continue;
    std::string text = line.text;
    if (text.rfind("Removing filter.... 0x", 0) == 0) text = "Removing filter.... 0x(filter)";
    lines.push_back(std::to_string(line.level) + " " + text);
    if (text == "Capture and tuner device loaded!") break;
  }
  const std::vector<std::string> expected = {
      "10 DVBS Tuning space created.",
      "10 DVB-s Network provider created.",
      "10 DVB-s Network Provider added to the graph.",
      "10 Tune request successfully created.",
      "10 put_TuneRequest(): success!",
      "10 Releasing interfaces....",
      "10 Removing filter.... 0x(filter)",  // the tuner and the provider
      "10 Removing filter.... 0x(filter)",
      "10 Removing filter finished.",
      "10 Removing graph from ROT",
      "10 Bahhh. now trying with a DVB-t network provider....",
      "10 DVB Tuning space created.",
      "10 DVB-t network provider created.",
      "10 Network provider added to the graph!",
      "10 ITuner interface found",
      "10 Calling CreateDVBTTuneRequest()",
      "10 QI IDVBSTuningSpace succeeded.",
      "10 put system type DVB-t",
      "10 put network type DVB-t",
      "10 Creating DVB-t locator",
      "10 DVB-T locator creation succeeded.",
      "10 put_TuneRequest(): success!",
      "10 Capture and tuner device loaded!",
  };
  EXPECT_EQ(expected, lines);
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
  // The tap receives the elementary streams ffmpeg put into the programme.
  {
    CSingleLock guard(&Tap::lock, TRUE);
    Tap::packets.clear();
  }
  host.status.m_pfnPESCallback = &Tap::Receive;
  const std::vector<uint8_t> m2v = ReadFileBytes(TestData("video.m2v"));
  const std::vector<uint8_t> mp2 = ReadFileBytes(TestData("audio.mp2"));
  ASSERT_FALSE(m2v.empty() || mp2.empty());
  EXPECT_TRUE(host.PumpUntil(
      [&] { return Tap::Payloads(0xE0).size() >= m2v.size() && Tap::Payloads(0xC0).size() >= mp2.size(); }, 60000));
  EXPECT_TRUE(IsRotationOf(Tap::Payloads(0xE0), m2v));
  EXPECT_TRUE(IsRotationOf(Tap::Payloads(0xC0), mp2));
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

// Each stand-in failure the graph build handles: the step's line at its
// level, no running graph unless the build goes on past it, and a host that
// goes on (the exports answer, the device closes and opens again).
TEST_F(OspreyTest, EachInjectedFailureOfTheBuildGivesItsLineAndTheHostGoesOn) {
  const struct {
    const char* tuner;
    const char* step;
    const char* line;
    int level;
    bool runs;            // the build goes on past the failure and the graph runs
    const char* then;     // a later line, or null
  } cases[] = {
      // The network-provider search and the tune requests.
      {"DVB-S", "create DVB-S space", "Error creating DVBS Tuning space.", 10, false, "Cannot find Network Provider!"},
      {"DVB-S", "create DVB-S provider", "Couldn't CoCreate Network Provider", 10, false, "Cannot find Network Provider!"},
      {"DVB-S", "DVB-S provider join", "ERROR: Cannot add DVB-s Network Provider to the graph.", 10, false,
       "Cannot find Network Provider!"},
      {"DVB-S", "provider QI ITuner", "pNetworkProvider->QI: Can't QI for ITuner.", 10, false,
       "Cannot find Network Provider!"},
      {"DVB-S", "space QI IDVBSTuningSpace", "Cannot QI for an IDVBSTuningSpace", 10, false,
       "Cannot create tune request."},
      {"DVB-S", "create DVB-S locator", "Cannot create the DVB locator failed.", 10, false, "Cannot create tune request."},
      {"DVB-S", "space CreateTuneRequest", "CreateTuneRequest: Can't create tune request.", 10, false,
       "Cannot find Network Provider!"},
      {"DVB-S", "request QI IDVBTuneRequest", "CreateDVBSTuneRequest: Can't QI for IDVBSTuneRequest.", 10, false,
       "Cannot create tune request."},
      {"DVB-S", "request put_SID", "put_SID failed", 10, false, "Cannot create tune request."},
      {"DVB-S", "DVB-S locator CarrierFrequency", "Cannot put the carrier frequency", 10, false,
       "Cannot create tune request."},
      {"DVB-S", "DVB-S locator InnerFECRate", "Cannot put_InnerFECRate", 10, false, "Cannot create tune request."},
      {"DVB-S", "DVB-S locator SignalPolarisation", "Cannot put_SignalPolarisation", 10, false,
       "Cannot create tune request."},
      {"DVB-S", "provider put_TuneRequest", "put_TuneRequest(): failed... :-(", 127, true, nullptr},
      {"DVB-S", "tuner antenna", "Bahhh. now trying with a DVB-c network provider....", 10, false,
       "Cannot find Network Provider!"},
      {"DVB-T", "create DVB space", "Error creating DVB Tuning space.", 10, false, "Cannot find Network Provider!"},
      {"DVB-T", "create DVB-T provider", "Couldn't CoCreate DVB-t Network Provider", 10, false,
       "Cannot find Network Provider!"},
      // The terrestrial and cable tries go on without the provider in the graph.
      {"DVB-T", "DVB-T provider join", "Cannot add network provider to the graph!", 10, true, "ITuner interface found"},
      {"DVB-T", "space QI IDVBTuningSpace", "Cannot QI for an IDVBSTuningSpace", 10, false,
       "Cannot create tune request."},
      {"DVB-T", "create DVB-T locator", "Cannot create the DVB-T locator failed", 10, false,
       "Cannot create tune request."},
      {"DVB-T", "DVB-T locator Bandwidth", "Cannot put_Bandwidth", 10, false, "Cannot create tune request."},
      {"DVB-C", "create DVB-C locator", "Cannot create the DVB-C locator.", 10, false, "Cannot create tune request."},
      {"DVB-C", "DVB-C locator SymbolRate", "Cannot put the symbol rate", 10, false, "Cannot create tune request."},
      {"DVB-C", "DVB-C locator Modulation", "Cannot put_Modulation", 10, false, "Cannot create tune request."},
      {"DVB-C", "DVB-C provider join", "Cannot add DVB-c network provider to the graph!", 10, true,
       "Calling CreateDVBCTuneRequest()"},
      // The rest of the build.
      {"DVB-S", "tuner QI IBDA_Topology", "Cannot Find IID_IBDA_Topology", 10, false, nullptr},
      {"DVB-S", "tuner GetControlNode", "Cannot GetControlNode()", 10, false, nullptr},
      {"DVB-S", "node QI IBDA_SignalStatistics", "Cannot get IBDA_SignalStatistics", 10, false, nullptr},
      {"DVB-S", "grabber join", "Cannot add TS grabber to the graph.", 10, false, nullptr},
      {"DVB-S", "grabber input", "LoadFilter(): Class not found, CreateClassEnumerator returned S_FALSE", 10, false,
       "Cannot load capture device and connect tuner"},
      {"DVB-S", "create demux", "Error while creating MPEG2 Demultiplexer.", 10, false, nullptr},
      {"DVB-S", "demux join", "Error while adding MPEG2 Demultiplexer to graph.", 10, false, nullptr},
      {"DVB-S", "TIF input", "TIF pin rendering failed!", 10, false, nullptr},
      {"DVB-S", "section filter input", "Connecting Demuxer and MPE... failed!", 10, false, nullptr},
      {"DVB-S", "demux QI IMpeg2Demultiplexer", "Cannot QI for IID_IMpeg2Demultiplexer", 10, false, nullptr},
      {"DVB-S", "demux CreateOutputPin", "Cannot create AC3 pin .... :-(", 10, true, nullptr},
  };
  Load();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.step);
    host.ClearLog();
    FailStep(c.step);
    OpenTuner(std::string(c.tuner) + " Tuner");
    Show();
    EXPECT_TRUE(LoggedAt(c.line, c.level));
    if (c.then) {
      const int at = LineOf(c.line);
      EXPECT_GT(LineOf(c.then, at + 1), at) << c.then;
    }
    EXPECT_EQ(c.runs, Logged("Graph is running :-)"));
    // The exports go on answering.
    EXPECT_EQ(0, host.fn.SetPids(256, 257, 0, 0));
    EXPECT_EQ(2, host.fn.SetTunerChannel(CHANNEL_TYPE{{11778000, 0, 27500000, 0, 0, 18, 5}}, &host.channel));
    EXPECT_NE(nullptr, host.fn.GetDeviceMAC());
    EXPECT_EQ(1, host.Close());
    FailStep(nullptr);
  }
  // The failures leave nothing behind: the next device builds and runs.
  host.ClearLog();
  OpenAndShow("DVB-S Tuner");
  EXPECT_TRUE(Logged("Graph is running :-)"));
  EXPECT_EQ(1, host.Close());
}

// A preferred decoder that the demultiplexer's pin cannot reach: the user is
// told, the preference falls back to the graph's own choice (and is saved
// so), and when the pin cannot be rendered either the build ends: for video
// with the host's command 32989, for audio with a message box.
TEST_F(OspreyTest, APreferredDecoderThatCannotBeUsedFallsBackAndAFailedPinEndsTheBuild) {
  const struct {
    const char* step;
    const char* box;
    const char* line;
    const char* key;  // the preference reset to 0
    bool command;     // the host is sent 32989
  } cases[] = {
      {"demux pin 2", "Error while using prefered video decoder. Using default.", "Video pin rendering failed!",
       "VideoDecoder", true},
      {"demux pin 3", "Audio pin rendering failed!", "Audio pin rendering failed!", nullptr, false},
  };
  Load();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.step);
    WritePrivateProfileStringA("Quillon", "VideoDecoder", "1", "heron-BDA.ini");
    WritePrivateProfileStringA("Quillon", "AudioDecoder", "1", "heron-BDA.ini");
    host.ClearLog();
    auto videoPinFailed = [&] {
      const auto commands = host.Commands();
      return std::count(commands.begin(), commands.end(), 32989u);
    };
    const auto before = videoPinFailed();
    FailStep(c.step);
    OpenAndShow("DVB-S Tuner");
    EXPECT_TRUE(LoggedAt(c.line, 10));
    EXPECT_FALSE(Logged("Graph is running :-)"));
    EXPECT_EQ(0, host.fn.SetPids(256, 257, 0, 0));
    EXPECT_TRUE(host.PumpUntil([&] { return Boxed("Error", c.box); }, 5000)) << ReadText(m_boxLog);
    EXPECT_EQ(c.command ? before + 1 : before, videoPinFailed());
    EXPECT_EQ(1, host.Close());
    FailStep(nullptr);
    if (c.key) {
      EXPECT_EQ(0u, GetPrivateProfileIntA("Quillon", c.key, 7, "heron-BDA.ini"));
    }
  }
  WritePrivateProfileStringA("Quillon", "VideoDecoder", "0", "heron-BDA.ini");
  WritePrivateProfileStringA("Quillon", "AudioDecoder", "0", "heron-BDA.ini");
}

// The failures of the running graph and of the grabber behind the exports:
// each gives the export's result, its line or message box, and the session
// goes on.
TEST_F(OspreyTest, EachInjectedFailureOfTheRunningGraphGivesItsResult) {
  Load();
  OpenAndShow("DVB-S Tuner");
  ASSERT_TRUE(Logged("Graph is running :-)"));
  static char pat[] = "pat";
  const BYTE none[1] = {0};

  FailStep("grabber AddPIDs", E_FAIL);
  EXPECT_EQ(3, host.fn.StartFilter(7, 0, none, none, 0, CModuleHost::FilterCallback(), pat));
  FailStep(nullptr);
  EXPECT_EQ(0, host.fn.StartFilter(7, 0, none, none, 0, CModuleHost::FilterCallback(), pat));
  FailStep("grabber DelPIDs", E_FAIL);
  EXPECT_EQ(3, host.fn.StopFilter(pat));
  FailStep(nullptr);
  // The entry went with the failed stop; the grabber's PID stays.
  EXPECT_EQ(3, host.fn.StopFilter(pat));

  host.status.m_iRecPlayState = 3;
  FailStep("grabber StopTimeshift", E_FAIL);
  EXPECT_EQ(3, host.fn.StopRecPlay());
  EXPECT_TRUE(LoggedAt("Error while trying to stop the timeshift record!.", 127));
  EXPECT_EQ(3u, host.status.m_iRecPlayState);
  FailStep(nullptr);
  EXPECT_EQ(0, host.fn.StopRecPlay());
  EXPECT_TRUE(LoggedAt("Timeshift recording successfully stopped.", 10));
  EXPECT_EQ(0u, host.status.m_iRecPlayState);

  // A stop that fails is logged at the close, which still succeeds.
  FailStep("tuner Stop", E_FAIL);
  EXPECT_EQ(1, host.Close());
  EXPECT_TRUE(LoggedAt("Error while stopping the graph.", 127));
  FailStep(nullptr);
  EXPECT_TRUE(host.PumpUntil(
      [&] {
        return Boxed("B2C2 TunerCtrl", "Filter AddPIDs method failed, error: 0x80004005") &&
               Boxed("B2C2 TunerCtrl", "Filter DelPIDs method failed, error: 0x80004005");
      },
      5000))
      << ReadText(m_boxLog);
  OpenAndShow("DVB-S Tuner");
  EXPECT_EQ(1, host.Close());
}

// A section that never ends on a filter's PID outgrows the filter's 65535
// bytes, and a PES packet of 65524 bytes is longer than the 65522 the host's
// tap takes behind the pack header: both are dropped, and the sections and
// PES packets after them still arrive.
TEST_F(OspreyTest, OversizedSectionsAndTapPacketsAreDroppedAndTheStreamGoesOn) {
  constexpr WORD kSectionPid = 0x300, kAudioPid = 0x101;
  Bytes ts;
  auto add = [&ts](const Bytes& b) { ts.insert(ts.end(), b.begin(), b.end()); };
  // Table 0x42 that never ends in stuffing: over 65535 bytes.
  Bytes first = {0x00, 0x42};
  first.resize(184, 0x01);
  add(Packet(kSectionPid, first, true));
  for (int i = 0; i < 400; ++i) add(Packet(kSectionPid, Bytes(184, 0x01), false));
  add(Packet(kSectionPid, {0x00, 0x42, 0x01, 0x02}, true));
  // The first packet carries 20 bytes, so that the whole packet fits the
  // recorder's gathering one transport packet at a time.
  add(Packetise(AudioPes(65524, 0x55), kAudioPid, 20));
  for (BYTE i = 0; i < 8; ++i) add(Packetise(AudioPes(3000, static_cast<BYTE>(0x20 + i)), kAudioPid));
  const std::string path = TempPath("oversized.ts");
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(ts.data()), ts.size());
  SetEnvironmentVariableA("QUILLON_BDASIM_TS", path.c_str());

  Load();
  OpenAndShow("DVB-S Tuner");
  static char sit[] = "sit";
  const BYTE table[1] = {0x42}, all[1] = {0xFF};
  EXPECT_EQ(0, host.fn.StartFilter(5, kSectionPid, table, all, 1, CModuleHost::FilterCallback(), sit));
  EXPECT_EQ(0, host.fn.SetPids(0, kAudioPid, 0, 0));
  // The stream plays in a loop: two whole sections show that it went on past
  // a drop; none of the oversized one's bytes ever arrive.
  auto sections = [&] {
    size_t n = 0;
    for (const std::string& block : host.FilterData()) {
      EXPECT_EQ(std::string("sit: \x42\x01\x02", 8), block);
      n += block.rfind("sit: ", 0) == 0;
    }
    return n;
  };
  EXPECT_TRUE(host.PumpUntil([&] { return sections() >= 2; }, 20000));
  EXPECT_TRUE(host.PumpUntil([&] { return host.LogCount("dropped a PES packet of 65524 bytes") > 0; }, 20000));
  const size_t tapped = host.PesPackets();
  EXPECT_TRUE(host.PumpUntil([&] { return host.PesPackets() > tapped; }, 20000)) << "the tap got nothing after the drop";
  EXPECT_EQ(1, host.Close());
  DeleteFileA(path.c_str());
}

// A grabber whose stop fails goes on calling the module from its own thread,
// and the host still holds it after releasing the graph: nothing it hands
// over reaches the recorder or the host's tap once the graph is released,
// and the module closes and unloads cleanly after the host lets go of it.
TEST_F(OspreyTest, AGrabberThatGoesOnAfterTheGraphIsReleasedReachesNothing) {
  Load();
  OpenAndShow("DVB-S Tuner");
  IFilterGraph2* graph = static_cast<IFilterGraph2*>(host.status.m_pFilterGraph);
  ASSERT_NE(nullptr, graph);
  ComPtr<IBaseFilter> grabber;
  ASSERT_EQ(S_OK, graph->FindFilterByName(L"Quillon TS Grabber", grabber.Put()));
  EXPECT_EQ(0, host.fn.SetPids(256, 257, 0, 0));
  ASSERT_TRUE(host.PumpUntil([&] { return host.PesPackets() > 0; }, 20000));

  ClearBdaRecord();
  FailStep("grabber Stop", E_FAIL);
  EXPECT_EQ(1, host.fn.DeleteVideoWindow());
  EXPECT_TRUE(LoggedAt("Error while stopping the graph.", 127));
  // The grabber's thread is running (it records its first round).
  EXPECT_TRUE(host.PumpUntil([&] { return BdaRecord().find("grabber goes on after a failed stop\n") != std::string::npos; },
                             5000))
      << BdaRecord();
  const size_t tapped = host.PesPackets();
  host.PumpUntil([] { return false; }, 500);
  EXPECT_EQ(tapped, host.PesPackets());
  grabber.Reset();
  FailStep(nullptr);
  EXPECT_EQ(1, host.fn.CloseDVBHardware());
  host.Unload();
}

TEST(OspreyHost, TvhostRunsASessionOfTheModuleFromSteps) {
  ASSERT_TRUE(RegisterBdaWorld());
  const std::string steps = TempPath("steps.txt"), log = TempPath("session.log");
  std::ofstream(steps) << "open 0\nshow 640 480\nwindow 1\ntune 11778000 0\npids 256 257\nfilter 7 0 pat\n"
                          "until Graph is running :-)\nwait 500\nvolume 800\nstopfilter pat\nclose\n";
  SetEnvironmentVariableA("QUILLON_BDASIM_TS", WinPath(TestData("stream.ts")).c_str());
  ASSERT_EQ(0u, RunHost(TVHOST_PATH, "--module \"" + std::string(kOsprey) + "\" --session \"" + steps +
                                         "\" --exit-after 100 --log \"" + log + "\""));
  const std::string text = ReadText(log);
  for (const char* line : {"step open 0 -> 1", "step window 1 -> 1", "step tune 11778000 0 -> 2",
                           "step pids 256 257 -> 0", "step filter 7 0 pat -> 0", "step stopfilter pat -> 0",
                           "step close -> 1", "Graph is running :-)"})
    EXPECT_NE(std::string::npos, text.find(line)) << line << "\n" << text;
  DeleteFileA(steps.c_str());
  DeleteFileA(log.c_str());
}

}  // namespace
