// The host's tap on the module's PES packets: each packet behind the
// 14-byte MPEG-2 pack header, in a buffer of 65,536 bytes. Portable.
#pragma once

#include <WinTypes.h>

namespace pestap {

constexpr int kBufferSize = 65536;
constexpr int kHeaderLength = 14;
constexpr int kLongestPacket = kBufferSize - kHeaderLength;  // 65,522

// Copies the pack header and the packet into buffer (kBufferSize bytes) and
// returns the tapped length; 0 for a packet longer than kLongestPacket,
// which would overrun the buffer, or a negative length.
int Compose(const BYTE* packet, int length, BYTE* buffer);

}  // namespace pestap
