// Small stand-ins for the controls, bars and panes the paint manager draws:
// plain fields the tests set.
#pragma once

#include "PaintedObjects.h"

#include <vector>

class CJVKImageManagerIcon;

struct CFakeBar;

struct CFakeControl : CJVKPaintedControl {
  int nType = jvkControlButton;
  CString strCaption;
  CString strShortcut;
  int nIconId = 0;
  int nStyle = jvkStyleAutomatic;
  BOOL bCaptionVisible = TRUE;
  BOOL bEnabled = TRUE;
  BOOL bChecked = FALSE;
  int nSelected = 0;
  int nPressed = 0;
  BOOL bPopuped = FALSE;
  BOOL bBeginGroup = FALSE;
  BOOL bWrap = FALSE;
  DWORD dwHideFlags = 0;
  BOOL bDefaultItem = FALSE;
  BOOL bExpandedHidden = FALSE;
  CRect rect;
  CFakeBar* pBar = nullptr;
  CJVKImageManagerIcon* pImage = nullptr;
  BOOL bDroppedDown = FALSE;
  CString strEditText;
  int nFieldWidth = 0;

  int GetType() const override { return nType; }
  CString GetCaption() const override { return strCaption; }
  CString GetShortcutText() const override { return strShortcut; }
  int GetIconId() const override { return nIconId; }
  int GetStyle() const override { return nStyle; }
  BOOL IsCaptionVisible() const override { return bCaptionVisible; }
  BOOL GetEnabled() const override { return bEnabled; }
  BOOL GetChecked() const override { return bChecked; }
  int GetSelected() const override { return nSelected; }
  int GetPressed() const override { return nPressed; }
  BOOL GetPopuped() const override { return bPopuped; }
  BOOL GetBeginGroup() const override { return bBeginGroup; }
  BOOL GetWrap() const override { return bWrap; }
  DWORD GetHideFlags() const override { return dwHideFlags; }
  BOOL IsDefaultItem() const override { return bDefaultItem; }
  BOOL IsExpandedHidden() const override { return bExpandedHidden; }
  CRect GetRect() const override { return rect; }
  CJVKPaintedBar* GetParent() const override;
  CJVKImageManagerIcon* GetImage(int) const override { return pImage; }
  BOOL IsDroppedDown() const override { return bDroppedDown; }
  CString GetEditText() const override { return strEditText; }
  int GetFieldWidth() const override { return nFieldWidth; }
};

struct CFakeBar : CJVKPaintedBar {
  int nPosition = jvkBarTop;
  int nType = jvkBarTypeToolBar;
  CString strTitle = "Standard";
  CRect rcClient = CRect(0, 0, 200, 26);
  CSize szButton = CSize(23, 22);
  CSize szIcon = CSize(16, 16);
  BOOL bTextBelow = FALSE;
  BOOL bCues = TRUE;
  BOOL bRightToLeft = FALSE;
  std::vector<CFakeControl*> controls;
  BOOL bHidden = FALSE;
  BOOL bDialogBar = FALSE;
  BOOL bDoubleGripper = FALSE;
  CRect rcOpener;
  CRect rcDock;
  DWORD dwDockStyle = 0;

  int GetPosition() const override { return nPosition; }
  int GetType() const override { return nType; }
  CString GetTitle() const override { return strTitle; }
  CRect GetClientRect() const override { return rcClient; }
  CSize GetButtonSize() const override { return szButton; }
  CSize GetIconSize() const override { return szIcon; }
  BOOL IsTextBelowIcons() const override { return bTextBelow; }
  BOOL AreKeyboardCuesVisible() const override { return bCues; }
  BOOL IsRightToLeft() const override { return bRightToLeft; }
  int GetControlCount() const override { return static_cast<int>(controls.size()); }
  CJVKPaintedControl* GetControl(int i) const override {
    return i >= 0 && i < GetControlCount() ? controls[static_cast<size_t>(i)] : nullptr;
  }
  BOOL HasHiddenControls() const override { return bHidden; }
  BOOL IsDialogBar() const override { return bDialogBar; }
  BOOL IsDoubleGripper() const override { return bDoubleGripper; }
  CRect GetOpenerRect() const override { return rcOpener; }
  CRect GetDockBarRect() const override { return rcDock; }
  DWORD GetDockBarStyle() const override { return dwDockStyle; }

  void Add(CFakeControl& control) {
    control.pBar = this;
    controls.push_back(&control);
  }
};

inline CJVKPaintedBar* CFakeControl::GetParent() const { return pBar; }

struct CFakeDockBar : CJVKPaintedDockBar {
  CRect rcClient = CRect(0, 0, 300, 30);
  DWORD dwStyle = 0;
  BOOL bPlain = FALSE;
  CRect GetClientRect() const override { return rcClient; }
  DWORD GetBarStyle() const override { return dwStyle; }
  BOOL WantsPlainFill() const override { return bPlain; }
};

struct CFakeStatusBar : CJVKPaintedStatusBar {
  CRect rcClient = CRect(0, 0, 300, 22);
  BOOL bDisabledText = FALSE;
  CRect GetClientRect() const override { return rcClient; }
  BOOL ShowsDisabledText() const override { return bDisabledText; }
};

struct CFakePane : CJVKPaintedPane {
  CString strText;
  UINT nStyle = 0;
  COLORREF clrText = static_cast<COLORREF>(-1);
  COLORREF clrBack = static_cast<COLORREF>(-1);
  int nAlignment = 0;
  CFont* pFont = nullptr;
  int nIconId = -1;
  CFakeStatusBar* pBar = nullptr;

  CString GetText() const override { return strText; }
  UINT GetStyle() const override { return nStyle; }
  COLORREF GetTextColor() const override { return clrText; }
  COLORREF GetBackgroundColor() const override { return clrBack; }
  int GetTextAlignment() const override { return nAlignment; }
  CFont* GetTextFont() const override { return pFont; }
  int GetIconId() const override { return nIconId; }
  CJVKPaintedStatusBar* GetStatusBar() const override { return pBar; }
};
