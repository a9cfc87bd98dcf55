// The tuning spaces, locators and tune requests of the BDA tuning model, as
// the network providers take them: each records every value it is given
// ("<object> <property> <value>") and answers it back.
#pragma once

#include <Streams.h>

#include "InterfaceDefaults.h"

class CSimTuningSpace : public CUnknown, public DefaultIDVBSTuningSpace {
 public:
  static CUnknown* WINAPI CreateSatellite(LPUNKNOWN pUnk, HRESULT* phr);
  static CUnknown* WINAPI CreateDvb(LPUNKNOWN pUnk, HRESULT* phr);
  CSimTuningSpace(LPUNKNOWN pUnk, HRESULT* phr, bool satellite);

  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

  HRESULT STDMETHODCALLTYPE put_UniqueName(BSTR name) override;
  HRESULT STDMETHODCALLTYPE put_FriendlyName(BSTR name) override;
  HRESULT STDMETHODCALLTYPE get__NetworkType(GUID* type) override;
  HRESULT STDMETHODCALLTYPE put__NetworkType(REFCLSID type) override;
  HRESULT STDMETHODCALLTYPE CreateTuneRequest(ITuneRequest** request) override;
  HRESULT STDMETHODCALLTYPE put_SystemType(DVBSystemType type) override;
  HRESULT STDMETHODCALLTYPE put_LowOscillator(LONG value) override;
  HRESULT STDMETHODCALLTYPE put_HighOscillator(LONG value) override;
  HRESULT STDMETHODCALLTYPE put_LNBSwitch(LONG value) override;
  HRESULT STDMETHODCALLTYPE put_SpectralInversion(SpectralInversion value) override;

 private:
  const bool m_bSatellite;
  GUID m_networkType = GUID_NULL;
};

class CSimTuneRequest : public CUnknown, public DefaultIDVBTuneRequest {
 public:
  CSimTuneRequest(LPUNKNOWN pUnk, HRESULT* phr);

  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

  HRESULT STDMETHODCALLTYPE get_Locator(ILocator** locator) override;
  HRESULT STDMETHODCALLTYPE put_Locator(ILocator* locator) override;
  HRESULT STDMETHODCALLTYPE put_ONID(LONG value) override;
  HRESULT STDMETHODCALLTYPE put_TSID(LONG value) override;
  HRESULT STDMETHODCALLTYPE put_SID(LONG value) override;

 private:
  ComPtr<ILocator> m_pLocator;
};

// The three locators, on one class per interface; Name is what the record calls it.
template <class Base>
class CSimLocator : public CUnknown, public Base {
 public:
  CSimLocator(LPUNKNOWN pUnk, HRESULT* phr, const char* name, const IID& iid)
      : CUnknown(TEXT("BDA sim locator"), pUnk, phr), m_name(name), m_iid(iid) {}

  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override {
    if (IsEqualIID(riid, m_iid) || IsEqualIID(riid, IID_ILocator) ||
        IsEqualIID(riid, IID_IDispatch))
      return GetInterface(static_cast<Base*>(this), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
  }

  HRESULT STDMETHODCALLTYPE put_CarrierFrequency(LONG v) override { return Put("CarrierFrequency", v, &m_frequency); }
  HRESULT STDMETHODCALLTYPE get_CarrierFrequency(LONG* v) override { return Get(v, m_frequency); }
  HRESULT STDMETHODCALLTYPE put_SymbolRate(LONG v) override { return Put("SymbolRate", v); }
  HRESULT STDMETHODCALLTYPE put_InnerFEC(FECMethod v) override { return Put("InnerFEC", v); }
  HRESULT STDMETHODCALLTYPE put_InnerFECRate(BinaryConvolutionCodeRate v) override { return Put("InnerFECRate", v); }
  HRESULT STDMETHODCALLTYPE put_Modulation(ModulationType v) override { return Put("Modulation", v); }
  // Only some locators have these; in the others they override nothing.
  HRESULT STDMETHODCALLTYPE put_SignalPolarisation(Polarisation v) { return Put("SignalPolarisation", v); }
  HRESULT STDMETHODCALLTYPE put_Azimuth(LONG v) { return Put("Azimuth", v); }
  HRESULT STDMETHODCALLTYPE put_Elevation(LONG v) { return Put("Elevation", v); }
  HRESULT STDMETHODCALLTYPE put_OrbitalPosition(LONG v) { return Put("OrbitalPosition", v); }
  HRESULT STDMETHODCALLTYPE put_Bandwidth(LONG v) { return Put("Bandwidth", v); }

 private:
  HRESULT Put(const char* property, long value, LONG* keep = nullptr);
  static HRESULT Get(LONG* out, LONG value) {
    if (!out) return E_POINTER;
    *out = value;
    return S_OK;
  }

  const char* m_name;
  const IID& m_iid;
  LONG m_frequency = -1;
};

CUnknown* WINAPI CreateDvbsLocator(LPUNKNOWN pUnk, HRESULT* phr);
CUnknown* WINAPI CreateDvbtLocator(LPUNKNOWN pUnk, HRESULT* phr);
CUnknown* WINAPI CreateDvbcLocator(LPUNKNOWN pUnk, HRESULT* phr);

// The record's name of a network type ("DVB-S", "DVB-T", "DVB-C" or "other").
const char* NetworkTypeName(REFGUID type);
