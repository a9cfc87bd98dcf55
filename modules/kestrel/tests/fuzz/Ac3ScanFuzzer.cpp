// Scans arbitrary bytes for AC-3 headers: nothing is read past the end, and
// a mode found is a layout (0 to 7) with at most its one LFE bit.
#include <cstddef>
#include <cstdint>

#include "Ac3HeaderScan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DWORD mode = 0xFFFFFFFF;
  if (ScanForAC3Header(data, size, &mode)) {
    const DWORD lfe = mode & 0xFF;
    if ((mode >> 8) > 7 || (lfe != 0 && lfe != 0x10 && lfe != 0x04 && lfe != 0x01)) __builtin_trap();
  } else if (mode != 0xFFFFFFFF) {
    __builtin_trap();
  }
  return 0;
}
