// The keyboard manager with injected key presses: clients decide whether a
// key reaches the focused window, Alt closes the popups, and every way a
// client goes takes the keyboard hooks with it.
#include "KeyboardManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "FakeTrackedBar.h"
#include "InputInjection.h"

namespace {

// A key release that always passes ends each burst of injected keys.
const WORD kSentinelKey = VK_F24;

class CKeyClient : public CJVKHookClient {
 public:
  explicit CKeyClient(int nAnswer) : m_nAnswer(nAnswer) {}
  int HandleHookedMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT&) override {
    if (hWnd == nullptr && nMessage == WM_KEYDOWN) m_keys.push_back(wParam);
    return m_nAnswer;
  }
  int m_nAnswer;
  std::vector<WPARAM> m_keys;
};

// A client that is a window: destroying the window drops the client.
class CKeyClientWnd : public CWnd, public CJVKHookClient {
 public:
  int HandleHookedMessage(HWND, UINT, WPARAM&, LPARAM&, LRESULT&) override { return JVK_HOOK_CONTINUE; }
};

struct KeySeen {
  UINT nMessage;
  WPARAM wKey;
};
std::vector<KeySeen> g_seen;

LRESULT CALLBACK FocusProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
  switch (nMessage) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: g_seen.push_back({nMessage, wParam}); return 0;  // no menu mode for Alt
    case WM_SYSCHAR: return 0;
  }
  return ::DefWindowProcA(hWnd, nMessage, wParam, lParam);
}

// The window is made once: showing and destroying a visible window costs
// Wine seconds without a window manager.
class KeyboardHook : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    m_hWnd = MakeTestPopup("JvkKeyFocus", FocusProc, CRect(100, 100, 300, 200), WS_VISIBLE);
  }
  static void TearDownTestSuite() { ::DestroyWindow(m_hWnd); }
  void SetUp() override {
    ASSERT_NE(m_hWnd, nullptr);
    BringToFront(m_hWnd);
    ASSERT_EQ(::GetFocus(), m_hWnd);
    g_seen.clear();
  }

  // Injects the keys (down, or up when `up` is set), then the sentinel's
  // release, and pumps until the window has seen the sentinel.
  void Type(std::initializer_list<std::pair<WORD, BOOL>> keys) {
    g_seen.clear();
    for (const auto& key : keys) InjectKey(key.first, key.second);
    InjectKey(kSentinelKey, TRUE);
    ASSERT_TRUE(PumpUntil([] {
      for (const KeySeen& k : g_seen)
        if ((k.nMessage == WM_KEYUP || k.nMessage == WM_SYSKEYUP) && k.wKey == kSentinelKey) return TRUE;
      return FALSE;
    })) << "the sentinel key release never arrived";
  }
  static BOOL WindowSaw(UINT nMessage, WPARAM wKey) {
    for (const KeySeen& k : g_seen)
      if (k.nMessage == nMessage && k.wKey == wKey) return TRUE;
    return FALSE;
  }

  static HWND m_hWnd;
};

HWND KeyboardHook::m_hWnd = nullptr;

TEST_F(KeyboardHook, TheNewestClientThatAnswersDecides) {
  struct Case {
    int nOlder, nNewer;
    BOOL bKeyPasses, bOlderAsked;
  };
  const Case cases[] = {
      {JVK_HOOK_CONTINUE, JVK_HOOK_CONTINUE, FALSE, TRUE},  // nobody answers: swallowed
      {JVK_HOOK_STOP, JVK_HOOK_HANDLED, FALSE, FALSE},
      {JVK_HOOK_HANDLED, JVK_HOOK_STOP, TRUE, FALSE},
      {JVK_HOOK_STOP, JVK_HOOK_CONTINUE, TRUE, TRUE},
      {JVK_HOOK_HANDLED, JVK_HOOK_CONTINUE, FALSE, TRUE},
      {JVK_HOOK_CONTINUE, 5, FALSE, FALSE},  // any other answer swallows
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "older " << c.nOlder << ", newer " << c.nNewer);
    CKeyClient older(c.nOlder), newer(c.nNewer);
    GetKeyboardManager()->HookKeyboard(&older);
    GetKeyboardManager()->HookKeyboard(&newer);
    Type({{'A', FALSE}, {'A', TRUE}});
    EXPECT_EQ(WindowSaw(WM_KEYDOWN, 'A'), c.bKeyPasses);
    EXPECT_TRUE(WindowSaw(WM_KEYUP, 'A')) << "releases always pass";
    EXPECT_EQ(newer.m_keys, std::vector<WPARAM>{'A'}) << "clients see presses only";
    EXPECT_EQ(!older.m_keys.empty(), c.bOlderAsked);
    GetKeyboardManager()->UnhookKeyboard(&newer);
    GetKeyboardManager()->UnhookKeyboard(&older);
  }
  EXPECT_FALSE(GetKeyboardManager()->IsKeyboardHooked());
  Type({{'B', FALSE}, {'B', TRUE}});
  EXPECT_TRUE(WindowSaw(WM_KEYDOWN, 'B')) << "without clients every key passes";
}

