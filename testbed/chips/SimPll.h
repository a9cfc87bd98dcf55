// A tuner PLL: decodes the four bytes [divider high, divider low, control,
// band] back to the frequency it tunes, on its own step and intermediate
// frequency; a write whose first byte has bit 7 set carries control and
// band only. Reads give its status byte (bit 6: the loop is in lock, from
// its lock time after the last programming on).
#pragma once

#include "SimChip.h"
#include "SimClock.h"

class CSimPll : public CSimChip {
 public:
  // Tuned frequency = divider x stepKHz - ifKHz.
  CSimPll(CSimClock& clock, double stepKHz, double ifKHz) : m_clock(clock), m_stepKHz(stepKHz), m_ifKHz(ifKHz) {}

  bool Write(const BYTE* data, int count) override;
  bool Read(BYTE* data, int count) override;

  bool Programmed() const { return m_programmed; }
  bool InLock() const { return m_programmed && m_clock.Now() - m_programmedAt >= m_lockMs; }
  void SetLockTime(double ms) { m_lockMs = ms; }
  static constexpr double kDefaultLockMs = 5;
  DWORD Divider() const { return m_divider; }
  double TunedKHz() const { return m_divider * m_stepKHz - m_ifKHz; }
  double ProgrammedAt() const { return m_programmedAt; }
  BYTE Control() const { return m_control; }
  BYTE Band() const { return m_band; }

 protected:
  CSimClock& m_clock;
  double m_stepKHz, m_ifKHz;
  bool m_programmed = false;
  DWORD m_divider = 0;
  BYTE m_control = 0, m_band = 0;
  double m_programmedAt = 0;
  double m_lockMs = kDefaultLockMs;
};

// The register-programmed tuner of variant 31: a write from sub-address 0
// carries its divider D (bytes 1 and 2: D >> 6, (D & 0x3F) << 2) and its band
// byte (5), whose bits 6-7 give the divider's prescaler k = 1, 2, 4, 8; it
// tunes D x 250 / k kHz less its intermediate frequency. Writes to its other
// sub-addresses set its loops and change nothing here.
class CSimRegTuner : public CSimPll {
 public:
  CSimRegTuner(CSimClock& clock, double ifKHz) : CSimPll(clock, 250, ifKHz) {}
  bool Write(const BYTE* data, int count) override;
};
