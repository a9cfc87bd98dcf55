// The docking panes in a real frame: docking and tabbing as rectangle
// tables, injected splitter drags against the panes' limits, the Close
// button with the owner's notifications in order, showing and closing.
#include "DockingPaneFixture.h"
#include "DockingPaneCaptionButton.h"
#include "DockingPaneDragContext.h"
#include "TabPaintManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

CWinApp theDockingPaneTestApp("UikitDockingPaneTest");

BEGIN_MESSAGE_MAP(CDockingTestFrame, CFrameWnd)
  ON_MESSAGE(DockingPaneNotify, OnDockingPaneNotify)
END_MESSAGE_MAP()

namespace {

std::string Describe(const std::map<std::string, CRect>& rects) {
  std::ostringstream out;
  for (const auto& [name, rc] : rects) out << name << " (" << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom << ") ";
  return out.str();
}

// Moves the pointer to a screen point and waits until it is there.
void MoveTo(int x, int y) {
  InjectMouseMove(x, y);
  PumpUntil([x, y] {
    POINT pt;
    ::GetCursorPos(&pt);
    return pt.x == x && pt.y == y;
  });
}

// A press at `from`, moves through `to` points, then `end` (a release or
// Escape), the drag's modal loop running inside the press.
void Drag(CPoint from, std::vector<CPoint> to, bool bEscape = false) {
  MoveTo(from.x, from.y);
  InjectMouseButton(MOUSEEVENTF_LEFTDOWN);
  for (const CPoint& pt : to) InjectMouseMove(pt.x, pt.y);
  if (bEscape) {
    InjectKey(VK_ESCAPE, FALSE);
    InjectKey(VK_ESCAPE, TRUE);
  }
  InjectMouseButton(MOUSEEVENTF_LEFTUP);
  // The loop runs inside the press; once it is over nobody holds the capture.
  PumpUntil([] { return FALSE; }, 300);
  PumpUntil([] { return ::GetCapture() == nullptr; });
}

}  // namespace

TEST(DockingPanes, FourPanesDockedLeftRightAndBottomTwoTabbedAsRectangles) {
  CDockingFixture f;
  using Rects = std::map<std::string, CRect>;
  struct Step {
    const char* what;
    std::function<void()> act;
    Rects expected;
  };
  // Splitters are 4 pixels; docked groups keep their 200 x 150 and the
  // client takes the rest.
  const Step steps[] = {
      {"left", [&] { f.Create(101, "Left", DockingSideLeft); },
       {{"101", CRect(0, 0, 200, 600)}, {"client", CRect(204, 0, 800, 600)}}},
      {"right", [&] { f.Create(102, "Right", DockingSideRight); },
       {{"101", CRect(0, 0, 200, 600)}, {"102", CRect(600, 0, 800, 600)}, {"client", CRect(204, 0, 596, 600)}}},
      {"bottom", [&] { f.Create(103, "Bottom", DockingSideBottom); },
       {{"101", CRect(0, 0, 200, 446)},
        {"102", CRect(600, 0, 800, 446)},
        {"103", CRect(0, 450, 800, 600)},
        {"client", CRect(204, 0, 596, 446)}}},
      {"tabbed with the bottom one",
       [&] {
         CJVKDockingPane* pPane = f.Create(104, "Output", DockingSideBottom);
         f.pManager->AttachPane(pPane, f.pManager->FindPane(103));
       },
       {{"101", CRect(0, 0, 200, 446)},
        {"102", CRect(600, 0, 800, 446)},
        {"103", CRect(0, 450, 800, 600)},
        {"104", CRect(0, 450, 800, 600)},
        {"client", CRect(204, 0, 596, 446)}}},
  };
  for (const Step& step : steps) {
    step.act();
    f.Layout();
    EXPECT_EQ(Describe(step.expected), Describe(f.Rects())) << step.what;
  }

  // The bottom group holds both, the newest selected and shown with its tab
  // strip; the others show no strip.
  CJVKDockingPaneTabbedContainer* pBottom = f.Group(103);
  ASSERT_EQ(pBottom, f.Group(104));
  EXPECT_EQ(f.pManager->FindPane(104), pBottom->GetSelected());
  EXPECT_TRUE(pBottom->IsTabStripVisible());
  EXPECT_FALSE(f.Group(101)->IsTabStripVisible());
  EXPECT_TRUE(::IsWindowVisible(f.windows[104]));
  EXPECT_FALSE(::IsWindowVisible(f.windows[103]));
  // The selected pane's window fills the area under caption and above tabs.
  const CRect rcEdit = RectInFrame(f.windows[104], f.pFrame);
  EXPECT_EQ(0, rcEdit.left);
  EXPECT_EQ(800, rcEdit.right);
  EXPECT_GT(rcEdit.top, 450);
  EXPECT_LT(rcEdit.bottom, 600);
  // Sides relative to the client.
  EXPECT_EQ(DockingSideLeft, f.pManager->GetPaneSide(f.pManager->FindPane(101)));
  EXPECT_EQ(DockingSideRight, f.pManager->GetPaneSide(f.pManager->FindPane(102)));
  EXPECT_EQ(DockingSideBottom, f.pManager->GetPaneSide(f.pManager->FindPane(104)));
  // One bar between each pair of visible neighbours: the emptied group of
  // 104 makes none.
  EXPECT_EQ(1u, f.Top()->GetSplitters().size());

  // Picking the other tab shows its window.
  pBottom->SelectPane(f.pManager->FindPane(103), FALSE, FALSE);
  EXPECT_TRUE(::IsWindowVisible(f.windows[103]));
  EXPECT_FALSE(::IsWindowVisible(f.windows[104]));
}

