#include "TabAppearanceSet.h"
#include "TabColorSet.h"

#include <algorithm>

#include "TabManager.h"
#include "TabPaintManager.h"

#include <vsstyle.h>

#include <vector>

namespace {

// A 32-bit bottom-up DIB section of the size, selected into a memory DC.
class CPixelCanvas {
 public:
  CPixelCanvas(int cx, int cy) : m_cx(cx), m_cy(cy) {
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    m_hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_pBits), nullptr, 0);
    m_hDC = ::CreateCompatibleDC(nullptr);
    m_hOld = ::SelectObject(m_hDC, m_hBitmap);
  }
  ~CPixelCanvas() {
    ::SelectObject(m_hDC, m_hOld);
    ::DeleteDC(m_hDC);
    ::DeleteObject(m_hBitmap);
  }
  CPixelCanvas(const CPixelCanvas&) = delete;
  CPixelCanvas& operator=(const CPixelCanvas&) = delete;

  BOOL IsValid() const { return m_hBitmap && m_pBits; }
  HDC GetDC() const { return m_hDC; }
  // Pixel (x, y) counted from the top.
  DWORD& At(int x, int y) { return m_pBits[(m_cy - 1 - y) * m_cx + x]; }

 private:
  int m_cx, m_cy;
  DWORD* m_pBits = nullptr;
  HBITMAP m_hBitmap;
  HDC m_hDC;
  HGDIOBJ m_hOld;
};

}  // namespace

void CJVKTabColorSetVisualStyle::OpenThemes() {
  m_themeTab.OpenThemeData(nullptr, L"TAB");
  m_themeToolbar.OpenThemeData(nullptr, L"TOOLBAR");
}

void CJVKTabColorSetVisualStyle::RefreshColors() {
  CJVKTabColorSetDefault::RefreshColors();
  OpenThemes();
  if (m_themeTab.IsAppThemed()) {
    Set(m_clrClassicLight, JVK_COLOR_UNSET);
    Set(m_clrClassicShadow, JVK_COLOR_UNSET);
    Set(m_clrClassicDark, JVK_COLOR_UNSET);
    Set(m_clrHotText, m_clrNormalText.GetColor());
  }
}

// The tab part is drawn for tabs at the top; the other positions draw it
// into a canvas of the turned size and mirror or transpose the pixels.
void CJVKTabColorSetVisualStyle::DrawTurnedTabItem(CDC* pDC, CRect rc, int nState, int nPosition) {
  if (nPosition == jvkTabPositionTop) {
    m_themeTab.DrawThemeBackground(*pDC, TABP_TABITEM, nState, rc, nullptr);
    return;
  }
  const BOOL bVertical = JVKIsVerticalTabPosition(nPosition);
  const int cx = bVertical ? rc.Height() : rc.Width(), cy = bVertical ? rc.Width() : rc.Height();
  if (cx <= 0 || cy <= 0) return;
  CPixelCanvas source(cx, cy), turned(rc.Width(), rc.Height());
  if (!source.IsValid() || !turned.IsValid()) return;
  ::BitBlt(source.GetDC(), 0, 0, cx, cy, *pDC, rc.left, rc.top, SRCCOPY);
  const RECT rcPart = {0, 0, cx, cy};
  m_themeTab.DrawThemeBackground(source.GetDC(), TABP_TABITEM, nState, &rcPart, nullptr);
  ::GdiFlush();
  for (int y = 0; y < rc.Height(); ++y) {
    for (int x = 0; x < rc.Width(); ++x) {
      DWORD v;
      if (nPosition == jvkTabPositionBottom) {
        v = source.At(x, cy - 1 - y);
      } else if (nPosition == jvkTabPositionLeft) {
        v = source.At(y, x);  // the tab's top edge turns to the left
      } else {
        v = source.At(y, cy - 1 - x);
      }
      turned.At(x, y) = v;
    }
  }
  ::BitBlt(*pDC, rc.left, rc.top, rc.Width(), rc.Height(), turned.GetDC(), 0, 0, SRCCOPY);
}

COLORREF CJVKTabColorSetVisualStyle::FillTab(CDC* pDC, CRect rc, CJVKTabManagerItem* pItem) {
  if (!m_themeTab.IsAppThemed()) return CJVKTabColorSetDefault::FillTab(pDC, rc, pItem);
  const int nPosition = pItem->GetTabManager()->GetPosition();
  const int nState = pItem->IsSelected() ? TIS_SELECTED : pItem->IsHot() ? TIS_FOCUSED : TIS_NORMAL;
  // One pixel larger at the leading, tab and trailing sides; the selected
  // tab also one towards the client.
  JVKInflateTurnedRect(rc, nPosition, 1, 1, 1, pItem->IsSelected() ? 1 : 0);
  DrawTurnedTabItem(pDC, rc, nState, nPosition);
  return GetItemColor(pItem);
}

void CJVKTabColorSetVisualStyle::FillClient(CDC* pDC, CRect rc, CJVKTabManager* pManager) {
  if (!m_themeTab.IsAppThemed()) {
    CJVKTabColorSetDefault::FillClient(pDC, rc, pManager);
    return;
  }
  const int nPosition = pManager->GetPosition();
  if (nPosition == jvkTabPositionBottom) rc.bottom++;
  if (nPosition == jvkTabPositionRight) rc.right++;
  m_themeTab.DrawThemeBackground(*pDC, TABP_PANE, 0, rc, nullptr);
}

void CJVKTabColorSetVisualStyle::FillButton(CDC* pDC, CRect rc, CJVKTabManagerItem* pItem) {
  if (!m_themeToolbar.IsAppThemed() || !pItem->IsSelected()) {
    CJVKTabColorSetDefault::FillButton(pDC, rc, pItem);
    return;
  }
  m_themeToolbar.DrawThemeBackground(*pDC, TP_BUTTON, pItem->IsHot() ? TS_HOTCHECKED : TS_CHECKED, rc, nullptr);
}

void CJVKTabColorSetVisualStyle::FillHeader(CDC* pDC, CRect rc, CJVKTabManager* pManager) {
  if (!m_themeTab.IsAppThemed()) return;
  const int nPosition = pManager->GetPosition();
  if (nPosition == jvkTabPositionTop || nPosition == jvkTabPositionRight)
    pDC->ExcludeClipRect(rc.right - 1, rc.top, rc.right, rc.top + 1);
}

void CJVKTabColorSetVisualStyle::FillNavigateButton(CDC* pDC, CJVKTabManagerNavigateButton* pButton, CRect& rc) {
  if (!m_themeToolbar.IsAppThemed()) {
    CJVKTabColorSetDefault::FillNavigateButton(pDC, pButton, rc);
    return;
  }
  const int nState = pButton->IsPressed() ? TS_PRESSED : pButton->IsHot() ? TS_HOT : TS_NORMAL;
  m_themeToolbar.DrawThemeBackground(*pDC, TP_BUTTON, nState, rc, nullptr);
  pDC->SetTextColor(Index(COLOR_BTNTEXT));
}
