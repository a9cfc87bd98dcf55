// CJVKPopupBar: the drop-down menu window of the command bars. It opens
// under a menu-bar entry, beside a menu item, under a tool-bar button or at
// a point, placed against the work area of its monitor (PopupLayout), and
// tracks while it is open: keys through the keyboard manager, clicks
// elsewhere through the mouse manager. A popup too tall for the screen
// scrolls with two scroll buttons; a collapsed popup hides its rarely used
// commands behind an expand button. Its window lives while it is open.
#pragma once

#include "CommandBar.h"
#include "PopupLayout.h"

#include <vector>

// Control ids reserved inside popup bars.
const int JVK_ID_POPUP_EXPAND = 9402;

// The scroll buttons' timers.
const UINT_PTR JVK_TIMER_SCROLL_DOWN = 5001;
const UINT_PTR JVK_TIMER_SCROLL_UP = 5002;
const UINT JVK_SCROLL_PERIOD = 80;
// The tear-off gripper's hover check.
const UINT_PTR JVK_TIMER_GRIPPER = 5003;
// How far beyond the popup the pointer goes before the popup tears off.
const int JVK_TEAROFF_MARGIN = 10;

class CJVKToolBar;

class CJVKPopupBar : public CJVKCommandBar {
  DECLARE_DYNCREATE(CJVKPopupBar)

 public:
  CJVKPopupBar();

  // A popup bar of the command bars (null: a free-standing one), with one
  // reference.
  static CJVKPopupBar* CreatePopupBar(CJVKControlCommandBars* pBars);

  // Opens at the anchor x, y with the placement flags (JVK_POPUP_*)
  // outside the exclusion rectangle (screen coordinates; null or empty for
  // a popup at a point). FALSE when the window cannot be made.
  BOOL PopupAt(int x, int y, DWORD dwFlags, const RECT* prcExclude = nullptr, BOOL bSelectFirst = FALSE);
  // The screen rectangle of the opening control the popup keeps clear.
  CRect GetExcludeRect() const { return m_rcExclude; }

  // TrackPopupMenu's part: the chosen command is returned instead of
  // executed; with bRecursive only this popup ends when it is chosen.
  void SetReturnCommand(BOOL bReturn) { m_bReturnCommand = bReturn; }
  int GetReturnedCommand() const { return m_nReturnedCommand; }
  void SetRecursive(BOOL bRecursive) { m_bRecursive = bRecursive; }
  // Commands and notifications go to this window instead of the site.
  void SetOwnerWindow(CWnd* pOwner) { m_pOwnerWnd = pOwner; }

  BOOL IsExpanded() const { return m_bExpanded; }
  BOOL IsScrolling() const { return m_bScrolling; }
  int GetFirstVisibleIndex() const { return m_layout.m_nFirst; }
  int GetEndVisibleIndex() const { return m_layout.m_nEnd; }
  CRect GetScrollButtonRect(BOOL bUp) const;
  void SetShowShadow(BOOL bShow) { m_bShowShadow = bShow; }
  // A gripper strip at the top: dragged away, it tears the popup off into a
  // floating tool bar with the caption and bar id, nWidth wide.
  void SetTearOffPopup(const CString& strCaption, UINT nID, int nWidth);
  CRect GetGripperRect() const;
  BOOL IsGripperHot() const { return m_bGripperHot; }
  void SetBorders(const CRect& rc) { m_rcBorders = rc; }
  // The id (or with bIndex the index) of the first control without hide
  // flags; -1 when none.
  int GetFirstVisible(BOOL bIndex) const;
  // The placement flags further cascades inherit.
  DWORD GetPlacementFlags() const { return m_dwPlacement; }

  // Test seam: the work area a popup is placed in (null: its monitor's).
  static BOOL (*s_pfnWorkArea)(RECT& rcWork, const RECT& rcExclude);

