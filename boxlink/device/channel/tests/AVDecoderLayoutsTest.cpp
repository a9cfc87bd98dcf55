#include "AVDecoderLayouts.h"

#include <gtest/gtest.h>

#include <string>

using namespace avdecoder;

TEST(AVDecoderLayouts, PcrFollowsVideoThenAudio) {
  struct Case {
    WORD audio, video, pcr, sent;
  } cases[] = {
      {0x100, 0x200, 0, 0x200}, {0x100, 0, 0, 0x100}, {0x100, 0x200, 0x300, 0x300}, {0, 0, 0, 0}, {0, 0x200, 0, 0x200},
  };
  for (const Case& c : cases) EXPECT_EQ(PcrToSend(c.audio, c.video, c.pcr), c.sent) << c.audio << " " << c.video;
}

TEST(AVDecoderLayouts, AudioChannelCodes) {
  const int channels[] = {0, 1, 2, 3, 5, -1, 0x7FFFFFFF};
  const WORD codes[] = {1, 0, 2, 1, 1, 1, 1};
  for (size_t i = 0; i < sizeof(channels) / sizeof(channels[0]); ++i)
    EXPECT_EQ(AudioChannelCode(channels[i]), codes[i]) << channels[i];
}

TEST(AVDecoderLayouts, StatusAnswers) {
  WORD status[kVideoStatusWords] = {};
  EXPECT_EQ(DetectedStandard(status), kPal);
  status[22] = 4;
  EXPECT_EQ(DetectedStandard(status), kNtsc);
  status[22] = 0x0400;  // the byte order matters
  EXPECT_EQ(DetectedStandard(status), kPal);

  const BYTE answer[6] = {0x12, 0x34, 0xAB, 0xCD, 0x00, 0x02};
  BYTE state = 0;
  DWORD value = 0;
  DecodeAudioStatus(answer, state, value);
  EXPECT_EQ(state, 0x34);
  EXPECT_EQ(value, 0x0002ABCDu);
}

TEST(AVDecoderLayouts, StandardSettingTexts) {
  struct Case {
    const char* text;
    int standard;
    const char* rewritten;
  } cases[] = {
      {"NTSC", kNtsc, "NTSC"}, {"ntsc", kNtsc, "NTSC"},  {"nTsC", kNtsc, "NTSC"}, {"PAL", kPal, "PAL"},
      {"pal", kPal, "PAL"},    {"NTSC ", kPal, "NTSC "}, {"", kPal, ""},          {"NTS", kPal, "NTS"},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(StandardFromSetting(&text[0], text.size()), c.standard) << c.text;
    EXPECT_EQ(text, c.rewritten);
  }
}
