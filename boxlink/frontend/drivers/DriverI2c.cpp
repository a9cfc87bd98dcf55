#include "DriverI2c.h"

namespace {

const int kTries = 3;
const int kCheckedPasses = 5;
const int kMaxTransfer = 57;

template <typename Transfer>
int WithTries(IFrontendBus& bus, Transfer transfer) {
  bus.GetErrNo();
  int result = -1;
  for (int i = 0; i < kTries; ++i) {
    result = transfer();
    if (result == 0) return 0;
    bus.Sleep(1);
  }
  return result;
}

}  // namespace

int DrvI2cWrite(IFrontendBus& bus, BYTE addr, const int* words, int len) {
  return WithTries(bus, [&] { return bus.WriteSeq(addr >> 1, words, len); });
}

int DrvI2cWrite(IFrontendBus& bus, BYTE addr, const BYTE* data, BYTE len) {
  // A write longer than the bridge takes goes to the bus all the same: it
  // refuses it and counts the failure, so a checked write sees it.
  int words[255];
  for (int i = 0; i < len; ++i) words[i] = data[i];
  return DrvI2cWrite(bus, addr, words, len);
}

int DrvI2cRead(IFrontendBus& bus, BYTE addr, int* data, int len) {
  return WithTries(bus, [&] { return bus.ReadSeq(addr >> 1, data, len); });
}

int DrvI2cWriteRead(IFrontendBus& bus, BYTE addr, const int* wr, int wrLen, int* rd, int rdLen) {
  return WithTries(bus, [&] { return bus.CombinedSeq(addr >> 1, wr, wrLen, rd, rdLen); });
}

int DrvI2cWriteChecked(IFrontendBus& bus, BYTE addr, const BYTE* data, BYTE len) {
  for (int pass = 0; pass < kCheckedPasses; ++pass) {
    DrvI2cWrite(bus, addr, data, len);
    if (bus.GetErrNo() == 0) return 0;
  }
  return 255;
}

int DrvI2cReadBytes(IFrontendBus& bus, BYTE addr, BYTE* out, BYTE len) {
  if (len == 0) return 0;
  out[0] = 0;
  if (len > kMaxTransfer) return -1;
  int words[kMaxTransfer] = {};
  int result = DrvI2cRead(bus, addr, words, len);
  if (result) return result;
  for (int i = 0; i < len; ++i) out[i] = BYTE(words[i]);
  return 0;
}
