#include "DockingPanePaintManager.h"

#include "DockingPane.h"
#include "DockingPaneCaptionButton.h"
#include "DockingPaneSplitterContainer.h"
#include "DockingPaneSplitterWnd.h"
#include "DockingPaneTabbedContainer.h"
#include "DockingPaneThemes.h"
#include "TabPaintManager.h"

#include <ColorManager.h>
#include <ColorMath.h>
#include <DrawHelpers.h>

#include <algorithm>

CJVKDockingPanePaintManager::CJVKDockingPanePaintManager() {
  m_clrSplitterGripper.m_clrValue = ::GetSysColor(COLOR_BTNSHADOW);
  m_clrBackground.m_clrValue = ::GetSysColor(COLOR_BTNFACE);
  m_pPanelPaintManager = new CJVKTabPaintManager();
  m_pPanelPaintManager->SetLayout(1);
  m_pPanelPaintManager->SetPosition(2);
  m_pPanelPaintManager->m_nClientFrame = 1;
  m_pPanelPaintManager->m_bBoldSelected = FALSE;
  m_pPanelPaintManager->m_nToolTipMode = 1;
  m_pAutoHidePaintManager = new CJVKTabPaintManager();
  m_pAutoHidePaintManager->SetLayout(3);
  m_pAutoHidePaintManager->m_nClientFrame = 2;
  m_pAutoHidePaintManager->m_bBoldSelected = FALSE;
  m_pAutoHidePaintManager->m_bInvertGradients = TRUE;
  m_pAutoHidePaintManager->m_bFillBackground = FALSE;
}

CJVKDockingPanePaintManager::~CJVKDockingPanePaintManager() {
  if (m_pPanelPaintManager) m_pPanelPaintManager->InternalRelease();
  if (m_pAutoHidePaintManager) m_pAutoHidePaintManager->InternalRelease();
}

CJVKDockingPanePaintManager* CJVKDockingPanePaintManager::CreateTheme(int nTheme) {
  CJVKDockingPanePaintManager* pTheme;
  switch (nTheme) {
    case 1: pTheme = new CJVKDockingPaneFlatTheme(); break;
    case 2: pTheme = new CJVKDockingPaneDottedGripTheme(); break;
    case 3: pTheme = new CJVKDockingPaneExplorerBarTheme(); break;
    case 4: pTheme = new CJVKDockingPaneGripperTheme(); break;
    case 5: pTheme = new CJVKDockingPaneLineGripTheme(); break;
    case 6: pTheme = new CJVKDockingPaneSchemeTheme(); break;
    case 7: pTheme = new CJVKDockingPaneBoldCaptionTheme(); break;
    case 8: pTheme = new CJVKDockingPaneRebarTheme(); break;
    case 9: pTheme = new CJVKDockingPaneSchemeGuideTheme(); break;
    default: pTheme = new CJVKDockingPaneClassicTheme(); nTheme = 0; break;
  }
  pTheme->m_nTheme = nTheme;
  pTheme->RefreshMetrics();
  return pTheme;
}

COLORREF CJVKDockingPanePaintManager::GetColor(int nIndex) const {
  return nIndex >= 0 && nIndex < 60 ? m_arrColors[nIndex] : static_cast<COLORREF>(nIndex);
}

void CJVKDockingPanePaintManager::SetCaptionFont(LOGFONT lf, BOOL bUseSystemFont) {
  m_bUseSystemFont = bUseSystemFont;
  m_fntCaption.DeleteObject();
  m_fntCaption.CreateFontIndirect(&lf);
  lf.lfOrientation = 900;
  lf.lfEscapement = 2700;
  if (lf.lfHeight >= -10 && lf.lfHeight <= -1) lf.lfHeight = -11;
  const CString strFace = CJVKDrawHelpers::GetDefaultFontName(m_bUseStandardFontFace);
  lstrcpyn(lf.lfFaceName, strFace, LF_FACESIZE);
  m_fntCaptionVertical.DeleteObject();
  m_fntCaptionVertical.CreateFontIndirect(&lf);

  HWND hDesktop = ::GetDesktopWindow();
  HDC hDC = ::GetDC(hDesktop);
  HGDIOBJ hOld = ::SelectObject(hDC, m_fntCaption.GetSafeHandle());
  SIZE sz = {};
  ::GetTextExtentPoint32(hDC, _T(" "), 1, &sz);
  ::SelectObject(hDC, hOld);
  ::ReleaseDC(hDesktop, hDC);
  m_nCaptionHeight = std::max(13, static_cast<int>(sz.cy)) + m_nCaptionPadding;
}

