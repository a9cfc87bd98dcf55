// COleDataSource: data offered to others (the clipboard, a drag and drop)
// through IDataObject. The data is cached in advance per format
// (CacheGlobalData, CacheData); the source owns what it caches and hands out
// copies.
//
// SetClipboard puts the source on the clipboard, which then owns it (do not
// delete it): the clipboard's thread must go on pumping messages while other
// programs read it, or call FlushClipboard first, which copies the data to
// the system clipboard so that it outlives the source and the program.
#pragma once

#include <vector>

#include "CmdTarget.h"
#include "OleException.h"

class COleDropSource;

class COleDataSource : public CCmdTarget {
  DECLARE_DYNAMIC(COleDataSource)
 public:
  COleDataSource();
  ~COleDataSource() override;

  // Takes ownership of hGlobal (TYMED_HGLOBAL).
  void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
  // Takes ownership of the medium (TYMED_HGLOBAL or TYMED_GDI).
  void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);
  // Frees everything cached.
  void Empty();

  void SetClipboard();
  static void PASCAL FlushClipboard();

  // Runs a drag and drop of the cached data; returns the effect the target
  // chose (DROPEFFECT_NONE when cancelled or refused). Without a drop source
  // a default one is used (drops on release of the button, cancels on Esc).
  DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                        COleDropSource* pDropSource = nullptr);

  BEGIN_INTERFACE_PART(DataObject, IDataObject)
  STDMETHOD(GetData)(LPFORMATETC pFormatEtc, LPSTGMEDIUM pMedium);
  STDMETHOD(GetDataHere)(LPFORMATETC pFormatEtc, LPSTGMEDIUM pMedium);
  STDMETHOD(QueryGetData)(LPFORMATETC pFormatEtc);
  STDMETHOD(GetCanonicalFormatEtc)(LPFORMATETC pFormatEtcIn, LPFORMATETC pFormatEtcOut);
  STDMETHOD(SetData)(LPFORMATETC pFormatEtc, LPSTGMEDIUM pMedium, BOOL fRelease);
  STDMETHOD(EnumFormatEtc)(DWORD dwDirection, LPENUMFORMATETC* ppEnum);
  STDMETHOD(DAdvise)(LPFORMATETC pFormatEtc, DWORD advf, LPADVISESINK pAdvSink, DWORD* pdwConnection);
  STDMETHOD(DUnadvise)(DWORD dwConnection);
  STDMETHOD(EnumDAdvise)(LPENUMSTATDATA* ppEnum);
  END_INTERFACE_PART(DataObject)
  DECLARE_INTERFACE_MAP()

 protected:
  struct CacheEntry {
    FORMATETC formatEtc;
    STGMEDIUM stgMedium;
  };
  // The entry that answers a request (format, aspect and a medium it accepts).
  const CacheEntry* Lookup(const FORMATETC* pFormatEtc) const;

  std::vector<CacheEntry> m_cache;
};
