// The box firmware's front-end answers (commands 0x73, 0x79, 0x7B): big-endian
// 32-bit words, decoded into the records the front end uses. Each parser
// refuses an answer shorter than its layout.
#pragma once

#include <WinTypes.h>

namespace firmwareanswers {

// Command 0x73 {1, 0} (3 words) or {1, 1} (12 words).
struct Status {
  DWORD error = 0;   // 0 valid
  DWORD lock = 0;    // the lock-state word
  DWORD tuning = 0;  // the tuning word
};
struct Signal {
  INT nSignal = 0;
  double dBER = 0;  // mantissa x 10^-exponent
  BYTE b1 = 0, b2 = 0;
  WORD w1 = 0, w2 = 0;
  DWORD dw1 = 0, dw2 = 0;
};
const int kStatusAnswer = 12;
const int kSignalAnswer = 48;
bool ParseStatus(const BYTE* answer, int length, Status& status);
bool ParseSignal(const BYTE* answer, int length, Status& status, Signal& signal);

// Command 0x79: nine words; words 0-7 go to the caller (1 capabilities,
// 2-3 frequency, 4-5 symbol rate, 6-7 bandwidth code).
const int kCapsAnswer = 36;
bool ParseCaps(const BYTE* answer, int length, DWORD out[8]);

// Command 0x7B: the valid flag and the antenna power setting.
const int kAntennaAnswer = 8;
bool ParseAntenna(const BYTE* answer, int length, DWORD& on);

// The channel words GetStatus reports: kind, lock word, then the tuning
// word (satellite, cable) or its parts (terrestrial: low 16 bits, bits
// 16-30, bit 31).
const int kChannelWords = 5;
void ChannelWords(DWORD kind, const Status& status, DWORD out[kChannelWords]);

}  // namespace firmwareanswers
