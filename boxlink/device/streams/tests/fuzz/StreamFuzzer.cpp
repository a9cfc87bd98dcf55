// Feeds arbitrary input to the box stream parser in blocks of varying
// length (the first byte of each block gives its size, odd sizes
// included). Every delivered packet is read whole, so a length that runs
// past the packet buffer shows up under the address sanitizer.
#include "StreamParser.h"

#include <cstddef>
#include <cstdint>

namespace {

class TouchingSink : public IStreamParserSink {
 public:
  void Dispatch(int, BYTE* data, DWORD length, BYTE slot) override {
    if (slot == 0 || slot >= streamparser::kSlotCount || length > streamparser::kPacketBuffer) __builtin_trap();
    for (DWORD i = 0; i < length; ++i) sum += data[i];
  }
  int RequestResend(WORD) override { return 0; }
  unsigned sum = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TouchingSink sink;
  CDVBStreamParser parser(&sink);
  while (size > 0) {
    size_t chunk = size_t(data[0]) * 97 % 9000 + 1;
    ++data;
    --size;
    if (chunk > size) chunk = size;
    parser.Feed(data, DWORD(chunk));
    data += chunk;
    size -= chunk;
  }
  return 0;
}
