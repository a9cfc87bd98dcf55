// Loads arbitrary bytes as a run of variants in the archive's form. Whatever
// the stream holds, each read ends with a whole value or a framework
// exception, and every value read comes back the same after a store and a
// load.
#include <Framework.h>

#include <cstdlib>
#include <vector>

namespace {

AFX_ARCHIVE_VARIANT RoundTrip(const AFX_ARCHIVE_VARIANT& value) {
  CMemFile file;
  {
    CArchive store(&file, CArchive::store);
    AfxWriteArchiveVariant(store, value);
  }
  file.SeekToBegin();
  CArchive load(&file, CArchive::load);
  AFX_ARCHIVE_VARIANT back;
  AfxReadArchiveVariant(load, back);
  return back;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<BYTE> bytes(data, data + size);
  CMemFile file(bytes.empty() ? nullptr : bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  try {
    for (int i = 0; i < 16; ++i) {
      AFX_ARCHIVE_VARIANT value;
      AfxReadArchiveVariant(ar, value);
      AFX_ARCHIVE_VARIANT back = RoundTrip(value);
      // Compared bit for bit: a NaN read must come back as the same NaN.
      if (back.vt != value.vt || back.nValue != value.nValue ||
          memcmp(&back.dValue, &value.dValue, sizeof(double)) != 0 || !(back.strValue == value.strValue))
        abort();
    }
  } catch (CException* e) {
    e->Delete();
  }
  return 0;
}
