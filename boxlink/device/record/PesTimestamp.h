// Timestamps in MPEG-2 PES headers: the 5-byte PTS and DTS fields (33 bits
// of a 90 kHz count with marker bits) and the header checks every reader of
// the recording stream applies before it trusts one.
#pragma once

#include <WinTypes.h>

#include <cstdint>

namespace pestimestamp {

const uint64_t kWrap = uint64_t(1) << 33;
const uint64_t kMask = kWrap - 1;

// Prefixes of the field's first nibble.
const BYTE kPrefixPtsOnly = 0x2;
const BYTE kPrefixPtsWithDts = 0x3;
const BYTE kPrefixDts = 0x1;

// The PES header's fixed part: start code, stream id, length, two flag
// bytes and the header-data length.
const DWORD kFixedHeader = 9;

inline uint64_t Decode(const BYTE* p) {
  return (uint64_t((p[0] >> 1) & 0x07) << 30) | (uint64_t(p[1]) << 22) | (uint64_t(p[2] >> 1) << 15) |
         (uint64_t(p[3]) << 7) | uint64_t(p[4] >> 1);
}

inline void Encode(BYTE* p, BYTE prefix, uint64_t value) {
  value &= kMask;
  p[0] = BYTE((prefix << 4) | ((value >> 29) & 0x0E) | 1);
  p[1] = BYTE(value >> 22);
  p[2] = BYTE(((value >> 14) & 0xFE) | 1);
  p[3] = BYTE(value >> 7);
  p[4] = BYTE(((value << 1) & 0xFE) | 1);
}

// A PES header whose PTS a reader may take: start code, a stream id with
// both high bits set, the MPEG-2 flag bits '10' and the PTS flag, and the
// field inside `length`.
inline bool HasPts(const BYTE* pes, DWORD length) {
  return length >= kFixedHeader + 5 && pes[0] == 0 && pes[1] == 0 && pes[2] == 1 && (pes[3] & 0xC0) == 0xC0 &&
         (pes[6] & 0xC0) == 0x80 && (pes[7] & 0x80) && pes[8] >= 5;
}

// A DTS behind the PTS (flags '11'), inside `length`.
inline bool HasDts(const BYTE* pes, DWORD length) {
  return HasPts(pes, length) && (pes[7] & 0xC0) == 0xC0 && pes[8] >= 10 && length >= kFixedHeader + 10;
}

// The header's length: the fixed part and its header data.
inline DWORD HeaderLength(const BYTE* pes) { return kFixedHeader + pes[8]; }

}  // namespace pestimestamp
