// The QAM cable front end of variant 3 as a driver with a lock search: a
// VES18xx demodulator at 0x12 with a tuner PLL at 0xC4. SetChannel programs
// tuner and demodulator and starts a search; each Poll advances the search
// machine (AGC gain step, spectral inversion, frequency by the measured
// error) and says how long to wait. The same object scans a frequency window
// step by step, which is how the front end searches for channels.
#pragma once

#include "FrontendBus.h"
#include "SearchDriver.h"

class CFECabVES18xx : public IFESearchDriver {
 public:
  // Detail codes.
  static constexpr WORD kBusy8 = 8, kBusy5 = 5, kBusy4 = 4;
  static constexpr WORD kOutOfRange = 6;  // symbol rate
  static constexpr WORD kBadArgument = 7;
  // Poll states.
  static constexpr WORD kPollBusy = 0, kPollNotLocked = 1, kPollLocked = 2;

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
  // 0 or 5 (no channel set); state kPollBusy, kPollNotLocked or kPollLocked.
  int Poll(WORD* state, DWORD waitMs);
  int GetChannel(WORD* code, Channel* channel);
  int GetSignal(WORD* code, Signal* signal, DWORD berPeriod);

  void SetScanRange(DWORD f1, DWORD f2, DWORD offset);
  void ResetScanRange();
  int ScanNext(WORD* code);
  int ScanStop(WORD* code);

  // IFESearchDriver: the sweep runs from the current channel up to
  // `parameter` kHz (0: to the top of the window).
  WORD SetSearchStart(DWORD frequency, DWORD parameter, DWORD localOscillator) override;
  WORD StartSearch() override;
  WORD PollLock(WORD& state, DWORD waitMs) override;
  WORD GetSearchResult() override;
  void ResetSearchRange() override { ResetScanRange(); }
  DWORD SweepSteps() override;

  DWORD CurrentKHz() const { return m_currentKHz; }
  DWORD ScanLow() const { return m_scanLow; }
  DWORD ScanHigh() const { return m_scanHigh; }
  int GainStep() const { return m_gainStep; }
  WORD Wait() const { return m_wait; }

  static constexpr BYTE kAddress = 0x12;
  static constexpr DWORD kWindowLow = 50000, kWindowHigh = 860000;

 private:
  void Write(BYTE reg, BYTE value);
  void Pulse(BYTE reg, BYTE first, BYTE second);
  BYTE Read(BYTE reg);
  WORD BusyCode() const;
  void Tune(DWORD f);
  void SetQAMParams();
  void StartLockSearch();
  void StopLockSearch();
  void SetGainStep(int step);
  void Restart();
  void WaitLong();
  int GetAFC();
  int Correction(int afc) const;
  void Correct(int afc);
  DWORD ErrorCount();
  DWORD MeasureBER(DWORD period);
  WORD Step();
  void ScanStep(BYTE status);

  IFrontendBus& m_bus;
  BOOL m_analog = 0;
  BYTE m_pwm = 0x40;
  bool m_tuned = false;
  BYTE m_tuner;
  DWORD m_scanLow = kWindowLow, m_scanHigh = kWindowHigh;
  BYTE m_flags = 0;
  int m_identity = 0;
  DWORD m_currentKHz = 0, m_requestedKHz = 0;
  WORD m_wait = 0;
  DWORD m_symbolRate = 0;
  BYTE m_mode = 0;
  BYTE m_shadow[0x40] = {};
  BYTE m_status = 0;
  int m_searchState = 0;
  int m_gainStep = 1;
  DWORD m_keptErrors = 0;
};
