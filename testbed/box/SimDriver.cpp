// The simulated driver's face to the library: setting up, enumeration of
// the boxes' device interfaces, opening and closing device handles. The
// calls on a handle are in SimDriverPending.cpp and SimDriverIoControl.cpp,
// the test control in SimDriverControl.cpp, booting in SimDriverBoot.cpp.
#include "SimDriver.h"

#include "SimDriverStatus.h"
#include "framework/SingleLock.h"
#include "SimIrReceiverDriver.h"
#include "SimNetAdapterDriver.h"

#include <cstdio>

using namespace simstatus;

namespace {

// Driver key and class of the simulated boxes.
const char kClassKey[] = "{6B9E0C3A-52D4-4F1B-9C27-8E3A1D5F7B40}";

}  // namespace

CSimDriver::CSimDriver()
    : m_box(new CSimBox),
      m_interfaces(
          GUID_BOXLINK_BOX, [this](int index) { return DevicePath(index); },
          [this](int index, DWORD property) { return DeviceProperty(index, property); }) {
  QueryPerformanceFrequency(&m_frequency);
  QueryPerformanceCounter(&m_start);
  m_wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  m_idle = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  m_player.SetRate(kDefaultPlayerRate);
  m_scheduler.Start(SchedulerThread, this);
}

CSimDriver::~CSimDriver() {
  m_scheduler.RequestStop();
  SetEvent(m_wake);
  m_scheduler.Stop(2000);
  ::CloseHandle(m_wake);
  ::CloseHandle(m_idle);
}

double CSimDriver::Now() const {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return double(now.QuadPart - m_start.QuadPart) * 1000.0 / double(m_frequency.QuadPart);
}

// ---- Enumeration -----------------------------------------------------------

std::string CSimDriver::DevicePath(int index) const {
  char path[160];
  snprintf(path, sizeof(path), "\\\\?\\usb#vid_%04x&pid_%04x#qbox%d#{cbf61861-d899-4e8f-ad78-b3476046daef}", m_vendor,
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
    case SPDRP_DEVICEDESC: return names == m_names.end() ? "Quillon USB Box" : names->second.second;
  }
  return std::string();
}

HDEVINFO CSimDriver::SetupDiGetClassDevsA(const GUID* guid, PCSTR, HWND, DWORD flags) {
  if (CSimNetAdapterDriver::IsAdapterClass(guid) && (flags & DIGCF_DEVICEINTERFACE))
    return NetAdapterDriver().GetClassDevs();
  if (CSimIrReceiverDriver::IsReceiverClass(guid) && (flags & DIGCF_DEVICEINTERFACE))
    return IrReceiverDriver().GetClassDevs();
  if (!guid || !(flags & DIGCF_DEVICEINTERFACE)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return HDEVINFO(INVALID_HANDLE_VALUE);
  }
  CSingleLock lock(&m_lock, TRUE);
  return m_interfaces.CreateSet(IsEqualGUID(*guid, GUID_BOXLINK_BOX) != 0);
}

BOOL CSimDriver::SetupDiEnumDeviceInterfaces(HDEVINFO set, PSP_DEVINFO_DATA, const GUID* guid, DWORD index,
                                             PSP_DEVICE_INTERFACE_DATA data) {
  if (NetAdapterDriver().OwnsSet(set)) return NetAdapterDriver().EnumInterfaces(set, guid, index, data);
  if (IrReceiverDriver().OwnsSet(set)) return IrReceiverDriver().EnumInterfaces(set, guid, index, data);
  CSingleLock lock(&m_lock, TRUE);
  UpdateBoot();
  return m_interfaces.EnumInterfaces(set, guid, index, m_present, data);
}

BOOL CSimDriver::SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                                  PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail, DWORD size,
                                                  PDWORD required, PSP_DEVINFO_DATA device) {
  if (NetAdapterDriver().OwnsSet(set))
    return NetAdapterDriver().GetInterfaceDetail(set, data, detail, size, required, device);
  if (IrReceiverDriver().OwnsSet(set))
    return IrReceiverDriver().GetInterfaceDetail(set, data, detail, size, required, device);
  CSingleLock lock(&m_lock, TRUE);
  return m_interfaces.GetInterfaceDetail(set, data, detail, size, required, device);
}

BOOL CSimDriver::SetupDiGetDeviceRegistryPropertyA(HDEVINFO set, PSP_DEVINFO_DATA device, DWORD property, PDWORD type,
                                                   PBYTE buffer, DWORD size, PDWORD required) {
  if (NetAdapterDriver().OwnsSet(set))
    return NetAdapterDriver().GetRegistryProperty(set, device, property, type, buffer, size, required);
  if (IrReceiverDriver().OwnsSet(set))
    return IrReceiverDriver().GetRegistryProperty(set, device, property, type, buffer, size, required);
  CSingleLock lock(&m_lock, TRUE);
  return m_interfaces.GetRegistryProperty(set, device, property, type, buffer, size, required);
}

BOOL CSimDriver::SetupDiDestroyDeviceInfoList(HDEVINFO set) {
  if (NetAdapterDriver().OwnsSet(set)) return NetAdapterDriver().DestroyList(set);
  if (IrReceiverDriver().OwnsSet(set)) return IrReceiverDriver().DestroyList(set);
  CSingleLock lock(&m_lock, TRUE);
  return m_interfaces.DestroySet(set);
}

// ---- Handles ---------------------------------------------------------------

HANDLE CSimDriver::CreateFileA(LPCSTR path, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD flags, HANDLE) {
  if (NetAdapterDriver().ClaimsPath(path)) return NetAdapterDriver().Open(path, flags);
  if (CSimIrReceiverDriver::ClaimsPath(path)) return IrReceiverDriver().Open(path, flags);
  CSingleLock lock(&m_lock, TRUE);
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
  if (IrReceiverDriver().OwnsHandle(handle)) return IrReceiverDriver().Close(handle);
  CSingleLock lock(&m_lock, TRUE);
  if (!m_handles.erase(handle) && !m_deadHandles.erase(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  for (auto it = m_pending.begin(); it != m_pending.end();) {
    if (it->handle == handle && !it->ignoresCancel) {
      CompleteWith(*it, kCancelled);
      it = m_pending.erase(it);
    } else {
      ++it;
    }
  }
  if (m_pending.empty()) SetEvent(m_idle);
  return ::CloseHandle(handle);
}

DWORD CSimDriver::GetAdaptersInfo(PIP_ADAPTER_INFO info, PULONG size) {
  return NetAdapterDriver().GetAdaptersInfo(info, size);
}

// ---- The process's simulator -------------------------------------------------

IBoxSimulator& BoxSimulator() {
  static CSimDriver driver;
  return driver;
}

IDevicePort& BoxSimulatorPort() { return static_cast<CSimDriver&>(BoxSimulator()); }
