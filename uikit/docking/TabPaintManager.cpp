#include "TabPaintManager.h"

#include "TabAppearanceSet.h"
#include "TabColorSet.h"
#include "TabManager.h"
#include "TabRules.h"

#include <DrawHelpers.h>
#include <Mnemonics.h>
#include <ScopeDC.h>

#include <algorithm>

LONG JVKClampTabFontHeight(LONG lfHeight) { return lfHeight <= -1 && lfHeight >= -10 ? -11 : lfHeight; }

CJVKTabPaintManager::CJVKTabPaintManager() {
  SetAppearance(0);
  OnPropertyChanged();
  RefreshMetrics();
}

CJVKTabPaintManager::~CJVKTabPaintManager() {
  delete m_pColorSet;
  delete m_pAppearanceSet;
}

void CJVKTabPaintManager::AddClient(CJVKTabManagerBase* pClient) {
  if (std::find(m_arrClients.begin(), m_arrClients.end(), pClient) == m_arrClients.end())
    m_arrClients.push_back(pClient);
}

void CJVKTabPaintManager::RemoveClient(CJVKTabManagerBase* pClient) {
  m_arrClients.erase(std::remove(m_arrClients.begin(), m_arrClients.end(), pClient), m_arrClients.end());
}

void CJVKTabPaintManager::OnPropertyChanged() {
  // A client may unregister while told: walk a copy.
  const std::vector<CJVKTabManagerBase*> clients = m_arrClients;
  for (CJVKTabManagerBase* pClient : clients) pClient->OnPropertyChanged();
}

CJVKTabAppearanceSet* CJVKTabPaintManager::SetAppearance(int nCode) {
  if (nCode < 0 || nCode > 9) nCode = 0;
  CJVKTabAppearanceSet* pSet = JVKCreateTabAppearanceSet(nCode);
  delete m_pAppearanceSet;
  m_pAppearanceSet = pSet;
  m_nAppearance = nCode;
  pSet->SetOwner(this);
  pSet->RefreshMetrics();
  SetColor(pSet->GetDefaultColorSet());
  OnPropertyChanged();
  return pSet;
}

CJVKTabColorSet* CJVKTabPaintManager::SetColor(int nCode) {
  switch (nCode) {
    case jvkTabColorFlat:
    case jvkTabColorScheme:
    case jvkTabColorVisualStyle:
    case jvkTabColorSchemeLight: break;
    default: nCode = jvkTabColorDefault;
  }
  m_nColor = nCode;
  return SetColorSet(JVKCreateTabColorSet(nCode));
}

CJVKTabColorSet* CJVKTabPaintManager::SetColorSet(CJVKTabColorSet* pColorSet) {
  if (!pColorSet || pColorSet == m_pColorSet) return m_pColorSet;
  delete m_pColorSet;
  m_pColorSet = pColorSet;
  pColorSet->SetOwner(this);
  pColorSet->RefreshColors();
  OnPropertyChanged();
  return pColorSet;
}

void CJVKTabPaintManager::SetPosition(int nPosition) {
  m_nPosition = nPosition;
  OnPropertyChanged();
}

void CJVKTabPaintManager::SetLayout(int nLayout) {
  m_nLayout = nLayout;
  OnPropertyChanged();
}

void CJVKTabPaintManager::SetFontIndirect(const LOGFONT* pLogFont, BOOL bUseSystemFont) {
  m_bUseSystemFont = bUseSystemFont;
  if (!pLogFont) return;
  LOGFONT lf = *pLogFont;
  m_fntNormal.DeleteObject();
  m_fntBold.DeleteObject();
  m_fntVerticalNormal.DeleteObject();
  m_fntVerticalBold.DeleteObject();
  lf.lfWeight = m_bBoldCaptions ? FW_BOLD : FW_NORMAL;
  m_fntNormal.CreateFontIndirect(&lf);
  lf.lfWeight = FW_BOLD;
  m_fntBold.CreateFontIndirect(&lf);

  const CString strFace = CJVKDrawHelpers::GetDefaultFontName(FALSE);
  lstrcpynA(lf.lfFaceName, strFace, LF_FACESIZE);
  lf.lfOrientation = 900;
  lf.lfEscapement = 2700;
  lf.lfHeight = JVKClampTabFontHeight(lf.lfHeight);
  lf.lfWeight = m_bBoldCaptions ? FW_BOLD : FW_NORMAL;
  m_fntVerticalNormal.CreateFontIndirect(&lf);
  lf.lfWeight = FW_BOLD;
  m_fntVerticalBold.CreateFontIndirect(&lf);
}

