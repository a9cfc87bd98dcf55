// The time-shift arithmetic of the status timer and of seeking, in whole
// megabytes (units of 1 000 000) of the time-shift filter's positions.
// Portable.
#pragma once

#include <WinTypes.h>

// The play position in per mille: the read position over the write
// position. 0 while less than one megabyte is written (nothing to divide by).
DWORD TimeShiftPlayPosition(LONGLONG readPosition, LONGLONG writePosition);
// The read position of a seek to perMille of what is written.
LONGLONG TimeShiftSeekTarget(LONGLONG writePosition, int perMille);
