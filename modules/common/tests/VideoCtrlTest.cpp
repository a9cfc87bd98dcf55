// The playback graph under Wine: heron, the decoder stand-ins found through
// the filter mapper, the VMR-7 in a window of the host; the ffmpeg-made
// programme pushed through it, restarts, and packets that keep arriving
// while the graph is stopped, restarted and released.
#include <gtest/gtest.h>

#include <uuids.h>

#include <algorithm>
#include <cstdio>
#include <atomic>
#include <set>
#include <string>
#include <thread>

#include <ISourceFeed.h>
#include <TestDecoders.h>
#include <framework/MessageBox.h>

#include "CapturedLog.h"
#include "PlaybackRig.h"
#include "VideoCtrl.h"

namespace {

std::vector<std::string> g_boxes;  // message boxes shown, answered OK
int CALLBACK RecordBox(LPCSTR text, UINT, UINT) {
  g_boxes.push_back(text);
  return IDOK;
}

bool Logged(const std::string& text) {
  return std::any_of(CapturedLog::lines.begin(), CapturedLog::lines.end(),
                     [&](const std::string& l) { return l.find(text) != std::string::npos; });
}

std::string Narrow(const WCHAR* text) {
  char s[520];
  WideCharToMultiByte(CP_ACP, 0, text, -1, s, sizeof(s), nullptr, nullptr);
  return s;
}

class VideoCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(RegisterPlaybackFilters());
    DeleteFileA("C:\\windows\\heron.ini");
    SetEnvironmentVariableA(TEST_DECODER_REFUSE_VARIABLE, nullptr);
    CapturedLog::lines.clear();
    g_boxes.clear();
    m_previousHook = AfxSetMessageBoxHook(&RecordBox);
  }
  void TearDown() override {
    if (HasFailure())
      for (const std::string& line : CapturedLog::lines) std::printf("log: %s\n", line.c_str());
    AfxSetMessageBoxHook(m_previousHook);
    SetEnvironmentVariableA(TEST_DECODER_REFUSE_VARIABLE, nullptr);
  }

  // A controller as the module makes it: a child window of the host's frame.
  std::unique_ptr<CVideoCtrl> MakeCtrl() {
    auto ctrl = std::make_unique<CVideoCtrl>();
    ctrl->SetHost(&CapturedLog::Log, m_host.Handle(), CVideoCtrl::kDefaultHostCommand);
    RECT r = {0, 0, 640, 480};
    EXPECT_TRUE(ctrl->Create(nullptr, "VidWnd", WS_VISIBLE | WS_CHILD, r, CWnd::FromHandle(m_host.Handle()), 130));
    return ctrl;
  }

  CHostWindowStub m_host;
  AFX_MSGBOX_HOOK m_previousHook = nullptr;
};

TEST_F(VideoCtrlTest, ListsTheRegisteredDecodersInMeritOrder) {
  CVideoCtrl ctrl;
  ASSERT_EQ(2u, ctrl.VideoDecoders().size());
  EXPECT_EQ("Quillon Test MPEG-2 Video Decoder A", Narrow(ctrl.VideoDecoders()[0].szFriendlyName));
  EXPECT_EQ("Quillon Test MPEG-2 Video Decoder B", Narrow(ctrl.VideoDecoders()[1].szFriendlyName));
  EXPECT_EQ(0, Narrow(ctrl.VideoDecoders()[0].szDisplayName).rfind("@device:sw:", 0));
  // The AC-3 decoder takes no MPEG-2 audio, so only the MPEG audio decoder is listed.
  ASSERT_EQ(1u, ctrl.AudioDecoders().size());
  EXPECT_EQ("Quillon Test MPEG Audio Decoder", Narrow(ctrl.AudioDecoders()[0].szFriendlyName));
  EXPECT_EQ(&ctrl, CVideoCtrl::Current());
}