CFont* CJVKTabPaintManager::GetFont(BOOL bBold, BOOL bVertical) {
  if (bVertical) return bBold ? &m_fntVerticalBold : &m_fntVerticalNormal;
  return bBold ? &m_fntBold : &m_fntNormal;
}

void CJVKTabPaintManager::RefreshMetrics() {
  if (m_bUseSystemFont) {
    LOGFONT lf = {};
    if (::SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(LOGFONT), &lf, 0)) SetFontIndirect(&lf, TRUE);
  }
  if (!m_fntNormal.GetSafeHandle()) {
    // No system font answer: the GUI font keeps the strip drawable.
    LOGFONT lf = {};
    ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    SetFontIndirect(&lf, m_bUseSystemFont);
  }
  if (m_pColorSet) m_pColorSet->RefreshColors();
  if (m_pAppearanceSet) m_pAppearanceSet->RefreshMetrics();
}

int CJVKTabPaintManager::GetButtonLength(int nContent, int nMin, int nMax) const {
  int nLength = nContent + m_rcButtonPadding.left + m_rcButtonPadding.right;
  if (nMin > 0) nLength = std::max(nLength, nMin);
  if (nMax > 0) nLength = std::min(nLength, nMax);
  return nLength;
}

int CJVKTabPaintManager::GetTextExtent(CDC* pDC, const CString& str, UINT nFormat) const {
  CString strText = str;
  if (!(nFormat & DT_NOPREFIX)) StripMnemonics(strText);
  SIZE sz = {0, 0};
  ::GetTextExtentPoint32(*pDC, strText, strText.GetLength(), &sz);
  return sz.cx;
}

JVKTabLayoutStyle CJVKTabPaintManager::GetLayoutStyle(CJVKTabManager* pManager) {
  JVKTabLayoutStyle style;
  style.nPosition = m_nPosition;
  style.nLayout = m_nLayout;
  style.bStaticFrame = pManager->IsDrawStaticFrame();
  style.rcControlMargins = m_rcControlMargins;
  style.rcHeaderMargins = m_pAppearanceSet->GetHeaderMargin();
  style.rcClientMargins = m_pAppearanceSet->GetClientMargin();
  style.nClientFrame = m_nClientFrame;
  style.nRowHeight = m_pAppearanceSet->GetRowHeight(pManager);
  style.nRowSpacing = m_pAppearanceSet->GetRowSpacing();
  style.bFillRows = m_bFillRows;
  style.bKeepRowOrder = m_bKeepRowOrder;
  return style;
}

namespace {

JVKTabStrip CopyStrip(CJVKTabManager* pManager) {
  JVKTabStrip strip;
  for (int i = 0; i < pManager->GetItemCount(); ++i) {
    const CJVKTabManagerItem* pItem = pManager->GetItem(i);
    JVKTabLayoutItem item;
    item.bVisible = pItem->IsVisible();
    item.bEnabled = pItem->IsEnabled();
    item.nWidth = pItem->GetWidth();
    item.nFullLength = pItem->GetFullLength();
    item.nRow = pItem->GetRow();
    strip.items.push_back(item);
  }
  for (int r = 0; r < pManager->GetRowCount(); ++r)
    strip.rows.push_back(JVKTabRow{pManager->GetRow(r).nFirst, pManager->GetRow(r).nLast});
  strip.nSelected = pManager->GetSelectedItem() ? pManager->GetSelectedItem()->GetIndex() : -1;
  strip.nOffset = pManager->GetScrollOffset();
  return strip;
}

}  // namespace

