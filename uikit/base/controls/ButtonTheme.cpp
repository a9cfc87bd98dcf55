#include "ButtonTheme.h"

#include "Button.h"
#include "ColorManager.h"
#include "DrawHelpers.h"
#include "ImageManagerIcon.h"
#include "Mnemonics.h"
#include "ScopeDC.h"

#include <vssym32.h>

namespace {

COLORREF Palette(int nIndex) { return GetColorManager()->GetColor(static_cast<UINT>(nIndex)); }

// Restores the DC's background mode on every way out of the drawing.
class CBkModeScope {
 public:
  CBkModeScope(CDC* pDC, int nMode) : m_pDC(pDC), m_nOld(pDC->SetBkMode(nMode)) {}
  ~CBkModeScope() { m_pDC->SetBkMode(m_nOld); }
  CBkModeScope(const CBkModeScope&) = delete;
  CBkModeScope& operator=(const CBkModeScope&) = delete;

 private:
  CDC* m_pDC;
  int m_nOld;
};

class CTextColorScope {
 public:
  CTextColorScope(CDC* pDC, COLORREF clr) : m_pDC(pDC), m_clrOld(pDC->SetTextColor(clr)) {}
  ~CTextColorScope() { m_pDC->SetTextColor(m_clrOld); }
  CTextColorScope(const CTextColorScope&) = delete;
  CTextColorScope& operator=(const CTextColorScope&) = delete;

 private:
  CDC* m_pDC;
  COLORREF m_clrOld;
};

}  // namespace

CJVButtonTheme::CJVButtonTheme() = default;

CJVButtonTheme::~CJVButtonTheme() = default;

void CJVButtonTheme::RefreshMetrics() {
  CJVThemeManagerStyle::RefreshMetrics();
  m_clrFace.m_clrValue = Palette(COLOR_3DFACE);
  m_clrText.m_clrValue = Palette(COLOR_BTNTEXT);
  m_clrDisabledText.m_clrValue = Palette(COLOR_GRAYTEXT);
  m_clrBorder.m_clrValue = Palette(COLOR_3DFACE);
  m_clrShadow.m_clrValue = Palette(COLOR_3DSHADOW);
  m_clrHighlight.m_clrValue = Palette(COLOR_3DHIGHLIGHT);
  m_clrDarkShadow.m_clrValue = Palette(COLOR_3DDKSHADOW);
  // Opened again for the next button drawn: the visual style may have changed.
  m_themeButton.CloseThemeData();
}

BOOL CJVButtonTheme::IsHotTracking(CJVButton* pButton) {
  return IsThemed(pButton) || (pButton->GetXButtonStyle() & (JVBS_FLAT | JVBS_SINGLEBORDER)) != 0;
}

BOOL CJVButtonTheme::IsThemed(CJVButton* pButton) {
  if (!(pButton->GetXButtonStyle() & JVBS_WINDOWSTHEME)) return FALSE;
  if (!CJVKWinThemeWrapper::IsThemeEnabled()) return FALSE;
  if (!m_themeButton.GetHandle()) m_themeButton.OpenThemeData(pButton->GetSafeHwnd(), L"BUTTON");
  return m_themeButton.GetHandle() != nullptr;
}

CFont* CJVButtonTheme::GetFont(CJVButton* pButton) {
  if (m_pFont) return m_pFont;
  HFONT hFont = reinterpret_cast<HFONT>(::SendMessageA(pButton->GetSafeHwnd(), WM_GETFONT, 0, 0));
  return hFont ? CFont::FromHandle(hFont) : nullptr;
}

void CJVButtonTheme::SetFont(CFont* pFont) {
  if (pFont && pFont->GetSafeHandle()) m_pFont = pFont;
}

void CJVButtonTheme::SetColors(COLORREF clrFace, COLORREF clrBorder, COLORREF clrShadow, COLORREF clrText) {
  SetFaceColor(clrFace);
  SetBorderColor(clrBorder);
  SetShadowColor(clrShadow);
  SetTextColor(clrText);
}

BOOL CJVButtonTheme::IsPressed(UINT nItemState, CJVButton* pButton) {
  return (nItemState & ODS_SELECTED) || pButton->IsChecked();
}

