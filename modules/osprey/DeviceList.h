// The device lists of the BDA graph: the monikers of one device category
// (system device enumerator) or of the filters that take one input type
// (filter mapper), each entry the moniker's display name and the device's
// "FriendlyName", 259 wide characters at most each. A moniker without a
// string "FriendlyName" is not listed.
#pragma once

#include <windows.h>
#include <strmif.h>

#include <vector>

struct DeviceEntry {
  WCHAR displayName[260];
  WCHAR friendlyName[260];
};
static_assert(sizeof(DeviceEntry) == 1040);

typedef std::vector<DeviceEntry> DeviceList;

// Appends the devices of category; S_FALSE when the category is empty.
HRESULT EnumerateDevices(ICreateDevEnum* devices, REFCLSID category, DeviceList* list);
// Appends the filters with an input pin of exactly major / sub and at least
// minMerit.
HRESULT EnumerateFilters(IFilterMapper2* mapper, REFGUID major, REFGUID sub, DWORD minMerit, DeviceList* list);
// The friendly name of a moniker; false when it has none that is a string.
bool ReadFriendlyName(IMoniker* moniker, WCHAR* name, size_t capacity);
