// The tuning half of CBDACore: which of the three network providers drives
// the tuner (DVB-S, then DVB-T, then DVB-C), the tuning space of that network
// type, and the tune requests made from the host's tuning record and the
// channel's ids.
#include "BDACore.h"

#include <oleauto.h>

namespace {

// What differs between the tries of the network-provider search.
struct ProviderTry {
  BdaNetwork network;
  DWORD frontendType;
  const CLSID* spaceClass;
  const GUID* networkType;
  long systemType;
  const char* retryText;  // before a try after the first
  const char* spaceFailed;
  const char* spaceCreated;
  const char* providerFailed;
  const char* providerCreated;
  const WCHAR* providerName;
  const char* added;
  const char* addFailed;
  bool addFailureEnds;
  const char* callingText;
};

const ProviderTry kTries[] = {
    {BdaNetwork::kSatellite, 1, &CLSID_DVBSTuningSpace, &DVB_SATELLITE_TV_NETWORK_TYPE, 2, nullptr,
     "Error creating DVBS Tuning space.", "DVBS Tuning space created.", "Couldn't CoCreate Network Provider",
     "DVB-s Network provider created.", L"DVB-s Network Provider", "DVB-s Network Provider added to the graph.",
     "ERROR: Cannot add DVB-s Network Provider to the graph.", true, nullptr},
    {BdaNetwork::kTerrestrial, 3, &CLSID_DVBTuningSpace, &DVB_TERRESTRIAL_TV_NETWORK_TYPE, 1,
     "Bahhh. now trying with a DVB-t network provider....", "Error creating DVB Tuning space.",
     "DVB Tuning space created.", "Couldn't CoCreate DVB-t Network Provider", "DVB-t network provider created.",
     L"DVB-t Network Provider", "Network provider added to the graph!", "Cannot add network provider to the graph!",
     false, "Calling CreateDVBTTuneRequest()"},
    {BdaNetwork::kCable, 2, &CLSID_DVBTuningSpace, &DVB_CABLE_TV_NETWORK_TYPE, 0,
     "Bahhh. now trying with a DVB-c network provider....", "Error creating DVB Tuning space.",
     "DVB Tuning space created.", "Couldn't CoCreate DVB-c Network Provider", "DVB-c network provider created.",
     L"DVB-c Network Provider", "DVB-c Network provider added to the graph!",
     "Cannot add DVB-c network provider to the graph!", false, "Calling CreateDVBCTuneRequest()"},
};

const ProviderTry& TryOf(BdaNetwork network) {
  for (const ProviderTry& t : kTries)
    if (t.network == network) return t;
  return kTries[0];
}

// The failure text of each locator call.
const char* LocatorFailure(LocatorSetting::Call call) {
  switch (call) {
    case LocatorSetting::kCarrierFrequency: return "Cannot put the carrier frequency";
    case LocatorSetting::kSymbolRate: return "Cannot put the symbol rate";
    case LocatorSetting::kInnerFec: return "Cannot put_InnerFEC";
    case LocatorSetting::kInnerFecRate: return "Cannot put_InnerFECRate";
    case LocatorSetting::kModulation: return "Cannot put_Modulation";
    case LocatorSetting::kSignalPolarisation: return "Cannot put_SignalPolarisation";
    case LocatorSetting::kBandwidth: return "Cannot put_Bandwidth";
    case LocatorSetting::kAzimuth: return "Cannot put_Azimuth";
    case LocatorSetting::kElevation: return "Cannot put_Elevation";
    case LocatorSetting::kOrbitalPosition: return "Cannot put_OrbitalPosition";
  }
  return "";
}

class CBstr {
 public:
  explicit CBstr(const WCHAR* text) : m_b(SysAllocString(text)) {}
  ~CBstr() { SysFreeString(m_b); }
  CBstr(const CBstr&) = delete;
  CBstr& operator=(const CBstr&) = delete;
  operator BSTR() const { return m_b; }

 private:
  BSTR m_b;
};

}  // namespace

