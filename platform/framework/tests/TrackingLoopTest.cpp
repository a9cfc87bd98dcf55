// The drag loop: ends on the button's release, cancels on Escape or a right
// click, gives up when the capture goes elsewhere, and leaves on WM_QUIT
// with the quit posted again; the capture never stays behind.
#include <gtest/gtest.h>

#include "WindowTestSupport.h"

namespace {

const UINT WM_TEST_STEAL = WM_APP + 40;

// Takes the capture for another window when asked to.
class CDragWnd : public CWnd {
 public:
  CWnd* m_pThief = nullptr;

 protected:
  afx_msg LRESULT OnSteal(WPARAM, LPARAM) {
    if (m_pThief != nullptr)
      m_pThief->SetCapture();
    else
      ::ReleaseCapture();
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDragWnd, CWnd)
ON_MESSAGE(WM_TEST_STEAL, OnSteal)
END_MESSAGE_MAP()

TEST(TrackingLoopTest, EndsCancelsOrGivesUpAndAlwaysReleasesTheCapture) {
  CDragWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "drag", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
  CWnd thief;
  ASSERT_TRUE(thief.CreateEx(0, nullptr, "thief", WS_POPUP | WS_VISIBLE, 120, 0, 50, 50, nullptr, nullptr));

  struct Case {
    const char* name;
    UINT message;
    WPARAM wParam;
    CWnd* pThief;
    CTrackingLoop::Result result;
    HWND hCaptureAfter;
  };
  const Case cases[] = {
      {"release", WM_LBUTTONUP, 0, nullptr, CTrackingLoop::trackEnded, nullptr},
      {"escape", WM_KEYDOWN, VK_ESCAPE, nullptr, CTrackingLoop::trackCancelled, nullptr},
      {"right click", WM_RBUTTONDOWN, 0, nullptr, CTrackingLoop::trackCancelled, nullptr},
      {"capture released", WM_TEST_STEAL, 0, nullptr, CTrackingLoop::trackCaptureLost, nullptr},
      {"capture taken", WM_TEST_STEAL, 0, &thief, CTrackingLoop::trackCaptureLost, thief.m_hWnd},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    wnd.m_pThief = c.pThief;
    // Mouse moves first: dispatched, the drag goes on.
    wnd.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    wnd.PostMessage(c.message, c.wParam, 0);
    CTrackingLoop loop(&wnd);
    EXPECT_EQ(loop.Track(), c.result);
    EXPECT_EQ(::GetCapture(), c.hCaptureAfter);
    ::ReleaseCapture();
  }
  thief.DestroyWindow();
  wnd.DestroyWindow();
}

TEST(TrackingLoopTest, QuitEndsTheLoopAndIsPostedAgain) {
  CDragWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "drag", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
  wnd.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ::PostQuitMessage(7);
  CTrackingLoop loop(&wnd);
  EXPECT_EQ(loop.Track(), CTrackingLoop::trackQuit);
  EXPECT_EQ(::GetCapture(), nullptr);
  // The outer loop sees the quit, with its exit code.
  MSG msg;
  ASSERT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
  wnd.DestroyWindow();
}

}  // namespace
