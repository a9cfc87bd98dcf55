#include "OwnerRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace ownerrecord;

TEST(OwnerRecord, RecordsSitAt524ByteStepsWithTheWindowLast) {
  std::vector<BYTE> table(kTableSize, 0);
  ASSERT_TRUE(WriteRecord(table.data(), table.size(), 3, "C:\\app.exe", "id", 0x00010203));
  const BYTE* record = table.data() + 3 * 524;
  EXPECT_STREQ(reinterpret_cast<const char*>(record), "C:\\app.exe");
  EXPECT_STREQ(reinterpret_cast<const char*>(record + 260), "id");
  const BYTE window[4] = {0x03, 0x02, 0x01, 0x00};
  EXPECT_EQ(memcmp(record + 520, window, 4), 0);
  EXPECT_EQ(RecordWindow(table.data(), table.size(), 3), 0x00010203u);
  // Nothing outside record 3 was written.
  for (size_t i = 0; i < table.size(); ++i) {
    if (i < 3 * 524 || i >= 4 * 524) {
      ASSERT_EQ(table[i], 0) << i;
    }
  }

  OwnerRecord read;
  ASSERT_TRUE(ReadRecord(table.data(), table.size(), 3, read));
  EXPECT_STREQ(read.module, "C:\\app.exe");
  EXPECT_STREQ(read.appId, "id");
  EXPECT_EQ(read.window, 0x00010203u);

  ASSERT_TRUE(ClearRecord(table.data(), table.size(), 3));
  EXPECT_EQ(std::vector<BYTE>(kTableSize, 0), table);
}

TEST(OwnerRecord, TextsWithoutTerminatorAreCutInsideTheirField) {
  std::vector<BYTE> table(kTableSize, 'A');
  OwnerRecord read;
  ASSERT_TRUE(ReadRecord(table.data(), table.size(), 7, read));
  EXPECT_EQ(strlen(read.module), 259u);
  EXPECT_EQ(strlen(read.appId), 259u);
  EXPECT_EQ(read.window, 0x41414141u);

  // Writing cuts an over-long text to 259 characters and terminates it.
  std::string longText(400, 'x');
  ASSERT_TRUE(WriteRecord(table.data(), table.size(), 0, longText.c_str(), nullptr, 1));
  EXPECT_EQ(table[258], 'x');
  EXPECT_EQ(table[259], 0);
  for (size_t i = 260; i < 520; ++i) ASSERT_EQ(table[i], 0) << i;  // null appId: zeros
}

TEST(OwnerRecord, IndexesOutsideTheTableAreRefused) {
  std::vector<BYTE> table(kTableSize, 0);
  OwnerRecord read;
  EXPECT_FALSE(ReadRecord(table.data(), table.size(), 8, read));
  EXPECT_FALSE(ReadRecord(table.data(), table.size(), -1, read));
  EXPECT_FALSE(WriteRecord(table.data(), table.size(), 8, "m", "a", 1));
  EXPECT_FALSE(ClearRecord(table.data(), table.size(), 8));
  // A mapping too small for record 7 has none.
  EXPECT_FALSE(ReadRecord(table.data(), 7 * 524 + 100, 7, read));
  EXPECT_TRUE(ReadRecord(table.data(), 7 * 524 + 524, 7, read));
  EXPECT_EQ(RecordWindow(nullptr, 0, 0), 0u);
}
