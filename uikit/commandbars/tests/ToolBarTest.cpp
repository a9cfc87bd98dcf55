// A free-standing tool bar in a plain window, as the editor's panes use one:
// loaded from a tool-bar resource, laid out by the window's bar layout,
// painted through the paint manager, pressed with injected mouse input, and
// updated on idle by the window's update handlers.
#include "PaintTestSupport.h"
#include "ToolBarHost.h"
#include "ToolBarTestResources.h"

#include <InputInjection.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>


TEST(ToolBar, LoadsItsButtonsAskingTheSiteForEach) {
  CHostWithBar h;
  const int nLive = CJVKCommandBar::GetLiveCount();
  ASSERT_TRUE(h.pBar->LoadToolBar(IDR_TB_STANDARD));
  EXPECT_EQ(static_cast<UINT>(IDR_TB_STANDARD), h.pBar->GetBarID());
  ASSERT_EQ(3, h.pBar->GetControls()->GetCount());
  const int ids[] = {ID_TB_OPEN, ID_TB_DISABLED, ID_TB_CHECKED};
  const BOOL groups[] = {FALSE, TRUE, FALSE};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(ids[i], h.Control(i)->GetID()) << i;
    EXPECT_EQ(jvkControlButton, h.Control(i)->GetType()) << i;
    EXPECT_EQ(groups[i], h.Control(i)->GetBeginGroup()) << i;
  }
  EXPECT_EQ(CString("Opens an existing list."), h.Control(0)->GetDescription());

  // One request per button, with its place in the list (the separator
  // counts), then one notice with the control made.
  ASSERT_EQ(3u, h.host.m_requests.size());
  const int indexes[] = {0, 2, 3};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(ids[i], h.host.m_requests[i].nID);
    EXPECT_EQ(indexes[i], h.host.m_requests[i].nIndex);
    EXPECT_TRUE(h.host.m_requests[i].bFromButtonList);
    EXPECT_EQ(static_cast<CJVKControlParentBar*>(h.pBar), h.host.m_requests[i].pBar);
  }
  EXPECT_EQ((std::vector<CJVKControl*>{h.Control(0), h.Control(1), h.Control(2)}), h.host.m_created);
  // The loaded set is kept as the original one.
  ASSERT_NE(nullptr, h.pBar->GetControls()->GetOriginalControls());
  EXPECT_EQ(3, h.pBar->GetControls()->GetOriginalControls()->GetCount());

  // Loading again replaces the buttons; a site may supply a control or
  // change the type of the one made.
  h.host.m_onCreateControl = [](JVK_CREATE_CONTROL* pCreate) {
    if (pCreate->nID == ID_TB_CHECKED) pCreate->nType = jvkControlSplitButtonPopup;
  };
  ASSERT_TRUE(h.pBar->LoadToolBar(IDR_TB_STANDARD, FALSE));
  ASSERT_EQ(3, h.pBar->GetControls()->GetCount());
  EXPECT_EQ(jvkControlSplitButtonPopup, h.Control(2)->GetType());
  EXPECT_EQ(ID_TB_CHECKED, h.Control(2)->GetID());
  EXPECT_EQ(nLive, CJVKCommandBar::GetLiveCount());
}

