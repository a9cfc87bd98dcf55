#include "PropertyGridPaintManager.h"

#include <vssym32.h>

#include "ColorManager.h"
#include "DrawHelpers.h"
#include "ImageManager.h"
#include "PropertyGrid.h"
#include "PropertyGridInplaceButton.h"
#include "PropertyGridItem.h"
#include "PropertyGridLayout.h"
#include "PropertyGridView.h"
#include "ScopeDC.h"

COLORREF JVKGridColor(UINT nIndex) { return GetColorManager()->GetColor(nIndex); }

namespace {

void Line(CDC* pDC, int x0, int y0, int x1, int y1, COLORREF clr) {
  CJVKPenDC pen(pDC->GetSafeHdc(), clr);
  pDC->MoveTo(x0, y0);
  pDC->LineTo(x1, y1);
}

}  // namespace

CJVKPropertyGridPaintManager::CJVKPropertyGridPaintManager(CJVKPropertyGrid* pGrid) : m_pGrid(pGrid) {
  LOGFONT lf = {};
  ::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0);
  lf.lfWeight = FW_NORMAL;
  lf.lfItalic = FALSE;
  m_fontLinkNoUnderline.CreateFontIndirect(&lf);
  lf.lfUnderline = TRUE;
  m_fontLink.CreateFontIndirect(&lf);
  m_pMetrics = new CJVKPropertyGridItemMetrics;
}

CJVKPropertyGridPaintManager::~CJVKPropertyGridPaintManager() {
  if (m_pMetrics) m_pMetrics->InternalRelease();
}

CJVKPropertyGridItemMetrics* CJVKPropertyGridPaintManager::DetachItemMetrics() {
  CJVKPropertyGridItemMetrics* pMetrics = m_pMetrics;
  m_pMetrics = nullptr;
  return pMetrics;
}

void CJVKPropertyGridPaintManager::SetItemMetrics(CJVKPropertyGridItemMetrics* pMetrics) {
  if (m_pMetrics) m_pMetrics->InternalRelease();
  m_pMetrics = pMetrics;
}

void CJVKPropertyGridPaintManager::RefreshMetrics() {
  RefreshColorManager();
  m_clrFace = JVKGridColor(COLOR_3DFACE);
  m_clrShadow = JVKGridColor(COLOR_3DSHADOW);
  m_pMetrics->m_clrHelpBack.m_clrValue = JVKGridColor(COLOR_3DFACE);
  m_pMetrics->m_clrHelpFore.m_clrValue = JVKGridColor(COLOR_BTNTEXT);
  m_pMetrics->m_clrLine.m_clrValue = ::GetSysColor(COLOR_SCROLLBAR);
  m_pMetrics->m_clrFore.m_clrValue = JVKGridColor(COLOR_WINDOWTEXT);
  m_pMetrics->m_clrCategoryFore.m_clrValue = JVKGridColor(COLOR_GRAYTEXT);
  m_pMetrics->m_clrBack.m_clrValue = JVKGridColor(COLOR_WINDOW);
  m_pMetrics->m_clrReadOnlyFore.m_clrValue = JVKGridColor(COLOR_GRAYTEXT);
  m_pMetrics->m_clrVerb.m_clrOverride = JVKGridColor(COLOR_ACTIVECAPTION);
  CWnd* pMainWnd = AfxGetMainWnd();
  const HWND hWnd = pMainWnd ? pMainWnd->GetSafeHwnd() : nullptr;
  m_themeTree.OpenThemeData(hWnd, L"TREEVIEW");
  m_themeButton.OpenThemeData(hWnd, L"BUTTON");
  m_themeCombo.OpenThemeData(hWnd, L"COMBOBOX");
}

COLORREF CJVKPropertyGridPaintManager::GetItemTextColor(CJVKPropertyGridItem* pItem, BOOL bValuePart) {
  CJVKPropertyGridItemMetrics* pOwn = pItem->GetMetrics(bValuePart, FALSE);
  if (pOwn && pOwn->m_clrFore.IsSet()) return pOwn->m_clrFore;
  if (pItem->IsCategory()) return m_pMetrics->m_clrCategoryFore;
  if (pItem->IsReadOnly()) return m_pMetrics->m_clrReadOnlyFore;
  return m_pMetrics->m_clrFore;
}

