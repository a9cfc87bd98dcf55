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

 protected:
  ~CJVKMenuBar() override;

  HWND m_hWndWatched = nullptr;
  HMENU m_hMenuFrame = nullptr;
  UINT m_nIDDefaultMenu = 0;
};
