// The menu bar of a frame with a menu like the editor's, driven with
// injected keys through the frame's loop: Alt, F10 and Alt+letter, the
// popups it opens, their submenus and Escape one level at a time; and
// TrackPopupMenu with its own loop, ended by a click, by Escape and by a
// quit. Run alone: the input goes to whichever window is in front.
#include "ClassicTheme.h"
#include "CommandBars.h"
#include "ControlPopup.h"
#include "DockBar.h"
#include "MenuBar.h"
#include "PaintTestSupport.h"
#include "PopupBar.h"
#include "ReBar.h"
#include "ShadowWnd.h"
#include "SiteFrame.h"
#include "ToolBar.h"

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

namespace {

std::vector<CString> g_resetPrompts;
int g_nResetAnswer = IDOK;

int CALLBACK AnswerResetPrompt(LPCTSTR pszText, UINT nType, UINT) {
  g_resetPrompts.push_back(pszText);
  EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION), nType);
  return g_nResetAnswer;
}

std::vector<CString> CaptionsOf(CJVKCommandBar* pBar) {
  std::vector<CString> captions;
  for (int i = 0; i < pBar->GetControls()->GetCount(); ++i) captions.push_back(pBar->GetControls()->GetAt(i)->GetCaption());
  return captions;
}

}  // namespace

TEST_F(MenuBarInput, ResetAsksAndBuildsTheMenuAgainOrTakesTheOriginalControlsBack) {
  const std::vector<CString> fromResource = CaptionsOf(m_pMenuBar);
  ASSERT_GE(fromResource.size(), 3u);
  const CString prompt("Are you sure you want to reset the changes made to the 'Menu Bar' toolbar?");
  const AFX_MSGBOX_HOOK pfnPrevious = AfxSetMessageBoxHook(AnswerResetPrompt);
  const struct {
    const char* pszCase;
    BOOL bOriginals;  // a copy of the original controls, taken without the last menu
    int nAnswer;
    BOOL bRestored;
  } rows[] = {
      {"no original copy, Cancel: nothing changes", FALSE, IDCANCEL, FALSE},
      {"no original copy, OK: the menu resource again", FALSE, IDOK, TRUE},
      {"an original copy, OK: the copy again", TRUE, IDOK, TRUE},
      {"an original copy, Cancel: nothing changes", TRUE, IDCANCEL, FALSE},
  };
  for (const auto& row : rows) {
    CJVKControls* pControls = m_pMenuBar->GetControls();
    std::vector<CString> expected = fromResource;
    if (row.bOriginals) {
      m_pMenuBar->SetBarID(IDR_SF_MENU);
      pControls->RemoveAt(pControls->GetCount() - 1);
      expected.pop_back();
      pControls->CreateOriginalControls();
    }
    pControls->RemoveAt(0);
    const std::vector<CString> changed = CaptionsOf(m_pMenuBar);
    g_resetPrompts.clear();
    g_nResetAnswer = row.nAnswer;
    m_pMenuBar->Reset();
    EXPECT_EQ(std::vector<CString>{prompt}, g_resetPrompts) << row.pszCase;
    EXPECT_EQ(row.bRestored ? expected : changed, CaptionsOf(m_pMenuBar)) << row.pszCase;
    // Back to the menu as loaded for the next row.
    ASSERT_TRUE(m_pMenuBar->LoadMenuBar(IDR_SF_MENU)) << row.pszCase;
  }
  AfxSetMessageBoxHook(pfnPrevious);
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
  // The command bars' accelerator (F5) names Open's shortcut.
  EXPECT_EQ(CString("F5"), pFile->GetControls()->GetAt(1)->GetShortcutText());

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
    int nEnd;  // -1: not checked
  } steps[] = {
      {"down one", JVK_TIMER_SCROLL_DOWN, nEnd + 1},
      {"down one more", JVK_TIMER_SCROLL_DOWN, nEnd + 2},
      {"up one", JVK_TIMER_SCROLL_UP, -1},
  };
  for (const auto& step : steps) {
    const int nFirstBefore = pPopup->GetFirstVisibleIndex();
    pPopup->SendMessage(WM_TIMER, step.nTimer);
    if (step.nEnd >= 0) {
      EXPECT_EQ(step.nEnd, pPopup->GetEndVisibleIndex()) << step.pszCase;
    }
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
    if (row.bLeftAtWork) {
      EXPECT_EQ(row.rcWork.left, rc.left) << row.pszCase;
    }
    if (row.bAbovePoint) {
      EXPECT_EQ(row.y, rc.bottom) << row.pszCase;
    }
    EXPECT_GE(rc.left, row.rcWork.left) << row.pszCase;
    pPopup->SetTrackingMode(jvkTrackingOff, TRUE, FALSE);
    pPopup->ReleaseBarRef();
  }
}

TEST_F(MenuBarInput, APopupToolBarLaysItsButtonsOutInRowsAndNeverScrolls) {
  CJVKPopupToolBar* pPalette = CJVKPopupToolBar::CreatePopupToolBar(m_pBars);
  for (int i = 0; i < 6; ++i) pPalette->GetControls()->Add(jvkControlButton, ID_SF_MENU_FIRST + i);
  // A work area too short for two rows: a popup tool bar does not scroll.
  CFakeWorkArea work(CRect(0, 0, 800, pPalette->GetButtonSize().cy + 20));
  ASSERT_TRUE(pPalette->PopupAt(100, 0, 0));
  EXPECT_EQ(jvkBarTypeToolBar, pPalette->GetType());
  EXPECT_FALSE(pPalette->IsScrolling());
  CJVKControls* pControls = pPalette->GetControls();
  // One row while its width allows; room for three buttons a row gives two.
  EXPECT_EQ(pControls->GetAt(0)->GetRect().top, pControls->GetAt(5)->GetRect().top);
  const int cxButton = pControls->GetAt(0)->GetRect().Width();
  pPalette->SetMRUWidth(2 + 3 * cxButton + cxButton / 2 + 2);
  pPalette->DelayLayout();
  const int nFirstRow = pControls->GetAt(0)->GetRect().top;
  const int nSecondRow = pControls->GetAt(3)->GetRect().top;
  EXPECT_GT(nSecondRow, nFirstRow);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(i < 3 ? nFirstRow : nSecondRow, pControls->GetAt(i)->GetRect().top) << i;
    EXPECT_EQ(0u, pControls->GetAt(i)->GetHideFlags()) << i;
  }
  EXPECT_EQ(pControls->GetAt(0)->GetRect().right, pControls->GetAt(1)->GetRect().left) << "side by side";
  // Its keys run along the rows.
  pPalette->SetSelected(0, 2);
  pPalette->OnHookKeyDown(VK_RIGHT, 0);
  EXPECT_EQ(1, pPalette->GetSelectedIndex());
  pPalette->SetTrackingMode(jvkTrackingOff, TRUE, FALSE);
  pPalette->ReleaseBarRef();
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

