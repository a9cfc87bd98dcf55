// CJVKControlPopup: the control that opens a popup bar. Type 2 is a menu
// entry (menu bar or submenu), type 3 a tool-bar button whose whole face
// opens the popup, type 4 a split button whose main part executes and whose
// arrow part opens the popup. It holds one reference on its popup bar.
#pragma once

#include "Control.h"

// The arrow part of a split button: its last pixels.
const int JVK_SPLIT_ARROW_BAR = 11;
const int JVK_SPLIT_ARROW_POPUP = 20;

class CJVKControlPopup : public CJVKControl {
  DECLARE_DYNCREATE(CJVKControlPopup)

 public:
  CJVKControlPopup();
  ~CJVKControlPopup() override;

  static CJVKControlPopup* CreateControlPopup(int nType);
  // Releases the old bar, holds the new one.
  void SetCommandBar(CJVKControlParentBar* pBar);

  CJVKControlParentBar* GetCommandBar() const override { return m_pCommandBar; }
  BOOL GetPopuped() const override { return m_bPopuped; }
  BOOL Compare(CJVKControl* pOther) override;
  void OnKeyActivate() override;
  void Copy(CJVKControl* pFrom, BOOL bRecursive) override;
  BOOL SetPopup(BOOL bPopup) override;
  void OnClick(BOOL bKeyboard, CPoint pt) override;
  void OnLButtonUp(CPoint pt) override;
  BOOL OnLButtonDblClk(CPoint pt) override;
  void OnMouseHover() override;
  BOOL SetSelected(int nSelected) override;
  void OnHoverLeave(CJVKControl* pOther) override;
  virtual void OnPopupShown();

  // This control's popup leads to the other's (the same bar, or a popup
  // control within it does, searched both ways).
  BOOL IsAncestorOf(CJVKControl* pOther) const;

  BOOL m_bPopuped = FALSE;
  CJVKControlParentBar* m_pCommandBar = nullptr;

 private:
  BOOL InPopupBar() const { return m_pParent && m_pParent->GetType() == jvkBarTypePopup; }
  // Left of the arrow part of a split button.
  BOOL IsOnMainPart(CPoint pt) const;
};
