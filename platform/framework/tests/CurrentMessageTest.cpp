// The thread's record of the message being handled: nested sends restore it,
// and a window procedure outside the framework can set it so that the
// framework's default handling runs that message.
#include <gtest/gtest.h>

#include <vector>

#include "WindowTestSupport.h"

namespace {

const UINT WM_TEST_OUTER = WM_APP + 11;
const UINT WM_TEST_INNER = WM_APP + 12;

class CRecordingWnd : public CWnd {
 public:
  HWND m_hWndInner = nullptr;
  std::vector<UINT> m_seen;

  BOOL CreatePopup() {
    return CreateEx(0, AfxRegisterWndClass(0), "current message", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0);
  }

 protected:
  afx_msg LRESULT OnOuter(WPARAM, LPARAM) {
    m_seen.push_back(GetCurrentMessage()->message);
    ::SendMessage(m_hWndInner, WM_TEST_INNER, 0, 0);
    m_seen.push_back(GetCurrentMessage()->message);
    return 0;
  }
  afx_msg LRESULT OnInner(WPARAM, LPARAM) {
    m_seen.push_back(GetCurrentMessage()->message);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingWnd, CWnd)
ON_MESSAGE(WM_TEST_OUTER, OnOuter)
ON_MESSAGE(WM_TEST_INNER, OnInner)
END_MESSAGE_MAP()

TEST(CurrentMessageTest, ANestedSendRestoresTheOuterMessage) {
  CRecordingWnd outer, inner;
  ASSERT_TRUE(outer.CreatePopup());
  ASSERT_TRUE(inner.CreatePopup());
  outer.m_hWndInner = inner.m_hWnd;
  inner.m_seen.clear();
  outer.m_seen.clear();
  outer.SendMessage(WM_TEST_OUTER);
  EXPECT_EQ(outer.m_seen, (std::vector<UINT>{WM_TEST_OUTER, WM_TEST_OUTER}));
  EXPECT_EQ(inner.m_seen, (std::vector<UINT>{WM_TEST_INNER}));
}

// A procedure placed over a framework window, as a chain of message hooks
// does: it answers WM_GETTEXTLENGTH through the object's default handling,
// with the record set to its own message and restored afterwards.
CWnd* g_pHooked = nullptr;
WNDPROC g_pfnPrevious = nullptr;
MSG g_recordAfter = {};

LRESULT CALLBACK HookProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg != WM_GETTEXTLENGTH) return ::CallWindowProc(g_pfnPrevious, hWnd, nMsg, wParam, lParam);
  MSG* pRecord = AfxGetCurrentMessage();
  MSG saved = *pRecord;
  pRecord->hwnd = hWnd;
  pRecord->message = nMsg;
  pRecord->wParam = wParam;
  pRecord->lParam = lParam;
  LRESULT lResult = g_pHooked->Default();
  *pRecord = saved;
  g_recordAfter = *AfxGetCurrentMessage();
  return lResult;
}

TEST(CurrentMessageTest, AProcedureOutsideTheFrameworkSetsTheMessageThatDefaultRuns) {
  CRecordingWnd wnd;
  ASSERT_TRUE(wnd.CreatePopup());
  wnd.SetWindowText("hello");
  g_pHooked = &wnd;
  g_pfnPrevious =
      reinterpret_cast<WNDPROC>(::SetWindowLongPtr(wnd.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookProc)));
  MSG* pRecord = AfxGetCurrentMessage();
  pRecord->message = WM_NULL;
  EXPECT_EQ(::SendMessage(wnd.m_hWnd, WM_GETTEXTLENGTH, 0, 0), 5);
  EXPECT_EQ(g_recordAfter.message, static_cast<UINT>(WM_NULL)) << "the record was not restored";
  ::SetWindowLongPtr(wnd.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pfnPrevious));
  g_pHooked = nullptr;
}

}  // namespace
