#include "ClassicTheme.h"

#include "DrawHelpers.h"
#include "ImageManager.h"
#include "Mnemonics.h"
#include "ScopeDC.h"

#include <algorithm>

CJVKClassicTheme::CJVKClassicTheme() = default;

// --------------------------------------------------------- state rectangle

void CJVKClassicTheme::DrawStateRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled,
                                          BOOL bChecked, BOOL bPopuped, int, int) {
  if (!bEnabled) {
    if (bChecked || nSelected == 2) Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    return;
  }
  if (bChecked && !nSelected && !nPressed) {
    HBRUSH hBrush = CJVKDrawHelpers::CreateHalftoneBrush();
    HGDIOBJ hOldBrush = pDC->SelectObject(hBrush);
    const COLORREF clrOldBk = pDC->SetBkColor(GetColor(COLOR_3DFACE));
    const COLORREF clrOldText = pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
    pDC->PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBk);
    pDC->SelectObject(hOldBrush);
    ::DeleteObject(hBrush);
    Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
  } else if (bChecked || bPopuped || (nSelected && nPressed) || nPressed == 2) {
    Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
  } else if (nSelected || nPressed) {
    Draw3dRect(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
  }
}

void CJVKClassicTheme::DrawRectangle(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, int nPressed, BOOL bChecked,
                                     BOOL bPopuped, int nBarType, int nBarPosition) {
  DrawStateRectangle(pDC, rc, nSelected, nPressed, bEnabled, bChecked, bPopuped, nBarType, nBarPosition);
  int nText = COLOR_GRAYTEXT;
  if (bEnabled) nText = nBarPosition == jvkBarPopup ? m_nPopupTextColor : COLOR_BTNTEXT;
  pDC->SetTextColor(GetColor(static_cast<UINT>(nText)));
  pDC->SetBkMode(TRANSPARENT);
}

void CJVKClassicTheme::DrawSplitButtonFrame(CDC* pDC, CJVKPaintedControl* pControl, CRect rc) {
  CJVKPaintManager::DrawSplitButtonFrame(pDC, pControl, rc);
}

// ------------------------------------------------------------------ bars

