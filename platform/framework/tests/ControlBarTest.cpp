// Control bars in a frame: a tool bar from an RT_TOOLBAR resource and a
// status bar laid out around the main pane, their idle updates through the
// frame's handlers, delayed showing, prompts and tooltips of tool buttons.
#include <gtest/gtest.h>

#include <string>

#include "FrameTestResources.h"
#include "FrameTestSupport.h"

namespace {

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_MODE};

// The command frame with a tool bar, a status bar and a main pane.
class CBarFrame : public CCommandFrame {
 public:
  CToolBar m_toolBar;
  CStatusBar m_statusBar;
  CWnd m_pane;
  BOOL m_bOverwrite = TRUE;

  BOOL Build(DWORD dwToolBarStyle) {
    if (!LoadFrame(IDR_FRAME, WS_OVERLAPPEDWINDOW)) return FALSE;
    return m_toolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | dwToolBarStyle) &&
           m_toolBar.LoadToolBar(IDR_TOOLS) && m_statusBar.Create(this) && m_statusBar.SetIndicators(kIndicators, 2) &&
           m_pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), this, AFX_IDW_PANE_FIRST);
  }
  void SizeClient(int cx, int cy) { ::SizeClient(this, cx, cy); }

 protected:
  afx_msg void OnUpdateMode(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bOverwrite); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarFrame, CCommandFrame)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_MODE, OnUpdateMode)
END_MESSAGE_MAP()

std::string StatusText(CStatusBar& bar, int nPane) {
  char text[256] = {};
  bar.SendMessage(SB_GETTEXTA, static_cast<WPARAM>(nPane), reinterpret_cast<LPARAM>(text));
  return text;
}

TEST(ControlBarLayoutTest, ToolBarStatusBarAndPaneShareTheClientArea) {
  // Tool bar: 15 + 7 high buttons and, with CBRS_TOP, a 2-pixel edge at
  // its bottom. Bars created first lie outermost: at the bottom the tool
  // bar goes below the status bar.
  struct Case {
    DWORD dwStyle;
    int cx, cy;
    CRect toolBar;
  };
  const int cyStatus = [] {
    CBarFrame* pProbe = new CBarFrame;
    pProbe->Build(CBRS_TOP);
    int cy = pProbe->m_statusBar.CalcFixedLayout(TRUE, TRUE).cy;
    pProbe->DestroyWindow();
    return cy;
  }();
  const Case cases[] = {
      {CBRS_TOP, 400, 300, CRect(0, 0, 400, 24)},
      {CBRS_TOP, 250, 180, CRect(0, 0, 250, 24)},
      {CBRS_BOTTOM, 400, 300, CRect(0, 276, 400, 300)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.dwStyle) + " " + std::to_string(c.cx) + "x" + std::to_string(c.cy));
    CBarFrame* pFrame = new CBarFrame;
    ASSERT_TRUE(pFrame->Build(c.dwStyle));
    pFrame->SizeClient(c.cx, c.cy);
    EXPECT_EQ(RectInParent(&pFrame->m_toolBar), c.toolBar);
    BOOL bTop = (c.dwStyle & CBRS_ALIGN_TOP) != 0;
    int cyBelowStatus = bTop ? 0 : c.toolBar.Height();
    EXPECT_EQ(RectInParent(&pFrame->m_statusBar),
              CRect(0, c.cy - cyBelowStatus - cyStatus, c.cx, c.cy - cyBelowStatus));
    CRect pane =
        bTop ? CRect(0, c.toolBar.bottom, c.cx, c.cy - cyStatus) : CRect(0, 0, c.cx, c.cy - cyBelowStatus - cyStatus);
    EXPECT_EQ(RectInParent(&pFrame->m_pane), pane);
    // Buttons in a row.
    CRect first, last;
    pFrame->m_toolBar.GetItemRect(0, &first);
    pFrame->m_toolBar.GetItemRect(4, &last);
    EXPECT_EQ(first.Size(), CSize(23, 22));
    EXPECT_EQ(last.top, first.top);
    pFrame->DestroyWindow();
  }
}

