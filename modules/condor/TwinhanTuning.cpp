#include "TwinhanTuning.h"

#include <TwinhanTypes.h>

namespace {
constexpr DWORD kPolarityHorizontal = 18;  // word 5: the 18 V supply
constexpr DWORD kNoLnbSupply = 0;
}  // namespace

TwinhanTuneCall TuneCallFor(int cardType, const CHANNEL_TYPE& tuning, int videoSource) {
  const DWORD* w = tuning.words;
  TwinhanTuneCall call;
  call.supported = true;
  switch (cardType) {
    case kCardSatellite:
    case kCardSatelliteCI:
      call.args = {static_cast<int>(w[0] / 1000), static_cast<int>(w[2] / 1000), w[5] == kPolarityHorizontal ? 1 : 0,
                   static_cast<int>(w[4]), 0};
      call.switchAfter = w[5] == kNoLnbSupply;
      break;
    case kCardCable:
      call.args = {static_cast<int>(w[0]), static_cast<int>(w[2] / 1000), static_cast<int>(w[3]), 0, 0};
      break;
    case kCardTerrestrial:
      call.args = {static_cast<int>(w[0]), static_cast<int>(w[3]), 1, 0, 0};
      break;
    case kCardTerrestrialUsb:
      call.args = {static_cast<int>(w[0]), static_cast<int>(w[3]), videoSource == 0 ? 1 : 0, 0, 0};
      break;
    default:
      call.supported = false;
  }
  return call;
}

DWORD FrontendTypeOf(int cardType) {
  switch (cardType) {
    case kCardSatellite:
    case kCardSatelliteCI: return 1;
    case kCardCable: return 2;
    case kCardTerrestrial:
    case kCardTerrestrialUsb: return 3;
    default: return 0;
  }
}
