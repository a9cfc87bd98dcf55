#include "DrawHelpers.h"

#include "ColorManager.h"
#include "GradientSteps.h"
#include "OSVersionInfo.h"
#include "OSVersionTests.h"
#include "OptionalEntry.h"

#include <commctrl.h>

CJVKDrawHelpers* JVKDrawHelpers() {
  static CJVKDrawHelpers helpers;
  return &helpers;
}

CJVKDrawHelpers::~CJVKDrawHelpers() {
  if (m_hMsImg32) ::FreeLibrary(m_hMsImg32);
}

CJVKDrawHelpers::PFNGRADIENTFILL CJVKDrawHelpers::BoundGradientFill() {
  if (m_nGeneration != JVKOptionalGeneration()) {
    if (m_hMsImg32) ::FreeLibrary(m_hMsImg32);
    m_nGeneration = JVKOptionalGeneration();
    m_hMsImg32 = JVKOptionalLibrary("msimg32.dll", TRUE);
    m_pfnGradientFill = JVKOptionalProc<PFNGRADIENTFILL>(m_hMsImg32, "msimg32.dll", "GradientFill");
  }
  return m_pfnGradientFill;
}

BOOL CJVKDrawHelpers::HasGradientFill() { return BoundGradientFill() != nullptr; }

