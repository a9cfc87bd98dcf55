// A tool bar inside a (stand-in) command-bars object: it floats in a popup
// window of its own with a caption and a close button, follows its frame's
// activation, shows an expand button with the "&Add or Remove Buttons"
// list, sizes its icons by the options, and survives its own close button
// removing it. Injected input: run alone.
#include "PaintManager.h"
#include "PaintTestSupport.h"
#include "StandInCommandBars.h"
#include "ToolBarHost.h"
#include "ToolBarSystemButtons.h"
#include "ToolBarTestResources.h"

#include <InputInjection.h>
#include <MouseManager.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

void Settle(DWORD dwMs = 100) { PumpUntil([] { return FALSE; }, dwMs); }

// A plain window as the site, a stand-in command-bars object over it, and a
// tool bar of those bars loaded from the standard resource; the bars' list
// holds the only reference once the test lets go of its own.
struct CBarsFixture {
  CBarsFixture() : h(CRect(120, 120, 520, 320), new CJVKToolBar, &bars) {
    bars.m_pSite = &h.host;
    h.pBar->SetTitle("Standard");
    h.pBar->LoadToolBar(IDR_TB_STANDARD);
    bars.Hold(h.pBar);
  }
  CJVKControl* Find(int nID) const { return h.pBar->GetControls()->FindControl(nID); }

  CStandInCommandBars bars{nullptr};
  CHostWithBar h;
};

TEST(FloatingToolBar, FloatsInAPopupOfItsOwnWithItsCaptionAndCloseButton) {
  CBarsFixture f;
  CJVKToolBar* pBar = f.h.pBar;
  ASSERT_TRUE(pBar->SetPosition(jvkBarFloating));
  EXPECT_EQ(jvkBarFloating, pBar->GetPosition());
  const DWORD dwStyle = pBar->GetStyle();
  EXPECT_TRUE(dwStyle & WS_POPUP);
  EXPECT_FALSE(dwStyle & WS_CHILD);
  EXPECT_EQ(f.h.host.m_hWnd, ::GetWindow(pBar->m_hWnd, GW_OWNER));
  EXPECT_TRUE(pBar->IsWindowVisible());

  // The caption strip holds the close button at its right, 3 pixels in;
  // the buttons lie below it.
  const int h = pBar->GetPaintManager()->DrawCommandBarGripper(nullptr, pBar, FALSE).cy;
  ASSERT_GT(h, 0);
  const CRect rcBar = pBar->CJVKCommandBar::GetClientRect();
  CJVKControl* pClose = f.Find(JVK_ID_TOOLBAR_CLOSE);
  ASSERT_NE(nullptr, pClose);
  EXPECT_EQ(0u, pClose->GetHideFlags());
  EXPECT_EQ(CRect(rcBar.right - 3 - h, 3, rcBar.right - 3, 3 + h), pClose->GetRect());
  for (int i = 0; i < 3; ++i) EXPECT_GE(pBar->GetControls()->GetAt(i)->GetRect().top, h + 4) << i;
  // The expand button sits left of it (the options always show it).
  CJVKControl* pExpand = f.Find(JVK_ID_TOOLBAR_EXPAND);
  ASSERT_NE(nullptr, pExpand);
  EXPECT_EQ(pClose->GetRect().left, pExpand->GetRect().right);
  // To look at the floating bar: UIKIT_FLOATING_SHOT=file.bmp.
  if (const char* pszShot = getenv("UIKIT_FLOATING_SHOT")) {
    CDibCanvas canvas(rcBar.Width(), rcBar.Height());
    pBar->DrawCommandBar(canvas.DC());
    canvas.Save(pszShot);
  }

  // Docked again: a child of the frame, the close button hidden.
  ASSERT_TRUE(pBar->SetPosition(jvkBarTop));
  EXPECT_TRUE(pBar->GetStyle() & WS_CHILD);
  EXPECT_EQ(f.h.host.m_hWnd, ::GetParent(pBar->m_hWnd));
  pBar->CalcDockingLayout(400, LM_HORZDOCK | LM_HORZ | LM_COMMIT);
  EXPECT_NE(0u, pClose->GetHideFlags());
  // Positions come with command bars only.
  CHostWithBar plain;
  EXPECT_FALSE(plain.pBar->SetPosition(jvkBarFloating));
}

