#include "SimIrReceiverDriver.h"

#include "ByteOrder.h"
#include "IrReceiverIoctl.h"
#include "SimDriverStatus.h"
#include "framework/SingleLock.h"

#include <cstdio>
#include <cstring>

using namespace simstatus;

namespace {

const char kClassGuidText[] = "{4e21e420-1f1e-4991-905f-598700477d51}";

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

}  // namespace

CSimIrReceiverDriver::CSimIrReceiverDriver()
    : m_interfaces(
          GUID_BOXLINK_IR_RECEIVER, [](int index) { return DevicePath(index); },
          [](int index, DWORD property) -> std::string {
            char value[96] = {};
            switch (property) {
              case SPDRP_DRIVER:
                snprintf(value, sizeof(value), "{8A1D3F52-6C0B-4E97-B2A4-71F9E3C05D18}\\%04d", index);
                break;
              case SPDRP_DEVICEDESC: snprintf(value, sizeof(value), "Quillon USB IR Receiver"); break;
            }
            return value;
          }) {}

CSimIrReceiverDriver::~CSimIrReceiverDriver() = default;

std::string CSimIrReceiverDriver::DevicePath(int index) {
  char path[128];
  snprintf(path, sizeof(path), "\\\\?\\usb#vid_1a2c&pid_0c01#qir%d#%s", index, kClassGuidText);
  return path;
}

// ---- Enumeration -----------------------------------------------------------

bool CSimIrReceiverDriver::IsReceiverClass(const GUID* guid) {
  return guid && IsEqualGUID(*guid, GUID_BOXLINK_IR_RECEIVER);
}

HDEVINFO CSimIrReceiverDriver::GetClassDevs() {
  CSingleLock lock(&m_lock, TRUE);
  return m_interfaces.CreateSet(true);
}

bool CSimIrReceiverDriver::OwnsSet(HDEVINFO set) {
  CSingleLock lock(&m_lock, TRUE);
  return m_interfaces.OwnsSet(set);
}

BOOL CSimIrReceiverDriver::EnumInterfaces(HDEVINFO set, const GUID* guid, DWORD index, PSP_DEVICE_INTERFACE_DATA data) {
  CSingleLock lock(&m_lock, TRUE);
  return m_interfaces.EnumInterfaces(set, guid, index, IsReceiverClass(guid) ? m_present : 0, data);
}

BOOL CSimIrReceiverDriver::GetInterfaceDetail(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                              PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail, DWORD size, PDWORD required,
                                              PSP_DEVINFO_DATA device) {
  CSingleLock lock(&m_lock, TRUE);
  return m_interfaces.GetInterfaceDetail(set, data, detail, size, required, device);
}

BOOL CSimIrReceiverDriver::GetRegistryProperty(HDEVINFO set, PSP_DEVINFO_DATA device, DWORD property, PDWORD type,
                                               PBYTE buffer, DWORD size, PDWORD required) {
  CSingleLock lock(&m_lock, TRUE);
  return m_interfaces.GetRegistryProperty(set, device, property, type, buffer, size, required);
}

BOOL CSimIrReceiverDriver::DestroyList(HDEVINFO set) {
  CSingleLock lock(&m_lock, TRUE);
  return m_interfaces.DestroySet(set);
}

// ---- Handles, controls and reads ---------------------------------------------

bool CSimIrReceiverDriver::ClaimsPath(LPCSTR path) { return path && strstr(path, kClassGuidText) != nullptr; }

HANDLE CSimIrReceiverDriver::Open(LPCSTR path, DWORD flags) {
  CSingleLock lock(&m_lock, TRUE);
  for (int i = 0; path && i < m_present; ++i) {
    if (_stricmp(path, DevicePath(i).c_str()) != 0) continue;
    HANDLE h = CreateEventA(nullptr, TRUE, FALSE, nullptr);  // a unique, real handle value
    m_handles.insert(h);
    m_lastOpenFlags = flags;
    return h;
  }
  SetLastError(ERROR_FILE_NOT_FOUND);
  return INVALID_HANDLE_VALUE;
}

bool CSimIrReceiverDriver::OwnsHandle(HANDLE handle) {
  CSingleLock lock(&m_lock, TRUE);
  return m_handles.count(handle) != 0;
}

BOOL CSimIrReceiverDriver::Close(HANDLE handle) {
  CSingleLock lock(&m_lock, TRUE);
  if (!m_handles.erase(handle)) return Fail(ERROR_INVALID_HANDLE);
  for (const Held& held : m_held)
    if (held.handle == handle) {
      ++m_closedDuringRead;
      break;
    }
  CompleteHeld(handle, kCancelled);
  return ::CloseHandle(handle);
}

BOOL CSimIrReceiverDriver::IoControl(HANDLE handle, DWORD code, LPVOID in, DWORD inSize, LPVOID, DWORD,
                                     LPDWORD returned, LPOVERLAPPED overlapped) {
  CSingleLock lock(&m_lock, TRUE);
  if (returned) *returned = 0;
  if (!m_handles.count(handle)) return Fail(ERROR_INVALID_HANDLE);
  if (inSize != 4 || !in) return Fail(ERROR_INVALID_PARAMETER);
  DWORD value = byteorder::GetLE32(static_cast<const BYTE*>(in));
  switch (code) {
    case irreceiverioctl::kSetMode: m_mode = value; break;
    case irreceiverioctl::kSetEvent: m_event = ULongToHandle(value); break;
    default: return Fail(ERROR_INVALID_FUNCTION);
  }
  // Completed at once, as a driver may finish a buffered request.
  if (overlapped) {
    overlapped->Internal = kSuccess;
    overlapped->InternalHigh = 0;
    if (overlapped->hEvent) SetEvent(overlapped->hEvent);
  }
  return TRUE;
}

