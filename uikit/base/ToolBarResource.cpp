#include "ToolBarResource.h"

namespace {
WORD ReadWord(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
}  // namespace

BOOL CJVKToolBarResource::Parse(const void* pData, size_t nSize) {
  ids.RemoveAll();
  const BYTE* p = static_cast<const BYTE*>(pData);
  if (!p || nSize < 8) return FALSE;
  const WORD wCount = ReadWord(p + 6);
  if (nSize < 8 + 2 * static_cast<size_t>(wCount)) return FALSE;
  wVersion = ReadWord(p);
  wWidth = ReadWord(p + 2);
  wHeight = ReadWord(p + 4);
  ids.SetSize(wCount);
  for (WORD i = 0; i < wCount; ++i) ids[i] = ReadWord(p + 8 + 2 * i);
  return TRUE;
}
