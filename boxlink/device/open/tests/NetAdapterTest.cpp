// The box's network adapter: its class key, the PC's adapter list and the
// adapter driver, against the simulated adapter linked in.
#include "AdapterKey.h"
#include "BoxSimulator.h"
#include "DVBNetAdapter.h"
#include "DevicePort.h"
#include "NetAdapterIoctl.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

const BYTE kBoxMac[6] = {0x02, 0xA7, 0xE3, 0x1A, 0x2B, 0x3C};
const BYTE kOtherMac[6] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
const BYTE kFallbackMac1[6] = {0x02, 0xA7, 0xE3, 0x00, 0x00, 0x01};

class NetAdapterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDevicePort(&BoxSimulatorPort());
    CDVBNetAdapter::Close();
    BoxSimulator().Reset();
    net.Reset();
    net.SetPresent(1);
    RemoveAdapterKey(net, 0);
    RemoveAdapterKey(net, 1);
  }
  void TearDown() override {
    CDVBNetAdapter::Close();
    RemoveAdapterKey(net, 0);
    RemoveAdapterKey(net, 1);
  }
  // Adapter 0 configured with the box's MAC, a PC adapter carrying it, and
  // a driver that takes the address.
  void Configure() {
    WriteAdapterValue(net, 0, "NetworkAddress", "02A7E31A2B3C");
    WriteAdapterValue(net, 0, "DVBBasePort", "5000");
    WriteAdapterValue(net, 0, "DHCPService", "1");
    net.AddHostAdapter(HostAdapter(kBoxMac, "192.168.7.1", "255.255.255.0"));
  }
  CString Key(int index) {
    char key[128];
    net.GetDriverKey(index, key, sizeof(key));
    return key;
  }

  ISimNetAdapter& net = BoxNetAdapter();
};

}  // namespace

TEST_F(NetAdapterTest, ReadSettingsTakesTheClassKeysTexts) {
  Configure();
  CString mac, ip, mask;
  WORD port = 0;
  DWORD dhcp = 0;
  ASSERT_TRUE(CDVBNetAdapter::ReadSettings(Key(0), mac, ip, mask, port, dhcp, FALSE));
  EXPECT_STREQ(mac, "02A7E31A2B3C");
  EXPECT_STREQ(ip, "192.168.7.1");
  EXPECT_STREQ(mask, "255.255.255.0");
  EXPECT_EQ(port, 5000);
  EXPECT_EQ(dhcp, 1u);

  // registryOnly: the PC's adapters are not asked.
  int calls = net.AdaptersInfoCalls();
  ASSERT_TRUE(CDVBNetAdapter::ReadSettings(Key(0), mac, ip, mask, port, dhcp, TRUE));
  EXPECT_STREQ(ip, "0.0.0.0");
  EXPECT_EQ(net.AdaptersInfoCalls(), calls);
}

TEST_F(NetAdapterTest, ValuesOfOtherTypesOrWithoutTerminatorAreHandled) {
  WriteAdapterValue(net, 0, "NetworkAddress", "02A7E31A2B3CXXXX", 12);  // stored without its zero
  WriteAdapterDWord(net, 0, "DVBBasePort", 5000);                       // a DWORD does not count
  WriteAdapterValue(net, 0, "DHCPService", "99999999999999999999");
  CString mac, ip, mask;
  WORD port = 7;
  DWORD dhcp = 7;
  ASSERT_TRUE(CDVBNetAdapter::ReadSettings(Key(0), mac, ip, mask, port, dhcp, TRUE));
  EXPECT_STREQ(mac, "02A7E31A2B3C");
  EXPECT_EQ(port, 0);
  EXPECT_EQ(dhcp, 0x7FFFFFFFu);
}

