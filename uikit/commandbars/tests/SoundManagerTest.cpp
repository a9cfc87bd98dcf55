// The menu-sound worker with a stand-in player that can hold a sound
// "playing" until the test lets it end: requests served in order, requests
// and a stop that arrive while a sound plays, and a manager destroyed while
// its worker still plays.
#include "SoundManager.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

// Generous: Wine under load is slow.
const int kWaitMs = 20000;

class HeldPlayer : public CJVKSoundPlayer {
 public:
  void Play(const char* pszAlias) override {
    {
      CSingleLock hold(&m_lock, TRUE);
      m_played.push_back(pszAlias);
    }
    if (m_bHold) m_released.Lock(kWaitMs);
  }
  void Purge() override { m_bPurged = true; }

  void Hold() { m_bHold = true; }
  void Release() {
    m_bHold = false;
    m_released.SetEvent();
  }
  std::vector<std::string> Played() {
    CSingleLock hold(&m_lock, TRUE);
    return m_played;
  }
  BOOL WaitForPlays(size_t nCount) {
    return WaitFor([&] { return Played().size() >= nCount; });
  }
  template <typename Condition>
  static BOOL WaitFor(Condition condition) {
    for (int ms = 0; ms < kWaitMs; ms += 5) {
      if (condition()) return TRUE;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return condition();
  }

  std::atomic<bool> m_bPurged{false};

 private:
  std::atomic<bool> m_bHold{false};
  CEvent m_released{FALSE, TRUE};
  CCriticalSection m_lock;  // guards m_played
  std::vector<std::string> m_played;
};

typedef std::vector<std::string> Names;

// A sound that stays "playing" until the player is released.
::testing::AssertionResult StartHeldSound(HeldPlayer& player, CJVKSoundManager& manager,
                                          CJVKSoundManager::Request nSound) {
  player.Hold();
  manager.RequestSound(nSound);
  if (!player.WaitForPlays(1)) return ::testing::AssertionFailure() << "the sound never started";
  return ::testing::AssertionSuccess();
}

TEST(SoundManager, PlaysEachRequestAndPurgesOnStop) {
  HeldPlayer player;
  CJVKSoundManager manager(&player);
  EXPECT_FALSE(manager.IsRunning());
  manager.RequestSound(CJVKSoundManager::kMenuCommand);
  ASSERT_TRUE(player.WaitForPlays(1));
  manager.RequestSound(CJVKSoundManager::kMenuPopup);
  ASSERT_TRUE(player.WaitForPlays(2));
  EXPECT_TRUE(manager.Stop());
  EXPECT_FALSE(manager.IsRunning());
  EXPECT_TRUE(player.m_bPurged);
  EXPECT_EQ((Names{"MenuCommand", "MenuPopup"}), player.Played());

  // A request after a stop starts the worker again.
  manager.RequestSound(CJVKSoundManager::kMenuPopup);
  ASSERT_TRUE(player.WaitForPlays(3));
  EXPECT_TRUE(manager.Stop());
}

TEST(SoundManager, LatestRequestWhilePlayingIsServedAfterwards) {
  HeldPlayer player;
  CJVKSoundManager manager(&player);
  ASSERT_TRUE(StartHeldSound(player, manager, CJVKSoundManager::kMenuPopup));
  // Both arrive while the first sound plays; the second replaces the first.
  manager.RequestSound(CJVKSoundManager::kMenuPopup);
  manager.RequestSound(CJVKSoundManager::kMenuCommand);
  player.Release();
  ASSERT_TRUE(player.WaitForPlays(2));
  EXPECT_TRUE(HeldPlayer::WaitFor([&] { return manager.Stop(); }));
  EXPECT_EQ((Names{"MenuPopup", "MenuCommand"}), player.Played());
}

TEST(SoundManager, StopWhilePlayingReturnsAndTheWorkerEndsAfterTheSound) {
  HeldPlayer player;
  CJVKSoundManager manager(&player);
  ASSERT_TRUE(StartHeldSound(player, manager, CJVKSoundManager::kMenuCommand));
  EXPECT_FALSE(manager.Stop());  // bounded: the sound still plays
  EXPECT_TRUE(manager.IsRunning());
  EXPECT_FALSE(player.m_bPurged);
  player.Release();
  // The stop stored during the sound is not lost when it ends.
  EXPECT_TRUE(HeldPlayer::WaitFor([&] { return !manager.IsRunning(); }));
  EXPECT_TRUE(player.m_bPurged);
  EXPECT_EQ((Names{"MenuCommand"}), player.Played());
}

TEST(SoundManager, DestroyedWhilePlayingJoinsItsWorker) {
  HeldPlayer player;
  auto manager = std::make_unique<CJVKSoundManager>(&player);
  ASSERT_TRUE(StartHeldSound(player, *manager, CJVKSoundManager::kMenuCommand));
  EXPECT_FALSE(manager->Stop());
  // The sound ends while the destructor waits for it.
  std::thread ender([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    player.Release();
  });
  manager.reset();
  EXPECT_TRUE(player.m_bPurged);
  ender.join();
}

}  // namespace
