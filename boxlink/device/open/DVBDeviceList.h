// The present devices of one device-interface class, in the order the system
// enumerates them: the index into this list is the device index.
#pragma once

#include <Framework.h>

#include <vector>

struct CDVBDeviceEntry {
  CString path;       // device path for CreateFileA
  CString name;       // friendly name, else description, else the path
  CString driverKey;  // subkey of the device-class key
};

class CDVBDeviceList {
 public:
  explicit CDVBDeviceList(const GUID& interfaceGuid) : m_guid(interfaceGuid) {}
  CDVBDeviceList(const CDVBDeviceList&) = delete;
  CDVBDeviceList& operator=(const CDVBDeviceList&) = delete;

  int Enumerate();
  int GetCount() const { return int(m_entries.size()); }
  const CDVBDeviceEntry& operator[](int index) const { return m_entries[size_t(index)]; }

 private:
  GUID m_guid;
  std::vector<CDVBDeviceEntry> m_entries;
};
