#include "TabColorSet.h"

#include <algorithm>

#include "TabManager.h"
#include "TabPaintManager.h"

#include <ColorManager.h>
#include <DrawHelpers.h>

COLORREF CJVKTabColorSet::Index(UINT nIndex) { return GetColorManager()->GetColor(nIndex); }

int CJVKTabColorSet::GetAppearance() const { return m_pPaintManager ? m_pPaintManager->GetAppearance() : 0; }

void CJVKTabColorSet::RefreshColors() {
  m_grcButton.SetColor(Index(COLOR_BTNFACE));
  m_grcButtonSelected = m_grcButton;
  Set(m_clrFrame, Index(COLOR_BTNSHADOW));
  Set(m_clrBackground, Index(COLOR_BTNFACE));
  Set(m_clrHighlight, Index(COLOR_BTNHIGHLIGHT));
  Set(m_clrSelectedFace, Index(GetAppearance() == 7 ? COLOR_WINDOW : COLOR_BTNFACE));
  Set(m_clrNormalFace, Index(COLOR_BTNFACE));
  Set(m_clrNormalText, Index(COLOR_BTNTEXT));
  Set(m_clrInactiveText, Index(COLOR_BTNTEXT));
  Set(m_clrSelectedText, Index(COLOR_BTNTEXT));
  Set(m_clrHotText, RGB(0, 0, 128));
  Set(m_clrDisabledText, Index(COLOR_GRAYTEXT));
  m_grcClientFace.SetColor(Index(COLOR_WINDOW));
  m_grcHotFace.SetColor(Index(COLOR_HIGHLIGHT));
  Set(m_clrClassicLight, Index(COLOR_BTNHIGHLIGHT));
  Set(m_clrClassicShadow, Index(COLOR_BTNSHADOW));
  Set(m_clrClassicDark, Index(COLOR_3DDKSHADOW));
  Set(m_clrSlantedOutline, Index(COLOR_BTNSHADOW));
  Set(m_clrSlantedSelectedOutline, Index(COLOR_BTNSHADOW));
  Set(m_clrSlantedLight, Index(COLOR_BTNFACE));
  Set(m_clrSlantedInner, Index(COLOR_BTNFACE));
  const COLORREF first[6] = {Index(COLOR_BTNTEXT), Index(COLOR_BTNSHADOW), Index(COLOR_BTNTEXT),
                             JVK_COLOR_UNSET,      JVK_COLOR_UNSET,        JVK_COLOR_UNSET};
  for (int i = 0; i < 6; ++i) {
    Set(m_clrTrapezoid[0][i], first[i]);
    Set(m_clrTrapezoid[1][i], first[i]);
  }
  Set(m_clrTrapezoid[1][3], Index(COLOR_WINDOW));
  Set(m_clrTrapezoid[1][4], Index(COLOR_BTNSHADOW));
}

void CJVKTabColorSet::SetTextColor(CDC* pDC, CJVKTabManagerItem* pItem) {
  const CJVKTabManager* pManager = pItem->GetTabManager();
  COLORREF clr = m_clrNormalText;
  if (!pItem->IsEnabled()) {
    clr = m_clrDisabledText;
  } else if (pManager && !pManager->IsActive()) {
    clr = m_clrInactiveText;
  } else if (pItem->IsSelected()) {
    clr = m_clrSelectedText;
  } else if (pItem->IsHot()) {
    clr = m_clrHotText;
  }
  pDC->SetTextColor(clr);
}

void CJVKTabColorSet::FillCheckerboard(CDC* pDC, CRect rc) {
  HBRUSH hBrush = CJVKDrawHelpers::CreateHalftoneBrush();
  const COLORREF clrOldText = pDC->SetTextColor(Index(COLOR_BTNHIGHLIGHT));
  const COLORREF clrOldBk = pDC->SetBkColor(Index(COLOR_BTNFACE));
  HGDIOBJ hOld = ::SelectObject(*pDC, hBrush);
  pDC->PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
  ::SelectObject(*pDC, hOld);
  pDC->SetTextColor(clrOldText);
  pDC->SetBkColor(clrOldBk);
  ::DeleteObject(hBrush);
}

void CJVKTabColorSet::FillGradient(CDC* pDC, CRect rc, const CJVKGradientColor& grc, CJVKTabManager* pManager) {
  if (grc.m_clrStart.GetColor() == kJvkTabCheckerboard) {
    FillCheckerboard(pDC, rc);
    return;
  }
  const int nPosition = pManager ? pManager->GetPosition() : jvkTabPositionTop;
  COLORREF clrFrom = grc.m_clrStart, clrTo = grc.m_clrEnd;
  BOOL bExchange = nPosition == jvkTabPositionTop || nPosition == jvkTabPositionLeft;
  if (m_pPaintManager && m_pPaintManager->m_bInvertGradients) bExchange = !bExchange;
  if (bExchange) std::swap(clrFrom, clrTo);
  JVKDrawHelpers()->GradientFill(pDC, rc, clrFrom, clrTo, JVKIsVerticalTabPosition(nPosition));
}

void CJVKTabColorSet::GradientFill(CDC* pDC, CRect rc, CJVKTabManager* pManager) {
  FillGradient(pDC, rc, m_grcButton, pManager);
}

void CJVKTabColorSet::FillClient(CDC* pDC, CRect rc, CJVKTabManager* pManager) {
  CJVKTabManagerItem* pSelected = pManager->GetSelectedItem();
  pDC->FillSolidRect(rc, pSelected ? GetItemColor(pSelected) : m_clrSelectedFace.GetColor());
}

