// CJVKSchemeGradientTheme: the gradient theme with further colours per
// detected colour scheme; it follows no scheme table unless told to.
#pragma once

#include "GradientTheme.h"

class CJVKSchemeGradientTheme : public CJVKGradientTheme {
 public:
  CJVKSchemeGradientTheme();

  void RefreshMetrics() override;
  int GetThemeNumber() const override { return jvkThemeSchemeGradient; }
};
