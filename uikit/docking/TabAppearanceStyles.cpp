#include "TabAppearanceStyles.h"

#include <algorithm>

#include "TabColorSet.h"
#include "TabManager.h"
#include "TabPaintManager.h"

#include <ScopeDC.h>

namespace {

BOOL IsFirstRow(const CJVKTabManagerItem* pItem) { return pItem->GetRow() == 0; }

// Colours of a frame's sides: the tab side of a frame drawn "light at the
// top and left, dark at the bottom and right".
COLORREF TabSideColor(int nPosition, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  return nPosition == jvkTabPositionTop || nPosition == jvkTabPositionLeft ? clrTopLeft : clrBottomRight;
}

void DrawTabSideEdge(CDC* pDC, CRect rc, int nPosition, COLORREF clr) {
  CJVKTabTurn turn(pDC, rc, nPosition);
  turn.LineAlong(0, 0, turn.Along(), clr);
}

}  // namespace

CJVKTabAppearanceClassic::CJVKTabAppearanceClassic(BOOL bOutlineAll) : m_bOutlineAll(bOutlineAll) {
  m_rcHeaderMargin = CRect(2, 3, 6, 0);
}

CRect CJVKTabAppearanceClassic::GetClientMargin() {
  CRect rc = CJVKTabAppearanceSet::GetClientMargin();
  if (GetColorSet()->IsAppThemed() && m_pPaintManager->m_nClientFrame == 0) {
    rc.right += 2;
    const int nPosition = m_pPaintManager->GetPosition();
    if (nPosition == jvkTabPositionTop || nPosition == jvkTabPositionLeft) rc.bottom += 2;
  }
  return rc;
}

CRect CJVKTabAppearanceClassic::FillTabControl(CJVKTabManager* pManager, CDC* pDC, CRect rc) {
  return FillHeaderAndClient(pManager, pDC, rc, 1);
}

void CJVKTabAppearanceClassic::DrawClientAreaFrame(CDC* pDC, CRect rc, int nPosition, BOOL bTabSideOnly) {
  const CJVKTabColorSet* pColors = GetColorSet();
  const COLORREF clrLight = pColors->m_clrClassicLight, clrDark = pColors->m_clrClassicDark;
  if (bTabSideOnly) {
    DrawTabSideEdge(pDC, rc, nPosition, TabSideColor(nPosition, clrLight, clrDark));
    return;
  }
  JVKTabLine(pDC, rc.left, rc.top, rc.Width(), TRUE, clrLight);
  JVKTabLine(pDC, rc.left, rc.top, rc.Height(), FALSE, clrLight);
  JVKTabLine(pDC, rc.left, rc.bottom - 1, rc.Width(), TRUE, clrDark);
  JVKTabLine(pDC, rc.right - 1, rc.top, rc.Height(), FALSE, clrDark);
  const COLORREF clrShadow = pColors->m_clrClassicShadow;
  JVKTabLine(pDC, rc.left + 1, rc.bottom - 2, rc.Width() - 2, TRUE, clrShadow);
  JVKTabLine(pDC, rc.right - 2, rc.top + 1, rc.Height() - 2, FALSE, clrShadow);
}

void CJVKTabAppearanceClassic::DrawSingleButton(CDC* pDC, CJVKTabManagerItem* pItem) {
  const int nPosition = m_pPaintManager->GetPosition();
  CRect rc = pItem->GetRect();
  const BOOL bOutline = m_bOutlineAll || pItem->IsSelected() || pItem->IsHot();
  if (bOutline) {
    if (pItem->IsSelected()) JVKInflateTurnedRect(rc, nPosition, 2, 2, 2, 0);
    CJVKTabColorSet* pColors = GetColorSet();
    CRect rcFace = rc;
    JVKInflateTurnedRect(rcFace, nPosition, -1, -1, -1, 0);
    const COLORREF clrFace = pColors->FillTab(pDC, rcFace, pItem);
    const CJVKTabTurn turn(pDC, rc, nPosition);
    const int w = turn.Along(), h = turn.Across();
    const COLORREF clrLight = pColors->m_clrClassicLight, clrDark = pColors->m_clrClassicDark;
    turn.LineAcross(0, 2, h - 2, clrLight);
    turn.Pixel(1, 1, clrLight);
    turn.LineAlong(2, 0, w - 4, clrLight);
    turn.Pixel(w - 2, 1, clrDark);
    turn.LineAcross(w - 1, 2, h - 2, clrDark);
    turn.LineAcross(w - 2, 2, h - 2, pColors->m_clrClassicShadow);
    if (pItem->IsSelected() && IsFirstRow(pItem)) turn.LineAlong(1, h - 1, w - 3, clrFace);
  }
  DrawContent(pDC, pItem, pItem->GetRect());
}

CJVKTabAppearanceRounded::CJVKTabAppearanceRounded() { m_rcHeaderMargin = CRect(2, 2, 4, 0); }

