// Tool-bar buttons pressed with injected mouse input: a press and release
// inside executes once, a release outside executes nothing, a quit posted
// during the press ends it and reaches the outer loop, a control disabled
// by its update handler ignores the press, and a split button executes on
// its main part and opens its popup on its arrow.
#include "ControlPopup.h"
#include "Controls.h"
#include "FakeControlBar.h"
#include "InputInjection.h"

#include <gtest/gtest.h>

namespace {

const int kIdExecute = 801;
const int kIdDisabled = 802;
const int kIdSplit = 803;

// Disables kIdDisabled; leaves the rest alone.
class CUpdateTarget : public CCmdTarget {
 public:
  void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CUpdateTarget, CCmdTarget)
ON_UPDATE_COMMAND_UI(kIdDisabled, OnUpdateDisabled)
END_MESSAGE_MAP()

// One bar in front for the whole suite: showing and destroying windows
// costs Wine seconds without a window manager.
class ControlPress : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    m_pSite = new CFakeSite;
    m_pBars = new CFakeCommandBars(m_pSite);
    m_pBar = new CFakeControlBar(jvkBarTypeToolBar, m_pBars, m_pSite);
    CJVKControls* c = m_pBar->m_pControls;
    c->Add(jvkControlButton, kIdExecute)->SetCaption("Execute");
    c->Add(jvkControlButton, kIdDisabled)->SetCaption("Disabled");
    c->Add(jvkControlSplitButtonPopup, kIdSplit)->SetCaption("Split");
    m_pBar->CreateWindowAt(CRect(100, 100, 500, 140));
    m_pBar->LayOut();
    m_pBar->m_pUpdateTarget = &m_target;
  }
  static void TearDownTestSuite() {
    m_pBar->ReleaseBarRef();
    delete m_pBars;
    delete m_pSite;
  }
  void SetUp() override {
    BringToFront(m_pBar->GetBarWnd()->m_hWnd);
    m_pSite->m_commands.clear();
    m_pBar->m_popupRequests.clear();
    m_pBar->m_onSelect = nullptr;
  }
  static CJVKControl* Control(int nIndex) { return m_pBar->m_pControls->GetAt(nIndex); }
  // A screen point of the control, dx pixels from its left edge (its
  // centre when dx is negative).
  static CPoint ScreenPoint(int nIndex, int dx = -1) {
    const CRect rc = Control(nIndex)->GetRect();
    CPoint pt(dx < 0 ? rc.CenterPoint().x : rc.left + dx, rc.CenterPoint().y);
    m_pBar->GetBarWnd()->ClientToScreen(&pt);
    return pt;
  }
  // Moves there and waits for the move to arrive; each move goes to a new
  // point, as a move without motion may be swallowed.
  static void MoveTo(CPoint pt) {
    pt.x += (m_nMoves++ % 3) - 1;
    InjectMouseMove(pt.x, pt.y);
    PumpUntil([] { return FALSE; }, 50);
  }
  // Presses at the point, optionally moves, releases, and waits until the
  // bar has finished with the press.
  static void Press(CPoint ptDown, const CPoint* pMoveTo) {
    MoveTo(ptDown);
    const int nBefore = m_pBar->m_nButtonDowns;
    InjectMouseButton(MOUSEEVENTF_LEFTDOWN);
    if (pMoveTo) InjectMouseMove(pMoveTo->x, pMoveTo->y);
    InjectMouseButton(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return m_pBar->m_nButtonDowns > nBefore; }));
    PumpUntil([] { return FALSE; }, 50);
  }

  static CFakeSite* m_pSite;
  static CFakeCommandBars* m_pBars;
  static CFakeControlBar* m_pBar;
  static CUpdateTarget m_target;
  static int m_nMoves;
};
CFakeSite* ControlPress::m_pSite;
CFakeCommandBars* ControlPress::m_pBars;
CFakeControlBar* ControlPress::m_pBar;
CUpdateTarget ControlPress::m_target;
int ControlPress::m_nMoves = 0;

}  // namespace

