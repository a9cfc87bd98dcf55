#include "FlatTheme.h"

#include "ImageManager.h"
#include "Mnemonics.h"
#include "ScopeDC.h"

#include <algorithm>

CJVKFlatTheme::CJVKFlatTheme() {
  m_iconsOptions.bUseFadedIcons = TRUE;
  m_iconsOptions.bIconsWithShadow = TRUE;
}

CJVKPopupRowLayout CJVKFlatTheme::PopupRow(CJVKPaintedControl* pControl) {
  CJVKPaintedBar* pBar = BarOf(pControl);
  CJVKPopupRowLayout row;
  row.szIcon = pBar ? pBar->GetIconSize() : CSize(16, 16);
  row.nCell = std::max(m_nRowHeight + 4, static_cast<int>(row.szIcon.cx) + 4);
  row.nCells = pBar && pBar->IsDoubleGripper() ? 2 : 1;
  row.nRowHeight = std::max(m_nRowHeight, static_cast<int>(row.szIcon.cy) + 6);
  return row;
}

int CJVKFlatTheme::GetPopupColumnWidth(CJVKPaintedBar* pBar) const {
  const CSize szIcon = pBar ? pBar->GetIconSize() : CSize(16, 16);
  const int nCell = std::max(m_nRowHeight + 4, static_cast<int>(szIcon.cx) + 4);
  return nCell * (pBar && pBar->IsDoubleGripper() ? 2 : 1) + 1;
}

// --------------------------------------------------------- state rectangle

void CJVKFlatTheme::DrawStateRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled,
                                       BOOL bChecked, BOOL bPopuped, int, int nBarPosition) {
  int nFill = -1, nFrame = -1;
  if (!bEnabled) {
    if (nSelected == 2) {
      nFill = nBarPosition == jvkBarPopup ? 41 : bChecked ? 33 : 31;
      nFrame = 32;
    } else if (bChecked) {
      nFrame = 58;
      if (nBarPosition != jvkBarPopup) nFill = 36;
    }
  } else if (bPopuped) {
    nFill = 30, nFrame = 43;
  } else if (bChecked && !nSelected && !nPressed) {
    nFill = 36, nFrame = 50;
  } else if (bChecked && nSelected) {
    nFill = 33, nFrame = 37;
  } else if ((nSelected && nPressed) || nPressed == 2) {
    nFill = 33, nFrame = 50;
  } else if (nSelected || nPressed) {
    nFill = 31, nFrame = 32;
  }
  FillRect(pDC, rc, nFill, nFrame);
}

void CJVKFlatTheme::DrawRectangle(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, int nPressed, BOOL bChecked,
                                  BOOL bPopuped, int nBarType, int nBarPosition) {
  DrawStateRectangle(pDC, rc, nSelected, nPressed, bEnabled, bChecked, bPopuped, nBarType, nBarPosition);
  int nText;
  if (!bEnabled)
    nText = 40;
  else if (bPopuped)
    nText = 46;
  else if (nPressed == 2 || (nSelected && (nPressed || bChecked)))
    nText = 47;
  else if (nSelected || nPressed || bChecked)
    nText = 45;
  else
    nText = nBarPosition == jvkBarPopup ? 44 : 46;
  pDC->SetTextColor(GetColor(static_cast<UINT>(nText)));
  pDC->SetBkMode(TRANSPARENT);
}

// ------------------------------------------------------------------ bars

void CJVKFlatTheme::SetCornerPixels(CDC* pDC, const CRect& rc, int nInset, int nColor) {
  const COLORREF clr = GetColor(static_cast<UINT>(nColor));
  pDC->SetPixel(rc.left + nInset, rc.top + nInset, clr);
  pDC->SetPixel(rc.right - 2, rc.top + nInset, clr);
  pDC->SetPixel(rc.left + nInset, rc.bottom - 2, clr);
  pDC->SetPixel(rc.right - 2, rc.bottom - 2, clr);
}

void CJVKFlatTheme::FillFloatingBar(CDC* pDC, CJVKPaintedBar* pBar) {
  const CRect rc = pBar->GetClientRect();
  CJVKPenDC pen(pDC->GetSafeHdc(), GetColor(43));
  CJVKBrushDC brush(pDC->GetSafeHdc(), GetColor(pBar->GetType() == jvkBarTypeMenuBar ? COLOR_3DFACE : 30));
  pDC->Rectangle(rc);
  pDC->Rectangle(CRect(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1));
  SetCornerPixels(pDC, rc, 2, 43);
}

