// One device-interface class of a simulated driver as the setup calls see
// it: the device information sets handed out, interface enumeration, the
// interface detail with the device path, and the devices' registry
// properties. The owning driver serialises the calls (it holds its lock
// around each) and says at each enumeration how many devices are present.
#pragma once

#include <windows.h>
#include <setupapi.h>

#include <functional>
#include <set>
#include <string>

class CSimInterfaceClass {
 public:
  // The device path of the device at an index.
  using PathFunction = std::function<std::string(int index)>;
  // A registry property of the device at an index as text; empty when the
  // device has no such property.
  using PropertyFunction = std::function<std::string(int index, DWORD property)>;

  CSimInterfaceClass(const GUID& classGuid, PathFunction path, PropertyFunction property);
  ~CSimInterfaceClass();
  CSimInterfaceClass(const CSimInterfaceClass&) = delete;
  CSimInterfaceClass& operator=(const CSimInterfaceClass&) = delete;

  // A new set; one that does not list (asked for with another class)
  // enumerates nothing.
  HDEVINFO CreateSet(bool lists);
  bool OwnsSet(HDEVINFO set) const;
  // Interface `index` of the `present` devices.
  BOOL EnumInterfaces(HDEVINFO set, const GUID* guid, DWORD index, int present, PSP_DEVICE_INTERFACE_DATA data) const;
  BOOL GetInterfaceDetail(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data, PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                          DWORD size, PDWORD required, PSP_DEVINFO_DATA device) const;
  BOOL GetRegistryProperty(HDEVINFO set, PSP_DEVINFO_DATA device, DWORD property, PDWORD type, PBYTE buffer, DWORD size,
                           PDWORD required) const;
  BOOL DestroySet(HDEVINFO set);

 private:
  struct Set {
    bool lists;
  };
  Set* Find(HDEVINFO set) const;

  const GUID m_classGuid;
  const PathFunction m_path;
  const PropertyFunction m_property;
  std::set<Set*> m_sets;
};
