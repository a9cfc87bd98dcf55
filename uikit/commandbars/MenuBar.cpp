#include "MenuBar.h"

#include "ControlButton.h"
#include "ControlPopup.h"
#include "Controls.h"
#include "PaintManager.h"

#include <HookManager.h>
#include <ImageManager.h>
#include <ToolkitResourceIds.h>
#include <MouseManager.h>
#include <ResourceManager.h>

IMPLEMENT_DYNCREATE(CJVKMenuBar, CWnd)

namespace {

// A minimize, restore or close button of the maximized MDI child.
class CJVKControlMdiButton : public CJVKControlButton {
 public:
  explicit CJVKControlMdiButton(int nID) {
    m_nId = nID;
    m_dwFlags = 0x1B;  // right-aligned, skipped by the keyboard, manual update, fixed
    m_bTemporary = TRUE;
    m_strCaption = nID == JVK_ID_MDI_CLOSE ? "r" : nID == JVK_ID_MDI_RESTORE ? "2" : "0";
  }
  CSize GetSize(CDC*) override { return CSize(16, 16); }
  void Draw(CDC* pDC) override {
    CJVKPaintManager* pPaint = GetPaintManager();
    const int nBarType = m_pParent ? m_pParent->GetType() : jvkBarTypeMenuBar;
    const int nBarPosition = m_pParent ? m_pParent->GetPosition() : jvkBarTop;
    pPaint->DrawRectangle(pDC, m_rcControl, m_bEnabled, m_bSelected, m_bPressed, FALSE, FALSE, nBarType, nBarPosition);
    CFont font;
    font.CreatePointFont(::MulDiv(80, 96, pDC->GetDeviceCaps(LOGPIXELSX)), "Marlett", pDC);
    CFont* pOld = pDC->SelectObject(&font);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rc = m_rcControl;
    pDC->DrawText(m_strCaption, rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOld);
  }
  void Execute() override {
    auto* pBar = dynamic_cast<CJVKMenuBar*>(m_pParent);
    HWND hChild = pBar ? pBar->GetActiveMdiChild() : nullptr;
    if (hChild == nullptr) return;
    const WPARAM nCommand = m_nId == JVK_ID_MDI_CLOSE ? SC_CLOSE : m_nId == JVK_ID_MDI_RESTORE ? SC_RESTORE : SC_MINIMIZE;
    ::PostMessage(hChild, WM_SYSCOMMAND, nCommand, 0);
  }
};

// A system command of the child's system menu: chosen, it goes to the child.
class CJVKControlSysCommand : public CJVKControlButton {
 public:
  explicit CJVKControlSysCommand(HWND hChild) : m_hChild(hChild) { m_dwFlags = JVK_FLAG_MANUAL_UPDATE; }
  void Execute() override {
    // Closing the menus first: the command may close the child.
    const HWND hChild = m_hChild;
    const WPARAM nCommand = static_cast<WPARAM>(m_nId);
    CloseMenus(FALSE);
    if (::IsWindow(hChild)) ::PostMessage(hChild, WM_SYSCOMMAND, nCommand, 0);
  }

