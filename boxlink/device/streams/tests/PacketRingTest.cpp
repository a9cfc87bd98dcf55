// The consumers' packet ring: sizing, the strict space rules, wrapping, and
// one producer and one consumer thread passing packets in order.
#include "PacketRing.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

TEST(PacketRing, SizesOfTheConsumers) {
  struct Row {
    DWORD area, descriptors;
  } rows[] = {{64000, 129}, {256000, 513}, {16000, 64}, {1000, 64}, {40000, 81}};
  for (const Row& r : rows) {
    CPacketRing ring(r.area);
    EXPECT_EQ(ring.GetDescriptorCount(), r.descriptors) << r.area;
  }
}

TEST(PacketRing, HoldsOneDescriptorLessThanItHas) {
  CPacketRing ring(16000);
  BYTE b[10] = {};
  for (int i = 0; i < 63; ++i) ASSERT_TRUE(ring.Push(b, 10, 5, 1, 0)) << i;
  EXPECT_FALSE(ring.Push(b, 10, 5, 1, 0));
  EXPECT_TRUE(ring.Pop());
  EXPECT_TRUE(ring.Push(b, 10, 5, 1, 0));
}

TEST(PacketRing, WrapNeedsMoreThanTheLengthFreeBeforeTheReadPosition) {
  CPacketRing ring(1000);
  std::vector<BYTE> a(600, 1), b(300, 2), c(350, 3);
  ASSERT_TRUE(ring.Push(a.data(), 600, 1, 1, 0));
  ASSERT_TRUE(ring.Push(b.data(), 300, 1, 1, 0));
  ASSERT_TRUE(ring.Pop());  // read position at 600
  // 350 does not fit before the end (900 + 350 > 1000); at the start 600
  // bytes are free.
  ASSERT_TRUE(ring.Push(c.data(), 350, 1, 1, 0));
  // Now the write position is 350, the read position 600: 250 free, and a
  // packet of exactly that length is refused.
  std::vector<BYTE> d(250, 4);
  EXPECT_FALSE(ring.Push(d.data(), 250, 1, 1, 0));
  EXPECT_TRUE(ring.Push(d.data(), 249, 1, 1, 0));
  PacketDesc* p = nullptr;
  ASSERT_TRUE(ring.Peek(&p));
  EXPECT_EQ(p->length, 300u);
  EXPECT_EQ(p->data[0], 2);
  ring.Pop();
  ASSERT_TRUE(ring.Peek(&p));
  EXPECT_EQ(p->length, 350u);
  EXPECT_EQ(p->data[349], 3);
}

TEST(PacketRing, EmptyRingTakesAnythingShorterThanItsArea) {
  CPacketRing ring(1000);
  std::vector<BYTE> big(999, 7);
  for (int round = 0; round < 5; ++round) {
    std::vector<BYTE> small(1 + round * 97, 1);
    ASSERT_TRUE(ring.Push(small.data(), DWORD(small.size()), 1, 1, 0));
    ring.Pop();
    EXPECT_TRUE(ring.Push(big.data(), 999, 1, 1, 0)) << round;
    ring.Pop();
  }
  EXPECT_FALSE(ring.Push(big.data(), 999, 1, 1, 0) && ring.Push(big.data(), 1000, 1, 1, 0));
}

TEST(PacketRing, ProducerAndConsumerThreadsKeepOrderAndBytes) {
  CPacketRing ring(20000);
  const int kPackets = 20000;
  std::vector<DWORD> got;
  bool bad = false;
  std::thread consumer([&] {
    while (int(got.size()) < kPackets) {
      PacketDesc* p;
      if (!ring.Peek(&p)) {
        std::this_thread::yield();
        continue;
      }
      DWORD n;
      memcpy(&n, p->data, 4);
      for (DWORD i = 4; i < p->length; ++i)
        if (p->data[i] != BYTE(n + i)) bad = true;
      got.push_back(n);
      ring.Pop();
    }
  });
  for (int i = 0; i < kPackets; ++i) {
    std::vector<BYTE> b(4 + (i * 37) % 700);
    DWORD n = DWORD(i);
    memcpy(b.data(), &n, 4);
    for (size_t k = 4; k < b.size(); ++k) b[k] = BYTE(n + k);
    while (!ring.Push(b.data(), DWORD(b.size()), 11, 34, 0)) std::this_thread::yield();
  }
  consumer.join();
  EXPECT_FALSE(bad);
  for (int i = 0; i < kPackets; ++i) ASSERT_EQ(got[size_t(i)], DWORD(i));
}
