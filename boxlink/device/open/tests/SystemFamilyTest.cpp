#include "SystemFamily.h"

#include <gtest/gtest.h>

using namespace systemfamily;

TEST(SystemFamily, PlatformAndVersionGiveTheFamily) {
  struct Case {
    DWORD platform, major, minor;
    int family;
  } cases[] = {
      {0, 3, 10, 0},                 // Win32s
      {1, 4, 0, 2},                  // Windows 95
      {1, 4, 10, 3},                 // Windows 98
      {1, 4, 90, 3},                 // Windows Me
      {1, 3, 95, 2}, {2, 3, 51, 1},  // NT 3.51
      {2, 4, 0, 1},                  // NT 4
      {2, 5, 1, 4},                  // XP
      {2, 10, 0, 4}, {3, 5, 0, -1},  // unknown platform
  };
  for (const Case& c : cases)
    EXPECT_EQ(SystemFamily(c.platform, c.major, c.minor), c.family) << c.platform << " " << c.major << "." << c.minor;
}

TEST(SystemFamily, ClassKeyRootByFamily) {
  EXPECT_STREQ(ClassKeyRoot(2), "SYSTEM\\CurrentControlSet\\Services\\Class\\");
  EXPECT_STREQ(ClassKeyRoot(3), "SYSTEM\\CurrentControlSet\\Services\\Class\\");
  EXPECT_STREQ(ClassKeyRoot(4), "SYSTEM\\CurrentControlSet\\Control\\Class\\");
  EXPECT_EQ(ClassKeyRoot(0), nullptr);
  EXPECT_EQ(ClassKeyRoot(1), nullptr);
  EXPECT_EQ(ClassKeyRoot(-1), nullptr);
}
