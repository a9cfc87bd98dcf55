// kestrel.dll driven by the stand-in host in its call order, against the
// card filter stand-in registered in the test prefix: its exports and
// capability column, tuning and DiSEqC at the card by tuner type, the
// status record from the card's signal, the card's transport packets to the
// host's PES tap, filters and AC-3 mode, the card's pins played into the
// host's window, timeshift control, every injected failure with its result,
// and a session run by tvhost from a steps file.
#include <gtest/gtest.h>

#include <windows.h>

#include <B2C2Interfaces.h>
#include <CardFilterSim.h>
#include <DShowTestSupport.h>
#include <framework/SingleLock.h>
#include <TestData.h>
#include <TestDecoders.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "HostLog.h"
#include "HostProcess.h"
#include "MessageBoxWatcher.h"
#include "ModuleHost.h"
#include "PlaybackRig.h"

namespace {

const char kKestrel[] = KESTREL_PATH;
constexpr WORD kVideoPid = 0x100, kAudioPid = 0x101, kAc3Pid = 0x102, kPmtPid = 0x1000;

std::string CardFilterPath() { return WinPath(CARDFILTER_AX_PATH); }
std::string TestData(const std::string& name) { return std::string(std::getenv("QUILLON_TEST_DATA")) + "/modules/" + name; }
std::string TempPath(const std::string& name) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof(temp), temp);
  return std::string(temp) + "kestrel-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

