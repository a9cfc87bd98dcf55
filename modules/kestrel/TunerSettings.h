// What a channel and a DiSEqC message become at the card's tuner: the
// settings in the order the tuner takes them, by tuner type. Portable: the
// host's tuning words in, settings out; the module makes the calls.
#pragma once

#include <WinTypes.h>

#include <vector>

struct TunerSetting {
  enum Call {
    kFrequency,
    kSymbolRate,
    kLnbFrequency,
    kFec,
    kLnbKHz,
    kPolarity,
    kDiseqc,
    kModulation,
    kGuardInterval,
    kBandwidth,
  };
  Call call;
  long value;
  bool operator==(const TunerSetting&) const = default;
};

// The host's tuning words: 0 frequency (kHz), 2 symbol rate (Baud), 3 LNB
// frequency (kHz), modulation or bandwidth by tuner type, 4 tone, 5 LNB
// voltage, 6 FEC; word 1 is not used. Nothing for an unknown tuner type.
std::vector<TunerSetting> TuningSettings(DWORD tunerType, DWORD acquisitionBits, const DWORD words[7]);

// The tuner's DiSEqC setting for a message: with length 0 the tone burst's
// (2 with, 1 without), E0 00 00 → 0, E0 10 38 xx → 3 to 6 by the position
// (bit 2) and option (bit 3) of byte 3. -1 for any other message.
long DiseqcSetting(const BYTE* message, int length, BOOL toneBurst);
