#include "MpegAudioFrame.h"

namespace mpegaudio {

const WORD kBitrates1[16] = {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0};
const WORD kBitrates2[16] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
const DWORD kSamplerates1[4] = {44100, 48000, 32000, 0};
const DWORD kSamplerates2[4] = {22050, 24000, 16000, 0};
const double kMsPerFrame[3] = {26.12245, 24.0, 36.0};

DWORD FrameLength(const BYTE* p) {
  if (p[0] != 0xFF || (p[1] & 0xF0) != 0xF0) return 0;
  const bool full = (p[1] & 0x08) != 0;
  const DWORD kbits = (full ? kBitrates1 : kBitrates2)[p[2] >> 4];
  const DWORD hz = (full ? kSamplerates1 : kSamplerates2)[(p[2] >> 2) & 3];
  if (!kbits || !hz) return 0;
  return 144000 * kbits / hz + ((p[2] >> 1) & 1);
}

}  // namespace mpegaudio
