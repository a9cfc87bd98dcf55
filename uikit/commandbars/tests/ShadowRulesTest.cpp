// Popup shadows as tables: the strips beside a popup, the joining of a new
// strip with the live strips of a popup it cascades from, and the pixels of
// the layered ramp.
#include "ShadowRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Text(const JVKLayoutRect& r) {
  return std::to_string(r.left) + ',' + std::to_string(r.top) + ',' + std::to_string(r.right) + ',' +
         std::to_string(r.bottom);
}

TEST(ShadowRules, StripsBesideThePopup) {
  const JVKLayoutRect rcPopup = {100, 50, 300, 250};
  JVKShadowStrip bottom, right;
  JVKPopupShadowStrips(rcPopup, JVK_SHADOW_LAYERED_DEPTH, bottom, right);
  EXPECT_EQ("104,250,304,254", Text(bottom.rect));
  EXPECT_TRUE(bottom.bHorizontal);
  EXPECT_EQ("300,54,304,250", Text(right.rect));
  EXPECT_FALSE(right.bHorizontal);
  JVKPopupShadowStrips(rcPopup, JVK_SHADOW_SOLID_DEPTH, bottom, right);
  EXPECT_EQ("102,250,302,252", Text(bottom.rect));
  EXPECT_EQ("300,52,302,250", Text(right.rect));
}

TEST(ShadowRules, JoinsTheStripsOfCascadedPopups) {
  // The live strips of a popup at 100,50,300,250.
  const std::vector<JVKShadowStrip> live = {{{104, 250, 304, 254}, TRUE}, {{300, 54, 304, 250}, FALSE}};
  struct Case {
    const char* name;
    JVKShadowStrip strip;
    const char* joined;
  } cases[] = {
      {"bottom strip starting inside the right strip's last column", {{303, 200, 503, 204}, TRUE},
       "294,200,503,204"},
      {"bottom strip starting beside the right strip", {{304, 200, 504, 204}, TRUE}, "304,200,504,204"},
      {"bottom strip below the right strip's end", {{303, 250, 503, 254}, TRUE}, "303,250,503,254"},
      {"right strip starting inside the bottom strip's last row", {{200, 253, 204, 400}, FALSE}, "200,245,204,400"},
      {"right strip starting below the bottom strip", {{200, 254, 204, 400}, FALSE}, "200,254,204,400"},
      {"right strip beyond the bottom strip's end", {{302, 253, 306, 400}, FALSE}, "302,253,306,400"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.joined, Text(JVKJoinShadowStrip(c.strip, live)));
  }
}

// Alpha, red, green, blue of a pixel.
std::string Argb(DWORD px) {
  return std::to_string(px >> 24) + ' ' + std::to_string((px >> 16) & 0xFF) + ' ' + std::to_string((px >> 8) & 0xFF) +
         ' ' + std::to_string(px & 0xFF);
}

TEST(ShadowRules, LayeredRamp) {
  const COLORREF clr = 100 | (40 << 8) | (200 << 16);  // red 100, green 40, blue 200
  struct Case {
    const char* name;
    int cx, cy;
    BOOL bHorizontal, bThemed;
    int x, y;
    const char* argb;
  } cases[] = {
      {"bottom: outer corner pixel", 20, 4, TRUE, FALSE, 0, 3, "6 5 2 10"},
      {"bottom: corner next to the popup", 20, 4, TRUE, FALSE, 3, 0, "96 80 32 160"},
      {"bottom: right end", 20, 4, TRUE, FALSE, 19, 0, "24 20 8 40"},
      {"bottom: middle next to the popup", 20, 4, TRUE, FALSE, 10, 0, "120 100 40 200"},
      {"bottom: middle far edge", 20, 4, TRUE, FALSE, 10, 3, "30 25 10 50"},
      {"bottom: themed is half as dense", 20, 4, TRUE, TRUE, 10, 0, "60 100 40 200"},
      {"right: top corner", 4, 30, FALSE, FALSE, 3, 0, "6 5 2 10"},
      {"right: corner next to the popup", 4, 30, FALSE, FALSE, 0, 3, "96 80 32 160"},
      {"right: next to the popup", 4, 30, FALSE, FALSE, 0, 10, "120 100 40 200"},
      {"right: far edge", 4, 30, FALSE, FALSE, 3, 29, "30 25 10 50"},
      {"right: themed", 4, 30, FALSE, TRUE, 3, 29, "15 25 10 50"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<DWORD> pixels = JVKShadowStripPixels(c.cx, c.cy, c.bHorizontal, c.bThemed, clr);
    ASSERT_EQ((size_t)(c.cx * c.cy), pixels.size());
    EXPECT_EQ(c.argb, Argb(pixels[(size_t)c.y * c.cx + c.x]));
  }
  EXPECT_TRUE(JVKShadowStripPixels(0, 4, TRUE, FALSE, clr).empty());
}

}  // namespace