TEST(ControlBarLayoutTest, GripperAndBordersLieOutsideTheItems) {
  CBarFrame* pFrame = new CBarFrame;
  ASSERT_TRUE(pFrame->Build(CBRS_TOP | CBRS_GRIPPER));
  pFrame->m_toolBar.SetBorders(2, 2, 2, 2);
  pFrame->m_toolBar.SetBarStyle(pFrame->m_toolBar.GetBarStyle());  // the new insets take effect
  pFrame->SizeClient(300, 200);
  CRect window, client;
  pFrame->m_toolBar.GetWindowRect(&window);
  pFrame->m_toolBar.GetClientRect(&client);
  pFrame->m_toolBar.ClientToScreen(&client);
  // Left: inset 2 + gripper 8; top: inset 2; bottom: inset 2 + edge 2.
  EXPECT_EQ(client.left - window.left, 10);
  EXPECT_EQ(client.top - window.top, 2);
  EXPECT_EQ(window.bottom - client.bottom, 4);
  EXPECT_EQ(window.Height(), 28);
  pFrame->DestroyWindow();
}

TEST(ControlBarIdleTest, IdleTimeEnablesAndChecksButtonsAndIndicators) {
  CBarFrame* pFrame = new CBarFrame;
  ASSERT_TRUE(pFrame->Build(CBRS_TOP));
  pFrame->ShowWindow(SW_SHOWNA);
  auto enabled = [&](UINT nID) { return pFrame->m_toolBar.SendMessage(TB_ISBUTTONENABLED, nID) != 0; };
  auto checked = [&](UINT nID) { return pFrame->m_toolBar.SendMessage(TB_ISBUTTONCHECKED, nID) != 0; };

  struct Case {
    BOOL bGrid, bOverwrite;
    bool bGridChecked;
    std::string mode;
  };
  const Case cases[] = {{TRUE, TRUE, true, "OVERWRITE"}, {FALSE, FALSE, false, ""}, {TRUE, TRUE, true, "OVERWRITE"}};
  for (const Case& c : cases) {
    pFrame->m_bGrid = c.bGrid;
    pFrame->m_bOverwrite = c.bOverwrite;
    IdleUpdate(pFrame);
    EXPECT_TRUE(enabled(ID_FILE_OPEN_DOC));
    EXPECT_FALSE(enabled(ID_EDIT_UNDO_IT));    // its handler disables it
    EXPECT_FALSE(enabled(ID_TOOL_UNHANDLED));  // nobody handles it
    EXPECT_TRUE(enabled(ID_VIEW_GRID));
    EXPECT_EQ(checked(ID_VIEW_GRID), c.bGridChecked);
    // A disabled indicator keeps its text but shows none.
    EXPECT_EQ(StatusText(pFrame->m_statusBar, 1), c.mode);
    EXPECT_STREQ(pFrame->m_statusBar.GetPaneText(1), "OVERWRITE");
  }
  pFrame->DestroyWindow();
}

TEST(ControlBarIdleTest, DelayedHideTakesEffectAtIdleTime) {
  CBarFrame* pFrame = new CBarFrame;
  ASSERT_TRUE(pFrame->Build(CBRS_TOP));
  pFrame->SizeClient(300, 200);
  pFrame->ShowWindow(SW_SHOWNA);
  pFrame->m_toolBar.DelayShow(FALSE);
  EXPECT_TRUE(pFrame->m_toolBar.GetStyle() & WS_VISIBLE);
  EXPECT_FALSE(pFrame->m_toolBar.IsVisible());
  EXPECT_EQ(RectInParent(&pFrame->m_pane).top, 24);
  IdleUpdate(pFrame);
  EXPECT_FALSE(pFrame->m_toolBar.GetStyle() & WS_VISIBLE);
  EXPECT_EQ(RectInParent(&pFrame->m_pane).top, 0);

  pFrame->m_toolBar.DelayShow(TRUE);
  IdleUpdate(pFrame);
  EXPECT_TRUE(pFrame->m_toolBar.GetStyle() & WS_VISIBLE);
  EXPECT_EQ(RectInParent(&pFrame->m_pane).top, 24);
  pFrame->DestroyWindow();
}