HRESULT CBDACore::FindNetworkProvider(BdaNetwork* kind) {
  *kind = BdaNetwork::kNone;
  for (const ProviderTry& t : kTries) {
    if (t.retryText) {
      m_bFailed = true;
      ReleaseAll();
      m_bFailed = false;
      RegisterInROT();
      Info(__LINE__, t.retryText);
      HRESULT hr = LoadTuner();
      if (FAILED(hr)) return Fail(__LINE__, "Error: Cannot load the BDA tuner.", hr);
    }
    *m_module.deviceType = DeviceTypeText(t.network);
    if (MODULE_STATUS* status = m_module.host->m_pStatus) status->m_iFrontendType = t.frontendType;
    const HRESULT hr = TryNetworkProvider(t.network);
    if (hr == S_OK) {
      *kind = m_network = t.network;
      return S_OK;
    }
    if (FAILED(hr)) return hr;  // a step failed: the search ends
  }
  m_network = BdaNetwork::kNone;
  m_bFailed = true;
  m_bGraphBuilt = false;
  return E_FAIL;
}

// S_OK when the provider connected to the tuner; S_FALSE when it did not
// and the next kind is tried; a failure ends the search.
HRESULT CBDACore::TryNetworkProvider(BdaNetwork network) {
  HRESULT hr = CreateTuningSpace(network);
  if (FAILED(hr)) return hr;
  hr = AddNetworkProvider(network);
  if (FAILED(hr)) return hr;
  const ProviderTry& t = TryOf(network);
  if (t.callingText) Info(__LINE__, t.callingText);
  ComPtr<ITuneRequest> request;
  switch (network) {
    case BdaNetwork::kSatellite: hr = CreateDVBSTuneRequest(request.Put()); break;
    case BdaNetwork::kTerrestrial: hr = CreateDVBTTuneRequest(request.Put()); break;
    default: hr = CreateDVBCTuneRequest(request.Put()); break;
  }
  if (FAILED(hr)) return FailAndRelease(__LINE__, "Cannot create tune request.", hr);
  m_pTuneRequest = std::move(request);
  if (network == BdaNetwork::kSatellite) Info(__LINE__, "Tune request successfully created.");
  put_TuneRequest();
  return SUCCEEDED(ConnectFilters(m_pNetworkProvider.Get(), m_pTunerFilter.Get())) ? S_OK : S_FALSE;
}

HRESULT CBDACore::CreateTuningSpace(BdaNetwork network) {
  const ProviderTry& t = TryOf(network);
  HRESULT hr;
  if (network == BdaNetwork::kSatellite) {
    hr = CoCreateInstance(*t.spaceClass, nullptr, CLSCTX_INPROC_SERVER, IID_IDVBTuningSpace2,
                          m_pDVBSTuningSpace.PutVoid());
    if (SUCCEEDED(hr)) hr = m_pDVBSTuningSpace.As(&m_pTuningSpace, IID_ITuningSpace);
  } else {
    hr = CoCreateInstance(*t.spaceClass, nullptr, CLSCTX_INPROC_SERVER, IID_ITuningSpace, m_pTuningSpace.PutVoid());
  }
  if (FAILED(hr)) return Fail(__LINE__, t.spaceFailed, hr);
  Info(__LINE__, t.spaceCreated);
  m_pTuningSpace->put_FriendlyName(CBstr(L"QLON Ex DVB Tuning Space"));
  m_pTuningSpace->put_UniqueName(CBstr(L"QLON_EX"));
  m_pTuningSpace->put__NetworkType(*t.networkType);
  return S_OK;
}

HRESULT CBDACore::AddNetworkProvider(BdaNetwork network) {
  const ProviderTry& t = TryOf(network);
  HRESULT hr = CoCreateInstance(*t.networkType, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                m_pNetworkProvider.PutVoid());
  if (FAILED(hr)) return FailAndRelease(__LINE__, t.providerFailed, hr);
  Info(__LINE__, t.providerCreated);
  if (!m_pGraph) return Fail(__LINE__, "No filter graph found!");
  hr = m_pGraph->AddFilter(m_pNetworkProvider.Get(), t.providerName);
  if (FAILED(hr) && t.addFailureEnds) return FailAndRelease(__LINE__, t.addFailed, hr);
  Info(__LINE__, SUCCEEDED(hr) ? t.added : t.addFailed);
  hr = m_pNetworkProvider.As(&m_pTuner, IID_ITuner);
  if (FAILED(hr)) return FailAndRelease(__LINE__, "pNetworkProvider->QI: Can't QI for ITuner.", hr);
  if (network == BdaNetwork::kTerrestrial) Info(__LINE__, "ITuner interface found");
  return S_OK;
}

