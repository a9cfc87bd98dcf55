// A 32-bit top-down DIB selected into a memory DC, for drawing tests that
// read pixels back exactly.
#pragma once

#include <Framework.h>

#include <cstdio>

// A 32-bit top-down DIB section; its pixels (0xAARRGGBB) through ppBits.
inline HBITMAP CreateTopDownDib(int cx, int cy, DWORD** ppBits) {
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = cx;
  bmi.bmiHeader.biHeight = -cy;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  return ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(ppBits), nullptr, 0);
}

class CDibCanvas {
 public:
  CDibCanvas(int cx, int cy, COLORREF clrFill = RGB(1, 2, 3)) : m_cx(cx), m_cy(cy) {
    m_hBitmap = CreateTopDownDib(cx, cy, &m_pBits);
    m_dc.Attach(::CreateCompatibleDC(nullptr));
    m_hOld = ::SelectObject(m_dc, m_hBitmap);
    m_dc.FillSolidRect(0, 0, cx, cy, clrFill);
  }
  ~CDibCanvas() {
    ::SelectObject(m_dc, m_hOld);
    ::DeleteObject(m_hBitmap);
  }
  CDibCanvas(const CDibCanvas&) = delete;
  CDibCanvas& operator=(const CDibCanvas&) = delete;

  CDC* DC() { return &m_dc; }
  COLORREF Pixel(int x, int y) {
    ::GdiFlush();
    const DWORD v = m_pBits[y * m_cx + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  // Writes the picture as a BMP file (to look at what a test draws).
  void Save(const char* path) {
    ::GdiFlush();
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = m_cx;
    info.biHeight = -m_cy;
    info.biPlanes = 1;
    info.biBitCount = 32;
    const DWORD bytes = static_cast<DWORD>(m_cx * m_cy * 4);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + bytes;
    if (FILE* f = fopen(path, "wb")) {
      fwrite(&file, sizeof file, 1, f);
      fwrite(&info, sizeof info, 1, f);
      fwrite(m_pBits, bytes, 1, f);
      fclose(f);
    }
  }

 private:
  int m_cx, m_cy;
  DWORD* m_pBits = nullptr;
  HBITMAP m_hBitmap;
  HGDIOBJ m_hOld;
  CDC m_dc;
};
