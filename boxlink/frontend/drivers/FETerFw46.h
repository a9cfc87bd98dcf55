// The OFDM demodulator driver with DSP microcode of terrestrial variants 26
// and 31: one demodulator at 0x10, its sampling clock and bandwidth words
// derived from a configuration block, a polled lock state with one offset
// retry per acquisition. Two builds differ in the tuner behind the gate:
// CFETerFw46 a PLL programmed by divider and band byte (variant 26),
// CFETerFw46B a register-programmed tuner driven from a band table
// (variant 31).
#pragma once

#include "FrontendBus.h"
#include "FrontendTypes.h"

#include <vector>

class CFETerFw46 {
 public:
  // The DSP's microcode image, whose first byte is not sent.
  CFETerFw46(IFrontendBus& bus, std::vector<BYTE> image) : CFETerFw46(bus, std::move(image), false) {}
  virtual ~CFETerFw46() = default;
  CFETerFw46(const CFETerFw46&) = delete;
  CFETerFw46& operator=(const CFETerFw46&) = delete;

  // 0 ready (the microcode runs), -1 not.
  int Init();
  // Codes 255: automatic. Without noWait the lock poll runs until it
  // settles, bounded in time.
  int SetChannel(DWORD freqKHz, DWORD bandCode, BOOL inversion, DWORD modeCode, DWORD constellationCode, BOOL noWait);
  // The lock poll: status 0 locked, 1 not locked, 2 still searching; 3 when
  // not initialised.
  int PollLock(int& status);
  BYTE GetLockState();  // register 0x06: bit 0 parameters valid, bit 3 locked
  BYTE GetAGC();
  BYTE GetSNR_SQE();
  int GetTPS(frontendtypes::_TYPE_TPS* tps);
  int GetBER(double* out);
  int GetAFC(long* out);
  int SetInversion(BOOL on);
  // Level in dB-like units (0, or 3 when not initialised).
  int GetSignalLevel(signed char& level);
  // Uncorrected blocks since the last call, -1 when the counter does not
  // clear.
  int GetUncorrected(int& blocks);

  // Bandwidth of the channel (Hz): 0, 3 not initialised, 4 not 6-8 MHz.
  int ProgramBandwidth(DWORD hz);
  DWORD Frequency() const { return m_dwFreq; }
  DWORD Bandwidth() const { return m_dwBandwidth; }
  DWORD SampleClock() const { return m_dwSampleClock; }
  DWORD Errors() const { return m_dwErrors; }
  int OffsetCode() const { return m_nOffsetCode; }
  DWORD TunerIf() const { return m_dwTunerIf; }

  // The longest a SetChannel polls for lock.
  static constexpr DWORD kLockLimitMs = 5000;
  static const BYTE kVersion = 0x20;

 protected:
  CFETerFw46(IFrontendBus& bus, std::vector<BYTE> image, bool registerTuner);

 private:
  // The demodulator's registers through the terrestrial bus helpers at the
  // fast rate; every failure counts.
  bool WriteRegs(BYTE reg, const BYTE* values, int count);
  bool WriteReg(BYTE reg, BYTE value) { return WriteRegs(reg, &value, 1); }
  bool ReadRegs(BYTE reg, BYTE* out, int count);
  bool UpdateBits(BYTE reg, BYTE mask, BYTE value);
  bool Gate(bool open) { return UpdateBits(0x07, 0x02, open ? 0x02 : 0x00); }
  bool TunerWrite(const BYTE* bytes, int count);

  int Configure();
  void WriteIfWord();
  int LoadMicrocode();
  int TunePll(DWORD hz);  // CFETerFw46, the frequency with the IF
  int TuneRegisterTuner(DWORD hz);
  int InitRegisterTuner();
  void Tune(DWORD hz, int offsetHz);
  bool OffsetRetry();
  void Retune(int code);

  IFrontendBus& m_bus;
  std::vector<BYTE> m_image;
  const bool m_bRegisterTuner;

  DWORD m_dwErrors = 0;
  BYTE m_bDemodAddr = 0x10;
  DWORD m_dwFlags = 0;
  DWORD m_dwFreq = 0, m_dwBandwidth = 0, m_dwSampleClock = 0;
  int m_nInversionState = 1, m_nConstellationState = 0, m_nModeState = 0;
  int m_nOffsetCode = 1;
  BYTE m_bOffsetTries = 0;
  DWORD m_W1[3] = {}, m_W2[3] = {};  // 8, 7, 6 MHz
  // The PLL tuner (CFETerFw46).
  DWORD m_dwTunerReady = 0;
  BYTE m_bTunerAddr = 0xC0;
  DWORD m_dwTunerBandwidth = 8000000;
  DWORD m_dwTunerActual = 0;
  // The register-programmed tuner (CFETerFw46B).
  DWORD m_dwTunerIf = 5000000;
  BYTE m_bSixMHz = 0;
  BYTE m_TunerShadow[8] = {};
};

class CFETerFw46B : public CFETerFw46 {
 public:
  CFETerFw46B(IFrontendBus& bus, std::vector<BYTE> image) : CFETerFw46(bus, std::move(image), true) {}
};
