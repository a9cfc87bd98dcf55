#include "SimNetAdapterDriver.h"

#include "ByteOrder.h"
#include "DevicePort.h"
#include "NetAdapterIoctl.h"
#include "framework/SingleLock.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>

namespace {

// Class key of the simulated adapters (a class of the test bed's own, so
// that no real device's key is touched).
const char kAdapterClassKey[] = "{5C2E9A14-7B3D-4E61-A8F0-2D9B6C1E4F73}";
const DWORD kDriverVersion = 0x00010203;

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

}  // namespace

CSimNetAdapterDriver::CSimNetAdapterDriver()
    : m_interfaces(
          GUID_BOXLINK_NETADAPTER, [this](int index) { return DevicePath(index); },
          [this](int index, DWORD property) { return DeviceProperty(index, property); }),
      m_sendsReleased(TRUE, TRUE) {}

CSimNetAdapterDriver::~CSimNetAdapterDriver() = default;

std::string CSimNetAdapterDriver::DevicePath(int index) const {
  char path[128];
  snprintf(path, sizeof(path), "\\\\?\\root#qboxnet#%04d#{213e587e-e6bf-45a7-a1f1-4d39328f10d0}", index);
  return path;
}

// ---- Enumeration -----------------------------------------------------------

bool CSimNetAdapterDriver::IsAdapterClass(const GUID* guid) {
  return guid && IsEqualGUID(*guid, GUID_BOXLINK_NETADAPTER);
}

HDEVINFO CSimNetAdapterDriver::GetClassDevs() {
  CSingleLock lock(&m_lock, TRUE);
  return m_interfaces.CreateSet(true);
}

bool CSimNetAdapterDriver::OwnsSet(HDEVINFO set) {
  CSingleLock lock(&m_lock, TRUE);
  return m_interfaces.OwnsSet(set);
}

BOOL CSimNetAdapterDriver::EnumInterfaces(HDEVINFO set, const GUID* guid, DWORD index, PSP_DEVICE_INTERFACE_DATA data) {
  CSingleLock lock(&m_lock, TRUE);
  // Asked for with another interface class, a set lists nothing.
  return m_interfaces.EnumInterfaces(set, guid, index, IsAdapterClass(guid) ? m_present : 0, data);
}

BOOL CSimNetAdapterDriver::GetInterfaceDetail(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                              PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail, DWORD size, PDWORD required,
                                              PSP_DEVINFO_DATA device) {
  CSingleLock lock(&m_lock, TRUE);
  return m_interfaces.GetInterfaceDetail(set, data, detail, size, required, device);
}

std::string CSimNetAdapterDriver::DeviceProperty(int index, DWORD property) const {
  char value[96] = {};
  switch (property) {
    case SPDRP_DRIVER: snprintf(value, sizeof(value), "%s\\%04d", kAdapterClassKey, index); break;
    case SPDRP_FRIENDLYNAME: snprintf(value, sizeof(value), "Quillon Box Network Adapter #%d", index + 1); break;
    case SPDRP_DEVICEDESC: snprintf(value, sizeof(value), "Quillon Box Network Adapter"); break;
  }
  return value;
}

BOOL CSimNetAdapterDriver::GetRegistryProperty(HDEVINFO set, PSP_DEVINFO_DATA device, DWORD property, PDWORD type,
                                               PBYTE buffer, DWORD size, PDWORD required) {
  CSingleLock lock(&m_lock, TRUE);
  return m_interfaces.GetRegistryProperty(set, device, property, type, buffer, size, required);
}

BOOL CSimNetAdapterDriver::DestroyList(HDEVINFO set) {
  CSingleLock lock(&m_lock, TRUE);
  return m_interfaces.DestroySet(set);
}

// ---- Handles and I/O controls -------------------------------------------------

bool CSimNetAdapterDriver::ClaimsPath(LPCSTR path) {
  return path && strstr(path, "#{213e587e-e6bf-45a7-a1f1-4d39328f10d0}") != nullptr;
}

