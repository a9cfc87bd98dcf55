#include <gtest/gtest.h>

#include "ServerLogText.h"

namespace {

TEST(ServerLogText, StartBannerAndErrorBlockReadAsTheLogShowsThem) {
  const std::string stars(53, '*');
  EXPECT_EQ(stars + "\r\nERROR: Unable to create socket.\r\n" + stars + "\r\n", SocketErrorBlock());
  std::string addresses;
  ASSERT_TRUE(FormatLocalAddresses({{192, 168, 1, 20}, {10, 0, 0, 5}}, 260, &addresses));
  EXPECT_EQ(stars +
                "\r\n"
                "Quillon MPEG2 TV-Server started: \r\n"
                "  - 07. March 2026 09:05:03\r\n"
                "  - livingroom\r\n"
                "  - Address(es): \r\n"
                "  - 192.168.1.20\r\n"
                "  - 10.0.0.5\r\n"
                "  - Port: 2000\r\n" +
                stars + "\r\n",
            StartBanner("07. March 2026 09:05:03", "livingroom", addresses, 2000));
}

TEST(ServerLogText, StartTimeUsesDayMonthNameYearAndTime) {
  std::tm t = {};
  t.tm_mday = 7;
  t.tm_mon = 2;
  t.tm_year = 126;
  t.tm_hour = 9;
  t.tm_min = 5;
  t.tm_sec = 3;
  EXPECT_EQ("07. March 2026 09:05:03", FormatStartTime(t));
}

TEST(ServerLogText, AddressesThatDoNotFitLeaveTheTextAsItWas) {
  std::string text = "before";
  EXPECT_FALSE(FormatLocalAddresses({}, 260, &text));
  EXPECT_EQ("before", text);
  // "\r\n", 21 characters per address of 15, and the terminator: 12 such
  // addresses need 255 characters of the dialog's 260, 13 need 276.
  const std::vector<std::array<uint8_t, 4>> twelve(12, {255, 255, 255, 255});
  EXPECT_FALSE(FormatLocalAddresses(twelve, 254, &text));
  EXPECT_EQ("before", text);
  EXPECT_TRUE(FormatLocalAddresses(twelve, 255, &text));
  EXPECT_EQ(254u, text.size());
  EXPECT_EQ("  - 255.255.255.255\r\n", text.substr(2, 21));
  const std::vector<std::array<uint8_t, 4>> thirteen(13, {255, 255, 255, 255});
  EXPECT_FALSE(FormatLocalAddresses(thirteen, 260, &text));
}

TEST(ServerLogText, ClientAddressShowsThePort) {
  EXPECT_EQ("127.0.0.1 (49152)", ClientAddressText({127, 0, 0, 1}, 49152));
}

}  // namespace
