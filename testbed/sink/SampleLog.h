// What a recording filter keeps of the samples it receives: one record per
// sample (times, flags, subtype, payload), end-of-stream notices, and bounded
// waits for them. The test sink and the decoder stand-ins answer
// ITestSinkLog from it.
#pragma once

#include "include/TestSinkLog.h"

#include <Streams.h>

#include <vector>

class CSampleLog {
 public:
  // Records one sample; subtype is the connection's when the sample carries no type.
  HRESULT Record(IMediaSample* pSample, const GUID& connectionSubtype);
  void RecordEndOfStream();

  // The ITestSinkLog operations (but the connection type).
  HRESULT GetSampleCount(LONG* pCount);
  HRESULT GetSample(LONG index, TestSinkSample* pSample, BYTE* pPayload, LONG cbPayload);
  HRESULT WaitForSamples(LONG count, DWORD timeoutMs);
  HRESULT GetEndOfStreamCount(LONG* pCount);
  HRESULT WaitForEndOfStream(DWORD timeoutMs);
  HRESULT Clear();
  HRESULT SetKeepPayloads(BOOL bKeep);

 private:
  struct Entry {
    TestSinkSample info;
    std::vector<BYTE> payload;
  };

  // Waits (bounded) until done(), read under m_lock, holds.
  template <class Done>
  HRESULT WaitUntil(Done done, DWORD timeoutMs);
  // Under m_lock after a record: wakes the waiters, if any.
  void WakeWaiters();

  CCritSec m_lock;  // guards the fields below
  std::vector<Entry> m_entries;
  LONG m_cEndOfStream = 0;
  BOOL m_bKeepPayloads = TRUE;
  LONG m_cWaiters = 0;    // threads in WaitUntil
  CAMEvent m_evRecorded;  // auto reset: set on a sample or end of stream while someone waits
};

// The ITestSinkLog methods of a filter class that holds a CSampleLog named m_log.
#define IMPLEMENT_SAMPLE_LOG_METHODS                                                                          \
  STDMETHODIMP GetSampleCount(LONG* pCount) override { return m_log.GetSampleCount(pCount); }                \
  STDMETHODIMP GetSample(LONG index, TestSinkSample* pSample, BYTE* pPayload, LONG cbPayload) override {      \
    return m_log.GetSample(index, pSample, pPayload, cbPayload);                                              \
  }                                                                                                           \
  STDMETHODIMP WaitForSamples(LONG count, DWORD timeoutMs) override { return m_log.WaitForSamples(count, timeoutMs); } \
  STDMETHODIMP GetEndOfStreamCount(LONG* pCount) override { return m_log.GetEndOfStreamCount(pCount); }      \
  STDMETHODIMP WaitForEndOfStream(DWORD timeoutMs) override { return m_log.WaitForEndOfStream(timeoutMs); }  \
  STDMETHODIMP Clear() override { return m_log.Clear(); }                                                     \
  STDMETHODIMP SetKeepPayloads(BOOL bKeep) override { return m_log.SetKeepPayloads(bKeep); }
