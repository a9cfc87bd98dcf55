// Finding, opening and closing boxes through boxlink.dll, with the box's
// network side and this process's record in the owner table.
#include "AdapterKey.h"
#include "BoxFixture.h"
#include "DVBBoardControl.h"

#include <cstring>
#include <string>

namespace {

const BYTE kBoxMac[6] = {0x02, 0xA7, 0xE3, 0x1A, 0x2B, 0x3C};

std::string OwnModule() {
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, sizeof(module));
  return module;
}

class DeviceSession : public ::testing::Test {
 protected:
  void SetUp() override {
    sim = Simulator();
    net = NetSimulator();
    ASSERT_NE(sim, nullptr);
    ASSERT_NE(net, nullptr);
    CDVBCommon::CloseDevice();
    sim->Reset();  // resets the adapter side too
    RemoveAdapterKey(*net, 0);
    RemoveAdapterKey(*net, 1);
  }
  void TearDown() override {
    CDVBCommon::CloseDevice();
    sim->ClearFaults();
    sim->WaitIdle(5000);
    RemoveAdapterKey(*net, 0);
    RemoveAdapterKey(*net, 1);
  }
  // Adapter 0 installed, configured under `mac`, with a PC adapter that
  // carries the box's own MAC.
  void InstallAdapter(const char* mac) {
    net->SetPresent(1);
    WriteAdapterValue(*net, 0, "NetworkAddress", mac);
    WriteAdapterValue(*net, 0, "DVBBasePort", "5000");
    net->AddHostAdapter(HostAdapter(kBoxMac, "192.168.7.1", "255.255.255.0"));
  }
  static bool BoxAnswers() {
    DWORD mode = 0, second = 0, third = 0;
    return CDVBIoI2c::GetSTBMode(mode, second, third) != FALSE;
  }

  IBoxSimulator* sim = nullptr;
  ISimNetAdapter* net = nullptr;
};

}  // namespace

TEST_F(DeviceSession, EnumerationWithZeroOneAndSeveralBoxes) {
  struct Case {
    int boxes;
    const char* friendly;  // of the last box; null: left as the driver names it
    const char* description;
    const char* expected;  // null: the device path
  } cases[] = {
      {0, nullptr, nullptr, nullptr},
      {1, nullptr, nullptr, "Quillon USB Box #1"},
      {3, "Living room box", "Quillon USB Box", "Living room box"},
      {3, "", "Box without a friendly name", "Box without a friendly name"},
      {2, "", "", nullptr},
  };
  for (const Case& c : cases) {
    sim->Reset();
    sim->SetPresent(c.boxes);
    if (c.friendly) sim->SetNames(c.boxes - 1, c.friendly, c.description);
    EXPECT_EQ(CDVBCommon::GetNumberOfDevices(), c.boxes);
    CString name = "untouched", mac = "untouched", ip = "untouched";
    // No adapter is installed: the name comes, MAC and IP stay.
    EXPECT_FALSE(CDVBCommon::GetDeviceInfo(WORD(c.boxes), name, mac, ip));
    EXPECT_STREQ(name, "untouched");
    if (c.boxes == 0) continue;
    EXPECT_FALSE(CDVBCommon::GetDeviceInfo(WORD(c.boxes - 1), name, mac, ip));
    if (c.expected) {
      EXPECT_STREQ(name, c.expected) << c.boxes;
    } else {
      EXPECT_EQ(std::string(name).rfind("\\\\?\\usb#", 0), 0u) << name;
    }
    EXPECT_STREQ(mac, "untouched");
    EXPECT_STREQ(ip, "untouched");
  }
}

