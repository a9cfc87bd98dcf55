#include "IconPixels.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF RGBValue(BYTE r, BYTE g, BYTE b) { return r | (g << 8) | (static_cast<COLORREF>(b) << 16); }

struct PixelCase {
  BYTE r, g, b;
  BYTE expected_r, expected_g, expected_b;
};

// Runs one transform over a strip of DIB pixels with alpha 0x5A and checks
// each pixel's colour and that alpha is kept.
template <class Fn>
void CheckPixels(const std::vector<PixelCase>& cases, Fn transform) {
  std::vector<BYTE> pixels;
  for (const PixelCase& c : cases) pixels.insert(pixels.end(), {c.b, c.g, c.r, 0x5A});
  transform(pixels.data(), static_cast<UINT>(cases.size()));
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(cases[i].expected_b, pixels[4 * i]);
    EXPECT_EQ(cases[i].expected_g, pixels[4 * i + 1]);
    EXPECT_EQ(cases[i].expected_r, pixels[4 * i + 2]);
    EXPECT_EQ(0x5A, pixels[4 * i + 3]);
  }
}

TEST(IconPixels, FadedBlendsThirtyPercentTowardWhiteTruncating) {
  std::vector<PixelCase> cases = {
      {0, 0, 0, 76, 76, 76},
      {1, 100, 128, 77, 146, 166},
      {200, 254, 255, 216, 254, 255},
  };
  CheckPixels(cases, JVKFadePixels);
  for (const PixelCase& c : cases)
    EXPECT_EQ(RGBValue(c.expected_r, c.expected_g, c.expected_b), JVKFadedColor(RGBValue(c.r, c.g, c.b)));
}

TEST(IconPixels, DisabledIsTheSquareRootOfLumaAsGrey) {
  std::vector<PixelCase> cases = {
      {255, 0, 0, 139, 139, 139},     {0, 255, 0, 195, 195, 195}, {0, 0, 255, 86, 86, 86},
      {255, 255, 255, 255, 255, 255}, {0, 0, 0, 0, 0, 0},         {128, 128, 128, 180, 180, 180},
      {10, 200, 30, 177, 177, 177},
  };
  CheckPixels(cases, JVKDisablePixels);
  for (const PixelCase& c : cases)
    EXPECT_EQ(RGBValue(c.expected_r, c.expected_g, c.expected_b), JVKDisabledColor(RGBValue(c.r, c.g, c.b)));
}

TEST(IconPixels, ShadowPaintsEveryPixelInThreeQuartersOfTheBaseColour) {
  const COLORREF clrShadow = JVKShadowColor(RGBValue(200, 101, 3));
  EXPECT_EQ(RGBValue(150, 75, 2), clrShadow);
  CheckPixels({{0, 0, 0, 150, 75, 2}, {255, 255, 255, 150, 75, 2}},
              [&](BYTE* p, UINT n) { JVKShadowPixels(p, n, clrShadow); });
}

TEST(IconPixels, PremultiplyScalesEachChannelByAlpha) {
  BYTE pixels[] = {255, 200, 100, 128, 77, 255, 0, 0, 9, 9, 9, 77};
  JVKPremultiplyPixels(pixels, 3);
  const BYTE expected[] = {128, 100, 50, 128, 0, 0, 0, 0, 2, 2, 2, 77};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(expected[i], pixels[i]) << i;
}

}  // namespace
