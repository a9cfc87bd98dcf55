#include "PaintManager.h"

#include "ClassicTheme.h"
#include "ColorManager.h"
#include "DrawHelpers.h"
#include "FlatTheme.h"
#include "GradientTheme.h"
#include "ImageManager.h"
#include "Mnemonics.h"
#include "SchemeGradientTheme.h"
#include "ScopeDC.h"
#include "SystemStyleTheme.h"

#include <algorithm>
#include <vector>

namespace {
CJVKPaintManager*& Current() {
  static CJVKPaintManager* pCurrent = nullptr;
  return pCurrent;
}

struct CCurrentRelease {
  ~CCurrentRelease() { CJVKPaintManager::ReleaseCurrent(); }
} g_currentRelease;

BOOL GetSystemNonClientMetrics(NONCLIENTMETRICSA* pMetrics) {
  // The size without the padded border, which every system accepts.
  pMetrics->cbSize = 340;
  return ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, pMetrics, 0);
}

void SetFontFrom(CFont& font, LOGFONTA lf) {
  font.DeleteObject();
  font.CreateFontIndirect(&lf);
}
}  // namespace

BOOL (*CJVKPaintManager::s_pfnGetNonClientMetrics)(NONCLIENTMETRICSA* pMetrics) = nullptr;
int (*CJVKPaintManager::s_pfnDetectScheme)() = nullptr;
BOOL (*CJVKPaintManager::s_pfnFontExists)(const CString& strFace) = nullptr;

// ------------------------------------------------------------------ DCs

CJVKMeasureDC::CJVKMeasureDC(CDC* pDC) : m_pDC(pDC) {
  if (m_pDC == nullptr) {
    m_screen.Attach(::CreateCompatibleDC(nullptr));
    m_pDC = &m_screen;
  } else {
    m_nSaved = m_pDC->SaveDC();
  }
}

CJVKMeasureDC::~CJVKMeasureDC() {
  if (m_nSaved) m_pDC->RestoreDC(m_nSaved);
}

// ------------------------------------------------------------ factory

CJVKPaintManager::CJVKPaintManager() : m_pClock(JVKSystemAnimationClock()) { RefreshMetrics(); }

CJVKPaintManager::~CJVKPaintManager() = default;

CJVKPaintManager* CJVKPaintManager::CreateTheme(int nTheme) {
  CJVKPaintManager* pTheme = nullptr;
  switch (JVKThemeClassFor(nTheme)) {
    case jvkThemeFlat: pTheme = new CJVKFlatTheme(); break;
    case jvkThemeGradient: pTheme = new CJVKGradientTheme(); break;
    case jvkThemeSystemStyle: pTheme = new CJVKSystemStyleTheme(); break;
    case jvkThemeSchemeGradient: pTheme = new CJVKSchemeGradientTheme(); break;
    default: pTheme = new CJVKClassicTheme(); break;
  }
  pTheme->m_nTheme = nTheme;
  return pTheme;
}

void CJVKPaintManager::SetTheme(int nTheme) {
  CJVKPaintManager* pTheme = CreateTheme(nTheme);
  ReleaseCurrent();
  Current() = pTheme;
}

CJVKPaintManager* CJVKPaintManager::GetCurrent() { return Current(); }

void CJVKPaintManager::ReleaseCurrent() {
  if (CJVKPaintManager* pOld = Current()) {
    Current() = nullptr;
    pOld->InternalRelease();
  }
}

int CJVKPaintManager::DetectColorScheme() {
  return s_pfnDetectScheme ? s_pfnDetectScheme() : GetColorManager()->DetectXPTheme();
}

int CJVKPaintManager::GetCurrentColorScheme() const {
  CJVKColorManager* pColors = GetColorManager();
  const int nCurrent = s_pfnDetectScheme ? s_pfnDetectScheme() : pColors->GetCurrentSystemTheme();
  const int nScheme =
      JVKResolveColorScheme(m_nColorScheme, DetectColorScheme(), nCurrent, pColors->IsThemeColorsDisabled());
  return nScheme >= 0 && nScheme <= 3 ? nScheme : 0;
}

// -------------------------------------------------------------- metrics

void CJVKPaintManager::RefreshMetrics() {
  RefreshFonts();
  RefreshColorManager();
  CJVKColorManager* pColors = GetColorManager();
  for (int i = 0; i < JVK_PAINT_COLOR_COUNT; ++i) m_colors.SetValue(i, pColors->GetColor(static_cast<UINT>(i)));
  m_clrShadow = 0;
  m_clrDefaultText = GetColor(COLOR_BTNTEXT);
}

