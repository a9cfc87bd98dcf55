// Normalisation of a record read from a channel-list file: names end within
// their fields and every enumerated field lies within its table.
#pragma once

#include "DvbChannels.h"

DVB_CHANNELS* FixChannelRecord(DVB_CHANNELS* record);
