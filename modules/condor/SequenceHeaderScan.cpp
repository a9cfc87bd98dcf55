#include "SequenceHeaderScan.h"

namespace {
constexpr size_t kHeaderBytes = 8;  // start code, size and aspect nibble
constexpr int kAspect4x3 = 2, kAspect16x9 = 3;
}  // namespace

void ForEachSequenceHeader(const BYTE* bytes, size_t length, const std::function<void(const SequenceHeader&)>& found) {
  for (size_t i = 0; i + kHeaderBytes <= length; ++i) {
    const BYTE* p = bytes + i;
    if (p[0] != 0 || p[1] != 0 || p[2] != 1 || p[3] != 0xB3) continue;
    SequenceHeader header;
    header.width = p[4] * 16 + (p[5] >> 4);
    header.height = (p[5] & 0x0F) * 256 + p[6];
    header.aspectCode = p[7] >> 4;
    found(header);
  }
}

int MonitorModeAfter(int aspectCode, int monitorMode) {
  if (aspectCode == kAspect4x3) return 0;
  if (aspectCode == kAspect16x9) return 1;
  return monitorMode;
}