COLORREF CJVKPropertyGridPaintManager::GetItemBackColor(CJVKPropertyGridItem* pItem, BOOL bValuePart) {
  CJVKPropertyGridItemMetrics* pOwn = pItem->GetMetrics(bValuePart, FALSE);
  if (pOwn && pOwn->m_clrBack.IsSet()) return pOwn->m_clrBack;
  return m_pMetrics->m_clrBack;
}

CFont* CJVKPropertyGridPaintManager::GetItemFont(CJVKPropertyGridItem* pItem, BOOL bValuePart) {
  CJVKPropertyGridItemMetrics* pOwn = pItem->GetMetrics(bValuePart, FALSE);
  if (pOwn && pOwn->m_fontNormal.GetSafeHandle()) return &pOwn->m_fontNormal;
  if (pItem->IsCategory() || (bValuePart && m_pGrid->m_bHighlightChanged && pItem->IsValueChanged()))
    return &m_pMetrics->m_fontBold;
  return &m_pMetrics->m_fontNormal;
}

UINT CJVKPropertyGridPaintManager::TextFormat(CJVKPropertyGridItem* pItem, BOOL bValuePart) {
  CJVKPropertyGridItemMetrics* pOwn = pItem->GetMetrics(bValuePart, FALSE);
  return pOwn ? pOwn->m_uDrawTextFormat : m_pMetrics->m_uDrawTextFormat;
}

void CJVKPropertyGridPaintManager::DrawBackground(CDC* pDC) {
  CRect rc;
  m_pGrid->GetClientRect(&rc);
  pDC->FillSolidRect(rc, m_clrFace);
  if (!m_pGrid->IsHelpVisible()) return;
  CRect rcHelp(rc.left, rc.bottom - m_pGrid->GetHelpHeight(), rc.right, rc.bottom);
  {
    CJVKPenDC pen(pDC->GetSafeHdc(), m_clrShadow);
    CJVKBrushDC brush(pDC->GetSafeHdc(), m_pMetrics->m_clrHelpBack);
    pDC->Rectangle(rcHelp);
  }
  CJVKPropertyGridItem* pItem = m_pGrid->GetGridView().m_hWnd ? m_pGrid->GetSelectedItem() : nullptr;
  if (!pItem) return;
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(m_pMetrics->m_clrHelpFore);
  CRect rcText = rcHelp;
  rcText.DeflateRect(6, 3);
  CJVKFontDC font(pDC, &m_pMetrics->m_fontBold);
  const CString strCaption = pItem->GetCaption();
  pDC->DrawText(strCaption, rcText, DT_SINGLELINE | DT_NOPREFIX);
  const CString strDescription = pItem->GetDescription();
  if (!strDescription.IsEmpty()) {
    const int cyCaption = pDC->GetTextExtent(strCaption.IsEmpty() ? CString(" ") : strCaption).cy;
    CRect rcDescription(rcHelp.left + 6, rcHelp.top + cyCaption + 6, rcHelp.right - 6, rcHelp.bottom - 3);
    font.SetFont(&m_pMetrics->m_fontNormal);
    pDC->DrawText(strDescription, rcDescription, DT_NOPREFIX | DT_WORDBREAK);
  }
}

void CJVKPropertyGridPaintManager::FillBackground(CDC* pDC, BOOL bClient) {
  CJVKPropertyGridView& view = m_pGrid->GetGridView();
  if (bClient) {
    CRect rc;
    view.GetClientRect(&rc);
    pDC->FillSolidRect(rc, m_pMetrics->m_clrBack);
  } else {
    CRect rc;
    view.GetWindowRect(&rc);
    rc.OffsetRect(-rc.left, -rc.top);
    CBrush brush;
    brush.CreateSolidBrush(m_clrShadow);
    pDC->FrameRect(rc, &brush);
  }
}

