#include "I2cSequence.h"

#include <cstring>

namespace i2csequence {

int BuildRequest(BYTE* out, int address, const int* write, int writeCount, int readCount) {
  if (writeCount < 0 || readCount < 0 || writeCount > kMaxTransfer || readCount > kMaxTransfer) return -1;
  if (writeCount > 0 && !write) return -1;
  // Twice a wider address is no bus address byte: cut to one, it would
  // reach another device.
  if (address < 0 || address > kMaxAddress) return -1;
  out[0] = BYTE(address << 1);
  out[1] = BYTE(writeCount);
  out[2] = BYTE(readCount);
  for (int i = 0; i < writeCount; ++i) out[kHeaderSize + i] = BYTE(write[i]);
  return kHeaderSize + writeCount;
}

bool EchoMatches(const BYTE* answer, int address, int writeCount, int readCount) {
  return answer[0] == BYTE(address << 1) && answer[1] == BYTE(writeCount) && answer[2] == BYTE(readCount);
}

void CopyRead(const BYTE* answer, int* read, int readCount) {
  for (int i = 0; i < readCount; ++i) read[i] = answer[kHeaderSize + i];
}

bool ParseRequest(const BYTE* request, int length, Request& out) {
  if (length < kHeaderSize) return false;
  out.address = request[0] >> 1;
  out.readBit = (request[0] & 1) != 0;
  out.writeCount = request[1];
  out.readCount = request[2];
  if (out.writeCount > kMaxTransfer || out.readCount > kMaxTransfer) return false;
  if (length < kHeaderSize + out.writeCount) return false;
  out.write = request + kHeaderSize;
  return true;
}

int BuildDiSEqC(BYTE* out, BYTE mode, const BYTE* message, int length) {
  if (length < 0 || length > kMaxDiSEqC || (length > 0 && !message)) return -1;
  out[0] = 0;
  out[1] = mode;
  out[2] = 0;
  out[3] = 0;
  if (length > 0) memcpy(out + kDiSEqCHeader, message, size_t(length));
  return kDiSEqCHeader + length;
}

void BuildGpio(BYTE* out, BYTE output, int value) {
  out[0] = output;
  out[1] = BYTE(value);
}

bool GpioAccepted(const BYTE* answer, BYTE output) { return answer[0] == output && answer[1] != kGpioRefused; }

}  // namespace i2csequence
