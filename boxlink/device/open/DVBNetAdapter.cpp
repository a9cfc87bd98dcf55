#include "DVBNetAdapter.h"

#include "DVBCommon.h"
#include "DVBDeviceList.h"
#include "DevicePort.h"
#include "NetAdapterIoctl.h"
#include "NetAddress.h"
#include "SystemFamily.h"

#include <cstring>
#include <new>
#include <vector>

HANDLE CDVBNetAdapter::s_hAdapter = INVALID_HANDLE_VALUE;
WORD CDVBNetAdapter::s_wAdapterIdx = 0xFFFF;

namespace {

// The adapter list as the first GetAdaptersInfo call takes it: one entry.
const ULONG kFirstAdapterBuffer = 640;
// A list longer than this is taken to be corrupt (a loop of Next pointers).
const int kMaxAdapters = 1024;
// Registry texts longer than this are not the adapter's values.
const DWORD kMaxRegistryText = 1024;

// A REG_SZ value as a terminated text; FALSE when missing, of another type,
// or too long.
BOOL ReadRegistryText(HKEY key, const char* name, CString& text) {
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return FALSE;
  if (type != REG_SZ || size > kMaxRegistryText) return FALSE;
  // One byte more than the value: a value stored without its terminator
  // still ends inside the buffer.
  char buffer[kMaxRegistryText + 1] = {};
  DWORD read = size;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &read) != ERROR_SUCCESS ||
      type != REG_SZ)
    return FALSE;
  buffer[read < kMaxRegistryText ? read : kMaxRegistryText] = 0;
  text = buffer;
  return TRUE;
}

// An IP_ADDR_STRING text (16 bytes, not always terminated).
CString AddressText(const IP_ADDRESS_STRING& field) {
  return CString(field.String, int(strnlen(field.String, sizeof(field.String))));
}

// The adapter's requests (address, version, multicast list, a section or a
// block to send) are small buffered ones that its driver completes inline,
// so they run on the plain handle: no wait of the library's own is
// involved. Opening it overlapped would bound only calls a driver leaves
// pending, never one that blocks in the call itself.
BOOL Ioctl(HANDLE handle, DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned) {
  DWORD local = 0;
  if (!returned) returned = &local;
  *returned = 0;
  return DevicePort().DeviceIoControl(handle, code, const_cast<void*>(in), inSize, out, outSize, returned, nullptr);
}

}  // namespace

WORD CDVBNetAdapter::GetCount() {
  CDVBDeviceList list(GUID_BOXLINK_NETADAPTER);
  return WORD(list.Enumerate());
}

HANDLE CDVBNetAdapter::GetHandle() { return s_hAdapter; }
WORD CDVBNetAdapter::GetIndex() { return s_wAdapterIdx; }

BOOL CDVBNetAdapter::ClassKeyRoot(CString& root) {
  const char* text = systemfamily::ClassKeyRoot(CDVBCommon::GetWinSysVer());
  if (!text) return FALSE;
  root = text;
  return TRUE;
}

// ---- Driver operations -------------------------------------------------------

BOOL CDVBNetAdapter::Open(WORD idx) {
  if (s_hAdapter != INVALID_HANDLE_VALUE) {
    if (s_wAdapterIdx == idx) return TRUE;
    Close();
  }
  if (idx >= GetCount()) return FALSE;
  CString name, path, mac, ip, mask;
  WORD port = 0;
  DWORD dhcp = 0;
  if (!GetSettings(idx, name, path, mac, ip, mask, port, dhcp)) return FALSE;
  s_hAdapter = DevicePort().CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
  if (s_hAdapter == INVALID_HANDLE_VALUE) return FALSE;
  if (ip != netaddress::kNoAddress) SetAddress(ip, mask);
  DWORD ip2 = 0, mask2 = 0;
  WORD port2 = 0;
  if (GetAddress(ip2, mask2, port2) != DVB_ERR_NONE || ip2 == 0) {
    // Without an address the adapter is of no use: it is not left open.
    Close();
    return FALSE;
  }
  s_wAdapterIdx = idx;
  return TRUE;
}

void CDVBNetAdapter::Close() {
  if (s_hAdapter == INVALID_HANDLE_VALUE) return;
  DevicePort().CloseHandle(s_hAdapter);
  s_hAdapter = INVALID_HANDLE_VALUE;
  s_wAdapterIdx = 0xFFFF;
}

