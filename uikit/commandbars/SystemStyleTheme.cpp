#include "SystemStyleTheme.h"

#include "DrawHelpers.h"

namespace {
// UxTheme's property ids of the colours read here.
const int kBorderColor = 3801;
const int kTextColor = 3803;
const int kEdgeShadowColor = 3806;
const int kFillColorHint = 3821;
const UINT kGetFlatMenu = 0x1022;  // SPI_GETFLATMENU

HWND MainWindow() {
  CWnd* pWnd = AfxGetMainWnd();
  return pWnd ? pWnd->GetSafeHwnd() : nullptr;
}
}  // namespace

CJVKSystemStyleTheme::CJVKSystemStyleTheme() {
  m_iconsOptions.bUseFadedIcons = TRUE;
  m_iconsOptions.bIconsWithShadow = FALSE;
  m_nPopupTextColor = COLOR_MENUTEXT;
  RefreshMetrics();
}

BOOL CJVKSystemStyleTheme::IsActive(CJVKWinThemeWrapper& theme) {
  return theme.GetHandle() != nullptr && theme.IsAppThemed();
}

void CJVKSystemStyleTheme::RefreshMetrics() {
  CJVKClassicTheme::RefreshMetrics();
  const HWND hWnd = MainWindow();
  m_themeToolBar.OpenThemeData(hWnd, L"TOOLBAR");
  m_themeRebar.OpenThemeData(hWnd, L"REBAR");
  m_themeComboBox.OpenThemeData(hWnd, L"COMBOBOX");
  m_themeStatus.OpenThemeData(hWnd, L"STATUS");
  BOOL bFlatMenu = FALSE;
  m_bFlatMenu = ::SystemParametersInfoA(kGetFlatMenu, 0, &bFlatMenu, 0) ? bFlatMenu : FALSE;
  COLORREF clr;
  m_clrSeparator =
      SUCCEEDED(m_themeRebar.GetThemeColor(3, 0, kEdgeShadowColor, &clr)) ? clr : GetColor(COLOR_BTNSHADOW);
  if (SUCCEEDED(m_themeToolBar.GetThemeColor(1, 1, kTextColor, &clr))) m_colors.SetValue(COLOR_BTNTEXT, clr);
  if (SUCCEEDED(m_themeRebar.GetThemeColor(0, 0, kFillColorHint, &clr))) m_colors.SetValue(COLOR_3DFACE, clr);
  if (SUCCEEDED(m_themeStatus.GetThemeColor(1, 0, kTextColor, &clr))) m_clrDefaultText = clr;
}

int CJVKSystemStyleTheme::ButtonState(int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked, BOOL bPopuped) {
  if (!bEnabled) return bChecked ? 3 : 4;
  if (bPopuped) return 3;
  if (bChecked && !nPressed) return nSelected ? 6 : 5;
  if ((nSelected && nPressed) || nPressed == 2) return 3;
  return nSelected ? 2 : 1;
}

void CJVKSystemStyleTheme::DrawStateRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled,
                                              BOOL bChecked, BOOL bPopuped, int nBarType, int nBarPosition) {
  if (!IsActive(m_themeToolBar)) {
    CJVKClassicTheme::DrawStateRectangle(pDC, rc, nSelected, nPressed, bEnabled, bChecked, bPopuped, nBarType,
                                         nBarPosition);
    return;
  }
  m_themeToolBar.DrawThemeBackground(pDC->GetSafeHdc(), 1, ButtonState(nSelected, nPressed, bEnabled, bChecked, bPopuped),
                                     &rc, nullptr);
}