HANDLE CSimNetAdapterDriver::Open(LPCSTR path, DWORD flags) {
  CSingleLock lock(&m_lock, TRUE);
  // The adapter driver's device name is the interface path with "_" behind it.
  for (int i = 0; path && i < m_present; ++i) {
    if (_stricmp(path, (DevicePath(i) + "_").c_str()) != 0) continue;
    HANDLE h = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_handles.insert(h);
    m_lastOpenFlags = flags;
    return h;
  }
  SetLastError(ERROR_FILE_NOT_FOUND);
  return INVALID_HANDLE_VALUE;
}

bool CSimNetAdapterDriver::OwnsHandle(HANDLE handle) {
  CSingleLock lock(&m_lock, TRUE);
  return m_handles.count(handle) || m_deadHandles.count(handle);
}

BOOL CSimNetAdapterDriver::Close(HANDLE handle) {
  CSingleLock lock(&m_lock, TRUE);
  if (!m_handles.erase(handle) && !m_deadHandles.erase(handle)) return Fail(ERROR_INVALID_HANDLE);
  return ::CloseHandle(handle);
}

BOOL CSimNetAdapterDriver::IoControl(HANDLE handle, DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
                                     LPDWORD returned, LPOVERLAPPED overlapped) {
  CSingleLock lock(&m_lock, TRUE);
  if (returned) *returned = 0;
  if (m_deadHandles.count(handle)) return Fail(ERROR_DEVICE_NOT_CONNECTED);
  if (!m_handles.count(handle)) return Fail(ERROR_INVALID_HANDLE);
  if ((inSize && !in) || (outSize && !out)) return Fail(ERROR_INVALID_PARAMETER);
  const BYTE* input = static_cast<const BYTE*>(in);

  int replyLimit = -1;
  for (const Fault& f : m_faults) {
    if (f.code != code) continue;
    if (f.fail) return Fail(ERROR_GEN_FAILURE);
    replyLimit = f.replyBytes;
  }

  std::vector<BYTE> reply;
  auto put32 = [&](DWORD v) {
    BYTE b[4];
    byteorder::PutLE32(b, v);
    reply.insert(reply.end(), b, b + 4);
  };
  switch (code) {
    case netadapterioctl::kGetMulticastList:
      if (outSize < netadapterioctl::kMulticastListSize) return Fail(ERROR_INSUFFICIENT_BUFFER);
      for (DWORD i = 0; i < netadapterioctl::kMulticastListSize; ++i) reply.push_back(BYTE(i * 7 + 1));
      break;
    case netadapterioctl::kGetAddress:
      if (outSize < netadapterioctl::kAddressReplySize) return Fail(ERROR_INSUFFICIENT_BUFFER);
      put32(m_ip);
      put32(m_mask);
      put32(m_port);  // the port, then two unused bytes
      break;
    case netadapterioctl::kSetAddress:
      if (inSize != netadapterioctl::kAddressRequestSize) return Fail(ERROR_INVALID_PARAMETER);
      m_ip = byteorder::GetLE32(input);
      m_mask = byteorder::GetLE32(input + 4);
      ++m_setAddressCalls;
      break;
    case netadapterioctl::kSendSection:
    case netadapterioctl::kSendBlock: {
      DWORD limit = netadapterioctl::kMaxPayload + (code == netadapterioctl::kSendSection ? 1 : 0);
      if (inSize > limit || (code == netadapterioctl::kSendSection && inSize == 0))
        return Fail(ERROR_INVALID_PARAMETER);
      SimNetPacket packet;
      packet.code = code;
      packet.length = inSize;
      memcpy(packet.data, input, std::min<DWORD>(inSize, sizeof(packet.data)));
      packet.thread = GetCurrentThreadId();
      m_sent.push_back(packet);
      if (WaitForSingleObject(m_sendsReleased.m_hObject, 0) != WAIT_OBJECT_0) {
        // Held: the caller waits here, outside the driver's lock.
        ++m_heldSends;
        lock.Unlock();
        WaitForSingleObject(m_sendsReleased.m_hObject, INFINITE);
        lock.Lock();
        --m_heldSends;
      }
      break;
    }
    case netadapterioctl::kGetDriverVersion:
      if (outSize < 4) return Fail(ERROR_INSUFFICIENT_BUFFER);
      put32(kDriverVersion);
      break;
    default: return Fail(ERROR_INVALID_FUNCTION);
  }
  if (replyLimit >= 0 && reply.size() > size_t(replyLimit)) reply.resize(size_t(replyLimit));

  // Completed at once, the way a driver may finish a buffered request.
  DWORD n = DWORD(reply.size());
  if (n) memcpy(out, reply.data(), n);
  if (returned) *returned = n;
  if (overlapped) {
    overlapped->InternalHigh = n;
    overlapped->Internal = 0;
    if (overlapped->hEvent) SetEvent(overlapped->hEvent);
  }
  return TRUE;
}

