// The MDI tab client over a real MDI frame: one tab per child, following
// creation, activation, captions and closing; clicks that activate; the
// workspace commands' enabled states; a refresh inside a refresh.
#include "TabClientWnd.h"

#include <DibCanvas.h>
#include <MessagePump.h>
#include <framework/MDIChildWnd.h>

#include <gtest/gtest.h>

#include <cstdlib>

CWinApp theTabClientTestApp("UikitDockingTest");

namespace {

struct CMdiFixture {
  CMDIFrameWnd* pFrame = new CMDIFrameWnd;
  CMDIChildWnd* children[3] = {};

  CMdiFixture() {
    EXPECT_TRUE(pFrame->Create(nullptr, "Quillon tabs", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 500, 360)));
    for (int i = 0; i < 3; ++i) children[i] = OpenChild(i);
    PumpPending();
  }
  ~CMdiFixture() { pFrame->DestroyWindow(); }

  CMDIChildWnd* OpenChild(int n) {
    CMDIChildWnd* pChild = new CMDIChildWnd;
    CString strTitle;
    strTitle.Format("Child %d", n + 1);
    EXPECT_TRUE(pChild->Create(nullptr, strTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                               CRect(10 * n, 10 * n, 200 + 10 * n, 150 + 10 * n), pFrame));
    return pChild;
  }
};

CString Captions(CJVKTabManager* pGroup) {
  CString str;
  for (int i = 0; i < pGroup->GetItemCount(); ++i) str += (i ? "|" : "") + pGroup->GetItem(i)->GetCaption();
  return str;
}

