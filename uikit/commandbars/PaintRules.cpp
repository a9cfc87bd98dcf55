#include "PaintRules.h"

#ifdef _WIN32
#include <windows.h>
#endif

void CJVKPaintColors::SetColors(int nCount, const int* pIndices, const COLORREF* pColors) {
  for (int i = 0; i < nCount; ++i) SetValue(pIndices[i], pColors[i]);
}

void CJVKPaintColors::SetValue(int nIndex, COLORREF clr) {
  if (nIndex >= 0 && nIndex < JVK_PAINT_COLOR_COUNT) m_colors[nIndex].m_clrValue = clr;
}

void CJVKPaintColors::SetOverride(int nIndex, COLORREF clr) {
  if (nIndex >= 0 && nIndex < JVK_PAINT_COLOR_COUNT) m_colors[nIndex].m_clrOverride = clr;
}

int JVKThemeClassFor(int nTheme) { return nTheme >= jvkThemeFlat && nTheme <= jvkThemeSchemeGradient ? nTheme : 0; }

LONG JVKClampMenuFontHeight(LONG lfHeight) { return lfHeight < 0 && lfHeight >= -10 ? -11 : lfHeight; }

CString JVKChooseTextFace(const CString& strFace, BYTE nCharSet, BOOL bUseMenuFont, BOOL bTahomaInstalled,
                          BOOL& bKeepTahoma) {
  if (strFace.CompareNoCase("Tahoma") == 0) bKeepTahoma = TRUE;
  if (nCharSet <= 2 && bUseMenuFont && bKeepTahoma && bTahomaInstalled) return CString("Tahoma");
  return strFace;
}

int JVKResolveColorScheme(int nSetting, int nDetected, int nCurrent, BOOL bThemeColorsDisabled) {
  if (nSetting == 5) return bThemeColorsDisabled ? 0 : nDetected;
  if (nSetting == 4) return nCurrent;
  return nSetting;
}

BOOL JVKIsAnimationKind(int nKind) { return nKind >= 2 && nKind <= 4; }

BOOL JVKIsVerticalPosition(int nPosition) { return nPosition == 2 || nPosition == 3 || nPosition == 5; }

JVKFrameSize JVKAnimationFrameSize(int nKind, int cxPopup, int cyPopup, int k, int n) {
  if (n <= 0) return {cxPopup, cyPopup};
  const int cy = static_cast<int>(static_cast<long long>(cyPopup) * k / n);
  if (nKind == 2) return {static_cast<int>(static_cast<long long>(cxPopup) * k / n), cy};
  return {cxPopup, cy};
}

DWORD JVKAnimationFrameSleep(int nDuration, int nSteps) {
  if (nSteps <= 0 || nDuration <= 0) return 0;
  return static_cast<DWORD>(nDuration / nSteps);
}

DWORD JVKFadeFrameSleep(int nDuration, int nSteps, DWORD dwElapsed) {
  const DWORD dwFrame = JVKAnimationFrameSleep(nDuration, nSteps);
  return dwElapsed >= dwFrame ? 0 : dwFrame - dwElapsed;
}

void JVKBlendRow(const BYTE* pA, const BYTE* pB, BYTE* pDst, int nPixels, int nWeight) {
  for (int i = 0; i < nPixels; ++i, pA += 4, pB += 4, pDst += 4) {
    for (int c = 0; c < 3; ++c) pDst[c] = static_cast<BYTE>((pA[c] * nWeight + pB[c] * (255 - nWeight)) / 256);
  }
}

