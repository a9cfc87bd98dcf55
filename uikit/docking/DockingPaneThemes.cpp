#include "DockingPaneThemes.h"

#include "DockingPane.h"
#include "DockingPaneCaptionButton.h"
#include "DockingPaneSplitterWnd.h"
#include "DockingPaneTabbedContainer.h"
#include "DockingTabColorSet.h"
#include "TabPaintManager.h"

#include <ColorManager.h>
#include <ColorMath.h>
#include <DrawHelpers.h>

#include <algorithm>

namespace {

void SetTabs(CJVKTabPaintManager* pTabs, int nAppearance, int nColor = -1, BOOL bHotTracking = FALSE) {
  pTabs->SetAppearance(nAppearance);
  if (nColor >= 0) pTabs->SetColor(nColor);
  pTabs->m_bHotTracking = bHotTracking;
}

}  // namespace

// ------------------------------------------------------------------ theme 0

CJVKDockingPaneClassicTheme::CJVKDockingPaneClassicTheme() {
  m_nButtonSize = 12;
  m_nButtonGap = 2;
  SetTabs(m_pPanelPaintManager, 0);
  SetTabs(m_pAutoHidePaintManager, 0);
}

void CJVKDockingPaneClassicTheme::DrawCaption(CDC* pDC, CJVKDockingPaneTabbedContainer* pPane, CRect rc) {
  DrawGroupCaption(pDC, pPane, rc);
}

