// The one seam between the library and the box's kernel driver: every call
// the library makes to find, open and drive a box, and the network adapter
// list. It passes straight through to Win32 unless a port is bound with
// SetDevicePort; nothing at run time (no variable, no file) rebinds it. The
// simulated box of the test bed is bound by linking: tests link the library's
// objects with it, or load the library's test build, which binds it on load.
#pragma once

#include <windows.h>
#include <iphlpapi.h>
#include <setupapi.h>

class IDevicePort {
 public:
  virtual HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, PCSTR enumerator, HWND parent, DWORD flags) = 0;
  virtual BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, PSP_DEVINFO_DATA device, const GUID* interfaceGuid,
                                           DWORD index, PSP_DEVICE_INTERFACE_DATA data) = 0;
  virtual BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                                PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail, DWORD detailSize,
                                                PDWORD requiredSize, PSP_DEVINFO_DATA device) = 0;
  virtual BOOL SetupDiGetDeviceRegistryPropertyA(HDEVINFO set, PSP_DEVINFO_DATA device, DWORD property, PDWORD type,
                                                 PBYTE buffer, DWORD size, PDWORD requiredSize) = 0;
  virtual BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) = 0;

  virtual HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                             DWORD flags, HANDLE templateFile) = 0;
  virtual BOOL CloseHandle(HANDLE handle) = 0;
  virtual BOOL DeviceIoControl(HANDLE handle, DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
                               LPDWORD returned, LPOVERLAPPED overlapped) = 0;
  virtual BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD size, LPDWORD read, LPOVERLAPPED overlapped) = 0;
  virtual BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) = 0;
  virtual BOOL GetOverlappedResult(HANDLE handle, LPOVERLAPPED overlapped, LPDWORD transferred, BOOL wait) = 0;
  virtual BOOL CancelIo(HANDLE handle) = 0;

  virtual DWORD GetAdaptersInfo(PIP_ADAPTER_INFO info, PULONG size) = 0;

 protected:
  ~IDevicePort() {}
};

// Device-interface class of the box driver.
const GUID GUID_BOXLINK_BOX = {0xCBF61861, 0xD899, 0x4E8F, {0xAD, 0x78, 0xB3, 0x47, 0x60, 0x46, 0xDA, 0xEF}};
// Device-interface class of the box's network adapter on the PC.
const GUID GUID_BOXLINK_NETADAPTER = {0x213E587E, 0xE6BF, 0x45A7, {0xA1, 0xF1, 0x4D, 0x39, 0x32, 0x8F, 0x10, 0xD0}};

// The port the library uses.
IDevicePort& DevicePort();

// Binds the port to the given one (builds that link the simulator); null
// restores the Win32 port.
void SetDevicePort(IDevicePort* port);
