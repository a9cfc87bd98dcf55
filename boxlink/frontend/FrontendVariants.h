// The front-end variants as data: the device kinds the detection knows by
// their USB identifiers, the identity probes in the order they run, and per
// variant its type, capabilities and ranges.
#pragma once

#include "FrontendTypes.h"

namespace frontendvariants {

// Device identifiers: USB vendor id << 16 | product id; the card forms
// carry the maker's PCI vendor id in the low half.
const WORD kUsbVendor = 0x1A2C;
const WORD kPciVendor = 0x1AE4;
inline DWORD Box(WORD product) { return (DWORD(kUsbVendor) << 16) | product; }
inline DWORD Card(WORD device) { return (DWORD(device) << 16) | kPciVendor; }

bool IsEarlyProbeKind(DWORD id);
bool IsVersionedSatelliteKind(DWORD id);
bool IsFirmwareFrontendKind(DWORD id);
bool IsLnbControllerKind(DWORD id);
bool IsCardKind18(DWORD id);
bool IsCardKind20(DWORD id);
// 1-3 for the three cable boards, else 0.
int CableBoardIndex(DWORD id);
bool IsAntennaPowerKind(DWORD id);

// The box-firmware variants.
inline bool IsBoxFirmware(DWORD variant) { return variant >= 21 && variant <= 23; }

struct Ranges {
  DWORD freqMin, freqMax;
  DWORD symMin, symMax;
  frontendtypes::_BANDWITH_TYPE bwMin, bwMax;
};

struct Variant {
  DWORD variant;
  frontendtypes::_FRONTEND_TYPE type;
  DWORD caps;  // before the flags and the box's word change it
  Ranges ranges;
};

// The row of a variant; variants never detected (0, 5, 6, 11-13 and above
// 31) get the row of a missing front end.
const Variant& Lookup(DWORD variant);

// The bandwidth raster and the band that is not tuned.
struct Raster {
  DWORD raster, gapStart, gapEnd;
};
Raster RasterOf(DWORD variant);

}  // namespace frontendvariants
