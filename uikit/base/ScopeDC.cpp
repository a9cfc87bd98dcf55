#include "ScopeDC.h"

CJVKFontDC::CJVKFontDC(CDC* pDC, CFont* pFont) : m_hDC(pDC->GetSafeHdc()) { SetFont(pFont); }

CJVKFontDC::~CJVKFontDC() {
  if (m_hOldFont) ::SelectObject(m_hDC, m_hOldFont);
}

void CJVKFontDC::SetFont(CFont* pFont) {
  if (m_hOldFont) {
    ::SelectObject(m_hDC, m_hOldFont);
    m_hOldFont = nullptr;
  }
  if (pFont && pFont->GetSafeHandle()) m_hOldFont = ::SelectObject(m_hDC, pFont->GetSafeHandle());
}

CJVKPenDC::CJVKPenDC(HDC hDC, COLORREF clr) : m_hDC(hDC) {
  m_pen.CreatePen(PS_SOLID, 1, clr);
  m_hOldPen = ::SelectObject(m_hDC, m_pen.GetSafeHandle());
}

CJVKPenDC::~CJVKPenDC() { ::SelectObject(m_hDC, m_hOldPen); }

COLORREF CJVKPenDC::GetColor() const {
  LOGPEN lp = {};
  ::GetObjectA(m_pen.GetSafeHandle(), sizeof lp, &lp);
  return lp.lopnColor;
}

CJVKBrushDC::CJVKBrushDC(HDC hDC, COLORREF clr) : m_hDC(hDC) {
  m_brush.CreateSolidBrush(clr);
  m_hOldBrush = ::SelectObject(m_hDC, m_brush.GetSafeHandle());
}

CJVKBrushDC::~CJVKBrushDC() { ::SelectObject(m_hDC, m_hOldBrush); }

void CJVKBrushDC::SetColor(COLORREF clr) {
  ::SelectObject(m_hDC, m_hOldBrush);
  m_brush.DeleteObject();
  m_brush.CreateSolidBrush(clr);
  ::SelectObject(m_hDC, m_brush.GetSafeHandle());
}

CJVKCompatibleDC::CJVKCompatibleDC(CDC* pDC, CBitmap* pBitmap) {
  CreateCompatibleDC(pDC);
  if (m_hDC && pBitmap) m_hOldBitmap = ::SelectObject(m_hDC, pBitmap->GetSafeHandle());
}

CJVKCompatibleDC::~CJVKCompatibleDC() {
  if (m_hDC && m_hOldBitmap) ::SelectObject(m_hDC, m_hOldBitmap);
  DeleteDC();
}

CJVKBufferDC::CJVKBufferDC(HDC hDestDC, int left, int top, int right, int bottom)
    : m_hDestDC(hDestDC), m_rect(left, top, right, bottom) {
  Attach(::CreateCompatibleDC(hDestDC));
  m_bitmap.Attach(::CreateCompatibleBitmap(hDestDC, right, bottom));
  if (m_hDC) m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.GetSafeHandle());
}

CJVKBufferDC::~CJVKBufferDC() {
  if (m_hDC) {
    ::BitBlt(m_hDestDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left, m_rect.top,
             SRCCOPY);
    ::SelectObject(m_hDC, m_hOldBitmap);
  }
  DeleteDC();
}
