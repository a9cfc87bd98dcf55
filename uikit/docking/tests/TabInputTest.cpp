// Injected input on a tab strip in a window: a held scroll button repeats
// on a fake clock, a disabled one ignores presses, the close button acts on
// release, a drag reorders tabs, and hot tracking follows the mouse.
#include "TabHost.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

const int kLeft = 100, kTop = 100;

// Moves on by 21 ms at each reading until nTicks repeats have passed, then
// stands still and releases the mouse button once.
class CScriptedClock : public CJVKTabClock {
 public:
  explicit CScriptedClock(int nTicks) : m_nTicks(nTicks) {}
  DWORD GetTickCount() override {
    if (m_nReads == m_nTicks && !m_bReleased) {
      m_bReleased = TRUE;
      InjectMouseButton(MOUSEEVENTF_LEFTUP);
    }
    const DWORD dw = 1000 + 21 * static_cast<DWORD>(std::min(m_nReads, m_nTicks));
    ++m_nReads;
    return dw;
  }

 private:
  int m_nTicks;
  int m_nReads = 0;
  BOOL m_bReleased = FALSE;
};

struct CClockScope {
  explicit CClockScope(CJVKTabClock* pClock) { CJVKTabManagerNavigateButton::s_pClock = pClock; }
  ~CClockScope() { CJVKTabManagerNavigateButton::s_pClock = nullptr; }
};

// Five 80-pixel tabs in a 200-pixel strip: the scroll buttons show.
struct CScrollingStrip {
  CTestTabHost host{CRect(0, 0, 200, 60)};
  HWND hWnd;
  CScrollingStrip() {
    host.UseFixedWidth(80);
    for (int i = 0; i < 5; ++i) host.Add("Tab");
    hWnd = host.CreateWindowAt(kLeft, kTop);
    BringToFront(hWnd);
  }
  void Press(CJVKTabManagerNavigateButton* pButton) {
    const CPoint c = pButton->GetRect().CenterPoint();
    InjectMouseMove(kLeft + c.x, kTop + c.y);
    PumpUntil([] { return FALSE; }, 100);
    InjectMouseButton(MOUSEEVENTF_LEFTDOWN);
  }
};

TEST(TabInput, HeldScrollButtonRepeatsEveryTick) {
  CScrollingStrip strip;
  CJVKTabManagerNavigateButton* pForward = strip.host.FindNavigateButton(jvkTabNavigateForward);
  ASSERT_TRUE(pForward->IsVisible());
  ASSERT_TRUE(pForward->IsEnabled());
  for (int nTicks : {1, 3}) {
    strip.host.SetScrollOffset(0);
    CScriptedClock clock(nTicks);
    CClockScope scope(&clock);
    strip.Press(pForward);
    EXPECT_TRUE(PumpUntil([&] { return strip.host.GetScrollOffset() == -20 * nTicks && ::GetCapture() == nullptr; }))
        << nTicks << " ticks, offset " << strip.host.GetScrollOffset();
    PumpUntil([] { return FALSE; }, 100);
    EXPECT_EQ(-20 * nTicks, strip.host.GetScrollOffset());
    EXPECT_FALSE(pForward->IsPressed());
  }
}

TEST(TabInput, DisabledScrollButtonIgnoresPresses) {
  CScrollingStrip strip;
  CJVKTabManagerNavigateButton* pBack = strip.host.FindNavigateButton(jvkTabNavigateBack);
  ASSERT_FALSE(pBack->IsEnabled());  // nothing to scroll back to
  CScriptedClock clock(3);
  CClockScope scope(&clock);
  strip.Press(pBack);
  PumpUntil([] { return FALSE; }, 200);
  InjectMouseButton(MOUSEEVENTF_LEFTUP);
  PumpUntil([] { return FALSE; }, 200);
  EXPECT_EQ(0, strip.host.GetScrollOffset());
  EXPECT_EQ(nullptr, ::GetCapture());
}

TEST(TabInput, CloseButtonActsOnReleaseOverIt) {
  CScrollingStrip strip;
  CJVKTabManagerNavigateButton* pClose = strip.host.FindNavigateButton(jvkTabNavigateClose);
  pClose->SetShowMode(jvkTabNavigateAlways);
  strip.host.Reposition();
  ASSERT_TRUE(pClose->IsVisible());
  CScriptedClock clock(2);
  CClockScope scope(&clock);
  strip.Press(pClose);
  EXPECT_TRUE(PumpUntil([&] { return !strip.host.m_clicks.empty(); }));
  EXPECT_EQ(std::vector<int>{jvkTabNavigateClose}, strip.host.m_clicks);
  EXPECT_EQ(0, strip.host.GetScrollOffset());  // ticks do not close
}

TEST(TabInput, DragReordersTabs) {
  CTestTabHost host(CRect(0, 0, 300, 60));
  host.UseFixedWidth(80);
  CJVKTabManagerItem* pItems[3] = {host.Add("A"), host.Add("B"), host.Add("C")};
  const HWND hWnd = host.CreateWindowAt(kLeft, kTop);
  BringToFront(hWnd);
  // The drag's own loop runs on this thread; the input comes from another,
  // paced so that each move is seen on its own.
  std::atomic<bool> bDone(false);
  std::thread input([&] {
    InjectMouseMove(kLeft + 40, kTop + 10);
    ::Sleep(100);
    InjectMouseButton(MOUSEEVENTF_LEFTDOWN);
    ::Sleep(200);
    InjectMouseMove(kLeft + 120, kTop + 10);  // over B: A and B change places
    ::Sleep(200);
    InjectMouseMove(kLeft + 200, kTop + 10);  // over C's old place
    ::Sleep(200);
    InjectMouseButton(MOUSEEVENTF_LEFTUP);
    bDone = true;
  });
  EXPECT_TRUE(PumpUntil([&] { return bDone && host.GetSelectedItem() == pItems[0] && ::GetCapture() == nullptr; }));
  input.join();
  EXPECT_EQ(pItems[1], host.GetItem(0));
  EXPECT_EQ(pItems[2], host.GetItem(1));
  EXPECT_EQ(pItems[0], host.GetItem(2));
  EXPECT_EQ(2, pItems[0]->GetIndex());
  EXPECT_EQ(CRect(162, 3, 242, 21), pItems[0]->GetRect());
}

TEST(TabInput, HotTrackingFollowsTheMouse) {
  CTestTabHost host(CRect(0, 0, 300, 60));
  host.m_paint.m_bHotTracking = TRUE;
  host.UseFixedWidth(80);
  host.Add("A");
  host.Add("B");
  const HWND hWnd = host.CreateWindowAt(kLeft, kTop);
  BringToFront(hWnd);
  InjectMouseMove(kLeft + 120, kTop + 10);
  EXPECT_TRUE(PumpUntil([&] { return host.GetHotItem() == host.GetItem(1); }));
  EXPECT_TRUE(host.GetItem(1)->IsHot());
  InjectMouseMove(kLeft + 400, kTop + 300);  // out of the window: the leave notice
  EXPECT_TRUE(PumpUntil([&] { return host.GetHotItem() == nullptr; }));
}

}  // namespace
