// The rules of a section or pipe filter that need no box: which arguments
// the box is never asked with, the box filter mode of a section filter,
// the stream slot of a box filter number, and where an arriving packet of
// the filter's slot goes. Portable.
#pragma once

#include <WinTypes.h>

namespace filterrules {

// Filter types as applications pass them.
const int kNoFilter = 0;
const int kPipeFilter = 1;
const int kNetworkSectionFilter = 3;  // forwarded to the network side as it is
// Section filter modes of the box.
const WORD kModeSection = 1;
const WORD kModeNetwork = 13;
const BYTE kMaxLength = 16;
const WORD kPidLimit = 8192;
// The box answers this filter number when it cannot take a filter.
const WORD kNoBoxFilter = 0xFFFF;

// 0 when the box may be asked for the filter, else 3 (no type, a length
// above 16, a PID of 8192 or more, a section filter with a length but
// without data or mask).
int CheckArguments(int type, WORD pid, const BYTE* data, const BYTE* mask, BYTE length);

WORD SectionMode(int type);

// The stream slot of box filter `number` (number + 1, as a byte), and
// whether a stream reader has that slot (1..63).
inline BYTE SlotOf(WORD number) { return BYTE(number + 1); }
inline bool SlotUsable(BYTE slot) { return slot >= 1 && slot <= 63; }

// Where a packet that arrived for `slot` goes while the filter holds
// `filterId` with `type`, set for the network side or not.
enum Route { kDrop, kHandler, kNetworkBlock, kNetworkSection };
Route RouteOf(BYTE slot, DWORD length, BYTE filterId, int type, bool network);

// Longest data the network side takes in one call.
const DWORD kMaxNetworkData = 8128;

}  // namespace filterrules
