// The command-bars object in a frame on the frame template, with the site
// frame of SiteFrame.h: tool bars made by the command bars from tool-bar
// resources, what the site hears, idle updates through the frame's update
// handlers, screen tips from the frame, notifications routed as WM_NOTIFY,
// the command bars' accelerators, and the bar list.
#include "CommandBar.h"
#include "ControlPopup.h"
#include "DialogBar.h"
#include "PaintTestSupport.h"
#include "ShortcutManager.h"
#include "SiteFrame.h"
#include "ToolBar.h"

#include <ClipboardText.h>
#include <InputInjection.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <vector>

namespace {

// A frame with its window destroyed at the end of the scope.
struct CFrameHolder {
  explicit CFrameHolder(BOOL bCommandBars = TRUE, const CRect& rc = CRect(100, 100, 560, 360))
      : p(CSiteFrame::Create(rc, bCommandBars)) {}
  ~CFrameHolder() {
    if (p && ::IsWindow(p->m_hWnd)) p->DestroyWindow();
  }
  CFrameHolder(const CFrameHolder&) = delete;
  CFrameHolder& operator=(const CFrameHolder&) = delete;
  CSiteFrame* operator->() const { return p; }
  CJVKCommandBars* Bars() const { return p->GetCommandBars(); }

  // A bar added by the command bars and loaded from its resource.
  CJVKToolBar* AddBar(LPCTSTR pszCaption, UINT nIDResource) const {
    CJVKToolBar* pBar = Bars()->Add(pszCaption, jvkBarTop);
    if (pBar == nullptr || !pBar->LoadToolBar(nIDResource)) return nullptr;
    p->RecalcLayout();
    return pBar;
  }
  // The thread's idle update: the frame's descendants, then the frame.
  void IdleUpdate() const {
    p->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    p->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  }

  CSiteFrame* p;
};

CRect RectIn(CWnd* pWnd, CWnd* pParent) {
  CRect rc;
  pWnd->GetWindowRect(&rc);
  pParent->ScreenToClient(&rc);
  return rc;
}

// The bar as its window shows it, and as the paint manager draws it.
struct CBarPictures {
  explicit CBarPictures(CJVKToolBar* pBar)
      : rc(pBar->GetClientRect()), shown(rc.Width(), rc.Height()), drawn(rc.Width(), rc.Height()) {
    pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CClientDC dcWindow(pBar);
    shown.DC()->BitBlt(0, 0, rc.Width(), rc.Height(), &dcWindow, 0, 0, SRCCOPY);
    pBar->DrawCommandBar(drawn.DC());
  }
  int Differing(const CRect& rcPart) {
    int n = 0;
    for (int y = rcPart.top; y < rcPart.bottom; ++y)
      for (int x = rcPart.left; x < rcPart.right; ++x) n += shown.Pixel(x, y) != drawn.Pixel(x, y);
    return n;
  }
  CRect rc;
  CDibCanvas shown;
  CDibCanvas drawn;
};

}  // namespace