 private:
  HWND m_hChild;
};

// The maximized child's icon at the start of the menu bar; its popup is
// the child's system menu.
class CJVKControlMdiSysMenu : public CJVKControlPopup {
 public:
  CJVKControlMdiSysMenu() {
    m_nType = jvkControlPopup;
    m_nId = JVK_ID_MDI_SYSMENU;
    m_dwFlags = 0x1A;
    m_bTemporary = TRUE;
  }
  ~CJVKControlMdiSysMenu() override {
    if (m_hIcon) ::DestroyIcon(m_hIcon);
  }
  CSize GetSize(CDC*) override { return CSize(16, 16); }
  // Its popup keeps clear of the icon and a pixel around it.
  void AdjustExcludeRect(CRect& rc) override { rc.InflateRect(1, 1); }
  void Draw(CDC* pDC) override {
    if (m_hIcon)
      ::DrawStateA(pDC->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(m_hIcon), 0, m_rcControl.left,
                   m_rcControl.top, 16, 16, DST_ICON);
  }
  // Builds the popup from the child's system menu and takes a copy of its
  // icon; FALSE when the menu is the one built already.
  BOOL Build(HWND hChild, HMENU hSysMenu, CJVKControlCommandBars* pBars) {
    if (hSysMenu == m_hSysMenu && hChild == m_hChild) return FALSE;
    m_hSysMenu = hSysMenu;
    m_hChild = hChild;
    if (m_hIcon) ::DestroyIcon(m_hIcon);
    m_hIcon = CopyChildIcon(hChild);
    if (m_pCommandBar == nullptr && pBars) {
      CJVKControlParentBar* pPopup = pBars->CreatePopupBar();
      SetCommandBar(pPopup);
      if (pPopup) pPopup->ReleaseBarRef();
    }
    if (m_pCommandBar == nullptr) return TRUE;
    CJVKControls* pItems = m_pCommandBar->GetControls();
    pItems->RemoveAll();
    const UINT nDefault = ::GetMenuDefaultItem(hSysMenu, FALSE, 0);
    BOOL bGroup = FALSE;
    for (int i = 0; i < ::GetMenuItemCount(hSysMenu); ++i) {
      MENUITEMINFOA info = {};
      info.cbSize = sizeof info;
      info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
      if (!::GetMenuItemInfoA(hSysMenu, static_cast<UINT>(i), TRUE, &info)) continue;
      if (info.fType & MFT_SEPARATOR) {
        bGroup = TRUE;
        continue;
      }
      CJVKControl* pItem = nullptr;
      if (info.wID < 0xF000 || info.wID > 0xF1EF) {
        pItem = pItems->AddMenuItem(CMenu::FromHandle(hSysMenu), i);
      } else {
        char szText[1025] = {};
        ::GetMenuStringA(hSysMenu, static_cast<UINT>(i), szText, 1024, MF_BYPOSITION);
        pItem = pItems->AddControl(new CJVKControlSysCommand(hChild), static_cast<int>(info.wID));
        pItem->SetCaption(szText);
        CString strDescription;
        if (strDescription.LoadString((info.wID - 0xF000) / 16 + 0xEF00)) pItem->SetDescription(strDescription);
        pItem->SetDefaultItem(info.wID == nDefault);
        pItem->SetEnabled(!(info.fState & MFS_DISABLED));
      }
      if (pItem && bGroup) pItem->SetBeginGroup(TRUE);
      bGroup = FALSE;
    }
    return TRUE;
  }

 private:
  static HICON CopyChildIcon(HWND hChild) {
    auto hIcon = reinterpret_cast<HICON>(::SendMessage(hChild, WM_USER + 131, 0, 0));
    if (hIcon == nullptr) hIcon = reinterpret_cast<HICON>(::SendMessage(hChild, WM_GETICON, ICON_SMALL, 0));
    if (hIcon == nullptr) hIcon = reinterpret_cast<HICON>(::SendMessage(hChild, WM_GETICON, ICON_BIG, 0));
    if (hIcon == nullptr) hIcon = reinterpret_cast<HICON>(::GetClassLongPtr(hChild, GCLP_HICONSM));
    if (hIcon == nullptr) hIcon = ::LoadIcon(nullptr, IDI_WINLOGO);
    return static_cast<HICON>(::CopyImage(hIcon, IMAGE_ICON, 16, 16, 0));
  }

  HMENU m_hSysMenu = nullptr;
  HWND m_hChild = nullptr;
  HICON m_hIcon = nullptr;
};

}  // namespace

BEGIN_MESSAGE_MAP(CJVKMenuBar, CJVKToolBar)
ON_WM_TIMER()
END_MESSAGE_MAP()

CJVKMenuBar::CJVKMenuBar() {
  m_nType = jvkBarTypeMenuBar;
  // The menu's entries are its buttons: none to add or remove.
  m_bShowExpandButton = FALSE;
}

CJVKMenuBar::~CJVKMenuBar() {
  GetHookManager()->RemoveAll(this);
  if (m_hMenuFrame && ::IsMenu(m_hMenuFrame)) ::DestroyMenu(m_hMenuFrame);
}

