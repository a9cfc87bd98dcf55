// The customize side of CJVKCommandBar: the drop mark that follows a
// dragged control over the bar, and the drop that inserts its copy.
#include "CommandBar.h"

#include "DropMarkRules.h"
#include "PaintManager.h"

#include <cstdlib>

namespace {
// The drop effect that tells the source to keep its control.
const int kDropEffectKeep = 5;
// A drop on the control's own place counts once the pointer moved further.
const int kOwnPlaceSlack = 4;
// The colour the mark is inverted with.
const int kDropMarkColor = 15;
}  // namespace

BOOL CJVKCommandBar::IsVerticalForDrop() const {
  return m_nPosition == jvkBarLeft || m_nPosition == jvkBarRight || m_nPosition == jvkBarPopup;
}

namespace {
JVKDropMark CalcBarDropMark(CJVKControls* pControls, CJVKControlParentBar* pBar, CJVKControl* pDragged, CPoint pt,
                            BOOL bVertical, const CRect& rcClient) {
  std::vector<JVKDropControl> controls;
  for (int i = 0; i < pControls->GetCount(); ++i) {
    CJVKControl* pControl = pControls->GetAt(i);
    const CRect rc = pControl->GetRect();
    const BOOL bEligible = pControl->GetHideFlags() == 0 && !(pControl->GetFlags() & JVK_FLAG_NO_MOVABLE);
    controls.push_back({{rc.left, rc.top, rc.right, rc.bottom}, bEligible, pControl->GetWrap(), pControl->GetBeginGroup()});
  }
  const int nDragged = pDragged && pDragged->GetParentBar() == pBar ? pDragged->GetIndex() : -1;
  return JVKCalcDropMark(controls, pt.x, pt.y, bVertical,
                         {rcClient.left, rcClient.top, rcClient.right, rcClient.bottom}, nDragged);
}
}  // namespace

void CJVKCommandBar::OnCustomizeDragEnter(CJVKControl* pDragged, CPoint pt) {
  m_ptDragStart = pt;
  m_rcDropMark.SetRectEmpty();
  OnCustomizeDragOver(pDragged, pt);
}

void CJVKCommandBar::OnCustomizeDragLeave() {
  if (m_rcDropMark.IsRectEmpty()) return;
  m_rcDropMark.SetRectEmpty();
  Redraw();
}

void CJVKCommandBar::OnCustomizeDragOver(CJVKControl* pDragged, CPoint pt) {
  const JVKDropMark mark = CalcBarDropMark(m_pControls, this, pDragged, pt, IsVerticalForDrop(), GetClientRect());
  const CRect rcMark(mark.rect.left, mark.rect.top, mark.rect.right, mark.rect.bottom);
  if (rcMark == m_rcDropMark) return;
  m_rcDropMark = rcMark;
  m_bDropMarkVertical = mark.bVertical;
  Redraw();
}

int CJVKCommandBar::OnCustomizeDrop(CJVKControl* pDragged, CPoint pt, int nEffect) {
  const BOOL bVertical = IsVerticalForDrop();
  const JVKDropMark mark = CalcBarDropMark(m_pControls, this, pDragged, pt, bVertical, GetClientRect());
  m_rcDropMark.SetRectEmpty();
  SetPopuped(-1, FALSE);
  SetSelected(-1, 0);
  if (pDragged == nullptr) return 0;

  if (pDragged->GetParentBar() == this && mark.nCandidate == pDragged->GetIndex()) {
    // On its own place: only its group separator may change.
    const CSize szMove = pt - m_ptDragStart;
    if (std::abs(szMove.cx) > kOwnPlaceSlack || std::abs(szMove.cy) > kOwnPlaceSlack) {
      const CPoint c = pDragged->GetRect().CenterPoint();
      const BOOL bPastCentre = bVertical ? pt.y > c.y : pt.x > c.x;
      pDragged->SetBeginGroup(bPastCentre && pDragged->GetIndex() > 0);
      DelayLayout();
    }
    Redraw();
    return kDropEffectKeep;
  }

  CJVKControl* pCopy = m_pControls->AddClone(pDragged, mark.nInsert, FALSE);
  if (mark.bBefore) {
    // The control the copy went before passes its group separator on.
    CJVKControl* pNext = m_pControls->GetAt(pCopy->GetIndex() + 1);
    if (pNext && pNext->GetBeginGroup()) {
      pNext->SetBeginGroup(FALSE);
      pCopy->SetBeginGroup(TRUE);
    }
  }
  if (m_pCommandBars) m_pCommandBars->SetCustomizeSelection(pCopy);
  DelayLayout();
  Redraw();
  return nEffect;
}

void CJVKCommandBar::DrawDropMark(CDC* pDC) {
  CBrush brush(GetPaintManager()->GetColor(kDropMarkColor));
  CBrush* pOldBrush = pDC->SelectObject(&brush);
  const CRect& rc = m_rcDropMark;
  if (m_bDropMarkVertical) {
    // Long sides along the top and bottom.
    pDC->PatBlt(rc.left, rc.top, rc.Width(), 1, PATINVERT);
    pDC->PatBlt(rc.left + 1, rc.top + 1, rc.Width() - 2, 1, PATINVERT);
    pDC->PatBlt(rc.left, rc.bottom - 1, rc.Width(), 1, PATINVERT);
    pDC->PatBlt(rc.left + 1, rc.bottom - 2, rc.Width() - 2, 1, PATINVERT);
  } else {
    pDC->PatBlt(rc.left, rc.top, 1, rc.Height(), PATINVERT);
    pDC->PatBlt(rc.left + 1, rc.top + 1, 1, rc.Height() - 2, PATINVERT);
    pDC->PatBlt(rc.right - 1, rc.top, 1, rc.Height(), PATINVERT);
    pDC->PatBlt(rc.right - 2, rc.top + 1, 1, rc.Height() - 2, PATINVERT);
  }
  pDC->PatBlt(rc.left + 2, rc.top + 2, 2, 2, PATINVERT);
  pDC->SelectObject(pOldBrush);
}