TEST_F(VideoCtrlTest, BuildsWithThePreferredVideoDecoder) {
  struct Case {
    int choice;
    const CLSID* used;
    const CLSID* unused;
  } cases[] = {
      {0, &CLSID_TestVideoDecoderA, &CLSID_TestVideoDecoderB},  // the graph's own choice: highest merit
      {1, &CLSID_TestVideoDecoderA, &CLSID_TestVideoDecoderB},
      {2, &CLSID_TestVideoDecoderB, &CLSID_TestVideoDecoderA},  // the last listed
      {3, &CLSID_TestVideoDecoderA, &CLSID_TestVideoDecoderB},  // above the list: the default
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.choice);
    auto ctrl = MakeCtrl();
    ctrl->m_nVideoDecoder = c.choice;
    ASSERT_EQ(S_OK, ctrl->BuildGraph());
    EXPECT_TRUE(ctrl->IsBuilt());
    IFilterGraph2* graph = ctrl->Graph();
    EXPECT_TRUE(FindFilter(graph, *c.used));
    EXPECT_FALSE(FindFilter(graph, *c.unused));
    EXPECT_TRUE(AllPinsConnected(FindFilter(graph, CLSID_ExSourceFilter).Get()));
    EXPECT_TRUE(AllPinsConnected(FindFilter(graph, CLSID_VideoMixingRenderer).Get()));
    EXPECT_TRUE(FindFilter(graph, CLSID_TestMpegAudioDecoder));
    EXPECT_TRUE(FindFilter(graph, CLSID_NullAudioRenderer));
    EXPECT_EQ(c.choice, ctrl->m_nVideoDecoder);
    EXPECT_TRUE(g_boxes.empty());
    EXPECT_TRUE(Logged("Video pin has been rendered successfully!!"));
    EXPECT_TRUE(Logged("Audio pin has been rendered successfully!!"));
  }
}

TEST_F(VideoCtrlTest, PreferredDecoderThatRefusesFallsBackAndTheChoiceIsSavedAsDefault) {
  SetEnvironmentVariableA(TEST_DECODER_REFUSE_VARIABLE, "B");
  {
    auto ctrl = MakeCtrl();
    ctrl->m_nVideoDecoder = 2;
    ctrl->m_nAudioDecoder = 1;
    ASSERT_EQ(S_OK, ctrl->BuildGraph());
    EXPECT_EQ(std::vector<std::string>{"Error while using prefered video decoder. Using default."}, g_boxes);
    EXPECT_EQ(0, ctrl->m_nVideoDecoder);
    EXPECT_TRUE(FindFilter(ctrl->Graph(), CLSID_TestVideoDecoderA));
    EXPECT_FALSE(FindFilter(ctrl->Graph(), CLSID_TestVideoDecoderB));
    EXPECT_TRUE(FindFilter(ctrl->Graph(), CLSID_TestMpegAudioDecoder));
  }
  EXPECT_EQ(0u, GetPrivateProfileIntA("Quillon", "VideoDecoder", 99, "heron.ini"));
  EXPECT_EQ(1u, GetPrivateProfileIntA("Quillon", "AudioDecoder", 99, "heron.ini"));
}

