// Colour arithmetic of the toolkit: mixing, blending, and the perceptual
// distance with the contrast corrections the colour manager applies.
#pragma once

#include <WinTypes.h>

namespace colormath {
inline BYTE Red(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
inline BYTE Green(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
inline BYTE Blue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }
inline COLORREF Rgb(int r, int g, int b) {
  return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
}  // namespace colormath

// Per channel (a * weight + b * (s - weight) + s / 2) / s with s = 100 for a
// weight below 100, else 1000 (so 165 is 16.5 % of a).
COLORREF MixColors(COLORREF a, COLORREF b, int weight);
// Per channel (1 - weight) * b + weight * a, truncated, at most 255.
COLORREF BlendColors(COLORREF a, COLORREF b, float weight);

// Squared distance in the perceptually scaled space (R, G, B scaled to
// 195, 390 and 65 at most).
double GetColorDistance(COLORREF a, COLORREF b);
// The distance a colour needs from a: d for a bright a, up to 2d for black.
double GetContrastThreshold(COLORREF a, float distance);
BOOL IsColorDistanceAbove(COLORREF a, COLORREF b, BOOL scale, float distance);
// b pulled along the line towards a until it lies the threshold from a.
COLORREF LimitContrast(COLORREF a, COLORREF b, float distance);
// b moved along its ray from black (or white) until it lies the threshold
// from a; b unchanged when that ray never comes that close.
COLORREF EnsureContrast(COLORREF a, COLORREF b, float distance);
