// The QPSK satellite front end of variant 2 as a driver with a lock search:
// a VES18xx demodulator at 0x10 with a tuner PLL at 0xC2 on the LNB's
// output (950-2150 MHz). Built like the cable driver: SetChannel programs
// tuner and demodulator and starts a search; each Poll advances the search
// machine (loop-bandwidth steps, frequency by the measured error, the
// error count deciding between steps), and without a lock a zig-zag around
// the requested frequency within the caller's search width. The same object
// scans its window step by step for the channel search.
#pragma once

#include "FEVes18xx.h"

class CFESatVES18xx : public CFEVes18xx {
 public:
  struct Channel {
    DWORD frequency;  // kHz, the transponder's
    DWORD symbolRate;
    DWORD codeRate;   // 1-8, as the chip found it
    DWORD inversion;  // 1 normal, 0 inverted
    DWORD width;      // the search width of SetChannel
    DWORD voltage;    // 0, 13 or 18
    BOOL tone;
  };
  struct Signal {
    int afcKHz;
    DWORD berMantissa, berExponent;
    BYTE agc;       // register 0x1C, raw
    BYTE snr;       // register 0x0B, raw
    WORD level;     // from the AGC by the level table
    WORD strength;  // percent
  };

  explicit CFESatVES18xx(IFrontendBus& bus);
  ~CFESatVES18xx() override {}

  int Init();
  // 0, 2 with the detail in code, or 3 (tuner frequency |freq - lo| outside
  // 950000-2150000 kHz). fec 0: automatic code rate; inversion 0 inverted,
  // 1 normal, else automatic; voltage 0, 13 or 18; width 0-15 (x 500 kHz
  // either way the zig-zag may move). With lnbControl the driver switches
  // the LNB supply, handing diseqcArg through.
  int SetChannel(WORD* code, DWORD freqKHz, DWORD loKHz, DWORD symbolRate, BYTE fec, BYTE inversion, BYTE voltage,
                 BOOL tone, BYTE width, DWORD diseqcArg, BOOL lnbControl);
  int Poll(WORD* state, DWORD waitMs) override;
  int GetChannel(WORD* code, Channel* channel);
  int GetSignal(WORD* code, Signal* signal, DWORD berPeriod);

  int SearchStep() const { return m_step; }

  static constexpr BYTE kAddress = 0x10;
  static constexpr BYTE kTunerAddress = 0xC2;
  static constexpr DWORD kWindowLow = 950000, kWindowHigh = 2150000;
  static constexpr DWORD kClock = 90100000;  // sampling clock, Hz
  // The level table's entries, for the AGC values 170 down to 9.
  static constexpr int kLevels = 162;

 private:
  void Tune(DWORD f);
  void SetParams();
  void SetDecimation();
  void SetSymbolRate();
  void SetLnbVoltage();
  void SetSearchStep(int step);
  DWORD StepWait(DWORD base) const;
  void StartLockSearch();
  void StopLockSearch() override;
  int GetAFC();
  int Correction(int afc) const;
  // Moves the frequency by the measured error; false when there was none.
  bool Correct();
  DWORD CountIfLocked();
  WORD Step();
  // One step of the zig-zag around the requested frequency; false once it
  // has run out.
  bool ZigZag();
  void NewSearch();

  DWORD m_lo = 0;
  bool m_spectrum = false;  // the oscillator lies above the transponder
  BOOL m_tone = 0;
  BOOL m_lnbControl = 1;
  BYTE m_width = 0;
  WORD m_mode = 0;
  bool m_highRate = false;
  BYTE m_decimation = 0;  // register 0x21 as SetDecimation wrote it
  int m_step = 0;
  DWORD m_keptErrors = 0;
  bool m_corrected = false;
  int m_zigZag = 2;  // counter k; 1 when the zig-zag has run out
};
