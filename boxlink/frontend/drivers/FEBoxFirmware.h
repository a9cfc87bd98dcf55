// The chip-driver object of the front ends that the box's own firmware runs
// (variants 21 satellite, 22 cable, 23 terrestrial): each operation is one
// box command (0x70-0x7B) and the conversion of its answer. Every command
// first checks that a box is open; nothing retries.
#pragma once

#include "FirmwareAnswers.h"
#include "FrontendBus.h"

class CFEBoxFirmware {
 public:
  explicit CFEBoxFirmware(IFrontendBus& bus) : m_bus(bus) {}
  virtual ~CFEBoxFirmware() {}
  CFEBoxFirmware(const CFEBoxFirmware&) = delete;
  CFEBoxFirmware& operator=(const CFEBoxFirmware&) = delete;

  // Succeeds when the box reports exactly this kind (1, 2 or 3).
  BOOL Init(DWORD kind);
  // Eight tuning words prepared by the front end's SetChannel.
  BOOL SetChannel(DWORD w1, DWORD w2, DWORD w3, DWORD w4, DWORD w5, DWORD w6, DWORD w7, DWORD w8);
  // Each pointer may be null; channel takes firmwareanswers::kChannelWords words.
  BOOL GetStatus(DWORD* lock, firmwareanswers::Signal* signal, DWORD* channel);
  BOOL GetCapsAndRanges(DWORD out[8]);
  BOOL SetAntennaPower(DWORD on);
  BOOL GetAntennaPower(DWORD* on);

  DWORD Kind() const { return m_dwKind; }
  const DWORD* LastTuning() const { return m_dwTuning; }

  // The terrestrial tuning's progress polls.
  static const int kProgressPolls = 60;
  static const DWORD kProgressPauseMs = 50;

 private:
  // The command with its words; true when the box answered in full.
  bool Command(BYTE command, const DWORD* words, int count, BYTE* answer, int answerLength);

  IFrontendBus& m_bus;
  DWORD m_dwKind = 0;
  DWORD m_dwTuning[8] = {};
};
