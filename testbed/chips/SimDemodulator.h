// Demodulator models that lock on the air. Each decodes what the driver
// wrote into its registers (symbol rate, QAM size, spectral inversion, its
// own frequency offset, the acquisition start) and locks only after an
// acquisition start, when the tuner PLL in front of it is in lock and, with
// the chip's offset, within the capture range of the signal, its own
// settings match the signal and the signal's lock time has passed since the
// start. Its status
// registers say so, and while locked the measurement registers show the
// signal's declared values.
#pragma once

#include "SimAir.h"
#include "SimChip.h"
#include "SimPll.h"

#include <map>
#include <vector>

class CSimDemodulator : public CSimChip {
 public:
  // No tuner: the box tunes (the demodulator checks only itself).
  CSimDemodulator(Dialect dialect, CSimClock& clock, const SimAirSignal& air, CSimPll* tuner)
      : CSimChip(dialect, 0x100), m_clock(clock), m_air(air), m_tuner(tuner) {}

  bool Locked();
  // Timing and carrier: all of Locked but the spectral inversion, which
  // only the data (the decoding) needs.
  bool CarrierLocked();
  // What the model decoded from its registers.
  virtual double SymbolRate() = 0;
  virtual DWORD QamSize() { return 0; }
  // 0 normal, 1 inverted, 2 automatic.
  virtual int Inversion() = 0;
  // Where the chip looks relative to the tuned frequency, from its own
  // offset registers (derotator, carrier offset), kHz.
  virtual double OffsetKHz() { return 0; }
  // How far off the signal may be: the air's setting, else what the
  // chip's derotator pulls in, a fraction of the symbol rate (a fixed
  // range for chips that find the rate themselves).
  double CaptureKHz();
  static constexpr double kCaptureFraction = 1.0 / 32;
  static constexpr double kFixedCaptureKHz = 250;
  // The distance between the signal and where the chip looks (kHz); a
  // large value without a programmed tuner.
  double ErrorKHz();

 protected:
  // The demodulator starts acquiring anew; it never locks before the first.
  void Restart() {
    m_restartMs = m_clock.Now();
    m_acquiring = true;
  }
  // Its own start conditions beyond the signal's parameters.
  virtual bool Started() { return true; }

  CSimClock& m_clock;
  const SimAirSignal& m_air;
  CSimPll* m_tuner;
  double m_restartMs = 0;
  bool m_acquiring = false;
};

// VES1893 QPSK demodulator (variant 2), VES dialect.
class CSimVes1893 : public CSimDemodulator {
 public:
  using CSimDemodulator::CSimDemodulator;
  double SymbolRate() override;
  int Inversion() override;

 protected:
  void OnWrite(int reg, BYTE value) override;
  BYTE OnRead(int reg) override;
};

// VES1820 QAM demodulator (variants 3 and 4), VES dialect: status register
// 0x11 shows carrier and FEC lock, its frequency error in register 0x19.
class CSimVes1820 : public CSimDemodulator {
 public:
  using CSimDemodulator::CSimDemodulator;
  double SymbolRate() override;
  DWORD QamSize() override;
  int Inversion() override;

 protected:
  void OnWrite(int reg, BYTE value) override;
  BYTE OnRead(int reg) override;

 private:
  BYTE AfcByte();
};

// TDA8083 QPSK demodulator (variant 10): its read registers are not its
// write registers.
class CSimTda8083 : public CSimDemodulator {
 public:
  using CSimDemodulator::CSimDemodulator;
  double SymbolRate() override;
  int Inversion() override;

 protected:
  // Acquisition starts at the end of a pulse on register 0x00 (0x3C, then
  // 0x04).
  void OnWrite(int reg, BYTE value) override;
  BYTE OnRead(int reg) override;

 private:
  bool m_pulseUp = false;
};

// STV0299 QPSK demodulator (variants 15, 18, 20, 24, 27). The boards wire
// the spectrum differently: `setMeansInverted` says what bit 0 of register
// 0x0C means on this one. Acquisition starts with a write of the symbol
// rate (0x1F) or of the derotator (0x22/0x23), which moves where the chip
// looks by its value in master-clock / 65536 Hz steps; register 0x17 shows
// the timing loop's lock (above 48) before the carrier and data lock.
class CSimStv0299 : public CSimDemodulator {
 public:
  CSimStv0299(CSimClock& clock, const SimAirSignal& air, CSimPll* tuner, bool setMeansInverted)
      : CSimDemodulator(kPlain, clock, air, tuner), m_setMeansInverted(setMeansInverted) {}
  double SymbolRate() override;
  int Inversion() override;
  double OffsetKHz() override;
  // From the clock registers 0x01 and 0x02, Hz.
  double MasterClock();

