// Expanding and collapsing by keyboard and mouse, the divider drag, and the
// help splitter's drag loop with its limits and its ends (release, Escape,
// lost capture, WM_QUIT).
#include "GridTestWindow.h"

#include "PropertyGridLayout.h"

namespace {

class GridMouseKeyTest : public ::testing::Test {
 protected:
  GridMouseKeyTest() : m_window(CGridTestWindow::Reset()), m_view(m_window.View()) {}

  void SelectItem(CJVKPropertyGridItem* pItem) {
    m_view.SetFocus();
    pItem->Select();
    PumpPending();
    m_window.m_notices.clear();
  }
  int Rows() const { return m_view.GetCount(); }
  CRect Client(CWnd& wnd) const {
    CRect rc;
    wnd.GetClientRect(&rc);
    return rc;
  }

  CGridTestWindow& m_window;
  CJVKPropertyGridView& m_view;
};

TEST_F(GridMouseKeyTest, KeysCollapseAndExpandTheSelectedCategory) {
  CJVKPropertyGridItem* pTuning = m_window.m_pTuning;
  SelectItem(pTuning);
  const int nExpanded = Rows();
  struct Step {
    WORD vk;
    BOOL expanded;
  } steps[] = {{VK_LEFT, FALSE}, {VK_RIGHT, TRUE}, {VK_SUBTRACT, FALSE}, {VK_ADD, TRUE},
               {VK_RETURN, FALSE}, {VK_RETURN, TRUE}};
  for (const Step& step : steps) {
    InjectTap(step.vk);
    PumpUntil([&] { return (pTuning->IsExpanded() != FALSE) == (step.expanded != FALSE); });
    PumpPending();
    EXPECT_EQ(step.expanded, pTuning->IsExpanded()) << step.vk;
    EXPECT_EQ(step.expanded ? nExpanded : nExpanded - 3, Rows()) << step.vk;
    EXPECT_EQ(pTuning, m_view.GetSelectedItem());
  }
  EXPECT_EQ(6, m_window.CountNotices(JVK_PGN_ITEMEXPANDCHANGED));
  EXPECT_EQ(nExpanded, Rows());
}

TEST_F(GridMouseKeyTest, ExpandBoxClickAndDoubleClickToggle) {
  CJVKPropertyGridItem* pNames = m_window.m_pNames;
  const int nExpanded = Rows();
  InjectClick(m_view, RowPoint(pNames, 5));
  ASSERT_TRUE(PumpUntil([&] { return !pNames->IsExpanded(); }));
  EXPECT_EQ(nExpanded - 3, Rows());
  EXPECT_EQ(pNames, m_view.GetSelectedItem());
  // Past the box a single click only selects.
  InjectClick(m_view, RowPoint(pNames, 2 * kJvkGridIndent + 10));
  PumpPending();
  EXPECT_FALSE(pNames->IsExpanded());
  InjectDoubleClick(m_view, RowPoint(pNames, 80));
  ASSERT_TRUE(PumpUntil([&] { return pNames->IsExpanded() != FALSE; }));
  PumpPending();
  EXPECT_EQ(nExpanded, Rows());
  EXPECT_EQ(1, m_window.CountNotices(JVK_PGN_DBLCLICK));
}

TEST_F(GridMouseKeyTest, TheDividerFollowsTheMouseWithinItsLimits) {
  const CRect rc = Client(m_view);
  const int y = RowPoint(m_window.m_pChannelName, 0).y;
  const int x = m_view.GetDividerPos();
  EXPECT_TRUE(m_view.DividerHitTest(x));
  InjectPress(m_view, CPoint(x, y));
  InjectMoveTo(m_view, CPoint(rc.Width() / 4, y));
  InjectPress(m_view, CPoint(rc.Width() / 4, y), FALSE);
  ASSERT_TRUE(PumpUntil([&] { return !m_view.IsTrackingDivider() && m_view.GetDividerRatio() < 0.3; }));
  EXPECT_NEAR(0.25, m_view.GetDividerRatio(), 0.01);
  // Dragged to the left edge it stops at 0.1.
  const int x2 = m_view.GetDividerPos();
  InjectPress(m_view, CPoint(x2, y));
  InjectMoveTo(m_view, CPoint(0, y));
  InjectPress(m_view, CPoint(0, y), FALSE);
  ASSERT_TRUE(PumpUntil([&] { return !m_view.IsTrackingDivider() && m_view.GetDividerRatio() < 0.2; }));
  EXPECT_DOUBLE_EQ(0.1, m_view.GetDividerRatio());
  EXPECT_EQ(nullptr, ::GetCapture());
}

// A value too wide for its column shows in full in the tooltip while the
// mouse is over it; one that fits shows none.
TEST_F(GridMouseKeyTest, TruncatedValuesShowTheirTooltip) {
  CJVKPropertyGridToolTip& tip = m_view.GetToolTip();
  const CString strLong("A channel name far too long to fit the value column of this grid");
  m_window.m_pChannelName->SetValue(strLong);
  const int xValue = m_view.GetDividerPos() + 20;
  InjectMoveTo(m_view, RowPoint(m_window.m_pServiceId, xValue));  // "100" fits
  PumpPending();
  EXPECT_FALSE(tip.IsShown());
  InjectMoveTo(m_view, RowPoint(m_window.m_pChannelName, xValue));
  ASSERT_TRUE(PumpUntil([&] { return tip.IsShown() != FALSE; }));
  EXPECT_STREQ(strLong, tip.m_strText);
  // Leaving the value part hides it again.
  InjectMoveTo(m_view, RowPoint(m_window.m_pPolarisation, 20));
  ASSERT_TRUE(PumpUntil([&] { return !tip.IsShown(); }));
}

TEST_F(GridMouseKeyTest, CtrlArrowsMoveTheDividerTwoPixels) {
  SelectItem(m_window.m_pChannelName);
  const int cx = Client(m_view).Width();
  InjectKeyDown(VK_CONTROL);
  InjectTap(VK_RIGHT);
  InjectKeyUp(VK_CONTROL);
  ASSERT_TRUE(PumpUntil([&] { return m_view.GetDividerRatio() > 0.5; }));
  EXPECT_NEAR(0.5 + 2.0 / cx, m_view.GetDividerRatio(), 1e-9);
  m_view.SetDividerRatio(0.85);
  InjectKeyDown(VK_CONTROL);
  InjectTap(VK_RIGHT);
  InjectKeyUp(VK_CONTROL);
  PumpPending();
  EXPECT_DOUBLE_EQ(0.85, m_view.GetDividerRatio());
}

HWND s_hThief;
void CALLBACK StealCapture(HWND, UINT, UINT_PTR nId, DWORD) {
  ::KillTimer(nullptr, nId);
  ::SetCapture(s_hThief);
}

class GridSplitterTest : public GridMouseKeyTest {
 protected:
  CPoint BarPoint() {
    const CRect rc = m_window.m_grid.GetSplitterRect();
    return CPoint(rc.CenterPoint().x, rc.top + 1);
  }
  int Bottom() { return Client(m_window.m_grid).bottom; }
  // The drag loop runs inside the press's handler. Wine hands a thread no
  // further injected mouse message while it dispatches one, so the loop's
  // input is posted to the grid, as a drag's messages arrive, before the press.
  void Drag(CPoint ptTo, BOOL bCancel = FALSE) {
    CJVKPropertyGrid& grid = m_window.m_grid;
    const CPoint bar = BarPoint();
    grid.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(bar.x, bar.y + 5));
    grid.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptTo.x, ptTo.y));
    if (bCancel) grid.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    grid.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptTo.x, ptTo.y));
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bar.x, bar.y));
    PumpPending();
  }
};

