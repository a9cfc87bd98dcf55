// Tooltips: the own tooltip windows' delays on a fake clock, their placement
// and sizes (plain, multi-line, titled, rich text), and the context feeding
// a window from an owner's messages, with one live check on the real clock.
#include "ToolTipContext.h"

#include <gtest/gtest.h>

#include <memory>

#include "ColorManager.h"
#include "InputInjection.h"
#include "ToolTipWnd.h"

namespace {

const CRect kTool1(10, 10, 60, 40);
const CRect kTool2(70, 10, 120, 40);
const CPoint kOwnerOrigin(200, 300);

// An owner with two tools; the hit test gives their texts through the
// context's filler.
class COwnerWnd : public CWnd {
 public:
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override {
    const CRect rcTool1 = m_rcTool1;
    if (rcTool1.PtInRect(point)) {
      CJVKToolTipContext::FillInToolInfo(pTI, m_hWnd, rcTool1, 1, m_strText1, m_strLongText, m_strTitle);
      return 1;
    }
    if (kTool2.PtInRect(point)) {
      CJVKToolTipContext::FillInToolInfo(pTI, m_hWnd, kTool2, 2, "Second");
      return 2;
    }
    return -1;
  }
  CRect m_rcTool1 = kTool1;
  CString m_strText1 = "First";
  CString m_strLongText;
  CString m_strTitle;
};

DWORD g_dwNow = 10000;
DWORD WINAPI FakeClock() { return g_dwNow; }

class ToolTip : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    m_pOwner = new COwnerWnd;
    m_pOwner->CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW)), "owner", WS_POPUP | WS_VISIBLE,
                       CRect(kOwnerOrigin, CSize(300, 100)), nullptr, 0);
  }
  static void TearDownTestSuite() {
    m_pOwner->DestroyWindow();
    delete m_pOwner;
  }
  void SetUp() override {
    ASSERT_NE(m_pOwner->m_hWnd, nullptr);
    BringToFront(m_pOwner->m_hWnd);
    m_pOwner->m_rcTool1 = kTool1;
    m_pOwner->m_strText1 = "First";
    m_pOwner->m_strLongText.Empty();
    m_pOwner->m_strTitle.Empty();
  }

  // An own tooltip window on the fake clock with the owner's two tools.
  std::unique_ptr<CJVKToolTipWnd> MakeTip(int nKind) {
    auto pTip = std::make_unique<CJVKToolTipWnd>(nKind);
    EXPECT_TRUE(pTip->Create(m_pOwner, TTS_NOPREFIX, FALSE));
    pTip->m_pfnGetTickCount = FakeClock;
    AddTool(*pTip, 1, kTool1, "First");
    AddTool(*pTip, 2, kTool2, "Second");
    pTip->SendMessage(TTM_ACTIVATE, TRUE);
    return pTip;
  }
  void AddTool(CWnd& tip, UINT_PTR nId, const CRect& rect, LPCSTR pszText) {
    TOOLINFO ti = {};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.hwnd = m_pOwner->m_hWnd;
    ti.uId = nId;
    ti.rect = rect;
    ti.lpszText = const_cast<LPSTR>(pszText);
    tip.SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
  }
  // Puts the cursor at a client point of the owner and relays the message.
  static void Relay(CWnd& tip, UINT nMessage, CPoint ptClient, WPARAM wParam = 0) {
    MSG msg = {};
    msg.hwnd = m_pOwner->m_hWnd;
    msg.message = nMessage;
    msg.wParam = wParam;
    msg.lParam = MAKELPARAM(ptClient.x, ptClient.y);
    msg.pt = ptClient + kOwnerOrigin;
    ::SetCursorPos(msg.pt.x, msg.pt.y);
    tip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
  }
  static UINT_PTR ShownId(const CJVKToolTipWnd& tip) {
    const CJVKToolTipTool* pTool = tip.GetShownTool();
    EXPECT_EQ(pTool != nullptr, tip.IsWindowVisible() != FALSE);
    return pTool ? pTool->uId : 0;
  }
  // Filters the message as the owner's pre-translation does.
  void Filter(CJVKToolTipContext& context, UINT nMessage, CPoint ptClient, WPARAM wParam = 0) {
    CPoint ptScreen = ptClient + kOwnerOrigin;
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    context.FilterToolTipMessage(m_pOwner, nMessage, wParam, MAKELPARAM(ptClient.x, ptClient.y));
  }

  static COwnerWnd* m_pOwner;
};