  static const int kGateReg = 0x05;  // bit 7: the tuner repeater

 protected:
  void OnWrite(int reg, BYTE value) override;
  BYTE OnRead(int reg) override;

 private:
  bool m_setMeansInverted;
};

// The versioned QPSK demodulator of variants 28-30: symbol rate in registers
// 17-19 on a master clock of 88 or 59 MHz (register 3) in one of two rate
// modes (register 5 bit 1), a carrier offset in registers 14-16 that moves
// where it looks; loading either (register 9 bits 7 and 6) starts the
// acquisition. It finds the spectrum itself. With register 6 bit 3 set,
// registers 14-16 read the carrier offset still left.
class CSimSatVer : public CSimDemodulator {
 public:
  CSimSatVer(CSimClock& clock, const SimAirSignal& air, CSimPll* tuner) : CSimDemodulator(kPlain, clock, air, tuner) {}
  double SymbolRate() override;
  int Inversion() override { return 2; }
  double OffsetKHz() override;
  double ClockMHz() { return Reg(3) == 0x33 ? 59 : 88; }

  static const int kGateReg = 0x02;  // bit 0: the tuner repeater

 protected:
  void OnWrite(int reg, BYTE value) override;
  BYTE OnRead(int reg) override;

 private:
  long Word24(int first);
  BYTE m_reg9 = 0;
};

// STV0297 QAM demodulator (variant 17), with the tuner behind its repeater
// (register 0x86 bit 7).
class CSimStv0297 : public CSimDemodulator {
 public:
  using CSimDemodulator::CSimDemodulator;
  double SymbolRate() override;
  DWORD QamSize() override;
  int Inversion() override;
  // The demodulator's start frequency from registers 0x20, 0x21 (kHz).
  double InitialDemodKHz();

 protected:
  void OnWrite(int reg, BYTE value) override;
  BYTE OnRead(int reg) override;
};

// OTI7K COFDM demodulator (variants 9 and 14): finds the transmission
// parameters itself; locks once initialised for its board's mode and
// started. Its tuner gate (register 0x0A, 0 = open) is mirrored into
// register kGateMirror for the bus's gate.
class CSimOti7k : public CSimDemodulator {
 public:
  CSimOti7k(CSimClock& clock, const SimAirSignal& air, CSimPll* tuner, int mode)
      : CSimDemodulator(kPlain, clock, air, tuner), m_mode(mode) {
    SetReg(kGateMirror, 0);
  }
  double SymbolRate() override { return 0; }
  int Inversion() override { return 2; }

  static const int kGateMirror = 0xFF;

 protected:
  bool Started() override;
  void OnWrite(int reg, BYTE value) override;
  BYTE OnRead(int reg) override;

 private:
  int m_mode;
  bool m_pulseUp = false;
  bool m_pulsed = false;  // register 0x08 bit 1 went up and down
  bool m_started = false;
};

// L64781 COFDM demodulator (variants 16 and 19), told the transmission
// parameters. An acquisition starts with 1, 0, 6, 0 written to register
// 0x2A. With the tuner on the signal and register 0x04 on its mode and guard
// interval the chip finds the rest (status register 0x32 bit 0; registers
// 0x04-0x06 then read the parameters found); with registers 0x05 and 0x06
// right as well it locks (0x32 bits 0-6). It takes the general call 0x06
// (its reset).
class CSimL64781 : public CSimDemodulator {
 public:
  CSimL64781(CSimClock& clock, const SimAirSignal& air, CSimPll* tuner) : CSimDemodulator(kPlain, clock, air, tuner) {}
  double SymbolRate() override { return 0; }
  int Inversion() override { return 2; }
  bool GeneralCall(const BYTE* data, int count) override { return count == 1 && data[0] == 0x06; }
  // The air's parameters in the form of registers 0x04-0x06.
  BYTE AirReg(int reg) const;

 protected:
  void OnWrite(int reg, BYTE value) override;
  BYTE OnRead(int reg) override;

