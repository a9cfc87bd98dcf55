#include "ArrayGrowth.h"

#include <algorithm>
#include <cstdint>

int ComputeArrayGrowth(int size, int capacity, int growBy, int newSize) {
  if (capacity == 0) return std::max(growBy, newSize);
  int step = growBy;
  if (step == 0) step = std::clamp(size / 8, 4, 1024);  // grow with the array
  const int64_t grown = static_cast<int64_t>(capacity) + step;
  const int64_t result = std::max<int64_t>(grown, newSize);
  return result > INT32_MAX ? -1 : static_cast<int>(result);
}