  // ------------------------------------------------- CJVKCommandBar
  BOOL SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) override;
  int OnHookKeyDown(UINT nKey, LPARAM lParam) override;
  // Moves through the controls a collapsed popup shows.
  BOOL ProcessSpecialKey(int nCode) override;
  BOOL SetSelected(int nIndex, int nBy) override;
  void DrawCommandBar(CDC* pDC) override;
  void DelayLayout() override;

  // ------------------------------------------- CJVKControlParentBar
  CWnd* GetSite() override;
  CJVKControlParentBar* GetParentBar() override;
  BOOL Popup(CJVKControl* pOpener, BOOL bSelectFirst) override;
  BOOL IsReturningCommand() override { return m_bReturnCommand; }
  void SetReturnedCommand(int nID) override { m_nReturnedCommand = nID; }
  BOOL IsRecursive() override { return m_bRecursive; }
  CJVKControl* GetOpener() override { return m_pOpener; }
  BOOL ExecuteDefaultItem() override;
  BOOL HasHiddenRarelyUsed() override { return m_bHasHidden && !m_bExpanded; }
  void ExpandBar() override;
  CJVKControlParentBar* CloneBar(BOOL bRecursive) override;

 protected:
  ~CJVKPopupBar() override;

  // The anchor and placement flags for the opener's control.
  virtual void CalcAnchor(CJVKControl* pOpener);
  // Measures the controls (rarely used ones hidden) and places them.
  virtual CSize CalcPopupSize();
  // The window rectangle against the work area; sets the scrolling state.
  CRect PlacePopup(CSize sz);
  // Opens with the anchor set.
  BOOL Open(BOOL bSelectFirst);
  BOOL CreatePopupWindow();
  void RecalcRarelyUsed();
  // The shortcut manager's texts for the controls' commands.
  void UpdateShortcutTexts();
  void ScrollLayout(BOOL bFromFirst);
  void ApplyLayout();
  void UpdateShadows();
  void Animate();
  // The paint manager's growth animation of an expanded popup: bands of
  // the controls that were hidden (wasHidden, by index) grow, from the top
  // down or from the bottom up.
  void AnimateExpansion(const std::vector<BOOL>& wasHidden, BOOL bDownwards);
  int AnimationKind() const;
  void RemoveOwnShadows();
  CJVKControl* EnsureExpandButton();
  void OnScrollTimer(UINT_PTR nIDEvent);
  // Where the window of the site of the outermost bar is: the owner of
  // popups' notifications.
  CWnd* NotificationOwner();

  // The tear-off drag; the torn-off bar stays when the pointer was outside
  // at its end (released or Escape).
  void TrackTearOff();
  void TearOff();
  afx_msg void OnMouseMove(UINT nFlags, CPoint pt);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint pt);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnDestroy();
  afx_msg void OnCancelMode();
  afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM);
  DECLARE_MESSAGE_MAP()

  CJVKControl* m_pOpener = nullptr;
  int m_xAnchor = 0, m_yAnchor = 0;
  CRect m_rcExclude{0, 0, 0, 0};
  DWORD m_dwPlacement = 0;
  BOOL m_bInLayout = FALSE;
  BOOL m_bHasHidden = FALSE;
  BOOL m_bExpanded = FALSE;
  BOOL m_bExpanding = FALSE;
  BOOL m_bShowShadow = TRUE;
  CRect m_rcBorders{2, 4, 2, 4};
  BOOL m_bScrolling = FALSE;
  CJVKPopupLayout m_layout;
  std::vector<int> m_layoutIndex;  // the control of each layout entry
  UINT_PTR m_nScrollTimer = 0;
  int m_nLock = 0;
  BOOL m_bReturnCommand = FALSE;
  int m_nReturnedCommand = 0;
  BOOL m_bRecursive = FALSE;
  CWnd* m_pOwnerWnd = nullptr;
  BOOL m_bTearOff = FALSE;
  CString m_strTearOffCaption;
  UINT m_nTearOffId = 0;
  int m_nTearOffWidth = 0;
  BOOL m_bGripperHot = FALSE;
  BOOL m_bTearingOff = FALSE;
  CJVKToolBar* m_pTornOff = nullptr;  // while a tear-off drag runs
};

// Pumps the thread's messages while the popup tracks. The loop also ends
// on a WM_QUIT (posted again for the outer loop), on a failing GetMessage
// and when the popup is cancelled; the popup's tracking ends with it.
void JVKRunPopupLoop(CJVKPopupBar* pPopup);

// CJVKPopupToolBar: a popup laid out as a small tool bar (a grid of
// buttons, rows as wide as its remembered width); it never scrolls.
class CJVKPopupToolBar : public CJVKPopupBar {
  DECLARE_DYNCREATE(CJVKPopupToolBar)

 public:
  CJVKPopupToolBar();
  // A popup tool bar of the command bars (null: free-standing), with one
  // reference.
  static CJVKPopupToolBar* CreatePopupToolBar(CJVKControlCommandBars* pBars);

 protected:
  CSize CalcPopupSize() override;
};

// The flags of TrackPopupMenu that the popup takes.
const UINT JVK_TPM_RECURSE = 0x0001;
const UINT JVK_TPM_RIGHTALIGN = 0x0008;
const UINT JVK_TPM_RETURNCMD = 0x0100;

// Shows the menu as a popup bar of the command bars (null: free-standing)
// at x, y outside the exclusion rectangle and tracks it until it closes.
// With TPM_RETURNCMD the chosen command (0 for none), else TRUE; FALSE when
// the menu is missing or the popup cannot be shown. The loop also ends on a
// WM_QUIT (posted again for the outer loop), on a failing GetMessage and
// when the popup is cancelled (WM_CANCELMODE).
int JVKTrackPopupMenu(HMENU hMenu, UINT nFlags, int x, int y, CWnd* pOwner, const RECT* prcExclude,
                      CJVKControlCommandBars* pBars);
