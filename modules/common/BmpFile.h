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
// rows padded to 4 bytes); 0 when the header is not a plausible one.
size_t DibSize(const std::vector<uint8_t>& dib);
// The 14-byte BMP file header for the DIB: "BM", the file's size, the
// offset of the pixels.
std::vector<uint8_t> BmpFileHeader(const std::vector<uint8_t>& dib);