TEST_F(VideoCtrlTest, PlaceTheRendererWindowInTheFrameAndRegisterTheGraph) {
  auto ctrl = MakeCtrl();
  ASSERT_EQ(S_OK, ctrl->BuildGraph());
  ASSERT_EQ(S_OK, ctrl->SetVideoOwner(CWnd::FromHandle(m_host.Handle())));
  // The renderer's window is the frame's child beside the controller's own.
  HWND renderer = nullptr;
  for (HWND child = GetWindow(m_host.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (child != ctrl->GetSafeHwnd()) renderer = child;
  ASSERT_TRUE(renderer);
  RECT r;
  GetWindowRect(renderer, &r);
  MapWindowPoints(nullptr, m_host.Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(-15, r.left);
  EXPECT_EQ(-15, r.top);
  EXPECT_EQ(670, r.right - r.left);
  EXPECT_EQ(510, r.bottom - r.top);
  EXPECT_TRUE(IsWindowVisible(renderer));
  // The controller's window covers the frame.
  RECT own;
  ctrl->GetClientRect(&own);
  EXPECT_EQ(640, own.right);
  EXPECT_EQ(480, own.bottom);
  EXPECT_FALSE(Logged("Failed to register filter graph with ROT"));
  ctrl->ReleaseGraph();
  EXPECT_TRUE(Logged("Removing graph from ROT"));
  EXPECT_TRUE(Logged("Removing filter finished."));
  EXPECT_FALSE(ctrl->Graph());
}

// The stamped times must be ffprobe's PTS counted from the first audio PTS.
void ExpectTimesFromPts(const std::vector<int64_t>& times, const std::vector<int64_t>& pts, int64_t first) {
  std::set<int64_t> allowed;
  for (int64_t p : pts) allowed.insert((p - first) * 1000 / 9);
  ASSERT_FALSE(times.empty());
  for (int64_t t : times) EXPECT_TRUE(allowed.count(t)) << t;
}

TEST_F(VideoCtrlTest, TheProgrammeReachesTheDecodersWhole) {
  const std::vector<ProgrammePacket> packets = ReadProgramme();
  ASSERT_FALSE(packets.empty());
  auto ctrl = MakeCtrl();
  ASSERT_EQ(S_OK, ctrl->BuildGraph());
  ASSERT_EQ(S_OK, ctrl->SetVideoOwner(CWnd::FromHandle(m_host.Handle())));
  // Without a clock every frame is shown as it comes.
  ComPtr<IMediaFilter> timing;
  ASSERT_EQ(S_OK, ctrl->Graph()->QueryInterface(IID_IMediaFilter, timing.PutVoid()));
  timing->SetSyncSource(nullptr);
  FeedFromDeviceThread(*ctrl, packets);
  ASSERT_EQ(S_OK, ctrl->StartGraph());
  EXPECT_TRUE(Logged("Graph is running :-)"));

  ComPtr<ITestSinkLog> video = StandInLog(ctrl->Graph(), CLSID_TestVideoDecoderA);
  ComPtr<ITestSinkLog> audio = StandInLog(ctrl->Graph(), CLSID_TestMpegAudioDecoder);
  ASSERT_TRUE(video && audio);
  const auto count = [&](bool isVideo) {
    return static_cast<LONG>(std::count_if(packets.begin(), packets.end(),
                                           [&](const ProgrammePacket& p) { return p.video == isVideo; }));
  };
  ASSERT_EQ(S_OK, video->WaitForSamples(count(true), 20000));
  ASSERT_EQ(S_OK, audio->WaitForSamples(count(false), 20000));

  std::vector<int64_t> videoTimes, audioTimes;
  EXPECT_EQ(ReadProgrammeFile("video.m2v"), JoinedPayloads(video.Get(), &videoTimes));
  EXPECT_EQ(ReadProgrammeFile("audio.mp2"), JoinedPayloads(audio.Get(), &audioTimes));
  const std::vector<int64_t> audioPts = ReadPtsList("a");
  ASSERT_FALSE(audioPts.empty());
  ExpectTimesFromPts(audioTimes, audioPts, audioPts.front());
  ExpectTimesFromPts(videoTimes, ReadPtsList("v"), audioPts.front());

  // The renderer shows the stand-in's picture at the size heron announced
  // (its default: the graph was built before packets were queued), with the
  // stand-in's colour bands.
  std::vector<BYTE> dib;
  ASSERT_TRUE(ctrl->GetCurrentImage(&dib));
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib.data());
  EXPECT_EQ(768, header->biWidth);
  EXPECT_EQ(576, std::abs(header->biHeight));
  const std::set<BYTE> distinct(dib.begin() + header->biSize, dib.end());
  EXPECT_GT(distinct.size(), 4u);

  EXPECT_EQ(S_OK, ctrl->StopGraph());
  EXPECT_FALSE(ctrl->IsRunning());
  EXPECT_TRUE(Logged("Graph stopped."));
}

TEST_F(VideoCtrlTest, RestartsInTheStreamsCodingModes) {
  auto ctrl = MakeCtrl();
  ctrl->m_nAudioDecoder = 1;
  ASSERT_EQ(S_OK, ctrl->BuildGraph());
  ASSERT_EQ(S_OK, ctrl->SetVideoOwner(CWnd::FromHandle(m_host.Handle())));
  ASSERT_EQ(S_OK, ctrl->StartGraph());

  // AC-3: the preferred (MPEG) audio decoder is not used; the graph picks the AC-3 one.
  ASSERT_EQ(S_OK, ctrl->RestartGraph(TRUE, FALSE));
  EXPECT_TRUE(ctrl->Ac3Mode());
  EXPECT_TRUE(FindFilter(ctrl->Graph(), CLSID_TestAc3Decoder));
  EXPECT_FALSE(FindFilter(ctrl->Graph(), CLSID_TestMpegAudioDecoder));
  EXPECT_TRUE(FindFilter(ctrl->Graph(), CLSID_TestVideoDecoderA));
  EXPECT_TRUE(FindFilter(ctrl->Graph(), CLSID_VideoMixingRenderer));
  EXPECT_EQ(S_OK, ctrl->StartGraph());

  // H.264: no decoder takes heron's offer, so the video pin stays open, the
  // host is told, and the graph plays the audio.
  PumpMessages();
  m_host.ClearCommands();
  ASSERT_EQ(S_OK, ctrl->RestartGraph(FALSE, TRUE));
  PumpMessages();
  EXPECT_EQ(std::vector<WPARAM>{CVideoCtrl::kVideoFailedCommand}, m_host.Commands());
  EXPECT_TRUE(Logged("Failed to render video pin!"));
  EXPECT_TRUE(ctrl->IsBuilt());
  EXPECT_FALSE(FindFilter(ctrl->Graph(), CLSID_TestVideoDecoderA));
  EXPECT_TRUE(FindFilter(ctrl->Graph(), CLSID_TestMpegAudioDecoder));

  // Back to MPEG-2: the video decoder returns, in the same renderer.
  ASSERT_EQ(S_OK, ctrl->RestartGraph(FALSE, FALSE));
  EXPECT_TRUE(FindFilter(ctrl->Graph(), CLSID_TestVideoDecoderA));
  EXPECT_TRUE(AllPinsConnected(FindFilter(ctrl->Graph(), CLSID_VideoMixingRenderer).Get()));
  EXPECT_EQ(S_OK, ctrl->StartGraph());
}

// What this platform's VMR-7 answers (README): no deinterlace control, so
// the BOB set-up fails; the windowless mode and its control are there, but
// its GetCurrentImage is not implemented.
TEST_F(VideoCtrlTest, WhatTheRendererAnswersToDeinterlaceAndWindowless) {
  ComPtr<IBaseFilter> vmr;
  ASSERT_EQ(S_OK,
            CoCreateInstance(CLSID_VideoMixingRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, vmr.PutVoid()));
  ComPtr<IVMRDeinterlaceControl> deinterlace;
  EXPECT_EQ(E_NOINTERFACE, vmr->QueryInterface(IID_IVMRDeinterlaceControl, deinterlace.PutVoid()));

  ComPtr<IVMRFilterConfig> config;
  ASSERT_EQ(S_OK, vmr->QueryInterface(IID_IVMRFilterConfig, config.PutVoid()));
  EXPECT_EQ(S_OK, config->SetRenderingMode(VMRMode_Windowless));
  DWORD mode = 0;
  EXPECT_EQ(S_OK, config->GetRenderingMode(&mode));
  EXPECT_EQ(static_cast<DWORD>(VMRMode_Windowless), mode);
  ComPtr<IVMRWindowlessControl> windowless;
  ASSERT_EQ(S_OK, vmr->QueryInterface(IID_IVMRWindowlessControl, windowless.PutVoid()));
  EXPECT_EQ(S_OK, windowless->SetVideoClippingWindow(m_host.Handle()));
  BYTE* dib = nullptr;
  EXPECT_EQ(E_NOTIMPL, windowless->GetCurrentImage(&dib));
  if (dib) CoTaskMemFree(dib);
}

// With the BOB preference on the graph builds and plays whatever the
// renderer answers to the deinterlace set-up: a refusal is only logged.
TEST_F(VideoCtrlTest, PlaysWithTheBobPreferenceOn) {
  const std::vector<ProgrammePacket> packets = ReadProgramme();
  ASSERT_FALSE(packets.empty());
  auto ctrl = MakeCtrl();
  ctrl->m_nBobMode = 1;
  ASSERT_EQ(S_OK, ctrl->BuildGraph());
  EXPECT_TRUE(AllPinsConnected(FindFilter(ctrl->Graph(), CLSID_VideoMixingRenderer).Get()));
  ASSERT_EQ(S_OK, ctrl->SetVideoOwner(CWnd::FromHandle(m_host.Handle())));
  ComPtr<IMediaFilter> timing;
  ASSERT_EQ(S_OK, ctrl->Graph()->QueryInterface(IID_IMediaFilter, timing.PutVoid()));
  timing->SetSyncSource(nullptr);
  FeedFromDeviceThread(*ctrl, packets);
  ASSERT_EQ(S_OK, ctrl->StartGraph());
  EXPECT_TRUE(Logged("Graph is running :-)"));
  ComPtr<ITestSinkLog> video = StandInLog(ctrl->Graph(), CLSID_TestVideoDecoderA);
  ASSERT_TRUE(video);
  const LONG videoPackets = static_cast<LONG>(
      std::count_if(packets.begin(), packets.end(), [](const ProgrammePacket& p) { return p.video; }));
  ASSERT_EQ(S_OK, video->WaitForSamples(videoPackets, 20000));
  std::vector<BYTE> dib;
  ASSERT_TRUE(ctrl->GetCurrentImage(&dib));
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib.data());
  const std::set<BYTE> distinct(dib.begin() + header->biSize, dib.end());
  EXPECT_GT(distinct.size(), 4u);
  EXPECT_EQ(S_OK, ctrl->StopGraph());
  // This platform's answer (see the test above), logged and passed over.
  EXPECT_TRUE(Logged("BOB mode not available (0x80004002)."));
}

TEST_F(VideoCtrlTest, PacketsArrivingWhileTheGraphIsStoppedRestartedAndReleased) {
  const std::vector<ProgrammePacket> packets = ReadProgramme();
  ASSERT_FALSE(packets.empty());
  auto ctrl = MakeCtrl();
  std::atomic<bool> stop{false};
  std::atomic<long> delivered{0};
  std::thread device([&] {
    while (!stop) {
      for (const ProgrammePacket& p : packets) {
        if (stop) break;
        BYTE* bytes = const_cast<BYTE*>(p.bytes.data());
        if (p.video)
          ctrl->DeliverVideoPES(bytes, static_cast<LONG>(p.bytes.size()));
        else
          ctrl->DeliverAudioPES(bytes, static_cast<LONG>(p.bytes.size()));
        delivered++;
      }
    }
  });
  for (int round = 0; round < 3; round++) {
    ASSERT_EQ(S_OK, ctrl->BuildGraph());
    ASSERT_EQ(S_OK, ctrl->StartGraph());
    ctrl->PauseGraph();
    EXPECT_EQ(S_OK, ctrl->StopGraph());
    ASSERT_EQ(S_OK, ctrl->RestartGraph(round == 1, FALSE));
    ASSERT_EQ(S_OK, ctrl->StartGraph());
    EXPECT_EQ(S_OK, ctrl->ReleaseGraph());
    EXPECT_FALSE(ctrl->Graph());
  }
  stop = true;
  device.join();
  EXPECT_GT(delivered.load(), 0);
}

}  // namespace
