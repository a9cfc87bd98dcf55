// CJVKMenuBar: the tool bar that stands in for the frame window's menu. It
// builds its controls from a menu resource, takes the menu away from the
// frame, and enters keyboard menu mode when the frame is asked for its menu
// by the keyboard (Alt alone, F10): the first entry is selected, Down or
// Enter opens its popup, and Alt+letter selects an entry by its mnemonic.
#pragma once

#include "ToolBar.h"

class CJVKMenuBar : public CJVKToolBar {
  DECLARE_DYNCREATE(CJVKMenuBar)

 public:
  CJVKMenuBar();

  // Builds the controls from the menu resource, watches the site's
  // messages and takes the frame's menu away. FALSE when the resource does
  // not load (the bar stays as it was).
  BOOL LoadMenuBar(UINT nIDMenu);
  UINT GetDefaultMenuId() const { return m_nIDDefaultMenu; }
  // The frame's own menu, taken from it; destroyed with the bar.
  HMENU GetFrameMenu() const { return m_hMenuFrame; }

  int HandleHookedMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

  // Shows the controls of another menu (an MDI document's); the frame's
  // own menu stands for the bar's menu resource. Nothing happens for the
  // menu shown already or a menu without items.
  void SwitchMenu(HMENU hMenu);
  // Without a copy of the original controls, and with a menu resource, asks
  // as a tool bar does and on OK builds the controls from the resource
  // again; with a copy, the tool bar's reset. The MDI buttons follow.
  void Reset() override;
  // Re-reads the active MDI child and, while the bar is visible, rebuilds
  // its buttons.
  void RefreshMdiState();
  HWND GetActiveMdiChild() const { return m_hWndActiveChild; }

 protected:
  ~CJVKMenuBar() override;
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  DECLARE_MESSAGE_MAP()

  HWND m_hWndWatched = nullptr;
  HMENU m_hMenuFrame = nullptr;
  UINT m_nIDDefaultMenu = 0;
  BOOL m_bMdiFrame = FALSE;
  HWND m_hWndMdiClient = nullptr;
  HWND m_hWndActiveChild = nullptr;
  HMENU m_hMenuCurrent = nullptr;  // the menu whose controls show; null: the resource's

 private:
  void RefreshSystemMenuControl(HWND hChild, BOOL bMaxActive);
};

// The MDI buttons of a menu bar: minimize (9405), restore (9404) and close
// (9403) of the maximized child, drawn as glyphs of "Marlett".
const int JVK_ID_MDI_SYSMENU = 9406;  // the child's icon, opening its system menu
const int JVK_ID_MDI_CLOSE = 9403;
const int JVK_ID_MDI_RESTORE = 9404;
const int JVK_ID_MDI_MINIMIZE = 9405;
// The timer message the bar posts itself when the MDI state may have changed.
const UINT_PTR JVK_TIMER_MDI_REFRESH = 12223;
// Bar flags that keep a button away, or (0x2000) show the system-menu icon.
const DWORD JVK_BAR_MDI_SYSMENU = 0x2000;
const DWORD JVK_BAR_NO_MDI_MINIMIZE = 0x100;
const DWORD JVK_BAR_NO_MDI_RESTORE = 0x200;
const DWORD JVK_BAR_NO_MDI_SWITCH = 0x400;
const DWORD JVK_BAR_NO_MDI_CLOSE = 0x1000;
