#include "TerrestrialBus.h"

#include "DriverI2c.h"

#include <cstddef>
#include <vector>

namespace {

// The chip drivers name their bus this way; the box ignores it.
const WORD kBusSelector = 33;
const WORD kNormalKHz = 100;
const WORD kFastKHz = 400;

void SetRate(IFrontendBus& bus, int rateKHz) {
  bus.SetBitRate(kBusSelector, rateKHz < kFastKHz ? kNormalKHz : kFastKHz);
}

}  // namespace

int DrvI2cWriteBlock(IFrontendBus& bus, BYTE addr, const BYTE* data, int count, int rateKHz) {
  if (count < 0) return -1;
  std::vector<int> words(data, data + count);
  SetRate(bus, rateKHz);
  if (DrvI2cWrite(bus, addr, words.data(), count)) return -1;
  SetRate(bus, kNormalKHz);
  return 0;
}

int DrvI2cReadRegs(IFrontendBus& bus, BYTE addr, const BYTE* regs, int regCount, BYTE* out, int count, int rateKHz) {
  if (regCount < 0 || regCount > 2 || count < 0) return -1;
  const int wr[2] = {regCount > 0 ? regs[0] : 0, regCount > 1 ? regs[1] : 0};
  std::vector<int> answer(size_t(count), 0);
  SetRate(bus, rateKHz);
  if (DrvI2cWriteRead(bus, addr, wr, regCount, answer.data(), count)) return -1;
  for (int i = 0; i < count; ++i) out[i] = BYTE(answer[size_t(i)]);
  SetRate(bus, kNormalKHz);
  return 0;
}
