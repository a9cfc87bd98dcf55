// Names of the parts of a split recording.
#include "SplitFileName.h"

#include <gtest/gtest.h>

TEST(SplitFileNameTest, PartNumberReplacesTheLastDot) {
  struct Row {
    const char* first;
    unsigned part;
    const char* name;
  } rows[] = {
      {"rec.pva", 1, "rec_001.pva"},
      {"rec.pva", 2, "rec_002.pva"},
      {"rec.pva", 1234, "rec_1234.pva"},
      {"C:\\TV\\news.2026.mpg", 7, "C:\\TV\\news.2026_007.mpg"},
      {"C:\\TV.d\\rec", 1, "C:\\TV.d\\rec_001"},
      {"rec", 3, "rec_003"},
  };
  for (const Row& row : rows) EXPECT_EQ(SplitPartName(row.first, row.part), row.name) << row.first;
}
