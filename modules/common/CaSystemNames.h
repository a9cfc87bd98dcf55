// The names of the CA systems by their DVB CA_system_id ranges, for the log
// of a CAM that became ready.
#pragma once

#include <WinTypes.h>

// "Unknown" for an id outside the allocated ranges.
const char* CaSystemName(WORD caSystemId);
