// Loads arbitrary bytes through the property exchange: as an archive stream
// holding a layout like the toolkit's saved options (values, a binary block,
// an object with its class, enumerated sections), and as the letter string of
// a named binary block holding a serialised object. Whatever the bytes,
// loading ends normally, with FALSE or with an archive exception, and frees
// what it made.
#include <Framework.h>

#include <cstdlib>

#include "PropExchangeArchive.h"

class CFuzzPxItem : public CObject {
  DECLARE_SERIAL(CFuzzPxItem)
 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsLoading()) ar >> m_nValue >> m_strText;
  }
  LONG m_nValue = 0;
  CString m_strText;
};
IMPLEMENT_SERIAL(CFuzzPxItem, CObject, 1)

namespace {

// A named exchanger whose every string value is the fuzz input.
class CFuzzNamedValues : public CJVKPropExchange {
 public:
  explicit CFuzzNamedValues(const CString& strText) : CJVKPropExchange(TRUE), m_strText(strText) {}
  BOOL ExchangeValue(LPCTSTR, int nType, void* pValue, const void*) override {
    if (nType == JVKPX_STRING) *static_cast<CString*>(pValue) = m_strText;
    return TRUE;
  }
  CJVKPropExchange* OpenSection(LPCTSTR) override { return nullptr; }

 private:
  CString m_strText;
};

void LoadLayout(CJVKPropExchange& px, CObject*& pObject) {
  px.ExchangeSchema();
  LONG nId = 0;
  BOOL bVisible = FALSE;
  CString strName;
  RECT rc = {};
  SIZE sz = {};
  PX_Long(&px, "Id", nId, 0);
  PX_Bool(&px, "Visible", bVisible, TRUE);
  PX_String(&px, "Name", strName, "");
  PX_Rect(&px, "Borders", rc, RECT{0, 0, 0, 0});
  PX_Size(&px, "Size", sz, SIZE{0, 0});
  void* pBlock = nullptr;
  DWORD nBytes = 0;
  if (px.ExchangeBinary("Data", pBlock, nBytes)) free(pBlock);
  if (px.ExchangeObject(pObject, RUNTIME_CLASS(CFuzzPxItem))) PX_Object(&px, "Item", pObject);
  CJVKPropExchangeEnumerator* pEnum = px.CreateEnumerator("Icon");
  try {
    DWORD nPosition = pEnum->Start(0, TRUE);
    while (nPosition != 0) {
      CJVKPropExchangeSectionHolder section(pEnum->Next(nPosition));
      PX_Long(section.Get(), "Id", nId, 0);
      PX_String(section.Get(), "Name", strName, "");
    }
  } catch (...) {
    delete pEnum;
    throw;
  }
  delete pEnum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  BYTE* pCopy = static_cast<BYTE*>(malloc(size ? size : 1));
  if (size) memcpy(pCopy, data, size);
  CObject* pObject = nullptr;
  {
    CMemFile file(size ? pCopy : nullptr, static_cast<UINT>(size));
    CArchive ar(&file, CArchive::load);
    CJVKPropExchangeArchive px(ar);
    try {
      LoadLayout(px, pObject);
    } catch (CArchiveException* e) {
      e->Delete();
    }
  }
  delete pObject;

  CString strText(reinterpret_cast<const char*>(data), static_cast<int>(size));
  CFuzzNamedValues named(strText);
  CFuzzPxItem item;
  PX_Object(&named, "Item", &item);
  free(pCopy);
  return 0;
}
