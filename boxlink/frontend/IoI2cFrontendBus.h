// The front end's bus seam and settings in the library: the I2C bridge and
// box commands of CDVBIoI2c on the open box, Sleep and the tick count, the
// library's registry key and win.ini. Stateless; one of each serves every
// front end.
#pragma once

#include "FrontendBus.h"

IFrontendBus& IoI2cFrontendBus();
IFrontendSettings& LibraryFrontendSettings();
