// The status bar in a frame: indicators and their widths, the stretch split
// through the control's parts, texts sent only when they change, hidden
// panes, the window text of the message pane, idle updates through the
// frame's handlers and the tooltip hit test per pane.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "StatusBarTestFrame.h"

namespace {

struct Borders {
  int nHorz, nVert, nGap;
};

Borders BordersOf(CJVKStatusBar& bar) {
  int borders[3] = {};
  bar.SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
  return {borders[0], borders[1], borders[2]};
}

// The room the size grip takes off the panes' width.
int GripRoom(CJVKStatusBar& bar) {
  return 2 * ::GetSystemMetrics(SM_CXBORDER) + BordersOf(bar).nHorz + ::GetSystemMetrics(SM_CXVSCROLL);
}

int TextWidth(CJVKStatusBar& bar, const char* pszText) {
  CClientDC dc(&bar);
  CFont* pOld = dc.SelectObject(bar.GetBarFont());
  const int cx = dc.GetTextExtent(pszText).cx;
  dc.SelectObject(pOld);
  return cx;
}

TEST(StatusBarIndicatorsTest, TheMessagePaneStretchesAndIndicatorsTakeTheirTextsWidth) {
  CFrameHolder frame(new CStatusTestFrame);
  CJVKStatusBar& bar = frame->Bar();
  ASSERT_EQ(bar.GetPaneCount(), 4);
  EXPECT_EQ(bar.GetPaneStyle(0), JVK_PANE_STRETCH | JVK_PANE_NOBORDERS);
  EXPECT_EQ(bar.GetPaneWidth(0), ::GetSystemMetrics(SM_CXSCREEN) / 4);
  const struct {
    int nIndex;
    UINT nID;
    const char* pszText;
  } rows[] = {{1, ID_SB_CAPS, "CAP"}, {2, ID_SB_OVERWRITE, "Overwrite mode"}, {3, ID_SB_NUM, "NUM"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.pszText);
    EXPECT_EQ(bar.GetPane(row.nIndex)->GetID(), row.nID);
    EXPECT_EQ(bar.CommandToIndex(row.nID), row.nIndex);
    EXPECT_EQ(bar.GetPaneStyle(row.nIndex), 0u);
    EXPECT_EQ(bar.GetPaneWidth(row.nIndex), TextWidth(bar, row.pszText));
    EXPECT_EQ(PartText(bar, row.nIndex), row.pszText) << "sent to the control's part";
  }
  EXPECT_EQ(bar.CommandToIndex(ID_SB_MISSING), -1);
  EXPECT_EQ(bar.GetMinHeight(), 20) << "recorded from SB_SETMINHEIGHT at creation";

  // Parts: fixed panes keep width + 6, the message pane takes the rest, and
  // the last part ends where the grip's room begins.
  const Borders b = BordersOf(bar);
  const std::vector<int> edges = PartEdges(bar);
  ASSERT_EQ(edges.size(), 4u);
  for (int i = 1; i < 4; ++i) EXPECT_EQ(edges[i] - edges[i - 1], bar.GetPaneWidth(i) + 6 + b.nGap) << i;
  CRect rcWindow;
  bar.GetWindowRect(&rcWindow);
  EXPECT_EQ(edges[3], b.nHorz + rcWindow.Width() - GripRoom(bar));

  // Item rectangles: the control's parts; the last, not stretching, is its
  // width plus three edges wide.
  CRect rc;
  bar.GetItemRect(1, &rc);
  EXPECT_EQ(rc.right, edges[1]);
  bar.GetItemRect(3, &rc);
  EXPECT_EQ(rc.Width(), bar.GetPaneWidth(3) + 3 * ::GetSystemMetrics(SM_CXEDGE));
}

TEST(StatusBarIndicatorsTest, AMissingStringEndsTheListWithFalse) {
  CFrameHolder frame(new CStatusTestFrame);
  CJVKStatusBar& bar = frame->Bar();
  const UINT ids[] = {ID_SB_CAPS, ID_SB_MISSING, ID_SB_NUM};
  EXPECT_FALSE(bar.SetIndicators(ids, 3));
  ASSERT_EQ(bar.GetPaneCount(), 2) << "the ids after the missing one get no pane";
  EXPECT_EQ(bar.GetPaneText(1), "");
  EXPECT_EQ(bar.GetPaneStyle(0), 0u) << "a first pane with an id does not stretch";
  EXPECT_EQ(PartEdges(bar).size(), 2u);
  const UINT again[] = {0, ID_SB_NUM};
  EXPECT_TRUE(bar.SetIndicators(again, 2));
  EXPECT_EQ(PartText(bar, 1), "NUM");
}

TEST(StatusBarPartsTest, TwoStretchPanesSplitAnOddFreeWidthFirstTheSmallerHalf) {
  CFrameHolder frame(new CStatusTestFrame);
  CJVKStatusBar& bar = frame->Bar();
  const UINT ids[] = {0, 0};
  bar.SetIndicators(ids, 2);
  bar.SetPaneStyle(1, JVK_PANE_STRETCH);
  // Wide panes keep the frame above its smallest width.
  bar.SetPaneWidth(0, 100);
  bar.SetPaneWidth(1, 100);
  const Borders b = BordersOf(bar);
  const struct {
    int nFree, nFirst, nSecond;
  } rows[] = {{101, 50, 51}, {100, 50, 50}, {7, 3, 4}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.nFree);
    // free = inside width + gap - 2 * (100 + gap + 6)
    frame->SizeClient(row.nFree + b.nGap + 212 + GripRoom(bar));
    const std::vector<int> edges = PartEdges(bar);
    ASSERT_EQ(edges.size(), 2u);
    EXPECT_EQ(edges[0] - b.nHorz - 106, row.nFirst);
    EXPECT_EQ(edges[1] - edges[0] - b.nGap - 106, row.nSecond);
  }
}

