// The DVB-T parameter store on the library's settings, in the test prefix's
// registry: the values as the registry holds them, and values of the wrong
// type written by someone else.
#include "IoI2cFrontendBus.h"
#include "TpsRecord.h"
#include "TpsStore.h"

#include <gtest/gtest.h>

namespace {

const char kParent[] = "SOFTWARE\\Kelvane\\boxlink-tps-test";
const char kKey[] = "SOFTWARE\\Kelvane\\boxlink-tps-test\\DVB-T\\059";

class TpsRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kParent); }
  void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kParent); }

  // The stored value's type and data.
  bool Raw(const char* name, DWORD& type, DWORD& data) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD size = sizeof(data);
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
  }
  void SetString(const char* name, const char* text) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), DWORD(strlen(text) + 1));
    RegCloseKey(key);
  }

  CTpsStore store{LibraryFrontendSettings()};
};

TEST_F(TpsRegistryTest, StoreCreatesTheChannelsKeyWithDWordValues) {
  store.StoreTPS(kKey, Tps(1, 2, 3, 4, 0, 1, -167));  // 16-QAM, 8K with 1/32

  struct Value {
    const char* name;
    DWORD data;
  } values[] = {{"TPS-Hierarchy", 2}, {"TPS-Constellation", 1},    {"TPS-CodeRateLP", 4}, {"TPS-CodeRateHP", 3},
                {"Mode", 7},          {"Freq-Offset", DWORD(-167)}};
  for (const Value& v : values) {
    DWORD type = 0, data = 0;
    ASSERT_TRUE(Raw(v.name, type, data)) << v.name;
    EXPECT_EQ(type, DWORD(REG_DWORD)) << v.name;
    EXPECT_EQ(data, v.data) << v.name;
  }

  frontendtypes::_TYPE_TPS back = {};
  store.RetrieveTPS(kKey, back);
  EXPECT_EQ(back.bConstellation, 1);
  EXPECT_EQ(back.bHierarchy, 2);
  EXPECT_EQ(back.bCodeRateHP, 3);
  EXPECT_EQ(back.bCodeRateLP, 4);
}

TEST_F(TpsRegistryTest, MissingKeyAndValuesOfAnotherTypeGiveTheDefaults) {
  frontendtypes::_TYPE_TPS tps = {};
  tps.bHierarchy = 5;
  store.RetrieveTPS(kKey, tps);
  EXPECT_EQ(tps.bHierarchy, 0);
  EXPECT_EQ(tps.bConstellation, 2);
  EXPECT_EQ(tps.bCodeRateHP, 2);
  EXPECT_EQ(tps.bCodeRateLP, 2);

  SetString("TPS-Constellation", "1");
  ASSERT_TRUE(LibraryFrontendSettings().WriteKeyDWord(kKey, "TPS-CodeRateLP", 0x101));
  store.RetrieveTPS(kKey, tps);
  EXPECT_EQ(tps.bConstellation, 2);  // a string does not count
  EXPECT_EQ(tps.bCodeRateLP, 1);     // the low byte
}

}  // namespace