COwnerWnd* ToolTip::m_pOwner = nullptr;

TEST_F(ToolTip, DelaysFollowTheLastChangeOfTheTip) {
  enum Action { kHover1, kHover2, kHoverGap, kClick1, kHeldOver2, kTimer, kDeactivate };
  struct Step {
    const char* what;
    DWORD dwLater;  // ms on the fake clock before the step
    Action action;
    UINT_PTR nShown;  // the tool shown after it, 0 none
  };
  const Step steps[] = {
      {"a tool after a pause waits", 0, kHover1, 0},
      {"and shows when the timer fires", 500, kTimer, 1},
      {"another tool soon after shows at once", 100, kHover2, 2},
      {"leaving every tool hides", 100, kHoverGap, 0},
      {"after a pause a tool waits again", 1000, kHover1, 0},
      {"moving off before the timer cancels it", 100, kHoverGap, 0},
      {"so the timer shows nothing", 400, kTimer, 0},
      {"a tool after a pause waits", 1000, kHover1, 0},
      {"the timer shows it", 500, kTimer, 1},
      {"a click hides it", 50, kClick1, 0},
      {"it stays hidden while the cursor stays", 50, kHover1, 0},
      {"even when the timer fires", 500, kTimer, 0},
      {"another tool shows", 1000, kHover2, 0},
      {"on the timer", 500, kTimer, 2},
      {"then the clicked tool shows again, at once", 50, kHover1, 1},
      {"a button held over a tool hides and shows nothing", 50, kHeldOver2, 0},
      {"a tool soon after shows at once", 50, kHover2, 2},
      {"deactivation hides", 50, kDeactivate, 0},
  };
  auto pTip = MakeTip(jvkToolTipPlain);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    g_dwNow += step.dwLater;
    switch (step.action) {
      case kHover1: Relay(*pTip, WM_MOUSEMOVE, CPoint(20, 20)); break;
      case kHover2: Relay(*pTip, WM_MOUSEMOVE, CPoint(80, 20)); break;
      case kHoverGap: Relay(*pTip, WM_MOUSEMOVE, CPoint(65, 20)); break;
      case kClick1: Relay(*pTip, WM_LBUTTONDOWN, CPoint(21, 20), MK_LBUTTON); break;
      case kHeldOver2: Relay(*pTip, WM_MOUSEMOVE, CPoint(81, 20), MK_LBUTTON); break;
      case kTimer: pTip->SendMessage(WM_TIMER, JVK_TOOLTIP_SHOW_TIMER); break;
      case kDeactivate: pTip->SendMessage(TTM_ACTIVATE, FALSE); break;
    }
    EXPECT_EQ(ShownId(*pTip), step.nShown);
  }
}

TEST_F(ToolTip, TheTipSitsBelowTheCursorAndGrowsWithItsLinesAndTitle) {
  auto pTip = MakeTip(jvkToolTipPlain);
  auto sizeOf = [&](LPCSTR pszText, LPCSTR pszTitle) {
    AddTool(*pTip, 3, CRect(130, 10, 180, 40), pszText);
    pTip->SendMessage(TTM_SETTITLEA, 1, reinterpret_cast<LPARAM>(pszTitle));
    g_dwNow += 1000;
    Relay(*pTip, WM_MOUSEMOVE, CPoint(140, 20));
    pTip->SendMessage(WM_TIMER, JVK_TOOLTIP_SHOW_TIMER);
    CRect rect(0, 0, 0, 0);
    if (pTip->IsWindowVisible()) {
      pTip->GetWindowRect(&rect);
      EXPECT_EQ(rect.TopLeft(), kOwnerOrigin + CPoint(140, 20 + JVK_TOOLTIP_CURSOR_GAP));
    }
    Relay(*pTip, WM_MOUSEMOVE, CPoint(65, 20));
    TOOLINFO ti = {};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.hwnd = m_pOwner->m_hWnd;
    ti.uId = 3;
    pTip->SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    return rect.Size();
  };
  const CSize one = sizeOf("one line", "");
  const CSize two = sizeOf("one line\ntwo", "");
  const CSize titled = sizeOf("one line", "A title");
  EXPECT_GT(one.cx, 0);
  EXPECT_EQ(two.cx, one.cx);
  EXPECT_GT(two.cy, one.cy);
  EXPECT_GT(titled.cy, one.cy);
  EXPECT_EQ(sizeOf("", ""), CSize(0, 0)) << "an empty text shows nothing";
}

