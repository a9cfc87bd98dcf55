#include "PesLoop.h"

#include <algorithm>

namespace {

constexpr uint64_t kPtsMask = (uint64_t{1} << 33) - 1;
constexpr uint64_t kFrameTicks = 3600;  // one 25 Hz frame between passes

uint64_t ReadStamp(const uint8_t* b) {
  return (uint64_t{b[0]} >> 1 & 7) << 30 | uint64_t{b[1]} << 22 | (uint64_t{b[2]} >> 1) << 15 |
         uint64_t{b[3]} << 7 | b[4] >> 1;
}

void WriteStamp(uint8_t* b, uint64_t v) {
  b[0] = static_cast<uint8_t>((b[0] & 0xF0) | (v >> 29 & 0x0E) | 1);
  b[1] = static_cast<uint8_t>(v >> 22);
  b[2] = static_cast<uint8_t>((v >> 14 & 0xFE) | 1);
  b[3] = static_cast<uint8_t>(v >> 7);
  b[4] = static_cast<uint8_t>((v << 1 & 0xFE) | 1);
}

}  // namespace

void ShiftPesTimestamps(std::vector<uint8_t>& packet, uint64_t offset) {
  if (packet.size() < 14 || !(packet[7] & 0x80)) return;
  WriteStamp(&packet[9], (ReadStamp(&packet[9]) + offset) & kPtsMask);
  if ((packet[7] & 0x40) && packet.size() >= 19) WriteStamp(&packet[14], (ReadStamp(&packet[14]) + offset) & kPtsMask);
}

CPesLoop::CPesLoop(std::vector<PesFilePacket> packets) : m_packets(std::move(packets)) {
  uint64_t first = UINT64_MAX, last = 0;
  for (const PesFilePacket& p : m_packets)
    if (p.hasPts) {
      first = std::min(first, p.pts);
      last = std::max(last, p.pts);
    }
  if (first == UINT64_MAX) first = last = 0;
  m_firstPts = first;
  m_period = last - first + kFrameTicks;
}

const std::vector<uint8_t>& CPesLoop::Next(int64_t* dueMs, bool* video) {
  if (m_index == m_packets.size()) {
    m_index = 0;
    m_offset += m_period;
  }
  const PesFilePacket& p = m_packets[m_index++];
  m_current = p.bytes;
  ShiftPesTimestamps(m_current, m_offset);
  if (p.hasPts) m_lastDueMs = static_cast<int64_t>((p.pts - m_firstPts + m_offset) / 90) - kLeadMs;
  *dueMs = m_lastDueMs;
  *video = m_current.size() > 3 && m_current[3] >= 0xE0;
  return m_current;
}