void CJVKTabColorSet::FillButton(CDC* pDC, CRect rc, CJVKTabManagerItem* pItem) {
  CJVKTabManager* pManager = pItem->GetTabManager();
  if (pItem->IsSelected()) {
    if (m_pPaintManager && m_pPaintManager->m_bItemColors) {
      pDC->FillSolidRect(rc, pItem->GetColor());
    } else {
      FillGradient(pDC, rc, m_grcClientFace, pManager);
    }
    pDC->Draw3dRect(rc, m_grcHotFace.m_clrStart, m_grcHotFace.m_clrEnd);
    return;
  }
  if (JVKIsVerticalTabPosition(pManager->GetPosition())) {
    pDC->Draw3dRect(rc.left + 2, rc.bottom - 2, rc.Width() - 4, 2, Index(COLOR_BTNSHADOW), Index(COLOR_BTNHIGHLIGHT));
  } else {
    pDC->Draw3dRect(rc.right - 2, rc.top + 2, 2, rc.Height() - 4, Index(COLOR_BTNSHADOW), Index(COLOR_BTNHIGHLIGHT));
  }
}

COLORREF CJVKTabColorSet::FillTab(CDC* pDC, CRect rc, CJVKTabManagerItem* pItem) {
  const COLORREF clr = GetItemColor(pItem);
  pDC->FillSolidRect(rc, clr);
  return clr;
}

COLORREF CJVKTabColorSet::GetItemColor(CJVKTabManagerItem* pItem) {
  if (m_pPaintManager && m_pPaintManager->m_bItemColors) return pItem->GetColor();
  return pItem->IsSelected() ? m_clrSelectedFace.GetColor() : m_clrNormalFace.GetColor();
}

void CJVKTabColorSet::FillClassicNavigateButton(CDC* pDC, CJVKTabManagerNavigateButton* pButton, CRect& rc) {
  if (pButton->IsEnabled() && pButton->IsPressed()) {
    pDC->Draw3dRect(rc, Index(COLOR_BTNSHADOW), Index(COLOR_BTNHIGHLIGHT));
    rc.OffsetRect(1, 1);
  } else if (pButton->IsEnabled() && pButton->IsHot()) {
    pDC->Draw3dRect(rc, Index(COLOR_BTNHIGHLIGHT), Index(COLOR_BTNSHADOW));
  }
  pDC->SetTextColor(Index(COLOR_BTNTEXT));
}

void CJVKTabColorSetDefault::RefreshColors() {
  CJVKTabColorSet::RefreshColors();
  m_grcClientFace.SetColor(kJvkTabCheckerboard);
  m_grcHotFace.SetColors(Index(COLOR_BTNSHADOW), Index(COLOR_BTNHIGHLIGHT));
  const COLORREF first[6] = {Index(COLOR_BTNTEXT),   Index(COLOR_BTNTEXT),   Index(COLOR_BTNTEXT),
                             Index(COLOR_WINDOW), Index(COLOR_BTNSHADOW), Index(COLOR_BTNSHADOW)};
  for (int i = 0; i < 6; ++i) {
    Set(m_clrTrapezoid[0][i], first[i]);
    Set(m_clrTrapezoid[1][i], i >= 3 ? JVK_COLOR_UNSET : first[i]);
  }
  if (GetAppearance() == 7) {
    Set(m_clrSelectedFace, Index(COLOR_BTNFACE));
    Set(m_clrNormalFace, Index(COLOR_WINDOW));
    Set(m_clrFrame, Index(COLOR_BTNTEXT));
  }
}

void CJVKTabColorSetDefault::FillNavigateButton(CDC* pDC, CJVKTabManagerNavigateButton* pButton, CRect& rc) {
  FillClassicNavigateButton(pDC, pButton, rc);
}

void CJVKTabColorSetFlat::RefreshColors() {
  CJVKTabColorSet::RefreshColors();
  const int nAppearance = GetAppearance();
  if (nAppearance != 7 && nAppearance != 4) m_grcButton.SetColor(Index(48));
  if (nAppearance == 5) {
    Set(m_clrNormalText, Index(49));
    Set(m_clrInactiveText, Index(49));
  }
  m_grcButtonSelected = m_grcButton;
}

void CJVKTabColorSetFlat::FillNavigateButton(CDC* pDC, CJVKTabManagerNavigateButton* pButton, CRect& rc) {
  const int nAppearance = GetAppearance();
  if (nAppearance == 7 || nAppearance == 4) {
    FillClassicNavigateButton(pDC, pButton, rc);
    return;
  }
  if (pButton->IsEnabled() && pButton->IsPressed()) {
    pDC->Draw3dRect(rc, Index(COLOR_BTNTEXT), Index(COLOR_BTNFACE));
    rc.OffsetRect(1, 1);
  } else if (pButton->IsEnabled() && pButton->IsHot()) {
    pDC->Draw3dRect(rc, Index(COLOR_BTNFACE), Index(COLOR_BTNTEXT));
  }
  pDC->SetTextColor(Index(49));
}

CJVKTabColorSet* JVKCreateTabColorSet(int nCode) {
  switch (nCode) {
    case jvkTabColorFlat: return new CJVKTabColorSetFlat;
    case jvkTabColorScheme: return new CJVKTabColorSetScheme;
    case jvkTabColorVisualStyle: return new CJVKTabColorSetVisualStyle;
    case jvkTabColorSchemeLight: return new CJVKTabColorSetSchemeLight;
    default: return new CJVKTabColorSetDefault;
  }
}
