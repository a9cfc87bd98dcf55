// The routing frame: message boxes shown while a frame routes a command, or
// while CPushRoutingFrame holds it, belong to that frame's window. Real
// message boxes are shown; a hook notes each one's owner and closes it.
#include <gtest/gtest.h>

#include <vector>

#include "FrameTestSupport.h"

namespace {

std::vector<HWND> g_owners;  // owner of each box, in order

LRESULT CALLBACK NoteAndCloseBox(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode == HCBT_ACTIVATE) {
    auto hWnd = reinterpret_cast<HWND>(wParam);
    char szClass[16] = {};
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (lstrcmpA(szClass, "#32770") == 0) {
      g_owners.push_back(::GetWindow(hWnd, GW_OWNER));
      ::PostMessage(hWnd, WM_COMMAND, IDOK, 0);
    }
  }
  return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

// Closes every message box of the thread as it appears.
class CBoxCloser {
 public:
  CBoxCloser() : m_hHook(::SetWindowsHookEx(WH_CBT, NoteAndCloseBox, nullptr, ::GetCurrentThreadId())) {
    g_owners.clear();
  }
  ~CBoxCloser() { ::UnhookWindowsHookEx(m_hHook); }
  HHOOK m_hHook;
};

#define ID_ASK 41001

class CAskingFrame : public CFrameWnd {
 protected:
  afx_msg void OnAsk() { AfxMessageBox("Sure?", MB_OK); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CAskingFrame, CFrameWnd)
ON_COMMAND(ID_ASK, OnAsk)
END_MESSAGE_MAP()

TEST(RoutingFrameTest, MessageBoxesBelongToTheRoutingFrame) {
  CBoxCloser closer;
  ASSERT_NE(closer.m_hHook, nullptr);
  CAskingFrame* pFirst = new CAskingFrame;
  ASSERT_TRUE(pFirst->Create(nullptr, "first", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100)));
  CFrameWnd* pSecond = new CFrameWnd;
  ASSERT_TRUE(pSecond->Create(nullptr, "second", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100)));
  CFrameWnd* pChildFrame = new CFrameWnd;
  ASSERT_TRUE(pChildFrame->Create(nullptr, "inner", WS_CHILD, CRect(0, 0, 50, 50), pSecond));

  EXPECT_EQ(CPushRoutingFrame::GetRoutingFrame(), nullptr);
  {
    CPushRoutingFrame push(pSecond);
    EXPECT_EQ(CPushRoutingFrame::GetRoutingFrame(), pSecond);
    AfxMessageBox("one");
    {
      // Pushes nest; a child frame's boxes belong to its top-level window.
      CPushRoutingFrame inner(pChildFrame);
      EXPECT_EQ(CPushRoutingFrame::GetRoutingFrame(), pChildFrame);
      AfxMessageBox("two");
    }
    EXPECT_EQ(CPushRoutingFrame::GetRoutingFrame(), pSecond);
  }
  EXPECT_EQ(CPushRoutingFrame::GetRoutingFrame(), nullptr);
  // A command's handler asks in the name of the frame that routes it.
  pFirst->SendMessage(WM_COMMAND, ID_ASK);
  EXPECT_EQ(CPushRoutingFrame::GetRoutingFrame(), nullptr);
  EXPECT_EQ(g_owners, (std::vector<HWND>{pSecond->m_hWnd, pSecond->m_hWnd, pFirst->m_hWnd}));
  pSecond->DestroyWindow();
  pFirst->DestroyWindow();
}

}  // namespace
