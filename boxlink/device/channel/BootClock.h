// The pause between the polls with which booting waits for the box to leave
// the bus and come back. Tests replace it with a fast clock.
#pragma once

#include <windows.h>

namespace bootclock {

typedef void (*PollSleep)(DWORD milliseconds);

// Null restores Sleep.
void SetPollSleep(PollSleep sleep);
void Pause(DWORD milliseconds);

}  // namespace bootclock
