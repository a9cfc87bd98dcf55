#include "NetAddress.h"

#include <gtest/gtest.h>

#include <climits>

using namespace netaddress;

TEST(NetAddress, DottedTextsFillTheLowestByteFirst) {
  struct Case {
    const char* text;
    bool ok;
    DWORD value;
  } cases[] = {
      {"192.168.1.20", true, 0x1401A8C0},
      {"1.2.3.4", true, 0x04030201},
      {"255.255.255.0", true, 0x00FFFFFF},
      {"0.0.0.0", true, 0},
      {"10.1", true, 0x0000010A},       // fewer numbers: the rest 0
      {"1.2.3.4.5", true, 0x04030201},  // at most four numbers
      {"1.2.3.4 trailing", true, 0x04030201},
      {"", true, 0},
      {"1.2.3.256", false, 0},  // a byte cannot hold it
      {"999.1.1.1", false, 0},
      {"1.2.99999999999999999999.4", false, 0},
  };
  for (const Case& c : cases) {
    DWORD value = 0xDEADBEEF;
    EXPECT_EQ(ParseDotted(c.text, value), c.ok) << c.text;
    EXPECT_EQ(value, c.ok ? c.value : 0xDEADBEEFu) << c.text;
  }
}

TEST(NetAddress, MacTexts) {
  char text[kMacTextSize];
  ASSERT_TRUE(FormatBoxMac(0x02A7E3, 0x1A2B3C, text));
  EXPECT_STREQ(text, "02A7E31A2B3C");
  ASSERT_TRUE(FormatBoxMac(0, 0xF, text));
  EXPECT_STREQ(text, "00000000000F");
  EXPECT_FALSE(FormatBoxMac(0x1000000, 0, text));  // would be 13 digits

  const BYTE address[6] = {0x02, 0xa7, 0xe3, 0x00, 0xbe, 0xef};
  FormatAdapterMac(address, text);
  EXPECT_STREQ(text, "02A7E300BEEF");

  EXPECT_TRUE(SameMac("02a7e31a2b3c", "02A7E31A2B3C"));
  EXPECT_FALSE(SameMac("02A7E31A2B3", "02A7E31A2B3C"));
  EXPECT_FALSE(SameMac("02A7E31A2B3C0", "02A7E31A2B3C"));
  EXPECT_FALSE(SameMac(nullptr, "02A7E31A2B3C"));
}

TEST(NetAddress, DecimalTextsReadLikeAtoiWithoutOverflow) {
  EXPECT_EQ(ParseDecimal("5000"), 5000);
  EXPECT_EQ(ParseDecimal("  42abc"), 42);
  EXPECT_EQ(ParseDecimal("-7"), -7);
  EXPECT_EQ(ParseDecimal("+1"), 1);
  EXPECT_EQ(ParseDecimal("abc"), 0);
  EXPECT_EQ(ParseDecimal(""), 0);
  EXPECT_EQ(ParseDecimal(nullptr), 0);
  EXPECT_EQ(ParseDecimal("99999999999999999999999999"), INT_MAX);
  EXPECT_EQ(ParseDecimal("-99999999999999999999999999"), INT_MIN);
}

TEST(NetAddress, AddressReplyNeedsTenBytes) {
  const BYTE reply[12] = {0xC0, 0xA8, 0x01, 0x14, 0x00, 0xFF, 0xFF, 0xFF, 0x88, 0x13, 0xAA, 0xBB};
  AddressReply parsed;
  ASSERT_TRUE(ParseAddressReply(reply, 12, parsed));
  EXPECT_EQ(parsed.ip, 0x1401A8C0u);
  EXPECT_EQ(parsed.mask, 0xFFFFFF00u);
  EXPECT_EQ(parsed.port, 5000);
  EXPECT_TRUE(ParseAddressReply(reply, 10, parsed));
  AddressReply untouched;
  EXPECT_FALSE(ParseAddressReply(reply, 9, untouched));
  EXPECT_EQ(untouched.ip, 0u);

  BYTE request[8];
  BuildAddressRequest(request, 0x04030201, 0x00FFFFFF);
  const BYTE expected[8] = {1, 2, 3, 4, 0xFF, 0xFF, 0xFF, 0};
  EXPECT_EQ(memcmp(request, expected, 8), 0);
}
