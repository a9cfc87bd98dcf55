// Tests of the stream's consumers with the box opened on its network side:
// the simulated adapter at 192.168.7.1/24 with base port 5000, its class
// key written for the box's MAC, and removed again afterwards.
#pragma once

#include "StreamBoxFixture.h"

#include "AdapterKey.h"

class NetworkBoxTest : public StreamBoxTest {
 protected:
  static constexpr DWORD kAdapterIp = 0x0107A8C0;    // 192.168.7.1, first number in the lowest byte
  static constexpr DWORD kAdapterMask = 0x00FFFFFF;  // 255.255.255.0
  static constexpr WORD kAdapterPort = 5000;

  void TearDown() override {
    StreamBoxTest::TearDown();
    if (ISimNetAdapter* net = NetSimulator()) {
      RemoveAdapterKey(*net, 0);
      net->Reset();
    }
  }
  // Reopens the box with its network side, streams on.
  void OpenWithNetwork() {
    ISimNetAdapter* net = NetSimulator();
    ASSERT_NE(net, nullptr);
    const BYTE boxMac[6] = {0x02, 0xA7, 0xE3, 0x1A, 0x2B, 0x3C};
    net->SetPresent(1);
    WriteAdapterValue(*net, 0, "NetworkAddress", "02A7E31A2B3C");
    net->AddHostAdapter(HostAdapter(boxMac, "192.168.7.1", "255.255.255.0"));
    net->SetDriverAddress(0, 0, kAdapterPort);
    ASSERT_EQ(board.EnableIsoStream(0), DVB_ERR_NONE);
    CDVBCommon::CloseDevice();
    ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, FALSE));
    ASSERT_EQ(board.EnableIsoStream(8), DVB_ERR_NONE);
  }
};
