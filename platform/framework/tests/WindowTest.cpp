// Windows with message maps: messages, commands and notifications reach
// their handlers; controls see their own notifications first (reflection);
// idle time updates commands and frees temporary objects; exceptions in
// handlers stop in the window procedure; drawing into memory DCs.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../src/win32/ThreadState.h"
#include "WindowTestResources.h"
#include "WindowTestSupport.h"

namespace {

const UINT WM_TEST_PING = WM_APP + 1;
const UINT g_nRegisteredPing = RegisterWindowMessageA("QuillonFrameworkTestPing");

enum : UINT {
  ID_CMD_PLAIN = 1000,
  ID_CMD_RANGE_FIRST = 1010,
  ID_CMD_RANGE_LAST = 1019,
  ID_CMD_DISABLED = 1020,
  IDC_PLAIN_BUTTON = 2001,
  IDC_REFLECT_BUTTON = 2002,
  IDC_REFLECT_EDIT = 2003,
  IDC_LIST = 2004,
  IDC_OWNER_DRAW = 2005,
  IDC_UPDATED = 2006,
  IDC_UNHANDLED = 2007,
  IDC_CHECKED = 2008,
};

std::vector<std::string> g_log;

// Sees its clicks first and lets the parent have them too.
class CReflectButton : public CButton {
 protected:
  afx_msg BOOL OnClickedReflect() {
    g_log.push_back("button:reflect");
    return FALSE;
  }
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) {
    g_log.push_back("button:ctlcolor");
    return static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectButton, CButton)
ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClickedReflect)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

// Keeps its changes to itself.
class CReflectEdit : public CEdit {
 protected:
  afx_msg void OnChangeReflect() { g_log.push_back("edit:reflect"); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectEdit, CEdit)
ON_CONTROL_REFLECT(EN_CHANGE, OnChangeReflect)
END_MESSAGE_MAP()

class CDrawnButton : public CButton {
 public:
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override {
    g_log.push_back("drawn:drawitem " + std::to_string(lpDrawItemStruct->CtlID));
  }
};

class CTestWnd : public CWnd {
 public:
  CReflectButton m_reflectButton;
  CReflectEdit m_reflectEdit;
  CDrawnButton m_drawnButton;
  CListBox m_list;
  BOOL m_bFailCreate = FALSE;
  BOOL m_bThrowInCreate = FALSE;
  int m_nUpdateEnable = TRUE;
  int m_nUpdateCheck = 0;

