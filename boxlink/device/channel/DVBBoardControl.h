// Bringing an opened box into service and out again: booting its ARM
// processor from a firmware file, switching it between set-top mode and
// standby, resetting the driver, reading versions and identifiers, and
// switching the USB streams on and off together with the library's two
// reader threads. The class has no data; the box's state lives in the box
// and in CDVBCommon and CDVBIoI2c.
#pragma once

#include "DVBError.h"

#include <Framework.h>

// The USB alternate setting: 0 streams off; 1-6 isochronous output only;
// 7-12 input only; any other value both.
typedef int _BANDWIDTH;

// The multicast list of the box's network adapter as its driver returns
// it; the inner layout is the driver's.
struct _MULTICAST_LIST {
  BYTE bytes[396];
};

class AFX_EXT_CLASS CDVBBoardControl {
 public:
  CDVBBoardControl() {}
  virtual ~CDVBBoardControl() {}

  // Polls of the boot's two waits for the box: 100 ms apart, at most 80
  // for it to leave the bus and then at most 200 for it to come back.
  static const DWORD kPollMs = 100;
  static const int kLeavePolls = 80;
  static const int kReturnPolls = 200;

  DVB_ERROR BootARM(const char* file);
  DVB_ERROR STB2StandbyModus();
  DVB_ERROR Reset2STBModus();
  DVB_ERROR ResetInit();
  DVB_ERROR GetMACAddress(DWORD& first, DWORD& second);
  BOOL GetDriverStatus(DWORD* words, BYTE count);
  BOOL GetDriverStatus(DWORD& s0, DWORD& s1, DWORD& s2, DWORD& s3, DWORD& s4, DWORD& s5, DWORD& s6, DWORD& s7,
                       DWORD& s8, DWORD& s9, DWORD& s10, DWORD& s11, DWORD& s12, DWORD& s13, DWORD& s14, DWORD& s15,
                       DWORD& s16);
  DVB_ERROR GetUsbDeviceIDs(WORD& vendor, WORD& product);
  DVB_ERROR GetSTBMode(DWORD& mode, DWORD& second, DWORD& third);
  DVB_ERROR GetSTBVersions(WORD& v0, WORD& v1, WORD& v2, WORD& v3, WORD& v4, WORD& v5);
  DVB_ERROR GetVersions(DWORD& library, DWORD& usbDriver, DWORD& networkDriver);
  DVB_ERROR EnableIsoStream(_BANDWIDTH setting);
  DVB_ERROR GetUsbBandWidth(DWORD& first, DWORD& second);

  // The box's network adapter: its multicast list, and its IP address,
  // subnet mask and base port (1 when the adapter is not open or fails).
  DVB_ERROR GetMulticastList(_MULTICAST_LIST& list);
  DVB_ERROR Get_IP_SM_BP(DWORD& address, DWORD& subnetMask, WORD& basePort);
  // Removes the box filters that this process holds for other processes.
  void ResetAllSlaveFilters();

  // Packs a file-version text ("1,2,3,4" or "2.10") into four nibbles.
  static DWORD PackFileVersion(const char* text);
};