// The PES packets the host's tap received, each behind its 14-byte pack header.
struct Tap {
  static inline CCriticalSection lock;
  static inline std::vector<std::vector<BYTE>> packets;
  static int __cdecl Receive(const BYTE* data, int length) {
    CSingleLock guard(&lock, TRUE);
    packets.emplace_back(data, data + length);
    return 0;
  }
  // The payloads of the PES packets of stream id sid, joined. The first
  // one is left out: the card may have started inside a PES packet.
  static std::vector<BYTE> Payloads(BYTE sid) {
    CSingleLock guard(&lock, TRUE);
    std::vector<BYTE> joined;
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

// Whether a BMP file holds a picture of the video decoder stand-in: its
// colour bands and, in the middle, the white digits of its frame counter on
// a dark box.
bool ShowsDecodedPicture(const std::vector<uint8_t>& bmp) {
  if (bmp.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return false;
  const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(bmp.data() + sizeof(BITMAPFILEHEADER));
  const auto* file = reinterpret_cast<const BITMAPFILEHEADER*>(bmp.data());
  const LONG w = info->biWidth, h = std::abs(info->biHeight);
  const int bytes = info->biBitCount / 8;
  const size_t stride = (static_cast<size_t>(w) * bytes + 3) & ~size_t{3};
  if ((bytes != 3 && bytes != 4) || w <= 0 || h <= 0 || file->bfOffBits + stride * h > bmp.size()) return false;
  std::set<DWORD> colours;
  bool white = false, box = false;
  for (LONG y = 0; y < h; ++y)
    for (LONG x = 0; x < w; ++x) {
      const uint8_t* p = bmp.data() + file->bfOffBits + y * stride + x * bytes;
      const DWORD c = static_cast<DWORD>(p[2]) << 16 | p[1] << 8 | p[0];
      colours.insert(c);
      const bool middle = std::abs(2 * x - w) < w / 3 && std::abs(2 * y - h) < h / 3;
      white |= middle && c == 0xFFFFFF;
      box |= middle && c == 0x101010;
    }
  return white && box && colours.size() > 4;
}

// One packet of pid whose payload starts with the given bytes, padded with 0xFF.
std::string Packet(WORD pid, const std::string& payload, BYTE flags = 0x40) {
  std::string p = {'\x47', static_cast<char>(flags | pid >> 8), static_cast<char>(pid & 0xFF), '\x10'};
  p += payload;
  p.resize(188, '\xFF');
  return p;
}

// The ffmpeg programme, then an AC-3 frame start (3/2 with LFE) and a
// packet with the transport-error bit.
std::string ProgrammeWithAc3() {
  std::ifstream in(TestData("stream.ts"), std::ios::binary);
  std::string ts((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string ac3 = std::string("\x0B\x77\x12\x34\x14\x40\xE1", 7) + std::string(16, '\0');
  ts += Packet(kAc3Pid, ac3);
  ts += Packet(0, std::string("\x00\x00\xB0\x0D", 4), 0xC0);
  const std::string path = TempPath("programme.ts");
  std::ofstream(path, std::ios::binary) << ts;
  return path;
}

class KestrelTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(0, Regsvr32(CardFilterPath(), false));
    ASSERT_TRUE(RegisterPlaybackFilters());
  }

  KestrelTest() : m_watcher(m_log) {
    m_log.Open(m_logPath);
    host.MirrorLogTo(&m_log);
    m_watcher.Start();
    // The library COM loads for the filter's class: the same module.
    m_card = LoadLibraryA(CardFilterPath().c_str());
    m_load = reinterpret_cast<CardFilterSimLoadScriptProc>(GetProcAddress(m_card, "CardFilterSimLoadScript"));
    m_record = reinterpret_cast<CardFilterSimRecordProc>(GetProcAddress(m_card, "CardFilterSimRecord"));
  }
  ~KestrelTest() override {
    host.Unload();
    m_watcher.Stop();
    FreeLibrary(m_card);
    DeleteFileA(m_logPath.c_str());
  }

  void Load(const std::string& script) {
    ASSERT_TRUE(m_load && m_record);
    m_load(script.c_str());
    std::string error;
    ASSERT_TRUE(host.Load(kKestrel, &error)) << error;
  }
  // Loads and opens the card; the host's tap is the test's.
  void Open(const std::string& script) {
    Load(script);
    ASSERT_EQ(1, host.Open(0));
    Tap::packets.clear();
    host.status.m_pfnPESCallback = &Tap::Receive;
  }
  std::string Record() {
    std::string text(m_record(nullptr, 0) + 1, '\0');
    m_record(text.data(), static_cast<int>(text.size()));
    text.resize(text.size() - 1);
    return text;
  }
  bool Recorded(const std::string& line) { return ("\n" + Record()).find("\n" + line + "\n") != std::string::npos; }
  void ClearRecord() { m_load(m_script.c_str()); }
  bool Logged(const std::string& text) { return host.LogCount(text) > 0; }
  // The message boxes the watcher answered.
  bool Boxed(const std::string& text) {
    for (const std::string& line : Lines(ReadText(m_logPath)))
      if (line.rfind("messagebox", 0) == 0 && line.find(text) != std::string::npos) return true;
    return false;
  }

  CModuleHost host;
  std::string m_logPath = TempPath("host.log");
  std::string m_script;
  CHostLog m_log;
  CMessageBoxWatcher m_watcher;  // answers the module's message boxes
  HMODULE m_card = nullptr;
  CardFilterSimLoadScriptProc m_load = nullptr;
  CardFilterSimRecordProc m_record = nullptr;
};

TEST_F(KestrelTest, ExportsAtItsOrdinalsAndWritesItsCapabilityColumnAndInfo) {
  // Ordinals 1 to 34 are every module's (the build checks the export
  // table); past them each kind has its own.
  HMODULE module = LoadLibraryA(kKestrel);
  ASSERT_TRUE(module);
  const struct {
    const char* name;
    WORD ordinal;
  } kindExports[] = {{"_SetApplicationHandle", 35}, {"_MakeSnapshot", 36}, {"_GetDeviceCount", 37}, {"_SetDolbyMode", 38}};
  for (const auto& e : kindExports) {
    EXPECT_NE(nullptr, GetProcAddress(module, e.name)) << e.name;
    EXPECT_EQ(GetProcAddress(module, e.name), GetProcAddress(module, MAKEINTRESOURCEA(e.ordinal))) << e.name;
  }
  EXPECT_EQ(nullptr, GetProcAddress(module, MAKEINTRESOURCEA(39)));
  FreeLibrary(module);

  Load("");
  host.ResetRecords();
  ASSERT_EQ(1, host.fn.QLONExModule(CModuleHost::LogFunction(), &host.caps, &host.status, host.Window()));
  // The module's column; -1: left as the host set it.
  const int column[46] = {0, 0, 1, 1, 1, 1, 1, 0, 0, 1, 1, 0, 1, 1, 1, 1, 0, 0, 0, 1, 0, 1, 1,
                          0, 0, 1, 1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 1, -1, 0, 1, -1, -1, -1, 0, 1, 1};
  for (int i = 0; i < 46; ++i)
    EXPECT_EQ(column[i] < 0 ? CModuleHost::kSentinel : static_cast<DWORD>(column[i]), host.caps.flags[i])
        << "offset " << 4 * i;
  EXPECT_TRUE(Logged("MOD_kestrel: Module successfully initialized."));
  EXPECT_EQ(15, host.status.m_iBorderX);
  EXPECT_EQ(nullptr, host.status.m_pChannel);
  EXPECT_EQ(1, host.fn.GetDeviceCount());
  char title[256], name[256], version[16];
  std::memset(version, 0x5A, sizeof(version));
  ASSERT_EQ(1, host.fn.QLONExModuleInfo(0, title, name, version));
  EXPECT_STREQ("Quillon Ex Skystar2 S/C/T DVB Module", title);
  EXPECT_STREQ("Technisat Skystar2/Airstar2", name);
  EXPECT_STREQ("1.41", version);
  for (size_t i = 5; i < sizeof(version); ++i) EXPECT_EQ(0x5A, version[i]) << "the version text is 5 bytes";
  // The stubs.
  EXPECT_EQ(3, host.fn.StartTeletext(CModuleHost::TeletextCallback(), 32));
  EXPECT_EQ(2, host.fn.StopTeletext());
  EXPECT_EQ(0, host.fn.SetColorValues(128, 128, 128));
  EXPECT_EQ(3, host.fn.StartTimeshift("x.ts"));
}

TEST_F(KestrelTest, TuningAndDiseqcReachTheCardAsEachTunerTypeTakesThem) {
  const struct {
    const char* script;
    CHANNEL_TYPE tuning;
    int frontendType;
    const char* settings;
  } cases[] = {
      {"tuner 0", {{11954000, 0, 27500000, 9750000, 1, 13, 5}}, 1,
       "SetFrequency 11954\nSetSymbolRate 27500\nSetLnbFrequency 9750\nSetFec 4\nSetLnbKHz 1\nSetPolarity 1\n"
       "SetDiseqc 0\nSetTunerStatus\n"},
      {"tuner 0", {{10714000, 0, 22000000, 9750000, 0, 18, 9}}, 1,
       "SetFrequency 10714\nSetSymbolRate 22000\nSetLnbFrequency 9750\nSetFec 6\nSetLnbKHz 0\nSetPolarity 0\n"
       "SetDiseqc 0\nSetTunerStatus\n"},
      {"tuner 1", {{394000000, 0, 6900000, 3, 0, 0, 0}}, 2,
       "SetModulation 4\nSetFrequency 394000\nSetSymbolRate 6900\nSetTunerStatus\n"},
      {"tuner 2", {{618000, 0, 0, 2, 0, 0, 0}}, 3, "SetFrequency 618000\nSetGuardInterval 0\nSetBandwidth 8\nSetTunerStatus\n"},
      {"tuner 2\ncaps 7B 2", {{618000, 0, 0, 4, 0, 0, 0}}, 3, "SetFrequency 618000\nSetBandwidth 255\nSetTunerStatus\n"},
      {"tuner 3", {{57000000, 0, 0, 0, 0, 0, 0}}, 4, "SetFrequency 57000\nSetTunerStatus\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    Open(c.script);
    EXPECT_EQ(static_cast<DWORD>(c.frontendType), host.status.m_iFrontendType);
    m_load(c.script);  // clears the record
    host.channel = {};
    EXPECT_EQ(0, host.fn.SetTunerChannel(c.tuning, &host.channel));
    EXPECT_EQ(c.settings, Record());
    EXPECT_EQ(&host.channel, host.status.m_pChannel);
    EXPECT_EQ(1, host.fn.CloseDVBHardware());
    host.Unload();
  }

  Open("");
  const struct {
    std::vector<BYTE> message;
    BYTE burst;
    int result;
    const char* setting;  // null: none
  } diseqc[] = {
      {{0xE0, 0x10, 0x38, 0xFC}, 0, 0, "SetDiseqc 6"}, {{0xE0, 0x10, 0x38, 0xF0}, 0, 0, "SetDiseqc 3"},
      {{0xE0, 0x10, 0x38, 0xF4}, 0, 0, "SetDiseqc 4"}, {{0xE0, 0x10, 0x38, 0xF8}, 0, 0, "SetDiseqc 5"},
      {{0xE0, 0x00, 0x00}, 0, 0, "SetDiseqc 0"},      {{}, 1, 0, "SetDiseqc 2"},
      {{}, 0, 0, "SetDiseqc 1"},                      {{0xE0, 0x10, 0x39, 0xF0}, 0, 3, nullptr},
  };
  for (const auto& d : diseqc) {
    m_load("");
    EXPECT_EQ(d.result, host.fn.SendDiSEqC(d.message.data(), static_cast<BYTE>(d.message.size()), d.burst));
    EXPECT_EQ(d.setting ? std::string(d.setting) + "\nSetTunerStatus\n" : std::string(), Record());
  }
  m_load("fail SetTunerStatus 80004005");
  const BYTE message[] = {0xE0, 0x10, 0x38, 0xF0};
  EXPECT_EQ(3, host.fn.SendDiSEqC(message, 4, 0));
  EXPECT_EQ(2, host.fn.SetTunerChannel(CHANNEL_TYPE{}, &host.channel));
  m_load("fail SetSymbolRate 80004005");
  EXPECT_EQ(3, host.fn.SetTunerChannel(CHANNEL_TYPE{}, &host.channel));
  EXPECT_TRUE(host.PumpUntil(
      [&] { return Boxed("B2C2 MPEG2 Filter Tuner Ctrl. Interface SetSymbolRate method failed, error: 0x80004005"); },
      5000));
  EXPECT_EQ(1, host.fn.CloseDVBHardware());
  host.Unload();

  Open("tuner 1");
  EXPECT_EQ(2, host.fn.SendDiSEqC(message, 4, 0)) << "a cable tuner takes no DiSEqC";
}

TEST_F(KestrelTest, TheStatusRecordFollowsTheCardsSignalAndPicture) {
  Open("signal 1 0 70 6.5 0 3 500\ncaps 7B 0\npicture 720 576 3");
  host.status.m_iAspectMode = 0;
  ASSERT_TRUE(host.PumpUntil([&] { return host.status.m_bLocked == 1 && host.status.m_iVideoWidth == 720; }, 10000));
  EXPECT_EQ(70u, host.status.m_iQuality);
  EXPECT_EQ(50u, host.status.m_iSignalValue) << "no strength: SNR x 100 / 13";
  EXPECT_EQ(65u, host.status.m_iSignalValue2);
  EXPECT_EQ(576u, host.status.m_iVideoHeight);
  EXPECT_EQ(1u, host.status.m_iMPEGAspect) << "the card reports 16:9";
  EXPECT_EQ(0u, host.status.m_dwCleared60);
  // The host's choice wins over the picture's; each change repaints the host.
  const size_t paints = host.PaintMessages();
  host.status.m_iAspectMode = 2;
  EXPECT_TRUE(host.PumpUntil([&] { return host.PaintMessages() > paints; }, 5000));
  EXPECT_TRUE(Logged("MOD_kestrel: Module successfully initialized."));
  EXPECT_EQ(1, host.fn.CloseDVBHardware());
  host.Unload();

  Open("signal 0 80 70 11.5 0 0 1000");
  host.status.m_bLocked = 7;
  ASSERT_TRUE(host.PumpUntil([&] { return host.status.m_bLocked == 0; }, 10000));
  char mac[32];
  std::strcpy(mac, host.fn.GetDeviceMAC());
  EXPECT_STREQ("00D0D7123456", mac);
  m_load("fail GetHardwareMacAddress 80004005");
  EXPECT_STREQ("", host.fn.GetDeviceMAC());
  EXPECT_TRUE(Logged("GetHardwareMacAddress failed, error: 0x80004005"));
}

TEST_F(KestrelTest, TheCardsPacketsReachTheRecorderTheFiltersAndTheAc3Mode) {
  Open("ts " + ProgrammeWithAc3() + "\npace 1\n");
  host.ShowWindowSized(640, 480);
  host.channel = {};
  host.channel.videoPid = kVideoPid;
  host.channel.audioPid = kAudioPid;
  host.channel.ac3Pid = kAc3Pid;
  ASSERT_EQ(0, host.fn.SetTunerChannel(CHANNEL_TYPE{{11954000, 0, 27500000, 9750000, 1, 18, 0}}, &host.channel));
  static char pat[] = "pat", pmt[] = "pmt", ttx[] = "ttx";  // ttx: a payload filter, as teletext takes
  const BYTE zero[1] = {0}, all[1] = {0xFF};
  EXPECT_EQ(0, host.fn.StartFilter(5, 0, zero, all, 1, CModuleHost::FilterCallback(), pat));
  EXPECT_EQ(0, host.fn.StartFilter(5, 0, zero, all, 1, CModuleHost::FilterCallback(), pat));  // the same context
  EXPECT_EQ(0, host.fn.StartFilter(7, kPmtPid, zero, zero, 0, CModuleHost::FilterCallback(), pmt));
  EXPECT_EQ(0, host.fn.StartFilter(1, kPmtPid, zero, zero, 0, CModuleHost::FilterCallback(), ttx));
  EXPECT_TRUE(Recorded("ResetDataReceptionStats"));
  EXPECT_EQ(0, host.fn.SetPids(kVideoPid, kAudioPid, 0, kAc3Pid));
  EXPECT_TRUE(Recorded("AddPIDs 258"));
  // The card passes the video and audio PIDs once the pins play them.
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));

  const std::vector<uint8_t> m2v = ReadFileBytes(TestData("video.m2v"));
  const std::vector<uint8_t> mp2 = ReadFileBytes(TestData("audio.mp2"));
  ASSERT_FALSE(m2v.empty() || mp2.empty());
  ASSERT_TRUE(host.PumpUntil(
      [&] { return Tap::Payloads(0xE0).size() >= m2v.size() && Tap::Payloads(0xC0).size() >= mp2.size(); }, 60000));
  EXPECT_TRUE(IsRotationOf(Tap::Payloads(0xE0), m2v));
  EXPECT_TRUE(IsRotationOf(Tap::Payloads(0xC0), mp2));
  EXPECT_EQ(0x701u, host.status.m_iAC3Mode) << "3/2 with LFE";
  EXPECT_TRUE(Logged("Invalid transport stream packet received."));

  ASSERT_TRUE(host.PumpUntil([&] { return host.FilterData().size() >= 4; }, 10000));
  size_t sections = 0, packets = 0, payloads = 0;
  for (const std::string& block : host.FilterData()) {
    if (block.rfind("pat: ", 0) == 0) {
      ++sections;
      EXPECT_EQ(std::string("\x00\xB0\x0D\x00\x01", 5), block.substr(5, 5));
      EXPECT_LE(block.size(), 5u + 16u);
    }
    if (block.rfind("pmt: ", 0) == 0) {
      ++packets;
      EXPECT_EQ(5u + 188u, block.size());
    }
    if (block.rfind("ttx: ", 0) == 0) {
      ++payloads;
      ASSERT_EQ(5u + 184u, block.size());
      EXPECT_EQ(std::string("\x00\x02\xB0", 3), block.substr(5, 3)) << "the PMT section's start";
    }
  }
  EXPECT_GT(sections, 0u);
  EXPECT_GT(packets, 0u);
  EXPECT_GT(payloads, 0u);
  // The status timer counts what went to the recorder.
  EXPECT_TRUE(host.PumpUntil([&] { return host.HasDataRate(); }, 5000));

  m_load("");
  EXPECT_EQ(0, host.fn.StopFilter(pat));
  EXPECT_EQ(3, host.fn.StopFilter(pat));
  EXPECT_TRUE(Recorded("DeletePIDs 0"));
  EXPECT_EQ(0, host.fn.StartFilter(1, 8191, zero, zero, 0, CModuleHost::FilterCallback(), pat));
  m_load("");
  EXPECT_EQ(0, host.fn.StopFilter(pat));
  EXPECT_EQ("", Record()) << "PID 8191 is not deleted at the card";
  EXPECT_EQ(0, host.fn.SetPids(0, 0, 0, 0));
  EXPECT_EQ(nullptr, host.status.m_pChannel);
  EXPECT_TRUE(Recorded("DeletePIDs 258"));
  EXPECT_EQ(1, host.fn.CloseDVBHardware());
}

TEST_F(KestrelTest, TheCardsPinsPlayInTheHostsWindowAndAFailureSendsTheHostItsCommand) {
  Open("ts " + TestData("stream.ts"));
  host.ShowWindowSized(640, 480);
  ASSERT_EQ(0, host.fn.SetPids(kVideoPid, kAudioPid, 0, 0));
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  EXPECT_TRUE(Logged("AV control created."));
  EXPECT_TRUE(Logged("Starting AV playback."));
  IFilterGraph2* graph = static_cast<IFilterGraph2*>(host.status.m_pFilterGraph);
  ASSERT_NE(nullptr, graph);
  ComPtr<ITestSinkLog> video = StandInLog(graph, CLSID_TestVideoDecoderA);
  if (!video) video = StandInLog(graph, CLSID_TestVideoDecoderB);
  ComPtr<ITestSinkLog> audio = StandInLog(graph, CLSID_TestMpegAudioDecoder);
  ASSERT_TRUE(video && audio);
  ComPtr<IBaseFilter> renderer;
  EXPECT_EQ(S_OK, graph->FindFilterByName(L"Vider Mixing Renderer", renderer.Put()));
  EXPECT_TRUE(Recorded("SetAudioVideoPIDs 257 256"));
  EXPECT_TRUE(Recorded("SetFilename D:\\PVR\\Timeshift.ts"));

  // The card's pins play the elementary streams of the PIDs through the
  // decoders, and the graph reaches running (the renderer ends the pause
  // once a picture arrives).
  const std::vector<uint8_t> m2v = ReadFileBytes(TestData("video.m2v"));
  const std::vector<uint8_t> mp2 = ReadFileBytes(TestData("audio.mp2"));
  ASSERT_FALSE(m2v.empty() || mp2.empty());
  ASSERT_TRUE(host.PumpUntil(
      [&] {
        return JoinedPayloads(video.Get(), nullptr).size() >= m2v.size() &&
               JoinedPayloads(audio.Get(), nullptr).size() >= mp2.size();
      },
      60000));
  EXPECT_TRUE(IsRotationOf(JoinedPayloads(video.Get(), nullptr), m2v));
  EXPECT_TRUE(IsRotationOf(JoinedPayloads(audio.Get(), nullptr), mp2));
  EXPECT_TRUE(host.PumpUntil([&] { return Recorded("Run"); }, 10000)) << Record();

  // The renderer shows the decoder's pictures, and they go on changing (the
  // frame counter, the bands): the module's snapshot is the renderer's
  // current image. (Wine here cannot put a renderer's picture on the screen
  // of a child window: its GL context fails on the window's device context,
  // so the screen itself is not read.)
  const std::string shot = TempPath("shot.bmp");
  ASSERT_EQ(1, host.fn.MakeSnapshot(shot.c_str(), 0));
  const std::vector<uint8_t> first = ReadFileBytes(shot);
  ASSERT_TRUE(ShowsDecodedPicture(first));
  const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(first.data() + sizeof(BITMAPFILEHEADER));
  EXPECT_EQ(720, info->biWidth);
  EXPECT_EQ(576, std::abs(info->biHeight));
  bool changed = false;
  for (const DWORD start = GetTickCount(); !changed && GetTickCount() - start < 10000;) {
    host.PumpUntil([] { return false; }, 100);  // the image is read between the messages
    changed = host.fn.MakeSnapshot(shot.c_str(), 0) == 1 && ReadFileBytes(shot) != first &&
              ShowsDecodedPicture(ReadFileBytes(shot));
  }
  EXPECT_TRUE(changed) << "the picture goes on";
  DeleteFileA(shot.c_str());

  // The renderer's window sits in the video window, 15 pixels past each side.
  HWND videoWindow = host.fn.GetVideoWindowHandle();
  ASSERT_TRUE(IsWindow(videoWindow));
  HWND rendererWindow = GetWindow(videoWindow, GW_CHILD);
  ASSERT_TRUE(rendererWindow);
  RECT r, v;
  GetWindowRect(rendererWindow, &r);
  GetWindowRect(videoWindow, &v);
  EXPECT_EQ(v.left - 15, r.left);
  EXPECT_EQ(v.right + 15, r.right);
  EXPECT_EQ(0, host.fn.SetVolume(1000, 500, 500)) << "the null audio renderer takes no volume";
  EXPECT_EQ(0, host.fn.MakeSnapshot(nullptr, 0)) << "neither a file nor the clipboard";
  // New PIDs rebuild the pins' connections; only audio when there is no video.
  m_load("");
  EXPECT_EQ(0, host.fn.SetPids(8191, kAudioPid, 0, 0));
  EXPECT_TRUE(Recorded("SetAudioVideoPIDs 257 8191"));
  ComPtr<IBaseFilter> card;
  ASSERT_EQ(S_OK, graph->FindFilterByName(L"Skystar2 Source Filter", card.Put()));
  const auto connected = [&](LPCWSTR name) {
    ComPtr<IPin> pin = FindPin(card.Get(), name), peer;
    return pin && pin->ConnectedTo(peer.Put()) == S_OK;
  };
  EXPECT_TRUE(connected(L"Audio"));
  EXPECT_FALSE(connected(L"Video"));
  // Another window mode, now that no picture plays: under Wine (X11), showing
  // the new top-level window while the renderer's GL swap of a picture is under
  // way can leave both stuck for good (the host thread in ShowWindow, the swap
  // never returning, the streaming thread waiting for it), which real Windows
  // does not do. With the video pin unconnected the renderer presents nothing.
  // The AV control stays and the renderer's window is refitted.
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 3));
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  EXPECT_TRUE(Logged("Using existing AV Control."));
  EXPECT_TRUE(Logged("Update AV playback control."));
  EXPECT_EQ(1, host.LogCount("AV control created."));
  // The host places the window: the renderer's window follows it.
  ASSERT_EQ(1, host.fn.SetWindowPositions(nullptr, 10, 10, 330, 250, 0));
  videoWindow = host.fn.GetVideoWindowHandle();
  rendererWindow = GetWindow(videoWindow, GW_CHILD);
  GetWindowRect(rendererWindow, &r);
  GetWindowRect(videoWindow, &v);
  EXPECT_EQ(320, v.right - v.left);
  EXPECT_EQ(v.left - 15, r.left);
  EXPECT_EQ(v.bottom + 15, r.bottom);

