// A BDA network provider of one network type, created by that type's class
// identifier: one output pin "Antenna Out" whose media type names the
// network type (a tuner of another type refuses it), and ITuner, which
// records each tune request it is handed.
#pragma once

#include <Streams.h>

#include "InterfaceDefaults.h"

class CNetworkProvider : public CBaseFilter, public DefaultITuner {
 public:
  static CUnknown* WINAPI CreateSatellite(LPUNKNOWN pUnk, HRESULT* phr);
  static CUnknown* WINAPI CreateTerrestrial(LPUNKNOWN pUnk, HRESULT* phr);
  static CUnknown* WINAPI CreateCable(LPUNKNOWN pUnk, HRESULT* phr);
  CNetworkProvider(LPUNKNOWN pUnk, HRESULT* phr, REFGUID networkType);
  ~CNetworkProvider() override;

  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
  int GetPinCount() override { return 1; }
  CBasePin* GetPin(int n) override;
  STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;

  HRESULT STDMETHODCALLTYPE get_TuneRequest(ITuneRequest** request) override;
  HRESULT STDMETHODCALLTYPE put_TuneRequest(ITuneRequest* request) override;

 private:
  class CAntennaPin;
  CCritSec m_lock;
  const GUID m_networkType;
  CAntennaPin* m_pPin;
  ComPtr<ITuneRequest> m_pRequest;
};

// The antenna connection's media type of a network type.
void AntennaMediaType(REFGUID networkType, CMediaType* mt);
