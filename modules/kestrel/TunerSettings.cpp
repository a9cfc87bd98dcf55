#include "TunerSettings.h"

#include <B2C2Types.h>

namespace {

long FecCode(DWORD fec) {
  switch (fec) {
    case 1: return 1;
    case 2: return 2;
    case 3: return 3;
    case 5: return 4;
    case 7: return 5;
    default: return 6;
  }
}

long BandwidthMHz(DWORD code) {
  switch (code) {
    case 1: return 7;
    case 2: return 8;
    case 4: return 255;
    default: return 6;
  }
}

long Thousandths(DWORD value) { return static_cast<long>(value / 1000); }

}  // namespace

std::vector<TunerSetting> TuningSettings(DWORD tunerType, DWORD acquisitionBits, const DWORD words[7]) {
  switch (tunerType) {
    case kB2C2TunerSatellite:
      return {{TunerSetting::kFrequency, Thousandths(words[0])},
              {TunerSetting::kSymbolRate, Thousandths(words[2])},
              {TunerSetting::kLnbFrequency, Thousandths(words[3])},
              {TunerSetting::kFec, FecCode(words[6])},
              {TunerSetting::kLnbKHz, words[4] != 0 ? 1 : 0},
              {TunerSetting::kPolarity, words[5] == 13 ? 1 : 0},
              {TunerSetting::kDiseqc, 0}};
    case kB2C2TunerCable:
      return {{TunerSetting::kModulation, static_cast<long>(words[3]) + 1},
              {TunerSetting::kFrequency, Thousandths(words[0])},
              {TunerSetting::kSymbolRate, Thousandths(words[2])}};
    case kB2C2TunerTerrestrial: {
      std::vector<TunerSetting> settings = {{TunerSetting::kFrequency, static_cast<long>(words[0])}};
      if (!(acquisitionBits & kB2C2AcquireGuardInterval)) settings.push_back({TunerSetting::kGuardInterval, 0});
      settings.push_back({TunerSetting::kBandwidth, BandwidthMHz(words[3])});
      return settings;
    }
    case kB2C2TunerAtsc:
      return {{TunerSetting::kFrequency, Thousandths(words[0])}};
    default:
      return {};
  }
}

long DiseqcSetting(const BYTE* message, int length, BOOL toneBurst) {
  if (length == 0) return toneBurst ? 2 : 1;
  if (!message) return -1;
  if (length == 3 && message[0] == 0xE0 && message[1] == 0x00 && message[2] == 0x00) return 0;
  if (length == 4 && message[0] == 0xE0 && message[1] == 0x10 && message[2] == 0x38) {
    const bool position = (message[3] & 0x04) != 0;
    const bool option = (message[3] & 0x08) != 0;
    return 3 + (position ? 1 : 0) + (option ? 2 : 0);
  }
  return -1;
}
