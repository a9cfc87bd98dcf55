// CJVButtonThemeFlat: the flat (type 1) look of the themed push button: one
// frame, fills for the hot, pressed and checked states from the colour
// manager, faded images at rest and raised hot images with a shadow.
#pragma once

#include "ButtonTheme.h"

class CJVButtonThemeFlat : public CJVButtonTheme {
 public:
  explicit CJVButtonThemeFlat(BOOL bFace = FALSE);

  void RefreshMetrics() override;
  BOOL IsHotTracking(CJVButton* pButton) override;
  COLORREF GetTextColor(UINT nItemState, CJVButton* pButton) override;
  void DrawImage(CDC* pDC, CJVButton* pButton, LPDRAWITEMSTRUCT lpDIS) override;
  void DrawBackground(CDC* pDC, CJVButton* pButton, LPDRAWITEMSTRUCT lpDIS) override;
  void DrawFocusRect(CDC* pDC, CJVButton* pButton, LPDRAWITEMSTRUCT lpDIS) override;

  // The face colour (and a shadow frame at rest) instead of the plain face.
  virtual void SetFaceFlag(BOOL bFace);
  virtual void SetPressedFillColor(COLORREF clr) { m_clrPressedFill.m_clrOverride = clr; }
  virtual void SetHotFillColor(COLORREF clr) { m_clrHotFill.m_clrOverride = clr; }
  virtual void SetPressedTextColor(COLORREF clr) { m_clrPressedText.m_clrOverride = clr; }
  virtual void SetHotTextColor(COLORREF clr) { m_clrHotText.m_clrOverride = clr; }

  BOOL m_bFace;
  BOOL m_bFadedImage = TRUE;
  BOOL m_bImageShadow = TRUE;
  CJVKColorRef m_clrPressedFill;
  CJVKColorRef m_clrHotFill;
  CJVKColorRef m_clrHotText;
  CJVKColorRef m_clrPressedText;
  CJVKColorRef m_clrCheckedFill;

 protected:
  // The fill of the hot, pressed or checked states; FALSE at rest.
  BOOL GetStateFill(UINT nItemState, CJVButton* pButton, COLORREF& clrFill) const;
};
