#include "PropertyGridThemes.h"

#include "ColorManager.h"
#include "DrawHelpers.h"
#include "PropertyGridItem.h"
#include "PropertyGridLayout.h"

CJVKPropertyGridPaintManager* JVKCreateGridPaintManager(int nTheme, CJVKPropertyGrid* pGrid) {
  switch (nTheme) {
    case 0: return new CJVKPropertyGridPaintManager(pGrid);
    case 1: return new CJVKPropertyGridThemeVisual(pGrid);
    case 2: return new CJVKPropertyGridThemeTinted(pGrid);
    case 3: return new CJVKPropertyGridThemeFlat(pGrid);
    case 4: return new CJVKPropertyGridThemeMargin(pGrid);
    case 5: return new CJVKPropertyGridThemeEtched(pGrid);
    case 6: return new CJVKPropertyGridThemeBanded(pGrid);
    default: return nullptr;
  }
}

CJVKPropertyGridThemeVisual::CJVKPropertyGridThemeVisual(CJVKPropertyGrid* pGrid) : CJVKPropertyGridPaintManager(pGrid) {
  m_bThemed = TRUE;
}

void CJVKPropertyGridThemeVisual::RefreshMetrics() {
  CJVKPropertyGridPaintManager::RefreshMetrics();
  switch (GetCurrentSystemTheme()) {
    case xpThemeBlue:
    case xpThemeSilver: m_clrShadow = RGB(0x7F, 0x9D, 0xB9); break;
    case xpThemeOlive: m_clrShadow = RGB(0xA4, 0xB9, 0x7F); break;
    default: break;
  }
}

CJVKPropertyGridThemeTinted::CJVKPropertyGridThemeTinted(CJVKPropertyGrid* pGrid) : CJVKPropertyGridPaintManager(pGrid) {
  m_bThemed = TRUE;
}

void CJVKPropertyGridThemeTinted::RefreshMetrics() {
  CJVKPropertyGridPaintManager::RefreshMetrics();
  m_bThemeColorsApplied = FALSE;
  CJVKColorManager* pColors = GetColorManager();
  if (pColors->IsThemeColorsDisabled()) return;
  // Face (and help back), line and category back per system theme.
  struct Tint {
    int nTheme;
    COLORREF clrFace, clrLine, clrCategory;
  };
  static const Tint kTints[] = {
      {xpThemeBlue, RGB(0xDD, 0xEC, 0xFE), RGB(0x7B, 0xA4, 0xE0), RGB(0xA9, 0xC7, 0xF0)},
      {xpThemeOlive, RGB(0xF3, 0xF2, 0xE7), RGB(0xBC, 0xBB, 0xB1), RGB(0xC5, 0xD4, 0x9F)},
      {xpThemeSilver, RGB(0xEE, 0xEE, 0xF4), RGB(0xA1, 0xA0, 0xBB), RGB(0xC0, 0xC0, 0xD3)},
  };
  const int nTheme = pColors->GetCurrentSystemTheme();
  for (const Tint& tint : kTints) {
    if (tint.nTheme != nTheme) continue;
    m_clrFace = tint.clrFace;
    m_pMetrics->m_clrHelpBack.m_clrValue = tint.clrFace;
    m_clrShadow = tint.clrLine;
    m_pMetrics->m_clrLine.m_clrValue = tint.clrCategory;
    m_pMetrics->m_clrCategoryFore.m_clrValue = RGB(0, 0, 0);
    m_bThemeColorsApplied = TRUE;
  }
}

void CJVKPropertyGridThemeFlat::RefreshMetrics() {
  CJVKPropertyGridPaintManager::RefreshMetrics();
  m_pMetrics->m_clrLine.m_clrValue = JVKGridColor(COLOR_3DFACE);
}

void CJVKPropertyGridThemeMargin::RefreshMetrics() {
  CJVKPropertyGridPaintManager::RefreshMetrics();
  m_pMetrics->m_clrLine.m_clrValue = JVKGridColor(COLOR_3DFACE);
}

void CJVKPropertyGridThemeEtched::RefreshMetrics() {
  CJVKPropertyGridPaintManager::RefreshMetrics();
  m_pMetrics->m_clrBack.m_clrValue = JVKGridColor(COLOR_3DFACE);
  m_pMetrics->m_clrFore.m_clrValue = RGB(0x00, 0x00, 0x80);
}

CJVKPropertyGridThemeBanded::CJVKPropertyGridThemeBanded(CJVKPropertyGrid* pGrid) : CJVKPropertyGridPaintManager(pGrid) {
  m_bThemed = TRUE;
}

void CJVKPropertyGridThemeBanded::RefreshMetrics() {
  CJVKPropertyGridPaintManager::RefreshMetrics();
  m_pMetrics->m_clrLine.m_clrValue = JVKGridColor(COLOR_3DFACE);
  m_pMetrics->m_clrCategoryFore.m_clrValue = JVKGridColor(COLOR_BTNTEXT);
  m_clrShadow = JVKGridColor(57);
}

void CJVKPropertyGridThemeBanded::DrawExpandButton(CDC* pDC, CJVKPropertyGridItem* pItem, CRect rc) {
  const int nIndent = pItem->GetIndent();
  int nShift = 0;
  if (nIndent > 0) nShift = (pItem->IsCategory() ? nIndent : nIndent - 1) * kJvkGridIndent;
  const int cy = (rc.top + rc.bottom) / 2;
  const CRect rcBox(rc.left + 2 + nShift, cy - 4, rc.left + 11 + nShift, cy + 5);
  const COLORREF clrEdge = JVKGridColor(COLOR_3DSHADOW);
  // Edges without the corners, a face-coloured inside lit white at the top.
  pDC->FillSolidRect(rcBox.left + 1, rcBox.top, 7, 1, clrEdge);
  pDC->FillSolidRect(rcBox.left + 1, rcBox.bottom - 1, 7, 1, clrEdge);
  pDC->FillSolidRect(rcBox.left, rcBox.top + 1, 1, 7, clrEdge);
  pDC->FillSolidRect(rcBox.right - 1, rcBox.top + 1, 1, 7, clrEdge);
  pDC->FillSolidRect(rcBox.left + 1, rcBox.top + 1, 7, 7, JVKGridColor(COLOR_3DFACE));
  pDC->FillSolidRect(rcBox.left + 1, rcBox.top + 1, 7, 3, RGB(0xFF, 0xFF, 0xFF));
  pDC->FillSolidRect(rcBox.left + 2, rcBox.top + 4, 5, 2, RGB(0xFF, 0xFF, 0xFF));
  pDC->FillSolidRect(rcBox.left + 2, rcBox.top + 4, 5, 1, RGB(0, 0, 0));
  if (!pItem->IsExpanded()) pDC->FillSolidRect(rcBox.left + 4, rcBox.top + 2, 1, 5, RGB(0, 0, 0));
}

void CJVKPropertyGridThemeBanded::DrawCategoryRowBackground(CDC* pDC, CRect rc) {
  CJVKPropertyGridPaintManager::DrawCategoryRowBackground(pDC, rc);
  const CRect rcLine(rc.left, rc.bottom - 3, rc.right, rc.bottom - 2);
  JVKDrawHelpers()->GradientFill(pDC, &rcLine, m_pMetrics->m_clrLine, JVKGridColor(COLOR_3DHILIGHT), TRUE);
}
