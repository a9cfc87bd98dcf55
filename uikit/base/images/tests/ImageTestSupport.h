// Pictures for the image manager's tests: 32-bit bitmaps and icons made from
// a pixel rule, pixels read back exactly, and the build-time fixture files
// (fixtures/make-image-fixtures.py) written out from the test's resources.
#pragma once

#include <Framework.h>

#include <functional>
#include <string>
#include <vector>

#include "DibCanvas.h"

// A DIB pixel as a DWORD: 0xAARRGGBB.
inline DWORD Argb(BYTE a, BYTE r, BYTE g, BYTE b) {
  return (static_cast<DWORD>(a) << 24) | (static_cast<DWORD>(r) << 16) | (static_cast<DWORD>(g) << 8) | b;
}

// The fixture files' rule for image k at (x, y) of a w-wide 32-bit image.
inline DWORD FixturePixel(int k, int x, int y, int w) {
  return Argb(x < w / 2 ? 255 : 128, 200, static_cast<BYTE>(8 * y), static_cast<BYTE>(10 * k + x));
}

using PixelRule = std::function<DWORD(int x, int y)>;

// A 32-bit DIB section whose pixels follow the rule.
inline HBITMAP MakeAlphaBitmap(int cx, int cy, const PixelRule& rule) {
  DWORD* pBits = nullptr;
  HBITMAP hBitmap = CreateTopDownDib(cx, cy, &pBits);
  for (int y = 0; y < cy; ++y)
    for (int x = 0; x < cx; ++x) pBits[y * cx + x] = rule(x, y);
  return hBitmap;
}

// The pixels of a bitmap as 32-bit top-down rows.
inline std::vector<DWORD> ReadPixels(HBITMAP hBitmap) {
  BITMAP bm = {};
  ::GetObject(hBitmap, sizeof(bm), &bm);
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = bm.bmWidth;
  bmi.bmiHeader.biHeight = -bm.bmHeight;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  std::vector<DWORD> pixels(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
  HDC hDC = ::CreateCompatibleDC(nullptr);
  ::GetDIBits(hDC, hBitmap, 0, bm.bmHeight, pixels.data(), &bmi, DIB_RGB_COLORS);
  ::DeleteDC(hDC);
  return pixels;
}

// An icon of cx x cy: opaque with the rule's colour where the rule's alpha
// is 255, transparent (mask 1, colour black) elsewhere.
inline HICON MakeIcon(int cx, int cy, const PixelRule& rule) {
  HBITMAP hColor = MakeAlphaBitmap(cx, cy, [&](int x, int y) {
    DWORD px = rule(x, y);
    return (px >> 24) == 255 ? px & 0xFFFFFF : 0u;
  });
  HBITMAP hMask = MakeAlphaBitmap(cx, cy, [&](int x, int y) { return (rule(x, y) >> 24) == 255 ? 0u : 0xFFFFFFu; });
  // Masks are monochrome: copy the 32-bit picture into a 1-bit bitmap.
  HBITMAP hMono = ::CreateBitmap(cx, cy, 1, 1, nullptr);
  HDC hFrom = ::CreateCompatibleDC(nullptr), hTo = ::CreateCompatibleDC(nullptr);
  HGDIOBJ hOldFrom = ::SelectObject(hFrom, hMask), hOldTo = ::SelectObject(hTo, hMono);
  ::BitBlt(hTo, 0, 0, cx, cy, hFrom, 0, 0, SRCCOPY);
  ::SelectObject(hFrom, hOldFrom);
  ::SelectObject(hTo, hOldTo);
  ::DeleteDC(hFrom);
  ::DeleteDC(hTo);
  ICONINFO info = {TRUE, 0, 0, hMono, hColor};
  HICON hIcon = ::CreateIconIndirect(&info);
  ::DeleteObject(hColor);
  ::DeleteObject(hMask);
  ::DeleteObject(hMono);
  return hIcon;
}

inline HICON MakeSolidIcon(int cx, int cy, COLORREF clr) {
  return MakeIcon(cx, cy, [clr](int, int) { return Argb(255, GetRValue(clr), GetGValue(clr), GetBValue(clr)); });
}

// The colour and mask pixels of an icon (top-down, 32-bit).
struct CIconPixels {
  std::vector<DWORD> colour, mask;
};
inline CIconPixels ReadIconPixels(HICON hIcon) {
  ICONINFO info = {};
  ::GetIconInfo(hIcon, &info);
  CIconPixels pixels{ReadPixels(info.hbmColor), ReadPixels(info.hbmMask)};
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  return pixels;
}

inline BOOL IsIconAlive(HICON hIcon) {
  ICONINFO info = {};
  if (!::GetIconInfo(hIcon, &info)) return FALSE;
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  return TRUE;
}

inline BOOL IsBitmapAlive(HBITMAP hBitmap) {
  BITMAP bm = {};
  return ::GetObject(hBitmap, sizeof(bm), &bm) != 0;
}

// The bytes of an RCDATA resource of this program.
inline std::string ResourceBytes(UINT nID) {
  HRSRC hResource = ::FindResource(nullptr, MAKEINTRESOURCE(nID), RT_RCDATA);
  if (hResource == nullptr) return std::string();
  const char* p = static_cast<const char*>(::LockResource(::LoadResource(nullptr, hResource)));
  return std::string(p, ::SizeofResource(nullptr, hResource));
}

// Writes bytes to a file in the temporary folder and returns its path.
inline std::string WriteTempFile(const std::string& name, const std::string& bytes) {
  char szDir[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, szDir);
  std::string path = std::string(szDir) + name;
  FILE* f = fopen(path.c_str(), "wb");
  if (f != nullptr) {
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
  }
  return path;
}