TEST_F(DeviceSession, NoBoxOpensNothing) {
  sim->SetPresent(0);
  EXPECT_FALSE(CDVBCommon::OpenDevice(0, nullptr, TRUE));
  EXPECT_FALSE(CDVBCommon::IsOpen());
  EXPECT_EQ(CDVBCommon::GetActDeviceHandle(), INVALID_HANDLE_VALUE);
  EXPECT_EQ(CDVBCommon::GetActDeviceIdx(), 0xFFFF);
  CString path = "untouched";
  EXPECT_FALSE(CDVBCommon::GetDeviceRegistryPath(0, path));
  EXPECT_STREQ(path, "untouched");
  CDVBCommon::CloseDevice();  // nothing open: nothing happens
}

TEST_F(DeviceSession, OpenCloseReopenAndSwitchBoxes) {
  sim->SetPresent(2);
  ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, TRUE));
  HANDLE first = CDVBCommon::GetActDeviceHandle();
  EXPECT_EQ(CDVBCommon::GetActDeviceIdx(), 0);
  EXPECT_TRUE(BoxAnswers());
  ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, TRUE));  // already open: the same handle
  EXPECT_EQ(CDVBCommon::GetActDeviceHandle(), first);

  CString path;
  ASSERT_TRUE(CDVBCommon::GetDeviceRegistryPath(0, path));
  EXPECT_STREQ(path,
               "SYSTEM\\CurrentControlSet\\Control\\Class\\"
               "{6B9E0C3A-52D4-4F1B-9C27-8E3A1D5F7B40}\\0000");
  EXPECT_FALSE(CDVBCommon::GetDeviceRegistryPath(1, path));  // no adapter

  CDVBCommon::CloseDevice();
  EXPECT_FALSE(CDVBCommon::IsOpen());
  EXPECT_EQ(CDVBCommon::GetActDeviceIdx(), 0xFFFF);
  EXPECT_FALSE(BoxAnswers());

  ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, TRUE));
  EXPECT_TRUE(BoxAnswers());
  ASSERT_TRUE(CDVBCommon::OpenDevice(1, nullptr, TRUE));  // the other box: the first closes
  EXPECT_EQ(CDVBCommon::GetActDeviceIdx(), 1);
  EXPECT_TRUE(BoxAnswers());

  // A box that is not there: the open one is closed and nothing is open.
  EXPECT_FALSE(CDVBCommon::OpenDevice(5, nullptr, TRUE));
  EXPECT_FALSE(CDVBCommon::IsOpen());
}

TEST_F(DeviceSession, UnplugWhileOpen) {
  ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, TRUE));
  sim->Unplug();
  EXPECT_FALSE(BoxAnswers());
  EXPECT_EQ(CDVBCommon::GetNumberOfDevices(), 0);
  CDVBCommon::CloseDevice();
  EXPECT_FALSE(CDVBCommon::IsOpen());
  EXPECT_FALSE(CDVBCommon::OpenDevice(0, nullptr, TRUE));

  sim->SetPresent(1);  // plugged in again
  ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, TRUE));
  EXPECT_TRUE(BoxAnswers());
}