TEST(FloatingToolBar, FollowsTheFramesActivationAndRefusesActivation) {
  CBarsFixture f;
  CJVKToolBar* pBar = f.h.pBar;
  ASSERT_TRUE(pBar->SetPosition(jvkBarFloating));
  BringToFront(f.h.host.m_hWnd);

  struct Row {
    const char* pszCase;
    BOOL bSync;
    BOOL bFrameActive;
    WPARAM wFlags;
    BOOL bVisible;
  } rows[] = {
      {"hide", TRUE, TRUE, FS_HIDE, FALSE},
      {"show", TRUE, TRUE, FS_SHOW, TRUE},
      {"deactivated while the frame is active stays", TRUE, TRUE, FS_DEACTIVATE, TRUE},
      {"deactivated with another window active hides", TRUE, FALSE, FS_DEACTIVATE, FALSE},
      {"activated again shows", TRUE, TRUE, FS_ACTIVATE, TRUE},
      {"without synchronising it stays", FALSE, FALSE, FS_DEACTIVATE, TRUE},
  };
  const CRect rcOther(600, 120, 700, 220);
  HWND hOther = MakeTestPopup("FloatingToolBarOther", ::DefWindowProcA, rcOther, WS_VISIBLE);
  for (const Row& row : rows) {
    f.bars.m_options.bSyncFloatingBars = row.bSync;
    BringToFront(row.bFrameActive ? f.h.host.m_hWnd : hOther);
    pBar->SendMessage(WM_FLOATSTATUS, row.wFlags);
    EXPECT_EQ(row.bVisible, pBar->IsWindowVisible()) << row.pszCase;
  }
  ::DestroyWindow(hOther);
  EXPECT_TRUE(pBar->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE));
  EXPECT_EQ(MA_NOACTIVATE, pBar->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(f.h.host.m_hWnd),
                                             MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));

  // Its edges are resize bands.
  CRect rc;
  pBar->GetWindowRect(&rc);
  const CPoint c = rc.CenterPoint();
  EXPECT_EQ(HTTOP, pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(c.x, rc.top + 1)));
  EXPECT_EQ(HTBOTTOM, pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(c.x, rc.bottom - 1)));
  EXPECT_EQ(HTLEFT, pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rc.left, c.y)));
  EXPECT_EQ(HTRIGHT, pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rc.right - 2, c.y)));
  EXPECT_EQ(HTCLIENT, pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)));
}

