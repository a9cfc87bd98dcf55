#include "GradientTheme.h"

#include "ColorManager.h"
#include "ColorMath.h"
#include "DrawHelpers.h"
#include "GradientSteps.h"
#include "ImageManager.h"
#include "ScopeDC.h"

#include <algorithm>

int (*CJVKGradientTheme::s_pfnScreenWidth)() = nullptr;

namespace {
const DWORD kRightDockStyle = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;

BOOL IsRightDock(DWORD dwStyle) { return (dwStyle & kRightDockStyle) == kRightDockStyle; }

int ScreenWidth() {
  return CJVKGradientTheme::s_pfnScreenWidth ? CJVKGradientTheme::s_pfnScreenWidth()
                                             : ::GetSystemMetrics(SM_CXFULLSCREEN);
}

HWND MainWindow() {
  CWnd* pWnd = AfxGetMainWnd();
  return pWnd ? pWnd->GetSafeHwnd() : nullptr;
}
}  // namespace

CJVKGradientTheme::CJVKGradientTheme() {
  m_grcChecked.SetColors(RGB(255, 213, 140), RGB(255, 173, 85));
  m_grcPressed.SetColors(RGB(254, 142, 75), RGB(255, 207, 139));
  m_grcHot.SetColors(RGB(255, 242, 200), RGB(255, 212, 151));
  RefreshMetrics();
}

CJVKGradientTheme::~CJVKGradientTheme() {
  if (m_hExpandGlyph) ImageList_Destroy(m_hExpandGlyph);
}

// --------------------------------------------------------------- metrics

void CJVKGradientTheme::RefreshMetrics() {
  CJVKFlatTheme::RefreshMetrics();
  m_themeStatus.OpenThemeData(MainWindow(), L"STATUS");
  auto blend = [this](int a, int b, int n) { return MixColors(GetColor(a), GetColor(b), n); };
  m_hidden = {GetColor(42), blend(COLOR_WINDOW, 42, 550)};
  m_clrBarStart = GetColor(COLOR_3DFACE);
  m_clrBarEnd = blend(COLOR_3DFACE, COLOR_WINDOW, 205);
  m_toolBar = {GetColor(COLOR_3DFACE), blend(COLOR_3DFACE, COLOR_WINDOW, 205)};
  m_lines = {GetColor(30), GetColor(COLOR_BTNSHADOW)};
  m_popped = {GetColor(41), blend(COLOR_WINDOW, COLOR_3DFACE, 550)};
  m_expand = {GetColor(COLOR_BTNSHADOW), blend(51, COLOR_BTNSHADOW, 51)};
  m_glyph = {blend(COLOR_WINDOW, COLOR_3DFACE, 550), GetColor(41)};
  m_clrPaneBorder = blend(COLOR_3DFACE, COLOR_WINDOW, 70);
  // Colour 55 keeps the colour manager's own value (its override aside).
  m_colors.SetValue(55, GetColorManager()->GetValue(55));
  m_bSchemeApplied = FALSE;

  if (const CJVKGradientScheme* pScheme = JVKGradientSchemeFor(GetCurrentColorScheme())) {
    m_clrBarStart = pScheme->clrBarStart;
    m_clrBarEnd = pScheme->clrBarEnd;
    m_toolBar = {pScheme->clrToolBarBottom, pScheme->clrToolBarTop};
    m_lines = {pScheme->clrBottomLine, pScheme->clrSecondLine};
    m_popped = {pScheme->clrPoppedStart, pScheme->clrPoppedEnd};
    m_expand = {pScheme->clrExpandStart, pScheme->clrExpandEnd};
    m_hidden = {pScheme->clrHiddenEnd, pScheme->clrHiddenStart};
    m_glyph = {pScheme->clrGlyphFirst, pScheme->clrGlyphSecond};
    m_clrPaneBorder = pScheme->clrPaneBorder;
    m_clrShadow = pScheme->clrShadow;
    m_colors.SetValue(53, pScheme->clrSlot53);
    m_colors.SetValue(51, pScheme->clrSlot51);
    m_colors.SetValue(52, pScheme->clrSlot52);
    m_colors.SetValue(12, pScheme->clrSlot12);
    m_colors.SetValue(56, pScheme->clrSlot56);
    SetColors(13, JVK_SCHEME_SET_INDICES, pScheme->clrSet);
    m_bSchemeApplied = TRUE;
    m_colors.SetValue(58, RGB(141, 141, 141));
  }
  RebuildExpandGlyph();
}

