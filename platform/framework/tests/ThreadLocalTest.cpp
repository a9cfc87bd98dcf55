#include <Framework.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace {

constexpr DWORD kWait = 10000;

std::atomic<int> g_nDeleted{0};

struct CCounted : CNoTrackObject {
  int m_nValue = 0;
  ~CCounted() override { ++g_nDeleted; }
};

// Uses another slot from its destructor, as a per-thread manager that
// unhooks through per-thread state does.
CThreadLocal<CCounted>* g_pOther = nullptr;
struct CUsesOtherAtEnd : CNoTrackObject {
  ~CUsesOtherAtEnd() override {
    (*g_pOther)->m_nValue = 1;
    ++g_nDeleted;
  }
};

class ThreadLocalTest : public ::testing::Test {
 protected:
  void SetUp() override { g_nDeleted = 0; }
};

TEST_F(ThreadLocalTest, EachThreadHasItsOwnDataMadeOnFirstUse) {
  CThreadLocal<CCounted> slot;
  EXPECT_EQ(slot.GetDataNA(), nullptr);
  slot->m_nValue = 7;
  ASSERT_NE(slot.GetDataNA(), nullptr);
  EXPECT_EQ(slot.GetData(), slot.GetDataNA());

  int nSeenByOther = -1;
  std::thread other([&] {
    nSeenByOther = slot.GetDataNA() == nullptr ? 0 : 1;
    slot->m_nValue = 9;
  });
  other.join();
  EXPECT_EQ(nSeenByOther, 0) << "another thread saw this thread's data";
  EXPECT_EQ(slot->m_nValue, 7);
}

TEST_F(ThreadLocalTest, DataIsDeletedWhenItsThreadEnds) {
  CThreadLocal<CCounted> first;
  CThreadLocal<CCounted> second;
  std::thread worker([&] {
    first->m_nValue = 1;
    second->m_nValue = 2;
  });
  worker.join();
  EXPECT_EQ(g_nDeleted, 2);
  // This thread's data stays until this thread ends or the slot goes.
  first->m_nValue = 3;
  EXPECT_EQ(g_nDeleted, 2);
}

#ifdef _WIN32
DWORD WINAPI UseSlot(LPVOID pParam) {
  static_cast<CThreadLocal<CCounted>*>(pParam)->GetData()->m_nValue = 5;
  return 0;
}

TEST_F(ThreadLocalTest, DataOfAThreadStartedWithoutTheFrameworkIsDeletedToo) {
  CThreadLocal<CCounted> slot;
  HANDLE hThread = ::CreateThread(nullptr, 0, UseSlot, &slot, 0, nullptr);
  ASSERT_NE(hThread, nullptr);
  ASSERT_EQ(::WaitForSingleObject(hThread, kWait), WAIT_OBJECT_0);
  ::CloseHandle(hThread);
  EXPECT_EQ(g_nDeleted, 1);
}
#endif

TEST_F(ThreadLocalTest, ASlotThatGoesDeletesTheDataOfLiveThreads) {
  auto pSlot = std::make_unique<CThreadLocal<CCounted>>();
  CEvent made(FALSE, TRUE);
  CEvent slotGone(FALSE, TRUE);
  std::thread worker([&] {
    (*pSlot)->m_nValue = 1;
    made.SetEvent();
    slotGone.Lock(kWait);
  });
  ASSERT_TRUE(made.Lock(kWait));
  (*pSlot)->m_nValue = 2;
  pSlot.reset();
  EXPECT_EQ(g_nDeleted, 2) << "both threads' data go with the slot";
  slotGone.SetEvent();
  worker.join();
  EXPECT_EQ(g_nDeleted, 2) << "nothing is deleted twice";
}

TEST_F(ThreadLocalTest, DataMadeByADestructorAtThreadEndIsDeletedToo) {
  CThreadLocal<CCounted> other;
  CThreadLocal<CUsesOtherAtEnd> user;
  g_pOther = &other;
  std::thread worker([&] { user.GetData(); });
  worker.join();
  EXPECT_EQ(g_nDeleted, 2);
  g_pOther = nullptr;
}

}  // namespace
