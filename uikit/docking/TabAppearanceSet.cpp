#include "TabAppearanceSet.h"

#include <algorithm>

#include "TabAppearanceStyles.h"
#include "TabColorSet.h"
#include "TabLayout.h"
#include "TabManager.h"
#include "TabPaintManager.h"

#include <ScopeDC.h>

#include <vector>

void JVKInflateTurnedRect(CRect& rc, int nPosition, int nLeading, int nTabSide, int nTrailing, int nClientSide) {
  RECT r = rc;
  JVKInflateTurned(r, nPosition, JVKMakeTabRect(nLeading, nTabSide, nTrailing, nClientSide), 1);
  rc = r;
}

void JVKTabLine(CDC* pDC, int x, int y, int nLength, BOOL bHorizontal, COLORREF clr) {
  if (clr == JVK_COLOR_UNSET || nLength <= 0) return;
  if (bHorizontal) {
    pDC->FillSolidRect(x, y, nLength, 1, clr);
  } else {
    pDC->FillSolidRect(x, y, 1, nLength, clr);
  }
}

void JVKTabPolyline(CDC* pDC, const POINT* pPoints, int nCount, COLORREF clr) {
  if (clr == JVK_COLOR_UNSET || nCount < 2) return;
  CJVKPenDC pen(*pDC, clr);
  pDC->Polyline(pPoints, nCount);
}

COLORREF JVKFillTabPolygon(CDC* pDC, const POINT* pPoints, int nCount, CJVKTabManagerItem* pItem,
                           CJVKTabColorSet* pColorSet) {
  CRgn rgn;
  rgn.CreatePolygonRgn(const_cast<POINT*>(pPoints), nCount, ALTERNATE);
  CRect rcBox;
  rgn.GetRgnBox(rcBox);
  if (rcBox.IsRectEmpty()) return pColorSet->GetItemColor(pItem);
  // The face is painted into a bitmap of the polygon's box, then copied
  // through the polygon's clipping.
  CDC dcMem;
  dcMem.CreateCompatibleDC(pDC);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(pDC, rcBox.Width(), rcBox.Height());
  CBitmap* pOld = dcMem.SelectObject(&bitmap);
  dcMem.SetViewportOrg(-rcBox.left, -rcBox.top);
  const COLORREF clrFace = pColorSet->FillTab(&dcMem, rcBox, pItem);
  dcMem.SetViewportOrg(0, 0);
  const int nSaved = pDC->SaveDC();
  ::ExtSelectClipRgn(*pDC, static_cast<HRGN>(rgn.GetSafeHandle()), RGN_AND);
  pDC->BitBlt(rcBox.left, rcBox.top, rcBox.Width(), rcBox.Height(), &dcMem, 0, 0, SRCCOPY);
  pDC->RestoreDC(nSaved);
  dcMem.SelectObject(pOld);
  return clrFace;
}

POINT CJVKTabTurn::Map(int u, int v) const {
  switch (m_nPosition) {
    case jvkTabPositionBottom: return POINT{m_rc.left + u, m_rc.bottom - 1 - v};
    case jvkTabPositionLeft: return POINT{m_rc.left + v, m_rc.top + u};
    case jvkTabPositionRight: return POINT{m_rc.right - 1 - v, m_rc.top + u};
    default: return POINT{m_rc.left + u, m_rc.top + v};
  }
}

void CJVKTabTurn::Pixel(int u, int v, COLORREF clr) const {
  if (clr == JVK_COLOR_UNSET) return;
  const POINT pt = Map(u, v);
  m_pDC->FillSolidRect(pt.x, pt.y, 1, 1, clr);
}

void CJVKTabTurn::LineAlong(int u, int v, int nLength, COLORREF clr) const {
  if (nLength <= 0) return;
  const POINT a = Map(u, v), b = Map(u + nLength - 1, v);
  const BOOL bHorizontal = !JVKIsVerticalTabPosition(m_nPosition);
  JVKTabLine(m_pDC, std::min(a.x, b.x), std::min(a.y, b.y), nLength, bHorizontal, clr);
}