namespace {

// The classic theme, recording what its growth animation is given.
class CExpansionRecordingTheme : public CJVKClassicTheme {
 public:
  void AnimateExpanding(CDC* pDC, CDC* pSourceDC, CRect rc, const RECT* pBands, const BOOL* pHidden, int nBands,
                        BOOL bDownwards) override {
    ++m_nCalls;
    m_rc = rc;
    m_bands.assign(pBands, pBands + nBands);
    m_hidden.assign(pHidden, pHidden + nBands);
    m_bDownwards = bDownwards;
    CJVKClassicTheme::AnimateExpanding(pDC, pSourceDC, rc, pBands, pHidden, nBands, bDownwards);
  }
  int m_nCalls = 0;
  CRect m_rc;
  std::vector<CRect> m_bands;
  std::vector<BOOL> m_hidden;
  BOOL m_bDownwards = FALSE;
};

}  // namespace

TEST_F(MenuBarInput, AnExpandingPopupGrowsItsFormerlyHiddenBandsThroughThePaintManager) {
  auto* pTheme = new CExpansionRecordingTheme;
  CFakeClock clock;
  pTheme->m_pClock = &clock;
  m_pBars->SetPaintManager(pTheme);
  CJVKCommandBarsOptions* pOptions = m_pBars->GetCommandBarsOptions();
  pOptions->m_bAlwaysShowFullMenus = FALSE;
  for (UINT nID : {ID_SF_COPY, ID_SF_PASTE}) pOptions->m_mapHiddenCommands.SetAt(nID, TRUE);
  const struct {
    const char* pszCase;
    LONG nAnimation;
    int nCalls;
  } rows[] = {
      {"unfold", 2, 1},
      {"none", 5, 0},
  };
  for (const auto& row : rows) {
    pOptions->m_nAnimationType = row.nAnimation;
    GetMouseManager()->m_bOpenExpanded = FALSE;
    pTheme->m_nCalls = 0;
    PressWith({VK_MENU}, 'E');
    CJVKPopupBar* pEdit = PopupOf(m_pMenuBar, 1);
    ASSERT_TRUE(IsOpen(pEdit)) << row.pszCase;
    ASSERT_EQ((std::vector<int>{1, 2}), HiddenBy(pEdit, JVK_HIDE_RARELY_USED)) << row.pszCase;
    clock.m_sleeps.clear();
    PressWith({VK_CONTROL}, VK_DOWN);
    ASSERT_TRUE(pEdit->IsExpanded()) << row.pszCase;
    EXPECT_TRUE(IsOpen(pEdit)) << row.pszCase << ": shown again at its new size";
    EXPECT_EQ(row.nCalls, pTheme->m_nCalls) << row.pszCase;
    if (row.nCalls > 0) {
      CRect rcClient;
      pEdit->GetClientRect(&rcClient);
      EXPECT_EQ(rcClient, pTheme->m_rc);
      CJVKControls* pControls = pEdit->GetControls();
      // Cut shown before, Copy and Paste hidden, the rest shown: three bands
      // that cover the popup from top to bottom.
      const std::vector<CRect> bands = {
          CRect(rcClient.left, rcClient.top, rcClient.right, pControls->GetAt(1)->GetRect().top),
          CRect(rcClient.left, pControls->GetAt(1)->GetRect().top, rcClient.right, pControls->GetAt(3)->GetRect().top),
          CRect(rcClient.left, pControls->GetAt(3)->GetRect().top, rcClient.right, rcClient.bottom)};
      EXPECT_EQ(bands, pTheme->m_bands);
      EXPECT_EQ((std::vector<BOOL>{FALSE, TRUE, FALSE}), pTheme->m_hidden);
      EXPECT_TRUE(pTheme->m_bDownwards) << "dropped from the menu bar, it grows downwards";
      EXPECT_EQ(static_cast<size_t>(pTheme->m_nAnimationSteps), clock.m_sleeps.size()) << "one pause per frame";
    }
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
  }
  GetMouseManager()->m_bOpenExpanded = FALSE;
  m_pBars->SetPaintManager(nullptr);
  pTheme->InternalRelease();
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

// ------------------------------------------------ dock bars and dragging

namespace {

class DockingInput : public MenuBarInput {
 protected:
  void SetUp() override {
    MenuBarInput::SetUp();
    m_pStandard = AddBar(_T("Standard"), IDR_SF_STANDARD);
    m_pLists = AddBar(_T("Lists"), IDR_SF_LISTS);
    ASSERT_TRUE(m_pStandard && m_pLists);
    m_pFrame->RecalcLayout();
    Settle(60);
  }
  CJVKToolBar* AddBar(LPCTSTR pszCaption, UINT nID) {
    CJVKToolBar* pBar = m_pBars->Add(pszCaption, jvkBarTop);
    return pBar && pBar->LoadToolBar(nID) ? pBar : nullptr;
  }
  CPoint ClientPoint(int x, int y) const {
    CPoint pt(x, y);
    m_pFrame->ClientToScreen(&pt);
    return pt;
  }
  // A point of the bar outside its controls: its gripper (a docked bar's
  // near end) or a floating bar's caption.
  CPoint GripPoint(CJVKToolBar* pBar) const {
    CRect rc;
    pBar->GetWindowRect(&rc);
    if (pBar->GetPosition() == jvkBarLeft || pBar->GetPosition() == jvkBarRight) return CPoint(rc.CenterPoint().x, rc.top + 3);
    if (pBar->GetPosition() == jvkBarFloating) return CPoint(rc.left + 6, rc.top + 6);
    return CPoint(rc.left + 3, rc.CenterPoint().y);
  }
  // Presses at from, moves to each point in turn, then releases: all
  // queued before the drag's loop reads them.
  void Drag(CPoint ptFrom, std::initializer_list<CPoint> path) {
    InjectMouseMove(ptFrom.x, ptFrom.y);
    Settle(60);
    InjectMouseButton(MOUSEEVENTF_LEFTDOWN);
    for (const CPoint& pt : path) InjectMouseMove(pt.x, pt.y);
    InjectMouseButton(MOUSEEVENTF_LEFTUP);
    Settle(300);
  }
  std::vector<int> RowOf(CJVKDockBar* pDock, CJVKToolBar* pBar) const {
    std::vector<int> rows;
    int nRow = 0;
    for (CJVKToolBar* p : pDock->GetArray()) {
      if (p == nullptr) ++nRow;
      if (p == pBar) rows.push_back(nRow);
    }
    return rows;
  }

  CJVKToolBar* m_pStandard = nullptr;
  CJVKToolBar* m_pLists = nullptr;
};

}  // namespace

TEST_F(DockingInput, TheBarsDockInRowsOfTheTopDockBar) {
  CJVKDockBar* pTop = m_pBars->GetDockBar(jvkBarTop);
  ASSERT_NE(nullptr, pTop);
  EXPECT_EQ(pTop, m_pStandard->GetDockBar());
  // The stretched menu bar alone in the first row, then one row per bar.
  EXPECT_EQ(std::vector<int>{1}, RowOf(pTop, m_pMenuBar));
  EXPECT_EQ(std::vector<int>{2}, RowOf(pTop, m_pStandard));
  EXPECT_EQ(std::vector<int>{3}, RowOf(pTop, m_pLists));
  CRect rcMenu, rcStandard, rcLists, rcTop;
  m_pMenuBar->GetWindowRect(&rcMenu);
  m_pStandard->GetWindowRect(&rcStandard);
  m_pLists->GetWindowRect(&rcLists);
  pTop->GetWindowRect(&rcTop);
  EXPECT_EQ(rcTop.top, rcMenu.top);
  EXPECT_EQ(rcTop.Width(), rcMenu.Width()) << "the menu bar stretches over its row";
  EXPECT_EQ(rcMenu.bottom, rcStandard.top);
  EXPECT_EQ(rcStandard.bottom, rcLists.top);
  EXPECT_EQ(rcLists.bottom, rcTop.bottom);
  EXPECT_EQ(ClientPoint(0, 0), rcTop.TopLeft());
  // Hiding a bar gives its row back.
  m_pLists->SetVisible(FALSE);
  m_pFrame->RecalcLayout();
  pTop->GetWindowRect(&rcTop);
  EXPECT_EQ(rcStandard.bottom, rcTop.bottom);
  m_pLists->SetVisible(TRUE);
}

TEST_F(DockingInput, ADragMovesABarToTheLeftAndToFloatingAndADoubleClickDocksItBack) {
  CRect rcClient;
  m_pFrame->GetClientRect(&rcClient);
  CJVKDockBar* pLeft = m_pBars->GetDockBar(jvkBarLeft);
  const CPoint ptFrom = GripPoint(m_pLists);
  const CPoint ptLeft = ClientPoint(6, rcClient.Height() / 2);
  Drag(ptFrom, {CPoint(ptFrom.x + 20, ptFrom.y + 40), CPoint(ptLeft.x + 10, ptLeft.y), ptLeft});
  EXPECT_EQ(pLeft, m_pLists->GetDockBar());
  EXPECT_EQ(jvkBarLeft, m_pLists->GetPosition());
  CRect rcLists, rcLeft;
  m_pLists->GetWindowRect(&rcLists);
  pLeft->GetWindowRect(&rcLeft);
  EXPECT_GT(rcLists.Height(), rcLists.Width()) << "laid out down the left side";
  EXPECT_EQ(rcLeft.left, rcLists.left);
  EXPECT_EQ(rcLists.Width(), rcLeft.Width());
  EXPECT_TRUE(m_pBars->GetCommandBarsOptions()->m_bDirty) << "the layout changed";

  // Out into the frame's middle: floating.
  const CPoint ptMiddle = ClientPoint(rcClient.Width() / 2, rcClient.Height() / 2 + 30);
  Drag(GripPoint(m_pLists), {CPoint(ptMiddle.x - 40, ptMiddle.y), ptMiddle});
  EXPECT_EQ(jvkBarFloating, m_pLists->GetPosition());
  EXPECT_EQ(nullptr, m_pLists->GetDockBar());
  EXPECT_TRUE(m_pLists->GetStyle() & WS_POPUP);
  m_pLists->GetWindowRect(&rcLists);
  EXPECT_TRUE(rcLists.PtInRect(ptMiddle)) << "the bar under the cursor";
  pLeft->GetWindowRect(&rcLeft);
  EXPECT_EQ(0, rcLeft.Width()) << "the left dock bar is empty again";
  if (const char* pszShot = getenv("UIKIT_FLOATING_SHOT")) {
    m_pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    m_pLists->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Settle(60);
    SaveScreen(pszShot);
  }

  // A double click on its caption docks it back where it was.
  const CPoint ptCaption = GripPoint(m_pLists);
  InjectMouseMove(ptCaption.x, ptCaption.y);
  Settle(60);
  for (DWORD dw : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP})
    InjectMouseButton(dw);
  Settle(300);
  EXPECT_EQ(pLeft, m_pLists->GetDockBar());
  EXPECT_EQ(jvkBarLeft, m_pLists->GetPosition());
  EXPECT_TRUE(m_pLists->GetStyle() & WS_CHILD);
  EXPECT_TRUE(m_pFrame->m_commands.empty()) << "no button was pressed on the way";
}

