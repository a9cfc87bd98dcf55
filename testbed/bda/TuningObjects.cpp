#include "TuningObjects.h"

#include <cstdio>
#include <string>

#include "SimRecord.h"

namespace {

std::string Narrow(BSTR text) {
  std::string s;
  for (const WCHAR* p = text; p && *p; ++p) s += static_cast<char>(*p < 128 ? *p : '?');
  return s;
}

HRESULT Recorded(const char* object, const char* property, long value) {
  SimRecordLine("%s %s %ld", object, property, value);
  return S_OK;
}

}  // namespace

const char* NetworkTypeName(REFGUID type) {
  if (IsEqualGUID(type, DVB_SATELLITE_TV_NETWORK_TYPE)) return "DVB-S";
  if (IsEqualGUID(type, DVB_TERRESTRIAL_TV_NETWORK_TYPE)) return "DVB-T";
  if (IsEqualGUID(type, DVB_CABLE_TV_NETWORK_TYPE)) return "DVB-C";
  return "other";
}

// ------------------------------------------------------------ tuning space

CUnknown* WINAPI CSimTuningSpace::CreateSatellite(LPUNKNOWN pUnk, HRESULT* phr) {
  if (!SimMayCreate("DVB-S space", phr)) return nullptr;
  CUnknown* made = new (std::nothrow) CSimTuningSpace(pUnk, phr, true);
  if (!made && phr) *phr = E_OUTOFMEMORY;
  return made;
}

CUnknown* WINAPI CSimTuningSpace::CreateDvb(LPUNKNOWN pUnk, HRESULT* phr) {
  if (!SimMayCreate("DVB space", phr)) return nullptr;
  CUnknown* made = new (std::nothrow) CSimTuningSpace(pUnk, phr, false);
  if (!made && phr) *phr = E_OUTOFMEMORY;
  return made;
}

CSimTuningSpace::CSimTuningSpace(LPUNKNOWN pUnk, HRESULT* phr, bool satellite)
    : CUnknown(TEXT("BDA sim tuning space"), pUnk, phr), m_bSatellite(satellite) {}

