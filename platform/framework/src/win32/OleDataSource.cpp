// The data source's IDataObject over its cache of formats.
#include "framework/OleDataSource.h"

#include "framework/OleDropSource.h"

#include <shlobj.h>

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

BEGIN_INTERFACE_MAP(COleDataSource, CCmdTarget)
INTERFACE_PART(COleDataSource, IID_IDataObject, DataObject)
END_INTERFACE_MAP()

namespace {

FORMATETC MakeFormatEtc(CLIPFORMAT cfFormat, DWORD tymed, LPFORMATETC lpFormatEtc) {
  if (lpFormatEtc != nullptr) {
    FORMATETC formatEtc = *lpFormatEtc;
    formatEtc.cfFormat = cfFormat;
    formatEtc.ptd = nullptr;  // target devices are not kept
    return formatEtc;
  }
  return FORMATETC{cfFormat, nullptr, DVASPECT_CONTENT, -1, tymed};
}

}  // namespace

COleDataSource::COleDataSource() = default;

COleDataSource::~COleDataSource() { Empty(); }

void COleDataSource::Empty() {
  for (CacheEntry& entry : m_cache) ::ReleaseStgMedium(&entry.stgMedium);
  m_cache.clear();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc) {
  ENSURE_ARG(hGlobal != nullptr);
  STGMEDIUM stgMedium = {};
  stgMedium.tymed = TYMED_HGLOBAL;
  stgMedium.hGlobal = hGlobal;
  CacheData(cfFormat, &stgMedium, lpFormatEtc);
}

void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc) {
  ENSURE_ARG(lpStgMedium != nullptr && (lpStgMedium->tymed == TYMED_HGLOBAL || lpStgMedium->tymed == TYMED_GDI));
  FORMATETC formatEtc = MakeFormatEtc(cfFormat, lpStgMedium->tymed, lpFormatEtc);
  formatEtc.tymed = lpStgMedium->tymed;
  // A format cached again replaces what it held.
  for (auto it = m_cache.begin(); it != m_cache.end(); ++it) {
    if (it->formatEtc.cfFormat == cfFormat && it->formatEtc.dwAspect == formatEtc.dwAspect) {
      ::ReleaseStgMedium(&it->stgMedium);
      m_cache.erase(it);
      break;
    }
  }
  m_cache.push_back(CacheEntry{formatEtc, *lpStgMedium});
}

const COleDataSource::CacheEntry* COleDataSource::Lookup(const FORMATETC* pFormatEtc) const {
  for (const CacheEntry& entry : m_cache) {
    if (entry.formatEtc.cfFormat == pFormatEtc->cfFormat && entry.formatEtc.dwAspect == pFormatEtc->dwAspect &&
        (entry.formatEtc.tymed & pFormatEtc->tymed) != 0 &&
        (pFormatEtc->lindex == -1 || entry.formatEtc.lindex == pFormatEtc->lindex))
      return &entry;
  }
  return nullptr;
}

void COleDataSource::SetClipboard() {
  LPDATAOBJECT lpDataObject = reinterpret_cast<LPDATAOBJECT>(GetInterface(&IID_IDataObject));
  HRESULT hr = ::OleSetClipboard(lpDataObject);
  // The clipboard holds its own reference now; the creator's goes.
  InternalRelease();
  if (FAILED(hr)) AfxThrowOleException(hr);
}

void PASCAL COleDataSource::FlushClipboard() { ::OleFlushClipboard(); }

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, COleDropSource* pDropSource) {
  COleDropSource defaultSource;
  if (pDropSource == nullptr) pDropSource = &defaultSource;
  pDropSource->BeginDrag();
  DWORD dwEffect = DROPEFFECT_NONE;
  HRESULT hr =
      ::DoDragDrop(reinterpret_cast<LPDATAOBJECT>(GetInterface(&IID_IDataObject)),
                   reinterpret_cast<LPDROPSOURCE>(pDropSource->GetInterface(&IID_IDropSource)), dwEffects, &dwEffect);
  return hr == DRAGDROP_S_DROP ? dwEffect : DROPEFFECT_NONE;
}

// ------------------------------------------------------------- IDataObject

