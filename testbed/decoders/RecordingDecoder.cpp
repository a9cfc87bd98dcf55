#include "RecordingDecoder.h"

STDMETHODIMP CRecordingDecoder::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_ITestSinkLog)) return GetInterface(static_cast<ITestSinkLog*>(this), ppv);
  return CTransformFilter::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CRecordingDecoder::EndOfStream() {
  m_log.RecordEndOfStream();
  return CTransformFilter::EndOfStream();
}

STDMETHODIMP CRecordingDecoder::GetConnectionType(AM_MEDIA_TYPE* pmt) {
  if (!pmt) return E_POINTER;
  return InputPin()->ConnectionMediaType(pmt);
}
