// The PES headers the recorder builds itself: a 14-byte header with a PTS
// in front of a picture or an audio packet, and a 10-byte header without
// one in front of every further piece of a cut packet.
#pragma once

#include "PesTimestamp.h"

#include <cstring>

namespace pesheaders {

const DWORD kWithPts = 14;
const DWORD kPlain = 10;

// The packet-length field of a whole packet of `length` bytes.
inline void SetLength(BYTE* pes, DWORD length) {
  pes[4] = BYTE((length - 6) >> 8);
  pes[5] = BYTE(length - 6);
}

inline void PutPlain(BYTE* pes, BYTE stream, DWORD length) {
  const BYTE header[kPlain] = {0x00, 0x00, 0x01, stream, 0, 0, 0x8B, 0x00, 0x01, 0xFF};
  memcpy(pes, header, kPlain);
  SetLength(pes, length);
}

// The 5 timestamp bytes are written as given.
inline void PutWithPts(BYTE* pes, BYTE stream, const BYTE* pts5) {
  const BYTE header[9] = {0x00, 0x00, 0x01, stream, 0, 0, 0x8B, 0x80, 0x05};
  memcpy(pes, header, 9);
  memcpy(pes + 9, pts5, 5);
}

}  // namespace pesheaders
