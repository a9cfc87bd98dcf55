// Bus helpers of the terrestrial DSP drivers: a block write and a register
// read that take byte arrays and a bus rate. The normal rate (100 kHz) is
// the resting state: after a successful transfer at the fast rate the
// helper sets it back; after a failure the rate stays as set.
#pragma once

#include "FrontendBus.h"

// 0 or -1.
int DrvI2cWriteBlock(IFrontendBus& bus, BYTE addr, const BYTE* data, int count, int rateKHz);
// One or two register bytes, a repeated start, count bytes into out
// (untouched on failure); -1 at once for more than two register bytes.
int DrvI2cReadRegs(IFrontendBus& bus, BYTE addr, const BYTE* regs, int regCount, BYTE* out, int count, int rateKHz);