void CJVKSystemStyleTheme::DrawSplitButtonFrame(CDC* pDC, CJVKPaintedControl* pControl, CRect rc) {
  if (!IsActive(m_themeToolBar)) {
    CJVKClassicTheme::DrawSplitButtonFrame(pDC, pControl, rc);
    return;
  }
  const BOOL bEnabled = pControl->GetEnabled();
  const BOOL bPopuped = pControl->GetPopuped();
  int nState = 1;
  if (!bEnabled)
    nState = 4;
  else if (pControl->GetPressed() && pControl->GetSelected())
    nState = 3;
  else if (pControl->GetChecked())
    nState = 5;
  else if (bPopuped || pControl->GetSelected())
    nState = 2;
  const CRect rcButton(rc.left, rc.top, rc.right - 12, rc.bottom);
  const CRect rcArrow(rc.right - 12, rc.top, rc.right, rc.bottom);
  m_themeToolBar.DrawThemeBackground(pDC->GetSafeHdc(), 3, nState, &rcButton, nullptr);
  m_themeToolBar.DrawThemeBackground(pDC->GetSafeHdc(), 4, bPopuped ? 3 : nState, &rcArrow, nullptr);
  pDC->SetTextColor(GetColor(bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  pDC->SetBkMode(TRANSPARENT);
}

void CJVKSystemStyleTheme::DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected) {
  if (!IsActive(m_themeComboBox)) {
    CJVKClassicTheme::DrawEditFrame(pDC, rc, bEnabled, nSelected);
    return;
  }
  COLORREF clr;
  if (FAILED(m_themeComboBox.GetThemeColor(1, bEnabled ? 1 : 4, kBorderColor, &clr))) clr = GetColor(COLOR_BTNSHADOW);
  pDC->Draw3dRect(rc, clr, clr);
}

void CJVKSystemStyleTheme::DrawComboButton(CDC* pDC, CRect rc, BOOL bDraw, int nSelected, int nPressed,
                                           BOOL bEnabled) {
  if (!IsActive(m_themeComboBox)) {
    CJVKClassicTheme::DrawComboButton(pDC, rc, bDraw, nSelected, nPressed, bEnabled);
    return;
  }
  if (!bDraw) return;
  const int nState = !bEnabled ? 4 : nPressed ? 3 : nSelected ? 2 : 1;
  CRect rcButton(rc.left - 2, rc.top + 1, rc.right - 3, rc.bottom - 1);
  m_themeComboBox.DrawThemeBackground(pDC->GetSafeHdc(), 1, nState, &rcButton, nullptr);
}

CSize CJVKSystemStyleTheme::DrawCommandBarGripper(CDC* pDC, CJVKPaintedBar* pBar, BOOL bDraw) {
  if (!IsActive(m_themeRebar)) return CJVKClassicTheme::DrawCommandBarGripper(pDC, pBar, bDraw);
  if (pBar->IsDialogBar()) return DrawDialogBarGripper(pDC, pBar, bDraw);
  const CRect rc = pBar->GetClientRect();
  bDraw = bDraw && pDC;
  switch (pBar->GetPosition()) {
    case jvkBarTop:
    case jvkBarBottom:
      if (bDraw) {
        const CRect rcGripper(rc.left + 2, rc.top + 2, rc.left + 8, rc.bottom - 2);
        m_themeRebar.DrawThemeBackground(pDC->GetSafeHdc(), 1, 0, &rcGripper, nullptr);
      }
      return CSize(8, 0);
    case jvkBarLeft:
    case jvkBarRight:
      if (bDraw) {
        const CRect rcGripper(rc.left + 2, rc.top + 2, rc.right - 2, rc.top + 8);
        m_themeRebar.DrawThemeBackground(pDC->GetSafeHdc(), 2, 0, &rcGripper, nullptr);
      }
      return CSize(0, 8);
    default: return CSize(0, 0);
  }
}

CSize CJVKSystemStyleTheme::DrawDialogBarGripper(CDC* pDC, CJVKPaintedBar* pBar, BOOL bDraw) {
  if (!IsActive(m_themeRebar)) return CJVKClassicTheme::DrawDialogBarGripper(pDC, pBar, bDraw);
  const int h = m_nRowHeight >= 18 ? m_nRowHeight + 4 : 22;
  if (bDraw && pDC) {
    const CRect rcGripper(2, 3, 8, h);
    m_themeRebar.DrawThemeBackground(pDC->GetSafeHdc(), 1, 0, &rcGripper, nullptr);
  }
  return CSize(8, h);
}

void CJVKSystemStyleTheme::FillCommandBar(CDC* pDC, CJVKPaintedBar* pBar) {
  if (!IsActive(m_themeRebar)) {
    CJVKClassicTheme::FillCommandBar(pDC, pBar);
    return;
  }
  CRect rc = pBar->GetClientRect();
  const int nPosition = pBar->GetPosition();
  if (nPosition == jvkBarPopup && m_bFlatMenu) {
    pDC->FillSolidRect(rc, GetColor(COLOR_MENU));
    Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNSHADOW);
    return;
  }
  if (nPosition == jvkBarPopup || nPosition == jvkBarFloating) {
    pDC->FillSolidRect(rc, GetColor(nPosition == jvkBarPopup ? COLOR_MENU : COLOR_3DFACE));
    Draw3dRect(pDC, rc, COLOR_3DFACE, COLOR_3DDKSHADOW);
    rc.DeflateRect(1, 1);
    Draw3dRect(pDC, rc, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    return;
  }
  if (nPosition == jvkBarTop) {
    // The rebar background as it lies under the whole dock bar.
    const CRect rcDock = pBar->GetDockBarRect();
    const CRect rcBack = rcDock.IsRectEmpty() ? rc : rcDock;
    m_themeRebar.DrawThemeBackground(pDC->GetSafeHdc(), 0, 0, &rcBack, &rc);
  } else {
    pDC->FillSolidRect(rc, GetColor(COLOR_3DFACE));
  }
  pDC->Draw3dRect(rc, GetColor(COLOR_BTNHIGHLIGHT), m_clrSeparator);
}

void CJVKSystemStyleTheme::FillDockBar(CDC* pDC, CJVKPaintedDockBar* pDockBar) {
  if (!IsActive(m_themeRebar) || pDockBar->WantsPlainFill()) {
    CJVKClassicTheme::FillDockBar(pDC, pDockBar);
    return;
  }
  const CRect rc = pDockBar->GetClientRect();
  m_themeRebar.DrawThemeBackground(pDC->GetSafeHdc(), 0, 0, &rc, nullptr);
}

void CJVKSystemStyleTheme::FillStatusBar(CDC* pDC, CJVKPaintedStatusBar* pStatusBar) {
  if (!IsActive(m_themeStatus)) {
    CJVKClassicTheme::FillStatusBar(pDC, pStatusBar);
    return;
  }
  const CRect rc = pStatusBar->GetClientRect();
  m_themeStatus.DrawThemeBackground(pDC->GetSafeHdc(), 0, 0, &rc, nullptr);
}

void CJVKSystemStyleTheme::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bBesideGripper) {
  if (!IsActive(m_themeStatus)) {
    CJVKClassicTheme::DrawStatusBarPaneBorder(pDC, rc, bBesideGripper);
    return;
  }
  m_themeStatus.DrawThemeBackground(pDC->GetSafeHdc(), bBesideGripper ? 2 : 1, 0, &rc, nullptr);
}

void CJVKSystemStyleTheme::DrawStatusBarGripper(CDC* pDC, CRect rc) {
  if (!IsActive(m_themeStatus)) {
    CJVKClassicTheme::DrawStatusBarGripper(pDC, rc);
    return;
  }
  const CRect rcGripper(rc.right - 18, rc.top, rc.right, rc.bottom);
  m_themeStatus.DrawThemeBackground(pDC->GetSafeHdc(), 3, 0, &rcGripper, nullptr);
}