TEST(StatusBarTextTest, TheSameTextTwiceIsSentOnce) {
  CFrameHolder frame(new CStatusTestFrame);
  CJVKStatusBar& bar = frame->Bar();
  CSetTextCounter counter(bar.m_hWnd);
  EXPECT_TRUE(bar.SetPaneText(0, "Loading"));
  EXPECT_TRUE(bar.SetPaneText(0, "Loading"));
  EXPECT_TRUE(bar.SetPaneText(0, "loading")) << "the comparison is case-sensitive";
  // The message pane has no borders: its style's low word rides along.
  const std::string strIndex0 = std::to_string(SBT_NOBORDERS);
  EXPECT_EQ(counter.m_texts, (std::vector<std::string>{strIndex0 + ":Loading", strIndex0 + ":loading"}));

  // Without update the text waits for the next paint, and is sent once.
  counter.m_texts.clear();
  EXPECT_TRUE(bar.SetPaneText(1, "caps", FALSE));
  EXPECT_TRUE(counter.m_texts.empty());
  EXPECT_TRUE(bar.SetPaneText(1, "caps", FALSE)) << "waiting: not skipped, still waiting";
  bar.Invalidate(FALSE);
  bar.UpdateWindow();
  bar.Invalidate(FALSE);
  bar.UpdateWindow();
  EXPECT_EQ(counter.m_texts, std::vector<std::string>{"1:caps"});
  EXPECT_EQ(PartText(bar, 1), "caps");

  // A disabled pane keeps its text but shows none.
  counter.m_texts.clear();
  bar.SetPaneStyle(2, JVK_PANE_DISABLED);
  EXPECT_EQ(PartText(bar, 2), "");
  EXPECT_EQ(bar.GetPaneText(2), "Overwrite mode");
  bar.SetPaneStyle(2, 0);
  EXPECT_EQ(PartText(bar, 2), "Overwrite mode");
  bar.SetPaneStyle(2, 0);
  EXPECT_EQ(counter.m_texts.size(), 2u) << "an unchanged style sends nothing";
}

