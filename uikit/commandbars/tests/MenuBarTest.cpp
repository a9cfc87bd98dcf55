// The menu bar of a frame with a menu like the editor's, driven with
// injected keys through the frame's loop: Alt, F10 and Alt+letter, the
// popups it opens, their submenus and Escape one level at a time; and
// TrackPopupMenu with its own loop, ended by a click, by Escape and by a
// quit. Run alone: the input goes to whichever window is in front.
#include "CommandBars.h"
#include "ControlPopup.h"
#include "MenuBar.h"
#include "PaintTestSupport.h"
#include "PopupBar.h"
#include "ShadowWnd.h"
#include "SiteFrame.h"

#include <InputInjection.h>
#include <MouseManager.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>

namespace {

// The popup bar a popup control of the bar opens.
CJVKPopupBar* PopupOf(CJVKCommandBar* pBar, int nIndex) {
  CJVKControl* pControl = pBar->GetControls()->GetAt(nIndex);
  return pControl ? dynamic_cast<CJVKPopupBar*>(pControl->GetCommandBar()) : nullptr;
}

// The whole screen as shown, to look at.
void SaveScreen(const char* pszFile) {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  CDibCanvas shot(cx, cy);
  HDC hScreen = ::GetDC(nullptr);
  ::BitBlt(shot.DC()->GetSafeHdc(), 0, 0, cx, cy, hScreen, 0, 0, SRCCOPY);
  ::ReleaseDC(nullptr, hScreen);
  shot.Save(pszFile);
}

BOOL IsOpen(CJVKPopupBar* pPopup) {
  return pPopup && pPopup->GetSafeHwnd() && pPopup->IsWindowVisible() && pPopup->GetTrackingMode() != jvkTrackingOff;
}

class MenuBarInput : public ::testing::Test {
 protected:
  void SetUp() override {
    m_pFrame = CSiteFrame::Create(CRect(80, 60, 620, 400));
    ASSERT_NE(nullptr, m_pFrame);
    m_pBars = m_pFrame->GetCommandBars();
    // No animation: the popups show at once.
    m_pBars->GetCommandBarsOptions()->m_nAnimationType = 5;
    m_pMenuBar = m_pBars->SetMenu(_T("Menu Bar"), IDR_SF_MENU);
    ASSERT_NE(nullptr, m_pMenuBar);
    m_pFrame->RecalcLayout();
    BringToFront(m_pFrame->m_hWnd);
    MovePointerAway();
  }
  void TearDown() override {
    if (m_pMenuBar) m_pMenuBar->SetTrackingMode(jvkTrackingOff, TRUE, FALSE);
    if (m_pFrame && ::IsWindow(m_pFrame->m_hWnd)) m_pFrame->DestroyWindow();
  }