TEST(CommandBarsFrame, AStandardToolBarFromItsResourceTakesTheTopOfTheFrame) {
  const LONG nLiveBars = CJVKCommandBar::GetLiveCount();
  {
    CFrameHolder frame;
    ASSERT_NE(nullptr, frame.p);
    ASSERT_NE(nullptr, frame.Bars());
    // The frame handles "&Customize..."; asking did not run it.
    EXPECT_TRUE(frame.Bars()->IsCustomizeAvailable());
    EXPECT_EQ(0, frame->m_nCustomizeRuns);
    EXPECT_EQ(frame.p, frame.Bars()->GetSite());

    CJVKToolBar* pBar = frame.AddBar(_T("Standard"), IDR_SF_STANDARD);
    ASSERT_NE(nullptr, pBar);
    EXPECT_EQ(CString("Standard"), pBar->GetTitle());
    EXPECT_EQ(static_cast<CJVKControlCommandBars*>(frame.Bars()), pBar->GetCommandBars());
    EXPECT_EQ(static_cast<DWORD>(0x3F), pBar->GetDockingFlags());
    // The three buttons, and the expand button that a bar of command bars
    // shows at its end.
    ASSERT_EQ(4, pBar->GetControls()->GetCount());
    EXPECT_EQ(JVK_ID_TOOLBAR_EXPAND, pBar->GetControls()->GetAt(3)->GetID());

    // Each button was asked of the site, then announced to it.
    std::vector<UINT> expected;
    for (int i = 0; i < 3; ++i) expected.insert(expected.end(), {JVK_WM_CREATE_CONTROL, JVK_WM_CONTROL_CREATED});
    std::vector<UINT> heard;
    for (const auto& m : frame->m_siteMessages)
      if (m.nMessage == JVK_WM_CREATE_CONTROL || m.nMessage == JVK_WM_CONTROL_CREATED) heard.push_back(m.nMessage);
    EXPECT_EQ(expected, heard);

    const CRect rcBar = RectIn(pBar, frame.p);
    CRect rcClient;
    frame->GetClientRect(&rcClient);
    EXPECT_EQ(CPoint(0, 0), rcBar.TopLeft());
    EXPECT_LE(rcBar.right, rcClient.right);
    EXPECT_GE(rcBar.Height(), pBar->GetButtonSize().cy);

    // The window shows what the paint manager draws for the bar.
    CBarPictures pictures(pBar);
    ASSERT_FALSE(pictures.rc.IsRectEmpty());
    EXPECT_EQ(0, pictures.Differing(pictures.rc));
    const CPoint ptOpen = pBar->GetControls()->GetAt(0)->GetRect().CenterPoint();
    EXPECT_EQ(RGB(0xC0, 0x20, 0x20), pictures.shown.Pixel(ptOpen.x, ptOpen.y)) << "the first picture of the strip";
    if (const char* pszShot = getenv("UIKIT_FRAME_BAR_SHOT")) pictures.shown.Save(pszShot);
  }
  EXPECT_EQ(nLiveBars, CJVKCommandBar::GetLiveCount()) << "the frame's end releases its bars";
}

TEST(CommandBarsFrame, TheSiteMaySupplyTheControlOfARequest) {
  CFrameHolder frame;
  frame->m_supplyControl = [](const JVK_CREATE_CONTROL& create) -> CJVKControl* {
    if (create.nID != ID_SF_CHECKED) return nullptr;
    CJVKControlPopup* pControl = CJVKControlPopup::CreateControlPopup(jvkControlSplitButtonPopup);
    pControl->SetID(create.nID);
    return pControl;
  };
  CJVKToolBar* pBar = frame.AddBar(_T("Standard"), IDR_SF_STANDARD);
  ASSERT_NE(nullptr, pBar);
  EXPECT_EQ(jvkControlButton, pBar->GetControls()->GetAt(0)->GetType());
  EXPECT_EQ(jvkControlSplitButtonPopup, pBar->GetControls()->GetAt(2)->GetType());
  EXPECT_EQ(ID_SF_CHECKED, pBar->GetControls()->GetAt(2)->GetID());
}

TEST(CommandBarsFrame, IdleUpdatesRunTheFramesUpdateHandlers) {
  CFrameHolder frame;
  CJVKToolBar* pStandard = frame.AddBar(_T("Standard"), IDR_SF_STANDARD);
  CJVKToolBar* pLists = frame.AddBar(_T("Lists"), IDR_SF_LISTS);
  ASSERT_TRUE(pStandard && pLists);
  CJVKControls* pLeft = pStandard->GetControls();
  CJVKControls* pRight = pLists->GetControls();
  frame.IdleUpdate();

  struct Row {
    const char* pszCase;
    CJVKControl* pControl;
    BOOL bEnabled;
    BOOL bChecked;
    const char* pszCaption;  // null: not looked at
  } rows[] = {
      {"a handled command", pLeft->GetAt(0), TRUE, FALSE, nullptr},
      {"disabled by its handler", pLeft->GetAt(1), FALSE, FALSE, nullptr},
      {"checked by its handler", pLeft->GetAt(2), TRUE, TRUE, nullptr},
      {"enabled by its handler", pRight->GetAt(0), TRUE, FALSE, nullptr},
      {"renamed by its handler", pRight->GetAt(1), TRUE, FALSE, "Renamed"},
      {"no command handler, no update handler", pRight->GetAt(2), FALSE, FALSE, nullptr},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(row.bEnabled, row.pControl->GetEnabled()) << row.pszCase;
    EXPECT_EQ(row.bChecked, row.pControl->GetChecked()) << row.pszCase;
    if (row.pszCaption) {
      EXPECT_EQ(CString(row.pszCaption), row.pControl->GetCaption()) << row.pszCase;
    }
  }

  // A checked button paints checked: the bar drawn with the button
  // unchecked differs at the button, and the window shows the checked one.
  frame->RecalcLayout();
  CBarPictures checked(pStandard);
  const CRect rcChecked = pLeft->GetAt(2)->GetRect();
  EXPECT_EQ(0, checked.Differing(checked.rc));
  pLeft->GetAt(2)->SetChecked(FALSE);
  CDibCanvas unchecked(checked.rc.Width(), checked.rc.Height());
  pStandard->DrawCommandBar(unchecked.DC());
  int nChanged = 0;
  for (int y = rcChecked.top; y < rcChecked.bottom; ++y)
    for (int x = rcChecked.left; x < rcChecked.right; ++x) nChanged += unchecked.Pixel(x, y) != checked.shown.Pixel(x, y);
  EXPECT_GT(nChanged, 0);
}

