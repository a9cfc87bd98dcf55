// Bringing the card into service: booting its processor from the firmware
// folder, reset, the back-end version, and the data transfer to the host.
#pragma once

#include "CardTypes.h"

class AFX_EXT_CLASS CDVBBoardControl {
 public:
  CDVBBoardControl() {}
  virtual ~CDVBBoardControl() {}

  // folder ends in a backslash.
  DVB_ERROR BootARM(CString* folder);
  DVB_ERROR ResetInit();
  DVB_ERROR GetBEVersion(_BE_VERSION& version);
  DVB_ERROR EnableDataDMA(int enable);
};
