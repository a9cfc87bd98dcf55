#include "CommandLayouts.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace boxcommands;

namespace {

// A section header pattern whose bytes name their own index.
const BYTE kData[13] = {0x40, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C};
const BYTE kMask[13] = {0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x8B, 0x8C};

}  // namespace

TEST(CommandLayouts, SectionFilterCopiesOnlyTheBytesThatExist) {
  struct Case {
    BYTE length;
    bool nullData;
    int copiedFromThree;  // data bytes 3.. copied
    bool byteZero;
  } cases[] = {
      {0, true, 0, false},                                             // null data with length 0 must not be read
      {0, false, 0, false}, {1, false, 0, true}, {2, false, 0, true},  // would be a negative copy length
      {3, false, 0, true},  {4, false, 1, true}, {12, false, 9, true},
  };
  for (const Case& c : cases) {
    BYTE out[kSectionFilterParams];
    memset(out, 0xEE, sizeof(out));
    const BYTE* data = c.nullData ? nullptr : kData;
    const BYTE* mask = c.nullData ? nullptr : kMask;
    ASSERT_EQ(BuildSectionFilter(out, 0x0012, data, mask, c.length, 13), kSectionFilterParams) << int(c.length);
    EXPECT_EQ(out[0], 0x00);
    EXPECT_EQ(out[1], 0x12);
    EXPECT_EQ(out[2], 0x00);
    EXPECT_EQ(out[3], 13);
    EXPECT_EQ(out[4], c.length);
    EXPECT_EQ(out[5], c.byteZero ? 0x40 : 0x00) << int(c.length);
    EXPECT_EQ(out[17], c.byteZero ? 0x80 : 0x00) << int(c.length);
    for (int i = 0; i < 11; ++i) {
      BYTE want = i < c.copiedFromThree ? kData[3 + i] : 0;
      BYTE wantMask = i < c.copiedFromThree ? kMask[3 + i] : 0;
      EXPECT_EQ(out[6 + i], want) << int(c.length) << " data " << i;
      EXPECT_EQ(out[18 + i], wantMask) << int(c.length) << " mask " << i;
    }
  }
}

TEST(CommandLayouts, SectionFilterRefusals) {
  BYTE out[kSectionFilterParams];
  EXPECT_EQ(BuildSectionFilter(out, 0x12, kData, kMask, 13, 1), -1);
  EXPECT_EQ(BuildSectionFilter(out, 0x2000, kData, kMask, 3, 1), -1);
  EXPECT_EQ(BuildSectionFilter(out, 0x1FFF, kData, kMask, 3, 1), kSectionFilterParams);
  EXPECT_EQ(BuildSectionFilter(out, 0x12, nullptr, kMask, 3, 1), -1);
  EXPECT_EQ(BuildSectionFilter(out, 0x12, kData, nullptr, 3, 1), -1);
}

TEST(CommandLayouts, SetChannelWordsAreBigEndianWithFiveForCableAndTerrestrial) {
  BYTE out[40];
  DWORD args[4] = {0x01020304, 5, 6, 0xA0B0C0D0};
  ASSERT_EQ(BuildSetChannel(out, 2, args, 4), 24);
  const BYTE want[24] = {0, 0, 0, 0x02, 0x01, 0x02, 0x03, 0x04, 0, 0, 0, 5,
                         0, 0, 0, 6,    0xA0, 0xB0, 0xC0, 0xD0, 0, 0, 0, 0};
  for (int i = 0; i < 24; ++i) EXPECT_EQ(out[i], want[i]) << i;
  DWORD nine[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  ASSERT_EQ(BuildSetChannel(out, 1, nine, 9), 40);
  EXPECT_EQ(out[3], 1);
  EXPECT_EQ(out[39], 9);
}

TEST(CommandLayouts, FrontEndQuerySelectors) {
  struct Case {
    FeQuery query;
    BYTE bytes[8];
    int words;
  } cases[] = {
      {kFeMachineState, {0, 0, 0, 0, 0, 0, 0, 0}, 1},
      {kFeLockState, {0, 0, 0, 1, 0, 0, 0, 0}, 3},
      {kFeSignalInfo, {0, 0, 0, 1, 0, 0, 0, 1}, 12},
  };
  for (const Case& c : cases) {
    BYTE out[kFeQueryParams];
    BuildFeQuery(out, c.query);
    EXPECT_EQ(memcmp(out, c.bytes, 8), 0);
    EXPECT_EQ(FeQueryAnswerWords(c.query), c.words);
    EXPECT_EQ(ParseFeQuery(out, 8), int(c.query));
  }
  BYTE odd[8] = {0, 0, 0, 2, 0, 0, 0, 0};
  EXPECT_EQ(ParseFeQuery(odd, 8), -1);
  EXPECT_EQ(ParseFeQuery(odd, 7), -1);
}

TEST(CommandLayouts, BigEndianWordsAndAnswerCounts) {
  BYTE answer[8] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0};
  WORD w[4];
  DWORD d[2];
  DecodeBE16Words(answer, w, 4);
  DecodeBE32Words(answer, d, 2);
  EXPECT_EQ(w[0], 0x1234);
  EXPECT_EQ(w[3], 0xDEF0);
  EXPECT_EQ(d[0], 0x12345678u);
  EXPECT_EQ(d[1], 0x9ABCDEF0u);
  EXPECT_TRUE(AnswerCountAccepted(12));
  EXPECT_TRUE(AnswerCountAccepted(2));  // short answers are accepted
  EXPECT_FALSE(AnswerCountAccepted(0xFF));
  EXPECT_FALSE(AnswerCountAccepted(0x1FF));
}