DVB_ERROR CDVBNetAdapter::GetAddress(DWORD& ip, DWORD& mask, WORD& port) {
  if (s_hAdapter == INVALID_HANDLE_VALUE) return DVB_ERR_NO_DEVICE;
  BYTE reply[netadapterioctl::kAddressReplySize] = {};
  DWORD returned = 0;
  if (!Ioctl(s_hAdapter, netadapterioctl::kGetAddress, nullptr, 0, reply, sizeof(reply), &returned))
    return DVB_ERR_NO_DEVICE;
  netaddress::AddressReply parsed;
  if (!netaddress::ParseAddressReply(reply, returned, parsed)) return DVB_ERR_NO_DEVICE;
  ip = parsed.ip;
  mask = parsed.mask;
  port = parsed.port;
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBNetAdapter::SetAddress(CString ip, CString mask) {
  if (s_hAdapter == INVALID_HANDLE_VALUE) return DVB_ERR_NO_DEVICE;
  if (ip.GetLength() < 7 || mask.GetLength() < 7) return DVB_ERR_ARGUMENT;
  DWORD ipValue = 0, maskValue = 0;
  if (!netaddress::ParseDotted(ip, ipValue) || !netaddress::ParseDotted(mask, maskValue)) return DVB_ERR_ARGUMENT;
  BYTE request[netadapterioctl::kAddressRequestSize];
  netaddress::BuildAddressRequest(request, ipValue, maskValue);
  return Ioctl(s_hAdapter, netadapterioctl::kSetAddress, request, sizeof(request), nullptr, 0, nullptr)
             ? DVB_ERR_NONE
             : DVB_ERR_NO_DEVICE;
}

DWORD CDVBNetAdapter::GetVersion() {
  if (s_hAdapter == INVALID_HANDLE_VALUE) return 0;
  BYTE reply[4] = {};
  DWORD returned = 0;
  if (!Ioctl(s_hAdapter, netadapterioctl::kGetDriverVersion, nullptr, 0, reply, sizeof(reply), &returned) ||
      returned < sizeof(reply))
    return 0;
  DWORD version;
  memcpy(&version, reply, sizeof(version));
  return version;
}

DVB_ERROR CDVBNetAdapter::GetMulticastList(void* list) {
  if (s_hAdapter == INVALID_HANDLE_VALUE || !list) return DVB_ERR_NO_DEVICE;
  // The caller's record is written whole or not at all.
  BYTE reply[netadapterioctl::kMulticastListSize] = {};
  if (!Ioctl(s_hAdapter, netadapterioctl::kGetMulticastList, nullptr, 0, reply, sizeof(reply), nullptr))
    return DVB_ERR_NO_DEVICE;
  memcpy(list, reply, sizeof(reply));
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBNetAdapter::SendSection(BYTE* data, WORD length, BYTE tag) {
  if (s_hAdapter == INVALID_HANDLE_VALUE) return DVB_ERR_NO_DEVICE;
  if (length > netadapterioctl::kMaxPayload || (length && !data)) return DVB_ERR_ARGUMENT;
  BYTE packet[1 + netadapterioctl::kMaxPayload];
  packet[0] = tag;
  if (length) memcpy(packet + 1, data, length);
  return Ioctl(s_hAdapter, netadapterioctl::kSendSection, packet, DWORD(length) + 1, nullptr, 0, nullptr)
             ? DVB_ERR_NONE
             : DVB_ERR_NO_DEVICE;
}

DVB_ERROR CDVBNetAdapter::SendBlock(BYTE* data, WORD length) {
  if (s_hAdapter == INVALID_HANDLE_VALUE) return DVB_ERR_NO_DEVICE;
  if (length > netadapterioctl::kMaxPayload || (length && !data)) return DVB_ERR_ARGUMENT;
  return Ioctl(s_hAdapter, netadapterioctl::kSendBlock, data, length, nullptr, 0, nullptr) ? DVB_ERR_NONE
                                                                                           : DVB_ERR_NO_DEVICE;
}

// ---- Class key and PC adapters -------------------------------------------------

BOOL CDVBNetAdapter::ReadSettings(CString driverKey, CString& mac, CString& ip, CString& mask, WORD& port, DWORD& dhcp,
                                  BOOL registryOnly) {
  CString root;
  if (!ClassKeyRoot(root)) return FALSE;
  mac = netaddress::kDefaultMac;
  ip = netaddress::kNoAddress;
  mask = netaddress::kNoAddress;
  port = 0;
  dhcp = 0;
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, root + driverKey + "\\", 0, KEY_READ, &key) != ERROR_SUCCESS) return FALSE;
  BOOL found = FALSE;
  CString text;
  if (ReadRegistryText(key, "NetworkAddress", text)) {
    mac = text;
    found = TRUE;
  }
  if (ReadRegistryText(key, "DVBBasePort", text)) port = WORD(netaddress::ParseDecimal(text));
  if (ReadRegistryText(key, "DHCPService", text)) dhcp = DWORD(netaddress::ParseDecimal(text));
  RegCloseKey(key);
  if (!found) return FALSE;
  if (registryOnly) return TRUE;

  DWORD hostDhcp = 0;
  if (FindHostAdapter(mac, ip, mask, hostDhcp)) return TRUE;
  for (const char* fallback : netaddress::kFallbackMacs) {
    if (FindHostAdapter(fallback, ip, mask, hostDhcp)) return TRUE;
  }
  return FALSE;
}

