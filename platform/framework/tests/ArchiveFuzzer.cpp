// Loads arbitrary bytes as an archive of objects, collections and values.
// Whatever the stream holds, loading ends normally or with a framework
// exception; objects left over from a failed load are freed.
#include "ArchiveFixtures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes bytes(data, data + size);
  try {
    LoadBytes(bytes, [](CArchive& ar) {
      for (int i = 0; i < 8; ++i) {
        CObject* p = ar.ReadObject(nullptr);
        (void)p;
        CString s;
        ar >> s;
        CRuntimeClass* pClass = ar.ReadClass(nullptr);
        (void)pClass;
        ar.ReadCount();
      }
    });
  } catch (CException* e) {
    e->Delete();
  }
  DeleteLiveObjects();
  return 0;
}
