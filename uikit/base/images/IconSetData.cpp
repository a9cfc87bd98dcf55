#include "IconSetData.h"

#include <memory>

const TCHAR JVK_ICONSET_CHECKSUM[] = _T("CJVKImageManagerIcons");

namespace {

// The object "Data" of one icon: its data through the checked reader.
class CIconDataObject : public CObject {
 public:
  explicit CIconDataObject(CJVKIconData& data) : m_data(data) {}
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      WriteIconData(ar, m_data);
    } else if (!ReadIconData(ar, m_data)) {
      AfxThrowArchiveException(CArchiveException::genericException);
    }
  }

 private:
  CJVKIconData& m_data;
};

BOOL IsWidthInRange(LONG nWidth) { return nWidth > 0 && nWidth <= CJVKBitmapBlock::kMaxExtent; }
// An icon without images stores a height of 0.
BOOL IsHeightInRange(LONG nHeight) { return nHeight >= 0 && nHeight <= CJVKBitmapBlock::kMaxExtent; }

}  // namespace

void JVKExchangeIconSet(CJVKPropExchange* pPX, std::vector<CJVKIconSetEntry>& entries) {
  CString strCheckSum = JVK_ICONSET_CHECKSUM;
  PX_String(pPX, _T("CheckSum"), strCheckSum, JVK_ICONSET_CHECKSUM);
  if (pPX->IsLoading() && strCheckSum != JVK_ICONSET_CHECKSUM) AfxThrowArchiveException(CArchiveException::badClass);

  std::vector<CJVKIconSetEntry> loaded;
  std::unique_ptr<CJVKPropExchangeEnumerator> pEnumerator(pPX->CreateEnumerator(_T("Icon")));
  DWORD nPosition = pEnumerator->Start(static_cast<DWORD>(entries.size()));
  for (size_t i = 0; nPosition != 0; ++i) {
    CJVKPropExchangeSectionHolder section(pEnumerator->Next(nPosition));
    if (pPX->IsLoading()) {
      CJVKIconSetEntry entry;
      PX_Long(section.Get(), _T("Width"), entry.m_nWidth, 16);
      CIconDataObject data(entry.m_data);
      if (!IsWidthInRange(entry.m_nWidth) || !PX_Object(section.Get(), _T("Data"), &data) ||
          !IsHeightInRange(entry.m_data.m_nHeight))
        AfxThrowArchiveException(CArchiveException::genericException);
      loaded.push_back(std::move(entry));
    } else {
      CJVKIconSetEntry& entry = entries[i];
      PX_Long(section.Get(), _T("Width"), entry.m_nWidth, 16);
      CIconDataObject data(entry.m_data);
      PX_Object(section.Get(), _T("Data"), &data);
    }
  }
  if (pPX->IsLoading()) entries = std::move(loaded);
}
