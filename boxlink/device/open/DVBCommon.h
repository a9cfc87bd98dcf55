// The one open box of a process: finding the boxes that are present,
// opening one, and its driver handle and index, which every other class
// reads before it talks to the box. All members are static.
#pragma once

#include <Framework.h>

class AFX_EXT_CLASS CDVBCommon {
 public:
  static WORD GetNumberOfDevices();
  static BOOL OpenDevice(WORD index, const char* appId, BOOL noNetwork);
  static void CloseDevice();
  static BOOL IsOpen();
  static HANDLE GetActDeviceHandle();
  static WORD GetActDeviceIdx();

  static HANDLE m_hDevice;
  static WORD m_wDevIdx;

  // The box's display name, and the MAC and IP of its network adapter.
  static BOOL GetDeviceInfo(WORD index, CString& name, CString& mac, CString& ip);
  // Device-class key of the open box (which 0) or of its network adapter.
  static BOOL GetDeviceRegistryPath(int which, CString& path);
  // The process that holds a box, asking it to let go, and the name of the
  // window message that asks.
  static BOOL GetCurrentDevApp(WORD index, const char*& module, const char*& appId);
  static BOOL CloseCurrentApp(WORD index, DWORD timeoutMs);
  static const char* GetAppCloseMessage();

 private:
  friend class CDVBNetAdapter;
  static void CheckChangeMAC(WORD index);
  static int GetWinSysVer();
};
