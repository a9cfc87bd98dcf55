// The QAM cable front end of variant 3 as a driver with a lock search: a
// VES18xx demodulator at 0x12 with a tuner PLL at 0xC4. SetChannel programs
// tuner and demodulator and starts a search; each Poll advances the search
// machine (AGC gain step, spectral inversion, frequency by the measured
// error) and says how long to wait. The same object scans a frequency window
// step by step, which is how the front end searches for channels.
#pragma once

#include "FEVes18xx.h"

class CFECabVES18xx : public CFEVes18xx {
 public:
  struct Channel {
    DWORD frequency;  // kHz
    DWORD symbolRate;
    DWORD qam;        // index, 0 = 16-QAM ... 4 = 256-QAM
    DWORD inversion;  // 1 when register 0x00 bit 5 is clear
  };
  struct Signal {
    int afcKHz;
    DWORD berMantissa, berExponent;
    BYTE level;  // register 0x17, raw
    BYTE noise;  // register 0x18, raw
    WORD quality;
  };

  CFECabVES18xx(IFrontendBus& bus, BYTE tunerAddress);
  ~CFECabVES18xx() override {}

  int Init();
  // 0, 2 with the detail in code, or 3 (frequency outside 45000-860000 kHz).
  int SetChannel(WORD* code, DWORD freqKHz, DWORD spare, DWORD symbolRate, BYTE qam, BYTE inversion);
  int Poll(WORD* state, DWORD waitMs) override;
  int GetChannel(WORD* code, Channel* channel);
  int GetSignal(WORD* code, Signal* signal, DWORD berPeriod);

  int GainStep() const { return m_gainStep; }

  static constexpr BYTE kAddress = 0x12;
  static constexpr DWORD kWindowLow = 50000, kWindowHigh = 860000;

 private:
  void Tune(DWORD f);
  void SetQAMParams();
  void StartLockSearch();
  void StopLockSearch() override;
  void SetGainStep(int step);
  void Restart();
  void WaitLong();
  int GetAFC();
  int Correction(int afc) const;
  void Correct(int afc);
  DWORD MeasureBER(DWORD period);
  WORD Step();
  void ScanStep(BYTE status);

  BOOL m_analog = 0;
  BYTE m_pwm = 0x40;
  BYTE m_tuner;
  BYTE m_mode = 0;
  int m_gainStep = 1;
  DWORD m_keptErrors = 0;
};
