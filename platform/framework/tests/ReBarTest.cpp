// A rebar along the top of a frame: bars in its bands, the whole width, and
// the frame's layout following its height.
#include <gtest/gtest.h>

#include "FrameTestResources.h"
#include "FrameTestSupport.h"

namespace {

class CReBarFrame : public CCommandFrame {
 public:
  CReBar m_reBar;
  CToolBar m_toolBar;
  CWnd m_box;  // a plain child in the second band
  CWnd m_pane;
  BOOL Build() {
    return LoadFrame(IDR_FRAME, WS_OVERLAPPEDWINDOW) && m_reBar.Create(this) &&
           m_toolBar.CreateEx(this, TBSTYLE_FLAT,
                              WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_BORDER_BOTTOM) &&
           m_toolBar.LoadToolBar(IDR_TOOLS) &&
           m_box.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 40), this, 1234) &&
           m_pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), this, AFX_IDW_PANE_FIRST) &&
           m_reBar.AddBar(&m_toolBar, "Tools") && m_reBar.AddBar(&m_box, RGB(0, 0, 0), RGB(200, 200, 200));
  }
};

TEST(ReBarTest, BandsHoldTheBarsAndTheFrameFollowsTheHeight) {
  CReBarFrame* pFrame = new CReBarFrame;
  ASSERT_TRUE(pFrame->Build());
  SizeClient(pFrame, 400, 250);
  CReBar& reBar = pFrame->m_reBar;
  ASSERT_EQ(reBar.SendMessage(RB_GETBANDCOUNT), 2);
  REBARBANDINFO band = {};
  band.cbSize = sizeof(band);
  band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE;
  ASSERT_TRUE(reBar.SendMessage(RB_GETBANDINFO, 0, reinterpret_cast<LPARAM>(&band)));
  EXPECT_EQ(band.hwndChild, pFrame->m_toolBar.m_hWnd);
  EXPECT_EQ(pFrame->m_toolBar.GetParent(), &reBar);
  // The tool bar gave up its gripper and borders to the band.
  EXPECT_EQ(pFrame->m_toolBar.GetBarStyle() & (CBRS_GRIPPER | CBRS_BORDER_ANY), 0u);
  EXPECT_EQ(band.cyMinChild, static_cast<UINT>(pFrame->m_toolBar.CalcFixedLayout(FALSE, TRUE).cy));
  ASSERT_TRUE(reBar.SendMessage(RB_GETBANDINFO, 1, reinterpret_cast<LPARAM>(&band)));
  EXPECT_EQ(band.hwndChild, pFrame->m_box.m_hWnd);
  EXPECT_EQ(band.cyMinChild, 40u);

  // One row: the whole width, as tall as the taller band; the pane below.
  pFrame->RecalcLayout();
  CRect rebarRect = RectInParent(&reBar), paneRect = RectInParent(&pFrame->m_pane);
  int nOneRow = static_cast<int>(reBar.SendMessage(RB_GETBARHEIGHT));
  EXPECT_GE(nOneRow, 40);
  EXPECT_EQ(rebarRect, CRect(0, 0, 400, nOneRow));
  EXPECT_EQ(paneRect, CRect(0, nOneRow, 400, 250));

  // The second band on a row of its own: the rebar grows and the frame
  // lays out again at idle time.
  pFrame->ShowWindow(SW_SHOWNA);  // idle updates go to a visible main window
  band.fMask = RBBIM_STYLE;
  band.fStyle = RBBS_BREAK | RBBS_GRIPPERALWAYS;
  reBar.SendMessage(RB_SETBANDINFO, 1, reinterpret_cast<LPARAM>(&band));
  int nTwoRows = static_cast<int>(reBar.SendMessage(RB_GETBARHEIGHT));
  EXPECT_GT(nTwoRows, nOneRow);
  IdleUpdate(pFrame);
  EXPECT_EQ(RectInParent(&reBar), CRect(0, 0, 400, nTwoRows));
  EXPECT_EQ(RectInParent(&pFrame->m_pane), CRect(0, nTwoRows, 400, 250));
  pFrame->DestroyWindow();
}

}  // namespace
