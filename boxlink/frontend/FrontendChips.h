// Where the front end's own chip routines find the chips of each variant:
// demodulator and tuner bus addresses (8-bit write form) and the groups of
// variants that share a chip.
#pragma once

#include <WinTypes.h>

namespace frontendchips {

const BYTE kVes1893 = 0x10;  // variant 2, VES dialect
const BYTE kVes1820 = 0x12;  // variants 3 and 4, VES dialect
const BYTE kTda8083 = 0xD0;  // variant 10
const BYTE kStv0299 = 0xD0;  // variants 15, 18, 20, 24, 27
const BYTE kOti7k = 0x86;    // variants 9 and 14
const BYTE kScMain = 0xE2;   // variants 7 and 8
const BYTE kAnalogDemod = 0x42;

inline BYTE L64781(DWORD variant) { return variant == 16 ? 0xAA : 0xA8; }

inline bool IsStv0299(DWORD v) { return v == 15 || v == 18 || v == 20 || v == 24 || v == 27; }
inline bool IsVes1820(DWORD v) { return v == 3 || v == 4; }
inline bool IsOti7k(DWORD v) { return v == 9 || v == 14; }
inline bool IsL64781(DWORD v) { return v == 16 || v == 19; }
inline bool IsScMain(DWORD v) { return v == 7 || v == 8; }
inline bool IsTerrestrialDriver(DWORD v) { return v == 25 || v == 26 || v == 31; }

}  // namespace frontendchips