// The close button of a torn-off floating bar hides the bar, and hiding
// removes it from its command bars, whose list held its last reference:
// the bar must outlive the click (or key) that is still on its stack.
TEST(FloatingToolBar, ATornOffBarClosedByItsOwnButtonLivesUntilTheDispatchEnds) {
  for (const BOOL bKeyboard : {FALSE, TRUE}) {
    CBarsFixture f;
    CJVKToolBar* pBar = f.h.pBar;
    pBar->SetTearOff(TRUE);
    ASSERT_TRUE(pBar->SetPosition(jvkBarFloating));
    BringToFront(f.h.host.m_hWnd);
    pBar->SetWindowPos(&CWnd::wndTopMost, 200, 400, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    Settle();
    // From here the bars' list holds the only reference.
    f.h.pBar = nullptr;
    pBar->ReleaseBarRef();
    const LONG nLive = CJVKCommandBar::GetLiveCount();

    CJVKControl* pClose = pBar->GetControls()->FindControl(JVK_ID_TOOLBAR_CLOSE);
    ASSERT_NE(nullptr, pClose);
    if (bKeyboard) {
      pBar->SetTrackingMode(jvkTracking, FALSE, TRUE);
      pBar->SetSelected(pClose->GetIndex(), 2);
      InjectKey(VK_RETURN, FALSE);
      InjectKey(VK_RETURN, TRUE);
    } else {
      CPoint pt = pClose->GetRect().CenterPoint();
      pBar->ClientToScreen(&pt);
      InjectMouseMove(pt.x, pt.y);
      Settle(80);
      InjectMouseButton(MOUSEEVENTF_LEFTDOWN);
      InjectMouseButton(MOUSEEVENTF_LEFTUP);
    }
    PumpUntil([&] { return f.bars.m_nRemoved > 0 && CJVKCommandBar::GetLiveCount() < nLive; }, 3000);
    EXPECT_EQ(1, f.bars.m_nRemoved) << bKeyboard;
    EXPECT_EQ(nLive, f.bars.m_nLiveBarsAfterRemove) << "alive while its handler runs; " << bKeyboard;
    EXPECT_EQ(nLive - 1, CJVKCommandBar::GetLiveCount()) << "released once the handler returned; " << bKeyboard;
    EXPECT_TRUE(f.bars.m_list.empty());
    EXPECT_EQ(std::vector<BOOL>({FALSE}), f.h.host.m_visibility) << "the site heard of the hiding";
    EXPECT_TRUE(f.h.host.m_commands.empty()) << "closing is no command";
    EXPECT_EQ(nullptr, ::GetCapture());
  }
}

TEST(ToolBarExpand, TheExpandStripAndTheAddOrRemoveList) {
  CBarsFixture f;
  CJVKToolBar* pBar = f.h.pBar;
  f.bars.m_bCustomizeAvailable = TRUE;
  const CSize szWith = pBar->CalcDockingLayout(400, LM_HORZDOCK | LM_HORZ | LM_COMMIT);
  CJVKControl* pExpand = f.Find(JVK_ID_TOOLBAR_EXPAND);
  ASSERT_NE(nullptr, pExpand);
  EXPECT_EQ(0u, pExpand->GetHideFlags());
  EXPECT_EQ(CRect(szWith.cx - 13, 2, szWith.cx - 2, szWith.cy - 2), pExpand->GetRect());
  EXPECT_LE(pBar->GetControls()->GetAt(2)->GetRect().right, szWith.cx - 11);

  // Without "ShowExpandButtonAlways" the strip comes only when a control
  // found no room.
  f.bars.m_options.bShowExpandButtonAlways = FALSE;
  const CSize szWithout = pBar->CalcDockingLayout(400, LM_HORZDOCK | LM_HORZ | LM_COMMIT);
  EXPECT_EQ(szWith.cx - 11, szWithout.cx);
  EXPECT_NE(0u, pExpand->GetHideFlags());
  pBar->EnableDocking(JVK_DOCK_TOP | JVK_DOCK_HIDE_WRAPPED);
  pBar->CalcDockingLayout(szWithout.cx - 20, LM_HORZDOCK | LM_HORZ | LM_COMMIT | JVK_LM_HIDE_WRAP);
  ASSERT_TRUE(pBar->HasHiddenControls());
  EXPECT_EQ(0u, pExpand->GetHideFlags());

  // The popup: the controls without room, then "&Add or Remove Buttons" >
  // "Standard" > one checked entry per button, and "&Customize...".
  f.bars.m_options.bShowExpandButtonAlways = TRUE;
  CJVKControlParentBar* pPopup = f.bars.CreatePopupBar();
  pBar->FillExpandPopup(pPopup);
  CJVKControls* pItems = pPopup->GetControls();
  std::vector<int> hidden;
  for (int i = 0; i < 3; ++i)
    if (pBar->GetControls()->GetAt(i)->GetHideFlags() & 0x02) hidden.push_back(pBar->GetControls()->GetAt(i)->GetID());
  const int nHidden = static_cast<int>(hidden.size());
  ASSERT_GE(nHidden, 1);
  ASSERT_EQ(nHidden + 1, pItems->GetCount());
  for (int i = 0; i < nHidden; ++i) {
    EXPECT_EQ(hidden[static_cast<size_t>(i)], pItems->GetAt(i)->GetID()) << i;
    EXPECT_EQ(0u, pItems->GetAt(i)->GetHideFlags()) << i;
    EXPECT_FALSE(pItems->GetAt(i)->GetBeginGroup()) << i;
  }
  EXPECT_EQ(CString("&Add or Remove Buttons"), pItems->GetAt(nHidden)->GetCaption());
  CJVKControls* pList = pItems->GetAt(nHidden)->GetCommandBar()->GetControls();
  ASSERT_EQ(2, pList->GetCount());
  EXPECT_EQ(CString("Standard"), pList->GetAt(0)->GetCaption());
  EXPECT_TRUE(pList->GetAt(0)->GetEnabled());
  EXPECT_EQ(35001, pList->GetAt(1)->GetID());
  EXPECT_TRUE(pList->GetAt(1)->GetBeginGroup());
  CJVKControls* pEntries = pList->GetAt(0)->GetCommandBar()->GetControls();
  ASSERT_EQ(3, pEntries->GetCount()) << "no entry for the expand button";
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(pEntries->GetAt(i)->GetChecked()) << i;

  // Choosing an entry hides its button and unchecks it; again shows it.
  CJVKControl* pOpen = pBar->GetControls()->GetAt(0);
  pEntries->GetAt(0)->Execute();
  EXPECT_TRUE(pOpen->GetHideFlags() & 0x10);
  EXPECT_FALSE(pEntries->GetAt(0)->GetChecked());
  pEntries->GetAt(0)->Execute();
  EXPECT_FALSE(pOpen->GetHideFlags() & 0x10);
  EXPECT_TRUE(pEntries->GetAt(0)->GetChecked());
  EXPECT_TRUE(f.h.host.m_commands.empty());
  pPopup->ReleaseBarRef();

  // Neither the option nor customizing: only the controls without room.
  f.bars.m_options.bShowExpandButtonAlways = FALSE;
  f.bars.m_bCustomizeAvailable = FALSE;
  pPopup = f.bars.CreatePopupBar();
  pBar->FillExpandPopup(pPopup);
  EXPECT_EQ(nHidden, pPopup->GetControls()->GetCount());
  pPopup->ReleaseBarRef();
}

TEST(CommandBarIcons, TheIconSizeRule) {
  CWnd site;
  CStandInCommandBars bars(&site);
  struct Row {
    const char* pszCase;
    BOOL bCommandBars;
    BOOL bPopup;
    CSize szOwn, szButton, szOptions, szLarge, szPopup;
    BOOL bLargeIcons;
    CSize szExpected;
  } rows[] = {
      {"without command bars", FALSE, FALSE, {0, 0}, {0, 0}, {24, 24}, {0, 0}, {16, 16}, TRUE, {16, 16}},
      {"own size without command bars", FALSE, FALSE, {20, 20}, {0, 0}, {0, 0}, {0, 0}, {16, 16}, FALSE, {20, 20}},
      {"the options' size", TRUE, FALSE, {0, 0}, {0, 0}, {24, 24}, {0, 0}, {16, 16}, FALSE, {24, 24}},
      {"options 0 x 0: 16 x 16", TRUE, FALSE, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {16, 16}, FALSE, {16, 16}},
      {"the bar's own size first", TRUE, FALSE, {20, 18}, {0, 0}, {24, 24}, {0, 0}, {16, 16}, FALSE, {20, 18}},
      {"large icons: twice", TRUE, FALSE, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {16, 16}, TRUE, {32, 32}},
      {"large icons: the large size", TRUE, FALSE, {0, 0}, {0, 0}, {0, 0}, {40, 36}, {16, 16}, TRUE, {40, 36}},
      {"large icons, explicit button size", TRUE, FALSE, {0, 0}, {30, 30}, {0, 0}, {0, 0}, {16, 16}, TRUE, {16, 16}},
      {"popup: the options' popup size", TRUE, TRUE, {0, 0}, {0, 0}, {24, 24}, {0, 0}, {20, 20}, TRUE, {20, 20}},
      {"popup: its own size", TRUE, TRUE, {18, 18}, {0, 0}, {24, 24}, {0, 0}, {20, 20}, FALSE, {18, 18}},
  };
  for (const Row& row : rows) {
    bars.m_options.szIcons = row.szOptions;
    bars.m_options.szLargeIcons = row.szLarge;
    bars.m_options.szPopupIcons = row.szPopup;
    bars.m_options.bLargeIcons = row.bLargeIcons;
    CJVKCommandBar* pBar = row.bPopup ? static_cast<CJVKCommandBar*>(new CStandInPopupBar(&bars)) : new CJVKToolBar;
    pBar->SetCommandBars(row.bCommandBars ? &bars : nullptr);
    pBar->SetIconSize(row.szOwn);
    pBar->SetButtonSize(row.szButton);
    EXPECT_EQ(row.szExpected, pBar->GetIconSize()) << row.pszCase;
    pBar->ReleaseBarRef();
  }
}

TEST(ToolBarScreenTips, FollowTheOptionAndStayAwayWhileThePointerIsLocked) {
  CBarsFixture f;
  f.h.host.RepositionBars(0, 0xFFFF, 0);
  const CPoint pt = f.h.Control(0)->GetRect().CenterPoint();
  EXPECT_EQ(ID_TB_OPEN, f.h.pBar->OnToolHitTest(pt, nullptr));
  f.bars.m_options.bToolBarScreenTips = FALSE;
  EXPECT_EQ(-1, f.h.pBar->OnToolHitTest(pt, nullptr));
  f.bars.m_options.bToolBarScreenTips = TRUE;
  GetMouseManager()->m_nLock = 1;
  EXPECT_EQ(-1, f.h.pBar->OnToolHitTest(pt, nullptr));
  GetMouseManager()->m_nLock = 0;
  EXPECT_EQ(ID_TB_OPEN, f.h.pBar->OnToolHitTest(pt, nullptr));
}

TEST(ToolBarPreview, PrintPreviewHidesOnlyVisibleBarsAndShowsThemAgain) {
  CBarsFixture f;
  CHostWithBar hidden(CRect(120, 340, 520, 400), new CJVKToolBar, &f.bars);
  hidden.pBar->SetVisible(FALSE);
  for (CJVKToolBar* pBar : {f.h.pBar, hidden.pBar}) pBar->OnSetPreviewMode(TRUE);
  EXPECT_FALSE(f.h.pBar->IsVisible());
  EXPECT_FALSE(hidden.pBar->IsVisible());
  for (CJVKToolBar* pBar : {f.h.pBar, hidden.pBar}) pBar->OnSetPreviewMode(FALSE);
  EXPECT_TRUE(f.h.pBar->IsVisible());
  EXPECT_TRUE(f.h.pBar->IsWindowVisible());
  EXPECT_FALSE(hidden.pBar->IsVisible());
}

}  // namespace
