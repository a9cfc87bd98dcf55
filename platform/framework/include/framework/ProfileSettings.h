// CProfileSettings: the per-user settings of a program. With a registry key
// (SetRegistryKey) they live in the registry, section by section, under
// HKEY_CURRENT_USER, Software, the key, the application name; without one, in
// the sections of an ini file (the profile name, "<app>.INI" unless set).
// The application object uses one of these.
#pragma once

#include "String.h"

class CProfileSettings {
 public:
  CProfileSettings();  // the application name is the program's file title

  void SetAppName(LPCTSTR lpszAppName) { m_strAppName = lpszAppName; }
  LPCTSTR GetAppName() const { return m_strAppName; }
  void SetRegistryKey(LPCTSTR lpszRegistryKey);
  void SetRegistryKey(UINT nIDRegistryKey);  // the key is a string resource
  // NULL when the settings are kept in the ini file.
  LPCTSTR GetRegistryKey() const {
    return m_strRegistryKey.IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_strRegistryKey);
  }
  // The ini file (a file name alone is looked for in the Windows folder).
  void SetProfileName(LPCTSTR lpszProfileName) { m_strProfileName = lpszProfileName; }
  LPCTSTR GetProfileName() const;

  // Open keys that the caller closes (RegCloseKey); NULL without a registry key.
  HKEY GetAppRegistryKey() const;
  HKEY GetSectionKey(LPCTSTR lpszSection) const;

  UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) const;
  BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
  CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr) const;
  // lpszValue NULL removes the entry; lpszEntry NULL removes the section.
  BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
  // *ppData is allocated with new[] (the caller deletes it); FALSE when absent.
  BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes) const;
  BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

 private:
  CString m_strAppName;
  CString m_strRegistryKey;
  mutable CString m_strProfileName;
};
