// harrier's overlay window in the host's window (mode 1), as a free window
// (mode 4) and full screen (mode 3): what the card's display is asked to
// make, the window it makes and its colour, the placement the free window
// keeps, the fit in the host's area, and the switch of the surface kind.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "HarrierTestRig.h"

namespace {

constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kFreeStyle = WS_POPUP | WS_VISIBLE | WS_THICKFRAME;
constexpr DWORD kFullScreenStyle = WS_CHILD | WS_VISIBLE;

std::string CreateLine(int x, int y, int width, int height, DWORD style, int surface) {
  char line[128];
  std::snprintf(line, sizeof(line), "VideoDisplay Create %d %d %d %d %08lX 2 %d 0", x, y, width, height,
                static_cast<unsigned long>(style), surface);
  return line;
}

// The colour at the middle of a window, as the screen shows it.
COLORREF MiddleColour(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  HDC dc = GetDC(window);
  const COLORREF c = GetPixel(dc, r.right / 2, r.bottom / 2);
  ReleaseDC(window, dc);
  return c;
}

// The window's rectangle in its parent's client coordinates.
RECT InParent(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class HarrierVideoTest : public HarrierTest {
 protected:
  void OpenShown(const std::string& script) {
    Load(script);
    ASSERT_EQ(1, host.Open(0));
    host.ShowWindowSized(640, 480);
    CardSimLoadScript(script.c_str());  // the record from here on
  }
};

TEST_F(HarrierVideoTest, TheOverlayOpensInEachModeAndTheFreeWindowKeepsItsPlace) {
  OpenShown("");
  host.status.m_iXScale = 0;
  host.status.m_iYScale = 0;
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  const HWND child = host.fn.GetVideoWindowHandle();
  ASSERT_TRUE(IsWindow(child));
  EXPECT_EQ(host.Window(), GetParent(child));
  EXPECT_TRUE(Recorded(CreateLine(0, 0, 640, 480, kChildStyle, 0))) << Record();
  for (const char* line : {"VideoDisplay SetRatio 1", "AVControl SetAspectRatio 0", "VideoDisplay SetMove 0",
                           "VideoDisplay SetMAX 0", "AVControl SetPictureParams 128 128 128"})
    EXPECT_TRUE(Recorded(line)) << line;
  EXPECT_TRUE(Logged("Videowindow initialized."));
  EXPECT_EQ(1, host.status.m_iScreenMode);
  EXPECT_EQ(0u, host.status.m_iSurfaceMode);

  // The host's colours reach the display as (first, third, second); the
  // stand-in paints them.
  EXPECT_EQ(1, host.fn.SetColorValues(200, 40, 90));
  EXPECT_TRUE(Recorded("VideoDisplay SetPictureParams 200 90 40"));
  EXPECT_TRUE(host.PumpUntil([&] { return MiddleColour(child) == RGB(200, 90, 40); }, 5000));
  host.fn.SetBobMode(1);
  EXPECT_TRUE(Recorded("VideoDisplay SetBOB 1"));

  // The same mode again makes nothing new.
  CardSimLoadScript("");
  EXPECT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  EXPECT_EQ(-1, RecordedAt("VideoDisplay Create"));
  EXPECT_EQ(child, host.fn.GetVideoWindowHandle());

  // The free window opens at the profile's placement, 4:3 from its width.
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 4));
  EXPECT_TRUE(Recorded("VideoDisplay Close"));
  EXPECT_TRUE(Recorded(CreateLine(0, 0, 640, 480, kFreeStyle, 0))) << Record();
  EXPECT_TRUE(Recorded("VideoDisplay SetMove 1"));
  EXPECT_EQ(4, host.status.m_iScreenMode);
  EXPECT_EQ(1, host.status.m_iLastScreenMode);
  const HWND free = host.fn.GetVideoWindowHandle();
  EXPECT_FALSE(IsWindow(child));
  SetWindowPos(free, nullptr, 50, 60, 320, 200, SWP_NOZORDER);
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  CardSimLoadScript("");
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 4));
  EXPECT_TRUE(Recorded(CreateLine(50, 60, 320, 240, kFreeStyle, 0))) << Record();

  // Full screen: the dialog over the monitor, the picture fitted in it and
  // widened by the overscan margins.
  host.status.m_iXScale = 8;
  host.status.m_iYScale = 6;
  CardSimLoadScript("");
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 3));
  const HWND full = host.fn.GetVideoWindowHandle();
  const HWND dialog = GetParent(full);
  ASSERT_TRUE(IsWindow(dialog));
  RECT screen;
  GetWindowRect(dialog, &screen);
  const int w = screen.right - screen.left, h = screen.bottom - screen.top;
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), w);
  // 4:3 at the full width, or at the full height when the screen is too low.
  int pictureWidth = w, pictureHeight = static_cast<int>(w * 0.75);
  if (h < pictureHeight) {
    pictureWidth = static_cast<int>(static_cast<float>(h) * 4.0f / 3.0f);
    pictureHeight = h;
  }
  EXPECT_TRUE(Recorded(CreateLine((w - pictureWidth) / 2 - 8, (h - pictureHeight) / 2 - 6, pictureWidth + 16,
                                  pictureHeight + 12, kFullScreenStyle, 0)))
      << Record();
  EXPECT_EQ(3, host.status.m_iScreenMode);

  // Back to the host's window: the full-screen dialog goes with the window.
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  EXPECT_FALSE(IsWindow(dialog));

  EXPECT_EQ(1, host.fn.DeleteVideoWindow());
  EXPECT_TRUE(Logged("Closed videowindow."));
  EXPECT_EQ(nullptr, host.fn.GetVideoWindowHandle());
  EXPECT_EQ(0, host.status.m_iScreenMode);
  EXPECT_EQ(0, host.Close());
}

