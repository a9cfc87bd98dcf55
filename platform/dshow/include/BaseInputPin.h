// An input pin that receives media samples through IMemInputPin.
#pragma once

#include "BasePin.h"

class CBaseInputPin : public CBasePin, public IMemInputPin {
 public:
  CBaseInputPin(LPCTSTR pObjectName, CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName);
  ~CBaseInputPin() override;

  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

  // IMemInputPin
  STDMETHODIMP GetAllocator(IMemAllocator** ppAllocator) override;
  STDMETHODIMP NotifyAllocator(IMemAllocator* pAllocator, BOOL bReadOnly) override;
  STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* pProps) override;
  // Checks the stream state and a media-type change carried by the sample;
  // derived pins call it first, then handle the sample.
  STDMETHODIMP Receive(IMediaSample* pSample) override;
  STDMETHODIMP ReceiveMultiple(IMediaSample** pSamples, long nSamples, long* nSamplesProcessed) override;
  STDMETHODIMP ReceiveCanBlock() override;

  STDMETHODIMP BeginFlush() override;
  STDMETHODIMP EndFlush() override;

  HRESULT BreakConnect() override;
  HRESULT Inactive() override;

  // S_OK while samples may be received, S_FALSE while flushing, else the error.
  virtual HRESULT CheckStreaming();
  BOOL IsFlushing() const { return m_bFlushing; }
  BOOL IsReadOnly() const { return m_bReadOnly; }

 protected:
  ComPtr<IMemAllocator> m_pAllocator;
  BOOL m_bReadOnly;
  BOOL volatile m_bFlushing;
};
