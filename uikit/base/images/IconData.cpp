#include "IconData.h"

#include <cstring>

ULONGLONG CJVKBitmapBlock::Stride(LONG nWidth, WORD nBitCount) {
  return (static_cast<ULONGLONG>(nWidth) * nBitCount + 31) / 32 * 4;
}

namespace {

BOOL IsKnownBitCount(WORD nBitCount) {
  return nBitCount == 1 || nBitCount == 4 || nBitCount == 8 || nBitCount == 16 || nBitCount == 24 || nBitCount == 32;
}

}  // namespace

BOOL ReadBitmapBlock(CArchive& ar, CJVKBitmapBlock& block) {
  block = CJVKBitmapBlock();
  DWORD nHeaderBytes = static_cast<DWORD>(ar.ReadCount());
  if (nHeaderBytes == 0) return TRUE;
  if (nHeaderBytes < CJVKBitmapBlock::kInfoHeaderBytes || nHeaderBytes > CJVKBitmapBlock::kHeaderBytes) return FALSE;
  if (ar.Read(block.m_header, nHeaderBytes) != nHeaderBytes) AfxThrowArchiveException(CArchiveException::endOfFile);
  LONG nWidth = block.GetWidth();
  LONG nHeight = block.GetHeight();
  WORD nBitCount = block.GetBitCount();
  if (nWidth <= 0 || nHeight <= 0 || nWidth > CJVKBitmapBlock::kMaxExtent || nHeight > CJVKBitmapBlock::kMaxExtent ||
      !IsKnownBitCount(nBitCount)) {
    block = CJVKBitmapBlock();
    return FALSE;
  }
  DWORD nPixelBytes = static_cast<DWORD>(ar.ReadCount());
  if (nPixelBytes < CJVKBitmapBlock::Stride(nWidth, nBitCount) * static_cast<ULONGLONG>(nHeight)) {
    block = CJVKBitmapBlock();
    return FALSE;
  }
  ar.EnsureAvailable(nPixelBytes);
  block.m_pixels.resize(nPixelBytes);
  if (ar.Read(block.m_pixels.data(), nPixelBytes) != nPixelBytes) {
    block = CJVKBitmapBlock();
    AfxThrowArchiveException(CArchiveException::endOfFile);
  }
  block.m_bPresent = TRUE;
  return TRUE;
}

void WriteBitmapBlock(CArchive& ar, const CJVKBitmapBlock& block) {
  if (!block.m_bPresent) {
    ar.WriteCount(0);
    return;
  }
  ar.WriteCount(CJVKBitmapBlock::kHeaderBytes);
  ar.Write(block.m_header, CJVKBitmapBlock::kHeaderBytes);
  ar.WriteCount(block.m_pixels.size());
  if (!block.m_pixels.empty()) ar.Write(block.m_pixels.data(), static_cast<UINT>(block.m_pixels.size()));
}

BOOL ReadIconData(CArchive& ar, CJVKIconData& data) {
  data = CJVKIconData();
  ar >> data.m_nHeight;
  ar >> data.m_dwSchema;
  for (int i = 0; i < data.GetImageCount() * 2; ++i) {
    if (!ReadBitmapBlock(ar, data.m_blocks[i])) return FALSE;
  }
  return TRUE;
}

void WriteIconData(CArchive& ar, const CJVKIconData& data) {
  ar << data.m_nHeight;
  ar << data.m_dwSchema;
  for (int i = 0; i < data.GetImageCount() * 2; ++i) WriteBitmapBlock(ar, data.m_blocks[i]);
}
