// Requests and answers of the box's I2C bridge (command 0x31), DiSEqC
// message (0x72) and general-purpose output (0x03).
//
// I2C request: bus address byte (7-bit address << 1), write count w, read
// count r, the w bytes to write. Answer: the first three request bytes
// echoed, then the r bytes read.
#pragma once

#include <WinTypes.h>

namespace i2csequence {

// 57 bytes plus the three header bytes fill the channel's 60-byte limit.
const int kMaxTransfer = 57;
const int kHeaderSize = 3;

// Devices have 7-bit addresses.
const int kMaxAddress = 0x7F;

// Builds the request into out (room for kHeaderSize + kMaxTransfer bytes);
// only the low byte of each word is sent. Returns its length, or -1 when the
// address or a count is out of range or the write words are missing.
int BuildRequest(BYTE* out, int address, const int* write, int writeCount, int readCount);

// The answer must echo address * 2 and both counts.
bool EchoMatches(const BYTE* answer, int address, int writeCount, int readCount);

// Stores answer bytes 3 onwards zero-extended into read[0..readCount).
void CopyRead(const BYTE* answer, int* read, int readCount);

// A request as the box sees it (the simulated box parses what it gets).
struct Request {
  int address = 0;  // 7-bit
  bool readBit = false;
  int writeCount = 0;
  int readCount = 0;
  const BYTE* write = nullptr;
};
// False when the request is too short for its own counts or a count is
// above the limit.
bool ParseRequest(const BYTE* request, int length, Request& out);

// DiSEqC: {0, mode, 0, 0, message}; messages are at most 6 bytes.
const int kMaxDiSEqC = 6;
const int kDiSEqCHeader = 4;
int BuildDiSEqC(BYTE* out, BYTE mode, const BYTE* message, int length);

// GPIO: {output, low byte of value}; answer {echoed output, status}, where
// status 0x55 means refused.
const BYTE kGpioRefused = 0x55;
void BuildGpio(BYTE* out, BYTE output, int value);
bool GpioAccepted(const BYTE* answer, BYTE output);

}  // namespace i2csequence
