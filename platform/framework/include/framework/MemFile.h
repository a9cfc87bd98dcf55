// CMemFile: a file in memory. The block grows in steps of nGrowBytes; a
// block attached with nGrowBytes 0 has a fixed size and holds the file.
#pragma once

#include "File.h"

class CMemFile : public CFile {
  DECLARE_DYNAMIC(CMemFile)
 public:
  explicit CMemFile(UINT nGrowBytes = 1024);
  CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  ~CMemFile() override;

  // Uses the caller's block (not freed by the file). With nGrowBytes 0 the
  // whole block is the file's content; otherwise the file starts empty and
  // the block is reallocated (it must then come from malloc) when it grows.
  void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  // Hands the block to the caller (free() for a block the file allocated)
  // and leaves the file empty.
  BYTE* Detach();

  ULONGLONG GetPosition() const override { return m_nPosition; }
  ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
  void SetLength(ULONGLONG dwNewLen) override;
  ULONGLONG GetLength() const override { return m_nFileSize; }
  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;
  void LockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;
  void UnlockRange(ULONGLONG dwPos, ULONGLONG dwCount) override;
  void Abort() override;
  void Flush() override {}
  void Close() override;

 protected:
  virtual BYTE* Alloc(UINT_PTR nBytes);
  virtual BYTE* Realloc(BYTE* lpMem, UINT_PTR nBytes);
  virtual void Free(BYTE* lpMem);
  virtual void GrowFile(UINT_PTR dwNewLen);

  UINT_PTR m_nGrowBytes;
  UINT_PTR m_nPosition;
  UINT_PTR m_nBufferSize;
  UINT_PTR m_nFileSize;
  BYTE* m_lpBuffer;
  BOOL m_bAutoDelete;  // the file frees its block
};
