#include "ButtonLayout.h"

#include <gtest/gtest.h>

namespace {

struct LayoutCase {
  const char* name;
  DWORD xStyle, align;
  int imageCx, imageCy, textCx, textCy;
  CJVButtonPoint image, text;
};

// A 100 x 40 button; gaps 4 (border) and 8 (image to caption).
TEST(ButtonLayout, ImageAndCaptionPlaces) {
  const LayoutCase cases[] = {
      // Caption alone: centred in the rectangle less 2 pixels each side.
      {"caption", 0, 0, 0, 0, 40, 14, {4, 20}, {2 + 28, 13}},
      {"caption left", 0, JVBA_LEFT, 0, 0, 40, 14, {4, 20}, {4, 13}},
      {"caption right", 0, JVBA_RIGHT, 0, 0, 40, 14, {4, 20}, {56, 13}},
      // Image beside the caption: image at the border gap, caption centred
      // in the room behind image and gap.
      {"beside", 0, 0, 16, 16, 40, 14, {4, 12}, {28 + 15, 13}},
      {"beside left", 0, JVBA_LEFT, 16, 16, 40, 14, {4, 12}, {28, 13}},
      {"beside right", 0, JVBA_RIGHT, 16, 16, 40, 14, {4, 12}, {56, 13}},
      // Image alone: centred only with BS_CENTER (and when it fits).
      {"image alone", 0, 0, 16, 16, 0, 0, {4, 12}, {63, 20}},
      {"image alone centred", 0, JVBA_CENTER, 16, 16, 0, 0, {42, 12}, {63, 20}},
      {"image centred with caption", 0, JVBA_CENTER, 16, 16, 40, 14, {4, 12}, {28 + 15, 13}},
      // Image above: both centred, image up and caption down by half the
      // other's height plus half the gap.
      {"above", JVBS_IMAGEABOVE, 0, 16, 16, 40, 14, {42, 12 - 7 - 4}, {30, 13 + 8 + 4}},
      {"above left", JVBS_IMAGEABOVE, JVBA_LEFT, 16, 16, 40, 14, {4, 1}, {4, 25}},
      {"above right", JVBS_IMAGEABOVE, JVBA_RIGHT, 16, 16, 40, 14, {80, 1}, {56, 25}},
      {"above alone", JVBS_IMAGEABOVE, 0, 16, 16, 0, 0, {42, 12}, {50, 32}},
      // Larger than the button: centred coordinates stop at 0.
      {"too wide", 0, 0, 0, 0, 140, 50, {4, 20}, {2, 0}},
  };
  for (const LayoutCase& c : cases) {
    CJVButtonLayout layout;
    layout.cx = 100;
    layout.cy = 40;
    layout.dwXStyle = c.xStyle;
    layout.dwAlign = c.align;
    layout.nImageCx = c.imageCx;
    layout.nImageCy = c.imageCy;
    layout.nTextCx = c.textCx;
    layout.nTextCy = c.textCy;
    const CJVButtonPoint image = layout.ImagePosition(), text = layout.TextPosition();
    EXPECT_EQ(image.x, c.image.x) << c.name;
    EXPECT_EQ(image.y, c.image.y) << c.name;
    EXPECT_EQ(text.x, c.text.x) << c.name;
    EXPECT_EQ(text.y, c.text.y) << c.name;
  }
}

TEST(ButtonLayout, CenteredSizeUsesTheBorderGapUnlessImageAbove) {
  CJVButtonLayout layout;
  layout.cx = 50;
  layout.cy = 20;
  EXPECT_EQ(layout.Centered(10, 10), (CJVButtonPoint{4, 5}));
  layout.dwXStyle = JVBS_IMAGEABOVE;
  EXPECT_EQ(layout.Centered(10, 10), (CJVButtonPoint{20, 5}));
  EXPECT_EQ(layout.Centered(60, 30), (CJVButtonPoint{0, 0}));
}

}  // namespace
