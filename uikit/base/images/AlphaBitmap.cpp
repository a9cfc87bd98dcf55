#include "AlphaBitmap.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

#include "IconFile.h"
#include "IconPixels.h"
#include "OptionalEntry.h"

namespace {

// Icon files beyond this are not read (an icon file of 256 x 256 images at
// every usual depth stays far below it).
const ULONGLONG kMaxIconFileBytes = 16 * 1024 * 1024;
const size_t kBitmapFileHeaderBytes = 14;

// A BITMAPINFO with room for the three masks and a full palette.
struct CBitmapInfo {
  BITMAPINFOHEADER header;
  DWORD extra[3 + 256];
  BITMAPINFO* Get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

// The header of 32-bit top-down rows of the extent.
CBitmapInfo TopDown32(CSize sz) {
  CBitmapInfo bmi = {};
  bmi.header.biSize = sizeof(BITMAPINFOHEADER);
  bmi.header.biWidth = sz.cx;
  bmi.header.biHeight = -sz.cy;
  bmi.header.biPlanes = 1;
  bmi.header.biBitCount = 32;
  return bmi;
}

// A 32-bit top-down DIB section of the extent; its bits through ppBits.
HBITMAP CreateDib32(CSize sz, DWORD** ppBits) {
  CBitmapInfo bmi = TopDown32(sz);
  void* pBits = nullptr;
  HBITMAP hBitmap = ::CreateDIBSection(nullptr, bmi.Get(), DIB_RGB_COLORS, &pBits, nullptr, 0);
  if (hBitmap != nullptr) *ppBits = static_cast<DWORD*>(pBits);
  return hBitmap;
}

HBITMAP BitmapFromAlphaBlock(BOOL bRead, const CJVKBitmapBlock& block) {
  return bRead ? JVKBitmapFromBlock(block) : nullptr;
}

// The RT_BITMAP resource's bytes, or null.
const BYTE* FindBitmapResource(UINT nIDResource, DWORD& nBytes) {
  LPCTSTR lpszName = MAKEINTRESOURCE(nIDResource);
  HINSTANCE hInstance = AfxFindResourceHandle(lpszName, RT_BITMAP);
  HRSRC hResource = ::FindResource(hInstance, lpszName, RT_BITMAP);
  if (hResource == nullptr) return nullptr;
  HGLOBAL hGlobal = ::LoadResource(hInstance, hResource);
  nBytes = ::SizeofResource(hInstance, hResource);
  return hGlobal != nullptr ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
}

// The whole file, when it opens and is not beyond nMaxBytes.
BOOL ReadWholeFile(LPCTSTR lpszFileName, ULONGLONG nMaxBytes, std::vector<BYTE>& bytes) {
  CFile file;
  if (!file.Open(lpszFileName, CFile::modeRead | CFile::shareDenyNone)) return FALSE;
  try {
    ULONGLONG nLength = file.GetLength();
    if (nLength > nMaxBytes) return FALSE;
    bytes.resize(static_cast<size_t>(nLength));
    if (nLength != 0 && file.Read(bytes.data(), static_cast<UINT>(nLength)) != nLength) return FALSE;
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
  return TRUE;
}

}  // namespace

BOOL IsAlphaBitmapFile(LPCTSTR lpszFileName) {
  // Only the two headers are read.
  CFile file;
  if (!file.Open(lpszFileName, CFile::modeRead | CFile::shareDenyNone)) return FALSE;
  BYTE headers[kBitmapFileHeaderBytes + CJVKBitmapBlock::kInfoHeaderBytes];
  UINT nRead = 0;
  try {
    nRead = file.Read(headers, sizeof(headers));
  } catch (CFileException* e) {
    e->Delete();
    return FALSE;
  }
  if (nRead != sizeof(headers)) return FALSE;
  const BYTE* pInfo = headers + kBitmapFileHeaderBytes;
  return (pInfo[14] | (pInfo[15] << 8)) == 32;
}

BOOL IsAlphaBitmapResource(UINT nIDResource) {
  DWORD nBytes = 0;
  const BYTE* pResource = FindBitmapResource(nIDResource, nBytes);
  if (pResource == nullptr || nBytes < CJVKBitmapBlock::kInfoHeaderBytes) return FALSE;
  return (pResource[14] | (pResource[15] << 8)) == 32;
}

HBITMAP LoadAlphaBitmap(UINT nIDResource) {
  DWORD nBytes = 0;
  const BYTE* pResource = FindBitmapResource(nIDResource, nBytes);
  CJVKBitmapBlock block;
  return BitmapFromAlphaBlock(JVKReadAlphaBitmapResource(pResource, nBytes, block), block);
}

HBITMAP LoadAlphaBitmapFile(LPCTSTR lpszFileName, int nWidth) {
  std::vector<BYTE> bytes;
  if (!ReadWholeFile(lpszFileName, kMaxIconFileBytes, bytes)) return nullptr;
  CJVKBitmapBlock block;
  return BitmapFromAlphaBlock(JVKReadAlphaIconFile(bytes.data(), bytes.size(), nWidth, block), block);
}

CSize GetIconSize(HICON hIcon) {
  ICONINFO info = {};
  if (hIcon == nullptr || !::GetIconInfo(hIcon, &info)) return CSize(0, 0);
  BITMAP bm = {};
  ::GetObject(info.hbmMask, sizeof(bm), &bm);
  CSize sz(bm.bmWidth, info.hbmColor != nullptr ? bm.bmHeight : bm.bmHeight / 2);
  if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
  return sz;
}

CSize GetBitmapSize(HBITMAP hBitmap) {
  BITMAP bm = {};
  if (hBitmap == nullptr || !::GetObject(hBitmap, sizeof(bm), &bm)) return CSize(0, 0);
  return CSize(bm.bmWidth, bm.bmHeight);
}

HBITMAP CopyAlphaBitmap(HBITMAP hBitmap) {
  CJVKBitmapBlock block;
  if (!JVKBlockFromBitmap(hBitmap, block)) return nullptr;
  return JVKBitmapFromBlock(block);
}

HBITMAP PreMultiplyAlphaBitmap(HBITMAP hBitmap) {
  CSize sz = GetBitmapSize(hBitmap);
  std::vector<DWORD> pixels;
  if (!JVKGetPixels32(hBitmap, pixels)) return nullptr;
  JVKPremultiplyPixels(reinterpret_cast<BYTE*>(pixels.data()), static_cast<UINT>(pixels.size()));
  DWORD* pBits = nullptr;
  HBITMAP hResult = CreateDib32(sz, &pBits);
  if (hResult != nullptr) memcpy(pBits, pixels.data(), pixels.size() * sizeof(DWORD));
  return hResult;
}

HBITMAP PreMultiplyAlphaBitmap(HICON hIcon) {
  ICONINFO info = {};
  CSize sz = GetIconSize(hIcon);
  if (sz.cx <= 0 || sz.cy <= 0 || !::GetIconInfo(hIcon, &info)) return nullptr;
  std::vector<DWORD> colour, mask;
  BOOL bRead = JVKGetPixels32(info.hbmMask, mask);
  if (info.hbmColor != nullptr) bRead = bRead && JVKGetPixels32(info.hbmColor, colour);
  if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  if (!bRead) return nullptr;
  // A monochrome icon keeps its colour in the mask's second half.
  if (colour.empty()) colour.assign(mask.begin() + static_cast<ptrdiff_t>(sz.cx) * sz.cy, mask.end());
  // A 32-bit icon carries its own alpha; any other takes it from the mask.
  BOOL bHasAlpha = FALSE;
  for (DWORD px : colour) bHasAlpha = bHasAlpha || (px >> 24) != 0;
  for (size_t i = 0; i < colour.size(); ++i) {
    DWORD alpha = bHasAlpha ? colour[i] >> 24 : ((mask[i] & 0xFFFFFF) == 0 ? 0xFF : 0);
    colour[i] = (colour[i] & 0xFFFFFF) | (alpha << 24);
  }
  JVKPremultiplyPixels(reinterpret_cast<BYTE*>(colour.data()), static_cast<UINT>(colour.size()));
  DWORD* pBits = nullptr;
  HBITMAP hResult = CreateDib32(sz, &pBits);
  if (hResult != nullptr) memcpy(pBits, colour.data(), colour.size() * sizeof(DWORD));
  return hResult;
}

HICON ScaleIcon(HICON hIcon, CSize szOld, CSize szNew) {
  if (hIcon == nullptr || szOld.cx == 0) return nullptr;
  if (szOld == szNew) return ::CopyIcon(hIcon);
  HIMAGELIST hList = ImageList_Create(szNew.cx, szNew.cy, ILC_COLOR32 | ILC_MASK, 1, 0);
  if (hList == nullptr) return nullptr;
  HICON hScaled = nullptr;
  if (ImageList_ReplaceIcon(hList, -1, hIcon) == 0) hScaled = ImageList_GetIcon(hList, 0, ILD_NORMAL);
  ImageList_Destroy(hList);
  return hScaled;
}

PFNJVKALPHABLEND JVKAlphaBlendEntry() {
  static UINT nGeneration = static_cast<UINT>(-1);
  static HMODULE hMsImg32 = nullptr;
  static PFNJVKALPHABLEND pfnAlphaBlend = nullptr;
  if (nGeneration != JVKOptionalGeneration()) {
    nGeneration = JVKOptionalGeneration();
    if (hMsImg32 == nullptr) hMsImg32 = JVKOptionalLibrary("msimg32.dll", TRUE);
    pfnAlphaBlend = JVKOptionalProc<PFNJVKALPHABLEND>(hMsImg32, "msimg32.dll", "AlphaBlend");
  }
  return pfnAlphaBlend;
}

BOOL DrawAlphaBitmap(CDC* pDC, CPoint pt, CSize szDest, HBITMAP hPremultiplied, CSize szSource) {
  PFNJVKALPHABLEND pfnAlphaBlend = JVKAlphaBlendEntry();
  if (pfnAlphaBlend == nullptr || hPremultiplied == nullptr) return FALSE;
  if (szSource.cx == 0 && szSource.cy == 0) szSource = GetBitmapSize(hPremultiplied);
  HDC hMemDC = ::CreateCompatibleDC(pDC->GetSafeHdc());
  HGDIOBJ hOld = ::SelectObject(hMemDC, hPremultiplied);
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  BOOL bDrawn = pfnAlphaBlend(pDC->GetSafeHdc(), pt.x, pt.y, szDest.cx, szDest.cy, hMemDC, 0, 0, szSource.cx,
                              szSource.cy, blend);
  ::SelectObject(hMemDC, hOld);
  ::DeleteDC(hMemDC);
  return bDrawn;
}

BOOL JVKGetPixels32(HBITMAP hBitmap, std::vector<DWORD>& pixels) {
  CSize sz = GetBitmapSize(hBitmap);
  CBitmapInfo bmi = TopDown32(sz);
  pixels.assign(static_cast<size_t>(sz.cx) * static_cast<size_t>(sz.cy), 0);
  HDC hDC = ::CreateCompatibleDC(nullptr);
  int nLines = ::GetDIBits(hDC, hBitmap, 0, static_cast<UINT>(sz.cy), pixels.data(), bmi.Get(), DIB_RGB_COLORS);
  ::DeleteDC(hDC);
  return sz.cy > 0 && nLines == sz.cy;
}

BOOL JVKSetPixels32(HBITMAP hBitmap, const std::vector<DWORD>& pixels) {
  CSize sz = GetBitmapSize(hBitmap);
  if (pixels.size() != static_cast<size_t>(sz.cx) * static_cast<size_t>(sz.cy)) return FALSE;
  CBitmapInfo bmi = TopDown32(sz);
  HDC hDC = ::CreateCompatibleDC(nullptr);
  int nLines = ::SetDIBits(hDC, hBitmap, 0, static_cast<UINT>(sz.cy), pixels.data(), bmi.Get(), DIB_RGB_COLORS);
  ::DeleteDC(hDC);
  return sz.cy > 0 && nLines == sz.cy;
}

HBITMAP JVKBitmapFromBlock(const CJVKBitmapBlock& block) {
  if (!block.m_bPresent) return nullptr;
  CBitmapInfo bmi = {};
  memcpy(&bmi, block.m_header, CJVKBitmapBlock::kHeaderBytes);
  // The header may come from another process: only the extent, the bit
  // count, the compression and its masks are taken from it, so that GDI
  // reads no colour table beyond the one built here.
  bmi.header.biSize = sizeof(BITMAPINFOHEADER);
  bmi.header.biPlanes = 1;
  bmi.header.biClrUsed = 0;
  bmi.header.biClrImportant = 0;
  WORD nBitCount = block.GetBitCount();
  if (nBitCount <= 8) {
    // The block holds no palette: a grey ramp over the bit count's range.
    bmi.header.biCompression = BI_RGB;
    DWORD nColours = 1u << nBitCount;
    for (DWORD i = 0; i < nColours; ++i) {
      DWORD grey = i * 255 / (nColours - 1);
      bmi.extra[i] = grey | (grey << 8) | (grey << 16);
    }
  } else if (bmi.header.biCompression != BI_BITFIELDS) {
    bmi.header.biCompression = BI_RGB;
  }
  ULONGLONG nNeeded = CJVKBitmapBlock::Stride(block.GetWidth(), nBitCount) * static_cast<ULONGLONG>(block.GetHeight());
  if (block.m_pixels.size() < nNeeded) return nullptr;
  bmi.header.biSizeImage = static_cast<DWORD>(nNeeded);
  void* pBits = nullptr;
  HBITMAP hBitmap = ::CreateDIBSection(nullptr, bmi.Get(), DIB_RGB_COLORS, &pBits, nullptr, 0);
  if (hBitmap == nullptr) return nullptr;
  memcpy(pBits, block.m_pixels.data(), static_cast<size_t>(nNeeded));
  return hBitmap;
}

BOOL JVKBlockFromBitmap(HBITMAP hBitmap, CJVKBitmapBlock& block) {
  block = CJVKBitmapBlock();
  BITMAP bm = {};
  if (hBitmap == nullptr || !::GetObject(hBitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return FALSE;
  WORD nBitCount = static_cast<WORD>(bm.bmBitsPixel * bm.bmPlanes);
  if (nBitCount == 4 || nBitCount == 8) nBitCount = 24;
  CBitmapInfo bmi = {};
  bmi.header.biSize = sizeof(BITMAPINFOHEADER);
  bmi.header.biWidth = bm.bmWidth;
  bmi.header.biHeight = bm.bmHeight;
  bmi.header.biPlanes = 1;
  bmi.header.biBitCount = nBitCount;
  bmi.header.biCompression = BI_RGB;
  ULONGLONG nBytes = CJVKBitmapBlock::Stride(bm.bmWidth, nBitCount) * static_cast<ULONGLONG>(bm.bmHeight);
  bmi.header.biSizeImage = static_cast<DWORD>(nBytes);
  try {
    block.m_pixels.resize(static_cast<size_t>(nBytes));
  } catch (const std::bad_alloc&) {
    block = CJVKBitmapBlock();
    return FALSE;
  }
  HDC hDC = ::CreateCompatibleDC(nullptr);
  int nLines = ::GetDIBits(hDC, hBitmap, 0, static_cast<UINT>(bm.bmHeight), block.m_pixels.data(), bmi.Get(),
                           DIB_RGB_COLORS);
  ::DeleteDC(hDC);
  if (nLines != bm.bmHeight) {
    block = CJVKBitmapBlock();
    return FALSE;
  }
  // GetDIBits may fill in the header (image size, colours used); the block
  // keeps the header as asked for, with the three words after it zero.
  bmi.header.biClrUsed = 0;
  bmi.header.biClrImportant = 0;
  bmi.header.biSizeImage = static_cast<DWORD>(nBytes);
  memcpy(block.m_header, &bmi.header, sizeof(BITMAPINFOHEADER));
  block.m_bPresent = TRUE;
  return TRUE;
}
