// The library's start-up and unload as a process sees them, in a program
// that loads the library's test build and unloads it again: every call of
// InitDvbApiDll links the library once more until it unloads; without its
// request memory the library does not load, and says nothing; without the
// owner table's memory it loads and opens boxes unrecorded; and a second
// process that loads the library keeps the first's owner records and puts
// the shared events into their initial states.
#include "LoadedLibrary.h"
#include "OwnerHelperProcess.h"

#include <Framework.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

const char kRequestMemory[] = "FILE_D904ECDE-BDD6-472c-A09B-473C628B8A53";
const char kOwnerTableMemory[] = "FILE_4D3280DC-AC73-42ea-9F6C-236EAEC29280";

// The slave filter server's events, with the state each process's start-up
// puts them in.
struct SharedEvent {
  const char* name;
  bool initiallySet;
};
const SharedEvent kEvents[] = {
    {"F583CDF9-07A4-4453-873F-97C2B04D8D88", false},  // request
    {"2E3D6652-8BB1-4212-8640-17E4B712D84F", true},   // request taken
    {"E628974A-B70C-4e30-8268-587581D69ABF", false},  // response ready
    {"CF6251C2-4CCC-4d02-BEA7-3137CFF4EB5A", true},   // response taken
};

// The message boxes the library showed (text, type): the framework's hook
// answers them for every module of the process.
std::vector<std::pair<std::string, UINT>> g_messages;

int CALLBACK RecordMessage(LPCTSTR text, UINT type, UINT) {
  g_messages.emplace_back(text, type);
  return IDOK;
}

bool IsSet(const char* eventName) {
  HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, eventName);
  bool set = event && WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
  if (event) CloseHandle(event);
  return set;
}

void SetState(const char* eventName, bool set) {
  HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, eventName);
  ASSERT_NE(event, nullptr) << eventName;
  set ? SetEvent(event) : ResetEvent(event);
  CloseHandle(event);
}

std::string OwnModule() {
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, sizeof(module));
  return module;
}

}  // namespace

class LibraryStartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_messages.clear();
    m_oldHook = AfxSetMessageBoxHook(RecordMessage);
  }
  void TearDown() override { AfxSetMessageBoxHook(m_oldHook); }

 private:
  AFX_MSGBOX_HOOK m_oldHook = nullptr;
};

TEST_F(LibraryStartupTest, EachInitDvbApiDllLinksTheLibraryOnceMoreUntilItUnloads) {
  // Links are appended to the process's list: counted after one of this
  // program's own.
  auto* mark = new CDynLinkLibrary(GetModuleHandleA(nullptr), nullptr);
  CLoadedLibrary library;
  ASSERT_TRUE(library.Loaded());
  HMODULE boxlink = GetModuleHandleA("boxlink.dll");
  ASSERT_NE(boxlink, nullptr);
  auto links = [&] {
    int n = 0;
    for (CDynLinkLibrary* p = mark->m_pNextDLL; p; p = p->m_pNextDLL) n += p->m_hModule == boxlink ? 1 : 0;
    return n;
  };
  EXPECT_EQ(links(), 0);
  library.InitDvbApiDll();
  EXPECT_EQ(links(), 1);
  library.InitDvbApiDll();
  EXPECT_EQ(links(), 2);
  // The library's resources are found through the links.
  EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION), boxlink);

  ASSERT_TRUE(library.Unload());
  EXPECT_EQ(GetModuleHandleA("boxlink.dll"), nullptr);
  EXPECT_EQ(mark->m_pNextDLL, nullptr) << "a link outlived the library";
  delete mark;
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(LibraryStartupTest, WithoutItsRequestMemoryTheLibraryDoesNotLoadAndSaysNothing) {
  // An object of another kind holds the memory's name.
  HANDLE squatter = CreateEventA(nullptr, TRUE, FALSE, kRequestMemory);
  ASSERT_NE(squatter, nullptr);
  {
    CLoadedLibrary library;
    EXPECT_FALSE(library.Loaded());
  }
  EXPECT_EQ(GetModuleHandleA("boxlink.dll"), nullptr);
  EXPECT_TRUE(g_messages.empty());

  CloseHandle(squatter);
  CLoadedLibrary library;
  EXPECT_TRUE(library.Loaded());
}

TEST_F(LibraryStartupTest, WithoutTheOwnerTablesMemoryTheLibraryLoadsAndOpensBoxesUnrecorded) {
  HANDLE squatter = CreateEventA(nullptr, TRUE, FALSE, kOwnerTableMemory);
  ASSERT_NE(squatter, nullptr);
  {
    CLoadedLibrary library;
    ASSERT_TRUE(library.Loaded());
    EXPECT_TRUE(g_messages.empty());
    ASSERT_TRUE(library.OpenDevice(0, "unrecorded", TRUE));
    const char* module = "";
    const char* appId = "";
    EXPECT_FALSE(library.GetCurrentDevApp(0, &module, &appId));
    EXPECT_EQ(module, nullptr);
    EXPECT_EQ(appId, nullptr);
    library.CloseDevice();
  }
  CloseHandle(squatter);
}

TEST_F(LibraryStartupTest, ASecondProcessResetsTheSharedEventsTheFirstHolds) {
  ASSERT_NE(getenv("BOXLINK_OWNER_HELPER"), nullptr);
  CLoadedLibrary library;
  ASSERT_TRUE(library.Loaded());
  // No box is open here, so no server takes the request event.
  for (const SharedEvent& e : kEvents) {
    ASSERT_EQ(IsSet(e.name), e.initiallySet) << e.name;
    SetState(e.name, !e.initiallySet);
  }
  Helper second("attach", "-");
  ASSERT_TRUE(second.Started());
  ASSERT_TRUE(second.WaitReady());
  for (const SharedEvent& e : kEvents) EXPECT_EQ(IsSet(e.name), e.initiallySet) << e.name;
}

TEST_F(LibraryStartupTest, ASecondProcessKeepsTheOwnerRecordsOfTheFirst) {
  ASSERT_NE(getenv("BOXLINK_OWNER_HELPER"), nullptr);
  CLoadedLibrary library;
  ASSERT_TRUE(library.Loaded());
  ASSERT_TRUE(library.OpenDevice(0, "first holder", TRUE));
  {
    Helper second("attach", "-");
    ASSERT_TRUE(second.Started());
    ASSERT_TRUE(second.WaitReady());
    const char* module = nullptr;
    const char* appId = nullptr;
    ASSERT_TRUE(library.GetCurrentDevApp(0, &module, &appId));
    EXPECT_STREQ(module, OwnModule().c_str());
    EXPECT_STREQ(appId, "first holder");
  }
  library.CloseDevice();
}
