// The QAM cable front end of variant 17: an STV0297 demodulator at 0x38 with
// a tuner behind its repeater. The board (its cable board index) decides the
// tuner scheme and a few register values; the chip state is the register
// shadow, the master clock and, on board 0, a frequency correction learned
// from each lock and kept in the board's EEPROM.
#pragma once

#include "FrontendBus.h"
#include "RegisterField.h"

class CFECab0297 {
 public:
  // Channel words: frequency kHz, symbol rate kSym/s, QAM size 16..256.
  struct Channel {
    DWORD freqKHz;
    DWORD symbolRateK;
    DWORD qamSize;
  };

  // Reads the stored correction on board 0 (and repairs one that was stored
  // in the old absolute form).
  CFECab0297(IFrontendBus& bus, int boardIndex);
  CFECab0297(const CFECab0297&) = delete;
  CFECab0297& operator=(const CFECab0297&) = delete;

  // Reset pulses and the register table, then 6890 kSym/s.
  void InitRegisters();

  // The tuner of board 0 (at 0xC6): the PLL divider, 0 out of range.
  DWORD SetTunerFreqA(DWORD freqKHz);
  // The tuner of boards 1-3: the tuned frequency in kHz, 0 out of range.
  DWORD SetTunerFreqB(DWORD freqKHz, int tunerArg);

  void SetQAMSize(DWORD qam);
  void SetSymbolRate(DWORD srKHz);
  int GetSymbolRate();
  void SetSweepRate(short rate);
  void SetCarrierOffset(int offset);
  int GetCarrierOffset();
  void SetInitialDemodFreq(int freqKHz);

  // 1 locked, 0 not.
  int TuneAndLock(const Channel& channel, int sweep, int offset, bool inversion);
  int SetChannel(const Channel& channel, bool inversion, int sweep, int offset, int tunerArg);

  // Register and field access (7-bit descriptors as in RegisterField.h).
  int WriteReg(BYTE reg, BYTE val) { return m_regs.WriteReg(reg, val); }
  int ReadReg(BYTE reg) { return m_regs.ReadReg(reg); }
  int WriteField(DWORD desc, int val) { return m_regs.WriteField(desc, val); }
  int ReadField(DWORD desc) { return m_regs.ReadField(desc); }
  // The field as read now; false when the read failed (the shadow would
  // only repeat an older value).
  bool ReadFieldNow(DWORD desc, int& val);
  // The carrier-offset register (0x66-0x69) as read now, signed 28 bits.
  bool ReadCarrierOffsetRaw(int& raw);

  int BoardIndex() const { return m_boardIndex; }
  int StoredCorrection() const { return m_storedCorrection; }

  static const BYTE kAddress = 0x38;
  static const int kMasterClockKHz = 28900;

 private:
  // The lock waits on a time counter t (ms), one poll every 10 ms: until
  // the bit is set, failing once t passes `limit`; and until the bit was set
  // 20 polls in a row, stopping once t passes `limit`, failing when the last
  // poll found it clear.
  bool WaitForBit(BYTE reg, BYTE bit, int& t, int limit);
  bool WaitSteadyBit(BYTE reg, BYTE bit, int& t, int limit);
  bool BitNow(BYTE reg, BYTE bit);

  IFrontendBus& m_bus;
  int m_boardIndex;
  int m_storedCorrection = 0;
  int m_masterClock = 0;
  CRegisterShadow m_regs;
};