TEST(DockingPanes, DockingBesideAPaneInAGroupDocksBesideTheGroup) {
  CDockingFixture f;
  f.Create(101, "Left", DockingSideLeft);
  CJVKDockingPane* pTabbed = f.Create(102, "Tabbed", DockingSideLeft);
  f.pManager->AttachPane(pTabbed, f.pManager->FindPane(101));
  // Below the tabbed pane: the left group becomes a column of two groups.
  f.Create(103, "Under", DockingSideBottom, pTabbed);
  f.Layout();
  const auto rects = f.Rects();
  // The column shares its height by the groups' stored heights (150 each).
  EXPECT_EQ(CRect(0, 0, 200, 298), rects.at("101"));
  EXPECT_EQ(CRect(0, 302, 200, 600), rects.at("103"));
  EXPECT_EQ(CRect(204, 0, 800, 600), rects.at("client"));
  EXPECT_EQ(DockingSideLeft, f.pManager->GetPaneSide(f.pManager->FindPane(103)));

  // With a vertical top, docking at the left with no neighbour makes a new
  // row whose first child is the new group and whose second the old top.
  CDockingFixture g;
  g.Create(201, "Top", DockingSideTop);
  CJVKDockingPaneSplitterContainer* pOldTop = g.Top();
  ASSERT_FALSE(pOldTop->IsHorizontal());
  g.Create(202, "Left", DockingSideLeft);
  ASSERT_NE(pOldTop, g.Top());
  EXPECT_TRUE(g.Top()->IsHorizontal());
  ASSERT_EQ(2u, g.Top()->GetPanes().size());
  EXPECT_EQ(g.Group(202), g.Top()->GetPanes()[0]);
  EXPECT_EQ(pOldTop, g.Top()->GetPanes()[1]);
}

// The bar between the left group (limits 120 to 300) and the client.
struct CDragCase {
  bool bTracker;
  std::vector<int> path;  // x of each move after the press
  bool bEscape;
  int nExpectedRight;  // the left group's right edge afterwards
};

class DockingSplitterDrag : public ::testing::TestWithParam<CDragCase> {};

TEST_P(DockingSplitterDrag, RespectsTheGroupsLimits) {
  const CDragCase& c = GetParam();
  CDockingFixture f;
  CJVKDockingPane* pLeft = f.Create(101, "Left", DockingSideLeft);
  pLeft->SetMinTrackSize(CPoint(120, 0));
  pLeft->SetMaxTrackSize(CPoint(300, 32000));
  f.Create(102, "Right", DockingSideRight);
  f.pManager->m_bUseSplitterTracker = c.bTracker;
  f.Layout();
  ASSERT_EQ(2u, f.Top()->GetSplitters().size());
  CJVKDockingPaneSplitterWnd* pBar = f.Top()->GetSplitters()[0];
  EXPECT_EQ(CRect(200, 0, 204, 600), RectInFrame(pBar->m_hWnd, f.pFrame));
  // The range: the larger of the 22-pixel margin and the minimum from the
  // near edge, the maximum from it on the far side.
  const SplitterTrackRange range = pBar->GetTrackRange();
  EXPECT_EQ(120, range.nLow);
  EXPECT_EQ(300, range.nHigh);

  // Escape reaches the drag only in the active window's thread.
  if (c.bEscape) BringToFront(f.pFrame->m_hWnd);
  std::vector<CPoint> path;
  for (int x : c.path) path.emplace_back(x, 300);
  Drag(CPoint(202, 300), path, c.bEscape);
  f.Layout();
  const auto rects = f.Rects();
  EXPECT_EQ(CRect(0, 0, c.nExpectedRight, 600), rects.at("101"));
  EXPECT_EQ(CRect(c.nExpectedRight + 4, 0, 596, 600), rects.at("client"));
  EXPECT_EQ(CRect(600, 0, 800, 600), rects.at("102"));
  EXPECT_EQ(nullptr, ::GetCapture());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DockingSplitterDrag,
    ::testing::Values(CDragCase{true, {150, 40}, false, 120},    // below the minimum
                      CDragCase{true, {400, 700}, false, 300},   // past the maximum
                      // The bar keeps its offset to the pointer (pressed 2 pixels in).
                      CDragCase{true, {262}, false, 260},        // inside the range
                      CDragCase{true, {262}, true, 200},         // Escape: the tracker changes nothing
                      CDragCase{false, {150, 40}, false, 120},   // live
                      CDragCase{false, {400, 700}, false, 300},
                      CDragCase{false, {252}, true, 250}));      // Escape keeps the live position

