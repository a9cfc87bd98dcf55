// CJVKControl: one item of a command bar (menu entry, tool-bar button, popup
// opener, edit or combo box, label). It keeps its texts, command id and
// icon, its state and the rectangles the layout gave it, and the virtual
// operations through which its bar draws, measures, forwards input to and
// executes it. Every control type derives from it. Reference counted: the
// controls collection holds one reference.
#pragma once

#include "Accessible.h"
#include "ControlOwners.h"
#include "PaintedObjects.h"

#include <Framework.h>

class CJVKImageManager;
class CJVKImageManagerIcon;
class CJVKPaintManager;

// Flag bits.
const DWORD JVK_FLAG_RIGHT_ALIGN = 0x01;
const DWORD JVK_FLAG_SKIP_FOCUS = 0x02;  // skipped by keyboard navigation when asked
const DWORD JVK_FLAG_LEFT_POPUP = 0x04;  // the popup opens leftwards
const DWORD JVK_FLAG_MANUAL_UPDATE = 0x08;
const DWORD JVK_FLAG_NO_MOVABLE = 0x10;  // cannot be dragged in customization
const DWORD JVK_FLAG_STRETCHED = 0x20;

// Hide-flag bits.
const DWORD JVK_HIDE_GENERIC = 0x01;
// JVK_HIDE_NO_ROOM (0x02) is in CommandBarTypes.h.
const DWORD JVK_HIDE_DOCKED_VERTICALLY = 0x04;
const DWORD JVK_HIDE_SCROLL = 0x08;
const DWORD JVK_HIDE_CUSTOMIZE = 0x10;
const DWORD JVK_HIDE_RARELY_USED = 0x20;
const DWORD JVK_HIDE_DOC_TEMPLATE = 0x40;

// The message controls send their site: wParam the id, lParam a notify record.
const UINT JVK_WM_CONTROL_NOTIFY = WM_USER + 301;
// The notification of an executed control.
const UINT JVK_NOTIFY_EXECUTE = 100;

struct JVK_CONTROL_NOTIFY {
  NMHDR hdr;  // hwndFrom 0, idFrom the control's id, code
  CJVKControl* pControl;
};

class CJVKControl : public CCmdTarget, public CJVKAccessible, public CJVKPaintedControl {
  DECLARE_DYNCREATE(CJVKControl)
  DECLARE_INTERFACE_MAP()

 public:
  CJVKControl();
  ~CJVKControl() override;
  CJVKControl(const CJVKControl&) = delete;
  CJVKControl& operator=(const CJVKControl&) = delete;

  // Controls alive in the process (leak checks).
  static LONG GetLiveCount();