TEST(ToolBar, ResourceRulesForIconSizeAndRefusals) {
  struct Row {
    const char* pszCase;
    UINT nID;
    BOOL bImages;
    BOOL bLoaded;
    CSize szIcon;
  } rows[] = {
      {"16 wide keeps the small icons", IDR_TB_STANDARD, TRUE, TRUE, CSize(16, 16)},
      {"24 wide sets the icon size", IDR_TB_LARGE, FALSE, TRUE, CSize(24, 24)},
      {"buttons without their bitmap", IDR_TB_NO_BITMAP, FALSE, TRUE, CSize(16, 16)},
      {"images asked for, no bitmap", IDR_TB_NO_BITMAP, TRUE, FALSE, CSize(16, 16)},
      {"count beyond the data", IDR_TB_TRUNCATED, FALSE, FALSE, CSize(16, 16)},
      {"no such resource", IDR_TB_MISSING, FALSE, FALSE, CSize(16, 16)},
  };
  for (const Row& row : rows) {
    CHostWithBar h;
    EXPECT_EQ(row.bLoaded, h.pBar->LoadToolBar(row.nID, row.bImages)) << row.pszCase;
    EXPECT_EQ(row.szIcon, h.pBar->GetIconSize()) << row.pszCase;
    EXPECT_EQ(row.szIcon + CSize(7, 7), h.pBar->GetButtonSize()) << row.pszCase;
    if (row.nID == IDR_TB_TRUNCATED || row.nID == IDR_TB_MISSING) {
      EXPECT_EQ(0, h.pBar->GetControls()->GetCount()) << row.pszCase;
    }
  }
}

