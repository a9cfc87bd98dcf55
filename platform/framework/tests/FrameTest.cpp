// Frames: creation from resources, layout of bars around the main pane (now
// and at idle time), accelerators, menu items updated before their menu
// opens, the prompt in the status bar, preview mode and mini frames.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameTestResources.h"
#include "FrameTestSupport.h"

namespace {

// A bar that takes a fixed thickness from one side of its frame.
class CSideBar : public CWnd {
 public:
  CSideBar(UINT nSide, int nThickness) : m_nSide(nSide), m_nThickness(nThickness) {}
  UINT m_nSide;  // CBRS_ALIGN_TOP, _BOTTOM, _LEFT or _RIGHT
  int m_nThickness;

 protected:
  afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam) {
    auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    CRect rect = pLayout->rect;
    switch (m_nSide) {
      case CBRS_ALIGN_TOP: rect.bottom = pLayout->rect.top += m_nThickness; break;
      case CBRS_ALIGN_BOTTOM: rect.top = pLayout->rect.bottom -= m_nThickness; break;
      case CBRS_ALIGN_LEFT: rect.right = pLayout->rect.left += m_nThickness; break;
      default: rect.left = pLayout->rect.right -= m_nThickness; break;
    }
    if (pLayout->hDWP != nullptr)
      pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                       SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSideBar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

// Fixed client size, bars and a main pane.
class CLayoutFrame : public CFrameWnd {
 public:
  CSideBar m_top{CBRS_ALIGN_TOP, 20}, m_bottom{CBRS_ALIGN_BOTTOM, 15}, m_left{CBRS_ALIGN_LEFT, 30};
  CWnd m_pane;
  BOOL Build(int cx, int cy) {
    if (!Create(nullptr, "layout", WS_POPUP, CRect(0, 0, cx, cy))) return FALSE;
    return m_top.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), this, AFX_IDW_TOOLBAR) &&
           m_bottom.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), this, AFX_IDW_STATUS_BAR) &&
           m_left.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), this,
                         AFX_IDW_CONTROLBAR_FIRST + 5) &&
           m_pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), this, AFX_IDW_PANE_FIRST);
  }
};

TEST(FrameLayoutTest, BarsTakeTheirSidesAndThePaneTheRest) {
  struct Case {
    int cx, cy;
    CRect border;
    CRect pane, top, bottom, left;
  };
  const Case cases[] = {
      {300, 200, CRect(0, 0, 0, 0), CRect(30, 20, 300, 185), CRect(0, 0, 300, 20), CRect(0, 185, 300, 200),
       CRect(0, 20, 30, 185)},
      {120, 80, CRect(0, 0, 0, 0), CRect(30, 20, 120, 65), CRect(0, 0, 120, 20), CRect(0, 65, 120, 80),
       CRect(0, 20, 30, 65)},
      // Borders kept free around the pane, inside the bars.
      {300, 200, CRect(2, 3, 4, 5), CRect(32, 23, 296, 180), CRect(0, 0, 300, 20), CRect(0, 185, 300, 200),
       CRect(0, 20, 30, 185)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.cx) + "x" + std::to_string(c.cy));
    CLayoutFrame* pFrame = new CLayoutFrame;
    ASSERT_TRUE(pFrame->Build(c.cx, c.cy));
    pFrame->m_rectBorder = c.border;
    pFrame->RecalcLayout();
    EXPECT_EQ(RectInParent(&pFrame->m_pane), c.pane);
    EXPECT_EQ(RectInParent(&pFrame->m_top), c.top);
    EXPECT_EQ(RectInParent(&pFrame->m_bottom), c.bottom);
    EXPECT_EQ(RectInParent(&pFrame->m_left), c.left);
    pFrame->DestroyWindow();  // deletes the frame
  }
}

