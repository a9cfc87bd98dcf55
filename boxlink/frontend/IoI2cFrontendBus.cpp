#include "IoI2cFrontendBus.h"

#include "DVBCommon.h"
#include "DVBIoI2c.h"
#include "DVBRegistry.h"

#include <cstring>

namespace {

class CIoI2cFrontendBus final : public IFrontendBus {
 public:
  bool DeviceOpen() override { return CDVBCommon::GetActDeviceHandle() != INVALID_HANDLE_VALUE; }
  int CombinedSeq(int address, const int* write, int writeCount, int* read, int readCount) override {
    return CDVBIoI2c::CombinedSeq(address, write, writeCount, read, readCount);
  }
  int GetErrNo() override { return CDVBIoI2c::GetErrNo(); }
  void SetBitRate(WORD unused, WORD kHz) override { CDVBIoI2c::SetBitRate(unused, kHz); }
  int SendCommand(BYTE command, const BYTE* request, int requestLength, BYTE* answer, int answerLength) override {
    if (requestLength < 0 || requestLength > 0xFF || answerLength < 0 || answerLength > 0xFF) return -1;
    BYTE got =
        CDVBIoI2c::SendCommand(command, const_cast<BYTE*>(request), BYTE(requestLength), answer, BYTE(answerLength));
    return got == 0xFF ? -1 : got;
  }
  bool GetPCISubIDs(DWORD& ids) override { return CDVBIoI2c::GetPCISubIDs(ids) != FALSE; }
  bool GetFEType(DWORD& type) override { return CDVBIoI2c::GetFEType(type) != FALSE; }
  int DiSEqCMsg(const BYTE* message, BYTE length, BYTE burst, int variant) override {
    return CDVBIoI2c::DiSEqCMsg(const_cast<BYTE*>(message), length, burst, variant);
  }
  int SetLnbPwrPolF22(int supply, int volt13, int tone22k, int variant, int japanLnb) override {
    return CDVBIoI2c::SetLnbPwrPolF22(supply, volt13, tone22k, variant, japanLnb);
  }
  void SetResetLine(int level) override { CDVBIoI2c::SetResetLine(level); }
  BOOL GetAnalog() override { return CDVBIoI2c::GetAnalog(); }
  void Sleep(DWORD milliseconds) override { ::Sleep(milliseconds); }
  DWORD Now() override { return GetTickCount(); }
};

class CLibraryFrontendSettings final : public IFrontendSettings {
 public:
  bool ReadDWord(const char* name, DWORD& value) override {
    return CDVBRegistry().ReadDWord(BOXLINK_REGISTRY_KEY, name, value) != FALSE;
  }
  int GetProfileInt(const char* section, const char* key, int fallback) override {
    return int(::GetProfileIntA(section, key, fallback));
  }
  bool ReadKeyDWord(const char* key, const char* name, DWORD& value) override {
    return CDVBRegistry().ReadDWord(key, name, value) != FALSE;
  }
  bool WriteKeyDWord(const char* key, const char* name, DWORD value) override {
    return CDVBRegistry().WriteDWord(key, name, value) != FALSE;
  }
  bool ReadProgramFile(const char* relativePath, std::vector<BYTE>& data) override {
    char path[MAX_PATH + 64] = "C:\\";
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
      char* slash = strrchr(path, '\\');
      if (slash) slash[1] = 0;
    } else {
      strcpy(path, "C:\\");
    }
    if (strlen(path) + strlen(relativePath) >= sizeof(path)) return false;
    strcat(path, relativePath);
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    bool ok = size != INVALID_FILE_SIZE && high == 0 && size <= kMaxProgramFile;
    if (ok) {
      data.assign(size, 0);
      DWORD read = 0;
      ok = size == 0 || (ReadFile(file, data.data(), size, &read, nullptr) && read == size);
    }
    CloseHandle(file);
    return ok;
  }
};

}  // namespace

IFrontendBus& IoI2cFrontendBus() {
  static CIoI2cFrontendBus bus;
  return bus;
}

IFrontendSettings& LibraryFrontendSettings() {
  static CLibraryFrontendSettings settings;
  return settings;
}
