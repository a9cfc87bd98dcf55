#include "GradientSteps.h"
#include "Mnemonics.h"
#include "OSVersionTests.h"
#include "ToolBarResource.h"
#include "TrackerRules.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct MnemonicCase {
  const char* input;
  const char* stripped;
  const char* measured;
};

TEST(TextGeometry, MnemonicMarkersAreStrippedOrKeptForMeasuring) {
  const MnemonicCase cases[] = {
      {"a&&b", "a&b", "a&&b"},
      {"&File", "File", "File"},
      {"x&", "x", "x&"},
      {"&&&x", "&x", "&&x"},
      {"", "", ""},
      {"plain", "plain", "plain"},
      {"&", "", "&"},
      {"E&xit&&", "Exit&", "Exit&&"},
  };
  for (const MnemonicCase& c : cases) {
    CString s = c.input, m = c.input;
    StripMnemonics(s);
    RemoveMnemonicMarkers(m);
    EXPECT_STREQ(s, c.stripped) << c.input;
    EXPECT_STREQ(m, c.measured) << c.input;
  }
}

TEST(TextGeometry, CopyStringNeverWritesPastTheFaceField) {
  struct Field {
    char face[32];
    char guard[8];
  } field;
  memset(&field, 'G', sizeof field);
  EXPECT_FALSE(CopyString(field.face, sizeof field.face, "A face name much longer than thirty-two bytes"));
  EXPECT_EQ(strlen(field.face), 31u);
  EXPECT_EQ(memcmp(field.guard, "GGGGGGGG", 8), 0);
  EXPECT_TRUE(CopyString(field.face, sizeof field.face, "Tahoma"));
  EXPECT_STREQ(field.face, "Tahoma");
  EXPECT_FALSE(CopyString(field.face, sizeof field.face, nullptr));
  EXPECT_STREQ(field.face, "");
}

struct StepCase {
  int offset, extent;
  COLORREF expected;
};

TEST(TextGeometry, GradientStepsRunFromFirstColourTowardsSecond) {
  const StepCase cases[] = {
      {0, 4, 0x0000FF}, {1, 4, 0x3F00BF}, {2, 4, 0x7F007F}, {3, 4, 0xBF003F}, {0, 0, 0x0000FF}, {0, -5, 0x0000FF},
  };
  for (const StepCase& c : cases)
    EXPECT_EQ(GradientStepColor(0x0000FF, 0xFF0000, c.offset, c.extent), c.expected) << c.offset << "/" << c.extent;
  EXPECT_EQ(GradientSplit(10, 21), 15);
  EXPECT_EQ(GradientSplit(-4, 4), 0);
}

struct ClampCase {
  int value, min, max, expected;
};

TEST(TextGeometry, TrackerCoordinateIsClampedMinimumFirst) {
  const ClampCase cases[] = {{50, 10, 100, 50},   {5, 10, 100, 10},  {100, 10, 100, 100},
                             {150, 10, 100, 100}, {10, 10, 100, 10}, {50, 80, 60, 80}};
  for (const ClampCase& c : cases)
    EXPECT_EQ(ClampTrackCoordinate(c.value, c.min, c.max), c.expected) << c.value << " " << c.min << " " << c.max;
}

struct VersionCase {
  DWORD platform, major, minor;
  BOOL win95, win98, nt4, w2k, xp, w2kOrGreater;
};

TEST(TextGeometry, OperatingSystemVersionTests) {
  const VersionCase cases[] = {
      {1, 4, 0, 1, 0, 0, 0, 0, 0}, {1, 4, 10, 0, 1, 0, 0, 0, 0}, {1, 4, 90, 0, 0, 0, 0, 0, 0},
      {2, 4, 0, 0, 0, 1, 0, 0, 0}, {2, 5, 0, 0, 0, 0, 1, 0, 1},  {2, 5, 1, 0, 0, 0, 0, 1, 1},
      {2, 6, 1, 0, 0, 0, 0, 0, 1}, {1, 5, 0, 0, 0, 0, 0, 0, 0},
  };
  for (const VersionCase& c : cases) {
    const CJVKOSVersion v{c.platform, c.major, c.minor};
    EXPECT_EQ(v.IsWin95(), c.win95);
    EXPECT_EQ(v.IsWin98(), c.win98);
    EXPECT_EQ(v.IsWinNT4(), c.nt4);
    EXPECT_EQ(v.IsWin2K(), c.w2k);
    EXPECT_EQ(v.IsWinXP(), c.xp);
    EXPECT_EQ(v.IsWin2KOrGreater(), c.w2kOrGreater) << c.platform << " " << c.major << "." << c.minor;
  }
}

struct FontCase {
  BYTE charset;
  DWORD platform, major;
  BOOL arial, tahoma, preferTahoma;
  const char* expected;
};

TEST(TextGeometry, DefaultFontName) {
  const FontCase cases[] = {
      {0, 2, 5, 1, 1, 1, "Tahoma"},   {0, 2, 5, 1, 1, 0, "Arial"},      {0, 2, 5, 1, 0, 1, "Arial"},
      {0, 2, 5, 0, 1, 1, "GUI Face"}, {128, 2, 5, 1, 1, 1, "GUI Face"}, {128, 2, 4, 1, 1, 1, "Tahoma"},
      {128, 1, 5, 1, 1, 0, "Arial"},  {2, 2, 5, 1, 1, 1, "Tahoma"},
  };
  for (const FontCase& c : cases) {
    CJVKFontFacts facts{c.charset, "GUI Face", {c.platform, c.major, 0}, c.arial, c.tahoma};
    EXPECT_STREQ(ChooseDefaultFontName(facts, c.preferTahoma), c.expected) << int(c.charset) << " " << c.major;
  }
}

TEST(TextGeometry, ToolBarResourceIsReadWithinItsSize) {
  const BYTE good[] = {1, 0, 16, 0, 15, 0, 3, 0, 0x2B, 0x80, 0, 0, 0x2C, 0x80};
  CJVKToolBarResource bar;
  ASSERT_TRUE(bar.Parse(good, sizeof good));
  EXPECT_EQ(bar.wVersion, 1);
  EXPECT_EQ(bar.GetButtonWidth(), 23);
  EXPECT_EQ(bar.GetButtonHeight(), 22);
  ASSERT_EQ(bar.ids.GetSize(), 3);
  EXPECT_EQ(bar.ids[0], 0x802B);
  EXPECT_EQ(bar.ids[1], 0);
  EXPECT_EQ(bar.ids[2], 0x802C);
  EXPECT_FALSE(bar.Parse(good, 7)) << "header cut";
  EXPECT_FALSE(bar.Parse(good, sizeof good - 1)) << "count beyond the data";
  EXPECT_FALSE(bar.Parse(nullptr, 0));
}

}  // namespace
