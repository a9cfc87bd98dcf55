#include "ColorMath.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct MixCase {
  COLORREF a, b;
  int weight;
  COLORREF expected;
};

TEST(ColorMath, MixColorsWeighsPerChannelWithTheScaleOfTheWeight) {
  const MixCase cases[] = {
      {0xFFFFFF, 0x000000, 99, 0xFCFCFC},   // 99 %
      {0xFFFFFF, 0x000000, 100, 0x1A1A1A},  // scale 1000: 10 %
      {0x0000FF, 0x000000, 30, 0x00004D},   // 30 % of red, rounded
      {0x0000FF, 0x000000, 165, 0x00002A},  // 16.5 %
      {0xC8D0D4, 0xFFFFFF, 215, 0xF3F5F6}, {0x123456, 0x654321, 0, 0x654321}, {0x123456, 0x654321, 1000, 0x123456},
  };
  for (const MixCase& c : cases)
    EXPECT_EQ(MixColors(c.a, c.b, c.weight), c.expected)
        << std::hex << c.a << " " << c.b << " " << std::dec << c.weight;
}

TEST(ColorMath, BlendColorsGoesFromSecondToFirst) {
  EXPECT_EQ(BlendColors(0x123456, 0xABCDEF, 1.0f), 0x123456u);
  EXPECT_EQ(BlendColors(0x123456, 0xABCDEF, 0.0f), 0xABCDEFu);
  EXPECT_EQ(BlendColors(0xFF00FF, 0x00FF00, 0.5f), 0x7F7F7Fu);
}

TEST(ColorMath, DistanceIsSquaredInTheScaledSpace) {
  EXPECT_DOUBLE_EQ(GetColorDistance(0, 0), 0);
  EXPECT_NEAR(GetColorDistance(0xFFFFFF, 0), 195.0 * 195 + 390.0 * 390 + 65.0 * 65, 1e-6);
  EXPECT_NEAR(GetColorDistance(0x0000FF, 0), 195.0 * 195, 1e-6);
  EXPECT_NEAR(GetColorDistance(0x00FF00, 0x000000), 390.0 * 390, 1e-6);
}

TEST(ColorMath, ThresholdDoublesForDarkColours) {
  EXPECT_NEAR(GetContrastThreshold(0x000000, 50), 100, 1e-6);
  EXPECT_NEAR(GetContrastThreshold(0xFFFFFF, 50), 50, 1e-3);
  // Only the whole part of the distance counts.
  EXPECT_NEAR(GetContrastThreshold(0x000000, 50.9f), 100, 1e-6);
}

struct AboveCase {
  COLORREF a, b;
  BOOL scale;
  float d;
  BOOL expected;
};

TEST(ColorMath, DistanceAboveComparesWithTheThreshold) {
  const AboveCase cases[] = {
      {0xFFFFFF, 0x000000, TRUE, 100, TRUE},
      {0x808080, 0x888888, TRUE, 20, FALSE},
      // 60 from black needs 120 with scale, only 60 without.
      {0x000000, 0x000050, TRUE, 60, FALSE},
      {0x000000, 0x000050, FALSE, 60, TRUE},
  };
  for (const AboveCase& c : cases)
    EXPECT_EQ(IsColorDistanceAbove(c.a, c.b, c.scale, c.d), c.expected) << std::hex << c.a << " " << c.b;
}

struct ContrastCase {
  COLORREF a, b;
  float d;
};

// The contrast corrections land (within the rounding to bytes) on the
// threshold distance from a.
TEST(ColorMath, LimitAndEnsureContrastLandOnTheThreshold) {
  const ContrastCase cases[] = {
      {0xFFFFFF, 0x000000, 100}, {0xC8D0D4, 0x6A240A, 80}, {0x202020, 0xFFFFFF, 60}, {0xD8E9EC, 0x99A8AC, 50}};
  for (const ContrastCase& c : cases) {
    const double t = GetContrastThreshold(c.a, c.d);
    EXPECT_NEAR(std::sqrt(GetColorDistance(c.a, LimitContrast(c.a, c.b, c.d))), t, 2.5) << std::hex << c.a;
  }
  const ContrastCase close[] = {
      {0xC8D0D4, 0xC0C8CC, 50}, {0x202020, 0x282828, 60}, {0xD8E9EC, 0xD0E0E0, 100}, {0x808080, 0x909090, 40}};
  for (const ContrastCase& c : close) {
    const COLORREF moved = EnsureContrast(c.a, c.b, c.d);
    EXPECT_NEAR(std::sqrt(GetColorDistance(c.a, moved)), GetContrastThreshold(c.a, c.d), 2.5) << std::hex << c.a;
  }
}

TEST(ColorMath, EnsureContrastKeepsTheColourWhenItsRayNeverComesCloseEnough) {
  // The ray from black through pure blue passes grey at about 219 > 50.
  EXPECT_EQ(EnsureContrast(0x808080, 0xFF0000, 50), 0xFF0000u);
  EXPECT_EQ(EnsureContrast(0x808080, 0x000000, 10), 0x000000u);
}

}  // namespace
