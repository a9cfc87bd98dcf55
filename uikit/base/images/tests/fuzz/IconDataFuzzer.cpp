// Reads arbitrary bytes as the stored data of icons: each read ends with the
// data, FALSE for a refused block or an archive exception.
#include <Framework.h>

#include <cstdlib>
#include <cstring>

#include "IconData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  BYTE* pCopy = static_cast<BYTE*>(malloc(size ? size : 1));
  if (size) memcpy(pCopy, data, size);
  {
    CMemFile file(size ? pCopy : nullptr, static_cast<UINT>(size));
    CArchive ar(&file, CArchive::load);
    try {
      CJVKIconData icon;
      while (ReadIconData(ar, icon)) {
      }
    } catch (CArchiveException* e) {
      e->Delete();
    }
  }
  free(pCopy);
  return 0;
}
