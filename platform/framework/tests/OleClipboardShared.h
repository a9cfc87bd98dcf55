// What the OLE test and its clipboard peer program agree on.
#pragma once

#include <Framework.h>

#include <string>

// A registered format next to CF_TEXT, holding raw bytes.
inline CLIPFORMAT TestBytesFormat() {
  return static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("Quillon Test Bytes"));
}

inline HGLOBAL MakeGlobal(const void* pData, size_t nSize) {
  HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, nSize);
  if (hGlobal == nullptr) AfxThrowMemoryException();
  memcpy(::GlobalLock(hGlobal), pData, nSize);
  ::GlobalUnlock(hGlobal);
  return hGlobal;
}

// The block's bytes (and frees it); empty for a null block.
inline std::string TakeGlobal(HGLOBAL hGlobal) {
  if (hGlobal == nullptr) return std::string();
  std::string bytes(static_cast<const char*>(::GlobalLock(hGlobal)), ::GlobalSize(hGlobal));
  ::GlobalUnlock(hGlobal);
  ::GlobalFree(hGlobal);
  return bytes;
}

// A data source with text (NUL included) and bytes in the test format.
inline void CacheTestData(COleDataSource* pSource, const std::string& text, const std::string& bytes) {
  pSource->CacheGlobalData(CF_TEXT, MakeGlobal(text.c_str(), text.size() + 1));
  pSource->CacheGlobalData(TestBytesFormat(), MakeGlobal(bytes.data(), bytes.size()));
}

// The text of a CF_TEXT block up to its NUL; the bytes block may be larger
// than what was put in (blocks are rounded up), so compare prefixes.
inline std::string TextOf(const std::string& block) { return std::string(block.c_str()); }
