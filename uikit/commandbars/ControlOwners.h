// What a control asks of the bar that holds it and of the command-bars
// object above the bars: selection, tracking, popups, redraws, the site
// window and the used-commands list. The command bars implement these; the
// controls reach no further into them.
#pragma once

#include "PaintedObjects.h"

#include <Framework.h>

#include <oleacc.h>

class CJVKControl;
class CJVKControls;
class CJVKControlCommandBars;
class CJVKImageManager;
class CJVKPaintManager;

// Tracking modes of a bar.
enum JVKTrackingMode {
  jvkTrackingOff = 0,
  jvkTracking = 1,
  jvkTrackingPopups = 2,  // set when the bar opens a control's popup
};

// The timer of a popup bar's automatic submenu opening.
const UINT_PTR JVK_TIMER_HOVER = 112223;

class CJVKControlParentBar : public CJVKPaintedBar {
 public:
  // The bar is reference counted: a popup control holds its popup bar.
  virtual void AddBarRef() = 0;
  virtual void ReleaseBarRef() = 0;

  // Null while the bar has no window.
  virtual CWnd* GetBarWnd() = 0;
  virtual BOOL IsBarVisible() = 0;
  virtual CJVKControls* GetControls() = 0;
  virtual void SetTitle(const CString& strTitle) = 0;
  // Null for a bar outside any command bars.
  virtual CJVKControlCommandBars* GetCommandBars() = 0;
  // A popup bar: the bar of the control that opened it; null at the top.
  virtual CJVKControlParentBar* GetParentBar() = 0;
  // The window that owns the command bars; null when there is none.
  virtual CWnd* GetSite() = 0;
  // Null: the command bars' (else the process-wide) manager.
  virtual CJVKPaintManager* GetOwnPaintManager() = 0;
  virtual CJVKImageManager* GetOwnImageManager() = 0;

  // Selection by index (-1 none); bKeyboard 2 selects as the keyboard does.
  virtual BOOL SetSelected(int nIndex, int nBy) = 0;
  // Opens the popup of the control at the index (-1 closes the open one).
  virtual BOOL SetPopuped(int nIndex, BOOL bKeyboard) = 0;
  virtual int GetTrackingMode() = 0;
  virtual void SetTrackingMode(int nMode) = 0;
  // The control pressed last (after a tool-bar click).
  virtual void SetLastPressed(int nIndex) = 0;
  virtual void OnControlSelected(BOOL bSelected, CJVKControl* pControl) = 0;
  virtual void OnControlsChanged() = 0;
  virtual void DelayLayout() = 0;
  virtual void Redraw() = 0;
  // The bar's command-UI update of its controls.
  virtual void UpdateCommandUI() = 0;
  virtual void KillTimer(UINT_PTR nIDEvent) = 0;
  // The width the bar remembers for its best-fit layout (0: none).
  virtual int GetMRUWidth() = 0;

  // Popup bars.
  // Pops up below or beside the control; bSelectFirst selects its first
  // item. FALSE when it cannot.
  virtual BOOL Popup(CJVKControl* pOpener, BOOL bSelectFirst) = 0;
  // Opened to return the chosen command instead of executing it.
  virtual BOOL IsReturningCommand() = 0;
  virtual void SetReturnedCommand(int nID) = 0;
  // Opened with TPM_RECURSE: only this popup leaves tracking.
  virtual BOOL IsRecursive() = 0;
  // The control whose popup this bar is; null at the top.
  virtual CJVKControl* GetOpener() = 0;
  // Tells the command bars' popup notifier when it opens.
  virtual BOOL WantsPopupNotification() = 0;
  // Executes the first visible default item; FALSE when there is none.
  virtual BOOL ExecuteDefaultItem() = 0;
  // Hidden rarely used commands that an expansion would show.
  virtual BOOL HasHiddenRarelyUsed() = 0;
  virtual void ExpandBar() = 0;
  // A copy of the bar (controls cloned recursively or not), with one reference.
  virtual CJVKControlParentBar* CloneBar(BOOL bRecursive) = 0;
  // The bar's accessible object (no reference added); null without one.
  virtual IAccessible* GetBarAccessible() { return nullptr; }
};