void CJVKFlatTheme::FillPopupBar(CDC* pDC, CJVKPaintedBar* pBar, int nJoinColor) {
  const CRect rc = pBar->GetClientRect();
  FillRect(pDC, rc, 41, 43);
  if (pBar->GetType() != jvkBarTypePopup) return;
  FillPopupIconColumn(pDC, 1, 2, GetPopupColumnWidth(pBar), rc.Height() - 4, FALSE);
  CRect rcJoin = pBar->GetOpenerRect();
  rcJoin.IntersectRect(rcJoin, rc);
  if (rcJoin.IsRectEmpty()) return;
  if (rcJoin.Width() > 1) rcJoin.DeflateRect(1, 0);
  if (rcJoin.Height() > 1) rcJoin.DeflateRect(0, 1);
  pDC->FillSolidRect(rcJoin, GetColor(static_cast<UINT>(nJoinColor)));
}

void CJVKFlatTheme::FillCommandBar(CDC* pDC, CJVKPaintedBar* pBar) {
  const CRect rc = pBar->GetClientRect();
  const int nPosition = pBar->GetPosition();
  if (nPosition == jvkBarFloating) {
    FillFloatingBar(pDC, pBar);
  } else if (nPosition == jvkBarPopup) {
    FillPopupBar(pDC, pBar, 30);
  } else if (pBar->GetType() == jvkBarTypeMenuBar) {
    pDC->FillSolidRect(rc, GetColor(COLOR_3DFACE));
  } else {
    FillRect(pDC, rc, 30, COLOR_3DFACE);
    SetCornerPixels(pDC, rc, 1, COLOR_3DFACE);
  }
}

void CJVKFlatTheme::FillPopupIconColumn(CDC* pDC, int x, int y, int cx, int cy, BOOL bHidden) {
  pDC->FillSolidRect(x, y, cx, cy, GetColor(bHidden ? 42 : 30));
}

CSize CJVKFlatTheme::DrawCommandBarGripper(CDC* pDC, CJVKPaintedBar* pBar, BOOL bDraw) {
  if (pBar->IsDialogBar()) return DrawDialogBarGripper(pDC, pBar, bDraw);
  const CRect rc = pBar->GetClientRect();
  bDraw = bDraw && pDC;
  switch (pBar->GetPosition()) {
    case jvkBarTop:
    case jvkBarBottom:
      if (bDraw)
        for (int y = 5; y < rc.Height() - 5; y += 2) Line(pDC, 3, y, 6, y, 38);
      return CSize(6, 0);
    case jvkBarLeft:
    case jvkBarRight:
      if (bDraw)
        for (int x = 5; x < rc.Width() - 5; x += 2) Line(pDC, x, 3, x, 6, 38);
      return CSize(0, 8);
    case jvkBarFloating: return DrawFloatingCaption(pDC, pBar, bDraw, GetColor(COLOR_BTNSHADOW));
    default: return CSize(0, 0);
  }
}

CSize CJVKFlatTheme::DrawDialogBarGripper(CDC* pDC, CJVKPaintedBar*, BOOL bDraw) {
  const int h = std::max(22, m_nRowHeight + 4);
  if (bDraw && pDC)
    for (int y = 6; y < h - 2; y += 2) Line(pDC, 3, y, 6, y, 38);
  return CSize(6, h);
}

CSize CJVKFlatTheme::DrawCommandBarSeparator(CDC* pDC, CJVKPaintedBar* pBar, CJVKPaintedControl* pControl,
                                             BOOL bDraw) {
  if (!bDraw || pDC == nullptr) return CSize(0, 3);
  const CRect rc = pControl->GetRect();
  if (pBar->GetType() == jvkBarTypePopup)
    Line(pDC, GetPopupColumnWidth(pBar) + 9, rc.top - 2, pBar->GetClientRect().right - 1, rc.top - 2, 39);
  else if (pBar->GetPosition() == jvkBarLeft || pBar->GetPosition() == jvkBarRight)
    pControl->GetWrap() ? Line(pDC, rc.right + 2, rc.top, rc.right + 2, rc.bottom, 39)
                        : Line(pDC, rc.left, rc.top - 4, rc.right, rc.top - 4, 39);
  else
    pControl->GetWrap() ? Line(pDC, rc.left + 4, rc.top - 4, rc.right, rc.top - 4, 39)
                        : Line(pDC, rc.left - 4, rc.top, rc.left - 4, rc.bottom, 39);
  return CSize(0, 3);
}

