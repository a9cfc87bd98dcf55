// The video windows under Wine with Xvfb: the screen modes and their
// switches, where the video child window goes in each, the free window's
// answers, the host's placement with overscan margins, and snapshots of a
// playing graph to a file and to the clipboard, read back.
#include <gtest/gtest.h>

#include <uuids.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include <TestDecoders.h>
#include <framework/MessageBox.h>
#include <framework/WinApp.h>

#include "BmpFile.h"
#include "CapturedLog.h"
#include "PlaybackGraph.h"
#include "PlaybackRig.h"
#include "VideoFit.h"
#include "VideoWindows.h"

CWinApp theTestApp("ModulesVideoWindowsTest");

namespace {

bool Logged(const std::string& text) {
  return std::any_of(CapturedLog::lines.begin(), CapturedLog::lines.end(),
                     [&](const std::string& l) { return l.find(text) != std::string::npos; });
}

RECT RectIn(HWND window, HWND parent) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

class VideoWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(RegisterPlaybackFilters());
    DeleteFileA("C:\\windows\\heron.ini");
    CapturedLog::lines.clear();
    m_status = {};
    m_status.m_iXScale = 8;
    m_status.m_iYScale = 6;
    m_link.m_pfnLog = &CapturedLog::Log;
    m_link.m_pStatus = &m_status;
    m_profile.freeWindow = {100, 100, 740, 580};
  }
  void TearDown() override {
    if (HasFailure())
      for (const std::string& line : CapturedLog::lines) std::printf("log: %s\n", line.c_str());
  }

  int Switch(int mode) { return m_windows.SetVideoWindow(m_host.Handle(), mode ? m_host.Handle() : nullptr, mode); }

  CHostWindowStub m_host;
  MODULE_STATUS m_status;
  ModuleHostLink m_link;
  ModuleProfile m_profile;
  CPlaybackGraph m_graph{&CapturedLog::Log, m_host.Handle()};
  CVideoWindows m_windows{ModuleKind::falcon, m_link, ".\\falcon", m_profile, m_graph};
};

TEST_F(VideoWindowsTest, ModesPlaceTheVideoChildAndKeepTheGraph) {
  const HWND host = m_host.Handle();
  ASSERT_EQ(0, Switch(0));  // nothing to close yet

  ASSERT_EQ(1, Switch(1));
  const HWND child = m_windows.VideoChild();
  ASSERT_TRUE(child);
  CVideoCtrl* const ctrl = m_graph.Ctrl();
  ASSERT_TRUE(ctrl && ctrl->IsRunning());
  EXPECT_EQ(host, GetParent(child));
  EXPECT_EQ("0,0,640,480", Text(RectIn(child, host)));
  EXPECT_EQ(CVideoWnd::kId, static_cast<UINT>(GetDlgCtrlID(child)));
  EXPECT_FALSE(GetWindowLongA(child, GWL_STYLE) & WS_BORDER);
  EXPECT_EQ(1, m_status.m_iScreenMode);
  EXPECT_TRUE(Logged("Video frame window initialized."));

  // Free window: at the stored placement, titled like the host, the child
  // over its client area widened by the margins.
  ASSERT_EQ(1, Switch(4));
  CFreeTVWindow* free = m_windows.FreeWindow();
  ASSERT_TRUE(free && free->GetSafeHwnd());
  EXPECT_EQ(child, m_windows.VideoChild());
  EXPECT_EQ(free->GetSafeHwnd(), GetParent(child));
  EXPECT_EQ("100,100,740,580", Text(RectIn(free->GetSafeHwnd(), nullptr)));
  char title[64];
  GetWindowTextA(free->GetSafeHwnd(), title, sizeof(title));
  EXPECT_STREQ("Quillon", title);
  RECT client;
  GetClientRect(free->GetSafeHwnd(), &client);
  const VideoRect fit = FitVideoChild(client.right, client.bottom, false, 8, 6);
  EXPECT_EQ(Text(RECT{fit.left, fit.top, fit.right, fit.bottom}), Text(RectIn(child, free->GetSafeHwnd())));
  EXPECT_EQ(4, m_status.m_iScreenMode);
  EXPECT_EQ(1, m_status.m_iLastScreenMode);

  // Full screen on the virtual display's 1280 x 1024 monitor.
  ASSERT_EQ(1, Switch(3));
  EXPECT_FALSE(m_windows.FreeWindow());
  CFullscreenDialog* full = m_windows.FullscreenDialog();
  ASSERT_TRUE(full && full->GetSafeHwnd());
  EXPECT_EQ("0,0,1280,1024", Text(RectIn(full->GetSafeHwnd(), nullptr)));
  EXPECT_EQ(full->GetSafeHwnd(), GetParent(child));
  EXPECT_EQ("-8,26,1288,998", Text(RectIn(child, full->GetSafeHwnd())));
  EXPECT_EQ(3, m_status.m_iScreenMode);

  ASSERT_EQ(1, Switch(1));
  EXPECT_FALSE(m_windows.FullscreenDialog());
  EXPECT_EQ(host, GetParent(child));
  EXPECT_EQ(ctrl, m_graph.Ctrl());  // one graph through every switch
  EXPECT_TRUE(ctrl->IsRunning());

  ASSERT_EQ(1, Switch(0));
  EXPECT_FALSE(m_windows.VideoChild());
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(m_graph.Ctrl());
  EXPECT_EQ(0, m_status.m_iScreenMode);
  EXPECT_TRUE(Logged("Closed videowindow."));
}

