// The DVB-T transmission parameters (TPS) and frequency offset that a
// successful tuning of the 64781 front ends (variants 16 and 19) found, kept
// per channel in the machine's registry so that the next tuning of the
// channel starts from them. Nothing is reported: a key that cannot be read
// gives the defaults (hierarchy 0, 64-QAM, code rates 3/4), one that cannot
// be written is left as it was.
#pragma once

#include "FrontendBus.h"
#include "FrontendTypes.h"

#include <string>

class CTpsStore {
 public:
  // The key of the terrestrial options, and the parent of the channels' keys.
  static const char kTerrestrialKey[];

  explicit CTpsStore(IFrontendSettings& settings) : m_settings(settings) {}

  // The key of the channel at this frequency (kHz): its 8 MHz raster number,
  // (frequency + 2000) / 8000, as three digits below kTerrestrialKey.
  static std::string ChannelKey(DWORD frequency);

  // Writes hierarchy, constellation, both code rates, the mode number and
  // the frequency offset, each on its own (a failed write does not stop the
  // next).
  void StoreTPS(const char* key, frontendtypes::_TYPE_TPS tps);
  // Reads hierarchy, constellation and both code rates back (the low byte of
  // each stored value); leaves the other fields alone.
  void RetrieveTPS(const char* key, frontendtypes::_TYPE_TPS& tps);

  // Transmission mode and guard interval as one number, 1-7; 0 for a pair
  // the front ends do not tune (2K with 1/32 among them).
  static int GetTPSMode(frontendtypes::_TYPE_TPS tps);
  // The pair a stored mode number stands for: 0 reads as 2K with 1/32, and
  // numbers above 6 as 8K with 1/32.
  static void ModeAndGuard(DWORD mode, BYTE& transmissionMode, BYTE& guard);

 private:
  IFrontendSettings& m_settings;
};
