#include "IconPixels.h"

#include <cmath>

namespace {

BYTE Red(COLORREF clr) { return static_cast<BYTE>(clr & 0xFF); }
BYTE Green(COLORREF clr) { return static_cast<BYTE>((clr >> 8) & 0xFF); }
BYTE Blue(COLORREF clr) { return static_cast<BYTE>((clr >> 16) & 0xFF); }
COLORREF Rgb(BYTE r, BYTE g, BYTE b) {
  return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}

BYTE FadedChannel(BYTE c) { return static_cast<BYTE>(0.7 * c + 76.5); }

BYTE Grey(BYTE r, BYTE g, BYTE b) {
  double luma = 0.299 * r + 0.587 * g + 0.114 * b;
  return static_cast<BYTE>(255 * std::pow(luma / 255, 0.5));
}

// Rewrites the colour bytes of each DIB pixel (blue, green, red) through fn.
template <class Fn>
void ForEachPixel(BYTE* pPixels, UINT nPixels, Fn fn) {
  for (UINT i = 0; i < nPixels; ++i, pPixels += 4) fn(pPixels[0], pPixels[1], pPixels[2], pPixels[3]);
}

}  // namespace

COLORREF JVKFadedColor(COLORREF clr) {
  return Rgb(FadedChannel(Red(clr)), FadedChannel(Green(clr)), FadedChannel(Blue(clr)));
}

COLORREF JVKDisabledColor(COLORREF clr) {
  BYTE grey = Grey(Red(clr), Green(clr), Blue(clr));
  return Rgb(grey, grey, grey);
}

COLORREF JVKShadowColor(COLORREF clrShadowBase) {
  auto scale = [](BYTE c) { return static_cast<BYTE>(c * 0.75); };
  return Rgb(scale(Red(clrShadowBase)), scale(Green(clrShadowBase)), scale(Blue(clrShadowBase)));
}

void JVKFadePixels(BYTE* pPixels, UINT nPixels) {
  ForEachPixel(pPixels, nPixels, [](BYTE& b, BYTE& g, BYTE& r, BYTE) {
    b = FadedChannel(b);
    g = FadedChannel(g);
    r = FadedChannel(r);
  });
}

void JVKDisablePixels(BYTE* pPixels, UINT nPixels) {
  ForEachPixel(pPixels, nPixels, [](BYTE& b, BYTE& g, BYTE& r, BYTE) { b = g = r = Grey(r, g, b); });
}

void JVKShadowPixels(BYTE* pPixels, UINT nPixels, COLORREF clrShadow) {
  ForEachPixel(pPixels, nPixels, [clrShadow](BYTE& b, BYTE& g, BYTE& r, BYTE) {
    b = Blue(clrShadow);
    g = Green(clrShadow);
    r = Red(clrShadow);
  });
}

void JVKPremultiplyPixels(BYTE* pPixels, UINT nPixels) {
  ForEachPixel(pPixels, nPixels, [](BYTE& b, BYTE& g, BYTE& r, BYTE a) {
    b = static_cast<BYTE>(b * a / 255);
    g = static_cast<BYTE>(g * a / 255);
    r = static_cast<BYTE>(r * a / 255);
  });
}
