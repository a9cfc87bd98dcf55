// The dialog bar in a plain window: its caption with the close button, the
// hosted window kept inside its borders, its resize bands and the refusal
// of sizes below the minimum.
#include "DialogBar.h"
#include "StandInCommandBars.h"
#include "ToolBarHost.h"

#include <gtest/gtest.h>

namespace {

const UINT kDialogBarId = 0xE890;

struct CDialogBarFixture {
  explicit CDialogBarFixture(CJVKControlCommandBars* pBars = nullptr) {
    LPCTSTR pszClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW));
    host.CreateEx(WS_EX_TOOLWINDOW, pszClass, _T("host"), WS_POPUP | WS_VISIBLE, CRect(120, 120, 520, 420), nullptr, 0);
    pBar = new CJVKDialogBar;
    pBar->SetCommandBars(pBars);
    pBar->CreateToolBar(kBarStyle, &host, kDialogBarId);
    pBar->SetCaption("Properties");
    child.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 10, 10), pBar, 1);
    pBar->SetChild(&child);
    host.RepositionBars(0, 0xFFFF, 0);
  }
  ~CDialogBarFixture() {
    pBar->ReleaseBarRef();
    host.DestroyWindow();
  }
  CDialogBarFixture(const CDialogBarFixture&) = delete;
  CDialogBarFixture& operator=(const CDialogBarFixture&) = delete;

  CRect BarClient() const { return pBar->CJVKCommandBar::GetClientRect(); }
  CRect ChildInBar() const {
    CRect rc;
    child.GetWindowRect(&rc);
    pBar->ScreenToClient(&rc);
    return rc;
  }

  CHostWnd host;
  CEdit child;
  CJVKDialogBar* pBar = nullptr;
};

TEST(DialogBar, DocksWithItsExtentAndKeepsItsChildInsideTheBorders) {
  CDialogBarFixture f;
  EXPECT_TRUE(f.pBar->IsDialogBar());
  CRect rcBar;
  f.pBar->GetWindowRect(&rcBar);
  EXPECT_EQ(400, rcBar.Width()) << "docked at the top across the window";
  EXPECT_EQ(200, rcBar.Height()) << "its docked extent";

  const CRect rcClient = f.BarClient();
  const CRect rcCaption = f.pBar->GetCaptionRect(rcClient.Size());
  EXPECT_EQ(CRect(3, rcCaption.bottom, rcClient.right - 3, rcClient.bottom - 3), f.ChildInBar());
  EXPECT_GT(rcCaption.Height(), 0);

  // The close button: 16 x 16 at the caption's right, centred on it; the
  // caption popup spans the rest.
  CJVKControl* pClose = f.pBar->GetControls()->FindControl(JVK_ID_TOOLBAR_CLOSE);
  ASSERT_NE(nullptr, pClose);
  const int nTop = 3 + rcCaption.Height() / 2 - 8;
  EXPECT_EQ(CRect(rcCaption.right - 16, nTop, rcCaption.right, nTop + 16), pClose->GetRect());
  CJVKControl* pCaption = f.pBar->GetControls()->FindControl(JVK_ID_DIALOGBAR_CAPTION);
  ASSERT_NE(nullptr, pCaption);
  EXPECT_EQ(CRect(rcCaption.left, rcCaption.top, rcCaption.right - 16, rcCaption.bottom), pCaption->GetRect());
  EXPECT_EQ(CString("Properties"), pCaption->GetCaption());

  // Without its caption the child takes the room.
  f.pBar->ShowCaption(FALSE);
  EXPECT_EQ(CRect(3, 3, rcClient.right - 3, rcClient.bottom - 3), f.ChildInBar());
  EXPECT_NE(0u, pClose->GetHideFlags());
  EXPECT_EQ(TRUE, f.pBar->IsPointInside(CPoint(5, 5)));
  EXPECT_EQ(-2, f.pBar->IsPointInside(CPoint(-1, 5)));
}

