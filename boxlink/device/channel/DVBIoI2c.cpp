// Driver I/O controls, pipe and stream transfers, and the command channel.
#include "DVBIoI2c.h"

#include "BoxCommands.h"
#include "ByteOrder.h"
#include "CommandChannel.h"
#include "CommandLayouts.h"
#include "ConfigDescriptorText.h"
#include "DVBCommon.h"
#include "DriverIoctl.h"
#include "OverlappedIo.h"

#include <cstring>

CCriticalSection CDVBIoI2c::m_CS;
int CDVBIoI2c::m_err = 0;

namespace {

// Pipe transfers give up after this long.
const DWORD kPipeTimeoutMs = 1000;
// The command channel's pacing: at most one command every 20 ms.
const DWORD kCommandPauseMs = 20;

HANDLE Device() { return CDVBCommon::GetActDeviceHandle(); }

BOOL Control(DWORD code, const void* input = nullptr, DWORD inputLength = 0, void* output = nullptr,
             DWORD outputLength = 0, DWORD* returned = nullptr, DWORD timeoutMs = 0) {
  return overlappedio::OverlappedIoControl(Device(), code, input, inputLength, output, outputLength, returned,
                                           timeoutMs);
}

BOOL ControlDword(DWORD code, DWORD value) { return Control(code, &value, sizeof(value)); }

// A pipe write: the length sent, or -1. The driver's byte count of a write
// counts output bytes and says nothing about what was sent.
int PipeWrite(DWORD code, const BYTE* data, DWORD length) {
  if (!Control(code, data, length, nullptr, 0, nullptr, kPipeTimeoutMs)) return -1;
  return int(length);
}

// A pipe read: the bytes read, or -1.
int PipeRead(DWORD code, BYTE* buffer, DWORD length) {
  DWORD read = 0;
  if (!Control(code, nullptr, 0, buffer, length, &read, kPipeTimeoutMs)) return -1;
  return int(read < length ? read : length);
}

BYTE AsByteCount(int n) { return n < 0 ? BYTE(0xFF) : BYTE(n); }

}  // namespace

CDVBIoI2c& CDVBIoI2c::operator=(const CDVBIoI2c&) { return *this; }

BOOL CDVBIoI2c::GetDeviceConfigDescriptor(BYTE* buffer, DWORD& length) {
  if (!buffer) return FALSE;
  DWORD returned = 0;
  BOOL ok = Control(driverioctl::kGetConfigDescriptor, nullptr, 0, buffer, length, &returned);
  length = ok ? (returned < length ? returned : length) : 0;
  return ok;
}

BOOL CDVBIoI2c::ResetDevice() { return Control(driverioctl::kResetDevice); }
BOOL CDVBIoI2c::AbortPipe(_USB_PIPES pipe) { return ControlDword(driverioctl::kAbortPipe, DWORD(pipe)); }
BOOL CDVBIoI2c::ResetPipe(_USB_PIPES pipe) { return ControlDword(driverioctl::kResetPipe, DWORD(pipe)); }

BYTE CDVBIoI2c::WriteEPBulkCmdOut(BYTE* data, BYTE length) {
  return AsByteCount(PipeWrite(driverioctl::kWriteBulkCmdOut, data, length));
}

int CDVBIoI2c::SyncWriteEPBulkCmdOut(BYTE* data, WORD length) {
  // Under the command lock, so that a frame never interleaves with a
  // command-channel transaction.
  CSingleLock lock(&m_CS, TRUE);
  return PipeWrite(driverioctl::kWriteBulkCmdOut, data, length);
}

BYTE CDVBIoI2c::ReadEPBulkCmdIn(BYTE* buffer, BYTE length) {
  return AsByteCount(PipeRead(driverioctl::kReadBulkCmdIn, buffer, length));
}

int CDVBIoI2c::WriteEPBulkStrmOut(BYTE* data, WORD length) {
  return PipeWrite(driverioctl::kWriteBulkStrmOut, data, length);
}

int CDVBIoI2c::ReadEPBulkStrmIn(BYTE* buffer, WORD length) {
  return PipeRead(driverioctl::kReadBulkStrmIn, buffer, length);
}

