// A PES file played as a device's live stream: its packets in order, again
// and again, each pass with its time stamps moved on by the length of the
// passes before it (so a decoder sees one stream that never goes back), and
// the wall-clock moment each packet is due, a little ahead of its time stamp
// so the graph's queues stay filled.
#pragma once

#include <cstdint>
#include <vector>

#include "PesFile.h"

class CPesLoop {
 public:
  static constexpr int64_t kLeadMs = 1500;

  explicit CPesLoop(std::vector<PesFilePacket> packets);

  bool Empty() const { return m_packets.empty(); }
  // The next packet, its time stamps moved on; dueMs is when it is due,
  // counted from the first packet (negative: at once).
  const std::vector<uint8_t>& Next(int64_t* dueMs, bool* video);

 private:
  std::vector<PesFilePacket> m_packets;
  uint64_t m_firstPts = 0, m_period = 0;  // 90 kHz; one pass's length
  size_t m_index = 0;
  uint64_t m_offset = 0;  // added to the stamps of this pass
  int64_t m_lastDueMs = 0;
  std::vector<uint8_t> m_current;
};

// Adds offset (90 kHz, modulo 2^33) to the PTS and DTS of one PES packet.
void ShiftPesTimestamps(std::vector<uint8_t>& packet, uint64_t offset);
