// The audio of a radio channel as the box records it: PVA packets (byte 2
// the stream id, byte 5 the flags, bytes 6-7 the payload length big-endian,
// the payload from byte 8). An audio packet whose flags have bit 4 set
// carries a whole PES packet; any other audio payload is put behind a PES
// header of its own. Portable.
#pragma once

#include <WinTypes.h>

namespace radiopva {

constexpr int kHeaderLength = 8;
constexpr BYTE kAudioStream = 2;
constexpr BYTE kWholePesFlag = 0x10;
// The PES header put in front of a bare payload: stream id 0xE0, flags
// 0x8B, one stuffing byte; bytes 4-5 take the PES length.
constexpr BYTE kRadioPesHeader[10] = {0x00, 0x00, 0x01, 0xE0, 0x00, 0x00, 0x8B, 0x00, 0x01, 0xFF};
constexpr int kRadioPesHeaderLength = 10;
// Room for the header and the largest payload the length field can name.
constexpr int kBufferSize = kRadioPesHeaderLength + 0xFFFF;

// Whether the packet is an audio packet whose header and payload lie
// within its length.
bool IsAudioPacket(const BYTE* pva, int length);

// The PES packet of an audio packet: the payload itself when it is a whole
// PES packet, else the payload copied behind the radio PES header into
// buffer (kBufferSize bytes). Sets *pes and returns its length; 0 when the
// packet is not an audio packet that lies within its length, or when a bare
// payload is too long for a PES length field (over 65,531 bytes).
int AudioPes(const BYTE* pva, int length, BYTE* buffer, const BYTE** pes);

}  // namespace radiopva
