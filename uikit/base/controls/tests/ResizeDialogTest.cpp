// The resizable dialog on templates of this program: controls follow their
// anchors when the dialog is resized, the designed size is the minimum, group
// boxes turn transparent, the size grip sits in the corner and the window
// placement reaches the profile.
#include "DibCanvas.h"
#include "InputInjection.h"
#include "ResizeDialog.h"
#include "ResizeDialogTest.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

CWinApp theResizeTestApp("UikitResizeTest");

namespace {

class CTestResizeDialog : public CJVResizeDialog {
 public:
  explicit CTestResizeDialog(UINT nIDTemplate = IDD_RESIZE_TEST, DWORD dwFlags = 0)
      : CJVResizeDialog(nIDTemplate, nullptr, dwFlags) {}

  BOOL OnInitDialog() override {
    CJVResizeDialog::OnInitDialog();
    if (m_nIDTemplate != IDD_RESIZE_TEST) {
      SetResize(IDC_RT_NAME, 0, 0, 1, 0);
      return TRUE;
    }
    SetResize(IDC_RT_NAME, 0, 0, 1, 0);
    SetResize(IDC_RT_MIDDLE, 0.5f, 0, 0.5f, 0);
    SetResize(IDC_RT_GROUP, 0, 0, 1, 1);
    SetResize(IDC_RT_LIST, 0, 0, 1, 1);
    SetResize(IDC_RT_TABGROUP, 0, 1, 1, 1);
    // Registered twice: the right edge follows the whole change.
    SetResize(IDC_RT_TWICE, 0, 1, 0.5f, 1);
    SetResize(IDC_RT_TWICE, 0, 0, 0.5f, 0);
    SetResize(IDC_RT_DOWN, 0, 1, 0, 1);
    SetResize(IDOK, 1, 1, 1, 1);
    return TRUE;
  }
};

// A modeless test dialog, shown at a fixed place and destroyed with the object.
struct ShownDialog {
  explicit ShownDialog(UINT nIDTemplate = IDD_RESIZE_TEST, DWORD dwFlags = 0) : dlg(nIDTemplate, dwFlags) {
    EXPECT_TRUE(dlg.Create(nIDTemplate, nullptr));
    dlg.SetWindowPos(nullptr, 60, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    PumpUntil([] { return FALSE; }, 0);
  }
  ~ShownDialog() {
    if (::IsWindow(dlg.m_hWnd)) dlg.DestroyWindow();
  }
  CRect Window() const {
    CRect rc;
    dlg.GetWindowRect(&rc);
    return rc;
  }
  CRect Control(int nID) const {
    CRect rc;
    ::GetWindowRect(::GetDlgItem(dlg.m_hWnd, nID), &rc);
    dlg.ScreenToClient(&rc);
    return rc;
  }
  void Resize(int dx, int dy) {
    const CRect rc = Window();
    dlg.SetWindowPos(nullptr, 0, 0, rc.Width() + dx, rc.Height() + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  CTestResizeDialog dlg;
};

struct EdgeCase {
  int nID;
  int dLeft, dTop, dRight, dBottom;  // per 100 pixels of width and height
};

TEST(ResizeDialog, ControlsFollowTheirAnchorsWhenTheDialogGrowsBy100) {
  ShownDialog shown;
  const EdgeCase cases[] = {
      {IDC_RT_NAME, 0, 0, 100, 0},   {IDC_RT_MIDDLE, 50, 0, 50, 0}, {IDC_RT_GROUP, 0, 0, 100, 100},
      {IDC_RT_LIST, 0, 0, 100, 100}, {IDC_RT_TABGROUP, 0, 100, 100, 100}, {IDC_RT_TWICE, 0, 100, 100, 100},
      {IDC_RT_DOWN, 0, 100, 0, 100}, {IDOK, 100, 100, 100, 100},
  };
  CRect before[sizeof cases / sizeof cases[0]];
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) before[i] = shown.Control(cases[i].nID);
  shown.Resize(100, 100);
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    const CRect after = shown.Control(cases[i].nID);
    EXPECT_EQ(after.left - before[i].left, cases[i].dLeft) << cases[i].nID;
    EXPECT_EQ(after.top - before[i].top, cases[i].dTop) << cases[i].nID;
    EXPECT_EQ(after.right - before[i].right, cases[i].dRight) << cases[i].nID;
    EXPECT_EQ(after.bottom - before[i].bottom, cases[i].dBottom) << cases[i].nID;
  }
  // And back: every control where it was designed.
  shown.Resize(-100, -100);
  for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
    EXPECT_EQ(shown.Control(cases[i].nID), before[i]) << cases[i].nID;
}

TEST(ResizeDialog, ARefusedMoveDoesNotStopTheOtherControls) {
  ShownDialog shown;
  // The desktop window cannot be moved: its deferred move is refused.
  HWND hDesktop = ::GetDesktopWindow();
  CRect rcDesktop;
  ::GetWindowRect(hDesktop, &rcDesktop);
  shown.dlg.SetResize(0x5000, hDesktop, CJVResizeRect(0, 0, 1, 0));
  CJVResizeItem* pDesktop = shown.dlg.GetItem(shown.dlg.GetItemCount() - 1);
  const CJVResizeRect rcDesktopItem = pDesktop->m_rcRect;
  const CRect name = shown.Control(IDC_RT_NAME), ok = shown.Control(IDOK);
  shown.Resize(100, 100);
  EXPECT_EQ(shown.Control(IDC_RT_NAME).right, name.right + 100);
  EXPECT_EQ(shown.Control(IDOK), ok + CPoint(100, 100));
  CRect rcDesktopAfter;
  ::GetWindowRect(hDesktop, &rcDesktopAfter);
  EXPECT_EQ(rcDesktopAfter, rcDesktop);
  EXPECT_EQ(pDesktop->m_rcRect, rcDesktopItem);
  // And the next layout still starts from where the controls are.
  shown.Resize(-100, -100);
  EXPECT_EQ(shown.Control(IDC_RT_NAME), name);
  EXPECT_EQ(shown.Control(IDOK), ok);
}

TEST(ResizeDialog, HalfAnchoredEdgeMovesOnePixelAfterTwoOnePixelWidenings) {
  ShownDialog shown;
  const CRect before = shown.Control(IDC_RT_MIDDLE);
  shown.Resize(1, 0);
  shown.Resize(1, 0);
  const CRect after = shown.Control(IDC_RT_MIDDLE);
  EXPECT_EQ(after.left - before.left, 1);
  EXPECT_EQ(after.Width(), before.Width());
}

TEST(ResizeDialog, WidthChangeResizesInPlaceWithoutMoving) {
  ShownDialog shown;
  const CRect before = shown.Control(IDC_RT_NAME);
  shown.Resize(37, 0);
  const CRect after = shown.Control(IDC_RT_NAME);
  EXPECT_EQ(after.TopLeft(), before.TopLeft());
  EXPECT_EQ(after.Width(), before.Width() + 37);
}

TEST(ResizeDialog, CannotShrinkBelowTheDesignedSizeUnlessAsked) {
  {
    ShownDialog shown;
    const CRect designed = shown.Window();
    shown.Resize(-50, -40);
    EXPECT_EQ(shown.Window().Size(), designed.Size());
    MINMAXINFO mmi = {};
    shown.dlg.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize.x, designed.Width());
    EXPECT_EQ(mmi.ptMinTrackSize.y, designed.Height());
  }
  {
    ShownDialog shown(IDD_RESIZE_TEST, JVRESIZE_NOMINSIZE);
    const CRect designed = shown.Window();
    shown.Resize(-50, -40);
    EXPECT_EQ(shown.Window().Width(), designed.Width() - 50);
    EXPECT_EQ(shown.Window().Height(), designed.Height() - 40);
  }
}

TEST(ResizeDialog, FixedWidthLetsOnlyTheHeightChange) {
  ShownDialog shown(IDD_RESIZE_TEST, JVRESIZE_NOHORIZONTAL);
  const CRect designed = shown.Window();
  shown.Resize(100, 60);
  EXPECT_EQ(shown.Window().Width(), designed.Width());
  EXPECT_EQ(shown.Window().Height(), designed.Height() + 60);
  MINMAXINFO mmi = {};
  shown.dlg.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  EXPECT_EQ(mmi.ptMaxTrackSize.x, designed.Width());
  EXPECT_EQ(mmi.ptMaxSize.x, designed.Width());
}

TEST(ResizeDialog, GroupBoxesTurnTransparentUnlessTabStopOrAsked) {
  {
    ShownDialog shown;
    EXPECT_TRUE(::GetWindowLongA(::GetDlgItem(shown.dlg, IDC_RT_GROUP), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    EXPECT_FALSE(::GetWindowLongA(::GetDlgItem(shown.dlg, IDC_RT_TABGROUP), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    for (int i = 0; i < shown.dlg.GetItemCount(); ++i) {
      CJVResizeItem* pItem = shown.dlg.GetItem(i);
      EXPECT_EQ(pItem->m_bRepaint, pItem->m_pWnd->GetDlgCtrlID() == IDC_RT_GROUP) << pItem->m_pWnd->GetDlgCtrlID();
    }
    EXPECT_TRUE(shown.dlg.GetStyle() & WS_CLIPCHILDREN);
  }
  {
    ShownDialog shown(IDD_RESIZE_TEST, JVRESIZE_NOTRANSPARENTGROUP | JVRESIZE_NOCLIPCHILDREN);
    EXPECT_FALSE(::GetWindowLongA(::GetDlgItem(shown.dlg, IDC_RT_GROUP), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    EXPECT_FALSE(shown.dlg.GetStyle() & WS_CLIPCHILDREN);
  }
}

TEST(ResizeDialog, SizeGripSitsInTheCornerAndFollowsIt) {
  ShownDialog shown;
  HWND hGrip = ::GetDlgItem(shown.dlg, CJVResize::kSizeGripId);
  ASSERT_NE(hGrip, nullptr);
  EXPECT_TRUE(::GetWindowLongA(hGrip, GWL_STYLE) & SBS_SIZEGRIP);
  // On top of the z-order of the dialog's children.
  EXPECT_EQ(::GetWindow(shown.dlg, GW_CHILD), hGrip);
  auto expectInCorner = [&] {
    CRect rcClient;
    shown.dlg.GetClientRect(&rcClient);
    const CRect rcGrip = shown.Control(CJVResize::kSizeGripId);
    EXPECT_EQ(rcGrip.right, rcClient.right - 1);
    EXPECT_EQ(rcGrip.bottom, rcClient.bottom - 1);
    EXPECT_EQ(rcGrip.Width(), ::GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(rcGrip.Height(), ::GetSystemMetrics(SM_CYSMICON));
  };
  expectInCorner();
  shown.Resize(100, 100);
  expectInCorner();
  // Its cursor is the diagonal sizing one.
  const CRect rcGrip = shown.Control(CJVResize::kSizeGripId);
  ::SendMessageA(hGrip, WM_SETCURSOR, reinterpret_cast<WPARAM>(hGrip), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_SIZENWSE));
  (void)rcGrip;

  if (const char* path = std::getenv("UIKIT_RESIZE_SNAPSHOT")) {
    shown.dlg.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    PumpUntil([] { return FALSE; }, 200);
    const CRect rc = shown.Window();
    CDibCanvas canvas(rc.Width(), rc.Height());
    HDC hScreen = ::GetDC(nullptr);
    ::BitBlt(canvas.DC()->GetSafeHdc(), 0, 0, rc.Width(), rc.Height(), hScreen, rc.left, rc.top, SRCCOPY);
    ::ReleaseDC(nullptr, hScreen);
    canvas.Save(path);
  }
}

TEST(ResizeDialog, DialogWithoutSizingBorderHasNoGrip) {
  ShownDialog shown(IDD_FIXED_TEST);
  EXPECT_EQ(::GetDlgItem(shown.dlg, CJVResize::kSizeGripId), nullptr);
  EXPECT_TRUE(shown.dlg.CJVResize::m_nFlags & JVRESIZE_NOSIZEICON);
  ASSERT_EQ(shown.dlg.GetItemCount(), 1);
  EXPECT_EQ(shown.dlg.GetItem(0)->m_pWnd->GetDlgCtrlID(), IDC_RT_NAME);
}

TEST(ResizeDialog, ControlsWithoutFrameworkObjectGetTemporaryOnesThatGoWithTheItems) {
  ShownDialog shown;
  CJVResizeItem* pName = shown.dlg.GetItem(1);
  EXPECT_TRUE(pName->m_bOwnsWindow);
  // The grip is the engine's own window object, not a temporary one.
  EXPECT_FALSE(shown.dlg.GetItem(0)->m_bOwnsWindow);
  EXPECT_EQ(shown.dlg.GetItem(0)->m_pWnd, &shown.dlg.m_wndSizeGrip);
  HWND hName = pName->m_pWnd->m_hWnd;
  shown.dlg.RemoveAllItems();
  // The control stays; only the object went.
  EXPECT_TRUE(::IsWindow(hName));
  EXPECT_EQ(CWnd::FromHandlePermanent(hName), nullptr);
}

TEST(ResizeDialog, PlacementIsWrittenToTheProfileOnDestroyAndReadsBack) {
  theResizeTestApp.SetRegistryKey("QuillonTests");
  theResizeTestApp.WriteProfileString("ResizeTest", nullptr, nullptr);
  WINDOWPLACEMENT expected = {};
  {
    ShownDialog shown;
    shown.dlg.m_strSection = "ResizeTest";
    shown.Resize(100, 50);
    shown.dlg.SetWindowPos(nullptr, 90, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    expected.length = sizeof expected;
    ASSERT_TRUE(shown.dlg.GetWindowPlacement(&expected));
  }
  LPBYTE pData = nullptr;
  UINT nBytes = 0;
  ASSERT_TRUE(theResizeTestApp.GetProfileBinary("ResizeTest", "WindowPlacement", &pData, &nBytes));
  std::unique_ptr<BYTE[]> data(pData);
  ASSERT_EQ(nBytes, 44u);
  WINDOWPLACEMENT stored;
  memcpy(&stored, data.get(), sizeof stored);
  EXPECT_EQ(CRect(stored.rcNormalPosition), CRect(expected.rcNormalPosition));
  EXPECT_EQ(stored.rcNormalPosition.left, 90);
  EXPECT_EQ(stored.showCmd, expected.showCmd);

  // A dialog without a section writes nothing.
  theResizeTestApp.WriteProfileString("ResizeTest", nullptr, nullptr);
  { ShownDialog shown; }
  EXPECT_FALSE(theResizeTestApp.GetProfileBinary("ResizeTest", "WindowPlacement", &pData, &nBytes));
}

}  // namespace