BYTE CDVBIoI2c::WriteEPIntCtrlOut(BYTE* data, BYTE length) {
  return AsByteCount(PipeWrite(driverioctl::kWriteIntCtrlOut, data, length));
}

BYTE CDVBIoI2c::ReadEPIntCtrlIn(BYTE* buffer, BYTE length) {
  return AsByteCount(PipeRead(driverioctl::kReadIntCtrlIn, buffer, length));
}

BOOL CDVBIoI2c::SelectAlternateSetting(_ALTERNATE_SETTINGS setting) {
  return ControlDword(driverioctl::kSelectAlternateSetting, DWORD(setting));
}

BOOL CDVBIoI2c::SwitchIsoInStreamOnOff(BOOL on) { return ControlDword(driverioctl::kSwitchIsoInStream, DWORD(on)); }

BOOL CDVBIoI2c::SwitchIsoOutStreamOnOff(BOOL on) { return ControlDword(driverioctl::kSwitchIsoOutStream, DWORD(on)); }

BOOL CDVBIoI2c::GetUsbBandWidth(DWORD& first, DWORD& second) {
  DWORD words[2] = {};
  DWORD returned = 0;
  if (!Control(driverioctl::kGetUsbBandWidth, nullptr, 0, words, sizeof(words), &returned) || returned < sizeof(words))
    return FALSE;
  first = words[0];
  second = words[1];
  return TRUE;
}

BOOL CDVBIoI2c::GetUsbDeviceIDs(WORD& vendor, WORD& product) {
  BYTE descriptor[driverioctl::kDeviceDescriptorSize] = {};
  DWORD returned = 0;
  // The identifiers sit in bytes 8-11; a descriptor cut before them is no use.
  if (!Control(driverioctl::kGetUsbDeviceIds, nullptr, 0, descriptor, sizeof(descriptor), &returned) || returned < 12)
    return FALSE;
  vendor = byteorder::GetLE16(descriptor + 8);
  product = byteorder::GetLE16(descriptor + 10);
  return TRUE;
}

BOOL CDVBIoI2c::SetupReadEvent(CEvent& event, BOOL set) {
  DWORD handle = set ? DWORD(reinterpret_cast<UINT_PTR>(HANDLE(event))) : 0;
  return ControlDword(driverioctl::kSetupReadEvent, handle);
}

BOOL CDVBIoI2c::SetupWriteEvent(CEvent& event, BOOL set) {
  DWORD handle = set ? DWORD(reinterpret_cast<UINT_PTR>(HANDLE(event))) : 0;
  return ControlDword(driverioctl::kSetupWriteEvent, handle);
}

BOOL CDVBIoI2c::GetDriverStatus(DWORD* words, BYTE count) {
  if (!words) return FALSE;
  memset(words, 0, count * sizeof(DWORD));
  return Control(driverioctl::kGetDriverStatus, nullptr, 0, words, count * sizeof(DWORD));
}

BOOL CDVBIoI2c::GetDriverStatus(DWORD& s0, DWORD& s1, DWORD& s2, DWORD& s3, DWORD& s4, DWORD& s5, DWORD& s6, DWORD& s7,
                                DWORD& s8, DWORD& s9, DWORD& s10, DWORD& s11, DWORD& s12, DWORD& s13, DWORD& s14,
                                DWORD& s15, DWORD& s16) {
  DWORD w[driverioctl::kDriverStatusWords] = {};
  BOOL ok = GetDriverStatus(w, driverioctl::kDriverStatusWords);
  DWORD* out[driverioctl::kDriverStatusWords] = {&s0, &s1,  &s2,  &s3,  &s4,  &s5,  &s6,  &s7, &s8,
                                                 &s9, &s10, &s11, &s12, &s13, &s14, &s15, &s16};
  for (int i = 0; i < driverioctl::kDriverStatusWords; ++i) *out[i] = w[i];
  return ok;
}

BOOL CDVBIoI2c::SetPipeTimeout(_USB_PIPES pipe, DWORD milliseconds) {
  DWORD input[2] = {DWORD(pipe), milliseconds};
  return Control(driverioctl::kSetPipeTimeout, input, sizeof(input));
}

BOOL CDVBIoI2c::ResetDriver() { return Control(driverioctl::kResetDriver); }

