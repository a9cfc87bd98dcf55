// One stream's queue of PVA packets for playback: a byte ring that each
// packet is built in once, and a table of the packets in order with their
// length and timestamp. Packets never straddle the ring's end: when less
// than a margin is left behind the write position, writing goes on at the
// start. The queue says when it runs short of room so that its oldest
// packet is sent at once.
#pragma once

#include <WinTypes.h>

#include <vector>

class CPvaQueue {
 public:
  struct Entry {
    DWORD offset;
    WORD length;
    bool hasPts;
    DWORD pts;
  };

  // capacity bytes, at most `entries` packets, wrap below `margin` bytes
  // (the margin is more than the longest packet).
  CPvaQueue(DWORD capacity, DWORD entries, DWORD margin);

  void Clear();
  bool IsEmpty() const { return m_count == 0; }
  DWORD Count() const { return m_count; }
  // Where a packet of `length` bytes is to be built, or null when it does
  // not fit before the oldest packet leaves.
  BYTE* Reserve(DWORD length);
  // Queues the packet just built at the reserved place.
  void Commit(WORD length, bool hasPts, DWORD pts);
  const Entry& Front() const { return m_entries[m_read]; }
  BYTE* FrontData() { return &m_ring[Front().offset]; }
  void PopFront();
  // Too little room left for the next few packets.
  bool IsShortOfRoom() const;

 private:
  // Free bytes from the write position to the oldest packet, or to the end.
  DWORD Room() const;

  std::vector<BYTE> m_ring;
  std::vector<Entry> m_entries;
  DWORD m_margin;
  DWORD m_read = 0;   // table index of the oldest packet
  DWORD m_count = 0;  // packets queued
  DWORD m_writePos = 0;
};
