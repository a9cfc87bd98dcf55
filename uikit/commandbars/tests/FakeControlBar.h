// A stand-in command bar and command-bars object for the control tests: a
// real top-level window that forwards presses to the control under the
// pointer, a site window that records what the controls send it, and
// counters of what the controls asked of them.
#pragma once

#include "Controls.h"

#include <functional>
#include <vector>

class CFakeCommandBars;

// The window that owns the command bars: records WM_COMMAND and the
// control notifications; answers the notification with m_lNotifyAnswer.
class CFakeSite {
 public:
  CFakeSite();
  ~CFakeSite();
  CFakeSite(const CFakeSite&) = delete;
  CFakeSite& operator=(const CFakeSite&) = delete;

  CWnd* Wnd() { return &m_wnd; }
  std::vector<UINT> m_commands;
  std::vector<UINT> m_notifyCodes;
  LRESULT m_lNotifyAnswer = 0;
  // Answers to menu import's requests (null: not handled).
  std::function<LRESULT(JVK_CREATE_CONTROL*)> m_onCreateControl;
  std::vector<CString> m_createdCaptions;

 private:
  static LRESULT CALLBACK Proc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
  CWnd m_wnd;
};

class CFakeControlBar : public CJVKControlParentBar {
 public:
  // A bar of the type; with bWindow a visible top-level window at the
  // screen rectangle.
  CFakeControlBar(int nType, CFakeCommandBars* pBars, CFakeSite* pSite);
  ~CFakeControlBar() override;
  CFakeControlBar(const CFakeControlBar&) = delete;
  CFakeControlBar& operator=(const CFakeControlBar&) = delete;

  void CreateWindowAt(const CRect& rcScreen);
  // Lays the controls out in one row from the origin.
  void LayOut();

  static LONG GetLiveCount();

  // CJVKPaintedBar
  int GetPosition() const override { return m_nType == jvkBarTypePopup ? jvkBarPopup : jvkBarTop; }
  int GetType() const override { return m_nType; }
  CString GetTitle() const override { return m_strTitle; }
  CRect GetClientRect() const override;
  CSize GetButtonSize() const override { return CSize(23, 22); }
  CSize GetIconSize() const override { return CSize(16, 16); }
  BOOL IsTextBelowIcons() const override { return FALSE; }
  BOOL AreKeyboardCuesVisible() const override { return TRUE; }
  BOOL IsRightToLeft() const override { return FALSE; }
  int GetControlCount() const override { return m_pControls->GetCount(); }
  CJVKPaintedControl* GetControl(int nIndex) const override { return m_pControls->GetAt(nIndex); }

  // CJVKControlParentBar
  void AddBarRef() override { ++m_nRef; }
  void ReleaseBarRef() override {
    if (--m_nRef == 0) delete this;
  }
  CWnd* GetBarWnd() override { return m_wnd.m_hWnd ? &m_wnd : nullptr; }
  BOOL IsBarVisible() override { return m_bVisible; }
  CJVKControls* GetControls() override { return m_pControls; }
  void SetTitle(const CString& strTitle) override { m_strTitle = strTitle; }
  CJVKControlCommandBars* GetCommandBars() override;
  CJVKControlParentBar* GetParentBar() override { return m_pParentBar; }
  CWnd* GetSite() override;
  CJVKPaintManager* GetOwnPaintManager() override { return nullptr; }
  CJVKImageManager* GetOwnImageManager() override { return nullptr; }
  BOOL SetSelected(int nIndex, int nBy) override;
  BOOL SetPopuped(int nIndex, BOOL bKeyboard) override;
  int GetTrackingMode() override { return m_nTracking; }
  void SetTrackingMode(int nMode) override;
  void SetLastPressed(int nIndex) override { m_nLastPressed = nIndex; }
  // A control that selects or deselects itself moves the bar's selection.
  void OnControlSelected(BOOL bSelected, CJVKControl* pControl) override {
    if (bSelected)
      m_nSelected = pControl->GetIndex();
    else if (m_nSelected == pControl->GetIndex())
      m_nSelected = -1;
  }
  void OnControlsChanged() override { ++m_nControlsChanged; }
  void DelayLayout() override { ++m_nLayoutRequests; }
  void Redraw() override {
    if (m_wnd.m_hWnd) m_wnd.Invalidate(FALSE);
  }
  void UpdateCommandUI() override;
  void KillTimer(UINT_PTR nIDEvent) override { m_killedTimers.push_back(nIDEvent); }
  int GetMRUWidth() override { return 0; }
  BOOL Popup(CJVKControl* pOpener, BOOL bSelectFirst) override;
  BOOL IsReturningCommand() override { return m_bReturnsCommand; }
  void SetReturnedCommand(int nID) override { m_nReturnedCommand = nID; }
  BOOL IsRecursive() override { return FALSE; }
  CJVKControl* GetOpener() override { return m_pOpener; }
  BOOL WantsPopupNotification() override { return FALSE; }
  BOOL ExecuteDefaultItem() override;
  BOOL HasHiddenRarelyUsed() override { return FALSE; }
  void ExpandBar() override {}
  CJVKControlParentBar* CloneBar(BOOL bRecursive) override;

