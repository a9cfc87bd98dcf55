#include "framework/Menu.h"

#include "framework/ExtensionModule.h"
#include "framework/Wnd.h"

#include "ThreadState.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::~CMenu() { DestroyMenu(); }

HMENU CMenu::GetSafeHmenu() const { return this == nullptr ? nullptr : m_hMenu; }

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu) {
  if (hMenu == nullptr) return nullptr;
  return AfxGetThreadState()->menus.FromHandle(hMenu, [hMenu](CMenu* p) { p->m_hMenu = hMenu; });
}

void PASCAL CMenu::DeleteTempMap() {
  AfxGetThreadState()->menus.DeleteTemp([](CMenu* p) { p->m_hMenu = nullptr; });
}

BOOL CMenu::Attach(HMENU hMenu) {
  if (hMenu == nullptr) return FALSE;
  ENSURE_ARG(m_hMenu == nullptr);
  m_hMenu = hMenu;
  AfxGetThreadState()->menus.SetPermanent(hMenu, this);
  return TRUE;
}

HMENU CMenu::Detach() { return AfxDetachHandle(&AFX_THREAD_STATE::menus, m_hMenu, this); }

BOOL CMenu::DestroyMenu() {
  if (m_hMenu == nullptr) return FALSE;
  return ::DestroyMenu(Detach());
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_MENU);
  return hInst != nullptr && Attach(::LoadMenu(hInst, lpszResourceName));
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
  int nLen = ::GetMenuString(m_hMenu, nIDItem, nullptr, 0, nFlags);
  if (nLen <= 0) {
    rString.Empty();
    return 0;
  }
  ::GetMenuString(m_hMenu, nIDItem, rString.GetBuffer(nLen), nLen + 1, nFlags);
  rString.ReleaseBuffer();
  return rString.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
  return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
}
