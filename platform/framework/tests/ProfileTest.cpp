#include <Framework.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_key = "QuillonFrameworkTest" + std::to_string(GetCurrentProcessId());
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    m_ini = std::string(temp) + m_key + ".ini";
  }
  void TearDown() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + m_key).c_str());
    DeleteFileA(m_ini.c_str());
  }
  std::string m_key;
  std::string m_ini;
};

TEST_F(ProfileTest, RegistryRoundTrip) {
  CProfileSettings settings;
  settings.SetAppName("Editor");
  settings.SetRegistryKey(m_key.c_str());
  EXPECT_STREQ(settings.GetRegistryKey(), m_key.c_str());

  EXPECT_TRUE(settings.WriteProfileInt("Window", "Width", 640));
  EXPECT_TRUE(settings.WriteProfileInt("Window", "Left", -20));
  EXPECT_TRUE(settings.WriteProfileString("Files", "Last", "C:\\lists\\a.qcx"));
  BYTE blob[] = {0x00, 0x1F, 0xFF, 0x80};
  EXPECT_TRUE(settings.WriteProfileBinary("Bars", "Layout", blob, sizeof(blob)));

  // Read back through a second object, as the next start of the program would.
  CProfileSettings again;
  again.SetAppName("Editor");
  again.SetRegistryKey(m_key.c_str());
  EXPECT_EQ(again.GetProfileInt("Window", "Width", 0), 640u);
  EXPECT_EQ(static_cast<int>(again.GetProfileInt("Window", "Left", 0)), -20);
  EXPECT_EQ(again.GetProfileInt("Window", "Missing", 17), 17u);
  EXPECT_STREQ(again.GetProfileString("Files", "Last"), "C:\\lists\\a.qcx");
  EXPECT_STREQ(again.GetProfileString("Files", "Missing", "fallback"), "fallback");
  EXPECT_STREQ(again.GetProfileString("Files", "Missing"), "");
  LPBYTE data = nullptr;
  UINT size = 0;
  ASSERT_TRUE(again.GetProfileBinary("Bars", "Layout", &data, &size));
  ASSERT_EQ(size, sizeof(blob));
  EXPECT_EQ(memcmp(data, blob, size), 0);
  delete[] data;
  EXPECT_FALSE(again.GetProfileBinary("Bars", "Missing", &data, &size));
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(again.GetProfileInt("Files", "Last", 5), 5u);  // a string is not an int

  // The values sit where other programs expect them, with their registry types.
  HKEY hKey;
  std::string path = "Software\\" + m_key + "\\Editor\\Window";
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &hKey), ERROR_SUCCESS);
  DWORD type = 0, value = 0, cb = sizeof(value);
  EXPECT_EQ(RegQueryValueExA(hKey, "Width", nullptr, &type, reinterpret_cast<LPBYTE>(&value), &cb), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(value, 640u);
  RegCloseKey(hKey);

  // Removing an entry, then a section.
  EXPECT_TRUE(again.WriteProfileString("Files", "Last", nullptr));
  EXPECT_STREQ(again.GetProfileString("Files", "Last", "gone"), "gone");
  EXPECT_TRUE(again.WriteProfileString("Window", nullptr, nullptr));
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &hKey), ERROR_SUCCESS);
}

TEST_F(ProfileTest, IniFileWithoutARegistryKey) {
  CProfileSettings settings;
  settings.SetAppName("Editor");
  settings.SetProfileName(m_ini.c_str());
  EXPECT_EQ(settings.GetRegistryKey(), nullptr);
  EXPECT_TRUE(settings.WriteProfileInt("Window", "Width", 800));
  EXPECT_TRUE(settings.WriteProfileString("Files", "Last", "b.dvb"));
  BYTE blob[] = {0x00, 0x1F, 0xA5};
  EXPECT_TRUE(settings.WriteProfileBinary("Bars", "Layout", blob, sizeof(blob)));
  std::string longValue(3000, 'v');
  EXPECT_TRUE(settings.WriteProfileString("Files", "Long", longValue.c_str()));

  EXPECT_EQ(settings.GetProfileInt("Window", "Width", 0), 800u);
  EXPECT_EQ(settings.GetProfileInt("Window", "Height", 480), 480u);
  EXPECT_STREQ(settings.GetProfileString("Files", "Last"), "b.dvb");
  EXPECT_EQ(settings.GetProfileString("Files", "Long").GetLength(), 3000);
  LPBYTE data = nullptr;
  UINT size = 0;
  ASSERT_TRUE(settings.GetProfileBinary("Bars", "Layout", &data, &size));
  ASSERT_EQ(size, sizeof(blob));
  EXPECT_EQ(memcmp(data, blob, size), 0);
  delete[] data;

  // The file itself: plain sections, blocks as letters (low nibble first).
  std::ifstream in(m_ini);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("[Window]"), std::string::npos);
  EXPECT_NE(text.str().find("Width=800"), std::string::npos);
  EXPECT_NE(text.str().find("Layout=AAPBFK"), std::string::npos);

  // The registry was not touched.
  HKEY hKey;
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, ("Software\\" + m_key).c_str(), 0, KEY_READ, &hKey), ERROR_SUCCESS);
}

}  // namespace
