#include "DVBFilterToFile.h"

CDVBFilterToFile::CDVBFilterToFile() : m_nOpenFlags(0), m_nFileError(0) {}

CDVBFilterToFile::~CDVBFilterToFile() {
  ResetFilter();
  StopDelivery();  // no write runs once the file and its lock go
  CloseFile();
}

void CDVBFilterToFile::SetFileParams(const CString& name, UINT openFlags) {
  m_strFileName = name;
  m_nOpenFlags = openFlags;
}

DVB_ERROR CDVBFilterToFile::StartFilter(FILTERTYPE type, WORD pid, BYTE* data, BYTE* mask, BYTE length) {
  {
    CSingleLock lock(&m_FileLock, TRUE);
    if (m_File.m_hFile != CFile::hFileNull) return DVB_ERR_STATE;
    if (!m_File.Open(m_strFileName, m_nOpenFlags)) return DVB_ERR_NO_ANSWER;
    m_nFileError = 0;
  }
  DVB_ERROR result = SetFilter(type, pid, data, mask, length);
  if (result != DVB_ERR_NONE) {
    CSingleLock lock(&m_FileLock, TRUE);
    CloseFile();
  }
  return result;
}

DVB_ERROR CDVBFilterToFile::StopFilter() {
  ResetFilter();
  CSingleLock lock(&m_FileLock, TRUE);
  CloseFile();
  return DVB_ERR_NONE;
}

DWORD CDVBFilterToFile::GetFileLen() {
  CSingleLock lock(&m_FileLock, TRUE);
  if (m_File.m_hFile == CFile::hFileNull) return 0;
  try {
    return DWORD(m_File.GetLength());
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}

int CDVBFilterToFile::GetFileError() {
  CSingleLock lock(&m_FileLock, TRUE);
  return m_nFileError;
}

void CDVBFilterToFile::OnDataArrival(BYTE* data, int length) {
  CSingleLock lock(&m_FileLock, TRUE);
  if (m_File.m_hFile == CFile::hFileNull) return;
  try {
    m_File.Write(data, UINT(length));
  } catch (CFileException* e) {
    m_nFileError = e->m_cause ? e->m_cause : CFileException::genericException;
    e->Delete();
    CloseFile();
  } catch (CException* e) {
    m_nFileError = CFileException::genericException;
    e->Delete();
    CloseFile();
  }
}

void CDVBFilterToFile::CloseFile() {
  if (m_File.m_hFile == CFile::hFileNull) return;
  // Abort closes without throwing, also after a failed write.
  m_File.Abort();
}
