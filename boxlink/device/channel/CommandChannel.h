// The command-channel transaction shared by every box command of the
// library: the command lock, the 20 ms pause, one I/O control carrying the
// request and receiving the answer. Internal to the library.
#pragma once

#include <windows.h>

namespace commandchannel {

// No box is open.
bool NoBox();

// One transaction: the answer buffer is zeroed first, so bytes the box
// does not send never reach an out-argument. TRUE when the I/O control
// succeeded; `returned` gets the driver's byte count.
BOOL Transact(const BYTE* request, int requestLength, BYTE* answer, int answerLength, DWORD& returned);

// A transaction of an operation with its own request: TRUE when the I/O
// control succeeded and the byte count is acceptable (short answers are,
// a count whose low byte is 0xFF is not).
BOOL Exchange(const BYTE* request, int requestLength, BYTE* answer, int answerLength);

}  // namespace commandchannel
