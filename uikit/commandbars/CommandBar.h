// CJVKCommandBar: the window every bar is. It owns a control collection,
// draws itself through the paint manager into a memory DC, forwards mouse
// presses and hovers to its controls, keeps the selection and the open
// popup, tells the site which control is selected (and the status bar its
// description), and updates its controls on idle through CCmdUI.
//
// A bar is reference counted (a popup control holds its popup bar); the
// last release destroys the window and the bar. A bar may live without any
// command-bars object: its site is then its owner window (CWnd::SetOwner),
// or its parent.
#pragma once

#include "Controls.h"

class CJVKPaintManager;

// Sent to the site when a control is selected (wParam the control) or the
// selection is cleared (wParam 0).
const UINT JVK_WM_CONTROL_SELECTED = WM_USER + 305;

class CJVKCommandBar : public CWnd, public CJVKControlParentBar {
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
  UINT GetBarID() const { return m_nBarID; }

  // Marks the bar for a redraw at the next idle update.
  virtual void DelayRedraw() { m_dwPending |= kRedrawPending; }
  // Turning off closes the open popup and clears the selection; FALSE when
  // only the mode value changed.
  virtual BOOL SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard);
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
  CSize GetIconSize() const override;
  BOOL IsTextBelowIcons() const override { return m_nTextBelowIcons == 1; }
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
  void SetTrackingMode(int nMode) override { SetTrackingMode(nMode, FALSE, FALSE); }
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

 protected:
  ~CJVKCommandBar() override;

  enum : DWORD { kLayoutPending = 0x01, kRedrawPending = 0x02 };

  // The control under the client point that is not hidden, and its index.
  CJVKControl* HitTestControl(CPoint pt) const;

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
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

 private:
  LONG m_nRef = 1;
};