void CJVKDockingPanePaintManager::RefreshMetrics() {
  CJVKColorManager* pColors = GetColorManager();
  pColors->RefreshIfDue();
  for (int i = 0; i < 60; ++i) m_arrColors[i] = pColors->GetColor(static_cast<UINT>(i));
  m_clrSplitterGripper.m_clrValue = GetColor(16);
  m_clrBackground.m_clrValue = GetColor(15);
  if (m_bUseSystemFont) {
    NONCLIENTMETRICS ncm = {};
    ncm.cbSize = 340;  // the size without the padded-border field every version answers to
    if (::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0)) {
      LOGFONT lf = ncm.lfSmCaptionFont;
      if (!m_bBoldCaption) lf.lfWeight = FW_NORMAL;
      SetCaptionFont(lf, TRUE);
    }
  }
  if (!m_fntCaption.GetSafeHandle()) {
    LOGFONT lf = {};
    ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    SetCaptionFont(lf, m_bUseSystemFont);
  }
  m_pPanelPaintManager->RefreshMetrics();
  m_pAutoHidePaintManager->RefreshMetrics();
  HWND hDesktop = ::GetDesktopWindow();
  HDC hDC = ::GetDC(hDesktop);
  CFont* pFont = m_pPanelPaintManager->GetFont(FALSE, FALSE);
  HGDIOBJ hOld = ::SelectObject(hDC, pFont ? pFont->GetSafeHandle() : ::GetStockObject(DEFAULT_GUI_FONT));
  SIZE sz = {};
  ::GetTextExtentPoint32(hDC, _T(" "), 1, &sz);
  ::SelectObject(hDC, hOld);
  ::ReleaseDC(hDesktop, hDC);
  m_nTabRowHeight = sz.cy >= 14 ? sz.cy + 10 : 24;
}

void CJVKDockingPanePaintManager::FlatRefresh() {
  CJVKDockingPanePaintManager::RefreshMetrics();
  m_grcCaptionInactive.SetColors(GetColor(COLOR_INACTIVECAPTION), ::GetSysColor(COLOR_GRADIENTINACTIVECAPTION));
  m_grcCaptionActive.SetColors(GetColor(COLOR_ACTIVECAPTION), GetColor(COLOR_GRADIENTACTIVECAPTION));
  m_clrCaptionTextInactive = GetColor(COLOR_BTNTEXT);
  m_clrCaptionTextActive = GetColor(COLOR_CAPTIONTEXT);
}

int CJVKDockingPanePaintManager::CurrentScheme() const {
  switch (m_nColorScheme) {
    case 5: {
      CJVKColorManager* pColors = GetColorManager();
      return pColors->IsThemeColorsDisabled() ? 0 : pColors->GetCurrentSystemTheme();
    }
    case 4: return GetColorManager()->DetectXPTheme();
    default: return m_nColorScheme >= 0 && m_nColorScheme <= 3 ? m_nColorScheme : 0;
  }
}

void CJVKDockingPanePaintManager::AdjustCaptionRect(const CJVKDockingPaneTabbedContainer* pPane, CRect& rc) {
  if (!pPane->HasCaption() || !m_bShowCaption) return;
  const int nRoom = m_rcCaptionMargin.top + m_rcCaptionMargin.bottom + m_nCaptionHeight;
  if (pPane->IsCaptionVertical()) {
    rc.left += nRoom;
  } else {
    rc.top += nRoom;
  }
}

void CJVKDockingPanePaintManager::AdjustClientRect(CJVKDockingPaneTabbedContainer* pPane, CRect& rc,
                                                   BOOL bLayoutTabs) {
  AdjustCaptionRect(pPane, rc);
  if (!pPane->IsTabStripVisible()) return;
  if (bLayoutTabs) {
    CClientDC dc(pPane);
    m_pPanelPaintManager->RepositionTabControl(pPane->GetTabManager(), &dc, rc);
  }
  m_pPanelPaintManager->AdjustClientRect(pPane->GetTabManager(), rc);
}

void CJVKDockingPanePaintManager::DrawPane(CDC* pDC, CJVKDockingPaneTabbedContainer* pPane, CRect rc) {
  pDC->FillSolidRect(rc, GetColor(COLOR_BTNFACE));
  if (pPane->HasCaption() && m_bShowCaption) {
    pDC->SetBkMode(TRANSPARENT);
    DrawCaption(pDC, pPane, rc);
  }
  AdjustCaptionRect(pPane, rc);
  if (pPane->IsTabStripVisible()) m_pPanelPaintManager->DrawTabControl(pPane->GetTabManager(), pDC, rc);
}

