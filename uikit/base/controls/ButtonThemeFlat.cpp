#include "ButtonThemeFlat.h"

#include "Button.h"
#include "ColorManager.h"
#include "ImageManagerIcon.h"

namespace {
COLORREF Palette(int nIndex) { return GetColorManager()->GetColor(static_cast<UINT>(nIndex)); }
}  // namespace

CJVButtonThemeFlat::CJVButtonThemeFlat(BOOL bFace) : m_bFace(bFace) {
  m_nThemeType = 1;
  m_bOffsetCaption = FALSE;
}

void CJVButtonThemeFlat::RefreshMetrics() {
  CJVButtonTheme::RefreshMetrics();
  m_clrFace.m_clrValue = Palette(m_bFace ? 30 : COLOR_3DFACE);
  m_clrText.m_clrValue = Palette(46);
  m_clrDisabledText.m_clrValue = Palette(COLOR_GRAYTEXT);
  m_clrBorder.m_clrValue = Palette(32);
  m_clrShadow.m_clrValue = Palette(COLOR_3DSHADOW);
  m_clrHighlight.m_clrValue = Palette(COLOR_3DHIGHLIGHT);
  m_clrDarkShadow.m_clrValue = Palette(COLOR_3DDKSHADOW);
  m_clrPressedFill.m_clrValue = Palette(33);
  m_clrHotFill.m_clrValue = Palette(31);
  m_clrHotText.m_clrValue = Palette(45);
  m_clrPressedText.m_clrValue = Palette(47);
  m_clrCheckedFill.m_clrValue = Palette(36);
}

BOOL CJVButtonThemeFlat::IsHotTracking(CJVButton* /*pButton*/) { return TRUE; }

void CJVButtonThemeFlat::SetFaceFlag(BOOL bFace) {
  m_bFace = bFace;
  RefreshMetrics();
}

COLORREF CJVButtonThemeFlat::GetTextColor(UINT nItemState, CJVButton* pButton) {
  if (nItemState & ODS_DISABLED) return Palette(COLOR_GRAYTEXT);
  if (pButton->IsHot()) return m_clrHotText;
  if (nItemState & ODS_SELECTED) return m_clrPressedText;
  return m_clrText;
}

void CJVButtonThemeFlat::DrawImage(CDC* pDC, CJVButton* pButton, LPDRAWITEMSTRUCT lpDIS) {
  CJVKImageManagerIcon* pImage = pButton->GetImage();
  if (!pImage || !GetImageFlag()) return;
  const CRect rcItem(lpDIS->rcItem);
  const CPoint pt = rcItem.TopLeft() + GetImagePosition(pDC, pButton, rcItem);
  if (lpDIS->itemState & ODS_DISABLED) {
    pImage->Draw(pDC, pt, pImage->GetDisabledIcon());
  } else if (pButton->IsHot()) {
    if (m_bImageShadow) {
      pImage->Draw(pDC, CPoint(pt.x + 1, pt.y + 1), pImage->GetShadowIcon());
      pImage->Draw(pDC, CPoint(pt.x - 1, pt.y - 1), pImage->GetHotIcon());
    } else {
      pImage->Draw(pDC, pt, pImage->GetHotIcon());
    }
  } else if (lpDIS->itemState & ODS_SELECTED) {
    pImage->Draw(pDC, pt, pImage->GetHotIcon());
  } else {
    pImage->Draw(pDC, pt, m_bFadedImage ? pImage->GetFadedIcon() : pImage->GetIcon());
  }
}

BOOL CJVButtonThemeFlat::GetStateFill(UINT nItemState, CJVButton* pButton, COLORREF& clrFill) const {
  const BOOL bSelected = (nItemState & ODS_SELECTED) != 0;
  const BOOL bHot = pButton->IsHot(), bChecked = pButton->IsChecked();
  if (bSelected)
    clrFill = m_clrPressedFill;
  else if (bHot)
    clrFill = bChecked ? m_clrPressedFill : m_clrHotFill;
  else if (bChecked)
    clrFill = m_clrCheckedFill;
  else
    return FALSE;
  return TRUE;
}

void CJVButtonThemeFlat::DrawBackground(CDC* pDC, CJVButton* pButton, LPDRAWITEMSTRUCT lpDIS) {
  const CRect rect(lpDIS->rcItem);
  COLORREF clrFill;
  if (!GetStateFill(lpDIS->itemState, pButton, clrFill)) {
    pDC->FillSolidRect(&rect, m_clrFace);
    if (m_bFace) pDC->Draw3dRect(&rect, m_clrShadow, m_clrShadow);
    return;
  }
  pDC->FillSolidRect(&rect, clrFill);
  pDC->Draw3dRect(&rect, m_clrBorder, m_clrBorder);
}

void CJVButtonThemeFlat::DrawFocusRect(CDC* pDC, CJVButton* pButton, LPDRAWITEMSTRUCT lpDIS) {
  if (m_bFace && !pButton->IsHot() && !(lpDIS->itemState & ODS_SELECTED) &&
      !(pButton->GetXButtonStyle() & JVBS_WINDOWSTHEME)) {
    CRect rect(lpDIS->rcItem);
    const COLORREF clr = Palette(COLOR_HIGHLIGHT);
    pDC->Draw3dRect(&rect, clr, clr);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(&rect, clr, clr);
    return;
  }
  CJVButtonTheme::DrawFocusRect(pDC, pButton, lpDIS);
}