TEST_F(ControlPress, ReleaseInsideExecutesOnceAndOutsideNothing) {
  struct Row {
    const char* pszCase;
    int nMoveDx, nMoveDy;  // from the press; 0, 0: no move at all
    size_t nCommands;
  } rows[] = {
      {"no movement", 0, 0, 1},
      {"moved within", 2, 1, 1},
      // Below the button, still over the bar: Xvfb delivers no pointer
      // events outside the program's windows.
      {"released below the button", 0, 15, 0},
      {"released on the next button", 0, 0, 0},
  };
  for (const Row& row : rows) {
    m_pSite->m_commands.clear();
    const CPoint ptDown = ScreenPoint(0);
    CPoint ptUp = ptDown + CSize(row.nMoveDx, row.nMoveDy);
    if (std::string(row.pszCase) == "released on the next button") ptUp = ScreenPoint(1);
    const BOOL bMove = ptUp != ptDown;
    Press(ptDown, bMove ? &ptUp : nullptr);
    EXPECT_EQ(row.nCommands, m_pSite->m_commands.size()) << row.pszCase;
    if (!m_pSite->m_commands.empty()) {
      EXPECT_EQ(static_cast<UINT>(kIdExecute), m_pSite->m_commands[0]);
    }
    EXPECT_EQ(nullptr, ::GetCapture()) << row.pszCase;
    EXPECT_EQ(0, Control(0)->GetSelected()) << row.pszCase;
    EXPECT_NE(1, Control(0)->GetPressed()) << row.pszCase;
  }
}

TEST_F(ControlPress, AQuitDuringThePressEndsItAndReachesTheOuterLoop) {
  m_pBar->m_onSelect = [](int) { ::PostQuitMessage(7); };
  MoveTo(ScreenPoint(0));
  const int nBefore = m_pBar->m_nButtonDowns;
  InjectMouseButton(MOUSEEVENTF_LEFTDOWN);
  WPARAM wQuit = 0;
  BOOL bQuit = FALSE;
  ASSERT_TRUE(PumpUntil([&] { return bQuit; }, 5000,
                        [&](const MSG& msg) {
                          if (msg.message == WM_QUIT) {
                            bQuit = TRUE;
                            wQuit = msg.wParam;
                          }
                        }));
  m_pBar->m_onSelect = nullptr;
  EXPECT_EQ(7u, wQuit);
  EXPECT_EQ(nBefore + 1, m_pBar->m_nButtonDowns);  // the press had ended
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_EQ(0, Control(0)->GetPressed());
  InjectMouseButton(MOUSEEVENTF_LEFTUP);
  PumpUntil([] { return FALSE; }, 50);
  EXPECT_TRUE(m_pSite->m_commands.empty());
}

TEST_F(ControlPress, AControlDisabledByItsUpdateHandlerIgnoresThePress) {
  m_pBar->UpdateCommandUI();
  EXPECT_FALSE(Control(1)->GetEnabled());
  EXPECT_TRUE(Control(0)->GetEnabled());
  Press(ScreenPoint(1), nullptr);
  EXPECT_TRUE(m_pSite->m_commands.empty());
  EXPECT_EQ(0, Control(1)->GetSelected());
  Press(ScreenPoint(0), nullptr);
  EXPECT_EQ(1u, m_pSite->m_commands.size());
}

TEST_F(ControlPress, SplitButtonExecutesOnItsMainPartAndOpensOnItsArrow) {
  const int nWidth = Control(2)->GetRect().Width();
  ASSERT_GT(nWidth, JVK_SPLIT_ARROW_BAR + 2);
  Press(ScreenPoint(2, 2), nullptr);
  EXPECT_EQ((std::vector<UINT>{static_cast<UINT>(kIdSplit)}), m_pSite->m_commands);
  EXPECT_TRUE(m_pBar->m_popupRequests.empty());
  m_pSite->m_commands.clear();
  Press(ScreenPoint(2, nWidth - 4), nullptr);
  EXPECT_TRUE(m_pSite->m_commands.empty());
  ASSERT_FALSE(m_pBar->m_popupRequests.empty());
  EXPECT_EQ(2, m_pBar->m_popupRequests.back());
  EXPECT_TRUE(Control(2)->GetPopuped());
  m_pBar->SetTrackingMode(jvkTrackingOff);
  EXPECT_FALSE(Control(2)->GetPopuped());
}