IMPLEMENT_IUNKNOWN(COleDataSource, DataObject)

STDMETHODIMP COleDataSource::XDataObject::GetData(LPFORMATETC pFormatEtc, LPSTGMEDIUM pMedium) {
  METHOD_PROLOGUE(COleDataSource, DataObject)
  if (pFormatEtc == nullptr || pMedium == nullptr) return E_POINTER;
  const CacheEntry* pEntry = pThis->Lookup(pFormatEtc);
  if (pEntry == nullptr) return DV_E_FORMATETC;
  // The caller gets its own copy, which it frees.
  HANDLE hCopy = ::OleDuplicateData(pEntry->stgMedium.hGlobal, pEntry->formatEtc.cfFormat, GMEM_MOVEABLE);
  if (hCopy == nullptr) return E_OUTOFMEMORY;
  pMedium->tymed = pEntry->stgMedium.tymed;
  pMedium->hGlobal = static_cast<HGLOBAL>(hCopy);
  pMedium->pUnkForRelease = nullptr;
  return S_OK;
}

STDMETHODIMP COleDataSource::XDataObject::GetDataHere(LPFORMATETC pFormatEtc, LPSTGMEDIUM pMedium) {
  METHOD_PROLOGUE(COleDataSource, DataObject)
  if (pFormatEtc == nullptr || pMedium == nullptr) return E_POINTER;
  const CacheEntry* pEntry = pThis->Lookup(pFormatEtc);
  if (pEntry == nullptr) return DV_E_FORMATETC;
  if (pEntry->stgMedium.tymed != TYMED_HGLOBAL || pMedium->tymed != TYMED_HGLOBAL) return DV_E_TYMED;
  // Into the caller's block, which must be large enough.
  SIZE_T nSize = ::GlobalSize(pEntry->stgMedium.hGlobal);
  if (::GlobalSize(pMedium->hGlobal) < nSize) return STG_E_MEDIUMFULL;
  void* pSource = ::GlobalLock(pEntry->stgMedium.hGlobal);
  void* pTarget = ::GlobalLock(pMedium->hGlobal);
  HRESULT hr = (pSource != nullptr && pTarget != nullptr) ? S_OK : E_OUTOFMEMORY;
  if (hr == S_OK) memcpy(pTarget, pSource, nSize);
  if (pTarget != nullptr) ::GlobalUnlock(pMedium->hGlobal);
  if (pSource != nullptr) ::GlobalUnlock(pEntry->stgMedium.hGlobal);
  return hr;
}

STDMETHODIMP COleDataSource::XDataObject::QueryGetData(LPFORMATETC pFormatEtc) {
  METHOD_PROLOGUE(COleDataSource, DataObject)
  if (pFormatEtc == nullptr) return E_POINTER;
  return pThis->Lookup(pFormatEtc) != nullptr ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP COleDataSource::XDataObject::GetCanonicalFormatEtc(LPFORMATETC, LPFORMATETC pFormatEtcOut) {
  if (pFormatEtcOut == nullptr) return E_POINTER;
  pFormatEtcOut->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP COleDataSource::XDataObject::SetData(LPFORMATETC, LPSTGMEDIUM, BOOL) { return E_NOTIMPL; }

STDMETHODIMP COleDataSource::XDataObject::EnumFormatEtc(DWORD dwDirection, LPENUMFORMATETC* ppEnum) {
  METHOD_PROLOGUE(COleDataSource, DataObject)
  if (ppEnum == nullptr) return E_POINTER;
  *ppEnum = nullptr;
  if (dwDirection != DATADIR_GET) return E_NOTIMPL;
  std::vector<FORMATETC> formats;
  for (const CacheEntry& entry : pThis->m_cache) formats.push_back(entry.formatEtc);
  return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), ppEnum);
}

STDMETHODIMP COleDataSource::XDataObject::DAdvise(LPFORMATETC, DWORD, LPADVISESINK, DWORD*) {
  return OLE_E_ADVISENOTSUPPORTED;
}
STDMETHODIMP COleDataSource::XDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }
STDMETHODIMP COleDataSource::XDataObject::EnumDAdvise(LPENUMSTATDATA*) { return OLE_E_ADVISENOTSUPPORTED; }
