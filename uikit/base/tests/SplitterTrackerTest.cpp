// The splitter drag, driven by messages posted before it starts.
#include "SplitterTracker.h"

#include <gtest/gtest.h>

namespace {

int g_nDispatched = 0;
// The screen pixel in the middle of the moved tracker, read during the drag.
COLORREF g_clrDuringDrag = CLR_INVALID;
LRESULT CALLBACK OwnerProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_USER + 5) {
    ++g_nDispatched;
    HDC hScreen = ::GetDC(nullptr);
    g_clrDuringDrag = ::GetPixel(hScreen, 161, 150);
    ::ReleaseDC(nullptr, hScreen);
  }
  return ::DefWindowProcA(hWnd, msg, wParam, lParam);
}

class SplitterTracker : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "JvkTrackerOwner";
    ::RegisterClassA(&wc);
    m_hOwner = ::CreateWindowExA(0, "JvkTrackerOwner", "", WS_POPUP, 100, 100, 200, 200, nullptr, nullptr, wc.hInstance,
                                 nullptr);
    ASSERT_NE(m_hOwner, nullptr);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    m_rect = {150, 100, 154, 300};
    m_request = {m_hOwner, 110, 0, 250, 1000, &m_rect, {152, 150}, TRUE};
  }
  void TearDown() override { ::DestroyWindow(m_hOwner); }
  void Move(int clientX, int clientY) { ::PostMessageA(m_hOwner, WM_MOUSEMOVE, 0, MAKELPARAM(clientX, clientY)); }

  HWND m_hOwner = nullptr;
  RECT m_rect;
  JVK_TRACK_REQUEST m_request;
};

TEST_F(SplitterTracker, ReleasingTheButtonAcceptsTheClampedPlace) {
  Move(80, 50);  // screen x 180, less the 2 pixels between point and bar
  ::PostMessageA(m_hOwner, WM_USER + 5, 0, 0);
  ::PostMessageA(m_hOwner, WM_LBUTTONUP, 0, 0);
  g_nDispatched = 0;
  CJVKSplitterTracker tracker;
  EXPECT_TRUE(tracker.Track(m_request));
  EXPECT_EQ(m_rect.left, 178);
  EXPECT_EQ(m_rect.right, 182);
  EXPECT_EQ(m_rect.top, 100) << "a horizontal tracker keeps its y";
  EXPECT_EQ(g_nDispatched, 1) << "other messages are dispatched";
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(SplitterTracker, MovesAreClampedToTheBounds) {
  Move(190, 0);
  ::PostMessageA(m_hOwner, WM_LBUTTONUP, 0, 0);
  CJVKSplitterTracker tracker(TRUE);
  EXPECT_TRUE(tracker.Track(m_request));
  EXPECT_EQ(m_rect.left, 250);
  Move(-90, 0);
  ::PostMessageA(m_hOwner, WM_LBUTTONUP, 0, 0);
  EXPECT_TRUE(tracker.Track(m_request));
  EXPECT_EQ(m_rect.left, 110);
}

TEST_F(SplitterTracker, EscapeCancelsAndLeavesNoTrackerDrawn) {
  HDC hScreen = ::GetDC(nullptr);
  const COLORREF before = ::GetPixel(hScreen, 161, 150);
  Move(60, 50);
  ::PostMessageA(m_hOwner, WM_USER + 5, 0, 0);
  ::PostMessageA(m_hOwner, WM_KEYDOWN, VK_ESCAPE, 0);
  CJVKSplitterTracker tracker(TRUE);
  EXPECT_FALSE(tracker.Track(m_request));
  EXPECT_EQ(m_rect.left, 158);
  EXPECT_EQ(g_clrDuringDrag, before ^ 0xFFFFFF) << "inverted while dragging";
  EXPECT_EQ(::GetPixel(hScreen, 161, 150), before);
  ::ReleaseDC(nullptr, hScreen);
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(SplitterTracker, QuitCancelsTheDragAndIsPostedAgain) {
  Move(60, 50);
  ::PostQuitMessage(7);
  CJVKSplitterTracker tracker;
  EXPECT_FALSE(tracker.Track(m_request));
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_TRUE(::LockWindowUpdate(m_hOwner)) << "the desktop is no longer locked";
  ::LockWindowUpdate(nullptr);
  MSG msg;
  bool quit = false;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      quit = true;
      EXPECT_EQ(msg.wParam, 7u);
    }
  }
  EXPECT_TRUE(quit);
}

}  // namespace
