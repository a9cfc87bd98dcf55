#include "ControlButton.h"

IMPLEMENT_DYNCREATE(CJVKControlButton, CJVKControl)

CJVKControlButton::CJVKControlButton() { m_nType = jvkControlButton; }

void CJVKControlButton::OnClick(BOOL bKeyboard, CPoint pt) {
  if (!m_bEnabled) return;
  if (CJVKControlCommandBars* pBars = GetCommandBars(); pBars && pBars->IsCustomizeMode()) {
    if (m_pParent) {
      m_pParent->SetPopuped(-1, FALSE);
      m_pParent->SetSelected(-1, FALSE);
    }
    OnCustomizeClick(pt);
    return;
  }
  if (bKeyboard) {
    Execute();
    return;
  }
  // In a popup bar the release executes.
  if (m_pParent && m_pParent->GetType() != jvkBarTypePopup) ClickToolBarButton(m_rcControl);
}

void CJVKControlButton::OnLButtonUp(CPoint) {
  if (m_bEnabled && m_pParent && m_pParent->GetType() == jvkBarTypePopup) Execute();
}

BOOL JVKCreateDIBSection32(CBitmap& bitmap, int nWidth, int nHeight) {
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = nWidth;
  bmi.bmiHeader.biHeight = nHeight;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* pBits = nullptr;
  HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
  return hBitmap != nullptr && bitmap.Attach(hBitmap);
}