  // No PIDs: the card's pins keep theirs.
  m_load("");
  EXPECT_EQ(0, host.fn.SetPids(0, 0, 0, 0));
  EXPECT_EQ(std::string::npos, Record().find("SetAudioVideoPIDs")) << Record();

  // The window cannot close during timeshift playback.
  host.status.m_iRecPlayState = 3;
  EXPECT_EQ(0, host.fn.DeleteVideoWindow());
  EXPECT_TRUE(Logged("Error: Cannot close video window. Stop Timeshift mode first."));
  host.status.m_iRecPlayState = 0;
  EXPECT_EQ(1, host.fn.DeleteVideoWindow());
  EXPECT_TRUE(Logged("AV playback control destroyed."));
  EXPECT_TRUE(Logged("Graph filters removed."));
  EXPECT_EQ(nullptr, host.status.m_pFilterGraph);
  EXPECT_EQ(1, host.fn.CloseDVBHardware());
  EXPECT_EQ(0, host.fn.MakeSnapshot(TempPath("none.bmp").c_str(), 0)) << "no graph";
  host.Unload();

  // The card refuses the pins' PIDs: the host is told, the session goes on.
  Open("fail SetAudioVideoPIDs 80004005");
  host.ClearLog();
  ASSERT_EQ(0, host.fn.SetPids(kVideoPid, kAudioPid, 0, 0));
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  EXPECT_TRUE(host.PumpUntil(
      [&] {
        const auto commands = host.Commands();
        return std::find(commands.begin(), commands.end(), 32957u) != commands.end();
      },
      5000));
  EXPECT_TRUE(Logged("AV playback control destroyed."));
  EXPECT_FALSE(Logged("Starting AV playback."));
  EXPECT_EQ(0, host.fn.SetTunerChannel(CHANNEL_TYPE{{11954000, 0, 27500000, 9750000, 1, 18, 0}}, &host.channel));
  EXPECT_EQ(1, host.fn.CloseDVBHardware());
}

