#include "TabColorSet.h"

#include <algorithm>

#include "TabManager.h"
#include "TabPaintManager.h"

#include <ColorManager.h>
#include <ColorMath.h>
#include <DrawHelpers.h>

namespace {

// The fixed colours of the three desktop schemes (blue, olive, silver).
struct CTabSchemeColors {
  COLORREF clrFrame;            // also the selected slanted outline
  COLORREF clrDark;             // classic dark and slanted outline
  COLORREF clrShadow;           // classic shadow and slanted light
  COLORREF clrHotFace;          // also the navigate button frame
  COLORREF clrButtonStart, clrButtonEnd;
  COLORREF clrNormalFace;
  COLORREF clrHotTabFace;
  COLORREF clrSelectedButtonStart;  // to the button start
};

const CTabSchemeColors kSchemes[3] = {
    {0x9C613B, 0x9A3500, 0xF1A675, 0x800000, 0xFADAC4, 0xFEFDFC, 0xF6C0A2, 0xC9F0FF, 0xF5BE9E},
    {0x588060, 0x6B7760, 0x8CC2B0, 0x385D3F, 0xE4F1F2, 0xFEFEFC, 0xAADED0, 0xC7F0FF, 0xA7D9D9},
    {0x947C7C, 0x927476, 0xCEB9BA, 0x6F4B4B, 0xF7F3F3, 0xFEFEFC, 0xE6D9D9, 0xC2EEFF, 0xE5D7D7},
};

const COLORREF kSchemeClientFace = 0x6FC0FF;
const COLORREF kSchemeSelectedFace = 0x73C2FF;
const COLORREF kWhite = RGB(255, 255, 255);

}  // namespace

BOOL CJVKTabColorSetScheme::UseClassicColors() const {
  return (m_pPaintManager && m_pPaintManager->m_bClassicColors) || GetColorManager()->IsThemeColorsDisabled();
}

void CJVKTabColorSetScheme::ApplySchemeColors() {
  m_grcButton.SetColors(Index(COLOR_BTNFACE), MixColors(Index(COLOR_BTNFACE), Index(COLOR_WINDOW), 205));
  m_grcClientFace.SetColor(Index(36));
  m_grcHotFace.SetColor(Index(37));
  Set(m_clrHotTabFace, Index(36));
  Set(m_clrHotText, Index(COLOR_BTNTEXT));
  Set(m_clrNavigateFrame, Index(37));
  m_bSchemeColors = FALSE;
  const int nScheme = UseClassicColors() ? 0 : GetColorManager()->GetCurrentSystemTheme();
  if (nScheme >= xpThemeBlue && nScheme <= xpThemeSilver) {
    const CTabSchemeColors& s = kSchemes[nScheme - 1];
    Set(m_clrFrame, s.clrFrame);
    Set(m_clrSlantedSelectedOutline, s.clrFrame);
    Set(m_clrClassicDark, s.clrDark);
    Set(m_clrSlantedOutline, s.clrDark);
    Set(m_clrClassicShadow, s.clrShadow);
    Set(m_clrSlantedLight, s.clrShadow);
    Set(m_clrSlantedInner, kWhite);
    m_grcClientFace.SetColor(kSchemeClientFace);
    m_grcHotFace.SetColor(s.clrHotFace);
    m_grcButton.SetColors(s.clrButtonStart, s.clrButtonEnd);
    Set(m_clrNormalFace, s.clrNormalFace);
    Set(m_clrSelectedFace, kSchemeSelectedFace);
    Set(m_clrHotTabFace, s.clrHotTabFace);
    m_grcButtonSelected.SetColors(s.clrSelectedButtonStart, s.clrButtonStart);
    Set(m_clrNavigateFrame, s.clrHotFace);
    m_bSchemeColors = TRUE;
  } else {
    Set(m_clrSelectedFace, Index(36));
  }
  for (int g = 0; g < 2; ++g)
    for (int i = 0; i < 6; ++i) Set(m_clrTrapezoid[g][i], i < 3 ? m_clrFrame.GetColor() : JVK_COLOR_UNSET);
  if (GetAppearance() == 4) {
    m_grcButton.SetColor(Index(COLOR_BTNFACE));
    m_grcButtonSelected.SetColor(Index(COLOR_BTNFACE));
  }
}

