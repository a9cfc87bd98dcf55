#include "FirmwareAnswers.h"

#include "ByteOrder.h"

#include <cmath>

namespace firmwareanswers {

namespace {

DWORD Word(const BYTE* answer, int i) { return byteorder::GetBE32(answer + 4 * i); }

const DWORD kTerrestrial = 3;

}  // namespace

bool ParseStatus(const BYTE* answer, int length, Status& status) {
  if (!answer || length < kStatusAnswer) return false;
  status.error = Word(answer, 0);
  status.lock = Word(answer, 1);
  status.tuning = Word(answer, 2);
  return true;
}

bool ParseSignal(const BYTE* answer, int length, Status& status, Signal& signal) {
  if (length < kSignalAnswer || !ParseStatus(answer, length, status)) return false;
  signal.nSignal = INT(Word(answer, 3));
  // The exponent is a small count of decades; a wild one gives 0 or inf,
  // never undefined behaviour.
  signal.dBER = double(Word(answer, 4)) * std::pow(10.0, -double(INT(Word(answer, 5))));
  signal.b1 = BYTE(Word(answer, 6));
  signal.b2 = BYTE(Word(answer, 7));
  signal.w1 = WORD(Word(answer, 8));
  signal.w2 = WORD(Word(answer, 9));
  signal.dw1 = Word(answer, 10);
  signal.dw2 = Word(answer, 11);
  return true;
}

bool ParseCaps(const BYTE* answer, int length, DWORD out[8]) {
  if (!answer || length < kCapsAnswer) return false;
  for (int i = 0; i < 8; ++i) out[i] = Word(answer, i);
  return true;
}

bool ParseAntenna(const BYTE* answer, int length, DWORD& on) {
  if (!answer || length < kAntennaAnswer || Word(answer, 0) == 0) return false;
  on = Word(answer, 1);
  return true;
}

void ChannelWords(DWORD kind, const Status& status, DWORD out[kChannelWords]) {
  out[0] = kind;
  out[1] = status.lock;
  if (kind == kTerrestrial) {
    out[2] = status.tuning & 0xFFFF;
    out[3] = (status.tuning >> 16) & 0x7FFF;
    out[4] = status.tuning >> 31;
  } else {
    out[2] = status.tuning;
    out[3] = out[4] = 0;
  }
}

}  // namespace firmwareanswers