BOOL CJVKPropertyGridPaintManager::IsFocusInGrid() const {
  const HWND hView = m_pGrid->GetGridView().m_hWnd;
  const HWND hFocus = ::GetFocus();
  if (!hFocus || !hView) return FALSE;
  return hFocus == hView || ::IsChild(hView, hFocus) || ::GetWindow(hFocus, GW_OWNER) == hView;
}

int CJVKPropertyGridPaintManager::MetricsImageWidth(CJVKPropertyGridItem* pItem, BOOL bValuePart) {
  CJVKPropertyGridItemMetrics* pOwn = pItem->GetMetrics(bValuePart, FALSE);
  if (!pOwn || pOwn->m_nImage == -1) return 0;
  CJVKImageManagerIcon* pIcon = m_pGrid->GetImageManager()->GetImage(static_cast<UINT>(pOwn->m_nImage));
  return pIcon ? pIcon->GetWidth() : 0;
}

BOOL CJVKPropertyGridPaintManager::DrawMetricsImage(CDC* pDC, CJVKPropertyGridItem* pItem, BOOL bValuePart, CRect rc,
                                                    int& x) {
  CJVKPropertyGridItemMetrics* pOwn = pItem->GetMetrics(bValuePart, FALSE);
  if (!pOwn || pOwn->m_nImage == -1) return FALSE;
  CJVKImageManagerIcon* pIcon = m_pGrid->GetImageManager()->GetImage(static_cast<UINT>(pOwn->m_nImage));
  if (!pIcon) return FALSE;
  const int cy = pIcon->GetHeight() < rc.Height() ? pIcon->GetHeight() : rc.Height();
  pIcon->Draw(pDC, CPoint(x - 2, rc.top + (rc.Height() - cy) / 2), pIcon->GetIcon(), 0, cy);
  x += pIcon->GetWidth() + 5;
  return TRUE;
}

void CJVKPropertyGridPaintManager::AdjustValueRect(CJVKPropertyGridItem* pItem, CRect& rc) {
  if (const int cx = MetricsImageWidth(pItem, TRUE)) rc.left += cx + 5;
}

void CJVKPropertyGridPaintManager::AdjustCaptionRect(CJVKPropertyGridItem* pItem, CRect& rc) {
  if (const int cx = MetricsImageWidth(pItem, FALSE)) rc.left += cx + 5;
}

void CJVKPropertyGridPaintManager::MeasureItem(LPMEASUREITEMSTRUCT lpMis) {
  if (!(m_pGrid->GetStyle() & JVK_PGS_ITEMHEIGHTS)) return;
  if (CJVKPropertyGridItem* pItem = reinterpret_cast<CJVKPropertyGridItem*>(lpMis->itemData)) pItem->MeasureHeight(lpMis);
}

void CJVKPropertyGridPaintManager::DrawItem(LPDRAWITEMSTRUCT lpDis) { DrawRow(lpDis, rowStandard); }

