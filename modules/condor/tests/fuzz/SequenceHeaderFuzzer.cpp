// Scans arbitrary bytes for MPEG-2 sequence headers: nothing is read past
// the end, and every size found fits its 12-bit fields.
#include <cstddef>
#include <cstdint>

#include "SequenceHeaderScan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ForEachSequenceHeader(data, size, [](const SequenceHeader& h) {
    if (h.width < 0 || h.width > 4095 || h.height < 0 || h.height > 4095 || h.aspectCode > 15) __builtin_trap();
  });
  return 0;
}
