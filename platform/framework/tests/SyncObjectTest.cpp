#include <Framework.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

constexpr DWORD kWait = 10000;

TEST(CriticalSection, TheOwnerMayEnterAgainAndOthersWaitForTheLastLeave) {
  CCriticalSection section;
  CSingleLock outer(&section, TRUE);
  ASSERT_TRUE(outer.IsLocked());
  {
    CSingleLock inner(&section, TRUE);
    EXPECT_TRUE(inner.IsLocked());
  }
  std::atomic<bool> entered{false};
  CEvent waiting(FALSE, TRUE);
  std::thread other([&] {
    waiting.SetEvent();
    CSingleLock hold(&section, TRUE);
    entered = true;
  });
  ASSERT_TRUE(waiting.Lock(kWait));
  EXPECT_FALSE(entered) << "entered while this thread still holds the section";
  outer.Unlock();
  other.join();
  EXPECT_TRUE(entered);
}

TEST(Event, AutoResetEndsOneWaitManualResetStaysSet) {
  struct Case {
    BOOL manualReset;
    bool setAfterOneWait;
  };
  for (const Case& c : {Case{FALSE, false}, Case{TRUE, true}}) {
    CEvent event(FALSE, c.manualReset);
    EXPECT_FALSE(event.Lock(0));
    event.SetEvent();
    EXPECT_TRUE(event.Lock(0));
    EXPECT_EQ(event.Lock(0) != FALSE, c.setAfterOneWait) << "manual reset " << c.manualReset;
    event.ResetEvent();
    EXPECT_FALSE(event.Lock(0));
  }
}

TEST(Event, AWaitEndsWhenAnotherThreadSetsIt) {
  CEvent event;
  std::thread setter([&] { event.SetEvent(); });
  EXPECT_TRUE(event.Lock(kWait));
  setter.join();
  CEvent initiallySet(TRUE, TRUE);
  EXPECT_TRUE(initiallySet.Lock(0));
}

}  // namespace
