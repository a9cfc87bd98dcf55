#include "WakeModel.h"

#include <algorithm>
#include <deque>
#include <vector>

ImpliedLatency WakeRuleLatency(double packetsPerSec, double seconds, size_t wakeAbove, size_t takeAtLeast,
                               double waitLimitMs) {
  const double interval = 1000.0 / packetsPerSec;
  const long arrivals = static_cast<long>(packetsPerSec * seconds);
  std::deque<double> queued;  // arrival times, ms
  std::vector<double> latency;
  long next = 0;  // the next packet to arrive
  double now = 0;
  auto arriveUntil = [&](double t) {
    while (next < arrivals && next * interval <= t) queued.push_back(next++ * interval);
  };
  while (next < arrivals || !queued.empty()) {
    arriveUntil(now);
    if (queued.size() < takeAtLeast) {
      // Wait for the push that leaves more than wakeAbove queued, or the limit.
      const long waker = next + static_cast<long>(wakeAbove + 1 - queued.size()) - 1;
      const double wakeAt = waker < arrivals ? waker * interval : now + waitLimitMs;
      now = std::min(wakeAt, now + waitLimitMs);
      arriveUntil(now);
      if (queued.empty()) continue;
    }
    latency.push_back(now - queued.front());
    queued.pop_front();
  }
  ImpliedLatency r;
  if (latency.empty()) return r;
  std::sort(latency.begin(), latency.end());
  r.medianMs = latency[latency.size() / 2];
  r.p99Ms = latency[static_cast<size_t>(0.99 * static_cast<double>(latency.size() - 1))];
  return r;
}
