#include "StreamFeeder.h"

#include <chrono>

using Clock = std::chrono::steady_clock;

void CStreamFeeder::Start(std::vector<PesFilePacket> packets, bool realRate, int loops, HWND notify) {
  Stop();
  m_packets = std::move(packets);
  m_realRate = realRate;
  m_loops = loops;
  m_notify = notify;
  m_worker.Start(StreamThread, this);
}

void CStreamFeeder::Stop() { m_worker.Stop(kStopLimitMs); }

UINT CStreamFeeder::StreamThread(LPVOID feeder) {
  static_cast<CStreamFeeder*>(feeder)->Run();
  return 0;
}

bool CStreamFeeder::WaitUntil(Clock::time_point target) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(target - Clock::now()).count();
  return left <= 0 || !m_worker.WaitForStop(static_cast<DWORD>(left));
}

void CStreamFeeder::Run() {
  const auto began = Clock::now();
  long long packets = 0, bytes = 0;
  for (int loop = 0; (m_loops == 0 || loop < m_loops) && !m_worker.IsStopRequested(); ++loop) {
    // Each loop restarts the clock at the first PTS; a PTS that goes back
    // (a wrap or a splice) restarts it there.
    bool haveBase = false;
    uint64_t basePts = 0;
    Clock::time_point baseTime;
    for (const PesFilePacket& packet : m_packets) {
      if (m_worker.IsStopRequested()) break;
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
  if (!m_worker.IsStopRequested() && m_notify) PostMessage(m_notify, kFedMessage, 0, 0);
}
