// A BDA tuner of one network type, listed in the network-tuner category:
// an antenna input that takes only a network provider of its own type, and a
// transport-stream output that, while the graph runs, plays the stream file
// named by the process's QUILLON_BDASIM_TS over and over (nothing without
// one). Its topology has one control node with the signal statistics.
#pragma once

#include <Streams.h>

#include "InterfaceDefaults.h"

#define BDASIM_TS_VARIABLE "QUILLON_BDASIM_TS"

class CSimTuner : public CSource, public DefaultIBDA_Topology {
 public:
  // The statistics every tuner answers.
  static constexpr LONG kStrength = 91, kQuality = 87;

  static CUnknown* WINAPI CreateSatellite(LPUNKNOWN pUnk, HRESULT* phr);
  static CUnknown* WINAPI CreateTerrestrial(LPUNKNOWN pUnk, HRESULT* phr);
  static CUnknown* WINAPI CreateCable(LPUNKNOWN pUnk, HRESULT* phr);
  CSimTuner(LPUNKNOWN pUnk, HRESULT* phr, REFCLSID clsid, REFGUID networkType);
  ~CSimTuner() override;

  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
  int GetPinCount() override { return CSource::GetPinCount() + 1; }
  CBasePin* GetPin(int n) override;
  STDMETHODIMP Stop() override;

  HRESULT STDMETHODCALLTYPE GetControlNode(ULONG inputPin, ULONG outputPin, ULONG nodeType, IUnknown** node) override;

 private:
  class CAntennaInput;
  class CTsOutput;
  class CSignalNode;
  CAntennaInput* m_pInput;
};
