// The satellite front end of variants 28, 29 and 30: a QPSK demodulator that
// reports a version (3 to 9) in register 0, at 0xF2, 0xA6 or 0xA0, with a
// tuner PLL at 0xC2 behind its repeater (register 2 bit 0). It finds the
// carrier by stepping the carrier offset around the nominal frequency.
#pragma once

#include "FrontendBus.h"

#include <vector>

class CFESatVer {
 public:
  struct Signal {
    double ber;     // bit-error rate, a fraction
    int quality;    // 0-100 from the error rate
    int offsetKHz;  // carrier offset measured now
    int codeRate;   // register 50 bits 0-2
    int inversion;  // 1 when register 50 bit 3 is clear
    int levelDbm;   // input level, negative
    int strength;   // 100 - the level's magnitude while locked, else 0
    BYTE agc;
  };

  explicit CFESatVer(IFrontendBus& bus, BYTE address);
  virtual ~CFESatVer() {}
  CFESatVer(const CFESatVer&) = delete;
  CFESatVer& operator=(const CFESatVer&) = delete;

  // Keeps the flag and resets the demodulator; 1.
  int Init(BOOL japanLnb);
  // rec: the two frequencies (kHz) whose difference the tuner takes, and
  // between them the symbol rate (Sym/s). FALSE, with no register touched,
  // when either is out of range; else TRUE whatever the lock.
  BOOL SetChannel(const DWORD rec[3]);
  // Locked; the four lock bits into lockBits' low nibble; the signal.
  BOOL GetStatus(DWORD* lockBits, Signal* signal);

  // 0 to 100 from an error rate (fraction).
  static int Quality(double ber);

  BOOL Locked() const { return m_locked; }
  int FrequencyErrorKHz() const { return m_freqErrorKHz; }
  float MasterClock() const { return m_clockMHz; }
  int RateMode() const { return m_rateMode; }
  // The carrier offsets the last tune tried, kHz (0 first).
  std::vector<int> Offsets() const { return std::vector<int>(m_offsets, m_offsets + m_offsetCount); }

 private:
  int Tune(DWORD fKHz, DWORD srKsps);
  void Reset();
  void InitRegs();
  bool SetTuner(DWORD fKHz, DWORD srMsps);
  void SetSymbolRate(DWORD srKsps);
  void SetCarrierOffset(double offsetMHz);
  double GetCarrierOffset();
  void SetDecimation(DWORD srMsps);
  bool IsLocked();
  int LockWord();
  void Write(BYTE reg, BYTE value);
  BYTE Read(BYTE reg);
  void Or(BYTE reg, BYTE bits) { Write(reg, BYTE(Read(reg) | bits)); }
  void And(BYTE reg, BYTE bits) { Write(reg, BYTE(Read(reg) & bits)); }

  IFrontendBus& m_bus;
  int m_rateMode = 0;
  BOOL m_locked = 0;
  int m_freqErrorKHz = 0;
  float m_clockMHz = 88.0f;
  BYTE m_address;
  BOOL m_japanLnb = 0;
  static const int kMaxOffsets = 19;
  int m_offsets[kMaxOffsets] = {};
  int m_offsetCount = 0;
};
