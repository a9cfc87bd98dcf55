// Demodulator models that lock on the air. Each decodes what the driver
// wrote into its registers (symbol rate, QAM size, spectral inversion, a
// restart) and locks only when the tuner PLL in front of it sits within the
// signal's capture range, its own settings match the signal and the
// signal's lock time has passed since the last restart. Its status
// registers say so, and while locked the measurement registers show the
// signal's declared values.
#pragma once

#include "SimAir.h"
#include "SimChip.h"
#include "SimPll.h"

class CSimDemodulator : public CSimChip {
 public:
  // No tuner: the box tunes (the demodulator checks only itself).
  CSimDemodulator(Dialect dialect, CSimClock& clock, const SimAirSignal& air, CSimPll* tuner)
      : CSimChip(dialect, 0x100), m_clock(clock), m_air(air), m_tuner(tuner) {}

  bool Locked();
  // What the model decoded from its registers.
  virtual double SymbolRate() = 0;
  virtual DWORD QamSize() { return 0; }
  // 0 normal, 1 inverted, 2 automatic.
  virtual int Inversion() = 0;

 protected:
  // The demodulator starts acquiring anew.
  void Restart() { m_restartMs = m_clock.Now(); }
  // Its own start conditions beyond the signal's parameters.
  virtual bool Started() { return true; }

  CSimClock& m_clock;
  const SimAirSignal& m_air;
  CSimPll* m_tuner;
  double m_restartMs = 0;
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

// VES1820 QAM demodulator (variants 3 and 4), VES dialect.
class CSimVes1820 : public CSimDemodulator {
 public:
  using CSimDemodulator::CSimDemodulator;
  double SymbolRate() override;
  DWORD QamSize() override;
  int Inversion() override;

 protected:
  void OnWrite(int reg, BYTE value) override;
  BYTE OnRead(int reg) override;
};

// TDA8083 QPSK demodulator (variant 10): its read registers are not its
// write registers.
class CSimTda8083 : public CSimDemodulator {
 public:
  using CSimDemodulator::CSimDemodulator;
  double SymbolRate() override;
  int Inversion() override;

 protected:
  void OnWrite(int reg, BYTE value) override;
  BYTE OnRead(int reg) override;
};

// STV0299 QPSK demodulator (variants 15, 18, 20, 24, 27). The boards wire
// the spectrum differently: `setMeansInverted` says what bit 0 of register
// 0x0C means on this one.
class CSimStv0299 : public CSimDemodulator {
 public:
  CSimStv0299(CSimClock& clock, const SimAirSignal& air, CSimPll* tuner, bool setMeansInverted)
      : CSimDemodulator(kPlain, clock, air, tuner), m_setMeansInverted(setMeansInverted) {}
  double SymbolRate() override;
  int Inversion() override;

  static const int kGateReg = 0x05;  // bit 7: the tuner repeater

 protected:
  void OnWrite(int reg, BYTE value) override;
  BYTE OnRead(int reg) override;

 private:
  bool m_setMeansInverted;
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
