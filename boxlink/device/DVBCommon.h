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
};