TEST(DockingPanes, LockedSplittersDoNotMove) {
  CDockingFixture f;
  f.Create(101, "Left", DockingSideLeft);
  f.pManager->m_bLockSplitters = TRUE;
  f.Layout();
  Drag(CPoint(202, 300), {CPoint(300, 300)});
  f.Layout();
  EXPECT_EQ(CRect(0, 0, 200, 600), f.Rects().at("101"));
}

TEST(DockingPanes, CloseButtonClosesWithTheOwnersNotificationsInOrder) {
  CDockingFixture f;
  f.Create(101, "Left", DockingSideLeft);
  f.Create(102, "Fixed", DockingSideRight);
  f.pManager->FindPane(102)->SetOptions(DockingPaneNoCloseable);
  f.Layout();
  f.pFrame->UpdateWindow();
  PumpPending();

  // Each layout shows the groups' selected panes, code 1 first.
  EXPECT_EQ((std::vector<std::string>{"1:101", "1:102"}), f.pFrame->m_log);
  f.pFrame->m_log.clear();

  CJVKDockingPaneTabbedContainer* pLeft = f.Group(101);
  CaptionButton* pClose = pLeft->FindCaptionButton(JVK_IDS_DOCKING_CLOSE);
  ASSERT_TRUE(pClose->IsVisible());
  ASSERT_FALSE(pClose->GetRect().IsRectEmpty());
  CPoint pt = pClose->GetRect().CenterPoint();
  pLeft->ClientToScreen(&pt);
  Drag(pt, {});
  EXPECT_EQ((std::vector<std::string>{"4:2:101", "3:101", "4:3:101"}), f.pFrame->m_log);
  EXPECT_TRUE(f.pManager->FindPane(101)->IsClosed());
  EXPECT_FALSE(::IsWindowVisible(f.windows[101]));
  // The closed pane's window waits, hidden, under the manager's window.
  EXPECT_EQ(f.pManager->GetSafeHwnd(), ::GetParent(f.windows[101]));
  f.Layout();
  EXPECT_EQ(CRect(0, 0, 596, 600), f.Rects().at("client"));

  // The pane that may not close has no Close button.
  CJVKDockingPaneTabbedContainer* pFixed = f.Group(102);
  EXPECT_FALSE(pFixed->FindCaptionButton(JVK_IDS_DOCKING_CLOSE)->IsVisible());
  f.pFrame->UpdateWindow();
  PumpPending();
  EXPECT_TRUE(pFixed->FindCaptionButton(JVK_IDS_DOCKING_CLOSE)->GetRect().IsRectEmpty());

  // A later ShowPane puts the closed pane back into its last holder.
  f.pFrame->m_log.clear();
  f.pManager->ShowPane(101);
  f.Layout();
  EXPECT_FALSE(f.pManager->FindPane(101)->IsClosed());
  EXPECT_EQ(CRect(0, 0, 200, 600), f.Rects().at("101"));
  EXPECT_TRUE(::IsWindowVisible(f.windows[101]));
  EXPECT_EQ("1:101", f.pFrame->m_log.front());
}

TEST(DockingPanes, ClosingRefusedByTheOwnerOrCancelledLeavesThePane) {
  CDockingFixture f;
  f.Create(101, "Kept", DockingSideLeft);
  f.Layout();
  f.pFrame->m_keepOpen.insert(101);
  f.pManager->ClosePane(f.pManager->FindPane(101));
  EXPECT_FALSE(f.pManager->FindPane(101)->IsClosed());

  // A cancelled action 2 stops the Close button before code 3.
  f.pFrame->m_keepOpen.clear();
  f.pFrame->m_cancelled.insert(DockingPaneActionClosing);
  f.pFrame->m_log.clear();
  f.Group(101)->OnCaptionButton(f.Group(101)->FindCaptionButton(JVK_IDS_DOCKING_CLOSE));
  EXPECT_EQ((std::vector<std::string>{"4:2:101"}), f.pFrame->m_log);
  EXPECT_FALSE(f.pManager->FindPane(101)->IsClosed());
}

TEST(DockingPanes, GroupCloseButtonClosesEveryClosablePaneWhenAsked) {
  CDockingFixture f;
  CJVKDockingPane* pA = f.Create(101, "A", DockingSideLeft);
  CJVKDockingPane* pB = f.Create(102, "B", DockingSideLeft);
  CJVKDockingPane* pC = f.Create(103, "C", DockingSideLeft);
  f.pManager->AttachPane(pB, pA);
  f.pManager->AttachPane(pC, pA);
  pB->SetOptions(DockingPaneNoCloseable);
  f.pManager->m_bCloseGroupOnButton = TRUE;
  f.Layout();
  CJVKDockingPaneTabbedContainer* pGroup = f.Group(101);
  pGroup->OnCaptionButton(pGroup->FindCaptionButton(JVK_IDS_DOCKING_CLOSE));
  EXPECT_TRUE(pA->IsClosed());
  EXPECT_FALSE(pB->IsClosed());
  EXPECT_TRUE(pC->IsClosed());
  EXPECT_EQ(pB, pGroup->GetSelected());
}