  BOOL CreateTest() {
    return CreateEx(0, AfxRegisterWndClass(0), "Test window", WS_OVERLAPPEDWINDOW, 10, 10, 400, 300, nullptr, nullptr);
  }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct) {
    g_log.push_back("create");
    if (m_bThrowInCreate) AfxThrowResourceException();
    if (m_bFailCreate) return -1;
    if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
    ::CreateWindowA("BUTTON", "Plain", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 80, 20, m_hWnd,
                    reinterpret_cast<HMENU>(IDC_PLAIN_BUTTON), AfxGetInstanceHandle(), nullptr);
    m_reflectButton.Create("Reflect", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 20, 80, 40), this,
                           IDC_REFLECT_BUTTON);
    m_reflectEdit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 40, 80, 60), this, IDC_REFLECT_EDIT);
    m_drawnButton.Create("Drawn", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 60, 80, 80), this, IDC_OWNER_DRAW);
    m_list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(100, 0, 200, 100), this, IDC_LIST);
    ::CreateWindowA("BUTTON", "Updated", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 100, 80, 20, m_hWnd,
                    reinterpret_cast<HMENU>(IDC_UPDATED), AfxGetInstanceHandle(), nullptr);
    ::CreateWindowA("BUTTON", "Unhandled", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 120, 80, 20, m_hWnd,
                    reinterpret_cast<HMENU>(IDC_UNHANDLED), AfxGetInstanceHandle(), nullptr);
    ::CreateWindowA("BUTTON", "Checked", WS_CHILD | WS_VISIBLE | BS_CHECKBOX, 0, 140, 80, 20, m_hWnd,
                    reinterpret_cast<HMENU>(IDC_CHECKED), AfxGetInstanceHandle(), nullptr);
    return 0;
  }
  afx_msg void OnSize(UINT nType, int cx, int cy) {
    g_log.push_back("size " + std::to_string(cx) + "x" + std::to_string(cy));
  }
  afx_msg LRESULT OnPing(WPARAM wParam, LPARAM lParam) {
    g_log.push_back("ping " + std::to_string(wParam));
    return static_cast<LRESULT>(wParam + lParam);
  }
  afx_msg LRESULT OnRegisteredPing(WPARAM wParam, LPARAM) {
    g_log.push_back("registered " + std::to_string(wParam));
    return 7;
  }
  afx_msg void OnPlain() { g_log.push_back("command plain"); }
  afx_msg void OnRange(UINT nID) { g_log.push_back("command range " + std::to_string(nID)); }
  afx_msg void OnDisabled() { g_log.push_back("command disabled"); }
  afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  afx_msg void OnUpdateRange(CCmdUI* pCmdUI) { pCmdUI->Enable(pCmdUI->m_nID != ID_CMD_RANGE_FIRST + 5); }
  afx_msg void OnPlainButton() { g_log.push_back("parent:plain clicked"); }
  afx_msg void OnReflectButton() { g_log.push_back("parent:reflect clicked"); }
  afx_msg void OnEditChange() { g_log.push_back("parent:edit change"); }
  afx_msg void OnListDblClk() { g_log.push_back("parent:list dblclk"); }
  afx_msg void OnNotifyPlain(NMHDR* pNMHDR, LRESULT* pResult) {
    g_log.push_back("notify " + std::to_string(pNMHDR->idFrom));
    *pResult = 55;
  }
  afx_msg BOOL OnNotifyEx(UINT nID, NMHDR* pNMHDR, LRESULT* pResult) {
    g_log.push_back("notify ex " + std::to_string(nID));
    return FALSE;  // others may take it too
  }
  afx_msg void OnNotifyRange(UINT nID, NMHDR* pNMHDR, LRESULT* pResult) {
    g_log.push_back("notify range " + std::to_string(nID));
  }
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    g_log.push_back("parent:ctlcolor " + std::to_string(nCtlColor));
    return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  }
  afx_msg void OnUpdateUpdated(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_nUpdateEnable);
    pCmdUI->SetText(m_nUpdateEnable ? "On" : "Off");
  }
  afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_nUpdateCheck); }
  afx_msg void OnUpdated() {}
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
    UpdateDialogControls(this, static_cast<BOOL>(wParam));
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestWnd, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_CTLCOLOR()
ON_MESSAGE(WM_TEST_PING, OnPing)
ON_REGISTERED_MESSAGE(g_nRegisteredPing, OnRegisteredPing)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_COMMAND(ID_CMD_PLAIN, OnPlain)
ON_COMMAND_RANGE(ID_CMD_RANGE_FIRST, ID_CMD_RANGE_LAST, OnRange)
ON_COMMAND(ID_CMD_DISABLED, OnDisabled)
ON_UPDATE_COMMAND_UI(ID_CMD_DISABLED, OnUpdateDisabled)
ON_UPDATE_COMMAND_UI_RANGE(ID_CMD_RANGE_FIRST, ID_CMD_RANGE_LAST, OnUpdateRange)
ON_BN_CLICKED(IDC_PLAIN_BUTTON, OnPlainButton)
ON_BN_CLICKED(IDC_REFLECT_BUTTON, OnReflectButton)
ON_EN_CHANGE(IDC_REFLECT_EDIT, OnEditChange)
ON_LBN_DBLCLK(IDC_LIST, OnListDblClk)
ON_NOTIFY_EX(NM_CLICK, 3001, OnNotifyEx)
ON_NOTIFY(NM_CLICK, 3001, OnNotifyPlain)
ON_NOTIFY_RANGE(NM_DBLCLK, 3000, 3009, OnNotifyRange)
ON_UPDATE_COMMAND_UI(IDC_UPDATED, OnUpdateUpdated)
ON_COMMAND(IDC_UPDATED, OnUpdated)
ON_UPDATE_COMMAND_UI(IDC_CHECKED, OnUpdateChecked)
END_MESSAGE_MAP()

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { g_log.clear(); }
  void TearDown() override {
    if (m_wnd.m_hWnd != nullptr) m_wnd.DestroyWindow();
    PumpPending();
  }
  LRESULT Command(UINT nID, UINT nCode, HWND hWndCtrl) {
    return m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(nID, nCode), reinterpret_cast<LPARAM>(hWndCtrl));
  }
  CTestWnd m_wnd;
};

