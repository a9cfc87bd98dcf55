// merlin's playback graph as the host sees it: the status timer's monitor
// mode from the picture or the host's request, the decoder preferences
// behind _OpenDeviceDependentProperties with and without a video window, and
// an AC-3 audio stream from the card's audio filter to the host's tap and the
// graph, beside the AC-3 filter whose data go nowhere.
#include <windows.h>
#include <control.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include <TestDecoders.h>
#include <framework/SyncObject.h>
#include <framework/SingleLock.h>

#include "DialogUser.h"
#include "MerlinTestRig.h"
#include "ModuleResources.h"
#include "PlaybackRig.h"

namespace {

const char kProfileKey[] = "Software\\heronV1\\merlin";
const char kSettingsFile[] = "C:\\windows\\heron.ini";

// The monitor mode the module saved in its profile; 0xDEADBEEF when none.
DWORD SavedMonitorMode() {
  DWORD value = 0xDEADBEEF, size = sizeof(value);
  RegGetValueA(HKEY_CURRENT_USER, (std::string(kProfileKey) + "\\Setup").c_str(), "m_MonitorMode", RRF_RT_REG_DWORD,
               nullptr, &value, &size);
  return value;
}

std::string SavedVideoDecoder() {
  char text[16] = {};
  GetPrivateProfileStringA("Quillon", "VideoDecoder", "", text, sizeof(text), "heron.ini");
  return text;
}

// The host commands that the preferences' OK sent so far (twice each time).
size_t PreferenceCommands(CModuleHost& host) {
  const std::vector<WPARAM> commands = host.Commands();
  return static_cast<size_t>(std::count(commands.begin(), commands.end(), WPARAM{32777}));
}

std::string TempPath(const std::string& name) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof(temp), temp);
  return std::string(temp) + "merlin-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

TEST_F(MerlinTest, TheStatusTimerTakesTheMonitorModeFromThePictureOrTheHostsRequest) {
  ASSERT_TRUE(RegisterPlaybackFilters());
  RegDeleteTreeA(HKEY_CURRENT_USER, kProfileKey);  // monitor mode 0 to start from
  Load("pes 256 " + StreamTs() + "\npes 257 " + StreamTs() + "\n");
  // The host counts a WM_PAINT as the module's notice only while its
  // window needs no painting of its own.
  host.ShowWindowSized(640, 480);
  UpdateWindow(host.Window());
  ASSERT_EQ(1, host.Open(0));
  // Without a graph the picture is 0 x 0 at 0:0, which the rule counts as 16:9.
  ASSERT_TRUE(Ticks(2));
  EXPECT_EQ(0u, host.status.m_iVideoWidth);
  EXPECT_EQ(1u, host.PaintMessages());

  // The picture as the renderer tells it: the size heron offered (the
  // programme's, or its default when no sequence header was queued yet),
  // 4:3 either way.
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  EXPECT_EQ(0, host.fn.SetPids(256, 257, 0, 0));
  ASSERT_TRUE(host.PumpUntil([&] { return host.status.m_iVideoWidth != 0; }, 30000));
  ComPtr<IBasicVideo2> renderer;
  IFilterGraph2* graph = static_cast<IFilterGraph2*>(host.status.m_pFilterGraph);
  ASSERT_EQ(S_OK, graph->QueryInterface(IID_IBasicVideo2, renderer.PutVoid()));
  long width = 0, height = 0, x = 0, y = 0;
  ASSERT_EQ(S_OK, renderer->GetVideoSize(&width, &height));
  EXPECT_EQ(static_cast<DWORD>(width), host.status.m_iVideoWidth);
  EXPECT_EQ(static_cast<DWORD>(height), host.status.m_iVideoHeight);
  EXPECT_EQ(3 * width, 4 * height);
  // Wine's renderer does not tell the aspect through the graph: the module
  // takes the picture's proportions then.
  EXPECT_EQ(E_NOINTERFACE, renderer->GetPreferredAspectRatio(&x, &y));
  UpdateWindow(host.Window());
  ASSERT_TRUE(Ticks(2));
  EXPECT_EQ(2u, host.PaintMessages());

  // The host's requests; each change of the mode is one notice.
  const struct {
    int request;
    size_t paints;
  } requests[] = {
      {2, 2},  // force 4:3: the mode is 4:3 already
      {1, 3},  // force 16:9
      {0, 4},  // automatic: the 4:3 picture again
      {1, 5},
      {7, 5},  // no request the host knows: the mode stays 16:9
  };
  for (const auto& r : requests) {
    SCOPED_TRACE(r.request);
    host.status.m_iAspectMode = r.request;
    UpdateWindow(host.Window());
    ASSERT_TRUE(Ticks(2));  // the second tick runs after the first one's notice
    EXPECT_EQ(r.paints, host.PaintMessages());
  }
  EXPECT_EQ(0, host.Close());
  host.Unload();
  EXPECT_EQ(1u, SavedMonitorMode());
  RegDeleteTreeA(HKEY_CURRENT_USER, kProfileKey);
}

