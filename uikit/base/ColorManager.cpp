#include "ColorManager.h"

#include "ColorMath.h"

#include <algorithm>
#include <iterator>

namespace {

// Derived slots and the system slot each starts from.
struct SlotDefault {
  int nSource;
  int nSlots[9];
};
const SlotDefault kDefaults[] = {
    {15, {30, 48, 51, 53, 55, 56, -1}},
    {5, {31, 36, 41, -1}},
    {13, {32, 33, 37, 50, -1}},
    {16, {34, 38, 39, 40, 42, 43, 52, 54, 57}},
    {17, {35, 58, -1}},
    {8, {44, -1}},
    {7, {45, -1}},
    {18, {46, 49, -1}},
    {14, {47, -1}},
};

// target = MixColors(e(a), e(b), weight), in this order.
struct Mix {
  int nTarget, nA, nB, nWeight;
};
const Mix kMixes[] = {
    {30, 5, 15, 165}, {31, 13, 5, 30}, {33, 13, 5, 50},  {41, 15, 5, 143}, {35, 17, 5, 70},
    {38, 16, 5, 75},  {39, 16, 5, 70}, {43, 46, 16, 20}, {40, 16, 5, 90},  {42, 15, 16, 90},
};

// Unless e(b) is already far enough from e(a): target = EnsureContrast(e(a), e(b), d).
struct Contrast {
  int nTarget, nA, nB;
  float fDistance;
};
const Contrast kContrasts[] = {
    {31, 30, 31, 50},  {32, 30, 13, 100}, {33, 30, 33, 30},  {35, 41, 35, 80}, {37, 33, 37, 100},
    {38, 30, 38, 85},  {39, 30, 39, 50},  {43, 47, 43, 100}, {40, 30, 40, 80}, {44, 41, 44, 180},
    {45, 31, 45, 180}, {46, 30, 46, 180}, {47, 33, 47, 180},
};

const COLORREF U = JVK_COLOR_UNSET;

// Gradients 0 to 7 and slot 54 under the visual styles blue, olive and silver.
struct ThemeColors {
  COLORREF clrSlot54;
  COLORREF clrGradients[8][4];  // start, middle 1, middle 2, end
};
const ThemeColors kThemeColors[3] = {
    {0x962D00,
     {{0xD68759, U, U, 0x962D00},
      {0xF5BE9E, U, U, 0xFADAC4},
      {0xD68759, U, U, 0x962D00},
      {0xFEECDD, U, U, 0xE2A981},
      {0xFEECDD, 0xFCE1CB, 0xFCE1CA, 0xE2A981},
      {0xFFEFE3, 0xFBE0CA, 0xFCE1CB, 0xE4AD87},
      {0xF6DDCB, 0xF9C4A1, 0xF9C5A1, 0xDCA179},
      {0xFFEFE3, U, U, 0xE7B593}}},
    {0x588060,
     {{0x82C0AF, U, U, 0x447A63},
      {0xA7D9D9, U, U, 0xE4F1F2},
      {0x6F8E78, U, U, 0x435B49},
      {0xDEF7F4, U, U, 0x91C6B7},
      {0xDEF7F4, 0xA7DCCE, 0xA7DCCE, 0x91C6B7},
      {0xEDFFFF, 0xA6DBCD, 0xA7DCCE, 0x92C7B8},
      {0xD1E6E6, 0x8FC9BA, 0x8FC9BA, 0x78B4A4},
      {0xD5F0EC, U, U, 0x9FCEC2}}},
    {0x947C7C,
     {{0xBFA7A8, U, U, 0x916F70},
      {0xE5D7D7, U, U, 0xF7F3F3},
      {0xBFA7A8, U, U, 0x977677},
      {0xFAF4F3, U, U, 0xB59799},
      {0xFAF4F3, 0xECE2E1, 0xECE2E1, 0xB59799},
      {0xFFF9F9, 0xECE1E0, 0xECE2E1, 0xB99D9F},
      {0xE2D7D7, 0xC9B9B8, 0xCAB9B8, 0x9E7E80},
      {0xF1E7E9, U, U, 0xCDB9BA}}},
};

void SetValues(CJVKGradientColor& g, COLORREF start, COLORREF middle1, COLORREF middle2, COLORREF end) {
  g.m_clrStart.m_clrValue = start;
  g.m_clrMiddle1.m_clrValue = middle1;
  g.m_clrMiddle2.m_clrValue = middle2;
  g.m_clrEnd.m_clrValue = end;
}

int LargestChannel(COLORREF c) { return std::max({colormath::Red(c), colormath::Green(c), colormath::Blue(c)}); }

// Each channel scaled by k / m.
COLORREF ScaleChannels(COLORREF c, int k, int m) {
  return colormath::Rgb(colormath::Red(c) * k / m, colormath::Green(c) * k / m, colormath::Blue(c) * k / m);
}

}  // namespace

