// A renderer stand-in that accepts MPEG-2 video, H.264, MPEG audio and AC-3
// and records every sample, never rendering anything.
#pragma once

#include "include/TestSinkLog.h"

#include <Streams.h>

#include <vector>

class CTestSink : public CBaseRenderer, public ITestSinkLog {
 public:
  static CUnknown* WINAPI CreateInstance(LPUNKNOWN pUnk, HRESULT* phr);

  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

  HRESULT CheckMediaType(const CMediaType* pmt) override;
  HRESULT DoRenderSample(IMediaSample* pMediaSample) override;
  HRESULT EndOfStream() override;

  // ITestSinkLog
  STDMETHODIMP GetSampleCount(LONG* pCount) override;
  STDMETHODIMP GetSample(LONG index, TestSinkSample* pSample, BYTE* pPayload, LONG cbPayload) override;
  STDMETHODIMP WaitForSamples(LONG count, DWORD timeoutMs) override;
  STDMETHODIMP GetEndOfStreamCount(LONG* pCount) override;
  STDMETHODIMP WaitForEndOfStream(DWORD timeoutMs) override;
  STDMETHODIMP GetConnectionType(AM_MEDIA_TYPE* pmt) override;
  STDMETHODIMP Clear() override;
  STDMETHODIMP SetKeepPayloads(BOOL bKeep) override;

 private:
  // Made only by CreateInstance.
  friend CUnknown* CreateComObject<CTestSink>(LPUNKNOWN pUnk, HRESULT* phr);
  CTestSink(LPUNKNOWN pUnk, HRESULT* phr);

  struct Record {
    TestSinkSample info;
    std::vector<BYTE> payload;
  };

  // Waits (bounded) until done(), read under m_LogLock, holds.
  template <class Done>
  HRESULT WaitUntil(Done done, DWORD timeoutMs);
  // Under m_LogLock after a record: wakes the waiters, if any.
  void WakeWaiters();

  CCritSec m_LogLock;  // guards the fields below
  std::vector<Record> m_records;
  LONG m_cEndOfStream = 0;
  BOOL m_bKeepPayloads = TRUE;
  LONG m_cWaiters = 0;    // threads in WaitUntil
  CAMEvent m_evRecorded;  // auto reset: set on a sample or end of stream while someone waits
};
