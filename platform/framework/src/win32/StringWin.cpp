// The parts of CString that use Win32: wide-string conversion and string
// resources.
#include "framework/Resources.h"
#include "framework/String.h"

#include "ResourceStrings.h"

CString::CString(LPCWSTR lpsz) : m_pchData(nullptr) { *this = lpsz; }

CString& CString::operator=(LPCWSTR lpsz) {
  int nWide = lpsz ? static_cast<int>(wcslen(lpsz)) : 0;
  if (nWide == 0) {
    Empty();
    return *this;
  }
  int nAnsi = WideCharToMultiByte(CP_ACP, 0, lpsz, nWide, nullptr, 0, nullptr, nullptr);
  CString result;
  WideCharToMultiByte(CP_ACP, 0, lpsz, nWide, result.GetBufferSetLength(nAnsi), nAnsi, nullptr, nullptr);
  *this = static_cast<CString&&>(result);
  return *this;
}

BOOL CString::LoadString(UINT nID) {
  HINSTANCE hInst = AfxFindStringResourceHandle(nID);
  int nWide = 0;
  const WCHAR* pWide = hInst ? AfxFindStringInModule(hInst, nID, &nWide) : nullptr;
  if (pWide == nullptr || nWide == 0) return FALSE;
  int nAnsi = WideCharToMultiByte(CP_ACP, 0, pWide, nWide, nullptr, 0, nullptr, nullptr);
  CString result;
  WideCharToMultiByte(CP_ACP, 0, pWide, nWide, result.GetBufferSetLength(nAnsi), nAnsi, nullptr, nullptr);
  *this = static_cast<CString&&>(result);
  return TRUE;
}

void CString::Format(UINT nFormatID, ...) {
  CString strFormat;
  ENSURE_ARG(strFormat.LoadString(nFormatID));
  va_list args;
  va_start(args, nFormatID);
  FormatV(strFormat, args);
  va_end(args);
}