TEST(DockingPanes, ClosingTheSelectedOfThreeSelectsTheLastRemaining) {
  CDockingFixture f;
  CJVKDockingPane* pA = f.Create(101, "A", DockingSideLeft);
  CJVKDockingPane* pB = f.Create(102, "B", DockingSideLeft);
  CJVKDockingPane* pC = f.Create(103, "C", DockingSideLeft);
  f.pManager->AttachPane(pB, pA);
  f.pManager->AttachPane(pC, pA);
  CJVKDockingPaneTabbedContainer* pGroup = f.Group(101);
  pGroup->SelectPane(pA, FALSE, FALSE);
  f.pManager->ClosePane(pA);
  EXPECT_EQ(pC, pGroup->GetSelected());
  EXPECT_EQ(2, pGroup->GetTabManager()->GetItemCount());
}

TEST(DockingPanes, ShowPaneBeforeTheFirstLayoutSelectsWithoutShowing) {
  CDockingFixture f;
  CJVKDockingPane* pA = f.Create(101, "A", DockingSideLeft);
  CJVKDockingPane* pB = f.Create(102, "B", DockingSideLeft);
  f.pManager->AttachPane(pB, pA);
  f.pFrame->m_log.clear();
  f.pManager->ShowPane(101);
  EXPECT_EQ(pA, f.Group(101)->GetSelected());
  EXPECT_FALSE(::IsWindowVisible(f.windows[101]));
  EXPECT_TRUE(f.pFrame->m_log.empty());
  f.Layout();
  EXPECT_TRUE(::IsWindowVisible(f.windows[101]));
}

TEST(DockingPanes, PaneTitlesColoursAndOptions) {
  CDockingFixture f;
  CJVKDockingPane* pPane = f.Create(12, "Channels\nTV", DockingSideLeft);
  EXPECT_STREQ("Channels", pPane->GetTitle());
  EXPECT_STREQ("TV", pPane->GetTabCaption());
  pPane->SetTitle("Radio");
  EXPECT_STREQ("Radio", pPane->GetTitle());
  EXPECT_STREQ("Radio", pPane->GetTabCaption());
  // An edit control does not answer 1158: the palette code of id 12.
  EXPECT_EQ(0x1000004u, pPane->GetItemColor());
  EXPECT_EQ(0u, pPane->GetOptions());
  f.pManager->m_dwDefaultPaneOptions = DockingPaneNoHideable;
  EXPECT_EQ(static_cast<DWORD>(DockingPaneNoHideable), pPane->GetOptions());
  EXPECT_EQ(nullptr, f.pManager->FindPane(999));
  // The factory makes nothing for unknown kinds.
  EXPECT_EQ(nullptr, f.pManager->CreatePaneObject(6, f.pManager->GetLayout()));
}

TEST(DockingPanes, MaximizeTakesTheOtherGroupsWidthAndRestoreGivesItBack) {
  CDockingFixture f;
  f.pManager->m_bShowMaximizeButton = TRUE;
  f.Create(101, "A", DockingSideLeft);
  f.Create(102, "B", DockingSideLeft);
  f.Layout();
  CJVKDockingPaneTabbedContainer* pA = f.Group(101);
  CJVKDockingPaneTabbedContainer* pB = f.Group(102);
  EXPECT_TRUE(pA->FindCaptionButton(JVK_IDS_DOCKING_MAXIMIZE)->IsVisible());
  EXPECT_FALSE(pA->FindCaptionButton(JVK_IDS_DOCKING_RESTORE)->IsVisible());
  pA->OnCaptionButton(pA->FindCaptionButton(JVK_IDS_DOCKING_MAXIMIZE));
  MINMAXINFO mmi;
  pB->GetMinMaxInfo(&mmi);
  EXPECT_EQ(0, mmi.ptMaxTrackSize.x);
  EXPECT_TRUE(pA->FindCaptionButton(JVK_IDS_DOCKING_RESTORE)->IsVisible());
  pA->OnCaptionButton(pA->FindCaptionButton(JVK_IDS_DOCKING_RESTORE));
  pB->GetMinMaxInfo(&mmi);
  EXPECT_GT(mmi.ptMaxTrackSize.x, 30000);
}

TEST(DockingPanes, RightButtonOnATabSelectsItAndTellsTheOwner) {
  CDockingFixture f;
  CJVKDockingPaneTabbedContainer* pGroup = f.CreateTabbedPair("A", "B");
  CJVKDockingPane* pA = f.pManager->FindPane(101);
  const CPoint ptTab = pGroup->GetTabManager()->GetItem(0)->GetRect().CenterPoint();
  f.pFrame->m_log.clear();
  pGroup->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(ptTab.x, ptTab.y));
  EXPECT_EQ(pA, pGroup->GetSelected());
  EXPECT_EQ("2", f.pFrame->m_log.back());
}

