// The clock of the chip simulator: lock times and the transfer log run on
// it. The virtual clock moves only when the code under test pauses (or the
// box paces its commands), so searches and long waits take no real time and
// every run is the same. A worker thread of the code under test (the channel
// search) may pause while its caller does.
//
// Behind boxlink.dll the library pauses with the system's Sleep and reads
// the tick count, which the simulator never sees: there the chips run on the
// real clock as well (kFollowsRealTime), so that every pause of the library
// lasts at least as long for the chips, and a test may still move them on.
#pragma once

#include <atomic>
#include <chrono>

class CSimClock {
 public:
  enum Kind { kVirtual, kFollowsRealTime };
  explicit CSimClock(Kind kind = kVirtual) : m_followsRealTime(kind == kFollowsRealTime) {}
  CSimClock(const CSimClock&) = delete;
  CSimClock& operator=(const CSimClock&) = delete;

  // Milliseconds since the clock was made.
  double Now() const { return m_ms + (m_followsRealTime ? RealMs() : 0); }
  void Advance(double ms) {
    if (ms <= 0) return;
    double now = m_ms;
    while (!m_ms.compare_exchange_weak(now, now + ms)) {
    }
  }

 private:
  double RealMs() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_start).count();
  }

  const bool m_followsRealTime;
  const std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
  std::atomic<double> m_ms{0};
};