BOOL CDVBIoI2c::GetAlternateSetting(_ALTERNATE_SETTINGS& setting) {
  DWORD value = 0, returned = 0;
  if (!Control(driverioctl::kGetAlternateSetting, nullptr, 0, &value, sizeof(value), &returned) ||
      returned < sizeof(value))
    return FALSE;
  setting = _ALTERNATE_SETTINGS(value);
  return TRUE;
}

BOOL CDVBIoI2c::SetThreshold(DWORD value) { return ControlDword(driverioctl::kSetThreshold, value); }
BOOL CDVBIoI2c::ClearBuffer() { return Control(driverioctl::kClearBuffer); }

DWORD CDVBIoI2c::GetUsbStbDrvVersion() {
  DWORD version = 0, returned = 0;
  if (!Control(driverioctl::kGetDriverVersion, nullptr, 0, &version, sizeof(version), &returned) ||
      returned < sizeof(version))
    return 0;
  return version;
}

int CDVBIoI2c::ReadEPIsoStrmIn(BYTE* buffer, int length) {
  if (length < 0) return -1;
  DWORD read = 0;
  if (!overlappedio::OverlappedRead(Device(), buffer, DWORD(length), &read, 0)) return -1;
  return int(read);
}

int CDVBIoI2c::WriteEPIsoStrmOut(BYTE* data, int length) {
  if (length < 0) return -1;
  DWORD written = 0;
  if (!overlappedio::OverlappedWrite(Device(), data, DWORD(length), &written, 0)) return -1;
  return int(written);
}

namespace commandchannel {

bool NoBox() { return Device() == INVALID_HANDLE_VALUE; }

BOOL Transact(const BYTE* request, int requestLength, BYTE* answer, int answerLength, DWORD& returned) {
  returned = 0;
  if (answerLength) memset(answer, 0, size_t(answerLength));
  CSingleLock lock(&CDVBIoI2c::m_CS, TRUE);
  Sleep(kCommandPauseMs);
  return Control(driverioctl::kCommandChannel, request, DWORD(requestLength), answerLength ? answer : nullptr,
                 DWORD(answerLength), &returned);
}

BOOL Exchange(const BYTE* request, int requestLength, BYTE* answer, int answerLength) {
  if (NoBox()) return FALSE;
  DWORD returned = 0;
  if (!Transact(request, requestLength, answer, answerLength, returned)) return FALSE;
  return boxcommands::AnswerCountAccepted(returned);
}

}  // namespace commandchannel

BYTE CDVBIoI2c::SendCommand(BYTE command, BYTE* parameters, BYTE parameterLength, void* answer, BYTE answerLength) {
  if (Device() == INVALID_HANDLE_VALUE) return 0xFF;
  if (!answer && answerLength) return 0xFF;
  if (answerLength > boxcommands::kMaxAnswer) return 0xFF;
  if (!parameters && parameterLength) return 0xFF;
  if (parameterLength > boxcommands::kMaxParams) return 0xFF;

  BYTE request[1 + boxcommands::kMaxParams];
  request[0] = command;
  if (parameterLength) memcpy(request + 1, parameters, parameterLength);
  DWORD returned = 0;
  if (!commandchannel::Transact(request, 1 + parameterLength, static_cast<BYTE*>(answer), answerLength, returned))
    return 0xFF;
  if (returned == answerLength) return answerLength;
  return BYTE(returned);
}

int CDVBIoI2c::GetErrNo() { return __atomic_exchange_n(&m_err, 0, __ATOMIC_SEQ_CST); }

void CDVBIoI2c::CountI2cFailure() { __atomic_add_fetch(&m_err, 1, __ATOMIC_SEQ_CST); }

void CDVBIoI2c::SetResetLine(int) {}

// LNB supply, polarisation and the 22 kHz tone are set by the front end
// through its own box commands.
int CDVBIoI2c::SetLnbPwrPolF22(int, int, int, int, int) { return 1; }

int CDVBIoI2c::GetBitRate() { return 100; }

BOOL CDVBIoI2c::FormatDeviceConfigDescriptor(BYTE* descriptor, DWORD length, char* text, DWORD& size) {
  return configdescriptor::FormatConfigDescriptor(descriptor, length, text, size);
}