namespace {

// Timers that act once a drag's loop holds the capture: one takes the
// capture away, the other posts a quit.
bool g_bActed = false;

void CALLBACK StealCapture(HWND, UINT, UINT_PTR idEvent, DWORD) {
  if (!::GetCapture()) return;
  ::KillTimer(nullptr, idEvent);
  g_bActed = true;
  ::ReleaseCapture();
}

void CALLBACK QuitInLoop(HWND, UINT, UINT_PTR idEvent, DWORD) {
  if (!::GetCapture()) return;
  ::KillTimer(nullptr, idEvent);
  g_bActed = true;
  ::PostQuitMessage(7);
}

void CALLBACK EscapeInLoop(HWND, UINT, UINT_PTR idEvent, DWORD) {
  if (!::GetCapture()) return;
  ::KillTimer(nullptr, idEvent);
  g_bActed = true;
  InjectKey(VK_ESCAPE, FALSE);
  InjectKey(VK_ESCAPE, TRUE);
}

void CALLBACK RightClickInLoop(HWND, UINT, UINT_PTR idEvent, DWORD) {
  if (!::GetCapture()) return;
  ::KillTimer(nullptr, idEvent);
  g_bActed = true;
  InjectMouseButton(MOUSEEVENTF_RIGHTDOWN);
  InjectMouseButton(MOUSEEVENTF_RIGHTUP);
}

void CALLBACK CancelModeInLoop(HWND, UINT, UINT_PTR idEvent, DWORD) {
  if (!::GetCapture()) return;
  ::KillTimer(nullptr, idEvent);
  g_bActed = true;
  ::PostMessage(::GetCapture(), WM_CANCELMODE, 0, 0);
}

// Presses at pt; a timer acts inside the drag's loop. Returns whether it
// acted there and (through pbQuit) whether a quit came back out of it.
bool PressWhileTimerActs(CPoint pt, TIMERPROC pfnTimer, bool* pbQuit = nullptr) {
  // A click on the client window first, so that this press is no double click.
  MoveTo(400, 300);
  InjectMouseButton(MOUSEEVENTF_LEFTDOWN);
  InjectMouseButton(MOUSEEVENTF_LEFTUP);
  PumpUntil([] { return FALSE; }, 100);
  g_bActed = false;
  bool bQuit = false;
  const UINT_PTR idTimer = ::SetTimer(nullptr, 0, 20, pfnTimer);
  MoveTo(pt.x, pt.y);
  InjectMouseButton(MOUSEEVENTF_LEFTDOWN);
  PumpUntil([] { return g_bActed && ::GetCapture() == nullptr; }, 5000,
            [&bQuit](const MSG& msg) {
              if (msg.message == WM_QUIT && msg.wParam == 7) bQuit = true;
            });
  ::KillTimer(nullptr, idTimer);
  // The quit was posted again by the loop: it is still to be taken.
  PumpUntil([&bQuit] { return bQuit; }, pbQuit ? 2000 : 0, [&bQuit](const MSG& msg) {
    if (msg.message == WM_QUIT && msg.wParam == 7) bQuit = true;
  });
  InjectMouseButton(MOUSEEVENTF_LEFTUP);
  PumpUntil([] { return FALSE; }, 200);
  if (pbQuit) *pbQuit = bQuit;
  return g_bActed;
}

}  // namespace

TEST(DockingPanes, DragLoopsEndOnQuitAndOnCaptureLoss) {
  CDockingFixture f;
  f.Create(101, "Left", DockingSideLeft);
  f.pManager->m_bUseSplitterTracker = FALSE;
  f.Layout();
  CJVKDockingPaneTabbedContainer* pGroup = f.Group(101);
  f.pFrame->UpdateWindow();
  PumpPending();
  CPoint ptClose = pGroup->FindCaptionButton(JVK_IDS_DOCKING_CLOSE)->GetRect().CenterPoint();
  pGroup->ClientToScreen(&ptClose);

  // The live splitter drag and the caption button's press both hand the
  // quit back and let the capture go; the press makes no click.
  for (CPoint pt : {CPoint(202, 300), ptClose}) {
    bool bQuit = false;
    EXPECT_TRUE(PressWhileTimerActs(pt, &QuitInLoop, &bQuit)) << pt.x;
    EXPECT_TRUE(bQuit) << pt.x;
    EXPECT_EQ(nullptr, ::GetCapture());
  }
  EXPECT_FALSE(f.pManager->FindPane(101)->IsClosed());

  // A press ended by a lost capture, Escape, the right button or
  // WM_CANCELMODE makes no click, though the pointer stays on the button.
  BringToFront(f.pFrame->m_hWnd);
  const struct {
    const char* what;
    TIMERPROC pfn;
  } ends[] = {{"capture lost", &StealCapture}, {"Escape", &EscapeInLoop}, {"right button", &RightClickInLoop},
              {"cancel mode", &CancelModeInLoop}};
  for (const auto& end : ends) {
    EXPECT_TRUE(PressWhileTimerActs(ptClose, end.pfn)) << end.what;
    EXPECT_FALSE(f.pManager->FindPane(101)->IsClosed()) << end.what;
    EXPECT_FALSE(pGroup->FindCaptionButton(JVK_IDS_DOCKING_CLOSE)->IsPressed()) << end.what;
  }
  for (const std::string& entry : f.pFrame->m_log) EXPECT_NE("4:2:101", entry);
}

