// The mouse manager with injected mouse input: clicks outside the tracked
// popups close them (safe windows excepted), moves reach the popups, and the
// mouse-leave emulation posts one WM_MOUSELEAVE on the first tick after the
// cursor left.
#include "MouseManager.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "FakeTrackedBar.h"
#include "InputInjection.h"
#include "KeyboardManager.h"
#include "OutsideClickHook.h"
#include "ThreadHook.h"

namespace {

std::map<HWND, std::vector<UINT>> g_seen;

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
  if ((nMessage >= WM_MOUSEFIRST && nMessage <= WM_MOUSELAST) || nMessage == WM_MOUSELEAVE)
    g_seen[hWnd].push_back(nMessage);
  if (nMessage == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return ::DefWindowProcA(hWnd, nMessage, wParam, lParam);
}

int Count(HWND hWnd, UINT nMessage) {
  int n = 0;
  for (UINT m : g_seen[hWnd]) n += m == nMessage;
  return n;
}

// The windows are made once: showing and destroying a visible window costs
// Wine seconds without a window manager.
class MouseHook : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    m_hBar = Make(100);
    m_hSafe = Make(400);
    m_hOther = Make(700);
  }
  static void TearDownTestSuite() {
    for (HWND h : {m_hBar, m_hSafe, m_hOther}) ::DestroyWindow(h);
  }
  void SetUp() override {
    BringToFront(m_hOther);
    g_seen.clear();
  }
  void TearDown() override { GetMouseManager()->m_bIgnoreNextButtonUp = FALSE; }
  static HWND Make(int x) {
    return MakeTestPopup("JvkMouseTest", RecordingProc, CRect(x, 100, x + 200, 200), WS_VISIBLE, WS_EX_TOOLWINDOW);
  }
  static POINT Middle(HWND hWnd) {
    RECT rect;
    ::GetWindowRect(hWnd, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  // Moves the cursor into the window and waits until the window has seen it.
  // Each move goes to a new point: a move without motion may be swallowed.
  void MoveInto(HWND hWnd) {
    POINT pt = Middle(hWnd);
    m_ptLast = {pt.x + (m_nMoves++ % 9) - 4, pt.y};
    int nBefore = Count(hWnd, WM_MOUSEMOVE);
    InjectMouseMove(m_ptLast.x, m_ptLast.y);
    ASSERT_TRUE(PumpUntil([&] { return Count(hWnd, WM_MOUSEMOVE) > nBefore; }));
  }
  // Clicks the left button in the window and waits for the release.
  void Click(HWND hWnd) {
    MoveInto(hWnd);
    int nBefore = Count(hWnd, WM_LBUTTONUP);
    InjectMouseButton(MOUSEEVENTF_LEFTDOWN);
    InjectMouseButton(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return Count(hWnd, WM_LBUTTONUP) > nBefore; }));
  }

  static HWND m_hBar, m_hSafe, m_hOther;
  POINT m_ptLast = {};
  static int m_nMoves;  // across the tests: the cursor stays where one left it
};

int MouseHook::m_nMoves = 0;
HWND MouseHook::m_hBar = nullptr;
HWND MouseHook::m_hSafe = nullptr;
HWND MouseHook::m_hOther = nullptr;

