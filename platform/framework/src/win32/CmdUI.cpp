#include "framework/CmdUI.h"

#include "framework/Button.h"
#include "framework/Menu.h"
#include "framework/Wnd.h"

CCmdUI::CCmdUI()
    : m_nID(0),
      m_nIndex(0),
      m_pMenu(nullptr),
      m_pSubMenu(nullptr),
      m_pOther(nullptr),
      m_nIndexMax(0),
      m_pParentMenu(nullptr),
      m_bEnableChanged(FALSE),
      m_bContinueRouting(FALSE) {}

void CCmdUI::Enable(BOOL bOn) {
  if (m_pMenu != nullptr) {
    if (m_pSubMenu == nullptr)
      m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
  } else if (m_pOther != nullptr) {
    HWND hWnd = m_pOther->m_hWnd;
    // The focus must not stay on a control being disabled: the next one gets it.
    if (!bOn && ::GetFocus() == hWnd) {
      HWND hWndParent = ::GetParent(hWnd);
      if (hWndParent != nullptr) ::SendMessage(hWndParent, WM_NEXTDLGCTL, 0, FALSE);
    }
    ::EnableWindow(hWnd, bOn);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
  if (m_pMenu != nullptr) {
    if (m_pSubMenu == nullptr) m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
  } else if (m_pOther != nullptr) {
    if (::SendMessage(m_pOther->m_hWnd, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)
      ::SendMessage(m_pOther->m_hWnd, BM_SETCHECK, static_cast<WPARAM>(nCheck), 0);
  }
}

void CCmdUI::SetRadio(BOOL bOn) {
  if (m_pMenu != nullptr) {
    if (m_pSubMenu == nullptr)
      m_pMenu->CheckMenuRadioItem(m_nIndex, m_nIndex, bOn ? m_nIndex : m_nIndex + 1, MF_BYPOSITION);
  } else {
    SetCheck(bOn ? 1 : 0);
  }
}

void CCmdUI::SetText(LPCTSTR lpszText) {
  if (lpszText == nullptr) lpszText = "";
  if (m_pMenu != nullptr) {
    if (m_pSubMenu == nullptr) {
      UINT nState = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION) & ~(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR);
      m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID, lpszText);
    }
  } else if (m_pOther != nullptr) {
    // Only when it changes (no flicker).
    CString current;
    m_pOther->GetWindowText(current);
    if (current != lpszText) m_pOther->SetWindowText(lpszText);
  }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF) return TRUE;  // separators, statics
  m_bEnableChanged = FALSE;
  BOOL bResult = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, nullptr);
  if (bDisableIfNoHndler && !m_bEnableChanged) {
    AFX_CMDHANDLERINFO info = {nullptr, nullptr};
    BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
    Enable(bHandler);
  }
  return bResult;
}