void CJVKDrawHelpers::GradientFill(CDC* pDC, const RECT* pRect, COLORREF clrFrom, COLORREF clrTo, BOOL bHorizontal) {
  if (!pRect || ::IsRectEmpty(pRect)) return;
  const CRect rect(pRect);
  if (IsLowColor(pDC->GetSafeHdc()) || clrFrom == clrTo) {
    pDC->FillSolidRect(rect, clrFrom);
    return;
  }
  if (PFNGRADIENTFILL pfn = BoundGradientFill()) {
    TRIVERTEX vertices[2] = {};
    vertices[0].x = rect.left;
    vertices[0].y = rect.top;
    vertices[0].Red = static_cast<COLOR16>(GetRValue(clrFrom) << 8);
    vertices[0].Green = static_cast<COLOR16>(GetGValue(clrFrom) << 8);
    vertices[0].Blue = static_cast<COLOR16>(GetBValue(clrFrom) << 8);
    vertices[1].x = rect.right;
    vertices[1].y = rect.bottom;
    vertices[1].Red = static_cast<COLOR16>(GetRValue(clrTo) << 8);
    vertices[1].Green = static_cast<COLOR16>(GetGValue(clrTo) << 8);
    vertices[1].Blue = static_cast<COLOR16>(GetBValue(clrTo) << 8);
    GRADIENT_RECT mesh = {0, 1};
    pfn(pDC->GetSafeHdc(), vertices, 2, &mesh, 1, bHorizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
    return;
  }
  FillLineByLine(pDC, rect, clrFrom, clrTo, bHorizontal);
}

void CJVKDrawHelpers::FillLineByLine(CDC* pDC, const CRect& rect, COLORREF clrFrom, COLORREF clrTo, BOOL bHorizontal) {
  // Only the part inside the clip box is drawn.
  CRect work;
  pDC->GetClipBox(&work);
  if (work.IsRectEmpty())
    work = rect;
  else if (!work.IntersectRect(&work, &rect))
    return;
  if (bHorizontal) {
    for (int x = work.left; x < work.right; ++x)
      pDC->FillSolidRect(x, work.top, 1, work.Height(), GradientStepColor(clrFrom, clrTo, x - rect.left, rect.Width()));
  } else {
    for (int y = work.top; y < work.bottom; ++y)
      pDC->FillSolidRect(work.left, y, work.Width(), 1, GradientStepColor(clrFrom, clrTo, y - rect.top, rect.Height()));
  }
}

void CJVKDrawHelpers::GradientFillColor(CDC* pDC, const RECT* pRect, const CJVKGradientColor& grc, BOOL bHorizontal) {
  if (!pRect) return;
  if (!grc.HasMiddle()) {
    GradientFill(pDC, pRect, grc.m_clrStart, grc.m_clrEnd, bHorizontal);
    return;
  }
  CRect first(pRect), second(pRect);
  if (bHorizontal)
    first.right = second.left = GradientSplit(pRect->left, pRect->right);
  else
    first.bottom = second.top = GradientSplit(pRect->top, pRect->bottom);
  GradientFill(pDC, first, grc.m_clrStart, grc.m_clrMiddle1, bHorizontal);
  GradientFill(pDC, second, grc.m_clrMiddle2, grc.m_clrEnd, bHorizontal);
}

void CJVKDrawHelpers::ExcludeCorners(CDC* pDC, int left, int top, int right, int bottom) {
  pDC->ExcludeClipRect(left, top, left + 1, top + 1);
  pDC->ExcludeClipRect(right - 1, top, right, top + 1);
  pDC->ExcludeClipRect(left, bottom - 1, left + 1, bottom);
  pDC->ExcludeClipRect(right - 1, bottom - 1, right, bottom);
}

BOOL CJVKDrawHelpers::IsLowColor(HDC hDC) {
  int bits;
  if (hDC) {
    bits = ::GetDeviceCaps(hDC, BITSPIXEL);
  } else {
    HWND hDesktop = ::GetDesktopWindow();
    HDC hScreen = ::GetDC(hDesktop);
    bits = ::GetDeviceCaps(hScreen, BITSPIXEL);
    ::ReleaseDC(hDesktop, hScreen);
  }
  return bits >= 1 && bits <= 8;
}

void CJVKDrawHelpers::Triangle(CDC* pDC, POINT pt0, POINT pt1, POINT pt2) {
  const POINT points[3] = {pt0, pt1, pt2};
  pDC->Polygon(points, 3);
}

void CJVKDrawHelpers::Chevron(CDC* pDC, int x, int y, BOOL bDown, COLORREF clr) {
  HDC hDC = pDC->GetSafeHdc();
  for (int i = 0; i < 6; ++i) {
    const int nDepth = i < 3 ? i : 5 - i;  // 0 1 2 2 1 0: arms meeting in a flat tip
    for (int nStroke = 0; nStroke < 2; ++nStroke) {
      if (bDown)
        ::SetPixelV(hDC, x + i, y + nDepth + nStroke, clr);
      else
        ::SetPixelV(hDC, x + nDepth + nStroke, y + i, clr);
    }
  }
}

void CJVKDrawHelpers::Triangle(CDC* pDC, POINT pt0, POINT pt1, POINT pt2, COLORREF clr) {
  HDC hDC = pDC->GetSafeHdc();
  HPEN hPen = ::CreatePen(PS_SOLID, 1, clr);
  HBRUSH hBrush = ::CreateSolidBrush(clr);
  HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
  HGDIOBJ hOldBrush = ::SelectObject(hDC, hBrush);
  Triangle(pDC, pt0, pt1, pt2);
  ::SelectObject(hDC, hOldBrush);
  ::SelectObject(hDC, hOldPen);
  ::DeleteObject(hBrush);
  ::DeleteObject(hPen);
}

void CJVKDrawHelpers::BlurPoints(CDC* pDC, const POINT* pPoints, int nPairs) {
  for (int i = 0; i < nPairs; ++i) {
    const POINT p = pPoints[2 * i], d = pPoints[2 * i + 1];
    const COLORREF a = pDC->GetPixel(p), b = pDC->GetPixel(p.x + d.x, p.y + d.y);
    pDC->SetPixel(p, RGB((GetRValue(a) + GetRValue(b)) >> 1, (GetGValue(a) + GetGValue(b)) >> 1,
                         (GetBValue(a) + GetBValue(b)) >> 1));
  }
}

void CJVKDrawHelpers::KeyToLayout(CWnd* pWnd, UINT& nChar) {
  if (!pWnd || !(pWnd->GetExStyle() & WS_EX_LAYOUTRTL)) return;
  if (nChar == VK_LEFT)
    nChar = VK_RIGHT;
  else if (nChar == VK_RIGHT)
    nChar = VK_LEFT;
}

COLORREF CJVKDrawHelpers::GetBitmapPixelColor(HBITMAP hBitmap) {
  if (!hBitmap || ::GetObjectType(hBitmap) != OBJ_BITMAP) return JVK_COLOR_UNSET;
  HDC hMemDC = ::CreateCompatibleDC(nullptr);
  HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
  const COLORREF clr = ::GetPixel(hMemDC, 0, 0);
  ::SelectObject(hMemDC, hOld);
  ::DeleteDC(hMemDC);
  return clr;
}

HICON CJVKDrawHelpers::BitmapToIcon(HBITMAP hBitmap) {
  BITMAP bm = {};
  if (!hBitmap || !::GetObject(hBitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return nullptr;
  HIMAGELIST hList = ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0);
  if (!hList) return nullptr;
  ImageList_AddMasked(hList, hBitmap, GetBitmapPixelColor(hBitmap));
  HICON hIcon = ImageList_GetIcon(hList, 0, ILD_NORMAL);
  ImageList_Destroy(hList);
  return hIcon;
}

namespace {
int CALLBACK MatchFace(const LOGFONTA* pFont, const TEXTMETRICA*, DWORD, LPARAM lParam) {
  // 0 ends the enumeration: found.
  return lstrcmpiA(pFont->lfFaceName, reinterpret_cast<LPCSTR>(lParam)) == 0 ? 0 : 1;
}
}  // namespace

BOOL CJVKDrawHelpers::FontExists(const CString& strFaceName) {
  LOGFONTA lf = {};
  lf.lfCharSet = DEFAULT_CHARSET;
  HDC hScreen = ::GetDC(nullptr);
  const int result = ::EnumFontFamiliesExA(hScreen, &lf, MatchFace, reinterpret_cast<LPARAM>((LPCSTR)strFaceName), 0);
  ::ReleaseDC(nullptr, hScreen);
  return result == 0;
}

CString CJVKDrawHelpers::GetDefaultFontName(BOOL bPreferTahoma) {
  LOGFONTA lf = {};
  ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  const OSVERSIONINFOA& os = GetOSVersionInfo()->m_osvi;
  CJVKFontFacts facts{lf.lfCharSet,
                      lf.lfFaceName,
                      {os.dwPlatformId, os.dwMajorVersion, os.dwMinorVersion},
                      FontExists("Arial"),
                      FontExists("Tahoma")};
  return ChooseDefaultFontName(facts, bPreferTahoma);
}

BOOL CJVKDrawHelpers::IsTopParentActive(HWND hWnd) {
  HWND hTop = hWnd;
  for (HWND hUp = hWnd; hUp;
       hUp = (::GetWindowLongPtr(hUp, GWL_STYLE) & WS_CHILD) ? ::GetParent(hUp) : ::GetWindow(hUp, GW_OWNER))
    hTop = hUp;
  return ::GetForegroundWindow() == ::GetLastActivePopup(hTop);
}

CPoint CJVKDrawHelpers::GetClientCursorPos(CWnd* pWnd) {
  POINT pt;
  ::GetCursorPos(&pt);
  ::ScreenToClient(pWnd->GetSafeHwnd(), &pt);
  return pt;
}

CRect CJVKDrawHelpers::GetWindowRect(CWnd* pWnd) { return GetWindowRect(pWnd->GetSafeHwnd()); }

CRect CJVKDrawHelpers::GetClientRect(CWnd* pWnd) {
  CRect rect;
  HWND hWnd = pWnd->GetSafeHwnd();
  if (hWnd && ::IsWindow(hWnd)) ::GetClientRect(hWnd, &rect);
  return rect;
}

CRect CJVKDrawHelpers::GetWindowRect(HWND hWnd) {
  CRect rect;
  if (hWnd && ::IsWindow(hWnd)) ::GetWindowRect(hWnd, &rect);
  return rect;
}

HBRUSH CJVKDrawHelpers::CreateHalftoneBrush() {
  // Rows alternate 0x55 and 0xAA; each row of a 1-bit bitmap is WORD-aligned.
  static const WORD kPattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  HBITMAP hPattern = ::CreateBitmap(8, 8, 1, 1, kPattern);
  HBRUSH hBrush = ::CreatePatternBrush(hPattern);
  ::DeleteObject(hPattern);
  return hBrush;
}

void CJVKDrawHelpers::FillHalftoneRect(CDC* pDC, const RECT& rect) {
  HDC hDC = pDC->GetSafeHdc();
  HBRUSH hBrush = CreateHalftoneBrush();
  HGDIOBJ hOldBrush = ::SelectObject(hDC, hBrush);
  const COLORREF clrOldBk = ::SetBkColor(hDC, GetColorManager()->GetColor(COLOR_3DFACE));
  const COLORREF clrOldText = ::SetTextColor(hDC, GetColorManager()->GetColor(COLOR_BTNHIGHLIGHT));
  ::PatBlt(hDC, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, PATCOPY);
  ::SetTextColor(hDC, clrOldText);
  ::SetBkColor(hDC, clrOldBk);
  ::SelectObject(hDC, hOldBrush);
  ::DeleteObject(hBrush);
}
