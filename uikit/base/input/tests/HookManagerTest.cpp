// The hook chain: clients see a window's messages before the window does,
// the last registered first, and the chain lets go of a window when its
// last client leaves or the window is destroyed.
#include "HookManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "InputInjection.h"

namespace {

const UINT WM_PROBE = WM_APP + 1;
const LRESULT kWindowResult = 7;
const LRESULT kClientResult = 42;

std::vector<UINT> g_windowSaw;
WPARAM g_wParamWindowSaw = 0;
WNDPROC g_pfnAtNcDestroy = nullptr;

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
  g_windowSaw.push_back(nMessage);
  if (nMessage == WM_NCDESTROY) g_pfnAtNcDestroy = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
  if (nMessage == WM_PROBE) {
    g_wParamWindowSaw = wParam;
    return kWindowResult;
  }
  return ::DefWindowProcA(hWnd, nMessage, wParam, lParam);
}

class CRecordingClient : public CJVKHookClient {
 public:
  explicit CRecordingClient(int nAnswer = JVK_HOOK_CONTINUE) : m_nAnswer(nAnswer) {}
  int HandleHookedMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT& lResult) override {
    m_saw.push_back(nMessage);
    m_nCurrentMessage = AfxGetCurrentMessage()->message;
    if (nMessage != WM_PROBE) return JVK_HOOK_CONTINUE;
    wParam += 1;  // each client that sees the probe marks it
    if (m_pfnDuring) m_pfnDuring();
    lResult = kClientResult;
    return m_nAnswer;
  }
  BOOL Saw(UINT nMessage) const {
    for (UINT n : m_saw)
      if (n == nMessage) return TRUE;
    return FALSE;
  }
  int m_nAnswer;
  std::vector<UINT> m_saw;
  UINT m_nCurrentMessage = 0;
  void (*m_pfnDuring)() = nullptr;
};

class HookChain : public ::testing::Test {
 protected:
  void SetUp() override {
    m_hWnd = MakeTestPopup("JvkHookChainTest", RecordingProc, CRect(0, 0, 20, 20), 0);
    ASSERT_NE(m_hWnd, nullptr);
    g_windowSaw.clear();
  }
  void TearDown() override {
    if (::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
  }
  WNDPROC CurrentProc() const { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)); }
  BOOL WindowSaw(UINT nMessage) const {
    for (UINT n : g_windowSaw)
      if (n == nMessage) return TRUE;
    return FALSE;
  }

  HWND m_hWnd = nullptr;
};

TEST_F(HookChain, ClientsAnswerInTurnFromTheLastRegistered) {
  struct Case {
    int nFirstAnswer, nLastAnswer;
    BOOL bFirstAsked, bWindowCalled;
    LRESULT lResult;
    WPARAM wParamWindowSaw;  // one more for each client that saw the probe
  };
  const Case cases[] = {
      {JVK_HOOK_CONTINUE, JVK_HOOK_CONTINUE, TRUE, TRUE, kWindowResult, 2},
      {JVK_HOOK_CONTINUE, JVK_HOOK_HANDLED, FALSE, FALSE, kClientResult, 0},
      {JVK_HOOK_CONTINUE, JVK_HOOK_STOP, FALSE, TRUE, kWindowResult, 1},
      {JVK_HOOK_HANDLED, JVK_HOOK_CONTINUE, TRUE, FALSE, kClientResult, 0},
      {JVK_HOOK_STOP, JVK_HOOK_CONTINUE, TRUE, TRUE, kWindowResult, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "first " << c.nFirstAnswer << ", last " << c.nLastAnswer);
    CRecordingClient first(c.nFirstAnswer), last(c.nLastAnswer);
    GetHookManager()->SetHook(m_hWnd, &first);
    GetHookManager()->SetHook(m_hWnd, &last);
    g_windowSaw.clear();
    g_wParamWindowSaw = 0;
    EXPECT_EQ(::SendMessageA(m_hWnd, WM_PROBE, 0, 0), c.lResult);
    EXPECT_TRUE(last.Saw(WM_PROBE));
    EXPECT_EQ(first.Saw(WM_PROBE), c.bFirstAsked);
    EXPECT_EQ(WindowSaw(WM_PROBE), c.bWindowCalled);
    if (c.bWindowCalled) {
      EXPECT_EQ(g_wParamWindowSaw, c.wParamWindowSaw) << "the window gets what the clients left";
    }
    EXPECT_EQ(last.m_nCurrentMessage, WM_PROBE) << "the framework's current message is the hooked one";
    GetHookManager()->RemoveAll(&first);
    GetHookManager()->RemoveAll(&last);
  }
}

