// Small PES packets made in the test: a start code, a stream id, the length,
// an MPEG-2 header without time stamps and a payload that numbers the packet,
// so order and content can be checked at the far end.
#pragma once

#include <cstdint>
#include <vector>

#include <WinTypes.h>

inline std::vector<BYTE> SyntheticPes(uint32_t serial, size_t payloadSize, BYTE streamId = 0xE0) {
  std::vector<BYTE> packet = {0, 0, 1, streamId, 0, 0, 0x80, 0x00, 0x00};
  for (size_t i = 0; i < payloadSize; ++i) packet.push_back(static_cast<BYTE>((serial >> (8 * (i % 4))) + i / 4));
  const size_t length = packet.size() - 6;
  packet[4] = static_cast<BYTE>(length >> 8);
  packet[5] = static_cast<BYTE>(length);
  return packet;
}
