// Board control's queries of the box's network adapter and of the driver's
// status words through boxlink.dll, with the network side open and without.
#include "NetworkBoxFixture.h"

#include "DVBBoardControl.h"
#include "NetAdapterIoctl.h"

#include <cstring>

class BoardControlNetworkTest : public NetworkBoxTest {};

TEST_F(BoardControlNetworkTest, AdapterAddressAndMulticastList) {
  DWORD ip = 1, mask = 2;
  WORD port = 3;
  _MULTICAST_LIST list;
  memset(&list, 0x55, sizeof(list));
  // Opened without its network side: 1, and nothing is written.
  EXPECT_EQ(board.Get_IP_SM_BP(ip, mask, port), DVB_ERR_NO_DEVICE);
  EXPECT_EQ(board.GetMulticastList(list), DVB_ERR_NO_DEVICE);
  EXPECT_EQ(ip, 1u);
  EXPECT_EQ(mask, 2u);
  EXPECT_EQ(port, 3);
  EXPECT_EQ(list.bytes[0], 0x55);

  OpenWithNetwork();
  ASSERT_EQ(board.Get_IP_SM_BP(ip, mask, port), DVB_ERR_NONE);
  EXPECT_EQ(ip, kAdapterIp);
  EXPECT_EQ(mask, kAdapterMask);
  EXPECT_EQ(port, kAdapterPort);
  ASSERT_EQ(board.GetMulticastList(list), DVB_ERR_NONE);
  bool whole = true;  // the simulated driver's list: byte i is i * 7 + 1
  for (size_t i = 0; i < sizeof(list.bytes); ++i) whole = whole && list.bytes[i] == BYTE(i * 7 + 1);
  EXPECT_TRUE(whole);

  // A driver that fails: 1, and the caller's list stays as it was.
  NetSimulator()->SetFault(netadapterioctl::kGetMulticastList, TRUE, -1);
  memset(&list, 0x55, sizeof(list));
  EXPECT_EQ(board.GetMulticastList(list), DVB_ERR_NO_DEVICE);
  EXPECT_EQ(list.bytes[sizeof(list.bytes) - 1], 0x55);
}

TEST_F(BoardControlNetworkTest, DriverStatusWordsOneByOne) {
  DWORD s[driverioctl::kDriverStatusWords];
  memset(s, 0xCC, sizeof(s));
  ASSERT_TRUE(board.GetDriverStatus(s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7], s[8], s[9], s[10], s[11], s[12],
                                    s[13], s[14], s[15], s[16]));
  // The simulated driver's first words: the alternate setting and the input
  // stream's switch; its last words are 0.
  EXPECT_EQ(s[0], 8u);
  EXPECT_EQ(s[1], 1u);
  EXPECT_EQ(s[16], 0u);

  CDVBCommon::CloseDevice();
  EXPECT_FALSE(board.GetDriverStatus(s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7], s[8], s[9], s[10], s[11], s[12],
                                     s[13], s[14], s[15], s[16]));
}
