#include "ButtonThemeGradient.h"

#include "Button.h"
#include "ColorManager.h"
#include "DrawHelpers.h"
#include "ImageManagerIcon.h"

namespace {

// Face, shadow and border of the gradient theme under the blue, olive and
// silver visual styles.
struct StyleColors {
  COLORREF clrFace, clrShadow, clrBorder;
};
const StyleColors kStyleColors[] = {
    {0xF0C7A9, 0xB99D7F, 0x800000},  // blue
    {0x9FD4C5, 0x7FB9A4, 0x385D3F},  // olive
    {0xD3C0C0, 0xB2ACA5, 0x0B4B4B},  // silver
};

}  // namespace

CJVButtonThemeGradient::CJVButtonThemeGradient() : CJVButtonThemeFlat(FALSE) {
  m_nThemeType = 2;
  m_bFadedImage = FALSE;
  m_bImageShadow = FALSE;
}

void CJVButtonThemeGradient::RefreshMetrics() {
  CJVButtonThemeFlat::RefreshMetrics();
  CJVKColorManager* pColors = GetColorManager();
  m_clrFace.m_clrValue = pColors->GetColor(COLOR_3DFACE);
  const int nTheme = GetCurrentSystemTheme();
  if (nTheme >= xpThemeBlue && nTheme <= xpThemeSilver) {
    m_clrHotFill.m_clrValue = 0xC2EEFF;
    m_clrPressedFill.m_clrValue = 0x3E80FE;
    m_clrCheckedFill.m_clrValue = 0x6FC0FF;
    m_clrText.m_clrValue = m_clrHotText.m_clrValue = m_clrPressedText.m_clrValue = 0;
    const StyleColors& colors = kStyleColors[nTheme - xpThemeBlue];
    m_clrFace.m_clrValue = colors.clrFace;
    m_clrShadow.m_clrValue = colors.clrShadow;
    m_clrBorder.m_clrValue = colors.clrBorder;
  }
  if (!m_bFace) m_clrFace.m_clrValue = pColors->GetColor(COLOR_3DFACE);
}

void CJVButtonThemeGradient::DrawImage(CDC* pDC, CJVButton* pButton, LPDRAWITEMSTRUCT lpDIS) {
  CJVKImageManagerIcon* pImage = pButton->GetImage();
  if (!pImage || !GetImageFlag()) return;
  const CRect rcItem(lpDIS->rcItem);
  const CPoint pt = rcItem.TopLeft() + GetImagePosition(pDC, pButton, rcItem);
  if (lpDIS->itemState & ODS_DISABLED)
    pImage->Draw(pDC, pt, pImage->GetDisabledIcon());
  else if (lpDIS->itemState & ODS_SELECTED)
    pImage->Draw(pDC, pt, pImage->GetHotIcon());
  else
    pImage->Draw(pDC, pt, pImage->GetIcon());
}

void CJVButtonThemeGradient::DrawBackground(CDC* pDC, CJVButton* pButton, LPDRAWITEMSTRUCT lpDIS) {
  const BOOL bPressed = (lpDIS->itemState & ODS_SELECTED) != 0;
  const BOOL bHot = pButton->IsHot(), bChecked = pButton->IsChecked();
  if (!bHot && !bChecked && !bPressed) {
    CJVButtonThemeFlat::DrawBackground(pDC, pButton, lpDIS);
    return;
  }
  const CRect rect(lpDIS->rcItem);
  const int nGradient = bPressed ? 9 : bHot ? 10 : 8;
  JVKDrawHelpers()->GradientFillColor(pDC, &rect, GetColorManager()->GetGradient(nGradient), FALSE);
  pDC->Draw3dRect(&rect, m_clrBorder, m_clrBorder);
}
