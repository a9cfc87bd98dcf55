// The box commands of the common interface and their limits. The box's
// CI messages come back on stream slot 35 (CiMessage.h).
#pragma once

#include "BoxCommands.h"

namespace cicommands {

enum Command : BYTE {
  kAskRelease = boxcommands::kAskRelease,
  kMenuAnswer = 0xA2,     // slot + 1, choice
  kSetProgram = 0xA3,     // program, BE16
  kEnterMenu = 0xA4,      // slot + 1
  kReadPsiFast = 0xA5,    // program, BE16
  kGetSlotStatus = 0xA6,  // slot + 1
  kCloseMmi = 0xA7,       // slot + 1
  kAnswer = 0xA8,         // slot + 1, n, n text bytes
  kCommsReply = 0xA9,     // slot + 1, id, value
  kDataChunk = 0xAA,      // offset, up to 30 data bytes
  kDataEnd = 0xAB,        // slot + 1, phase id, length
  kOpenLink = 0xAC,       // answers 1 byte: 0 refused
  kCloseLink = 0xAD,
  kGetVersion = 0xAE,  // answers 32 bytes of text
};

const BYTE kStreamSlot = 35;
const int kMaxAnswerText = 30;  // text bytes of one answer
const int kDataChunkBytes = 30;
const int kMaxData = 254;  // bytes of one DataReceived
// EnterModuleMenu closes the MMI of these CAM slots first, then gives the
// box this long before it asks for the menu.
const int kMmiSlots = 2;
const DWORD kEnterMenuPauseMs = 200;

}  // namespace cicommands