COLORREF CJVKDockingPaneClassicTheme::DrawCaptionBackground(CDC* pDC, CRect rc, BOOL bActive, BOOL) {
  pDC->FillSolidRect(rc, GetColor(bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  return GetColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
}

void CJVKDockingPaneClassicTheme::DrawCaptionButton(CDC* pDC, CaptionButton* pButton, COLORREF clrGlyph) {
  CRect rc = pButton->GetRect();
  const UINT nPushed = pButton->IsPressed() ? DFCS_PUSHED : 0;
  if (pButton->GetID() == JVK_IDS_DOCKING_CLOSE) {
    pDC->DrawFrameControl(rc, DFC_CAPTION, DFCS_CAPTIONCLOSE | nPushed);
    return;
  }
  pDC->DrawFrameControl(rc, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | nPushed);
  const int nShift = pButton->IsPressed() ? 1 : 0;
  const CPoint pt = rc.CenterPoint();
  const COLORREF clr = GetColor(COLOR_BTNTEXT);
  (void)clrGlyph;
  if (pButton->GetID() != JVK_IDS_DOCKING_AUTOHIDE) {
    DrawCaptionButtonGlyph(pDC, pButton, pt.x + nShift, pt.y + nShift, clr);
    return;
  }
  // The pin as one polyline: 11 points lying, 13 standing; one pixel up
  // and left while not pressed.
  const int x = pt.x + nShift - 1, y = pt.y + nShift - 1;
  CPen pen(PS_SOLID, 1, clr);
  CPen* pOld = pDC->SelectObject(&pen);
  if (pButton->GetState() & 2) {
    const POINT pin[11] = {{x - 4, y}, {x - 1, y}, {x - 1, y - 3}, {x - 1, y + 3}, {x - 1, y + 2}, {x + 3, y + 2},
                           {x + 3, y - 2}, {x - 1, y - 2}, {x - 1, y + 1}, {x + 3, y + 1}, {x + 3, y}};
    pDC->Polyline(pin, 11);
  } else {
    const POINT pin[13] = {{x - 3, y + 1}, {x + 4, y + 1}, {x, y + 1}, {x, y + 5}, {x, y + 1}, {x - 2, y + 1},
                           {x - 2, y - 4}, {x + 2, y - 4}, {x + 2, y + 1}, {x + 1, y + 1}, {x + 1, y - 4},
                           {x + 1, y + 1}, {x + 1, y + 2}};
    pDC->Polyline(pin, 13);
  }
  pDC->SelectObject(pOld);
}

// ------------------------------------------------------------------ theme 1

CJVKDockingPaneFlatTheme::CJVKDockingPaneFlatTheme() {
  m_bBoldCaption = FALSE;
  m_bGradientCaption = FALSE;
  m_nButtonSize = 14;
  m_nButtonGap = 2;
  SetTabs(m_pPanelPaintManager, 5);
  SetTabs(m_pAutoHidePaintManager, 6);
}

// ------------------------------------------------------------------ theme 2

CJVKDockingPaneDottedGripTheme::CJVKDockingPaneDottedGripTheme() {
  m_bBoldCaption = TRUE;
  m_nCaptionPadding = 7;
  m_nButtonSize = 16;
  m_nButtonGap = 0;
  SetTabs(m_pPanelPaintManager, 2, 4, TRUE);
  SetTabs(m_pAutoHidePaintManager, 2, 4, TRUE);
}

void CJVKDockingPaneDottedGripTheme::RefreshMetrics() {
  FlatRefresh();
  m_grcCaptionInactive.SetColors(MixColors(::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_WINDOW), 205),
                                 GetColor(15));
  m_grcCaptionActive.SetColors(GetColor(36), GetColor(36));
  m_clrCaptionTextInactive = m_clrCaptionTextActive = GetColor(18);
  m_bGradientButtons = FALSE;
  struct Scheme {
    COLORREF c38, c39, c40, c41, c43, c32, c30;
    COLORREF inactiveFrom, inactiveTo, background;
  };
  static const Scheme kSchemes[3] = {
      {RGB(39, 65, 118), RGB(106, 140, 203), RGB(109, 150, 208), RGB(246, 246, 246), RGB(0, 45, 150), RGB(0, 0, 128),
       RGB(158, 190, 245), RGB(221, 236, 254), RGB(129, 169, 226), RGB(216, 231, 252)},
      {RGB(81, 94, 51), RGB(96, 128, 88), RGB(159, 174, 122), RGB(244, 244, 238), RGB(117, 141, 94), RGB(63, 93, 56),
       RGB(217, 217, 167), RGB(244, 247, 222), RGB(183, 198, 145), RGB(226, 231, 191)},
      {RGB(84, 84, 117), RGB(110, 109, 143), RGB(168, 167, 190), RGB(253, 250, 255), RGB(124, 124, 148),
       RGB(75, 75, 111), RGB(215, 215, 229), RGB(243, 244, 250), RGB(153, 151, 181), RGB(223, 223, 234)},
  };
  const int nScheme = CurrentScheme();
  if (nScheme < 1 || nScheme > 3) return;
  const Scheme& s = kSchemes[nScheme - 1];
  m_arrColors[38] = s.c38;
  m_arrColors[39] = s.c39;
  m_arrColors[40] = s.c40;
  m_arrColors[41] = s.c41;
  m_arrColors[43] = s.c43;
  m_arrColors[31] = RGB(255, 238, 194);
  m_arrColors[32] = m_arrColors[37] = m_arrColors[50] = s.c32;
  m_arrColors[33] = RGB(254, 128, 62);
  m_arrColors[36] = RGB(255, 192, 111);
  m_arrColors[30] = s.c30;
  m_arrColors[47] = RGB(0, 0, 0);
  m_grcCaptionInactive.SetColors(s.inactiveFrom, s.inactiveTo);
  m_clrBackground.m_clrValue = s.background;
  m_clrSplitterGripper.m_clrValue = GetColor(38);
  m_bGradientButtons = TRUE;
  m_grcCaptionActive.SetColors(RGB(255, 213, 140), RGB(255, 166, 76));
}

void CJVKDockingPaneDottedGripTheme::DrawCaption(CDC* pDC, CJVKDockingPaneTabbedContainer* pPane, CRect rc) {
  const BOOL bVertical = pPane->IsCaptionVertical();
  const BOOL bActive = IsCaptionActive(pPane);
  CRect rcCaption = CaptionRect(pPane, rc);
  pDC->FillSolidRect(rcCaption, m_clrBackground);
  CRect rcBar = rcCaption;
  if (bVertical) {
    rcBar.left += 1;
  } else {
    rcBar.top += 1;
  }
  const int nSaved = pDC->SaveDC();
  CJVKDrawHelpers::ExcludeCorners(pDC, rcBar.left, rcBar.top, rcBar.right, rcBar.bottom);
  const CJVKGradientColor& grc = bActive ? m_grcCaptionActive : m_grcCaptionInactive;
  JVKDrawHelpers()->GradientFill(pDC, rcBar, grc.m_clrStart, grc.m_clrEnd, bVertical);
  pDC->RestoreDC(nSaved);
  CJVKDockingPane* pSelected = pPane->GetSelected();
  DrawCaptionPart(pDC, pPane, rcBar, pSelected ? pSelected->GetTabCaption() : CString(), bActive, bVertical);
}

void CJVKDockingPaneDottedGripTheme::DrawCaptionPart(CDC* pDC, CJVKDockingPaneBase* pOwner, CRect rc,
                                                     const CString& strTitle, BOOL bActive, BOOL bVertical) {
  const COLORREF clrText = bActive ? m_clrCaptionTextActive : m_clrCaptionTextInactive;
  if (bVertical) {
    rc.bottom -= 4;
  } else {
    rc.right -= 4;
  }
  DrawCaptionButtons(pDC, pOwner->m_arrCaptionButtons, rc, clrText, 16, 0, bVertical);
  int nNear = bVertical ? rc.top : rc.left;
  if (m_bGripperDots && (bVertical ? rc.Height() : rc.Width()) > 7) {
    // A column of dots 5 to 7 pixels inside the near edge.
    const int nAcross = bVertical ? rc.top + 5 : rc.left + 5;
    const int nFrom = bVertical ? rc.left + 5 : rc.top + 5;
    const int nTo = bVertical ? rc.right - 3 : rc.bottom - 3;
    for (int p = nFrom; p + 2 <= nTo; p += 4) {
      const int x = bVertical ? p : nAcross + 1;
      const int y = bVertical ? nAcross + 1 : p;
      pDC->FillSolidRect(x, y, 2, 2, GetColor(20));
      pDC->FillSolidRect(x - 1, y - 1, 2, 2, GetColor(38));
    }
    nNear += 8;
  }
  CRect rcText = rc;
  if (bVertical) {
    rcText.top = nNear + 6;
    rcText.left += 1;
    rcText.bottom -= 2;
  } else {
    rcText.left = nNear + 6;
    rcText.top += 1;
    rcText.right -= 2;
  }
  pDC->SetTextColor(clrText);
  DrawCaptionText(pDC, strTitle, rcText, bVertical);
}

void CJVKDockingPaneDottedGripTheme::DrawCaptionButtonFrame(CDC* pDC, CaptionButton* pButton, COLORREF& clrGlyph) {
  if (!m_bGradientButtons) {
    DrawFlatFilledButtonFrame(pDC, pButton, clrGlyph);
    return;
  }
  if (!pButton->IsPressed() && !pButton->IsHot()) return;
  const CRect rc = pButton->GetRect();
  if (pButton->IsPressed()) {
    JVKDrawHelpers()->GradientFill(pDC, rc, RGB(254, 142, 75), RGB(255, 207, 139), FALSE);
  } else {
    JVKDrawHelpers()->GradientFill(pDC, rc, RGB(255, 242, 200), RGB(255, 212, 151), FALSE);
  }
  pDC->Draw3dRect(rc, GetColor(32), GetColor(32));
  clrGlyph = RGB(0, 0, 0);
}

// ------------------------------------------------------------------ theme 3

CJVKDockingPaneExplorerBarTheme::CJVKDockingPaneExplorerBarTheme() {
  m_bBoldCaption = FALSE;
  m_nCaptionPadding = 7;
  m_bGradientCaption = TRUE;
  m_nButtonSize = 16;
  m_nButtonGap = 3;
  SetTabs(m_pPanelPaintManager, 0, 8, TRUE);
  SetTabs(m_pAutoHidePaintManager, 0, 8, TRUE);
}

void CJVKDockingPaneExplorerBarTheme::RefreshMetrics() {
  FlatRefresh();
  m_themeWindow.OpenThemeData(nullptr, L"WINDOW");
  m_themeExplorer.OpenThemeData(nullptr, L"EXPLORERBAR");
}

BOOL CJVKDockingPaneExplorerBarTheme::IsStyled() const { return m_themeWindow.GetHandle() != nullptr; }

COLORREF CJVKDockingPaneExplorerBarTheme::DrawCaptionBackground(CDC* pDC, CRect rc, BOOL bActive, BOOL bVertical) {
  if (!IsStyled()) return CJVKDockingPanePaintManager::DrawCaptionBackground(pDC, rc, bActive, bVertical);
  m_themeWindow.DrawThemeBackground(pDC->GetSafeHdc(), 2, bActive ? 1 : 2, rc, nullptr);
  return GetColor(bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
}

void CJVKDockingPaneExplorerBarTheme::DrawCaptionButtonFrame(CDC* pDC, CaptionButton* pButton, COLORREF& clrGlyph) {
  const UINT nID = pButton->GetID();
  if (!m_themeExplorer.GetHandle() || (nID != JVK_IDS_DOCKING_CLOSE && nID != JVK_IDS_DOCKING_AUTOHIDE)) {
    Draw3dButtonFrame(pDC, pButton, clrGlyph);
    return;
  }
  int nState = pButton->IsPressed() ? 3 : (pButton->IsHot() ? 2 : 1);
  if (nID == JVK_IDS_DOCKING_AUTOHIDE && !(pButton->GetState() & 2)) nState += 3;
  m_themeExplorer.DrawThemeBackground(pDC->GetSafeHdc(), nID == JVK_IDS_DOCKING_CLOSE ? 2 : 3, nState,
                                      pButton->GetRect(), nullptr);
}

// ------------------------------------------------------------------ theme 4

CJVKDockingPaneGripperTheme::CJVKDockingPaneGripperTheme() {
  m_nButtonSize = 14;
  m_nButtonGap = 2;
}

void CJVKDockingPaneGripperTheme::DrawCaptionPart(CDC* pDC, CJVKDockingPaneBase* pOwner, CRect rc,
                                                  const CString& strTitle, BOOL, BOOL bVertical) {
  const COLORREF clrText = GetColor(COLOR_BTNTEXT);
  if (bVertical) {
    rc.bottom -= 2;
  } else {
    rc.right -= 2;
  }
  DrawCaptionButtons(pDC, pOwner->m_arrCaptionButtons, rc, clrText, m_nButtonSize, m_nButtonGap, bVertical);
  CRect rcText = rc;
  if (bVertical) {
    rcText.top += 4;
  } else {
    rcText.left += 4;
  }
  pDC->SetTextColor(clrText);
  const int nLength = DrawCaptionText(pDC, strTitle, rcText, bVertical, TRUE);
  // Two raised bars across the rest of the caption.
  const CPoint c = rc.CenterPoint();
  for (int nOffset : {-3, 1}) {
    if (bVertical) {
      const int nTop = rcText.top + nLength + (nLength ? 4 : 0);
      if (nTop < rc.bottom) pDC->Draw3dRect(CRect(c.x + nOffset, nTop, c.x + nOffset + 3, rc.bottom), GetColor(20),
                                            GetColor(16));
    } else {
      const int nLeft = rcText.left + nLength + (nLength ? 4 : 0);
      if (nLeft < rc.right) pDC->Draw3dRect(CRect(nLeft, c.y + nOffset, rc.right, c.y + nOffset + 3), GetColor(20),
                                            GetColor(16));
    }
  }
}

// ------------------------------------------------------------------ theme 5

CJVKDockingPaneLineGripTheme::CJVKDockingPaneLineGripTheme() {
  m_nCaptionPadding = 2;
  m_nButtonSize = 16;
  m_nButtonGap = 0;
  SetTabs(m_pPanelPaintManager, 8);
  m_pPanelPaintManager->SetPosition(0);
  SetTabs(m_pAutoHidePaintManager, 6);
}

void CJVKDockingPaneLineGripTheme::AdjustCaptionRect(const CJVKDockingPaneTabbedContainer* pPane, CRect& rc) {
  CJVKDockingPanePaintManager::AdjustCaptionRect(pPane, rc);
  const BOOL bCaption = pPane->HasCaption() && m_bShowCaption;
  rc.DeflateRect(3, bCaption ? 0 : 3, 3, 3);
  if (!pPane->IsTabStripVisible() && m_pPanelPaintManager->m_nClientFrame != 2) rc.DeflateRect(1, 1);
}

void CJVKDockingPaneLineGripTheme::DrawPane(CDC* pDC, CJVKDockingPaneTabbedContainer* pPane, CRect rc) {
  const BOOL bActive = IsCaptionActive(pPane);
  pDC->FillSolidRect(rc, GetColor(bActive ? 31 : 30));
  if (pPane->HasCaption() && m_bShowCaption) {
    pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, m_clrBackground);
    pDC->SetBkMode(TRANSPARENT);
    DrawCaption(pDC, pPane, rc);
  }
  CRect rcClient = rc;
  AdjustCaptionRect(pPane, rcClient);
  if (pPane->IsTabStripVisible()) {
    m_pPanelPaintManager->DrawTabControl(pPane->GetTabManager(), pDC, rcClient);
  } else if (m_pPanelPaintManager->m_nClientFrame != 2) {
    CRect rcFrame = rcClient;
    rcFrame.InflateRect(1, 1);
    pDC->Draw3dRect(rcFrame, GetColor(16), GetColor(20));
  }
  for (const CPoint& pt : {rc.TopLeft(), CPoint(rc.right - 1, rc.top), CPoint(rc.left, rc.bottom - 1),
                           CPoint(rc.right - 1, rc.bottom - 1)})
    pDC->SetPixel(pt.x, pt.y, GetColor(51));
}

void CJVKDockingPaneLineGripTheme::DrawCaptionPart(CDC* pDC, CJVKDockingPaneBase* pOwner, CRect rc,
                                                   const CString& strTitle, BOOL bActive, BOOL bVertical) {
  const COLORREF clrText = GetColor(COLOR_BTNTEXT);
  if (bVertical) {
    rc.bottom -= 2;
  } else {
    rc.right -= 2;
  }
  DrawCaptionButtons(pDC, pOwner->m_arrCaptionButtons, rc, clrText, 16, 0, bVertical);
  CRect rcText = rc;
  if (bVertical) {
    rcText.top += 4;
  } else {
    rcText.left += 4;
  }
  pDC->SetTextColor(clrText);
  const int nLength = DrawCaptionText(pDC, strTitle, rcText, bVertical, TRUE);
  const COLORREF clrLines = GetColor(bActive ? 18 : 38);
  const CPoint c = rc.CenterPoint();
  for (int nOffset : {-3, -1, 1, 3}) {
    if (bVertical) {
      const int nTop = rcText.top + nLength + 10;
      if (nTop < rc.bottom) pDC->FillSolidRect(c.x + nOffset, nTop, 1, rc.bottom - nTop, clrLines);
    } else {
      const int nLeft = rcText.left + nLength + 10;
      if (nLeft < rc.right) pDC->FillSolidRect(nLeft, c.y + nOffset, rc.right - nLeft, 1, clrLines);
    }
  }
}

// ------------------------------------------------------------------ theme 6

CJVKDockingPaneSchemeTheme::CJVKDockingPaneSchemeTheme() {
  m_rcCaptionMargin = CRect(0, 0, 0, 0);
  m_bGradientCaption = TRUE;
  m_nButtonSize = 14;
  m_nButtonGap = 2;
  SetTabs(m_pPanelPaintManager, 2);
  m_pPanelPaintManager->SetColorSet(new CJVKDockingTabColorSet(TRUE));
  m_pPanelPaintManager->m_nClientFrame = 2;
  m_pPanelPaintManager->m_bClassicColors = TRUE;
  SetTabs(m_pAutoHidePaintManager, 2);
  m_pAutoHidePaintManager->SetColorSet(new CJVKDockingTabColorSet(FALSE));
  m_pAutoHidePaintManager->SetLayout(0);
  m_pAutoHidePaintManager->m_bClassicColors = TRUE;
}

void CJVKDockingPaneSchemeTheme::RefreshMetrics() {
  FlatRefresh();
  m_clrCaptionTextInactive = GetColor(COLOR_INACTIVECAPTIONTEXT);
  const int nScheme = GetColorManager()->GetCurrentSystemTheme();
  if (nScheme == 1 || nScheme == 2) {
    m_grcCaptionInactive.SetColors(RGB(216, 215, 198), RGB(238, 239, 229));
    m_clrCaptionTextInactive = RGB(0, 0, 0);
  } else if (nScheme == 3) {
    m_grcCaptionInactive.SetColors(RGB(224, 224, 235), RGB(242, 242, 246));
    m_clrCaptionTextInactive = RGB(0, 0, 0);
    m_grcCaptionActive.SetColors(RGB(160, 158, 186), RGB(224, 225, 235));
  }
}

void CJVKDockingPaneSchemeTheme::DrawSplitter(CDC* pDC, CJVKDockingPaneSplitterWnd* pSplitter) {
  // The panel strips' colour set: one gradient across the frame, each bar
  // showing the part under it.
  auto* pSet = dynamic_cast<CJVKDockingTabColorSet*>(m_pPanelPaintManager->GetColorSet());
  if (!pSet) {
    CJVKDockingPanePaintManager::DrawSplitter(pDC, pSplitter);
    return;
  }
  CRect rc;
  pSplitter->GetClientRect(&rc);
  pSet->FillFrameGradient(pDC, rc, pSplitter->GetSafeHwnd(), pSet->m_grcButton);
}

// ------------------------------------------------------------------ theme 7

CJVKDockingPaneBoldCaptionTheme::CJVKDockingPaneBoldCaptionTheme() {
  m_nCaptionPadding = 3;
  m_bGripperDots = FALSE;
}

void CJVKDockingPaneBoldCaptionTheme::RefreshMetrics() {
  CJVKDockingPaneDottedGripTheme::RefreshMetrics();
  if (m_bUseSystemFont) {
    LOGFONT lf = {};
    ::SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(LOGFONT), &lf, 0);
    lstrcpyn(lf.lfFaceName, _T("Arial"), LF_FACESIZE);
    lf.lfWeight = FW_BOLD;
    lf.lfHeight = 20;
    SetCaptionFont(lf, FALSE);
  }
  if (m_bGradientButtons) {
    m_grcCaptionInactive.SetColors(GetColor(39), GetColor(40));
    m_clrCaptionTextInactive = RGB(255, 255, 255);
  } else {
    m_grcCaptionInactive.SetColors(MixColors(GetColor(16), GetColor(5), 205), GetColor(16));
  }
}

