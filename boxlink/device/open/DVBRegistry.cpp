#include "DVBRegistry.h"

namespace {

// Strings longer than this are not read.
const DWORD kStringBuffer = 200;

}  // namespace

BOOL CDVBRegistry::ReadString(const CString& key, const CString& name, CString& value) {
  HKEY handle;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return FALSE;
  char buffer[kStringBuffer + 1] = {};
  DWORD type = 0, size = kStringBuffer;
  LONG rc = RegQueryValueExA(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(handle);
  if (rc != ERROR_SUCCESS || type != REG_SZ) return FALSE;
  // The writer stores no terminating zero: the text ends at the byte count
  // returned (or at an earlier zero, when one was stored).
  if (size > kStringBuffer) size = kStringBuffer;
  buffer[size] = 0;
  value = buffer;
  return TRUE;
}

BOOL CDVBRegistry::ReadDWord(const CString& key, const CString& name, DWORD& value) {
  HKEY handle;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return FALSE;
  DWORD data = 0, type = 0, size = sizeof(data);
  LONG rc = RegQueryValueExA(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
  RegCloseKey(handle);
  if (rc != ERROR_SUCCESS || type != REG_DWORD) return FALSE;
  value = data;
  return TRUE;
}

BOOL CDVBRegistry::WriteString(const CString& key, const CString& name, const CString& value) {
  HKEY handle;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &handle,
                      nullptr) != ERROR_SUCCESS)
    return FALSE;
  BOOL ok = TRUE;
  if (!name.IsEmpty() || !value.IsEmpty()) {
    // Stored without the terminating zero; the reader copes.
    ok = RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(LPCSTR(value)),
                        DWORD(value.GetLength())) == ERROR_SUCCESS;
  }
  RegCloseKey(handle);
  return ok;
}

BOOL CDVBRegistry::WriteDWord(const CString& key, const CString& name, DWORD value) {
  HKEY handle;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &handle,
                      nullptr) != ERROR_SUCCESS)
    return FALSE;
  BOOL ok = TRUE;
  if (!name.IsEmpty())
    ok = RegSetValueExA(handle, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
         ERROR_SUCCESS;
  RegCloseKey(handle);
  return ok;
}