TEST(StatusBarTextTest, HidingAPaneRenumbersTheVisiblePanesBehindIt) {
  CFrameHolder frame(new CStatusTestFrame);
  CJVKStatusBar& bar = frame->Bar();
  bar.GetPane(1)->SetVisible(FALSE);
  const struct {
    int nIndex, nVisibleIndex;
  } rows[] = {{0, 0}, {1, -1}, {2, 1}, {3, 2}};
  for (const auto& row : rows) {
    EXPECT_EQ(bar.GetPane(row.nIndex)->GetIndex(), row.nIndex);
    EXPECT_EQ(bar.GetPane(row.nIndex)->GetVisibleIndex(), row.nVisibleIndex) << row.nIndex;
  }
  ASSERT_EQ(PartEdges(bar).size(), 3u);
  EXPECT_EQ(PartText(bar, 1), "Overwrite mode");
  EXPECT_EQ(PartText(bar, 2), "NUM");
  CRect rc;
  bar.GetItemRect(1, &rc);
  EXPECT_TRUE(rc.IsRectEmpty());
  EXPECT_FALSE(bar.SetPaneText(1, "hidden")) << "a hidden pane reports FALSE";
  EXPECT_EQ(bar.GetPaneText(1), "hidden") << "and keeps the text";

  bar.GetPane(1)->SetVisible(TRUE);
  EXPECT_EQ(bar.GetPane(2)->GetVisibleIndex(), 2);
  EXPECT_EQ(PartText(bar, 1), "hidden");
  EXPECT_EQ(PartText(bar, 2), "Overwrite mode");
  EXPECT_EQ(PartText(bar, 3), "NUM");
}

TEST(StatusBarTextTest, TheWindowTextIsTheMessagePanes) {
  CFrameHolder frame(new CStatusTestFrame);
  CJVKStatusBar& bar = frame->Bar();
  EXPECT_TRUE(bar.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Ready now!")));
  EXPECT_EQ(bar.GetPaneText(0), "Ready now!");
  EXPECT_EQ(PartText(bar, 0), "Ready now!");
  EXPECT_EQ(bar.SendMessage(WM_GETTEXTLENGTH), 10);

  // Buffer sizes against the 10 characters: at most size - 1 and a NUL,
  // nothing written past the buffer (the guard bytes stay).
  const struct {
    int nSize;
    LRESULT nCopied;
    const char* pszExpected;  // nullptr: the buffer stays untouched
  } rows[] = {{0, 0, nullptr}, {1, 0, ""}, {5, 4, "Read"}, {10, 9, "Ready now"}, {11, 10, "Ready now!"},
              {40, 10, "Ready now!"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.nSize);
    char buffer[64];
    memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(bar.SendMessage(WM_GETTEXT, static_cast<WPARAM>(row.nSize), reinterpret_cast<LPARAM>(buffer)),
              row.nCopied);
    if (row.pszExpected == nullptr) {
      EXPECT_EQ(buffer[0], '#');
      continue;
    }
    EXPECT_STREQ(buffer, row.pszExpected);
    for (int i = static_cast<int>(strlen(row.pszExpected)) + 1; i < 64; ++i) ASSERT_EQ(buffer[i], '#') << i;
  }

  // A hidden message pane, and a bar without one, take no window text.
  bar.GetPane(0)->SetVisible(FALSE);
  EXPECT_FALSE(bar.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("lost")));
  EXPECT_EQ(bar.GetPaneText(0), "Ready now!");
  const UINT ids[] = {ID_SB_CAPS};
  bar.SetIndicators(ids, 1);
  EXPECT_FALSE(::SetWindowText(bar.m_hWnd, "nowhere"));
  EXPECT_EQ(bar.SendMessage(WM_GETTEXTLENGTH), 0);
  char buffer[8] = "xxxxxxx";
  EXPECT_EQ(bar.SendMessage(WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)), 0);
  EXPECT_STREQ(buffer, "");
}