TEST(ToolBar, TakesItsRoomAtTheTopOfTheWindowsLayout) {
  CHostWithBar h;
  ASSERT_TRUE(h.pBar->LoadToolBar(IDR_TB_STANDARD));
  h.host.RepositionBars(0, 0xFFFF, 0);
  const CRect rcBar = h.BarRect();
  EXPECT_EQ(0, rcBar.left);
  EXPECT_EQ(0, rcBar.top);
  EXPECT_GE(rcBar.Height(), h.pBar->GetButtonSize().cy);
  EXPECT_LT(rcBar.Height(), 60);

  // The buttons lie in one row inside the bar, after the gripper, the
  // second group apart from the first.
  const CSize szGripper = h.pBar->GetPaintManager()->DrawCommandBarGripper(nullptr, h.pBar, FALSE);
  ASSERT_GT(szGripper.cx, 0);
  EXPECT_GE(h.Control(0)->GetRect().left, szGripper.cx);
  EXPECT_GT(h.Control(1)->GetRect().left, h.Control(0)->GetRect().right);
  EXPECT_EQ(h.Control(2)->GetRect().left, h.Control(1)->GetRect().right);
  for (int i = 0; i < 3; ++i) {
    const CRect rc = h.Control(i)->GetRect();
    EXPECT_EQ(h.Control(0)->GetRect().top, rc.top) << i;
    EXPECT_TRUE(CRect(0, 0, rcBar.Width(), rcBar.Height()).PtInRect(rc.BottomRight() - CSize(1, 1))) << i;
  }

  // A narrow window wraps the buttons into a taller bar that never exceeds
  // the room it is given.
  h.host.SetWindowPos(nullptr, 0, 0, 40, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  h.host.RepositionBars(0, 0xFFFF, 0);
  const CRect rcNarrow = h.BarRect();
  EXPECT_LE(rcNarrow.Width(), 40);
  EXPECT_GT(rcNarrow.Height(), rcBar.Height());

  // A stretched bar takes the whole width.
  h.host.SetWindowPos(nullptr, 0, 0, 400, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  h.pBar->EnableDocking(JVK_DOCK_TOP | JVK_DOCK_STRETCHED);
  h.host.RepositionBars(0, 0xFFFF, 0);
  CRect rcHost;
  h.host.GetClientRect(&rcHost);
  EXPECT_EQ(rcHost.Width(), h.BarRect().Width());
  EXPECT_EQ(rcBar.Height(), h.BarRect().Height());

  // A hidden bar takes no room.
  h.pBar->SetVisible(FALSE);
  EXPECT_FALSE(h.pBar->IsWindowVisible());
  AFX_SIZEPARENTPARAMS layout = {};
  layout.rect = {0, 0, 400, 200};
  h.pBar->SendMessage(WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
  EXPECT_EQ(0, layout.rect.top);
}

TEST(ToolBar, PaintsThroughThePaintManager) {
  CThemeRef theme(0);
  CHostWithBar h;
  h.pBar->SetPaintManager(theme.get());
  ASSERT_TRUE(h.pBar->LoadToolBar(IDR_TB_STANDARD));
  h.host.RepositionBars(0, 0xFFFF, 0);
  const CRect rcBar = h.pBar->GetClientRect();
  ASSERT_FALSE(rcBar.IsRectEmpty());

  CDibCanvas canvas(rcBar.Width(), rcBar.Height());
  h.pBar->DrawCommandBar(canvas.DC());
  // Past the last button: the bar's fill; the first button's icon: the red
  // of the strip's first image.
  const CRect rcLast = h.Control(2)->GetRect();
  EXPECT_NE(RGB(1, 2, 3), canvas.Pixel(rcBar.right - 2, rcBar.Height() / 2));
  EXPECT_NE(-1, SlotOf(canvas.Pixel((rcLast.right + rcBar.right) / 2, rcBar.Height() / 2)));
  const CRect rcOpen = h.Control(0)->GetRect();
  EXPECT_EQ(RGB(0xC0, 0x20, 0x20), canvas.Pixel(rcOpen.CenterPoint().x, rcOpen.CenterPoint().y));

  // The window paints the same picture (through its memory DC).
  h.pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  CClientDC dcWindow(h.pBar);
  CDibCanvas shown(rcBar.Width(), rcBar.Height());
  shown.DC()->BitBlt(0, 0, rcBar.Width(), rcBar.Height(), &dcWindow, 0, 0, SRCCOPY);
  int nDiffering = 0;
  for (int y = 0; y < rcBar.Height(); ++y)
    for (int x = 0; x < rcBar.Width(); ++x) nDiffering += shown.Pixel(x, y) != canvas.Pixel(x, y);
  EXPECT_EQ(0, nDiffering);
  // To look at the bar as shown: UIKIT_TOOLBAR_SHOT=file.bmp.
  if (const char* pszShot = getenv("UIKIT_TOOLBAR_SHOT")) shown.Save(pszShot);
}

TEST(ToolBar, ScreenTipsNameTheControlUnderThePoint) {
  CHostWithBar h;
  ASSERT_TRUE(h.pBar->LoadToolBar(IDR_TB_STANDARD));
  h.host.RepositionBars(0, 0xFFFF, 0);
  h.Control(2)->SetTooltipText(CString());
  // Hidden, still at its place until the next layout.
  h.Control(1)->SetHideFlag(0x10, TRUE);
  struct Row {
    const char* pszCase;
    CPoint pt;
    INT_PTR nHit;
  } rows[] = {
      {"a button with a tip", h.Control(0)->GetRect().CenterPoint(), ID_TB_OPEN},
      {"a button without one", h.Control(2)->GetRect().CenterPoint(), -1},
      {"a hidden button", h.Control(1)->GetRect().CenterPoint(), -1},
      {"the gripper", CPoint(1, 5), -1},
  };
  for (const Row& row : rows) {
    TOOLINFO ti = {};
    ti.cbSize = sizeof ti;
    EXPECT_EQ(row.nHit, h.pBar->OnToolHitTest(row.pt, &ti)) << row.pszCase;
    if (row.nHit != -1) {
      EXPECT_EQ(h.pBar->m_hWnd, ti.hwnd);
      EXPECT_EQ(static_cast<UINT_PTR>(row.nHit), ti.uId);
      EXPECT_EQ(h.Control(0)->GetRect(), CRect(ti.rect));
      EXPECT_EQ(LPSTR_TEXTCALLBACK, ti.lpszText);
    }
  }
}

// Presses with injected mouse input on a bar in front: run alone.
class ToolBarInput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_h.pBar->LoadToolBar(IDR_TB_STANDARD));
    m_h.host.RepositionBars(0, 0xFFFF, 0);
    BringToFront(m_h.host.m_hWnd);
  }
  CPoint ScreenPoint(int nIndex) {
    CPoint pt = m_h.Control(nIndex)->GetRect().CenterPoint();
    m_h.pBar->ClientToScreen(&pt);
    return pt;
  }
  void MoveTo(CPoint pt) {
    InjectMouseMove(pt.x, pt.y);
    PumpUntil([] { return FALSE; }, 80);
  }
  void Click(int nIndex) {
    MoveTo(ScreenPoint(nIndex));
    InjectMouseButton(MOUSEEVENTF_LEFTDOWN);
    InjectMouseButton(MOUSEEVENTF_LEFTUP);
    PumpUntil([] { return FALSE; }, 150);
  }

  CHostWithBar m_h;
};