HRESULT CBDACore::CreateDVBSTuneRequest(ITuneRequest** request) {
  if (!request) {
    Info(__LINE__, "Invalid pTuneRequest pointer.");
    return E_POINTER;
  }
  if (!m_pTuningSpace) return Fail(__LINE__, "Tuning Space is NULL...");
  ComPtr<IDVBSTuningSpace> space;
  if (FAILED(m_pTuningSpace.As(&space, IID_IDVBSTuningSpace))) return Fail(__LINE__, "Cannot QI for an IDVBSTuningSpace");
  space->put_LowOscillator(9750000);
  space->put_HighOscillator(10600000);
  space->put_LNBSwitch(11700000);
  space->put_SpectralInversion(BDA_SPECTRAL_INVERSION_AUTOMATIC);
  space->put__NetworkType(DVB_SATELLITE_TV_NETWORK_TYPE);
  space->put_SystemType(DVB_Satellite);
  HRESULT hr = CoCreateInstance(CLSID_DVBSLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IDVBSLocator,
                                m_pDVBSLocator.PutVoid());
  if (FAILED(hr)) return Fail(__LINE__, "Cannot create the DVB locator failed.", hr);
  return FillTuneRequest(BdaNetwork::kSatellite, request, m_wSID, m_wTSID, m_wONID, *m_module.lastTuning);
}

HRESULT CBDACore::CreateDVBTTuneRequest(ITuneRequest** request) {
  if (!request) {
    Info(__LINE__, "Invalid pTuneRequest pointer.");
    return E_POINTER;
  }
  if (!m_pTuningSpace) return Fail(__LINE__, "Tuning Space is NULL");
  ComPtr<IDVBTuningSpace> space;
  if (FAILED(m_pTuningSpace.As(&space, IID_IDVBTuningSpace))) return Fail(__LINE__, "Cannot QI for an IDVBSTuningSpace");
  Info(__LINE__, "QI IDVBSTuningSpace succeeded.");
  Info(__LINE__, "put system type DVB-t");
  space->put_SystemType(DVB_Terrestrial);
  Info(__LINE__, "put network type DVB-t");
  space->put__NetworkType(DVB_TERRESTRIAL_TV_NETWORK_TYPE);
  Info(__LINE__, "Creating DVB-t locator");
  HRESULT hr = CoCreateInstance(CLSID_DVBTLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IDVBTLocator,
                                m_pDVBTLocator.PutVoid());
  if (FAILED(hr)) return Fail(__LINE__, "Cannot create the DVB-T locator failed", hr);
  Info(__LINE__, "DVB-T locator creation succeeded.");
  return FillTuneRequest(BdaNetwork::kTerrestrial, request, m_wSID, m_wTSID, m_wONID, *m_module.lastTuning);
}

HRESULT CBDACore::CreateDVBCTuneRequest(ITuneRequest** request) {
  if (!request) {
    Info(__LINE__, "Invalid pointer");
    return E_POINTER;
  }
  if (!m_pTuningSpace) return Fail(__LINE__, "Tuning Space is NULL");
  ComPtr<IDVBTuningSpace> space;
  if (FAILED(m_pTuningSpace.As(&space, IID_IDVBTuningSpace))) return Fail(__LINE__, "Cannot QI for an IDVBCTuningSpace");
  space->put_SystemType(DVB_Cable);
  space->put__NetworkType(DVB_CABLE_TV_NETWORK_TYPE);
  HRESULT hr = CoCreateInstance(CLSID_DVBCLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IDVBCLocator,
                                m_pDVBCLocator.PutVoid());
  if (FAILED(hr)) return Fail(__LINE__, "Cannot create the DVB-C locator.", hr);
  return FillTuneRequest(BdaNetwork::kCable, request, m_wSID, m_wTSID, m_wONID, *m_module.lastTuning);
}

