// IEnumPins over a CBaseFilter's pins; fails with VFW_E_ENUM_OUT_OF_SYNC once
// the filter's pin set changes.
#pragma once

#include "ComPtr.h"
#include "Enumerator.h"

class CBaseFilter;

class CEnumPins : public CEnumerator<IEnumPins, IPin, IID_IEnumPins> {
 public:
  CEnumPins(CBaseFilter* pFilter, CEnumPins* pEnumPins);
  ~CEnumPins() override;

 private:
  LONG SourceVersion() override;
  IPin* FetchNext() override;
  HRESULT SkipItems(ULONG cPins) override;
  void OnReset() override;
  IEnumPins* Duplicate() override;

  int m_PinCount;
  ComPtr<CBaseFilter> m_pFilter;
};