TEST(TabClient, ThreeChildrenShowThreeTabsThatFollowActivationAndClosing) {
  CMdiFixture mdi;
  CJVKTabClientWnd client;
  ASSERT_TRUE(client.Attach(mdi.pFrame));
  EXPECT_EQ(client.GetSafeHwnd(), mdi.pFrame->m_hWndMDIClient);
  ASSERT_EQ(1, client.GetGroupCount());
  CJVKTabManager* pGroup = client.GetGroup(0);
  EXPECT_STREQ("Child 1|Child 2|Child 3", Captions(pGroup));
  EXPECT_EQ(client.FindItem(mdi.children[2]->m_hWnd), pGroup->GetSelectedItem());  // the newest is active
  EXPECT_EQ(0, client.FindGroupIndex(pGroup));
  EXPECT_EQ(-1, client.FindGroupIndex(nullptr));

  // The band above the children: the client area begins below the tabs.
  CRect rcWindow, rcClient;
  ::GetWindowRect(client.m_hWnd, &rcWindow);
  CPoint ptClient(0, 0);
  ::ClientToScreen(client.m_hWnd, &ptClient);
  EXPECT_GE(ptClient.y - rcWindow.top, 18);
  const CRect rcTab = pGroup->GetItem(0)->GetRect();
  EXPECT_LT(rcTab.bottom, 1);
  EXPECT_GT(rcTab.Width(), 20);

  // UIKIT_TAB_CLIENT_SHOT=<file.bmp>: the frame as the screen shows it.
  if (const char* path = std::getenv("UIKIT_TAB_CLIENT_SHOT")) {
    mdi.pFrame->UpdateWindow();
    ::RedrawWindow(mdi.pFrame->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
    CRect rcFrame;
    mdi.pFrame->GetWindowRect(&rcFrame);
    CDibCanvas shot(rcFrame.Width(), rcFrame.Height());
    HDC hScreen = ::GetDC(nullptr);
    ::BitBlt(*shot.DC(), 0, 0, rcFrame.Width(), rcFrame.Height(), hScreen, rcFrame.left, rcFrame.top, SRCCOPY);
    ::ReleaseDC(nullptr, hScreen);
    shot.Save(path);
  }

  mdi.pFrame->MDIActivate(mdi.children[0]);
  EXPECT_EQ(client.FindItem(mdi.children[0]->m_hWnd), pGroup->GetSelectedItem());

  // A click on a tab activates its child.
  pGroup->OnItemClick(client.FindItem(mdi.children[1]->m_hWnd));
  EXPECT_EQ(mdi.children[1], mdi.pFrame->MDIGetActive());
  EXPECT_EQ(client.FindItem(mdi.children[1]->m_hWnd), pGroup->GetSelectedItem());

  mdi.children[1]->SetWindowText("Renamed");
  client.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_STREQ("Child 1|Renamed|Child 3", Captions(pGroup));

  // Closing: the tab goes, the next active child's tab is selected.
  const HWND hClosed = mdi.children[1]->m_hWnd;
  mdi.children[1]->DestroyWindow();
  PumpPending();
  EXPECT_STREQ("Child 1|Child 3", Captions(pGroup));
  EXPECT_EQ(nullptr, client.FindItem(hClosed));
  ASSERT_NE(nullptr, mdi.pFrame->MDIGetActive());
  EXPECT_EQ(client.FindItem(mdi.pFrame->MDIGetActive()->m_hWnd), pGroup->GetSelectedItem());

  // A new child joins at the end.
  mdi.OpenChild(3);
  EXPECT_STREQ("Child 1|Child 3|Child 4", Captions(pGroup));
  client.Detach();
  EXPECT_FALSE(client.IsAttached());
}

TEST(TabClient, CloseButtonClosesTheActiveChild) {
  CMdiFixture mdi;
  CJVKTabClientWnd client;
  ASSERT_TRUE(client.Attach(mdi.pFrame));
  CJVKTabManager* pGroup = client.GetGroup(0);
  ASSERT_TRUE(pGroup->FindNavigateButton(jvkTabNavigateClose)->IsVisible());
  const HWND hActive = mdi.pFrame->MDIGetActive()->m_hWnd;
  pGroup->OnNavigateButtonClick(jvkTabNavigateClose);
  PumpPending();
  EXPECT_FALSE(::IsWindow(hActive));
  EXPECT_EQ(2, pGroup->GetItemCount());
}

TEST(TabClient, WorkspaceCommands) {
  CMdiFixture mdi;
  CJVKTabClientWnd client;
  ASSERT_TRUE(client.Attach(mdi.pFrame));
  const struct {
    UINT nCommand;
    BOOL bEnabled;
  } rows[] = {{9420, FALSE}, {9421, FALSE}, {9422, TRUE}, {9423, TRUE}, {1234, TRUE}};
  for (const auto& row : rows) {
    CJVKTabManagerItem* pItem = nullptr;
    EXPECT_EQ(row.bEnabled, client.IsWorkspaceActionEnabled(row.nCommand, &pItem)) << row.nCommand;
    EXPECT_EQ(client.FindItem(mdi.pFrame->MDIGetActive()->m_hWnd), pItem);
  }
  // One group holding one item: all four are disabled.
  mdi.children[0]->DestroyWindow();
  mdi.children[1]->DestroyWindow();
  PumpPending();
  for (UINT n = 9420; n <= 9423; ++n) EXPECT_FALSE(client.IsWorkspaceActionEnabled(n)) << n;
  EXPECT_TRUE(client.IsWorkspaceActionEnabled(100));
  // Outside workspace mode every workspace command is disabled.
  client.m_bWorkspace = FALSE;
  EXPECT_FALSE(client.IsWorkspaceActionEnabled(100));
}

TEST(TabClient, FrameDestroyedFirstLeavesTheClientDetached) {
  CJVKTabClientWnd client;
  {
    CMdiFixture mdi;
    ASSERT_TRUE(client.Attach(mdi.pFrame));
  }
  EXPECT_FALSE(client.IsAttached());
  EXPECT_EQ(0, client.GetGroup(0)->GetItemCount());
  client.Refresh(TRUE);  // nothing to do, and no crash
}

class CCountingTabClient : public CJVKTabClientWnd {
 public:
  int m_nLayouts = 0;

 protected:
  void RecalcFrameLayout() override {
    ++m_nLayouts;
    Refresh(TRUE);  // asked again from inside: nothing happens
    CJVKTabClientWnd::RecalcFrameLayout();
  }
};

TEST(TabClient, RefreshInsideARefreshDoesNothing) {
  CMdiFixture mdi;
  CCountingTabClient client;
  client.Refresh(TRUE);  // detached: nothing
  EXPECT_EQ(0, client.m_nLayouts);
  ASSERT_TRUE(client.Attach(mdi.pFrame));
  client.Refresh(TRUE);
  EXPECT_EQ(1, client.m_nLayouts);
  // The frame placed the client again after it was shrunk to nothing.
  CRect rc;
  ::GetWindowRect(client.m_hWnd, &rc);
  EXPECT_GT(rc.Width(), 100);
  client.Refresh(FALSE);
  EXPECT_EQ(1, client.m_nLayouts);
}

}  // namespace
