// The stored form of one icon's images (the object "Data" of an icon in the
// image manager's exchange), without the drawing objects: the height, the
// schema, then two bitmap blocks per image (normal, disabled, hot and, from
// schema 8 on, checked). A bitmap block is the archive count of its header
// bytes (52: the 40-byte info header and three 32-bit words), the header,
// the archive count of the pixel bytes and the pixels; an empty block is a
// count of 0. Blocks read from a stream are checked before anything is
// allocated for them.
#pragma once

#include <Framework.h>

#include <vector>

struct CJVKBitmapBlock {
  static const UINT kHeaderBytes = 52;
  static const UINT kInfoHeaderBytes = 40;
  // Widths and heights beyond this are refused on reading.
  static const LONG kMaxExtent = 4096;

  BYTE m_header[kHeaderBytes] = {};
  BOOL m_bPresent = FALSE;  // FALSE for an empty block
  std::vector<BYTE> m_pixels;

  LONG GetWidth() const { return ReadLong(4); }
  LONG GetHeight() const { return ReadLong(8); }
  WORD GetBitCount() const { return static_cast<WORD>(m_header[14] | (m_header[15] << 8)); }
  // Bytes per row: rows are padded to 32 bits.
  static ULONGLONG Stride(LONG nWidth, WORD nBitCount);

 private:
  LONG ReadLong(UINT nOffset) const {
    return static_cast<LONG>(static_cast<DWORD>(m_header[nOffset]) | (static_cast<DWORD>(m_header[nOffset + 1]) << 8) |
                             (static_cast<DWORD>(m_header[nOffset + 2]) << 16) |
                             (static_cast<DWORD>(m_header[nOffset + 3]) << 24));
  }
};

// Reads one block. FALSE (the block left empty) when the header is shorter
// than an info header or longer than 52 bytes, the width or height is not
// positive or beyond kMaxExtent, the bit count is not 1, 4, 8, 16, 24 or 32,
// or the pixels are fewer than stride x height; a count beyond what the
// stream holds throws the archive's end-of-file exception.
BOOL ReadBitmapBlock(CArchive& ar, CJVKBitmapBlock& block);
void WriteBitmapBlock(CArchive& ar, const CJVKBitmapBlock& block);

struct CJVKIconData {
  static const int kImages = 4;  // normal, disabled, hot, checked
  static const DWORD kSchema = 9;

  LONG m_nHeight = 0;
  DWORD m_dwSchema = kSchema;
  // Two blocks per image: colour and mask of an icon, or the alpha bitmap
  // and an empty block.
  CJVKBitmapBlock m_blocks[kImages * 2];

  // The number of images the schema holds (no checked image up to 7).
  int GetImageCount() const { return m_dwSchema > 7 ? kImages : kImages - 1; }
};

BOOL ReadIconData(CArchive& ar, CJVKIconData& data);
void WriteIconData(CArchive& ar, const CJVKIconData& data);