namespace {
class CSystemClock : public CJVKAnimationClock {
 public:
#ifdef _WIN32
  DWORD GetTickCount() override { return ::GetTickCount(); }
  void Sleep(DWORD dw) override { ::Sleep(dw); }
#else
  DWORD GetTickCount() override { return 0; }
  void Sleep(DWORD) override {}
#endif
};

constexpr COLORREF RGBC(int r, int g, int b) {
  return static_cast<COLORREF>(r | (g << 8) | (b << 16));
}

// Rows as in the themes' scheme table; the last row is the SetColors list.
const CJVKGradientScheme kSchemes[3] = {
    {RGBC(158, 190, 245), RGBC(196, 218, 250), RGBC(129, 169, 226), RGBC(221, 236, 254), RGBC(59, 97, 156),
     RGBC(42, 102, 201), RGBC(227, 239, 255), RGBC(147, 181, 231), RGBC(0, 53, 145), RGBC(117, 166, 241),
     RGBC(121, 161, 220), RGBC(203, 221, 246), RGBC(129, 169, 226), RGBC(227, 239, 254), RGBC(211, 211, 211),
     RGBC(22, 30, 54), RGBC(203, 225, 252), RGBC(216, 231, 252), RGBC(158, 190, 245), RGBC(144, 153, 174),
     RGBC(189, 211, 247),
     {RGBC(39, 65, 118), RGBC(106, 140, 203), RGBC(109, 150, 208), RGBC(246, 246, 246), RGBC(0, 45, 150),
      RGBC(255, 238, 194), RGBC(0, 0, 128), RGBC(0, 0, 128), RGBC(0, 0, 128), RGBC(254, 128, 62),
      RGBC(255, 192, 111), RGBC(158, 190, 245), RGBC(0, 0, 0)}},
    {RGBC(217, 217, 167), RGBC(242, 241, 228), RGBC(183, 198, 145), RGBC(244, 247, 222), RGBC(96, 128, 88),
     RGBC(116, 134, 94), RGBC(236, 240, 213), RGBC(194, 206, 159), RGBC(96, 119, 107), RGBC(176, 194, 140),
     RGBC(164, 180, 120), RGBC(230, 230, 209), RGBC(184, 198, 147), RGBC(236, 240, 213), RGBC(211, 211, 211),
     RGBC(31, 34, 25), RGBC(216, 227, 182), RGBC(226, 231, 191), RGBC(171, 192, 138), RGBC(151, 160, 123),
     RGBC(222, 227, 189),
     {RGBC(81, 94, 51), RGBC(96, 128, 88), RGBC(159, 174, 122), RGBC(244, 244, 238), RGBC(117, 141, 94),
      RGBC(255, 238, 194), RGBC(63, 93, 56), RGBC(63, 93, 56), RGBC(63, 93, 56), RGBC(254, 128, 62),
      RGBC(255, 192, 111), RGBC(217, 217, 167), RGBC(0, 0, 0)}},
    {RGBC(215, 215, 229), RGBC(243, 243, 247), RGBC(153, 151, 181), RGBC(243, 244, 250), RGBC(124, 124, 148),
     RGBC(122, 121, 153), RGBC(233, 231, 241), RGBC(186, 185, 205), RGBC(118, 116, 146), RGBC(179, 178, 200),
     RGBC(133, 131, 162), RGBC(215, 215, 226), RGBC(176, 174, 197), RGBC(232, 232, 241), RGBC(236, 234, 218),
     RGBC(36, 32, 41), RGBC(214, 211, 231), RGBC(223, 223, 234), RGBC(177, 176, 195), RGBC(155, 154, 179),
     RGBC(214, 215, 231),
     {RGBC(84, 84, 117), RGBC(110, 109, 143), RGBC(168, 167, 190), RGBC(253, 250, 255), RGBC(124, 124, 148),
      RGBC(255, 238, 194), RGBC(75, 75, 111), RGBC(75, 75, 111), RGBC(75, 75, 111), RGBC(254, 128, 62),
      RGBC(255, 192, 111), RGBC(215, 215, 229), RGBC(0, 0, 0)}},
};
}  // namespace

CJVKAnimationClock* JVKSystemAnimationClock() {
  static CSystemClock clock;
  return &clock;
}

