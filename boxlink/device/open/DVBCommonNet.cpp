// CDVBCommon's side of the box's network adapter: the box's name with the
// adapter's MAC and IP, the device-class keys, the system family that
// places them, and keeping the adapter's configured MAC equal to the box's.
#include "DVBCommon.h"

#include "DVBDeviceList.h"
#include "DVBIoI2c.h"
#include "DVBNetAdapter.h"
#include "DevicePort.h"
#include "NetAddress.h"
#include "SystemFamily.h"

BOOL CDVBCommon::GetDeviceInfo(WORD index, CString& name, CString& mac, CString& ip) {
  CDVBDeviceList list(GUID_BOXLINK_BOX);
  if (index >= list.Enumerate()) return FALSE;
  name = list[index].name;
  CString adapterName;
  return CDVBNetAdapter::GetInfo(index, adapterName, mac, ip);
}

BOOL CDVBCommon::GetDeviceRegistryPath(int which, CString& path) {
  // The adapter is taken to have the open box's index.
  CDVBDeviceList list(which == 0 ? GUID_BOXLINK_BOX : GUID_BOXLINK_NETADAPTER);
  if (list.Enumerate() <= int(m_wDevIdx)) return FALSE;
  const char* root = systemfamily::ClassKeyRoot(GetWinSysVer());
  if (!root) return FALSE;
  path = CString(root) + list[m_wDevIdx].driverKey;
  return TRUE;
}

int CDVBCommon::GetWinSysVer() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExA(&info)) return -1;
  return systemfamily::SystemFamily(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

void CDVBCommon::CheckChangeMAC(WORD index) {
  // No adapter for this box: nothing to keep in step, and no need to ask
  // the box for its MAC.
  if (index >= CDVBNetAdapter::GetCount()) return;
  CString configured;
  BOOL have = CDVBNetAdapter::GetMAC(index, configured);
  DWORD first = 0, second = 0;
  char boxMac[netaddress::kMacTextSize];
  if (CDVBIoI2c::ReadMAC(first, second) && netaddress::FormatBoxMac(first, second, boxMac)) {
    if (have && netaddress::SameMac(configured, boxMac)) return;
    CDVBNetAdapter::SetMAC(index, boxMac);
  } else {
    CDVBNetAdapter::SetMAC(index, netaddress::kUnreadableBoxMac);
  }
}