TEST(CommandBarsFrame, ScreenTipsNameTheButtonAndTheFrameGivesTheirText) {
  CFrameHolder frame;
  CJVKToolBar* pBar = frame.AddBar(_T("Standard"), IDR_SF_STANDARD);
  ASSERT_NE(nullptr, pBar);
  const CPoint pt = pBar->GetControls()->GetAt(0)->GetRect().CenterPoint();
  TOOLINFO ti = {};
  ti.cbSize = sizeof ti;
  ASSERT_EQ(ID_SF_OPEN, pBar->OnToolHitTest(pt, &ti));
  EXPECT_EQ(LPSTR_TEXTCALLBACK, ti.lpszText);

  // The tooltip (a window of its own) asks the frame for the text of the
  // tool's id.
  NMTTDISPINFOA info = {};
  info.hdr.hwndFrom = ::GetDesktopWindow();
  info.hdr.idFrom = ti.uId;
  info.hdr.code = TTN_NEEDTEXTA;
  frame->SendMessage(WM_NOTIFY, ti.uId, reinterpret_cast<LPARAM>(&info));
  ASSERT_NE(nullptr, info.lpszText);
  EXPECT_STREQ("Open", info.lpszText);
}

TEST(CommandBarsFrame, AControlNotificationIsRoutedAsWmNotifyAndGetsNoDefault) {
  CFrameHolder frame;
  struct Row {
    const char* pszCase;
    UINT nID;
    UINT nCode;
    LRESULT lResult;
    int nHandled;
  } rows[] = {
      {"a handled notification", ID_SF_OPEN, JVK_NOTIFY_EXECUTE, 77, 1},
      {"another code of the same id", ID_SF_OPEN, JVK_NOTIFY_EXECUTE + 1, 0, 0},
      {"an id nobody handles", ID_SF_UNHANDLED, JVK_NOTIFY_EXECUTE, 0, 0},
  };
  for (const Row& row : rows) {
    frame->m_nNotifications = 0;
    JVK_CONTROL_NOTIFY notify = {};
    notify.hdr.idFrom = row.nID;
    notify.hdr.code = row.nCode;
    EXPECT_EQ(row.lResult, frame->SendMessage(JVK_WM_CONTROL_NOTIFY, row.nID, reinterpret_cast<LPARAM>(&notify)))
        << row.pszCase;
    EXPECT_EQ(row.nHandled, frame->m_nNotifications) << row.pszCase;
  }
  EXPECT_TRUE(frame->m_commands.empty());
}

