#include "PesGatherer.h"

namespace {
constexpr size_t kTsPacket = 188;
constexpr size_t kPesFixedHeader = 9;  // start code, stream id, length, two flag bytes, header length
}  // namespace

void CPesGatherer::Reset() {
  m_pending.clear();
  m_started = false;
}

bool CPesGatherer::Take(const BYTE* packet, std::vector<BYTE>* done) {
  if (!(packet[3] & 0x10)) return false;  // no payload
  size_t at = 4;
  if (packet[3] & 0x20) at += 1 + packet[4];
  if (at >= kTsPacket) return false;
  bool completed = false;
  if (packet[1] & 0x40) {
    if (m_started && !m_pending.empty()) {
      done->swap(m_pending);
      completed = true;
    }
    m_pending.clear();
    const BYTE* pes = packet + at;
    m_started = at + kPesFixedHeader <= kTsPacket && pes[0] == 0 && pes[1] == 0 && pes[2] == 1;
    if (!m_started) return completed;
    at += kPesFixedHeader + pes[8];
    if (at > kTsPacket) {
      m_started = false;
      return completed;
    }
  } else if (!m_started) {
    return false;
  }
  m_pending.insert(m_pending.end(), packet + at, packet + kTsPacket);
  return completed;
}