TEST_F(DockingInput, EscapeEndsADragWithTheBarWhereItWas) {
  CRect rcClient;
  m_pFrame->GetClientRect(&rcClient);
  const CPoint ptFrom = GripPoint(m_pLists);
  const CPoint ptLeft = ClientPoint(6, rcClient.Height() / 2);
  // Escape after the bar reached the left side, with the button still
  // held; the pointer then moves on to the middle, where a drag would float
  // the bar.
  const CPoint ptMiddle = ClientPoint(rcClient.Width() / 2, rcClient.Height() / 2 + 30);
  InjectMouseMove(ptFrom.x, ptFrom.y);
  Settle(60);
  InjectMouseButton(MOUSEEVENTF_LEFTDOWN);
  for (const CPoint& pt : {CPoint(ptFrom.x + 20, ptFrom.y + 40), ptLeft}) InjectMouseMove(pt.x, pt.y);
  InjectKey(VK_ESCAPE, FALSE);
  InjectKey(VK_ESCAPE, TRUE);
  InjectMouseMove(ptMiddle.x, ptMiddle.y);
  InjectMouseButton(MOUSEEVENTF_LEFTUP);
  Settle(300);
  EXPECT_EQ(m_pBars->GetDockBar(jvkBarLeft), m_pLists->GetDockBar()) << "left where the drag brought it";
  EXPECT_EQ(jvkBarLeft, m_pLists->GetPosition());
  EXPECT_EQ(nullptr, ::GetCapture());
  const CJVKMouseManager* pMouse = PeekMouseManager();
  EXPECT_EQ(0, pMouse ? pMouse->m_nLock : 0) << "the modal count drops back";
}