void CJVKTabPaintManager::LayoutStandard(CJVKTabManager* pManager, CDC* pDC, CRect rc) {
  const JVKTabLayoutStyle style = GetLayoutStyle(pManager);
  JVKTabStrip strip = CopyStrip(pManager);
  for (int i = 0; i < pManager->GetItemCount(); ++i) {
    CJVKTabManagerItem* pItem = pManager->GetItem(i);
    strip.items[i].nLength = pItem->IsVisible() ? m_pAppearanceSet->GetItemLength(pDC, pItem) : 0;
  }
  for (int id = 0; id < jvkTabNavigateCount; ++id) {
    const CJVKTabManagerNavigateButton* pButton = pManager->m_arrNavigateButtons[id];
    strip.buttons[id].nMode = pButton->GetShowMode();
    strip.buttons[id].bWanted = pManager->IsNavigateButtonVisible(pButton);
    strip.buttons[id].bEnabled = pButton->IsEnabled();
  }
  JVKLayoutTabStrip(style, rc, strip);

  for (int i = 0; i < pManager->GetItemCount(); ++i) {
    CJVKTabManagerItem* pItem = pManager->GetItem(i);
    pItem->m_nWidth = strip.items[i].nWidth;
    pItem->m_nFullLength = strip.items[i].nFullLength;
    pItem->m_rcItem = strip.items[i].rcItem;
    pItem->m_nRow = strip.items[i].nRow;
  }
  for (int id = 0; id < jvkTabNavigateCount; ++id) {
    CJVKTabManagerNavigateButton* pButton = pManager->m_arrNavigateButtons[id];
    pButton->m_rcButton = strip.buttons[id].rc;
    pButton->m_bEnabled = strip.buttons[id].bEnabled;
  }
  pManager->m_arrRows.clear();
  for (const JVKTabRow& row : strip.rows) pManager->m_arrRows.push_back({row.nFirst, row.nLast});
  pManager->m_rcHeader = strip.rcHeader;
  pManager->m_nScrollOffset = strip.nOffset;
}

void CJVKTabPaintManager::RepositionTabControl(CJVKTabManager* pManager, CDC* pDC, CRect rc) {
  pManager->m_rcHeader.SetRectEmpty();
  pManager->m_rcControl = rc;
  pManager->m_rcClient = rc;
  pManager->m_arrRows.assign(1, {0, pManager->GetItemCount() - 1});
  for (CJVKTabManagerItem* pItem : pManager->m_arrItems) pItem->m_nRow = 0;
  m_pAppearanceSet->RepositionTabControl(pManager, pDC, rc);
  CRect rcClient = rc;
  AdjustClientRect(pManager, rcClient);
  pManager->m_rcClient = rcClient;
}

void CJVKTabPaintManager::AdjustClientRect(CJVKTabManager* pManager, CRect& rc) {
  if (pManager->IsDrawStaticFrame()) JVKInflateTurnedRect(rc, m_nPosition, -2, -1, -2, -2);
  if (pManager->GetItemCount() > 0) m_pAppearanceSet->AdjustClientRect(pManager, rc);
}

void CJVKTabPaintManager::EnsureVisible(CJVKTabManager* pManager, CJVKTabManagerItem* pItem) {
  const int nOffset = JVKEnsureTabVisibleOffset(GetLayoutStyle(pManager), pManager->GetScrollOffset(),
                                                pManager->m_rcHeader, pItem->m_rcItem);
  pManager->SetScrollOffset(nOffset);
}

void CJVKTabPaintManager::DrawTabControl(CJVKTabManager* pManager, CDC* pDC, CRect rc) {
  m_pAppearanceSet->DrawTabControl(pManager, pDC, rc);
}

void CJVKTabPaintManager::DrawStandard(CJVKTabManager* pManager, CDC* pDC, CRect rc) {
  if (pManager->IsDrawStaticFrame()) {
    pDC->Draw3dRect(rc, m_pColorSet->m_clrFrame, m_pColorSet->m_clrFrame);
    rc.DeflateRect(1, 1);
    pDC->Draw3dRect(rc, m_pColorSet->m_clrBackground, m_pColorSet->m_clrBackground);
    JVKInflateTurnedRect(rc, m_nPosition, -1, 0, -1, -1);
  }
  if (m_bFillBackground) pDC->FillSolidRect(rc, m_pColorSet->m_clrBackground);
  rc.DeflateRect(m_rcControlMargins.left, m_rcControlMargins.top, m_rcControlMargins.right,
                 m_rcControlMargins.bottom);
  pDC->SetBkMode(TRANSPARENT);
  CRect rcHeader = m_bFillBackground ? m_pAppearanceSet->FillTabControl(pManager, pDC, rc)
                                     : m_pAppearanceSet->GetHeaderRect(rc, pManager);

  const BOOL bVertical = JVKIsVerticalTabPosition(m_nPosition);
  for (int id = jvkTabNavigateCount - 1; id >= 0; --id) {
    const CRect rcButton = pManager->m_arrNavigateButtons[id]->GetRect();
    if (rcButton.IsRectEmpty()) continue;
    CRect rcMeet;
    if (!rcMeet.IntersectRect(rcHeader, rcButton)) continue;
    if (bVertical) {
      rcHeader.bottom = std::min(rcHeader.bottom, rcButton.top);
    } else {
      rcHeader.right = std::min(rcHeader.right, rcButton.left);
    }
  }
  CRect rcPaint;
  pDC->GetClipBox(rcPaint);
  const int nSaved = pDC->SaveDC();
  pDC->IntersectClipRect(rcHeader);
  m_pColorSet->FillHeader(pDC, rc, pManager);
  if (pManager->GetItemCount() > 0) {
    for (int r = pManager->GetRowCount() - 1; r >= 0; --r) DrawRow(pManager, pDC, rcPaint, r);
  }
  pDC->RestoreDC(nSaved);
  for (int id = jvkTabNavigateCount - 1; id >= 0; --id) pManager->m_arrNavigateButtons[id]->Draw(pDC);
}

