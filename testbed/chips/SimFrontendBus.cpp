#include "SimFrontendBus.h"

#include "BoxCommands.h"
#include "ByteOrder.h"
#include "I2cSequence.h"

#include <cstring>

int CSimFrontendBus::SendCommand(BYTE command, const BYTE* request, int requestLength, BYTE* answer, int answerLength) {
  if (!m_open || requestLength < 0 || requestLength > boxcommands::kMaxParams || answerLength < 0 ||
      answerLength > boxcommands::kMaxAnswer)
    return -1;
  m_clock.Advance(kCommandPauseMs);
  ++m_commands;
  BYTE bytes[1 + boxcommands::kMaxParams];
  bytes[0] = command;
  if (requestLength) memcpy(bytes + 1, request, size_t(requestLength));
  SimAnswer a = m_box.Command(bytes, 1 + requestLength);
  if (!a.ok) return -1;
  if (answerLength) memset(answer, 0, size_t(answerLength));
  int n = int(a.bytes.size()) < answerLength ? int(a.bytes.size()) : answerLength;
  if (n) memcpy(answer, a.bytes.data(), size_t(n));
  return n;
}

int CSimFrontendBus::CombinedSeq(int address, const int* write, int writeCount, int* read, int readCount) {
  BYTE request[i2csequence::kHeaderSize + i2csequence::kMaxTransfer];
  BYTE answer[i2csequence::kHeaderSize + i2csequence::kMaxTransfer];
  int length = m_open && (readCount == 0 || read)
                   ? i2csequence::BuildRequest(request, address, write, writeCount, readCount)
                   : -1;
  if (length < 0 ||
      SendCommand(boxcommands::kI2cCombined, request, length, answer, i2csequence::kHeaderSize + readCount) < 0 ||
      !i2csequence::EchoMatches(answer, address, writeCount, readCount)) {
    ++m_errors;
    return -1;
  }
  i2csequence::CopyRead(answer, read, readCount);
  return 0;
}

int CSimFrontendBus::GetErrNo() {
  int n = m_errors;
  m_errors = 0;
  return n;
}

void CSimFrontendBus::SetBitRate(WORD, WORD kHz) {
  BYTE fast = kHz >= 200 ? 1 : 0;
  SendCommand(boxcommands::kSetI2cBitRate, &fast, 1, nullptr, 0);
}

bool CSimFrontendBus::GetPCISubIDs(DWORD& ids) {
  if (!m_open) return false;
  ids = m_ids;
  return true;
}

bool CSimFrontendBus::GetFEType(DWORD& type) {
  BYTE a[4];
  if (SendCommand(boxcommands::kGetFeType, nullptr, 0, a, 4) < 0) return false;
  type = byteorder::GetBE32(a);
  return true;
}

int CSimFrontendBus::DiSEqCMsg(const BYTE* message, BYTE length, BYTE burst, int) {
  BYTE request[i2csequence::kDiSEqCHeader + i2csequence::kMaxDiSEqC];
  int n = i2csequence::BuildDiSEqC(request, burst, message, length);
  BYTE a[4];
  if (n < 0 || SendCommand(boxcommands::kDiSEqC, request, n, a, 4) < 0) return 1;
  return byteorder::GetBE32(a) == 0 ? 0 : 1;
}
