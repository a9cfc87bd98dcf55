#include "IconFile.h"

#include <cstring>

namespace {

const size_t kFileHeaderBytes = 6;
const size_t kDirEntryBytes = 16;
const size_t kGroupEntryBytes = 14;

WORD Word(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
DWORD Dword(const BYTE* p) { return Word(p) | (static_cast<DWORD>(Word(p + 2)) << 16); }
void PutDword(BYTE* p, DWORD dw) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<BYTE>(dw >> (8 * i));
}

BOOL IsExtentInRange(LONG nWidth, LONG nHeight) {
  return nWidth > 0 && nHeight > 0 && nWidth <= CJVKBitmapBlock::kMaxExtent && nHeight <= CJVKBitmapBlock::kMaxExtent;
}

// Fills the block from a 32-bit header and the colour bits that follow it.
void TakeColourBits(const BYTE* pImage, DWORD nHeaderBytes, LONG nWidth, LONG nHeight, CJVKBitmapBlock& image) {
  DWORD nColourBytes = static_cast<DWORD>(nWidth) * static_cast<DWORD>(nHeight) * 4;
  memcpy(image.m_header, pImage, CJVKBitmapBlock::kInfoHeaderBytes);
  PutDword(image.m_header, CJVKBitmapBlock::kInfoHeaderBytes);
  PutDword(image.m_header + 8, static_cast<DWORD>(nHeight));
  PutDword(image.m_header + 20, nColourBytes);
  image.m_pixels.assign(pImage + nHeaderBytes, pImage + nHeaderBytes + nColourBytes);
  image.m_bPresent = TRUE;
}

// The header size of a 32-bit image whose header and colour bits fit in
// nImage bytes, else 0.
DWORD CheckedHeaderBytes(const BYTE* pImage, size_t nImage, LONG nWidth, LONG nHeight) {
  if (pImage == nullptr || nImage < CJVKBitmapBlock::kInfoHeaderBytes) return 0;
  DWORD nHeaderBytes = Dword(pImage);
  if (nHeaderBytes < CJVKBitmapBlock::kInfoHeaderBytes || nHeaderBytes > nImage) return 0;
  if (Word(pImage + 14) != 32 || !IsExtentInRange(nWidth, nHeight)) return 0;
  if (nImage - nHeaderBytes < static_cast<ULONGLONG>(nWidth) * nHeight * 4) return 0;
  return nHeaderBytes;
}

LONG HeaderWidth(const BYTE* pImage) { return static_cast<LONG>(Dword(pImage + 4)); }
LONG HeaderHeight(const BYTE* pImage) { return static_cast<LONG>(Dword(pImage + 8)); }

}  // namespace

BOOL JVKReadAlphaIconImage(const BYTE* pImage, size_t nImage, CJVKBitmapBlock& image) {
  image = CJVKBitmapBlock();
  if (pImage == nullptr || nImage < CJVKBitmapBlock::kInfoHeaderBytes) return FALSE;
  // The header height covers the colour bits and the mask.
  LONG nWidth = HeaderWidth(pImage), nHeight = HeaderHeight(pImage) / 2;
  DWORD nHeaderBytes = CheckedHeaderBytes(pImage, nImage, nWidth, nHeight);
  if (nHeaderBytes == 0) return FALSE;
  TakeColourBits(pImage, nHeaderBytes, nWidth, nHeight, image);
  return TRUE;
}

BOOL JVKReadAlphaBitmapResource(const BYTE* pResource, size_t nResource, CJVKBitmapBlock& image) {
  image = CJVKBitmapBlock();
  if (pResource == nullptr || nResource < CJVKBitmapBlock::kInfoHeaderBytes) return FALSE;
  LONG nWidth = HeaderWidth(pResource), nHeight = HeaderHeight(pResource);
  DWORD nHeaderBytes = CheckedHeaderBytes(pResource, nResource, nWidth, nHeight);
  if (nHeaderBytes == 0) return FALSE;
  TakeColourBits(pResource, nHeaderBytes, nWidth, nHeight, image);
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

std::vector<WORD> JVKGroupIconCandidates(const BYTE* pGroup, size_t nGroup, int nWidth, int nHeight) {
  std::vector<WORD> ids;
  if (pGroup == nullptr || nGroup < kFileHeaderBytes) return ids;
  size_t nCount = Word(pGroup + 4);
  if (nCount > (nGroup - kFileHeaderBytes) / kGroupEntryBytes) return ids;
  for (size_t i = nCount; i-- > 0;) {
    const BYTE* pEntry = pGroup + kFileHeaderBytes + i * kGroupEntryBytes;
    if (pEntry[0] == nWidth && pEntry[1] == nHeight) ids.push_back(Word(pEntry + 12));
  }
  return ids;
}
