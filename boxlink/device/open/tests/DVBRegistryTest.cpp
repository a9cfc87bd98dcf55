// The settings store, on a scratch key of the test prefix's registry.
#include "DVBRegistry.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const char kKey[] = "SOFTWARE\\Kelvane\\boxlink-test";

class DVBRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey); }
  void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey); }

  // The raw value as stored: its type and size. Read through the wide
  // function, which reports the stored characters as they are (the ANSI one
  // may count a terminator it adds itself).
  bool Raw(const wchar_t* name, DWORD& type, DWORD& size) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    size = 0;
    LONG rc = RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
  }
  bool KeyExists() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

  CDVBRegistry registry;
};

}  // namespace

TEST_F(DVBRegistryTest, StringRoundTripWithoutStoredTerminator) {
  // The writer passes the four characters without a terminator (Wine's
  // registry then adds one of its own; Windows stores four bytes). The reader
  // must end the text at the byte count it gets either way.
  ASSERT_TRUE(registry.WriteString(kKey, "PALorNTSC", "NTSC"));
  DWORD type = 0, size = 0;
  ASSERT_TRUE(Raw(L"PALorNTSC", type, size));
  EXPECT_EQ(type, DWORD(REG_SZ));
  CString value = "something longer than four";
  ASSERT_TRUE(registry.ReadString(kKey, "PALorNTSC", value));
  EXPECT_STREQ(value, "NTSC");
  EXPECT_EQ(value.GetLength(), 4);

  // A shorter value over a longer one leaves no tail of the old one.
  ASSERT_TRUE(registry.WriteString(kKey, "PALorNTSC", "PAL"));
  ASSERT_TRUE(registry.ReadString(kKey, "PALorNTSC", value));
  EXPECT_STREQ(value, "PAL");
}

TEST_F(DVBRegistryTest, DWordRoundTripAndTypeChecks) {
  ASSERT_TRUE(registry.WriteDWord(kKey, "FOffset", 125));
  ASSERT_TRUE(registry.WriteString(kKey, "Mode", "2K"));
  DWORD number = 7;
  EXPECT_TRUE(registry.ReadDWord(kKey, "FOffset", number));
  EXPECT_EQ(number, 125u);
  number = 7;
  EXPECT_FALSE(registry.ReadDWord(kKey, "Mode", number));  // REG_SZ
  EXPECT_EQ(number, 7u);
  EXPECT_FALSE(registry.ReadDWord(kKey, "Missing", number));
  EXPECT_EQ(number, 7u);
  CString text = "old";
  EXPECT_FALSE(registry.ReadString(kKey, "FOffset", text));  // REG_DWORD
  EXPECT_STREQ(text, "old");
  EXPECT_FALSE(registry.ReadString("SOFTWARE\\Kelvane\\no-such-key", "Mode", text));
}

TEST_F(DVBRegistryTest, StringLongerThanTheBufferIsNotRead) {
  char big[260];
  memset(big, 'x', sizeof(big) - 1);
  big[sizeof(big) - 1] = 0;
  ASSERT_TRUE(registry.WriteString(kKey, "Long", big));
  CString value = "kept";
  EXPECT_FALSE(registry.ReadString(kKey, "Long", value));
  EXPECT_STREQ(value, "kept");
}

TEST_F(DVBRegistryTest, EmptyNamesAndValues) {
  ASSERT_TRUE(registry.WriteDWord(kKey, "", 5));  // only creates the key
  EXPECT_TRUE(KeyExists());
  DWORD type, size;
  EXPECT_FALSE(Raw(L"", type, size));
  ASSERT_TRUE(registry.WriteString(kKey, "", ""));
  EXPECT_FALSE(Raw(L"", type, size));
  ASSERT_TRUE(registry.WriteString(kKey, "", "default"));  // the key's default value
  CString value;
  ASSERT_TRUE(registry.ReadString(kKey, "", value));
  EXPECT_STREQ(value, "default");
}
