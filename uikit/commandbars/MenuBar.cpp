#include "MenuBar.h"

#include "Controls.h"

#include <HookManager.h>
#include <MouseManager.h>
#include <ResourceManager.h>

IMPLEMENT_DYNCREATE(CJVKMenuBar, CCmdTarget)

CJVKMenuBar::CJVKMenuBar() {
  m_nType = jvkBarTypeMenuBar;
  // The menu's entries are its buttons: none to add or remove.
  m_bShowExpandButton = FALSE;
}

CJVKMenuBar::~CJVKMenuBar() {
  if (m_hWndWatched) GetHookManager()->RemoveHook(m_hWndWatched, this);
  if (m_hMenuFrame && ::IsMenu(m_hMenuFrame)) ::DestroyMenu(m_hMenuFrame);
}

BOOL CJVKMenuBar::LoadMenuBar(UINT nIDMenu) {
  if (nIDMenu != 0) {
    CMenu menu;
    if (!GetResourceManager()->LoadMenu(menu, nIDMenu)) return FALSE;
    m_pControls->RemoveAll();
    m_pControls->LoadMenu(&menu);
    m_nIDDefaultMenu = nIDMenu;
    DelayLayout();
  }
  CWnd* pSite = GetSite();
  HWND hSite = pSite ? pSite->GetSafeHwnd() : nullptr;
  if (hSite && hSite != m_hWndWatched) {
    if (m_hWndWatched) GetHookManager()->RemoveHook(m_hWndWatched, this);
    GetHookManager()->SetHook(hSite, this);
    m_hWndWatched = hSite;
  }
  if (hSite) {
    if (HMENU hMenu = ::GetMenu(hSite)) {
      if (m_hMenuFrame && m_hMenuFrame != hMenu && ::IsMenu(m_hMenuFrame)) ::DestroyMenu(m_hMenuFrame);
      m_hMenuFrame = hMenu;
      ::SetMenu(hSite, nullptr);
    }
  }
  return TRUE;
}

int CJVKMenuBar::HandleHookedMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) {
  // Key presses of the keyboard manager while the bar tracks.
  if (hWnd == nullptr) return CJVKToolBar::HandleHookedMessage(hWnd, nMessage, wParam, lParam, lResult);
  if (hWnd != m_hWndWatched) return JVK_HOOK_CONTINUE;
  if (nMessage == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU && lParam == 0) {
    // Alt alone or F10: keyboard menu mode on the menu bar, unless a modal
    // loop of the bars runs, Shift is held or the bars are customized.
    const CJVKMouseManager* pMouse = PeekMouseManager();
    const BOOL bModal = pMouse && pMouse->m_nLock > 0;
    const BOOL bCustomize = m_pCommandBars && m_pCommandBars->IsCustomizeMode();
    if (!IsVisible() || bModal || ::GetKeyState(VK_SHIFT) < 0 || bCustomize || m_pCommandBars == nullptr)
      return JVK_HOOK_CONTINUE;
    // The release of Alt after Alt+letter: the letter, taken by the bars'
    // pre-translation, never reached the frame's default handling, which
    // still sees Alt as pressed alone. The bar the letter activated keeps
    // the keyboard; the system's own menu loop does not start either.
    if (pMouse && pMouse->IsTrackActive()) {
      lResult = 0;
      return JVK_HOOK_HANDLED;
    }
    m_pCommandBars->ActivateBar(this, 0);
    lResult = 0;
    return JVK_HOOK_HANDLED;
  }
  return JVK_HOOK_CONTINUE;
}