void CJVKDockingPaneBoldCaptionTheme::DrawCaption(CDC* pDC, CJVKDockingPaneTabbedContainer* pPane, CRect rc) {
  const BOOL bVertical = pPane->IsCaptionVertical();
  const BOOL bActive = IsCaptionActive(pPane);
  const CRect rcCaption = CaptionRect(pPane, rc);
  const CJVKGradientColor& grc = bActive ? m_grcCaptionActive : m_grcCaptionInactive;
  pDC->FillSolidRect(rcCaption, grc.m_clrStart);
  // Framed on three sides, open towards the pane.
  const COLORREF clrFrame = GetColor(54);
  pDC->FillSolidRect(rcCaption.left, rcCaption.top, rcCaption.Width(), 1, clrFrame);
  pDC->FillSolidRect(rcCaption.left, rcCaption.top, 1, rcCaption.Height(), clrFrame);
  if (bVertical) {
    pDC->FillSolidRect(rcCaption.left, rcCaption.bottom - 1, rcCaption.Width(), 1, clrFrame);
  } else {
    pDC->FillSolidRect(rcCaption.right - 1, rcCaption.top, 1, rcCaption.Height(), clrFrame);
  }
  CJVKDockingPane* pSelected = pPane->GetSelected();
  DrawCaptionPart(pDC, pPane, rcCaption, pSelected ? pSelected->GetTabCaption() : CString(), bActive, bVertical);
}

