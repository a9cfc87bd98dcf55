// The owner table and its shared memory, in this process, under names of
// the test's own (the library's table belongs to boxlink.dll).
#include "DVBOwnerTable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

std::string UniqueName(const char* what) {
  char name[80];
  snprintf(name, sizeof(name), "boxlink-test-%s-%lu-%lu", what, GetCurrentProcessId(), GetTickCount());
  return name;
}

std::string OwnModule() {
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, sizeof(module));
  return module;
}

// A top-level window on a thread of its own that pumps messages and, on the
// table's close message, releases box 0 as an application would by closing
// it.
class OwnerWindowThread {
 public:
  explicit OwnerWindowThread(CDVBOwnerTable& table) : m_table(table) {
    m_ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    WaitForSingleObject(m_ready, 10000);
  }
  ~OwnerWindowThread() {
    PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(m_thread, 10000);
    CloseHandle(m_thread);
    CloseHandle(m_ready);
  }
  HWND Window() const { return m_window; }
  LONG CloseRequests() const { return m_requests; }

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<OwnerWindowThread*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (self && msg == self->m_table.GetCloseMessage()) {
      InterlockedIncrement(&self->m_requests);
      self->m_table.Release(0);
      return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
  }
  static DWORD WINAPI Run(void* p) {
    auto* self = static_cast<OwnerWindowThread*>(p);
    self->m_threadId = GetCurrentThreadId();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "BoxlinkOwnerTableTestWindow";
    RegisterClassA(&wc);
    self->m_window =
        CreateWindowA(wc.lpszClassName, "owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(self->m_window, GWLP_USERDATA, LONG_PTR(self));
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue exists
    SetEvent(self->m_ready);
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    DestroyWindow(self->m_window);
    return 0;
  }

  CDVBOwnerTable& m_table;
  HANDLE m_ready;
  HANDLE m_thread;
  DWORD m_threadId = 0;
  HWND m_window = nullptr;
  volatile LONG m_requests = 0;
};

class OwnerTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    name = UniqueName("owners");
    table.reset(new CDVBOwnerTable(name.c_str()));
    ASSERT_NE(table->GetView(), nullptr);
    // A second view of the same memory, as another process has it.
    other.reset(new CDVBSharedMemory(DWORD(ownerrecord::kTableSize), name.c_str()));
  }
  BYTE* Record(int idx) { return other->GetView() + idx * ownerrecord::kRecordSize; }
  DWORD WindowOf(int idx) { return ownerrecord::RecordWindow(other->GetView(), other->GetSize(), idx); }

  std::string name;
  std::unique_ptr<CDVBOwnerTable> table;
  std::unique_ptr<CDVBSharedMemory> other;
};

}  // namespace

TEST(SharedMemory, NamesItsObjectsAndRefusesWhatItCannotHold) {
  std::string name = UniqueName("memory");
  CDVBSharedMemory first(1024, name.c_str());
  EXPECT_TRUE(first.IsCreator());
  EXPECT_EQ(first.GetSize(), 1024u);
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, ("FILE_" + name).c_str());
  HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, ("MUTEX_" + name).c_str());
  EXPECT_NE(mapping, nullptr);
  EXPECT_NE(mutex, nullptr);
  CloseHandle(mapping);
  CloseHandle(mutex);

  // A second object opens the first's memory and sees its bytes.
  first.GetView()[100] = 0x5A;
  CDVBSharedMemory second(1024, name.c_str());
  EXPECT_FALSE(second.IsCreator());
  EXPECT_EQ(second.GetView()[100], 0x5A);

  // A generated name is a braced GUID.
  CDVBSharedMemory unnamed(64, nullptr);
  EXPECT_EQ(unnamed.GetName().GetLength(), 38);
  EXPECT_EQ(unnamed.GetName()[0], '{');

  // 89 characters fit the kernel object names, 90 do not.
  CDVBSharedMemory probe(64, nullptr);
  std::string fits = UniqueName("n");
  fits.resize(89, 'x');
  EXPECT_TRUE(probe.Create(64, fits.c_str()));
  EXPECT_FALSE(probe.Create(64, (fits + "x").c_str()));
  EXPECT_EQ(probe.GetView(), nullptr);

  // A mapping of the name made smaller elsewhere is not read past its end.
  std::string small = UniqueName("small");
  HANDLE tiny = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 100, ("FILE_" + small).c_str());
  ASSERT_NE(tiny, nullptr);
  EXPECT_FALSE(probe.Create(8192, small.c_str()));
  CloseHandle(tiny);

  bool thrown = false;
  try {
    CDVBSharedMemory refused(64, (fits + "x").c_str());
  } catch (CMemoryException* e) {
    thrown = true;
    e->Delete();
  }
  EXPECT_TRUE(thrown);
}

DWORD WINAPI LockAndLeave(void* memory) {
  static_cast<CDVBSharedMemory*>(memory)->Lock();  // and never unlocks
  return 0;
}

TEST(SharedMemory, AHolderThatDiedWithTheLockDoesNotBlockTheNext) {
  std::string name = UniqueName("abandoned");
  CDVBSharedMemory memory(64, name.c_str());
  HANDLE holder = CreateThread(nullptr, 0, LockAndLeave, &memory, 0, nullptr);
  WaitForSingleObject(holder, 5000);
  CloseHandle(holder);
  EXPECT_TRUE(memory.Lock());
  memory.Unlock();
}

