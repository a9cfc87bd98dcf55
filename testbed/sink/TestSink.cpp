#include "TestSink.h"

CUnknown* WINAPI CTestSink::CreateInstance(LPUNKNOWN pUnk, HRESULT* phr) {
  return CreateComObject<CTestSink>(pUnk, phr);
}

CTestSink::CTestSink(LPUNKNOWN pUnk, HRESULT* phr) : CBaseRenderer(CLSID_TestSink, TEXT("Test sink"), pUnk, phr) {}

STDMETHODIMP CTestSink::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_ITestSinkLog)) return GetInterface(static_cast<ITestSinkLog*>(this), ppv);
  if (IsEqualIID(riid, IID_ITestSinkHold)) return GetInterface(static_cast<ITestSinkHold*>(this), ppv);
  return CBaseRenderer::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CTestSink::CheckMediaType(const CMediaType* pmt) {
  const GUID& major = *pmt->Type();
  const GUID& sub = *pmt->Subtype();
  if (IsEqualGUID(major, MEDIATYPE_Video) &&
      (IsEqualGUID(sub, MEDIASUBTYPE_MPEG2_VIDEO) || IsEqualGUID(sub, MEDIASUBTYPE_H264_VIDEO)))
    return S_OK;
  if (IsEqualGUID(major, MEDIATYPE_Audio) &&
      (IsEqualGUID(sub, MEDIASUBTYPE_MPEG2_AUDIO) || IsEqualGUID(sub, MEDIASUBTYPE_DOLBY_AC3)))
    return S_OK;
  return S_FALSE;
}

HRESULT CTestSink::DoRenderSample(IMediaSample* pSample) {
  const HRESULT hr = m_log.Record(pSample, *m_pInputPin->CurrentMediaType().Subtype());
  m_hold.Wait(m_evAbort);  // a stop or flush lets a held sample go
  return hr;
}

HRESULT CTestSink::EndOfStream() {
  m_log.RecordEndOfStream();
  return CBaseRenderer::EndOfStream();
}

STDMETHODIMP CTestSink::GetConnectionType(AM_MEDIA_TYPE* pmt) {
  if (!pmt) return E_POINTER;
  return m_pInputPin->ConnectionMediaType(pmt);
}

STDMETHODIMP CTestSink::SetHold(BOOL bHold) {
  m_hold.SetHold(bHold);
  return S_OK;
}

STDMETHODIMP CTestSink::Pass(LONG count) {
  if (count < 0) return E_INVALIDARG;
  m_hold.Pass(count);
  return S_OK;
}
