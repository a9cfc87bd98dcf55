// Runs the calling thread at the highest normal priority (Windows); nothing
// elsewhere.
#pragma once

void RaiseCurrentThreadPriority();
