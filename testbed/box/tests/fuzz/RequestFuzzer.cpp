// The simulated box's parsers of what the library sends: command-channel
// requests (the first byte picks the command) and bulk-pipe bytes.
#include "SimBox.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CSimBox* box = new CSimBox;
  if (size == 0) return 0;
  if (data[0] & 1)
    box->BulkCommandOut(data + 1, int(size - 1));
  else
    box->Command(data + 1, int(size - 1 > 61 ? 61 : size - 1));
  return 0;
}
