// A filter with one input and one output pin that turns each input sample
// into one output sample (Transform) and delivers it on the receiving thread.
#pragma once

#include "BaseFilter.h"
#include "TransformInputPin.h"
#include "TransformOutputPin.h"

class CTransformFilter : public CBaseFilter {
 public:
  CTransformFilter(LPCTSTR pName, LPUNKNOWN pUnk, REFCLSID clsid, HRESULT* phr = nullptr);
  ~CTransformFilter() override;

  int GetPinCount() override { return 2; }
  CBasePin* GetPin(int n) override;
  STDMETHODIMP Stop() override;
  STDMETHODIMP Pause() override;

  // What a transform provides.
  virtual HRESULT Transform(IMediaSample* pIn, IMediaSample* pOut) = 0;
  virtual HRESULT CheckInputType(const CMediaType* mtIn) = 0;
  virtual HRESULT CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut) = 0;
  virtual HRESULT DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pprop) = 0;
  virtual HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) = 0;

  virtual HRESULT StartStreaming() { return S_OK; }
  virtual HRESULT StopStreaming() { return S_OK; }
  virtual HRESULT SetMediaType(PIN_DIRECTION direction, const CMediaType* pmt) { return S_OK; }
  virtual HRESULT CheckConnect(PIN_DIRECTION dir, IPin* pPin) { return S_OK; }
  virtual HRESULT BreakConnect(PIN_DIRECTION dir) { return S_OK; }
  virtual HRESULT CompleteConnect(PIN_DIRECTION direction, IPin* pReceivePin) { return S_OK; }

  // Called by the pins.
  virtual HRESULT Receive(IMediaSample* pSample);
  virtual HRESULT EndOfStream();
  virtual HRESULT BeginFlush();
  virtual HRESULT EndFlush();
  virtual HRESULT NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate);

  CTransformInputPin* InputPin() { return m_pInput; }
  CTransformOutputPin* OutputPin() { return m_pOutput; }
  CCritSec* FilterLock() { return &m_csFilter; }

 protected:
  // An output sample carrying the input's times and flags.
  HRESULT InitializeOutputSample(IMediaSample* pSample, IMediaSample** ppOutSample);

  CCritSec m_csFilter;   // the filter's state lock
  CCritSec m_csReceive;  // held while a sample is transformed
  BOOL m_bEOSDelivered;
  CTransformInputPin* m_pInput;
  CTransformOutputPin* m_pOutput;
};