void CJVKPaintManager::RefreshFonts() {
  NONCLIENTMETRICSA ncm = {};
  const BOOL bMetrics =
      s_pfnGetNonClientMetrics ? s_pfnGetNonClientMetrics(&ncm) : GetSystemNonClientMetrics(&ncm);
  if (bMetrics && m_bUseMenuFont) {
    // The menu font's height, weight, italic flag and face; nothing else of it
    // (width, underline, escapement ...) reaches the bars' fonts.
    LOGFONTA lf = {};
    lf.lfHeight = JVKClampMenuFontHeight(ncm.lfMenuFont.lfHeight);
    lf.lfWeight = ncm.lfMenuFont.lfWeight;
    lf.lfItalic = ncm.lfMenuFont.lfItalic;
    CopyString(lf.lfFaceName, sizeof lf.lfFaceName, ncm.lfMenuFont.lfFaceName);
    HDC hScreen = ::GetDC(nullptr);
    lf.lfCharSet = static_cast<BYTE>(::GetTextCharsetInfo(hScreen, nullptr, 0));
    ::ReleaseDC(nullptr, hScreen);
    SetFont(&lf, TRUE);
  }
  if (bMetrics && (m_bCaptionFollowsSystem || m_fontCaption.GetSafeHandle() == nullptr))
    SetFontFrom(m_fontCaption, ncm.lfSmCaptionFont);
  LOGFONTA lfIcon = {};
  if (::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof lfIcon, &lfIcon, 0)) {
    if (m_bControlFollowsSystem || m_fontControl.GetSafeHandle() == nullptr) SetFontFrom(m_fontControl, lfIcon);
    if (m_bControlBoldFollowsSystem || m_fontControlBold.GetSafeHandle() == nullptr) {
      lfIcon.lfWeight = FW_BOLD;
      SetFontFrom(m_fontControlBold, lfIcon);
    }
  }
}

void CJVKPaintManager::SetFont(const LOGFONT* pLogFont, BOOL bUseMenuFont) {
  m_bUseMenuFont = bUseMenuFont;
  if (pLogFont == nullptr) return;
  m_fontRegular.DeleteObject();
  m_fontBold.DeleteObject();
  m_fontVert.DeleteObject();
  m_fontVertBold.DeleteObject();
  m_fontControlBold.DeleteObject();

  LOGFONTA lf = *pLogFont;
  const CString strFace = JVKChooseTextFace(lf.lfFaceName, lf.lfCharSet, bUseMenuFont,
                                            s_pfnFontExists ? s_pfnFontExists("Tahoma")
                                                            : CJVKDrawHelpers::FontExists("Tahoma"),
                                            m_bKeepTahoma);
  CopyString(lf.lfFaceName, sizeof lf.lfFaceName, strFace);
  m_fontRegular.CreateFontIndirect(&lf);
  const LONG nWeight = lf.lfWeight;
  lf.lfWeight = FW_BOLD;
  m_fontBold.CreateFontIndirect(&lf);

  lf.lfWeight = nWeight;
  lf.lfEscapement = 2700;
  lf.lfOrientation = 900;
  CopyString(lf.lfFaceName, sizeof lf.lfFaceName, CJVKDrawHelpers::GetDefaultFontName(m_bKeepTahoma));
  m_fontVert.CreateFontIndirect(&lf);
  lf.lfWeight = FW_BOLD;
  m_fontVertBold.CreateFontIndirect(&lf);

  // The control bold font goes with the text fonts; it is made again at once
  // so that bold edit and combo captions never lose their font.
  LOGFONTA lfIcon = {};
  if (::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof lfIcon, &lfIcon, 0)) {
    lfIcon.lfWeight = FW_BOLD;
    m_fontControlBold.CreateFontIndirect(&lfIcon);
  }

  HDC hScreen = ::GetDC(nullptr);
  HGDIOBJ hOld = m_fontRegular.GetSafeHandle() ? ::SelectObject(hScreen, m_fontRegular.GetSafeHandle()) : nullptr;
  SIZE sz = {};
  ::GetTextExtentPoint32A(hScreen, " ", 1, &sz);
  if (hOld) ::SelectObject(hScreen, hOld);
  ::ReleaseDC(nullptr, hScreen);
  m_nRowHeight = sz.cy + 6;
}

CFont* CJVKPaintManager::GetFont(CJVKPaintedBar* pBar, BOOL bBold) {
  const int nPosition = pBar ? pBar->GetPosition() : jvkBarTop;
  if (nPosition == jvkBarLeft || nPosition == jvkBarRight) return bBold ? &m_fontVertBold : &m_fontVert;
  return bBold ? &m_fontBold : &m_fontRegular;
}

// ------------------------------------------------------------- helpers

CJVKPaintedBar* CJVKPaintManager::BarOf(CJVKPaintedControl* pControl) const { return pControl->GetParent(); }

int CJVKPaintManager::PositionOf(CJVKPaintedControl* pControl) const {
  CJVKPaintedBar* pBar = pControl->GetParent();
  return pBar ? pBar->GetPosition() : jvkBarTop;
}