CJVKColorManager::CJVKColorManager(CJVKColorSystem* pSystem) : m_pSystem(pSystem) {
  std::fill(std::begin(m_clrOverrides), std::end(m_clrOverrides), JVK_COLOR_UNSET);
  RefreshColors();
  m_grcGradients[8].SetColors(0x8CD5FF, 0x55ADFF);
  m_grcGradients[9].SetColors(0x4B8EFE, 0x8BCFFF);
  m_grcGradients[10].SetColors(0xC8F2FF, 0x97D4FF);
}

COLORREF CJVKColorManager::GetColor(UINT nIndex) const {
  if (nIndex >= static_cast<UINT>(JVK_COLOR_COUNT)) return nIndex;
  return m_clrOverrides[nIndex] != JVK_COLOR_UNSET ? m_clrOverrides[nIndex] : m_clrValues[nIndex];
}

int JVKThemeFromNames(const CString& strFile, const CString& strColor) {
  CString file = strFile, color = strColor;
  file.MakeLower();
  color.MakeLower();
  if (file.Find("luna.msstyles") >= 0) {
    if (color == "normalcolor") return xpThemeBlue;
    if (color == "homestead") return xpThemeOlive;
    if (color == "metallic") return xpThemeSilver;
    return xpThemeNone;
  }
  if (file.Find("royale.msstyles") >= 0 && color == "normalcolor") return xpThemeBlue;
  return xpThemeNone;
}

int CJVKColorManager::DetectXPTheme() {
  if (!m_pSystem->IsThemeActive()) return xpThemeNone;
  CString file, color;
  if (!m_pSystem->GetCurrentThemeName(file, color)) return xpThemeNone;
  return JVKThemeFromNames(file, color);
}

int CJVKColorManager::GetCurrentSystemTheme() {
  if (m_bDisableThemeColors) return xpThemeNone;
  if (m_nThemeSetting == 4 || m_nThemeSetting == 5) return DetectXPTheme();
  return m_nThemeSetting;
}

void CJVKColorManager::RefreshIfDue() {
  if (m_pSystem->GetTickCount() - m_dwLastRefresh > 500) {
    RefreshColors();
    m_dwLastRefresh = m_pSystem->GetTickCount();
  }
}

void CJVKColorManager::RefreshColors() {
  const BOOL bLowColor = m_pSystem->IsLowColorDisplay();
  m_clrValues[0] = 0;
  for (int i = 1; i <= 27; ++i) m_clrValues[i] = m_pfnGetSysColor ? m_pfnGetSysColor(i) : m_pSystem->GetSysColor(i);
  SetDefaults();
  if (!bLowColor) {
    MixAndContrast();
    DeriveShades();
  }
  RefreshGradients();
  COLORREF clrBorder;
  if (!bLowColor && m_pSystem->GetTreeBorderColor(clrBorder)) m_clrValues[57] = clrBorder;
}

void CJVKColorManager::SetDefaults() {
  for (const SlotDefault& d : kDefaults) {
    const COLORREF clr = Effective(d.nSource);
    for (int slot : d.nSlots) {
      if (slot <= 0) break;
      m_clrValues[slot] = clr;
    }
  }
  m_clrValues[59] = 0;
}