void CJVKFlatTheme::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL) {
  Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
}

int CJVKFlatTheme::TearOffLineLength(const CRect& rc, int nLongest) const {
  return 2 * std::min(nLongest, rc.Width() / 2 - 10);
}

CSize CJVKFlatTheme::DrawTearOffStrip(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) {
  if (bDraw && pDC) {
    const CRect rcStrip(rc.left, rc.top, rc.right, rc.top + 9);
    pDC->FillSolidRect(rcStrip, GetColor(41));
    CRect rcInner = rcStrip;
    rcInner.DeflateRect(1, 1);
    const int nLength = TearOffLineLength(rc, 16);
    const int x = rc.left + (rc.Width() - nLength) / 2;
    if (bSelected) {
      FillRect(pDC, rcInner, 31, 32);
      if (nLength > 0)
        for (int y : {4, 6}) Line(pDC, x, rc.top + y, x + nLength, rc.top + y, 45);
    } else {
      pDC->FillSolidRect(rcInner, GetColor(30));
      if (nLength > 0)
        for (int y : {3, 5, 7}) Line(pDC, x, rc.top + y, x + nLength, rc.top + y, 38);
    }
  }
  return CSize(rc.Width(), 9);
}

void CJVKFlatTheme::AdjustControlRect(CRect& rc, CJVKPaintedControl* pControl, BOOL bVertical) {
  if (PositionOf(pControl) == jvkBarPopup)
    rc.InflateRect(1, 0);
  else if (pControl->GetType() == jvkControlComboBox)
    return;
  else if (bVertical)
    rc.DeflateRect(1, 0);
  else
    rc.DeflateRect(0, 1);
}

// ----------------------------------------------------------------- images

void CJVKFlatTheme::DrawImage(CDC* pDC, CPoint pt, CSize sz, CJVKImageManagerIcon* pImage, int nSelected,
                              int nPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped) {
  if (pImage == nullptr) return;
  if (!bEnabled) {
    if (m_iconsOptions.bUseDisabledIcons || pImage->HasDisabledIcon())
      pImage->Draw(pDC, pt, pImage->GetDisabledIcon(), sz.cx, sz.cy);
    else
      pImage->DrawMono(pDC, pt, pImage->GetIcon(), GetColor(40));
  } else if (bPopuped && !bChecked) {
    pImage->Draw(pDC, pt, pImage->GetHotIcon(), sz.cx, sz.cy);
  } else if (bChecked || (nSelected && nPressed) || nPressed == 2) {
    pImage->Draw(pDC, pt, pImage->GetCheckedIcon(), sz.cx, sz.cy);
  } else if (nSelected || nPressed) {
    if (m_iconsOptions.bIconsWithShadow && !pImage->GetShadowIcon().IsEmpty()) {
      pImage->Draw(pDC, CPoint(pt.x + 1, pt.y + 1), pImage->GetShadowIcon(), sz.cx, sz.cy);
      pImage->Draw(pDC, CPoint(pt.x - 1, pt.y - 1), pImage->GetCheckedIcon(), sz.cx, sz.cy);
    } else {
      pImage->Draw(pDC, pt, pImage->GetCheckedIcon(), sz.cx, sz.cy);
    }
  } else {
    pImage->Draw(pDC, pt, m_iconsOptions.bUseFadedIcons ? pImage->GetFadedIcon() : pImage->GetHotIcon(), sz.cx, sz.cy);
  }
}

// -------------------------------------------------------------- popup row

