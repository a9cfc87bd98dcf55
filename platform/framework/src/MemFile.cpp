#include "framework/MemFile.h"

#include <cstdint>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes),
      m_nPosition(0),
      m_nBufferSize(0),
      m_nFileSize(0),
      m_lpBuffer(nullptr),
      m_bAutoDelete(TRUE) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : CMemFile(nGrowBytes) {
  Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() {
  if (m_lpBuffer != nullptr) Close();
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
  ENSURE_ARG(m_lpBuffer == nullptr);
  ENSURE_ARG(lpBuffer != nullptr || nBufferSize == 0);
  m_nGrowBytes = nGrowBytes;
  m_nPosition = 0;
  m_nBufferSize = nBufferSize;
  m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
  m_lpBuffer = lpBuffer;
  m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach() {
  BYTE* lpBuffer = m_lpBuffer;
  m_lpBuffer = nullptr;
  m_nFileSize = m_nBufferSize = m_nPosition = 0;
  m_bAutoDelete = TRUE;
  return lpBuffer;
}

BYTE* CMemFile::Alloc(UINT_PTR nBytes) { return static_cast<BYTE*>(malloc(nBytes)); }
BYTE* CMemFile::Realloc(BYTE* lpMem, UINT_PTR nBytes) { return static_cast<BYTE*>(realloc(lpMem, nBytes)); }
void CMemFile::Free(BYTE* lpMem) { free(lpMem); }

void CMemFile::GrowFile(UINT_PTR dwNewLen) {
  if (dwNewLen <= m_nBufferSize) return;
  if (m_nGrowBytes == 0) AfxThrowMemoryException();  // a fixed block
  UINT_PTR nNewBufferSize = m_nBufferSize;
  while (nNewBufferSize < dwNewLen) {
    if (nNewBufferSize > UINT32_MAX - m_nGrowBytes) AfxThrowMemoryException();
    nNewBufferSize += m_nGrowBytes;
  }
  BYTE* lpNew = m_lpBuffer == nullptr ? Alloc(nNewBufferSize) : Realloc(m_lpBuffer, nNewBufferSize);
  if (lpNew == nullptr) AfxThrowMemoryException();
  m_lpBuffer = lpNew;
  m_nBufferSize = nNewBufferSize;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom) {
  LONGLONG lNewPos;
  switch (nFrom) {
    case begin: lNewPos = lOff; break;
    case current: lNewPos = static_cast<LONGLONG>(m_nPosition) + lOff; break;
    case end: lNewPos = static_cast<LONGLONG>(m_nFileSize) + lOff; break;
    default: AfxThrowInvalidArgException();
  }
  if (lNewPos < 0 || lNewPos > static_cast<LONGLONG>(UINT32_MAX))
    AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
  m_nPosition = static_cast<UINT_PTR>(lNewPos);
  return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen) {
  if (dwNewLen > UINT32_MAX) AfxThrowMemoryException();
  UINT_PTR nNewLen = static_cast<UINT_PTR>(dwNewLen);
  if (nNewLen > m_nBufferSize) GrowFile(nNewLen);
  if (nNewLen > m_nFileSize) memset(m_lpBuffer + m_nFileSize, 0, nNewLen - m_nFileSize);
  if (nNewLen < m_nPosition) m_nPosition = nNewLen;
  m_nFileSize = nNewLen;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
  if (nCount == 0 || m_nPosition >= m_nFileSize) return 0;
  ENSURE_ARG(lpBuf != nullptr);
  UINT_PTR nRead = m_nFileSize - m_nPosition < nCount ? m_nFileSize - m_nPosition : nCount;
  memcpy(lpBuf, m_lpBuffer + m_nPosition, nRead);
  m_nPosition += nRead;
  return static_cast<UINT>(nRead);
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0) return;
  ENSURE_ARG(lpBuf != nullptr);
  if (m_nPosition > UINT32_MAX - nCount) AfxThrowMemoryException();
  UINT_PTR nEnd = m_nPosition + nCount;
  if (nEnd > m_nBufferSize) GrowFile(nEnd);
  // Writing after a seek past the end fills the gap with zeros.
  if (m_nPosition > m_nFileSize) memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
  memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
  m_nPosition = nEnd;
  if (m_nPosition > m_nFileSize) m_nFileSize = m_nPosition;
}

void CMemFile::LockRange(ULONGLONG, ULONGLONG) { AfxThrowNotSupportedException(); }
void CMemFile::UnlockRange(ULONGLONG, ULONGLONG) { AfxThrowNotSupportedException(); }

void CMemFile::Abort() { Close(); }

void CMemFile::Close() {
  m_nGrowBytes = m_nPosition = m_nBufferSize = m_nFileSize = 0;
  if (m_lpBuffer != nullptr && m_bAutoDelete) Free(m_lpBuffer);
  m_lpBuffer = nullptr;
}