TEST_F(DockingInput, ADockBarPrintsItsBarsWhereTheyStand) {
  CJVKDockBar* pTop = m_pBars->GetDockBar(jvkBarTop);
  const CRect rc = pTop->GetClientRect();
  CPoint pt = m_pStandard->GetControls()->GetAt(0)->GetRect().CenterPoint();
  m_pStandard->ClientToScreen(&pt);
  pTop->ScreenToClient(&pt);
  const COLORREF clrPicture = RGB(0xC0, 0x20, 0x20);  // the strip's first picture
  CDibCanvas withBars(rc.Width(), rc.Height());
  pTop->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(withBars.DC()->GetSafeHdc()), PRF_CLIENT | PRF_CHILDREN);
  EXPECT_EQ(clrPicture, withBars.Pixel(pt.x, pt.y)) << "Standard's first button, at its place";
  CDibCanvas bare(rc.Width(), rc.Height());
  pTop->SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bare.DC()->GetSafeHdc()), PRF_CLIENT);
  EXPECT_NE(clrPicture, bare.Pixel(pt.x, pt.y)) << "the background alone";
  EXPECT_EQ(bare.Pixel(rc.right - 2, rc.bottom - 2), withBars.Pixel(rc.right - 2, rc.bottom - 2)) << "beside the bars";
}

TEST_F(DockingInput, ADroppedBarFindsItsRowByItsCentre) {
  CJVKDockBar* pTop = m_pBars->GetDockBar(jvkBarTop);
  CRect rcStandard, rcLists;
  m_pStandard->GetWindowRect(&rcStandard);
  m_pLists->GetWindowRect(&rcLists);
  // Lists dropped with its centre inside Standard's row, to its right:
  // both share that row.
  CRect rcDrop(rcStandard.right + 40, rcStandard.top, rcStandard.right + 40 + rcLists.Width(), rcStandard.bottom);
  m_pBars->DockCommandBar(m_pLists, &rcDrop, pTop);
  m_pFrame->RecalcLayout();
  EXPECT_EQ(RowOf(pTop, m_pStandard), RowOf(pTop, m_pLists));
  m_pLists->GetWindowRect(&rcLists);
  EXPECT_EQ(rcStandard.top, rcLists.top);
  EXPECT_GE(rcLists.left, rcStandard.right);
  // Dropped exactly on the boundary between the menu bar's row and
  // Standard's: a new row between them.
  CRect rcMenu;
  m_pMenuBar->GetWindowRect(&rcMenu);
  const int h = rcLists.Height();
  CRect rcBoundary(rcStandard.left + 60, rcMenu.bottom - h / 2, rcStandard.left + 60 + rcLists.Width(),
                   rcMenu.bottom - h / 2 + 2 * (h / 2));
  m_pBars->DockCommandBar(m_pLists, &rcBoundary, pTop);
  m_pFrame->RecalcLayout();
  EXPECT_EQ(std::vector<int>{2}, RowOf(pTop, m_pLists));
  EXPECT_EQ(std::vector<int>{3}, RowOf(pTop, m_pStandard));
  EXPECT_EQ(std::vector<int>{1}, RowOf(pTop, m_pMenuBar)) << "the menu bar keeps its row";
}

