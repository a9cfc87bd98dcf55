// Loads arbitrary bytes as an archive of objects, collections and values.
// Whatever the stream holds, loading ends normally or with a framework
// exception, and every object the load created is freed afterwards.
#include "../ArchiveFixtures.h"

namespace {

// The loaded objects are the caller's, and links between them (a node's
// link, an object array's elements) do not own: the harness frees every
// object the archive mapped, each once, whether the load finished or not.
class CFuzzArchive : public CArchive {
 public:
  explicit CFuzzArchive(CFile* pFile) : CArchive(pFile, CArchive::load) {}
  void DeleteLoadedObjects() {
    for (DWORD i = 1; i < GetLoadMapCount(); ++i) delete GetLoadedObject(i);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes bytes(data, data + size);
  CMemFile file(bytes.empty() ? nullptr : bytes.data(), static_cast<UINT>(bytes.size()));
  CFuzzArchive ar(&file);
  try {
    for (int i = 0; i < 8; ++i) {
      CObject* p = ar.ReadObject(nullptr);
      (void)p;
      CString s;
      ar >> s;
      CRuntimeClass* pClass = ar.ReadClass(nullptr);
      (void)pClass;
      ar.ReadCount();
    }
  } catch (CException* e) {
    e->Delete();
  }
  ar.DeleteLoadedObjects();
  return 0;
}