void CJVKTabPaintManager::DrawRow(CJVKTabManager* pManager, CDC* pDC, CRect rcPaint, int nRow) {
  const CJVKTabManager::CRowIndex row = pManager->GetRow(nRow);
  CJVKTabManagerItem* pSelected = pManager->GetSelectedItem();
  const auto draw = [&](int i) {
    CJVKTabManagerItem* pItem = pManager->GetItem(i);
    if (!pItem || !pItem->IsVisible()) return;
    CRect rcMeet;
    if (!rcMeet.IntersectRect(rcPaint, pItem->GetRect())) return;
    m_pAppearanceSet->DrawSingleButton(pDC, pItem);
  };
  const int nSelected = pSelected && pSelected->GetRow() == nRow ? pSelected->GetIndex() : -1;
  if (m_pAppearanceSet->IsTwoSidedDrawing() && nSelected >= 0) {
    for (int i = row.nFirst; i < nSelected; ++i) draw(i);
    for (int i = row.nLast; i > nSelected; --i) draw(i);
  } else {
    for (int i = row.nLast; i >= row.nFirst; --i)
      if (i != nSelected) draw(i);
  }
  if (nSelected >= 0) draw(nSelected);
}

void CJVKTabPaintManager::DrawCaption(CDC* pDC, const CString& strCaption, CRect rc, UINT nFormat, BOOL bVertical) {
  const auto measure = [pDC](const CString& str) {
    SIZE sz = {0, 0};
    ::GetTextExtentPoint32(*pDC, str, str.GetLength(), &sz);
    return static_cast<int>(sz.cx);
  };
  if (!bVertical) {
    if (m_bMiddleEllipsis && strCaption.Find('\\') < 0) {
      const CString strFit = JVKMiddleEllipsis(strCaption, rc.Width(), measure);
      pDC->DrawText(strFit, rc, nFormat);
    } else {
      pDC->DrawText(strCaption, rc, nFormat | (m_bMiddleEllipsis ? DT_PATH_ELLIPSIS : DT_END_ELLIPSIS));
    }
    return;
  }
  // The rotated font runs downwards: the text's top faces the right.
  CString strFit = strCaption;
  if (measure(strFit) > rc.Height()) {
    if (m_bMiddleEllipsis) {
      strFit = JVKMiddleEllipsis(strCaption, rc.Height(), measure);
    } else {
      while (!strFit.IsEmpty() && measure(strFit + "...") > rc.Height()) strFit = strFit.Left(strFit.GetLength() - 1);
      strFit += "...";
    }
  }
  TEXTMETRIC tm = {};
  pDC->GetTextMetrics(&tm);
  const int x = rc.left + (rc.Width() + tm.tmHeight) / 2;
  pDC->TextOut(x, rc.top, strFit);
}

