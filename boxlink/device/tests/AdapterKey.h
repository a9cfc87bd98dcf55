// The simulated network adapter's class key in the registry of the test
// prefix, as the adapter's driver package would have set it up.
#pragma once

#include "SimNetAdapter.h"

#include <string>

inline std::string AdapterKeyPath(ISimNetAdapter& net, int index) {
  char key[128];
  net.GetDriverKey(index, key, sizeof(key));
  return std::string("SYSTEM\\CurrentControlSet\\Control\\Class\\") + key;
}

inline void RemoveAdapterKey(ISimNetAdapter& net, int index) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, AdapterKeyPath(net, index).c_str());
}

// Creates the key; a value with a null text is left out. `bytes` < 0 stores
// the text with its terminator, else that many bytes of it.
inline void WriteAdapterValue(ISimNetAdapter& net, int index, const char* name, const char* text, int bytes = -1) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, AdapterKeyPath(net, index).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    return;
  if (text) {
    DWORD size = bytes < 0 ? DWORD(strlen(text) + 1) : DWORD(bytes);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size);
  }
  RegCloseKey(key);
}

inline void WriteAdapterDWord(ISimNetAdapter& net, int index, const char* name, DWORD value) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, AdapterKeyPath(net, index).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  RegCloseKey(key);
}

// The "NetworkAddress" text, or "<none>".
inline std::string ReadNetworkAddress(ISimNetAdapter& net, int index) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, AdapterKeyPath(net, index).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return "<none>";
  char text[64] = {};
  DWORD size = sizeof(text) - 1, type = 0;
  LONG rc = RegQueryValueExA(key, "NetworkAddress", nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS && type == REG_SZ ? text : "<none>";
}

// A PC adapter with this MAC and address.
inline SimHostAdapter HostAdapter(const BYTE (&mac)[6], const char* ip, const char* mask) {
  SimHostAdapter a;
  memcpy(a.address, mac, 6);
  strncpy(a.ip, ip, sizeof(a.ip));
  strncpy(a.mask, mask, sizeof(a.mask));
  return a;
}
