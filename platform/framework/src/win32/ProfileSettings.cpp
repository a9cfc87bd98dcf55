#include "framework/ProfileSettings.h"

#include <memory>

namespace {

HKEY CreateKey(HKEY hParent, LPCTSTR lpszName) {
  HKEY hKey = nullptr;
  DWORD dw;
  if (RegCreateKeyExA(hParent, lpszName, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &hKey,
                      &dw) != ERROR_SUCCESS)
    return nullptr;
  return hKey;
}

class CKeyHolder {
 public:
  explicit CKeyHolder(HKEY hKey) : m_hKey(hKey) {}
  ~CKeyHolder() {
    if (m_hKey != nullptr) RegCloseKey(m_hKey);
  }
  CKeyHolder(const CKeyHolder&) = delete;
  CKeyHolder& operator=(const CKeyHolder&) = delete;
  operator HKEY() const { return m_hKey; }

 private:
  HKEY m_hKey;
};

}  // namespace

CProfileSettings::CProfileSettings() {
  char szPath[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, szPath, sizeof(szPath));
  CString path(szPath, n < sizeof(szPath) ? static_cast<int>(n) : 0);
  CString title = path.Mid(path.ReverseFind('\\') + 1);
  int nDot = title.ReverseFind('.');
  m_strAppName = nDot > 0 ? title.Left(nDot) : title;
}

void CProfileSettings::SetRegistryKey(LPCTSTR lpszRegistryKey) { m_strRegistryKey = lpszRegistryKey; }

void CProfileSettings::SetRegistryKey(UINT nIDRegistryKey) {
  CString key;
  key.LoadString(nIDRegistryKey);
  SetRegistryKey(key);
}

LPCTSTR CProfileSettings::GetProfileName() const {
  if (m_strProfileName.IsEmpty()) m_strProfileName = m_strAppName + ".INI";
  return m_strProfileName;
}

HKEY CProfileSettings::GetAppRegistryKey() const {
  if (m_strRegistryKey.IsEmpty()) return nullptr;
  CKeyHolder hSoftKey(CreateKey(HKEY_CURRENT_USER, "Software"));
  if (hSoftKey == nullptr) return nullptr;
  CKeyHolder hCompanyKey(CreateKey(hSoftKey, m_strRegistryKey));
  if (hCompanyKey == nullptr) return nullptr;
  return CreateKey(hCompanyKey, m_strAppName);
}

HKEY CProfileSettings::GetSectionKey(LPCTSTR lpszSection) const {
  ENSURE_ARG(lpszSection != nullptr);
  CKeyHolder hAppKey(GetAppRegistryKey());
  if (hAppKey == nullptr) return nullptr;
  return CreateKey(hAppKey, lpszSection);
}

UINT CProfileSettings::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) const {
  ENSURE_ARG(lpszSection != nullptr && lpszEntry != nullptr);
  if (m_strRegistryKey.IsEmpty()) return GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, GetProfileName());
  CKeyHolder hSecKey(GetSectionKey(lpszSection));
  if (hSecKey == nullptr) return nDefault;
  DWORD dwValue, dwType, dwCount = sizeof(DWORD);
  if (RegQueryValueExA(hSecKey, lpszEntry, nullptr, &dwType, reinterpret_cast<LPBYTE>(&dwValue), &dwCount) ==
          ERROR_SUCCESS &&
      dwType == REG_DWORD && dwCount == sizeof(DWORD))
    return dwValue;
  return nDefault;
}

BOOL CProfileSettings::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) {
  ENSURE_ARG(lpszSection != nullptr && lpszEntry != nullptr);
  if (m_strRegistryKey.IsEmpty()) {
    CString value;
    value.Format("%d", nValue);
    return WritePrivateProfileStringA(lpszSection, lpszEntry, value, GetProfileName());
  }
  CKeyHolder hSecKey(GetSectionKey(lpszSection));
  if (hSecKey == nullptr) return FALSE;
  DWORD dwValue = static_cast<DWORD>(nValue);
  return RegSetValueExA(hSecKey, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue)) ==
         ERROR_SUCCESS;
}

