// The terrestrial demodulator of variants 7 and 8 at 0xE2, with 16-bit
// registers at 16-bit addresses and a program loaded at initialisation from
// the microcode file "Boot\sc_main.mc" beside the running program: the file
// checked, its code downloaded, the sampling and carrier words set, the
// program started; later its transmission parameters read.
#pragma once

#include "FrontendBus.h"
#include "ScMicrocode.h"

#include <vector>

class CFETerScMain {
 public:
  CFETerScMain(IFrontendBus& bus, IFrontendSettings& settings) : m_bus(bus), m_settings(settings) {}
  virtual ~CFETerScMain() = default;
  CFETerScMain(const CFETerScMain&) = delete;
  CFETerScMain& operator=(const CFETerScMain&) = delete;

  // Results of the operations below.
  enum { kSuccess = 1, kBadArgument = -1, kFailure = -2 };
  static const char kMicrocodeFile[];

  // Non-zero when the program was loaded and started. The whole file is
  // checked before anything goes to the bus.
  BOOL Init();
  // Bandwidth 1 = 7 MHz, 2 = 6 MHz, other 8 MHz; spectrum 1 inverts.
  int SetTuning(double sampleMHz, double offsetKHz, int flag, int bandwidth, int spectrum);
  int Stop();
  int Restart();
  // Words: 0, 4, constellation, hierarchy, high- and low-priority code
  // rates, guard, mode.
  int GetTPS(DWORD out[8]);
  int ReadReg(WORD address, WORD* value);
  int WriteReg(WORD address, WORD value);

  int Result() const { return m_nResult; }
  const std::vector<scmicrocode::Symbol>& Symbols() const { return m_Symbols; }
  // Code words per write of the data port: 2 address bytes and 27 words in
  // the 57 bytes the box carries.
  static const int kChunkWords = 27;

 private:
  int Record(int result) { return m_nResult = result; }
  int WriteWords(WORD address, const WORD* values, int count);

  IFrontendBus& m_bus;
  IFrontendSettings& m_settings;
  int m_nResult = kSuccess;
  std::vector<scmicrocode::Symbol> m_Symbols;
};
