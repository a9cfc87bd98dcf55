// The virtual clock of the chip simulator: time moves only when the code
// under test pauses (or the box paces its commands), so searches and long
// waits take no real time and every run is the same. A worker thread of the
// code under test (the channel search) may pause while its caller does.
#pragma once

#include <atomic>

class CSimClock {
 public:
  double Now() const { return m_ms; }
  void Advance(double ms) {
    if (ms <= 0) return;
    double now = m_ms;
    while (!m_ms.compare_exchange_weak(now, now + ms)) {
    }
  }

 private:
  std::atomic<double> m_ms{0};
};