void CJVKTabTurn::LineAcross(int u, int v, int nLength, COLORREF clr) const {
  if (nLength <= 0) return;
  const POINT a = Map(u, v), b = Map(u, v + nLength - 1);
  const BOOL bHorizontal = JVKIsVerticalTabPosition(m_nPosition);
  JVKTabLine(m_pDC, std::min(a.x, b.x), std::min(a.y, b.y), nLength, bHorizontal, clr);
}

void CJVKTabTurn::Polyline(const POINT* pPoints, int nCount, COLORREF clr) const {
  std::vector<POINT> mapped;
  for (int i = 0; i < nCount; ++i) mapped.push_back(Map(pPoints[i].x, pPoints[i].y));
  JVKTabPolyline(m_pDC, mapped.data(), nCount, clr);
}

COLORREF CJVKTabTurn::FillPolygon(const POINT* pPoints, int nCount, CJVKTabManagerItem* pItem,
                                  CJVKTabColorSet* pColors) const {
  std::vector<POINT> mapped;
  for (int i = 0; i < nCount; ++i) mapped.push_back(Map(pPoints[i].x, pPoints[i].y));
  return JVKFillTabPolygon(m_pDC, mapped.data(), nCount, pItem, pColors);
}

CJVKTabColorSet* CJVKTabAppearanceSet::GetColorSet() const { return m_pPaintManager->GetColorSet(); }

void CJVKTabAppearanceSet::RefreshMetrics() {
  HDC hDC = ::GetWindowDC(nullptr);
  CDC* pDC = CDC::FromHandle(hDC);
  int nHeight = 0;
  {
    CJVKFontDC font(pDC, m_pPaintManager->GetFont(FALSE, FALSE));
    SIZE sz = {0, 0};
    ::GetTextExtentPoint32(hDC, " ", 1, &sz);
    nHeight = sz.cy;
  }
  ::ReleaseDC(nullptr, hDC);
  m_nButtonHeight = std::max(nHeight + 3, 18);
}

namespace {

JVKTabLayoutStyle StyleWithoutFrame(CJVKTabPaintManager* pPaintManager, CJVKTabManager* pManager) {
  JVKTabLayoutStyle style = pPaintManager->GetLayoutStyle(pManager);
  style.bStaticFrame = FALSE;
  return style;
}

int LongestWidth(CJVKTabManager* pManager) {
  int nLongest = 0;
  for (int i = 0; i < pManager->GetItemCount(); ++i) nLongest = std::max(nLongest, pManager->GetItem(i)->GetWidth());
  return nLongest;
}

}  // namespace

CRect CJVKTabAppearanceSet::GetHeaderRect(CRect rc, CJVKTabManager* pManager) {
  return CRect(JVKTabHeaderRect(StyleWithoutFrame(m_pPaintManager, pManager), rc, pManager->GetRowCount(),
                                LongestWidth(pManager)));
}

CRect CJVKTabAppearanceSet::GetClientAreaRect(CRect rc, CJVKTabManager* pManager) {
  return CRect(JVKTabClientAreaRect(StyleWithoutFrame(m_pPaintManager, pManager), rc, pManager->GetRowCount(),
                                    LongestWidth(pManager)));
}

CRect CJVKTabAppearanceSet::GetClientMargin() { return m_pPaintManager->m_rcClientMargins; }

int CJVKTabAppearanceSet::GetItemLength(CDC* pDC, CJVKTabManagerItem* pItem) {
  return m_pPaintManager->DrawTextItem(pDC, pItem, CRect(0, 0, 0, 0), FALSE);
}

int CJVKTabAppearanceSet::GetRowHeight(const CJVKTabManager* pManager) {
  const CRect& pad = m_pPaintManager->m_rcButtonPadding;
  CSize szMin;
  pManager->GetItemMetrics(nullptr, &szMin, nullptr);
  int nHeight = std::max<int>(m_nButtonHeight + pad.top + pad.bottom, szMin.cy);
  if (m_pPaintManager->m_bShowIcons) {
    const CSize& szIcon = m_pPaintManager->m_szIcon;
    nHeight = std::max<int>(nHeight, std::max(szIcon.cx, szIcon.cy) + pad.top + pad.bottom + 4);
  }
  return nHeight;
}

