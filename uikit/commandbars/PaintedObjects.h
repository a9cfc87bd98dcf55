// What the paint manager reads of the things it draws. Controls, bars, dock
// bars, status bars and their panes implement these interfaces, so that the
// paint manager and the drawn classes can grow apart: the paint manager
// never reaches further into them than this.
#pragma once

#include "CommandBarTypes.h"

#include <Framework.h>

class CJVKImageManagerIcon;
class CJVKPaintedBar;

// One item of a command bar.
class CJVKPaintedControl {
 public:
  virtual ~CJVKPaintedControl() = default;

  virtual int GetType() const = 0;
  // The custom caption when not empty, else the caption ('&' markers kept).
  virtual CString GetCaption() const = 0;
  virtual CString GetShortcutText() const = 0;
  // Custom icon id, else the icon id when positive, else the command id.
  virtual int GetIconId() const = 0;
  // The effective style (custom style when non-zero).
  virtual int GetStyle() const = 0;
  virtual BOOL IsCaptionVisible() const = 0;
  virtual BOOL GetEnabled() const = 0;
  virtual BOOL GetChecked() const = 0;
  // 0 no, 1 by the mouse, 2 by the keyboard.
  virtual int GetSelected() const = 0;
  // 1 held down, 2 executed and not yet updated.
  virtual int GetPressed() const = 0;
  // The control's popup bar is open.
  virtual BOOL GetPopuped() const = 0;
  virtual BOOL GetBeginGroup() const = 0;
  // The layout put the control at the start of a new row (column).
  virtual BOOL GetWrap() const = 0;
  virtual DWORD GetHideFlags() const = 0;
  // Drawn in the bold font (the default item of its popup).
  virtual BOOL IsDefaultItem() const = 0;
  // A rarely used command that became visible when its popup expanded.
  virtual BOOL IsExpandedHidden() const = 0;
  // In the parent bar's client coordinates.
  virtual CRect GetRect() const = 0;
  virtual CJVKPaintedBar* GetParent() const = 0;
  // The icon at the width from the control's image manager; null when none.
  virtual CJVKImageManagerIcon* GetImage(int nWidth) const = 0;
  // Combo box: its list is dropped down.
  virtual BOOL IsDroppedDown() const { return FALSE; }
  // Edit and combo box: the text shown in the field.
  virtual CString GetEditText() const { return CString(); }
  // Edit and combo box: the width of the field (the rest is the label).
  virtual int GetFieldWidth() const { return 0; }
};

// A command bar: menu bar, tool bar, dialog bar or popup bar.
class CJVKPaintedBar {
 public:
  virtual ~CJVKPaintedBar() = default;

  virtual int GetPosition() const = 0;
  virtual int GetType() const = 0;
  virtual CString GetTitle() const = 0;
  // The client rectangle (origin 0, 0).
  virtual CRect GetClientRect() const = 0;
  virtual CSize GetButtonSize() const = 0;
  virtual CSize GetIconSize() const = 0;
  virtual BOOL IsTextBelowIcons() const = 0;
  virtual BOOL AreKeyboardCuesVisible() const = 0;
  // The window has right-to-left layout.
  virtual BOOL IsRightToLeft() const = 0;
  virtual int GetControlCount() const = 0;
  // Null outside 0 to count - 1.
  virtual CJVKPaintedControl* GetControl(int nIndex) const = 0;
  // Some controls found no room (the expand button shows a chevron).
  virtual BOOL HasHiddenControls() const { return FALSE; }
  virtual BOOL IsDialogBar() const { return FALSE; }
  // Popup bars: two icon cells per row.
  virtual BOOL IsDoubleGripper() const { return FALSE; }
  // Popup bars: the rectangle of the control that opened the popup, in this
  // bar's client coordinates; empty when there is none or it does not touch.
  virtual CRect GetOpenerRect() const { return CRect(); }
  // Docked bars: the rectangle of their dock bar in this bar's client
  // coordinates (empty when not docked), and the dock bar's style bits.
  virtual CRect GetDockBarRect() const { return CRect(); }
  virtual DWORD GetDockBarStyle() const { return 0; }
};

// The frame's strip that holds docked bars on one side.
class CJVKPaintedDockBar {
 public:
  virtual ~CJVKPaintedDockBar() = default;
  virtual CRect GetClientRect() const = 0;
  virtual DWORD GetBarStyle() const = 0;
  // The dock bar asks for a plain fill instead of the rebar background.
  virtual BOOL WantsPlainFill() const { return FALSE; }
};

// The status bar around its panes.
class CJVKPaintedStatusBar {
 public:
  virtual ~CJVKPaintedStatusBar() = default;
  virtual CRect GetClientRect() const = 0;
  // Disabled panes still show their text.
  virtual BOOL ShowsDisabledText() const { return FALSE; }
};

// Status-bar pane style bits.
const UINT JVK_PANE_NOBORDERS = 0x100;
const UINT JVK_PANE_POPOUT = 0x200;
const UINT JVK_PANE_DISABLED = 0x4000000;
const UINT JVK_PANE_STRETCH = 0x8000000;

class CJVKPaintedPane {
 public:
  virtual ~CJVKPaintedPane() = default;
  virtual CString GetText() const = 0;
  virtual UINT GetStyle() const = 0;
  // -1: the paint manager's default text colour.
  virtual COLORREF GetTextColor() const = 0;
  // -1: no background of its own.
  virtual COLORREF GetBackgroundColor() const = 0;
  // 0 left, 1 centred, 2 right.
  virtual int GetTextAlignment() const = 0;
  // The pane's font, else the bar's; null leaves the DC's font.
  virtual CFont* GetTextFont() const = 0;
  // -1: no icon.
  virtual int GetIconId() const = 0;
  virtual CJVKPaintedStatusBar* GetStatusBar() const = 0;
};