// ------------------------------------------------------------------ theme 8

CJVKDockingPaneRebarTheme::CJVKDockingPaneRebarTheme() {
  m_bBoldCaption = FALSE;
  m_nCaptionPadding = 9;
  m_rcCaptionMargin = CRect(0, 0, 0, 0);
  m_nButtonSize = 16;
  m_nButtonGap = 2;
}

void CJVKDockingPaneRebarTheme::RefreshMetrics() {
  CJVKDockingPanePaintManager::RefreshMetrics();
  m_themeRebar.OpenThemeData(nullptr, L"REBAR");
  m_themeToolbar.OpenThemeData(nullptr, L"TOOLBAR");
  if (IsStyled()) {
    SetTabs(m_pPanelPaintManager, 0, 8, TRUE);
    SetTabs(m_pAutoHidePaintManager, 0, 8, TRUE);
  } else {
    SetTabs(m_pPanelPaintManager, 5);
    SetTabs(m_pAutoHidePaintManager, 6);
  }
}

BOOL CJVKDockingPaneRebarTheme::IsStyled() const {
  return m_themeRebar.GetHandle() != nullptr && const_cast<CJVKWinThemeWrapper&>(m_themeRebar).IsAppThemed();
}

void CJVKDockingPaneRebarTheme::DrawCaption(CDC* pDC, CJVKDockingPaneTabbedContainer* pPane, CRect rc) {
  m_pCaptionSite = pPane;
  DrawGroupCaption(pDC, pPane, rc);
  m_pCaptionSite = nullptr;
}