  // The thread's messages as the application's loop handles them: the
  // frame pre-translates those of its windows.
  void Settle(DWORD dwMs = 120) {
    const DWORD dwStart = ::GetTickCount();
    while (::GetTickCount() - dwStart < dwMs) {
      MSG msg;
      while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        const BOOL bFrames = msg.hwnd == m_pFrame->m_hWnd || ::IsChild(m_pFrame->m_hWnd, msg.hwnd);
        if (bFrames && m_pFrame->PreTranslateMessage(&msg)) continue;
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
    InjectKey(wKey, FALSE);
    InjectKey(wKey, TRUE);
    for (WORD wModifier : modifiers) InjectKey(wModifier, TRUE);
    Settle();
  }
  void MovePointerAway() {
    CRect rcFrame;
    m_pFrame->GetWindowRect(&rcFrame);
    InjectMouseMove(rcFrame.right - 20, rcFrame.bottom - 20);
    Settle(60);
  }
  int IndexOf(LPCTSTR pszCaption) const {
    CJVKControls* pControls = m_pMenuBar->GetControls();
    for (int i = 0; i < pControls->GetCount(); ++i)
      if (pControls->GetAt(i)->GetCaption() == pszCaption) return i;
    return -1;
  }

  CSiteFrame* m_pFrame = nullptr;
  CJVKCommandBars* m_pBars = nullptr;
  CJVKMenuBar* m_pMenuBar = nullptr;
};

}  // namespace

TEST_F(MenuBarInput, TheMenuBarStandsInForTheFramesMenu) {
  EXPECT_EQ(nullptr, ::GetMenu(m_pFrame->m_hWnd)) << "the frame's menu was taken away";
  EXPECT_EQ(m_pMenuBar, m_pBars->GetMenuBar());
  EXPECT_EQ(jvkBarTypeMenuBar, m_pMenuBar->GetType());
  std::vector<CString> captions;
  for (int i = 0; i < m_pMenuBar->GetControls()->GetCount(); ++i)
    captions.push_back(m_pMenuBar->GetControls()->GetAt(i)->GetCaption());
  EXPECT_EQ((std::vector<CString>{"&File", "&Edit", "&View", "&Tools", "&Transponders", "&Help"}), captions);
  CJVKPopupBar* pFile = PopupOf(m_pMenuBar, 0);
  ASSERT_NE(nullptr, pFile);
  EXPECT_EQ(4, pFile->GetControls()->GetCount());
  ASSERT_EQ(4, pFile->GetControls()->GetCount());
  EXPECT_TRUE(pFile->GetControls()->GetAt(3)->GetBeginGroup()) << "E&xit after the separator";
  // The menu resource that does not load leaves no bar.
  EXPECT_EQ(nullptr, m_pBars->SetMenu(_T("None"), 9999));
  EXPECT_EQ(m_pMenuBar, m_pBars->GetMenuBar());
}

TEST_F(MenuBarInput, AltDownEnterRunsTheFirstCommandOfTheFirstMenu) {
  PressKey(VK_MENU);
  EXPECT_EQ(jvkTracking, m_pMenuBar->GetTrackingMode()) << "Alt alone: keyboard menu mode";
  EXPECT_EQ(0, m_pMenuBar->GetSelectedIndex());
  PressKey(VK_DOWN);
  CJVKPopupBar* pFile = PopupOf(m_pMenuBar, 0);
  ASSERT_TRUE(IsOpen(pFile));
  EXPECT_EQ(0, pFile->GetSelectedIndex()) << "opened by key: its first command selected";
  // The popup lies below the entry, outside it.
  CRect rcEntry = m_pMenuBar->GetControls()->GetAt(0)->GetRect();
  m_pMenuBar->ClientToScreen(&rcEntry);
  CRect rcPopup;
  pFile->GetWindowRect(&rcPopup);
  EXPECT_EQ(rcEntry.left, rcPopup.left);
  EXPECT_EQ(rcEntry.bottom, rcPopup.top);
  EXPECT_EQ(1, m_pFrame->CountSite(JVK_WM_POPUP_OPENED));

  PressKey(VK_RETURN);
  EXPECT_EQ(std::vector<UINT>{ID_SF_NEW}, m_pFrame->m_commands);
  EXPECT_FALSE(IsOpen(pFile));
  EXPECT_EQ(jvkTrackingOff, m_pMenuBar->GetTrackingMode());
  EXPECT_EQ(1, m_pFrame->CountSite(JVK_WM_POPUP_CLOSED));
}

TEST_F(MenuBarInput, F10AndAltLetterEnterTheMenusAndShiftAltDoesNot) {
  PressKey(VK_F10);
  EXPECT_EQ(jvkTracking, m_pMenuBar->GetTrackingMode()) << "F10";
  EXPECT_EQ(0, m_pMenuBar->GetSelectedIndex());
  PressKey(VK_ESCAPE);
  EXPECT_EQ(jvkTrackingOff, m_pMenuBar->GetTrackingMode());

  PressWith({VK_SHIFT}, VK_MENU);
  EXPECT_EQ(jvkTrackingOff, m_pMenuBar->GetTrackingMode()) << "Shift+Alt";

  // Alt+E: the unique mark opens its menu with the first command selected.
  PressWith({VK_MENU}, 'E');
  CJVKPopupBar* pEdit = PopupOf(m_pMenuBar, 1);
  ASSERT_TRUE(IsOpen(pEdit));
  EXPECT_EQ(1, m_pMenuBar->GetSelectedIndex());
  EXPECT_EQ(0, pEdit->GetSelectedIndex());
  // Inside the popup: P is unique and runs Paste.
  PressKey('P');
  EXPECT_EQ(std::vector<UINT>{ID_SF_PASTE}, m_pFrame->m_commands);
  EXPECT_EQ(jvkTrackingOff, m_pMenuBar->GetTrackingMode());
}

TEST_F(MenuBarInput, AnAmbiguousMnemonicSelectsWithoutExecuting) {
  // "&Tools" and "&Transponders": the first is selected, nothing opens.
  PressWith({VK_MENU}, 'T');
  EXPECT_EQ(jvkTracking, m_pMenuBar->GetTrackingMode());
  EXPECT_EQ(IndexOf(_T("&Tools")), m_pMenuBar->GetSelectedIndex());
  EXPECT_FALSE(IsOpen(PopupOf(m_pMenuBar, IndexOf(_T("&Tools")))));
  // T again: the next one.
  PressKey('T');
  EXPECT_EQ(IndexOf(_T("&Transponders")), m_pMenuBar->GetSelectedIndex());
  PressKey(VK_ESCAPE);

  // "&Find..." and "&Favourites" in the Edit menu.
  PressWith({VK_MENU}, 'E');
  CJVKPopupBar* pEdit = PopupOf(m_pMenuBar, 1);
  ASSERT_TRUE(IsOpen(pEdit));
  PressKey('F');
  EXPECT_EQ(3, pEdit->GetSelectedIndex()) << "&Find...";
  PressKey('F');
  EXPECT_EQ(4, pEdit->GetSelectedIndex()) << "&Favourites";
  EXPECT_TRUE(IsOpen(pEdit));
  EXPECT_TRUE(m_pFrame->m_commands.empty());
  PressKey(VK_RETURN);
  EXPECT_EQ(std::vector<UINT>{ID_SF_FAVOURITES}, m_pFrame->m_commands);
}

TEST_F(MenuBarInput, ArrowsOpenSubmenusAndEscapeClosesOneLevel) {
  const int nView = IndexOf(_T("&View"));
  PressKey(VK_MENU);
  PressKey(VK_RIGHT);
  PressKey(VK_RIGHT);
  EXPECT_EQ(nView, m_pMenuBar->GetSelectedIndex());
  PressKey(VK_DOWN);
  CJVKPopupBar* pView = PopupOf(m_pMenuBar, nView);
  ASSERT_TRUE(IsOpen(pView));
  PressKey(VK_DOWN);
  EXPECT_EQ(1, pView->GetSelectedIndex()) << "&Sort";
  PressKey(VK_RIGHT);
  CJVKPopupBar* pSort = PopupOf(pView, 1);
  ASSERT_TRUE(IsOpen(pSort)) << "Right opens the submenu";
  EXPECT_EQ(0, pSort->GetSelectedIndex());
  // The submenu cascades beside its entry.
  CRect rcView, rcSort;
  pView->GetWindowRect(&rcView);
  pSort->GetWindowRect(&rcSort);
  EXPECT_GE(rcSort.left, rcView.right - 4);
  if (const char* pszShot = getenv("UIKIT_MENU_SHOT")) {
    m_pFrame->UpdateWindow();
    pView->UpdateWindow();
    pSort->UpdateWindow();
    SaveScreen(pszShot);
  }

  PressKey(VK_LEFT);
  EXPECT_FALSE(IsOpen(pSort)) << "Left closes the submenu";
  EXPECT_TRUE(IsOpen(pView));
  PressKey(VK_RIGHT);
  ASSERT_TRUE(IsOpen(pSort));
  PressKey(VK_ESCAPE);
  EXPECT_FALSE(IsOpen(pSort)) << "Escape closes one level";
  EXPECT_TRUE(IsOpen(pView));
  EXPECT_EQ(1, pView->GetSelectedIndex());

  // Right on a command moves to the next menu of the bar, Left back.
  PressKey(VK_UP);
  PressKey(VK_RIGHT);
  EXPECT_FALSE(IsOpen(pView));
  EXPECT_EQ(nView + 1, m_pMenuBar->GetSelectedIndex());
  EXPECT_TRUE(IsOpen(PopupOf(m_pMenuBar, nView + 1)));
  PressKey(VK_LEFT);
  EXPECT_EQ(nView, m_pMenuBar->GetSelectedIndex());
  ASSERT_TRUE(IsOpen(pView));

  PressKey(VK_ESCAPE);
  EXPECT_FALSE(IsOpen(pView));
  EXPECT_EQ(jvkTracking, m_pMenuBar->GetTrackingMode()) << "the bar keeps the keyboard";
  EXPECT_EQ(nView, m_pMenuBar->GetSelectedIndex());
  PressKey(VK_ESCAPE);
  EXPECT_EQ(jvkTrackingOff, m_pMenuBar->GetTrackingMode());
  EXPECT_TRUE(m_pFrame->m_commands.empty());
}

// ------------------------------------------------------ TrackPopupMenu

namespace {

// What a timer does while TrackPopupMenu's loop runs.
std::function<void()> g_onTick;

void CALLBACK TickProc(HWND, UINT, UINT_PTR nTimer, DWORD) {
  ::KillTimer(nullptr, nTimer);
  if (g_onTick) g_onTick();
}

// A popup left open by a failing step ends after a generous bound, so that
// the test fails instead of hanging.
BOOL g_bSafetyFired = FALSE;
void CALLBACK SafetyProc(HWND, UINT, UINT_PTR nTimer, DWORD) {
  ::KillTimer(nullptr, nTimer);
  g_bSafetyFired = TRUE;
  if (CJVKMouseManager* pMouse = PeekMouseManager()) pMouse->SendTrackLost();
}

// Starts the step and the safety bound for one TrackPopupMenu.
struct CTrackTimers {
  explicit CTrackTimers(std::function<void()> onTick) {
    g_onTick = std::move(onTick);
    m_nTick = ::SetTimer(nullptr, 0, 150, TickProc);
    m_nSafety = ::SetTimer(nullptr, 0, 8000, SafetyProc);
  }
  ~CTrackTimers() {
    EXPECT_FALSE(g_bSafetyFired) << "the popup did not end by itself";
    g_bSafetyFired = FALSE;
    ::KillTimer(nullptr, m_nTick);
    ::KillTimer(nullptr, m_nSafety);
    g_onTick = nullptr;
  }
  UINT_PTR m_nTick, m_nSafety;
};

// The topmost popup bar window of this thread that tracks.
CJVKPopupBar* TrackedPopup() {
  CJVKMouseManager* pMouse = PeekMouseManager();
  for (int i = pMouse ? pMouse->GetTrackedBarCount() - 1 : -1; i >= 0; --i)
    if (auto* pPopup = dynamic_cast<CJVKPopupBar*>(pMouse->GetTrackedBar(i))) return pPopup;
  return nullptr;
}

}  // namespace

TEST_F(MenuBarInput, TrackPopupMenuReturnsTheClickedCommandEscapeReturnsNothing) {
  CMenu menu;
  ASSERT_TRUE(menu.Attach(::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_SF_MENU))));
  CMenu* pEdit = menu.GetSubMenu(1);
  CRect rcFrame;
  m_pFrame->GetWindowRect(&rcFrame);
  const CPoint pt = rcFrame.CenterPoint();

  // A click on "&Copy" (its second command).
  CRect rcCopy;
  std::optional<CTrackTimers> timers;
  timers.emplace([&rcCopy] {
    CJVKPopupBar* pPopup = TrackedPopup();
    if (pPopup == nullptr) return;
    rcCopy = pPopup->GetControls()->GetAt(1)->GetRect();
    pPopup->ClientToScreen(&rcCopy);
    InjectMouseMove(rcCopy.CenterPoint().x, rcCopy.CenterPoint().y);
    InjectMouseButton(MOUSEEVENTF_LEFTDOWN);
    InjectMouseButton(MOUSEEVENTF_LEFTUP);
  });
  int nResult = CJVKCommandBars::TrackPopupMenu(pEdit, JVK_TPM_RETURNCMD, pt.x, pt.y, m_pFrame, nullptr, m_pBars);
  EXPECT_EQ(ID_SF_COPY, nResult);
  EXPECT_FALSE(rcCopy.IsRectEmpty());
  EXPECT_TRUE(m_pFrame->m_commands.empty()) << "returned, not executed";
  EXPECT_EQ(nullptr, TrackedPopup());

  // Escape: nothing chosen.
  timers.reset();
  timers.emplace([] {
    InjectKey(VK_ESCAPE, FALSE);
    InjectKey(VK_ESCAPE, TRUE);
  });
  nResult = CJVKCommandBars::TrackPopupMenu(pEdit, JVK_TPM_RETURNCMD, pt.x, pt.y, m_pFrame, nullptr, m_pBars);
  EXPECT_EQ(0, nResult);

  // Without TPM_RETURNCMD the command goes to the owner and the answer is TRUE.
  timers.reset();
  timers.emplace([] {
    for (WORD w : {VK_DOWN, VK_RETURN}) {
      InjectKey(w, FALSE);
      InjectKey(w, TRUE);
    }
  });
  nResult = CJVKCommandBars::TrackPopupMenu(pEdit, 0, pt.x, pt.y, m_pFrame, nullptr, m_pBars);
  EXPECT_EQ(TRUE, nResult);
  EXPECT_EQ(std::vector<UINT>{ID_SF_CUT}, m_pFrame->m_commands);
  timers.reset();

  // A missing menu shows nothing.
  EXPECT_EQ(FALSE, CJVKCommandBars::TrackPopupMenu(nullptr, JVK_TPM_RETURNCMD, pt.x, pt.y, m_pFrame));
}

