// Stored bitmap blocks for the tests of the icon data readers.
#pragma once

#include <cstring>

#include "IconData.h"

// A present block of the extent and bit count, every pixel byte byFill.
inline CJVKBitmapBlock MakeBlock(LONG nWidth, LONG nHeight, WORD nBitCount, BYTE byFill) {
  CJVKBitmapBlock block;
  block.m_bPresent = TRUE;
  BYTE* h = block.m_header;
  h[0] = 40;
  memcpy(h + 4, &nWidth, 4);
  memcpy(h + 8, &nHeight, 4);
  h[12] = 1;
  memcpy(h + 14, &nBitCount, 2);
  block.m_pixels.assign(static_cast<size_t>(CJVKBitmapBlock::Stride(nWidth, nBitCount) * nHeight), byFill);
  return block;
}
