// The client's splitting of the server's stream, over any bytes in any
// chunking: the first byte chooses the chunk size.
#include <cstddef>
#include <cstdint>

#include "LanStreamReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t chunk = 1 + data[0] % 64;
  CLanStreamReader reader;
  for (size_t at = 1; at < size; at += chunk) {
    const size_t n = size - at < chunk ? size - at : chunk;
    if (!reader.Feed(data + at, n)) break;
  }
  for (const LanItem& item : reader.items)
    if (item.isMessage && item.bytes.size() != item.header.length) __builtin_trap();
  return 0;
}
