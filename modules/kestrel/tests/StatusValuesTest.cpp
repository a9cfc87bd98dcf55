// The status timer's signal and rate values (the rate by the common rule) and the timeshift positions.
#include "StatusValues.h"

#include "StatusRules.h"

#include <gtest/gtest.h>

namespace {

TEST(StatusValuesTest, SignalStrengthFallsBackToTheSnrUpToFullScale) {
  EXPECT_EQ(80, ShownSignalStrength(80, 11.5f));
  EXPECT_EQ(50, ShownSignalStrength(0, 6.5f));
  EXPECT_EQ(100, ShownSignalStrength(0, 13.0f));
  EXPECT_EQ(100, ShownSignalStrength(0, 20.0f));
  EXPECT_EQ(0, ShownSignalStrength(0, 0.0f));
}

TEST(StatusValuesTest, DataRateIsKbitInWholeKilobytes) {
  EXPECT_EQ(0u, DataRateKbit(1023));
  EXPECT_EQ(8u, DataRateKbit(1024 + 188));
  EXPECT_EQ(5000u, DataRateKbit(625 * 1024));
}

TEST(StatusValuesTest, PlayPositionAndSeekTargetInWholeMegabytes) {
  struct Case {
    LONGLONG position, size;
    DWORD perMille;
  } cases[] = {
      {0, 3500000, 0},
      {2000000, 3500000, 666},
      {3500000, 3500000, 1000},
      {700000, 3500000, 0},
      {500000, 999999, 0},  // under a megabyte: nothing to divide by
      {0, 0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(c.perMille, PlayPositionPerMille(c.position, c.size)) << c.size;
  EXPECT_EQ(1000000, SeekTarget(3500000, 500));
  EXPECT_EQ(3000000, SeekTarget(3500000, 1000));
  EXPECT_EQ(0, SeekTarget(999999, 1000));
}

}  // namespace