TEST_F(DeviceSession, OpenRecordsThisProcessAsTheOwner) {
  EXPECT_STREQ(CDVBCommon::GetAppCloseMessage(), "MSG_4D3280DC-AC73-42ea-9F6C-236EAEC29280");
  const char* module = nullptr;
  const char* appId = nullptr;
  ASSERT_TRUE(CDVBCommon::GetCurrentDevApp(0, module, appId));
  EXPECT_STREQ(module, "");
  EXPECT_FALSE(CDVBCommon::CloseCurrentApp(0, 0));  // nobody holds it

  ASSERT_TRUE(CDVBCommon::OpenDevice(0, "quillon-tv", TRUE));
  ASSERT_TRUE(CDVBCommon::GetCurrentDevApp(0, module, appId));
  EXPECT_STREQ(module, OwnModule().c_str());
  EXPECT_STREQ(appId, "quillon-tv");
  // Opening the open box again changes nothing, the record included.
  ASSERT_TRUE(CDVBCommon::OpenDevice(0, "someone-else", TRUE));
  ASSERT_TRUE(CDVBCommon::GetCurrentDevApp(0, module, appId));
  EXPECT_STREQ(appId, "quillon-tv");

  // What was read stays readable after the close clears the record, so a
  // caller can reopen under the same application id.
  CDVBCommon::CloseDevice();
  EXPECT_STREQ(appId, "quillon-tv");
  ASSERT_TRUE(CDVBCommon::OpenDevice(0, appId, TRUE));
  const char* again = nullptr;
  ASSERT_TRUE(CDVBCommon::GetCurrentDevApp(0, module, again));
  EXPECT_STREQ(again, "quillon-tv");
  CDVBCommon::CloseDevice();
  ASSERT_TRUE(CDVBCommon::GetCurrentDevApp(0, module, again));
  EXPECT_STREQ(again, "");

  // An index beyond the boxes present gives no record.
  module = appId = "x";
  EXPECT_FALSE(CDVBCommon::GetCurrentDevApp(1, module, appId));
  EXPECT_EQ(module, nullptr);
  EXPECT_EQ(appId, nullptr);
  EXPECT_FALSE(CDVBCommon::CloseCurrentApp(1, 0));
}

TEST_F(DeviceSession, BoxesThatCannotBeRecordedStillOpen) {
  sim->SetPresent(9);
  ASSERT_TRUE(CDVBCommon::OpenDevice(8, "ninth", TRUE));  // the table has 8 records
  const char* module = nullptr;
  const char* appId = nullptr;
  EXPECT_FALSE(CDVBCommon::GetCurrentDevApp(8, module, appId));

  std::string tooLong(260, 'L');
  ASSERT_TRUE(CDVBCommon::OpenDevice(0, tooLong.c_str(), TRUE));
  ASSERT_TRUE(CDVBCommon::GetCurrentDevApp(0, module, appId));
  EXPECT_STREQ(module, "");
}

TEST_F(DeviceSession, DeviceInfoGivesTheAdaptersMacAndIp) {
  InstallAdapter("02A7E31A2B3C");
  CString name, mac, ip;
  ASSERT_TRUE(CDVBCommon::GetDeviceInfo(0, name, mac, ip));
  EXPECT_STREQ(name, "Quillon USB Box #1");
  EXPECT_STREQ(mac, "02A7E31A2B3C");
  EXPECT_STREQ(ip, "192.168.7.1");

  // Without "NetworkAddress": FALSE, and the defaults.
  RemoveAdapterKey(*net, 0);
  WriteAdapterValue(*net, 0, "DVBBasePort", "5000");
  EXPECT_FALSE(CDVBCommon::GetDeviceInfo(0, name, mac, ip));
  EXPECT_STREQ(name, "Quillon USB Box #1");
  EXPECT_STREQ(mac, "02A7E3000000");
  EXPECT_STREQ(ip, "0.0.0.0");
}

TEST_F(DeviceSession, OpenKeepsTheAdaptersMacInStepWithTheBox) {
  struct Case {
    const char* configured;  // null: no "NetworkAddress" value
    bool corruptEeprom;
    const char* expected;
  } cases[] = {
      {"0011AABBCCDD", false, "02A7E31A2B3C"},  // differs: the box's MAC is written
      {nullptr, false, "02A7E31A2B3C"},         // none yet: written
      {"02a7e31a2b3c", false, "02a7e31a2b3c"},  // same but for case: left alone
      {"02A7E31A2B3C", true, "02A7E31EB39D"},   // box MAC unreadable: the default
  };
  for (const Case& c : cases) {
    sim->Reset();
    RemoveAdapterKey(*net, 0);
    net->SetPresent(1);
    WriteAdapterValue(*net, 0, "DVBBasePort", "5000");
    if (c.configured) WriteAdapterValue(*net, 0, "NetworkAddress", c.configured);
    if (c.corruptEeprom) {
      const BYTE junk[4] = {1, 2, 3, 4};
      sim->WriteEeprom(0xCC, junk, sizeof(junk));
    }
    ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, TRUE));
    EXPECT_EQ(ReadNetworkAddress(*net, 0), c.expected) << (c.configured ? c.configured : "none");
    CDVBCommon::CloseDevice();
  }
}

