// CJVKControls: the ordered controls of one command bar. It creates controls
// by type, inserts, removes, finds and compares them, keeps each control's
// index and back pointers current, steps through them for the keyboard,
// builds them from a menu, and lays them out (ControlsLayout.h). Reference
// counted; it holds one reference on each control.
#pragma once

#include "Control.h"
#include "ControlOwners.h"

#include <Framework.h>

// Sent to the site while a menu is imported (records by pointer in lParam).
const UINT JVK_WM_CREATE_CONTROL = WM_USER + 303;
const UINT JVK_WM_CREATE_POPUP_BAR = WM_USER + 304;
const UINT JVK_WM_CONTROL_CREATED = WM_USER + 310;

// The site may change the id, caption, type and style or hand back a
// control of its own (answer non-zero).
struct JVK_CREATE_CONTROL {
  int nID;
  CJVKControl* pControl;
  BOOL bFromButtonList;  // a tool bar's button list asks, not a menu import
  int nIndex;            // position in the menu or the button list
  CMenu* pMenu;          // the menu being imported; null for a button list
  CJVKControlParentBar* pBar;
  CString strCaption;
  int nType;
  int nStyle;
};

// The site may hand back a popup bar to use (answer non-zero).
struct JVK_CREATE_POPUP_BAR {
  CJVKControlParentBar* pBar;
  BOOL bPopup;  // always 1
  CString strCaption;
  int nID;
};

// Menu-item ids with a meaning of their own.
const int JVK_ID_WINDOW_LIST = 35000;
const int JVK_ID_WORKSPACE_ACTIONS = 35002;
const int JVK_ID_RECENT_FILE_LIST = 35003;
const int JVK_ID_TOOLBAR_LIST = 0xE800;
const int JVK_ID_FILE_MRU_FIRST = 0xE110;
const int JVK_ID_OLE_VERBS = 0xE210;
const int JVK_ID_FIRST_MDI_CHILD = 0xFF00;

class CJVKControls : public CCmdTarget {
  DECLARE_DYNCREATE(CJVKControls)

 public:
  CJVKControls();
  ~CJVKControls() override;
  CJVKControls(const CJVKControls&) = delete;
  CJVKControls& operator=(const CJVKControls&) = delete;

  // The class made for a type or a special id (null: nothing is made). The
  // control classes register themselves; types 1 to 4 are here.
  using ControlFactory = CJVKControl* (*)(int nType, int nID);
  static void SetFactory(int nType, ControlFactory pfnFactory);
  // Special ids of type 1 (lists): their own class.
  static void SetSpecialButtonFactory(int nID, ControlFactory pfnFactory);
  static LONG GetLiveCount();

  void RefreshIndexes();
  void SetParent(CJVKControlParentBar* pParent);
  CJVKControlParentBar* GetParent() const { return m_pParent; }
  void SetCommandBars(CJVKControlCommandBars* pBars) { m_pCommandBars = pBars; }
  CJVKControlCommandBars* GetCommandBars() const;

  int GetCount() const { return static_cast<int>(m_arrControls.GetSize()); }
  CJVKControl* GetAt(int nIndex) const;
  CJVKControl* GetFirst() const { return GetAt(0); }
  CJVKControl* GetNext(CJVKControl* pControl) const;
  // id -1: the first control.
  CJVKControl* FindControl(int nID) const;
  CJVKControl* HitTest(CPoint pt) const;
  int GetVisibleCount(BOOL bStrict) const;
  int GetNextIndex(int nStart, int nStep, BOOL bSkipFlagged, BOOL bSkipTemporary, BOOL bSkipRarelyUsed) const;

  CJVKControl* Add(int nType, int nID, const CString& strParameter = CString(), int nBefore = -1,
                   BOOL bTemporary = FALSE);
  CJVKControl* AddControl(CJVKControl* pControl, int nID = 0, const CString& strParameter = CString(), int nBefore = -1,
                          BOOL bTemporary = FALSE);
  CJVKControl* AddClone(CJVKControl* pControl, int nBefore = -1, BOOL bRecursive = FALSE);
  void Remove(CJVKControl* pControl);
  void RemoveAt(int nIndex);
  void RemoveAll();

  // A new collection (one reference) of clones of the non-temporary controls.
  CJVKControls* Duplicate(BOOL bRecursive);
  void CreateOriginalControls();
  CJVKControls* GetOriginalControls() const { return m_pOriginalControls; }
  BOOL Compare(const CJVKControls* pOther) const;
  BOOL IsChanged() const;

  // The layout: measures every control, places them and writes the places
  // back with LM_COMMIT; the bar's size. The rectangle holds the borders.
  CSize CalcDynamicSize(CDC* pDC, int nLength, DWORD dwMode, const CRect& rcBorders, int nMinThickness);

  CJVKControl* AddMenuItem(CMenu* pMenu, int nPosition);
  void LoadMenu(CMenu* pMenu);

 private:
  // The registered class of the type (of the special id for buttons).
  static CJVKControl* CreateControl(int nType, int nID);
  static CJVKControl* CreateSpecialButton(int nID);
  CWnd* GetSite() const;
  void Insert(CJVKControl* pControl, int nBefore);
  // A popup bar for a popup control: the site's, else a new one.
  CJVKControlParentBar* MakePopupBar(const CString& strCaption, int nID);

  CJVKControlParentBar* m_pParent = nullptr;
  CArray<CJVKControl*, CJVKControl*> m_arrControls;
  CJVKControlCommandBars* m_pCommandBars = nullptr;
  CJVKControls* m_pOriginalControls = nullptr;
};

// The command-UI object of a control: the bar's update runs it through the
// handlers, and the state it is given goes to the control.
class CJVKControlCmdUI : public CCmdUI {
 public:
  CJVKControlCmdUI(CJVKControls* pControls, int nIndex);
  // Null when the index is out of range.
  CJVKControl* GetControl() const;
  void Enable(BOOL bOn = TRUE) override;
  void SetCheck(int nCheck = 1) override;
  void SetText(LPCTSTR lpszText) override;

 private:
  CJVKControls* m_pControls;
};