TEST(CommandBarsFrame, TheCommandBarsTranslateTheAcceleratorsInPlaceOfTheFrame) {
  for (BOOL bCommandBars : {TRUE, FALSE}) {
    CFrameHolder frame(bCommandBars);
    ASSERT_NE(nullptr, frame.p);
    if (bCommandBars) {
      EXPECT_EQ(nullptr, frame->m_hAccelTable) << "the frame's own table is dropped";
      EXPECT_NE(nullptr, frame.Bars()->GetShortcutManager()->GetWorkingTable());
    } else {
      EXPECT_EQ(nullptr, frame.Bars()) << "a frame without command bars";
      EXPECT_NE(nullptr, frame->m_hAccelTable);
    }
    for (BOOL bBarsFirst : {FALSE, TRUE}) {
      frame->m_bTranslateBarsFirst = bBarsFirst;
      frame->m_commands.clear();
      MSG msg = {frame->m_hWnd, WM_KEYDOWN, VK_F5, 0x003F0001, 0, {0, 0}};
      EXPECT_TRUE(frame->PreTranslateMessage(&msg)) << bCommandBars << bBarsFirst;
      EXPECT_EQ(std::vector<UINT>{ID_SF_OPEN}, frame->m_commands) << bCommandBars << bBarsFirst;
      MSG other = {frame->m_hWnd, WM_KEYDOWN, VK_F6, 0x00400001, 0, {0, 0}};
      EXPECT_FALSE(frame->PreTranslateMessage(&other)) << bCommandBars << bBarsFirst;
    }
  }
}

TEST(CommandBarsFrame, TheBarListAddsFindsTogglesAndRemoves) {
  const LONG nLiveBars = CJVKCommandBar::GetLiveCount();
  CFrameHolder frame;
  CJVKCommandBars* pBars = frame.Bars();
  CJVKToolBar* pStandard = frame.AddBar(_T("Standard"), IDR_SF_STANDARD);
  CJVKToolBar* pLists = frame.AddBar(_T("Lists"), IDR_SF_LISTS);
  ASSERT_TRUE(pStandard && pLists);
  EXPECT_EQ(2, pBars->GetCount());
  EXPECT_EQ(pStandard, pBars->GetAt(0));
  EXPECT_EQ(pLists, pBars->GetAt(1));
  EXPECT_EQ(nullptr, pBars->GetAt(-1));
  EXPECT_EQ(nullptr, pBars->GetAt(2));
  EXPECT_EQ(1, pBars->IndexOf(pLists));
  EXPECT_EQ(pLists, pBars->FindCommandBar(IDR_SF_LISTS));
  EXPECT_EQ(nullptr, pBars->FindCommandBar(4711));
  // The second bar lies below the first.
  EXPECT_EQ(RectIn(pStandard, frame.p).bottom, RectIn(pLists, frame.p).top);

  struct Row {
    int nFrom;
    int nDirection;
    int nNext;
  } walk[] = {{0, 1, 1}, {1, 1, 0}, {0, -1, 1}, {-1, -1, 1}, {-1, 1, 0}};
  for (const auto& row : walk)
    EXPECT_EQ(row.nNext, pBars->GetNextVisible(row.nFrom, row.nDirection)) << row.nFrom << " " << row.nDirection;

  // Hidden, the first bar gives its room to the second and the walk passes
  // it over.
  pBars->ToggleVisible(0);
  EXPECT_FALSE(pStandard->IsVisible());
  ASSERT_FALSE(frame->m_siteMessages.empty());
  const CSiteFrame::CSiteMessage hidden = frame->m_siteMessages.back();
  EXPECT_EQ(JVK_WM_BAR_VISIBLE_CHANGED, hidden.nMessage);
  EXPECT_EQ(reinterpret_cast<WPARAM>(pStandard), hidden.wParam);
  EXPECT_EQ(FALSE, hidden.lParam);
  frame->RecalcLayout();
  EXPECT_EQ(0, RectIn(pLists, frame.p).top);
  EXPECT_EQ(1, pBars->GetNextVisible(1, 1)) << "only the bar itself is left";
  EXPECT_EQ(1, pBars->GetNextVisible(0, -1));
  pBars->ToggleVisible(0);
  EXPECT_TRUE(pStandard->IsVisible());

  // A delayed relayout waits for the idle time.
  pBars->RecalcFrameLayout(TRUE);
  EXPECT_TRUE(frame->m_nIdleFlags & CFrameWnd::idleLayout);
  pBars->IdleRecalcLayout();
  EXPECT_FALSE(frame->m_nIdleFlags & CFrameWnd::idleLayout);

  pBars->Remove(pStandard);
  EXPECT_EQ(1, pBars->GetCount());
  EXPECT_EQ(pLists, pBars->GetAt(0));
  EXPECT_EQ(nLiveBars + 1, CJVKCommandBar::GetLiveCount());
  EXPECT_EQ(0, RectIn(pLists, frame.p).top);

  // A torn-off bar that is hidden leaves the list for good.
  pLists->SetTearOff(TRUE);
  pLists->SetVisible(FALSE);
  EXPECT_EQ(0, pBars->GetCount());
  EXPECT_EQ(nLiveBars, CJVKCommandBar::GetLiveCount());
}