TEST(FrameLayoutTest, SizingLaysOutAtOnceAndDelayedLayoutWaitsForIdleTime) {
  CLayoutFrame* pFrame = new CLayoutFrame;
  ASSERT_TRUE(pFrame->Build(300, 200));
  pFrame->MoveWindow(0, 0, 240, 160);
  EXPECT_EQ(RectInParent(&pFrame->m_pane), CRect(30, 20, 240, 145));

  pFrame->m_top.m_nThickness = 40;
  pFrame->DelayRecalcLayout();
  EXPECT_EQ(pFrame->m_nIdleFlags & CFrameWnd::idleLayout, static_cast<UINT>(CFrameWnd::idleLayout));
  EXPECT_EQ(RectInParent(&pFrame->m_pane), CRect(30, 20, 240, 145));
  pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_EQ(RectInParent(&pFrame->m_pane), CRect(30, 40, 240, 145));
  EXPECT_EQ(pFrame->m_nIdleFlags, 0u);
  pFrame->DestroyWindow();
}

TEST(FrameResourceTest, LoadFrameTakesTitleMenuAndAccelerators) {
  CCommandFrame* pFrame = new CCommandFrame;
  ASSERT_TRUE(pFrame->LoadFrame(IDR_FRAME, WS_OVERLAPPEDWINDOW));
  HWND hWnd = pFrame->m_hWnd;
  CString title;
  pFrame->GetWindowText(title);
  EXPECT_STREQ(title, "Frame Test");
  ASSERT_NE(::GetMenu(hWnd), nullptr);
  EXPECT_EQ(::GetMenuItemID(::GetSubMenu(::GetMenu(hWnd), 0), 0), static_cast<UINT>(ID_FILE_OPEN_DOC));
  ASSERT_NE(pFrame->m_hAccelTable, nullptr);

  // F5 reaches the frame's command through the accelerator table.
  ::PostMessage(hWnd, WM_KEYDOWN, VK_F5, 0);
  PumpPending();
  EXPECT_EQ(pFrame->m_log, (std::vector<std::string>{"refresh"}));
  pFrame->DestroyWindow();
}

TEST(FrameResourceTest, LoadFrameTakesTheIconOfTheResource) {
  CFrameWnd* pFrame = new CFrameWnd;
  ASSERT_TRUE(pFrame->LoadFrame(IDR_FRAME, WS_OVERLAPPEDWINDOW));
  auto hIcon = reinterpret_cast<HICON>(::GetClassLongPtr(pFrame->m_hWnd, GCLP_HICON));
  ASSERT_NE(hIcon, nullptr);
  // Drawn, it shows the colour of the resource's icon.
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  CBitmap bitmap;
  CClientDC screen(nullptr);
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 16, 16));
  CBitmap* pOld = dc.SelectObject(&bitmap);
  dc.FillSolidRect(0, 0, 16, 16, RGB(255, 255, 255));
  ASSERT_TRUE(::DrawIconEx(dc.m_hDC, 0, 0, hIcon, 16, 16, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(dc.GetPixel(8, 8), RGB(0xC0, 0x60, 0x20));
  dc.SelectObject(pOld);
  pFrame->DestroyWindow();

  // A frame whose resource has no icon gets none.
  CFrameWnd* pPlain = new CFrameWnd;
  ASSERT_TRUE(pPlain->LoadFrame(IDR_TOOLS, WS_OVERLAPPEDWINDOW));
  EXPECT_EQ(::GetClassLongPtr(pPlain->m_hWnd, GCLP_HICON), 0u);
  pPlain->DestroyWindow();
}

TEST(FrameResourceTest, MenuItemsAreUpdatedBeforeTheMenuOpens) {
  CCommandFrame* pFrame = new CCommandFrame;
  ASSERT_TRUE(pFrame->LoadFrame(IDR_FRAME, WS_OVERLAPPEDWINDOW));
  HMENU hFile = ::GetSubMenu(::GetMenu(pFrame->m_hWnd), 0);
  auto state = [&](UINT nID) { return ::GetMenuState(hFile, nID, MF_BYCOMMAND); };

  struct Case {
    BOOL bGrid;
    UINT nOpen, nUndo, nGrid, nUnhandled;
  };
  const Case cases[] = {
      {TRUE, MF_ENABLED, MF_GRAYED, MF_CHECKED, MF_GRAYED},
      {FALSE, MF_ENABLED, MF_GRAYED, MF_UNCHECKED, MF_GRAYED},
  };
  for (const Case& c : cases) {
    pFrame->m_bGrid = c.bGrid;
    pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hFile), MAKELPARAM(0, FALSE));
    EXPECT_EQ(state(ID_FILE_OPEN_DOC) & MF_GRAYED, c.nOpen);
    EXPECT_EQ(state(ID_EDIT_UNDO_IT) & MF_GRAYED, c.nUndo);
    EXPECT_EQ(state(ID_VIEW_GRID) & MF_CHECKED, c.nGrid);
    EXPECT_EQ(state(ID_TOOL_UNHANDLED) & MF_GRAYED, c.nUnhandled);  // nobody handles it
  }
  // Without automatic disabling, items nobody handles stay enabled.
  pFrame->m_bAutoMenuEnable = FALSE;
  ::EnableMenuItem(hFile, ID_TOOL_UNHANDLED, MF_BYCOMMAND | MF_ENABLED);
  pFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hFile), MAKELPARAM(0, FALSE));
  EXPECT_EQ(state(ID_TOOL_UNHANDLED) & MF_GRAYED, static_cast<UINT>(MF_ENABLED));

  // A disabled command sent anyway is ignored.
  pFrame->SendMessage(WM_COMMAND, ID_EDIT_UNDO_IT);
  pFrame->SendMessage(WM_COMMAND, ID_FILE_OPEN_DOC);
  EXPECT_EQ(pFrame->m_log, (std::vector<std::string>{"open"}));
  pFrame->DestroyWindow();
}