HRESULT CBDACore::FillTuneRequest(BdaNetwork network, ITuneRequest** request, WORD sid, WORD tsid, WORD onid,
                                  const CHANNEL_TYPE& tuning) {
  if (!m_pTuningSpace) return Fail(__LINE__, "Tuning Space is NULL");
  ComPtr<ITuneRequest> made;
  HRESULT hr = m_pTuningSpace->CreateTuneRequest(made.Put());
  if (FAILED(hr)) return Fail(__LINE__, "CreateTuneRequest: Can't create tune request.", hr);
  ComPtr<IDVBTuneRequest> dvb;
  if (FAILED(made.As(&dvb, IID_IDVBTuneRequest))) {
    const char* text = network == BdaNetwork::kSatellite  ? "CreateDVBSTuneRequest: Can't QI for IDVBSTuneRequest."
                       : network == BdaNetwork::kTerrestrial ? "CreateDVBTTuneRequest: Can't QI for IDVBSTuneRequest."
                                                             : "CreateDVBTTuneRequest: Can't QI for IDVBCTuneRequest.";
    return Fail(__LINE__, text);
  }
  if (FAILED(hr = dvb->put_SID(sid))) return Fail(__LINE__, "put_SID failed", hr);
  if (FAILED(hr = dvb->put_TSID(tsid))) return Fail(__LINE__, "put_TSID failed", hr);
  if (FAILED(hr = dvb->put_ONID(onid))) return Fail(__LINE__, "put_ONID failed", hr);
  ILocator* locator = network == BdaNetwork::kSatellite    ? static_cast<ILocator*>(m_pDVBSLocator.Get())
                      : network == BdaNetwork::kTerrestrial ? static_cast<ILocator*>(m_pDVBTLocator.Get())
                                                            : static_cast<ILocator*>(m_pDVBCLocator.Get());
  if (!locator) return Fail(__LINE__, "No locator for the tune request.", E_POINTER);
  if (FAILED(hr = ApplyLocator(network, locator, tuning))) return hr;
  if (FAILED(hr = made->put_Locator(locator))) return Fail(__LINE__, "Cannot put the locator.", hr);
  *request = made.Detach();
  return S_OK;
}

HRESULT CBDACore::ApplyLocator(BdaNetwork network, ILocator* locator, const CHANNEL_TYPE& tuning) {
  for (const LocatorSetting& s : LocatorSettings(network, tuning.words)) {
    HRESULT hr = E_NOINTERFACE;
    switch (s.call) {
      case LocatorSetting::kCarrierFrequency: hr = locator->put_CarrierFrequency(s.value); break;
      case LocatorSetting::kSymbolRate: hr = locator->put_SymbolRate(s.value); break;
      case LocatorSetting::kInnerFec: hr = locator->put_InnerFEC(static_cast<FECMethod>(s.value)); break;
      case LocatorSetting::kInnerFecRate: hr = locator->put_InnerFECRate(static_cast<BinaryConvolutionCodeRate>(s.value)); break;
      case LocatorSetting::kModulation: hr = locator->put_Modulation(static_cast<ModulationType>(s.value)); break;
      case LocatorSetting::kSignalPolarisation:
        hr = m_pDVBSLocator->put_SignalPolarisation(static_cast<Polarisation>(s.value));
        break;
      case LocatorSetting::kAzimuth: hr = m_pDVBSLocator->put_Azimuth(s.value); break;
      case LocatorSetting::kElevation: hr = m_pDVBSLocator->put_Elevation(s.value); break;
      case LocatorSetting::kOrbitalPosition: hr = m_pDVBSLocator->put_OrbitalPosition(s.value); break;
      case LocatorSetting::kBandwidth: hr = m_pDVBTLocator->put_Bandwidth(s.value); break;
    }
    if (FAILED(hr)) return Fail(__LINE__, LocatorFailure(s.call), hr);
  }
  return S_OK;
}

HRESULT CBDACore::put_TuneRequest() {
  const HRESULT hr = m_pTuner && m_pTuneRequest ? m_pTuner->put_TuneRequest(m_pTuneRequest.Get()) : E_POINTER;
  if (FAILED(hr))
    Log(__LINE__, 127, "put_TuneRequest(): failed... :-(");
  else
    Info(__LINE__, "put_TuneRequest(): success!");
  return hr;
}

HRESULT CBDACore::Retune(DWORD frontendType, const CHANNEL_TYPE& tuning) {
  const BdaNetwork network = NetworkOfFrontendType(frontendType);
  if (network == BdaNetwork::kNone) return E_FAIL;
  m_pTuneRequest.Reset();
  ComPtr<ITuneRequest> request;
  HRESULT hr = FillTuneRequest(network, request.Put(), m_wSID, m_wTSID, m_wONID, tuning);
  if (FAILED(hr)) return hr;
  m_pTuneRequest = std::move(request);
  hr = put_TuneRequest();
  UnmapAllPIDs(m_pTifPin.Get());
  return hr;
}
