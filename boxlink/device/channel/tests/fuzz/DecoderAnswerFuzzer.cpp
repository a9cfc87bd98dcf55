// The A/V decoder's status answers and the stored standard setting, as
// arbitrary bytes.
#include "AVDecoderLayouts.h"
#include "CommandLayouts.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using namespace avdecoder;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The two halves of the video status, cut or padded to their size.
  std::vector<BYTE> answer(data, data + size);
  answer.resize(2 * kVideoStatusWords * 2, 0);
  WORD status[kVideoStatusWords];
  boxcommands::DecodeBE16Words(answer.data(), status, kStatusHalfWords);
  boxcommands::DecodeBE16Words(answer.data() + 2 * kStatusHalfWords, status + kStatusHalfWords, kStatusHalfWords);
  int standard = DetectedStandard(status);
  if (standard != kPal && standard != kNtsc) __builtin_trap();

  if (size >= 6) {
    std::vector<BYTE> audio(data, data + 6);  // exact size: ASan sees over-reads
    BYTE state;
    DWORD value;
    DecodeAudioStatus(audio.data(), state, value);
    if (value >> 16 != DWORD((audio[4] << 8) | audio[5])) __builtin_trap();
  }

  std::vector<char> text(data, data + size);
  int fromSetting = StandardFromSetting(text.data(), text.size());
  if (fromSetting == kNtsc && (size != 4 || memcmp(text.data(), "NTSC", 4) != 0)) __builtin_trap();
  for (size_t i = 0; i < size; ++i)
    if (text[i] >= 'a' && text[i] <= 'z') __builtin_trap();
  return 0;
}