TEST_F(KestrelTest, TimeshiftPositionSeekAndStopWithEveryFailure) {
  Open("timeshift 3500000 1750000");
  host.status.m_iRecPlayState = 3;
  host.status.m_iPlaySpeed = 0;
  ASSERT_TRUE(host.PumpUntil([&] { return host.status.m_llRecordedSize == 3500000u; }, 5000));
  EXPECT_EQ(333u, host.status.m_iPlayPosition) << "1 of 3 whole megabytes";
  EXPECT_EQ(5, host.fn.SeekPlayback(500));
  EXPECT_TRUE(Recorded("SetFilePosition 1000000"));
  EXPECT_EQ(5, host.fn.SpeedRecPlay(4));
  EXPECT_EQ(4u, host.status.m_iPlaySpeed);
  EXPECT_EQ(5, host.fn.SpeedRecPlay(4));
  EXPECT_EQ(0u, host.status.m_iPlaySpeed);
  m_load("fail SetFilePosition 80004005\nfail StopTimeshift 80004005 times 1\ntimeshift 3500000 0");
  EXPECT_EQ(5, host.fn.SeekPlayback(500));
  EXPECT_TRUE(Logged("SetFilePosition method failed, error: 0x80004005"));
  EXPECT_EQ(3, host.fn.StopRecPlay());
  EXPECT_TRUE(Logged("Error while trying to stop the timeshift record!."));
  EXPECT_EQ(3u, host.status.m_iRecPlayState);
  EXPECT_EQ(0, host.fn.StopRecPlay());
  EXPECT_TRUE(Logged("Timeshift recording successfully stopped."));
  EXPECT_EQ(0u, host.status.m_iRecPlayState);
  EXPECT_EQ(3, host.fn.StopRecPlay());
  EXPECT_EQ(5, host.fn.SpeedRecPlay(0));
  EXPECT_EQ(5, host.fn.SeekPlayback(100));
  host.status.m_iRecPlayState = 1;
  EXPECT_EQ(0, host.fn.SeekPlayback(100));
  EXPECT_EQ(0, host.fn.StopRecPlay());

  // A file under a megabyte has no position to divide out.
  m_load("timeshift 999999 500000");
  host.status.m_iRecPlayState = 3;
  host.status.m_llRecordedSize = 0;
  ASSERT_TRUE(host.PumpUntil([&] { return host.status.m_llRecordedSize == 999999u; }, 5000));
  EXPECT_EQ(0u, host.status.m_iPlayPosition);
  host.status.m_iRecPlayState = 0;
}

