// CFrameWnd and its status bar: the prompt of the menu item or command the
// user is on (WM_SETMESSAGESTRING), the idle prompt when there is none, and
// the menu items brought up to date before their menu opens.
#include "framework/FrameWnd.h"

#include "framework/CmdUI.h"
#include "framework/Menu.h"

CWnd* CFrameWnd::GetMessageBar() { return GetDlgItem(AFX_IDW_STATUS_BAR); }

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
  rMessage.Empty();
  CString strFull;
  if (!strFull.LoadString(nID)) {
    if (nID == AFX_IDS_IDLEMESSAGE) rMessage = "Ready";
    return;
  }
  int nNewLine = strFull.Find('\n');
  rMessage = nNewLine >= 0 ? strFull.Left(nNewLine) : strFull;
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText) {
  SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, nID, 0); }

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  // The answer is the id shown before, for WM_POPMESSAGESTRING to restore.
  UINT nIDLast = m_nIDLastMessage;
  m_nIDLastMessage = static_cast<UINT>(wParam);
  m_nIDTracking = static_cast<UINT>(wParam);
  CWnd* pBar = GetTopLevelFrame()->GetMessageBar();
  if (pBar != nullptr) {
    CString strMessage;
    if (lParam != 0)
      strMessage = reinterpret_cast<LPCTSTR>(lParam);
    else if (wParam != 0)
      GetMessageString(static_cast<UINT>(wParam), strMessage);
    pBar->SetWindowText(strMessage);
  }
  return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam) {
  return SendMessage(WM_SETMESSAGESTRING, wParam != 0 || lParam != 0 ? wParam : AFX_IDS_IDLEMESSAGE, lParam);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) {
  UINT nID;
  if (nFlags == 0xFFFF && hSysMenu == nullptr)
    nID = AFX_IDS_IDLEMESSAGE;  // the menu closed
  else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP)))
    nID = 0;  // nothing to say about separators and submenus
  else
    nID = nItemID;
  SendMessage(WM_SETMESSAGESTRING, nID, 0);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
  Default();
  if (bSysMenu || pPopupMenu == nullptr) return;
  CCmdUI state;
  state.m_pMenu = pPopupMenu;
  state.m_nIndexMax = pPopupMenu->GetMenuItemCount();
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    UINT nID = pPopupMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
    if (nID == 0 || nID == static_cast<UINT>(-1)) continue;  // separators and submenus
    state.m_nID = nID;
    state.m_pSubMenu = nullptr;
    // System commands are left to the system.
    state.DoUpdate(this, m_bAutoMenuEnable && nID < 0xF000);
  }
}
