// The AC-3 mode read from the sync frame headers in a transport packet.
#include "Ac3HeaderScan.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A packet of 188 bytes with AC-3 headers (byte 6 as given) at the offsets.
std::vector<BYTE> Packet(std::initializer_list<std::pair<size_t, BYTE>> headers) {
  std::vector<BYTE> packet(188, 0xAA);
  packet[0] = 0x47;
  for (const auto& [at, byte6] : headers) {
    packet[at] = 0x0B;
    packet[at + 1] = 0x77;
    packet[at + 6] = byte6;
  }
  return packet;
}

TEST(Ac3HeaderScanTest, ModeIsTheLayoutAndItsLfeBit) {
  struct Case {
    BYTE byte6;
    DWORD mode;
  } cases[] = {
      {0x00, 0x000},         // dual mono, no LFE
      {0x10, 0x010},         // dual mono, LFE (bit 4)
      {0x40 | 0x04, 0x204},  // 2/0 stereo, LFE bit 2
      {0x40 | 0x10, 0x200},  // 2/0: bit 4 is another field
      {0xE0 | 0x01, 0x701},  // 3/2 with LFE (bit 0)
      {0xE0 | 0x04, 0x700},
      {0xC0 | 0x04, 0x604},  // 2/2
      {0xA0 | 0x01, 0x501},  // 3/1
  };
  for (const Case& c : cases) {
    const std::vector<BYTE> packet = Packet({{8, c.byte6}});
    DWORD mode = 0xFFFF;
    EXPECT_TRUE(ScanForAC3Header(packet.data(), packet.size(), &mode));
    EXPECT_EQ(c.mode, mode) << "byte 6 " << int(c.byte6);
  }
}

TEST(Ac3HeaderScanTest, LastHeaderDecidesAndHeadersTooNearTheEndAreNotRead) {
  DWORD mode = 0xFFFF;
  std::vector<BYTE> packet = Packet({{4, 0x40}, {100, 0xE1}});
  EXPECT_TRUE(ScanForAC3Header(packet.data(), packet.size(), &mode));
  EXPECT_EQ(0x701u, mode);

  packet = Packet({{4, 0x40}, {177, 0xE1}});  // 11 bytes left: still read
  EXPECT_TRUE(ScanForAC3Header(packet.data(), packet.size(), &mode));
  EXPECT_EQ(0x701u, mode);

  packet = Packet({{4, 0x40}});
  packet[178] = 0x0B;  // 10 bytes left: not a header
  packet[179] = 0x77;
  EXPECT_TRUE(ScanForAC3Header(packet.data(), packet.size(), &mode));
  EXPECT_EQ(0x200u, mode);

  mode = 0x1234;
  packet = Packet({});
  EXPECT_FALSE(ScanForAC3Header(packet.data(), packet.size(), &mode));
  EXPECT_EQ(0x1234u, mode) << "no header leaves the mode alone";
  EXPECT_EQ(-1, ParseAC3Header(packet.data(), packet.size(), &mode));
  EXPECT_FALSE(ScanForAC3Header(nullptr, 188, &mode));
}

}  // namespace