TEST_F(NetAdapterTest, WithoutNetworkAddressOrKeyTheDefaultsStand) {
  WriteAdapterValue(net, 0, "DVBBasePort", "5000");
  CString mac = "x", ip = "x", mask = "x";
  WORD port = 1;
  DWORD dhcp = 1;
  EXPECT_FALSE(CDVBNetAdapter::ReadSettings(Key(0), mac, ip, mask, port, dhcp, FALSE));
  EXPECT_STREQ(mac, "02A7E3000000");
  EXPECT_STREQ(ip, "0.0.0.0");
  EXPECT_EQ(port, 5000);

  CString macOnly;
  EXPECT_FALSE(CDVBNetAdapter::GetMAC(1, macOnly));                                     // no adapter 1
  EXPECT_FALSE(CDVBNetAdapter::ReadSettings(Key(1), mac, ip, mask, port, dhcp, TRUE));  // no key
  RemoveAdapterKey(net, 0);
  EXPECT_FALSE(CDVBNetAdapter::SetMAC(0, "02A7E3000000"));  // SetMAC does not make the key
  EXPECT_EQ(ReadNetworkAddress(net, 0), "<none>");
}

TEST_F(NetAdapterTest, SetMacAndGetMacRoundTrip) {
  WriteAdapterValue(net, 0, "DHCPService", "0");
  ASSERT_TRUE(CDVBNetAdapter::SetMAC(0, "02A7E3ABCDEF"));
  CString mac;
  ASSERT_TRUE(CDVBNetAdapter::GetMAC(0, mac));
  EXPECT_STREQ(mac, "02A7E3ABCDEF");
  EXPECT_FALSE(CDVBNetAdapter::SetMAC(1, "02A7E3ABCDEF"));
}

TEST_F(NetAdapterTest, HostAdapterListIsReadThroughItsOverflow) {
  // Three entries do not fit the first buffer: the size asked for is used.
  SimHostAdapter longAddress = HostAdapter(kBoxMac, "10.0.0.9", "255.0.0.0");
  longAddress.addressLength = 8;  // same first six bytes, but not an Ethernet address
  net.AddHostAdapter(longAddress);
  net.AddHostAdapter(HostAdapter(kOtherMac, "10.0.0.1", "255.0.0.0"));
  SimHostAdapter box = HostAdapter(kBoxMac, "192.168.7.1", "255.255.255.0");
  box.hasCurrent = TRUE;  // the current entry wins over the list
  strcpy(box.currentIp, "192.168.7.77");
  strcpy(box.currentMask, "255.255.0.0");
  box.dhcpEnabled = 1;
  net.AddHostAdapter(box);

  CString ip, mask;
  DWORD dhcp = 0;
  ASSERT_TRUE(CDVBNetAdapter::FindHostAdapter("02a7e31a2b3c", ip, mask, dhcp));
  EXPECT_EQ(net.AdaptersInfoCalls(), 2);
  EXPECT_STREQ(ip, "192.168.7.77");
  EXPECT_STREQ(mask, "255.255.0.0");
  EXPECT_EQ(dhcp, 1u);

  EXPECT_FALSE(CDVBNetAdapter::FindHostAdapter("02A7E3999999", ip, mask, dhcp));
}

TEST_F(NetAdapterTest, AddressTextsFillingTheirFieldAreReadWithinIt) {
  SimHostAdapter a = HostAdapter(kBoxMac, "", "");
  memcpy(a.ip, "192.168.100.1234", 16);  // 16 characters, no terminator
  memcpy(a.mask, "255.255.255.255", 16);
  net.AddHostAdapter(a);
  CString ip, mask;
  DWORD dhcp = 0;
  ASSERT_TRUE(CDVBNetAdapter::FindHostAdapter("02A7E31A2B3C", ip, mask, dhcp));
  EXPECT_STREQ(ip, "192.168.100.1234");
  EXPECT_STREQ(mask, "255.255.255.255");
}