BOOL CSimNetAdapterDriver::OverlappedResult(HANDLE handle, LPOVERLAPPED overlapped, LPDWORD transferred) {
  if (!OwnsHandle(handle) || !overlapped) return Fail(ERROR_INVALID_HANDLE);
  if (transferred) *transferred = DWORD(overlapped->InternalHigh);
  return overlapped->Internal == 0 ? TRUE : Fail(ERROR_GEN_FAILURE);
}

DWORD CSimNetAdapterDriver::GetAdaptersInfo(PIP_ADAPTER_INFO info, PULONG size) {
  CSingleLock lock(&m_lock, TRUE);
  ++m_adaptersInfoCalls;
  if (!size) return ERROR_INVALID_PARAMETER;
  if (m_hostAdapters.empty()) return ERROR_NO_DATA;
  size_t currents = 0;
  for (const SimHostAdapter& a : m_hostAdapters) currents += a.hasCurrent ? 1 : 0;
  // The entries, then the current-address entries after them.
  ULONG need = ULONG(m_hostAdapters.size() * sizeof(IP_ADAPTER_INFO) + currents * sizeof(IP_ADDR_STRING));
  if (!info || *size < need) {
    *size = need;
    return ERROR_BUFFER_OVERFLOW;
  }
  memset(info, 0, need);
  auto* extra = reinterpret_cast<IP_ADDR_STRING*>(info + m_hostAdapters.size());
  for (size_t i = 0; i < m_hostAdapters.size(); ++i) {
    const SimHostAdapter& a = m_hostAdapters[i];
    IP_ADAPTER_INFO& e = info[i];
    e.Next = i + 1 < m_hostAdapters.size() ? &info[i + 1] : nullptr;
    e.ComboIndex = DWORD(i + 1);
    e.Index = DWORD(i + 1);
    snprintf(e.AdapterName, sizeof(e.AdapterName), "{SIM-ADAPTER-%d}", int(i));
    snprintf(e.Description, sizeof(e.Description), "Simulated PC adapter %d", int(i));
    e.AddressLength = a.addressLength;
    memcpy(e.Address, a.address, sizeof(a.address));
    e.Type = MIB_IF_TYPE_ETHERNET;
    e.DhcpEnabled = a.dhcpEnabled;
    memcpy(e.IpAddressList.IpAddress.String, a.ip, 16);
    memcpy(e.IpAddressList.IpMask.String, a.mask, 16);
    if (a.hasCurrent) {
      memcpy(extra->IpAddress.String, a.currentIp, 16);
      memcpy(extra->IpMask.String, a.currentMask, 16);
      e.CurrentIpAddress = extra++;
    }
  }
  *size = need;
  return ERROR_SUCCESS;
}

