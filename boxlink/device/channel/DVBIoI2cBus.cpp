// The box's I2C bridge (command 0x31), DiSEqC (0x72), the free-form front-end
// command (0x78) and the USB identifiers for the front end.
#include "DVBIoI2c.h"

#include "BoxCommands.h"
#include "ByteOrder.h"
#include "CommandChannel.h"
#include "I2cSequence.h"

using commandchannel::NoBox;
int CDVBIoI2c::CombinedSeq(int address, const int* write, int writeCount, int* read, int readCount) {
  BYTE request[i2csequence::kHeaderSize + i2csequence::kMaxTransfer];
  int length = -1;
  if (!NoBox() && (readCount == 0 || read))
    length = i2csequence::BuildRequest(request, address, write, writeCount, readCount);
  if (length < 0) {
    CountI2cFailure();
    return -1;
  }
  BYTE answer[i2csequence::kHeaderSize + i2csequence::kMaxTransfer];
  BYTE got =
      SendCommand(boxcommands::kI2cCombined, request, BYTE(length), answer, BYTE(i2csequence::kHeaderSize + readCount));
  if (got == 0xFF || !i2csequence::EchoMatches(answer, address, writeCount, readCount)) {
    CountI2cFailure();
    return -1;
  }
  i2csequence::CopyRead(answer, read, readCount);
  return 0;
}

int CDVBIoI2c::ReadSeq(int address, int* read, int count) { return CombinedSeq(address, nullptr, 0, read, count); }

int CDVBIoI2c::WriteSeq(int address, const int* write, int count) {
  return CombinedSeq(address, write, count, nullptr, 0);
}

// Not used with these boxes; kept for the class interface the front end
// shares with other card families.
int CDVBIoI2c::I2CWriteRead(BYTE, BYTE*, BYTE&, BYTE*, BYTE&) { return 0; }
int CDVBIoI2c::SetTerFreqCmd(WORD, WORD) { return 0; }
BOOL CDVBIoI2c::GetAnalog() { return 0; }

BOOL CDVBIoI2c::SendDiSEqC(DWORD& status, BYTE mode, BYTE* message, BYTE length) {
  if (NoBox()) return FALSE;
  BYTE request[i2csequence::kDiSEqCHeader + i2csequence::kMaxDiSEqC];
  int n = i2csequence::BuildDiSEqC(request, mode, message, length);
  if (n < 0) return FALSE;
  BYTE answer[4];
  if (SendCommand(boxcommands::kDiSEqC, request, BYTE(n), answer, sizeof(answer)) == 0xFF) return FALSE;
  status = byteorder::GetBE32(answer);
  return TRUE;
}

int CDVBIoI2c::DiSEqCMsg(BYTE* message, BYTE length, BYTE mode, int) {
  DWORD status = 1;
  if (!SendDiSEqC(status, mode, message, length)) return 1;
  return status == 0 ? 0 : 1;
}

BOOL CDVBIoI2c::SendFECommand(BYTE* request, BYTE length, BYTE* answer, BYTE& answerLength) {
  if (NoBox() || (answerLength && !answer) || length == 0 || !request) return FALSE;
  BYTE got = SendCommand(boxcommands::kFeCommand, request, length, answerLength ? answer : nullptr, answerLength);
  if (got == 0xFF) {
    answerLength = 0;
    return FALSE;
  }
  answerLength = got;
  return TRUE;
}

BOOL CDVBIoI2c::GetPCISubIDs(DWORD& ids) {
  WORD vendor = 0, product = 0;
  if (!GetUsbDeviceIDs(vendor, product)) return FALSE;
  ids = (DWORD(vendor) << 16) | product;
  return TRUE;
}