void CJVKGradientTheme::RebuildExpandGlyph() {
  if (m_hExpandGlyph) ImageList_Destroy(m_hExpandGlyph);
  m_hExpandGlyph = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 0);
  if (m_hExpandGlyph == nullptr) return;
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = 16;
  bmi.bmiHeader.biHeight = -16;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  DWORD* pBits = nullptr;
  HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pBits), nullptr, 0);
  if (hBitmap == nullptr) return;
  for (int i = 0; i < 256; ++i) {
    const COLORREF clr = JVKExpandGlyphPixel(m_glyph.clrFirst, m_glyph.clrSecond, JVK_EXPAND_GLYPH_SHADES[i]);
    pBits[i] = (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
  }
  ImageList_AddMasked(m_hExpandGlyph, hBitmap, RGB(0, 255, 0));
  ::DeleteObject(hBitmap);
}

// ------------------------------------------------------------ gradients

void CJVKGradientTheme::FillBarGradient(CDC* pDC, const CRect& rcSpan, const CRect& rcFill) {
  const int nWidth = std::max(1, std::min(static_cast<int>(rcSpan.Width()), ScreenWidth() / 2));
  const CRect rcGradient(rcSpan.left, rcFill.top, rcSpan.left + nWidth, rcFill.bottom);
  CRect rcPart;
  if (rcPart.IntersectRect(rcGradient, rcFill)) {
    const COLORREF clrFrom = GradientStepColor(m_clrBarStart, m_clrBarEnd, rcPart.left - rcSpan.left, nWidth);
    const COLORREF clrTo = GradientStepColor(m_clrBarStart, m_clrBarEnd, rcPart.right - rcSpan.left, nWidth);
    GradientFill(pDC, rcPart, clrFrom, clrTo, TRUE);
  }
  const CRect rcBeyond(std::max(rcFill.left, rcGradient.right), rcFill.top, rcFill.right, rcFill.bottom);
  if (!rcBeyond.IsRectEmpty()) pDC->FillSolidRect(rcBeyond, m_clrBarEnd);
}

void CJVKGradientTheme::FillGradientRecord(CDC* pDC, const CRect& rc, const CJVKGradientColor& grc, int nFrame,
                                           BOOL bHorizontal) {
  JVKDrawHelpers()->GradientFillColor(pDC, &rc, grc, bHorizontal);
  Draw3dRect(pDC, rc, nFrame, nFrame);
}

void CJVKGradientTheme::FillPopupIconColumn(CDC* pDC, int x, int y, int cx, int cy, BOOL bHidden) {
  const CRect rc(x, y, x + cx, y + cy);
  if (bHidden)
    GradientFill(pDC, rc, m_hidden.clrSecond, m_hidden.clrFirst, TRUE);
  else
    GradientFill(pDC, rc, m_toolBar.clrSecond, m_toolBar.clrFirst, TRUE);
}

void CJVKGradientTheme::FillDockBar(CDC* pDC, CJVKPaintedDockBar* pDockBar) {
  const CRect rc = pDockBar->GetClientRect();
  if (IsRightDock(pDockBar->GetBarStyle()))
    pDC->FillSolidRect(rc, m_clrBarEnd);
  else
    FillBarGradient(pDC, rc, rc);
}

// ------------------------------------------------------------------ bars

