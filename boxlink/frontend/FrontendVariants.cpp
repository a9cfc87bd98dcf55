#include "FrontendVariants.h"

#include <algorithm>
#include <iterator>

namespace frontendvariants {

namespace {

const DWORD kEarlyProbe[] = {Box(0x0B31)};
const DWORD kVersionedSatellite[] = {Card(0x2C01), Card(0x2C02), Card(0x2C03), Box(0x0B28)};
const DWORD kFirmwareFrontend[] = {Box(0x0B21), Box(0x0B22), Box(0x0B23), Box(0x0B24)};
const DWORD kLnbController[] = {Box(0x0B27), Box(0x0B2A), Card(0x2C27), Card(0x2C2A)};
const DWORD kCardKind18 = Card(0x0018);
const DWORD kCardKind20 = Card(0x0020);
const DWORD kCableBoards[] = {Box(0x0B17), Box(0x0B18), Box(0x0B19)};
const DWORD kAntennaPowerBox = Box(0x0B26);
const WORD kAntennaPowerProduct = 0x0B46;

template <size_t N>
bool In(const DWORD (&list)[N], DWORD id) {
  return std::find(std::begin(list), std::end(list), id) != std::end(list);
}

using frontendtypes::BW_0;
using frontendtypes::BW_1;
using frontendtypes::BW_2;
using frontendtypes::BW_4;
const Ranges kSatellite = {950000, 2150000, 1000000, 45000000, BW_4, BW_4};
const Ranges kSatellite10 = {950000, 2150000, 1500000, 30000000, BW_4, BW_4};
const Ranges kCableVes = {45000, 860000, 903750, 14460000, BW_2, BW_2};
const Ranges kCable0297 = {45000, 860000, 870000, 11700000, BW_2, BW_2};
const Ranges kTerrestrialDsp = {45000, 860000, 0, 0, BW_1, BW_2};
const Ranges kTerrestrialUhf = {470000, 860000, 0, 0, BW_2, BW_2};
const Ranges kTerrestrial6MHz = {174000, 860000, 0, 0, BW_0, BW_0};
// The box-firmware variants ask the box; these stand when it does not say.
const Ranges kNone = {0, 0, 0, 0, BW_4, BW_4};

using frontendtypes::FE_CABLE;
using frontendtypes::FE_NONE;
using frontendtypes::FE_SATELLITE;
using frontendtypes::FE_TERRESTRIAL;

// Capabilities: 0x1 satellite, 0x10 and 0x100 reported to the caller
// (0x100: channel search works), 0x10000 antenna power can be switched.
const Variant kVariants[] = {
    {0, FE_NONE, 0, kNone},
    {2, FE_SATELLITE, 0x111, kSatellite},
    {3, FE_CABLE, 0x110, kCableVes},
    {4, FE_CABLE, 0, kCableVes},
    {7, FE_TERRESTRIAL, 0x10, kTerrestrialUhf},
    {8, FE_TERRESTRIAL, 0x10, kTerrestrialUhf},
    {9, FE_TERRESTRIAL, 0x10, kTerrestrialUhf},
    {10, FE_SATELLITE, 0x11, kSatellite10},
    {14, FE_TERRESTRIAL, 0x10, kTerrestrialUhf},
    {15, FE_SATELLITE, 0x11, kSatellite},
    {16, FE_TERRESTRIAL, 0, kTerrestrialUhf},
    {17, FE_CABLE, 0, kCable0297},
    {18, FE_SATELLITE, 0x1, kSatellite},
    {19, FE_TERRESTRIAL, 0, kTerrestrial6MHz},
    {20, FE_SATELLITE, 0x11, kSatellite},
    {21, FE_SATELLITE, 0x11, kNone},
    {22, FE_CABLE, 0, kNone},
    {23, FE_TERRESTRIAL, 0x10000, kNone},
    {24, FE_SATELLITE, 0x11, kSatellite},
    {25, FE_TERRESTRIAL, 0, kTerrestrialDsp},
    {26, FE_TERRESTRIAL, 0, kTerrestrialDsp},
    {27, FE_SATELLITE, 0x11, kSatellite},
    {28, FE_SATELLITE, 0x11, kSatellite},
    {29, FE_SATELLITE, 0x11, kSatellite},
    {30, FE_SATELLITE, 0x11, kSatellite},
    {31, FE_TERRESTRIAL, 0, kTerrestrialDsp},
};

}  // namespace

bool IsEarlyProbeKind(DWORD id) { return In(kEarlyProbe, id); }
bool IsVersionedSatelliteKind(DWORD id) { return In(kVersionedSatellite, id); }
bool IsFirmwareFrontendKind(DWORD id) { return In(kFirmwareFrontend, id); }
bool IsLnbControllerKind(DWORD id) { return In(kLnbController, id); }
bool IsCardKind18(DWORD id) { return id == kCardKind18; }
bool IsCardKind20(DWORD id) { return id == kCardKind20; }

int CableBoardIndex(DWORD id) {
  for (int i = 0; i < 3; ++i)
    if (kCableBoards[i] == id) return i + 1;
  return 0;
}

bool IsAntennaPowerKind(DWORD id) { return id == kAntennaPowerBox || WORD(id) == kAntennaPowerProduct; }

const Variant& Lookup(DWORD variant) {
  for (const Variant& v : kVariants)
    if (v.variant == variant) return v;
  return kVariants[0];
}

Raster RasterOf(DWORD variant) {
  if (variant == 19) return {6000, 216000, 470000};
  return {8000, 0, 0};
}

}  // namespace frontendvariants