TEST_F(ToolBarInput, AClickSendsOneCommandAndADisabledButtonIgnoresIt) {
  Click(0);
  EXPECT_EQ((std::vector<UINT>{ID_TB_OPEN}), m_h.host.m_commands);

  // The idle update runs the window's handlers.
  m_h.pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_TRUE(m_h.Control(0)->GetEnabled());
  EXPECT_FALSE(m_h.Control(1)->GetEnabled());
  EXPECT_TRUE(m_h.Control(2)->GetChecked());
  EXPECT_EQ(0, m_h.Control(0)->GetPressed()) << "the executed state ends with the update";

  m_h.host.m_commands.clear();
  Click(1);
  EXPECT_TRUE(m_h.host.m_commands.empty());
  Click(2);
  EXPECT_EQ((std::vector<UINT>{ID_TB_CHECKED}), m_h.host.m_commands);
}

TEST_F(ToolBarInput, HoverSelectsAndShowsTheDescriptionLeavingRestoresTheIdleText) {
  m_h.host.m_status.clear();
  m_h.host.m_selected.clear();
  MoveTo(ScreenPoint(0));
  PumpUntil([&] { return m_h.pBar->GetSelectedIndex() == 0; }, 1000);
  EXPECT_EQ(0, m_h.pBar->GetSelectedIndex());
  EXPECT_EQ(1, m_h.Control(0)->GetSelected());
  ASSERT_FALSE(m_h.host.m_status.empty());
  EXPECT_EQ(CString("Opens an existing list."), m_h.host.m_status.back());
  // (A control selected before, under the pointer's old place, is
  // deselected first.)
  ASSERT_FALSE(m_h.host.m_selected.empty());
  EXPECT_EQ(m_h.Control(0), m_h.host.m_selected.back());
  m_h.host.m_selected.clear();

  // Out of the bar, into the host below it.
  CPoint ptBelow = ScreenPoint(0) + CSize(0, 60);
  MoveTo(ptBelow);
  PumpUntil([&] { return m_h.pBar->GetSelectedIndex() == -1; }, 1000);
  EXPECT_EQ(-1, m_h.pBar->GetSelectedIndex());
  EXPECT_EQ(0, m_h.Control(0)->GetSelected());
  EXPECT_EQ(CString("(idle)"), m_h.host.m_status.back());
  EXPECT_EQ((std::vector<CJVKControl*>{nullptr}), m_h.host.m_selected);
}

TEST_F(ToolBarInput, ACommandThatReleasesTheBarLetsTheClickFinishFirst) {
  // The window drops its only reference from inside the command, while the
  // button's press is still on the stack.
  const LONG nBars = CJVKCommandBar::GetLiveCount();
  const LONG nControls = CJVKControls::GetLiveCount();
  int nBarsDuringCommand = -1;
  m_h.host.m_onCommand = [&] {
    m_h.pBar->ReleaseBarRef();
    m_h.pBar = nullptr;
    nBarsDuringCommand = CJVKCommandBar::GetLiveCount();
  };
  Click(0);
  EXPECT_EQ((std::vector<UINT>{ID_TB_OPEN}), m_h.host.m_commands);
  EXPECT_EQ(nBars, nBarsDuringCommand) << "held until the click is handled";
  EXPECT_EQ(nBars - 1, CJVKCommandBar::GetLiveCount());
  EXPECT_LT(CJVKControls::GetLiveCount(), nControls);
  EXPECT_EQ(nullptr, ::GetCapture());
}
