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

CWin32DevicePort g_win32Port;
std::atomic<IDevicePort*> g_port{nullptr};

}  // namespace

IDevicePort& DevicePort() {
  IDevicePort* port = g_port.load();
  return port ? *port : g_win32Port;
}

void SetDevicePort(IDevicePort* port) { g_port.store(port); }
