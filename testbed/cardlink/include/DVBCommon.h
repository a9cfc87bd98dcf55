// The premium cards present and the one that is open. All members are static.
#pragma once

#include "CardTypes.h"

class AFX_EXT_CLASS CDVBCommon {
 public:
  static WORD GetNumberOfDevices();
  // The card's display name and MAC text; the third text is empty.
  static BOOL GetDeviceInfo(WORD index, CString& name, CString& mac, CString& third);
  // Non-zero when the card was opened for the application id.
  static BOOL OpenDevice(WORD index, const char* appId, BOOL noNetwork);
  static void CloseDevice();
};
