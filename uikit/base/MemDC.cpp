#include "MemDC.h"

#include "DrawHelpers.h"

IMPLEMENT_DYNAMIC(CJVMemDC, CDC)

CJVMemDC::CJVMemDC(CDC* pDC, const RECT& rect, const CJVKGradientColor& grcBack, BOOL bHorizontal)
    : m_pDC(pDC), m_rect(rect) {
  if (m_rect.IsRectEmpty()) pDC->GetClipBox(&m_rect);
  if (!Attach(::CreateCompatibleDC(pDC->GetSafeHdc()))) return;
  m_bValid = TRUE;
  SetMapMode(pDC->GetMapMode());
  m_bitmap.Attach(::CreateCompatibleBitmap(pDC->GetSafeHdc(), m_rect.Width(), m_rect.Height()));
  m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.GetSafeHandle());
  if (grcBack.m_clrEnd.IsSet()) {
    const CRect whole(0, 0, m_rect.Width(), m_rect.Height());
    JVKDrawHelpers()->GradientFillColor(this, &whole, grcBack, bHorizontal);
  }
}

CJVMemDC::~CJVMemDC() {
  if (m_bValid) {
    m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, 0, 0, SRCCOPY);
    ::SelectObject(m_hDC, m_hOldBitmap);
  }
  DeleteDC();
}