TEST_F(MenuBarInput, AQuitDuringTrackPopupMenuReachesTheOuterLoop) {
  CMenu menu;
  ASSERT_TRUE(menu.Attach(::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_SF_MENU))));
  CRect rcFrame;
  m_pFrame->GetWindowRect(&rcFrame);
  const LONG nLiveBars = CJVKCommandBar::GetLiveCount();
  BOOL bWasOpen = FALSE;
  std::optional<CTrackTimers> timers;
  timers.emplace([&bWasOpen] {
    bWasOpen = IsOpen(TrackedPopup());
    ::PostQuitMessage(7);
  });
  const int nResult = CJVKCommandBars::TrackPopupMenu(menu.GetSubMenu(0), JVK_TPM_RETURNCMD, rcFrame.left + 40,
                                                      rcFrame.top + 60, m_pFrame, nullptr, m_pBars);
  timers.reset();
  EXPECT_TRUE(bWasOpen);
  EXPECT_EQ(0, nResult);
  EXPECT_EQ(nullptr, TrackedPopup()) << "the popup closed";
  EXPECT_EQ(nLiveBars, CJVKCommandBar::GetLiveCount()) << "and was released";
  // The quit was posted again for the outer loop.
  MSG msg;
  ASSERT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(7u, msg.wParam);
}