COLORREF CJVKDockingPaneRebarTheme::DrawCaptionBackground(CDC* pDC, CRect rc, BOOL, BOOL) {
  if (IsStyled()) {
    // The rebar laid over the frame's client area: the caption shows the
    // part of it that lies under the group.
    CRect rcBack = rc;
    CWnd* pFrame = m_pCaptionSite ? m_pCaptionSite->GetParentFrame() : nullptr;
    if (pFrame) {
      CRect rcFrame;
      pFrame->GetClientRect(&rcFrame);
      pFrame->MapWindowPoints(m_pCaptionSite, &rcFrame);
      rcBack.left = rcFrame.left;
      rcBack.right = rcFrame.right;
    }
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rc);
    m_themeRebar.DrawThemeBackground(pDC->GetSafeHdc(), 0, 0, rcBack, nullptr);
    pDC->RestoreDC(nSaved);
  }
  return GetColor(COLOR_BTNTEXT);
}

void CJVKDockingPaneRebarTheme::DrawCaptionButtonFrame(CDC* pDC, CaptionButton* pButton, COLORREF& clrGlyph) {
  if (!m_themeToolbar.GetHandle()) {
    Draw3dButtonFrame(pDC, pButton, clrGlyph);
    return;
  }
  if (pButton->IsPressed() || pButton->IsHot())
    m_themeToolbar.DrawThemeBackground(pDC->GetSafeHdc(), 1, pButton->IsPressed() ? 3 : 2, pButton->GetRect(), nullptr);
}

