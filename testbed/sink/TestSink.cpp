#include "TestSink.h"

#include <cstring>

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
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  Record r = {};
  r.info.llArrival = now.QuadPart;
  r.info.lLength = pSample->GetActualDataLength();
  REFERENCE_TIME tStart = 0, tStop = 0;
  HRESULT hrTime = pSample->GetTime(&tStart, &tStop);
  r.info.bHasTime = hrTime == S_OK || hrTime == VFW_S_NO_STOP_TIME;
  r.info.bHasStopTime = hrTime == S_OK;
  r.info.rtStart = r.info.bHasTime ? tStart : 0;
  r.info.rtStop = r.info.bHasStopTime ? tStop : 0;
  r.info.bSyncPoint = pSample->IsSyncPoint() == S_OK;
  r.info.bDiscontinuity = pSample->IsDiscontinuity() == S_OK;
  AM_MEDIA_TYPE* pmt = nullptr;
  r.info.bMediaTypeChanged = pSample->GetMediaType(&pmt) == S_OK && pmt;
  r.info.subtype = r.info.bMediaTypeChanged ? pmt->subtype : *m_pInputPin->CurrentMediaType().Subtype();
  if (pmt) DeleteMediaType(pmt);
  BYTE* pData = nullptr;
  pSample->GetPointer(&pData);
  if (pData && r.info.lLength >= 4) memcpy(&r.info.dwTag, pData, 4);

  CAutoLock lock(&m_LogLock);
  if (m_bKeepPayloads && pData && r.info.lLength > 0) r.payload.assign(pData, pData + r.info.lLength);
  try {
    m_records.push_back(std::move(r));
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  WakeWaiters();
  return S_OK;
}

HRESULT CTestSink::EndOfStream() {
  {
    CAutoLock lock(&m_LogLock);
    m_cEndOfStream++;
    WakeWaiters();
  }
  return CBaseRenderer::EndOfStream();
}

STDMETHODIMP CTestSink::GetSampleCount(LONG* pCount) {
  if (!pCount) return E_POINTER;
  CAutoLock lock(&m_LogLock);
  *pCount = static_cast<LONG>(m_records.size());
  return S_OK;
}

STDMETHODIMP CTestSink::GetSample(LONG index, TestSinkSample* pSample, BYTE* pPayload, LONG cbPayload) {
  if (!pSample) return E_POINTER;
  CAutoLock lock(&m_LogLock);
  if (index < 0 || static_cast<size_t>(index) >= m_records.size()) return E_INVALIDARG;
  const Record& r = m_records[index];
  *pSample = r.info;
  if (pPayload && cbPayload > 0 && !r.payload.empty())
    memcpy(pPayload, r.payload.data(),
           r.payload.size() < static_cast<size_t>(cbPayload) ? r.payload.size() : cbPayload);
  return S_OK;
}

STDMETHODIMP CTestSink::WaitForSamples(LONG count, DWORD timeoutMs) {
  return WaitUntil([&] { return static_cast<LONG>(m_records.size()) >= count; }, timeoutMs);
}

STDMETHODIMP CTestSink::GetEndOfStreamCount(LONG* pCount) {
  if (!pCount) return E_POINTER;
  CAutoLock lock(&m_LogLock);
  *pCount = m_cEndOfStream;
  return S_OK;
}

STDMETHODIMP CTestSink::WaitForEndOfStream(DWORD timeoutMs) {
  return WaitUntil([&] { return m_cEndOfStream > 0; }, timeoutMs);
}

void CTestSink::WakeWaiters() {
  // A sample costs the streaming thread no event while nobody waits.
  if (m_cWaiters > 0) m_evRecorded.Set();
}

template <class Done>
HRESULT CTestSink::WaitUntil(Done done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    {
      CAutoLock lock(&m_LogLock);
      if (done()) return S_OK;
      m_cWaiters++;
    }
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed < timeoutMs) m_evRecorded.Wait(timeoutMs - elapsed < 50 ? timeoutMs - elapsed : 50);
    CAutoLock lock(&m_LogLock);
    m_cWaiters--;
    if (elapsed >= timeoutMs) return done() ? S_OK : S_FALSE;
  }
}

STDMETHODIMP CTestSink::GetConnectionType(AM_MEDIA_TYPE* pmt) {
  if (!pmt) return E_POINTER;
  return m_pInputPin->ConnectionMediaType(pmt);
}

STDMETHODIMP CTestSink::Clear() {
  CAutoLock lock(&m_LogLock);
  m_records.clear();
  m_cEndOfStream = 0;
  return S_OK;
}

STDMETHODIMP CTestSink::SetKeepPayloads(BOOL bKeep) {
  CAutoLock lock(&m_LogLock);
  m_bKeepPayloads = bKeep;
  return S_OK;
}