TEST_F(ToolTip, PlainAndThemedTipsPaintTheirBackgroundAndBorder) {
  ASSERT_EQ(GetCurrentSystemTheme(), xpThemeNone) << "the test prefix has no visual style";
  const COLORREF clrBack = RGB(200, 220, 240);
  auto isNear = [](COLORREF a, COLORREF b) {
    return abs(GetRValue(a) - GetRValue(b)) <= 12 && abs(GetGValue(a) - GetGValue(b)) <= 12 &&
           abs(GetBValue(a) - GetBValue(b)) <= 12;
  };
  struct Case {
    int nKind;
    COLORREF clrBottomInside;  // the plain kind is flat, the themed one ends in white
  };
  for (const Case& c : {Case{jvkToolTipPlain, clrBack}, Case{jvkToolTipThemed, RGB(255, 255, 255)}}) {
    SCOPED_TRACE(c.nKind);
    auto pTip = MakeTip(c.nKind);
    pTip->SendMessage(TTM_SETTIPBKCOLOR, clrBack);
    g_dwNow += 1000;
    Relay(*pTip, WM_MOUSEMOVE, CPoint(20, 20));
    pTip->SendMessage(WM_TIMER, JVK_TOOLTIP_SHOW_TIMER);
    ASSERT_TRUE(pTip->IsWindowVisible());
    // Read through the window's own DC: the screen shows the window's
    // drawing only once the display has caught up.
    CRect rect;
    pTip->GetClientRect(&rect);
    HDC hDC = ::GetDC(pTip->m_hWnd);
    EXPECT_EQ(::GetPixel(hDC, 0, 0), RGB(0, 0, 0)) << "border";
    EXPECT_EQ(::GetPixel(hDC, rect.right - 1, rect.bottom - 1), RGB(0, 0, 0)) << "border";
    EXPECT_PRED2(isNear, ::GetPixel(hDC, 1, 1), clrBack);
    EXPECT_PRED2(isNear, ::GetPixel(hDC, 1, rect.bottom - 2), c.clrBottomInside);
    ::ReleaseDC(pTip->m_hWnd, hDC);
  }
}

TEST_F(ToolTip, RichTextTipsAreSizedToTheirParagraphs) {
  auto pTip = MakeTip(jvkToolTipRich);
  auto sizeOf = [&](LPCSTR pszText) {
    CJVKToolTipTool tool;
    tool.strText = pszText;
    return pTip->CalcTipSize(tool);
  };
  const CSize one = sizeOf("{\\rtf1 First paragraph}");
  const CSize two = sizeOf("{\\rtf1 First paragraph\\par Second}");
  const CSize plain = sizeOf("First paragraph");
  EXPECT_GT(one.cx, 0);
  EXPECT_GT(two.cy, one.cy);
  EXPECT_EQ(plain, one) << "text that is no RTF is taken as plain text";
  EXPECT_EQ(sizeOf("{\\rtf1\\qc First paragraph}").cx, one.cx + 5) << "centred text gets room";
}

TEST_F(ToolTip, LiveTheContextShowsTheToolUnderTheCursor) {
  CJVKToolTipContext context;
  context.SetToolTipKind(jvkToolTipPlain);
  const CPoint ptClient(30, 25);
  const CPoint ptScreen = kOwnerOrigin + ptClient;
  InjectMouseMove(ptScreen.x, ptScreen.y);
  CJVKToolTipWnd* pTip = nullptr;
  ASSERT_TRUE(PumpUntil(
      [&] {
        pTip = static_cast<CJVKToolTipWnd*>(context.GetToolTip());
        return pTip != nullptr && pTip->IsWindowVisible();
      },
      5000,
      [&](const MSG& msg) {
        if (msg.hwnd == m_pOwner->m_hWnd) context.FilterToolTipMessage(m_pOwner, msg.message, msg.wParam, msg.lParam);
      }));
  ASSERT_NE(pTip->GetShownTool(), nullptr);
  EXPECT_EQ(pTip->GetShownTool()->strText, "First");
  CRect rect;
  pTip->GetWindowRect(&rect);
  EXPECT_EQ(rect.TopLeft(), ptScreen + CPoint(0, JVK_TOOLTIP_CURSOR_GAP));
  EXPECT_EQ(::GetForegroundWindow(), m_pOwner->m_hWnd) << "the tip takes no activation";
  Filter(context, WM_KEYDOWN, ptClient, 'A');
  EXPECT_FALSE(pTip->IsWindowVisible()) << "a key hides the tip";
}