CRect CJVKDockingPanePaintManager::CaptionRect(const CJVKDockingPaneTabbedContainer* pPane, CRect rc) const {
  if (pPane->IsCaptionVertical()) {
    rc.right = rc.left + m_nCaptionHeight + 3;
  } else {
    rc.bottom = rc.top + m_nCaptionHeight + 3;
  }
  return rc;
}

BOOL CJVKDockingPanePaintManager::IsCaptionActive(const CJVKDockingPaneTabbedContainer* pPane) const {
  return m_bHighlightActiveCaption && pPane->IsActive();
}

void CJVKDockingPanePaintManager::DrawGroupCaption(CDC* pDC, CJVKDockingPaneTabbedContainer* pPane, CRect rc) {
  const BOOL bVertical = pPane->IsCaptionVertical();
  const CRect rcCaption = CaptionRect(pPane, rc);
  // The strip between the caption and the group's body.
  CRect rcStrip = rc;
  if (bVertical) {
    rcStrip.left = rcCaption.right;
    rcStrip.right = rc.left + m_rcCaptionMargin.top + m_rcCaptionMargin.bottom + m_nCaptionHeight;
  } else {
    rcStrip.top = rcCaption.bottom;
    rcStrip.bottom = rc.top + m_rcCaptionMargin.top + m_rcCaptionMargin.bottom + m_nCaptionHeight;
  }
  if (!rcStrip.IsRectEmpty()) pDC->FillSolidRect(rcStrip, m_clrBackground);
  CJVKDockingPane* pSelected = pPane->GetSelected();
  DrawCaptionPart(pDC, pPane, rcCaption, pSelected ? pSelected->GetTabCaption() : CString(), IsCaptionActive(pPane),
                  bVertical);
}

void CJVKDockingPanePaintManager::DrawCaptionPart(CDC* pDC, CJVKDockingPaneBase* pOwner, CRect rc,
                                                  const CString& strTitle, BOOL bActive, BOOL bVertical) {
  const COLORREF clrText = DrawCaptionBackground(pDC, rc, bActive, bVertical);
  if (bVertical) {
    rc.bottom -= 2;
  } else {
    rc.right -= 2;
  }
  DrawCaptionButtons(pDC, pOwner->m_arrCaptionButtons, rc, clrText, m_nButtonSize, m_nButtonGap, bVertical);
  if (bVertical) {
    rc.top += 4;
    rc.left += 1;
  } else {
    rc.left += 4;
    rc.top += 1;
  }
  pDC->SetTextColor(clrText);
  DrawCaptionText(pDC, strTitle, rc, bVertical);
}

COLORREF CJVKDockingPanePaintManager::DrawCaptionBackground(CDC* pDC, CRect rc, BOOL bActive, BOOL) {
  if (m_bGradientCaption) {
    JVKDrawHelpers()->GradientFillColor(pDC, rc, bActive ? m_grcCaptionActive : m_grcCaptionInactive, TRUE);
  } else if (bActive) {
    pDC->FillSolidRect(rc, m_grcCaptionActive.m_clrStart);
  } else {
    pDC->Draw3dRect(rc, GetColor(52), GetColor(52));
  }
  return GetColor(bActive ? COLOR_CAPTIONTEXT : COLOR_BTNTEXT);
}

