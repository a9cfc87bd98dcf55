#include "SectionSink.h"

#include <BdaPlatform.h>

#include "BdaSim.h"
#include "SimRecord.h"

CUnknown* WINAPI CSectionSink::CreateSectionFilter(LPUNKNOWN pUnk, HRESULT* phr) {
  CUnknown* made = new (std::nothrow) CSectionSink(pUnk, phr, CLSID_BdaSimSectionFilter, MEDIASUBTYPE_None);
  if (!made && phr) *phr = E_OUTOFMEMORY;
  return made;
}

CUnknown* WINAPI CSectionSink::CreateTif(LPUNKNOWN pUnk, HRESULT* phr) {
  CUnknown* made = new (std::nothrow) CSectionSink(pUnk, phr, CLSID_BdaSimTif, MEDIASUBTYPE_DVB_SI);
  if (!made && phr) *phr = E_OUTOFMEMORY;
  return made;
}

CSectionSink::CSectionSink(LPUNKNOWN pUnk, HRESULT* phr, REFCLSID clsid, REFGUID subtype)
    : CBaseRenderer(clsid, TEXT("BDA sim section sink"), pUnk, phr), m_subtype(subtype) {}

HRESULT CSectionSink::CheckMediaType(const CMediaType* mt) {
  const bool tif = IsEqualGUID(m_subtype, MEDIASUBTYPE_DVB_SI);
  return IsEqualGUID(*mt->Type(), KSDATAFORMAT_TYPE_MPEG2_SECTIONS) && IsEqualGUID(*mt->Subtype(), m_subtype) &&
                 SUCCEEDED(SimFailure(tif ? "TIF input" : "section filter input"))
             ? S_OK
             : VFW_E_TYPE_NOT_ACCEPTED;
}