TEST_F(KeyboardHook, AltClosesThePopupsAndIsSwallowedButItsRepeatPasses) {
  CKeyClient passes(JVK_HOOK_STOP);
  CFakeTrackedBar popup;
  GetMouseManager()->AddTrackedBar(&popup);
  GetKeyboardManager()->HookKeyboard(&passes);
  Type({{VK_MENU, FALSE}});
  EXPECT_EQ(popup.m_nEnded, 1);
  EXPECT_EQ(GetMouseManager()->GetTrackedBarCount(), 0);
  EXPECT_FALSE(WindowSaw(WM_SYSKEYDOWN, VK_MENU));
  EXPECT_TRUE(passes.m_keys.empty()) << "Alt is not offered to the clients";
  Type({{VK_MENU, FALSE}});
  EXPECT_TRUE(WindowSaw(WM_SYSKEYDOWN, VK_MENU)) << "an auto-repeated Alt passes";
  Type({{VK_MENU, TRUE}});

  // While the mouse manager is locked, Alt is a key like any other.
  GetMouseManager()->AddTrackedBar(&popup);
  GetMouseManager()->m_nLock = 1;
  Type({{VK_MENU, FALSE}, {VK_MENU, TRUE}});
  GetMouseManager()->m_nLock = 0;
  EXPECT_EQ(popup.m_nEnded, 1);
  EXPECT_EQ(passes.m_keys, std::vector<WPARAM>{VK_MENU});
  EXPECT_TRUE(WindowSaw(WM_SYSKEYDOWN, VK_MENU));
  GetMouseManager()->RemoveTrackedBar(&popup);
  GetKeyboardManager()->UnhookKeyboard(&passes);
}

