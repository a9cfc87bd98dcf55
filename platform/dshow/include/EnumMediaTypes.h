// IEnumMediaTypes over the types that a CBasePin's GetMediaType offers.
#pragma once

#include "ComPtr.h"
#include "Enumerator.h"

class CBasePin;

class CEnumMediaTypes : public CEnumerator<IEnumMediaTypes, AM_MEDIA_TYPE, IID_IEnumMediaTypes> {
 public:
  CEnumMediaTypes(CBasePin* pPin, CEnumMediaTypes* pEnumMediaTypes);
  ~CEnumMediaTypes() override;

 private:
  LONG SourceVersion() override;
  AM_MEDIA_TYPE* FetchNext() override;
  HRESULT SkipItems(ULONG cMediaTypes) override;
  IEnumMediaTypes* Duplicate() override;

  ComPtr<CBasePin> m_pPin;
};
