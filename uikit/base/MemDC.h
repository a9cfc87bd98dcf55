// CJVMemDC: double buffering over a rectangle of a DC, optionally pre-filled
// with a gradient; the bitmap is copied back when the object ends.
#pragma once

#include "ColorRef.h"

#include <Framework.h>

class CJVMemDC : public CDC {
  DECLARE_DYNAMIC(CJVMemDC)
 public:
  // An empty rectangle means the DC's clip box. The bitmap's origin is the
  // rectangle's top-left corner.
  CJVMemDC(CDC* pDC, const RECT& rect, const CJVKGradientColor& grcBack = CJVKGradientColor(),
           BOOL bHorizontal = FALSE);
  ~CJVMemDC() override;

  BOOL IsValid() const { return m_bValid; }
  const CRect& GetRect() const { return m_rect; }

 private:
  CDC* m_pDC;
  CRect m_rect;
  CBitmap m_bitmap;
  HGDIOBJ m_hOldBitmap = nullptr;
  BOOL m_bValid = FALSE;
};