void CJVKTabAppearanceSet::DrawTabControl(CJVKTabManager* pManager, CDC* pDC, CRect rc) {
  m_pPaintManager->DrawStandard(pManager, pDC, rc);
}

CRect CJVKTabAppearanceSet::FillTabControl(CJVKTabManager* pManager, CDC* pDC, CRect rc) {
  return FillHeaderAndClient(pManager, pDC, rc, 0);
}

void CJVKTabAppearanceSet::RepositionTabControl(CJVKTabManager* pManager, CDC* pDC, CRect rc) {
  m_pPaintManager->LayoutStandard(pManager, pDC, rc);
}

void CJVKTabAppearanceSet::AdjustClientRect(CJVKTabManager* pManager, CRect& rc) {
  JVKTabStrip strip;
  strip.items.resize(pManager->GetItemCount());
  for (int i = 0; i < pManager->GetItemCount(); ++i) strip.items[i].nWidth = pManager->GetItem(i)->GetWidth();
  strip.rows.resize(pManager->GetRowCount());
  rc = CRect(JVKTabAdjustClientRect(StyleWithoutFrame(m_pPaintManager, pManager), rc, strip));
}

CRect CJVKTabAppearanceSet::FillHeaderAndClient(CJVKTabManager* pManager, CDC* pDC, CRect rc, int nGrow) {
  const CRect rcHeader = GetHeaderRect(rc, pManager);
  CRect rcFill = rcHeader;
  JVKInflateTurnedRect(rcFill, pManager->GetPosition(), 0, 0, 0, nGrow);
  GetColorSet()->GradientFill(pDC, rcFill, pManager);
  const int nFrame = m_pPaintManager->m_nClientFrame;
  if (nFrame == 0 || nFrame == 1) {
    const CRect rcClient = GetClientAreaRect(rc, pManager);
    if (nFrame == 0) GetColorSet()->FillClient(pDC, rcClient, pManager);
    DrawClientAreaFrame(pDC, rcClient, pManager->GetPosition(), nFrame == 1);
  }
  return rcHeader;
}

void CJVKTabAppearanceSet::DrawClientAreaFrame(CDC* pDC, CRect rc, int nPosition, BOOL bTabSideOnly) {
  const COLORREF clr = GetColorSet()->m_clrFrame;
  if (!bTabSideOnly) {
    pDC->Draw3dRect(rc, clr, clr);
    return;
  }
  CJVKTabTurn turn(pDC, rc, nPosition);
  turn.LineAlong(0, 0, turn.Along(), clr);
}

void CJVKTabAppearanceSet::DrawContent(CDC* pDC, CJVKTabManagerItem* pItem, CRect rc) {
  m_pPaintManager->DrawTextItem(pDC, pItem, rc, TRUE);
}

void CJVKTabAppearanceSet::PlaceItem(CJVKTabManagerItem* pItem, const CRect& rc, int nRow) {
  pItem->m_rcItem = rc;
  pItem->m_nRow = nRow;
}

void CJVKTabAppearanceSet::SetHeader(CJVKTabManager* pManager, const CRect& rcHeader) {
  pManager->m_rcHeader = rcHeader;
}

void CJVKTabAppearanceSet::HideNavigateButtons(CJVKTabManager* pManager) {
  for (CJVKTabManagerNavigateButton* pButton : pManager->m_arrNavigateButtons) pButton->m_rcButton.SetRectEmpty();
}

CJVKTabAppearanceSet* JVKCreateTabAppearanceSet(int nCode) {
  switch (nCode) {
    case 1: return new CJVKTabAppearanceClassic(FALSE);
    case 2: return new CJVKTabAppearanceRounded;
    case 3: return new CJVKTabAppearanceSlanted(FALSE);
    case 4: return new CJVKTabAppearanceButtons;
    case 5: return new CJVKTabAppearanceFlat;
    case 6: return new CJVKTabAppearanceBoxes;
    case 7: return new CJVKTabAppearanceTrapezoid;
    case 8: return new CJVKTabAppearanceStacked;
    case 9: return new CJVKTabAppearanceSlanted(TRUE);
    default: return new CJVKTabAppearanceClassic(TRUE);
  }
}
