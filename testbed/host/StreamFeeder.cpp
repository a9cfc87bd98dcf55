#include "StreamFeeder.h"

#include <chrono>

using Clock = std::chrono::steady_clock;

void CStreamFeeder::Start(std::vector<PesFilePacket> packets, bool realRate, int loops, HWND notify) {
  Stop();
  m_packets = std::move(packets);
  m_realRate = realRate;
  m_loops = loops;
  m_notify = notify;
  m_stop = false;
  m_thread = std::thread([this] { Run(); });
}

void CStreamFeeder::Stop() {
  m_stop = true;
  if (m_thread.joinable()) m_thread.join();
}

bool CStreamFeeder::WaitUntil(Clock::time_point target) {
  while (!m_stop) {
    const auto left = target - Clock::now();
    if (left <= Clock::duration::zero()) return true;
    std::this_thread::sleep_for(std::min<Clock::duration>(left, std::chrono::milliseconds(50)));
  }
  return false;
}

void CStreamFeeder::Run() {
  const auto began = Clock::now();
  long long packets = 0, bytes = 0;
  for (int loop = 0; (m_loops == 0 || loop < m_loops) && !m_stop; ++loop) {
    // Each loop restarts the clock at the first PTS; a PTS that goes back
    // (a wrap or a splice) restarts it there.
    bool haveBase = false;
    uint64_t basePts = 0;
    Clock::time_point baseTime;
    for (const PesFilePacket& packet : m_packets) {
      if (m_stop) break;
      if (m_realRate && packet.hasPts) {
        if (!haveBase || packet.pts < basePts) {
          haveBase = true;
          basePts = packet.pts;
          baseTime = Clock::now();
        }
        const auto offset = std::chrono::microseconds((packet.pts - basePts) * 1000 / 90);
        if (!WaitUntil(baseTime + offset)) break;
      }
      m_plugin.Deliver(static_cast<int>(packet.bytes.size()), packet.bytes.data());
      ++packets;
      bytes += static_cast<long long>(packet.bytes.size());
    }
  }
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - began).count();
  m_log.Line("stream fed %lld packets, %lld bytes, %lld ms", packets, bytes, static_cast<long long>(ms));
  if (!m_stop && m_notify) PostMessage(m_notify, kFedMessage, 0, 0);
}