// The options of the command bars that bars read; the defaults are the
// options' creation values.
struct JVK_BAR_OPTIONS {
  BOOL bShowFullAfterDelay = TRUE;
  BOOL bToolBarScreenTips = TRUE;
  BOOL bToolBarAccelTips = FALSE;
  BOOL bLargeIcons = FALSE;
  BOOL bSyncFloatingBars = TRUE;
  BOOL bShowExpandButtonAlways = TRUE;
  BOOL bShowTextBelowIcons = FALSE;
  BOOL bAltDragCustomization = TRUE;
  BOOL bShowStatusDescriptions = TRUE;
  CSize szIcons{0, 0};       // 0 x 0: 16 x 16
  CSize szLargeIcons{0, 0};  // 0 x 0: twice the icon size
  CSize szPopupIcons{16, 16};
  BOOL bAlwaysShowFullMenus = TRUE;
  LONG nAnimation = 0;  // 0 the system's, 1 random, 2 unfold, 3 slide, 4 fade, 5 none
};

class CJVKCommandBar;

class CJVKControlCommandBars {
 public:
  virtual ~CJVKControlCommandBars() = default;
  virtual CWnd* GetSite() = 0;
  virtual CJVKPaintManager* GetPaintManager() = 0;
  virtual CJVKImageManager* GetImageManager() = 0;
  virtual BOOL IsCustomizeMode() = 0;
  virtual CJVKControl* GetCustomizeSelection() = 0;
  virtual void SetCustomizeSelection(CJVKControl* pControl) = 0;
  // The customize drag with the control as its source; the drop effect
  // (0 none, 1 copy, 2 move).
  virtual int CustomizeDrag(CJVKControl* pControl) = 0;
  virtual void AddUsedCommand(int nID) = 0;
  // Closes every tracked popup.
  virtual void ClosePopups() = 0;
  // A new empty popup bar with one reference.
  virtual CJVKControlParentBar* CreatePopupBar() = 0;
  virtual void NotifyPopupShown(CJVKControl* pControl) = 0;

  // What the bars ask of the object that holds them; each has the answer of
  // an object that does nothing.
  virtual JVK_BAR_OPTIONS GetBarOptions() const { return JVK_BAR_OPTIONS(); }
  // The site handles "&Customize..." (35001).
  virtual BOOL IsCustomizeAvailable() const { return FALSE; }
  // Unless locked: the site lays its bars out at once, or at idle time.
  virtual void RecalcFrameLayout(BOOL /*bDelay*/) {}
  // Hides the bar, takes it out of the list and releases the list's
  // reference.
  virtual void Remove(CJVKCommandBar* /*pBar*/) {}
  // A bar entered (TRUE) or left tracking.
  virtual void OnTrackingModeChanged(CJVKCommandBar* /*pBar*/, BOOL /*bMode*/) {}
  // Alt+letter over the bars (the tool bars' own search comes after it);
  // TRUE when a control was found.
  virtual BOOL ActivateMnemonic(TCHAR /*chKey*/, UINT /*nVirtKey*/) { return FALSE; }
  // Ctrl+Tab: the next (or previous) visible bar tracks; FALSE when none.
  virtual BOOL ActivateBar(CJVKCommandBar* /*pBar*/, int /*nDirection*/) { return FALSE; }
  // Puts a docked bar into the dock bar of the side (0 top to 3 right) as
  // a new last row; FALSE without dock bars (the bar then takes its room in
  // the site's layout itself).
  virtual BOOL PlaceDockedBar(CJVKCommandBar* /*pBar*/, int /*nSide*/) { return FALSE; }
  // The context menu of the bar area at the screen point (a right click on
  // a dock bar or a bar).
  virtual void ShowBarsContextMenu(CJVKCommandBar* /*pBar*/, CPoint /*ptScreen*/) {}
  // The shortcut text of a command for a popup's automatic shortcut texts;
  // FALSE when there is none or the option is off.
  virtual BOOL FindShortcutText(int /*nID*/, CString& /*strText*/) { return FALSE; }
  // A rarely used control, which a collapsed popup hides.
  virtual BOOL IsControlRarelyUsed(CJVKControl* /*pControl*/) { return FALSE; }
};
