// Packed DIBs (a BITMAPINFOHEADER, its colour table, the pixels) as the
// renderer hands out its current picture, and the BMP file around one.
// Portable: bytes in, bytes out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Entries of the DIB's colour table: biClrUsed, or 2^biBitCount up to 8 bits
// per pixel when that is 0; 3 masks for BI_BITFIELDS; else none.
uint32_t DibColourEntries(const std::vector<uint8_t>& dib);
// The DIB's whole size from its header (header, colour table, pixel bytes,
// rows padded to 4 bytes); 0 when the header is not a plausible one. In 64
// bits at every width: a plausible header describes up to 16 GiB (65536 x
// 65536 at 32 bits per pixel), which a 32-bit size_t would wrap to a small size.
uint64_t DibSize(const std::vector<uint8_t>& dib);
// The DIB's size when a block of blockSize bytes that starts with dib's header
// holds all of it, else 0. Size is the caller's size type (size_t; 32 bits in
// the shipped build): the sizes are compared in 64 bits and only a size the
// block holds is narrowed to it.
template <typename Size>
Size DibSizeIn(const std::vector<uint8_t>& dib, Size blockSize) {
  const uint64_t size = DibSize(dib);
  return size != 0 && size <= blockSize ? static_cast<Size>(size) : 0;
}
// The 14-byte BMP file header for the DIB: "BM", the file's size, the
// offset of the pixels.
std::vector<uint8_t> BmpFileHeader(const std::vector<uint8_t>& dib);
