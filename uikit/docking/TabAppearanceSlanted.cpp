#include "TabAppearanceStyles.h"

#include <algorithm>

#include "TabColorSet.h"
#include "TabManager.h"
#include "TabPaintManager.h"

#include <iterator>

CJVKTabAppearanceSlanted::CJVKTabAppearanceSlanted(BOOL bBothSides) : m_bBothSides(bBothSides) {
  m_rcHeaderMargin = CRect(2, 3, 6, 0);
  m_bTwoSided = bBothSides;
}

CRect CJVKTabAppearanceSlanted::GetHeaderMargin() {
  CRect rc = m_rcHeaderMargin;
  rc.left += m_bBothSides ? m_nButtonHeight / 2 : m_nButtonHeight;
  return rc;
}

void CJVKTabAppearanceSlanted::DrawClientAreaFrame(CDC* pDC, CRect rc, int nPosition, BOOL bTabSideOnly) {
  const COLORREF clr = GetColorSet()->m_clrSlantedSelectedOutline;
  if (bTabSideOnly) {
    CJVKTabTurn turn(pDC, rc, nPosition);
    turn.LineAlong(0, 0, turn.Along(), clr);
  } else {
    pDC->Draw3dRect(rc, clr, clr);
  }
}

void CJVKTabAppearanceSlanted::DrawSingleButton(CDC* pDC, CJVKTabManagerItem* pItem) {
  CJVKTabColorSet* pColors = GetColorSet();
  const CJVKTabTurn turn(pDC, pItem->GetRect(), m_pPaintManager->GetPosition());
  const int r = turn.Along(), b = turn.Across(), h = b;
  COLORREF clrOutline = pColors->m_clrSlantedOutline, clrLight = pColors->m_clrSlantedLight,
           clrInner = pColors->m_clrSlantedInner;
  if (pItem->IsSelected()) {
    clrOutline = pColors->m_clrSlantedSelectedOutline;
    clrLight = clrInner = RGB(255, 255, 255);
  } else if (m_bHotOutline && pItem->IsHot()) {
    clrOutline = clrLight = clrInner = pColors->m_grcHotFace.m_clrEnd;
  }
  COLORREF clrFace;
  if (!m_bBothSides) {
    const POINT face[] = {{r - 1, b - 1}, {r - 1, 2}, {4, 2}, {8 - h, b - 2}};
    clrFace = turn.FillPolygon(face, 4, pItem, pColors);
    const POINT outline[] = {{r, b - 2}, {r, 2}, {r - 2, 0}, {7, 0}, {2, 2}, {6 - h, b - 2}, {4 - h, b - 2}};
    turn.Polyline(outline, static_cast<int>(std::size(outline)), clrOutline);
    const POINT light[] = {{r - 1, b - 2}, {r - 1, 2}, {r - 3, 0}};
    turn.Polyline(light, 3, clrLight);
    const POINT inner[] = {{r - 3, 1}, {6, 1}, {1, 4}, {6 - h, b - 1}};
    turn.Polyline(inner, 4, clrInner);
    if (pItem->IsSelected()) turn.LineAlong(5 - h, b - 1, r + h - 4, clrFace);
  } else {
    const int f = h / 2, top = b - 2 * f;
    const POINT face[] = {{r + f - 4, b - 1}, {r - 1, top + 5}, {r - 5, top + 1}, {r - 8, top},
                          {8, top},           {5, top + 1},     {2, top + 4},     {4 - f, b}};
    clrFace = turn.FillPolygon(face, 8, pItem, pColors);
    // The outline follows the figure's sides and top; the light line runs
    // one pixel inside its trailing side, the inner line inside its leading
    // side and top.
    const POINT outline[] = {{4 - f, b}, {2, top + 4}, {5, top + 1}, {8, top}, {r - 8, top}, {r - 5, top + 1},
                             {r - 1, top + 5}, {r + f - 4, b}};
    turn.Polyline(outline, 8, clrOutline);
    const POINT light[] = {{r - 8, top + 1}, {r - 5, top + 2}, {r - 2, top + 5}, {r + f - 5, b}};
    turn.Polyline(light, 4, clrLight);
    const POINT inner[] = {{5 - f, b}, {3, top + 4}, {6, top + 1}, {r - 8, top + 1}};
    turn.Polyline(inner, 4, clrInner);
    if (pItem->IsSelected()) turn.LineAlong(4 - f, b - 1, r + 2 * f - 8, clrFace);
  }
  DrawContent(pDC, pItem, pItem->GetRect());
}

CJVKTabAppearanceTrapezoid::CJVKTabAppearanceTrapezoid() { m_rcHeaderMargin = CRect(2, 3, 2, 0); }

CRect CJVKTabAppearanceTrapezoid::GetHeaderMargin() {
  CRect rc = m_rcHeaderMargin;
  rc.left += m_nButtonHeight / 2;
  rc.right += m_nButtonHeight / 2;
  return rc;
}

void CJVKTabAppearanceTrapezoid::DrawSingleButton(CDC* pDC, CJVKTabManagerItem* pItem) {
  CJVKTabColorSet* pColors = GetColorSet();
  const CJVKTabTurn turn(pDC, pItem->GetRect(), m_pPaintManager->GetPosition());
  const int h = turn.Across();
  // The bottom moves up by 1 and the figure back by a quarter of its height.
  const int l = -h / 4, r = turn.Along() - h / 4, b = h - 1, e = h / 2, t = b - 2 * e;
  const POINT face[] = {{l, b}, {l + e, t}, {r, t}, {r + e, b}};
  const COLORREF clrFace = turn.FillPolygon(face, 4, pItem, pColors);
  const CJVKColorRef* lines = pColors->m_clrTrapezoid[pItem->IsSelected() ? 0 : 1];
  const POINT innerLeft[] = {{l + 1, b - 1}, {l + e + 1, t}};
  const POINT innerTop[] = {{l + e, t + 1}, {r, t + 1}};
  const POINT innerRight[] = {{r - 1, t}, {r + e - 1, b}};
  const POINT outerLeftTop[] = {{l, b - 1}, {l + e, t}, {r, t}};
  const POINT outerRight[] = {{r, t}, {r + e, b}};
  turn.Polyline(innerLeft, 2, lines[3]);
  turn.Polyline(innerTop, 2, lines[3]);
  turn.Polyline(innerRight, 2, lines[4]);
  turn.Polyline(outerLeftTop, 3, lines[0]);
  turn.Polyline(outerRight, 2, lines[2]);
  if (pItem->IsSelected()) turn.LineAlong(l, b, r + e - l, clrFace);
  DrawContent(pDC, pItem, pItem->GetRect());
}