std::string BarText(CWnd* pBar) {
  CString text;
  pBar->GetWindowText(text);
  return static_cast<LPCTSTR>(text);
}

TEST(FrameMessageStringTest, StatusBarShowsThePromptOfTheItemUnderTheMouse) {
  CCommandFrame* pFrame = new CCommandFrame;
  ASSERT_TRUE(pFrame->LoadFrame(IDR_FRAME, WS_OVERLAPPEDWINDOW));
  CStatic* pBar = new CStatic;  // any window with the status bar's id shows the prompt
  ASSERT_TRUE(pBar->Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), pFrame, AFX_IDW_STATUS_BAR));

  HMENU hFile = ::GetSubMenu(::GetMenu(pFrame->m_hWnd), 0);
  pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_VIEW_GRID, MF_STRING), reinterpret_cast<LPARAM>(hFile));
  EXPECT_EQ(BarText(pBar), "Shows or hides the grid");
  pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, MF_SEPARATOR), reinterpret_cast<LPARAM>(hFile));
  EXPECT_EQ(BarText(pBar), "");
  pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);  // the menu closed
  EXPECT_EQ(BarText(pBar), "Ready");

  // Set, then popped back to the idle prompt; a text of its own.
  EXPECT_EQ(pFrame->SendMessage(WM_SETMESSAGESTRING, ID_FILE_OPEN_DOC), static_cast<LRESULT>(AFX_IDS_IDLEMESSAGE));
  EXPECT_EQ(BarText(pBar), "Opens a document");
  pFrame->SendMessage(WM_POPMESSAGESTRING);
  EXPECT_EQ(BarText(pBar), "Ready");
  pFrame->SetMessageText("Working");
  EXPECT_EQ(BarText(pBar), "Working");

  // A child frame's prompt goes to its top-level frame's bar.
  CFrameWnd* pChild = new CFrameWnd;
  ASSERT_TRUE(pChild->Create(nullptr, "child", WS_CHILD | WS_VISIBLE, CRect(0, 30, 50, 60), pFrame));
  pChild->SetMessageText(ID_VIEW_REFRESH);
  EXPECT_EQ(BarText(pBar), "Draws everything again");
  EXPECT_EQ(pChild->GetTopLevelFrame(), pFrame);
  delete pBar;              // destroys its window
  pFrame->DestroyWindow();  // and the child frame with it
}

