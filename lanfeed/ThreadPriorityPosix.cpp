#include "ThreadPriority.h"

void RaiseCurrentThreadPriority() {}