TEST(StatusBarTest, PanesIndicatorsAndTheMessagePane) {
  CBarFrame* pFrame = new CBarFrame;
  ASSERT_TRUE(pFrame->Build(CBRS_TOP));
  pFrame->SizeClient(300, 200);
  CStatusBar& bar = pFrame->m_statusBar;
  EXPECT_EQ(bar.GetCount(), 2);
  EXPECT_EQ(bar.CommandToIndex(ID_INDICATOR_MODE), 1);
  EXPECT_EQ(bar.GetItemID(0), static_cast<UINT>(ID_SEPARATOR));
  UINT nID, nStyle;
  int cxWidth;
  bar.GetPaneInfo(0, nID, nStyle, cxWidth);
  EXPECT_EQ(nStyle, static_cast<UINT>(SBPS_NOBORDERS | SBPS_STRETCH));
  // The message pane stretches up to the indicator, which fits its text.
  CRect message, mode;
  bar.GetItemRect(0, &message);
  bar.GetItemRect(1, &mode);
  bar.GetPaneInfo(1, nID, nStyle, cxWidth);
  EXPECT_GT(cxWidth, 20);  // the width of "OVERWRITE"
  EXPECT_EQ(mode.right, 300);
  EXPECT_GE(mode.Width(), cxWidth);
  EXPECT_GE(message.right, mode.left - 4);

  // The frame's prompts land in the message pane.
  pFrame->SendMessage(WM_SETMESSAGESTRING, ID_VIEW_GRID);
  EXPECT_EQ(StatusText(bar, 0), "Shows or hides the grid");
  pFrame->SendMessage(WM_POPMESSAGESTRING);
  EXPECT_EQ(StatusText(bar, 0), "Ready");

  // An id without a string resource: FALSE, its pane stays empty.
  const UINT missing[] = {ID_SEPARATOR, ID_INDICATOR_MISSING};
  EXPECT_FALSE(bar.SetIndicators(missing, 2));
  EXPECT_EQ(bar.GetCount(), 2);
  EXPECT_STREQ(bar.GetPaneText(1), "");
  pFrame->DestroyWindow();
}

TEST(ToolBarTest, ButtonsFromTheResourceWithPromptsAndTooltips) {
  CBarFrame* pFrame = new CBarFrame;
  ASSERT_TRUE(pFrame->Build(CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY));
  pFrame->SizeClient(300, 200);
  pFrame->ShowWindow(SW_SHOWNA);
  CToolBar& bar = pFrame->m_toolBar;
  const UINT expected[] = {ID_FILE_OPEN_DOC, ID_SEPARATOR, ID_EDIT_UNDO_IT, ID_VIEW_GRID, ID_TOOL_UNHANDLED};
  ASSERT_EQ(bar.GetCount(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(bar.GetItemID(i), expected[i]);
  EXPECT_EQ(bar.CommandToIndex(ID_VIEW_GRID), 3);
  EXPECT_EQ(LOWORD(bar.GetButtonStyle(1)), TBSTYLE_SEP);
  bar.SetButtonStyle(3, TBBS_CHECKBOX);
  EXPECT_EQ(LOWORD(bar.GetButtonStyle(3)), TBSTYLE_CHECK);
  EXPECT_FALSE(bar.LoadToolBar(IDR_FRAME));  // no such tool-bar resource

  // The button under the mouse has its prompt in the status bar.
  bar.SendMessage(TB_SETHOTITEM, 3);
  EXPECT_EQ(StatusText(pFrame->m_statusBar, 0), "Shows or hides the grid");
  bar.SendMessage(TB_SETHOTITEM, 0);
  EXPECT_EQ(StatusText(pFrame->m_statusBar, 0), "Opens a document");

  // The tool bar has a tooltip control; the tooltip's request for a
  // button's text reaches the frame (as the tool bar passes it on, in
  // either character set), which answers with the text after the newline
  // of the command's string.
  HWND hTip = reinterpret_cast<HWND>(bar.SendMessage(TB_GETTOOLTIPS));
  ASSERT_NE(hTip, nullptr);
  NMTTDISPINFOA infoA = {};
  infoA.hdr = {hTip, ID_FILE_OPEN_DOC, TTN_NEEDTEXTA};
  pFrame->SendMessage(WM_NOTIFY, ID_FILE_OPEN_DOC, reinterpret_cast<LPARAM>(&infoA));
  EXPECT_STREQ(infoA.lpszText, "Open");
  NMTTDISPINFOW infoW = {};
  infoW.hdr = {hTip, ID_VIEW_GRID, TTN_NEEDTEXTW};
  pFrame->SendMessage(WM_NOTIFY, ID_VIEW_GRID, reinterpret_cast<LPARAM>(&infoW));
  ASSERT_NE(infoW.lpszText, nullptr);
  EXPECT_EQ(std::wstring(infoW.lpszText), L"Grid");
  // A button without a string has no tip from the frame.
  NMTTDISPINFOA infoNone = {};
  infoNone.hdr = {hTip, ID_TOOL_UNHANDLED, TTN_NEEDTEXTA};
  pFrame->SendMessage(WM_NOTIFY, ID_TOOL_UNHANDLED, reinterpret_cast<LPARAM>(&infoNone));
  EXPECT_EQ(infoNone.lpszText, nullptr);
  pFrame->DestroyWindow();
}

}  // namespace

namespace {

// A bar holding one push button (command ID_VIEW_GRID).
class CPanelBar : public CControlBar {
 public:
  CButton m_button;
  BOOL Create(CWnd* pParent, DWORD dwBarStyle) {
    m_dwStyle = dwBarStyle & CBRS_ALL;
    return CWnd::Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 30), pParent,
                        AFX_IDW_CONTROLBAR_FIRST + 20) &&
           m_button.Create("Grid", WS_CHILD | WS_VISIBLE, CRect(0, 0, 60, 20), this, ID_VIEW_GRID);
  }
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
};

