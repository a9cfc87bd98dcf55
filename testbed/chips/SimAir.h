// "The air": the signal a test declares at the box's antenna input. A
// demodulator model locks on it only when the tuner PLL sits on its
// frequency and the demodulator's own registers agree with its parameters;
// once locked it shows the declared measurements in its registers.
#pragma once

#include <WinTypes.h>

struct SimAirSignal {
  bool present = false;
  // At the tuner's input: satellite the LNB's output (intermediate)
  // frequency, cable and terrestrial the channel frequency.
  DWORD freqKHz = 0;
  // More transponders of the same kind on the band (0: none); a chip locks
  // on whichever is nearest.
  static const int kMoreTransponders = 7;
  DWORD moreKHz[kMoreTransponders] = {};
  DWORD symbolRate = 0;     // symbols/s; 0 where the chip finds it itself
  DWORD qamSize = 0;        // cable: 16 ... 256
  bool inverted = false;    // the spectrum arrives inverted
  // How far off the chip's frequency (the tuner's plus the chip's own offset
  // registers) may be: 0 for what a derotator pulls in, a fraction of the
  // symbol rate (CSimDemodulator::CaptureKHz).
  DWORD captureKHz = 0;
  // From the last acquisition start (the restart the driver writes) or the
  // last tuner programming, whichever is later.
  double lockAfterMs = 10;
  bool neverLocks = false;  // carrier, but the demodulator never locks
  // The DSP demodulators' acquisition attempt counter never moves.
  bool stuckAttempts = false;

  // Measurements in the chips' raw form, shown while locked.
  BYTE snr = 0;      // an SNR byte (VES189x, TDA8083)
  WORD quality = 0;  // a 16-bit quality word (STV0299, STV0297)
  BYTE agc = 0;
  DWORD errors = 0;   // the bit-error counter
  BYTE berIndex = 0;  // TDA8083: decade of the bit-error rate, 0 = 1e-3
  int offsetKHz = 0;  // carrier offset the demodulator measures
  BYTE tps[3] = {};   // OTI7K TPS registers 0x01-0x03
  // DVB-T transmission parameters as TPS codes, for the chips that must be
  // told them (mode 0 2K, 1 8K; guard 0-3 1/32 ... 1/4; constellation 0-2
  // QPSK ... 64-QAM; code rates 0-4 1/2 ... 7/8).
  struct Ofdm {
    BYTE mode = 1, guard = 0, constellation = 2, hierarchy = 0, codeRateHP = 2, codeRateLP = 2;
  } ofdm;
};
