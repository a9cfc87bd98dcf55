// Dock bars: tool bars docked along the sides of a frame in rows (one
// column of buttons on the left and right), dragged by their grippers to
// float in mini frames of their own and to dock again.
#include <gtest/gtest.h>

#include <vector>

#include "FrameTestResources.h"
#include "FrameTestSupport.h"

namespace {

class CDockFrame : public CCommandFrame {
 public:
  CToolBar m_toolBar, m_otherBar;
  CWnd m_pane;
  BOOL Build() {
    if (!LoadFrame(IDR_FRAME, WS_OVERLAPPEDWINDOW)) return FALSE;
    for (CToolBar* pBar : {&m_toolBar, &m_otherBar}) {
      // The second bar stays hidden until a test docks it.
      DWORD dwVisible = pBar == &m_toolBar ? WS_VISIBLE : 0;
      if (!pBar->CreateEx(this, TBSTYLE_FLAT, WS_CHILD | dwVisible | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS,
                          CRect(0, 0, 0, 0), pBar == &m_toolBar ? AFX_IDW_TOOLBAR : AFX_IDW_TOOLBAR + 10) ||
          !pBar->LoadToolBar(IDR_TOOLS))
        return FALSE;
      pBar->EnableDocking(CBRS_ALIGN_ANY);
    }
    if (!m_pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), this, AFX_IDW_PANE_FIRST))
      return FALSE;
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_toolBar);
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SizeClient(this, 400, 300);
    RecalcLayout();
    return TRUE;
  }
};

CRect ScreenRect(CWnd* pWnd) {
  CRect rect;
  pWnd->GetWindowRect(&rect);
  return rect;
}

TEST(DockBarTest, BarsDockAlongTheSidesInRows) {
  CDockFrame* pFrame = new CDockFrame;
  ASSERT_TRUE(pFrame->Build());
  CToolBar& bar = pFrame->m_toolBar;
  CDockBar* pTop = pFrame->GetDockBar(AFX_IDW_DOCKBAR_TOP);
  CDockBar* pLeft = pFrame->GetDockBar(AFX_IDW_DOCKBAR_LEFT);
  ASSERT_NE(pTop, nullptr);
  ASSERT_NE(pLeft, nullptr);
  EXPECT_EQ(bar.m_pDockBar, pTop);
  EXPECT_EQ(bar.GetParent(), pTop);
  EXPECT_FALSE(bar.IsFloating());

  // Along the top: the bar's height across the width; the pane below.
  CSize sizeHorz = bar.CalcFixedLayout(FALSE, TRUE);
  EXPECT_EQ(RectInParent(pTop), CRect(0, 0, 400, sizeHorz.cy));
  EXPECT_EQ(RectInParent(&bar), CRect(0, 0, sizeHorz.cx, sizeHorz.cy));
  EXPECT_EQ(RectInParent(&pFrame->m_pane), CRect(0, sizeHorz.cy, 400, 300));

  // A second bar dropped to the right of the first shares its row; one
  // dropped below it opens a new row.
  CToolBar& other = pFrame->m_otherBar;
  CRect top = ScreenRect(pTop);
  CRect beside(CPoint(top.left + 200, top.top), sizeHorz);
  other.ShowWindow(SW_SHOWNA);
  pFrame->DockControlBar(&other, pTop, &beside);
  pFrame->RecalcLayout();
  EXPECT_EQ(pTop->GetRows().size(), 1u);
  EXPECT_EQ(RectInParent(&other), CRect(CPoint(200, 0), sizeHorz));
  // Overlapping the first bar, it is pushed along after it.
  CRect overlapping(CPoint(top.left + 10, top.top), sizeHorz);
  pFrame->DockControlBar(&other, pTop, &overlapping);
  pFrame->RecalcLayout();
  EXPECT_EQ(RectInParent(&other), CRect(CPoint(sizeHorz.cx, 0), sizeHorz));
  CRect below(CPoint(top.left, top.top + sizeHorz.cy + 2), sizeHorz);
  pFrame->DockControlBar(&other, pTop, &below);
  pFrame->RecalcLayout();
  EXPECT_EQ(pTop->GetRows().size(), 2u);
  EXPECT_EQ(RectInParent(pTop), CRect(0, 0, 400, 2 * sizeHorz.cy));
  EXPECT_EQ(RectInParent(&other), CRect(CPoint(0, sizeHorz.cy), sizeHorz));

  // On the left the bar stands upright: its buttons in one column.
  pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
  pFrame->RecalcLayout();
  EXPECT_EQ(bar.GetParent(), pLeft);
  EXPECT_EQ(bar.GetBarStyle() & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_LEFT));
  CSize sizeVert = bar.CalcFixedLayout(FALSE, FALSE);
  EXPECT_GT(sizeVert.cy, sizeVert.cx);
  CRect first, last;
  bar.GetItemRect(0, &first);
  bar.GetItemRect(bar.GetCount() - 1, &last);
  EXPECT_EQ(last.left, first.left);
  EXPECT_GT(last.top, first.bottom);
  EXPECT_EQ(RectInParent(pTop), CRect(0, 0, 400, sizeHorz.cy));  // only the other bar's row is left
  EXPECT_EQ(RectInParent(pLeft), CRect(0, sizeHorz.cy, sizeVert.cx, 300));
  EXPECT_EQ(RectInParent(&pFrame->m_pane), CRect(sizeVert.cx, sizeHorz.cy, 400, 300));
  pFrame->DestroyWindow();
}

