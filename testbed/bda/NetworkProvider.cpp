#include "NetworkProvider.h"

#include <BdaPlatform.h>

#include <string>

#include "SimRecord.h"
#include "TuningObjects.h"

void AntennaMediaType(REFGUID networkType, CMediaType* mt) {
  mt->SetType(&KSDATAFORMAT_TYPE_BDA_ANTENNA);
  mt->SetSubtype(&networkType);
  mt->SetFormatType(&GUID_NULL);
}

class CNetworkProvider::CAntennaPin : public CBaseOutputPin {
 public:
  CAntennaPin(CNetworkProvider* filter, CCritSec* lock, HRESULT* phr)
      : CBaseOutputPin(TEXT("Antenna Out"), filter, lock, phr, L"Antenna Out"), m_networkType(filter->m_networkType) {}

  HRESULT CheckMediaType(const CMediaType* mt) override {
    return IsEqualGUID(*mt->Type(), KSDATAFORMAT_TYPE_BDA_ANTENNA) && IsEqualGUID(*mt->Subtype(), m_networkType)
               ? S_OK
               : S_FALSE;
  }
  HRESULT GetMediaType(int position, CMediaType* mt) override {
    if (position < 0) return E_INVALIDARG;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    AntennaMediaType(m_networkType, mt);
    return S_OK;
  }
  // The antenna carries no samples.
  HRESULT DecideBufferSize(IMemAllocator* alloc, ALLOCATOR_PROPERTIES* request) override {
    request->cBuffers = 1;
    request->cbBuffer = 1;
    ALLOCATOR_PROPERTIES actual;
    return alloc->SetProperties(request, &actual);
  }

 private:
  const GUID m_networkType;
};

namespace {
CUnknown* Make(LPUNKNOWN pUnk, HRESULT* phr, REFGUID type) {
  if (!SimMayCreate((std::string(NetworkTypeName(type)) + " provider").c_str(), phr)) return nullptr;
  CUnknown* made = new (std::nothrow) CNetworkProvider(pUnk, phr, type);
  if (!made && phr) *phr = E_OUTOFMEMORY;
  return made;
}
}  // namespace

CUnknown* WINAPI CNetworkProvider::CreateSatellite(LPUNKNOWN pUnk, HRESULT* phr) {
  return Make(pUnk, phr, DVB_SATELLITE_TV_NETWORK_TYPE);
}
CUnknown* WINAPI CNetworkProvider::CreateTerrestrial(LPUNKNOWN pUnk, HRESULT* phr) {
  return Make(pUnk, phr, DVB_TERRESTRIAL_TV_NETWORK_TYPE);
}
CUnknown* WINAPI CNetworkProvider::CreateCable(LPUNKNOWN pUnk, HRESULT* phr) {
  return Make(pUnk, phr, DVB_CABLE_TV_NETWORK_TYPE);
}

CNetworkProvider::CNetworkProvider(LPUNKNOWN pUnk, HRESULT* phr, REFGUID networkType)
    : CBaseFilter(TEXT("BDA sim network provider"), pUnk, &m_lock, networkType, phr), m_networkType(networkType) {
  m_pPin = new CAntennaPin(this, &m_lock, phr);
}

CNetworkProvider::~CNetworkProvider() { delete m_pPin; }

STDMETHODIMP CNetworkProvider::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
  if (IsEqualIID(riid, IID_ITuner)) {
    if (FAILED(SimFailure("provider QI ITuner"))) {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    return GetInterface(static_cast<ITuner*>(this), ppv);
  }
  return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

CBasePin* CNetworkProvider::GetPin(int n) { return n == 0 ? m_pPin : nullptr; }

STDMETHODIMP CNetworkProvider::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
  const std::string provider = std::string(NetworkTypeName(m_networkType)) + " provider";
  const HRESULT hr = graph ? SimFailure(provider.c_str(), "join") : S_OK;
  return FAILED(hr) ? hr : CBaseFilter::JoinFilterGraph(graph, name);
}

HRESULT CNetworkProvider::get_TuneRequest(ITuneRequest** request) {
  if (!request) return E_POINTER;
  CAutoLock lock(&m_lock);
  m_pRequest.CopyTo(request);
  return m_pRequest ? S_OK : E_FAIL;
}

HRESULT CNetworkProvider::put_TuneRequest(ITuneRequest* request) {
  if (!request) return E_POINTER;
  const HRESULT hr = SimFailure("provider put_TuneRequest");
  if (FAILED(hr)) return hr;
  CAutoLock lock(&m_lock);
  m_pRequest.Share(request);
  SimRecordLine("%s provider TuneRequest", NetworkTypeName(m_networkType));
  return S_OK;
}