TEST_F(NetAdapterTest, FallbackAddressesFindThePcAdapter) {
  WriteAdapterValue(net, 0, "NetworkAddress", "0011AABBCCDD");
  net.AddHostAdapter(HostAdapter(kFallbackMac1, "172.16.0.5", "255.255.0.0"));
  CString name, mac, ip;
  ASSERT_TRUE(CDVBNetAdapter::GetInfo(0, name, mac, ip));
  EXPECT_STREQ(name, "Quillon Box Network Adapter #1");
  EXPECT_STREQ(mac, "0011AABBCCDD");  // the configured address stays
  EXPECT_STREQ(ip, "172.16.0.5");

  net.ClearHostAdapters();
  net.AddHostAdapter(HostAdapter(kOtherMac, "172.16.0.6", "255.255.0.0"));
  EXPECT_FALSE(CDVBNetAdapter::GetInfo(0, name, mac, ip));
}

TEST_F(NetAdapterTest, OpenPushesTheAddressAndReadsItBack) {
  Configure();
  ASSERT_TRUE(CDVBNetAdapter::Open(0));
  EXPECT_NE(CDVBNetAdapter::GetHandle(), INVALID_HANDLE_VALUE);
  EXPECT_EQ(CDVBNetAdapter::GetIndex(), 0);
  EXPECT_EQ(net.LastOpenFlags(), 0u);  // a plain handle: the driver completes inline
  DWORD ip = 0, mask = 0;
  WORD port = 0;
  net.GetDriverAddress(&ip, &mask, &port);
  EXPECT_EQ(ip, 0x0107A8C0u);
  EXPECT_EQ(mask, 0x00FFFFFFu);
  EXPECT_EQ(net.SetAddressCalls(), 1);

  ASSERT_TRUE(CDVBNetAdapter::Open(0));  // already open
  EXPECT_EQ(net.SetAddressCalls(), 1);
  CDVBNetAdapter::Close();
  EXPECT_EQ(CDVBNetAdapter::GetHandle(), INVALID_HANDLE_VALUE);
  EXPECT_EQ(CDVBNetAdapter::GetIndex(), 0xFFFF);
  EXPECT_EQ(net.OpenHandles(), 0);

  EXPECT_FALSE(CDVBNetAdapter::Open(1));  // no adapter 1
}

TEST_F(NetAdapterTest, PcAdapterWithoutAddressLeavesTheDriversOwn) {
  WriteAdapterValue(net, 0, "NetworkAddress", "02A7E31A2B3C");
  net.AddHostAdapter(HostAdapter(kBoxMac, "0.0.0.0", "0.0.0.0"));

  // The driver knows no address either: no use opening it.
  EXPECT_FALSE(CDVBNetAdapter::Open(0));
  EXPECT_EQ(net.SetAddressCalls(), 0);
  EXPECT_EQ(CDVBNetAdapter::GetHandle(), INVALID_HANDLE_VALUE);
  EXPECT_EQ(net.OpenHandles(), 0);

  net.SetDriverAddress(0x0A00000A, 0x00FFFFFF, 1234);
  ASSERT_TRUE(CDVBNetAdapter::Open(0));
  EXPECT_EQ(net.SetAddressCalls(), 0);
  DWORD ip = 0, mask = 0;
  WORD port = 0;
  ASSERT_EQ(CDVBNetAdapter::GetAddress(ip, mask, port), DVB_ERR_NONE);
  EXPECT_EQ(ip, 0x0A00000Au);
  EXPECT_EQ(port, 1234);
}

