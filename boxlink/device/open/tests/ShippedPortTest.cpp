// The shipped library has no simulator hook: with QUILLON_BOX_SIMULATOR set
// to the simulator DLL's path, it still talks to the real driver, loads no
// simulator and (under Wine, where no box driver is installed) finds no box.
#include "DVBCommon.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <cstdlib>
#include <string>

namespace {

std::string Normalised(std::string path) {
  for (char& c : path) c = c == '/' ? '\\' : char(tolower(static_cast<unsigned char>(c)));
  return path;
}

}  // namespace

TEST(ShippedDevicePort, IgnoresASimulatorNamedByTheEnvironment) {
  const char* simulator = getenv("QUILLON_BOX_SIMULATOR");
  const char* shipped = getenv("BOXLINK_SHIPPED");
  ASSERT_NE(simulator, nullptr);
  ASSERT_NE(shipped, nullptr);

  // The library this program runs with is the shipped file.
  char loaded[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(GetModuleHandleA("boxlink.dll"), loaded, sizeof(loaded)), 0u);
  EXPECT_EQ(Normalised(loaded), Normalised(shipped));

  EXPECT_EQ(CDVBCommon::GetNumberOfDevices(), 0);
  EXPECT_FALSE(CDVBCommon::OpenDevice(0, nullptr, TRUE));
  EXPECT_FALSE(CDVBCommon::IsOpen());
  EXPECT_EQ(GetModuleHandleA("boxsim.dll"), nullptr);

  // The variable names a simulator that could have been loaded.
  HMODULE module = LoadLibraryA(simulator);
  EXPECT_NE(module, nullptr);
  if (module) FreeLibrary(module);
}