TEST_F(DeviceSession, OpenWithTheNetworkSide) {
  InstallAdapter("02A7E31A2B3C");
  ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, FALSE));
  EXPECT_EQ(net->OpenHandles(), 1);
  DWORD ip = 0, mask = 0;
  WORD port = 0;
  net->GetDriverAddress(&ip, &mask, &port);
  EXPECT_EQ(ip, 0x0107A8C0u);  // 192.168.7.1, first number in the lowest byte
  CString path;
  ASSERT_TRUE(CDVBCommon::GetDeviceRegistryPath(1, path));
  EXPECT_STREQ(path, AdapterKeyPath(*net, 0).c_str());

  CDVBCommon::CloseDevice();
  EXPECT_EQ(net->OpenHandles(), 0);
}

TEST_F(DeviceSession, VersionsOfTheLibraryAndBothDrivers) {
  // The library's FileVersion 1.0.0.0 packs to 0x1000; the network driver
  // answers only while the network side is open.
  CDVBBoardControl board;
  InstallAdapter("02A7E31A2B3C");
  struct Case {
    BOOL noNetwork;
    DWORD network;
  } cases[] = {{FALSE, 0x00010203}, {TRUE, 0}};
  for (const Case& c : cases) {
    ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, c.noNetwork));
    DWORD library = 0xDEAD, usb = 0xDEAD, network = 0xDEAD;
    EXPECT_EQ(board.GetVersions(library, usb, network), DVB_ERR_NONE);
    EXPECT_EQ(library, 0x1000u);
    EXPECT_EQ(usb, 0x00020105u);
    EXPECT_EQ(network, c.network) << c.noNetwork;
    CDVBCommon::CloseDevice();
  }
  DWORD library = 0, usb = 1, network = 1;
  EXPECT_EQ(board.GetVersions(library, usb, network), DVB_ERR_NONE);
  EXPECT_EQ(library, 0x1000u);  // from the file, with no box open
  EXPECT_EQ(usb, 0u);
  EXPECT_EQ(network, 0u);
}

TEST_F(DeviceSession, OpenFailsWithoutAUsableNetworkSide) {
  // No adapter at all: the box handle is closed again; without the network
  // side the same box opens.
  EXPECT_FALSE(CDVBCommon::OpenDevice(0, nullptr, FALSE));
  EXPECT_FALSE(CDVBCommon::IsOpen());
  const char* module = nullptr;
  const char* appId = nullptr;
  ASSERT_TRUE(CDVBCommon::GetCurrentDevApp(0, module, appId));
  EXPECT_STREQ(module, "");  // not recorded
  ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, TRUE));
  CDVBCommon::CloseDevice();

  // An adapter whose PC side has IP 0 and a driver without an address.
  net->SetPresent(1);
  WriteAdapterValue(*net, 0, "NetworkAddress", "02A7E31A2B3C");
  net->AddHostAdapter(HostAdapter(kBoxMac, "0.0.0.0", "0.0.0.0"));
  EXPECT_FALSE(CDVBCommon::OpenDevice(0, nullptr, FALSE));
  EXPECT_FALSE(CDVBCommon::IsOpen());
  EXPECT_EQ(net->OpenHandles(), 0);
  EXPECT_EQ(net->SetAddressCalls(), 0);

  // The driver has an address of its own: it is kept, and the open succeeds.
  net->SetDriverAddress(0x0A00000A, 0x000000FF, 5000);
  ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, FALSE));
  EXPECT_EQ(net->SetAddressCalls(), 0);
}
