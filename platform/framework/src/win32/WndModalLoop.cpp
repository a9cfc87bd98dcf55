// The modal loop of a window (dialogs): pumps messages until EndModalLoop,
// with idle processing and the parent told of the idle time.
#include "framework/WinThread.h"
#include "framework/Wnd.h"

#include "ThreadState.h"

int CWnd::RunModalLoop(DWORD dwFlags) {
  m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
  HWND hWndParent = ::GetParent(m_hWnd);
  HWND hWndSelf = m_hWnd;
  MSG msg;
  for (;;) {
    while (bIdle && !::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (bShowIdle) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        bShowIdle = FALSE;
      }
      if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != nullptr && lIdleCount == 0)
        ::SendMessage(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
      if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++)) bIdle = FALSE;
    }
    do {
      if (!AfxPumpMessage()) {
        // WM_QUIT: end the loop and pass the quit on to the outer loop.
        AfxPostQuitMessage(static_cast<int>(AfxGetThreadState()->msgCur.wParam));
        m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
        return -1;
      }
      if (bShowIdle && (msg.message == 0x118 || msg.message == WM_SYSKEYDOWN)) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        bShowIdle = FALSE;
      }
      if (!::IsWindow(hWndSelf) || !ContinueModal()) {
        m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
        return m_hWnd != nullptr ? 0 : -1;
      }
      bIdle = TRUE;
      lIdleCount = 0;
    } while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
  }
}

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int nResult) {
  m_nFlags &= ~WF_CONTINUEMODAL;
  ::PostMessage(m_hWnd, WM_NULL, 0, 0);  // wake the loop
  (void)nResult;
}