// ------------------------------------------ popups on a fake work area

namespace {

RECT g_rcFakeWork = {0, 0, 0, 0};
BOOL FakeWorkArea(RECT& rcWork, const RECT&) {
  rcWork = g_rcFakeWork;
  return TRUE;
}

// The seam set for the scope of a test.
struct CFakeWorkArea {
  explicit CFakeWorkArea(const RECT& rc) {
    g_rcFakeWork = rc;
    CJVKPopupBar::s_pfnWorkArea = FakeWorkArea;
  }
  ~CFakeWorkArea() { CJVKPopupBar::s_pfnWorkArea = nullptr; }
};

CRect WindowRect(CWnd* pWnd) {
  CRect rc;
  pWnd->GetWindowRect(&rc);
  return rc;
}

// Indexes of the controls that do not show.
std::vector<int> HiddenBy(CJVKCommandBar* pBar, DWORD dwFlag) {
  std::vector<int> hidden;
  for (int i = 0; i < pBar->GetControls()->GetCount(); ++i)
    if (pBar->GetControls()->GetAt(i)->GetHideFlags() & dwFlag) hidden.push_back(i);
  return hidden;
}

}  // namespace

TEST_F(MenuBarInput, APopupTooTallForItsWorkAreaScrolls) {
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  const int nCount = 24;
  for (int i = 0; i < nCount; ++i) {
    CString str;
    str.Format("Channel %d", i + 1);
    menu.AppendMenu(MF_STRING, ID_SF_MENU_FIRST + (i % 5), str);
  }
  // A small screen: 220 pixels high.
  CFakeWorkArea work(CRect(0, 0, 800, 220));
  CJVKPopupBar* pPopup = CJVKPopupBar::CreatePopupBar(m_pBars);
  pPopup->GetControls()->LoadMenu(&menu);
  ASSERT_TRUE(pPopup->PopupAt(100, 20, JVK_POPUP_DROPS_BELOW));
  const CRect rc = WindowRect(pPopup);
  EXPECT_TRUE(pPopup->IsScrolling());
  // Too tall either way: from the work area's top to the gap above its bottom.
  EXPECT_EQ(0, rc.top);
  EXPECT_EQ(220 - JVK_POPUP_BOTTOM_GAP, rc.bottom);
  EXPECT_EQ(0, pPopup->GetFirstVisibleIndex());
  const int nEnd = pPopup->GetEndVisibleIndex();
  EXPECT_GT(nEnd, 2);
  EXPECT_LT(nEnd, nCount);
  EXPECT_TRUE(pPopup->GetScrollButtonRect(TRUE).IsRectEmpty());
  EXPECT_FALSE(pPopup->GetScrollButtonRect(FALSE).IsRectEmpty());
  std::vector<int> expected;
  for (int i = nEnd; i < nCount; ++i) expected.push_back(i);
  EXPECT_EQ(expected, HiddenBy(pPopup, JVK_HIDE_SCROLL)) << "scrolled out";
  const int nShown = nEnd;

  // The bottom button's timer scrolls one control down at each tick; at
  // the end it stops.
  const struct {
    const char* pszCase;
    UINT_PTR nTimer;
    int nFirst, nEnd;  // -1: not checked
  } steps[] = {
      {"down one", JVK_TIMER_SCROLL_DOWN, -1, nEnd + 1},
      {"down one more", JVK_TIMER_SCROLL_DOWN, -1, nEnd + 2},
      {"up one", JVK_TIMER_SCROLL_UP, -1, -1},
  };
  for (const auto& step : steps) {
    const int nFirstBefore = pPopup->GetFirstVisibleIndex();
    pPopup->SendMessage(WM_TIMER, step.nTimer);
    if (step.nEnd >= 0) EXPECT_EQ(step.nEnd, pPopup->GetEndVisibleIndex()) << step.pszCase;
    if (step.nTimer == JVK_TIMER_SCROLL_UP) {
      // Scrolling to index 1 jumps to 0.
      const int nExpected = nFirstBefore - 1 == 1 ? 0 : nFirstBefore - 1;
      EXPECT_EQ(nExpected, pPopup->GetFirstVisibleIndex()) << step.pszCase;
    }
    EXPECT_FALSE(pPopup->GetScrollButtonRect(TRUE).IsRectEmpty() && pPopup->GetFirstVisibleIndex() > 0);
  }

  // The keyboard brings a control that is scrolled out into view.
  pPopup->ProcessSpecialKey(7);  // End
  EXPECT_EQ(nCount - 1, pPopup->GetSelectedIndex());
  EXPECT_EQ(nCount, pPopup->GetEndVisibleIndex());
  EXPECT_TRUE(pPopup->GetScrollButtonRect(FALSE).IsRectEmpty());
  EXPECT_FALSE(pPopup->GetScrollButtonRect(TRUE).IsRectEmpty());
  EXPECT_EQ(0, pPopup->GetControls()->GetAt(nCount - 1)->GetHideFlags());
  pPopup->ProcessSpecialKey(6);  // Home
  EXPECT_EQ(0, pPopup->GetSelectedIndex());
  EXPECT_EQ(0, pPopup->GetFirstVisibleIndex());
  EXPECT_EQ(nShown, pPopup->GetEndVisibleIndex());
  // The scroll buttons show their arrows in the button-text colour.
  CDibCanvas canvas(rc.Width(), rc.Height());
  pPopup->DrawCommandBar(canvas.DC());
  const CPoint ptArrow = pPopup->GetScrollButtonRect(FALSE).CenterPoint();
  EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), canvas.Pixel(ptArrow.x, ptArrow.y + 1));

  pPopup->SetTrackingMode(jvkTrackingOff, TRUE, FALSE);
  EXPECT_EQ(nullptr, pPopup->GetSafeHwnd());
  pPopup->ReleaseBarRef();
}

