// Feeds arbitrary pipe writes to the frame reader: the first byte of each
// chunk gives the chunk's size, so frames get split anywhere.
#include "BulkFrame.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  bulkframe::CBulkFrameReader reader;
  bulkframe::Frame frame;
  while (size > 0) {
    size_t chunk = data[0] % 70 + 1;
    ++data;
    --size;
    if (chunk > size) chunk = size;
    reader.Feed(data, chunk);
    data += chunk;
    size -= chunk;
    while (reader.Next(frame)) {
      if (frame.length > bulkframe::kMaxPayload) __builtin_trap();
    }
  }
  return 0;
}
