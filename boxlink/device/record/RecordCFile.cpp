#include "RecordCFile.h"

namespace {

int CauseOf(CException* e) {
  auto* fileError = dynamic_cast<CFileException*>(e);
  const int cause = fileError ? fileError->m_cause : 0;
  e->Delete();
  return cause ? cause : CFileException::genericException;
}

}  // namespace

DWORD CRecordCFile::Read(BYTE* buffer, DWORD count) {
  try {
    return m_file.Read(buffer, count);
  } catch (CException* e) {
    CauseOf(e);
    return 0;
  }
}

BOOL CRecordCFile::Seek(DWORD position) {
  try {
    m_file.Seek(LONGLONG(position), CFile::begin);
    return TRUE;
  } catch (CException* e) {
    CauseOf(e);
    return FALSE;
  }
}

DWORD CRecordCFile::Position() {
  try {
    return DWORD(m_file.GetPosition());
  } catch (CException* e) {
    CauseOf(e);
    return 0;
  }
}

DWORD CRecordCFile::Length() {
  try {
    return DWORD(m_file.GetLength());
  } catch (CException* e) {
    CauseOf(e);
    return 0;
  }
}

BOOL CRecordCFile::Write(const BYTE* data, DWORD length) {
  if (m_writeError) return FALSE;
  try {
    m_file.Write(data, length);
    return TRUE;
  } catch (CException* e) {
    m_writeError = CauseOf(e);
    return FALSE;
  }
}

BOOL CRecordCFile::Truncate() {
  try {
    m_file.SetLength(m_file.GetPosition());
    return TRUE;
  } catch (CException* e) {
    CauseOf(e);
    return FALSE;
  }
}

BOOL CRecordCFile::Close() {
  try {
    m_file.Close();
    return TRUE;
  } catch (CException* e) {
    const int cause = CauseOf(e);
    if (!m_writeError) m_writeError = cause;
    m_file.Abort();
    return FALSE;
  }
}