  int m_nType;
  CString m_strTitle;
  CJVKControls* m_pControls;
  CFakeCommandBars* m_pBars;
  CFakeSite* m_pSite;
  CFakeControlBar* m_pParentBar = nullptr;
  CJVKControl* m_pOpener = nullptr;
  int m_nRef = 1;
  int m_nTracking = jvkTrackingOff;
  int m_nSelected = -1;
  int m_nPopuped = -1;
  int m_nLastPressed = -1;
  int m_nControlsChanged = 0;
  int m_nLayoutRequests = 0;
  int m_nUpdates = 0;
  BOOL m_bVisible = FALSE;
  BOOL m_bReturnsCommand = FALSE;
  int m_nReturnedCommand = 0;
  std::vector<UINT_PTR> m_killedTimers;
  std::vector<int> m_popupRequests;  // SetPopuped indexes, in order
  // The command-UI update target (null: none).
  CCmdTarget* m_pUpdateTarget = nullptr;
  // Presses the window has handled (counted after the control returned).
  int m_nButtonDowns = 0;
  // Called when a control is selected.
  std::function<void(int nIndex)> m_onSelect;

 private:
  static LRESULT CALLBACK Proc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
  CWnd m_wnd;
};

class CFakeCommandBars : public CJVKControlCommandBars {
 public:
  explicit CFakeCommandBars(CFakeSite* pSite) : m_pSite(pSite) {}
  CWnd* GetSite() override { return m_pSite ? m_pSite->Wnd() : nullptr; }
  CJVKPaintManager* GetPaintManager() override { return nullptr; }
  CJVKImageManager* GetImageManager() override { return nullptr; }
  BOOL IsCustomizeMode() override { return m_bCustomize; }
  CJVKControl* GetCustomizeSelection() override { return m_pCustomizeSelection; }
  void SetCustomizeSelection(CJVKControl* pControl) override { m_pCustomizeSelection = pControl; }
  int CustomizeDrag(CJVKControl*) override { return m_nDropEffect; }
  void AddUsedCommand(int nID) override { m_usedCommands.push_back(nID); }
  void ClosePopups() override { ++m_nClosePopups; }
  CJVKControlParentBar* CreatePopupBar() override { return new CFakeControlBar(jvkBarTypePopup, this, m_pSite); }
  void NotifyPopupShown(CJVKControl*) override {}

  CFakeSite* m_pSite;
  BOOL m_bCustomize = FALSE;
  CJVKControl* m_pCustomizeSelection = nullptr;
  int m_nDropEffect = 1;
  std::vector<int> m_usedCommands;
  int m_nClosePopups = 0;
};