TEST_F(DockingInput, AFloatingBarResizedByItsEdgeWrapsItsButtonsAndKeepsTheWidth) {
  CRect rcClient;
  m_pFrame->GetClientRect(&rcClient);
  ASSERT_TRUE(m_pBars->FloatCommandBar(m_pLists));
  const CPoint ptAt = ClientPoint(rcClient.Width() / 2, rcClient.Height() / 2);
  const CSize szFloating = m_pLists->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
  m_pLists->SetWindowPos(nullptr, ptAt.x, ptAt.y, szFloating.cx, szFloating.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  Settle(60);
  CRect rcBefore;
  m_pLists->GetWindowRect(&rcBefore);
  // The right edge dragged leftwards to half the width.
  const CPoint ptEdge(rcBefore.right - 1, rcBefore.top + rcBefore.Height() / 2);
  ASSERT_EQ(HTRIGHT, m_pLists->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptEdge.x, ptEdge.y)));
  const int xTarget = rcBefore.left + rcBefore.Width() / 2;
  Drag(ptEdge, {CPoint(ptEdge.x - 10, ptEdge.y), CPoint(xTarget, ptEdge.y)});
  CRect rcAfter;
  m_pLists->GetWindowRect(&rcAfter);
  EXPECT_EQ(rcBefore.left, rcAfter.left) << "the left edge stays";
  EXPECT_LT(rcAfter.Width(), rcBefore.Width());
  EXPECT_GT(rcAfter.Height(), rcBefore.Height()) << "the buttons wrapped into rows";
  EXPECT_EQ(rcAfter.Width(), m_pLists->GetMRUWidth()) << "the width is remembered";
  EXPECT_EQ(jvkBarFloating, m_pLists->GetPosition());
}

TEST_F(DockingInput, ARebarHostsABarInABandOfItsOwn) {
  CJVKReBar rebar;
  ASSERT_TRUE(rebar.Create(m_pFrame));
  EXPECT_EQ(-1, rebar.GetBandIndex(m_pLists));
  ASSERT_TRUE(rebar.AddToolBar(m_pLists));
  EXPECT_EQ(0, rebar.GetBandIndex(m_pLists));
  EXPECT_EQ(-1, rebar.GetBandIndex(m_pStandard));
  EXPECT_EQ(nullptr, m_pLists->GetDockBar()) << "out of its dock bar";
  EXPECT_EQ(0u, m_pLists->GetBarStyle() & CBRS_GRIPPER) << "the band has the gripper";
  EXPECT_EQ(rebar.m_hWnd, ::GetParent(m_pLists->m_hWnd));
  REBARBANDINFOA band = {};
  band.cbSize = REBARBANDINFOA_V3_SIZE;
  band.fMask = RBBIM_ID;
  ASSERT_TRUE(rebar.SendMessage(RB_GETBANDINFOA, 0, reinterpret_cast<LPARAM>(&band)));
  EXPECT_EQ(static_cast<UINT>(IDR_SF_LISTS), band.wID);
  ASSERT_TRUE(rebar.AddToolBar(m_pStandard));
  EXPECT_EQ(1, rebar.GetBandIndex(m_pStandard));
  rebar.RemoveToolBar(m_pLists);
  EXPECT_EQ(-1, rebar.GetBandIndex(m_pLists));
  EXPECT_EQ(0, rebar.GetBandIndex(m_pStandard));
  // Back into the dock bars before the rebar goes.
  rebar.RemoveToolBar(m_pStandard);
  m_pBars->DockCommandBar(m_pLists, jvkBarTop);
  m_pBars->DockCommandBar(m_pStandard, jvkBarTop);
  EXPECT_EQ(m_pBars->GetDockBar(jvkBarTop), m_pLists->GetDockBar());
  rebar.DestroyWindow();
}

