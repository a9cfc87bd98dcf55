// The by-value array of channel records: the internal clipboard's cut/copy
// records and its drag-and-drop records.
#pragma once

#include <Framework.h>

#include "ChannelRecord.h"

class CChannelRecordArray : public CArray<CChannelRecord, const CChannelRecord&> {};