BOOL CJVKMenuBar::LoadMenuBar(UINT nIDMenu) {
  if (nIDMenu != 0) {
    CMenu menu;
    if (!GetResourceManager()->LoadMenu(menu, nIDMenu)) return FALSE;
    m_pControls->RemoveAll();
    m_pControls->LoadMenu(&menu);
    m_nIDDefaultMenu = nIDMenu;
    m_hMenuCurrent = nullptr;
    DelayLayout();
  }
  // The pictures of the window commands the system menus and buttons show.
  static const UINT kWindowCommands[] = {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};
  CJVKImageManager* pImages = m_pImageManager ? m_pImageManager : ::GetImageManager();
  pImages->SetIconsFromResource(JVK_IDB_WINDOW_BUTTONS, kWindowCommands, 4, CSize(16, 16));
  CWnd* pSite = GetSite();
  HWND hSite = pSite ? pSite->GetSafeHwnd() : nullptr;
  if (hSite && hSite != m_hWndWatched) {
    if (m_hWndWatched) GetHookManager()->RemoveHook(m_hWndWatched, this);
    GetHookManager()->SetHook(hSite, this);
    m_hWndWatched = hSite;
  }
  auto* pMdiFrame = dynamic_cast<CMDIFrameWnd*>(pSite);
  m_bMdiFrame = pMdiFrame != nullptr;
  if (pMdiFrame && pMdiFrame->m_hWndMDIClient && pMdiFrame->m_hWndMDIClient != m_hWndMdiClient) {
    m_hWndMdiClient = pMdiFrame->m_hWndMDIClient;
    GetHookManager()->SetHook(m_hWndMdiClient, this);
  }
  if (hSite) {
    if (HMENU hMenu = ::GetMenu(hSite)) {
      if (m_hMenuFrame && m_hMenuFrame != hMenu && ::IsMenu(m_hMenuFrame)) ::DestroyMenu(m_hMenuFrame);
      m_hMenuFrame = hMenu;
      ::SetMenu(hSite, nullptr);
    }
  }
  RefreshMdiState();
  return TRUE;
}

void CJVKMenuBar::SwitchMenu(HMENU hMenu) {
  // The frame's own menu stands for the menu resource.
  HMENU hKey = hMenu == m_hMenuFrame ? nullptr : hMenu;
  if (hKey == m_hMenuCurrent) return;
  if (hKey != nullptr && (!::IsMenu(hKey) || ::GetMenuItemCount(hKey) <= 0)) return;
  m_pControls->RemoveAll();
  if (hKey == nullptr) {
    CMenu menu;
    if (m_nIDDefaultMenu && GetResourceManager()->LoadMenu(menu, m_nIDDefaultMenu)) m_pControls->LoadMenu(&menu);
  } else {
    m_pControls->LoadMenu(CMenu::FromHandle(hKey));
  }
  m_hMenuCurrent = hKey;
  DelayLayout();
}

void CJVKMenuBar::Reset() {
  if (m_pControls->GetOriginalControls() == nullptr) {
    CMenu menu;
    if (m_nIDDefaultMenu != 0 && ConfirmReset() && GetResourceManager()->LoadMenu(menu, m_nIDDefaultMenu)) {
      m_pControls->RemoveAll();
      m_pControls->LoadMenu(&menu);
      m_hMenuCurrent = nullptr;
    }
  } else {
    CJVKToolBar::Reset();
  }
  RefreshMdiState();
  Invalidate();
  DelayLayout();
}