int CJVKPaintManager::BarTypeOf(CJVKPaintedControl* pControl) const {
  CJVKPaintedBar* pBar = pControl->GetParent();
  return pBar ? pBar->GetType() : jvkBarTypeToolBar;
}

BOOL CJVKPaintManager::ShowUnderlines(CJVKPaintedControl* pControl) const {
  if (m_nKeyboardCues != -1) return m_nKeyboardCues;
  CJVKPaintedBar* pBar = pControl->GetParent();
  return pBar ? pBar->AreKeyboardCuesVisible() : TRUE;
}

BOOL CJVKPaintManager::ShowsImage(CJVKPaintedControl* pControl) {
  const int nStyle = pControl->GetStyle();
  return nStyle == jvkStyleIcon || nStyle == jvkStyleIconAndCaption ||
         (nStyle == jvkStyleAutomatic && pControl->GetType() != jvkControlPopup);
}

CJVKPopupRowLayout CJVKPaintManager::PopupRow(CJVKPaintedControl* pControl) {
  CJVKPaintedBar* pBar = BarOf(pControl);
  CJVKPopupRowLayout row;
  row.szIcon = pBar ? pBar->GetIconSize() : CSize(16, 16);
  row.nCell = std::max(m_nRowHeight, static_cast<int>(row.szIcon.cx) + 4);
  row.nCells = pBar && pBar->IsDoubleGripper() ? 2 : 1;
  row.nRowHeight = std::max(m_nRowHeight, static_cast<int>(row.szIcon.cy) + 4);
  return row;
}

CJVKFieldLayout JVKLayoutField(CJVKPaintedControl* pControl, int nLabelWidth, int nTextHeight, BOOL bCombo) {
  const CRect rc = pControl->GetRect();
  const int h = nTextHeight + 8;
  const int nField = pControl->GetFieldWidth() > 0 ? pControl->GetFieldWidth() : std::max(rc.Width() - nLabelWidth, 0);
  const int top = rc.Height() > h ? rc.top + (rc.Height() - h) / 2 : rc.top;
  CJVKFieldLayout layout;
  layout.szControl = CSize(nLabelWidth + nField, h);
  layout.rcLabel.SetRect(rc.left, rc.top, rc.left + nLabelWidth, rc.bottom);
  layout.rcField.SetRect(rc.left + nLabelWidth, top, rc.left + nLabelWidth + nField, top + h);
  if (bCombo) {
    const int nButton = std::min(nField, 15);
    layout.rcButton.SetRect(layout.rcField.right - nButton, layout.rcField.top, layout.rcField.right,
                            layout.rcField.bottom);
  }
  return layout;
}

void CJVKPaintManager::FillRect(CDC* pDC, const CRect& rc, int nBack, int nFrame) {
  if (nBack != -1) pDC->FillSolidRect(rc, GetColor(static_cast<UINT>(nBack)));
  if (nFrame != -1 && nFrame != nBack) Draw3dRect(pDC, rc, nFrame, nFrame);
}

void CJVKPaintManager::Draw3dRect(CDC* pDC, const CRect& rc, int nTopLeft, int nBottomRight) {
  pDC->Draw3dRect(rc, GetColor(static_cast<UINT>(nTopLeft)), GetColor(static_cast<UINT>(nBottomRight)));
}

void CJVKPaintManager::Line(CDC* pDC, int x0, int y0, int x1, int y1, int nColor) {
  CJVKPenDC pen(pDC->GetSafeHdc(), GetColor(static_cast<UINT>(nColor)));
  pDC->MoveTo(x0, y0);
  pDC->LineTo(x1, y1);
}

void CJVKPaintManager::Triangle(CDC* pDC, POINT pt0, POINT pt1, POINT pt2, COLORREF clr) {
  CJVKDrawHelpers::Triangle(pDC, pt0, pt1, pt2, clr);
}

void CJVKPaintManager::GradientFill(CDC* pDC, const CRect& rc, COLORREF clrFrom, COLORREF clrTo, BOOL bHorizontal) {
  JVKDrawHelpers()->GradientFill(pDC, &rc, clrFrom, clrTo, bHorizontal);
}

CSize CJVKPaintManager::DrawFloatingCaption(CDC* pDC, CJVKPaintedBar* pBar, BOOL bDraw, COLORREF clrFill) {
  CJVKMeasureDC dc(pDC);
  CJVKFontDC font(dc, &m_fontCaption);
  const int nTextHeight = dc->GetTextExtent(CString("A")).cy;
  const int b = nTextHeight < 15 ? 18 : nTextHeight + 3;
  const CRect rcStrip(3, 3, pBar->GetClientRect().right - 3, b);
  if (bDraw && pDC) {
    pDC->FillSolidRect(rcStrip, clrFill);
    CRect rcTitle(5, rcStrip.top, rcStrip.right - 2 * rcStrip.Height(), rcStrip.bottom);
    pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(pBar->GetTitle(), rcTitle, DT_SINGLELINE | DT_VCENTER);
  }
  return rcStrip.Size();
}

