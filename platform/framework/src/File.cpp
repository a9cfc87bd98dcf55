// The parts of CFile that need no operating system.
#include "framework/File.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1));

CFile::CFile() : m_hFile(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1))), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : CFile() {
  CFileException e;
  if (!Open(lpszFileName, nOpenFlags, &e)) throw new CFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile() {
  if (m_hFile != hFileNull && m_bCloseOnDelete) Abort();
}

CString CFile::GetFileName() const {
  int nSlash = -1;
  for (int i = m_strFileName.GetLength() - 1; i >= 0; --i) {
    char ch = m_strFileName[i];
    if (ch == '\\' || ch == '/' || ch == ':') {
      nSlash = i;
      break;
    }
  }
  return m_strFileName.Mid(nSlash + 1);
}

CString CFile::GetFileTitle() const {
  CString name = GetFileName();
  int nDot = name.ReverseFind('.');
  return nDot > 0 ? name.Left(nDot) : name;
}
