// Parents and children: PreTranslateMessage up the parent chain, messages
// down to the descendants, bar layout, tooltips; and a user-interface
// thread's loop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowTestResources.h"
#include "WindowTestSupport.h"

namespace {

std::vector<std::string> g_seen;

class CNamedWnd : public CWnd {
 public:
  explicit CNamedWnd(const char* pszName, BOOL bEat = FALSE) : m_name(pszName), m_bEat(bEat) {}
  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (pMsg->message == WM_KEYDOWN) g_seen.push_back(m_name + ":pre");
    return m_bEat && pMsg->message == WM_KEYDOWN;
  }
  std::string m_name;
  BOOL m_bEat;

 protected:
  afx_msg void OnKeyDown(UINT nChar, UINT, UINT) { g_seen.push_back(m_name + ":keydown " + std::to_string(nChar)); }
  afx_msg LRESULT OnShout(WPARAM wParam, LPARAM) {
    g_seen.push_back(m_name + ":shout " + std::to_string(wParam));
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNamedWnd, CWnd)
ON_WM_KEYDOWN()
ON_MESSAGE(WM_APP + 7, OnShout)
END_MESSAGE_MAP()

TEST(WindowTreeTest, PreTranslateWalksUpThenDispatches) {
  CNamedWnd top("top"), middle("middle"), leaf("leaf");
  ASSERT_TRUE(top.CreateEx(0, nullptr, "top", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
  ASSERT_TRUE(middle.Create(nullptr, "middle", WS_CHILD, CRect(0, 0, 100, 100), &top, 1));
  ASSERT_TRUE(leaf.Create(nullptr, "leaf", WS_CHILD, CRect(0, 0, 50, 50), &middle, 2));
  g_seen.clear();
  leaf.PostMessage(WM_KEYDOWN, 'A', 0);
  PumpPending();
  EXPECT_EQ(g_seen, (std::vector<std::string>{"leaf:pre", "middle:pre", "top:pre", "leaf:keydown 65"}));

  // A parent that takes the message in PreTranslateMessage: no dispatch.
  middle.m_bEat = TRUE;
  g_seen.clear();
  leaf.PostMessage(WM_KEYDOWN, 'B', 0);
  PumpPending();
  EXPECT_EQ(g_seen, (std::vector<std::string>{"leaf:pre", "middle:pre"}));

  // Down the tree: every descendant, or only the direct children.
  g_seen.clear();
  top.SendMessageToDescendants(WM_APP + 7, 1, 0, TRUE);
  top.SendMessageToDescendants(WM_APP + 7, 2, 0, FALSE);
  EXPECT_EQ(g_seen, (std::vector<std::string>{"middle:shout 1", "leaf:shout 1", "middle:shout 2"}));
  top.DestroyWindow();
}

// A bar that docks at the top of its parent, 20 pixels high.
class CTopBar : public CWnd {
 protected:
  afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam) {
    AFX_SIZEPARENTPARAMS* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    CRect rect(pLayout->rect.left, pLayout->rect.top, pLayout->rect.right, pLayout->rect.top + 20);
    pLayout->rect.top += 20;
    pLayout->sizeTotal.cy += 20;
    if (pLayout->hDWP != nullptr)
      pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                       SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTopBar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

TEST(WindowTreeTest, RepositionBarsGivesTheRestToTheLeftOverWindow) {
  CWnd frame;
  ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr));
  CTopBar bar;
  ASSERT_TRUE(bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &frame, 0xE800));
  CWnd view;
  ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), &frame, 0xE900));
  CRect client;
  frame.GetClientRect(&client);

  CRect query;
  frame.RepositionBars(0xE800, 0xE8FF, 0xE900, reposQuery, &query);
  EXPECT_EQ(query, CRect(0, 20, client.right, client.bottom));

  frame.RepositionBars(0xE800, 0xE8FF, 0xE900);
  CRect rect;
  bar.GetWindowRect(&rect);
  frame.ScreenToClient(&rect);
  EXPECT_EQ(rect, CRect(0, 0, client.right, 20));
  view.GetWindowRect(&rect);
  frame.ScreenToClient(&rect);
  EXPECT_EQ(rect, CRect(0, 20, client.right, client.bottom));
  frame.DestroyWindow();
}

class CTipHost : public CWnd {
 public:
  CButton m_button;
};