void CJVKGradientTheme::FillDockedToolBar(CDC* pDC, CJVKPaintedBar* pBar) {
  const CRect rc = pBar->GetClientRect();
  const BOOL bVertical = pBar->GetPosition() == jvkBarLeft || pBar->GetPosition() == jvkBarRight;
  pDC->FillSolidRect(rc, GetColor(COLOR_3DFACE));
  if (IsRightDock(pBar->GetDockBarStyle())) {
    pDC->FillSolidRect(rc, m_clrBarEnd);
  } else {
    const CRect rcDock = pBar->GetDockBarRect();
    FillBarGradient(pDC, rcDock.IsRectEmpty() ? rc : rcDock, rc);
  }
  // The body: the first 3 pixels kept out, rounded corners.
  const CRect rcBody = bVertical ? CRect(rc.left + 1, rc.top + 3, rc.right - 1, rc.bottom)
                                 : CRect(rc.left + 3, rc.top + 1, rc.right, rc.bottom - 1);
  int nEnd = bVertical ? rcBody.left : rcBody.top;
  for (int i = 0; i < pBar->GetControlCount(); ++i) {
    CJVKPaintedControl* pControl = pBar->GetControl(i);
    if (pControl == nullptr || pControl->GetHideFlags() != 0) continue;
    nEnd = std::max(nEnd, static_cast<int>(bVertical ? pControl->GetRect().right : pControl->GetRect().bottom));
  }
  if (nEnd <= (bVertical ? rcBody.left : rcBody.top)) nEnd = bVertical ? rcBody.right : rcBody.bottom;
  nEnd = std::min(nEnd, static_cast<int>(bVertical ? rcBody.right : rcBody.bottom));
  const int nSaved = pDC->SaveDC();
  CJVKDrawHelpers::ExcludeCorners(pDC, rcBody.left, rcBody.top, rcBody.right, rcBody.bottom);
  if (bVertical) {
    GradientFill(pDC, CRect(rcBody.left, rcBody.top, nEnd, rcBody.bottom), m_toolBar.clrSecond, m_toolBar.clrFirst,
                 TRUE);
    pDC->FillSolidRect(CRect(nEnd, rcBody.top, rcBody.right, rcBody.bottom), m_toolBar.clrFirst);
  } else {
    GradientFill(pDC, CRect(rcBody.left, rcBody.top, rcBody.right, nEnd), m_toolBar.clrSecond, m_toolBar.clrFirst,
                 FALSE);
    pDC->FillSolidRect(CRect(rcBody.left, nEnd, rcBody.right, rcBody.bottom), m_toolBar.clrFirst);
  }
  pDC->RestoreDC(nSaved);
  if (bVertical)
    pDC->FillSolidRect(rcBody.right - 1, rc.top + 5, 1, rc.Height() - 7, m_lines.clrFirst);
  else
    pDC->FillSolidRect(rc.left + 5, rcBody.bottom - 1, rc.Width() - 7, 1, m_lines.clrFirst);
}

void CJVKGradientTheme::FillCommandBar(CDC* pDC, CJVKPaintedBar* pBar) {
  const CRect rc = pBar->GetClientRect();
  const int nPosition = pBar->GetPosition();
  if (pBar->GetType() == jvkBarTypeMenuBar) {
    FillBarGradient(pDC, rc, rc);
    if (nPosition == jvkBarFloating) {
      Draw3dRect(pDC, rc, 43, 43);
      Draw3dRect(pDC, CRect(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1), 43, 43);
      SetCornerPixels(pDC, rc, 2, 43);
    }
  } else if (nPosition == jvkBarPopup) {
    FillPopupBar(pDC, pBar, 41);
  } else if (nPosition >= jvkBarTop && nPosition <= jvkBarRight) {
    FillDockedToolBar(pDC, pBar);
  } else {
    CJVKFlatTheme::FillCommandBar(pDC, pBar);
  }
}

CRect CJVKGradientTheme::GetCommandBarBorders(CJVKPaintedBar* pBar) {
  const int nPosition = pBar->GetPosition();
  return nPosition == jvkBarTop || nPosition == jvkBarBottom ? CRect(4, 2, 2, 2) : CRect(2, 2, 2, 2);
}

void CJVKGradientTheme::DrawDot(CDC* pDC, int x, int y) {
  pDC->FillSolidRect(x - 1, y - 1, 2, 2, GetColor(38));
  pDC->FillSolidRect(x, y, 2, 2, GetColor(COLOR_BTNHIGHLIGHT));
}

CSize CJVKGradientTheme::DrawCommandBarGripper(CDC* pDC, CJVKPaintedBar* pBar, BOOL bDraw) {
  if (pBar->IsDialogBar()) return DrawDialogBarGripper(pDC, pBar, bDraw);
  const CRect rc = pBar->GetClientRect();
  bDraw = bDraw && pDC;
  switch (pBar->GetPosition()) {
    case jvkBarTop:
    case jvkBarBottom:
      if (bDraw)
        for (int y = 8; y - 3 < rc.Height() - 8; y += 4) DrawDot(pDC, 6, y - 2);
      return CSize(6, 0);
    case jvkBarLeft:
    case jvkBarRight:
      if (bDraw)
        for (int x = 8; x - 3 < rc.Width() - 8; x += 4) DrawDot(pDC, x - 2, 7);
      return CSize(0, 9);
    case jvkBarFloating: return DrawFloatingCaption(pDC, pBar, bDraw, m_lines.clrSecond);
    default: return CSize(0, 0);
  }
}

CSize CJVKGradientTheme::DrawDialogBarGripper(CDC* pDC, CJVKPaintedBar* pBar, BOOL bDraw) {
  const int h = std::max(25, m_nRowHeight + 6);
  if (bDraw && pDC) {
    CRect rc = pBar->GetClientRect();
    rc.DeflateRect(3, 3);
    GradientFill(pDC, rc, m_toolBar.clrSecond, m_toolBar.clrFirst, FALSE);
    for (int y = 8; y < h - 4; y += 4) DrawDot(pDC, 6, y - 2);
  }
  return CSize(8, h);
}

