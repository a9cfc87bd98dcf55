// harrier's rules that need no card: the media-file format by the end of
// the name, the host's filter types as the card numbers them, and the
// picture's fit on a screen or in the host's area.
#include <gtest/gtest.h>

#include "HarrierRules.h"

namespace {

TEST(HarrierRules, TheEndOfAFileNameChoosesItsFormatInAnyCase) {
  const struct {
    const char* name;
    int format;
  } cases[] = {
      {"C:\\Video\\clip.pva", kFilePvaReordered},
      {"CLIP.PVA", kFilePvaReordered},
      {"radio.psv", kFilePva},
      {"film.mpg", kFileProgramStream},
      {"film.MPEG", kFileProgramStream},
      {"song.mp2", kFileMpegAudio},
      {"song.Mp2", kFileMpegAudio},
      {"stream.ts", kFilePvaReordered},  // anything else
      {"noending", kFilePvaReordered},
      {"mpeg", kFileProgramStream},  // the name is all ending
      {"pg", kFilePvaReordered},     // shorter than any ending
      {"", kFilePvaReordered},
      {nullptr, kFilePvaReordered},
  };
  for (const auto& c : cases) EXPECT_EQ(c.format, MediaFileFormat(c.name)) << (c.name ? c.name : "(null)");
}

TEST(HarrierRules, HostFilterTypesMapToTheCardsTypes) {
  const int expected[12] = {0, 1, 2, 0, 0, 3, 4, 0, 0, 0, 5, 0};  // host types 0..11
  for (int type = 0; type < 12; ++type) EXPECT_EQ(expected[type], HarrierFilterType(type)) << type;
  EXPECT_EQ(0, HarrierFilterType(-1));
}

TEST(HarrierRules, ThePictureFillsTheWidthOrTheHeightCentred) {
  const struct {
    int width, height;
    bool wide;
    PictureRect picture;
  } cases[] = {
      {1024, 768, false, {0, 0, 1024, 768}},   // 4:3 on 4:3
      {1024, 768, true, {0, 96, 1024, 576}},   // 16:9 letterboxed
      {1920, 1080, false, {240, 0, 1440, 1080}},  // 4:3 pillarboxed
      {1920, 1080, true, {0, 0, 1920, 1080}},
      {640, 400, false, {53, 0, 533, 400}},    // 400 * 4 / 3 = 533.33 in single precision
      {1000, 500, true, {56, 0, 888, 500}},    // 500 * 16 / 9 = 888.89
      {0, 0, true, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const PictureRect r = FitPicture(c.width, c.height, c.wide);
    EXPECT_EQ(c.picture, r) << c.width << "x" << c.height << (c.wide ? " 16:9" : " 4:3") << ": " << r.x << "," << r.y
                            << " " << r.width << "x" << r.height;
  }
}

}  // namespace