const int JVK_SCHEME_SET_INDICES[13] = {38, 39, 40, 41, 43, 31, 32, 37, 50, 33, 36, 30, 47};

const CJVKGradientScheme* JVKGradientSchemeFor(int nScheme) {
  return nScheme >= 1 && nScheme <= 3 ? &kSchemes[nScheme - 1] : nullptr;
}

// A shaded disc, lighter at the top.
const BYTE JVK_EXPAND_GLYPH_SHADES[256] = {
    255, 255, 255, 255, 255, 255, 255, 40,  40,  255, 255, 255, 255, 255, 255, 255,
    255, 255, 255, 255, 53,  53,  53,  13,  13,  53,  53,  53,  255, 255, 255, 255,
    255, 255, 255, 66,  26,  26,  26,  26,  26,  26,  26,  26,  66,  255, 255, 255,
    255, 255, 80,  40,  40,  40,  40,  40,  40,  40,  40,  40,  40,  80,  255, 255,
    255, 93,  53,  53,  53,  53,  53,  53,  53,  53,  53,  53,  53,  53,  93,  255,
    255, 106, 66,  66,  66,  66,  66,  66,  66,  66,  66,  66,  66,  66,  106, 255,
    255, 120, 80,  80,  80,  80,  80,  80,  80,  80,  80,  80,  80,  80,  120, 255,
    133, 93,  93,  93,  93,  93,  93,  93,  93,  93,  93,  93,  93,  93,  93,  133,
    146, 106, 106, 106, 106, 106, 106, 106, 106, 106, 106, 106, 106, 106, 106, 146,
    255, 160, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120, 160, 255,
    255, 173, 133, 133, 133, 133, 133, 133, 133, 133, 133, 133, 133, 133, 173, 255,
    255, 186, 146, 146, 146, 146, 146, 146, 146, 146, 146, 146, 146, 146, 186, 255,
    255, 255, 200, 160, 160, 160, 160, 160, 160, 160, 160, 160, 160, 200, 255, 255,
    255, 255, 255, 213, 173, 173, 173, 173, 173, 173, 173, 173, 213, 255, 255, 255,
    255, 255, 255, 255, 226, 226, 226, 186, 186, 226, 226, 226, 255, 255, 255, 255,
    255, 255, 255, 255, 255, 255, 255, 240, 240, 255, 255, 255, 255, 255, 255, 255,
};

COLORREF JVKExpandGlyphPixel(COLORREF clrFirst, COLORREF clrSecond, BYTE nShade) {
  if (nShade == 255) return RGBC(0, 255, 0);
  auto channel = [nShade](int first, int second) { return first - (first - second) * nShade / 255; };
  const int r1 = clrFirst & 0xFF, g1 = (clrFirst >> 8) & 0xFF, b1 = (clrFirst >> 16) & 0xFF;
  const int r2 = clrSecond & 0xFF, g2 = (clrSecond >> 8) & 0xFF, b2 = (clrSecond >> 16) & 0xFF;
  return RGBC(channel(r1, r2), channel(g1, g2), channel(b1, b2));
}

CString JVKChooseSharedFace(const CString& strGiven, BOOL bGivenInstalled, BOOL bPreferTahoma, BYTE nCharSet,
                            BOOL bTahomaInstalled, const CString& strMenuFace) {
  if (!strGiven.IsEmpty() && bGivenInstalled) return strGiven;
  if (bPreferTahoma && nCharSet <= 2 && bTahomaInstalled) return CString("Tahoma");
  return strMenuFace;
}

CString JVKChooseSharedVerticalFace(const CString& strGiven, BOOL bGivenInstalled, const CString& strMenuFace,
                                    BOOL bArialInstalled) {
  if (!strGiven.IsEmpty() && bGivenInstalled) return strGiven;
  if (strMenuFace.CompareNoCase("Tahoma") != 0 && bArialInstalled) return CString("Arial");
  return strMenuFace;
}