BOOL CDVBNetAdapter::FindHostAdapter(CString mac, CString& ip, CString& mask, DWORD& dhcpEnabled) {
  // A buffer for one entry first; the size the system asks for when that is
  // too small. ULONG-aligned storage for the structures.
  std::vector<ULONGLONG> storage(kFirstAdapterBuffer / sizeof(ULONGLONG), 0);
  ULONG size = kFirstAdapterBuffer;
  auto* first = reinterpret_cast<PIP_ADAPTER_INFO>(storage.data());
  DWORD rc = DevicePort().GetAdaptersInfo(first, &size);
  if (rc == ERROR_BUFFER_OVERFLOW) {
    if (size == 0) return FALSE;
    try {
      storage.assign((size + sizeof(ULONGLONG) - 1) / sizeof(ULONGLONG), 0);
    } catch (const std::bad_alloc&) {
      return FALSE;
    }
    first = reinterpret_cast<PIP_ADAPTER_INFO>(storage.data());
    rc = DevicePort().GetAdaptersInfo(first, &size);
  }
  if (rc != ERROR_SUCCESS) return FALSE;

  mac.MakeUpper();
  int count = 0;
  for (PIP_ADAPTER_INFO adapter = first; adapter && count < kMaxAdapters; adapter = adapter->Next, ++count) {
    if (adapter->AddressLength != 6) continue;
    char text[netaddress::kMacTextSize];
    netaddress::FormatAdapterMac(adapter->Address, text);
    if (mac != text) continue;
    dhcpEnabled = adapter->DhcpEnabled;
    const IP_ADDR_STRING& entry = adapter->CurrentIpAddress ? *adapter->CurrentIpAddress : adapter->IpAddressList;
    ip = AddressText(entry.IpAddress);
    mask = AddressText(entry.IpMask);
    return TRUE;
  }
  return FALSE;
}

BOOL CDVBNetAdapter::GetMAC(WORD idx, CString& mac) {
  CDVBDeviceList list(GUID_BOXLINK_NETADAPTER);
  if (idx >= list.Enumerate()) return FALSE;
  CString ip, mask;
  WORD port = 0;
  DWORD dhcp = 0;
  return ReadSettings(list[idx].driverKey, mac, ip, mask, port, dhcp, TRUE);
}

BOOL CDVBNetAdapter::SetMAC(WORD idx, const CString& mac) {
  CString root;
  if (!ClassKeyRoot(root)) return FALSE;
  CDVBDeviceList list(GUID_BOXLINK_NETADAPTER);
  if (idx >= list.Enumerate()) return FALSE;
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, root + list[idx].driverKey + "\\", 0, KEY_WRITE, &key) != ERROR_SUCCESS)
    return FALSE;
  LONG rc = RegSetValueExA(key, "NetworkAddress", 0, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<LPCSTR>(mac)),
                           DWORD(mac.GetLength() + 1));
  RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

BOOL CDVBNetAdapter::GetInfo(WORD idx, CString& name, CString& mac, CString& ip) {
  CDVBDeviceList list(GUID_BOXLINK_NETADAPTER);
  if (idx >= list.Enumerate()) return FALSE;
  name = list[idx].name;
  CString mask;
  WORD port = 0;
  DWORD dhcp = 0;
  return ReadSettings(list[idx].driverKey, mac, ip, mask, port, dhcp, FALSE);
}

BOOL CDVBNetAdapter::GetSettings(WORD idx, CString& name, CString& path, CString& mac, CString& ip, CString& mask,
                                 WORD& port, DWORD& dhcp) {
  CDVBDeviceList list(GUID_BOXLINK_NETADAPTER);
  if (idx >= list.Enumerate()) return FALSE;
  name = list[idx].name;
  path = list[idx].path + "_";
  return ReadSettings(list[idx].driverKey, mac, ip, mask, port, dhcp, FALSE);
}