TEST_F(KestrelTest, EachFailingGraphStepEndsTheOpenWithItsMessage) {
  const struct {
    const char* script;
    const char* message;  // the box's text or the log line
  } cases[] = {
      {"fail Initialize 80004005", "Initialize Tuner Control failed (#80004005)!"},
      {"fail GetTunerCapabilities 80004005", "GetTunerCapabilities method failed, error: 0x80004005"},
      {"caps 7B 0 3", "GetTunerCapabilities return insufficient data, length: 3"},
      {"fail SetTsCallback 80004005", "Unable to set Transport Stream Callback."},
      {"fail SetVideoCallback 80004005", "B2C2 MPEG2 AV Ctrl. Unable to set Callback."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    Load(c.script);
    EXPECT_EQ(0, host.Open(0));
    EXPECT_TRUE(host.PumpUntil([&] { return Logged(c.message) || Boxed(c.message); }, 5000));
    EXPECT_EQ(1, host.fn.CloseDVBHardware());
    EXPECT_EQ(2, host.fn.SendDiSEqC(nullptr, 0, 0));
    host.Unload();
  }
  // A callback the card cannot reset ends the stop; the module lets no
  // packet in after it and unloads cleanly.
  Open("ts " + TestData("stream.ts") + "\nfail SetTsCallback 80004005 skip 1");
  static char pat[] = "pat";
  const BYTE zero[1] = {0};
  EXPECT_EQ(0, host.fn.StartFilter(2, 0, zero, zero, 0, CModuleHost::FilterCallback(), pat));
  ASSERT_TRUE(host.PumpUntil([&] { return !host.FilterData().empty(); }, 10000));
  EXPECT_EQ(1, host.fn.CloseDVBHardware());
  EXPECT_TRUE(Logged("Unable to reset Transport Stream Callback."));
  const size_t blocks = host.FilterData().size();
  host.PumpUntil([] { return false; }, 300);
  EXPECT_EQ(blocks, host.FilterData().size());
}

TEST_F(KestrelTest, EachFailingCardCallGivesItsResultAndTheSessionGoesOn) {
  Open("timeshift 3500000 1750000");
  static char pat[] = "pat", more[] = "more";
  const BYTE zero[1] = {0};

  // The host's filters: a PID the card refuses leaves the entry (result 3);
  // a refused statistics reset is tried again at the next add (result 0); a
  // refused delete is shown and the entry goes.
  m_load("fail AddPIDs 80004005 times 1\nfail ResetDataReceptionStats 80004005 times 1");
  EXPECT_EQ(3, host.fn.StartFilter(2, 0x12, zero, zero, 0, CModuleHost::FilterCallback(), pat));
  EXPECT_TRUE(host.PumpUntil(
      [&] { return Boxed("B2C2 MPEG2 Filter Data Ctrl. Interface AddPIDs method failed, error: 0x80004005"); }, 5000));
  EXPECT_EQ(0, host.fn.StartFilter(2, 0x13, zero, zero, 0, CModuleHost::FilterCallback(), more));
  EXPECT_TRUE(host.PumpUntil(
      [&] {
        return Boxed("B2C2 MPEG2 Filter Data Ctrl. Interface ResetDataReceptionStats method failed, error: 0x80004005");
      },
      5000));
  m_load("fail DeletePIDs 80004005");
  EXPECT_EQ(0, host.fn.StopFilter(pat)) << "the refused entry stayed in the list";
  EXPECT_EQ(0, host.fn.StartFilter(2, 0x12, zero, zero, 0, CModuleHost::FilterCallback(), pat));
  EXPECT_TRUE(Recorded("ResetDataReceptionStats")) << "tried again";
  EXPECT_EQ(0, host.fn.StopFilter(more));
  EXPECT_TRUE(host.PumpUntil(
      [&] { return Boxed("B2C2 MPEG2 Filter Data Ctrl. Interface Delete PIDs method failed, error: 0x80004005"); },
      5000));
  EXPECT_EQ(3, host.fn.StopFilter(more));

  // The AC-3 PID at the card.
  m_load("fail AddPIDs 80004005");
  EXPECT_EQ(3, host.fn.SetPids(kVideoPid, kAudioPid, 0, kAc3Pid));
  EXPECT_TRUE(Logged("B2C2 MPEG2 Filter Data Ctrl. Interface AddPIDs (AC3) method failed, error: 0x80004005"));
  m_load("fail DeletePIDs 80004005");
  EXPECT_EQ(3, host.fn.SetPids(kVideoPid, kAudioPid, 0, 0));
  EXPECT_TRUE(Logged("B2C2 MPEG2 Filter Data Ctrl. Interface DelPIDs (AC3) method failed, error: 0x80004005"));
  m_load("");
  EXPECT_EQ(0, host.fn.SetPids(kVideoPid, kAudioPid, 0, 0));

  // The status timer logs each refused query and goes on ticking.
  const struct {
    const char* call;
    const char* line;
  } polls[] = {
      {"GetSignalStrength", "B2C2 MPEG2 Filter Tuner Ctrl. Interface get fSignalStrength failed, error: 0x80004005"},
      {"GetSNR", "B2C2 MPEG2 Filter Tuner Ctrl.Interface get fSNR failed, error: 0x80004005"},
      {"GetBER", "B2C2 MPEG2 Filter Tuner Ctrl. Interface get fBER failed, error: 0x80004005"},
      {"GetUncorrectedBlocks", "B2C2 MPEG2 Filter Tuner Ctrl. Interface get UncorrectedBlocks failed, error: 0x80004005"},
      {"GetTotalBlocks", "B2C2 MPEG2 Filter Tuner Ctrl. Interface get TotalBlocks failed, error: 0x80004005"},
      {"GetDataReceptionStats",
       "B2C2 MPEG2 Filter Data Ctrl. Interface GetDataReceptionStats method failed, error: 0x80004005"},
      {"GetFileSize", "B2C2 MPEG2 TimeshiftCtrl. Interface GetFileSize method failed, error: 0x80004005"},
      {"GetFilePosition", "B2C2 MPEG2 TimeshiftCtrl. Interface GetFilePosition method failed, error: 0x80004005"},
  };
  host.status.m_iRecPlayState = 3;
  for (const auto& poll : polls) {
    SCOPED_TRACE(poll.call);
    m_load((std::string("timeshift 3500000 1750000\nfail ") + poll.call + " 80004005").c_str());
    EXPECT_TRUE(host.PumpUntil([&] { return Logged(poll.line); }, 5000));
  }
  m_load("timeshift 3500000 1750000");
  host.status.m_iPlayPosition = 7;
  EXPECT_TRUE(host.PumpUntil([&] { return host.status.m_iPlayPosition == 333; }, 5000));
  host.status.m_iRecPlayState = 0;
  EXPECT_EQ(1, host.fn.CloseDVBHardware());
}

TEST(KestrelHost, TvhostRunsASessionOfTheModuleFromSteps) {
  ASSERT_EQ(0, Regsvr32(WinPath(CARDFILTER_AX_PATH), false));
  ASSERT_TRUE(RegisterPlaybackFilters());
  const std::string steps = TempPath("steps.txt"), log = TempPath("session.log"), script = TempPath("card.txt"),
                    record = TempPath("record.txt");
  std::ofstream(script) << "ts " << TestData("stream.ts") << "\n";
  std::ofstream(steps) << "open 0\nshow 640 480\nwindow 1\ntune 11954000 0\npids 256 257\nfilter 2 0 pat\n"
                          "until Starting AV playback.\nwait 500\nvolume 800\nstopfilter pat\nclose\n";
  SetEnvironmentVariableA(CARDFILTER_SCRIPT_VARIABLE, script.c_str());
  SetEnvironmentVariableA(CARDFILTER_RECORD_VARIABLE, record.c_str());
  ASSERT_EQ(0u, RunHost(TVHOST_PATH, "--module \"" + std::string(kKestrel) + "\" --session \"" + steps +
                                         "\" --exit-after 100 --log \"" + log + "\""));
  const auto lines = Lines(ReadText(log));
  for (const char* line : {"step open 0 -> 1", "step window 1 -> 1", "step tune 11954000 0 -> 0",
                           "step pids 256 257 -> 0", "step filter 2 0 pat -> 0", "step stopfilter pat -> 0",
                           "step close -> 1"})
    EXPECT_TRUE(Has(lines, line)) << line << "\n" << ReadText(log);
  const auto card = Lines(ReadText(record));
  EXPECT_TRUE(Has(card, "SetFrequency 11954"));
  EXPECT_TRUE(Has(card, "SetAudioVideoPIDs 257 256"));
  EXPECT_TRUE(Has(card, "SetTsCallback null"));
  for (const std::string& f : {steps, log, script, record}) DeleteFileA(f.c_str());
  SetEnvironmentVariableA(CARDFILTER_SCRIPT_VARIABLE, nullptr);
  SetEnvironmentVariableA(CARDFILTER_RECORD_VARIABLE, nullptr);
}

}  // namespace
