#include "DVBDeviceList.h"

#include "DevicePort.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>

#ifndef _WIN64
static_assert(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) == 5, "the 32-bit system's packed detail record");
#endif

namespace {

const DWORD kPropertySize = 256;

bool Property(IDevicePort& port, HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property,
              char (&buffer)[kPropertySize + 1]) {
  memset(buffer, 0, sizeof(buffer));
  // One byte more than the driver is offered keeps the text terminated.
  return port.SetupDiGetDeviceRegistryPropertyA(set, &device, property, nullptr, reinterpret_cast<BYTE*>(buffer),
                                                kPropertySize, nullptr) != FALSE;
}

}  // namespace

int CDVBDeviceList::Enumerate() {
  m_entries.clear();
  IDevicePort& port = DevicePort();
  HDEVINFO set = port.SetupDiGetClassDevsA(&m_guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return 0;

  SP_DEVICE_INTERFACE_DATA data = {};
  data.cbSize = sizeof(data);
  for (DWORD index = 0; port.SetupDiEnumDeviceInterfaces(set, nullptr, &m_guid, index, &data); ++index) {
    DWORD required = 0;
    port.SetupDiGetDeviceInterfaceDetailA(set, &data, nullptr, 0, &required, nullptr);
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) continue;
    auto* detail = static_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(calloc(1, required + 1));
    if (!detail) continue;
    // The structure's own size, which the system checks: 5 on 32-bit Windows
    // (packed), 8 on 64-bit.
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    SP_DEVINFO_DATA device = {};
    device.cbSize = sizeof(device);
    if (!port.SetupDiGetDeviceInterfaceDetailA(set, &data, detail, required, nullptr, &device)) {
      free(detail);
      continue;
    }
    CDVBDeviceEntry entry;
    entry.path = detail->DevicePath;
    char buffer[kPropertySize + 1];
    if (Property(port, set, device, SPDRP_DRIVER, buffer)) entry.driverKey = buffer;
    if (Property(port, set, device, SPDRP_FRIENDLYNAME, buffer) ||
        Property(port, set, device, SPDRP_DEVICEDESC, buffer)) {
      entry.name = buffer;
    } else {
      memset(buffer, 0, sizeof(buffer));
      strncpy(buffer, detail->DevicePath, kPropertySize);
      entry.name = buffer;
    }
    m_entries.push_back(entry);
    free(detail);
  }
  port.SetupDiDestroyDeviceInfoList(set);
  return GetCount();
}