TEST_F(MenuBarInput, PlacementOnTheWorkAreaOfTheOpeningControl) {
  // A left task bar and a work area that does not start at screen 0: a
  // leftwards popup at a point that does not fit starts at the work area's
  // left edge.
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, ID_SF_NEW, "&New channel list");
  menu.AppendMenu(MF_STRING, ID_SF_SAVE, "&Save");
  const struct {
    const char* pszCase;
    CRect rcWork;
    int x, y;
    DWORD dwFlags;
    BOOL bLeftAtWork;   // the popup starts at the work area's left edge
    BOOL bAbovePoint;   // its bottom is at the point
  } rows[] = {
      {"leftwards at a point near a left task bar", CRect(60, 0, 1000, 700), 70, 100, JVK_POPUP_OPENS_LEFT, TRUE, FALSE},
      {"on a second monitor to the right", CRect(1280, 0, 2560, 1024), 1290, 100, JVK_POPUP_OPENS_LEFT, TRUE, FALSE},
      {"a point in the lower half opens above it", CRect(0, 0, 1000, 400), 300, 380, 0, FALSE, TRUE},
  };
  for (const auto& row : rows) {
    CFakeWorkArea work(row.rcWork);
    CJVKPopupBar* pPopup = CJVKPopupBar::CreatePopupBar(m_pBars);
    pPopup->GetControls()->LoadMenu(&menu);
    ASSERT_TRUE(pPopup->PopupAt(row.x, row.y, row.dwFlags)) << row.pszCase;
    const CRect rc = WindowRect(pPopup);
    if (row.bLeftAtWork) EXPECT_EQ(row.rcWork.left, rc.left) << row.pszCase;
    if (row.bAbovePoint) EXPECT_EQ(row.y, rc.bottom) << row.pszCase;
    EXPECT_GE(rc.left, row.rcWork.left) << row.pszCase;
    pPopup->SetTrackingMode(jvkTrackingOff, TRUE, FALSE);
    pPopup->ReleaseBarRef();
  }
}

