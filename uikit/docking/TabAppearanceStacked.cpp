#include "TabAppearanceStyles.h"

#include <algorithm>

#include "TabColorSet.h"
#include "TabManager.h"
#include "TabPaintManager.h"

#include <ColorManager.h>

CJVKTabAppearanceStacked::CJVKTabAppearanceStacked() { m_rcHeaderMargin = CRect(0, 0, 0, 0); }

CRect CJVKTabAppearanceStacked::GetHeaderRect(CRect /*rc*/, CJVKTabManager* /*pManager*/) { return CRect(0, 0, 0, 0); }

namespace {

CRect LessControlMargins(CRect rc, const CJVKTabPaintManager* pPaintManager) {
  const CRect& m = pPaintManager->m_rcControlMargins;
  rc.DeflateRect(m.left, m.top, m.right, m.bottom);
  return rc;
}

}  // namespace

// The bars up to the selected one stand at the top, the others at the
// bottom; the space between belongs to the selected item.
void CJVKTabAppearanceStacked::RepositionTabControl(CJVKTabManager* pManager, CDC* pDC, CRect rcControl) {
  HideNavigateButtons(pManager);
  SetHeader(pManager, CRect(0, 0, 0, 0));
  const int n = pManager->GetItemCount();
  if (n == 0) return;
  const CRect rc = LessControlMargins(rcControl, m_pPaintManager);
  const int h = GetRowHeight(pManager);
  const BOOL bFrame = m_pPaintManager->m_nClientFrame != 2;
  const int nLeft = rc.left + (bFrame ? 1 : 0), nRight = rc.right - (bFrame ? 1 : 0);
  const int nSelected = pManager->GetSelectedItem() ? pManager->GetSelectedItem()->GetIndex() : n - 1;
  int y = rc.top + 1;
  for (int i = 0; i <= nSelected; ++i, y += h) {
    PlaceItem(pManager->GetItem(i), CRect(nLeft, y, nRight, y + h), 0);
  }
  const int nClientTop = y + 1;
  int nNextTop = rc.bottom - (bFrame ? 1 : 0) - h * (n - 1 - nSelected);
  nNextTop = std::max(nNextTop, nClientTop + h);
  for (int i = nSelected + 1; i < n; ++i) {
    const int nTop = nNextTop + (i - nSelected - 1) * h;
    PlaceItem(pManager->GetItem(i), CRect(nLeft, nTop, nRight, nTop + h), 0);
  }
  (void)pDC;
}

void CJVKTabAppearanceStacked::AdjustClientRect(CJVKTabManager* pManager, CRect& rcControl) {
  const int n = pManager->GetItemCount();
  if (n == 0) return;
  const CRect rc = LessControlMargins(rcControl, m_pPaintManager);
  const BOOL bFrame = m_pPaintManager->m_nClientFrame != 2;
  const int nSelected = pManager->GetSelectedItem() ? pManager->GetSelectedItem()->GetIndex() : n - 1;
  const CRect rcBar = pManager->GetItem(nSelected)->GetRect();
  CRect rcClient(rc.left, rcBar.bottom + 1, rc.right, 0);
  if (nSelected + 1 < n) {
    rcClient.bottom = pManager->GetItem(nSelected + 1)->GetRect().top;
  } else {
    rcClient.bottom = rc.bottom - (bFrame ? 1 : 0);
  }
  if (bFrame) rcClient.DeflateRect(1, 0);
  rcControl = rcClient;
}

void CJVKTabAppearanceStacked::DrawTabControl(CJVKTabManager* pManager, CDC* pDC, CRect rc) {
  CJVKTabColorSet* pColors = GetColorSet();
  rc = LessControlMargins(rc, m_pPaintManager);
  pDC->FillSolidRect(rc, pColors->m_clrBackground);
  if (m_pPaintManager->m_nClientFrame == 2) {
    JVKTabLine(pDC, rc.left, rc.top, rc.Width(), TRUE, pColors->m_clrFrame);
  } else {
    pDC->Draw3dRect(rc, pColors->m_clrFrame, pColors->m_clrFrame);
  }
  pDC->SetBkMode(TRANSPARENT);
  for (int i = pManager->GetItemCount() - 1; i >= 0; --i) {
    CJVKTabManagerItem* pItem = pManager->GetItem(i);
    CRect rcMeet;
    if (pItem->IsVisible() && rcMeet.IntersectRect(rc, pItem->GetRect())) DrawSingleButton(pDC, pItem);
  }
}

void CJVKTabAppearanceStacked::DrawSingleButton(CDC* pDC, CJVKTabManagerItem* pItem) {
  CJVKTabColorSet* pColors = GetColorSet();
  CRect rc = pItem->GetRect();
  pColors->FillTab(pDC, rc, pItem);
  pDC->Draw3dRect(rc, pColors->m_clrHighlight, pColors->m_clrFrame);
  // The gripper: 3-pixel lines on every second row, 7 pixels from the right.
  const COLORREF clrGripper = GetColorManager()->GetColor(38);
  for (int y = rc.top + 4; y < rc.bottom - 3; y += 2) JVKTabLine(pDC, rc.right - 7, y, 3, TRUE, clrGripper);
  rc.right -= 8;
  DrawContent(pDC, pItem, rc);
}
