// The library's machine-wide settings: string and 32-bit values under
// HKEY_LOCAL_MACHINE, at a key path passed with each call (the library's key
// is "SOFTWARE\Kelvane\boxlink"). Made on the stack, holds no data.
#pragma once

#include <Framework.h>

#define BOXLINK_REGISTRY_KEY "SOFTWARE\\Kelvane\\boxlink"

class CDVBRegistry {
 public:
  virtual ~CDVBRegistry() {}

  BOOL ReadString(const CString& key, const CString& name, CString& value);
  BOOL ReadDWord(const CString& key, const CString& name, DWORD& value);
  BOOL WriteString(const CString& key, const CString& name, const CString& value);
  BOOL WriteDWord(const CString& key, const CString& name, DWORD value);
};