TEST(DialogBar, RefusesSizesBelowTheMinimum) {
  struct Row {
    const char* pszCase;
    int nPosition;
    CSize szNew;
    BOOL bTaken;
    CSize szFloating;  // afterwards
    int nHorzExtent, nVertExtent;
  } rows[] = {
      {"49 wide is refused", jvkBarTop, {49, 120}, FALSE, {200, 200}, 200, 200},
      {"49 high is refused", jvkBarTop, {300, 49}, FALSE, {200, 200}, 200, 200},
      {"docked at the top keeps the height", jvkBarTop, {300, 120}, TRUE, {200, 200}, 200, 120},
      {"docked at the left keeps the width", jvkBarLeft, {80, 300}, TRUE, {200, 200}, 80, 200},
      {"50 x 50 is taken", jvkBarRight, {50, 50}, TRUE, {200, 200}, 50, 200},
      {"floating keeps both", jvkBarFloating, {150, 90}, TRUE, {150, 90}, 200, 200},
  };
  for (const Row& row : rows) {
    CWnd site;
    CStandInCommandBars bars(&site);
    CJVKDialogBar* pBar = new CJVKDialogBar;
    pBar->SetCommandBars(&bars);
    // Windowless: the position is only where the bar stands.
    pBar->CJVKCommandBar::SetPosition(row.nPosition);
    EXPECT_EQ(row.bTaken, pBar->ResizeBar(row.szNew)) << row.pszCase;
    EXPECT_EQ(row.szFloating, pBar->GetFloatingSize()) << row.pszCase;
    EXPECT_EQ(row.nHorzExtent, pBar->GetDockedExtent(FALSE)) << row.pszCase;
    EXPECT_EQ(row.nVertExtent, pBar->GetDockedExtent(TRUE)) << row.pszCase;
    pBar->ReleaseBarRef();
  }

  // A taken size lays the window out again.
  CDialogBarFixture f;
  ASSERT_TRUE(f.pBar->ResizeBar(CSize(400, 120)));
  CRect rcBar;
  f.pBar->GetWindowRect(&rcBar);
  EXPECT_EQ(120, rcBar.Height());
  EXPECT_FALSE(f.pBar->ResizeBar(CSize(400, 30)));
  f.pBar->GetWindowRect(&rcBar);
  EXPECT_EQ(120, rcBar.Height());
}

TEST(DialogBar, ResizeBandsByWhereTheBarStands) {
  CDialogBarFixture f;
  CRect rc;
  f.pBar->GetWindowRect(&rc);
  const CPoint c = rc.CenterPoint();
  auto hit = [&](int x, int y) { return f.pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
  // Docked at the top: only the bottom edge.
  EXPECT_EQ(HTBOTTOM, hit(c.x, rc.bottom - 1));
  EXPECT_EQ(HTCLIENT, hit(c.x, rc.top + 1));
  EXPECT_EQ(HTCLIENT, hit(rc.left + 1, c.y));
  f.pBar->SetResizable(FALSE);
  EXPECT_EQ(HTCLIENT, hit(c.x, rc.bottom - 1));
  f.pBar->SetResizable(TRUE);

  // Points by where they lie: -1 on the near edge, 0 in the middle, 1 on
  // the far edge, across and down.
  struct Row {
    int nPosition;
    int x, y;
    LRESULT nHit;
  } rows[] = {
      {jvkBarBottom, 0, -1, HTTOP},          {jvkBarBottom, 0, 1, HTCLIENT},       {jvkBarLeft, 1, 0, HTRIGHT},
      {jvkBarLeft, -1, 0, HTCLIENT},         {jvkBarRight, -1, 0, HTLEFT},         {jvkBarFloating, -1, -1, HTTOPLEFT},
      {jvkBarFloating, 1, -1, HTTOPRIGHT},   {jvkBarFloating, -1, 1, HTBOTTOMLEFT}, {jvkBarFloating, 1, 1, HTBOTTOMRIGHT},
      {jvkBarFloating, 0, -1, HTTOP},        {jvkBarFloating, 0, 0, HTCLIENT},
  };
  for (const Row& row : rows) {
    f.pBar->CJVKCommandBar::SetPosition(row.nPosition);
    f.pBar->GetWindowRect(&rc);
    auto at = [](int n, int nNear, int nFar) { return n < 0 ? nNear + 1 : n > 0 ? nFar - 2 : (nNear + nFar) / 2; };
    const int x = at(row.x, rc.left, rc.right), y = at(row.y, rc.top, rc.bottom);
    EXPECT_EQ(row.nHit, hit(x, y)) << row.nPosition << " at " << row.x << "," << row.y;
  }
}

TEST(DialogBar, ItsCloseButtonHidesIt) {
  CDialogBarFixture f;
  CJVKControl* pClose = f.pBar->GetControls()->FindControl(JVK_ID_TOOLBAR_CLOSE);
  ASSERT_NE(nullptr, pClose);
  pClose->Execute();
  EXPECT_FALSE(f.pBar->IsVisible());
  EXPECT_FALSE(f.pBar->IsWindowVisible());
  EXPECT_TRUE(f.host.m_commands.empty());
  // A bar that is not closeable has no close button.
  CDialogBarFixture g;
  g.pBar->SetCloseable(FALSE);
  g.pBar->ShowCaption(TRUE);
  EXPECT_NE(0u, g.pBar->GetControls()->FindControl(JVK_ID_TOOLBAR_CLOSE)->GetHideFlags());
}

}  // namespace
