#include "SimDriver.h"

#include "BoxCommands.h"
#include "ByteOrder.h"
#include "DevicePort.h"
#include "DriverIoctl.h"
#include "SimLock.h"
#include "SimNetAdapterDriver.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>

namespace {

// Completion statuses, as the I/O manager records them in OVERLAPPED.Internal.
const LONG kPending = 0x00000103;
const LONG kSuccess = 0;
const LONG kUnsuccessful = LONG(0xC0000001);
const LONG kInvalidDeviceRequest = LONG(0xC0000010);
const LONG kInvalidParameter = LONG(0xC000000D);
const LONG kCancelled = LONG(0xC0000120);
const LONG kTimeout = LONG(0xC00000B5);
const LONG kNotConnected = LONG(0xC000009D);

DWORD Win32Error(LONG status) {
  switch (status) {
    case kSuccess: return 0;
    case kCancelled: return ERROR_OPERATION_ABORTED;
    case kTimeout: return ERROR_SEM_TIMEOUT;
    case kNotConnected: return ERROR_DEVICE_NOT_CONNECTED;
    case kInvalidDeviceRequest: return ERROR_INVALID_FUNCTION;
    case kInvalidParameter: return ERROR_INVALID_PARAMETER;
  }
  return ERROR_GEN_FAILURE;
}

// Driver key and class of the simulated boxes.
const char kClassKey[] = "{6B9E0C3A-52D4-4F1B-9C27-8E3A1D5F7B40}";

// A configuration with one interface and the box's endpoints: bulk command
// out/in, bulk stream out/in, isochronous in/out, interrupt out/in.
const BYTE kConfigDescriptor[] = {
    9, 2, 74, 0, 1, 1, 0, 0x80, 0xFA,
    9, 4, 0, 0, 8, 0xFF, 0, 0, 0,
    7, 5, 0x01, 2, 0x40, 0x00, 0,
    7, 5, 0x81, 2, 0x40, 0x00, 0,
    7, 5, 0x02, 2, 0x40, 0x00, 0,
    7, 5, 0x82, 2, 0x40, 0x00, 0,
    7, 5, 0x83, 1, 0x00, 0x04, 1,
    7, 5, 0x03, 1, 0x00, 0x04, 1,
    7, 5, 0x04, 3, 0x08, 0x00, 10,
    7, 5, 0x84, 3, 0x08, 0x00, 10,
};
static_assert(sizeof(kConfigDescriptor) == 74, "total length");

const DWORD kDriverVersion = 0x00020105;
const DWORD kInterruptMessage = 8;

// Alternate settings 1-6 carry the isochronous output only, 7-12 the input
// only, 13 and above both.
bool SettingHasInput(DWORD s) { return s >= 7; }
bool SettingHasOutput(DWORD s) { return (s >= 1 && s <= 6) || s >= 13; }

}  // namespace

CSimDriver::CSimDriver()
    : m_box(new CSimBox),
      m_interfaces(
          GUID_BOXLINK_BOX, [this](int index) { return DevicePath(index); },
          [this](int index, DWORD property) { return DeviceProperty(index, property); }) {
  InitializeCriticalSection(&m_lock);
  QueryPerformanceFrequency(&m_frequency);
  QueryPerformanceCounter(&m_start);
  m_wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  m_idle = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  m_thread = CreateThread(nullptr, 0, SchedulerThread, this, 0, nullptr);
}

CSimDriver::~CSimDriver() {
  InterlockedExchange(&m_stop, 1);
  SetEvent(m_wake);
  WaitForSingleObject(m_thread, 2000);
  ::CloseHandle(m_thread);
  ::CloseHandle(m_wake);
  ::CloseHandle(m_idle);
  DeleteCriticalSection(&m_lock);
}

double CSimDriver::Now() const {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return double(now.QuadPart - m_start.QuadPart) * 1000.0 / double(m_frequency.QuadPart);
}

