#include <gtest/gtest.h>

#include "SelectWait.h"

namespace {

TEST(SelectWait, SplitsSecondsFromMicroseconds) {
  struct Row {
    int32_t ms;
    long seconds;
    long microseconds;
  };
  const Row rows[] = {{0, 0, 0},       {1, 0, 1000}, {100, 0, 100000},      {999, 0, 999000}, {1000, 1, 0},
                      {1001, 1, 1000}, {5000, 5, 0}, {123456, 123, 456000}, {-7, 0, 0}};
  for (const Row& row : rows) {
    const SelectWait wait = ToSelectWait(row.ms);
    EXPECT_EQ(row.seconds, wait.seconds) << row.ms;
    EXPECT_EQ(row.microseconds, wait.microseconds) << row.ms;
    EXPECT_LT(wait.microseconds, 1000000) << row.ms;
  }
}

}  // namespace
