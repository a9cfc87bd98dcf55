// The QPSK satellite front end of the STV0299 variants (15, 20, 24, 27) as a
// driver that searches: an STV0299 at 0xD0 with a tuner PLL behind its
// repeater. It sweeps the derotator for timing, carrier and data lock and
// steps the tuner in a zig-zag around the wanted frequency.
#pragma once

#include "FrontendBus.h"
#include "RegisterField.h"

#include <vector>

class CFESatSTV0299 {
 public:
  // Search states.
  enum State {
    kStart = 0,
    kNoTiming = 3,
    kTiming = 4,
    kNoCarrier = 7,
    kCarrier = 8,
    kNoData = 9,
    kData = 11,
    kLocked = 13,
  };

  struct Result {
    int state;
    int reserved;
    int codeRate;   // field 0x071B
    int frequency;  // kHz
    int symbolRate;
  };

  explicit CFESatSTV0299(IFrontendBus& bus);
  CFESatSTV0299(const CFESatSTV0299&) = delete;
  CFESatSTV0299& operator=(const CFESatSTV0299&) = delete;

  // mode 0 (variant 15), 1 (20 and 24) or 2 (27): the tuner kind. 0, or 2
  // when the chip does not identify itself.
  int Init(BOOL japanLnb, int mode);
  // 0 locked, 1 not locked. iqMode 0 and 1 fix the spectrum, above 1 the
  // search tries both. A symbol rate of 0 or a master clock of 0 is "not
  // locked" with nothing divided by it.
  int SetChannel(int srKSym, int freqMHz, int reserved, int iqMode);

  int GetMasterClock();
  int SetSymbolRate(int srSym);
  // The tuned frequency in kHz (500 x divider); -1 in gives -1.
  int SetTunerFreq(int freqKHz, int srKSym);

  const Result& LastResult() const { return m_result; }
  int TunerKind() const { return m_tunerKind; }
  // The tuner frequencies each loop of the last search started from (kHz).
  std::vector<int> Tries() const { return std::vector<int>(m_tries, m_tries + m_tryCount); }

  static const BYTE kAddress = 0xD0;

 private:
  void InitRegisters(bool full);
  void SetSRDependentRegs();
  void UpdateTimings();
  int CalcSymbolRate(int r1F, int r20, int n);
  int CalcDataTime(int srSym);
  void SetTunerDivider(int n);
  void WaitTunerLock(int ms);
  void WriteDerotator(int d);
  int ReadDerotator();
  int CheckTiming();
  int CheckCarrier();
  int CheckData();
  void ToggleIQ();
  // The timing and carrier sweeps: check, then step the derotator out in a
  // widening zig-zag until `good` or the passes are used up.
  int DerotatorSearch(int (CFESatSTV0299::*check)(), int bad, int good, int step, int start);
  int DataSearch();
  void Search();
  BYTE TunerAddress() const { return m_tunerKind == 3 ? 0xC0 : 0xC2; }

  IFrontendBus& m_bus;
  CRegisterShadow m_regs;
  BYTE m_pll[4] = {};  // divider high, divider low, control, band
  int m_tunerKind = 0;
  int m_pllReference = 0;
  int m_tunedKHz = 0;
  int m_divider = 0;
  bool m_highBand = false;
  int m_srKSym = 0;
  int m_state = kStart;
  int m_currentKHz = 0, m_startKHz = 0;
  int m_srSym = 0;
  int m_masterClock = 0, m_clockUnit = 0;
  int m_zigZagHz = 0;
  int m_halfBandHz = 0;
  int m_spanHz = 0;
  int m_rangeHz = 0;
  int m_derotator = 0;
  int m_derotatorFactor = 0;
  int m_derotatorStep = 0;
  int m_settle1 = 0, m_settle2 = 0;
  int m_timingWait = 0, m_carrierWait = 0, m_dataWait = 0;
  int m_tunerDirection = 1;
  int m_iqMode = 0;
  Result m_result = {};
  static const int kMaxTries = 16;
  int m_tries[kMaxTries] = {};
  int m_tryCount = 0;
};
