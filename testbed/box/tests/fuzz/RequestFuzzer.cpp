// The simulated box's parsers of what the library sends, on a fresh box for
// each input: a sequence of requests, each a head byte (bit 0 set: bulk-pipe
// bytes, else a command-channel request; bits 1-7: its length) and its bytes.
// A box kept from input to input would keep every frame it was ever sent.
#include "SimBox.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CSimBox box;
  while (size > 0) {
    const BYTE head = data[0];
    ++data;
    --size;
    size_t n = head >> 1;
    if (n > size) n = size;
    if (head & 1)
      box.BulkCommandOut(data, int(n));
    else
      box.Command(data, int(n > 61 ? 61 : n));
    data += n;
    size -= n;
  }
  return 0;
}