TEST_F(OwnerTableTest, RegisterRecordsThisProcessAndReleaseClearsIt) {
  EXPECT_STREQ(table->GetMessageName(), ("MSG_" + name).c_str());
  EXPECT_EQ(table->GetCloseMessage(), RegisterWindowMessageA(("MSG_" + name).c_str()));
  for (int i = 0; i < ownerrecord::kRecords; ++i) EXPECT_EQ(WindowOf(i), 0u) << i;

  ASSERT_TRUE(table->Register(2, "my-app"));
  EXPECT_STREQ(reinterpret_cast<char*>(Record(2)), OwnModule().c_str());
  EXPECT_STREQ(reinterpret_cast<char*>(Record(2) + 260), "my-app");
  EXPECT_NE(WindowOf(2), 0u);

  const char* module = nullptr;
  const char* appId = nullptr;
  ASSERT_TRUE(table->GetOwner(2, module, appId));
  EXPECT_STREQ(module, OwnModule().c_str());
  EXPECT_STREQ(appId, "my-app");

  // The copies outlive the record: they are what a caller reopens with.
  ASSERT_TRUE(table->Release(2));
  EXPECT_STREQ(appId, "my-app");
  EXPECT_EQ(WindowOf(2), 0u);
  ASSERT_TRUE(table->GetOwner(2, module, appId));
  EXPECT_STREQ(module, "");
  EXPECT_STREQ(appId, "");

  // Without an appId the field is all zeros.
  memset(Record(1) + 260, 'z', 260);
  ASSERT_TRUE(table->Register(1, nullptr));
  for (int i = 260; i < 520; ++i) ASSERT_EQ(Record(1)[i], 0) << i;
}

TEST_F(OwnerTableTest, LimitsOfIndexAndApplicationId) {
  std::string id259(259, 'a'), id260(260, 'b');
  ASSERT_TRUE(table->Register(0, id259.c_str()));
  EXPECT_FALSE(table->Register(0, id260.c_str()));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(Record(0) + 260)), id259);  // kept

  const char* module = "x";
  const char* appId = "y";
  EXPECT_FALSE(table->Register(8, nullptr));
  EXPECT_FALSE(table->Release(8));
  EXPECT_FALSE(table->GetOwner(8, module, appId));
  EXPECT_EQ(module, nullptr);
  EXPECT_EQ(appId, nullptr);
  EXPECT_FALSE(table->RequestClose(8, 0));
}

TEST_F(OwnerTableTest, TextsWithoutTerminatorAreReadWithinTheirField) {
  memset(Record(5), 'Q', ownerrecord::kRecordSize);
  const char* module = nullptr;
  const char* appId = nullptr;
  ASSERT_TRUE(table->GetOwner(5, module, appId));
  EXPECT_EQ(strlen(module), 259u);
  EXPECT_EQ(strlen(appId), 259u);
}

TEST_F(OwnerTableTest, ReleaseLeavesARecordThatAnotherProcessTookOver) {
  ASSERT_TRUE(table->Register(3, "mine"));
  // Another program took the box meanwhile (no window, another executable).
  ownerrecord::WriteRecord(other->GetView(), other->GetSize(), 3, "C:\\other\\tv.exe", "theirs",
                           ownerrecord::kNoWindow);
  EXPECT_FALSE(table->Release(3));
  EXPECT_STREQ(reinterpret_cast<char*>(Record(3) + 260), "theirs");

  // A record of this program without a window, or of a window that is gone,
  // is this process's to clear.
  ownerrecord::WriteRecord(other->GetView(), other->GetSize(), 3, OwnModule().c_str(), "mine", ownerrecord::kNoWindow);
  EXPECT_TRUE(table->Release(3));
  EXPECT_EQ(WindowOf(3), 0u);
}

TEST_F(OwnerTableTest, RequestCloseOfAFreeRecordPostsNothing) {
  EXPECT_FALSE(table->RequestClose(0, 0));
  EXPECT_FALSE(table->RequestClose(0, 100));
}

TEST_F(OwnerTableTest, RequestCloseReturnsOnceTheOwnerLetsGo) {
  OwnerWindowThread owner(*table);
  ASSERT_NE(owner.Window(), nullptr);
  ownerrecord::WriteRecord(other->GetView(), other->GetSize(), 0, OwnModule().c_str(), "owner",
                           DWORD(UINT_PTR(owner.Window())));
  EXPECT_TRUE(table->RequestClose(0, 10000));
  EXPECT_EQ(WindowOf(0), 0u);
  EXPECT_GE(owner.CloseRequests(), 1);
}

TEST_F(OwnerTableTest, AnOwnerThatIgnoresTheRequestKeepsItsRecord) {
  // A window of this process that does not handle the message.
  HWND window = CreateWindowA("STATIC", "ignores", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  ownerrecord::WriteRecord(other->GetView(), other->GetSize(), 1, "C:\\tv.exe", "deaf", DWORD(UINT_PTR(window)));
  // Time-out 0 only looks; a time-out waits it out.
  EXPECT_FALSE(table->RequestClose(1, 0));
  EXPECT_FALSE(table->RequestClose(1, 100));
  EXPECT_EQ(WindowOf(1), DWORD(UINT_PTR(window)));
  DestroyWindow(window);
}

TEST_F(OwnerTableTest, AnOwnerWhoseWindowIsGoneNoLongerHoldsTheBox) {
  HWND window = CreateWindowA("STATIC", "gone", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  DestroyWindow(window);
  ownerrecord::WriteRecord(other->GetView(), other->GetSize(), 4, "C:\\crashed.exe", "dead", DWORD(UINT_PTR(window)));
  // Even an endless time-out ends at once: the record is freed.
  EXPECT_TRUE(table->RequestClose(4, INFINITE));
  EXPECT_EQ(WindowOf(4), 0u);
}