TEST(CommandBarsFrame, BarsTakeTheirIconSizeFromTheOptions) {
  CFrameHolder frame;
  CJVKToolBar* pBar = frame.AddBar(_T("Standard"), IDR_SF_STANDARD);
  ASSERT_NE(nullptr, pBar);
  CJVKCommandBarsOptions* pOptions = frame.Bars()->GetCommandBarsOptions();
  const struct {
    const char* pszCase;
    SIZE szIcons;
    BOOL bLargeIcons;
    SIZE szLargeIcons;
    CSize szExpected;
  } rows[] = {
      {"the defaults", {0, 0}, FALSE, {0, 0}, {16, 16}},
      {"the icon size", {24, 24}, FALSE, {0, 0}, {24, 24}},
      {"large icons: twice the icon size", {20, 20}, TRUE, {0, 0}, {40, 40}},
      {"large icons: the large icon size", {0, 0}, TRUE, {36, 32}, {36, 32}},
  };
  for (const auto& row : rows) {
    pOptions->m_szIcons = row.szIcons;
    pOptions->m_bLargeIcons = row.bLargeIcons;
    pOptions->m_szLargeIcons = row.szLargeIcons;
    frame.Bars()->RedrawCommandBars();
    EXPECT_EQ(row.szExpected, pBar->GetIconSize()) << row.pszCase;
    // The bar is laid out for buttons of that size.
    EXPECT_GE(RectIn(pBar, frame.p).Height(), row.szExpected.cy + 7) << row.pszCase;
  }
}

TEST(CommandBarsFrame, UsedCommandsShowAgainAndTheDragControlIsAnnounced) {
  CFrameHolder frame;
  CJVKCommandBars* pBars = frame.Bars();
  CJVKCommandBarsOptions* pOptions = pBars->GetCommandBarsOptions();
  pOptions->m_mapHiddenCommands.SetAt(ID_SF_CUT, TRUE);
  EXPECT_TRUE(pBars->IsCommandHidden(ID_SF_CUT));
  pBars->SetCommandUsed(ID_SF_OPEN);
  EXPECT_TRUE(pOptions->m_mapUsedCommands.IsEmpty()) << "only hidden commands are marked used";
  pBars->SetCommandUsed(ID_SF_CUT);
  EXPECT_FALSE(pBars->IsCommandHidden(ID_SF_CUT));
  pBars->ResetUsageData();
  EXPECT_TRUE(pBars->IsCommandHidden(ID_SF_CUT));

  CJVKToolBar* pBar = frame.AddBar(_T("Standard"), IDR_SF_STANDARD);
  ASSERT_NE(nullptr, pBar);
  CJVKControl* pControl = pBar->GetControls()->GetAt(0);
  EXPECT_FALSE(pBars->IsControlHidden(pControl));
  pOptions->m_mapHiddenCommands.SetAt(ID_SF_OPEN, TRUE);
  EXPECT_TRUE(pBars->IsControlHidden(pControl));

  const int nHeard = frame->CountSite(JVK_WM_DRAG_CONTROL_CHANGED);
  pBars->SetDragControl(pControl);
  EXPECT_EQ(pControl, pBars->GetCustomizeSelection());
  pBars->SetCustomizeMode(TRUE);
  EXPECT_TRUE(pBars->IsCustomizeMode());
  EXPECT_EQ(nullptr, pBars->GetDragControl()) << "customize mode starts without a dragged control";
  EXPECT_TRUE(pOptions->m_bDirty);
  pBars->SetCustomizeMode(FALSE);
  EXPECT_EQ(nHeard + 2, frame->CountSite(JVK_WM_DRAG_CONTROL_CHANGED));
}

