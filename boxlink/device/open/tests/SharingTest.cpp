// Two processes and one box: a helper program holds box 0 and this test,
// as the second application, sees it as the owner, asks it to let go and
// takes the box over; a helper that crashed or ignores the request does
// not keep the box from the others.
#include "DVBCommon.h"
#include "OwnerHelperProcess.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string OwnModule() {
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, sizeof(module));
  return module;
}

// The owner window word of box 0's record, read from the library's shared
// memory as any process of the library sees it.
DWORD RecordWindow() {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, "FILE_4D3280DC-AC73-42ea-9F6C-236EAEC29280");
  if (!mapping) return 0xFFFFFFFF;
  DWORD window = 0xFFFFFFFF;
  if (const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0)) {
    memcpy(&window, static_cast<const BYTE*>(view) + 520, sizeof(window));
    UnmapViewOfFile(view);
  }
  CloseHandle(mapping);
  return window;
}

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && _stricmp(text.c_str() + text.size() - tail.size(), tail.c_str()) == 0;
}

class Sharing : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(getenv("BOXLINK_OWNER_HELPER"), nullptr);
    CDVBCommon::CloseDevice();
  }
  void TearDown() override { CDVBCommon::CloseDevice(); }

  static std::string Owner(std::string* appId = nullptr) {
    const char* module = nullptr;
    const char* id = nullptr;
    if (!CDVBCommon::GetCurrentDevApp(0, module, id)) return "<no record>";
    if (appId) *appId = id;
    return module;
  }
};

}  // namespace

TEST_F(Sharing, TheOwnerHonoursARequestAndTheBoxChangesHands) {
  Helper a("window", "helper-A");
  ASSERT_TRUE(a.Started());
  ASSERT_TRUE(a.WaitReady());

  std::string appId;
  EXPECT_TRUE(EndsWithNoCase(Owner(&appId), "boxlink_owner_helper.exe")) << Owner();
  EXPECT_EQ(appId, "helper-A");
  // The record names the helper's window.
  HWND window = reinterpret_cast<HWND>(UINT_PTR(RecordWindow()));
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  EXPECT_EQ(process, a.ProcessId());

  ASSERT_TRUE(CDVBCommon::CloseCurrentApp(0, 10000));
  EXPECT_TRUE(a.WaitClosed(5000));
  EXPECT_EQ(Owner(&appId), "");
  EXPECT_EQ(appId, "");

  ASSERT_TRUE(CDVBCommon::OpenDevice(0, "helper-B", TRUE));
  EXPECT_EQ(Owner(&appId), OwnModule());
  EXPECT_EQ(appId, "helper-B");

  // The first helper ending later does not clear the new owner's record.
  EXPECT_EQ(a.Quit(), 0u);
  EXPECT_EQ(Owner(&appId), OwnModule());
}

TEST_F(Sharing, ACrashedOwnerDoesNotKeepTheBox) {
  Helper a("window", "crashes");
  ASSERT_TRUE(a.Started());
  ASSERT_TRUE(a.WaitReady());
  a.Kill();
  // Its record is left behind ...
  std::string appId;
  EXPECT_TRUE(EndsWithNoCase(Owner(&appId), "boxlink_owner_helper.exe"));
  EXPECT_EQ(appId, "crashes");
  // ... until it is asked: its window is gone, so the record is freed at once.
  EXPECT_TRUE(CDVBCommon::CloseCurrentApp(0, INFINITE));
  EXPECT_EQ(Owner(), "");
  ASSERT_TRUE(CDVBCommon::OpenDevice(0, "after-crash", TRUE));
  EXPECT_EQ(Owner(&appId), OwnModule());
  EXPECT_EQ(appId, "after-crash");
}

TEST_F(Sharing, AnOwnerWithoutWindowOrThatIgnoresTheRequestIsOverruled) {
  for (const char* mode : {"nowindow", "deaf"}) {
    Helper a(mode, mode);
    ASSERT_TRUE(a.Started()) << mode;
    ASSERT_TRUE(a.WaitReady()) << mode;
    // Nobody answers: the wait ends with the time-out.
    EXPECT_FALSE(CDVBCommon::CloseCurrentApp(0, 200)) << mode;
    std::string appId;
    EXPECT_TRUE(EndsWithNoCase(Owner(&appId), "boxlink_owner_helper.exe")) << mode;
    EXPECT_EQ(appId, mode);
    if (std::string(mode) == "nowindow") {
      EXPECT_EQ(RecordWindow(), 1u);  // a process without a window
    }

    // Opening takes the box over all the same; the old owner's later close
    // leaves the new record alone.
    ASSERT_TRUE(CDVBCommon::OpenDevice(0, "overrules", TRUE)) << mode;
    EXPECT_EQ(a.Quit(), 0u) << mode;
    EXPECT_EQ(Owner(&appId), OwnModule()) << mode;
    EXPECT_EQ(appId, "overrules") << mode;
    CDVBCommon::CloseDevice();
    EXPECT_EQ(Owner(), "") << mode;
  }
}