TEST_F(WindowTest, MessagesReachTheirHandlers) {
  ASSERT_TRUE(m_wnd.CreateTest());
  EXPECT_EQ(CWnd::FromHandlePermanent(m_wnd.m_hWnd), &m_wnd);
  EXPECT_EQ(CWnd::FromHandle(m_wnd.m_hWnd), &m_wnd);
  ASSERT_FALSE(g_log.empty());
  EXPECT_EQ(g_log[0], "create");

  g_log.clear();
  m_wnd.SetWindowPos(nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
  CRect rect;
  m_wnd.GetClientRect(&rect);
  ASSERT_FALSE(g_log.empty());
  EXPECT_EQ(g_log.back(), "size " + std::to_string(rect.Width()) + "x" + std::to_string(rect.Height()));

  m_wnd.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_TRUE(m_wnd.GetExStyle() & WS_EX_TOPMOST);
  m_wnd.SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_FALSE(m_wnd.GetExStyle() & WS_EX_TOPMOST);

  g_log.clear();
  EXPECT_EQ(m_wnd.SendMessage(WM_TEST_PING, 3, 4), 7);
  EXPECT_EQ(m_wnd.SendMessage(g_nRegisteredPing, 9, 0), 7);
  EXPECT_EQ(g_log, (std::vector<std::string>{"ping 3", "registered 9"}));

  // Menu commands (no control), a range, and one its update handler disables.
  g_log.clear();
  Command(ID_CMD_PLAIN, 0, nullptr);
  Command(ID_CMD_RANGE_FIRST + 3, 0, nullptr);
  Command(ID_CMD_RANGE_LAST + 1, 0, nullptr);  // outside the range: nobody
  Command(ID_CMD_DISABLED, 0, nullptr);
  Command(ID_CMD_RANGE_FIRST + 5, 1, nullptr);  // an accelerator; its range's update handler disables this one
  // From a control the update handlers do not apply: the control is what the user saw.
  Command(ID_CMD_RANGE_FIRST + 5, BN_CLICKED, m_wnd.m_list.m_hWnd);
  EXPECT_EQ(g_log, (std::vector<std::string>{"command plain", "command range 1013", "command range 1015"}));
}

TEST_F(WindowTest, ControlNotificationsAndReflection) {
  ASSERT_TRUE(m_wnd.CreateTest());
  // A control without a framework object: the parent's handler.
  g_log.clear();
  ::SendMessageA(::GetDlgItem(m_wnd.m_hWnd, IDC_PLAIN_BUTTON), BM_CLICK, 0, 0);
  EXPECT_EQ(g_log, (std::vector<std::string>{"parent:plain clicked"}));

  // The _EX reflection handler declines: control first, then the parent.
  g_log.clear();
  m_wnd.m_reflectButton.Click();
  EXPECT_EQ(g_log, (std::vector<std::string>{"button:reflect", "parent:reflect clicked"}));

  // The plain reflection handler takes it: the parent never sees it.
  g_log.clear();
  m_wnd.m_reflectEdit.SetWindowText("x");
  EXPECT_EQ(g_log, (std::vector<std::string>{"edit:reflect"}));

  g_log.clear();
  Command(IDC_LIST, LBN_DBLCLK, m_wnd.m_list.m_hWnd);
  Command(IDC_LIST, LBN_SELCHANGE, m_wnd.m_list.m_hWnd);  // no handler
  EXPECT_EQ(g_log, (std::vector<std::string>{"parent:list dblclk"}));

  // WM_CTLCOLOR: the control's brush wins; without one the parent's handler.
  g_log.clear();
  HDC hDC = ::GetDC(m_wnd.m_hWnd);
  LRESULT hbr = m_wnd.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(hDC),
                                  reinterpret_cast<LPARAM>(m_wnd.m_reflectButton.m_hWnd));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(hbr), ::GetStockObject(BLACK_BRUSH));
  hbr = m_wnd.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hDC),
                          reinterpret_cast<LPARAM>(m_wnd.m_reflectEdit.m_hWnd));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(hbr), ::GetStockObject(WHITE_BRUSH));
  ::ReleaseDC(m_wnd.m_hWnd, hDC);
  EXPECT_EQ(g_log, (std::vector<std::string>{"button:ctlcolor", "parent:ctlcolor " + std::to_string(CTLCOLOR_EDIT)}));

  // Owner drawing reaches the control's DrawItem.
  m_wnd.ShowWindow(SW_SHOW);
  g_log.clear();
  m_wnd.m_drawnButton.Invalidate();
  m_wnd.m_drawnButton.UpdateWindow();
  EXPECT_NE(std::find(g_log.begin(), g_log.end(), "drawn:drawitem " + std::to_string(IDC_OWNER_DRAW)), g_log.end());
}