// Injected clicks on the bars of a frame in front: run alone.
class CommandBarsFrameInput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, m_frame.p);
    m_pStandard = m_frame.AddBar(_T("Standard"), IDR_SF_STANDARD);
    m_pLists = m_frame.AddBar(_T("Lists"), IDR_SF_LISTS);
    ASSERT_TRUE(m_pStandard && m_pLists);
    BringToFront(m_frame->m_hWnd);
    m_frame.IdleUpdate();
  }
  void Click(CJVKToolBar* pBar, int nIndex) {
    CPoint pt = pBar->GetControls()->GetAt(nIndex)->GetRect().CenterPoint();
    pBar->ClientToScreen(&pt);
    InjectMouseMove(pt.x, pt.y);
    PumpUntil([] { return FALSE; }, 80);
    InjectMouseButton(MOUSEEVENTF_LEFTDOWN);
    InjectMouseButton(MOUSEEVENTF_LEFTUP);
    PumpUntil([] { return FALSE; }, 150);
  }

  // Captions shown: "&File" and "&Find" share their mark, "&Open" has its
  // own, "Cut" has none.
  void SetCaptions() {
    CJVKControls* pLeft = m_pStandard->GetControls();
    CJVKControls* pRight = m_pLists->GetControls();
    const struct {
      CJVKControl* pControl;
      const char* pszCaption;
    } captions[] = {{pLeft->GetAt(0), "&File"}, {pLeft->GetAt(2), "&Open"}, {pRight->GetAt(0), "Cut"},
                    {pRight->GetAt(1), "&Find"}};
    for (const auto& c : captions) {
      c.pControl->SetCaption(c.pszCaption);
      c.pControl->SetStyle(jvkStyleCaption);
    }
  }
  // The pointer away from the bars, so that no hover selects meanwhile.
  void MovePointerAway() {
    CRect rcFrame;
    m_frame->GetWindowRect(&rcFrame);
    InjectMouseMove(rcFrame.right - 20, rcFrame.bottom - 20);
    Settle();
  }
  // The thread's messages as the application's loop handles them: the
  // frame pre-translates those of its windows.
  void Settle() {
    CSiteFrame* pFrame = m_frame.p;
    const DWORD dwStart = ::GetTickCount();
    while (::GetTickCount() - dwStart < 100) {
      MSG msg;
      while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        const BOOL bFrames = msg.hwnd == pFrame->m_hWnd || ::IsChild(pFrame->m_hWnd, msg.hwnd);
        if (bFrames && pFrame->PreTranslateMessage(&msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
      }
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
  }
  void PressKey(WORD wKey) {
    InjectKey(wKey, FALSE);
    InjectKey(wKey, TRUE);
    Settle();
  }
  void PressWith(std::initializer_list<WORD> modifiers, WORD wKey) {
    for (WORD wModifier : modifiers) InjectKey(wModifier, FALSE);
    PressKey(wKey);
    for (WORD wModifier : modifiers) InjectKey(wModifier, TRUE);
    Settle();
  }

  CFrameHolder m_frame;
  CJVKToolBar* m_pStandard = nullptr;
  CJVKToolBar* m_pLists = nullptr;
};

TEST_F(CommandBarsFrameInput, ADisabledButtonIgnoresAClickAnEnabledOneSendsItsCommand) {
  // The site hears of the execution first and lets it go on.
  m_frame->m_lNotifyAnswer = 0;
  Click(m_pStandard, 0);
  EXPECT_EQ(std::vector<UINT>{ID_SF_OPEN}, m_frame->m_commands);
  EXPECT_EQ(1, m_frame->m_nNotifications);
  Click(m_pStandard, 1);
  EXPECT_EQ(std::vector<UINT>{ID_SF_OPEN}, m_frame->m_commands) << "disabled by its update handler";
  Click(m_pLists, 0);
  EXPECT_EQ((std::vector<UINT>{ID_SF_OPEN, ID_SF_CUT}), m_frame->m_commands);
  // A site that answers the notification takes the execution over.
  m_frame->m_lNotifyAnswer = 1;
  Click(m_pStandard, 0);
  EXPECT_EQ(2, m_frame->m_nNotifications);
  EXPECT_EQ((std::vector<UINT>{ID_SF_OPEN, ID_SF_CUT}), m_frame->m_commands);
  // Hovering told the site of the selections and the status bar of the
  // descriptions.
  EXPECT_GT(m_frame->CountSite(JVK_WM_CONTROL_SELECTED), 0);
  EXPECT_NE(m_frame->m_status.end(),
            std::find(m_frame->m_status.begin(), m_frame->m_status.end(), CString("Cuts the selection.")));
}

TEST_F(CommandBarsFrameInput, TwoToolBarsInAFrameWithoutAMenu) {
  // To look at the frame: UIKIT_FRAME_SHOT=file.bmp.
  m_frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  PumpUntil([] { return FALSE; }, 100);
  CRect rcClient;
  m_frame->GetClientRect(&rcClient);
  const CRect rcStandard = RectIn(m_pStandard, m_frame.p);
  const CRect rcLists = RectIn(m_pLists, m_frame.p);
  EXPECT_EQ(nullptr, ::GetMenu(m_frame->m_hWnd));
  EXPECT_EQ(0, rcStandard.top);
  EXPECT_EQ(rcStandard.bottom, rcLists.top);
  EXPECT_LE(rcLists.right, rcClient.right);
  for (CJVKToolBar* pBar : {m_pStandard, m_pLists}) {
    CBarPictures pictures(pBar);
    EXPECT_EQ(0, pictures.Differing(pictures.rc)) << CString(pBar->GetTitle());
  }
  if (const char* pszShot = getenv("UIKIT_FRAME_SHOT")) {
    CDibCanvas shot(rcClient.Width(), rcClient.Height());
    CClientDC dc(m_frame.p);
    shot.DC()->BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dc, 0, 0, SRCCOPY);
    shot.Save(pszShot);
  }
}