TEST(DockingPanes, AnOleDragOverATabSelectsItsPaneWhenAllowed) {
  CDockingFixture f;
  CJVKDockingPaneTabbedContainer* pGroup = f.CreateTabbedPair("A", "B");
  CJVKDockingPane* pA = f.pManager->FindPane(101);
  CJVKDockingPane* pB = f.pManager->FindPane(102);
  ASSERT_NE(nullptr, pGroup->GetDropTarget());
  // The group's window is registered (revoking succeeds once), then again.
  EXPECT_EQ(S_OK, ::RevokeDragDrop(pGroup->m_hWnd));
  EXPECT_EQ(DRAGDROP_E_NOTREGISTERED, ::RevokeDragDrop(pGroup->m_hWnd));
  EXPECT_TRUE(pGroup->GetDropTarget()->Register(pGroup));
  ASSERT_EQ(pB, pGroup->GetSelected());
  const CPoint ptA = pGroup->GetTabManager()->GetItem(0)->GetRect().CenterPoint();
  // Not allowed by the tab paint manager: nothing changes.
  pGroup->GetTabManager()->GetPaintManager()->m_bSelectOnDragOver = FALSE;
  EXPECT_EQ(DROPEFFECT_NONE, pGroup->GetDropTarget()->OnDragOver(pGroup, nullptr, 0, ptA));
  EXPECT_EQ(pB, pGroup->GetSelected());
  pGroup->GetTabManager()->GetPaintManager()->m_bSelectOnDragOver = TRUE;
  EXPECT_EQ(DROPEFFECT_NONE, pGroup->GetDropTarget()->OnDragOver(pGroup, nullptr, 0, ptA));
  EXPECT_EQ(pA, pGroup->GetSelected());
  // Selected without the focus.
  EXPECT_FALSE(pA->IsFocused());
}

TEST(DockingPanes, CaptionDirections) {
  CDockingFixture f;
  f.Create(101, "Left", DockingSideLeft);
  f.Create(102, "Bottom", DockingSideBottom);
  f.Layout();
  const struct {
    int nDirection;
    BOOL bLeftVertical, bBottomVertical;
  } cases[] = {{0, FALSE, FALSE}, {1, TRUE, TRUE}, {2, FALSE, TRUE}, {3, FALSE, TRUE}};
  for (const auto& c : cases) {
    f.pManager->m_nCaptionDirection = c.nDirection;
    EXPECT_EQ(c.bLeftVertical, f.Group(101)->IsCaptionVertical()) << c.nDirection;
    EXPECT_EQ(c.bBottomVertical, f.Group(102)->IsCaptionVertical()) << c.nDirection;
  }
  // A vertical caption takes its room from the left of the group.
  f.pManager->m_nCaptionDirection = 1;
  f.Layout();
  const CRect rcEdit = RectInFrame(f.windows[101], f.pFrame);
  EXPECT_EQ(0, rcEdit.top);
  EXPECT_GT(rcEdit.left, f.pManager->GetPaintManager()->m_nCaptionHeight);
}

namespace {

// Once a pane drag's loop runs: a move past its start threshold and the
// release.
struct DropInDragLoop {
  static CJVKDockingPaneManager*& Manager() {
    static CJVKDockingPaneManager* p = nullptr;
    return p;
  }
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR idEvent, DWORD) {
    if (!Manager()->GetDragContext()->IsDragging()) return;
    ::KillTimer(nullptr, idEvent);
    POINT pt;
    ::GetCursorPos(&pt);
    InjectMouseMove(pt.x, pt.y - 60);
    InjectMouseButton(MOUSEEVENTF_LEFTUP);
  }
};

}  // namespace

