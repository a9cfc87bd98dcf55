#include "WakeModel.h"

#include <algorithm>
#include <deque>
#include <vector>

ImpliedLatency WakeRuleLatency(double packetsPerSec, size_t wakeAbove, size_t takeAtLeast, double waitLimitMs) {
  const double interval = 1000.0 / packetsPerSec;
  const long arrivals = 20000;
  std::deque<double> queued;  // arrival times, ms
  std::vector<double> latency;
  long next = 0;  // the next packet to arrive
  double now = 0;
  auto arriveUntil = [&](double t) {
    while (next < arrivals && next * interval <= t) queued.push_back(next++ * interval);
  };
  // Up to the last arrival: what follows it is the end of a run, not flow.
  while (next < arrivals) {
    arriveUntil(now);
    if (queued.size() < takeAtLeast) {
      // Wait for the push that leaves more than wakeAbove queued, or the limit.
      const double wakeAt = (next + static_cast<long>(wakeAbove + 1 - queued.size()) - 1) * interval;
      now = std::min(wakeAt, now + waitLimitMs);
      arriveUntil(now);
      if (queued.empty()) continue;
    }
    latency.push_back(now - queued.front());
    queued.pop_front();
  }
  ImpliedLatency r;
  if (latency.empty()) return r;
  // Leave out the start, before the queue reached its steady cycle.
  latency.erase(latency.begin(), latency.begin() + static_cast<long>(latency.size() / 10));
  std::sort(latency.begin(), latency.end());
  r.medianMs = latency[latency.size() / 2];
  r.p99Ms = latency[static_cast<size_t>(0.99 * static_cast<double>(latency.size() - 1))];
  return r;
}
