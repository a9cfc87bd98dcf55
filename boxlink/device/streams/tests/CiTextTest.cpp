// The CAM's texts: the first line of a text with its control characters
// blanked, and the box's version reply split in two.
#include "CiText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

using namespace citext;

TEST(CiText, ConvertCharBufTakesTheFirstLine) {
  struct Case {
    std::string text;
    int length;
    std::string after;
    int result;
  } cases[] = {
      // Octal escapes: \212 is the line break 0x8A.
      {"ab\212cd", 5, "ab", 3},
      {"a\205b", 3, "a b", 3},
      {"\200\237\240x\212", 5, "  \240x", 5},
      {"\212abc", 4, "", 1},
      {"ab\212cd", 2, "ab\212cd", 2},   // the break lies past the length
      {"a\201b\212", 2, "a b\212", 2},  // only the first two are walked
      {"abc", 0, "abc", 0},
      {"abc", -4, "abc", -4},
      {"ab", 10, "ab", 10},  // a length past the text walks the text only
      {"\005Title\212Line", 10, "\005Title", 7},
  };
  for (const Case& c : cases) {
    CString text(c.text.data(), int(c.text.size()));
    EXPECT_EQ(ConvertCharBuf(text, c.length), c.result) << c.text;
    EXPECT_EQ(std::string(text, size_t(text.GetLength())), c.after) << c.text;
  }
}

TEST(CiText, VersionReplySplitsAtTheFirstBar) {
  struct Case {
    std::string reply;
    std::string first;
    std::string second;
  } cases[] = {
      {"CI 1.0|CAM 2.3", "CI 1.0", "CAM 2.3"},
      {"only", "", "only"},
      {"a|b|c", "a", "b|c"},
      {"|", "", ""},
      {"", "", ""},
      // 32 bytes without a terminating zero end at the 32nd.
      {std::string(31, 'x') + "y" + "past", "", std::string(31, 'x') + "y"},
      {std::string(20, 'v') + "|" + std::string(15, 'w'), std::string(20, 'v'), std::string(11, 'w')},
  };
  for (const Case& c : cases) {
    BYTE reply[kVersionReply + 8] = {};
    memcpy(reply, c.reply.data(), std::min(c.reply.size(), sizeof(reply)));
    CString first("old"), second("old");
    SplitVersion(reply, first, second);
    EXPECT_EQ(std::string(first), c.first) << c.reply;
    EXPECT_EQ(std::string(second), c.second) << c.reply;
  }
}
