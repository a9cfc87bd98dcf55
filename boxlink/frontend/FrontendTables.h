// The register tables the front end writes at initialisation, one byte per
// register (index = register). They are process-wide register shadows: set-up
// changes bits in them and writes the changed byte, and a change stays.
#pragma once

#include <WinTypes.h>

namespace frontendtables {

const int kVesSatelliteSize = 54;  // variant 2, to 0x10, [0x00, reg, value]
const int kVesCableSize = 53;      // variants 3 and 4, to 0x12; last byte the PWM on 4
const int k8083Size = 42;          // variant 10, to 0xD0, 0xFF skipped
const int kStv0299Size = 53;       // STV0299 variants without the driver, to 0xD0
const int k64781Size = 75;         // variants 16 (0xAA) and 19 (0xA8), registers 0-74

extern BYTE g_VesSatellite[kVesSatelliteSize];
extern BYTE g_VesCable[kVesCableSize];
extern BYTE g_8083[k8083Size];
extern BYTE g_Stv0299[kStv0299Size];
extern BYTE g_64781[k64781Size];

// Every table back to its initial bytes: a new box in the same process (and
// each test) starts from the tables as shipped, not as a previous front end
// left them.
void ResetTables();

}  // namespace frontendtables