TEST_F(NetAdapterTest, DriverOperationsCheckHandleAndLimits) {
  BYTE data[netadapterioctl::kMaxPayload + 1] = {0x47, 0x11};
  DWORD ip = 1, mask = 2;
  WORD port = 3;
  BYTE list[netadapterioctl::kMulticastListSize] = {};
  EXPECT_EQ(CDVBNetAdapter::SendSection(data, 10, 5), DVB_ERR_NO_DEVICE);
  EXPECT_EQ(CDVBNetAdapter::SendBlock(data, 10), DVB_ERR_NO_DEVICE);
  EXPECT_EQ(CDVBNetAdapter::GetAddress(ip, mask, port), DVB_ERR_NO_DEVICE);
  EXPECT_EQ(CDVBNetAdapter::SetAddress("1.2.3.4", "255.0.0.0"), DVB_ERR_NO_DEVICE);
  EXPECT_EQ(CDVBNetAdapter::GetMulticastList(list), DVB_ERR_NO_DEVICE);
  EXPECT_EQ(CDVBNetAdapter::GetVersion(), 0u);

  Configure();
  ASSERT_TRUE(CDVBNetAdapter::Open(0));
  EXPECT_EQ(CDVBNetAdapter::SendSection(data, WORD(netadapterioctl::kMaxPayload + 1), 5), DVB_ERR_ARGUMENT);
  EXPECT_EQ(CDVBNetAdapter::SendBlock(data, WORD(netadapterioctl::kMaxPayload + 1)), DVB_ERR_ARGUMENT);
  EXPECT_EQ(CDVBNetAdapter::SendSection(data, WORD(netadapterioctl::kMaxPayload), 5), DVB_ERR_NONE);
  EXPECT_EQ(CDVBNetAdapter::SendBlock(data, WORD(netadapterioctl::kMaxPayload)), DVB_ERR_NONE);
  ASSERT_EQ(net.SentCount(), 2);
  SimNetPacket sent;
  ASSERT_TRUE(net.GetSent(0, &sent));
  EXPECT_EQ(sent.code, DWORD(netadapterioctl::kSendSection));
  EXPECT_EQ(sent.length, netadapterioctl::kMaxPayload + 1);
  EXPECT_EQ(sent.data[0], 5);  // the tag, then the data
  EXPECT_EQ(sent.data[1], 0x47);
  ASSERT_TRUE(net.GetSent(1, &sent));
  EXPECT_EQ(sent.length, netadapterioctl::kMaxPayload);
  EXPECT_EQ(sent.data[0], 0x47);

  // Seven characters are the shortest address; numbers must fit a byte.
  EXPECT_EQ(CDVBNetAdapter::SetAddress("1.2.3.4", "255.0.0.0"), DVB_ERR_NONE);
  EXPECT_EQ(CDVBNetAdapter::SetAddress("1.2.34", "255.0.0.0"), DVB_ERR_ARGUMENT);
  EXPECT_EQ(CDVBNetAdapter::SetAddress("1.2.3.4", "255.0."), DVB_ERR_ARGUMENT);
  EXPECT_EQ(CDVBNetAdapter::SetAddress("1.2.3.256", "255.0.0.0"), DVB_ERR_ARGUMENT);
  net.GetDriverAddress(&ip, &mask, &port);
  EXPECT_EQ(ip, 0x04030201u);

  EXPECT_EQ(CDVBNetAdapter::GetVersion(), 0x00010203u);
  ASSERT_EQ(CDVBNetAdapter::GetMulticastList(list), DVB_ERR_NONE);
  EXPECT_EQ(list[0], 1);
  EXPECT_EQ(list[395], BYTE(395 * 7 + 1));

  // A reply too short to hold the address is a failure, not an address.
  net.SetFault(netadapterioctl::kGetAddress, FALSE, 6);
  ip = 1;
  EXPECT_EQ(CDVBNetAdapter::GetAddress(ip, mask, port), DVB_ERR_NO_DEVICE);
  EXPECT_EQ(ip, 1u);
  net.SetFault(netadapterioctl::kGetMulticastList, TRUE, -1);
  memset(list, 0xEE, sizeof(list));
  EXPECT_EQ(CDVBNetAdapter::GetMulticastList(list), DVB_ERR_NO_DEVICE);
  EXPECT_EQ(list[0], 0xEE);
  net.SetFault(netadapterioctl::kGetDriverVersion, FALSE, 2);
  EXPECT_EQ(CDVBNetAdapter::GetVersion(), 0u);
}
