// What the host's tuning record becomes in a BDA locator, by network type:
// the values the network provider is handed, in the order they are put.
// Portable: the seven tuning words in, settings out; the module makes the
// locator calls.
#pragma once

#include <WinTypes.h>

#include <vector>

// The network kinds, numbered as the network-provider search reports them.
enum class BdaNetwork : int { kNone = -1, kSatellite = 0, kCable = 1, kTerrestrial = 2 };

struct LocatorSetting {
  enum Call {
    kCarrierFrequency,
    kSymbolRate,
    kInnerFec,
    kInnerFecRate,
    kModulation,
    kSignalPolarisation,
    kBandwidth,
    kAzimuth,
    kElevation,
    kOrbitalPosition,
  };
  Call call;
  long value;
  bool operator==(const LocatorSetting&) const = default;
};

// The tuning words: 0 frequency (kHz), 2 symbol rate, 3 modulation or
// bandwidth code, 5 LNB supply (13 or 18), 6 FEC code. A DVB-T or DVB-C
// record with frequency 0 leaves the locator's frequency as it was.
std::vector<LocatorSetting> LocatorSettings(BdaNetwork network, const DWORD words[7]);

// The module's status front-end type (1 DVB-S, 2 DVB-C, 3 DVB-T) of a kind;
// 0 for none.
DWORD FrontendTypeOf(BdaNetwork network);
// The kind of a status front-end type; kNone for any other value.
BdaNetwork NetworkOfFrontendType(DWORD frontendType);
// The module's device-type text while a kind is tried ("BDA DVB-S" ...).
const char* DeviceTypeText(BdaNetwork network);