TEST_F(DockingInput, ADockBarWithStyleBitsOneAndFourLaysOutInTheHorizontalMode) {
  // Laid out with stretching, the horizontal mode starts from the full
  // width: a side dock bar with both bits takes the whole width offered,
  // one without them (or not stretched) only what its rows need.
  const struct {
    const char* pszCase;
    DWORD dwSide;
    DWORD dwBits;
    BOOL bStretch;
    BOOL bWholeWidth;
  } rows[] = {
      {"left, plain, stretched", 0x1400, 0, TRUE, FALSE},
      {"left, bits 1 and 4, stretched", 0x1400, 0x0005, TRUE, TRUE},
      {"left, bits 1 and 4, not stretched", 0x1400, 0x0005, FALSE, FALSE},
      {"left, bit 1 only, stretched", 0x1400, 0x0001, TRUE, FALSE},
      {"top, bits 1 and 4, stretched", 0x2800, 0x0005, TRUE, FALSE},
  };
  for (const auto& row : rows) {
    CJVKDockBar dock(nullptr);
    ASSERT_TRUE(dock.Create(m_pFrame, 0x56000000 | row.dwSide | row.dwBits, 0xE830)) << row.pszCase;
    AFX_SIZEPARENTPARAMS layout = {};
    layout.rect = CRect(0, 0, 300, 200);
    layout.bStretch = row.bStretch;
    dock.SendMessage(WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    const int nTaken = dock.IsHorizontal() ? layout.rect.top : layout.rect.left;
    EXPECT_EQ(row.bWholeWidth ? 300 : 0, nTaken) << row.pszCase;
    dock.DestroyWindow();
  }
}

TEST_F(DockingInput, TheCommandBarsOfferABarOnlyToACommandBarsRebarOfTheSite) {
  // A plain rebar, or one at another id, is not the site's rebar.
  CReBar plain;
  ASSERT_TRUE(plain.Create(m_pFrame));
  EXPECT_FALSE(m_pBars->AddToReBar(m_pLists)) << "a plain rebar";
  plain.DestroyWindow();
  CJVKReBar other;
  ASSERT_TRUE(other.Create(m_pFrame, RBS_BANDBORDERS, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_REBAR + 1));
  EXPECT_FALSE(m_pBars->AddToReBar(m_pLists)) << "another id";
  EXPECT_EQ(m_pBars->GetDockBar(jvkBarTop), m_pLists->GetDockBar()) << "left where it was";
  other.DestroyWindow();

  CJVKReBar rebar;
  ASSERT_TRUE(rebar.Create(m_pFrame));
  ASSERT_TRUE(m_pBars->AddToReBar(m_pLists));
  ASSERT_TRUE(m_pBars->AddToReBar(m_pStandard));
  EXPECT_EQ(0, rebar.GetBandIndex(m_pLists));
  EXPECT_EQ(1, rebar.GetBandIndex(m_pStandard));
  REBARBANDINFOA band = {};
  band.cbSize = REBARBANDINFOA_V3_SIZE;
  band.fMask = RBBIM_STYLE;
  ASSERT_TRUE(rebar.SendMessage(RB_GETBANDINFOA, 1, reinterpret_cast<LPARAM>(&band)));
  EXPECT_EQ(static_cast<UINT>(RBBS_BREAK | RBBS_GRIPPERALWAYS), band.fStyle & (RBBS_BREAK | RBBS_GRIPPERALWAYS))
      << "a line of its own with a gripper";
  // Removing a bar from the command bars takes its band away too.
  const HWND hLists = m_pLists->m_hWnd;
  m_pBars->Remove(m_pLists);
  m_pLists = nullptr;
  EXPECT_EQ(nullptr, m_pBars->FindCommandBar(IDR_SF_LISTS));
  EXPECT_FALSE(::IsWindow(hLists));
  EXPECT_EQ(1, static_cast<int>(rebar.SendMessage(RB_GETBANDCOUNT)));
  EXPECT_EQ(0, rebar.GetBandIndex(m_pStandard));
  m_pBars->RemoveFromReBar(m_pStandard);
  EXPECT_EQ(0, static_cast<int>(rebar.SendMessage(RB_GETBANDCOUNT)));
  m_pBars->DockCommandBar(m_pStandard, jvkBarTop);
  EXPECT_EQ(m_pBars->GetDockBar(jvkBarTop), m_pStandard->GetDockBar());
  rebar.DestroyWindow();
}

TEST_F(DockingInput, APopupTornOffBecomesAFloatingToolBarAndComingBackInsideUndoesIt) {
  const UINT nTearOffId = 0xE910;
  CJVKPopupBar* pEdit = PopupOf(m_pMenuBar, 1);
  ASSERT_NE(nullptr, pEdit);
  pEdit->SetTearOffPopup(_T("Edit"), nTearOffId, 120);
  const struct {
    const char* pszCase;
    BOOL bBackInside;
    BOOL bEscape;
    BOOL bKept;
  } rows[] = {
      {"back inside before the release: nothing torn off", TRUE, FALSE, FALSE},
      {"released outside: the bar stays", FALSE, FALSE, TRUE},
      {"Escape outside: the bar stays", FALSE, TRUE, TRUE},
  };
  for (const auto& row : rows) {
    PressWith({VK_MENU}, 'E');
    ASSERT_TRUE(IsOpen(pEdit)) << row.pszCase;
    CRect rcGripper = pEdit->GetGripperRect();
    ASSERT_FALSE(rcGripper.IsRectEmpty()) << row.pszCase;
    pEdit->ClientToScreen(&rcGripper);
    CRect rcPopup;
    pEdit->GetWindowRect(&rcPopup);
    const CPoint ptFrom = rcGripper.CenterPoint();
    const CPoint ptOut(rcPopup.CenterPoint().x, rcPopup.bottom + 60);
    InjectMouseMove(ptFrom.x, ptFrom.y);
    Settle(60);
    EXPECT_TRUE(pEdit->IsGripperHot()) << row.pszCase;
    InjectMouseButton(MOUSEEVENTF_LEFTDOWN);
    InjectMouseMove(ptOut.x, ptOut.y);
    if (row.bBackInside) InjectMouseMove(ptFrom.x, ptFrom.y + 2);
    if (row.bEscape) {
      InjectKey(VK_ESCAPE, FALSE);
      InjectKey(VK_ESCAPE, TRUE);
    }
    InjectMouseButton(MOUSEEVENTF_LEFTUP);
    Settle(300);
    auto* pBar = dynamic_cast<CJVKToolBar*>(m_pBars->FindCommandBar(nTearOffId));
    if (!row.bKept) {
      EXPECT_EQ(nullptr, pBar) << row.pszCase;
      EXPECT_TRUE(IsOpen(pEdit)) << row.pszCase << ": the popup shows again";
      PressKey(VK_ESCAPE);
      PressKey(VK_ESCAPE);
      continue;
    }
    ASSERT_NE(nullptr, pBar) << row.pszCase;
    EXPECT_EQ(jvkBarFloating, pBar->GetPosition());
    EXPECT_TRUE(pBar->IsWindowVisible());
    EXPECT_EQ(CString("Edit"), pBar->GetTitle());
    std::vector<int> ids;
    for (int i = 0; i < pBar->GetControls()->GetCount(); ++i)
      if (pBar->GetControls()->GetAt(i)->GetID() < JVK_ID_TOOLBAR_EXPAND)
        ids.push_back(pBar->GetControls()->GetAt(i)->GetID());
    EXPECT_EQ((std::vector<int>{ID_SF_CUT, ID_SF_COPY, ID_SF_PASTE, ID_SF_FIND, ID_SF_FAVOURITES}), ids);
    EXPECT_FALSE(IsOpen(pEdit)) << "the menus ended";
    EXPECT_EQ(jvkTrackingOff, m_pMenuBar->GetTrackingMode());
    CRect rcBar;
    pBar->GetWindowRect(&rcBar);
    EXPECT_EQ(ptOut.y - JVK_TEAROFF_MARGIN, rcBar.top) << "the bar hangs from the pointer";
    // Hidden by its close button's way, a torn-off bar leaves the list.
    pBar->SetVisible(FALSE);
    EXPECT_EQ(nullptr, m_pBars->FindCommandBar(nTearOffId)) << row.pszCase;
  }
}

TEST_F(DockingInput, ARightClickOnADockBarShowsTheBarsMenuUntilItClosesOrAQuitComes) {
  // The site fills the menu; an empty one would not show.
  m_pFrame->m_onSiteMessage = [](UINT nMessage, WPARAM, LPARAM lParam) {
    if (nMessage == JVK_WM_BARS_CONTEXT_MENU)
      reinterpret_cast<CJVKCommandBar*>(lParam)->GetControls()->Add(jvkControlButton, ID_SF_CUT);
  };
  CRect rcStandard;
  m_pStandard->GetWindowRect(&rcStandard);
  const CPoint pt(rcStandard.right + 40, rcStandard.CenterPoint().y);
  ASSERT_EQ(m_pBars->GetDockBar(jvkBarTop)->m_hWnd, ::WindowFromPoint(pt)) << "the dock bar beside the bar";
  const struct {
    const char* pszCase;
    std::vector<WORD> keys;  // pressed while the menu shows; none: a quit
    std::vector<UINT> commands;
  } rows[] = {
      {"Escape", {VK_ESCAPE}, {}},
      {"Down and Enter", {VK_DOWN, VK_RETURN}, {ID_SF_CUT}},
      {"a quit", {}, {}},
  };
  for (const auto& row : rows) {
    m_pFrame->m_commands.clear();
    BOOL bShown = FALSE;
    std::optional<CTrackTimers> timers;
    timers.emplace([&] {
      bShown = IsOpen(TrackedPopup());
      if (row.keys.empty()) ::PostQuitMessage(3);
      for (WORD w : row.keys) {
        InjectKey(w, FALSE);
        InjectKey(w, TRUE);
      }
    });
    InjectMouseMove(pt.x, pt.y);
    InjectMouseButton(MOUSEEVENTF_RIGHTDOWN);
    InjectMouseButton(MOUSEEVENTF_RIGHTUP);
    BOOL bQuit = FALSE;
    PumpUntil([] { return FALSE; }, 600, [&bQuit](const MSG& msg) { bQuit |= msg.message == WM_QUIT; });
    timers.reset();
    EXPECT_TRUE(bShown) << row.pszCase;
    EXPECT_EQ(nullptr, TrackedPopup()) << row.pszCase << ": the menu closed";
    EXPECT_EQ(row.commands, m_pFrame->m_commands) << row.pszCase;
    EXPECT_EQ(row.keys.empty(), bQuit) << row.pszCase << ": the quit reaches the outer loop";
  }
  m_pFrame->m_onSiteMessage = nullptr;
}

TEST_F(DockingInput, ARightClickOnABarShowsTheBarsMenuNamingThatBar) {
  CJVKCommandBar* pClicked = nullptr;
  m_pFrame->m_onSiteMessage = [&pClicked](UINT nMessage, WPARAM wParam, LPARAM lParam) {
    if (nMessage != JVK_WM_BARS_CONTEXT_MENU) return;
    pClicked = reinterpret_cast<CJVKCommandBar*>(wParam);
    reinterpret_cast<CJVKCommandBar*>(lParam)->GetControls()->Add(jvkControlButton, ID_SF_CUT);
  };
  CRect rcFirst = m_pStandard->GetControls()->GetAt(0)->GetRect();
  m_pStandard->ClientToScreen(&rcFirst);
  const struct {
    const char* pszCase;
    CJVKCommandBar* pBar;
    CPoint pt;
    WORD wKey;
    std::vector<UINT> commands;
  } rows[] = {
      {"the gripper, then Escape", m_pStandard, GripPoint(m_pStandard), VK_ESCAPE, {}},
      {"a button, then Enter on the menu's command", m_pStandard, rcFirst.CenterPoint(), VK_RETURN, {ID_SF_CUT}},
      {"the menu bar's gripper", m_pMenuBar, GripPoint(m_pMenuBar), VK_ESCAPE, {}},
  };
  for (const auto& row : rows) {
    ASSERT_EQ(row.pBar->m_hWnd, ::WindowFromPoint(row.pt)) << row.pszCase;
    m_pFrame->m_commands.clear();
    pClicked = nullptr;
    BOOL bShown = FALSE;
    std::optional<CTrackTimers> timers;
    timers.emplace([&] {
      bShown = IsOpen(TrackedPopup());
      if (row.wKey == VK_RETURN) {
        InjectKey(VK_DOWN, FALSE);
        InjectKey(VK_DOWN, TRUE);
      }
      InjectKey(row.wKey, FALSE);
      InjectKey(row.wKey, TRUE);
    });
    InjectMouseMove(row.pt.x, row.pt.y);
    InjectMouseButton(MOUSEEVENTF_RIGHTDOWN);
    InjectMouseButton(MOUSEEVENTF_RIGHTUP);
    PumpUntil([] { return FALSE; }, 600);
    timers.reset();
    EXPECT_TRUE(bShown) << row.pszCase;
    EXPECT_EQ(row.pBar, pClicked) << row.pszCase << ": the site is told which bar";
    EXPECT_EQ(nullptr, TrackedPopup()) << row.pszCase << ": the menu closed";
    EXPECT_EQ(row.commands, m_pFrame->m_commands) << row.pszCase;
    EXPECT_EQ(jvkTrackingOff, row.pBar->GetTrackingMode()) << row.pszCase;
  }
  m_pFrame->m_onSiteMessage = nullptr;
}

// ------------------------------------------------------- MDI frames

TEST(MenuBarMdi, AMaximizedChildShowsItsButtonsAtTheEndOfTheMenuBar) {
  auto* pFrame = new CMDIFrameWnd;
  ASSERT_TRUE(pFrame->LoadFrame(IDR_SITE_FRAME, WS_OVERLAPPEDWINDOW));
  pFrame->SetWindowPos(nullptr, 60, 60, 600, 400, SWP_NOZORDER | SWP_NOACTIVATE);
  pFrame->ShowWindow(SW_SHOWNORMAL);
  auto* pBars = static_cast<CJVKCommandBars*>(RUNTIME_CLASS(CJVKCommandBars)->CreateObject());
  pBars->SetSite(pFrame);
  pBars->EnableDocking();
  CJVKMenuBar* pMenuBar = pBars->SetMenu(_T("Menu Bar"), IDR_SF_MENU);
  ASSERT_NE(nullptr, pMenuBar);
  pFrame->RecalcLayout();
  CJVKControls* pControls = pMenuBar->GetControls();
  const int nEntries = pControls->GetCount();
  auto idsAfterEntries = [&] {
    std::vector<int> ids;
    for (int i = nEntries; i < pControls->GetCount(); ++i) ids.push_back(pControls->GetAt(i)->GetID());
    return ids;
  };

  const struct {
    const char* pszCase;
    DWORD dwChildStyle;
    DWORD dwBarFlags;
    std::vector<int> ids;
  } rows[] = {
      {"minimize, restore and close", WS_OVERLAPPEDWINDOW, 0,
       {JVK_ID_MDI_MINIMIZE, JVK_ID_MDI_RESTORE, JVK_ID_MDI_CLOSE}},
      {"a child without a minimize box", WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX, 0,
       {JVK_ID_MDI_RESTORE, JVK_ID_MDI_CLOSE}},
      {"bar flag 0x1000: no close button", WS_OVERLAPPEDWINDOW, JVK_BAR_NO_MDI_CLOSE,
       {JVK_ID_MDI_MINIMIZE, JVK_ID_MDI_RESTORE}},
  };
  for (const auto& row : rows) {
    pMenuBar->EnableDocking(0x5F | row.dwBarFlags);
    auto* pChild = new CMDIChildWnd;
    ASSERT_TRUE(pChild->Create(nullptr, "Channels", WS_CHILD | WS_VISIBLE | row.dwChildStyle, CFrameWnd::rectDefault,
                               pFrame))
        << row.pszCase;
    EXPECT_TRUE(PumpUntil([&] { return pMenuBar->GetActiveMdiChild() == pChild->m_hWnd; })) << row.pszCase;
    EXPECT_TRUE(idsAfterEntries().empty()) << row.pszCase << ": not maximized";
    pFrame->MDIMaximize(pChild);
    EXPECT_TRUE(PumpUntil([&] { return !idsAfterEntries().empty(); })) << row.pszCase;
    EXPECT_EQ(row.ids, idsAfterEntries()) << row.pszCase;
    pFrame->MDIRestore(pChild);
    EXPECT_TRUE(PumpUntil([&] { return idsAfterEntries().empty(); })) << row.pszCase << ": restored";
    pChild->MDIDestroy();
    PumpUntil([&] { return pMenuBar->GetActiveMdiChild() == nullptr; });
  }

  // Bar flag 0x2000: the child's icon comes first, its popup the child's
  // system menu with Close as its default.
  {
    pMenuBar->EnableDocking(0x5F | JVK_BAR_MDI_SYSMENU);
    auto* pChild = new CMDIChildWnd;
    ASSERT_TRUE(pChild->Create(nullptr, "Channels", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                               CFrameWnd::rectDefault, pFrame));
    pFrame->MDIMaximize(pChild);
    ASSERT_TRUE(PumpUntil([&] { return pControls->GetAt(0)->GetID() == JVK_ID_MDI_SYSMENU; }));
    CJVKControlParentBar* pSystemMenu = pControls->GetAt(0)->GetCommandBar();
    ASSERT_NE(nullptr, pSystemMenu);
    CJVKControl* pClose = pSystemMenu->GetControls()->FindControl(SC_CLOSE);
    ASSERT_NE(nullptr, pClose);
    EXPECT_TRUE(pClose->GetDefaultItem());
    EXPECT_EQ(CString("&File"), pControls->GetAt(1)->GetCaption()) << "the entries follow it";
    {
      // Its popup keeps clear of the icon and one pixel around it.
      ASSERT_TRUE(pMenuBar->SetTrackingMode(jvkTracking, FALSE, FALSE));
      pMenuBar->SetPopuped(0, TRUE);
      auto* pPopup = dynamic_cast<CJVKPopupBar*>(pSystemMenu);
      ASSERT_NE(nullptr, pPopup);
      EXPECT_TRUE(IsOpen(pPopup));
      CRect rcIcon = pControls->GetAt(0)->GetRect();
      pMenuBar->ClientToScreen(&rcIcon);
      rcIcon.InflateRect(1, 1);
      EXPECT_EQ(rcIcon, pPopup->GetExcludeRect());
      pMenuBar->SetTrackingMode(jvkTrackingOff, TRUE, FALSE);
      EXPECT_FALSE(IsOpen(pPopup));
    }
    if (const char* pszShot = getenv("UIKIT_MDI_SHOT")) {
      // The menu bar as the paint manager draws it.
      pFrame->RecalcLayout();
      const CRect rc = pMenuBar->GetClientRect();
      CDibCanvas shot(rc.Width(), rc.Height());
      pMenuBar->DrawCommandBar(shot.DC());
      shot.Save(pszShot);
    }
    pFrame->MDIRestore(pChild);
    EXPECT_TRUE(PumpUntil([&] { return pControls->FindControl(JVK_ID_MDI_SYSMENU) == nullptr; })) << "restored";
    EXPECT_EQ(nEntries, pControls->GetCount());
    pChild->MDIDestroy();
    PumpUntil([&] { return pMenuBar->GetActiveMdiChild() == nullptr; });
  }

  // The close button closes the maximized child.
  pMenuBar->EnableDocking(0x5F);
  auto* pChild = new CMDIChildWnd;
  ASSERT_TRUE(pChild->Create(nullptr, "Channels", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                             pFrame));
  const HWND hChild = pChild->m_hWnd;
  pFrame->MDIMaximize(pChild);
  ASSERT_TRUE(PumpUntil([&] { return pControls->FindControl(JVK_ID_MDI_CLOSE) != nullptr; }));
  pControls->FindControl(JVK_ID_MDI_CLOSE)->Execute();
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hChild); }));
  EXPECT_TRUE(PumpUntil([&] { return idsAfterEntries().empty(); }));
  EXPECT_EQ(nullptr, ::GetMenu(pFrame->m_hWnd)) << "the frame shows no menu of its own";

  pFrame->DestroyWindow();
  pBars->InternalRelease();
}
