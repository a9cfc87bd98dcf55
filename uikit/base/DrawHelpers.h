// CJVKDrawHelpers: the toolkit's small drawing routines. The gradient fill
// uses msimg32's GradientFill when it can be bound and fills line by line
// otherwise; the rest are stateless helpers.
#pragma once

#include "ColorRef.h"

#include <Framework.h>

class CJVKDrawHelpers {
 public:
  CJVKDrawHelpers() = default;
  ~CJVKDrawHelpers();
  CJVKDrawHelpers(const CJVKDrawHelpers&) = delete;
  CJVKDrawHelpers& operator=(const CJVKDrawHelpers&) = delete;

  // A solid fill with `from` on a low-colour DC or for equal colours.
  void GradientFill(CDC* pDC, const RECT* pRect, COLORREF clrFrom, COLORREF clrTo, BOOL bHorizontal);
  // Two halves (start to middle 1, middle 2 to end) when both middles are
  // set, else one gradient from start to end.
  void GradientFillColor(CDC* pDC, const RECT* pRect, const CJVKGradientColor& grc, BOOL bHorizontal);
  // Whether msimg32's GradientFill is bound now.
  BOOL HasGradientFill();

  static void ExcludeCorners(CDC* pDC, int left, int top, int right, int bottom);
  // 1 to 8 bits per pixel; a NULL DC asks the desktop window's DC.
  static BOOL IsLowColor(HDC hDC);
  static void Triangle(CDC* pDC, POINT pt0, POINT pt1, POINT pt2);
  static void Triangle(CDC* pDC, POINT pt0, POINT pt1, POINT pt2, COLORREF clr);
  // A chevron of two one-pixel strokes from (x, y): pointing down it is 6
  // pixels wide and 4 high, with its two-pixel tip at x + 2 and x + 3;
  // pointing right, 4 wide and 6 high.
  static void Chevron(CDC* pDC, int x, int y, BOOL bDown, COLORREF clr);
  // For each pair {p, d} of the nPairs pairs: the pixel at p becomes the mean
  // of itself and the pixel at p + d.
  static void BlurPoints(CDC* pDC, const POINT* pPoints, int nPairs);
  // Left and right exchanged in a right-to-left window.
  static void KeyToLayout(CWnd* pWnd, UINT& nChar);
  static COLORREF GetBitmapPixelColor(HBITMAP hBitmap);
  // An icon of the bitmap masked by the colour of its pixel (0, 0).
  static HICON BitmapToIcon(HBITMAP hBitmap);
  static BOOL FontExists(const CString& strFaceName);
  static CString GetDefaultFontName(BOOL bPreferTahoma);
  static BOOL IsTopParentActive(HWND hWnd);
  static CPoint GetClientCursorPos(CWnd* pWnd);
  // Empty for a NULL object or a handle that is no window.
  static CRect GetWindowRect(CWnd* pWnd);
  static CRect GetClientRect(CWnd* pWnd);
  static CRect GetWindowRect(HWND hWnd);
  // The 0x55/0xAA pattern in the face and button highlight colours (15 and
  // 20) of the colour manager.
  static void FillHalftoneRect(CDC* pDC, const RECT& rect);
  // The 8x8 halftone pattern brush (the caller deletes it).
  static HBRUSH CreateHalftoneBrush();

 private:
  typedef BOOL(WINAPI* PFNGRADIENTFILL)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
  PFNGRADIENTFILL BoundGradientFill();
  void FillLineByLine(CDC* pDC, const CRect& rect, COLORREF clrFrom, COLORREF clrTo, BOOL bHorizontal);

  UINT m_nGeneration = 0;
  HMODULE m_hMsImg32 = nullptr;
  PFNGRADIENTFILL m_pfnGradientFill = nullptr;
};

// The process-wide helpers.
CJVKDrawHelpers* JVKDrawHelpers();