TEST_F(HarrierVideoTest, TheWindowIsFittedInTheHostsAreaOnlyInMode1) {
  OpenShown("");
  host.status.m_iXScale = 4;
  host.status.m_iYScale = 2;
  EXPECT_EQ(0, host.fn.SetWindowPositions(HWND_TOP, 0, 0, 800, 450, 0));  // no window yet
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  const HWND child = host.fn.GetVideoWindowHandle();
  EXPECT_NE(0, host.fn.SetWindowPositions(HWND_TOP, 0, 0, 400, 200, 0));
  // 4:3 in 400 x 200: 266 x 200 centred at x 67, widened by the margins.
  const RECT r = InParent(child);
  EXPECT_EQ(67 - 4, r.left);
  EXPECT_EQ(0 - 2, r.top);
  EXPECT_EQ(266 + 8, r.right - r.left);
  EXPECT_EQ(200 + 4, r.bottom - r.top);
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 4));
  EXPECT_EQ(0, host.fn.SetWindowPositions(HWND_TOP, 0, 0, 400, 200, 0));
  EXPECT_EQ(0, host.Close());
}

TEST_F(HarrierVideoTest, TheSurfaceSwitchMakesTheWindowAgainWithTheKindTheCardUses) {
  const struct {
    const char* script;
    int kind;
    DWORD reported;  // into the status record
  } cases[] = {
      {"", 2, 2},
      {"ddmode 1", 3, 1},  // the card falls back to another kind
      {"ddmode 7", 3, 3},  // no kind the module knows: the one asked for
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    OpenShown(c.script);
    EXPECT_EQ(3, host.fn.SetSurface(c.kind));  // no window to switch
    ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
    CardSimLoadScript(c.script);
    EXPECT_EQ(0, host.fn.SetSurface(c.kind));
    EXPECT_TRUE(Recorded("VideoDisplay Close"));
    EXPECT_TRUE(Recorded(CreateLine(0, 0, 640, 480, kChildStyle, c.kind))) << Record();
    EXPECT_EQ(c.reported, host.status.m_iSurfaceMode);
    EXPECT_TRUE(Logged("Surface changed."));
    EXPECT_TRUE(IsWindow(host.fn.GetVideoWindowHandle()));
    EXPECT_EQ(1, host.status.m_iScreenMode);
    EXPECT_EQ(0, host.Close());
  }

  // Full screen keeps its dialog through the switch.
  OpenShown("");
  ASSERT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 3));
  const HWND dialog = GetParent(host.fn.GetVideoWindowHandle());
  EXPECT_EQ(0, host.fn.SetSurface(1));
  EXPECT_EQ(dialog, GetParent(host.fn.GetVideoWindowHandle()));
  EXPECT_EQ(3, host.status.m_iScreenMode);
  EXPECT_EQ(0, host.Close());
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(HarrierVideoTest, AWindowTheCardCannotMakeIsAnErrorAndThePlayerKeepsItsMode) {
  OpenShown("fail Create 2");
  EXPECT_EQ(0, host.fn.CreateVideoWindow(host.Window(), 1));
  EXPECT_TRUE(Logged("Error creating video window! Check your drivers!"));
  EXPECT_EQ(nullptr, host.fn.GetVideoWindowHandle());
  EXPECT_EQ(0, host.Close());

  OpenShown("");
  host.status.m_iRecPlayState = 3;  // the host's player owns the picture
  EXPECT_EQ(0, host.fn.CreateVideoWindow(host.Window(), 4));
  EXPECT_EQ(0, host.fn.CreateVideoWindow(host.Window(), 3));
  EXPECT_EQ(-1, RecordedAt("VideoDisplay Create"));
  EXPECT_EQ(1, host.fn.CreateVideoWindow(host.Window(), 1));
  host.status.m_iRecPlayState = 0;
  EXPECT_EQ(0, host.Close());
}

}  // namespace