void CSimNetAdapterDriver::Unplug() {
  CSingleLock lock(&m_lock, TRUE);
  m_present = 0;
  m_deadHandles.insert(m_handles.begin(), m_handles.end());
  m_handles.clear();
}

// ---- Control ---------------------------------------------------------------

void CSimNetAdapterDriver::Reset() {
  CSingleLock lock(&m_lock, TRUE);
  m_present = 0;
  // Handles the library still holds stay valid (closing them succeeds).
  m_handles.insert(m_deadHandles.begin(), m_deadHandles.end());
  m_deadHandles.clear();
  m_lastOpenFlags = 0;
  m_ip = m_mask = 0;
  m_port = 0;
  m_setAddressCalls = 0;
  m_faults.clear();
  m_hostAdapters.clear();
  m_adaptersInfoCalls = 0;
  m_sent.clear();
}

void CSimNetAdapterDriver::SetPresent(int adapters) {
  CSingleLock lock(&m_lock, TRUE);
  m_present = adapters;
}

void CSimNetAdapterDriver::GetDriverKey(int index, char* key, int size) {
  snprintf(key, size_t(size), "%s\\%04d", kAdapterClassKey, index);
}

void CSimNetAdapterDriver::SetDriverAddress(DWORD ip, DWORD mask, WORD port) {
  CSingleLock lock(&m_lock, TRUE);
  m_ip = ip;
  m_mask = mask;
  m_port = port;
}

void CSimNetAdapterDriver::GetDriverAddress(DWORD* ip, DWORD* mask, WORD* port) {
  CSingleLock lock(&m_lock, TRUE);
  *ip = m_ip;
  *mask = m_mask;
  *port = m_port;
}

int CSimNetAdapterDriver::SetAddressCalls() {
  CSingleLock lock(&m_lock, TRUE);
  return m_setAddressCalls;
}

void CSimNetAdapterDriver::SetFault(DWORD code, BOOL fail, int replyBytes) {
  CSingleLock lock(&m_lock, TRUE);
  m_faults.push_back({code, fail, replyBytes});
}

void CSimNetAdapterDriver::ClearHostAdapters() {
  CSingleLock lock(&m_lock, TRUE);
  m_hostAdapters.clear();
}

void CSimNetAdapterDriver::AddHostAdapter(const SimHostAdapter& adapter) {
  CSingleLock lock(&m_lock, TRUE);
  m_hostAdapters.push_back(adapter);
}

int CSimNetAdapterDriver::AdaptersInfoCalls() {
  CSingleLock lock(&m_lock, TRUE);
  return m_adaptersInfoCalls;
}

int CSimNetAdapterDriver::OpenHandles() {
  CSingleLock lock(&m_lock, TRUE);
  return int(m_handles.size());
}

DWORD CSimNetAdapterDriver::LastOpenFlags() {
  CSingleLock lock(&m_lock, TRUE);
  return m_lastOpenFlags;
}

int CSimNetAdapterDriver::SentCount() {
  CSingleLock lock(&m_lock, TRUE);
  return int(m_sent.size());
}

BOOL CSimNetAdapterDriver::GetSent(int index, SimNetPacket* packet) {
  CSingleLock lock(&m_lock, TRUE);
  if (index < 0 || size_t(index) >= m_sent.size()) return FALSE;
  *packet = m_sent[size_t(index)];
  return TRUE;
}

void CSimNetAdapterDriver::HoldSends(BOOL hold) {
  if (hold)
    m_sendsReleased.ResetEvent();
  else
    m_sendsReleased.SetEvent();
}

int CSimNetAdapterDriver::HeldSends() {
  CSingleLock lock(&m_lock, TRUE);
  return m_heldSends;
}

// ---- The process's adapter ---------------------------------------------------

CSimNetAdapterDriver& NetAdapterDriver() {
  static CSimNetAdapterDriver driver;
  return driver;
}

ISimNetAdapter& BoxNetAdapter() { return NetAdapterDriver(); }
