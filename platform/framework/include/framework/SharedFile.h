// CSharedFile: a memory file in movable global memory, the form the
// clipboard takes and gives.
#pragma once

#include "MemFile.h"

class CSharedFile : public CMemFile {
  DECLARE_DYNAMIC(CSharedFile)
 public:
  explicit CSharedFile(UINT nAllocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT nGrowBytes = 4096);
  ~CSharedFile() override;

  // Hands the global memory to the caller (e.g. SetClipboardData) and leaves
  // the file empty.
  HGLOBAL Detach();
  // Takes over hGlobalMemory as the file's content; the file then frees it
  // unless it is detached again. bAllowGrow FALSE keeps its size fixed.
  void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);

 protected:
  BYTE* Alloc(UINT_PTR nBytes) override;
  BYTE* Realloc(BYTE* lpMem, UINT_PTR nBytes) override;
  void Free(BYTE* lpMem) override;

  UINT m_nAllocFlags;
  HGLOBAL m_hGlobalMemory;
  BOOL m_bAllowGrow;
};
