// Floating frames: a frame created off the work area snaps onto it; panes
// and groups float and dock back through ToggleDocking (with the owner's
// notifications in order, option 4 and cancelling), by injected double
// clicks on a group's caption and on the frame's; a frame's title and its
// groups' captions; closing a frame; its size limits; saved layouts with a
// frame round-trip, and one saved off-screen comes back onto the screen.
#include "DockingLayoutFixtures.h"
#include "DockingPaneFixture.h"
#include "DockingPaneMiniWnd.h"

#include <PropExchange.h>
#include <PropStreams.h>

#include <gtest/gtest.h>

namespace {

CRect WorkArea() {
  CRect rc;
  ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rc, 0);
  return rc;
}

CJVKDockingPaneMiniWnd* FrameOf(CDockingFixture& f, int nID) {
  return CJVKDockingPaneManager::GetFloatingFrame(f.pManager->FindPane(static_cast<UINT>(nID)));
}

CRect ScreenRect(HWND hWnd) {
  CRect rc;
  ::GetWindowRect(hWnd, &rc);
  return rc;
}

// The actions in the owner's log (without the shows of code 1).
std::vector<std::string> Actions(const std::vector<std::string>& log) {
  std::vector<std::string> actions;
  for (const std::string& s : log)
    if (s.rfind("4:", 0) == 0) actions.push_back(s);
  return actions;
}

std::vector<int> Ids(const std::vector<CJVKDockingPane*>& panes) {
  std::vector<int> ids;
  for (const CJVKDockingPane* p : panes) ids.push_back(p->GetID());
  return ids;
}

// Three groups: left, right and bottom.
void ArrangeThree(CDockingFixture& f) {
  f.Create(101, "Left", DockingSideLeft);
  f.Create(102, "Right", DockingSideRight);
  f.Create(103, "Bottom", DockingSideBottom);
  f.Layout();
  f.pFrame->m_log.clear();
}

LayoutBytes Save(CDockingFixture& f) {
  return StoreExchange([&](CJVKPropExchangeArchive& px, CArchive&) { f.pManager->SaveLayout(&px); });
}

BOOL Load(CDockingFixture& f, const LayoutBytes& bytes) {
  BOOL bLoaded = FALSE;
  LoadExchange(bytes, [&](CJVKPropExchangeArchive& px, CArchive&) { bLoaded = f.pManager->LoadLayout(&px); });
  return bLoaded;
}

void MoveTo(int x, int y) {
  InjectMouseMove(x, y);
  PumpUntil([x, y] {
    POINT pt;
    ::GetCursorPos(&pt);
    return pt.x == x && pt.y == y;
  });
}

void DoubleClick(CPoint pt) {
  MoveTo(pt.x, pt.y);
  for (int i = 0; i < 2; ++i) {
    InjectMouseButton(MOUSEEVENTF_LEFTDOWN);
    InjectMouseButton(MOUSEEVENTF_LEFTUP);
  }
}

}  // namespace