TEST(DockingPanes, DraggingATabSwapsPanesAndOutOfTheStripAsksTheOwnerThenFloatsIt) {
  CDockingFixture f;
  CJVKDockingPaneTabbedContainer* pGroup = f.CreateTabbedPair("First", "Second");
  CJVKDockingPane* pA = f.pManager->FindPane(101);
  CJVKDockingPane* pB = f.pManager->FindPane(102);
  CPoint ptFirst = pGroup->GetTabManager()->GetItem(0)->GetRect().CenterPoint();
  CPoint ptSecond = pGroup->GetTabManager()->GetItem(1)->GetRect().CenterPoint();
  pGroup->ClientToScreen(&ptFirst);
  pGroup->ClientToScreen(&ptSecond);

  // Over the second tab: the panes swap.
  MoveTo(ptFirst.x, ptFirst.y);
  InjectMouseButton(MOUSEEVENTF_LEFTDOWN);
  PumpUntil([pGroup] { return ::GetCapture() == pGroup->m_hWnd; });
  MoveTo(ptSecond.x, ptSecond.y);
  PumpUntil([pGroup, pB] { return pGroup->GetPanes().front() == pB; });
  InjectMouseButton(MOUSEEVENTF_LEFTUP);
  PumpUntil([] { return ::GetCapture() == nullptr; });
  EXPECT_EQ((std::vector<CJVKDockingPane*>{pB, pA}), pGroup->GetPanes());
  EXPECT_EQ(pA, pGroup->GetSelected());
  EXPECT_STREQ("Second", pGroup->GetTabManager()->GetItem(0)->GetCaption());

  // Out of the strip, cancelled by the owner: the tab drag goes on; then
  // allowed: it ends.
  f.pFrame->m_log.clear();
  f.pFrame->m_cancelled.insert(DockingPaneActionDetaching);
  CPoint ptTab = pGroup->GetTabManager()->GetItem(1)->GetRect().CenterPoint();
  pGroup->ClientToScreen(&ptTab);
  MoveTo(400, 300);  // no double click on the same spot
  MoveTo(ptTab.x, ptTab.y);
  InjectMouseButton(MOUSEEVENTF_LEFTDOWN);
  PumpUntil([pGroup] { return ::GetCapture() == pGroup->m_hWnd; });
  MoveTo(ptTab.x, 300);
  PumpUntil([&f] { return !f.pFrame->m_log.empty(); });
  EXPECT_EQ(pGroup->m_hWnd, ::GetCapture());
  f.pFrame->m_cancelled.clear();
  // Allowed: the tab drag ends and the pane alone goes on in the drag
  // context (its loop runs inside the move); released over the client
  // area, away from every edge, it floats.
  DropInDragLoop::Manager() = f.pManager;
  const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 30, &DropInDragLoop::OnTimer);
  InjectMouseMove(ptTab.x, 310);
  PumpUntil([&f] { return CJVKDockingPaneManager::GetFloatingFrame(f.pManager->FindPane(101)) != nullptr; });
  ::KillTimer(nullptr, nTimer);
  PumpUntil([] { return ::GetCapture() == nullptr; });
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_EQ("4:16:101", f.pFrame->m_log.front());
  EXPECT_NE(nullptr, CJVKDockingPaneManager::GetFloatingFrame(pA));
  EXPECT_EQ((std::vector<CJVKDockingPane*>{pB}), pGroup->GetPanes());
}

TEST(DockingPanes, IconsFromABitmapAndTitlesFromStrings) {
  CDockingFixture f;
  // 64 pixels make four images: a count of three assigns nothing.
  const int ids[] = {11, 0, 12, 13};
  EXPECT_FALSE(f.pManager->SetIcons(300, ids, 3, RGB(192, 192, 192)));
  EXPECT_EQ(nullptr, f.pManager->GetIcon(11));
  EXPECT_TRUE(f.pManager->SetIcons(300, ids, 4, RGB(192, 192, 192)));
  EXPECT_NE(nullptr, f.pManager->GetIcon(11));
  EXPECT_EQ(nullptr, f.pManager->GetIcon(0));
  EXPECT_NE(f.pManager->GetIcon(12), f.pManager->GetIcon(13));
  EXPECT_FALSE(f.pManager->SetIcons(999, ids, 4, RGB(192, 192, 192)));  // no such bitmap

  CJVKDockingPane* pPane = f.pManager->CreatePane(501, CRect(0, 0, 200, 150), DockingSideLeft);
  EXPECT_STREQ("Channel list", pPane->GetTitle());
  EXPECT_STREQ("Channels", pPane->GetTabCaption());
  EXPECT_EQ(nullptr, pPane->GetIconHandle(16));
  pPane->m_nIconID = 13;
  EXPECT_EQ(f.pManager->GetIcon(13), pPane->GetIconHandle(16));
  pPane->SetPaneId(12);  // no string: the title stays
  EXPECT_STREQ("Channel list", pPane->GetTitle());
  pPane->m_nIconID = -1;
  EXPECT_EQ(f.pManager->GetIcon(12), pPane->GetIconHandle(16));
}

TEST(DockingPanes, TheApplicationsWindowsOutliveTheManager) {
  CDockingFixture f;
  f.Create(101, "Open", DockingSideLeft);
  f.Create(102, "Closed", DockingSideLeft);
  f.Layout();
  f.pManager->ClosePane(f.pManager->FindPane(102));
  delete f.pManager;
  f.pManager = nullptr;
  for (int nID : {101, 102}) {
    EXPECT_TRUE(::IsWindow(f.windows[nID])) << nID;
    EXPECT_FALSE(::IsWindowVisible(f.windows[nID])) << nID;
    EXPECT_EQ(f.pFrame->m_hWnd, ::GetParent(f.windows[nID])) << nID;
  }
}

TEST(DockingPanes, ToolTipsOfCaptionButtonsAndTabs) {
  CDockingFixture f;
  CJVKDockingPaneTabbedContainer* pGroup = f.CreateTabbedPair("Channel list\nChannels", "Output");
  auto tip = [pGroup](CPoint pt, INT_PTR* pnHit) {
    TOOLINFO ti = {};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    *pnHit = pGroup->OnToolHitTest(pt, &ti);
    std::string str = ti.lpszText ? ti.lpszText : "";
    delete[] ti.lpszText;
    return str;
  };
  INT_PTR nHit = 0;
  EXPECT_EQ("Close", tip(pGroup->FindCaptionButton(JVK_IDS_DOCKING_CLOSE)->GetRect().CenterPoint(), &nHit));
  EXPECT_EQ(JVK_IDS_DOCKING_CLOSE, nHit);
  // A tab gives its pane's title (tooltip mode 1: always).
  EXPECT_EQ("Channel list", tip(pGroup->GetTabManager()->GetItem(0)->GetRect().CenterPoint(), &nHit));
  EXPECT_EQ(0, nHit);
  // Nothing over the pane's window area.
  tip(CPoint(400, 60), &nHit);
  EXPECT_EQ(-1, nHit);
}