TEST(FramePreviewTest, PreviewHidesMenuBarsAndAcceleratorsAndGivesThemBack) {
  CCommandFrame* pFrame = new CCommandFrame;
  ASSERT_TRUE(pFrame->LoadFrame(IDR_FRAME, WS_OVERLAPPEDWINDOW));
  CSideBar* pBar = new CSideBar(CBRS_ALIGN_TOP, 20);
  ASSERT_TRUE(pBar->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), pFrame, AFX_IDW_TOOLBAR));
  HMENU hMenu = ::GetMenu(pFrame->m_hWnd);
  HACCEL hAccel = pFrame->m_hAccelTable;

  CPrintPreviewState state;
  pFrame->OnSetPreviewMode(TRUE, &state);
  EXPECT_EQ(::GetMenu(pFrame->m_hWnd), nullptr);
  EXPECT_EQ(pFrame->m_hAccelTable, nullptr);
  EXPECT_FALSE(pBar->GetStyle() & WS_VISIBLE);
  pFrame->OnSetPreviewMode(FALSE, &state);
  EXPECT_EQ(::GetMenu(pFrame->m_hWnd), hMenu);
  EXPECT_EQ(pFrame->m_hAccelTable, hAccel);
  EXPECT_TRUE(pBar->GetStyle() & WS_VISIBLE);
  delete pBar;
  pFrame->DestroyWindow();
}

// A mini frame that counts its idle updates.
class CCountingMiniFrame : public CMiniFrameWnd {
 public:
  int m_nIdleUpdates = 0;

 protected:
  afx_msg LRESULT OnIdleUpdate(WPARAM, LPARAM) {
    ++m_nIdleUpdates;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingMiniFrame, CMiniFrameWnd)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

TEST(MiniFrameTest, FloatingMiniFrameFollowsItsOwnerFrame) {
  CFrameWnd* pFrame = new CFrameWnd;
  ASSERT_TRUE(pFrame->Create(nullptr, "owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
  CCountingMiniFrame* pMini = new CCountingMiniFrame;
  ASSERT_TRUE(pMini->CreateEx(0, nullptr, "palette", WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_SYNCACTIVE,
                              CRect(10, 10, 110, 80), pFrame));
  EXPECT_TRUE(pMini->GetExStyle() & WS_EX_TOOLWINDOW);
  EXPECT_EQ(::GetWindow(pMini->m_hWnd, GW_OWNER), pFrame->m_hWnd);

  // The owner's activation shows in the mini frame's caption.
  pFrame->SendMessage(WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_TRUE(pMini->m_bActive);
  pFrame->SendMessage(WM_ACTIVATE, WA_INACTIVE, 0);
  EXPECT_FALSE(pMini->m_bActive);
  // Losing the activation to its own mini frame leaves it as it was.
  pFrame->SendMessage(WM_ACTIVATE, WA_ACTIVE, 0);
  pFrame->SendMessage(WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(pMini->m_hWnd));
  EXPECT_TRUE(pMini->m_bActive);

  // Disabled, hidden and shown with the owner.
  pFrame->EnableWindow(FALSE);
  EXPECT_FALSE(pMini->IsWindowEnabled());
  pFrame->EnableWindow(TRUE);
  EXPECT_TRUE(pMini->IsWindowEnabled());
  pFrame->ShowWindow(SW_SHOWNA);
  pMini->ShowWindow(SW_SHOWNA);
  pFrame->ShowWindow(SW_HIDE);
  EXPECT_FALSE(pMini->IsWindowVisible());
  pFrame->ShowWindow(SW_SHOWNA);
  EXPECT_TRUE(pMini->IsWindowVisible());

  // The owner's idle update reaches it, though it is no child of the owner.
  pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_EQ(pMini->m_nIdleUpdates, 1);
  pMini->DestroyWindow();
  pFrame->DestroyWindow();
}

TEST(MiniFrameTest, MiniFrameAsAChildWindow) {
  CFrameWnd* pFrame = new CFrameWnd;
  ASSERT_TRUE(pFrame->Create(nullptr, "host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
  CMiniFrameWnd* pMini = new CMiniFrameWnd;
  ASSERT_TRUE(pMini->Create(nullptr, "inside", WS_CHILD | WS_VISIBLE | WS_CAPTION | MFS_THICKFRAME,
                            CRect(5, 5, 105, 65), pFrame, 77));
  EXPECT_EQ(pMini->GetParent(), pFrame);
  EXPECT_EQ(pMini->GetDlgCtrlID(), 77);
  EXPECT_TRUE(pMini->GetStyle() & WS_THICKFRAME);
  EXPECT_EQ(pMini->GetParentFrame(), pFrame);
  CRect client;
  pMini->GetClientRect(&client);
  EXPECT_LT(client.Height(), 60);  // the caption takes its share
  pFrame->DestroyWindow();         // destroys and deletes both
}

}  // namespace
