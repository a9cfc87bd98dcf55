// The OFDM demodulator driver of terrestrial variant 25: the demodulator at
// 0x10 with its DSP microcode, one of two PLL tuners behind its gate (four
// bytes at 0xC2 or five at 0xC6), and a lock search stepped one state per
// call that also tries the channel offsets of +-167 kHz.
#pragma once

#include "FrontendBus.h"
#include "FrontendTypes.h"

#include <vector>

class CFETerFw25 {
 public:
  // The DSP's microcode image, whose first byte is not sent.
  CFETerFw25(IFrontendBus& bus, std::vector<BYTE> image);
  virtual ~CFETerFw25() = default;
  CFETerFw25(const CFETerFw25&) = delete;
  CFETerFw25& operator=(const CFETerFw25&) = delete;

  // 0 ready; 1 microcode not loaded or the DSP check failed; -1 the
  // configuration failed; -2 no tuner answered.
  int Init();
  // Codes 255: automatic. Without noWait the search runs to its end (lock
  // state 3 or 4), bounded in time.
  int SetChannel(DWORD freqKHz, DWORD bandCode, BOOL inversion, DWORD modeCode, DWORD constellationCode, BOOL noWait);
  // One step of the lock search.
  void Step();
  BYTE GetLockState();  // register 0x06: bit 0 parameters valid, bit 3 locked
  int GetTPS(frontendtypes::_TYPE_TPS* tps);
  BYTE GetAGC();
  BYTE GetSNR_SQE();
  int GetAFC(long* out);
  int GetBER(double* out);
  int SetInversion(BOOL on);

  enum LockState { kNone = 0, kInitialised = 1, kTuning = 2, kLocked = 3, kNoLock = 4 };
  enum SearchState {
    kIdle = 100,
    kProgram = 101,
    kRestart = 102,
    kFirstWait = 103,
    kOffsetTry = 104,
    kOffsetWait = 105,
    kOtherSide = 106,
    kOtherWait = 107,
    kFound = 108
  };
  DWORD LockStateNow() const { return m_nLockState; }
  DWORD SearchStateNow() const { return m_nSearchState; }
  DWORD Frequency() const { return m_dwFreq; }
  DWORD SearchFrequency() const { return m_dwSearchFreq; }
  DWORD Bandwidth() const { return m_dwBandwidth; }
  bool FiveByteTuner() const { return m_bFiveByteTuner != 0; }
  BYTE TunerAddress() const { return m_bTunerAddr; }

  // The longest a SetChannel waits for the search.
  static constexpr DWORD kSearchLimitMs = 15000;
  // The DSP's answer polls give up after this many.
  static constexpr int kDspPollLimit = 300;
  // The box's I2C writes carry at most 57 bytes: a microcode block goes to
  // the data port in pieces of this many bytes.
  static constexpr int kBlockBytes = 64;
  static constexpr int kPieceBytes = 32;

 private:
  struct Timer {
    DWORD duration = 0, start = 0;
  };
  void Arm(Timer& t, DWORD ms) { t = {ms, m_bus.Now()}; }
  bool Expired(const Timer& t) { return t.duration < DWORD(m_bus.Now() - t.start); }

  // Register primitives at the demodulator, each byte a transfer of its own
  // at 400 kHz: the number of bytes done.
  int WriteRegs(BYTE reg, const BYTE* values, int count);
  int WriteReg(BYTE reg, BYTE value) { return WriteRegs(reg, &value, 1); }
  int ReadRegs(BYTE reg, BYTE* out, int count);
  bool UpdateBits(BYTE reg, BYTE mask, BYTE value);
  bool Gate(bool open) { return UpdateBits(0x07, 0x02, open ? 0x02 : 0x00); }
  bool TunerWrite(BYTE addr, const BYTE* bytes, int count, bool again);

  int Download();
  int Configure();
  bool LoadDspParameters();
  // Polls the DSP with `command` until `done` says so (at least five polls,
  // at most kDspPollLimit).
  template <typename Done>
  bool PollDsp(BYTE command, int readCount, Done done);
  bool VerifyDsp(BYTE index);
  BYTE ErrorPeriodCode();
  void ProgramBandwidth(DWORD hz);
  DWORD ProgramTuner(DWORD freqKHz);
  void ProgramChannel();
  void RestartAcquisition();
  // States 103, 105 and 107: a look at the status once the short timer ran.
  void Watch(int attempts, DWORD timeoutState, DWORD onLimit);

  IFrontendBus& m_bus;
  std::vector<BYTE> m_image;

  DWORD m_dwFreq = 0;
  DWORD m_dwBandwidth = 0;
  BYTE m_Tps[8] = {};
  Timer m_TimerShort, m_TimerLong;
  DWORD m_dwSearchFreq = 0;
  BYTE m_bFiveByteTuner = 0;
  BYTE m_bTunerAddr = 0xC2;
  DWORD m_dwBandCode = 3;
  DWORD m_nSearchState = kIdle;
  DWORD m_nLockState = kNone;
  DWORD m_dwProgrammedBandwidth = 0;
  BYTE m_bStreamSel = 0;
  BYTE m_bOffsetIndication = 0;  // register 0x05 bits 6-7 at the first retry
};
