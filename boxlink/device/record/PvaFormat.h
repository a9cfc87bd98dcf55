// The PVA packet of the box's recorder and player: an 8-byte header ("AV",
// stream, counter, 0x55, flags, length of what follows), a 32-bit PTS behind
// the header of video packets that carry one, then the payload.
#pragma once

#include "ByteOrder.h"

#include <WinTypes.h>

namespace pva {

const DWORD kHeaderSize = 8;
const DWORD kPtsSize = 4;
const BYTE kStreamVideo = 1;
const BYTE kStreamAudio = 2;
const BYTE kMarker = 0x55;
// Flags byte: a PTS (video) or a PES header with a PTS (audio) follows.
const BYTE kFlagPts = 0x10;
const BYTE kPreBytesMask = 0x03;
// A packet is taken as valid below this length field.
const DWORD kMaxLength = 8192;

inline BYTE Stream(const BYTE* p) { return p[2]; }
inline BYTE Flags(const BYTE* p) { return p[5]; }
inline DWORD Length(const BYTE* p) { return byteorder::GetBE16(p + 6); }

// A header that a reader finding its way back into a stream accepts.
inline bool IsHeader(const BYTE* p) {
  return p[0] == 'A' && p[1] == 'V' && (p[2] == kStreamVideo || p[2] == kStreamAudio) && p[4] == kMarker &&
         DWORD(byteorder::GetBE16(p + 6)) < kMaxLength;
}

}  // namespace pva