TEST_F(CommandBarsFrameInput, AltLetterSelectsTheMarkedButtonAndExecutesOnlyAUniqueOne) {
  SetCaptions();
  m_frame->m_lNotifyAnswer = 0;
  MovePointerAway();
  CJVKCommandBarsOptions* pOptions = m_frame.Bars()->GetCommandBarsOptions();
  // Without a tracking bar the frame's loop takes Alt+letter to the command
  // bars; a tracking bar takes the plain letter through its keyboard hook
  // and hands it to them.
  struct Row {
    const char* pszCase;
    LONG nCuesUse;
    CJVKToolBar* pTracking;  // a bar tracking before the key, with its selection
    int nTrackingSelected;
    WORD wKey;
    CJVKToolBar* pBar;  // the bar that tracks with the selection afterwards (null: none)
    int nSelected;
    std::vector<UINT> commands;
  } rows[] = {
      {"two marks: the first selected", 1, nullptr, -1, 'F', m_pStandard, 0, {}},
      {"from a selection: the next mark, in the next bar", 1, m_pStandard, 0, 'F', m_pLists, 1, {}},
      {"a unique mark executes and ends the tracking", 1, nullptr, -1, 'O', nullptr, -1, {ID_SF_CHECKED}},
      {"a first character on a bar that does not track", 1, nullptr, -1, 'C', nullptr, -1, {}},
      {"a first character on a tracking bar", 1, m_pLists, -1, 'C', nullptr, -1, {ID_SF_CUT}},
      {"only the menu bar's marks: none here", 0, nullptr, -1, 'F', nullptr, -1, {}},
      {"Alt+letter switched off", 2, nullptr, -1, 'O', nullptr, -1, {}},
  };
  for (const Row& row : rows) {
    // The walk starts after the selection, a hover's too: none here.
    for (CJVKToolBar* pBar : {m_pStandard, m_pLists}) {
      pBar->SetTrackingMode(jvkTrackingOff, FALSE, FALSE);
      pBar->SetSelected(-1, 0);
    }
    pOptions->m_nKeyboardCuesUse = row.nCuesUse;
    m_frame->m_commands.clear();
    if (row.pTracking) {
      row.pTracking->SetTrackingMode(jvkTracking, FALSE, TRUE);
      row.pTracking->SetSelected(row.nTrackingSelected, 2);
      PressKey(row.wKey);
    } else {
      PressWith({VK_MENU}, row.wKey);
    }
    EXPECT_EQ(row.commands, m_frame->m_commands) << row.pszCase;
    for (CJVKToolBar* pBar : {m_pStandard, m_pLists}) {
      EXPECT_EQ(pBar == row.pBar ? jvkTracking : jvkTrackingOff, pBar->GetTrackingMode())
          << row.pszCase << ": " << CString(pBar->GetTitle());
      if (pBar == row.pBar) EXPECT_EQ(row.nSelected, pBar->GetSelectedIndex()) << row.pszCase;
    }
  }
  for (CJVKToolBar* pBar : {m_pStandard, m_pLists}) pBar->SetTrackingMode(jvkTrackingOff, FALSE, FALSE);
}

