// The values each module writes into the host's capability record.
#pragma once

#include "ModuleInterface.h"
#include "ModuleKind.h"

// Writes the module's column; cells the module leaves alone keep the host's
// values. avCaps is the card's A/V capability word (harrier's bits 0 and 8).
void WriteCapabilities(ModuleKind module, MODULE_CAPABILITIES* caps, DWORD avCaps = 0);