TEST(DockingPanes, DockPaneMovesAPaneOrAWholeGroup) {
  CDockingFixture f;
  f.Create(101, "Left", DockingSideLeft);
  f.Create(102, "Right", DockingSideRight);
  f.Layout();
  // A pane leaves its group and docks, in a group of its own, at the left.
  f.pManager->DockPane(f.pManager->FindPane(102), DockingSideLeft);
  f.Layout();
  auto rects = f.Rects();
  EXPECT_EQ(CRect(0, 0, 200, 600), rects.at("102"));
  EXPECT_EQ(CRect(204, 0, 404, 600), rects.at("101"));
  EXPECT_EQ(CRect(408, 0, 800, 600), rects.at("client"));
  EXPECT_TRUE(::IsWindowVisible(f.windows[102]));

  // A group is copied to its new place with its panes; the old one empties.
  CJVKDockingPaneTabbedContainer* pOld = f.Group(101);
  f.pManager->DockPane(pOld, DockingSideBottom);
  f.Layout();
  EXPECT_NE(pOld, f.Group(101));
  EXPECT_TRUE(pOld->IsEmpty());
  EXPECT_EQ(nullptr, pOld->GetSafeHwnd());
  rects = f.Rects();
  EXPECT_EQ(CRect(0, 450, 800, 600), rects.at("101"));
  EXPECT_EQ(CRect(0, 0, 200, 446), rects.at("102"));
  EXPECT_EQ(CRect(204, 0, 800, 446), rects.at("client"));
  EXPECT_TRUE(::IsWindowVisible(f.windows[101]));
  EXPECT_EQ(f.Group(101)->GetSafeHwnd(), ::GetParent(f.windows[101]));
  // The empty group is no holder any more: a save drops it.
  const size_t nBefore = f.pManager->GetLayout()->m_lstObjects.size();
  f.pManager->GetLayout()->Normalize();
  EXPECT_EQ(nBefore - 2, f.pManager->GetLayout()->m_lstObjects.size());
}

TEST(DockingPanes, DockRectanglesPreviewWhereAGroupWouldGo) {
  CDockingFixture f;
  f.Create(101, "Left", DockingSideLeft);
  f.Create(102, "Right", DockingSideRight);
  f.Create(103, "Bottom", DockingSideBottom);
  f.Layout();
  CJVKDockingPaneTabbedContainer* pDragged = f.Group(103);
  const struct {
    const char* what;
    int nSide;
    int nNeighbour;  // 0: the frame
    CRect expected;  // screen coordinates (the frame lies at the origin)
  } cases[] = {
      // In the row beside the left group: shares the row by stored widths,
      // the client taking the rest.
      {"right of the left group", DockingSideRight, 101, CRect(204, 0, 404, 446)},
      {"left of the left group", DockingSideLeft, 101, CRect(0, 0, 200, 446)},
      // Across the row: the left group's rectangle split as a column.
      {"below the left group", DockingSideBottom, 101, CRect(0, 225, 200, 446)},
      {"above the left group", DockingSideTop, 101, CRect(0, 0, 200, 221)},
  };
  for (const auto& c : cases) {
    CJVKDockingPaneBase* pNeighbour = c.nNeighbour ? f.pManager->FindPane(static_cast<UINT>(c.nNeighbour)) : nullptr;
    EXPECT_EQ(c.expected, f.pManager->CalcDockRect(pDragged, c.nSide, pNeighbour)) << c.what;
  }
  // Previews change nothing.
  EXPECT_EQ(CRect(0, 0, 200, 446), f.Rects().at("101"));
}

TEST(DockingPanes, HidingTheClientGivesItsRoomToTheGroups) {
  CDockingFixture f;
  f.Create(101, "Left", DockingSideLeft);
  f.Create(102, "Right", DockingSideRight);
  f.pManager->SetHideClient(TRUE);
  f.Layout();
  auto rects = f.Rects();
  EXPECT_TRUE(rects.at("client").IsRectEmpty());
  EXPECT_EQ(CRect(0, 0, 398, 600), rects.at("101"));
  EXPECT_EQ(CRect(402, 0, 800, 600), rects.at("102"));
  // One bar only: the client's gap is gone.
  EXPECT_EQ(1u, f.Top()->GetSplitters().size());
  f.pManager->SetHideClient(FALSE);
  f.Layout();
  rects = f.Rects();
  EXPECT_EQ(CRect(204, 0, 596, 600), rects.at("client"));
  EXPECT_EQ(2u, f.Top()->GetSplitters().size());
}
