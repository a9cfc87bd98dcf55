// CJVButtonTheme: the standard (type 0) look of the themed push button:
// background, border, image, caption and focus rectangle, in colours taken
// from the colour manager on every refresh (each with an override the
// application may set). The flat and gradient themes derive from it.
#pragma once

#include "ButtonLayout.h"
#include "ColorRef.h"
#include "ThemeManagerStyle.h"
#include "WinThemeWrapper.h"

#include <Framework.h>

class CJVButton;

class CJVButtonTheme : public CJVThemeManagerStyle {
 public:
  CJVButtonTheme();
  ~CJVButtonTheme() override;

  void RefreshMetrics() override;
  virtual BOOL IsHotTracking(CJVButton* pButton);
  // Style 0x1000, the "BUTTON" visual style open for the button's window and
  // visual styles enabled.
  virtual BOOL IsThemed(CJVButton* pButton);
  virtual BOOL GetImageFlag() const { return m_bImage; }
  virtual void SetImageFlag(BOOL bImage) { m_bImage = bImage; }
  // The theme's own font, else the window's.
  virtual CFont* GetFont(CJVButton* pButton);
  // Kept only when it has a handle.
  virtual void SetFont(CFont* pFont);
  virtual void SetColors(COLORREF clrFace, COLORREF clrBorder, COLORREF clrShadow, COLORREF clrText);
  virtual void SetFaceColor(COLORREF clr) { m_clrFace.m_clrOverride = clr; }
  virtual COLORREF GetFaceColor() const { return m_clrFace; }
  virtual void SetBorderColor(COLORREF clr) { m_clrBorder.m_clrOverride = clr; }
  virtual void SetShadowColor(COLORREF clr) { m_clrShadow.m_clrOverride = clr; }
  virtual void SetTextColor(COLORREF clr) { m_clrText.m_clrOverride = clr; }
  // Positions relative to the item rectangle's top-left corner.
  virtual CPoint GetCenteredPosition(CSize size, CJVButton* pButton, const CRect& rcItem);
  virtual CPoint GetTextPosition(CDC* pDC, CJVButton* pButton, const CRect& rcItem);
  virtual COLORREF GetTextColor(UINT nItemState, CJVButton* pButton);
  virtual void DrawText(CDC* pDC, CJVButton* pButton, LPDRAWITEMSTRUCT lpDIS);
  virtual CPoint GetImagePosition(CDC* pDC, CJVButton* pButton, const CRect& rcItem);
  virtual void DrawImage(CDC* pDC, CJVButton* pButton, LPDRAWITEMSTRUCT lpDIS);
  virtual void DrawButton(LPDRAWITEMSTRUCT lpDIS, CJVButton* pButton);
  // FALSE when the button is not themed (nothing drawn).
  virtual BOOL DrawThemedBackground(CDC* pDC, CJVButton* pButton, LPDRAWITEMSTRUCT lpDIS);
  virtual void DrawBackground(CDC* pDC, CJVButton* pButton, LPDRAWITEMSTRUCT lpDIS);
  virtual void DrawFocusRect(CDC* pDC, CJVButton* pButton, LPDRAWITEMSTRUCT lpDIS);

  int GetThemeType() const { return m_nThemeType; }

  int m_nThemeType = 0;
  BOOL m_bImage = TRUE;
  BOOL m_bOffsetCaption = TRUE;  // the caption moves by (1, 1) when pressed or checked
  CFont* m_pFont = nullptr;
  CJVKColorRef m_clrFace;
  CJVKColorRef m_clrText;
  CJVKColorRef m_clrDisabledText;
  CJVKColorRef m_clrBorder;
  CJVKColorRef m_clrShadow;
  CJVKColorRef m_clrHighlight;
  CJVKColorRef m_clrDarkShadow;
  CJVKWinThemeWrapper m_themeButton;

 protected:
  // Pressed: ODS_SELECTED or checked.
  static BOOL IsPressed(UINT nItemState, CJVButton* pButton);
  // Image and caption sizes of the button for the layout arithmetic.
  CJVButtonLayout GetLayout(CDC* pDC, CJVButton* pButton, const CRect& rcItem);
  // The caption as measured (mnemonic markers removed) with the theme's font.
  CSize GetTextSize(CDC* pDC, CJVButton* pButton);
  // Two frames or one: top-left and bottom-right colours.
  static void Frame(CDC* pDC, CRect& rect, COLORREF clrTopLeft, COLORREF clrBottomRight);
};