CSize CJVKFlatTheme::DrawPopupControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw) {
  const CJVKPopupRowLayout row = PopupRow(pControl);
  CJVKPaintedBar* pBar = BarOf(pControl);
  CJVKFontDC font(pDC, GetFont(pBar, pControl->IsDefaultItem()));
  CString strCaption = pControl->GetCaption();
  UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
  if (!ShowUnderlines(pControl)) {
    StripMnemonics(strCaption);
    nFormat |= DT_NOPREFIX;
  }
  const int nType = pControl->GetType();
  const CString strShortcut = nType == jvkControlButton ? pControl->GetShortcutText() : CString();
  const int nShortcut = strShortcut.IsEmpty() ? 0 : pDC->GetTextExtent(strShortcut).cx;
  const int nCells = row.nCell * row.nCells;
  if (!bDraw) {
    CRect rcCalc(0, 0, 0, 0);
    pDC->DrawText(strCaption, rcCalc, (nFormat & ~DT_END_ELLIPSIS) | DT_CALCRECT);
    return CSize(rcCalc.Width() + nShortcut + nCells + 40, row.nRowHeight);
  }

  const CRect rc = pControl->GetRect();
  const BOOL bEnabled = pControl->GetEnabled();
  const BOOL bChecked = pControl->GetChecked();
  const int nSelected = pControl->GetSelected();
  const int nColumn = GetPopupColumnWidth(pBar);
  if (pControl->IsExpandedHidden()) FillPopupIconColumn(pDC, 1, rc.top, nColumn + 1, rc.Height(), TRUE);
  if (nType == jvkControlLabel)
    pDC->FillSolidRect(CRect(rc.left + nColumn + 3, rc.top, rc.right, rc.bottom), GetColor(56));
  else
    DrawStateRectangle(pDC, rc, nSelected, 0, bEnabled, FALSE, FALSE, jvkBarTypePopup, jvkBarPopup);

  const CRect rcCell(rc.left, rc.top, rc.left + row.nCell, rc.bottom);
  const CPoint c = rcCell.CenterPoint();
  const int w = row.szIcon.cx, h = row.szIcon.cy;
  const CRect rcCheck(c.x - (w + 4) / 2, c.y - (h + 4) / 2, c.x - (w + 4) / 2 + w + 4, c.y - (h + 4) / 2 + h + 4);
  if (bChecked) DrawStateRectangle(pDC, rcCheck, 0, 0, bEnabled, TRUE, FALSE, jvkBarTypePopup, jvkBarPopup);

  CJVKImageManagerIcon* pImage = ShowsImage(pControl) ? pControl->GetImage(w) : nullptr;
  if (pImage) {
    const CRect rcImageCell = row.nCells == 2 ? CRect(rcCell.right, rc.top, rcCell.right + row.nCell, rc.bottom) : rcCell;
    const int hImage = pImage->GetWidth() ? w * pImage->GetHeight() / pImage->GetWidth() : h;
    const CPoint pt(rcImageCell.left + (rcImageCell.Width() - w) / 2, rcImageCell.top + (rcImageCell.Height() - hImage) / 2);
    DrawImage(pDC, pt, CSize(w, hImage), pImage, nSelected, pControl->GetPressed(), bEnabled, bChecked,
              pControl->GetPopuped());
  }
  if (bChecked && (row.nCells == 2 || pImage == nullptr))
    DrawCheckMark(pDC, rcCheck, bEnabled ? RGB(0, 0, 0) : GetColor(40), pBar && pBar->IsRightToLeft());

  const COLORREF clrText = GetColor(!bEnabled ? 35 : nSelected ? 45 : 44);
  pDC->SetTextColor(clrText);
  pDC->SetBkMode(TRANSPARENT);
  if (nType >= jvkControlPopup && nType <= jvkControlSplitButtonPopup) {
    const int mid = rc.CenterPoint().y;
    COLORREF clrArrow = clrText;
    if (nType == jvkControlSplitButtonPopup && bEnabled) {
      if (nSelected && pControl->GetPopuped()) {
        FillRect(pDC, CRect(rc.right - 20, rc.top, rc.right, rc.bottom), 33, 32);
        clrArrow = GetColor(47);
      } else {
        Line(pDC, rc.right - 20, rc.top, rc.right - 20, rc.bottom, nSelected ? 32 : COLOR_BTNSHADOW);
      }
    }
    Triangle(pDC, CPoint(rc.right - 11, mid - 3), CPoint(rc.right - 8, mid), CPoint(rc.right - 11, mid + 3), clrArrow);
  }
  CRect rcCaption(rc.left + nCells + 8, rc.top, rc.right, rc.bottom);
  if (nShortcut) rcCaption.right -= nShortcut + 19;
  pDC->DrawText(strCaption, rcCaption, nFormat);
  if (nShortcut) {
    CRect rcShortcut(rc.left + nCells + 8, rc.top, rc.right - 19, rc.bottom);
    pDC->DrawText(strShortcut, rcShortcut, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  return rc.Size();
}

// ------------------------------------------------------------ edit, combo

CSize CJVKFlatTheme::DrawFieldControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw, BOOL bCombo) {
  CJVKFontDC font(pDC, &m_fontControl);
  CJVKPaintedBar* pBar = BarOf(pControl);
  const BOOL bPopup = BarTypeOf(pControl) == jvkBarTypePopup;
  const CString strCaption = pControl->GetCaption();
  CString strPlain = strCaption;
  StripMnemonics(strPlain);
  const int nTextHeight = pDC->GetTextExtent(CString("A")).cy;
  const int nColumn = GetPopupColumnWidth(pBar);
  int nLabel = 0;
  if (bPopup)
    nLabel = nColumn + pDC->GetTextExtent(strPlain).cx + 12;
  else if (pControl->IsCaptionVisible())
    nLabel = pDC->GetTextExtent(strPlain).cx + 5;
  const CJVKFieldLayout layout = JVKLayoutField(pControl, nLabel, nTextHeight, bCombo);
  if (!bDraw) return layout.szControl;

  const BOOL bEnabled = pControl->GetEnabled();
  const int nSelected = pControl->GetSelected();
  const UINT nPrefix = ShowUnderlines(pControl) ? 0 : DT_NOPREFIX;
  const CString& strShown = nPrefix ? strPlain : strCaption;
  pDC->SetBkMode(TRANSPARENT);
  if (bPopup) {
    if (nSelected)
      DrawStateRectangle(pDC, pControl->GetRect(), nSelected, 0, bEnabled, FALSE, FALSE, jvkBarTypePopup, jvkBarPopup);
    pDC->SetTextColor(GetColor(!bEnabled ? 35 : nSelected ? 45 : 44));
    CRect rcLabel(layout.rcLabel.left + nColumn + 7, layout.rcLabel.top, layout.rcLabel.right, layout.rcLabel.bottom);
    pDC->DrawText(strShown, rcLabel, DT_SINGLELINE | DT_VCENTER | nPrefix);
  } else if (nLabel > 0) {
    pDC->SetTextColor(GetColor(bEnabled ? 46 : 40));
    CRect rcLabel(layout.rcLabel.left + 2, layout.rcLabel.top, layout.rcLabel.right, layout.rcLabel.bottom);
    pDC->DrawText(strShown, rcLabel, DT_SINGLELINE | DT_VCENTER | nPrefix);
  }
  if (bEnabled) {
    int nFrame = -1;
    if (nSelected)
      nFrame = 32;
    else if (bPopup)
      nFrame = 53;
    FillRect(pDC, layout.rcField, COLOR_WINDOW, nFrame);
  } else {
    FillRect(pDC, layout.rcField, COLOR_3DFACE, nSelected == 2 ? 32 : 40);
  }
  CRect rcText = layout.rcField;
  rcText.DeflateRect(3, 0);
  if (bCombo) rcText.right = layout.rcButton.left;
  pDC->SetTextColor(GetColor(bEnabled ? COLOR_WINDOWTEXT : 40));
  pDC->DrawText(pControl->GetEditText(), rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (bCombo) {
    if (bEnabled && nSelected)
      FillRect(pDC, layout.rcButton, pControl->IsDroppedDown() ? 33 : 31, 32);
    else if (bEnabled && bPopup)
      FillRect(pDC, layout.rcButton, COLOR_WINDOW, 53);
    DrawComboArrow(pDC, layout.rcButton, GetColor(bEnabled ? 46 : 40));
  }
  return layout.szControl;
}

CSize CJVKFlatTheme::DrawComboBoxControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw) {
  return DrawFieldControl(pDC, pControl, bDraw, TRUE);
}

CSize CJVKFlatTheme::DrawEditControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw) {
  return DrawFieldControl(pDC, pControl, bDraw, FALSE);
}

CSize CJVKFlatTheme::DrawListBoxControl(CDC* pDC, CJVKPaintedControl* pControl, CRect rc, BOOL bSelected, BOOL bDraw,
                                        CWnd*) {
  CJVKFontDC font(pDC, &m_fontRegular);
  CString strCaption = pControl->GetCaption();
  StripMnemonics(strCaption);
  const CSize szText = pDC->GetTextExtent(strCaption);
  if (bDraw) {
    if (bSelected)
      FillRect(pDC, rc, 31, 32);
    else
      pDC->FillSolidRect(rc, GetColor(COLOR_WINDOW));
    pDC->SetTextColor(GetColor(bSelected ? 45 : 44));
    pDC->SetBkMode(TRANSPARENT);
    CRect rcText(rc.left + 3, rc.top, rc.right, rc.bottom);
    pDC->DrawText(strCaption, rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  return CSize(szText.cx + 8, std::max(m_nRowHeight, static_cast<int>(szText.cy) + 4));
}