TEST_F(CommandBarsFrameInput, CtrlTabMovesTheTrackingToTheNextVisibleBar) {
  MovePointerAway();
  m_pLists->SetTrackingMode(jvkTracking, FALSE, TRUE);
  m_pLists->SetSelected(1, 2);

  // Ctrl+Tab and Ctrl+Shift+Tab: the next and the previous bar track from
  // their first control.
  const struct {
    const char* pszCase;
    BOOL bShift;
    CJVKToolBar* pTracking;
    CJVKToolBar* pLeft;
  } moves[] = {
      {"Ctrl+Tab wraps to the first bar", FALSE, m_pStandard, m_pLists},
      {"Ctrl+Tab", FALSE, m_pLists, m_pStandard},
      {"Ctrl+Shift+Tab", TRUE, m_pStandard, m_pLists},
  };
  for (const auto& move : moves) {
    if (move.bShift)
      PressWith({VK_CONTROL, VK_SHIFT}, VK_TAB);
    else
      PressWith({VK_CONTROL}, VK_TAB);
    EXPECT_EQ(jvkTracking, move.pTracking->GetTrackingMode()) << move.pszCase;
    EXPECT_EQ(0, move.pTracking->GetSelectedIndex()) << move.pszCase;
    EXPECT_EQ(jvkTrackingOff, move.pLeft->GetTrackingMode()) << move.pszCase;
  }
  // With no other visible bar the tracking bar keeps the keyboard.
  m_pLists->SetVisible(FALSE);
  PressWith({VK_CONTROL}, VK_TAB);
  EXPECT_EQ(jvkTracking, m_pStandard->GetTrackingMode());
  EXPECT_EQ(jvkTrackingOff, m_pLists->GetTrackingMode());
  EXPECT_TRUE(m_frame->m_commands.empty());
  m_pStandard->SetTrackingMode(jvkTrackingOff, TRUE, FALSE);
}

TEST_F(CommandBarsFrameInput, CtrlVWithTheFocusInADialogBarsEditReachesTheEdit) {
  // A dialog bar of the command bars hosting an edit tracks the keyboard;
  // a tool bar's "&Verify" would take a V that the bars got.
  m_pLists->GetControls()->GetAt(0)->SetCaption("&Verify");
  m_pLists->GetControls()->GetAt(0)->SetStyle(jvkStyleCaption);
  auto* pDialogBar = new CJVKDialogBar;
  pDialogBar->SetCommandBars(m_frame.Bars());
  ASSERT_TRUE(pDialogBar->CreateToolBar(WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, m_frame.p, 0xE890));
  pDialogBar->SetCaption("Find");
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(0, 0, 10, 10), pDialogBar, 1));
  pDialogBar->SetChild(&edit);
  m_frame->RecalcLayout();
  PutClipboardText("pasted");

  edit.SetFocus();
  ASSERT_EQ(edit.m_hWnd, ::GetFocus());
  pDialogBar->SetTrackingMode(jvkTracking, FALSE, TRUE);
  PressWith({VK_CONTROL}, 'V');
  CString strText;
  edit.GetWindowText(strText);
  EXPECT_EQ(CString("pasted"), strText);
  EXPECT_EQ(jvkTracking, pDialogBar->GetTrackingMode()) << "the dialog bar still tracks";
  EXPECT_EQ(jvkTrackingOff, m_pLists->GetTrackingMode());
  EXPECT_TRUE(m_frame->m_commands.empty());

  pDialogBar->SetTrackingMode(jvkTrackingOff, TRUE, FALSE);
  edit.DestroyWindow();
  pDialogBar->ReleaseBarRef();
}
