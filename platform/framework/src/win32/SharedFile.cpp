#include "framework/SharedFile.h"

IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags), m_hGlobalMemory(nullptr), m_bAllowGrow(TRUE) {}

CSharedFile::~CSharedFile() {
  // Closed here: the base destructor would free with the wrong allocator.
  if (m_lpBuffer != nullptr) Close();
}

HGLOBAL CSharedFile::Detach() {
  HGLOBAL hMem = m_hGlobalMemory;
  if (m_lpBuffer != nullptr) GlobalUnlock(hMem);
  m_hGlobalMemory = nullptr;
  m_lpBuffer = nullptr;
  m_nFileSize = m_nBufferSize = m_nPosition = 0;
  return hMem;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow) {
  ENSURE_ARG(m_hGlobalMemory == nullptr && m_lpBuffer == nullptr && hGlobalMemory != nullptr);
  BYTE* p = static_cast<BYTE*>(GlobalLock(hGlobalMemory));
  if (p == nullptr) AfxThrowMemoryException();
  m_hGlobalMemory = hGlobalMemory;
  m_lpBuffer = p;
  m_nBufferSize = m_nFileSize = GlobalSize(hGlobalMemory);
  m_nPosition = 0;
  m_bAllowGrow = bAllowGrow;
  m_bAutoDelete = TRUE;
}

BYTE* CSharedFile::Alloc(UINT_PTR nBytes) {
  HGLOBAL hMem = GlobalAlloc(m_nAllocFlags, nBytes);
  if (hMem == nullptr) return nullptr;
  m_hGlobalMemory = hMem;
  return static_cast<BYTE*>(GlobalLock(hMem));
}

BYTE* CSharedFile::Realloc(BYTE* lpMem, UINT_PTR nBytes) {
  if (!m_bAllowGrow) return nullptr;
  GlobalUnlock(m_hGlobalMemory);
  HGLOBAL hNew = GlobalReAlloc(m_hGlobalMemory, nBytes, m_nAllocFlags);
  if (hNew == nullptr) {
    GlobalLock(m_hGlobalMemory);  // keep the old block usable
    (void)lpMem;
    return nullptr;
  }
  m_hGlobalMemory = hNew;
  return static_cast<BYTE*>(GlobalLock(hNew));
}

void CSharedFile::Free(BYTE*) {
  GlobalUnlock(m_hGlobalMemory);
  GlobalFree(m_hGlobalMemory);
  m_hGlobalMemory = nullptr;
}