TEST_F(MenuBarInput, RarelyUsedCommandsHideUntilThePopupExpands) {
  CJVKCommandBarsOptions* pOptions = m_pBars->GetCommandBarsOptions();
  pOptions->m_bAlwaysShowFullMenus = FALSE;
  for (UINT nID : {ID_SF_COPY, ID_SF_PASTE, ID_SF_ABOUT}) pOptions->m_mapHiddenCommands.SetAt(nID, TRUE);

  PressWith({VK_MENU}, 'E');
  CJVKPopupBar* pEdit = PopupOf(m_pMenuBar, 1);
  ASSERT_TRUE(IsOpen(pEdit));
  EXPECT_FALSE(pEdit->IsExpanded());
  EXPECT_EQ((std::vector<int>{1, 2}), HiddenBy(pEdit, JVK_HIDE_RARELY_USED)) << "&Copy and &Paste";
  CJVKControl* pExpand = pEdit->GetControls()->GetAt(pEdit->GetControls()->GetCount() - 1);
  EXPECT_EQ(JVK_ID_POPUP_EXPAND, pExpand->GetID());
  EXPECT_EQ(0u, pExpand->GetHideFlags());
  const int cyCollapsed = WindowRect(pEdit).Height();
  EXPECT_GT(pExpand->GetRect().top, pEdit->GetControls()->GetAt(4)->GetRect().top) << "the expand button at the foot";

  // Ctrl+Down expands: every command shows, the expand button goes.
  PressWith({VK_CONTROL}, VK_DOWN);
  EXPECT_TRUE(pEdit->IsExpanded());
  EXPECT_TRUE(HiddenBy(pEdit, JVK_HIDE_RARELY_USED).empty());
  EXPECT_NE(0u, pExpand->GetHideFlags());
  EXPECT_GT(WindowRect(pEdit).Height(), cyCollapsed);
  // Popups opened in this session open expanded: Help's only command is
  // rarely used anyway, and a popup of nothing but such commands shows them.
  PressKey(VK_ESCAPE);
  PressKey(VK_ESCAPE);

  PressWith({VK_MENU}, 'H');
  CJVKPopupBar* pHelp = PopupOf(m_pMenuBar, IndexOf(_T("&Help")));
  ASSERT_TRUE(IsOpen(pHelp));
  EXPECT_TRUE(HiddenBy(pHelp, JVK_HIDE_RARELY_USED).empty());
  EXPECT_EQ(1, pHelp->GetControls()->GetCount()) << "no expand button";
  PressKey(VK_ESCAPE);
  PressKey(VK_ESCAPE);

  // A new session opens collapsed again; a used command shows from then on.
  pOptions->m_mapUsedCommands.SetAt(ID_SF_COPY, TRUE);
  PressWith({VK_MENU}, 'E');
  ASSERT_TRUE(IsOpen(pEdit));
  EXPECT_FALSE(pEdit->IsExpanded());
  EXPECT_EQ((std::vector<int>{2}), HiddenBy(pEdit, JVK_HIDE_RARELY_USED)) << "&Paste only";
  PressKey(VK_ESCAPE);
  PressKey(VK_ESCAPE);
}

