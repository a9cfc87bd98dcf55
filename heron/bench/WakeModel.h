// The latency that the pins' wake rules alone imply, for packets arriving
// evenly at a given rate and a streaming thread that takes no time: a take
// waits while fewer than takeAtLeast packets are queued, until a push leaves
// more than wakeAbove queued or the wait's limit passes, then takes the head.
// In steady flow; a run's last packets (up to wakeAbove - takeAtLeast + 1 of
// them) also wait out the limit, since no push wakes the thread for them.
#pragma once

#include <cstddef>

struct ImpliedLatency {
  double medianMs = 0;
  double p99Ms = 0;
};

ImpliedLatency WakeRuleLatency(double packetsPerSec, size_t wakeAbove, size_t takeAtLeast, double waitLimitMs);