  // ------------------------------------------------- virtual operations
  virtual CString GetTooltip(CPoint pt, CRect* pRect, int* pHit);
  virtual void SetBeginGroup(BOOL bBeginGroup);
  virtual void SetEnabled(BOOL bEnabled);
  int GetSelected() const override { return m_bSelected; }
  virtual void SetEditFocus(BOOL) {}
  virtual BOOL IsFocused() const { return FALSE; }
  virtual void SetRect(CRect rc) { m_rcControl = rc; }
  // The screen rectangle a popup opened from the control keeps clear; the
  // control's own rectangle unless a control widens it.
  virtual void AdjustExcludeRect(CRect& /*rc*/) {}
  BOOL IsCaptionVisible() const override;
  virtual BOOL Compare(CJVKControl* pOther);
  virtual CJVKControlParentBar* GetCommandBar() const { return nullptr; }
  virtual BOOL IsLabel() const { return FALSE; }
  virtual void SetHideFlags(DWORD dwHideFlags) { m_dwHideFlags = dwHideFlags; }
  virtual void Execute();
  virtual CSize GetSize(CDC* pDC);
  virtual void Draw(CDC* pDC);
  virtual void OnCalcDynamicSize(DWORD) {}
  CJVKImageManagerIcon* GetImage(int nWidth) const override;
  virtual void OnKeyActivate() { Execute(); }
  virtual BOOL HasEditWindow() const { return FALSE; }
  // 0 not handled, 1 handled, 2 the control's window takes the key.
  virtual int OnHookKeyDown(UINT, LPARAM) { return 0; }
  virtual void SetParent(CJVKControlParentBar* pParent) { m_pParent = pParent; }
  virtual void Copy(CJVKControl* pFrom, BOOL bRecursive);
  virtual BOOL SetPopup(BOOL) { return FALSE; }
  virtual void OnClick(BOOL, CPoint) {}
  virtual void OnLButtonUp(CPoint) {}
  virtual void OnRButtonUp(CPoint) {}
  virtual BOOL OnLButtonDblClk(CPoint pt);
  virtual void OnMouseMove(CPoint) {}
  virtual void OnMouseHover();
  virtual BOOL SetSelected(int nSelected);
  virtual void OnCustomizeClick(CPoint pt);
  virtual BOOL OnCustomizeResize(CPoint pt);
  virtual void OnHoverLeave(CJVKControl* pOther);
  virtual BOOL CanDropOn(CJVKControlParentBar*, CPoint, int) { return TRUE; }
  virtual BOOL IsCustomizeResizeAllowed() const { return FALSE; }
  virtual int GetCustomizeMinWidth() const { return 0; }
  virtual void SetWidth(int) {}
  // A new control of the same class with this one's state; one reference.
  virtual CJVKControl* Clone(BOOL bRecursive);

  // ------------------------------------------------ CJVKPaintedControl
  int GetType() const override { return m_nType; }
  CString GetCaption() const override { return m_strCustomCaption.IsEmpty() ? m_strCaption : m_strCustomCaption; }
  CString GetShortcutText() const override {
    return m_strShortcutText.IsEmpty() ? m_strShortcutTextAuto : m_strShortcutText;
  }
  int GetIconId() const override { return m_nCustomIconId != 0 ? m_nCustomIconId : m_nIconId > 0 ? m_nIconId : m_nId; }
  int GetStyle() const override { return m_nCustomStyle != 0 ? m_nCustomStyle : m_nStyle; }
  BOOL GetEnabled() const override { return m_bEnabled; }
  BOOL GetChecked() const override { return m_bChecked; }
  int GetPressed() const override { return m_bPressed; }
  BOOL GetPopuped() const override { return FALSE; }
  BOOL GetBeginGroup() const override { return m_bBeginGroup; }
  BOOL GetWrap() const override { return m_bWrap; }
  DWORD GetHideFlags() const override { return m_dwHideFlags; }
  BOOL IsDefaultItem() const override { return m_bDefaultItem; }
  BOOL IsExpandedHidden() const override { return m_pRarelyUsed != nullptr; }
  CRect GetRect() const override { return m_rcControl; }
  CJVKPaintedBar* GetParent() const override { return m_pParent; }