TEST_F(MenuBarInput, APopupOfAThemeWithShadowsCastsTwoStripsThatGoWithIt) {
  CThemeRef theme(1, FALSE);  // the flat theme draws its own shadows
  m_pBars->SetPaintManager(theme.get());
  CJVKShadowManager* pShadows = GetShadowManager();
  const INT_PTR nBefore = pShadows->m_lstShadows.GetCount();
  PressWith({VK_MENU}, 'E');
  CJVKPopupBar* pEdit = PopupOf(m_pMenuBar, 1);
  ASSERT_TRUE(IsOpen(pEdit));
  ASSERT_EQ(nBefore + 2, pShadows->m_lstShadows.GetCount());
  const CRect rcPopup = WindowRect(pEdit);
  for (POSITION pos = pShadows->m_lstShadows.GetHeadPosition(); pos;) {
    auto* pShadow = static_cast<CJVKShadowWnd*>(pShadows->m_lstShadows.GetNext(pos));
    if (pShadow->GetBar() != pEdit->m_hWnd) continue;
    const CRect rc = WindowRect(pShadow);
    if (pShadow->IsHorizontal())
      EXPECT_EQ(rcPopup.bottom, rc.top);
    else
      EXPECT_EQ(rcPopup.right, rc.left);
  }
  PressKey(VK_ESCAPE);
  EXPECT_EQ(nBefore, pShadows->m_lstShadows.GetCount()) << "the strips went with the popup";
  PressKey(VK_ESCAPE);
  m_pBars->SetPaintManager(nullptr);
}
