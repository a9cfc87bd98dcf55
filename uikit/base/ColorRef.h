// The toolkit's colour pair and four-colour gradient record. A colour of -1
// is unset; the effective colour of a pair is its override when set, else
// its value.
#pragma once

#include <WinTypes.h>

const COLORREF JVK_COLOR_UNSET = static_cast<COLORREF>(-1);

struct CJVKColorRef {
  COLORREF m_clrValue = JVK_COLOR_UNSET;
  COLORREF m_clrOverride = JVK_COLOR_UNSET;

  BOOL IsSet() const { return m_clrValue != JVK_COLOR_UNSET || m_clrOverride != JVK_COLOR_UNSET; }
  COLORREF GetColor() const { return m_clrOverride != JVK_COLOR_UNSET ? m_clrOverride : m_clrValue; }
  operator COLORREF() const { return GetColor(); }
};

struct CJVKGradientColor {
  CJVKColorRef m_clrStart;
  CJVKColorRef m_clrMiddle1;
  CJVKColorRef m_clrMiddle2;
  CJVKColorRef m_clrEnd;

  CJVKGradientColor() = default;
  explicit CJVKGradientColor(COLORREF clr) { SetColor(clr); }

  // Start and end values; the middle values are cleared (overrides kept).
  void SetColors(COLORREF clrStart, COLORREF clrEnd) {
    m_clrStart.m_clrValue = clrStart;
    m_clrEnd.m_clrValue = clrEnd;
    m_clrMiddle1.m_clrValue = JVK_COLOR_UNSET;
    m_clrMiddle2.m_clrValue = JVK_COLOR_UNSET;
  }
  void SetColor(COLORREF clr) { SetColors(clr, clr); }
  // A record with a middle colour unset is drawn as one two-colour gradient.
  BOOL HasMiddle() const { return m_clrMiddle1.IsSet() && m_clrMiddle2.IsSet(); }
};
