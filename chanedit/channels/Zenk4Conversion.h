// Conversions between the Zenk4 list record and DVB_CHANNELS.
#pragma once

#include "DvbChannels.h"
#include "Zenk4Record.h"

// Fills all 64 bytes of out from record, words big-endian as in the file.
void ChannelToZenk4(const DVB_CHANNELS* record, Zenk4Record* out);
// Turns the big-endian words of a record read from a file into host order.
void SwapZenk4Record(Zenk4Record* record);
// Removes every byte with its high bit set from a NUL-terminated name.
void CleanZenk4Name(char* name);
// Builds a channel record from a swapped Zenk4 record, clamping as it goes.
void Zenk4ToChannel(const Zenk4Record* swapped, DVB_CHANNELS* out);
