// CJVKCommandBars: the one object that owns every command bar of a frame
// window (its site): the bar list, the options, the keyboard-shortcut
// manager and a tooltip context, optionally its own paint and image
// managers. The frame template (CommandBarsFrame.h) creates it, hands it
// the frame's messages and key strokes, and releases it with the frame.
//
// Bars take their room in the site's layout through WM_SIZEPARENT, docked
// at the top in the order they were added.
//
// Reference counted (the CCmdTarget count): the last InternalRelease
// destroys it, releasing every bar it holds.
#pragma once

#include "CommandBarsOptions.h"
#include "ControlOwners.h"
#include "SiteMessages.h"

#include <Framework.h>

class CJVKCommandBar;
class CJVKControl;
class CJVKDockBar;
class CJVKMenuBar;
class CJVKMouseManager;
class CJVKReBar;
class CJVKShortcutManager;
class CJVKToolBar;
class CJVKToolTipContext;

class CJVKCommandBars : public CCmdTarget,
                        public CJVKControlCommandBars,
                        public CJVKCommandBarsOptionsOwner {
  DECLARE_DYNCREATE(CJVKCommandBars)

 public:
  CJVKCommandBars();
  CJVKCommandBars(const CJVKCommandBars&) = delete;
  CJVKCommandBars& operator=(const CJVKCommandBars&) = delete;

  // --------------------------------------------------------- adaptive menus
  // In the hidden commands and not used since.
  virtual BOOL IsCommandHidden(UINT nID);
  // A hidden command, or (with "AutoHideUnusedPopups") a popup whose every
  // control is hidden; a popup without controls is never hidden.
  virtual BOOL IsControlHidden(CJVKControl* pControl);
  // The menu resource the menu bar shows.
  virtual UINT GetActiveMenuId() { return m_nIDMenu; }
  // A bar entered (TRUE) or left tracking.
  void OnTrackingModeChanged(CJVKCommandBar* pBar, BOOL bMode) override;
  void SetCommandUsed(UINT nID);
  void ResetUsageData() { m_pOptions->m_mapUsedCommands.RemoveAll(); }

  // ------------------------------------------------------------------ bars
  // Stores the site and asks it (through its command routing) whether it
  // handles "&Customize..." (35001).
  void SetSite(CWnd* pSite);
  // A new tool bar (pClass: a class derived from CJVKToolBar; null: the tool
  // bar itself) with the caption, at the position (0 to 3 docked top,
  // bottom, left, right; 4 floating), appended to the list with this
  // object's reference. Null when it cannot be created.
  CJVKToolBar* Add(LPCTSTR pszCaption, int nPosition, CRuntimeClass* pClass = nullptr);
  // The menu bar (pClass: a class derived from CJVKMenuBar) with the
  // caption, docked at the top, built from the menu resource; it takes the
  // frame's menu away. Appended to the list and remembered as the menu bar;
  // null when it cannot be made or the menu does not load.
  CJVKMenuBar* SetMenu(LPCTSTR pszCaption, UINT nIDMenu, CRuntimeClass* pClass = nullptr);
  CJVKMenuBar* GetMenuBar() const { return m_pMenuBar; }
  // Hides the bar, takes it out of its dock bar, the site's rebar and the
  // list, releases it and lays the frame out again.
  void Remove(CJVKCommandBar* pBar) override;
  // When the site holds a CJVKReBar with the framework's rebar id, the bar
  // gets a band of its own there (starting a new line, with a gripper), or
  // loses its band. FALSE when there is no such rebar or no band is added.
  virtual BOOL AddToReBar(CJVKToolBar* pBar);
  virtual void RemoveFromReBar(CJVKToolBar* pBar);
  int GetCount() const { return static_cast<int>(m_bars.GetSize()); }
  // Null outside 0..count-1.
  CJVKCommandBar* GetAt(int nIndex) const;
  CJVKCommandBar* FindCommandBar(UINT nBarID) const;
  int IndexOf(CJVKCommandBar* pBar) const;
  void ToggleVisible(int nIndex);
  // The next visible bar from nIndex in the direction (+1 or -1), wrapping
  // once past the end; -1 when none.
  int GetNextVisible(int nIndex, int nDirection) const;
  // Direction 0: the bar itself; else (with two bars or more) the next
  // visible bar that way tracks, with its first selectable control selected
  // by keyboard and tracked popups closed. FALSE for no bar or no other
  // visible bar.
  BOOL ActivateBar(CJVKCommandBar* pBar, int nDirection) override;

  // -------------------------------------------------------------- docking
  // Creates the four dock bars in the site (top, bottom, left, right);
  // raises the framework's resource exception when one cannot be made.
  void EnableDocking();
  // 0 top, 1 bottom, 2 left, 3 right; null before EnableDocking.
  CJVKDockBar* GetDockBar(int nSide) const;
  // The dock bar for a drag at the screen point: the current one while the
  // point lies inside its window grown by 20 pixels, else the first such.
  CJVKDockBar* FindDockBar(CPoint ptScreen, CJVKDockBar* pCurrent) const;
  // Docks the bar into the dock bar (at the screen rectangle when given).
  BOOL DockCommandBar(CJVKToolBar* pBar, const CRect* prcScreen, CJVKDockBar* pDockBar);
  BOOL DockCommandBar(CJVKToolBar* pBar, int nSide);
  // Takes the bar out of its dock bar and floats it.
  BOOL FloatCommandBar(CJVKToolBar* pBar);
  BOOL PlaceDockedBar(CJVKCommandBar* pBar, int nSide) override;

  // --------------------------------------------------------------- layout
  // Unless locked: the frame lays out at once, or at the next idle time.
  void RecalcFrameLayout(BOOL bDelay = FALSE) override;
  // Carries out a delayed layout of the frame.
  void IdleRecalcLayout();
  // Every visible bar lays itself out again, then the frame at once.
  void RedrawCommandBars();
  void InvalidateCommandBars();

  // ------------------------------------------------------------ customize
  BOOL IsCustomizeAvailable() const override { return m_bCustomizeAvail; }
  void SetCustomizeMode(BOOL bMode);
  void SetQuickCustomizeMode(BOOL bMode);
  // Replaces the dragged control and tells the site.
  void SetDragControl(CJVKControl* pControl);
  CJVKControl* GetDragControl() const { return m_pDragControl; }

  // --------------------------------------------------------- keyboard cues
  void SetKeyboardCuesShown(BOOL bShown);
  BOOL IsKeyboardCuesShown() const { return m_bKeyboardCuesShown; }
  BOOL IsKeyboardCuesOnAlt() const { return m_bKeyboardCuesOnAlt; }
  // The cues flag of the command bars the bar belongs to; TRUE without.
  static BOOL AreKeyboardCuesShown(CJVKCommandBar* pBar);

  // Alt+letter: selects by keyboard the control whose caption marks the key
  // (an "&" first; without one, its first character on a menu bar or a
  // tracking bar), walking from the selected control of the tracking bar
  // (else the first visible bar) through the visible bars; a unique match
  // is activated. FALSE when no control matches.
  BOOL ActivateMnemonic(UINT nVirtKey);
  // A tracking tool bar's letter key: the same search.
  BOOL ActivateMnemonic(TCHAR chKey, UINT nVirtKey) override;

  // ----------------------------------------------------- the frame's part
  // The frame's messages before its own handling; TRUE: consumed.
  BOOL OnFrameWndMsg(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // Key strokes before the frame's pre-translation; TRUE: consumed.
  BOOL PreTranslateFrameMessage(MSG* pMsg);

  CJVKCommandBarsOptions* GetCommandBarsOptions() const { return m_pOptions; }
  CJVKShortcutManager* GetShortcutManager() const { return m_pShortcutManager; }
  CJVKToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }
  CJVKMouseManager* GetMouseManager();
  // Own managers (null: the process-wide ones); one reference is held.
  void SetPaintManager(CJVKPaintManager* pPaintManager);
  void SetImageManager(CJVKImageManager* pImageManager);

  // --------------------------------------------- CJVKControlCommandBars
  CWnd* GetSite() override { return m_pSite; }
  CJVKPaintManager* GetPaintManager() override;
  CJVKImageManager* GetImageManager() override;
  BOOL IsCustomizeMode() override { return m_bCustomizeMode; }
  CJVKControl* GetCustomizeSelection() override { return m_pDragControl; }
  void SetCustomizeSelection(CJVKControl* pControl) override { SetDragControl(pControl); }
  // The customize sheet's drag and drop is not part of this object.
  int CustomizeDrag(CJVKControl*) override { return 0; }
  void AddUsedCommand(int nID) override { SetCommandUsed(static_cast<UINT>(nID)); }
  void ClosePopups() override;
  // A new popup bar of these command bars, with one reference.
  CJVKControlParentBar* CreatePopupBar() override;
  // A hidden command, or a popup of nothing but hidden commands.
  BOOL IsControlRarelyUsed(CJVKControl* pControl) override { return IsControlHidden(pControl); }
  // Not in customize mode: a popup the site fills on JVK_WM_BARS_CONTEXT_MENU
  // (wParam the bar clicked, lParam the popup) shows at the point while
  // the thread's messages are pumped (JVKRunPopupLoop); nothing shows when
  // it stays empty. The list of the tool bars is the tool-bars control's.
  void ShowBarsContextMenu(CJVKCommandBar* pBar, CPoint ptScreen) override;
  // From the shortcut manager, while the options ask for automatic texts.
  BOOL FindShortcutText(int nID, CString& strText) override;
  // Shows the menu as a popup bar of these command bars and tracks it until
  // it closes (JVKTrackPopupMenu).
  static int TrackPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pOwner, const RECT* prcExclude = nullptr,
                            CJVKCommandBars* pBars = nullptr);
  void NotifyPopupShown(CJVKControl* pControl) override;
  // The bars' view of the options.
  JVK_BAR_OPTIONS GetBarOptions() const override;

  // --------------------------------------- CJVKCommandBarsOptionsOwner
  CJVKIconsOptions* GetIconsOptions() override;
  void OnKeyboardCuesShowChanged(LONG nShow) override;

 protected:
  ~CJVKCommandBars() override;
  // Refreshes colours, pictures and metrics after a system change, then
  // lays out and redraws the frame.
  void OnSystemChange(BOOL bColors);
  // The site's child with the framework's rebar id when it is a CJVKReBar.
  CJVKReBar* GetSiteReBar() const;

  // Test seam: whether Windows hides keyboard cues (SPI_GETKEYBOARDCUES).
  virtual BOOL AreSystemKeyboardCuesHidden();

  BOOL m_bIgnoreShiftMenuKey = FALSE;
  CJVKPaintManager* m_pPaintManager = nullptr;
  CJVKImageManager* m_pImageManager = nullptr;
  CJVKControl* m_pDragControl = nullptr;
  BOOL m_bCustomizeMode = FALSE;
  BOOL m_bCustomizeAvail = FALSE;
  UINT m_nIDMenu = 0;
  BOOL m_bQuickCustomizeMode = FALSE;
  CJVKCommandBarsOptions* m_pOptions;
  CArray<CJVKCommandBar*, CJVKCommandBar*> m_bars;
  CWnd* m_pSite = nullptr;
  CJVKMenuBar* m_pMenuBar = nullptr;  // in the list
  CJVKDockBar* m_pDockBars[4] = {};    // owned
  CJVKToolTipContext* m_pToolTipContext;
  CJVKMouseManager* m_pMouseManager = nullptr;
  BOOL m_bKeyboardCuesShown = TRUE;
  CJVKShortcutManager* m_pShortcutManager;
  BOOL m_bLockLayout = FALSE;
  BOOL m_bKeyboardCuesOnAlt = FALSE;
};
