// Command bytes of the box's ARM firmware on the command channel, and the
// channel's size limits.
#pragma once

#include <WinTypes.h>

namespace boxcommands {

// A request carries the command byte and at most 60 parameter bytes; an
// answer is at most 60 bytes.
const int kMaxParams = 60;
const int kMaxAnswer = 60;

enum Command : BYTE {
  kSetGpio = 0x03,
  kGetStbMode = 0x08,
  kGetStbVersions = 0x09,
  kAskRelease = 0x23,
  kI2cCombined = 0x31,
  kSetI2cBitRate = 0x32,
  kUpdateHeader = 0x41,
  kUpdateData = 0x42,
  kUpdateStart = 0x43,
  kSetPids = 0x50,
  kSetVolume = 0x51,
  kVideoOutputMode = 0x52,
  kVideoStandard = 0x53,
  kMonitorAspect = 0x54,
  kStretchMode = 0x55,
  kVideoStatus1 = 0x56,
  kVideoStatus2 = 0x57,
  kAudioChannel = 0x59,
  kAudioStatus = 0x5A,
  kAddSectionFilter = 0x60,
  kAddPipeFilter = 0x61,
  kDelFilter = 0x62,
  kGetFeType = 0x70,
  kSetChannel = 0x71,
  kDiSEqC = 0x72,
  kFeQuery = 0x73,
  kFeCommand = 0x78,
  kFeCaps = 0x79,
  kSetAntennaPower = 0x7A,
  kGetAntennaPower = 0x7B,
  kRecord = 0x80,
  kStop = 0x81,
  kPlay = 0x82,
  kPause = 0x83,
  kSlow = 0x84,
  kFastIP = 0x85,
  kFastI = 0x86,
  kVtEnable = 0x90,
  kVtDisable = 0x91,
  kVtModifySearchTable = 0x92,
  kVtGetP29P830 = 0x93,
  kSetIntInState = 0xB0,
};

// Answer sizes of the commands whose operations build their own request.
const int kStbModeAnswer = 12;      // three BE32
const int kStbVersionsAnswer = 16;  // eight BE16, the first six used
const int kVideoStatusAnswer = 46;  // 23 BE16 per half
const int kAudioStatusAnswer = 6;   // three BE16

}  // namespace boxcommands