TEST_F(WindowTest, NotificationsRouteByCodeAndId) {
  ASSERT_TRUE(m_wnd.CreateTest());
  HWND hFrom = m_wnd.m_list.m_hWnd;  // any child will do as the sender
  NMHDR nm = {hFrom, 3001, static_cast<UINT>(NM_CLICK)};
  g_log.clear();
  // The _EX handler declines, so the plain handler after it takes it.
  EXPECT_EQ(m_wnd.SendMessage(WM_NOTIFY, 3001, reinterpret_cast<LPARAM>(&nm)), 55);
  EXPECT_EQ(g_log, (std::vector<std::string>{"notify ex 3001", "notify 3001"}));

  g_log.clear();
  nm.idFrom = 3004;
  nm.code = static_cast<UINT>(NM_DBLCLK);
  m_wnd.SendMessage(WM_NOTIFY, 3004, reinterpret_cast<LPARAM>(&nm));
  nm.idFrom = 3010;  // outside the range
  m_wnd.SendMessage(WM_NOTIFY, 3010, reinterpret_cast<LPARAM>(&nm));
  nm.idFrom = 3001;
  nm.code = static_cast<UINT>(NM_RCLICK);  // no handler for the code
  m_wnd.SendMessage(WM_NOTIFY, 3001, reinterpret_cast<LPARAM>(&nm));
  EXPECT_EQ(g_log, (std::vector<std::string>{"notify range 3004"}));
}

