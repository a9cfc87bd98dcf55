// The plain values of the card source's interfaces: card types, the CI
// interface's record sizes and MMI types. Portable.
#pragma once

#include <cstddef>

// The card types that the card information reports (1 to 5).
enum TwinhanCardType : int {
  kCardSatellite = 1,
  kCardSatelliteCI = 2,  // the only type with a CAM slot
  kCardCable = 3,
  kCardTerrestrial = 4,
  kCardTerrestrialUsb = 5,
};

// What GetMMI reports the CAM data object holds.
enum TwinhanMmiType : int { kMmiNone = 0, kMmiMenu = 1, kMmiList = 2, kMmiEnquiry = 3 };
// GetCIState's state when the CAM has something to show.
constexpr int kCiStateHasMmi = 3;

// The record GetCAMInfo fills: the CAM's name (NUL-terminated text) at byte 12.
constexpr size_t kCamInfoSize = 268;
constexpr size_t kCamInfoNameOffset = 12;