STDMETHODIMP CSimTuningSpace::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
  const char* refused = IsEqualIID(riid, IID_IDVBSTuningSpace)  ? "QI IDVBSTuningSpace"
                        : IsEqualIID(riid, IID_IDVBTuningSpace) ? "QI IDVBTuningSpace"
                                                                : nullptr;
  if (refused && FAILED(SimFailure("space", refused))) {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  if (IsEqualIID(riid, IID_ITuningSpace) || IsEqualIID(riid, IID_IDVBTuningSpace) ||
      IsEqualIID(riid, IID_IDVBTuningSpace2) || IsEqualIID(riid, IID_IDispatch) ||
      (m_bSatellite && IsEqualIID(riid, IID_IDVBSTuningSpace)))
    return GetInterface(static_cast<IDVBSTuningSpace*>(this), ppv);
  return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

static const char* SpaceName(bool satellite) { return satellite ? "DVB-S space" : "DVB space"; }

HRESULT CSimTuningSpace::put_UniqueName(BSTR name) {
  SimRecordLine("%s UniqueName %s", SpaceName(m_bSatellite), Narrow(name).c_str());
  return S_OK;
}

HRESULT CSimTuningSpace::put_FriendlyName(BSTR name) {
  SimRecordLine("%s FriendlyName %s", SpaceName(m_bSatellite), Narrow(name).c_str());
  return S_OK;
}

HRESULT CSimTuningSpace::get__NetworkType(GUID* type) {
  if (!type) return E_POINTER;
  *type = m_networkType;
  return S_OK;
}

HRESULT CSimTuningSpace::put__NetworkType(REFCLSID type) {
  m_networkType = type;
  SimRecordLine("%s NetworkType %s", SpaceName(m_bSatellite), NetworkTypeName(type));
  return S_OK;
}

HRESULT CSimTuningSpace::CreateTuneRequest(ITuneRequest** request) {
  if (!request) return E_POINTER;
  HRESULT hr = SimFailure("space CreateTuneRequest");
  if (FAILED(hr)) return hr;
  CSimTuneRequest* made = new (std::nothrow) CSimTuneRequest(nullptr, &hr);
  if (!made) return E_OUTOFMEMORY;
  return made->NonDelegatingQueryInterface(IID_ITuneRequest, reinterpret_cast<void**>(request));
}

HRESULT CSimTuningSpace::put_SystemType(DVBSystemType type) {
  return Recorded(SpaceName(m_bSatellite), "SystemType", type);
}
HRESULT CSimTuningSpace::put_LowOscillator(LONG value) {
  return Recorded(SpaceName(m_bSatellite), "LowOscillator", value);
}
HRESULT CSimTuningSpace::put_HighOscillator(LONG value) {
  return Recorded(SpaceName(m_bSatellite), "HighOscillator", value);
}
HRESULT CSimTuningSpace::put_LNBSwitch(LONG value) { return Recorded(SpaceName(m_bSatellite), "LNBSwitch", value); }
HRESULT CSimTuningSpace::put_SpectralInversion(SpectralInversion value) {
  return Recorded(SpaceName(m_bSatellite), "SpectralInversion", value);
}

// ------------------------------------------------------------ tune request

CSimTuneRequest::CSimTuneRequest(LPUNKNOWN pUnk, HRESULT* phr) : CUnknown(TEXT("BDA sim tune request"), pUnk, phr) {}

STDMETHODIMP CSimTuneRequest::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
  if (IsEqualIID(riid, IID_IDVBTuneRequest) && FAILED(SimFailure("request QI IDVBTuneRequest"))) {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  if (IsEqualIID(riid, IID_ITuneRequest) || IsEqualIID(riid, IID_IDVBTuneRequest) || IsEqualIID(riid, IID_IDispatch))
    return GetInterface(static_cast<IDVBTuneRequest*>(this), ppv);
  return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CSimTuneRequest::get_Locator(ILocator** locator) {
  if (!locator) return E_POINTER;
  m_pLocator.CopyTo(locator);
  return S_OK;
}

HRESULT CSimTuneRequest::put_Locator(ILocator* locator) {
  m_pLocator.Share(locator);
  SimRecordLine("request Locator %s", locator ? "set" : "none");
  return S_OK;
}

HRESULT CSimTuneRequest::put_ONID(LONG value) { return Recorded("request", "ONID", value); }
HRESULT CSimTuneRequest::put_TSID(LONG value) { return Recorded("request", "TSID", value); }
HRESULT CSimTuneRequest::put_SID(LONG value) {
  const HRESULT hr = SimFailure("request put_SID");
  return FAILED(hr) ? hr : Recorded("request", "SID", value);
}

// ---------------------------------------------------------------- locators

template <class Base>
HRESULT CSimLocator<Base>::Put(const char* property, long value, LONG* keep) {
  const HRESULT hr = SimFailure(m_name, property);
  if (FAILED(hr)) return hr;
  if (keep) *keep = value;
  return Recorded(m_name, property, value);
}

namespace {
template <class Base>
CUnknown* MakeLocator(LPUNKNOWN pUnk, HRESULT* phr, const char* name, const IID& iid) {
  if (!SimMayCreate(name, phr)) return nullptr;
  CUnknown* made = new (std::nothrow) CSimLocator<Base>(pUnk, phr, name, iid);
  if (!made && phr) *phr = E_OUTOFMEMORY;
  return made;
}
}  // namespace

CUnknown* WINAPI CreateDvbsLocator(LPUNKNOWN pUnk, HRESULT* phr) {
  return MakeLocator<DefaultIDVBSLocator>(pUnk, phr, "DVB-S locator", IID_IDVBSLocator);
}
CUnknown* WINAPI CreateDvbtLocator(LPUNKNOWN pUnk, HRESULT* phr) {
  return MakeLocator<DefaultIDVBTLocator>(pUnk, phr, "DVB-T locator", IID_IDVBTLocator);
}
CUnknown* WINAPI CreateDvbcLocator(LPUNKNOWN pUnk, HRESULT* phr) {
  return MakeLocator<DefaultIDVBCLocator>(pUnk, phr, "DVB-C locator", IID_IDVBCLocator);
}