CSize CJVButtonTheme::GetTextSize(CDC* pDC, CJVButton* pButton) {
  CString strText = pButton->GetButtonText(FALSE);
  if (strText.IsEmpty()) return CSize(0, 0);
  RemoveMnemonicMarkers(strText);
  CJVKFontDC font(pDC, GetFont(pButton));
  return pDC->GetTextExtent(strText);
}

CJVButtonLayout CJVButtonTheme::GetLayout(CDC* pDC, CJVButton* pButton, const CRect& rcItem) {
  CJVButtonLayout layout;
  layout.cx = rcItem.Width();
  layout.cy = rcItem.Height();
  layout.dwXStyle = pButton->GetXButtonStyle();
  layout.dwAlign = pButton->GetStyle() & (JVBA_CENTER | JVBA_VCENTER);
  if (GetImageFlag() && pButton->GetImage()) {
    layout.nImageCx = pButton->GetImageSize().cx;
    layout.nImageCy = pButton->GetImageSize().cy;
  }
  const CSize sizeText = GetTextSize(pDC, pButton);
  layout.nTextCx = sizeText.cx;
  layout.nTextCy = sizeText.cy;
  layout.nBorderGap = pButton->m_nBorderGap;
  layout.nImageTextGap = pButton->m_nImageTextGap;
  return layout;
}

CPoint CJVButtonTheme::GetCenteredPosition(CSize size, CJVButton* pButton, const CRect& rcItem) {
  CJVButtonLayout layout;
  layout.cx = rcItem.Width();
  layout.cy = rcItem.Height();
  layout.dwXStyle = pButton->GetXButtonStyle();
  layout.nBorderGap = pButton->m_nBorderGap;
  const CJVButtonPoint pt = layout.Centered(size.cx, size.cy);
  return CPoint(pt.x, pt.y);
}

CPoint CJVButtonTheme::GetImagePosition(CDC* pDC, CJVButton* pButton, const CRect& rcItem) {
  if (pButton->m_bExplicitPositions) return pButton->m_ptImage;
  const CJVButtonPoint pt = GetLayout(pDC, pButton, rcItem).ImagePosition();
  return CPoint(pt.x, pt.y);
}

CPoint CJVButtonTheme::GetTextPosition(CDC* pDC, CJVButton* pButton, const CRect& rcItem) {
  if (pButton->m_bExplicitPositions) return pButton->m_ptText;
  const CJVButtonPoint pt = GetLayout(pDC, pButton, rcItem).TextPosition();
  return CPoint(pt.x, pt.y);
}

COLORREF CJVButtonTheme::GetTextColor(UINT nItemState, CJVButton* /*pButton*/) {
  return (nItemState & ODS_DISABLED) ? m_clrDisabledText.GetColor() : m_clrText.GetColor();
}

void CJVButtonTheme::DrawText(CDC* pDC, CJVButton* pButton, LPDRAWITEMSTRUCT lpDIS) {
  const CString strText = pButton->GetButtonText(FALSE);
  if (strText.IsEmpty()) return;
  const CRect rcItem(lpDIS->rcItem);
  CString strMeasured = strText;
  RemoveMnemonicMarkers(strMeasured);
  CJVKFontDC font(pDC, GetFont(pButton));
  const CSize sizeText = pDC->GetTextExtent(strMeasured);
  CPoint pt = rcItem.TopLeft() + GetTextPosition(pDC, pButton, rcItem);
  if (m_bOffsetCaption && IsPressed(lpDIS->itemState, pButton)) pt.Offset(1, 1);
  CTextColorScope color(pDC, GetTextColor(lpDIS->itemState, pButton));
  ::DrawStateA(pDC->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(strText)),
               static_cast<WPARAM>(strText.GetLength()), pt.x, pt.y, sizeText.cx, sizeText.cy, DST_PREFIXTEXT);
}

void CJVButtonTheme::DrawImage(CDC* pDC, CJVButton* pButton, LPDRAWITEMSTRUCT lpDIS) {
  CJVKImageManagerIcon* pImage = pButton->GetImage();
  if (!pImage || !GetImageFlag()) return;
  const CRect rcItem(lpDIS->rcItem);
  CPoint pt = rcItem.TopLeft() + GetImagePosition(pDC, pButton, rcItem);
  const BOOL bPressed = IsPressed(lpDIS->itemState, pButton);
  if (bPressed) pt.Offset(1, 1);
  if (lpDIS->itemState & ODS_DISABLED)
    pImage->Draw(pDC, pt, pImage->GetDisabledIcon());
  else if (pButton->IsHot() || bPressed)
    pImage->Draw(pDC, pt, pImage->GetHotIcon());
  else
    pImage->Draw(pDC, pt, pImage->GetIcon());
}

