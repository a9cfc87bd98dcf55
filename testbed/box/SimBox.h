// The simulated box as its ARM firmware answers the PC: the command channel
// with the answer layouts the library expects, the frames on the bulk
// command pipe, and the box's I2C bus with its EEPROM at 0x50 (holding a MAC
// block made by the library's own scrambling routine). Portable: the
// simulated driver (Win32) wraps it, and it is tested natively as well.
#pragma once

#include "BulkFrame.h"
#include "SimBoot.h"
#include "SimCam.h"
#include "SimEeprom.h"
#include "SimI2cBus.h"

#include <WinTypes.h>

#include <vector>

// Everything the box keeps, as plain data (copied across the simulator's
// DLL boundary as it stands).
struct SimBoxState {
  // Mode words of command 0x08: 0 the box's own set-top mode, 1 running
  // firmware from the PC, 0xFFFFFFFF no valid mode.
  DWORD mode[3] = {0, 0, 0};
  WORD versions[8] = {0x0102, 0x0203, 0x0304, 0x0405, 0x0506, 0x0607, 0x0708, 0x0809};
  BYTE gpio[8] = {};
  int gpioOutputs = 8;  // outputs 0..n-1 exist; others are refused (0x55)
  BYTE fastI2c = 0;     // last command 0x32

  WORD pids[6] = {};
  DWORD pidAnswer = 0x1600;  // "accepted"
  BYTE volume[2] = {};
  BYTE volumeAnswer = 0;
  WORD videoOutputMode = 0;
  WORD videoStandard = 0;
  WORD monitorAspect = 0;
  WORD stretchMode = 0;
  WORD audioChannel = 0;
  WORD videoStatus[46] = {};
  WORD audioStatus[3] = {};

  struct Filter {
    BYTE used = 0;
    BYTE section = 0;  // 1 section filter (0x60), 0 pipe filter (0x61)
    WORD pid = 0;
    WORD mode = 0;   // section filters
    WORD value = 0;  // pipe filters
    BYTE params[29] = {};
  };
  static const int kFilters = 32;
  Filter filters[kFilters];
  int filterLimit = kFilters;  // the box refuses (0xFFFF) beyond this many
  WORD filterNumberBase = 0;   // the box answers filter i as this + i

  // The front end the firmware runs (commands 0x70-0x7B, SimFirmwareFrontend.h).
  DWORD feType = 1;  // 1 satellite, 2 cable, 3 terrestrial
  DWORD channelType = 0;
  DWORD channel[9] = {};     // the words after the type word of the last 0x71
  DWORD channelAnswer = 0;   // 0 accepted
  int tunes = 0;             // 0x71 accepted
  DWORD feMachineState = 0;  // progress answer once tuning is over
  int feTuningPolls = 0;     // progress polls answering 2 (tuning) after a tune
  DWORD feLock[3] = {};      // error, lock state, tuning word
  DWORD feSignal[12] = {};   // the same three, then the signal values
  // A signal on the air: a tune within feCaptureKHz of this frequency (kHz)
  // locks (lock word 1, error 0); any other unlocks. 0: leave feLock alone.
  DWORD feAirFrequency = 0;
  DWORD feCaptureKHz = 0;
  DWORD feCaps[9] = {0, 0x11, 950000, 2150000, 1000000, 45000000, 4, 4, 0};  // 0x79
  DWORD antennaPower = 0;                                                    // last 0x7A
  DWORD antennaAnswer = 1;                                                   // answer to 0x7A; above 0 accepted
  DWORD antennaValid = 1;                                                    // first word of 0x7B
  DWORD diseqcStatus = 0;                                                    // 0 = sent
  BYTE diseqcMode = 0;
  BYTE diseqcMessage[6] = {};
  BYTE diseqcLength = 0;
  int diseqcCount = 0;
  BYTE feCommandAnswer[60] = {};
  BYTE feCommandAnswerLength = 0xFF;  // 0xFF: echo the request

  WORD vtPid = 0;
  WORD vtAnswer = 1;  // 0 = refused
  BYTE vtOn = 0;
  WORD vtSearch[4] = {};
  WORD vtP29 = 0;

  BYTE lastRecPlay = 0;  // last command 0x80-0x86
  BYTE recPlayArg = 0;
  WORD intInState = 0;

  int resets = 0;
  BYTE lastResetMode = 0xFF;
  int frames = 0;
  int frameErrors = 0;  // dropped bytes and sequence breaks
  int badRequests = 0;  // requests whose length does not fit their layout
  int commands = 0;
};