TEST_F(VideoWindowsTest, TheCurrentModeAgainOnlyReappliesTopmost) {
  ASSERT_EQ(1, Switch(4));
  const HWND free = m_windows.FreeWindow()->GetSafeHwnd();
  EXPECT_FALSE(GetWindowLongA(free, GWL_EXSTYLE) & WS_EX_TOPMOST);
  m_status.m_bTopMost = 1;
  EXPECT_EQ(1, Switch(4));
  EXPECT_EQ(free, m_windows.FreeWindow()->GetSafeHwnd());
  EXPECT_TRUE(GetWindowLongA(free, GWL_EXSTYLE) & WS_EX_TOPMOST);
  m_status.m_bTopMost = 0;
  EXPECT_EQ(1, Switch(4));
  EXPECT_FALSE(GetWindowLongA(free, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(VideoWindowsTest, FreeWindowAnswersAndKeepsItsPlacement) {
  ASSERT_EQ(1, Switch(4));
  const HWND free = m_windows.FreeWindow()->GetSafeHwnd();
  // Dragged by its client area.
  RECT client;
  GetClientRect(free, &client);
  POINT centre = {client.right / 2, client.bottom / 2};
  ClientToScreen(free, &centre);
  EXPECT_EQ(HTCAPTION, SendMessageA(free, WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)));
  // Escape closes the host's window, not the free window.
  SendMessageA(free, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(1, m_host.Closes());
  EXPECT_TRUE(IsWindowVisible(free));

  MoveWindow(free, 50, 60, 400, 300, TRUE);
  ASSERT_EQ(1, Switch(1));
  EXPECT_EQ("50,60,450,360", Text(m_profile.freeWindow));

  // No closing while a recording plays.
  m_status.m_iRecPlayState = 3;
  EXPECT_EQ(0, Switch(0));
  EXPECT_TRUE(Logged("Error: Cannot close video window. Stop Timeshift mode first."));
  EXPECT_TRUE(m_windows.VideoChild());
}

TEST_F(VideoWindowsTest, HostPlacementFitsThePictureWithItsMargins) {
  EXPECT_EQ(0, m_windows.SetWindowPositions(nullptr, 0, 0, 800, 400));  // no window yet
  ASSERT_EQ(1, Switch(1));
  EXPECT_EQ(1, m_windows.SetWindowPositions(nullptr, 0, 0, 800, 400));
  EXPECT_EQ("125,-6,674,406", Text(RectIn(m_windows.VideoChild(), m_host.Handle())));
  m_profile.monitorMode = 1;
  EXPECT_EQ(1, m_windows.SetWindowPositions(nullptr, 10, 10, 650, 490));  // only the size counts
  EXPECT_EQ("-8,54,648,426", Text(RectIn(m_windows.VideoChild(), m_host.Handle())));
  ASSERT_EQ(1, Switch(4));
  EXPECT_EQ(0, m_windows.SetWindowPositions(nullptr, 0, 0, 800, 400));
}

// The renderer shows a frame a little after the decoder has taken its
// sample, so the picture to compare is the one that has stopped changing:
// the same over half a second of reads, within ten seconds.
bool SettledImage(CVideoCtrl& ctrl, std::vector<BYTE>* image) {
  constexpr int kReadMs = 100, kSameReads = 5, kLimitReads = 100;
  std::vector<BYTE> now;
  int same = 0;
  for (int read = 0; read < kLimitReads; ++read) {
    if (!ctrl.GetCurrentImage(&now)) return false;
    same = now == *image ? same + 1 : 0;
    if (same == kSameReads) return true;
    image->swap(now);
    Sleep(kReadMs);
  }
  return false;
}

std::vector<BYTE> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), {});
}

