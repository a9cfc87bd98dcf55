// The slot table: slot limits, byte counts, and an unregister that waits
// for a dispatch already running on another thread.
#include "CallbackSlots.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

typedef void (*Callback)(void*, int, BYTE, BYTE*, DWORD, BYTE);

struct Target {
  std::atomic<int> calls{0};
  std::atomic<bool> inside{false};
  std::atomic<bool> release{false};
  std::atomic<bool> destroyed{false};
  bool calledAfterDestroy = false;
};

void Count(void* context, int, BYTE, BYTE*, DWORD, BYTE) {
  auto* t = static_cast<Target*>(context);
  if (t) ++t->calls;
}

void Block(void* context, int, BYTE, BYTE*, DWORD, BYTE) {
  auto* t = static_cast<Target*>(context);
  if (!t) return;
  t->inside = true;
  while (!t->release) std::this_thread::yield();
  if (t->destroyed) t->calledAfterDestroy = true;
  ++t->calls;
}

}  // namespace

TEST(CallbackSlots, LimitsAndCounts) {
  CCallbackSlots<Callback> slots;
  Target t;
  EXPECT_EQ(slots.Register(Count, &t, 0), 3);
  EXPECT_EQ(slots.Register(Count, &t, 64), 3);
  EXPECT_EQ(slots.Unregister(64), 3);
  EXPECT_EQ(slots.Register(Count, &t, 63), 0);
  BYTE data[5] = {};
  EXPECT_TRUE(slots.Dispatch(63, 5, 11, BYTE(63), data, DWORD(5), BYTE(0)));
  EXPECT_FALSE(slots.Dispatch(62, 5, 11, BYTE(62), data, DWORD(5), BYTE(0)));
  EXPECT_FALSE(slots.Dispatch(0, 5, 11, BYTE(0), data, DWORD(5), BYTE(0)));
  EXPECT_EQ(slots.GetByteCount(63), 5u);
  EXPECT_EQ(slots.GetByteCount(64), 0u);
  EXPECT_EQ(t.calls, 1);
  slots.Unregister(63);
  EXPECT_EQ(slots.GetByteCount(63), 0u);
  EXPECT_FALSE(slots.Dispatch(63, 5, 11, BYTE(63), data, DWORD(5), BYTE(0)));
}

TEST(CallbackSlots, UnregisterWaitsForTheDispatchInFlight) {
  CCallbackSlots<Callback> slots;
  Target t;
  slots.Register(Block, &t, 4);
  std::thread reader([&] {
    BYTE data[3] = {};
    slots.Dispatch(4, 3, 5, BYTE(4), data, DWORD(3), BYTE(0));
  });
  while (!t.inside) std::this_thread::yield();
  std::atomic<bool> returned{false};
  std::thread consumer([&] {
    slots.Unregister(4);
    returned = true;
    t.destroyed = true;  // the consumer is gone once Unregister returned
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(returned);
  t.release = true;
  consumer.join();
  reader.join();
  EXPECT_FALSE(t.calledAfterDestroy);
  EXPECT_EQ(slots.GetByteCount(4), 0u);
}

TEST(CallbackSlots, UnregisterHeldLeavesASlotTakenOverToItsHolder) {
  CCallbackSlots<Callback> slots;
  Target first, second;
  slots.Register(Count, &first, 33);
  slots.Register(Count, &second, 33);  // taken over
  EXPECT_FALSE(slots.UnregisterHeld(33, &first));
  EXPECT_TRUE(slots.IsHeldBy(33, &second));
  BYTE data[2] = {};
  EXPECT_TRUE(slots.Dispatch(33, 2, 14, BYTE(33), data, DWORD(2), BYTE(0)));
  EXPECT_EQ(second.calls, 1);
  EXPECT_EQ(first.calls, 0);

  EXPECT_TRUE(slots.UnregisterHeld(33, &second));
  EXPECT_FALSE(slots.IsRegistered(33));
  EXPECT_FALSE(slots.UnregisterHeld(33, &second));
  EXPECT_FALSE(slots.UnregisterHeld(64, &second));
}
