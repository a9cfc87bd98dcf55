#include "AVDecoderLayouts.h"

#include "ByteOrder.h"

#include <cctype>
#include <cstring>

namespace avdecoder {

WORD PcrToSend(WORD audio, WORD video, WORD pcr) {
  if (pcr) return pcr;
  return video ? video : audio;
}

WORD AudioChannelCode(int channel) {
  static const WORD kCodes[] = {1, 0, 2};
  return channel >= 0 && channel < 3 ? kCodes[channel] : 1;
}

int DetectedStandard(const WORD* status46) {
  const int kStandardWord = 22;
  const WORD kNtscDetected = 4;
  return status46[kStandardWord] == kNtscDetected ? kNtsc : kPal;
}

void DecodeAudioStatus(const BYTE* answer6, BYTE& state, DWORD& value) {
  state = BYTE(byteorder::GetBE16(answer6));
  value = DWORD(byteorder::GetBE16(answer6 + 4)) * 65536 + byteorder::GetBE16(answer6 + 2);
}

int StandardFromSetting(char* text, size_t length) {
  for (size_t i = 0; i < length; ++i) text[i] = char(toupper(static_cast<unsigned char>(text[i])));
  return length == 4 && memcmp(text, "NTSC", 4) == 0 ? kNtsc : kPal;
}

}  // namespace avdecoder
