// Enumeration through the device port.
#include "BoxSimulator.h"
#include "DVBCommon.h"
#include "DVBDeviceList.h"
#include "DevicePort.h"

#include <gtest/gtest.h>

#include <string>

TEST(DeviceList, NamesFallBackToDescriptionThenPath) {
  SetDevicePort(&BoxSimulatorPort());
  IBoxSimulator& sim = BoxSimulator();
  sim.Reset();
  sim.SetPresent(3);
  sim.SetNames(1, "", "Box without a friendly name");
  sim.SetNames(2, "", "");
  CDVBDeviceList list(GUID_BOXLINK_BOX);
  ASSERT_EQ(list.Enumerate(), 3);
  EXPECT_STREQ(list[0].name, "Quillon USB Box #1");
  EXPECT_STREQ(list[1].name, "Box without a friendly name");
  EXPECT_STREQ(list[2].name, list[2].path);
  EXPECT_EQ(std::string(list[2].path).rfind("\\\\?\\usb#", 0), 0u);
  EXPECT_NE(std::string(list[0].driverKey).find("\\0000"), std::string::npos);

  // Another interface class lists nothing here.
  const GUID other = {0x213E587E, 0xE6BF, 0x45A7, {0xA1, 0xF1, 0x4D, 0x39, 0x32, 0x8F, 0x10, 0xD0}};
  CDVBDeviceList adapters(other);
  EXPECT_EQ(adapters.Enumerate(), 0);
}