std::vector<BYTE> CSimIrReceiverDriver::TakeRead(DWORD size) {
  if (m_script.empty()) return {};
  std::vector<BYTE> data = std::move(m_script.front());
  m_script.pop_front();
  if (data.size() > size) data.resize(size);
  return data;
}

void CSimIrReceiverDriver::Complete(const Held& held, LONG status, const std::vector<BYTE>& data) {
  if (!data.empty()) memcpy(held.buffer, data.data(), data.size());
  held.overlapped->InternalHigh = data.size();
  MemoryBarrier();
  held.overlapped->Internal = ULONG_PTR(status);
  if (held.overlapped->hEvent) SetEvent(held.overlapped->hEvent);
}

void CSimIrReceiverDriver::CompleteHeld(HANDLE handle, LONG status) {
  for (auto it = m_held.begin(); it != m_held.end();) {
    if (handle && it->handle != handle) {
      ++it;
      continue;
    }
    Complete(*it, status, status == kSuccess ? TakeRead(it->size) : std::vector<BYTE>());
    it = m_held.erase(it);
  }
}

BOOL CSimIrReceiverDriver::Read(HANDLE handle, LPVOID buffer, DWORD size, LPDWORD read, LPOVERLAPPED overlapped) {
  CSingleLock lock(&m_lock, TRUE);
  if (read) *read = 0;
  if (!m_handles.count(handle)) return Fail(ERROR_INVALID_HANDLE);
  if (!overlapped || (size && !buffer)) return Fail(ERROR_INVALID_PARAMETER);
  Held held = {handle, overlapped, static_cast<BYTE*>(buffer), size};
  if (m_hold) {
    overlapped->Internal = ULONG_PTR(kPending);
    overlapped->InternalHigh = 0;
    m_held.push_back(held);
    return Fail(ERROR_IO_PENDING);
  }
  std::vector<BYTE> data = TakeRead(size);
  Complete(held, kSuccess, data);
  if (read) *read = DWORD(data.size());
  return TRUE;
}

BOOL CSimIrReceiverDriver::OverlappedResult(HANDLE handle, LPOVERLAPPED overlapped, LPDWORD transferred, BOOL wait) {
  if (!overlapped) return Fail(ERROR_INVALID_PARAMETER);
  if (!OwnsHandle(handle)) return Fail(ERROR_INVALID_HANDLE);
  volatile ULONG_PTR* internal = &overlapped->Internal;
  while (LONG(*internal) == kPending) {
    if (!wait) return Fail(ERROR_IO_INCOMPLETE);
    WaitForSingleObject(overlapped->hEvent, INFINITE);
  }
  MemoryBarrier();
  if (transferred) *transferred = DWORD(overlapped->InternalHigh);
  DWORD error = Win32Error(LONG(*internal));
  return error ? Fail(error) : TRUE;
}

BOOL CSimIrReceiverDriver::Cancel(HANDLE handle) {
  CSingleLock lock(&m_lock, TRUE);
  if (!m_handles.count(handle)) return Fail(ERROR_INVALID_HANDLE);
  CompleteHeld(handle, kCancelled);
  return TRUE;
}

// ---- Test control --------------------------------------------------------------

void CSimIrReceiverDriver::Reset() {
  CSingleLock lock(&m_lock, TRUE);
  m_hold = false;
  CompleteHeld(nullptr, kCancelled);
  m_present = 0;
  m_script.clear();
  m_mode = 0;
  m_event = nullptr;
  m_lastOpenFlags = 0;
  m_closedDuringRead = 0;
}

void CSimIrReceiverDriver::SetPresent(int receivers) {
  CSingleLock lock(&m_lock, TRUE);
  m_present = receivers;
}

void CSimIrReceiverDriver::QueueReads(const BYTE* bytes, const DWORD* lengths, int reads) {
  CSingleLock lock(&m_lock, TRUE);
  for (int i = 0; i < reads; ++i) {
    m_script.emplace_back(bytes, bytes + lengths[i]);
    bytes += lengths[i];
  }
  if (m_event) SetEvent(m_event);
}

int CSimIrReceiverDriver::ScriptLeft() {
  CSingleLock lock(&m_lock, TRUE);
  return int(m_script.size());
}

void CSimIrReceiverDriver::HoldReads(BOOL hold) {
  CSingleLock lock(&m_lock, TRUE);
  m_hold = hold != FALSE;
  if (!m_hold) CompleteHeld(nullptr, kSuccess);
}

int CSimIrReceiverDriver::HeldReads() {
  CSingleLock lock(&m_lock, TRUE);
  return int(m_held.size());
}

int CSimIrReceiverDriver::ClosedDuringRead() {
  CSingleLock lock(&m_lock, TRUE);
  return m_closedDuringRead;
}

DWORD CSimIrReceiverDriver::Mode() {
  CSingleLock lock(&m_lock, TRUE);
  return m_mode;
}

BOOL CSimIrReceiverDriver::HasEvent() {
  CSingleLock lock(&m_lock, TRUE);
  return m_event != nullptr;
}

int CSimIrReceiverDriver::OpenHandles() {
  CSingleLock lock(&m_lock, TRUE);
  return int(m_handles.size());
}

DWORD CSimIrReceiverDriver::LastOpenFlags() {
  CSingleLock lock(&m_lock, TRUE);
  return m_lastOpenFlags;
}

CSimIrReceiverDriver& IrReceiverDriver() {
  static CSimIrReceiverDriver driver;
  return driver;
}

ISimIrReceiver& IrReceiverSimulator() { return IrReceiverDriver(); }
