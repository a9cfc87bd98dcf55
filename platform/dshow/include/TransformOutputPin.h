// The output pin of a CTransformFilter: offers the filter's output types once
// the input is connected.
#pragma once

#include "BaseOutputPin.h"

class CTransformFilter;

class CTransformOutputPin : public CBaseOutputPin {
 public:
  CTransformOutputPin(LPCTSTR pObjectName, CTransformFilter* pTransformFilter, HRESULT* phr, LPCWSTR pName);

  HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pProp) override;
  HRESULT CheckMediaType(const CMediaType* pmt) override;
  HRESULT SetMediaType(const CMediaType* pmt) override;
  HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
  HRESULT CheckConnect(IPin* pPin) override;
  HRESULT BreakConnect() override;
  HRESULT CompleteConnect(IPin* pReceivePin) override;

  STDMETHODIMP Notify(IBaseFilter* pSender, Quality q) override { return E_NOTIMPL; }

 protected:
  CTransformFilter* m_pTransformFilter;
};
