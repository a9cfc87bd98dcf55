#include "SimInterfaceClass.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace {

const GUID kClass = {0x11223344, 0x5566, 0x7788, {1, 2, 3, 4, 5, 6, 7, 8}};
const GUID kOtherClass = {0x99AABBCC, 0xDDEE, 0xFF00, {8, 7, 6, 5, 4, 3, 2, 1}};
const DWORD kDetailHeader = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);

class SimInterfaceClassTest : public ::testing::Test {
 protected:
  SimInterfaceClassTest()
      : m_class(
            kClass, [](int index) { return "\\\\?\\sim#" + std::to_string(index); },
            [](int index, DWORD property) {
              return property == SPDRP_FRIENDLYNAME ? "Device " + std::to_string(index) : std::string();
            }) {}

  // Interface `index` of a listing set with `present` devices; 0 when none.
  DWORD Enum(DWORD index, int present, PSP_DEVICE_INTERFACE_DATA data) {
    data->cbSize = sizeof(*data);
    return m_class.EnumInterfaces(m_set, &kClass, index, present, data) ? 1 : GetLastError();
  }

  CSimInterfaceClass m_class;
  HDEVINFO m_set = m_class.CreateSet(true);
};

TEST_F(SimInterfaceClassTest, EnumerationListsThePresentDevicesThenEnds) {
  struct Case {
    bool lists;
    DWORD index;
    int present;
    DWORD result;  // 1 = listed, else the error
  } cases[] = {
      {true, 0, 2, 1},
      {true, 1, 2, 1},
      {true, 2, 2, ERROR_NO_MORE_ITEMS},
      {true, 0, 0, ERROR_NO_MORE_ITEMS},
      {true, 0, -1, ERROR_NO_MORE_ITEMS},
      {true, 0x80000000u, 2, ERROR_NO_MORE_ITEMS},
      {true, 0xFFFFFFFFu, 2, ERROR_NO_MORE_ITEMS},
      {false, 0, 2, ERROR_NO_MORE_ITEMS},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "lists " << c.lists << " index " << c.index << " present " << c.present);
    HDEVINFO set = m_class.CreateSet(c.lists);
    SP_DEVICE_INTERFACE_DATA data = {sizeof(data)};
    BOOL ok = m_class.EnumInterfaces(set, &kClass, c.index, c.present, &data);
    EXPECT_EQ(c.result, ok ? 1u : GetLastError());
    if (ok) {
      EXPECT_EQ(ULONG_PTR(c.index + 1), data.Reserved);
      EXPECT_TRUE(IsEqualGUID(kClass, data.InterfaceClassGuid));
    }
    EXPECT_TRUE(m_class.DestroySet(set));
  }
}

TEST_F(SimInterfaceClassTest, ForeignSetsAndBadStructuresAreRefused) {
  SP_DEVICE_INTERFACE_DATA data = {sizeof(data)};
  HDEVINFO foreign = HDEVINFO(&data);
  EXPECT_FALSE(m_class.OwnsSet(foreign));
  EXPECT_FALSE(m_class.EnumInterfaces(foreign, &kClass, 0, 1, &data));
  EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());
  data.cbSize = sizeof(data) + 1;
  EXPECT_FALSE(m_class.EnumInterfaces(m_set, &kClass, 0, 1, &data));
  EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());
  data.cbSize = sizeof(data);
  EXPECT_FALSE(m_class.EnumInterfaces(m_set, nullptr, 0, 1, &data));  // no class named
  EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());
  EXPECT_FALSE(m_class.DestroySet(foreign));
  EXPECT_EQ(DWORD(ERROR_INVALID_HANDLE), GetLastError());
  EXPECT_TRUE(m_class.DestroySet(m_set));
  EXPECT_FALSE(m_class.OwnsSet(m_set));
  EXPECT_FALSE(m_class.DestroySet(m_set));
  m_set = m_class.CreateSet(true);
}

TEST_F(SimInterfaceClassTest, DetailNamesItsSizeThenThePathAndTheDevice) {
  SP_DEVICE_INTERFACE_DATA data;
  ASSERT_EQ(1u, Enum(1, 2, &data));
  const std::string path = "\\\\?\\sim#1";
  const DWORD need = DWORD(kDetailHeader + path.size() + 1);

  DWORD required = 0;
  EXPECT_FALSE(m_class.GetInterfaceDetail(m_set, &data, nullptr, 0, &required, nullptr));
  EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), GetLastError());
  EXPECT_EQ(need, required);

  BYTE buffer[64] = {};
  auto* detail = reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_A>(buffer);
  detail->cbSize = sizeof(buffer);  // not the structure's own size
  EXPECT_FALSE(m_class.GetInterfaceDetail(m_set, &data, detail, need, nullptr, nullptr));
  EXPECT_EQ(DWORD(ERROR_INVALID_USER_BUFFER), GetLastError());

  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
  SP_DEVINFO_DATA device = {sizeof(device)};
  ASSERT_TRUE(m_class.GetInterfaceDetail(m_set, &data, detail, need, nullptr, &device));
  EXPECT_EQ(path, detail->DevicePath);
  EXPECT_TRUE(IsEqualGUID(kClass, device.ClassGuid));
  EXPECT_FALSE(IsEqualGUID(kOtherClass, device.ClassGuid));
  EXPECT_EQ(2u, device.DevInst);

  SP_DEVICE_INTERFACE_DATA unlisted = {sizeof(unlisted)};
  EXPECT_FALSE(m_class.GetInterfaceDetail(m_set, &unlisted, detail, need, nullptr, nullptr));
  EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());
}

TEST_F(SimInterfaceClassTest, RegistryPropertyIsTextOrInvalidData) {
  SP_DEVINFO_DATA device = {sizeof(device)};
  device.DevInst = 3;  // index 2
  DWORD required = 0, type = 0;
  EXPECT_FALSE(m_class.GetRegistryProperty(m_set, &device, SPDRP_FRIENDLYNAME, &type, nullptr, 0, &required));
  EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), GetLastError());
  EXPECT_EQ(sizeof("Device 2"), required);
  EXPECT_EQ(DWORD(REG_SZ), type);

  char text[16] = {};
  ASSERT_TRUE(m_class.GetRegistryProperty(m_set, &device, SPDRP_FRIENDLYNAME, nullptr, reinterpret_cast<PBYTE>(text),
                                          sizeof(text), nullptr));
  EXPECT_STREQ("Device 2", text);

  EXPECT_FALSE(m_class.GetRegistryProperty(m_set, &device, SPDRP_DEVICEDESC, nullptr, reinterpret_cast<PBYTE>(text),
                                           sizeof(text), nullptr));
  EXPECT_EQ(DWORD(ERROR_INVALID_DATA), GetLastError());

  device.DevInst = 0;
  EXPECT_FALSE(m_class.GetRegistryProperty(m_set, &device, SPDRP_FRIENDLYNAME, nullptr, reinterpret_cast<PBYTE>(text),
                                           sizeof(text), nullptr));
  EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());
}

}  // namespace
