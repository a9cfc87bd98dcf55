#include "IconFile.h"

#include <cstring>

namespace {

const size_t kFileHeaderBytes = 6;
const size_t kDirEntryBytes = 16;

WORD Word(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
DWORD Dword(const BYTE* p) { return Word(p) | (static_cast<DWORD>(Word(p + 2)) << 16); }
void PutDword(BYTE* p, DWORD dw) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<BYTE>(dw >> (8 * i));
}

}  // namespace

BOOL JVKReadAlphaIconImage(const BYTE* pImage, size_t nImage, CJVKBitmapBlock& image) {
  image = CJVKBitmapBlock();
  if (pImage == nullptr || nImage < CJVKBitmapBlock::kInfoHeaderBytes) return FALSE;
  DWORD nHeaderBytes = Dword(pImage);
  if (nHeaderBytes < CJVKBitmapBlock::kInfoHeaderBytes || nHeaderBytes > nImage) return FALSE;
  LONG nWidth = static_cast<LONG>(Dword(pImage + 4));
  LONG nHeight = static_cast<LONG>(Dword(pImage + 8)) / 2;
  if (Word(pImage + 14) != 32) return FALSE;
  if (nWidth <= 0 || nHeight <= 0 || nWidth > CJVKBitmapBlock::kMaxExtent || nHeight > CJVKBitmapBlock::kMaxExtent)
    return FALSE;
  ULONGLONG nColourBytes = static_cast<ULONGLONG>(nWidth) * nHeight * 4;
  if (nImage - nHeaderBytes < nColourBytes) return FALSE;

  memcpy(image.m_header, pImage, CJVKBitmapBlock::kInfoHeaderBytes);
  PutDword(image.m_header, CJVKBitmapBlock::kInfoHeaderBytes);
  PutDword(image.m_header + 8, static_cast<DWORD>(nHeight));
  PutDword(image.m_header + 20, static_cast<DWORD>(nColourBytes));
  image.m_pixels.assign(pImage + nHeaderBytes, pImage + nHeaderBytes + nColourBytes);
  image.m_bPresent = TRUE;
  return TRUE;
}

BOOL JVKReadAlphaIconFile(const BYTE* pFile, size_t nFile, int nWidth, CJVKBitmapBlock& image) {
  image = CJVKBitmapBlock();
  if (pFile == nullptr || nFile < kFileHeaderBytes) return FALSE;
  size_t nCount = Word(pFile + 4);
  if (nCount > (nFile - kFileHeaderBytes) / kDirEntryBytes) return FALSE;
  for (size_t i = 0; i < nCount; ++i) {
    const BYTE* pEntry = pFile + kFileHeaderBytes + i * kDirEntryBytes;
    if (Word(pEntry + 6) != 32 || (nWidth != 0 && pEntry[0] != nWidth)) continue;
    DWORD nBytes = Dword(pEntry + 8);
    DWORD nOffset = Dword(pEntry + 12);
    if (nOffset > nFile || nBytes > nFile - nOffset) return FALSE;
    return JVKReadAlphaIconImage(pFile + nOffset, nBytes, image);
  }
  return FALSE;
}