TEST(DockingFloat, ARectangleOffTheWorkAreaMovesOntoItsNearestEdge) {
  const CRect work(0, 0, 1000, 700);
  const struct {
    const char* what;
    CRect rc;
    CRect expected;
  } cases[] = {
      {"inside", CRect(100, 100, 300, 250), CRect(100, 100, 300, 250)},
      {"partly off stays", CRect(-150, -50, 50, 100), CRect(-150, -50, 50, 100)},
      {"wholly left", CRect(-500, 100, -300, 250), CRect(0, 100, 200, 250)},
      {"touching the left edge from outside", CRect(-200, 100, 0, 250), CRect(0, 100, 200, 250)},
      {"wholly right", CRect(1200, 100, 1400, 250), CRect(800, 100, 1000, 250)},
      {"wholly above", CRect(100, -400, 300, -250), CRect(100, 0, 300, 150)},
      {"wholly below", CRect(100, 900, 300, 1050), CRect(100, 550, 300, 700)},
      {"below and left", CRect(-900, 900, -700, 1050), CRect(0, 550, 200, 700)},
      {"above, horizontally inside", CRect(900, -300, 1100, -100), CRect(900, 0, 1100, 200)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, CJVKDockingPaneMiniWnd::SnapToWorkArea(c.rc, work)) << c.what;
}

TEST(DockingFloat, FloatingAPaneLeftOfTheWorkAreaPutsTheFrameOnItsLeftEdge) {
  CDockingFixture f;
  ArrangeThree(f);
  const CRect work = WorkArea();
  CJVKDockingPaneMiniWnd* pFrame =
      f.pManager->FloatPane(f.pManager->FindPane(101), CRect(work.left - 600, 200, work.left - 380, 400));
  ASSERT_NE(nullptr, pFrame);
  EXPECT_EQ(CRect(work.left, 200, work.left + 220, 400), ScreenRect(pFrame->m_hWnd));
  EXPECT_TRUE(pFrame->IsWindowVisible());
  EXPECT_EQ(pFrame, FrameOf(f, 101));
}

TEST(DockingFloat, ToggleDockingFloatsAGroupAndDocksItBackWhereItWas) {
  CDockingFixture f;
  ArrangeThree(f);
  const auto docked = f.Rects();
  CJVKDockingPaneTabbedContainer* pHome = f.Group(101);
  const CRect rcHome = ScreenRect(pHome->m_hWnd);

  ASSERT_TRUE(f.pManager->ToggleDocking(pHome));
  f.Layout();
  EXPECT_EQ((std::vector<std::string>{"4:0:101", "4:1:101"}), Actions(f.pFrame->m_log));
  CJVKDockingPaneMiniWnd* pFrame = FrameOf(f, 101);
  ASSERT_NE(nullptr, pFrame);
  // The frame takes the group's place on the screen and its title; the
  // only group leaves its caption to the frame.
  EXPECT_EQ(rcHome, ScreenRect(pFrame->m_hWnd));
  EXPECT_TRUE(pFrame->IsWindowVisible());
  CString strTitle;
  pFrame->GetWindowText(strTitle);
  EXPECT_STREQ("Left", strTitle);
  CJVKDockingPaneTabbedContainer* pFloating = f.Group(101);
  EXPECT_NE(pHome, pFloating);
  EXPECT_FALSE(pFloating->HasCaption());
  EXPECT_EQ(pFrame->m_hWnd, ::GetParent(pFloating->m_hWnd));
  EXPECT_EQ(pFloating->m_hWnd, ::GetParent(f.windows[101]));
  EXPECT_TRUE(::IsWindowVisible(f.windows[101]));
  // The pane fills the frame's client area under no caption.
  CRect rcClient;
  pFrame->GetClientRect(&rcClient);
  EXPECT_EQ(rcClient, RectInFrame(pFloating->m_hWnd, pFrame));
  // The docked groups take the room it left.
  EXPECT_EQ(CRect(0, 0, 596, 446), f.Rects().at("client"));

  f.pFrame->m_log.clear();
  ASSERT_TRUE(f.pManager->ToggleDocking(pFrame->GetTopContainer()));
  f.Layout();
  EXPECT_EQ((std::vector<std::string>{"4:4:101", "4:5:101"}), Actions(f.pFrame->m_log));
  EXPECT_EQ(pHome, f.Group(101));
  EXPECT_EQ(docked, f.Rects());
  EXPECT_FALSE(pFrame->IsWindowVisible());
  EXPECT_EQ(nullptr, FrameOf(f, 101));

  // Floating again goes back into the same frame.
  ASSERT_TRUE(f.pManager->ToggleDocking(f.pManager->FindPane(101)));
  EXPECT_EQ(pFrame, FrameOf(f, 101));
  EXPECT_TRUE(pFrame->IsWindowVisible());
  EXPECT_EQ(pFloating, f.Group(101));
}

TEST(DockingFloat, AGroupOfThreeFloatsAllButThePaneThatMayNotFloat) {
  CDockingFixture f;
  CJVKDockingPane* pFirst = f.Create(101, "First", DockingSideBottom);
  f.pManager->AttachPane(f.Create(102, "Fixed", DockingSideBottom), pFirst);
  f.pManager->AttachPane(f.Create(103, "Third", DockingSideBottom), pFirst);
  f.pManager->FindPane(102)->SetOptions(DockingPaneNoFloatable);
  f.Layout();
  f.pFrame->m_log.clear();
  CJVKDockingPaneTabbedContainer* pHome = f.Group(101);

  ASSERT_TRUE(f.pManager->ToggleDocking(pHome));
  EXPECT_EQ((std::vector<std::string>{"4:0:101", "4:1:101", "4:0:103", "4:1:103"}), Actions(f.pFrame->m_log));
  // The third followed the first into its group; the fixed one stayed.
  ASSERT_NE(nullptr, FrameOf(f, 101));
  EXPECT_EQ(FrameOf(f, 101), FrameOf(f, 103));
  EXPECT_EQ(f.Group(101), f.Group(103));
  EXPECT_EQ((std::vector<int>{101, 103}), Ids(f.Group(101)->GetPanes()));
  EXPECT_EQ(nullptr, FrameOf(f, 102));
  EXPECT_EQ(pHome, f.Group(102));
  EXPECT_EQ((std::vector<int>{102}), Ids(pHome->GetPanes()));
}

TEST(DockingFloat, ACancelledOrRefusedToggleLeavesThePaneDocked) {
  CDockingFixture f;
  ArrangeThree(f);
  const auto docked = f.Rects();
  f.pFrame->m_cancelled.insert(DockingPaneActionFloating);
  EXPECT_FALSE(f.pManager->ToggleDocking(f.pManager->FindPane(101)));
  EXPECT_EQ((std::vector<std::string>{"4:0:101"}), f.pFrame->m_log);
  f.pFrame->m_cancelled.clear();
  f.pFrame->m_log.clear();
  f.pManager->FindPane(102)->SetOptions(DockingPaneNoFloatable);
  EXPECT_FALSE(f.pManager->ToggleDocking(f.pManager->FindPane(102)));
  EXPECT_TRUE(f.pFrame->m_log.empty());
  f.Layout();
  EXPECT_EQ(docked, f.Rects());
  EXPECT_TRUE(f.pManager->GetFloatingFrames().empty());

  // Docking back cancelled: the pane stays in its frame.
  ASSERT_TRUE(f.pManager->ToggleDocking(f.pManager->FindPane(101)));
  f.pFrame->m_cancelled.insert(DockingPaneActionDocking);
  EXPECT_FALSE(f.pManager->ToggleDocking(f.pManager->FindPane(101)));
  EXPECT_NE(nullptr, FrameOf(f, 101));
}

TEST(DockingFloat, TwoGroupsInAFrameShowTheirCaptionsUnderTheManagersTitle) {
  CDockingFixture f;
  ArrangeThree(f);
  f.pManager->m_strFloatingFrameCaption = "Panes";
  CJVKDockingPaneMiniWnd* pFrame = f.pManager->FloatPane(f.pManager->FindPane(101), CRect(200, 150, 600, 400));
  ASSERT_NE(nullptr, pFrame);
  // Docked beside a floating pane: into its frame.
  f.pManager->DockPane(f.pManager->FindPane(102), DockingSideRight, f.pManager->FindPane(101));
  EXPECT_EQ(pFrame, FrameOf(f, 102));
  ASSERT_EQ(2u, pFrame->GetGroups().size());
  CString strTitle;
  pFrame->GetWindowText(strTitle);
  EXPECT_STREQ("Panes", strTitle);
  EXPECT_TRUE(f.Group(101)->HasCaption());
  EXPECT_TRUE(f.Group(102)->HasCaption());
  // Side by side across the client area with a splitter between them.
  CRect rcClient;
  pFrame->GetClientRect(&rcClient);
  const CRect rcLeft = RectInFrame(f.Group(101)->m_hWnd, pFrame);
  const CRect rcRight = RectInFrame(f.Group(102)->m_hWnd, pFrame);
  EXPECT_EQ(rcClient.left, rcLeft.left);
  EXPECT_EQ(rcClient.right, rcRight.right);
  EXPECT_LT(rcLeft.right, rcRight.left);
  EXPECT_EQ(rcClient.Height(), rcLeft.Height());

  f.pManager->ClosePane(f.pManager->FindPane(102));
  ASSERT_EQ(1u, pFrame->GetGroups().size());
  pFrame->GetWindowText(strTitle);
  EXPECT_STREQ("Left", strTitle);
  EXPECT_FALSE(f.Group(101)->HasCaption());
  EXPECT_EQ(rcClient, RectInFrame(f.Group(101)->m_hWnd, pFrame));
  // A new title follows into the frame's caption.
  f.pManager->FindPane(101)->SetTitle("Renamed");
  pFrame->GetWindowText(strTitle);
  EXPECT_STREQ("Renamed", strTitle);
}

TEST(DockingFloat, ClosingAFrameClosesItsClosablePanes) {
  CDockingFixture f;
  CJVKDockingPane* pFirst = f.Create(101, "Closable", DockingSideLeft);
  f.pManager->AttachPane(f.Create(102, "Fixed", DockingSideLeft), pFirst);
  f.pManager->FindPane(102)->SetOptions(DockingPaneNoCloseable);
  f.Layout();
  CJVKDockingPaneMiniWnd* pFrame = f.pManager->FloatPane(f.Group(101), CRect(200, 150, 500, 400));
  ASSERT_NE(nullptr, pFrame);
  EXPECT_TRUE(pFrame->IsCloseEnabled());
  f.pFrame->m_log.clear();
  pFrame->SendMessage(WM_CLOSE);
  // The other pane comes forward (code 1) between closing and closed.
  EXPECT_EQ((std::vector<std::string>{"4:2:101", "3:101", "1:102", "4:3:101"}), f.pFrame->m_log);
  EXPECT_TRUE(f.pManager->FindPane(101)->IsClosed());
  EXPECT_FALSE(f.pManager->FindPane(102)->IsClosed());
  // Only a pane that may not close is left: Close is disabled everywhere
  // and closing the frame closes nothing.
  EXPECT_FALSE(pFrame->IsCloseEnabled());
  EXPECT_FALSE(pFrame->GetCaptionButtonState(pFrame->m_arrCaptionButtons.front()));
  CMenu* pMenu = pFrame->GetSystemMenu(FALSE);
  ASSERT_NE(nullptr, pMenu);
  EXPECT_TRUE(::GetMenuState(pMenu->m_hMenu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
  f.pFrame->m_log.clear();
  pFrame->SendMessage(WM_CLOSE);
  EXPECT_TRUE(f.pFrame->m_log.empty());
  EXPECT_TRUE(pFrame->IsWindowVisible());
  EXPECT_TRUE(::IsWindow(pFrame->m_hWnd));

  // Once the last pane is closed by the application the frame hides, and
  // the closed pane comes back into it.
  f.pManager->FindPane(102)->SetOptions(0);
  f.pManager->ClosePane(f.pManager->FindPane(102));
  EXPECT_FALSE(pFrame->IsWindowVisible());
  f.pManager->ShowPane(101);
  EXPECT_EQ(pFrame, FrameOf(f, 101));
  EXPECT_TRUE(pFrame->IsWindowVisible());
  EXPECT_TRUE(pFrame->IsCloseEnabled());
}

TEST(DockingFloat, TheFramesLimitsAreItsContentsPlusItsBorders) {
  CDockingFixture f;
  ArrangeThree(f);
  f.pManager->FindPane(101)->SetMinTrackSize(CPoint(250, 180));
  f.pManager->FindPane(101)->SetMaxTrackSize(CPoint(600, 500));
  CJVKDockingPaneMiniWnd* pFrame = f.pManager->FloatPane(f.pManager->FindPane(101), CRect(200, 150, 600, 450));
  ASSERT_NE(nullptr, pFrame);
  MINMAXINFO content;
  pFrame->GetTopContainer()->GetMinMaxInfo(&content);
  CRect rcWindow, rcClient;
  pFrame->GetWindowRect(&rcWindow);
  pFrame->GetClientRect(&rcClient);
  const CSize szBorders(rcWindow.Width() - rcClient.Width(), rcWindow.Height() - rcClient.Height());
  ASSERT_GT(szBorders.cy, 0);
  // As the system fills it before asking.
  MINMAXINFO mmi = {};
  mmi.ptMaxTrackSize = CPoint(::GetSystemMetrics(SM_CXMAXTRACK), ::GetSystemMetrics(SM_CYMAXTRACK));
  pFrame->SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  EXPECT_EQ(content.ptMinTrackSize.x + szBorders.cx, mmi.ptMinTrackSize.x);
  EXPECT_EQ(content.ptMinTrackSize.y + szBorders.cy, mmi.ptMinTrackSize.y);
  EXPECT_EQ(content.ptMaxTrackSize.x + szBorders.cx, mmi.ptMaxTrackSize.x);
  EXPECT_EQ(content.ptMaxTrackSize.y + szBorders.cy, mmi.ptMaxTrackSize.y);
  EXPECT_GE(content.ptMinTrackSize.x, 250);
}

TEST(DockingFloat, DoubleClicksOnTheCaptionsFloatAGroupAndDockItBack) {
  CDockingFixture f;
  ArrangeThree(f);
  f.pFrame->UpdateWindow();
  PumpPending();
  const auto docked = f.Rects();
  CJVKDockingPaneTabbedContainer* pHome = f.Group(101);
  CRect rcArea = pHome->GetPaneArea(FALSE);
  CPoint ptCaption(rcArea.left + 20, rcArea.top / 2);
  ASSERT_EQ(-2, pHome->HitTest(ptCaption));
  pHome->ClientToScreen(&ptCaption);
  DoubleClick(ptCaption);
  ASSERT_TRUE(PumpUntil([&f] { return FrameOf(f, 101) != nullptr; }));
  CJVKDockingPaneMiniWnd* pFrame = FrameOf(f, 101);
  PumpUntil([] { return ::GetCapture() == nullptr; });

  // The frame's own caption lies between its window's top and its client area.
  CRect rcClient;
  pFrame->GetClientRect(&rcClient);
  pFrame->ClientToScreen(&rcClient);
  const CRect rcWindow = ScreenRect(pFrame->m_hWnd);
  const CPoint ptFrameCaption(rcWindow.left + 40, (rcWindow.top + rcClient.top) / 2);
  ASSERT_EQ(HTCAPTION, pFrame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptFrameCaption.x, ptFrameCaption.y)));
  MoveTo(ptFrameCaption.x + 100, ptFrameCaption.y + 200);  // no double click with the first pair
  DoubleClick(ptFrameCaption);
  ASSERT_TRUE(PumpUntil([&f] { return FrameOf(f, 101) == nullptr; }));
  PumpUntil([] { return ::GetCapture() == nullptr; });
  f.Layout();
  EXPECT_EQ(pHome, f.Group(101));
  EXPECT_EQ(docked, f.Rects());
  EXPECT_FALSE(pFrame->IsWindowVisible());
}

TEST(DockingFloat, ALayoutWithAFloatingFrameRoundTripsAndDocksBack) {
  CDockingFixture f;
  ArrangeThree(f);
  const auto docked = f.Rects();
  f.pManager->FloatPane(f.pManager->FindPane(101), CRect(300, 200, 520, 400));
  f.Layout();
  const LayoutBytes first = Save(f);
  DockingLayoutRecord saved;
  ASSERT_TRUE(LoadDockingLayoutBytes(first, saved));
  const DockingNodeRecord* pFrameRecord = nullptr;
  for (const DockingNodeRecord& node : saved.nodes)
    if (node.nType == DockingPaneTypeMiniWnd) pFrameRecord = &node;
  ASSERT_NE(nullptr, pFrameRecord);
  EXPECT_EQ(CRect(300, 200, 520, 400), CRect(pFrameRecord->nWindowLeft, pFrameRecord->nWindowTop,
                                             pFrameRecord->nWindowRight, pFrameRecord->nWindowBottom));

  ASSERT_TRUE(Load(f, first));
  f.Layout();
  CJVKDockingPaneMiniWnd* pFrame = FrameOf(f, 101);
  ASSERT_NE(nullptr, pFrame);
  EXPECT_EQ(CRect(300, 200, 520, 400), ScreenRect(pFrame->m_hWnd));
  EXPECT_TRUE(pFrame->IsWindowVisible());
  EXPECT_EQ(pFrame->m_hWnd, ::GetParent(f.Group(101)->m_hWnd));
  EXPECT_EQ(f.Group(101)->m_hWnd, ::GetParent(f.windows[101]));
  EXPECT_FALSE(f.Group(101)->HasCaption());
  const LayoutBytes second = Save(f);
  DockingLayoutRecord resaved;
  ASSERT_TRUE(LoadDockingLayoutBytes(second, resaved));
  EXPECT_EQ(saved, resaved);
  EXPECT_EQ(first, second);

  // The loaded pane still knows its way home.
  ASSERT_TRUE(f.pManager->ToggleDocking(pFrame->GetTopContainer()));
  f.Layout();
  EXPECT_EQ(docked, f.Rects());
}

TEST(DockingFloat, AFrameSavedOffTheScreenComesBackOntoTheWorkArea) {
  CDockingFixture f;
  ArrangeThree(f);
  f.pManager->FloatPane(f.pManager->FindPane(101), CRect(300, 200, 520, 400));
  DockingLayoutRecord rec;
  ASSERT_TRUE(LoadDockingLayoutBytes(Save(f), rec));
  const CRect work = WorkArea();
  for (DockingNodeRecord& node : rec.nodes) {
    if (node.nType != DockingPaneTypeMiniWnd) continue;
    node.nWindowLeft = work.right + 3000;
    node.nWindowRight = work.right + 3220;
    node.nWindowTop = work.top - 900;
    node.nWindowBottom = work.top - 700;
  }
  ASSERT_TRUE(Load(f, SaveDockingLayoutBytes(rec)));
  CJVKDockingPaneMiniWnd* pFrame = FrameOf(f, 101);
  ASSERT_NE(nullptr, pFrame);
  EXPECT_EQ(CRect(work.right - 220, work.top, work.right, work.top + 200), ScreenRect(pFrame->m_hWnd));
}

TEST(DockingFloat, AFrameClonedIntoADetachedLayoutCopiesItsContentWithoutWindows) {
  CDockingFixture f;
  ArrangeThree(f);
  CJVKDockingPaneMiniWnd* pFrame = f.pManager->FloatPane(f.pManager->FindPane(101), CRect(300, 200, 520, 400));
  ASSERT_NE(nullptr, pFrame);
  CJVKDockingPaneLayout* pCopy = f.pManager->CreateLayout();
  CJVKDockingPaneMap map;
  auto* pClone = static_cast<CJVKDockingPaneMiniWnd*>(pFrame->Clone(pCopy, &map));
  ASSERT_NE(nullptr, pClone);
  EXPECT_EQ(pClone, map[pFrame]);
  EXPECT_EQ(nullptr, pClone->GetSafeHwnd());
  EXPECT_EQ(CRect(300, 200, 520, 400), pClone->GetFrameRect());
  ASSERT_NE(nullptr, pClone->GetTopContainer());
  EXPECT_EQ(pClone, pClone->GetTopContainer()->GetContainer());
  const auto groups = pClone->GetGroups();
  ASSERT_EQ(1u, groups.size());
  ASSERT_EQ(1u, groups.front()->GetPanes().size());
  CJVKDockingPane* pPane = groups.front()->GetPanes().front();
  EXPECT_EQ(101, pPane->GetID());
  EXPECT_NE(f.pManager->FindPane(101), pPane);
  EXPECT_EQ(static_cast<CWnd*>(pClone), pPane->GetDockingSite());
  // The original is untouched.
  EXPECT_EQ(pFrame, CJVKDockingPaneManager::GetFloatingFrame(f.pManager->FindPane(101)));
  delete pCopy;
}

TEST(DockingFloat, AFrameSavedWithAbsurdCoordinatesLoadsOntoTheWorkArea) {
  const CRect work = WorkArea();
  const struct {
    const char* what;
    LONG l, t, r, b;
  } cases[] = {
      {"extremes", LONG(0x80000000), LONG(0x80000000), 0x7FFFFFFF, 0x7FFFFFFF},
      {"far right, far down", 0x7FFFFF00, 0x7FFFFF00, 0x7FFFFFFF, 0x7FFFFFFF},
      {"upside down", 600, 500, 300, 200},
  };
  for (const auto& c : cases) {
    CDockingFixture f;
    ArrangeThree(f);
    f.pManager->FloatPane(f.pManager->FindPane(101), CRect(300, 200, 520, 400));
    DockingLayoutRecord rec;
    ASSERT_TRUE(LoadDockingLayoutBytes(Save(f), rec));
    for (DockingNodeRecord& node : rec.nodes) {
      if (node.nType != DockingPaneTypeMiniWnd) continue;
      node.nWindowLeft = c.l;
      node.nWindowTop = c.t;
      node.nWindowRight = c.r;
      node.nWindowBottom = c.b;
    }
    ASSERT_TRUE(Load(f, SaveDockingLayoutBytes(rec))) << c.what;
    CJVKDockingPaneMiniWnd* pFrame = FrameOf(f, 101);
    ASSERT_NE(nullptr, pFrame) << c.what;
    CRect rcCommon;
    EXPECT_TRUE(rcCommon.IntersectRect(ScreenRect(pFrame->m_hWnd), work)) << c.what;
  }
}