TEST_F(WindowTest, IdleUpdatesControlsThroughUpdateHandlers) {
  ASSERT_TRUE(m_wnd.CreateTest());
  m_wnd.ShowWindow(SW_SHOW);
  CWinApp* pApp = AfxGetApp();
  ASSERT_NE(pApp, nullptr);
  pApp->m_pMainWnd = &m_wnd;
  HWND hUpdated = ::GetDlgItem(m_wnd.m_hWnd, IDC_UPDATED);
  HWND hUnhandled = ::GetDlgItem(m_wnd.m_hWnd, IDC_UNHANDLED);
  HWND hChecked = ::GetDlgItem(m_wnd.m_hWnd, IDC_CHECKED);

  m_wnd.m_nUpdateEnable = FALSE;
  m_wnd.m_nUpdateCheck = 1;
  pApp->OnIdle(0);
  EXPECT_FALSE(::IsWindowEnabled(hUpdated));
  char szText[32];
  ::GetWindowTextA(hUpdated, szText, sizeof(szText));
  EXPECT_STREQ(szText, "Off");
  EXPECT_FALSE(::IsWindowEnabled(hUnhandled));  // a push button nobody handles
  EXPECT_EQ(::SendMessageA(hChecked, BM_GETCHECK, 0, 0), BST_CHECKED);

  m_wnd.m_nUpdateEnable = TRUE;
  m_wnd.m_nUpdateCheck = 0;
  pApp->OnIdle(0);
  EXPECT_TRUE(::IsWindowEnabled(hUpdated));
  ::GetWindowTextA(hUpdated, szText, sizeof(szText));
  EXPECT_STREQ(szText, "On");
  EXPECT_EQ(::SendMessageA(hChecked, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  pApp->m_pMainWnd = nullptr;
}

TEST_F(WindowTest, TemporaryObjectsAreFreedAtIdle) {
  ASSERT_TRUE(m_wnd.CreateTest());
  AfxGetApp()->OnIdle(1);
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  ASSERT_EQ(pState->windows.TemporaryCount(), 0u);
  HWND hPlain = ::GetDlgItem(m_wnd.m_hWnd, IDC_PLAIN_BUTTON);
  CWnd* pTemp = CWnd::FromHandle(hPlain);
  ASSERT_NE(pTemp, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(hPlain), nullptr);
  EXPECT_EQ(m_wnd.GetDlgItem(IDC_PLAIN_BUTTON), pTemp);                     // one temporary object per handle
  EXPECT_EQ(m_wnd.GetDlgItem(IDC_REFLECT_BUTTON), &m_wnd.m_reflectButton);  // the permanent one
  CDC* pDC = CDC::FromHandle(::GetDC(hPlain));
  CGdiObject* pBrush = CGdiObject::FromHandle(::GetStockObject(GRAY_BRUSH));
  EXPECT_EQ(pState->windows.TemporaryCount(), 1u);
  EXPECT_EQ(pState->dcs.TemporaryCount(), 1u);
  EXPECT_EQ(pState->gdiObjects.TemporaryCount(), 1u);
  ::ReleaseDC(hPlain, pDC->m_hDC);

  // Count 0 updates commands and asks for more idle time; count 1 frees.
  EXPECT_TRUE(AfxGetApp()->OnIdle(0));
  EXPECT_EQ(pState->windows.TemporaryCount(), 1u);
  EXPECT_FALSE(AfxGetApp()->OnIdle(1));
  EXPECT_EQ(pState->windows.TemporaryCount(), 0u);
  EXPECT_EQ(pState->dcs.TemporaryCount(), 0u);
  EXPECT_EQ(pState->gdiObjects.TemporaryCount(), 0u);
  // The handles themselves live on.
  EXPECT_TRUE(::IsWindow(hPlain));
  EXPECT_EQ(::GetObjectType(::GetStockObject(GRAY_BRUSH)), static_cast<DWORD>(OBJ_BRUSH));
  (void)pBrush;
}

TEST_F(WindowTest, CreateFailsWhenHandlersRefuseOrThrow) {
  CMessageBoxRecorder boxes;
  m_wnd.m_bFailCreate = TRUE;
  EXPECT_FALSE(m_wnd.CreateTest());
  EXPECT_EQ(m_wnd.m_hWnd, nullptr);
  EXPECT_TRUE(boxes.m_texts.empty());

  // The exception stops in the window procedure: reported, WM_CREATE fails.
  m_wnd.m_bFailCreate = FALSE;
  m_wnd.m_bThrowInCreate = TRUE;
  EXPECT_FALSE(m_wnd.CreateTest());
  EXPECT_EQ(m_wnd.m_hWnd, nullptr);
  ASSERT_EQ(boxes.m_texts.size(), 1u);

  m_wnd.m_bThrowInCreate = FALSE;
  EXPECT_TRUE(m_wnd.CreateTest());  // the object is reusable
}

TEST_F(WindowTest, AttachSubclassAndDetach) {
  HWND hWnd = ::CreateWindowA("BUTTON", "raw", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(hWnd, nullptr);
  CReflectButton button;
  WNDPROC pfnOriginal = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
  ASSERT_TRUE(button.SubclassWindow(hWnd));
  EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &button);
  CButton second;
  EXPECT_FALSE(second.Attach(hWnd));  // one object per window
  EXPECT_EQ(button.UnsubclassWindow(), hWnd);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)), pfnOriginal);
  EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);

  // A window destroyed under its object: the object lets go of it.
  ASSERT_TRUE(button.Attach(hWnd));
  ::DestroyWindow(hWnd);
  EXPECT_EQ(button.Detach(), hWnd);  // attached without subclassing: the map still holds it
  EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST_F(WindowTest, DestroyingTheObjectDestroysItsWindowAndPostNcDestroyRuns) {
  static int s_nPostNcDestroy;
  class CSelfDeleting : public CWnd {
   protected:
    void PostNcDestroy() override {
      ++s_nPostNcDestroy;
      delete this;
    }
  };
  s_nPostNcDestroy = 0;
  CSelfDeleting* pWnd = new CSelfDeleting;
  ASSERT_TRUE(pWnd->CreateEx(0, nullptr, "self", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  HWND hWnd = pWnd->m_hWnd;
  ::DestroyWindow(hWnd);
  EXPECT_EQ(s_nPostNcDestroy, 1);
  EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);

  HWND hOwned;
  {
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "scoped", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    hOwned = wnd.m_hWnd;
  }
  EXPECT_FALSE(::IsWindow(hOwned));
}

// The owner gets a window's notices; giving a child an owner must not move
// it into the owner, and a popup becomes owned in the system's sense.
TEST_F(WindowTest, SetOwnerKeepsAChildInItsParent) {
  CWnd parent, owner;
  ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
  ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
  const struct {
    const char* name;
    DWORD dwStyle;
    CWnd* pParent;
    HWND hSystemOwner;  // GW_OWNER afterwards
  } rows[] = {
      {"child", WS_CHILD, &parent, nullptr},
      {"popup", WS_POPUP, nullptr, owner.m_hWnd},
  };
  for (const auto& row : rows) {
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, row.name, row.dwStyle, 0, 0, 10, 10, row.pParent->GetSafeHwnd(), nullptr))
        << row.name;
    EXPECT_EQ(wnd.GetOwner()->GetSafeHwnd(), row.pParent->GetSafeHwnd()) << row.name << ": before, the parent";
    wnd.SetOwner(&owner);
    EXPECT_EQ(wnd.GetOwner(), &owner) << row.name;
    EXPECT_EQ(::GetParent(wnd.m_hWnd), row.pParent ? row.pParent->m_hWnd : owner.m_hWnd) << row.name;
    EXPECT_EQ(::GetWindow(wnd.m_hWnd, GW_OWNER), row.hSystemOwner) << row.name;
    if (row.pParent) EXPECT_TRUE(::IsChild(parent.m_hWnd, wnd.m_hWnd)) << row.name;
    wnd.SetOwner(nullptr);
    EXPECT_EQ(wnd.GetOwner()->GetSafeHwnd(), row.pParent->GetSafeHwnd()) << row.name << ": cleared";
  }
}

