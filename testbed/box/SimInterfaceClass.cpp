#include "SimInterfaceClass.h"

#include <cstddef>
#include <cstring>
#include <utility>

namespace {

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

}  // namespace

CSimInterfaceClass::CSimInterfaceClass(const GUID& classGuid, PathFunction path, PropertyFunction property)
    : m_classGuid(classGuid), m_path(std::move(path)), m_property(std::move(property)) {}

CSimInterfaceClass::~CSimInterfaceClass() {
  for (Set* s : m_sets) delete s;
}

CSimInterfaceClass::Set* CSimInterfaceClass::Find(HDEVINFO set) const {
  auto it = m_sets.find(reinterpret_cast<Set*>(set));
  return it == m_sets.end() ? nullptr : *it;
}

HDEVINFO CSimInterfaceClass::CreateSet(bool lists) {
  Set* s = new Set{lists};
  m_sets.insert(s);
  return HDEVINFO(s);
}

bool CSimInterfaceClass::OwnsSet(HDEVINFO set) const { return Find(set) != nullptr; }

BOOL CSimInterfaceClass::EnumInterfaces(HDEVINFO set, const GUID* guid, DWORD index, int present,
                                        PSP_DEVICE_INTERFACE_DATA data) const {
  const Set* s = Find(set);
  if (!s || !guid || !data || data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA)) return Fail(ERROR_INVALID_PARAMETER);
  // Compared unsigned: an index past 2^31 is past the end too.
  if (!s->lists || present <= 0 || index >= DWORD(present)) return Fail(ERROR_NO_MORE_ITEMS);
  data->InterfaceClassGuid = *guid;
  data->Flags = SPINT_ACTIVE;
  data->Reserved = ULONG_PTR(index + 1);
  return TRUE;
}

BOOL CSimInterfaceClass::GetInterfaceDetail(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                            PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail, DWORD size, PDWORD required,
                                            PSP_DEVINFO_DATA device) const {
  if (!Find(set) || !data || data->Reserved == 0) return Fail(ERROR_INVALID_PARAMETER);
  int index = int(data->Reserved) - 1;
  std::string path = m_path(index);
  DWORD need = DWORD(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + path.size() + 1);
  if (required) *required = need;
  if (!detail || size < need) return Fail(ERROR_INSUFFICIENT_BUFFER);
  // Only the structure's own size is accepted (5 bytes on 32-bit Windows, 8 on 64-bit).
  if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) return Fail(ERROR_INVALID_USER_BUFFER);
  memcpy(detail->DevicePath, path.c_str(), path.size() + 1);
  if (device) {
    if (device->cbSize != sizeof(SP_DEVINFO_DATA)) return Fail(ERROR_INVALID_USER_BUFFER);
    device->ClassGuid = m_classGuid;
    device->DevInst = DWORD(index + 1);
    device->Reserved = 0;
  }
  return TRUE;
}

BOOL CSimInterfaceClass::GetRegistryProperty(HDEVINFO set, PSP_DEVINFO_DATA device, DWORD property, PDWORD type,
                                             PBYTE buffer, DWORD size, PDWORD required) const {
  if (!Find(set) || !device || device->DevInst == 0) return Fail(ERROR_INVALID_PARAMETER);
  std::string value = m_property(int(device->DevInst) - 1, property);
  if (value.empty()) return Fail(ERROR_INVALID_DATA);
  DWORD need = DWORD(value.size() + 1);
  if (required) *required = need;
  if (type) *type = REG_SZ;
  if (!buffer || size < need) return Fail(ERROR_INSUFFICIENT_BUFFER);
  memcpy(buffer, value.c_str(), need);
  return TRUE;
}

BOOL CSimInterfaceClass::DestroySet(HDEVINFO set) {
  Set* s = Find(set);
  if (!s) return Fail(ERROR_INVALID_HANDLE);
  m_sets.erase(s);
  delete s;
  return TRUE;
}
