// The simulated box's section reassembly from transport packets, and its
// section filters, on arbitrary bytes: every section found has the length
// its header gives, and cutting it into packets again finds it again.
#include "SimFilterOutput.h"
#include "SimSectionSource.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  WORD pid = WORD(((data[0] & 0x1F) << 8) | data[1]);
  std::vector<BYTE> ts(data + 2, data + size);  // exact size: ASan sees over-reads
  for (const SimSection& s : SimSectionsOfPid(ts.data(), ts.size(), pid)) {
    if (s.size() < 3 || s.size() != size_t((((s[1] & 0x0F) << 8) | s[2]) + 3)) __builtin_trap();
    BYTE counter = 0;
    std::vector<BYTE> again = SimPacketsOfSection(s, pid, counter);
    std::vector<SimSection> found = SimSectionsOfPid(again.data(), again.size(), pid);
    if (s[0] != 0xFF && (found.size() != 1 || found[0] != s)) __builtin_trap();
    SimBoxState box;
    box.filters[0].used = 1;
    box.filters[0].section = 1;
    box.filters[0].pid = pid;
    for (int i = 0; i < 29 && i + 2 < int(size); ++i) box.filters[0].params[i] = data[i + 2];
    box.filters[0].params[4] %= 13;
    SimSectionOutput(box, pid, {s});
  }
  return 0;
}
