// CJVKCommandBar: the window every bar is. It owns a control collection,
// draws itself through the paint manager into a memory DC, forwards mouse
// presses and hovers to its controls, keeps the selection and the open
// popup, tells the site which control is selected (and the status bar its
// description), and updates its controls on idle through CCmdUI.
//
// While it tracks (keyboard mode), the bar takes the thread's key presses
// through the keyboard manager (arrows, Tab, Enter, Esc, mnemonics) and the
// thread's mouse manager ends its tracking on a click elsewhere.
//
// A bar is reference counted (a popup control holds its popup bar); the
// last release destroys the window and the bar. Every dispatch that may run
// a command holds a reference, so a command that releases the bar (a close
// button hiding a torn-off bar) finishes on a live object. A bar may live without any
// command-bars object: its site is then its owner window (CWnd::SetOwner),
// or its parent.
#pragma once

#include "Controls.h"

#include <HookClient.h>
#include <TrackedBar.h>

#include <vector>

class CJVKPaintManager;

// Sent to the site when a control is selected (wParam the control) or the
// selection is cleared (wParam 0).
const UINT JVK_WM_CONTROL_SELECTED = WM_USER + 305;

class CJVKCommandBar : public CWnd,
                       public CJVKControlParentBar,
                       public CJVKHookClient,
                       public CJVKTrackedBar {
 public:
  CJVKCommandBar();
  CJVKCommandBar(const CJVKCommandBar&) = delete;
  CJVKCommandBar& operator=(const CJVKCommandBar&) = delete;

  static LONG GetLiveCount();

  // Null without a command-bars object.
  void SetCommandBars(CJVKControlCommandBars* pBars);
  void SetPaintManager(CJVKPaintManager* pPaintManager) { m_pPaintManager = pPaintManager; }
  void SetImageManager(CJVKImageManager* pImageManager) { m_pImageManager = pImageManager; }
  CJVKPaintManager* GetPaintManager() const;
  void SetIconSize(CSize sz) { m_szIcon = sz; }
  void SetButtonSize(CSize sz) { m_szButton = sz; }
  int GetSelectedIndex() const { return m_nSelected; }
  int GetPopupedIndex() const { return m_nPopuped; }
  DWORD GetBarStyle() const { return m_dwStyle; }
  virtual BOOL IsCustomizable() const { return m_bCustomizable; }
  void SetCustomizable(BOOL bCustomizable) { m_bCustomizable = bCustomizable; }
  UINT GetBarID() const { return m_nBarID; }
  void SetBarID(UINT nID) { m_nBarID = nID; }
  // A popup opened from this bar animates once (a mouse opening).
  BOOL IsAnimatingPopups() const { return m_bAnimatePopups; }
  void SetAnimatePopups(BOOL bAnimate) { m_bAnimatePopups = bAnimate; }
  void SetMRUWidth(int nWidth) { m_nMRUWidth = nWidth; }
  void ModifyBarStyle(DWORD dwRemove, DWORD dwAdd) { m_dwStyle = (m_dwStyle & ~dwRemove) | dwAdd; }

  // Marks the bar for a redraw at the next idle update.
  virtual void DelayRedraw() { m_dwPending |= kRedrawPending; }
  // Turning off closes the open popup and clears the selection; FALSE when
  // only the mode value changed.
  virtual BOOL SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard);
  // A key press while the bar tracks: JVK_HOOK_HANDLED (swallowed) or
  // JVK_HOOK_STOP (the focused window gets it).
  virtual int OnHookKeyDown(UINT nKey, LPARAM lParam);
  // Keyboard moves: 0 next, 1 previous, 2 collapse (or the row above on a
  // floating bar), 3 expand (or the row below), 4 leave, 5 press, 6 first,
  // 7 last. FALSE when nothing was done.
  virtual BOOL ProcessSpecialKey(int nCode);
  // The bar's own search for the key's mnemonic from the selection onward:
  // selects the match by keyboard and carries it out when it is the only
  // one. FALSE when nothing matches.
  BOOL ActivateOwnMnemonic(UINT nVirtKey);

  // Customize drag and drop over the bar, in client coordinates: the drop
  // mark follows the pointer; a drop inserts a copy of the dragged control
  // where the mark shows and answers the drop effect for the source (5 when
  // the control was dropped on its own place: the source keeps it).
  virtual void OnCustomizeDragEnter(CJVKControl* pDragged, CPoint pt);
  virtual void OnCustomizeDragLeave();
  virtual void OnCustomizeDragOver(CJVKControl* pDragged, CPoint pt);
  virtual int OnCustomizeDrop(CJVKControl* pDragged, CPoint pt, int nEffect);
  // Empty while no drag is over the bar.
  CRect GetDropMark() const { return m_rcDropMark; }
  virtual void SetVisible(BOOL bVisible);
  virtual BOOL IsVisible() const { return m_bVisible; }
  virtual BOOL SetPosition(int nPosition);
  virtual void DrawCommandBar(CDC* pDC);
  // Resets pressed controls, updates every control that is not manual
  // through the site's update handlers, then carries out a pending redraw
  // and layout.
  virtual void OnIdleUpdateCmdUI(BOOL bDisableIfNoHandler);
  // The screen tip of the visible control under the point: its id, with
  // its rectangle; -1 when none applies (a control without a tip, a bar
  // whose popup is open).
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

  // ---------------------------------------------------- CJVKPaintedBar
  using CWnd::GetClientRect;
  int GetPosition() const override { return m_nPosition; }
  int GetType() const override { return m_nType; }
  CString GetTitle() const override { return m_strTitle; }
  CRect GetClientRect() const override;
  CSize GetButtonSize() const override;
  // A popup bar uses its own size, else the options' popup size; any other
  // bar its own, else the options', else 16 x 16; large icons replace it
  // unless the bar has an explicit button size.
  CSize GetIconSize() const override;
  BOOL IsTextBelowIcons() const override;
  BOOL AreKeyboardCuesVisible() const override { return TRUE; }
  BOOL IsRightToLeft() const override;
  int GetControlCount() const override { return m_pControls->GetCount(); }
  CJVKPaintedControl* GetControl(int nIndex) const override { return m_pControls->GetAt(nIndex); }

  // ---------------------------------------------- CJVKControlParentBar
  void AddBarRef() override { ++m_nRef; }
  void ReleaseBarRef() override;
  CWnd* GetBarWnd() override { return m_hWnd ? this : nullptr; }
  BOOL IsBarVisible() override { return IsVisible(); }
  CJVKControls* GetControls() override { return m_pControls; }
  void SetTitle(const CString& strTitle) override { m_strTitle = strTitle; }
  CJVKControlCommandBars* GetCommandBars() override { return m_pCommandBars; }
  CJVKControlParentBar* GetParentBar() override { return nullptr; }
  CWnd* GetSite() override;
  CJVKPaintManager* GetOwnPaintManager() override { return m_pPaintManager; }
  CJVKImageManager* GetOwnImageManager() override { return m_pImageManager; }
  BOOL SetSelected(int nIndex, int nBy) override;
  BOOL SetPopuped(int nIndex, BOOL bKeyboard) override;
  int GetTrackingMode() override { return m_nTracking; }
  void SetTrackingMode(int nMode) override { SetTrackingMode(nMode, nMode == jvkTrackingOff, FALSE); }
  void SetLastPressed(int) override {}
  void OnControlSelected(BOOL bSelected, CJVKControl* pControl) override;
  void OnControlsChanged() override { DelayLayout(); }
  // Marks the layout pending for the idle update; bars that lay their
  // controls out themselves override it.
  void DelayLayout() override { m_dwPending |= kLayoutPending; }
  void Redraw() override;
  void UpdateCommandUI() override { OnIdleUpdateCmdUI(FALSE); }
  void KillTimer(UINT_PTR nIDEvent) override { CWnd::KillTimer(nIDEvent); }
  int GetMRUWidth() override { return m_nMRUWidth; }
  BOOL Popup(CJVKControl*, BOOL) override { return FALSE; }
  BOOL IsReturningCommand() override { return FALSE; }
  void SetReturnedCommand(int) override {}
  BOOL IsRecursive() override { return FALSE; }
  CJVKControl* GetOpener() override { return nullptr; }
  BOOL WantsPopupNotification() override { return FALSE; }
  BOOL ExecuteDefaultItem() override { return FALSE; }
  BOOL HasHiddenRarelyUsed() override { return FALSE; }
  void ExpandBar() override {}
  CJVKControlParentBar* CloneBar(BOOL) override { return nullptr; }

  // --------------------------------------------------- CJVKHookClient
  // The keyboard manager's key presses while the bar tracks.
  int HandleHookedMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

  // --------------------------------------------------- CJVKTrackedBar
  HWND GetTrackedBarWindow() const override { return m_hWnd; }
  int HitTestTrackedBar(POINT ptScreen) override;
  void EndTracking() override { SetTrackingMode(jvkTrackingOff, TRUE, FALSE); }
  void LeaveTrackingMode() override { SetTrackingMode(jvkTrackingOff, TRUE, FALSE); }
  void OnHookedClick(UINT nMessage, POINT ptClient) override;

 protected:
  ~CJVKCommandBar() override;

  enum : DWORD { kLayoutPending = 0x01, kRedrawPending = 0x02 };

  // The control under the client point that is not hidden, and its index.
  CJVKControl* HitTestControl(CPoint pt) const;
  // Tells the site of the command bars that the bar was shown or hidden.
  void NotifyVisibilityChanged();
  // Horizontal bars: top, bottom, floating, and popups of tool-bar type.
  BOOL IsHorizontalBar() const;
  // A key's code for ProcessSpecialKey by the bar's orientation; -1 for
  // other keys.
  int ArrowKeyCode(UINT nKey) const;
  // Floating bars: the control of the next row up (nStep -1) or down whose
  // left edge is nearest the selection's; -1 when none.
  int FindControlInNextRow(int nStep) const;
  // Vertical bars: docked left or right, and popup bars.
  BOOL IsVerticalForDrop() const;
  // The inverted strip of the drop mark.
  void DrawDropMark(CDC* pDC);
  // The controls from the selection onward that take part in a mnemonic
  // search, in walk order.
  std::vector<int> MnemonicWalk() const;

  LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override;
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  // Draws the bar into the device context of WM_PRINTCLIENT.
  afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint pt);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint pt);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint pt);
  afx_msg void OnRButtonUp(UINT nFlags, CPoint pt);
  afx_msg void OnMouseMove(UINT nFlags, CPoint pt);
  afx_msg LRESULT OnMouseLeave(WPARAM, LPARAM);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnDestroy();
  afx_msg LRESULT OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM);
  DECLARE_MESSAGE_MAP()

  int m_nSelected = -1;
  int m_nPopuped = -1;
  BOOL m_bKeyboardSelection = FALSE;
  UINT m_nBarID = 0;
  BOOL m_bVisible = TRUE;
  int m_nTracking = jvkTrackingOff;
  DWORD m_dwPending = 0;
  DWORD m_dwDockingFlags = 0;
  DWORD m_dwStyle = 0;
  CString m_strTitle;
  int m_nType = jvkBarTypeToolBar;
  CJVKControls* m_pControls;
  int m_nPosition = jvkBarNone;
  CJVKControlCommandBars* m_pCommandBars = nullptr;
  CSize m_szButton{0, 0};
  CSize m_szIcon{0, 0};
  int m_nTextBelowIcons = 2;  // 2: follow the options
  int m_nMRUWidth = 32767;
  BOOL m_bCustomizable = TRUE;
  CJVKPaintManager* m_pPaintManager = nullptr;
  CJVKImageManager* m_pImageManager = nullptr;
  int m_nLastStatusId = -1;
  int m_nRedrawLock = 0;
  BOOL m_bTrackingLeave = FALSE;
  BOOL m_bAnimatePopups = FALSE;
  HWND m_hWndFocusBeforeTracking = nullptr;
  CRect m_rcDropMark{0, 0, 0, 0};
  BOOL m_bDropMarkVertical = FALSE;
  CPoint m_ptDragStart{0, 0};

 private:
  LONG m_nRef = 1;  // 0 while the bar is being deleted
};
