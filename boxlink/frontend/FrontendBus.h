// The one seam between the front end's chip logic and the box: the I2C
// sequences of the box's bridge, its bus rate, the box commands the front end
// sends itself, and a clock for every pause and time-out. In the library it
// is the command channel of the open box (Win32); in tests it is the
// simulated box linked in, on a virtual clock, so the chip logic runs
// natively as well.
#pragma once

#include <WinTypes.h>

#include <cstddef>
#include <vector>

class IFrontendBus {
 public:
  // A box is open; every operation below fails at once without one.
  virtual bool DeviceOpen() = 0;

  // One I2C transaction (7-bit address; one byte per int, at most 57 each
  // way): the write part, a repeated start, the read part. 0, or -1 after
  // which the error count has grown by one.
  virtual int CombinedSeq(int address, const int* write, int writeCount, int* read, int readCount) = 0;
  int WriteSeq(int address, const int* write, int count) { return CombinedSeq(address, write, count, nullptr, 0); }
  int ReadSeq(int address, int* read, int count) { return CombinedSeq(address, nullptr, 0, read, count); }
  // Failed transfers since the previous call; clears the count.
  virtual int GetErrNo() = 0;
  // 100 kHz below 200, else 400 kHz.
  virtual void SetBitRate(WORD unused, WORD kHz) = 0;

  // One box command: the number of answer bytes, or -1.
  virtual int SendCommand(BYTE command, const BYTE* request, int requestLength, BYTE* answer, int answerLength) = 0;
  // USB vendor id << 16 | product id of the open box.
  virtual bool GetPCISubIDs(DWORD& ids) = 0;
  // The front-end kind the box firmware reports (command 0x70).
  virtual bool GetFEType(DWORD& type) = 0;
  // DiSEqC message through the box: 0 sent, 1 failed.
  virtual int DiSEqCMsg(const BYTE* message, BYTE length, BYTE burst, int variant) = 0;
  virtual int SetLnbPwrPolF22(int supply, int volt13, int tone22k, int variant, int japanLnb) = 0;
  virtual void SetResetLine(int level) = 0;
  virtual BOOL GetAnalog() = 0;

  // Pauses and time-outs.
  virtual void Sleep(DWORD milliseconds) = 0;
  virtual DWORD Now() = 0;  // milliseconds, wrapping

 protected:
  ~IFrontendBus() {}
};

// The front end's settings: DWORD values under the library's registry key
// and elsewhere in the machine's registry, and integers of the profile
// (win.ini).
class IFrontendSettings {
 public:
  // True and value set only when the value exists as a DWORD.
  virtual bool ReadDWord(const char* name, DWORD& value) = 0;
  virtual int GetProfileInt(const char* section, const char* key, int fallback) = 0;
  // DWORD values at any key path under the machine's registry root (the
  // DVB-T store keeps one key per channel). Reading is as ReadDWord; a
  // write creates the key when it is missing.
  virtual bool ReadKeyDWord(const char* key, const char* name, DWORD& value) = 0;
  virtual bool WriteKeyDWord(const char* key, const char* name, DWORD value) = 0;
  // A file below the folder of the program that runs the library (the
  // chips' microcode, "Boot\\..."), whole; false when it cannot be read or
  // is larger than kMaxProgramFile.
  virtual bool ReadProgramFile(const char* relativePath, std::vector<BYTE>& data) = 0;
  static const size_t kMaxProgramFile = 1 << 20;

 protected:
  ~IFrontendSettings() {}
};