void CJVKPropertyGridPaintManager::DrawRow(LPDRAWITEMSTRUCT lpDis, RowStyle nStyle) {
  CJVKPropertyGridItem* pItem = reinterpret_cast<CJVKPropertyGridItem*>(lpDis->itemData);
  CJVKPropertyGridView* pView = pItem->GetView();
  if (!pView) return;
  const CRect rc = lpDis->rcItem;
  CJVKBufferDC bufferDC(lpDis->hDC, rc.left, rc.top, rc.right, rc.bottom);
  CDC* pDC = &bufferDC;
  CJVKFontDC font(pDC, GetItemFont(pItem, FALSE));
  pDC->FillSolidRect(rc, GetItemBackColor(pItem, FALSE));
  pDC->SetBkMode(TRANSPARENT);
  const int nDivider = rc.left + pView->GetDividerPos();
  const COLORREF clrLine = m_pMetrics->m_clrLine;
  const BOOL bSelected = (lpDis->itemState & ODS_SELECTED) != 0;
  const BOOL bFocused = (lpDis->itemState & ODS_FOCUS) != 0;
  const int nIndentX = pItem->GetIndent() * kJvkGridIndent;
  const int xMargin = nStyle == rowMargin ? kJvkGridIndent : 0;
  CRect rcCaption(rc.left, rc.top, nDivider, rc.bottom);

  if (pItem->IsCategory() && nStyle != rowMargin) {
    if (nStyle == rowFlat) {
      pDC->FillSolidRect(rc, clrLine);
    } else {
      DrawCategoryRowBackground(pDC, rc);
    }
    pDC->SetTextColor(GetItemTextColor(pItem, FALSE));
    const CString strCaption = pItem->GetCaption();
    if (nStyle == rowFlat) {
      CRect rcText(rc.left + nIndentX + 17, rc.top, rc.right, rc.bottom);
      if (bFocused) {
        CRect rcCalc = rcText;
        pDC->DrawText(strCaption, rcCalc, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        pDC->FillSolidRect(CRect(rcText.left - 2, rc.top + 1, rcCalc.right + 2, rc.bottom - 1),
                           JVKGridColor(COLOR_HIGHLIGHT));
        pDC->SetTextColor(JVKGridColor(COLOR_HIGHLIGHTTEXT));
      }
      pDC->DrawText(strCaption, rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    } else {
      CRect rcCalc(0, 0, 0, 0);
      pDC->DrawText(strCaption, rcCalc, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      const int x = rc.left + nIndentX + 13;
      CRect rcText(x, rc.top + 1, x + rcCalc.Width() + 4, rc.bottom - 2);
      pDC->DrawText(strCaption, rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_RIGHT);
      if (bFocused) {
        pDC->SetTextColor(RGB(0, 0, 0));
        pDC->SetBkColor(RGB(255, 255, 255));
        pDC->DrawFocusRect(rcText);
      }
    }
  } else {
    const COLORREF clrGrid = nStyle == rowFlat || nStyle == rowEtched ? JVKGridColor(COLOR_3DSHADOW) : clrLine;
    if (!pItem->IsCategory()) DrawItemValue(pDC, pItem, CRect(nDivider, rc.top, rc.right, rc.bottom - 1));
    CRect rcSelection(rc.left + xMargin, rc.top, nDivider, rc.bottom - 1);
    COLORREF clrCaptionText = GetItemTextColor(pItem, FALSE);
    if (bSelected && IsFocusInGrid()) {
      pDC->FillSolidRect(rcSelection, JVKGridColor(COLOR_HIGHLIGHT));
      clrCaptionText = JVKGridColor(COLOR_HIGHLIGHTTEXT);
    } else if (bSelected) {
      pDC->FillSolidRect(rcSelection, clrLine);
    }
    for (CJVKPropertyGridItem* pParent = pItem->GetParentItem(); pParent; pParent = pParent->GetParentItem()) {
      if (pParent->IsCategory())
        pDC->FillSolidRect(rc.left + pParent->GetIndent() * kJvkGridIndent, rc.top, kJvkGridIndent, rc.Height(), clrLine);
    }
    if (nStyle == rowEtched && !bSelected) {
      for (int x = rc.left; x < rc.right; x += 2) pDC->SetPixel(x, rc.bottom - 1, clrGrid);
    } else if (nStyle != rowEtched) {
      Line(pDC, xMargin, rc.bottom - 1, rc.right, rc.bottom - 1, clrGrid);
    }
    if (nStyle == rowEtched) {
      Line(pDC, nDivider - 1, rc.top, nDivider - 1, rc.bottom, JVKGridColor(COLOR_3DSHADOW));
      Line(pDC, nDivider, rc.top, nDivider, rc.bottom, JVKGridColor(COLOR_3DHILIGHT));
      if (bSelected) pDC->Draw3dRect(rc, GetItemTextColor(pItem, FALSE), JVKGridColor(COLOR_3DHILIGHT));
    } else if (!pItem->IsCategory()) {
      Line(pDC, nDivider, rc.top, nDivider, rc.bottom, clrGrid);
    }
    pDC->SetTextColor(clrCaptionText);
    DrawItemCaption(pDC, pItem, rcCaption);
  }
  if (nStyle == rowMargin) {
    Line(pDC, rc.left + 13, rc.top, rc.left + 13, rc.bottom, clrLine);
    if (static_cast<int>(lpDis->itemID) == pView->GetCount() - 1)
      Line(pDC, rc.left, rc.bottom - 1, rc.right, rc.bottom - 1, clrLine);
  }
  CJVKPropertyGridItem* pNext = pView->GetItem(static_cast<int>(lpDis->itemID) + 1);
  if (pNext && pNext->IsCategory() && pNext->IsVisible())
    Line(pDC, rc.left + pNext->GetIndent() * kJvkGridIndent, rc.bottom - 1, rc.right, rc.bottom - 1, m_clrFace);
  if (pItem->HasChildren()) {
    const BOOL bClip = !pItem->IsCategory() || nStyle == rowMargin;
    if (bClip) {
      pDC->SaveDC();
      pDC->IntersectClipRect(rcCaption);
    }
    DrawExpandButton(pDC, pItem, rc);
    if (bClip) pDC->RestoreDC(-1);
  }
}

void CJVKPropertyGridPaintManager::DrawItemCaption(CDC* pDC, CJVKPropertyGridItem* pItem, CRect rc) {
  int x = rc.left + pItem->GetIndent() * kJvkGridIndent + 3 + (pItem->IsCategory() ? kJvkGridIndent : 0);
  DrawMetricsImage(pDC, pItem, FALSE, rc, x);
  CRect rcText(x, rc.top, rc.right - 1, rc.bottom - 1);
  pDC->DrawText(pItem->GetCaption(), rcText, TextFormat(pItem, FALSE) | DT_NOPREFIX);
}

void CJVKPropertyGridPaintManager::DrawItemValue(CDC* pDC, CJVKPropertyGridItem* pItem, CRect rc) {
  pDC->SetTextColor(GetItemTextColor(pItem, TRUE));
  pDC->FillSolidRect(rc, GetItemBackColor(pItem, TRUE));
  CJVKFontDC font(pDC, GetItemFont(pItem, TRUE));
  CRect rcValue = rc;
  rcValue.left += 4;
  if (pItem->DrawValue(*pDC, rcValue)) return;
  int x = rcValue.left;
  DrawMetricsImage(pDC, pItem, TRUE, rcValue, x);
  rcValue.left = x;
  pDC->DrawText(pItem->GetDisplayValue(), rcValue, TextFormat(pItem, TRUE) | DT_NOPREFIX);
}

void CJVKPropertyGridPaintManager::DrawExpandButton(CDC* pDC, CJVKPropertyGridItem* pItem, CRect rc) {
  const int nIndent = pItem->GetIndent();
  int nShift = 0;
  if (nIndent > 0) nShift = (pItem->IsCategory() ? nIndent : nIndent - 1) * kJvkGridIndent;
  const int cy = (rc.top + rc.bottom) / 2;
  CRect rcBox(rc.left + 2 + nShift, cy - 4, rc.left + 11 + nShift, cy + 5);
  if (UseTreeTheme()) {
    m_themeTree.DrawThemeBackground(pDC->GetSafeHdc(), TVP_GLYPH, pItem->IsExpanded() ? GLPS_OPENED : GLPS_CLOSED,
                                    &rcBox, nullptr);
    return;
  }
  const COLORREF clrFore = m_pMetrics->m_clrFore;
  if (!pItem->IsCategory()) pDC->FillSolidRect(rcBox, m_pMetrics->m_clrBack);
  CBrush brush;
  brush.CreateSolidBrush(clrFore);
  pDC->FrameRect(rcBox, &brush);
  const int cx = (rcBox.left + rcBox.right) / 2;
  const int cyBox = (rcBox.top + rcBox.bottom) / 2;
  Line(pDC, cx - 2, cyBox, cx + 3, cyBox, clrFore);
  if (!pItem->IsExpanded()) Line(pDC, cx, cyBox - 2, cx, cyBox + 3, clrFore);
}

void CJVKPropertyGridPaintManager::DrawCategoryRowBackground(CDC* pDC, CRect rc) {
  pDC->FillSolidRect(rc, m_pMetrics->m_clrLine);
}

void CJVKPropertyGridPaintManager::DrawInplaceButton(CDC* pDC, CJVKPropertyGridInplaceButton* pButton) {
  CRect rc;
  pButton->GetClientRect(&rc);
  CJVKPropertyGridItem* pItem = pButton->GetItem();
  const UINT nFlags = pItem ? pItem->GetFlags() : 0;
  const BOOL bPressed = pButton->IsPressed();
  const BOOL bHot = pButton->IsHot();
  const BOOL bFocused = ::GetFocus() == pButton->m_hWnd;
  const BOOL bDots = (nFlags & jvkItemHasExpandButton) != 0;
  if (UseButtonTheme()) {
    pDC->FillSolidRect(rc, m_pMetrics->m_clrBack);
    Line(pDC, rc.left, rc.top, rc.right, rc.top, m_pMetrics->m_clrLine);
    Line(pDC, rc.left, rc.bottom - 1, rc.right, rc.bottom - 1, m_pMetrics->m_clrLine);
    if (bDots) {
      const int nState = bPressed && bHot ? PBS_PRESSED : bHot ? PBS_HOT : bFocused ? PBS_DEFAULTED : PBS_NORMAL;
      m_themeButton.DrawThemeBackground(pDC->GetSafeHdc(), BP_PUSHBUTTON, nState, &rc, nullptr);
    } else if (nFlags & jvkItemHasComboButton) {
      const int nState = bPressed && bHot ? CBXS_PRESSED : bHot ? CBXS_HOT : CBXS_NORMAL;
      m_themeCombo.DrawThemeBackground(pDC->GetSafeHdc(), CP_DROPDOWNBUTTON, nState, &rc, nullptr);
    }
  } else {
    CRect rcFrame = rc;
    pDC->FillSolidRect(rcFrame, JVKGridColor(COLOR_3DFACE));
    if (!(bPressed && bHot)) {
      pDC->Draw3dRect(rcFrame, JVKGridColor(COLOR_3DFACE), JVKGridColor(COLOR_3DDKSHADOW));
      rcFrame.DeflateRect(1, 1);
    }
    if (bPressed && bHot)
      pDC->Draw3dRect(rcFrame, JVKGridColor(COLOR_3DSHADOW), JVKGridColor(COLOR_3DSHADOW));
    else
      pDC->Draw3dRect(rcFrame, JVKGridColor(COLOR_WINDOW), JVKGridColor(COLOR_3DSHADOW));
    if (!bDots && (nFlags & jvkItemHasComboButton)) {
      const CPoint pt = rc.CenterPoint();
      CJVKDrawHelpers::Triangle(pDC, CPoint(pt.x - 3, pt.y - 1), CPoint(pt.x + 3, pt.y - 1), CPoint(pt.x, pt.y + 2),
                                JVKGridColor(COLOR_BTNTEXT));
    }
  }
  if (bDots) {
    const CPoint pt = rc.CenterPoint();
    for (int dx : {-4, 0, 4}) pDC->FillSolidRect(pt.x + dx, pt.y + 3, 2, 2, JVKGridColor(COLOR_BTNTEXT));
  }
  if (bFocused) {
    CRect rcFocus = rc;
    rcFocus.DeflateRect(2, 2);
    pDC->SetTextColor(JVKGridColor(COLOR_BTNTEXT));
    pDC->SetBkColor(JVKGridColor(COLOR_3DFACE));
    pDC->DrawFocusRect(rcFocus);
  }
}

void CJVKPropertyGridPaintManager::DrawInplaceListItem(CDC* pDC, CJVKPropertyGridItemConstraint* pConstraint, CRect rc,
                                                       BOOL bSelected) {
  pDC->SetBkMode(TRANSPARENT);
  pDC->FillSolidRect(rc, JVKGridColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  pDC->SetTextColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  CRect rcText = rc;
  rcText.DeflateRect(2, 0);
  if (CJVKImageManagerIcon* pIcon = pConstraint->GetImage()) {
    const int cy = pIcon->GetHeight() < rc.Height() ? pIcon->GetHeight() : rc.Height();
    pIcon->Draw(pDC, CPoint(rcText.left, rc.top + (rc.Height() - cy) / 2), pIcon->GetIcon(), 0, cy);
    rcText.left += pIcon->GetWidth() + 5;
  }
  pDC->DrawText(pConstraint->m_strConstraint, rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}