TEST_F(HookChain, TheLastClientLeavingPutsTheProcedureBack) {
  CRecordingClient a, b;
  GetHookManager()->SetHook(m_hWnd, &a);
  GetHookManager()->SetHook(m_hWnd, &a);
  GetHookManager()->SetHook(m_hWnd, &b);
  EXPECT_EQ(GetHookManager()->GetClientCount(m_hWnd), 2) << "a client is once in a window's list";
  EXPECT_NE(CurrentProc(), &RecordingProc);
  GetHookManager()->RemoveHook(m_hWnd, &a);
  EXPECT_TRUE(GetHookManager()->IsHooked(m_hWnd));
  GetHookManager()->RemoveHook(m_hWnd, &b);
  EXPECT_FALSE(GetHookManager()->IsHooked(m_hWnd));
  EXPECT_EQ(CurrentProc(), &RecordingProc);
  ::SendMessageA(m_hWnd, WM_PROBE, 0, 0);
  EXPECT_TRUE(a.m_saw.empty() && b.m_saw.empty());
}

TEST_F(HookChain, RemoveAllTakesAClientOffEveryWindow) {
  HWND hOther = MakeTestPopup("JvkHookChainTest", RecordingProc, CRect(0, 0, 20, 20), 0);
  CRecordingClient a, stays;
  GetHookManager()->SetHook(m_hWnd, &a);
  GetHookManager()->SetHook(hOther, &a);
  GetHookManager()->SetHook(hOther, &stays);
  GetHookManager()->RemoveAll(&a);
  EXPECT_FALSE(GetHookManager()->IsHooked(m_hWnd));
  EXPECT_EQ(GetHookManager()->GetClientCount(hOther), 1);
  ::SendMessageA(hOther, WM_PROBE, 0, 0);
  EXPECT_FALSE(a.Saw(WM_PROBE));
  EXPECT_TRUE(stays.Saw(WM_PROBE));
  ::DestroyWindow(hOther);
}

TEST_F(HookChain, ADestroyedWindowIsLetGoAndItsClientsHearNothingMore) {
  CRecordingClient a, b;
  GetHookManager()->SetHook(m_hWnd, &a);
  GetHookManager()->SetHook(m_hWnd, &b);
  g_pfnAtNcDestroy = nullptr;
  ::DestroyWindow(m_hWnd);
  EXPECT_TRUE(a.Saw(WM_DESTROY));
  EXPECT_FALSE(a.Saw(WM_NCDESTROY));
  EXPECT_FALSE(b.Saw(WM_NCDESTROY));
  EXPECT_TRUE(WindowSaw(WM_NCDESTROY));
  EXPECT_EQ(g_pfnAtNcDestroy, &RecordingProc) << "the previous procedure is back before it runs";
  EXPECT_FALSE(GetHookManager()->IsHooked(m_hWnd));
  // Removing the clients of a window that is gone is harmless.
  GetHookManager()->RemoveHook(m_hWnd, &a);
  GetHookManager()->RemoveAll(&b);
}

TEST_F(HookChain, AClientThatGoesIsTakenOffItsWindows) {
  auto pGoing = std::make_unique<CRecordingClient>();
  GetHookManager()->SetHook(m_hWnd, pGoing.get());
  pGoing.reset();
  EXPECT_FALSE(GetHookManager()->IsHooked(m_hWnd));
  EXPECT_EQ(CurrentProc(), &RecordingProc);
  EXPECT_EQ(::SendMessageA(m_hWnd, WM_PROBE, 0, 0), kWindowResult);
}

CRecordingClient* g_pLeaving = nullptr;
HWND g_hLeavingFrom = nullptr;

TEST_F(HookChain, AClientTakenOffWhileAnotherHandlesIsNotAsked) {
  CRecordingClient older, newer;
  GetHookManager()->SetHook(m_hWnd, &older);
  GetHookManager()->SetHook(m_hWnd, &newer);
  g_pLeaving = &older;
  g_hLeavingFrom = m_hWnd;
  newer.m_pfnDuring = [] { GetHookManager()->RemoveHook(g_hLeavingFrom, g_pLeaving); };
  EXPECT_EQ(::SendMessageA(m_hWnd, WM_PROBE, 0, 0), kWindowResult);
  EXPECT_FALSE(older.Saw(WM_PROBE));
  EXPECT_TRUE(WindowSaw(WM_PROBE));
  newer.m_pfnDuring = [] { GetHookManager()->RemoveHook(g_hLeavingFrom, g_pLeaving); };
  g_pLeaving = &newer;
  g_windowSaw.clear();
  EXPECT_EQ(::SendMessageA(m_hWnd, WM_PROBE, 0, 0), kWindowResult) << "the last client left during its own offer";
  EXPECT_FALSE(GetHookManager()->IsHooked(m_hWnd));
  EXPECT_TRUE(WindowSaw(WM_PROBE));
}

}  // namespace
