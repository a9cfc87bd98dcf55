// Feeds arbitrary bytes to merlin's PES re-assembly: the first byte picks
// the stream kind and a set size, the next bytes the block sizes, the rest
// is the data. Every packet handed on must be a PES packet whose length
// field matches its size and that fits the output buffer.
#include <cstddef>
#include <cstdint>

#include "PesAssembler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const auto kind = (data[0] & 1) ? CPesAssembler::kAudio : CPesAssembler::kVideo;
  const WORD setSizes[] = {25, 124, 2048, 6144, 9000};
  CPesAssembler assembler;
  assembler.Init(
      kind, setSizes[(data[0] >> 1) % 5],
      [](const BYTE* p, int n) {
        if (n < 9 || n > static_cast<int>(CPesAssembler::kBufferSize)) __builtin_trap();
        if (p[0] != 0 || p[1] != 0 || p[2] != 1) __builtin_trap();
        if ((p[4] << 8 | p[5]) + 6 != n) __builtin_trap();
      },
      nullptr);
  const size_t chunk = 1 + data[1] * 16 + data[2];
  for (size_t at = 3; at < size; at += chunk) {
    const size_t n = size - at < chunk ? size - at : chunk;
    assembler.AddBlock(data + at, static_cast<int>(n));
    if (assembler.Fill() > CPesAssembler::kFillLimit) __builtin_trap();
  }
  return 0;
}