TEST_F(MouseHook, AClickClosesThePopupsUnlessItIsOnThemOrOnASafeWindow) {
  struct Case {
    const char* where;
    int nWindow;  // 0 the popup, 1 the safe window, 2 another
    BOOL bSafeVisible;
    BOOL bCloses;
  };
  const Case cases[] = {
      {"on the popup", 0, TRUE, FALSE},
      {"on a safe window", 1, TRUE, FALSE},
      {"on a hidden safe window", 1, FALSE, TRUE},
      {"elsewhere", 2, TRUE, TRUE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.where);
    CFakeTrackedBar popup(m_hBar), older(m_hBar);
    GetMouseManager()->AddSafeWindow(m_hSafe);
    GetMouseManager()->AddTrackedBar(&older);
    GetMouseManager()->AddTrackedBar(&popup);
    const HWND windows[] = {m_hBar, m_hSafe, m_hOther};
    HWND hTarget = windows[c.nWindow];
    if (!c.bSafeVisible) {
      // A hidden window takes no clicks: the click goes to what lies under it.
      ::ShowWindow(m_hSafe, SW_HIDE);
      ::SetWindowPos(m_hOther, nullptr, 400, 100, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE);
      hTarget = m_hOther;
    }
    Click(hTarget);
    EXPECT_EQ(popup.m_nEnded, c.bCloses ? 1 : 0);
    EXPECT_EQ(older.m_nEnded, c.bCloses ? 1 : 0);
    EXPECT_EQ(GetMouseManager()->GetTrackedBarCount(), c.bCloses ? 0 : 2);
    GetMouseManager()->SendTrackLost();
    GetMouseManager()->RemoveSafeWindow(m_hSafe);
    ::ShowWindow(m_hSafe, SW_SHOWNOACTIVATE);
    ::SetWindowPos(m_hOther, nullptr, 700, 100, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

TEST_F(MouseHook, MovesReachTheUnlockedPopupsInTheirClientCoordinates) {
  CFakeTrackedBar popup(m_hBar), locked(m_hBar);
  locked.m_nTrackLock = 1;
  GetMouseManager()->AddTrackedBar(&locked);
  GetMouseManager()->AddTrackedBar(&popup);
  MoveInto(m_hOther);
  ASSERT_FALSE(popup.m_moves.empty());
  const POINT pt = popup.m_moves.back().pt;
  EXPECT_EQ(popup.m_moves.back().nMessage, static_cast<UINT>(WM_MOUSEMOVE));
  EXPECT_EQ(pt.x, m_ptLast.x - 100);
  EXPECT_EQ(pt.y, m_ptLast.y - 100);
  EXPECT_TRUE(locked.m_moves.empty());
  EXPECT_EQ(popup.m_nEnded + locked.m_nEnded, 0) << "moves close nothing";
  locked.m_nTrackLock = 0;
  GetMouseManager()->SendTrackLost();
}

TEST_F(MouseHook, TheButtonUpOfAPopupsOpeningClickIsSwallowed) {
  MoveInto(m_hOther);
  GetMouseManager()->m_bIgnoreNextButtonUp = TRUE;
  InjectMouseButton(MOUSEEVENTF_LEFTUP);
  MoveInto(m_hOther);
  EXPECT_EQ(Count(m_hOther, WM_LBUTTONUP), 0);
  EXPECT_FALSE(GetMouseManager()->m_bIgnoreNextButtonUp);
  Click(m_hOther);
  EXPECT_EQ(Count(m_hOther, WM_LBUTTONUP), 1) << "only the one button-up";
}

TEST_F(MouseHook, ALockedPopupClosesTheUnlockedOnesWhenClicked) {
  CFakeTrackedBar locked(m_hBar), unlocked(m_hOther);
  GetMouseManager()->AddTrackedBar(&locked);
  GetMouseManager()->AddTrackedBar(&unlocked);
  GetMouseManager()->LockTrackedBars(TRUE);
  unlocked.m_nTrackLock = 0;
  Click(m_hBar);
  EXPECT_EQ(unlocked.m_nEnded, 1);
  EXPECT_EQ(locked.m_nEnded, 0);
  GetMouseManager()->LockTrackedBars(FALSE);
  GetMouseManager()->SendTrackLost();
}

TEST_F(MouseHook, LeavingAWatchedWindowPostsOneMouseLeaveOnTheNextTick) {
  MoveInto(m_hBar);
  GetMouseManager()->TrackMouseLeave(m_hBar);
  int nTicks = 0;
  auto pump = [&](const std::function<BOOL()>& bDone) {
    return PumpUntil(bDone, 5000, [&](const MSG& msg) {
      if (msg.hwnd == m_hBar && msg.message == WM_TIMER && msg.wParam == JVK_MOUSELEAVE_TIMER) ++nTicks;
    });
  };
  ASSERT_TRUE(pump([&] { return nTicks >= 2; }));
  EXPECT_EQ(Count(m_hBar, WM_MOUSELEAVE), 0) << "no leave while the cursor is inside";

  POINT pt = Middle(m_hOther);
  InjectMouseMove(pt.x, pt.y);
  nTicks = 0;
  ASSERT_TRUE(pump([&] { return Count(m_hBar, WM_MOUSELEAVE) > 0; }));
  EXPECT_EQ(nTicks, 1) << "the first tick after the cursor left posts the leave";
  EXPECT_EQ(GetMouseManager()->GetMouseLeaveWindow(), nullptr);
  EXPECT_FALSE(::KillTimer(m_hBar, JVK_MOUSELEAVE_TIMER)) << "the watch is over: no second leave";
}

TEST_F(MouseHook, WatchingAnotherWindowSendsTheFirstItsLeaveAtOnce) {
  MoveInto(m_hBar);
  GetMouseManager()->TrackMouseLeave(m_hBar);
  GetMouseManager()->TrackMouseLeave(m_hBar);
  EXPECT_EQ(Count(m_hBar, WM_MOUSELEAVE), 0);
  GetMouseManager()->TrackMouseLeave(m_hOther);
  EXPECT_EQ(Count(m_hBar, WM_MOUSELEAVE), 1);
  EXPECT_FALSE(::KillTimer(m_hBar, JVK_MOUSELEAVE_TIMER));
  GetMouseManager()->TrackMouseLeave(nullptr);
  EXPECT_EQ(Count(m_hOther, WM_MOUSELEAVE), 1);
}

TEST_F(MouseHook, TheOutsideClickHookSwallowsClicksOutsideItsWindowUntilCleared) {
  SetOutsideClickHook(CWnd::FromHandle(m_hBar));
  Click(m_hBar);
  EXPECT_EQ(Count(m_hBar, WM_LBUTTONDOWN), 1) << "a click inside passes";
  MoveInto(m_hOther);
  InjectMouseButton(MOUSEEVENTF_LEFTDOWN);
  InjectMouseButton(MOUSEEVENTF_LEFTUP);
  MoveInto(m_hOther);
  EXPECT_EQ(Count(m_hOther, WM_LBUTTONDOWN) + Count(m_hOther, WM_LBUTTONUP), 0);
  SetOutsideClickHook(nullptr);
  Click(m_hOther);
  EXPECT_EQ(Count(m_hOther, WM_LBUTTONDOWN), 1);
}

// A remembered window destroyed without clearing the hook: clicks are the
// user's again, and the hook lets go.
TEST_F(MouseHook, TheOutsideClickHookLetsClicksThroughWhenItsWindowIsGone) {
  const LONG nHooks = CJVKThreadHook::GetInstalledCount();
  HWND hGone = MakeTestPopup("JvkMouseTest", RecordingProc, CRect(0, 0, 10, 10), 0, WS_EX_TOOLWINDOW);
  ASSERT_NE(hGone, nullptr);
  SetOutsideClickHook(CWnd::FromHandle(hGone));
  ::DestroyWindow(hGone);
  Click(m_hOther);
  EXPECT_EQ(Count(m_hOther, WM_LBUTTONDOWN), 1);
  EXPECT_FALSE(IsOutsideClickHookActive());
  EXPECT_EQ(CJVKThreadHook::GetInstalledCount(), nHooks);
  SetOutsideClickHook(nullptr);
}

TEST(MouseManager, IsTrackActiveAnswersForTheBarAsked) {
  CJVKMouseManager* pManager = GetMouseManager();
  CFakeTrackedBar tracked, locked, other;
  locked.m_nTrackLock = 1;
  EXPECT_FALSE(pManager->IsTrackActive()) << "nothing tracked";
  EXPECT_FALSE(pManager->IsTrackActive(&other)) << "nothing tracked";
  pManager->AddTrackedBar(&tracked);
  pManager->AddTrackedBar(&locked);
  pManager->AddTrackedBar(&tracked);
  EXPECT_EQ(pManager->GetTrackedBarCount(), 2) << "a bar is tracked once";
  struct Case {
    const char* what;
    CJVKTrackedBar* pBar;
    BOOL bActive;
  };
  for (const Case& c : {Case{"no bar given", nullptr, TRUE}, Case{"an unlocked tracked bar", &tracked, FALSE},
                        Case{"a locked tracked bar", &locked, TRUE}, Case{"a bar not tracked", &other, TRUE}}) {
    EXPECT_EQ(pManager->IsTrackActive(c.pBar), c.bActive) << c.what;
  }
  locked.m_nTrackLock = 0;
  pManager->SendTrackLost();
}

TEST(MouseManager, LocksCloseTheUnlockedBarsOnlyBehindALockedFirst) {
  CJVKMouseManager* pManager = GetMouseManager();
  CFakeTrackedBar first, second;
  pManager->AddTrackedBar(&first);
  pManager->AddTrackedBar(&second);
  pManager->CloseUnlockedBars();
  EXPECT_EQ(first.m_nEnded + second.m_nEnded, 0) << "the first bar is not locked";
  pManager->LockTrackedBars(TRUE);
  pManager->LockTrackedBars(TRUE);
  pManager->LockTrackedBars(FALSE);
  EXPECT_EQ(first.m_nTrackLock, 1);
  second.m_nTrackLock = 0;
  pManager->CloseUnlockedBars();
  EXPECT_EQ(first.m_nEnded, 0);
  EXPECT_EQ(second.m_nEnded, 1);
  first.m_nTrackLock = 0;
  pManager->SendTrackLost();
}

TEST(MouseManager, TheActiveBarLeavesItsModeWhenTheFirstPopupIsTracked) {
  CJVKMouseManager* pManager = GetMouseManager();
  CFakeTrackedBar active, popup, child;
  pManager->SetActiveBar(&active);
  pManager->AddTrackedBar(&popup);
  pManager->AddTrackedBar(&child);
  EXPECT_EQ(active.m_nLeftMode, 1) << "once, for the first popup";
  pManager->SendTrackLost();
  pManager->AddTrackedBar(&active);
  EXPECT_EQ(active.m_nLeftMode, 1) << "not when the active bar itself is tracked";
  pManager->SendTrackLost();
  pManager->SetActiveBar(nullptr);
}

TEST(MouseManager, BarsThatDoNotLeaveOrThatGoAreTakenOff) {
  CJVKMouseManager* pManager = GetMouseManager();
  CFakeTrackedBar stubborn;
  stubborn.m_bLeavesWhenEnded = FALSE;
  pManager->AddTrackedBar(&stubborn);
  pManager->SendTrackLost();
  EXPECT_EQ(stubborn.m_nEnded, 1);
  EXPECT_EQ(pManager->GetTrackedBarCount(), 0) << "ending every bar does not loop on one that stays";
  {
    CFakeTrackedBar going;
    pManager->AddTrackedBar(&going);
    pManager->SetActiveBar(&going);
  }
  EXPECT_EQ(pManager->GetTrackedBarCount(), 0);
  EXPECT_EQ(pManager->GetActiveBar(), nullptr);
}

}  // namespace