int CJVKDockingPanePaintManager::DrawCaptionText(CDC* pDC, const CString& strTitle, CRect rc, BOOL bVertical,
                                                 BOOL bCalcWidth) {
  if (strTitle.IsEmpty()) return 0;
  int nWidth = 0;
  if (!bVertical) {
    CFont* pOld = pDC->SelectObject(&m_fntCaption);
    if (bCalcWidth) {
      CRect rcCalc = rc;
      pDC->DrawText(strTitle, rcCalc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
      nWidth = rcCalc.Width();
    }
    pDC->DrawText(strTitle, rc, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    pDC->SelectObject(pOld);
    return nWidth;
  }
  CFont* pOld = pDC->SelectObject(&m_fntCaptionVertical);
  const CSize sz = pDC->GetTextExtent(strTitle);
  nWidth = sz.cx;
  if (rc.Height() > 8) {
    // Turned text runs downwards from its reference point's right.
    CRect rcText(rc.left + (rc.Width() + sz.cy) / 2, rc.top, rc.left + (rc.Width() + sz.cy) / 2 + rc.Height(),
                 rc.bottom);
    pDC->DrawText(strTitle, rcText, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  pDC->SelectObject(pOld);
  return nWidth;
}

void CJVKDockingPanePaintManager::DrawCaptionButtons(CDC* pDC, const std::vector<CaptionButton*>& buttons, CRect& rc,
                                                     COLORREF clr, int s, int g, BOOL bVertical) {
  CPoint pt = bVertical ? CPoint((rc.left + rc.right) / 2 - s / 2, rc.bottom - s)
                        : CPoint(rc.right - s, (rc.top + rc.bottom) / 2 - s / 2);
  for (CaptionButton* pButton : buttons) {
    if (!pButton->IsVisible()) {
      if (!pButton->GetRect().IsRectEmpty()) {
        pButton->SetRect(CRect(0, 0, 0, 0));
        pButton->GetOwner()->OnCaptionButtonMoved(pButton);
      }
      continue;
    }
    const CRect rcButton(pt, CSize(s, s));
    if (rcButton != pButton->GetRect()) {
      pButton->SetRect(rcButton);
      pButton->GetOwner()->OnCaptionButtonMoved(pButton);
    }
    DrawCaptionButton(pDC, pButton, clr);
    if (bVertical) {
      pt.y -= s + g;
    } else {
      pt.x -= s + g;
    }
  }
  if (bVertical) {
    rc.bottom = pt.y + s;
  } else {
    rc.right = pt.x + s;
  }
}

void CJVKDockingPanePaintManager::DrawCaptionButton(CDC* pDC, CaptionButton* pButton, COLORREF clrGlyph) {
  DrawCaptionButtonFrame(pDC, pButton, clrGlyph);
  const CRect rc = pButton->GetRect();
  const int nShift = pButton->IsPressed() ? 1 : 0;
  DrawCaptionButtonGlyph(pDC, pButton, rc.CenterPoint().x + nShift, rc.CenterPoint().y + nShift, clrGlyph);
}

void CJVKDockingPanePaintManager::DrawCaptionButtonFrame(CDC* pDC, CaptionButton* pButton, COLORREF& clrGlyph) {
  Draw3dButtonFrame(pDC, pButton, clrGlyph);
}

void CJVKDockingPanePaintManager::Draw3dButtonFrame(CDC* pDC, CaptionButton* pButton, COLORREF&) {
  if (pButton->IsPressed()) {
    pDC->Draw3dRect(pButton->GetRect(), GetColor(COLOR_BTNTEXT), GetColor(COLOR_BTNHIGHLIGHT));
  } else if (pButton->IsHot()) {
    pDC->Draw3dRect(pButton->GetRect(), GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNTEXT));
  }
}

void CJVKDockingPanePaintManager::DrawFlatFilledButtonFrame(CDC* pDC, CaptionButton* pButton, COLORREF& clrGlyph) {
  if (!pButton->IsPressed() && !pButton->IsHot()) return;
  const CRect rc = pButton->GetRect();
  pDC->FillSolidRect(rc, GetColor(pButton->IsPressed() ? 33 : 31));
  pDC->Draw3dRect(rc, GetColor(32), GetColor(32));
  clrGlyph = GetColor(pButton->IsPressed() ? 47 : 45);
}

void CJVKDockingPanePaintManager::Line(CDC* pDC, int x1, int y1, int x2, int y2) {
  pDC->MoveTo(x1, y1);
  pDC->LineTo(x2, y2);
}

void CJVKDockingPanePaintManager::DrawCaptionButtonGlyph(CDC* pDC, CaptionButton* pButton, int x, int y,
                                                         COLORREF clr) {
  CPen pen(PS_SOLID, 1, clr);
  CPen* pOldPen = pDC->SelectObject(&pen);
  switch (pButton->GetID()) {
    case JVK_IDS_DOCKING_CLOSE:
      Line(pDC, x - 4, y - 3, x + 3, y + 4);
      Line(pDC, x - 4, y + 3, x + 3, y - 4);
      Line(pDC, x - 3, y - 3, x + 4, y + 4);
      Line(pDC, x - 3, y + 3, x + 4, y - 4);
      break;
    case JVK_IDS_DOCKING_AUTOHIDE:
      if (pButton->GetState() & 2) {
        // Lying: pulled out.
        Line(pDC, x - 4, y, x - 1, y);
        Line(pDC, x - 1, y - 3, x - 1, y + 4);
        {
          const POINT outline[] = {{x - 1, y + 2}, {x + 3, y + 2}, {x + 3, y - 2}, {x - 1, y - 2}};
          pDC->Polyline(outline, 4);
        }
        Line(pDC, x - 1, y + 1, x + 3, y + 1);
      } else {
        // Standing: pushed in.
        Line(pDC, x - 3, y + 1, x + 4, y + 1);
        Line(pDC, x, y + 1, x, y + 5);
        {
          const POINT outline[] = {{x - 2, y + 1}, {x - 2, y - 4}, {x + 2, y - 4}, {x + 2, y + 1}};
          pDC->Polyline(outline, 4);
        }
        Line(pDC, x + 1, y + 1, x + 1, y - 4);
      }
      break;
    case JVK_IDS_DOCKING_MAXIMIZE:
      pDC->Draw3dRect(CRect(x - 5, y - 5, x + 4, y + 4), clr, clr);
      pDC->FillSolidRect(x - 5, y - 5, 9, 2, clr);
      break;
    case JVK_IDS_DOCKING_RESTORE:
      pDC->Draw3dRect(CRect(x - 4, y - 2, x + 2, y + 4), clr, clr);
      pDC->FillSolidRect(x - 4, y - 2, 6, 2, clr);
      pDC->FillSolidRect(x - 2, y - 5, 6, 2, clr);
      pDC->SetPixel(x - 2, y - 3, clr);
      pDC->FillSolidRect(x + 3, y - 3, 1, 4, clr);
      pDC->SetPixel(x + 2, y, clr);
      break;
    case JVK_IDS_DOCKING_MENU: {
      CBrush brush(clr);
      CBrush* pOldBrush = pDC->SelectObject(&brush);
      const POINT corners[] = {{x - 4, y - 1}, {x - 1, y + 2}, {x, y + 2}, {x + 3, y - 1}};
      pDC->Polygon(corners, 4);
      pDC->SelectObject(pOldBrush);
      break;
    }
    default: break;
  }
  pDC->SelectObject(pOldPen);
}

void CJVKDockingPanePaintManager::DrawSplitter(CDC* pDC, CJVKDockingPaneSplitterWnd* pSplitter) {
  CRect rc;
  pSplitter->GetClientRect(&rc);
  const BOOL bHorizontal = pSplitter->IsHorizontal();
  if (m_dwSplitterStyle & 1) {
    pDC->FillSolidRect(rc, m_clrBackground);
    if (bHorizontal) {
      pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, GetColor(20));
      pDC->FillSolidRect(rc.left, rc.bottom - 2, rc.Width(), 1, GetColor(52));
      pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, GetColor(18));
    } else {
      pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), GetColor(20));
      pDC->FillSolidRect(rc.right - 2, rc.top, 1, rc.Height(), GetColor(52));
      pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), GetColor(18));
    }
  } else if (m_dwSplitterStyle & 2) {
    const int a = m_nSplitterSize / 2;
    pDC->FillSolidRect(rc, m_clrBackground);
    if (bHorizontal) {
      pDC->FillSolidRect(rc.left, rc.top + 1, rc.Width(), std::max(0, a - 1), GetColor(5));
      pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, GetColor(21));
      pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, GetColor(21));
    } else {
      pDC->FillSolidRect(rc.left + 1, rc.top, std::max(0, a - 1), rc.Height(), GetColor(5));
      pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), GetColor(21));
      pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), GetColor(21));
    }
  } else {
    pDC->FillSolidRect(rc, m_clrBackground);
  }
  const CPoint ptCentre = rc.CenterPoint();
  if (m_dwSplitterStyle & 4) {
    if (bHorizontal) {
      pDC->FillSolidRect(ptCentre.x, 2, 11, 1, m_clrSplitterGripper);
      pDC->FillSolidRect(ptCentre.x, 4, 11, 1, m_clrSplitterGripper);
    } else {
      pDC->FillSolidRect(2, ptCentre.y, 1, 11, m_clrSplitterGripper);
      pDC->FillSolidRect(4, ptCentre.y, 1, 11, m_clrSplitterGripper);
    }
  }
  if (m_dwSplitterStyle & 8) {
    const int nLength = bHorizontal ? rc.Width() : rc.Height();
    const int nHalf = nLength / 2;
    const int n = nHalf > 42 ? 32 : nHalf - 10;
    const int nCentre = bHorizontal ? ptCentre.x : ptCentre.y;
    const int nAcross = bHorizontal ? ptCentre.y : ptCentre.x;
    for (int p = nCentre - n + 3; p - 3 < nCentre + n; p += 4) {
      const int x = bHorizontal ? p - 2 : nAcross;
      const int y = bHorizontal ? nAcross : p - 2;
      pDC->FillSolidRect(x, y, 2, 2, GetColor(20));
      pDC->FillSolidRect(x - 1, y - 1, 2, 2, m_clrSplitterGripper);
    }
  }
}
