// The transfer helpers of the chip-driver objects: fixed tries, no front-end
// state. Addresses are 8-bit write addresses; results 0 or non-zero.
#pragma once

#include "FrontendBus.h"

// Up to 3 tries, 1 ms pause after a failed one; 0 or the last error.
int DrvI2cWrite(IFrontendBus& bus, BYTE addr, const BYTE* data, BYTE len);
int DrvI2cWrite(IFrontendBus& bus, BYTE addr, const int* words, int len);
int DrvI2cRead(IFrontendBus& bus, BYTE addr, int* data, int len);
int DrvI2cWriteRead(IFrontendBus& bus, BYTE addr, const int* wr, int wrLen, int* rd, int rdLen);
// Passes of DrvI2cWrite, another while the error count shows a failure, at
// most 5: 0 or 255.
int DrvI2cWriteChecked(IFrontendBus& bus, BYTE addr, const BYTE* data, BYTE len);
// Through DrvI2cRead; out[0] is 0 on failure.
int DrvI2cReadBytes(IFrontendBus& bus, BYTE addr, BYTE* out, BYTE len);
