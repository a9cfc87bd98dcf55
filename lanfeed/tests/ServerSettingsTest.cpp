#include <gtest/gtest.h>

#include "ServerSettings.h"

namespace {

TEST(ServerSettings, PortTextsTakeTheirLeadingDigits) {
  struct Row {
    const char* text;
    int32_t port;
  };
  const Row rows[] = {
      {"2000", 2000},
      {"2000abc", 2000},
      {"1", 1},
      {"65535", 65535},
      {"0", 0},
      {"00080", 80},
      {"65536", 0},
      {"70000", 0},
      {"131072", 0},  // no port beyond 16 bits
      {"99999999999999999999", 0},
      {"http", -1},
      {"", -1},
      {" 80", -1},
      {"-1", -1},
  };
  for (const Row& row : rows) EXPECT_EQ(row.port, LeadingPortNumber(row.text)) << row.text;
  EXPECT_EQ(-1, LeadingPortNumber(nullptr));
}

TEST(ServerSettings, PortAndTimeoutRanges) {
  EXPECT_FALSE(IsValidPort(0));
  EXPECT_TRUE(IsValidPort(1));
  EXPECT_TRUE(IsValidPort(65535));
  EXPECT_FALSE(IsValidPort(65536));
  EXPECT_FALSE(IsValidPort(4294967295u));
  EXPECT_TRUE(IsValidTimeout(0));
  EXPECT_TRUE(IsValidTimeout(100));
  EXPECT_FALSE(IsValidTimeout(-1));
  EXPECT_EQ(-1, PacketSendLimit(false, 100));
  EXPECT_EQ(100, PacketSendLimit(true, 100));
  EXPECT_EQ(0, PacketSendLimit(true, -20));
}

}  // namespace
