// CJVButtonThemeGradient: the gradient (type 2) look of the themed push
// button: the flat theme's colours adjusted to the system's visual style,
// and vertical gradients for the hot, pressed and checked states.
#pragma once

#include "ButtonThemeFlat.h"

class CJVButtonThemeGradient : public CJVButtonThemeFlat {
 public:
  CJVButtonThemeGradient();

  void RefreshMetrics() override;
  void DrawImage(CDC* pDC, CJVButton* pButton, LPDRAWITEMSTRUCT lpDIS) override;
  void DrawBackground(CDC* pDC, CJVButton* pButton, LPDRAWITEMSTRUCT lpDIS) override;
};