// ------------------------------------------------------------- controls

CSize CJVKPaintManager::DrawControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw) {
  if (pDC == nullptr) bDraw = FALSE;
  CJVKMeasureDC dc(pDC);
  switch (pControl->GetType()) {
    case jvkControlEdit: return DrawEditControl(dc, pControl, bDraw);
    case jvkControlComboBox: return DrawComboBoxControl(dc, pControl, bDraw);
    default: break;
  }
  if (BarTypeOf(pControl) == jvkBarTypePopup) return DrawPopupControl(dc, pControl, bDraw);
  return DrawToolBarControl(dc, pControl, bDraw);
}

void CJVKPaintManager::DrawControlEntry(CDC* pDC, CJVKPaintedControl* pControl) {
  DrawRectangle(pDC, pControl->GetRect(), pControl->GetEnabled(), pControl->GetSelected(), pControl->GetPressed(),
                pControl->GetChecked(), pControl->GetPopuped(), BarTypeOf(pControl), PositionOf(pControl));
}

CSize CJVKPaintManager::DrawControlText(CDC* pDC, const CString& strText, CRect rcText, BOOL bVertical,
                                        BOOL bCentred, BOOL bDraw, BOOL bArrow, BOOL bShowUnderlines,
                                        BOOL bEmbossed) {
  if (m_nKeyboardCues != -1) bShowUnderlines = m_nKeyboardCues;
  CString strPlain = strText;
  StripMnemonics(strPlain);
  const CSize szText = pDC->GetTextExtent(strPlain);
  if (!bDraw) {
    CSize sz = bVertical ? CSize(szText.cy, szText.cx) : szText;
    if (bArrow) (bVertical ? sz.cy : sz.cx) += 10;
    return sz;
  }
  const COLORREF clrText = pDC->GetTextColor();
  const int nOldMode = pDC->SetBkMode(TRANSPARENT);
  auto paint = [&](CRect rc) {
    if (bVertical) {
      const int x = rc.left + (rc.Width() + szText.cy) / 2;
      int y = rc.top;
      if (bCentred) y += (rc.Height() - szText.cx) / 2;
      CRect rcDraw(x, y, x + szText.cy, y + szText.cx);
      pDC->DrawText(strPlain, rcDraw, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    } else if (bShowUnderlines) {
      pDC->DrawText(strText, rc, DT_SINGLELINE | DT_VCENTER);
    } else {
      pDC->DrawText(strPlain, rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
  };
  if (bEmbossed) {
    pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
    CRect rcShifted = rcText;
    rcShifted.OffsetRect(1, 1);
    paint(rcShifted);
    pDC->SetTextColor(clrText);
  }
  paint(rcText);
  if (bArrow) {
    if (bVertical) {
      const int mid = rcText.CenterPoint().x;
      const int y = rcText.top + (bCentred ? (rcText.Height() - szText.cx) / 2 : 0) + szText.cx + 5;
      Triangle(pDC, CPoint(mid + 2, y - 2), CPoint(mid + 2, y + 2), CPoint(mid, y), clrText);
    } else {
      const int mid = rcText.CenterPoint().y;
      const int x = rcText.left + szText.cx + 5;
      Triangle(pDC, CPoint(x - 2, mid - 1), CPoint(x + 2, mid - 1), CPoint(x, mid + 1), clrText);
    }
  }
  pDC->SetBkMode(nOldMode);
  CSize sz = bVertical ? CSize(szText.cy, szText.cx) : szText;
  if (bArrow) (bVertical ? sz.cy : sz.cx) += 5;
  return sz;
}

CSize CJVKPaintManager::DrawToolBarControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw) {
  CJVKPaintedBar* pBar = BarOf(pControl);
  const int nPosition = PositionOf(pControl);
  const BOOL bVertical = nPosition == jvkBarLeft || nPosition == jvkBarRight;
  const int nType = pControl->GetType();
  const CSize szButton = pBar ? pBar->GetButtonSize() : CSize(23, 22);
  const CSize szIcon = pBar ? pBar->GetIconSize() : CSize(16, 16);
  const BOOL bTextBelow = pBar && pBar->IsTextBelowIcons();
  const CRect rc = pControl->GetRect();

  CJVKImageManagerIcon* pImage = ShowsImage(pControl) ? pControl->GetImage(szIcon.cx) : nullptr;
  CSize szImage(0, 0);
  if (pImage) {
    szImage.cx = szIcon.cx;
    szImage.cy = pImage->GetWidth() ? szIcon.cx * pImage->GetHeight() / pImage->GetWidth() : szIcon.cy;
  }
  const BOOL bCaption = pControl->IsCaptionVisible();
  CString strCaption = pControl->GetCaption();
  if (pBar && pBar->IsRightToLeft()) AdjustCaption(strCaption);
  const BOOL bIconAlone = pImage && !bCaption;
  const BOOL bIconAtLeft = nType == jvkControlSplitButtonPopup || (nType == jvkControlPopup && bIconAlone);

  CJVKFontDC font(pDC, GetFont(bTextBelow ? nullptr : pBar, pControl->IsDefaultItem()));
  const BOOL bEmbossed = !pControl->GetEnabled() && !IsFlatTheme();
  const BOOL bUnderlines = ShowUnderlines(pControl);

  CRect rcContent = rc;
  if (nType == jvkControlSplitButtonPopup) rcContent.right -= 11;
  if (bDraw) {
    if (nType == jvkControlSplitButtonPopup)
      DrawSplitButtonFrame(pDC, pControl, rc);
    else
      DrawControlEntry(pDC, pControl);
  }
  auto drawImage = [&](CPoint pt) {
    if (bDraw && pImage)
      DrawImage(pDC, pt, szImage, pImage, pControl->GetSelected(), pControl->GetPressed(), pControl->GetEnabled(),
                pControl->GetChecked(), pControl->GetPopuped());
  };
  CSize szText(0, 0);
  if (bCaption) szText = DrawControlText(pDC, strCaption, rcContent, FALSE, FALSE, FALSE, FALSE, bUnderlines);

  CSize szResult;
  if (bTextBelow) {
    drawImage(CPoint(bIconAtLeft ? rc.left + 3 : rcContent.left + (rcContent.Width() - szImage.cx) / 2, rc.top + 4));
    if (bDraw && bCaption) {
      CRect rcText(rcContent.left + (rcContent.Width() - szText.cx) / 2, rc.top + szButton.cy - 2, rcContent.right,
                   rc.top + szButton.cy - 2 + szText.cy);
      DrawControlText(pDC, strCaption, rcText, FALSE, FALSE, TRUE, FALSE, bUnderlines, bEmbossed);
    }
    const int nExtra = nType == jvkControlSplitButtonPopup ? 11 : 0;
    szResult.cy = szButton.cy + szText.cy;
    szResult.cx = std::max({static_cast<LONG>(szButton.cx + nExtra), szText.cx + 10 + nExtra, szResult.cy});
    return szResult;
  }
  if (bVertical) {
    CJVKFontDC vertical(pDC, GetFont(pBar, pControl->IsDefaultItem()));
    if (bCaption) szText = DrawControlText(pDC, strCaption, rcContent, TRUE, FALSE, FALSE, FALSE, bUnderlines);
    drawImage(CPoint(rc.left + (rc.Width() - szImage.cx) / 2, rc.top + 4));
    const int nTextTop = pImage ? rc.top + 4 + szImage.cy + 4 : rc.top + 4;
    if (bDraw && bCaption) {
      CRect rcText(rc.left, nTextTop, rc.right, rc.bottom);
      DrawControlText(pDC, strCaption, rcText, TRUE, FALSE, TRUE, FALSE, bUnderlines, bEmbossed);
    }
    szResult.cx = szButton.cx;
    szResult.cy = (pImage ? szButton.cy : 8) + (bCaption ? szText.cy + 4 : 0);
  } else {
    drawImage(CPoint(rc.left + 3, rc.top + (rc.Height() - szImage.cy) / 2));
    const int nTextLeft = pImage ? rc.left + 3 + szImage.cx + 4 : rc.left + 6;
    if (bDraw && bCaption) {
      CRect rcText(nTextLeft, rc.top, rcContent.right, rc.bottom);
      DrawControlText(pDC, strCaption, rcText, FALSE, FALSE, TRUE, FALSE, bUnderlines, bEmbossed);
    }
    szResult.cx = (pImage ? szButton.cx : 8) + (bCaption ? szText.cx + 4 : 0);
    if (!pImage && bCaption) szResult.cx = szText.cx + 12;
    szResult.cy = szButton.cy;
  }
  if (nType == jvkControlSplitButtonPopup) szResult.cx += 11;
  if (nType == jvkControlPopup && bIconAlone) {
    if (bDraw) {
      const int mid = rc.CenterPoint().y;
      Triangle(pDC, CPoint(rc.right - 9, mid - 1), CPoint(rc.right - 5, mid - 1), CPoint(rc.right - 7, mid + 1),
               pDC->GetTextColor());
    }
    szResult.cx += 7;
  }
  return szResult;
}

void CJVKPaintManager::DrawSplitButtonFrame(CDC* pDC, CJVKPaintedControl* pControl, CRect rc) {
  const BOOL bPopuped = pControl->GetPopuped();
  const BOOL bEnabled = pControl->GetEnabled();
  CRect rcButton = rc;
  if (!bPopuped) rcButton.right -= 11;
  DrawRectangle(pDC, rcButton, bEnabled, pControl->GetSelected(), pControl->GetPressed(), pControl->GetChecked(),
                bPopuped, BarTypeOf(pControl), PositionOf(pControl));
  if ((pControl->GetSelected() || pControl->GetPressed()) && bEnabled && !bPopuped) {
    CRect rcArrow(rc.right - 12, rc.top, rc.right, rc.bottom);
    DrawRectangle(pDC, rcArrow, TRUE, TRUE, FALSE, FALSE, FALSE, BarTypeOf(pControl), PositionOf(pControl));
  }
  const int mid = rc.CenterPoint().y;
  Triangle(pDC, CPoint(rc.right - 9, mid - 1), CPoint(rc.right - 5, mid - 1), CPoint(rc.right - 7, mid + 1),
           pDC->GetTextColor());
}

// ------------------------------------------------------------ status bar

void CJVKPaintManager::DrawStatusBarPane(CDC* pDC, CRect rc, CJVKPaintedPane* pPane) {
  const UINT nStyle = pPane->GetStyle();
  const COLORREF clrBack = pPane->GetBackgroundColor();
  if (clrBack != JVK_COLOR_UNSET) {
    CRect rcFill = rc;
    if (!(nStyle & JVK_PANE_NOBORDERS)) rcFill.DeflateRect(1, 1);
    pDC->FillSolidRect(rcFill, clrBack);
  }
  rc.DeflateRect(2, 1);
  const BOOL bEnabled = !(nStyle & JVK_PANE_DISABLED);
  CJVKImageManagerIcon* pIcon = pPane->GetIconId() != -1 ? GetImageManager()->GetImage(pPane->GetIconId()) : nullptr;
  CJVKFontDC font(pDC, pPane->GetTextFont());
  const CString strText = pPane->GetText();
  CJVKPaintedStatusBar* pBar = pPane->GetStatusBar();
  const BOOL bShowText = bEnabled || (pBar && pBar->ShowsDisabledText());
  const int nIconWidth = pIcon ? pIcon->GetWidth() + 2 : 0;
  const int nTotal = nIconWidth + (strText.IsEmpty() ? 0 : pDC->GetTextExtent(strText).cx);
  int x = rc.left;
  if (nTotal <= rc.Width()) {
    if (pPane->GetTextAlignment() == 1) x = rc.left + (rc.Width() - nTotal) / 2;
    if (pPane->GetTextAlignment() == 2) x = rc.right - nTotal;
  }
  if (pIcon) {
    const CPoint pt(x, rc.top + (rc.Height() - pIcon->GetHeight()) / 2);
    pIcon->Draw(pDC, pt, bEnabled ? pIcon->GetHotIcon() : pIcon->GetDisabledIcon());
  }
  if (!bShowText || strText.IsEmpty()) return;
  COLORREF clrText = pPane->GetTextColor();
  if (clrText == JVK_COLOR_UNSET) clrText = m_clrDefaultText;
  if (!bEnabled) clrText = GetColor(COLOR_GRAYTEXT);
  const int nOldMode = pDC->SetBkMode(TRANSPARENT);
  const COLORREF clrOld = pDC->SetTextColor(clrText);
  CRect rcText(x + nIconWidth, rc.top, rc.right, rc.bottom);
  pDC->DrawText(strText, rcText, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX);
  pDC->SetTextColor(clrOld);
  pDC->SetBkMode(nOldMode);
}

void CJVKPaintManager::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL) {
  Draw3dRect(pDC, rc, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
}

void CJVKPaintManager::DrawStatusBarGripper(CDC* pDC, CRect rc) {
  // Each groove: a light diagonal, then two dark ones further in.
  const int right = rc.right - 1, bottom = rc.bottom - 1;
  for (int i = 0; i < 3; ++i) {
    const int d = 4 * i;
    for (int k = 1; k <= 3; ++k) {
      const int nOffset = d + k;
      const int nColor = k == 1 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW;
      Line(pDC, right - nOffset + 1, bottom, right + 1, bottom - nOffset, nColor);
    }
  }
}

void CJVKPaintManager::FillDockBar(CDC* pDC, CJVKPaintedDockBar* pDockBar) {
  pDC->FillSolidRect(pDockBar->GetClientRect(), GetColor(COLOR_3DFACE));
}

void CJVKPaintManager::FillStatusBar(CDC* pDC, CJVKPaintedStatusBar* pStatusBar) {
  pDC->FillSolidRect(pStatusBar->GetClientRect(), GetColor(COLOR_3DFACE));
}

// ------------------------------------------------------- special controls

CSize CJVKPaintManager::DrawSpecialControl(int nKind, CDC* pDC, CJVKPaintedControl* pControl, CJVKPaintedBar* pBar,
                                           BOOL bDraw, CRect* pPlaced) {
  const int nPosition = pBar ? pBar->GetPosition() : jvkBarTop;
  const BOOL bVertical = JVKIsVerticalPosition(nPosition);
  if (nKind == jvkSpecialBarExpand && (!bDraw || pDC == nullptr)) {
    const CRect rcBar = pBar ? pBar->GetClientRect() : CRect();
    const int w = rcBar.Width(), h = rcBar.Height();
    if (pPlaced) *pPlaced = bVertical ? CRect(2, h - 13, w - 2, h - 2) : CRect(w - 13, 2, w - 2, h - 2);
    return CSize(0, 0);
  }
  if (nKind == jvkSpecialPopupExpand && (!bDraw || pDC == nullptr)) return CSize(0, 12);
  if (pDC == nullptr || !bDraw) return CSize(0, 0);

  DrawControlEntry(pDC, pControl);
  const CRect rc = pControl->GetRect();
  const CPoint c = rc.CenterPoint();
  const COLORREF clrText = pDC->GetTextColor();
  switch (nKind) {
    case jvkSpecialBarExpand: {
      if (bVertical)
        Triangle(pDC, CPoint(rc.left + 6, rc.top + 3), CPoint(rc.left + 6, rc.top + 7), CPoint(rc.left + 4, rc.top + 5),
                 clrText);
      else
        Triangle(pDC, CPoint(c.x - 2, rc.bottom - 7), CPoint(c.x + 2, rc.bottom - 7), CPoint(c.x, rc.bottom - 5),
                 clrText);
      if (pBar && pBar->HasHiddenControls()) {
        // A double chevron, one pixel apart: pointing down at the right end
        // of a vertical bar (rows top + 1 to top + 9), else pointing right
        // at the left (columns left + 1 to left + 9).
        for (int k = 0; k < 2; ++k) {
          if (bVertical)
            CJVKDrawHelpers::Chevron(pDC, rc.right - 8, rc.top + 1 + 5 * k, TRUE, clrText);
          else
            CJVKDrawHelpers::Chevron(pDC, rc.left + 1 + 5 * k, rc.top + 4, FALSE, clrText);
        }
      }
      return CSize(0, 0);
    }
    case jvkSpecialPopupExpand: {
      for (int y : {rc.top + 2, rc.top + 6}) CJVKDrawHelpers::Chevron(pDC, c.x - 2, y, TRUE, clrText);
      return CSize(0, 12);
    }
    case jvkSpecialClose: {
      CFont font;
      font.CreatePointFont(::MulDiv(80, 96, pDC->GetDeviceCaps(LOGPIXELSX)), "Marlett", pDC);
      CJVKFontDC select(pDC, &font);
      const BOOL bActive = pControl->GetPressed() || pControl->GetSelected();
      const COLORREF clrOld = pDC->SetTextColor(bActive ? clrText : GetColor(COLOR_HIGHLIGHTTEXT));
      const int nOldMode = pDC->SetBkMode(TRANSPARENT);
      CRect rcGlyph = rc;
      pDC->DrawText("r", rcGlyph, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
      pDC->SetBkMode(nOldMode);
      pDC->SetTextColor(clrOld);
      return rc.Size();
    }
    case jvkSpecialPopupArrow: {
      const BOOL bActive = pControl->GetSelected() || pControl->GetPopuped();
      Triangle(pDC, CPoint(c.x - 3, c.y - 2), CPoint(c.x + 3, c.y - 2), CPoint(c.x, c.y + 1),
               bActive ? clrText : GetColor(COLOR_HIGHLIGHTTEXT));
      return rc.Size();
    }
    default: return CSize(0, 0);
  }
}

CRect CJVKPaintManager::GetCommandBarBorders(CJVKPaintedBar*) { return CRect(2, 2, 2, 2); }

void CJVKPaintManager::DrawCheckMark(CDC* pDC, CRect rc, COLORREF clr, BOOL bRightToLeft) {
  const CPoint c = rc.CenterPoint();
  CJVKPenDC pen(pDC->GetSafeHdc(), clr);
  for (int nPass = 0; nPass < (m_bDoubleCheck ? 2 : 1); ++nPass) {
    const int dy = nPass;
    if (!bRightToLeft) {
      const POINT a[3] = {{c.x - 4, c.y - 1 + dy}, {c.x - 2, c.y + 1 + dy}, {c.x + 3, c.y - 4 + dy}};
      const POINT b[3] = {{c.x - 4, c.y + dy}, {c.x - 2, c.y + 2 + dy}, {c.x + 3, c.y - 3 + dy}};
      pDC->Polyline(a, 3);
      pDC->Polyline(b, 3);
    } else {
      const POINT a[3] = {{c.x - 4, c.y - 3 + dy}, {c.x, c.y + 1 + dy}, {c.x + 3, c.y - 2 + dy}};
      const POINT b[3] = {{c.x - 4, c.y - 2 + dy}, {c.x, c.y + 2 + dy}, {c.x + 3, c.y - 3 + dy}};
      pDC->Polyline(a, 3);
      pDC->Polyline(b, 3);
    }
  }
}

void CJVKPaintManager::DrawComboArrow(CDC* pDC, CRect rc, COLORREF clr) {
  const int half = rc.Width() / 2;
  const int w = half > 5 ? half - 4 : 2;
  const CPoint c = rc.CenterPoint();
  const int y = c.y - w / 2;
  Triangle(pDC, CPoint(c.x - w, y), CPoint(c.x + w, y), CPoint(c.x, y + w), clr);
}

void CJVKPaintManager::AdjustCaption(CString&) {}

// ------------------------------------------------------------ animation

void CJVKPaintManager::AnimatePopup(CDC* pDC, CDC* pSourceDC, CRect rc, int nKind) {
  const int n = m_nAnimationSteps;
  if (n <= 0) return;  // no frames to show, and no division by zero
  const CSize sz = rc.Size();
  const DWORD dwFrame = JVKAnimationFrameSleep(m_nAnimationDuration, n);
  switch (nKind) {
    case 2:
    case 3:
      for (int k = 1; k <= n; ++k) {
        const JVKFrameSize szPart = JVKAnimationFrameSize(nKind, sz.cx, sz.cy, k, n);
        pDC->BitBlt(rc.left, rc.top, szPart.cx, szPart.cy, pSourceDC, sz.cx - (nKind == 2 ? szPart.cx : sz.cx),
                    sz.cy - szPart.cy, SRCCOPY);
        m_pClock->Sleep(dwFrame);
      }
      break;
    case 4:
      if (n > 1) DrawFadeAnimation(pDC, pSourceDC, rc);
      break;
    default: break;
  }
}

void CJVKPaintManager::DrawFadeAnimation(CDC* pDC, CDC* pSourceDC, CRect rc) {
  const int w = rc.Width(), h = rc.Height();
  if (w <= 0 || h <= 0) return;
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = w;
  bmi.bmiHeader.biHeight = -h;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  BYTE* pBits[3] = {};
  HBITMAP hBitmaps[3] = {};
  HDC hDCs[3] = {};
  HGDIOBJ hOld[3] = {};
  BOOL bReady = TRUE;
  for (int i = 0; i < 3; ++i) {
    hBitmaps[i] = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pBits[i]), nullptr, 0);
    hDCs[i] = ::CreateCompatibleDC(pDC->GetSafeHdc());
    if (hBitmaps[i] == nullptr || hDCs[i] == nullptr) bReady = FALSE;
    else hOld[i] = ::SelectObject(hDCs[i], hBitmaps[i]);
  }
  if (bReady) {
    // The popup as it will look, and the screen under it.
    ::BitBlt(hDCs[0], 0, 0, w, h, pSourceDC->GetSafeHdc(), 0, 0, SRCCOPY);
    ::BitBlt(hDCs[1], 0, 0, w, h, pDC->GetSafeHdc(), rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    const int n = m_nAnimationSteps;
    for (int k = 1; k < n; ++k) {
      const DWORD dwStart = m_pClock->GetTickCount();
      JVKBlendRow(pBits[0], pBits[1], pBits[2], w * h, 255 * k / n);
      ::BitBlt(pDC->GetSafeHdc(), rc.left, rc.top, w, h, hDCs[2], 0, 0, SRCCOPY);
      ::GdiFlush();
      m_pClock->Sleep(JVKFadeFrameSleep(m_nAnimationDuration, n, m_pClock->GetTickCount() - dwStart));
    }
  }
  for (int i = 0; i < 3; ++i) {
    if (hOld[i]) ::SelectObject(hDCs[i], hOld[i]);
    if (hDCs[i]) ::DeleteDC(hDCs[i]);
    if (hBitmaps[i]) ::DeleteObject(hBitmaps[i]);
  }
}

void CJVKPaintManager::AnimateExpanding(CDC* pDC, CDC* pSourceDC, CRect rc, const RECT* pBands,
                                        const BOOL* pHidden, int nBands, BOOL bDownwards) {
  const int n = m_nAnimationSteps;
  if (n <= 0) return;
  const DWORD dwFrame = JVKAnimationFrameSleep(m_nAnimationDuration, n);
  const int w = rc.Width();
  for (int k = 1; k <= n; ++k) {
    int y = bDownwards ? rc.top : rc.bottom;
    for (int i = 0; i < nBands; ++i) {
      const RECT& band = pBands[bDownwards ? i : nBands - 1 - i];
      const BOOL bHidden = pHidden[bDownwards ? i : nBands - 1 - i];
      const int h = band.bottom - band.top;
      const int hh = bHidden ? h * k / n : h;
      const int yDest = bDownwards ? y : y - hh;
      if (bHidden)
        pDC->StretchBlt(rc.left, yDest, w, hh, pSourceDC, 0, band.top, w, h, SRCCOPY);
      else
        pDC->BitBlt(rc.left, yDest, w, hh, pSourceDC, 0, band.top, SRCCOPY);
      y = bDownwards ? y + hh : y - hh;
    }
    m_pClock->Sleep(dwFrame);
  }
}