 private:
  bool ModeFound() { return CarrierLocked() && Reg(0x04) == AirReg(0x04); }
  bool AllFound() { return ModeFound() && Reg(0x05) == AirReg(0x05) && Reg(0x06) == AirReg(0x06); }
  int m_startStep = 0;  // how far the start sequence has come
};

// The OFDM demodulators with DSP microcode of variants 25 (kFw25) and 26, 31
// (kFw46), single-byte registers. The microcode goes to a data port (0x0D;
// 0x58), emptied by a write to 0x0E (0x57); the DSP runs only when what came
// through the port equals the image it was given without its first byte, and
// only then answers its mailbox (command 0x11, argument 0x12, answers 0x13
// and 0x14: 0x67 its version, 0x61 ready, 0x69 the argument back) and
// acquires. An acquisition starts with register 0x07 bit 3 set and cleared
// (kFw25) or register 0x01 bit 6 set (kFw46); the attempt counter (0x10)
// counts one every 50 ms from then until lock. Status 0x06: bit 0 parameters
// valid, bit 3 locked, bit 5 (kFw46) the DSP runs. A signal in reach but out
// of the capture range shows on which side in register 0x05 bits 6-7 (1
// above, 2 below).
class CSimDspDemod : public CSimDemodulator {
 public:
  enum Kind { kFw25, kFw46 };
  CSimDspDemod(Kind kind, CSimClock& clock, const SimAirSignal& air, CSimPll* tuner, std::vector<BYTE> image);
  double SymbolRate() override { return 0; }
  int Inversion() override { return 2; }
  bool Write(const BYTE* data, int count) override;
  bool Running() const;
  // Bytes that came through the data port since it was last emptied.
  const std::vector<BYTE>& Downloaded() const { return m_download; }
  int PortWrites() const { return m_portWrites; }
  // The n-th write to the data port from now (1 = the next) is refused
  // `times` times over.
  void RefusePortWrite(int n, int times) { m_refuseAt = m_portWrites + n, m_refuseTimes = times; }
  // The DSP answers its ready poll (0x61) with busy for ever.
  void SetDspBusy(bool busy) { m_dspBusy = busy; }
  static const int kAttemptMs = 50;
  static const int kReachKHz = 400;

 protected:
  bool Started() override { return Running(); }
  void OnWrite(int reg, BYTE value) override;
  BYTE OnRead(int reg) override;

 private:
  Kind m_kind;
  std::vector<BYTE> m_image;
  std::vector<BYTE> m_download;
  int m_portWrites = 0;
  int m_refuseAt = 0, m_refuseTimes = 0;
  bool m_dspBusy = false;
  BYTE m_answer[2] = {0xFF, 0xFF};
  bool m_resetHeld = false;
};

// The terrestrial demodulator of variants 7 and 8 at 0xE2: 16-bit registers
// at 16-bit addresses, values high byte first. Its program goes word by word
// to the data port 0xCF0A (emptied by a write to 0x8F0A); it runs only when
// what came through equals the program it was given (as bytes, high first)
// and register 0x0F00 bit 0 starts it, which also starts an acquisition.
// Status 0x0200: bits 2-3 = 2 while it runs, bits 10-11 set while locked;
// while locked 0x0329/0x032A and 0x0C06 carry the air's parameters.
class CSimScMain : public CSimDemodulator {
 public:
  CSimScMain(CSimClock& clock, const SimAirSignal& air, CSimPll* tuner, std::vector<BYTE> program)
      : CSimDemodulator(kWide, clock, air, tuner), m_program(std::move(program)) {}
  double SymbolRate() override { return 0; }
  int Inversion() override { return 2; }
  bool Write(const BYTE* data, int count) override;
  bool Read(BYTE* data, int count) override;
  bool Running() const;
  WORD Reg16(WORD address) const;
  // Words that came through the data port, and the writes that carried them.
  size_t DownloadedWords() const { return m_download.size() / 2; }
  int PortWrites() const { return m_portWrites; }
  // Every write, as the chip received it.
  int Writes16() const { return m_writeCount; }

 protected:
  bool Started() override { return Running() && (Reg16(0x0F00) & 1); }

 private:
  WORD Read16(WORD address);
  std::vector<BYTE> m_program;
  std::vector<BYTE> m_download;
  std::map<WORD, WORD> m_regs16;
  WORD m_pointer16 = 0;
  int m_portWrites = 0;
  int m_writeCount = 0;
};
