// Completes a record (from a favourites entry) from the channel lists: finds
// the item whose label holds the record's name as a whole word and whose
// record has the same service, network and transport stream ids.
#pragma once

#include "ChannelRecord.h"
#include "ChannelTree.h"

// Searches tv, then radio, each once from its first item. On a match copies
// the item's 172 record bytes into record and returns 1; else returns 0.
int FindChannelByIds(const CChannelTree& tv, const CChannelTree& radio, CChannelRecord* record);
