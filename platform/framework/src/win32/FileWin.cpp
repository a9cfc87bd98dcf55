// CFile on Win32 file handles.
#include "framework/File.h"

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pException) {
  ENSURE_ARG(lpszFileName != nullptr);
  ENSURE_ARG(m_hFile == hFileNull);
  if (pException != nullptr) pException->Clear();
  m_bCloseOnDelete = FALSE;

  // The full path is what GetFilePath reports and what exceptions name.
  char szFull[MAX_PATH * 2];
  DWORD nFull = GetFullPathNameA(lpszFileName, sizeof(szFull), szFull, nullptr);
  m_strFileName = nFull > 0 && nFull < sizeof(szFull) ? szFull : lpszFileName;

  DWORD dwAccess;
  switch (nOpenFlags & 3) {
    case modeRead: dwAccess = GENERIC_READ; break;
    case modeWrite: dwAccess = GENERIC_WRITE; break;
    case modeReadWrite: dwAccess = GENERIC_READ | GENERIC_WRITE; break;
    default: AfxThrowInvalidArgException();
  }
  DWORD dwShare;
  switch (nOpenFlags & 0x70) {
    case shareCompat:
    case shareExclusive: dwShare = 0; break;
    case shareDenyWrite: dwShare = FILE_SHARE_READ; break;
    case shareDenyRead: dwShare = FILE_SHARE_WRITE; break;
    case shareDenyNone: dwShare = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: AfxThrowInvalidArgException();
  }
  DWORD dwCreate;
  if (nOpenFlags & modeCreate)
    dwCreate = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
  else
    dwCreate = OPEN_EXISTING;
  DWORD dwFlags = FILE_ATTRIBUTE_NORMAL;
  if (nOpenFlags & osNoBuffer) dwFlags |= FILE_FLAG_NO_BUFFERING;
  if (nOpenFlags & osWriteThrough) dwFlags |= FILE_FLAG_WRITE_THROUGH;
  if (nOpenFlags & osRandomAccess) dwFlags |= FILE_FLAG_RANDOM_ACCESS;
  if (nOpenFlags & osSequentialScan) dwFlags |= FILE_FLAG_SEQUENTIAL_SCAN;

  SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, (nOpenFlags & modeNoInherit) == 0};
  HANDLE hFile = CreateFileA(lpszFileName, dwAccess, dwShare, &sa, dwCreate, dwFlags, nullptr);
  if (hFile == INVALID_HANDLE_VALUE) {
    if (pException != nullptr) {
      pException->m_lOsError = static_cast<LONG>(GetLastError());
      pException->m_cause = CFileException::OsErrorToException(pException->m_lOsError);
      pException->m_strFileName = lpszFileName;
    }
    m_strFileName.Empty();
    return FALSE;
  }
  m_hFile = hFile;
  m_bCloseOnDelete = TRUE;
  return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  if (nCount == 0) return 0;
  ENSURE_ARG(lpBuf != nullptr);
  DWORD dwRead = 0;
  if (!ReadFile(m_hFile, lpBuf, nCount, &dwRead, nullptr))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
  return dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0) return;
  ENSURE_ARG(lpBuf != nullptr);
  DWORD nWritten = 0;
  if (!WriteFile(m_hFile, lpBuf, nCount, &nWritten, nullptr))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
  if (nWritten != nCount) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
  ENSURE_ARG(nFrom == begin || nFrom == current || nFrom == end);
  LARGE_INTEGER liOff, liNew;
  liOff.QuadPart = lOff;
  if (!SetFilePointerEx(m_hFile, liOff, &liNew, nFrom))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
  return static_cast<ULONGLONG>(liNew.QuadPart);
}

ULONGLONG CFile::GetPosition() const {
  LARGE_INTEGER liOff, liNew;
  liOff.QuadPart = 0;
  if (!SetFilePointerEx(m_hFile, liOff, &liNew, FILE_CURRENT))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
  return static_cast<ULONGLONG>(liNew.QuadPart);
}

ULONGLONG CFile::GetLength() const {
  LARGE_INTEGER liSize;
  if (!GetFileSizeEx(m_hFile, &liSize)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
  return static_cast<ULONGLONG>(liSize.QuadPart);
}

void CFile::SetLength(ULONGLONG dwNewLen) {
  Seek(static_cast<LONGLONG>(dwNewLen), begin);
  if (!SetEndOfFile(m_hFile)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

void CFile::LockRange(ULONGLONG dwPos, ULONGLONG dwCount) {
  if (!LockFile(m_hFile, static_cast<DWORD>(dwPos), static_cast<DWORD>(dwPos >> 32), static_cast<DWORD>(dwCount),
                static_cast<DWORD>(dwCount >> 32)))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

void CFile::UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount) {
  if (!UnlockFile(m_hFile, static_cast<DWORD>(dwPos), static_cast<DWORD>(dwPos >> 32), static_cast<DWORD>(dwCount),
                  static_cast<DWORD>(dwCount >> 32)))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

void CFile::Flush() {
  if (m_hFile == hFileNull) return;
  if (!FlushFileBuffers(m_hFile)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

void CFile::Close() {
  BOOL bError = FALSE;
  DWORD dwError = 0;
  if (m_hFile != hFileNull) {
    bError = !CloseHandle(m_hFile);
    if (bError) dwError = GetLastError();
  }
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
  CString name = m_strFileName;
  m_strFileName.Empty();
  if (bError) CFileException::ThrowOsError(static_cast<LONG>(dwError), name);
}

void CFile::Abort() {
  if (m_hFile != hFileNull) CloseHandle(m_hFile);
  m_hFile = hFileNull;
  m_bCloseOnDelete = FALSE;
  m_strFileName.Empty();
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName) {
  if (!MoveFileA(lpszOldName, lpszNewName))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszOldName);
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName) {
  if (!DeleteFileA(lpszFileName)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);
}