void CJVKColorManager::MixAndContrast() {
  for (const Mix& m : kMixes) m_clrValues[m.nTarget] = MixColors(Effective(m.nA), Effective(m.nB), m.nWeight);
  if (IsColorDistanceAbove(Effective(15), Effective(30), TRUE, 35))
    m_clrValues[30] = LimitContrast(Effective(15), Effective(30), 35);
  for (const Contrast& c : kContrasts) {
    if (!IsColorDistanceAbove(Effective(c.nA), Effective(c.nB), TRUE, c.fDistance))
      m_clrValues[c.nTarget] = EnsureContrast(Effective(c.nA), Effective(c.nB), c.fDistance);
  }
  if (IsColorDistanceAbove(Effective(41), Effective(35), TRUE, 145))
    m_clrValues[35] = LimitContrast(Effective(41), Effective(35), 145);
}

void CJVKColorManager::DeriveShades() {
  const COLORREF c30 = Effective(30), c13 = Effective(13), c5 = Effective(5);
  auto part = [](BYTE a, BYTE b, BYTE c) { return a * 50 / 100 + b * 10 / 100 + c * 40 / 100; };
  m_clrValues[36] = colormath::Rgb(part(colormath::Red(c30), colormath::Red(c13), colormath::Red(c5)),
                                   part(colormath::Green(c30), colormath::Green(c13), colormath::Green(c5)),
                                   part(colormath::Blue(c30), colormath::Blue(c13), colormath::Blue(c5)));

  const COLORREF face = Effective(15);
  int m = LargestChannel(face);
  m_clrValues[48] = m == 0 ? 0x232323 : ScaleChannels(face, m + std::min(255 - m, 35), m);

  const COLORREF shadow = Effective(16);
  m = LargestChannel(shadow);
  if (face == 0)
    m_clrValues[49] = 0x7F7F7F;
  else
    m_clrValues[49] = m == 0 ? 0 : ScaleChannels(shadow, std::max(m - 43, 0), m);

  const COLORREF v31 = m_clrValues[31];
  m_clrValues[34] =
      colormath::Rgb(static_cast<int>(colormath::Red(v31) * 0.75), static_cast<int>(colormath::Green(v31) * 0.75),
                     static_cast<int>(colormath::Blue(v31) * 0.75));
  m_clrValues[22] = colormath::Rgb(std::min(colormath::Red(face) + 15, 255), std::min(colormath::Green(face) + 15, 255),
                                   std::min(colormath::Blue(face) + 15, 255));
  m_clrValues[53] = Effective(30);
  m_clrValues[58] = Effective(40);
}

void CJVKColorManager::RefreshGradients() {
  const int theme = GetCurrentSystemTheme();
  if (theme >= xpThemeBlue && theme <= xpThemeSilver) {
    const ThemeColors& t = kThemeColors[theme - 1];
    m_clrValues[54] = t.clrSlot54;
    for (int i = 0; i < 8; ++i) {
      const COLORREF* g = t.clrGradients[i];
      SetValues(m_grcGradients[i], g[0], g[1], g[2], g[3]);
    }
    return;
  }
  const COLORREF face = Effective(15), window = Effective(5), shadow = Effective(16);
  auto M = [&](int w) { return MixColors(face, window, w); };
  SetValues(m_grcGradients[0], shadow, U, U, shadow);
  SetValues(m_grcGradients[1], face, U, U, M(215));
  SetValues(m_grcGradients[2], face, U, U, shadow);
  SetValues(m_grcGradients[3], M(215), U, U, M(97));
  SetValues(m_grcGradients[4], M(215), M(50), M(51), M(97));
  SetValues(m_grcGradients[5], M(145), M(50), M(50), M(93));
  SetValues(m_grcGradients[6], M(40), M(70), M(70), MixColors(face, shadow, 95));
  SetValues(m_grcGradients[7], M(165), U, U, M(42));
}

CJVKColorManager* GetColorManager() {
  static CJVKColorManager manager(JVKGetDefaultColorSystem());
  return &manager;
}

void RefreshColorManager() { GetColorManager()->RefreshIfDue(); }

int GetCurrentSystemTheme() { return GetColorManager()->GetCurrentSystemTheme(); }