void CJVKTabAppearanceRounded::DrawSingleButton(CDC* pDC, CJVKTabManagerItem* pItem) {
  const int nPosition = m_pPaintManager->GetPosition();
  CJVKTabColorSet* pColors = GetColorSet();
  CRect rc = pItem->GetRect();
  JVKInflateTurnedRect(rc, nPosition, 0, 0, 1, 0);
  CRect rcFace = rc;
  JVKInflateTurnedRect(rcFace, nPosition, -1, -1, -1, 0);
  const COLORREF clrFace = pColors->FillTab(pDC, rcFace, pItem);
  const CJVKTabTurn turn(pDC, rc, nPosition);
  const COLORREF clrFrame = pColors->m_clrFrame;
  if (!pItem->IsSelected()) turn.LineAlong(0, turn.Across() - 1, turn.Along(), clrFrame);

  // Only the corners on the tab side show round: the figure reaches past
  // the client side and is clipped one pixel beyond the tab.
  CRect rcRound = rc, rcClip = rc;
  JVKInflateTurnedRect(rcRound, nPosition, 0, 0, 0, 6);
  JVKInflateTurnedRect(rcClip, nPosition, 0, 0, 0, 1);
  const int nSaved = pDC->SaveDC();
  pDC->IntersectClipRect(rcClip);
  {
    CJVKPenDC pen(*pDC, clrFrame);
    HGDIOBJ hOld = ::SelectObject(*pDC, ::GetStockObject(NULL_BRUSH));
    pDC->RoundRect(rcRound, CPoint(6, 6));
    ::SelectObject(*pDC, hOld);
  }
  pDC->RestoreDC(nSaved);
  if (m_bJoinCorners && pItem->IsSelected() && IsFirstRow(pItem))
    turn.LineAlong(1, turn.Across() - 1, turn.Along() - 2, clrFace);
  DrawContent(pDC, pItem, pItem->GetRect());
}

CJVKTabAppearanceButtons::CJVKTabAppearanceButtons() {
  m_rcHeaderMargin = CRect(2, 2, 4, 2);
  m_nRowSpacing = 0;
}

CRect CJVKTabAppearanceButtons::FillTabControl(CJVKTabManager* pManager, CDC* /*pDC*/, CRect rc) {
  return GetHeaderRect(rc, pManager);
}

void CJVKTabAppearanceButtons::DrawSingleButton(CDC* pDC, CJVKTabManagerItem* pItem) {
  GetColorSet()->FillButton(pDC, pItem->GetRect(), pItem);
  DrawContent(pDC, pItem, pItem->GetRect());
}

CJVKTabAppearanceFlat::CJVKTabAppearanceFlat() { m_rcHeaderMargin = CRect(4, 2, 4, 0); }

void CJVKTabAppearanceFlat::DrawClientAreaFrame(CDC* pDC, CRect rc, int nPosition, BOOL bTabSideOnly) {
  const COLORREF clrTopLeft = GetColorSet()->m_clrHighlight, clrBottomRight = GetColorSet()->m_clrSelectedText;
  if (bTabSideOnly) {
    DrawTabSideEdge(pDC, rc, nPosition, TabSideColor(nPosition, clrTopLeft, clrBottomRight));
  } else {
    pDC->Draw3dRect(rc, clrTopLeft, clrBottomRight);
  }
}

void CJVKTabAppearanceFlat::DrawSingleButton(CDC* pDC, CJVKTabManagerItem* pItem) {
  const int nPosition = m_pPaintManager->GetPosition();
  CJVKTabColorSet* pColors = GetColorSet();
  CRect rc = pItem->GetRect();
  if (pItem->IsSelected()) {
    JVKInflateTurnedRect(rc, nPosition, 0, 0, 0, 1);
    pColors->FillTab(pDC, rc, pItem);
    pDC->Draw3dRect(rc, pColors->m_clrHighlight, pColors->m_clrSelectedText);
  } else {
    const CJVKTabTurn turn(pDC, rc, nPosition);
    turn.LineAcross(turn.Along() - 1, 2, turn.Across() - 4, pColors->m_clrFrame);
  }
  DrawContent(pDC, pItem, pItem->GetRect());
}

CJVKTabAppearanceBoxes::CJVKTabAppearanceBoxes() { m_rcHeaderMargin = CRect(2, 2, 4, 0); }

void CJVKTabAppearanceBoxes::DrawSingleButton(CDC* pDC, CJVKTabManagerItem* pItem) {
  const int nPosition = m_pPaintManager->GetPosition();
  CJVKTabColorSet* pColors = GetColorSet();
  CRect rc = pItem->GetRect();
  JVKInflateTurnedRect(rc, nPosition, 0, 0, 1, pItem->IsSelected() ? 1 : 0);
  pColors->FillTab(pDC, rc, pItem);
  pDC->Draw3dRect(rc, pColors->m_clrFrame, pColors->m_clrFrame);
  DrawContent(pDC, pItem, pItem->GetRect());
}