// ---- Enumeration -----------------------------------------------------------

std::string CSimDriver::DevicePath(int index) const {
  char path[160];
  snprintf(path, sizeof(path),
           "\\\\?\\usb#vid_%04x&pid_%04x#qbox%d#{cbf61861-d899-4e8f-ad78-b3476046daef}", m_vendor,
           m_product, index);
  return path;
}

std::string CSimDriver::DeviceProperty(int index, DWORD property) const {
  auto names = m_names.find(index);
  switch (property) {
    case SPDRP_DRIVER: {
      char key[64];
      snprintf(key, sizeof(key), "%s\\%04d", kClassKey, index);
      return key;
    }
    case SPDRP_FRIENDLYNAME:
      if (names == m_names.end()) {
        char name[64];
        snprintf(name, sizeof(name), "Quillon USB Box #%d", index + 1);
        return name;
      }
      return names->second.first;
    case SPDRP_DEVICEDESC:
      return names == m_names.end() ? "Quillon USB Box" : names->second.second;
  }
  return std::string();
}

HDEVINFO CSimDriver::SetupDiGetClassDevsA(const GUID* guid, PCSTR, HWND, DWORD flags) {
  if (CSimNetAdapterDriver::IsAdapterClass(guid) && (flags & DIGCF_DEVICEINTERFACE))
    return NetAdapterDriver().GetClassDevs();
  if (!guid || !(flags & DIGCF_DEVICEINTERFACE)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return HDEVINFO(INVALID_HANDLE_VALUE);
  }
  CSimLock lock(m_lock);
  return m_interfaces.CreateSet(IsEqualGUID(*guid, GUID_BOXLINK_BOX) != 0);
}

BOOL CSimDriver::SetupDiEnumDeviceInterfaces(HDEVINFO set, PSP_DEVINFO_DATA, const GUID* guid,
                                             DWORD index, PSP_DEVICE_INTERFACE_DATA data) {
  if (NetAdapterDriver().OwnsSet(set))
    return NetAdapterDriver().EnumInterfaces(set, guid, index, data);
  CSimLock lock(m_lock);
  UpdateBoot();
  return m_interfaces.EnumInterfaces(set, guid, index, m_present, data);
}

BOOL CSimDriver::SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                                  PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                                  DWORD size, PDWORD required,
                                                  PSP_DEVINFO_DATA device) {
  if (NetAdapterDriver().OwnsSet(set))
    return NetAdapterDriver().GetInterfaceDetail(set, data, detail, size, required, device);
  CSimLock lock(m_lock);
  return m_interfaces.GetInterfaceDetail(set, data, detail, size, required, device);
}

BOOL CSimDriver::SetupDiGetDeviceRegistryPropertyA(HDEVINFO set, PSP_DEVINFO_DATA device,
                                                   DWORD property, PDWORD type, PBYTE buffer,
                                                   DWORD size, PDWORD required) {
  if (NetAdapterDriver().OwnsSet(set))
    return NetAdapterDriver().GetRegistryProperty(set, device, property, type, buffer, size,
                                                  required);
  CSimLock lock(m_lock);
  return m_interfaces.GetRegistryProperty(set, device, property, type, buffer, size, required);
}

BOOL CSimDriver::SetupDiDestroyDeviceInfoList(HDEVINFO set) {
  if (NetAdapterDriver().OwnsSet(set)) return NetAdapterDriver().DestroyList(set);
  CSimLock lock(m_lock);
  return m_interfaces.DestroySet(set);
}

// ---- Handles ---------------------------------------------------------------