TEST_F(MerlinTest, DevicePropertiesChooseTheDecoderWithOrWithoutAVideoWindow) {
  ASSERT_TRUE(RegisterPlaybackFilters());
  DeleteFileA(kSettingsFile);
  Load("start 1500\npes 256 " + StreamTs() + "\npes 257 " + StreamTs() + "\n");
  ASSERT_EQ(1, host.Open(0));
  host.ShowWindowSized(640, 480);

  // Without a video window the dialog runs on a controller of its own,
  // which saves the choice when it goes.
  std::vector<std::string> listed;
  {
    CDialogUser user("Preferences", [&](HWND dialog) {
      listed = ComboItems(GetDlgItem(dialog, IDC_VIDEO_DECODER));
      SendDlgItemMessageA(dialog, IDC_VIDEO_DECODER, CB_SETCURSEL, 2, 0);
      SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    host.fn.OpenDeviceDependentProperties();
    EXPECT_TRUE(user.Acted());
  }
  EXPECT_EQ((std::vector<std::string>{"Default", "Quillon Test MPEG-2 Video Decoder A",
                                      "Quillon Test MPEG-2 Video Decoder B"}),
            listed);
  EXPECT_EQ(2u, PreferenceCommands(host));
  EXPECT_EQ("2", SavedVideoDecoder());

  // The video window's controller starts from the saved choice.
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  EXPECT_EQ(0, host.fn.SetPids(256, 257, 0, 0));
  IFilterGraph2* graph = static_cast<IFilterGraph2*>(host.status.m_pFilterGraph);
  ASSERT_TRUE(host.PumpUntil([&] { return StandInLog(graph, CLSID_TestVideoDecoderB).Get() != nullptr; }, 20000));

  // With the window the dialog edits that controller: Cancel keeps its
  // choice and tells the host nothing; OK takes effect at the next restart.
  int shown = -1;
  {
    CDialogUser user("Preferences", [&](HWND dialog) {
      shown = static_cast<int>(SendDlgItemMessageA(dialog, IDC_VIDEO_DECODER, CB_GETCURSEL, 0, 0));
      SendDlgItemMessageA(dialog, IDC_VIDEO_DECODER, CB_SETCURSEL, 0, 0);
      SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    host.fn.OpenDeviceDependentProperties();
  }
  EXPECT_EQ(2, shown);
  EXPECT_EQ(2u, PreferenceCommands(host));
  {
    CDialogUser user("Preferences", [&](HWND dialog) {
      SendDlgItemMessageA(dialog, IDC_VIDEO_DECODER, CB_SETCURSEL, 1, 0);
      SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    host.fn.OpenDeviceDependentProperties();
  }
  EXPECT_EQ(4u, PreferenceCommands(host));
  EXPECT_TRUE(FindFilter(graph, CLSID_TestVideoDecoderB));  // until the restart
  EXPECT_EQ(0, host.fn.SetPids(256, 257, 0, 0));
  EXPECT_TRUE(FindFilter(graph, CLSID_TestVideoDecoderA));
  EXPECT_FALSE(FindFilter(graph, CLSID_TestVideoDecoderB));
  EXPECT_EQ(0, host.Close());
  EXPECT_EQ("1", SavedVideoDecoder());  // saved when the window's controller went
  DeleteFileA(kSettingsFile);
}

// The card's threads push PES into the graph while the host takes the video
// window and its graph away and brings them back: a packet either reaches a
// live graph or none, the tap keeps receiving throughout, and the host goes on.
TEST_F(MerlinTest, TheWindowGoesAndComesBackWhileTheCardDelivers) {
  ASSERT_TRUE(RegisterPlaybackFilters());
  Load("chunks 100 400 3\npace 2\npes 256 " + StreamTs() + "\npes 257 " + StreamTs() + "\n");
  ASSERT_EQ(1, host.Open(0));
  host.ShowWindowSized(320, 240);
  for (int round = 0; round < 8; ++round) {
    SCOPED_TRACE(round);
    ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
    ASSERT_NE(nullptr, host.status.m_pFilterGraph);
    const size_t before = host.PesPackets();
    EXPECT_EQ(0, host.fn.SetPids(256, 257, 0, 0));
    // The window goes while the card is still in the middle of the stream.
    ASSERT_TRUE(host.PumpUntil([&] { return host.PesPackets() > before + 4; }, 20000));
    host.fn.DeleteVideoWindow();
    EXPECT_EQ(nullptr, host.status.m_pFilterGraph);
  }
  // Without a window the packets still reach the tap.
  const size_t before = host.PesPackets();
  EXPECT_EQ(0, host.fn.SetPids(256, 257, 0, 0));
  EXPECT_TRUE(host.PumpUntil([&] { return host.PesPackets() > before + 4; }, 20000));
  EXPECT_EQ(0, host.Close());
}

// The host's PES tap, replaced by the test: keeps the AC-3 packets it
// receives (private stream 1), without the tap's pack header.
class CAc3Tap {
 public:
  static int __cdecl OnPes(const BYTE* data, int length) {
    constexpr int kPackHeader = 14;
    if (length < kPackHeader + 4 || data[kPackHeader + 3] != 0xBD) return 0;
    CSingleLock lock(&s_lock, TRUE);
    s_packets.emplace_back(data + kPackHeader, data + length);
    return 0;
  }
  static std::vector<std::vector<uint8_t>> Packets() {
    CSingleLock lock(&s_lock, TRUE);
    return s_packets;
  }

 private:
  static inline CCriticalSection s_lock;
  static inline std::vector<std::vector<uint8_t>> s_packets;
};

// A private-stream-1 PES packet as a broadcast carries AC-3: a PTS in its
// header, the frame's bytes behind it.
std::vector<uint8_t> Ac3PesPacket(int index, size_t payloadLength) {
  std::vector<uint8_t> p = {0x00, 0x00, 0x01, 0xBD, 0, 0, 0x81, 0x80, 0x05, 0x21, 0x00, 0x01, 0x00, 0x01};
  for (size_t k = 0; k < payloadLength; ++k)
    p.push_back(k == 0 ? 0x0B : k == 1 ? 0x77 : static_cast<uint8_t>(index * 7 + k));
  const size_t field = p.size() - 6;
  p[4] = static_cast<uint8_t>(field >> 8);
  p[5] = static_cast<uint8_t>(field);
  return p;
}

// The packet as merlin passes it on: the AC-3 sub-header after the PES
// header, the length field 4 larger.
std::vector<uint8_t> WithSubHeader(std::vector<uint8_t> p) {
  const size_t header = 9 + p[8];
  const uint8_t sub[] = {0x80, 0x01, 0x00, 0x01};
  p.insert(p.begin() + static_cast<std::ptrdiff_t>(header), std::begin(sub), std::end(sub));
  const size_t field = p.size() - 6;
  p[4] = static_cast<uint8_t>(field >> 8);
  p[5] = static_cast<uint8_t>(field);
  return p;
}

TEST_F(MerlinTest, AnAc3AudioStreamLeavesWithItsSubHeaderAndTheAc3FiltersDataGoNowhere) {
  ASSERT_TRUE(RegisterPlaybackFilters());
  // 40 AC-3 packets; the 11th is larger than the module's output buffer.
  const int kOversized = 10;
  std::vector<std::vector<uint8_t>> expected;
  const std::string audioFile = TempPath("ac3.pes"), ac3File = TempPath("ac3-pid.pes");
  {
    std::ofstream audio(audioFile, std::ios::binary), other(ac3File, std::ios::binary);
    for (int i = 0; i < 40; ++i) {
      const std::vector<uint8_t> p = Ac3PesPacket(i, i == kOversized ? 20000 : 1000);
      audio.write(reinterpret_cast<const char*>(p.data()), static_cast<std::streamsize>(p.size()));
      if (i != kOversized) expected.push_back(WithSubHeader(p));
      const std::vector<uint8_t> q = Ac3PesPacket(100 + i, 500);
      other.write(reinterpret_cast<const char*>(q.data()), static_cast<std::streamsize>(q.size()));
    }
  }
  Load("start 1500\npes 256 " + StreamTs() + "\npes 258 " + audioFile + "\npes 259 " + ac3File + "\n");
  ASSERT_EQ(1, host.Open(0));
  host.status.m_pfnPESCallback = &CAc3Tap::OnPes;
  host.ShowWindowSized(640, 480);
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));

  EXPECT_EQ(0, host.fn.SetPids(256, 258, 0, 259));
  EXPECT_TRUE(Recorded("SetFilter 1 259 0"));
  EXPECT_TRUE(Logged("AC-3 Filter successfully set."));
  // All but what the audio assembly buffer holds at the stream's end (less
  // than four thresholds of 2034 bytes, so fewer than 9 packets) reaches the
  // tap, in order; the AC-3 filter's packets do not.
  ASSERT_TRUE(host.PumpUntil([&] { return CAc3Tap::Packets().size() + 9 >= expected.size(); }, 30000));
  const auto tapped = CAc3Tap::Packets();
  ASSERT_LE(tapped.size(), expected.size());
  for (size_t i = 0; i < tapped.size(); ++i) EXPECT_EQ(expected[i], tapped[i]) << "packet " << i;
  EXPECT_TRUE(Logged("Dropped an AC-3 packet larger than the output buffer (20014 bytes, stream 1)."));
  EXPECT_EQ(0, host.fn.SetDolbyMode(1));  // merlin leaves AC-3 to the graph

  // The graph's audio pin stays MPEG audio: its decoder gets each packet's
  // payload, sub-header first.
  std::vector<uint8_t> payloads;
  for (const auto& p : expected) payloads.insert(payloads.end(), p.begin() + 9 + p[8], p.end());
  IFilterGraph2* graph = static_cast<IFilterGraph2*>(host.status.m_pFilterGraph);
  std::vector<int64_t> times;
  std::vector<uint8_t> decoded;
  ASSERT_TRUE(host.PumpUntil(
      [&] {
        ComPtr<ITestSinkLog> audio = StandInLog(graph, CLSID_TestMpegAudioDecoder);
        if (audio) decoded = JoinedPayloads(audio.Get(), &times);
        return decoded.size() >= payloads.size() / 2;
      },
      30000));
  EXPECT_TRUE(IsPrefix(decoded, payloads));

  // No PIDs at all: the graph stops and every stream filter goes, the AC-3 one too.
  host.ClearLog();
  EXPECT_EQ(0, host.fn.SetPids(0, 0, 0, 0));
  for (const char* line : {"ResetFilter 259", "ResetFilter 256", "ResetFilter 258"})
    EXPECT_TRUE(Recorded(line)) << line;
  EXPECT_TRUE(Logged("Graph stopped."));
  EXPECT_EQ(0, host.Close());
  DeleteFileA(audioFile.c_str());
  DeleteFileA(ac3File.c_str());
}

}  // namespace
