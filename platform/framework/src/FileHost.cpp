// CFile on operating-system handles exists in the Windows build only; the
// host build has memory files. These definitions complete the class there
// and report the operation as not supported.
#include "framework/File.h"

BOOL CFile::Open(LPCTSTR lpszFileName, UINT, CFileException* pError) {
  if (pError != nullptr) {
    pError->m_cause = CFileException::genericException;
    pError->m_lOsError = -1;
    pError->m_strFileName = lpszFileName;
  }
  return FALSE;
}

ULONGLONG CFile::GetPosition() const { AfxThrowNotSupportedException(); }
ULONGLONG CFile::Seek(LONGLONG, UINT) { AfxThrowNotSupportedException(); }
void CFile::SetLength(ULONGLONG) { AfxThrowNotSupportedException(); }
ULONGLONG CFile::GetLength() const { AfxThrowNotSupportedException(); }
UINT CFile::Read(void*, UINT) { AfxThrowNotSupportedException(); }
void CFile::Write(const void*, UINT) { AfxThrowNotSupportedException(); }
void CFile::LockRange(ULONGLONG, ULONGLONG) { AfxThrowNotSupportedException(); }
void CFile::UnlockRange(ULONGLONG, ULONGLONG) { AfxThrowNotSupportedException(); }
void CFile::Abort() { m_hFile = hFileNull; }
void CFile::Flush() {}
void CFile::Close() { m_hFile = hFileNull; }
void PASCAL CFile::Rename(LPCTSTR, LPCTSTR) { AfxThrowNotSupportedException(); }
void PASCAL CFile::Remove(LPCTSTR) { AfxThrowNotSupportedException(); }