TEST_F(VideoWindowsTest, SnapshotsToAFileAndToTheClipboard) {
  char temp[MAX_PATH], path[MAX_PATH];
  GetTempPathA(sizeof(temp), temp);
  std::snprintf(path, sizeof(path), "%squillon-snapshot.bmp", temp);
  EXPECT_EQ(0, m_windows.MakeSnapshot(m_host.Handle(), path, 0));  // no video window

  ASSERT_EQ(1, Switch(1));
  CVideoCtrl* ctrl = m_graph.Ctrl();
  ASSERT_TRUE(ctrl && ctrl->Graph());
  ComPtr<IMediaFilter> timing;
  ctrl->Graph()->QueryInterface(IID_IMediaFilter, timing.PutVoid());
  ctrl->StopGraph();
  timing->SetSyncSource(nullptr);
  const std::vector<ProgrammePacket> packets = ReadProgramme();
  FeedFromDeviceThread(*ctrl, packets);
  ASSERT_EQ(S_OK, ctrl->StartGraph());
  ComPtr<ITestSinkLog> video = StandInLog(ctrl->Graph(), CLSID_TestVideoDecoderA);
  ASSERT_TRUE(video);
  const LONG videoPackets =
      static_cast<LONG>(std::count_if(packets.begin(), packets.end(), [](const ProgrammePacket& p) { return p.video; }));
  ASSERT_EQ(S_OK, video->WaitForSamples(videoPackets, 20000));
  std::vector<BYTE> shown;
  ASSERT_TRUE(SettledImage(*ctrl, &shown));

  // Over a longer file: nothing of it is left.
  {
    std::ofstream old(path, std::ios::binary);
    old << std::string(shown.size() * 2, 'x');
  }
  ASSERT_EQ(1, m_windows.MakeSnapshot(m_host.Handle(), path, 0));
  const std::vector<BYTE> file = ReadFile(path);
  ASSERT_EQ(14 + shown.size(), file.size());
  EXPECT_EQ(BmpFileHeader(shown), std::vector<BYTE>(file.begin(), file.begin() + 14));
  EXPECT_EQ(shown, std::vector<BYTE>(file.begin() + 14, file.end()));
  EXPECT_EQ(0, m_windows.MakeSnapshot(m_host.Handle(), nullptr, 0));
  DeleteFileA(path);

  ASSERT_EQ(1, m_windows.MakeSnapshot(m_host.Handle(), nullptr, 1));
  ASSERT_TRUE(OpenClipboard(m_host.Handle()));
  HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  ASSERT_TRUE(bitmap);
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(shown.data());
  BITMAPINFO info = {};
  info.bmiHeader = *header;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<BYTE> pixels(static_cast<size_t>(header->biWidth) * std::abs(header->biHeight) * 4);
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, bitmap, 0, std::abs(header->biHeight), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  CloseClipboard();
  EXPECT_EQ(std::abs(header->biHeight), rows);
  // The colours survive the trip through the screen's format (the unused
  // fourth byte may not).
  const BYTE* original = shown.data() + header->biSize;
  size_t differing = 0;
  for (size_t i = 0; i < pixels.size(); i += 4)
    differing += !std::equal(original + i, original + i + 3, pixels.begin() + i);
  EXPECT_EQ(0u, differing);
}

}  // namespace
