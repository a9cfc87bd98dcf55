// Reads arbitrary bytes as one command's icons, the way a paste from the
// clipboard reads what another process put there: each load ends with the
// icons or an archive exception.
#include <Framework.h>

#include <cstdlib>
#include <cstring>

#include "IconSetData.h"
#include "PropExchangeArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  BYTE* pCopy = static_cast<BYTE*>(malloc(size ? size : 1));
  if (size) memcpy(pCopy, data, size);
  {
    CMemFile file(size ? pCopy : nullptr, static_cast<UINT>(size));
    CArchive ar(&file, CArchive::load);
    CJVKPropExchangeArchive px(ar);
    try {
      std::vector<CJVKIconSetEntry> entries;
      JVKExchangeIconSet(&px, entries);
    } catch (CArchiveException* e) {
      e->Delete();
    }
  }
  free(pCopy);
  return 0;
}