CSize CJVKGradientTheme::DrawCommandBarSeparator(CDC* pDC, CJVKPaintedBar* pBar, CJVKPaintedControl* pControl,
                                                 BOOL bDraw) {
  if (pBar->GetType() == jvkBarTypePopup) return CJVKFlatTheme::DrawCommandBarSeparator(pDC, pBar, pControl, bDraw);
  if (!bDraw || pDC == nullptr) return CSize(0, 3);
  const CRect rc = pControl->GetRect();
  const BOOL bVertical = pBar->GetPosition() == jvkBarLeft || pBar->GetPosition() == jvkBarRight;
  // A line of colour 39 and, one pixel further, one of colour 20.
  BOOL bHorizontalLine;
  int nAt, nFrom, nTo;
  if (bVertical) {
    bHorizontalLine = !pControl->GetWrap();
    nAt = bHorizontalLine ? rc.top - 4 : rc.right + 2;
    nFrom = bHorizontalLine ? rc.left : rc.top;
    nTo = bHorizontalLine ? rc.right : rc.bottom;
  } else {
    bHorizontalLine = pControl->GetWrap();
    nAt = bHorizontalLine ? rc.top - 4 : rc.left - 4;
    nFrom = bHorizontalLine ? rc.left + 4 : rc.top;
    nTo = bHorizontalLine ? rc.right : rc.bottom;
  }
  for (int k = 0; k < 2; ++k) {
    const int nColor = k == 0 ? 39 : COLOR_BTNHIGHLIGHT;
    if (bHorizontalLine)
      Line(pDC, nFrom, nAt + k, nTo, nAt + k, nColor);
    else
      Line(pDC, nAt + k, nFrom, nAt + k, nTo, nColor);
  }
  return CSize(0, 3);
}

// --------------------------------------------------------- state rectangle

void CJVKGradientTheme::DrawStateRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled,
                                           BOOL bChecked, BOOL bPopuped, int nBarType, int nBarPosition) {
  if (bPopuped) {
    GradientFill(pDC, rc, m_popped.clrFirst, m_popped.clrSecond, FALSE);
    Draw3dRect(pDC, rc, 43, 43);
    return;
  }
  if (!m_bSchemeApplied || nBarPosition < jvkBarTop || nBarPosition > jvkBarRight ||
      nBarType == jvkBarTypeMenuBar) {
    CJVKFlatTheme::DrawStateRectangle(pDC, rc, nSelected, nPressed, bEnabled, bChecked, bPopuped, nBarType,
                                      nBarPosition);
    return;
  }
  const BOOL bHorizontal = nBarPosition == jvkBarLeft || nBarPosition == jvkBarRight;
  const CJVKGradientColor* pRecord = nullptr;
  int nFrame = 50;
  if (bEnabled) {
    if (bChecked && !nSelected && !nPressed)
      pRecord = &m_grcChecked;
    else if ((bChecked && nSelected) || (nSelected && nPressed) || nPressed == 2)
      pRecord = &m_grcPressed;
    else if (nSelected || nPressed)
      pRecord = &m_grcHot, nFrame = 32;
  } else if (nSelected == 2) {
    pRecord = bChecked ? &m_grcPressed : &m_grcHot;
  } else if (bChecked) {
    pRecord = &m_grcChecked, nFrame = 58;
  }
  if (pRecord) FillGradientRecord(pDC, rc, *pRecord, nFrame, bHorizontal);
}

// ------------------------------------------------------- special controls

