// CMDIFrameWnd: the MDI client as the main pane, routing through the active
// child, the children's system keys and the Window commands.
#include "framework/MDIFrameWnd.h"

#include "framework/MDIChildWnd.h"
#include "framework/Menu.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
ON_WM_CREATE()
ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(nullptr) {}

int CMDIFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
  CMenu* pWindowMenu = CMenu::FromHandle(GetWindowMenuPopup(::GetMenu(m_hWnd)));
  return CreateClient(lpCreateStruct, pWindowMenu) ? 0 : -1;
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* pWindowMenu) {
  CLIENTCREATESTRUCT ccs = {pWindowMenu->GetSafeHmenu(), AFX_IDM_FIRST_MDICHILD};
  m_hWndMDIClient = ::CreateWindowEx(
      WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL | MDIS_ALLCHILDSTYLES, 0, 0,
      0, 0, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)), AfxGetInstanceHandle(), &ccs);
  return m_hWndMDIClient != nullptr;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar) {
  if (hMenuBar == nullptr) return nullptr;
  for (int nItem = ::GetMenuItemCount(hMenuBar) - 1; nItem >= 0; --nItem) {
    HMENU hPopup = ::GetSubMenu(hMenuBar, nItem);
    if (hPopup == nullptr) continue;
    for (int i = ::GetMenuItemCount(hPopup) - 1; i >= 0; --i) {
      UINT nID = ::GetMenuItemID(hPopup, i);
      if (nID >= AFX_IDM_WINDOW_FIRST && nID <= AFX_IDM_WINDOW_LAST) return hPopup;
    }
  }
  return nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefFrameProc(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

// ------------------------------------------------------------- children

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
  BOOL bMaximized = FALSE;
  HWND hWnd = m_hWndMDIClient != nullptr ? reinterpret_cast<HWND>(::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0,
                                                                                reinterpret_cast<LPARAM>(&bMaximized)))
                                         : nullptr;
  if (pbMaximized != nullptr) *pbMaximized = hWnd != nullptr && bMaximized;
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) ? static_cast<CMDIChildWnd*>(pWnd) : nullptr;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate) {
  ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWndActivate->GetSafeHwnd()), 0);
}
void CMDIFrameWnd::MDIMaximize(CWnd* pWnd) {
  ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pWnd->GetSafeHwnd()), 0);
}
void CMDIFrameWnd::MDIRestore(CWnd* pWnd) {
  ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pWnd->GetSafeHwnd()), 0);
}
void CMDIFrameWnd::MDINext() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
void CMDIFrameWnd::MDIPrev() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 1); }
void CMDIFrameWnd::MDICascade() { ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
void CMDIFrameWnd::MDITile(int nType) { ::SendMessage(m_hWndMDIClient, WM_MDITILE, static_cast<WPARAM>(nType), 0); }
void CMDIFrameWnd::MDIIconArrange() { ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu) {
  auto hOld = reinterpret_cast<HMENU>(::SendMessage(m_hWndMDIClient, WM_MDISETMENU,
                                                    reinterpret_cast<WPARAM>(pFrameMenu->GetSafeHmenu()),
                                                    reinterpret_cast<LPARAM>(pWindowMenu->GetSafeHmenu())));
  return CMenu::FromHandle(hOld);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
  CMDIChildWnd* pActive = MDIGetActive();
  return pActive != nullptr ? static_cast<CFrameWnd*>(pActive) : this;
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  // The active child shows its own menu; without one the frame's comes back.
  if (CMDIChildWnd* pActive = MDIGetActive()) {
    pActive->OnUpdateFrameMenu(TRUE, pActive, hMenuAlt);
    return;
  }
  HMENU hMenu = hMenuAlt != nullptr ? hMenuAlt : m_hMenuDefault;
  MDISetMenu(CMenu::FromHandle(hMenu), CMenu::FromHandle(GetWindowMenuPopup(hMenu)));
  ::DrawMenuBar(m_hWnd);
}

// ------------------------------------------------------- keys and commands

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && MDIGetActive() != nullptr &&
      ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
    return TRUE;
  return CFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  CMDIChildWnd* pActive = MDIGetActive();
  if (pActive != nullptr && pActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID) {
  switch (nID) {
    case ID_WINDOW_ARRANGE: MDIIconArrange(); break;
    case ID_WINDOW_CASCADE: MDICascade(); break;
    case ID_WINDOW_TILE_HORZ: MDITile(MDITILE_HORIZONTAL); break;
    case ID_WINDOW_TILE_VERT: MDITile(MDITILE_VERTICAL); break;
    default: return FALSE;
  }
  return TRUE;
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(MDIGetActive() != nullptr); }