TEST(WindowTreeTest, ToolTipsFindTheToolAndItsText) {
  CTipHost host;
  ASSERT_TRUE(host.CreateEx(0, nullptr, "tips", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
  ASSERT_TRUE(host.m_button.Create("B", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 40), &host, IDS_TOOL_TIP));
  ASSERT_TRUE(host.EnableToolTips());
  TOOLINFO ti = {};
  ti.cbSize = sizeof(ti);
  EXPECT_EQ(host.OnToolHitTest(CPoint(20, 20), &ti), static_cast<INT_PTR>(IDS_TOOL_TIP));
  EXPECT_EQ(ti.uId, reinterpret_cast<UINT_PTR>(host.m_button.m_hWnd));
  EXPECT_EQ(host.OnToolHitTest(CPoint(150, 80), nullptr), -1);

  // The text of a tool: the part of its string resource after the newline.
  NMTTDISPINFOA info = {};
  info.hdr.hwndFrom = host.m_hWnd;
  info.hdr.idFrom = reinterpret_cast<UINT_PTR>(host.m_button.m_hWnd);
  info.hdr.code = TTN_NEEDTEXTA;
  info.uFlags = TTF_IDISHWND;
  host.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(info.szText, "The tip");
  host.DestroyWindow();
}

// A user-interface thread: InitInstance makes a main window; destroying it
// ends the loop, and ExitInstance gives the thread's result.
class CUiThread : public CWinThread {
  DECLARE_DYNCREATE(CUiThread)
 public:
  static HANDLE s_hReady;
  static HWND s_hWnd;
  BOOL InitInstance() override {
    CWnd* pWnd = new CWnd;
    if (!pWnd->CreateEx(0, nullptr, "ui thread", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr)) return FALSE;
    m_pMainWnd = pWnd;
    s_hWnd = pWnd->m_hWnd;
    ::SetEvent(s_hReady);
    return TRUE;
  }
  int ExitInstance() override {
    delete m_pMainWnd;  // its window is gone already
    m_pMainWnd = nullptr;
    return 42;
  }
  BOOL OnIdle(LONG lCount) override {
    if (lCount == 0) ::SetEvent(s_hIdle);
    return CWinThread::OnIdle(lCount);
  }
  static HANDLE s_hIdle;
};
IMPLEMENT_DYNCREATE(CUiThread, CWinThread)
HANDLE CUiThread::s_hReady = nullptr;
HWND CUiThread::s_hWnd = nullptr;
HANDLE CUiThread::s_hIdle = nullptr;

TEST(UiThreadTest, RunsItsLoopUntilTheMainWindowCloses) {
  CUiThread::s_hReady = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  CUiThread::s_hIdle = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  CWinThread* pThread = AfxBeginThread(RUNTIME_CLASS(CUiThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(pThread, nullptr);
  pThread->m_bAutoDelete = FALSE;
  pThread->ResumeThread();
  ASSERT_EQ(::WaitForSingleObject(CUiThread::s_hReady, 10000), WAIT_OBJECT_0);
  // Its loop goes idle with an empty queue; a message wakes it.
  ASSERT_EQ(::WaitForSingleObject(CUiThread::s_hIdle, 10000), WAIT_OBJECT_0);
  ::PostMessageA(CUiThread::s_hWnd, WM_CLOSE, 0, 0);  // default handling destroys it
  ASSERT_EQ(::WaitForSingleObject(pThread->m_hThread, 10000), WAIT_OBJECT_0);
  DWORD dwExit = 0;
  ::GetExitCodeThread(pThread->m_hThread, &dwExit);
  EXPECT_EQ(dwExit, 42u);
  EXPECT_FALSE(::IsWindow(CUiThread::s_hWnd));
  delete pThread;
  ::CloseHandle(CUiThread::s_hReady);
  ::CloseHandle(CUiThread::s_hIdle);
}

TEST(WaitCursorTest, NestsWithTheApplicationsCount) {
  CWinApp* pApp = AfxGetApp();
  int nBefore = pApp->m_nWaitCursorCount;
  {
    CWaitCursor outer;
    EXPECT_EQ(pApp->m_nWaitCursorCount, nBefore + 1);
    {
      CWaitCursor inner;
      EXPECT_EQ(pApp->m_nWaitCursorCount, nBefore + 2);
    }
    EXPECT_EQ(pApp->m_nWaitCursorCount, nBefore + 1);
  }
  EXPECT_EQ(pApp->m_nWaitCursorCount, nBefore);
}

}  // namespace

namespace {

TEST(ApplicationTest, SettingsWithoutRegistryKeyGoToTheModulesIniFile) {
  CWinApp* pApp = AfxGetApp();
  ASSERT_EQ(pApp->m_pszRegistryKey, nullptr);
  EXPECT_STREQ(pApp->m_pszAppName, "FrameworkWindowTest");
  EXPECT_STREQ(pApp->m_pszExeName, "framework_window_test");
  EXPECT_STREQ(pApp->m_pszProfileName, "framework_window_test.INI");
  ASSERT_TRUE(pApp->WriteProfileInt("Setup", "m_bBOBMode", 3));
  EXPECT_EQ(::GetPrivateProfileIntA("Setup", "m_bBOBMode", 0, "framework_window_test.INI"), 3u);
  EXPECT_EQ(pApp->GetProfileInt("Setup", "m_bBOBMode", 0), 3u);
  EXPECT_EQ(pApp->GetProfileInt("Setup", "missing", 17), 17u);
  ASSERT_TRUE(pApp->WriteProfileString("Setup", nullptr, nullptr));  // removes the section
  EXPECT_EQ(pApp->GetProfileInt("Setup", "m_bBOBMode", 0), 0u);
}

}  // namespace