// ------------------------------------------------------------------ theme 9

CJVKDockingPaneSchemeGuideTheme::CJVKDockingPaneSchemeGuideTheme() {
  SetTabs(m_pPanelPaintManager, 9);
  m_pPanelPaintManager->SetColorSet(new CJVKDockingTabColorSet(TRUE));
  SetTabs(m_pAutoHidePaintManager, 9);
  m_pAutoHidePaintManager->SetColorSet(new CJVKDockingTabColorSet(TRUE));
}

void CJVKDockingPaneSchemeGuideTheme::RefreshMetrics() {
  CJVKDockingPaneSchemeTheme::RefreshMetrics();
  m_grcCaptionInactive.SetColor(GetColor(COLOR_INACTIVECAPTION));
  m_grcCaptionActive.SetColor(GetColor(COLOR_ACTIVECAPTION));
  m_clrCaptionBorder = GetColor(16);
  switch (GetColorManager()->GetCurrentSystemTheme()) {
    case 1:
      m_grcCaptionInactive.SetColor(RGB(204, 199, 186));
      m_grcCaptionActive.SetColors(RGB(59, 128, 237), RGB(49, 106, 197));
      m_clrCaptionTextInactive = RGB(0, 0, 0);
      break;
    case 2:
      m_grcCaptionInactive.SetColor(RGB(204, 199, 186));
      m_grcCaptionActive.SetColors(RGB(182, 195, 146), RGB(145, 160, 117));
      m_clrCaptionTextInactive = RGB(0, 0, 0);
      break;
    case 3:
      m_grcCaptionInactive.SetColor(RGB(240, 240, 245));
      m_grcCaptionActive.SetColors(RGB(211, 212, 221), RGB(166, 165, 191));
      m_clrCaptionBorder = RGB(145, 155, 156);
      m_clrCaptionTextInactive = RGB(0, 0, 0);
      break;
    default: break;
  }
}

COLORREF CJVKDockingPaneSchemeGuideTheme::DrawCaptionBackground(CDC* pDC, CRect rc, BOOL bActive, BOOL bVertical) {
  const CJVKGradientColor& grc = bActive ? m_grcCaptionActive : m_grcCaptionInactive;
  JVKDrawHelpers()->GradientFill(pDC, rc, grc.m_clrStart, grc.m_clrEnd, bVertical);
  if (bVertical) {
    pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, m_clrCaptionBorder);
    pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), m_clrCaptionBorder);
    pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, m_clrCaptionBorder);
  } else {
    pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), m_clrCaptionBorder);
    pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, m_clrCaptionBorder);
    pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), m_clrCaptionBorder);
  }
  return bActive ? m_clrCaptionTextActive : m_clrCaptionTextInactive;
}