int CJVKTabPaintManager::DrawTextItem(CDC* pDC, CJVKTabManagerItem* pItem, CRect rc, BOOL bDraw) {
  CJVKTabManager* pManager = pItem->GetTabManager();
  BOOL bVertical = JVKIsVerticalTabPosition(m_nPosition);
  if (m_nLayout == jvkTabLayoutRotated) bVertical = !bVertical;
  const BOOL bBold = m_bBoldSelected && pItem->IsSelected() && pManager->IsActive();
  CJVKFontDC font(pDC, GetFont(bBold, bVertical));

  CSize szIcon = m_szIcon;
  const BOOL bIcon = pManager->DrawIcon(pDC, CPoint(0, 0), pItem, FALSE, szIcon);
  const BOOL bCaption = m_nLayout != jvkTabLayoutCompressed || pItem->IsSelected();
  const CString strCaption = pItem->GetCaption();
  const UINT nFormat = DT_SINGLELINE | DT_VCENTER | (m_bNoPrefix ? DT_NOPREFIX : 0);

  if (!bDraw) {
    CSize szNormal, szMin, szMax;
    pManager->GetItemMetrics(&szNormal, &szMin, &szMax);
    if (m_nLayout == jvkTabLayoutFixed) return GetButtonLength(szNormal.cx, szMin.cx, szMax.cx);
    int nText = bCaption ? GetTextExtent(pDC, strCaption, nFormat) : 0;
    if (m_nLayout == jvkTabLayoutCompressed && pItem->IsSelected()) {
      // As wide as the widest caption, so the tab keeps its size as the
      // selection moves.
      nText = 0;
      for (int i = 0; i < pManager->GetItemCount(); ++i)
        nText = std::max(nText, GetTextExtent(pDC, pManager->GetItem(i)->GetCaption(), nFormat));
    }
    const int nIcon = bIcon ? (bVertical ? szIcon.cy : szIcon.cx) + 2 : 0;
    // The content sits 6 pixels in from the leading edge and 2 from the
    // trailing one when drawn.
    return GetButtonLength(6 + nIcon + nText + (bCaption && nText > 0 ? 2 : 0), szMin.cx, szMax.cx);
  }

  m_pColorSet->SetTextColor(pDC, pItem);
  const CRect rcItem = rc;
  const int nStretch = pItem->GetWidth() - pItem->GetFullLength();
  if (nStretch > 0) {
    if (JVKIsVerticalTabPosition(m_nPosition)) {
      rc.DeflateRect(0, nStretch / 2);
    } else {
      rc.DeflateRect(nStretch / 2, 0);
    }
  }
  const CRect& pad = m_rcButtonPadding;
  if (!bVertical) {
    rc.left += pad.left + 6;
    const BOOL bSwap = m_nPosition == jvkTabPositionBottom;
    rc.top += bSwap ? pad.bottom : pad.top;
    rc.bottom -= bSwap ? pad.top : pad.bottom;
    if (bIcon) {
      if (szIcon.cx < rc.Width())
        pManager->DrawIcon(pDC, CPoint(rc.left - 1, rc.CenterPoint().y - szIcon.cy / 2), pItem, TRUE, szIcon);
      rc.left += szIcon.cx + 2;
    }
    if (bCaption && rc.Width() > 0) {
      rc.right -= pad.right + 2;
      DrawCaption(pDC, strCaption, rc, nFormat, FALSE);
    }
  } else {
    rc.top += pad.left + 6;
    const BOOL bSwap = m_nPosition == jvkTabPositionRight;
    rc.left += bSwap ? pad.bottom : pad.top;
    rc.right -= bSwap ? pad.top : pad.bottom;
    if (bIcon) {
      if (szIcon.cy < rc.Height())
        pManager->DrawIcon(pDC, CPoint(rc.CenterPoint().x - szIcon.cx / 2, rc.top - 1), pItem, TRUE, szIcon);
      rc.top += szIcon.cy + 2;
    }
    if (bCaption && rc.Height() > 8) {
      rc.bottom -= pad.right + 2;
      CString strText = strCaption;
      if (!m_bNoPrefix) StripMnemonics(strText);
      DrawCaption(pDC, strText, rc, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX, TRUE);
    }
  }
  if (pItem->IsSelected() && pManager->IsFocused()) DrawFocusRect(pDC, pItem, rcItem);
  return 0;
}

void CJVKTabPaintManager::DrawFocusRect(CDC* pDC, CJVKTabManagerItem* /*pItem*/, CRect rc) {
  if (!m_bFocusRect) return;
  rc.DeflateRect(3, 3);
  const COLORREF clrText = pDC->SetTextColor(RGB(0, 0, 0));
  const COLORREF clrBk = pDC->SetBkColor(RGB(255, 255, 255));
  pDC->DrawFocusRect(rc);
  pDC->SetTextColor(clrText);
  pDC->SetBkColor(clrBk);
}
