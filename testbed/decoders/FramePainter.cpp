#include "FramePainter.h"

#include <cstdio>

namespace {

// 3 x 5 block glyphs, one row per 3 bits (top row first).
struct Glyph {
  char c;
  BYTE rows[5];
};
const Glyph kGlyphs[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 7, 1, 7}},
    {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 1, 1, 1}},
    {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'A', {2, 5, 7, 5, 5}}, {'B', {6, 5, 6, 5, 6}},
    {' ', {0, 0, 0, 0, 0}},
};
constexpr int kBands = 16;

const Glyph& GlyphOf(char c) {
  for (const Glyph& g : kGlyphs)
    if (g.c == c) return g;
  return kGlyphs[sizeof(kGlyphs) / sizeof(kGlyphs[0]) - 1];
}

// Row y counted from the top of a bottom-up frame.
DWORD* Row(BYTE* frame, LONG stride, LONG height, LONG y) {
  return reinterpret_cast<DWORD*>(frame) + static_cast<size_t>(height - 1 - y) * stride;
}

void FillRect(BYTE* frame, LONG stride, LONG width, LONG height, LONG x0, LONG y0, LONG w, LONG h, DWORD colour) {
  for (LONG y = y0 < 0 ? 0 : y0; y < y0 + h && y < height; y++) {
    DWORD* row = Row(frame, stride, height, y);
    for (LONG x = x0 < 0 ? 0 : x0; x < x0 + w && x < width; x++) row[x] = colour;
  }
}

}  // namespace

void PaintFrame(BYTE* frame, LONG stride, LONG width, LONG height, char letter, LONG number, const BYTE* payload,
                LONG payloadLength) {
  // Bands coloured by the payload's bytes past the start code and header.
  for (int band = 0; band < kBands; band++) {
    DWORD colour = 0x404040;
    const LONG at = 8 + band * 3;
    if (payload && at + 2 < payloadLength)
      colour = static_cast<DWORD>(payload[at]) << 16 | static_cast<DWORD>(payload[at + 1]) << 8 | payload[at + 2];
    const LONG top = height * band / kBands;
    FillRect(frame, stride, width, height, 0, top, width, height * (band + 1) / kBands - top, colour);
  }
  char text[16];
  std::snprintf(text, sizeof(text), "%c %ld", letter, static_cast<long>(number % 100000));
  int length = 0;
  while (text[length]) length++;
  const LONG scale = width / 60 > 2 ? width / 60 : 2;  // one glyph cell is 4 x 6 units
  const LONG boxW = (length * 4 + 1) * scale, boxH = 7 * scale;
  const LONG boxX = (width - boxW) / 2, boxY = (height - boxH) / 2;
  FillRect(frame, stride, width, height, boxX, boxY, boxW, boxH, 0x101010);
  for (int i = 0; i < length; i++) {
    const Glyph& g = GlyphOf(text[i]);
    for (int gy = 0; gy < 5; gy++)
      for (int gx = 0; gx < 3; gx++)
        if (g.rows[gy] & (4 >> gx))
          FillRect(frame, stride, width, height, boxX + (1 + i * 4 + gx) * scale, boxY + (1 + gy) * scale, scale,
                   scale, 0xFFFFFF);
  }
}
