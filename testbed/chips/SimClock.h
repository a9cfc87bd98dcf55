// The virtual clock of the chip simulator: time moves only when the code
// under test pauses (or the box paces its commands), so searches and long
// waits take no real time and every run is the same.
#pragma once

class CSimClock {
 public:
  double Now() const { return m_ms; }
  void Advance(double ms) {
    if (ms > 0) m_ms += ms;
  }

 private:
  double m_ms = 0;
};
