// MPEG audio layer II frame headers as the box's recorder sends them: the
// bit-rate and sampling-frequency tables of both table sets and the frame
// length. Headers whose indices name no table entry (bit rate 0 or 15,
// sampling frequency 3) are refused, never divided by.
#pragma once

#include <WinTypes.h>

namespace mpegaudio {

const DWORD kHeaderSize = 4;

// Layer II bit rates in kbit/s: the full sampling frequencies, then the
// low ones; index 0 (free format) and 15 (forbidden) are 0.
extern const WORD kBitrates1[16];
extern const WORD kBitrates2[16];
// Sampling frequencies in Hz; index 3 is reserved.
extern const DWORD kSamplerates1[4];
extern const DWORD kSamplerates2[4];
// Milliseconds per frame by sampling-frequency index of the full sampling
// frequencies (the exported table; a frame at a low one lasts twice as long).
extern const double kMsPerFrame[3];
// A layer II frame holds 1,152 samples at every sampling frequency.
const DWORD kSamplesPerFrame = 1152;
inline double FrameMs(DWORD hz) { return hz ? 1000.0 * kSamplesPerFrame / hz : 0; }

// A frame start: 0xFF and a second byte of sync, any version, layer II.
inline bool IsLayer2Sync(const BYTE* p) { return p[0] == 0xFF && (p[1] & 0xF6) == 0xF4; }

// The frame's length in bytes from its header (at least 3 bytes at p), or
// 0 when it is no frame header or its indices are invalid.
DWORD FrameLength(const BYTE* p);

}  // namespace mpegaudio
