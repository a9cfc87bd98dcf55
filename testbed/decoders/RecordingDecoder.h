// What the decoder stand-ins share: a transform filter that records every
// input sample it receives and its end of stream (ITestSinkLog), and the
// creation of a decoder by class identifier and input.
#pragma once

#include <Streams.h>

#include <SampleLog.h>

#include <new>

class CRecordingDecoder : public CTransformFilter, public ITestSinkLog {
 public:
  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
  HRESULT EndOfStream() override;

  IMPLEMENT_SAMPLE_LOG_METHODS
  STDMETHODIMP GetConnectionType(AM_MEDIA_TYPE* pmt) override;

 protected:
  CRecordingDecoder(LPCTSTR name, LPUNKNOWN pUnk, REFCLSID clsid, HRESULT* phr)
      : CTransformFilter(name, pUnk, clsid, phr) {}

  // The body of a creation function: a new T(pUnk, &hr, args...).
  template <class T, class... Args>
  static CUnknown* Create(LPUNKNOWN pUnk, HRESULT* phr, Args... args) {
    HRESULT hr = S_OK;
    auto* p = new (std::nothrow) T(pUnk, &hr, args...);
    if (!p) hr = E_OUTOFMEMORY;
    if (SUCCEEDED(hr)) return p;
    delete p;
    if (phr) *phr = hr;
    return nullptr;
  }

  CSampleLog m_log;
};