TEST_F(GridSplitterTest, DragStopsAtTheTopAndBottomLimits) {
  CJVKPropertyGrid& grid = m_window.m_grid;
  EXPECT_EQ(1, grid.HitTest(BarPoint()));
  EXPECT_EQ(-1, grid.HitTest(CPoint(10, 10)));
  struct Case {
    int y;         // where the mouse is let go
    int nBarY;     // where the bar stays
  } cases[] = {
      {200, 200},
      {-100, kJvkGridSplitterMinY},
      {Bottom() + 100, Bottom() - kJvkGridSplitterBottomGap},
      {Bottom() - 100, Bottom() - 100},
  };
  for (const Case& c : cases) {
    Drag(CPoint(50, c.y));
    EXPECT_EQ(Bottom() - (c.nBarY + 2), grid.GetHelpHeight()) << c.y;
    EXPECT_EQ(nullptr, ::GetCapture());
    // The view ends where the bar begins.
    CRect rcView;
    m_view.GetWindowRect(&rcView);
    grid.ScreenToClient(&rcView);
    EXPECT_EQ(grid.GetSplitterRect().top, rcView.bottom) << c.y;
  }
}

TEST_F(GridSplitterTest, EscapeCancelsTheDrag) {
  CJVKPropertyGrid& grid = m_window.m_grid;
  Drag(CPoint(50, 100), TRUE);
  EXPECT_EQ(58, grid.GetHelpHeight());
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_TRUE(grid.GetStyle() & WS_CLIPCHILDREN);
}

// Another window taking the capture ends the drag as a cancel.
TEST_F(GridSplitterTest, LosingTheCaptureEndsTheDragAsACancel) {
  CJVKPropertyGrid& grid = m_window.m_grid;
  m_window.m_onNotice = nullptr;
  const CPoint bar = BarPoint();
  // A message dispatched by the loop gives the capture to the test window.
  s_hThief = m_window.m_hWnd;
  const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 1, StealCapture);
  ASSERT_NE(0u, nTimer);
  grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bar.x, bar.y));
  EXPECT_EQ(m_window.m_hWnd, ::GetCapture());
  ::ReleaseCapture();
  EXPECT_EQ(58, grid.GetHelpHeight());
  EXPECT_TRUE(grid.GetStyle() & WS_CLIPCHILDREN);  // the styles come back
}

// WM_QUIT ends the drag, releases the capture and stays for the outer loop.
TEST_F(GridSplitterTest, QuitEndsTheDragAndIsPostedAgain) {
  CJVKPropertyGrid& grid = m_window.m_grid;
  const CPoint bar = BarPoint();
  ::PostQuitMessage(7);
  grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bar.x, bar.y));
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_EQ(58, grid.GetHelpHeight());
  MSG msg;
  ASSERT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(7u, msg.wParam);
}

TEST_F(GridSplitterTest, WithoutHelpTheViewFillsTheGrid) {
  CJVKPropertyGrid& grid = m_window.m_grid;
  grid.ShowHelp(FALSE);
  CRect rcView;
  m_view.GetWindowRect(&rcView);
  EXPECT_EQ(Bottom(), rcView.Height());
  EXPECT_EQ(-1, grid.HitTest(BarPoint()));
  grid.ShowHelp(TRUE);
}

}  // namespace