// The tools the thread's tooltip knows after the mouse moved over pWnd.
int ToolsAfterMouseOver(CWnd* pWnd) {
  MSG msg = {pWnd->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)};
  AfxPreTranslateMessage(&msg);
  TOOLINFO ti = {};
  ti.cbSize = sizeof(ti);
  int nTools = 0;
  for (HWND hWnd = ::FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); hWnd != nullptr;
       hWnd = ::FindWindowExA(nullptr, hWnd, TOOLTIPS_CLASSA, nullptr)) {
    if (::GetWindowThreadProcessId(hWnd, nullptr) != ::GetCurrentThreadId()) continue;
    for (UINT i = 0; ::SendMessage(hWnd, TTM_ENUMTOOLS, i, reinterpret_cast<LPARAM>(&ti)); ++i)
      if (ti.uId == reinterpret_cast<UINT_PTR>(pWnd->m_hWnd)) ++nTools;
  }
  return nTools;
}

TEST(ControlBarToolTipTest, TooltipsStyleGivesTheBarsControlsTips) {
  CCommandFrame* pFrame = new CCommandFrame;
  ASSERT_TRUE(pFrame->LoadFrame(IDR_FRAME, WS_OVERLAPPEDWINDOW));
  CPanelBar plain, tipped;
  ASSERT_TRUE(plain.Create(pFrame, CBRS_TOP));
  ASSERT_TRUE(tipped.Create(pFrame, CBRS_TOP | CBRS_TOOLTIPS));
  EXPECT_FALSE(plain.m_nFlags & WF_TOOLTIPS);
  EXPECT_TRUE(tipped.m_nFlags & WF_TOOLTIPS);

  // The mouse over the button makes it the tooltip's tool; the tip is the
  // text after the newline of the command's string.
  EXPECT_EQ(ToolsAfterMouseOver(&tipped.m_button), 1);
  NMTTDISPINFOA info = {};
  info.hdr = {tipped.m_hWnd, reinterpret_cast<UINT_PTR>(tipped.m_button.m_hWnd), TTN_NEEDTEXTA};
  info.uFlags = TTF_IDISHWND;
  tipped.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  ASSERT_NE(info.lpszText, nullptr);
  EXPECT_STREQ(info.lpszText, "Grid");
  EXPECT_EQ(ToolsAfterMouseOver(&plain.m_button), 0);

  // Given the style later, the plain bar shows tips too; taken away, none.
  plain.SetBarStyle(plain.GetBarStyle() | CBRS_TOOLTIPS);
  EXPECT_EQ(ToolsAfterMouseOver(&plain.m_button), 1);
  tipped.SetBarStyle(tipped.GetBarStyle() & ~CBRS_TOOLTIPS);
  EXPECT_FALSE(tipped.m_nFlags & WF_TOOLTIPS);

  // A tool bar's buttons have the control's own tips instead.
  CToolBar toolBar;
  ASSERT_TRUE(toolBar.CreateEx(pFrame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS));
  EXPECT_FALSE(toolBar.m_nFlags & WF_TOOLTIPS);
  EXPECT_NE(toolBar.SendMessage(TB_GETTOOLTIPS), 0);
  pFrame->DestroyWindow();
}

}  // namespace