void CJVKTabColorSetScheme::RefreshColors() {
  CJVKTabColorSet::RefreshColors();
  ApplySchemeColors();
}

COLORREF CJVKTabColorSetScheme::FillGradientTab(CDC* pDC, CRect rc, CJVKTabManagerItem* pItem) {
  const COLORREF clrFace = pItem->IsHot() && !pItem->IsSelected() ? m_clrHotTabFace.GetColor() : GetItemColor(pItem);
  CJVKGradientColor grc;
  grc.SetColors(MixColors(clrFace, kWhite, 300), clrFace);
  FillGradient(pDC, rc, grc, pItem->GetTabManager());
  return clrFace;
}

COLORREF CJVKTabColorSetScheme::FillTab(CDC* pDC, CRect rc, CJVKTabManagerItem* pItem) {
  return FillGradientTab(pDC, rc, pItem);
}

void CJVKTabColorSetScheme::FillNavigateButton(CDC* pDC, CJVKTabManagerNavigateButton* pButton, CRect& rc) {
  pDC->SetTextColor(Index(COLOR_BTNTEXT));
  if (!pButton->IsEnabled()) return;
  const BOOL bHot = pButton->IsHot(), bPressed = pButton->IsPressed();
  if (!bHot && !bPressed) return;
  const BOOL bBoth = bHot && bPressed;
  if (m_bSchemeColors) {
    const COLORREF clrFrom = bBoth ? RGB(254, 142, 75) : RGB(255, 242, 200);
    const COLORREF clrTo = bBoth ? RGB(255, 207, 139) : RGB(255, 212, 151);
    JVKDrawHelpers()->GradientFill(pDC, rc, clrFrom, clrTo, FALSE);
    pDC->Draw3dRect(rc, m_clrNavigateFrame, m_clrNavigateFrame);
    return;
  }
  pDC->FillSolidRect(rc, Index(bBoth ? 50 : 32));
  const COLORREF clrFrame = Index(bBoth ? 33 : 31);
  pDC->Draw3dRect(rc, clrFrame, clrFrame);
  pDC->SetTextColor(Index(bBoth ? 47 : 45));
}

void CJVKTabColorSetSchemeLight::RefreshColors() {
  CJVKTabColorSet::RefreshColors();
  Set(m_clrSelectedFace, kWhite);
  m_bSchemeColors = FALSE;
  m_bGradientFaces = FALSE;
  Set(m_clrHotTabFace, Index(36));
  Set(m_clrHotText, Index(COLOR_BTNTEXT));
  if (!UseClassicColors()) {
    ApplySchemeColors();
    return;
  }
  const int nScheme = GetColorManager()->GetCurrentSystemTheme();
  if (nScheme == xpThemeBlue || nScheme == xpThemeOlive) {
    m_grcButton.SetColor(0xD5E2E4);
    m_bGradientFaces = TRUE;
  } else if (nScheme == xpThemeSilver) {
    Set(m_clrNormalFace, 0xF8F5F5);
    m_grcButton.SetColor(0xEEEEEE);
    m_bGradientFaces = TRUE;
  }
  Set(m_clrFrame, Index(57));
  Set(m_clrSlantedSelectedOutline, Index(57));
}

COLORREF CJVKTabColorSetSchemeLight::FillTab(CDC* pDC, CRect rc, CJVKTabManagerItem* pItem) {
  if (m_bGradientFaces) return FillGradientTab(pDC, rc, pItem);
  const COLORREF clrFace = pItem->IsHot() && !pItem->IsSelected() ? m_clrHotTabFace.GetColor() : GetItemColor(pItem);
  pDC->FillSolidRect(rc, clrFace);
  return clrFace;
}