CString CProfileSettings::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) const {
  ENSURE_ARG(lpszSection != nullptr && lpszEntry != nullptr);
  if (lpszDefault == nullptr) lpszDefault = "";
  if (m_strRegistryKey.IsEmpty()) {
    // The call does not say whether the buffer was large enough: grow it
    // until the value ends before the buffer does.
    CString value;
    for (DWORD nSize = 256;; nSize *= 2) {
      DWORD n = GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault, value.GetBuffer(nSize), nSize + 1,
                                         GetProfileName());
      if (n < nSize || nSize >= (1u << 24)) {
        value.ReleaseBuffer(n < nSize ? n : nSize);
        return value;
      }
    }
  }
  CKeyHolder hSecKey(GetSectionKey(lpszSection));
  if (hSecKey == nullptr) return lpszDefault;
  DWORD dwType, dwCount = 0;
  if (RegQueryValueExA(hSecKey, lpszEntry, nullptr, &dwType, nullptr, &dwCount) != ERROR_SUCCESS || dwType != REG_SZ)
    return lpszDefault;
  CString value;
  if (dwCount > 0) {
    LPTSTR p = value.GetBuffer(static_cast<int>(dwCount));
    if (RegQueryValueExA(hSecKey, lpszEntry, nullptr, &dwType, reinterpret_cast<LPBYTE>(p), &dwCount) !=
        ERROR_SUCCESS) {
      value.ReleaseBuffer(0);
      return lpszDefault;
    }
    p[dwCount] = 0;  // a stored value need not be terminated
    value.ReleaseBuffer();
  }
  return value;
}

BOOL CProfileSettings::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
  ENSURE_ARG(lpszSection != nullptr);
  if (m_strRegistryKey.IsEmpty())
    return WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, GetProfileName());
  if (lpszEntry == nullptr) {
    CKeyHolder hAppKey(GetAppRegistryKey());
    return hAppKey != nullptr && RegDeleteKeyA(hAppKey, lpszSection) == ERROR_SUCCESS;
  }
  CKeyHolder hSecKey(GetSectionKey(lpszSection));
  if (hSecKey == nullptr) return FALSE;
  if (lpszValue == nullptr) return RegDeleteValueA(hSecKey, lpszEntry) == ERROR_SUCCESS;
  return RegSetValueExA(hSecKey, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                        static_cast<DWORD>(strlen(lpszValue) + 1)) == ERROR_SUCCESS;
}

// In the ini file a block is a string of two capital letters per byte, low
// nibble first, each nibble added to 'A'.
BOOL CProfileSettings::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes) const {
  ENSURE_ARG(lpszSection != nullptr && lpszEntry != nullptr && ppData != nullptr && pBytes != nullptr);
  *ppData = nullptr;
  *pBytes = 0;
  if (m_strRegistryKey.IsEmpty()) {
    CString text = GetProfileString(lpszSection, lpszEntry, nullptr);
    int nLength = text.GetLength();
    if (nLength == 0 || nLength % 2 != 0) return FALSE;
    std::unique_ptr<BYTE[]> data(new BYTE[nLength / 2]);
    for (int i = 0; i < nLength / 2; ++i) {
      int lo = text[2 * i] - 'A', hi = text[2 * i + 1] - 'A';
      if (lo < 0 || lo > 15 || hi < 0 || hi > 15) return FALSE;
      data[i] = static_cast<BYTE>(lo | (hi << 4));
    }
    *pBytes = static_cast<UINT>(nLength / 2);
    *ppData = data.release();
    return TRUE;
  }
  CKeyHolder hSecKey(GetSectionKey(lpszSection));
  if (hSecKey == nullptr) return FALSE;
  DWORD dwType, dwCount = 0;
  if (RegQueryValueExA(hSecKey, lpszEntry, nullptr, &dwType, nullptr, &dwCount) != ERROR_SUCCESS ||
      dwType != REG_BINARY)
    return FALSE;
  std::unique_ptr<BYTE[]> data(new BYTE[dwCount ? dwCount : 1]);
  if (RegQueryValueExA(hSecKey, lpszEntry, nullptr, &dwType, data.get(), &dwCount) != ERROR_SUCCESS) return FALSE;
  *pBytes = dwCount;
  *ppData = data.release();
  return TRUE;
}

BOOL CProfileSettings::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes) {
  ENSURE_ARG(lpszSection != nullptr && lpszEntry != nullptr && (pData != nullptr || nBytes == 0));
  if (m_strRegistryKey.IsEmpty()) {
    CString text;
    LPTSTR p = text.GetBufferSetLength(static_cast<int>(nBytes * 2));
    for (UINT i = 0; i < nBytes; ++i) {
      p[2 * i] = static_cast<TCHAR>((pData[i] & 0x0F) + 'A');
      p[2 * i + 1] = static_cast<TCHAR>(((pData[i] >> 4) & 0x0F) + 'A');
    }
    return WriteProfileString(lpszSection, lpszEntry, text);
  }
  CKeyHolder hSecKey(GetSectionKey(lpszSection));
  if (hSecKey == nullptr) return FALSE;
  return RegSetValueExA(hSecKey, lpszEntry, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
}
