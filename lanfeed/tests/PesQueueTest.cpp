#include <gtest/gtest.h>

#include <thread>

#include "FeedSender.h"
#include "PesQueue.h"
#include "RecordingWriter.h"
#include "SyntheticPes.h"

namespace {

TEST(PesQueue, HoldsAtMost252PacketsAndCountsTheDroppedOnes) {
  CPesQueue queue;
  for (uint32_t i = 0; i < 252; ++i) {
    const auto packet = SyntheticPes(i, 10);
    ASSERT_TRUE(queue.Push(static_cast<int>(packet.size()), packet.data())) << i;
  }
  const auto extra = SyntheticPes(252, 10);
  EXPECT_FALSE(queue.Push(static_cast<int>(extra.size()), extra.data()));
  EXPECT_EQ(252, queue.Size());
  EXPECT_EQ(252, queue.Received());
  EXPECT_EQ(1, queue.Dropped());

  // Oldest first; the dropped packet is the newest one.
  CPesQueue::Packet taken;
  ASSERT_TRUE(queue.Pop(taken));
  EXPECT_EQ(SyntheticPes(0, 10), std::vector<BYTE>(taken.data.get(), taken.data.get() + taken.length));
  const auto next = SyntheticPes(253, 10);
  EXPECT_TRUE(queue.Push(static_cast<int>(next.size()), next.data()));
  for (uint32_t i = 1; i < 252; ++i) ASSERT_TRUE(queue.Pop(taken));
  ASSERT_TRUE(queue.Pop(taken));
  EXPECT_EQ(next, std::vector<BYTE>(taken.data.get(), taken.data.get() + taken.length));
  EXPECT_FALSE(queue.Pop(taken));
}

TEST(PesQueue, CopiesThePacketBeforePushReturns) {
  CPesQueue queue;
  auto packet = SyntheticPes(5, 20);
  const auto original = packet;
  queue.Push(static_cast<int>(packet.size()), packet.data());
  std::fill(packet.begin(), packet.end(), 0xEE);
  CPesQueue::Packet taken;
  ASSERT_TRUE(queue.Pop(taken));
  EXPECT_EQ(original, std::vector<BYTE>(taken.data.get(), taken.data.get() + taken.length));
}

TEST(PesQueue, RefusesPacketsWithoutDataAndClearFreesEverything) {
  CPesQueue queue;
  const BYTE byte = 0;
  EXPECT_FALSE(queue.Push(0, &byte));
  EXPECT_FALSE(queue.Push(-5, &byte));
  EXPECT_FALSE(queue.Push(10, nullptr));
  EXPECT_EQ(0, queue.Size());
  EXPECT_EQ(3, queue.Dropped());
  for (int i = 0; i < 10; ++i) queue.Push(1, &byte);
  queue.Clear();
  EXPECT_EQ(0, queue.Size());
  EXPECT_EQ(10, queue.Received());
  queue.ResetCounts();
  EXPECT_EQ(0, queue.Received());
  EXPECT_EQ(0, queue.Dropped());
}

// A client that stops reading holds the sender in its write; the host's
// thread still returns from every hand-over at once and the queue stops at
// its bound.
TEST(PesQueue, HostThreadNeverWaitsForAStuckClient) {
  CPesQueue queue;
  CRecordingWriter client;
  client.Hold();
  CFeedSender sender(queue, client);
  sender.Start();
  const auto packet = SyntheticPes(1, 100);
  ASSERT_TRUE(queue.Push(static_cast<int>(packet.size()), packet.data()));
  client.WaitEntered(1);  // the sender is now stuck in its write

  std::thread host([&] {
    for (int i = 0; i < 1000; ++i) queue.Push(static_cast<int>(packet.size()), packet.data());
  });
  host.join();  // would never return if a hand-over waited for the client
  EXPECT_EQ(252, queue.Size());
  EXPECT_EQ(253, queue.Received());
  EXPECT_EQ(1000 - 252, queue.Dropped());

  client.Release();
  sender.Stop();
}

TEST(FeedSender, WithoutClientTakesPacketsButCountsNoneSent) {
  CPesQueue queue;
  CRecordingWriter client;
  client.connected = false;
  CFeedSender sender(queue, client);
  const BYTE byte = 1;
  for (int i = 0; i < 5; ++i) queue.Push(1, &byte);
  while (sender.SendNext()) {
  }
  EXPECT_EQ(0, queue.Size());
  EXPECT_EQ(0, sender.Sent());
  EXPECT_TRUE(client.Writes().empty());
}

TEST(FeedSender, SendsPacketsUnchangedInOrderWithTheLimitInEffect) {
  CPesQueue queue;
  CRecordingWriter client;
  CFeedSender sender(queue, client);
  std::vector<std::vector<BYTE>> packets;
  for (uint32_t i = 0; i < 20; ++i) {
    packets.push_back(SyntheticPes(i, 50 + i));
    queue.Push(static_cast<int>(packets.back().size()), packets.back().data());
  }
  sender.SetSendLimit(250);
  sender.Start();
  while (queue.Size() > 0 || sender.Sent() < 20) std::this_thread::yield();
  sender.Stop();
  EXPECT_EQ(packets, client.Writes());
  EXPECT_EQ(std::vector<int>(20, 250), client.limits);
  EXPECT_FALSE(sender.IsRunning());
}

TEST(FeedSender, StopLeavesQueuedPacketsInTheQueue) {
  CPesQueue queue;
  CRecordingWriter client;
  CFeedSender sender(queue, client);
  sender.Start();
  sender.Stop();
  const BYTE byte = 1;
  for (int i = 0; i < 3; ++i) queue.Push(1, &byte);
  EXPECT_EQ(3, queue.Size());
}

}  // namespace
