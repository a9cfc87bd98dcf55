// The fixed byte images that the recorder puts around the packets it hands
// to the host: the PES header of a cut chunk, the AC-3 sub-header, the
// program-stream pack header and the header that starts a recording file.
#pragma once

#include <WinTypes.h>

// Stream id 0xE0, length 0 (set per packet), flags 0x8B, no time stamps, one
// stuffing byte in the header data.
constexpr BYTE kPesHeaderTemplate[10] = {0x00, 0x00, 0x01, 0xE0, 0x00, 0x00, 0x8B, 0x00, 0x01, 0xFF};
// Private-stream-1 sub-stream 0x80, one frame, first access unit at 1.
constexpr BYTE kAc3SubHeader[4] = {0x80, 0x01, 0x00, 0x01};
// MPEG-2 pack header: SCR 0, program mux rate 18026 x 50 bytes/s, no stuffing.
constexpr BYTE kPackHeaderTemplate[14] = {0x00, 0x00, 0x01, 0xBA, 0x44, 0x00, 0x04,
                                          0x00, 0x04, 0x01, 0x01, 0x19, 0xAB, 0xF8};
// The system header that follows the pack header at the start of a file:
// rate bound 0x4445, one audio and one video stream, 0xC0 with a buffer of
// 128 x 128 bytes and 0xE0 with 230 x 1024 bytes.
constexpr BYTE kSystemHeaderTemplate[18] = {0x00, 0x00, 0x01, 0xBB, 0x00, 0x0C, 0x88, 0x8B, 0x81,
                                            0x05, 0xE1, 0xFF, 0xC0, 0xC0, 0x80, 0xE0, 0xE0, 0xE6};