void CJVKMenuBar::RefreshMdiState() {
  if (!m_bMdiFrame || m_hWndMdiClient == nullptr || !::IsWindow(m_hWndMdiClient)) return;
  BOOL bMaximized = FALSE;
  auto hActive = reinterpret_cast<HWND>(
      ::SendMessage(m_hWndMdiClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&bMaximized)));
  if (hActive != m_hWndActiveChild) {
    if (m_hWndActiveChild && ::IsWindow(m_hWndActiveChild)) GetHookManager()->RemoveHook(m_hWndActiveChild, this);
    m_hWndActiveChild = hActive;
    if (hActive) GetHookManager()->SetHook(hActive, this);
  }
  if (!IsVisible()) return;
  const BOOL bMaxActive = hActive != nullptr && bMaximized;
  RefreshSystemMenuControl(hActive, bMaxActive);
  const DWORD dwChildStyle = hActive ? static_cast<DWORD>(::GetWindowLong(hActive, GWL_STYLE)) : 0;
  const struct {
    int nID;
    BOOL bShown;
  } buttons[] = {
      {JVK_ID_MDI_MINIMIZE, bMaxActive && (dwChildStyle & WS_MINIMIZEBOX) && !(m_dwDockingFlags & JVK_BAR_NO_MDI_MINIMIZE)},
      {JVK_ID_MDI_RESTORE, bMaxActive && (dwChildStyle & WS_MAXIMIZEBOX) && !(m_dwDockingFlags & JVK_BAR_NO_MDI_RESTORE)},
      {JVK_ID_MDI_CLOSE, bMaxActive && !(m_dwDockingFlags & JVK_BAR_NO_MDI_CLOSE)},
  };
  BOOL bChanged = FALSE;
  for (const auto& button : buttons) {
    CJVKControl* pControl = m_pControls->FindControl(button.nID);
    if (button.bShown && pControl == nullptr) {
      m_pControls->AddControl(new CJVKControlMdiButton(button.nID), button.nID, CString(), -1, TRUE);
      bChanged = TRUE;
    } else if (!bMaxActive && pControl != nullptr) {
      m_pControls->Remove(pControl);
      bChanged = TRUE;
    }
  }
  if (bChanged) DelayLayout();
}

void CJVKMenuBar::RefreshSystemMenuControl(HWND hChild, BOOL bMaxActive) {
  CJVKControl* pControl = m_pControls->FindControl(JVK_ID_MDI_SYSMENU);
  HMENU hSysMenu = bMaxActive && (m_dwDockingFlags & JVK_BAR_MDI_SYSMENU) ? ::GetSystemMenu(hChild, FALSE) : nullptr;
  if (hSysMenu == nullptr || !::IsMenu(hSysMenu)) {
    if (pControl) {
      m_pControls->Remove(pControl);
      DelayLayout();
    }
    return;
  }
  auto* pSysMenu = dynamic_cast<CJVKControlMdiSysMenu*>(pControl);
  if (pSysMenu == nullptr) {
    pSysMenu = new CJVKControlMdiSysMenu;
    m_pControls->AddControl(pSysMenu, JVK_ID_MDI_SYSMENU, CString(), 0, TRUE);
  }
  if (pSysMenu->Build(hChild, hSysMenu, m_pCommandBars)) DelayLayout();
}

void CJVKMenuBar::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == JVK_TIMER_MDI_REFRESH) {
    RefreshMdiState();
    return;
  }
  CJVKToolBar::OnTimer(nIDEvent);
}

int CJVKMenuBar::HandleHookedMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) {
  // Key presses of the keyboard manager while the bar tracks.
  if (hWnd == nullptr) return CJVKToolBar::HandleHookedMessage(hWnd, nMessage, wParam, lParam, lResult);
  if (hWnd == m_hWndActiveChild) {
    if (nMessage == WM_SIZE || nMessage == WM_WINDOWPOSCHANGED) PostMessage(WM_TIMER, JVK_TIMER_MDI_REFRESH);
    return JVK_HOOK_CONTINUE;
  }
  if (hWnd == m_hWndMdiClient) {
    if (nMessage == WM_MDICREATE || nMessage == WM_MDIDESTROY || nMessage == WM_MDIACTIVATE)
      PostMessage(WM_TIMER, JVK_TIMER_MDI_REFRESH);
    if (nMessage != WM_MDISETMENU) return JVK_HOOK_CONTINUE;
    CWnd* pSite = GetSite();
    if (!IsVisible()) {
      // A hidden bar lets a frame with a menu of its own have it.
      if (pSite && ::GetMenu(pSite->m_hWnd)) return JVK_HOOK_CONTINUE;
      lResult = 0;
      return JVK_HOOK_HANDLED;
    }
    if (!(m_dwDockingFlags & JVK_BAR_NO_MDI_SWITCH)) {
      HMENU hMenu = wParam ? reinterpret_cast<HMENU>(wParam) : m_hMenuFrame;
      SwitchMenu(hMenu);
    }
    if (pSite && ::GetMenu(pSite->m_hWnd)) ::SetMenu(pSite->m_hWnd, nullptr);
    RefreshMdiState();
    lResult = 0;
    return JVK_HOOK_HANDLED;
  }
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
