#include "RadioPva.h"

#include <cstring>

namespace radiopva {

namespace {

int PayloadLength(const BYTE* pva) { return pva[6] << 8 | pva[7]; }

}  // namespace

bool IsAudioPacket(const BYTE* pva, int length) {
  if (!pva || length < kHeaderLength || pva[2] != kAudioStream) return false;
  // A length field that reaches past the packet would read beyond it.
  return PayloadLength(pva) <= length - kHeaderLength;
}

int AudioPes(const BYTE* pva, int length, BYTE* buffer, const BYTE** pes) {
  if (!IsAudioPacket(pva, length)) return 0;
  const int payload = PayloadLength(pva);
  if (pva[5] & kWholePesFlag) {
    *pes = pva + kHeaderLength;
    return payload;
  }
  const int pesLength = payload + 4;  // the header's bytes after the length field
  if (pesLength > 0xFFFF) return 0;   // no PES length field can name it
  std::memcpy(buffer, kRadioPesHeader, kRadioPesHeaderLength);
  buffer[4] = static_cast<BYTE>(pesLength >> 8);
  buffer[5] = static_cast<BYTE>(pesLength);
  std::memcpy(buffer + kRadioPesHeaderLength, pva + kHeaderLength, static_cast<size_t>(payload));
  *pes = buffer;
  return payload + kRadioPesHeaderLength;
}

}  // namespace radiopva
