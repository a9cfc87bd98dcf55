// The portable rules of the command-bar paint manager: its 60-slot colour
// table, the font-height clamp and face choice, the pacing and blend of the
// popup animations, and the colour schemes of the gradient themes.
#pragma once

#include "ColorRef.h"

#include <Framework.h>

const int JVK_PAINT_COLOR_COUNT = 60;

// Slots 0-30 are the system colour indices, 31-59 the colour manager's own.
// A refresh replaces the values; overrides survive it.
class CJVKPaintColors {
 public:
  CJVKPaintColors() = default;

  // The effective colour of slots 0-59; a larger value is a COLORREF given
  // in place of an index and comes back as it stands.
  COLORREF GetColor(UINT nIndex) const {
    return nIndex < static_cast<UINT>(JVK_PAINT_COLOR_COUNT) ? m_colors[nIndex].GetColor() : nIndex;
  }
  // Value parts; indices outside 0-59 are ignored.
  void SetColors(int nCount, const int* pIndices, const COLORREF* pColors);
  void SetValue(int nIndex, COLORREF clr);
  void SetOverride(int nIndex, COLORREF clr);
  const CJVKColorRef& GetSlot(int nIndex) const { return m_colors[nIndex]; }

 private:
  CJVKColorRef m_colors[JVK_PAINT_COLOR_COUNT];
};

// The theme numbers of the paint manager factory; any other number builds the
// classic theme.
enum JVKPaintTheme {
  jvkThemeClassic = 0,
  jvkThemeFlat = 1,
  jvkThemeGradient = 2,
  jvkThemeSystemStyle = 3,
  jvkThemeSchemeGradient = 4,
};
int JVKThemeClassFor(int nTheme);

// Small menu fonts are made readable: a height of -1 to -10 becomes -11;
// other heights (larger, or positive cell heights) stay.
LONG JVKClampMenuFontHeight(LONG lfHeight);

// The face chosen for the text fonts. A given face "Tahoma" (any case) sets
// bKeepTahoma for good; afterwards, with a Western character set (0 to 2) and
// the menu font followed, "Tahoma" replaces the face when it is installed.
CString JVKChooseTextFace(const CString& strFace, BYTE nCharSet, BOOL bUseMenuFont, BOOL bTahomaInstalled,
                          BOOL& bKeepTahoma);

// The scheme the gradient themes follow: 5 automatic (the detected scheme, 0
// when theme colours are disabled), 4 the colour manager's current one, any
// other value as given.
int JVKResolveColorScheme(int nSetting, int nDetected, int nCurrent, BOOL bThemeColorsDisabled);

BOOL JVKIsAnimationKind(int nKind);
BOOL JVKIsVerticalPosition(int nPosition);

// Popup animation frames. Unfold and slide copy a growing part of the final
// image: frame k of n shows w*k/n by h*k/n (unfold) or h*k/n rows (slide).
struct JVKFrameSize {
  int cx, cy;
  bool operator==(const JVKFrameSize& o) const { return cx == o.cx && cy == o.cy; }
};
JVKFrameSize JVKAnimationFrameSize(int nKind, int cxPopup, int cyPopup, int k, int n);
// The pause of one frame of the unfold, slide and expanding animations:
// duration/steps, none for a duration or step count that is not positive.
DWORD JVKAnimationFrameSleep(int nDuration, int nSteps);
// What a fade frame still sleeps after its blend took dwElapsed ms, so that
// the whole fade lasts about the duration: duration/steps less the elapsed
// time, never below 0.
DWORD JVKFadeFrameSleep(int nDuration, int nSteps, DWORD dwElapsed);
// One fade row: blue, green and red of dst = (a*w + b*(255-w)) / 256, the
// fourth byte left as it is.
void JVKBlendRow(const BYTE* pA, const BYTE* pB, BYTE* pDst, int nPixels, int nWeight);

// Elapsed time and waiting for the animations; tests count the frames on a
// clock of their own.
class CJVKAnimationClock {
 public:
  virtual ~CJVKAnimationClock() = default;
  virtual DWORD GetTickCount() = 0;
  virtual void Sleep(DWORD dwMilliseconds) = 0;
};
// Win32's clock (a clock that never moves on the host build).
CJVKAnimationClock* JVKSystemAnimationClock();

// The colours of one scheme of the gradient themes (schemes 1 blue, 2 olive,
// 3 silver).
struct CJVKGradientScheme {
  COLORREF clrBarStart, clrBarEnd;
  COLORREF clrToolBarBottom, clrToolBarTop;
  COLORREF clrBottomLine, clrSecondLine;
  COLORREF clrPoppedStart, clrPoppedEnd;
  COLORREF clrExpandStart, clrExpandEnd;
  COLORREF clrHiddenEnd, clrHiddenStart;
  COLORREF clrGlyphFirst, clrGlyphSecond;
  COLORREF clrPaneBorder;
  COLORREF clrShadow;
  COLORREF clrSlot53, clrSlot51, clrSlot52, clrSlot12, clrSlot56;
  // SetColors of 38, 39, 40, 41, 43, 31, 32, 37, 50, 33, 36, 30, 47.
  COLORREF clrSet[13];
};
extern const int JVK_SCHEME_SET_INDICES[13];
// The table of scheme 1 to 3; null for any other scheme.
const CJVKGradientScheme* JVKGradientSchemeFor(int nScheme);

// The 16 x 16 expand glyph: 256 shade bytes row by row, 255 transparent.
extern const BYTE JVK_EXPAND_GLYPH_SHADES[256];
// first - (first - second) * shade / 255 per channel; shade 255 gives the
// mask colour RGB(0, 255, 0).
COLORREF JVKExpandGlyphPixel(COLORREF clrFirst, COLORREF clrSecond, BYTE nShade);

// The face of the toolkit's shared text fonts: a given face when installed;
// else "Tahoma" when preferred, the character set is 0 to 2 and it is
// installed; else the menu font's face.
CString JVKChooseSharedFace(const CString& strGiven, BOOL bGivenInstalled, BOOL bPreferTahoma, BYTE nCharSet,
                            BOOL bTahomaInstalled, const CString& strMenuFace);
// The face of the shared vertical fonts: a given face when installed; else
// "Arial" when the menu face is not "Tahoma" and Arial is installed; else the
// menu face.
CString JVKChooseSharedVerticalFace(const CString& strGiven, BOOL bGivenInstalled, const CString& strMenuFace,
                                    BOOL bArialInstalled);