TEST(GdiTest, DrawingIntoAMemoryDC) {
  CClientDC screen(nullptr);
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 40, 30));
  CBitmap* pOldBitmap = dc.SelectObject(&bitmap);
  ASSERT_NE(pOldBitmap, nullptr);

  dc.FillSolidRect(0, 0, 40, 30, RGB(255, 255, 255));
  CBrush red(RGB(255, 0, 0));
  CRect box(5, 5, 15, 15);
  dc.FillRect(&box, &red);
  CPen bluePen(PS_SOLID, 1, RGB(0, 0, 255));
  CPen* pOldPen = dc.SelectObject(&bluePen);
  dc.MoveTo(0, 20);
  dc.LineTo(40, 20);
  dc.SelectObject(pOldPen);
  dc.Draw3dRect(20, 2, 10, 10, RGB(0, 255, 0), RGB(0, 0, 0));
  CRgn rgn;
  ASSERT_TRUE(rgn.CreateRectRgn(32, 25, 36, 29));
  CBrush yellow(RGB(255, 255, 0));
  dc.FillRgn(&rgn, &yellow);

  EXPECT_EQ(dc.GetPixel(5, 5), RGB(255, 0, 0));
  EXPECT_EQ(dc.GetPixel(14, 14), RGB(255, 0, 0));
  EXPECT_EQ(dc.GetPixel(15, 15), RGB(255, 255, 255));  // right and bottom edges are outside
  EXPECT_EQ(dc.GetPixel(25, 20), RGB(0, 0, 255));
  EXPECT_EQ(dc.GetPixel(20, 2), RGB(0, 255, 0));      // top-left edges
  EXPECT_EQ(dc.GetPixel(29, 11), RGB(0, 0, 0));       // bottom-right edges
  EXPECT_EQ(dc.GetPixel(25, 7), RGB(255, 255, 255));  // inside the frame
  EXPECT_EQ(dc.GetPixel(33, 26), RGB(255, 255, 0));

  // Copy into a second memory DC.
  CDC copy;
  ASSERT_TRUE(copy.CreateCompatibleDC(&screen));
  CBitmap copyBitmap;
  ASSERT_TRUE(copyBitmap.CreateCompatibleBitmap(&screen, 40, 30));
  CBitmap* pOldCopy = copy.SelectObject(&copyBitmap);
  ASSERT_TRUE(copy.BitBlt(0, 0, 40, 30, &dc, 0, 0, SRCCOPY));
  EXPECT_EQ(copy.GetPixel(10, 10), RGB(255, 0, 0));
  copy.SelectObject(pOldCopy);
  dc.SelectObject(pOldBitmap);

  // Text: a selected font measures.
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(100, "Tahoma"));
  CFont* pOldFont = screen.SelectObject(&font);
  CSize extent = screen.GetTextExtent(CString("Quillon"));
  EXPECT_GT(extent.cx, 0);
  EXPECT_GT(extent.cy, 0);
  screen.SelectObject(pOldFont);
}

TEST(GeometryTest, RectPointSize) {
  CRect r(10, 20, 110, 70);
  EXPECT_EQ(r.Width(), 100);
  EXPECT_EQ(r.Height(), 50);
  EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));
  EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
  EXPECT_FALSE(r.PtInRect(CPoint(110, 70)));
  r.DeflateRect(5, 5);
  EXPECT_EQ(r, CRect(15, 25, 105, 65));
  CRect i = r & CRect(0, 0, 20, 30);
  EXPECT_EQ(i, CRect(15, 25, 20, 30));
  r.OffsetRect(CSize(1, 2));
  EXPECT_EQ(r.TopLeft(), CPoint(16, 27));
  EXPECT_EQ(CPoint(5, 5) - CPoint(2, 3), CSize(3, 2));
  CPoint fromParam(static_cast<LPARAM>(MAKELPARAM(-3, 7)));  // signed halves
  EXPECT_EQ(fromParam, CPoint(-3, 7));
}

}  // namespace