void CJVButtonTheme::DrawButton(LPDRAWITEMSTRUCT lpDIS, CJVButton* pButton) {
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  if (!DrawThemedBackground(pDC, pButton, lpDIS)) DrawBackground(pDC, pButton, lpDIS);
  CBkModeScope mode(pDC, TRANSPARENT);
  DrawImage(pDC, pButton, lpDIS);
  DrawText(pDC, pButton, lpDIS);
  if ((pButton->GetXButtonStyle() & JVBS_FOCUSRECT) && (lpDIS->itemState & ODS_FOCUS))
    DrawFocusRect(pDC, pButton, lpDIS);
}

BOOL CJVButtonTheme::DrawThemedBackground(CDC* pDC, CJVButton* pButton, LPDRAWITEMSTRUCT lpDIS) {
  if (!IsThemed(pButton)) return FALSE;
  int nState = PBS_NORMAL;
  if (IsPressed(lpDIS->itemState, pButton))
    nState = PBS_PRESSED;
  else if (pButton->IsHot())
    nState = PBS_HOT;
  else if (lpDIS->itemState & ODS_FOCUS)
    nState = PBS_DEFAULTED;
  if (lpDIS->itemState & ODS_DISABLED) nState = PBS_DISABLED;
  const CRect rcItem(lpDIS->rcItem);
  m_themeButton.DrawThemeBackground(pDC->GetSafeHdc(), BP_PUSHBUTTON, nState, &rcItem, nullptr);
  return TRUE;
}

void CJVButtonTheme::Frame(CDC* pDC, CRect& rect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  pDC->Draw3dRect(&rect, clrTopLeft, clrBottomRight);
  rect.DeflateRect(1, 1);
}

void CJVButtonTheme::DrawBackground(CDC* pDC, CJVButton* pButton, LPDRAWITEMSTRUCT lpDIS) {
  CRect rect(lpDIS->rcItem);
  const DWORD dwStyle = pButton->GetXButtonStyle();
  const BOOL bPressed = IsPressed(lpDIS->itemState, pButton);
  const BOOL bHot = pButton->IsHot();
  pDC->FillSolidRect(&rect, m_clrFace);
  if (dwStyle & JVBS_HALFTONE) {
    POINT ptCursor;
    ::GetCursorPos(&ptCursor);
    const BOOL bCursorOutside = !CJVKDrawHelpers::GetWindowRect(pButton).PtInRect(ptCursor);
    if ((pButton->IsChecked() && bCursorOutside) || bPressed) CJVKDrawHelpers::FillHalftoneRect(pDC, rect);
  }
  if (dwStyle & JVBS_FLAT) {
    if (bPressed)
      Frame(pDC, rect, m_clrShadow, m_clrHighlight);
    else if (bHot)
      Frame(pDC, rect, m_clrHighlight, m_clrShadow);
  } else if (dwStyle & JVBS_SINGLEBORDER) {
    if (bPressed)
      Frame(pDC, rect, m_clrShadow, m_clrHighlight);
    else
      Frame(pDC, rect, m_clrHighlight, m_clrShadow);
  } else if (bPressed) {
    Frame(pDC, rect, m_clrDarkShadow, m_clrHighlight);
    Frame(pDC, rect, m_clrShadow, m_clrBorder);
  } else {
    Frame(pDC, rect, m_clrHighlight, m_clrDarkShadow);
    Frame(pDC, rect, m_clrBorder, m_clrShadow);
  }
}

void CJVButtonTheme::DrawFocusRect(CDC* pDC, CJVButton* pButton, LPDRAWITEMSTRUCT lpDIS) {
  CTextColorScope color(pDC, m_clrText.GetColor());
  CRect rect(lpDIS->rcItem);
  const int nInset = IsThemed(pButton) ? 4 : 2;
  rect.DeflateRect(nInset, nInset);
  pDC->DrawFocusRect(&rect);
}
