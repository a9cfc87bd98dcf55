// An output pin that delivers media samples to a connected IMemInputPin,
// from an allocator agreed with it at connection time.
#pragma once

#include "BasePin.h"

class CBaseOutputPin : public CBasePin {
 public:
  CBaseOutputPin(LPCTSTR pObjectName, CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName);

  HRESULT CompleteConnect(IPin* pReceivePin) override;
  HRESULT CheckConnect(IPin* pPin) override;
  HRESULT BreakConnect() override;
  HRESULT Active() override;
  HRESULT Inactive() override;

  // Output pins take no stream control from downstream.
  STDMETHODIMP EndOfStream() override { return E_UNEXPECTED; }
  STDMETHODIMP BeginFlush() override { return E_UNEXPECTED; }
  STDMETHODIMP EndFlush() override { return E_UNEXPECTED; }

  // Allocator negotiation: downstream's allocator when it offers one,
  // else a memory allocator of our own; DecideBufferSize sets its sizes.
  virtual HRESULT DecideAllocator(IMemInputPin* pPin, IMemAllocator** pAlloc);
  virtual HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* ppropInputRequest) = 0;
  virtual HRESULT InitAllocator(IMemAllocator** ppAlloc);

  virtual HRESULT GetDeliveryBuffer(IMediaSample** ppSample, REFERENCE_TIME* pStartTime, REFERENCE_TIME* pEndTime,
                                    DWORD dwFlags);
  virtual HRESULT Deliver(IMediaSample* pSample);
  virtual HRESULT DeliverEndOfStream();
  virtual HRESULT DeliverBeginFlush();
  virtual HRESULT DeliverEndFlush();
  virtual HRESULT DeliverNewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate);

 protected:
  ComPtr<IMemAllocator> m_pAllocator;
  ComPtr<IMemInputPin> m_pInputPin;
};

// The system's memory allocator.
HRESULT CreateMemoryAllocator(IMemAllocator** ppAllocator);
