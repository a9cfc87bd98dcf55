// Device-context scope objects: what the constructor selects, the
// destructor restores (and deletes what the object made).
#pragma once

#include <Framework.h>

class CJVKFontDC {
 public:
  CJVKFontDC(CDC* pDC, CFont* pFont);
  virtual ~CJVKFontDC();
  CJVKFontDC(const CJVKFontDC&) = delete;
  CJVKFontDC& operator=(const CJVKFontDC&) = delete;
  // Restores the font selected before this object, then selects pFont.
  void SetFont(CFont* pFont);

 private:
  HDC m_hDC;
  HGDIOBJ m_hOldFont = nullptr;
};

class CJVKPenDC {
 public:
  CJVKPenDC(HDC hDC, COLORREF clr);
  virtual ~CJVKPenDC();
  CJVKPenDC(const CJVKPenDC&) = delete;
  CJVKPenDC& operator=(const CJVKPenDC&) = delete;
  COLORREF GetColor() const;

 private:
  CPen m_pen;
  HDC m_hDC;
  HGDIOBJ m_hOldPen;
};

class CJVKBrushDC {
 public:
  CJVKBrushDC(HDC hDC, COLORREF clr);
  virtual ~CJVKBrushDC();
  CJVKBrushDC(const CJVKBrushDC&) = delete;
  CJVKBrushDC& operator=(const CJVKBrushDC&) = delete;
  void SetColor(COLORREF clr);

 private:
  CBrush m_brush;
  HDC m_hDC;
  HGDIOBJ m_hOldBrush;
};

// A memory DC compatible with pDC with pBitmap selected.
class CJVKCompatibleDC : public CDC {
 public:
  CJVKCompatibleDC(CDC* pDC, CBitmap* pBitmap);
  ~CJVKCompatibleDC() override;

 private:
  HGDIOBJ m_hOldBitmap = nullptr;
};

// Drawing in the target's own coordinates into a bitmap `right` wide and
// `bottom` high; the rectangle is copied to the target at the end.
class CJVKBufferDC : public CDC {
 public:
  CJVKBufferDC(HDC hDestDC, int left, int top, int right, int bottom);
  ~CJVKBufferDC() override;

 private:
  HDC m_hDestDC;
  CBitmap m_bitmap;
  CRect m_rect;
  HGDIOBJ m_hOldBitmap = nullptr;
};