CSize CJVKGradientTheme::DrawSpecialControl(int nKind, CDC* pDC, CJVKPaintedControl* pControl, CJVKPaintedBar* pBar,
                                            BOOL bDraw, CRect* pPlaced) {
  if (nKind == jvkSpecialPopupExpand) {
    if (bDraw && pDC) {
      DrawControlEntry(pDC, pControl);
      const CRect rc = pControl->GetRect();
      const CPoint c = rc.CenterPoint();
      if (m_hExpandGlyph) ImageList_Draw(m_hExpandGlyph, 0, pDC->GetSafeHdc(), c.x - 7, rc.top + 1, ILD_NORMAL);
      for (int y : {rc.top + 4, rc.top + 8}) CJVKDrawHelpers::Chevron(pDC, c.x - 2, y, TRUE, pDC->GetTextColor());
    }
    return CSize(0, 18);
  }
  if (nKind != jvkSpecialBarExpand || !bDraw || pDC == nullptr)
    return CJVKFlatTheme::DrawSpecialControl(nKind, pDC, pControl, pBar, bDraw, pPlaced);

  const CRect rc = pControl->GetRect();
  const BOOL bVertical = JVKIsVerticalPosition(pBar ? pBar->GetPosition() : jvkBarTop);
  const BOOL bPopuped = pControl->GetPopuped();
  const BOOL bSelected = pControl->GetSelected() != 0;
  const int nSaved = pDC->SaveDC();
  CJVKDrawHelpers::ExcludeCorners(pDC, rc.left, rc.top, rc.right, rc.bottom);
  if (bPopuped) {
    if (m_bSchemeApplied)
      GradientFill(pDC, rc, RGB(254, 142, 75), RGB(255, 207, 139), bVertical);
    else
      pDC->FillSolidRect(rc, GetColor(36));
  } else if (!bSelected) {
    GradientFill(pDC, rc, m_expand.clrFirst, m_expand.clrSecond, bVertical);
  } else if (m_bSchemeApplied) {
    GradientFill(pDC, rc, RGB(255, 242, 200), RGB(255, 212, 151), bVertical);
  } else {
    pDC->FillSolidRect(rc, GetColor(31));
  }
  pDC->RestoreDC(nSaved);
  const COLORREF clrGlyph = GetColor(bPopuped || !bSelected ? 46 : 45);
  const CPoint c = rc.CenterPoint();
  const BOOL bHidden = pBar && pBar->HasHiddenControls();
  if (!bVertical) {
    pDC->FillSolidRect(c.x - 2, rc.bottom - 10, 5, 1, clrGlyph);
    Triangle(pDC, CPoint(c.x - 2, rc.bottom - 7), CPoint(c.x + 2, rc.bottom - 7), CPoint(c.x, rc.bottom - 5), clrGlyph);
    if (bHidden)
      for (int x : {rc.left + 3, rc.left + 7})
        Triangle(pDC, CPoint(x, rc.top + 4), CPoint(x, rc.top + 8), CPoint(x + 2, rc.top + 6), clrGlyph);
  } else {
    pDC->FillSolidRect(rc.right - 10, c.y - 2, 1, 5, clrGlyph);
    Triangle(pDC, CPoint(rc.right - 7, c.y - 2), CPoint(rc.right - 7, c.y + 2), CPoint(rc.right - 5, c.y), clrGlyph);
    if (bHidden)
      for (int y : {rc.top + 3, rc.top + 7})
        Triangle(pDC, CPoint(rc.left + 4, y), CPoint(rc.left + 8, y), CPoint(rc.left + 6, y + 2), clrGlyph);
  }
  return CSize(0, 0);
}

// ------------------------------------------------------- strip, status bar

CSize CJVKGradientTheme::DrawTearOffStrip(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) {
  if (bDraw && pDC) {
    const CRect rcStrip(rc.left, rc.top, rc.right, rc.top + 9);
    pDC->FillSolidRect(rcStrip, GetColor(41));
    CRect rcInner = rcStrip;
    rcInner.DeflateRect(1, 1);
    if (bSelected)
      FillRect(pDC, rcInner, 31, 32);
    else
      pDC->FillSolidRect(rcInner, GetColor(30));
    const int nLength = TearOffLineLength(rc, 32);
    const int x0 = rc.left + (rc.Width() - nLength) / 2;
    for (int x = x0; x + 2 <= x0 + nLength; x += 4) DrawDot(pDC, x + 1, rc.top + 4);
  }
  return CSize(rc.Width(), 9);
}

void CJVKGradientTheme::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL) {
  pDC->Draw3dRect(rc, m_clrPaneBorder, m_clrPaneBorder);
}

void CJVKGradientTheme::DrawStatusBarGripper(CDC* pDC, CRect rc) {
  if (m_themeStatus.GetHandle() && m_themeStatus.IsAppThemed()) {
    const CRect rcGripper(rc.right - 18, rc.top, rc.right, rc.bottom);
    m_themeStatus.DrawThemeBackground(pDC->GetSafeHdc(), 3, 0, &rcGripper, nullptr);
    return;
  }
  // Three grooves 5 pixels apart: one light line, then three dark ones.
  const int right = rc.right - 1, bottom = rc.bottom - 1;
  for (int i = 0; i < 3; ++i) {
    for (int k = 1; k <= 4; ++k) {
      const int nOffset = 5 * i + k;
      Line(pDC, right - nOffset + 1, bottom, right + 1, bottom - nOffset, k == 1 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
    }
  }
}
