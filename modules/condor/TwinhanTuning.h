// What the card source is told for a tuning, by card type: the five
// arguments of the tuner control's "tune", and whether the card information
// is switched afterwards (satellite without LNB supply). Also the front-end
// type a card type reports. Portable.
#pragma once

#include <WinTypes.h>

#include <array>

#include <ModuleInterface.h>

struct TwinhanTuneCall {
  bool supported = false;  // a card type outside 1 to 5 is not tuned
  std::array<int, 5> args = {};
  bool switchAfter = false;  // the card information's "switch" with 0 follows
};

// tuning: the host's tuning record; videoSource: the current channel
// record's video-source field (0 without a record).
TwinhanTuneCall TuneCallFor(int cardType, const CHANNEL_TYPE& tuning, int videoSource);

// m_iFrontendType for a card type: 1 satellite, 2 cable, 3 terrestrial, 0 unknown.
DWORD FrontendTypeOf(int cardType);
