// The bounded first-in-first-out queue between the host's stream thread and
// the sender thread. Each packet is a heap copy owned by the queue until it
// is taken. The host's thread only copies and appends: it never waits for
// the network, and a full queue drops the newest packet.
#pragma once

#include <atomic>
#include <deque>
#include <memory>
#include <WinTypes.h>

#include "framework/SyncObject.h"

class CPesQueue {
 public:
  // Caps the memory held while the client cannot keep up.
  static constexpr int kMaxPackets = 252;

  struct Packet {
    std::unique_ptr<BYTE[]> data;
    int length = 0;
  };

  CPesQueue() = default;
  CPesQueue(const CPesQueue&) = delete;
  CPesQueue& operator=(const CPesQueue&) = delete;

  // Copies the packet and appends it; false when it is dropped (queue full,
  // no memory, or no data), which the drop count records.
  bool Push(int length, const BYTE* data);
  // Takes the oldest packet; false when the queue is empty.
  bool Pop(Packet& out);
  // Frees every queued packet.
  void Clear();

  int Size() const;
  int Received() const;  // packets accepted since the last ResetCounts
  int Dropped() const;   // packets dropped since the last ResetCounts
  void ResetCounts();

 private:
  mutable CCriticalSection m_lock;  // guards everything below
  std::deque<Packet> m_packets;
  // m_packets.size(), written under the lock and read without it, so that a
  // host offering packets to a full queue never contends with the sender.
  std::atomic<int> m_size{0};
  int m_received = 0;
  std::atomic<int> m_dropped{0};
};