// A bar with a handler of its own for the caps pane: it answers before the
// frame's.
class COwnHandlerBar : public CJVKStatusBar {
 protected:
  afx_msg void OnUpdateCaps(CCmdUI* pCmdUI) { pCmdUI->SetText("bar's"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnHandlerBar, CJVKStatusBar)
ON_UPDATE_COMMAND_UI(ID_SB_CAPS, OnUpdateCaps)
END_MESSAGE_MAP()

TEST(StatusBarIdleUpdateTest, PanesFollowTheFramesHandlers) {
  CFrameHolder frame(new CStatusTestFrame);
  CJVKStatusBar& bar = frame->Bar();
  frame->IdleUpdate();
  EXPECT_GT(frame->m_nCapsCalls, 0);
  for (int i = 1; i < 4; ++i) EXPECT_EQ(bar.GetPaneStyle(i), 0u) << "no answer leaves pane " << i << " as it is";

  frame->m_nOverwriteEnable = FALSE;
  frame->m_nNumCheck = 1;
  frame->m_strCapsText = "CAPS ON";
  frame->IdleUpdate();
  EXPECT_EQ(bar.GetPaneStyle(2), JVK_PANE_DISABLED);
  EXPECT_EQ(PartText(bar, 2), "") << "disabled: no text shown";
  EXPECT_EQ(bar.GetPaneStyle(3), JVK_PANE_POPOUT);
  UINT nType = 0;
  EXPECT_EQ(PartText(bar, 3, &nType), "NUM");
  EXPECT_EQ(nType & SBT_POPOUT, static_cast<UINT>(SBT_POPOUT)) << "sent again with the pop-out style";
  EXPECT_EQ(PartText(bar, 1), "CAPS ON");

  frame->m_nOverwriteEnable = TRUE;
  frame->m_nNumCheck = 0;
  CSetTextCounter counter(bar.m_hWnd);
  frame->IdleUpdate();
  EXPECT_EQ(bar.GetPaneStyle(2), 0u);
  EXPECT_EQ(PartText(bar, 2), "Overwrite mode");
  EXPECT_EQ(bar.GetPaneStyle(3), 0u);
  // Two style changes resend; the unchanged caps text is not sent again.
  EXPECT_EQ(counter.m_texts.size(), 2u);

  // Hidden frame: no update.
  frame->m_nOverwriteEnable = FALSE;
  frame->ShowWindow(SW_HIDE);
  frame->IdleUpdate();
  EXPECT_EQ(bar.GetPaneStyle(2), 0u);
}

TEST(StatusBarIdleUpdateTest, TheBarsOwnHandlerComesFirst) {
  CFrameHolder frame(new CStatusTestFrame(TRUE, new COwnHandlerBar));
  frame->m_strCapsText = "frame's";
  frame->IdleUpdate();
  EXPECT_EQ(frame->Bar().GetPaneText(1), "bar's");
  EXPECT_EQ(frame->m_nCapsCalls, 0);
}

TEST(StatusBarToolTipTest, TheHitTestFindsThePaneWithATooltip) {
  CFrameHolder frame(new CStatusTestFrame);
  CJVKStatusBar& bar = frame->Bar();
  bar.GetPane(2)->SetTooltip("Overwrite or insert");
  CRect rcCaps, rcOverwrite;
  bar.GetItemRect(1, &rcCaps);
  bar.GetItemRect(2, &rcOverwrite);

  TOOLINFO ti = {};
  ti.cbSize = TTTOOLINFOA_V1_SIZE;
  EXPECT_EQ(bar.OnToolHitTest(rcOverwrite.CenterPoint(), &ti), ID_SB_OVERWRITE);
  EXPECT_EQ(ti.hwnd, bar.m_hWnd);
  EXPECT_EQ(ti.uId, static_cast<UINT_PTR>(ID_SB_OVERWRITE));
  EXPECT_EQ(CRect(ti.rect), rcOverwrite);
  ASSERT_NE(ti.lpszText, nullptr);
  EXPECT_STREQ(ti.lpszText, "Overwrite or insert");
  delete[] ti.lpszText;

  TOOLINFO none = {};
  none.cbSize = TTTOOLINFOA_V1_SIZE;
  EXPECT_EQ(bar.OnToolHitTest(rcCaps.CenterPoint(), &none), -1) << "a pane without a tooltip";
  EXPECT_EQ(none.lpszText, nullptr);
  EXPECT_EQ(bar.OnToolHitTest(CPoint(-5, -5), &none), -1);

  // Hidden: no tool; the pane that moves into its place has none either.
  bar.GetPane(2)->SetVisible(FALSE);
  EXPECT_EQ(bar.OnToolHitTest(rcOverwrite.CenterPoint(), &none), -1);
}

}  // namespace

namespace {

TEST(StatusBarChildWindowTest, AWindowInAPaneFollowsItAndEndsWithIt) {
  CFrameHolder frame(new CStatusTestFrame);
  CJVKStatusBar& bar = frame->Bar();
  auto* pEdit = new CEdit;
  ASSERT_TRUE(pEdit->Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &bar, 500));
  const HWND hEdit = pEdit->m_hWnd;
  bar.GetPane(2)->SetChildWindow(pEdit, TRUE);
  CRect rcPane, rcChild;
  bar.GetItemRect(2, &rcPane);
  rcPane.DeflateRect(::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE));
  pEdit->GetWindowRect(&rcChild);
  bar.ScreenToClient(&rcChild);
  EXPECT_EQ(rcChild, rcPane) << "inside the pane's borders";