void CJVKClassicTheme::FillCommandBar(CDC* pDC, CJVKPaintedBar* pBar) {
  CRect rc = pBar->GetClientRect();
  pDC->FillSolidRect(rc, GetColor(COLOR_3DFACE));
  const int nPosition = pBar->GetPosition();
  if (nPosition == jvkBarFloating || nPosition == jvkBarPopup) {
    Draw3dRect(pDC, rc, COLOR_3DFACE, COLOR_3DDKSHADOW);
    rc.DeflateRect(1, 1);
  }
  Draw3dRect(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
}

CSize CJVKClassicTheme::DrawCommandBarGripper(CDC* pDC, CJVKPaintedBar* pBar, BOOL bDraw) {
  if (pBar->IsDialogBar()) return DrawDialogBarGripper(pDC, pBar, bDraw);
  const CRect rc = pBar->GetClientRect();
  bDraw = bDraw && pDC;
  switch (pBar->GetPosition()) {
    case jvkBarTop:
    case jvkBarBottom:
      if (bDraw) Draw3dRect(pDC, CRect(3, 3, 6, rc.bottom - 3), COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
      return CSize(6, 0);
    case jvkBarLeft:
    case jvkBarRight:
      if (bDraw) Draw3dRect(pDC, CRect(3, 3, rc.right - 3, 6), COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
      return CSize(0, 8);
    case jvkBarFloating: return DrawFloatingCaption(pDC, pBar, bDraw, GetColor(COLOR_ACTIVECAPTION));
    default: return CSize(0, 0);
  }
}

CSize CJVKClassicTheme::DrawDialogBarGripper(CDC* pDC, CJVKPaintedBar*, BOOL bDraw) {
  const int h = m_nRowHeight >= 18 ? m_nRowHeight + 4 : 22;
  if (bDraw && pDC) Draw3dRect(pDC, CRect(3, 3, 6, h), COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
  return CSize(6, h);
}

CSize CJVKClassicTheme::DrawCommandBarSeparator(CDC* pDC, CJVKPaintedBar* pBar, CJVKPaintedControl* pControl,
                                                BOOL bDraw) {
  if (!bDraw || pDC == nullptr) return CSize(0, 8);
  const CRect rc = pControl->GetRect();
  CRect rcLine;
  if (pBar->GetType() == jvkBarTypePopup)
    rcLine.SetRect(14, rc.top - 5, pBar->GetClientRect().right - 14, rc.top - 3);
  else if (pBar->GetPosition() == jvkBarLeft || pBar->GetPosition() == jvkBarRight)
    rcLine = pControl->GetWrap() ? CRect(rc.right + 2, rc.top + 4, rc.right + 4, rc.bottom)
                                 : CRect(rc.left, rc.top - 4, rc.right, rc.top - 2);
  else
    rcLine = pControl->GetWrap() ? CRect(rc.left + 4, rc.top - 4, rc.right, rc.top - 2)
                                 : CRect(rc.left - 4, rc.top, rc.left - 2, rc.bottom);
  Draw3dRect(pDC, rcLine, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
  return CSize(0, 8);
}

CRect CJVKClassicTheme::GetCommandBarBorders(CJVKPaintedBar* pBar) {
  return pBar->GetType() == jvkBarTypePopup ? CRect(3, 3, 3, 3) : CRect(2, 2, 2, 2);
}

CSize CJVKClassicTheme::DrawTearOffStrip(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) {
  if (bDraw && pDC)
    pDC->FillSolidRect(CRect(rc.left, rc.top, rc.right, rc.top + 8),
                       GetColor(bSelected ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  return CSize(rc.Width(), 8);
}

void CJVKClassicTheme::AdjustControlRect(CRect& rc, CJVKPaintedControl* pControl, BOOL bVertical) {
  if (pControl->GetType() == jvkControlComboBox) return;
  if (PositionOf(pControl) == jvkBarPopup)
    rc.DeflateRect(1, 0);
  else if (bVertical)
    rc.InflateRect(0, 1);
  else
    rc.InflateRect(1, 0);
}

// ----------------------------------------------------------------- images

void CJVKClassicTheme::DrawImage(CDC* pDC, CPoint pt, CSize sz, CJVKImageManagerIcon* pImage, int nSelected,
                                 int nPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped) {
  if (pImage == nullptr) return;
  const CPoint ptDown(pt.x + 1, pt.y + 1), ptUp(pt.x - 1, pt.y - 1);
  if (!bEnabled) {
    if (m_iconsOptions.bUseDisabledIcons || pImage->HasDisabledIcon()) {
      pImage->Draw(pDC, pt, pImage->GetDisabledIcon(), sz.cx, sz.cy);
    } else {
      pImage->DrawMono(pDC, ptDown, pImage->GetIcon(), GetColor(COLOR_BTNHIGHLIGHT));
      pImage->DrawMono(pDC, pt, pImage->GetIcon(), GetColor(COLOR_BTNSHADOW));
    }
  } else if (bPopuped && !bChecked) {
    pImage->Draw(pDC, pt, pImage->GetHotIcon(), sz.cx, sz.cy);
  } else if (bChecked || (nSelected && nPressed) || nPressed == 2) {
    pImage->Draw(pDC, ptDown, pImage->GetCheckedIcon(), sz.cx, sz.cy);
  } else if (nSelected || nPressed) {
    if (m_iconsOptions.bIconsWithShadow && !pImage->GetShadowIcon().IsEmpty()) {
      pImage->Draw(pDC, ptDown, pImage->GetShadowIcon(), sz.cx, sz.cy);
      pImage->Draw(pDC, ptUp, pImage->GetCheckedIcon(), sz.cx, sz.cy);
    } else {
      pImage->Draw(pDC, pt, pImage->GetCheckedIcon(), sz.cx, sz.cy);
    }
  } else {
    pImage->Draw(pDC, pt, m_iconsOptions.bUseFadedIcons ? pImage->GetFadedIcon() : pImage->GetHotIcon(), sz.cx, sz.cy);
  }
}

// --------------------------------------------------------- caption, fields

CSize CJVKClassicTheme::DrawCaptionText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat, BOOL bDraw,
                                        int nSelected, BOOL bEnabled) {
  if (!bDraw) {
    CRect rcCalc = rc;
    // An ellipsis would cut the measure to the empty rectangle's width.
    pDC->DrawText(strText, rcCalc, (nFormat & ~DT_END_ELLIPSIS) | DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    return rcCalc.Size();
  }
  const int nOldMode = pDC->SetBkMode(TRANSPARENT);
  if (!bEnabled && !nSelected) {
    const COLORREF clrText = pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
    CRect rcShifted = rc;
    rcShifted.OffsetRect(1, 1);
    pDC->DrawText(strText, rcShifted, nFormat | DT_SINGLELINE | DT_VCENTER);
    pDC->SetTextColor(clrText);
  }
  pDC->DrawText(strText, rc, nFormat | DT_SINGLELINE | DT_VCENTER);
  pDC->SetBkMode(nOldMode);
  return rc.Size();
}

void CJVKClassicTheme::DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected) {
  if (bEnabled) {
    if (nSelected)
      Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    else
      Draw3dRect(pDC, rc, COLOR_3DFACE, COLOR_3DFACE);
    rc.DeflateRect(1, 1);
    Draw3dRect(pDC, rc, COLOR_3DFACE, COLOR_3DFACE);
  } else {
    rc.DeflateRect(1, 1);
    const int nColor = nSelected == 2 ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
    Draw3dRect(pDC, rc, nColor, nColor);
  }
}

void CJVKClassicTheme::DrawComboButton(CDC* pDC, CRect rc, BOOL bDraw, int nSelected, int nPressed, BOOL) {
  if (!bDraw) return;
  CRect rcButton(rc.left + 1, rc.top + 2, rc.right - 2, rc.bottom - 2);
  pDC->FillSolidRect(rcButton, GetColor(COLOR_3DFACE));
  CRect rcArrow = rcButton;
  if (nPressed) {
    Draw3dRect(pDC, rcButton, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    rcArrow.OffsetRect(1, 1);
  } else if (nSelected) {
    Draw3dRect(pDC, rcButton, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
  } else {
    Draw3dRect(pDC, rcButton, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT);
  }
  if (nPressed && nSelected)
    pDC->FillSolidRect(CRect(rcButton.left - 1, rcButton.top, rcButton.left, rcButton.bottom), GetColor(COLOR_3DFACE));
  DrawComboArrow(pDC, rcArrow, GetColor(COLOR_BTNTEXT));
}

CSize CJVKClassicTheme::DrawFieldControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw, BOOL bCombo) {
  CJVKFontDC font(pDC, &m_fontControl);
  const BOOL bPopup = BarTypeOf(pControl) == jvkBarTypePopup;
  const CString strCaption = pControl->GetCaption();
  CString strPlain = strCaption;
  StripMnemonics(strPlain);
  const int nTextHeight = pDC->GetTextExtent(CString("A")).cy;
  int nLabel = 0;
  if (bPopup)
    nLabel = PopupCellWidth(pControl) + pDC->GetTextExtent(strPlain).cx + 12;
  else if (pControl->IsCaptionVisible())
    nLabel = pDC->GetTextExtent(strPlain).cx + 5;
  const CJVKFieldLayout layout = JVKLayoutField(pControl, nLabel, nTextHeight, bCombo);
  if (!bDraw) return layout.szControl;

  const BOOL bEnabled = pControl->GetEnabled();
  const int nSelected = pControl->GetSelected();
  if (nLabel > 0) {
    CRect rcLabel = layout.rcLabel;
    rcLabel.left += bPopup ? PopupCellWidth(pControl) + 4 : 2;
    pDC->SetTextColor(GetColor(bEnabled ? (bPopup ? m_nPopupTextColor : COLOR_BTNTEXT) : COLOR_GRAYTEXT));
    DrawCaptionText(pDC, strCaption, rcLabel, 0, TRUE, nSelected, bEnabled);
  }
  pDC->FillSolidRect(layout.rcField, GetColor(bEnabled ? COLOR_WINDOW : COLOR_3DFACE));
  DrawEditFrame(pDC, layout.rcField, bEnabled, nSelected);
  CRect rcText = layout.rcField;
  rcText.DeflateRect(3, 0);
  if (bCombo) rcText.right = layout.rcButton.left;
  pDC->SetTextColor(GetColor(bEnabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  pDC->SetBkMode(TRANSPARENT);
  pDC->DrawText(pControl->GetEditText(), rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (bCombo) DrawComboButton(pDC, layout.rcButton, TRUE, nSelected, pControl->IsDroppedDown(), bEnabled);
  return layout.szControl;
}

CSize CJVKClassicTheme::DrawComboBoxControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw) {
  return DrawFieldControl(pDC, pControl, bDraw, TRUE);
}

CSize CJVKClassicTheme::DrawEditControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw) {
  return DrawFieldControl(pDC, pControl, bDraw, FALSE);
}

CSize CJVKClassicTheme::DrawListBoxControl(CDC* pDC, CJVKPaintedControl* pControl, CRect rc, BOOL bSelected,
                                           BOOL bDraw, CWnd*) {
  CJVKFontDC font(pDC, &m_fontRegular);
  CString strCaption = pControl->GetCaption();
  StripMnemonics(strCaption);
  const CSize szText = pDC->GetTextExtent(strCaption);
  if (bDraw) {
    pDC->FillSolidRect(rc, GetColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    pDC->SetTextColor(GetColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    pDC->SetBkMode(TRANSPARENT);
    CRect rcText(rc.left + 3, rc.top, rc.right, rc.bottom);
    pDC->DrawText(strCaption, rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  return CSize(szText.cx + 8, std::max(m_nRowHeight, static_cast<int>(szText.cy) + 4));
}

// -------------------------------------------------------------- popup row

CSize CJVKClassicTheme::DrawPopupControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw) {
  const CJVKPopupRowLayout row = PopupRow(pControl);
  CJVKPaintedBar* pBar = BarOf(pControl);
  CJVKFontDC font(pDC, GetFont(pBar, pControl->IsDefaultItem()));
  const BOOL bUnderlines = ShowUnderlines(pControl);
  CString strCaption = pControl->GetCaption();
  UINT nFormat = DT_END_ELLIPSIS;
  if (!bUnderlines) {
    StripMnemonics(strCaption);
    nFormat |= DT_NOPREFIX;
  }
  const CString strShortcut = pControl->GetType() == jvkControlButton ? pControl->GetShortcutText() : CString();
  const int nShortcut = strShortcut.IsEmpty() ? 0 : pDC->GetTextExtent(strShortcut).cx;
  const int nCells = row.nCell * row.nCells;
  if (!bDraw) {
    const CSize szCaption = DrawCaptionText(pDC, strCaption, CRect(0, 0, 0, 0), nFormat, FALSE, 0, TRUE);
    return CSize(szCaption.cx + nShortcut + nCells + 40, row.nRowHeight);
  }
  const CRect rc = pControl->GetRect();
  const BOOL bEnabled = pControl->GetEnabled();
  const int nSelected = pControl->GetSelected();
  if (pControl->IsExpandedHidden()) pDC->FillSolidRect(rc, GetColor(COLOR_3DLIGHT));
  if (nSelected) pDC->FillSolidRect(rc, GetColor(COLOR_HIGHLIGHT));

  const CRect rcCell(rc.left, rc.top, rc.left + row.nCell, rc.bottom);
  const CRect rcImageCell = row.nCells == 2 ? CRect(rcCell.right, rc.top, rcCell.right + row.nCell, rc.bottom) : rcCell;
  CJVKImageManagerIcon* pImage = ShowsImage(pControl) ? pControl->GetImage(row.szIcon.cx) : nullptr;
  const COLORREF clrText =
      GetColor(nSelected ? COLOR_HIGHLIGHTTEXT : bEnabled ? static_cast<UINT>(m_nPopupTextColor) : COLOR_GRAYTEXT);
  if (pControl->GetChecked()) {
    const CPoint c = rcCell.CenterPoint();
    const CRect rcSquare(c.x - 10, c.y - 10, c.x + 10, c.y + 10);
    DrawStateRectangle(pDC, rcSquare, 0, 0, bEnabled, TRUE, FALSE, jvkBarTypePopup, jvkBarPopup);
    if (pImage == nullptr) DrawCheckMark(pDC, rcSquare, clrText, pBar && pBar->IsRightToLeft());
  }
  if (pImage) {
    const int h = pImage->GetWidth() ? row.szIcon.cx * pImage->GetHeight() / pImage->GetWidth() : row.szIcon.cy;
    const CPoint pt(rcImageCell.left + (rcImageCell.Width() - row.szIcon.cx) / 2, rc.top + (rc.Height() - h) / 2);
    DrawImage(pDC, pt, CSize(row.szIcon.cx, h), pImage, nSelected, pControl->GetPressed(), bEnabled,
              pControl->GetChecked(), pControl->GetPopuped());
  }
  pDC->SetTextColor(clrText);
  pDC->SetBkMode(TRANSPARENT);
  const int nType = pControl->GetType();
  if (nType >= jvkControlPopup && nType <= jvkControlSplitButtonPopup) {
    const int mid = rc.CenterPoint().y;
    Triangle(pDC, CPoint(rc.right - 11, mid - 3), CPoint(rc.right - 8, mid), CPoint(rc.right - 11, mid + 3), clrText);
  }
  const int nTextLeft = rc.left + nCells + 4;
  CRect rcCaption(nTextLeft, rc.top, rc.right, rc.bottom);
  if (nShortcut) rcCaption.right -= nShortcut + 19;
  DrawCaptionText(pDC, strCaption, rcCaption, nFormat, TRUE, nSelected, bEnabled);
  if (nShortcut) {
    CRect rcShortcut(rc.left + nCells + 8, rc.top, rc.right - 19, rc.bottom);
    DrawCaptionText(pDC, strShortcut, rcShortcut, DT_RIGHT | DT_NOPREFIX, TRUE, nSelected, bEnabled);
  }
  return rc.Size();
}