  // ----------------------------------- accessibility (the control itself)
  CCmdTarget* GetCmdTarget() override { return this; }
  HRESULT GetAccessibleParent(IDispatch** ppdispParent) override;
  HRESULT GetAccessibleChildCount(long* pcountChildren) override;
  HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) override;
  HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
  HRESULT GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription) override;
  HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
  HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
  HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
  HRESULT AccessibleDoDefaultAction(VARIANT varChild) override;
  HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild) override;
  HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
  HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;

  // ------------------------------------------------------- plain ones
  CJVKControlParentBar* GetParentBar() const { return m_pParent; }
  CJVKControls* GetControls() const { return m_pControls; }
  int GetIndex() const { return m_nIndex; }
  int GetID() const { return m_nId; }
  // Loads the id's string (description, newline, tooltip).
  void SetID(int nID);
  // A TAB in the text: the part after the first TAB is the shortcut.
  void SetCaption(const CString& strCaption);
  void SetCustomCaption(const CString& str) { m_strCustomCaption = str; }
  void SetShortcutText(const CString& str) { m_strShortcutText = str; }
  CString GetTooltipText() const { return m_strTooltipText; }
  void SetTooltipText(const CString& str) { m_strTooltipText = str; }
  CString GetDescription() const { return m_strDescriptionText; }
  void SetDescription(const CString& str) { m_strDescriptionText = str; }
  CString GetParameter() const { return m_strParameter; }
  void SetParameter(const CString& str) { m_strParameter = str; }
  void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
  DWORD GetFlags() const { return m_dwFlags; }
  void SetChecked(BOOL bChecked);
  void SetDefaultItem(BOOL b) { m_bDefaultItem = b; }
  BOOL GetDefaultItem() const { return m_bDefaultItem; }
  void SetHideFlag(DWORD dwFlag, BOOL bSet) { SetHideFlags(bSet ? m_dwHideFlags | dwFlag : m_dwHideFlags & ~dwFlag); }
  void SetRarelyUsed(void* p) { m_pRarelyUsed = p; }
  void SetStyle(int nStyle) { m_nStyle = nStyle; }
  void SetCustomStyle(int nStyle) { m_nCustomStyle = nStyle; }
  void SetIconId(int nID) { m_nIconId = nID; }
  void SetCustomIconId(int nID) { m_nCustomIconId = nID; }
  BOOL IsTemporary() const { return m_bTemporary; }
  BOOL IsCursorOver() const;
  void RedrawParent();
  CJVKPaintManager* GetPaintManager() const;
  CJVKImageManager* GetImageManager() const;
  // Tracks a mouse press on a tool-bar button; executes on a release inside.
  void ClickToolBarButton(CRect rc = CRect(0, 0, 0, 0));
  // Sends the site the control-notify message; its answer (0 without a site).
  LRESULT NotifySite(UINT nCode);
  // The command bars of the parent bar, else of the collection.
  CJVKControlCommandBars* GetCommandBars() const;

  // ------------------------------------------------------------ fields
  DWORD_PTR m_nTag = 0;
  int m_nIndex = 0;
  int m_nId = 0;
  int m_nIconId = 0;
  int m_nCustomIconId = 0;
  BOOL m_bWrap = FALSE;
  BOOL m_bBeginGroup = FALSE;
  BOOL m_bEnabled = TRUE;
  BOOL m_bChecked = FALSE;
  int m_bSelected = 0;  // 1 by the mouse, 2 by the keyboard
  int m_bPressed = 0;   // 1 held down, 2 executed until the next update
  BOOL m_bTemporary = FALSE;
  CRect m_rcRow;
  CRect m_rcControl;
  DWORD m_dwHideFlags = 0;
  DWORD m_dwFlags = 0;
  CString m_strCaption;
  CString m_strCustomCaption;
  CString m_strShortcutText;
  CString m_strShortcutTextAuto;  // from the caption, after its TAB
  CString m_strTooltipText;
  CString m_strDescriptionText;
  CString m_strParameter;
  CJVKControls* m_pControls = nullptr;
  int m_nType = 0;
  CJVKControlParentBar* m_pParent = nullptr;
  void* m_pRarelyUsed = nullptr;
  CString m_strCategory;
  BOOL m_bDefaultItem = FALSE;
  CMap<UINT, UINT, BOOL, BOOL> m_mapDocTemplatesAssigned;
  CMap<UINT, UINT, BOOL, BOOL> m_mapDocTemplatesExcluded;
  int m_nStyle = 0;
  int m_nCustomStyle = 0;
  BOOL m_bCloseSubMenuOnClick = TRUE;

 protected:
  // Step 3 of Execute: the returning popup gets the id; the menus close.
  // TRUE when nothing more is to be done.
  BOOL CloseMenus(BOOL bForReturn);
};