TEST_F(KeyboardHook, EveryWayAClientGoesGivesTheKeyboardBack) {
  struct Way {
    const char* name;
    void (*pfnGo)(std::unique_ptr<CKeyClientWnd>& pClient);
  };
  const Way ways[] = {
      {"unhooked", [](std::unique_ptr<CKeyClientWnd>& p) { GetKeyboardManager()->UnhookKeyboard(p.get()); }},
      {"deleted", [](std::unique_ptr<CKeyClientWnd>& p) { p.reset(); }},
      {"window destroyed", [](std::unique_ptr<CKeyClientWnd>& p) { p->DestroyWindow(); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    auto pClient = std::make_unique<CKeyClientWnd>();
    ASSERT_TRUE(pClient->CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    GetKeyboardManager()->HookKeyboard(pClient.get());
    Type({{'C', FALSE}, {'C', TRUE}});
    EXPECT_FALSE(WindowSaw(WM_KEYDOWN, 'C'));
    way.pfnGo(pClient);
    EXPECT_FALSE(GetKeyboardManager()->IsKeyboardHooked());
    Type({{'D', FALSE}, {'D', TRUE}});
    EXPECT_TRUE(WindowSaw(WM_KEYDOWN, 'D'));
  }
}

TEST_F(KeyboardHook, SwitchingToAnotherApplicationClosesThePopups) {
  CKeyClient client(JVK_HOOK_STOP);
  CFakeTrackedBar popup;
  GetKeyboardManager()->HookKeyboard(&client);
  GetMouseManager()->AddTrackedBar(&popup);
  ::SendMessageA(m_hWnd, WM_ACTIVATEAPP, TRUE, 0);
  EXPECT_EQ(popup.m_nEnded, 0);
  ::SendMessageA(m_hWnd, WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_EQ(popup.m_nEnded, 1);
  GetKeyboardManager()->UnhookKeyboard(&client);
}

// What a second user-interface thread saw of its own managers.
struct CSecondThread {
  CEvent ready;
  CEvent proceed;
  CJVKKeyboardManager* pKeyboard = nullptr;
  CJVKMouseManager* pMouse = nullptr;
  BOOL bKeyboardHooked = FALSE;
  int nTrackedAfterMainClosed = -1;
  int nEndedByMain = -1;
};

// Keeps keys swallowed on the second thread, and is never taken off: the
// thread's end takes its keyboard manager and hooks with it.
CKeyClient g_forgottenClient(JVK_HOOK_HANDLED);

UINT SecondThreadProc(LPVOID pParam) {
  CSecondThread* p = static_cast<CSecondThread*>(pParam);
  p->pKeyboard = GetKeyboardManager();
  p->pMouse = GetMouseManager();
  GetKeyboardManager()->HookKeyboard(&g_forgottenClient);
  p->bKeyboardHooked = GetKeyboardManager()->IsKeyboardHooked();
  CFakeTrackedBar popup;
  GetMouseManager()->AddTrackedBar(&popup);
  p->ready.SetEvent();
  if (::WaitForSingleObject(p->proceed.m_hObject, 5000) == WAIT_OBJECT_0) {
    p->nTrackedAfterMainClosed = GetMouseManager()->GetTrackedBarCount();
    p->nEndedByMain = popup.m_nEnded;
  }
  GetMouseManager()->RemoveTrackedBar(&popup);
  return 0;
}

TEST_F(KeyboardHook, EachThreadHasItsOwnManagers) {
  CSecondThread second;
  CWorkerThread thread;
  ASSERT_TRUE(thread.Start(SecondThreadProc, &second));
  ASSERT_EQ(::WaitForSingleObject(second.ready.m_hObject, 5000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_NE(second.pKeyboard, GetKeyboardManager());
  EXPECT_NE(second.pMouse, GetMouseManager());
  EXPECT_TRUE(second.bKeyboardHooked);
  EXPECT_FALSE(GetKeyboardManager()->IsKeyboardHooked());
  Type({{'E', FALSE}, {'E', TRUE}});
  EXPECT_TRUE(WindowSaw(WM_KEYDOWN, 'E')) << "the other thread's client does not take this thread's keys";
  CFakeTrackedBar popup;
  GetMouseManager()->AddTrackedBar(&popup);
  GetMouseManager()->SendTrackLost();
  EXPECT_EQ(popup.m_nEnded, 1);
  second.proceed.SetEvent();
  EXPECT_EQ(thread.Stop(5000), CWorkerThread::kEnded);
  EXPECT_EQ(second.nTrackedAfterMainClosed, 1) << "closing this thread's popups leaves the other's";
  EXPECT_EQ(second.nEndedByMain, 0);
}

// Registers a keyboard client and a popup and ends with both still there.
UINT ForgetfulThreadProc(LPVOID pParam) {
  static CFakeTrackedBar s_popup;  // outlives the thread
  GetKeyboardManager()->HookKeyboard(&g_forgottenClient);
  GetMouseManager()->AddTrackedBar(&s_popup);
  *static_cast<LONG*>(pParam) = CJVKThreadHook::GetInstalledCount();
  return 0;
}

TEST_F(KeyboardHook, AThreadThatEndsTakesItsManagersAndHooksWithIt) {
  // Only the managers' destructors remove these hooks: the client is never
  // taken off and the popup never closed.
  const LONG nBefore = CJVKThreadHook::GetInstalledCount();
  LONG nWhileRunning = -1;
  CWorkerThread thread;
  ASSERT_TRUE(thread.Start(ForgetfulThreadProc, &nWhileRunning));
  ASSERT_EQ(thread.Stop(5000), CWorkerThread::kEnded);
  EXPECT_EQ(nWhileRunning, nBefore + 3) << "keyboard, window-procedure and mouse hooks";
  EXPECT_EQ(CJVKThreadHook::GetInstalledCount(), nBefore);
  EXPECT_FALSE(GetKeyboardManager()->IsKeyboardHooked());
  Type({{'F', FALSE}, {'F', TRUE}});
  EXPECT_TRUE(WindowSaw(WM_KEYDOWN, 'F'));
}

}  // namespace
