#include "SampleLog.h"

#include <cstring>

HRESULT CSampleLog::Record(IMediaSample* pSample, const GUID& connectionSubtype) {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  Entry r = {};
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
  r.info.subtype = r.info.bMediaTypeChanged ? pmt->subtype : connectionSubtype;
  if (pmt) DeleteMediaType(pmt);
  BYTE* pData = nullptr;
  pSample->GetPointer(&pData);
  if (pData && r.info.lLength >= 4) memcpy(&r.info.dwTag, pData, 4);

  CAutoLock lock(&m_lock);
  if (m_bKeepPayloads && pData && r.info.lLength > 0) r.payload.assign(pData, pData + r.info.lLength);
  try {
    m_entries.push_back(std::move(r));
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  WakeWaiters();
  return S_OK;
}

void CSampleLog::RecordEndOfStream() {
  CAutoLock lock(&m_lock);
  m_cEndOfStream++;
  WakeWaiters();
}

HRESULT CSampleLog::GetSampleCount(LONG* pCount) {
  if (!pCount) return E_POINTER;
  CAutoLock lock(&m_lock);
  *pCount = static_cast<LONG>(m_entries.size());
  return S_OK;
}

HRESULT CSampleLog::GetSample(LONG index, TestSinkSample* pSample, BYTE* pPayload, LONG cbPayload) {
  if (!pSample) return E_POINTER;
  CAutoLock lock(&m_lock);
  if (index < 0 || static_cast<size_t>(index) >= m_entries.size()) return E_INVALIDARG;
  const Entry& r = m_entries[index];
  *pSample = r.info;
  if (pPayload && cbPayload > 0 && !r.payload.empty())
    memcpy(pPayload, r.payload.data(),
           r.payload.size() < static_cast<size_t>(cbPayload) ? r.payload.size() : cbPayload);
  return S_OK;
}

HRESULT CSampleLog::WaitForSamples(LONG count, DWORD timeoutMs) {
  return WaitUntil([&] { return static_cast<LONG>(m_entries.size()) >= count; }, timeoutMs);
}

HRESULT CSampleLog::GetEndOfStreamCount(LONG* pCount) {
  if (!pCount) return E_POINTER;
  CAutoLock lock(&m_lock);
  *pCount = m_cEndOfStream;
  return S_OK;
}

HRESULT CSampleLog::WaitForEndOfStream(DWORD timeoutMs) {
  return WaitUntil([&] { return m_cEndOfStream > 0; }, timeoutMs);
}

void CSampleLog::WakeWaiters() {
  // A sample costs the streaming thread no event while nobody waits.
  if (m_cWaiters > 0) m_evRecorded.Set();
}

template <class Done>
HRESULT CSampleLog::WaitUntil(Done done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    {
      CAutoLock lock(&m_lock);
      if (done()) return S_OK;
      m_cWaiters++;
    }
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed < timeoutMs) m_evRecorded.Wait(timeoutMs - elapsed < 50 ? timeoutMs - elapsed : 50);
    CAutoLock lock(&m_lock);
    m_cWaiters--;
    if (elapsed >= timeoutMs) return done() ? S_OK : S_FALSE;
  }
}

HRESULT CSampleLog::Clear() {
  CAutoLock lock(&m_lock);
  m_entries.clear();
  m_cEndOfStream = 0;
  return S_OK;
}

HRESULT CSampleLog::SetKeepPayloads(BOOL bKeep) {
  CAutoLock lock(&m_lock);
  m_bKeepPayloads = bKeep;
  return S_OK;
}
