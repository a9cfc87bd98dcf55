#include "DevicePort.h"

#include <atomic>

namespace {

// Production: straight through to Win32.
class CWin32DevicePort final : public IDevicePort {
 public:
  HDEVINFO SetupDiGetClassDevsA(const GUID* g, PCSTR e, HWND w, DWORD f) override {
    return ::SetupDiGetClassDevsA(g, e, w, f);
  }
  BOOL SetupDiEnumDeviceInterfaces(HDEVINFO s, PSP_DEVINFO_DATA d, const GUID* g, DWORD i,
                                   PSP_DEVICE_INTERFACE_DATA data) override {
    return ::SetupDiEnumDeviceInterfaces(s, d, g, i, data);
  }
  BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO s, PSP_DEVICE_INTERFACE_DATA data,
                                        PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail, DWORD size, PDWORD required,
                                        PSP_DEVINFO_DATA d) override {
    return ::SetupDiGetDeviceInterfaceDetailA(s, data, detail, size, required, d);
  }
  BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO s, PSP_DEVINFO_DATA d, DWORD p, PDWORD t, PBYTE b, DWORD size,
                                         PDWORD required) override {
    return ::SetupDiGetDeviceRegistryPropertyA(s, d, p, t, b, size, required);
  }
  BOOL SetupDiDestroyDeviceInfoList(HDEVINFO s) override { return ::SetupDiDestroyDeviceInfoList(s); }
  HANDLE CreateFileA(LPCSTR p, DWORD a, DWORD s, LPSECURITY_ATTRIBUTES sa, DWORD d, DWORD f, HANDLE t) override {
    return ::CreateFileA(p, a, s, sa, d, f, t);
  }
  BOOL CloseHandle(HANDLE h) override { return ::CloseHandle(h); }
  BOOL DeviceIoControl(HANDLE h, DWORD c, LPVOID i, DWORD is, LPVOID o, DWORD os, LPDWORD r, LPOVERLAPPED ov) override {
    return ::DeviceIoControl(h, c, i, is, o, os, r, ov);
  }
  BOOL ReadFile(HANDLE h, LPVOID b, DWORD s, LPDWORD r, LPOVERLAPPED ov) override { return ::ReadFile(h, b, s, r, ov); }
  BOOL WriteFile(HANDLE h, LPCVOID b, DWORD s, LPDWORD w, LPOVERLAPPED ov) override {
    return ::WriteFile(h, b, s, w, ov);
  }
  BOOL GetOverlappedResult(HANDLE h, LPOVERLAPPED ov, LPDWORD n, BOOL wait) override {
    return ::GetOverlappedResult(h, ov, n, wait);
  }
  BOOL CancelIo(HANDLE h) override { return ::CancelIo(h); }
  DWORD GetAdaptersInfo(PIP_ADAPTER_INFO info, PULONG size) override { return ::GetAdaptersInfo(info, size); }
};

// The variable names a simulator that cannot be bound: no box is found and
// every device call fails, so a broken test set-up never reaches a real box.
class CUnboundDevicePort final : public IDevicePort {
 public:
  HDEVINFO SetupDiGetClassDevsA(const GUID*, PCSTR, HWND, DWORD) override { return HDEVINFO(INVALID_HANDLE_VALUE); }
  BOOL SetupDiEnumDeviceInterfaces(HDEVINFO, PSP_DEVINFO_DATA, const GUID*, DWORD, PSP_DEVICE_INTERFACE_DATA) override {
    return Fail();
  }
  BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO, PSP_DEVICE_INTERFACE_DATA, PSP_DEVICE_INTERFACE_DETAIL_DATA_A, DWORD,
                                        PDWORD, PSP_DEVINFO_DATA) override {
    return Fail();
  }
  BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO, PSP_DEVINFO_DATA, DWORD, PDWORD, PBYTE, DWORD, PDWORD) override {
    return Fail();
  }
  BOOL SetupDiDestroyDeviceInfoList(HDEVINFO) override { return Fail(); }
  HANDLE CreateFileA(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE) override {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  BOOL CloseHandle(HANDLE) override { return Fail(); }
  BOOL DeviceIoControl(HANDLE, DWORD, LPVOID, DWORD, LPVOID, DWORD, LPDWORD, LPOVERLAPPED) override { return Fail(); }
  BOOL ReadFile(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED) override { return Fail(); }
  BOOL WriteFile(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED) override { return Fail(); }
  BOOL GetOverlappedResult(HANDLE, LPOVERLAPPED, LPDWORD, BOOL) override { return Fail(); }
  BOOL CancelIo(HANDLE) override { return Fail(); }
  DWORD GetAdaptersInfo(PIP_ADAPTER_INFO, PULONG) override { return ERROR_NO_DATA; }

 private:
  static BOOL Fail() {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
};

CWin32DevicePort g_win32Port;
CUnboundDevicePort g_unboundPort;
std::atomic<IDevicePort*> g_port{nullptr};

IDevicePort* BindByEnvironment() {
  char path[MAX_PATH];
  DWORD n = GetEnvironmentVariableA(BOXLINK_SIMULATOR_VARIABLE, path, sizeof(path));
  if (n == 0) return &g_win32Port;
  if (n >= sizeof(path)) return &g_unboundPort;
  HMODULE module = LoadLibraryA(path);  // kept loaded for the life of the process
  if (!module) return &g_unboundPort;
  // Through the generic function pointer type, which any function pointer
  // converts to without a cast-type warning.
  auto factory =
      reinterpret_cast<BoxPortFactory>(reinterpret_cast<void (*)()>(GetProcAddress(module, BOXLINK_SIMULATOR_EXPORT)));
  IDevicePort* port = factory ? factory() : nullptr;
  return port ? port : &g_unboundPort;
}

}  // namespace

IDevicePort& DevicePort() {
  IDevicePort* port = g_port.load();
  if (!port) {
    IDevicePort* bound = BindByEnvironment();
    IDevicePort* expected = nullptr;
    g_port.compare_exchange_strong(expected, bound);
    port = g_port.load();
  }
  return *port;
}

void SetDevicePort(IDevicePort* port) { g_port.store(port); }
