// CCmdUI: one user-interface item (menu item or control) whose state an
// ON_UPDATE_COMMAND_UI handler sets. DoUpdate asks the target's handler;
// with bDisableIfNoHndler an item whose command nobody handles is disabled.
#pragma once

#include "CmdTarget.h"

class CMenu;
class CWnd;

class CCmdUI {
 public:
  CCmdUI();
  virtual ~CCmdUI() = default;

  UINT m_nID;
  UINT m_nIndex;      // menu item index
  CMenu* m_pMenu;     // the menu of the item, or NULL
  CMenu* m_pSubMenu;  // the item's popup, or NULL
  CWnd* m_pOther;     // the control, or NULL
  UINT m_nIndexMax;   // items in the menu
  CMenu* m_pParentMenu;
  BOOL m_bEnableChanged;  // a handler called Enable
  BOOL m_bContinueRouting;

  virtual void Enable(BOOL bOn = TRUE);
  virtual void SetCheck(int nCheck = 1);  // 0 clear, 1 checked, 2 indeterminate
  virtual void SetRadio(BOOL bOn = TRUE);
  virtual void SetText(LPCTSTR lpszText);
  void ContinueRouting() { m_bContinueRouting = TRUE; }

  // TRUE when pTarget has an update handler for m_nID.
  BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};