HANDLE CSimDriver::CreateFileA(LPCSTR path, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD,
                               DWORD flags, HANDLE) {
  if (NetAdapterDriver().ClaimsPath(path)) return NetAdapterDriver().Open(path, flags);
  CSimLock lock(m_lock);
  UpdateBoot();
  for (int i = 0; path && i < m_present; ++i) {
    if (_stricmp(path, DevicePath(i).c_str()) != 0) continue;
    if (!(flags & FILE_FLAG_OVERLAPPED)) break;  // this driver's handles are overlapped only
    // A private event gives every handle a unique, real kernel handle value.
    HANDLE h = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_handles.insert(h);
    return h;
  }
  SetLastError(ERROR_FILE_NOT_FOUND);
  return INVALID_HANDLE_VALUE;
}

bool CSimDriver::OwnHandle(HANDLE handle) const { return m_handles.count(handle) != 0; }

BOOL CSimDriver::CloseHandle(HANDLE handle) {
  if (NetAdapterDriver().OwnsHandle(handle)) return NetAdapterDriver().Close(handle);
  CSimLock lock(m_lock);
  if (!m_handles.erase(handle) && !m_deadHandles.erase(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  for (auto it = m_pending.begin(); it != m_pending.end();) {
    if (it->handle == handle && !it->ignoresCancel) {
      it->status = kCancelled;
      it->data.clear();
      it->bytes = 0;
      Complete(*it);
      it = m_pending.erase(it);
    } else {
      ++it;
    }
  }
  if (m_pending.empty()) SetEvent(m_idle);
  return ::CloseHandle(handle);
}

// ---- Calls -----------------------------------------------------------------

bool CSimDriver::MatchFault(DWORD code, int command, SimFault& hit) {
  for (auto it = m_faults.begin(); it != m_faults.end(); ++it) {
    if (it->code != 0 && it->code != code) continue;
    if (it->command >= 0 && it->command != command) continue;
    hit = *it;
    if (it->times > 0 && --it->times == 0) m_faults.erase(it);
    return true;
  }
  return false;
}

BOOL CSimDriver::DeviceIoControl(HANDLE handle, DWORD code, LPVOID in, DWORD inSize, LPVOID out,
                                 DWORD outSize, LPDWORD returned, LPOVERLAPPED overlapped) {
  if (NetAdapterDriver().OwnsHandle(handle))
    return NetAdapterDriver().IoControl(handle, code, in, inSize, out, outSize, returned,
                                        overlapped);
  if (returned) *returned = 0;
  return Submit(SimLogEntry::kIoControl, handle, code, in, inSize, out, outSize, overlapped);
}

BOOL CSimDriver::ReadFile(HANDLE handle, LPVOID buffer, DWORD size, LPDWORD read,
                          LPOVERLAPPED overlapped) {
  if (read) *read = 0;
  return Submit(SimLogEntry::kRead, handle, kSimReadFile, nullptr, 0, buffer, size, overlapped);
}

BOOL CSimDriver::WriteFile(HANDLE handle, LPCVOID buffer, DWORD size, LPDWORD written,
                           LPOVERLAPPED overlapped) {
  if (written) *written = 0;
  return Submit(SimLogEntry::kWrite, handle, kSimWriteFile, buffer, size, nullptr, 0, overlapped);
}

BOOL CSimDriver::Submit(int kind, HANDLE handle, DWORD code, const void* in, DWORD inSize,
                        void* out, DWORD outSize, LPOVERLAPPED overlapped) {
  CSimLock lock(m_lock);
  UpdateBoot();
  if (m_deadHandles.count(handle)) {
    SetLastError(ERROR_DEVICE_NOT_CONNECTED);
    return FALSE;
  }
  if (!OwnHandle(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!overlapped || !overlapped->hEvent || (inSize && !in) || (outSize && !out)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const BYTE* input = static_cast<const BYTE*>(in);

  SimLogEntry entry;
  entry.kind = kind;
  entry.code = kind == SimLogEntry::kIoControl ? code : 0;
  entry.thread = GetCurrentThreadId();
  entry.beginMs = Now();
  entry.requestLength = inSize;
  if (inSize) memcpy(entry.request, input, std::min<DWORD>(inSize, sizeof(entry.request)));
  m_log.push_back(entry);

  int command = code == boxdrv::kCommandChannel && inSize ? input[0] : -1;
  SimFault hit;
  const SimFault* fault = MatchFault(code, command, hit) ? &hit : nullptr;

  Outcome outcome;
  if (fault && fault->kind == SimFault::kFail) {
    outcome.status = kUnsuccessful;
  } else if (fault && fault->kind == SimFault::kNeverCompletes) {
    outcome.waitPipe = -2;  // waits for a cancel only
  } else if (kind == SimLogEntry::kRead) {
    // The isochronous input: whatever has arrived, possibly nothing.
    std::deque<BYTE>& q = m_pipeData[boxdrv::kPipeIsoIn];
    DWORD n = Streaming() ? std::min<DWORD>(outSize, DWORD(q.size())) : 0;
    outcome.data.assign(q.begin(), q.begin() + n);
    q.erase(q.begin(), q.begin() + n);
    m_counters[kStreamBytes] += n;
  } else if (kind == SimLogEntry::kWrite) {
    if (!m_isoOut) {
      outcome.status = kUnsuccessful;
    } else {
      outcome.bytes = inSize;
      outcome.reportData = false;
      m_counters[kStreamBytes] += inSize;
    }
  } else {
    outcome = HandleIoControl(code, input, inSize, outSize);
  }
  if (fault && fault->kind == SimFault::kShortAnswer && outcome.data.size() > size_t(fault->value))
    outcome.data.resize(size_t(fault->value));

  Pending p;
  p.handle = handle;
  p.thread = GetCurrentThreadId();
  p.overlapped = overlapped;
  p.output = static_cast<BYTE*>(out);
  p.outputSize = outSize;
  p.status = outcome.status;
  p.data = outcome.data;
  if (p.data.size() > outSize) p.data.resize(outSize);
  p.bytes = outcome.reportData ? DWORD(p.data.size()) : outcome.bytes;
  if (fault && fault->kind == SimFault::kCountLowByteFF) p.bytes = 0xFF;
  p.log = m_log.size() - 1;
  double now = Now();
  if (outcome.waitPipe == -2) {
    p.due = -1;
  } else if (outcome.waitPipe >= 0) {
    p.waitPipe = outcome.waitPipe;
    DWORD timeout = m_pipeTimeout[outcome.waitPipe];
    if (timeout) {
      p.due = now + timeout;
      p.status = kTimeout;
    }
  } else {
    p.due = now + outcome.delayMs;
  }
  if (fault && fault->kind == SimFault::kCompleteLate) {
    p.due = now + fault->value;
    p.ignoresCancel = true;
    p.waitPipe = -1;
  }

  overlapped->Internal = ULONG_PTR(kPending);
  overlapped->InternalHigh = 0;
  m_pending.push_back(p);
  ResetEvent(m_idle);
  SetEvent(m_wake);
  SetLastError(ERROR_IO_PENDING);
  return FALSE;
}

CSimDriver::Outcome CSimDriver::PipeRead(int pipe, DWORD size) {
  Outcome o;
  if (m_pipeData[pipe].empty()) {
    o.waitPipe = pipe;
    return o;
  }
  DWORD limit = pipe == boxdrv::kPipeIntCtrlIn ? std::min(size, kInterruptMessage) : size;
  std::deque<BYTE>& q = m_pipeData[pipe];
  DWORD n = std::min<DWORD>(limit, DWORD(q.size()));
  o.data.assign(q.begin(), q.begin() + n);
  q.erase(q.begin(), q.begin() + n);
  m_counters[kPipeBytesIn] += n;
  return o;
}

void CSimDriver::TakePipeData(Pending& p, int pipe) {
  Outcome o = PipeRead(pipe, p.outputSize);
  p.data = o.data;
  p.bytes = DWORD(p.data.size());
  p.status = kSuccess;
  p.waitPipe = -1;
  p.due = Now();
}

CSimDriver::Outcome CSimDriver::HandleIoControl(DWORD code, const BYTE* in, DWORD inSize,
                                                DWORD outSize) {
  using namespace boxdrv;
  Outcome o;
  auto needInput = [&](DWORD n) {
    if (inSize == n) return true;
    o.status = kInvalidParameter;
    return false;
  };
  auto dword = [&](int i) { return boxwire::GetLE32(in + 4 * i); };
  auto putDword = [&](DWORD v) {
    BYTE b[4];
    boxwire::PutLE32(b, v);
    o.data.insert(o.data.end(), b, b + 4);
  };

  switch (code) {
    case kGetConfigDescriptor:
      o.data.assign(kConfigDescriptor, kConfigDescriptor + sizeof(kConfigDescriptor));
      break;
    case kResetDevice:
    case kResetDriver:
      break;
    case kAbortPipe:
    case kResetPipe:
      if (!needInput(4)) break;
      if (dword(0) >= kPipeCount) {
        o.status = kInvalidParameter;
        break;
      }
      for (Pending& p : m_pending) {
        if (p.waitPipe == int(dword(0))) {
          p.status = kCancelled;
          p.waitPipe = -1;
          p.due = Now();
        }
      }
      if (code == kResetPipe) m_pipeData[dword(0)].clear();
      break;
    case kWriteBulkCmdOut:
      m_box->BulkCommandOut(in, int(inSize));
      o.bytes = inSize;
      o.reportData = false;
      o.delayMs = m_bulkLatency;
      m_counters[kPipeBytesOut] += inSize;
      break;
    case kWriteBulkStrmOut:
    case kWriteIntCtrlOut:
      o.bytes = inSize;
      o.reportData = false;
      m_counters[kPipeBytesOut] += inSize;
      break;
    case kReadBulkCmdIn: return PipeRead(kPipeBulkCmdIn, outSize);
    case kReadBulkStrmIn: return PipeRead(kPipeBulkStrmIn, outSize);
    case kReadIntCtrlIn: return PipeRead(kPipeIntCtrlIn, outSize);
    case kCommandChannel: {
      ++m_counters[kCommands];
      SimAnswer a = m_box->Command(in, int(inSize));
      if (BYTE letter = m_box->Boot().TakeStart()) BeginReboot(letter);
      if (!a.ok) o.status = kUnsuccessful;
      o.data = a.bytes;
      o.delayMs = m_commandLatency;
      break;
    }
    case kSelectAlternateSetting:
      if (!needInput(4)) break;
      if (dword(0) > 31) {
        o.status = kInvalidParameter;
        break;
      }
      m_alternateSetting = dword(0);
      if (!SettingHasInput(m_alternateSetting)) m_isoIn = FALSE;
      if (!SettingHasOutput(m_alternateSetting)) m_isoOut = FALSE;
      break;
    case kSwitchIsoInStream:
      if (!needInput(4)) break;
      if (dword(0) && !SettingHasInput(m_alternateSetting)) {
        o.status = kUnsuccessful;
        break;
      }
      m_isoIn = dword(0) != 0;
      if (Streaming() && !m_pipeData[kPipeIsoIn].empty()) SignalReadEvent();
      break;
    case kSwitchIsoOutStream:
      if (!needInput(4)) break;
      if (dword(0) && !SettingHasOutput(m_alternateSetting)) {
        o.status = kUnsuccessful;
        break;
      }
      m_isoOut = dword(0) != 0;
      if (m_isoOut && m_writeEvent) SetEvent(m_writeEvent);
      break;
    case kGetUsbBandWidth:
      // Bytes per frame the setting reserves, and the frame rate.
      putDword(m_alternateSetting * 1023);
      putDword(1000);
      break;
    case kGetUsbDeviceIds: {
      BYTE d[kDeviceDescriptorSize] = {18, 1, 0x00, 0x02, 0xFF, 0, 0, 64};
      boxwire::PutLE16(d + 8, m_vendor);
      boxwire::PutLE16(d + 10, m_product);
      d[12] = 0x01;
      d[17] = 1;
      o.data.assign(d, d + sizeof(d));
      break;
    }
    case kSetupReadEvent:
    case kSetupWriteEvent:
      if (!needInput(4)) break;
      (code == kSetupReadEvent ? m_readEvent : m_writeEvent) =
          reinterpret_cast<HANDLE>(UINT_PTR(dword(0)));
      break;
    case kGetDriverStatus: {
      // The words' meaning is this driver's own: setting, stream switches,
      // traffic counters, threshold; the rest 0.
      DWORD words[kDriverStatusWords] = {m_alternateSetting,
                                         DWORD(m_isoIn),
                                         DWORD(m_isoOut),
                                         m_counters[kCommands],
                                         m_counters[kPipeBytesIn],
                                         m_counters[kPipeBytesOut],
                                         m_counters[kStreamBytes],
                                         m_threshold};
      for (DWORD w : words) putDword(w);
      break;
    }
    case kSetPipeTimeout:
      if (!needInput(8)) break;
      if (dword(0) >= kPipeCount) {
        o.status = kInvalidParameter;
        break;
      }
      m_pipeTimeout[dword(0)] = dword(1);
      break;
    case kGetAlternateSetting: putDword(m_alternateSetting); break;
    case kSetThreshold:
      if (needInput(4)) m_threshold = dword(0);
      break;
    case kClearBuffer: m_pipeData[kPipeIsoIn].clear(); break;
    case kGetDriverVersion: putDword(kDriverVersion); break;
    default: o.status = kInvalidDeviceRequest; break;
  }
  return o;
}

BOOL CSimDriver::GetOverlappedResult(HANDLE handle, LPOVERLAPPED overlapped, LPDWORD transferred,
                                     BOOL wait) {
  if (NetAdapterDriver().OwnsHandle(handle))
    return NetAdapterDriver().OverlappedResult(handle, overlapped, transferred);
  if (!overlapped) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  {
    CSimLock lock(m_lock);
    if (!OwnHandle(handle) && !m_deadHandles.count(handle)) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
  }
  volatile ULONG_PTR* internal = &overlapped->Internal;
  if (LONG(*internal) == kPending) {
    if (!wait) {
      SetLastError(ERROR_IO_INCOMPLETE);
      return FALSE;
    }
    while (LONG(*internal) == kPending) WaitForSingleObject(overlapped->hEvent, INFINITE);
  }
  MemoryBarrier();
  if (transferred) *transferred = DWORD(overlapped->InternalHigh);
  DWORD error = Win32Error(LONG(*internal));
  if (error) {
    SetLastError(error);
    return FALSE;
  }
  return TRUE;
}

BOOL CSimDriver::CancelIo(HANDLE handle) {
  if (NetAdapterDriver().OwnsHandle(handle)) return TRUE;  // its calls complete at once
  CSimLock lock(m_lock);
  if (!OwnHandle(handle) && !m_deadHandles.count(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  SimLogEntry entry;
  entry.kind = SimLogEntry::kCancel;
  entry.thread = GetCurrentThreadId();
  entry.beginMs = entry.endMs = Now();
  m_log.push_back(entry);
  // Only the calling thread's calls on this handle, as CancelIo does.
  DWORD thread = GetCurrentThreadId();
  for (auto it = m_pending.begin(); it != m_pending.end();) {
    if (it->handle != handle || it->thread != thread) {
      ++it;
      continue;
    }
    m_log[it->log].cancelled = 1;
    if (it->ignoresCancel) {
      ++it;
      continue;
    }
    it->status = kCancelled;
    it->data.clear();
    it->bytes = 0;
    Complete(*it);
    it = m_pending.erase(it);
  }
  if (m_pending.empty()) SetEvent(m_idle);
  return TRUE;
}

DWORD CSimDriver::GetAdaptersInfo(PIP_ADAPTER_INFO info, PULONG size) {
  return NetAdapterDriver().GetAdaptersInfo(info, size);
}

// ---- Completion ------------------------------------------------------------

void CSimDriver::Complete(Pending& p) {
  // Written as the I/O manager does it: the data, the count, the status,
  // then the caller's event.
  if (!p.data.empty() && p.output) memcpy(p.output, p.data.data(), p.data.size());
  p.overlapped->InternalHigh = p.bytes;
  MemoryBarrier();
  p.overlapped->Internal = ULONG_PTR(p.status);
  SimLogEntry& e = m_log[p.log];
  e.endMs = Now();
  e.error = Win32Error(p.status);
  e.bytes = p.bytes;
  SetEvent(p.overlapped->hEvent);
}

void CSimDriver::CompleteAll(LONG status) {
  for (Pending& p : m_pending) {
    p.status = status;
    p.data.clear();
    p.bytes = 0;
    Complete(p);
  }
  m_pending.clear();
  SetEvent(m_idle);
}

DWORD WINAPI CSimDriver::SchedulerThread(void* self) {
  static_cast<CSimDriver*>(self)->Schedule();
  return 0;
}

void CSimDriver::Schedule() {
  while (!m_stop) {
    DWORD wait = INFINITE;
    {
      CSimLock lock(m_lock);
      double now = Now();
      for (auto it = m_pending.begin(); it != m_pending.end();) {
        if (it->due >= 0 && it->due <= now) {
          Complete(*it);
          it = m_pending.erase(it);
          continue;
        }
        if (it->due >= 0) {
          double left = it->due - now;
          DWORD ms = DWORD(left) + 1;
          if (ms < wait) wait = ms;
        }
        ++it;
      }
      if (m_pending.empty()) SetEvent(m_idle);
    }
    WaitForSingleObject(m_wake, wait);
  }
}

void CSimDriver::SignalReadEvent() {
  if (m_readEvent) SetEvent(m_readEvent);
}

// ---- Control ---------------------------------------------------------------

void CSimDriver::Reset() {
  NetAdapterDriver().Reset();
  CSimLock lock(m_lock);
  CompleteAll(kCancelled);
  m_box.reset(new CSimBox);
  m_present = 1;
  m_names.clear();
  for (HANDLE h : m_deadHandles) m_handles.insert(h);  // plugged in again
  m_deadHandles.clear();
  m_vendor = 0x1A2C;
  m_product = 0x0B01;
  m_commandLatency = m_bulkLatency = 0;
  m_faults.clear();
  m_log.clear();
  m_alternateSetting = 0;
  m_isoIn = m_isoOut = FALSE;
  memset(m_pipeTimeout, 0, sizeof(m_pipeTimeout));
  m_readEvent = m_writeEvent = nullptr;
  m_threshold = 0;
  memset(m_counters, 0, sizeof(m_counters));
  for (auto& q : m_pipeData) q.clear();
  m_bootLeaveMs = 200;
  m_bootReturnMs = 300;
  m_bootPhase = 0;
  m_streamLimit = m_streamDropped = 0;
}

void CSimDriver::SetPresent(int boxes) {
  CSimLock lock(m_lock);
  m_present = boxes;
}

void CSimDriver::SetNames(int index, const char* friendlyName, const char* description) {
  CSimLock lock(m_lock);
  m_names[index] = {friendlyName ? friendlyName : "", description ? description : ""};
}

void CSimDriver::Unplug() {
  NetAdapterDriver().Unplug();
  CSimLock lock(m_lock);
  m_present = 0;
  CompleteAll(kNotConnected);
  m_deadHandles.insert(m_handles.begin(), m_handles.end());
  m_handles.clear();
}

void CSimDriver::SetUsbIds(WORD vendor, WORD product) {
  CSimLock lock(m_lock);
  m_vendor = vendor;
  m_product = product;
}

void CSimDriver::SetLatency(DWORD commandMs, DWORD bulkWriteMs) {
  CSimLock lock(m_lock);
  m_commandLatency = commandMs;
  m_bulkLatency = bulkWriteMs;
}

void CSimDriver::AddFault(const SimFault& fault) {
  CSimLock lock(m_lock);
  m_faults.push_back(fault);
}

void CSimDriver::ClearFaults() {
  CSimLock lock(m_lock);
  m_faults.clear();
}

void CSimDriver::NakI2cTransfer(int address, int nth) {
  CSimLock lock(m_lock);
  m_box->Bus().NakTransfer(address, nth);
}

void CSimDriver::SetEepromBusyTime(int milliseconds) {
  CSimLock lock(m_lock);
  m_box->Eeprom().SetBusyTime(milliseconds);
}

void CSimDriver::GetState(SimBoxState* state) {
  CSimLock lock(m_lock);
  *state = m_box->State();
}

void CSimDriver::SetState(const SimBoxState& state) {
  CSimLock lock(m_lock);
  m_box->State() = state;
}

void CSimDriver::ReadEeprom(BYTE* contents) {
  CSimLock lock(m_lock);
  memcpy(contents, m_box->Eeprom().Contents(), CSimEeprom::kSize);
}

void CSimDriver::WriteEeprom(int offset, const BYTE* data, int count) {
  CSimLock lock(m_lock);
  for (int i = 0; i < count; ++i) m_box->Eeprom().Contents()[(offset + i) % CSimEeprom::kSize] = data[i];
}

int CSimDriver::FrameCount() {
  CSimLock lock(m_lock);
  return int(m_box->Frames().size());
}

BOOL CSimDriver::GetFrame(int index, boxframe::Frame* frame) {
  CSimLock lock(m_lock);
  if (index < 0 || size_t(index) >= m_box->Frames().size()) return FALSE;
  *frame = m_box->Frames()[size_t(index)];
  return TRUE;
}

void CSimDriver::QueuePipeData(DWORD pipe, const BYTE* data, DWORD length) {
  CSimLock lock(m_lock);
  if (pipe >= boxdrv::kPipeCount) return;
  if (pipe == boxdrv::kPipeIsoIn) {
    QueueStream(data, length);
    return;
  }
  m_pipeData[pipe].insert(m_pipeData[pipe].end(), data, data + length);
  for (Pending& p : m_pending) {
    if (p.waitPipe == int(pipe) && !m_pipeData[pipe].empty()) TakePipeData(p, int(pipe));
  }
  if (pipe == boxdrv::kPipeIsoIn) SignalReadEvent();
  SetEvent(m_wake);
}

int CSimDriver::LogCount() {
  CSimLock lock(m_lock);
  return int(m_log.size());
}

BOOL CSimDriver::GetLogEntry(int index, SimLogEntry* entry) {
  CSimLock lock(m_lock);
  if (index < 0 || size_t(index) >= m_log.size()) return FALSE;
  *entry = m_log[size_t(index)];
  return TRUE;
}

void CSimDriver::ClearLog() {
  CSimLock lock(m_lock);
  // Pending calls keep their entries' indexes: only completed ones go.
  if (m_pending.empty()) m_log.clear();
}

int CSimDriver::PendingCount() {
  CSimLock lock(m_lock);
  return int(m_pending.size());
}

BOOL CSimDriver::WaitIdle(DWORD milliseconds) {
  return WaitForSingleObject(m_idle, milliseconds) == WAIT_OBJECT_0;
}

// ---- The process's simulator -------------------------------------------------

IBoxSimulator& BoxSimulator() {
  static CSimDriver driver;
  return driver;
}

IDevicePort& BoxSimulatorPort() { return static_cast<CSimDriver&>(BoxSimulator()); }
