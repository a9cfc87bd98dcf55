// The latency that the pins' wake rules alone imply, for packets arriving
// evenly at a given rate for a given time into an empty queue, and a
// streaming thread that takes no time: a take waits while fewer than
// takeAtLeast packets are queued, until a push leaves more than wakeAbove
// queued or the wait's limit passes, then takes the head. The last packets
// of the run wait out the limit, as they do in a real run.
#pragma once

#include <cstddef>

struct ImpliedLatency {
  double medianMs = 0;
  double p99Ms = 0;
};

ImpliedLatency WakeRuleLatency(double packetsPerSec, double seconds, size_t wakeAbove, size_t takeAtLeast,
                               double waitLimitMs);
