#include "TestSink.h"

CUnknown* WINAPI CTestSink::CreateInstance(LPUNKNOWN pUnk, HRESULT* phr) {
  return CreateComObject<CTestSink>(pUnk, phr);
}

CTestSink::CTestSink(LPUNKNOWN pUnk, HRESULT* phr) : CBaseRenderer(CLSID_TestSink, TEXT("Test sink"), pUnk, phr) {}

STDMETHODIMP CTestSink::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_ITestSinkLog)) return GetInterface(static_cast<ITestSinkLog*>(this), ppv);
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
  return m_log.Record(pSample, *m_pInputPin->CurrentMediaType().Subtype());
}

HRESULT CTestSink::EndOfStream() {
  m_log.RecordEndOfStream();
  return CBaseRenderer::EndOfStream();
}

STDMETHODIMP CTestSink::GetConnectionType(AM_MEDIA_TYPE* pmt) {
  if (!pmt) return E_POINTER;
  return m_pInputPin->ConnectionMediaType(pmt);
}
