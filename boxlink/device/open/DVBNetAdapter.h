// The box's network adapter on the PC: a second device of the box's driver
// package, in its own device-interface class, whose adapter index is taken
// to be the box index. Its configuration lives in its device-class key
// ("NetworkAddress", "DVBBasePort", "DHCPService"); the PC's matching
// network adapter gives its IP address and mask; its driver is opened as a
// second handle while a box is open with its network side. Static
// operations, internal to the library.
#pragma once

#include "DVBError.h"

#include <Framework.h>

class CDVBNetAdapter {
 public:
  static WORD GetCount();
  // The adapter handle (-1 when closed) and the index it was opened for
  // (0xFFFF when none).
  static HANDLE GetHandle();
  static WORD GetIndex();

  // Opens the driver of adapter idx, gives it the PC adapter's address and
  // checks that it reports a non-zero IP. TRUE at once when idx is open.
  static BOOL Open(WORD idx);
  static void Close();

  // Driver operations on the open adapter: DVB_ERR_NO_DEVICE when closed or
  // failed, DVB_ERR_ARGUMENT for arguments beyond the limits; outputs are
  // untouched on failure.
  static DVB_ERROR GetAddress(DWORD& ip, DWORD& mask, WORD& port);
  static DVB_ERROR SetAddress(CString ip, CString mask);
  static DWORD GetVersion();  // 0 when closed or failed
  static DVB_ERROR GetMulticastList(void* list396);
  static DVB_ERROR SendSection(BYTE* data, WORD length, BYTE tag);
  static DVB_ERROR SendBlock(BYTE* data, WORD length);

  // The adapter's configuration from its class key (registryOnly) and, from
  // the PC adapter with its MAC (or a fallback one), its IP and mask.
  static BOOL ReadSettings(CString driverKey, CString& mac, CString& ip, CString& mask, WORD& port, DWORD& dhcp,
                           BOOL registryOnly);
  static BOOL FindHostAdapter(CString mac, CString& ip, CString& mask, DWORD& dhcpEnabled);
  static BOOL GetMAC(WORD idx, CString& mac);
  static BOOL SetMAC(WORD idx, const CString& mac);
  static BOOL GetInfo(WORD idx, CString& name, CString& mac, CString& ip);
  static BOOL GetSettings(WORD idx, CString& name, CString& path, CString& mac, CString& ip, CString& mask, WORD& port,
                          DWORD& dhcp);

 private:
  // Root of the device-class keys for this system; FALSE where there is none.
  static BOOL ClassKeyRoot(CString& root);

  static HANDLE s_hAdapter;
  static WORD s_wAdapterIdx;
};
