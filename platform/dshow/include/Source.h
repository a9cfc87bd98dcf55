// A source filter whose output pins are CSourceStream objects that register
// themselves with it.
#pragma once

#include "BaseFilter.h"

class CSourceStream;

class CSource : public CBaseFilter {
 public:
  CSource(LPCTSTR pName, LPUNKNOWN lpunk, CLSID clsid, HRESULT* phr = nullptr);
  ~CSource() override;

  int GetPinCount() override;
  CBasePin* GetPin(int n) override;
  STDMETHODIMP FindPin(LPCWSTR Id, IPin** ppPin) override;

  CCritSec* pStateLock() { return &m_cStateLock; }
  HRESULT AddPin(CSourceStream* pStream);
  HRESULT RemovePin(CSourceStream* pStream);
  int FindPinNumber(IPin* iPin);

 protected:
  int m_iPins;
  CSourceStream** m_paStreams;
  CCritSec m_cStateLock;
};
