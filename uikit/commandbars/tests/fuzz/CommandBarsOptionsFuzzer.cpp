// Loads arbitrary bytes as the command bars' stored options. Whatever the
// bytes, loading ends normally with TRUE or FALSE and frees what it made.
#include "CommandBarsOptions.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  BYTE* pCopy = static_cast<BYTE*>(malloc(size ? size : 1));
  if (size) memcpy(pCopy, data, size);
  {
    CMemFile file(size ? pCopy : nullptr, static_cast<UINT>(size));
    CArchive ar(&file, CArchive::load);
    CJVKCommandBarsOptions options;
    options.Load(ar);
  }
  free(pCopy);
  return 0;
}
