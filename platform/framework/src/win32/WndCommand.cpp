// Commands and notifications: WM_COMMAND from menus, accelerators and
// controls, and WM_NOTIFY, routed to the control first and then through the
// command targets.
#include "framework/CmdUI.h"
#include "framework/Wnd.h"

#include "ThreadState.h"
#include "WndInternal.h"

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT nID = LOWORD(wParam);
  HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
  int nCode = HIWORD(wParam);
  if (hWndCtrl == nullptr) {
    // A menu item or an accelerator: a command, unless its update handler
    // disabled it.
    if (nID == 0) return FALSE;
    class CProbe : public CCmdUI {
     public:
      void Enable(BOOL bOn) override {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
      }
      void SetCheck(int) override {}
      void SetRadio(BOOL) override {}
      void SetText(LPCTSTR) override {}
      BOOL m_bEnabled = TRUE;
    } probe;
    probe.m_nID = nID;
    OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &probe, nullptr);
    if (!probe.m_bEnabled) return TRUE;  // disabled: swallowed
    nCode = CN_COMMAND;
  } else {
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->hLockoutNotifyWindow == m_hWnd) return TRUE;  // UpdateData is running
    // The control's own handler (reflection) comes first.
    if (AfxSendChildNotify(this, hWndCtrl, WM_COMMAND, wParam, lParam, nullptr)) return TRUE;
    if (nID == 0) return FALSE;
  }
  return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
  HWND hWndCtrl = pNMHDR->hwndFrom;
  UINT nID = static_cast<UINT>(pNMHDR->idFrom);
  int nCode = static_cast<int>(pNMHDR->code);
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->hLockoutNotifyWindow == m_hWnd) return TRUE;
  if (AfxSendChildNotify(this, hWndCtrl, WM_NOTIFY, wParam, lParam, pResult)) return TRUE;
  AFX_NOTIFY notify = {pResult, pNMHDR};
  if (OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, nullptr)) return TRUE;
  if (nCode == static_cast<int>(TTN_NEEDTEXTA) && (m_nFlags & WF_TOOLTIPS)) return AfxGetToolTipText(pNMHDR, pResult);
  return FALSE;
}
