// A renderer stand-in that accepts MPEG-2 video, H.264, MPEG audio and AC-3
// and records every sample, never rendering anything. A test may hold each
// sample in Receive (ITestSinkHold).
#pragma once

#include "ReceiveHold.h"
#include "SampleLog.h"
#include "include/TestSinkHold.h"

class CTestSink : public CBaseRenderer, public ITestSinkLog, public ITestSinkHold {
 public:
  static CUnknown* WINAPI CreateInstance(LPUNKNOWN pUnk, HRESULT* phr);

  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

  HRESULT CheckMediaType(const CMediaType* pmt) override;
  HRESULT DoRenderSample(IMediaSample* pMediaSample) override;
  HRESULT EndOfStream() override;

  // ITestSinkLog
  IMPLEMENT_SAMPLE_LOG_METHODS
  STDMETHODIMP GetConnectionType(AM_MEDIA_TYPE* pmt) override;

  // ITestSinkHold
  STDMETHODIMP SetHold(BOOL bHold) override;
  STDMETHODIMP Pass(LONG count) override;

 private:
  // Made only by CreateInstance.
  friend CUnknown* CreateComObject<CTestSink>(LPUNKNOWN pUnk, HRESULT* phr);
  CTestSink(LPUNKNOWN pUnk, HRESULT* phr);

  CSampleLog m_log;
  CReceiveHold m_hold;
};
