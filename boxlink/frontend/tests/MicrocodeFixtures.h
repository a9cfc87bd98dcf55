// Synthetic microcode for the terrestrial demodulators, made by the tests:
// the real images are chip data, and the simulated chips run only what they
// were given, byte for byte.
#pragma once

#include <WinTypes.h>

#include <cstddef>
#include <vector>

// An opaque DSP image of `size` bytes (a leading byte the drivers do not
// send, then the program), different for each seed.
inline std::vector<BYTE> DspImage(size_t size, unsigned seed = 1) {
  std::vector<BYTE> image(size);
  unsigned x = seed * 2654435761u + 1;
  for (BYTE& b : image) {
    x = x * 1103515245u + 12345u;
    b = BYTE(x >> 16);
  }
  return image;
}