struct SimAnswer {
  bool ok = true;  // false: the driver fails the I/O control
  std::vector<BYTE> bytes;
};

class CSimBox {
 public:
  // The factory MAC stored in the EEPROM at start.
  static constexpr DWORD kMacFirst = 0x02A7E3;
  static constexpr DWORD kMacSecond = 0x1A2B3C;

  CSimBox();
  ~CSimBox();
  CSimBox(const CSimBox&) = delete;
  CSimBox& operator=(const CSimBox&) = delete;

  // One command-channel request: command byte, then the parameters.
  SimAnswer Command(const BYTE* request, int length);
  // Bytes written to the bulk command pipe.
  void BulkCommandOut(const BYTE* data, int length);

  SimBoxState& State() { return m_state; }
  CSimI2cBus& Bus() { return m_bus; }
  CSimEeprom& Eeprom() { return m_eeprom; }
  CSimBoot& Boot() { return m_boot; }
  CSimCam& Cam() { return m_cam; }
  const std::vector<bulkframe::Frame>& Frames() const { return m_frames; }
  // Stores a MAC block for the two words at 0xCC, scrambled as the library
  // does it.
  void StoreMac(DWORD first, DWORD second);

  // Told of every box made (created true) and of every box before it goes,
  // so that the chip simulator of the simulator DLL keeps its chips on the
  // box a Reset makes. One per process; null removes it.
  typedef void (*Observer)(CSimBox* box, bool created);
  static void SetObserver(Observer observer);

 private:
  typedef SimAnswer (CSimBox::*Handler)(const BYTE* params, int length);
  // One command: its parameter and answer lengths, and its handler.
  struct Entry {
    BYTE command;
    int paramLength;   // -1: checked by the handler
    int answerLength;  // -1: depends on the request
    Handler handler;
  };
  static const Entry kCommands[];

  SimAnswer SetGpio(const BYTE* p, int n);
  SimAnswer GetMode(const BYTE* p, int n);
  SimAnswer GetVersions(const BYTE* p, int n);
  SimAnswer I2c(const BYTE* p, int n);
  SimAnswer BitRate(const BYTE* p, int n);
  SimAnswer SetPids(const BYTE* p, int n);
  SimAnswer SetVolume(const BYTE* p, int n);
  SimAnswer VideoWord(const BYTE* p, int n);
  SimAnswer VideoStatus(const BYTE* p, int n);
  SimAnswer AudioStatus(const BYTE* p, int n);
  SimAnswer AddSectionFilter(const BYTE* p, int n);
  SimAnswer AddPipeFilter(const BYTE* p, int n);
  SimAnswer DelFilter(const BYTE* p, int n);
  SimAnswer FeType(const BYTE* p, int n);
  SimAnswer SetChannel(const BYTE* p, int n);
  SimAnswer DiSEqC(const BYTE* p, int n);
  SimAnswer FeQuery(const BYTE* p, int n);
  SimAnswer FeCaps(const BYTE* p, int n);
  SimAnswer SetAntenna(const BYTE* p, int n);
  SimAnswer GetAntenna(const BYTE* p, int n);
  SimAnswer FeCommand(const BYTE* p, int n);
  SimAnswer RecPlay(const BYTE* p, int n);
  SimAnswer VtEnable(const BYTE* p, int n);
  SimAnswer VtDisable(const BYTE* p, int n);
  SimAnswer VtSearch(const BYTE* p, int n);
  SimAnswer VtP29(const BYTE* p, int n);
  SimAnswer IntIn(const BYTE* p, int n);
  SimAnswer BootHeader(const BYTE* p, int n);
  SimAnswer BootData(const BYTE* p, int n);
  SimAnswer BootStart(const BYTE* p, int n);

  int AllocateFilter();
  // Stores the filter in a free slot and answers its number; 0xFFFF when
  // it is not usable or the box is full.
  SimAnswer AddFilter(bool usable, const SimBoxState::Filter& filter);
  int m_tuningPollsLeft = 0;

  SimBoxState m_state;
  CSimI2cBus m_bus;
  CSimEeprom m_eeprom;
  CSimBoot m_boot;
  CSimCam m_cam;
  bulkframe::CBulkFrameReader m_reader;
  std::vector<bulkframe::Frame> m_frames;
  BYTE m_current = 0;  // command being handled
  int m_nextFlashSequence = 0;
  int m_lastResetSequence = -1;
};