// Drags the bar by its gripper to ptTo (screen) and lets go there, or
// presses Escape there.
void DragGripper(CControlBar& bar, CPoint ptTo, BOOL bCancel = FALSE) {
  CRect grip = bar.GetGripperRect();
  CRect window = ScreenRect(&bar);
  CPoint ptFrom(window.left + grip.CenterPoint().x, window.top + grip.CenterPoint().y);
  EXPECT_EQ(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptFrom.x, ptFrom.y)), HTCAPTION);
  CPoint ptClient = ptTo;
  bar.ScreenToClient(&ptClient);
  bar.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptClient.x, ptClient.y));
  if (bCancel)
    bar.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  else
    bar.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptClient.x, ptClient.y));
  bar.SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(ptFrom.x, ptFrom.y));
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST(DockBarTest, DraggingTheGripperFloatsTheBarAndDocksItAgain) {
  CDockFrame* pFrame = new CDockFrame;
  ASSERT_TRUE(pFrame->Build());
  pFrame->ShowWindow(SW_SHOWNA);
  CToolBar& bar = pFrame->m_toolBar;
  CDockBar* pTop = pFrame->GetDockBar(AFX_IDW_DOCKBAR_TOP);
  CRect client;
  pFrame->GetClientRect(&client);
  pFrame->ClientToScreen(&client);

  // Escape: the bar stays where it was.
  CRect before = ScreenRect(&bar);
  DragGripper(bar, CPoint(client.left + 150, client.bottom + 150), TRUE);
  EXPECT_EQ(bar.m_pDockBar, pTop);
  EXPECT_EQ(ScreenRect(&bar), before);

  // Let go away from the frame's sides: it floats there in a mini frame
  // that the frame owns, moved as far as the mouse was.
  DragGripper(bar, CPoint(client.left + 150, client.bottom + 150));
  ASSERT_TRUE(bar.IsFloating());
  CWnd* pMiniFrame = bar.m_pDockBar->GetParentFrame();
  ASSERT_NE(pMiniFrame, nullptr);
  EXPECT_TRUE(pMiniFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
  EXPECT_EQ(::GetWindow(pMiniFrame->m_hWnd, GW_OWNER), pFrame->m_hWnd);
  EXPECT_TRUE(pMiniFrame->IsWindowVisible());
  EXPECT_TRUE(bar.GetBarStyle() & CBRS_FLOATING);
  CRect miniClient;
  pMiniFrame->GetClientRect(&miniClient);
  EXPECT_EQ(miniClient.Size(), bar.CalcFixedLayout(FALSE, TRUE));
  EXPECT_EQ(pTop->GetDockedCount(), 0);
  EXPECT_EQ(RectInParent(&pFrame->m_pane), CRect(0, 0, 400, 300));  // the top strip is empty

  // Floating, its buttons still follow the frame's handlers.
  IdleUpdate(pFrame);
  EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONENABLED, ID_EDIT_UNDO_IT));
  EXPECT_TRUE(bar.SendMessage(TB_ISBUTTONENABLED, ID_FILE_OPEN_DOC));

  // Dropped on the frame's left edge it docks there, upright; the empty
  // mini frame goes.
  HWND hMiniFrame = pMiniFrame->m_hWnd;
  DragGripper(bar, CPoint(client.left + 4, client.top + 100));
  EXPECT_EQ(bar.m_pDockBar, pFrame->GetDockBar(AFX_IDW_DOCKBAR_LEFT));
  EXPECT_FALSE(::IsWindow(hMiniFrame));
  EXPECT_EQ(bar.GetBarStyle() & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_LEFT));

  // A bar that may not dock on the right floats when dropped there.
  bar.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT);
  DragGripper(bar, CPoint(client.right - 4, client.top + 100));
  EXPECT_TRUE(bar.IsFloating());

  // A double click takes it back to where it was docked, and out again.
  bar.m_pDockContext->ToggleDocking();
  EXPECT_EQ(bar.m_pDockBar, pFrame->GetDockBar(AFX_IDW_DOCKBAR_LEFT));
  bar.m_pDockContext->ToggleDocking();
  EXPECT_TRUE(bar.IsFloating());

  // Closing the mini frame hides it with its bar; both stay.
  CWnd* pFloating = bar.m_pDockBar->GetParentFrame();
  pFloating->SendMessage(WM_CLOSE);
  EXPECT_TRUE(::IsWindow(pFloating->m_hWnd));
  EXPECT_FALSE(pFloating->IsWindowVisible());
  EXPECT_FALSE(bar.GetStyle() & WS_VISIBLE);
  EXPECT_TRUE(bar.IsFloating());
  pFrame->DestroyWindow();  // the mini frame goes with its owner
}

}  // namespace