TEST_F(ToolTip, TheContextFeedsToolsTitlesAndMovedRectangles) {
  CJVKToolTipContext context;
  context.SetToolTipKind(jvkToolTipThemed);
  context.SetExtendedToolInfo(TRUE);
  m_pOwner->m_strLongText = "The long description";
  m_pOwner->m_strTitle = "Title";
  Filter(context, WM_MOUSEMOVE, CPoint(20, 20));
  auto* pTip = static_cast<CJVKToolTipWnd*>(context.GetToolTip());
  ASSERT_NE(pTip, nullptr);
  ASSERT_EQ(pTip->GetToolCount(), 1);
  EXPECT_EQ(pTip->GetTool(0).strText, "The long description");
  EXPECT_EQ(pTip->GetTitle(), "Title");

  Filter(context, WM_MOUSEMOVE, CPoint(80, 20));
  ASSERT_EQ(pTip->GetToolCount(), 1) << "the previous tool goes";
  EXPECT_EQ(pTip->GetTool(0).uId, 2u);
  EXPECT_EQ(pTip->GetTitle(), "") << "a tool without a title clears it";

  m_pOwner->m_rcTool1 = CRect(10, 10, 65, 45);
  Filter(context, WM_MOUSEMOVE, CPoint(20, 20));
  Filter(context, WM_MOUSEMOVE, CPoint(21, 20));
  m_pOwner->m_rcTool1 = CRect(5, 5, 66, 46);
  Filter(context, WM_MOUSEMOVE, CPoint(22, 20));
  ASSERT_EQ(pTip->GetToolCount(), 1) << "a moved tool is deleted and added again";
  EXPECT_EQ(CRect(pTip->GetTool(0).rect), CRect(5, 5, 66, 46));

  context.ModifyToolTipStyle(TTS_NOPREFIX, 0);
  EXPECT_EQ(context.GetToolTip(), nullptr) << "a style change makes a new window on next use";
  context.ModifyToolTipStyle(TTS_NOPREFIX, 0);
  Filter(context, WM_MOUSEMOVE, CPoint(20, 20));
  EXPECT_NE(context.GetToolTip(), nullptr);
}

TEST_F(ToolTip, AnInactiveApplicationGetsNoTips) {
  CJVKToolTipContext context;
  context.SetToolTipKind(jvkToolTipPlain);
  Filter(context, WM_MOUSEMOVE, CPoint(20, 20));
  auto* pTip = static_cast<CJVKToolTipWnd*>(context.GetToolTip());
  ASSERT_NE(pTip, nullptr);
  pTip->SendMessage(WM_TIMER, JVK_TOOLTIP_SHOW_TIMER);
  ASSERT_TRUE(pTip->IsWindowVisible());

  CWnd other;
  ASSERT_TRUE(
      other.CreateEx(0, AfxRegisterWndClass(0), "other", WS_POPUP | WS_VISIBLE, CRect(700, 700, 750, 750), nullptr, 0));
  BringToFront(other.m_hWnd);
  Filter(context, WM_MOUSEMOVE, CPoint(21, 20));
  EXPECT_FALSE(pTip->IsWindowVisible()) << "a visible tip is deactivated";
  Filter(context, WM_MOUSEMOVE, CPoint(80, 20));
  pTip->SendMessage(WM_TIMER, JVK_TOOLTIP_SHOW_TIMER);
  EXPECT_FALSE(pTip->IsWindowVisible()) << "and no new one shows";
  other.DestroyWindow();
}

TEST_F(ToolTip, TheSystemKindsUseTheTooltipControl) {
  for (int nKind : {jvkToolTipStandard, jvkToolTipBalloon}) {
    SCOPED_TRACE(nKind);
    CJVKToolTipContext context;
    context.SetToolTipKind(nKind);
    Filter(context, WM_MOUSEMOVE, CPoint(20, 20));
    CWnd* pTip = context.GetToolTip();
    ASSERT_NE(pTip, nullptr);
    EXPECT_TRUE(pTip->IsKindOf(RUNTIME_CLASS(CToolTipCtrl)));
    EXPECT_EQ(pTip->SendMessage(TTM_GETTOOLCOUNT), 1);
    EXPECT_EQ((pTip->GetStyle() & TTS_BALLOON) != 0, nKind == jvkToolTipBalloon);
    EXPECT_TRUE(pTip->GetStyle() & TTS_ALWAYSTIP);
  }
}

}  // namespace