  // Replacing the panes releases the pane, which destroys and deletes the window.
  bar.SetIndicators(kTestIndicators, 4);
  EXPECT_FALSE(::IsWindow(hEdit));
}

TEST(StatusBarHitTest, TheGripAnswersBottomRightTheRestClient) {
  CFrameHolder frame(new CStatusTestFrame);
  CJVKStatusBar& bar = frame->Bar();
  CRect rc = bar.GetClientRect();
  bar.ClientToScreen(&rc);
  const struct {
    CPoint pt;
    LRESULT nHit;
  } rows[] = {{CPoint(rc.right - 3, rc.bottom - 3), HTBOTTOMRIGHT}, {CPoint(rc.left + 5, rc.top + 5), HTCLIENT}};
  for (const auto& row : rows)
    EXPECT_EQ(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(row.pt.x, row.pt.y)), row.nHit) << row.pt.x;
}

}  // namespace

namespace {

TEST(StatusBarStyleTest, CreationStylesAndTheClientArea) {
  CFrameHolder frame(new CStatusTestFrame);
  const struct {
    DWORD dwStyle;
    DWORD dwBarStyle;  // the bar style kept (alignment and border bits)
  } rows[] = {
      {WS_CHILD | CBRS_BOTTOM, CBRS_ALIGN_BOTTOM},
      // Bottom with a top border: the border and 3-D bits go.
      {WS_CHILD | CBRS_BOTTOM | CBRS_BORDER_TOP | CBRS_BORDER_3D, CBRS_ALIGN_BOTTOM},
      {WS_CHILD | CBRS_TOP | CBRS_BORDER_BOTTOM, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.dwStyle);
    CJVKStatusBar bar;
    ASSERT_TRUE(bar.Create(&*frame, row.dwStyle, 0xE810));
    EXPECT_EQ(bar.GetBarStyle() & 0xFF80, row.dwBarStyle);
    const DWORD dwWindowStyle = bar.GetStyle();
    EXPECT_EQ(dwWindowStyle & (CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY),
              static_cast<DWORD>(CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY));
    EXPECT_TRUE(dwWindowStyle & SBARS_SIZEGRIP) << "the frame has a sizing border";
  }
  // The bar's top inset of 2 is given back to the client area.
  CJVKStatusBar& bar = frame->Bar();
  CRect rcWindow, rcClient;
  bar.GetWindowRect(&rcWindow);
  bar.GetClientRect(&rcClient);
  EXPECT_EQ(rcClient.Size(), rcWindow.Size());
  EXPECT_EQ(rcWindow.Height(), bar.CalcFixedLayout(TRUE, TRUE).cy);
}

}  // namespace
