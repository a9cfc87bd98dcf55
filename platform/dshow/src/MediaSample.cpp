#include "MediaSample.h"

#include "MediaType.h"
#include "MemAllocator.h"

CMediaSample::CMediaSample(CMemAllocator* pAllocator, BYTE* pBuffer, LONG cbBuffer)
    : m_pAllocator(pAllocator), m_pBuffer(pBuffer), m_cbBuffer(cbBuffer) {}

CMediaSample::~CMediaSample() { ClearProperties(); }

STDMETHODIMP CMediaSample::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IMediaSample))
    return GetInterface(static_cast<IMediaSample*>(this), ppv);
  *ppv = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CMediaSample::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_cRef)); }

STDMETHODIMP_(ULONG) CMediaSample::Release() {
  const LONG cRef = InterlockedDecrement(&m_cRef);
  if (cRef == 0) {
    ClearProperties();
    m_pAllocator->ReleaseBuffer(this);
  }
  return static_cast<ULONG>(cRef);
}

void CMediaSample::ClearProperties() {
  m_cbActual = 0;
  m_bTimeValid = m_bStopValid = m_bMediaTimeValid = FALSE;
  m_bSyncPoint = m_bPreroll = m_bDiscontinuity = FALSE;
  if (m_pMediaType) DeleteMediaType(m_pMediaType);
  m_pMediaType = nullptr;
}

STDMETHODIMP CMediaSample::GetPointer(BYTE** ppBuffer) {
  if (!ppBuffer) return E_POINTER;
  *ppBuffer = m_pBuffer;
  return S_OK;
}

STDMETHODIMP CMediaSample::GetTime(REFERENCE_TIME* pTimeStart, REFERENCE_TIME* pTimeEnd) {
  if (!pTimeStart || !pTimeEnd) return E_POINTER;
  if (!m_bTimeValid) return VFW_E_SAMPLE_TIME_NOT_SET;
  *pTimeStart = m_tStart;
  if (!m_bStopValid) {
    *pTimeEnd = m_tStart + 1;
    return VFW_S_NO_STOP_TIME;
  }
  *pTimeEnd = m_tStop;
  return S_OK;
}

STDMETHODIMP CMediaSample::SetTime(REFERENCE_TIME* pTimeStart, REFERENCE_TIME* pTimeEnd) {
  if (!pTimeStart) {
    m_bTimeValid = m_bStopValid = FALSE;
    return S_OK;
  }
  m_tStart = *pTimeStart;
  m_bTimeValid = TRUE;
  m_bStopValid = pTimeEnd != nullptr;
  if (pTimeEnd) m_tStop = *pTimeEnd;
  return S_OK;
}

STDMETHODIMP CMediaSample::SetSyncPoint(BOOL bIsSyncPoint) {
  m_bSyncPoint = bIsSyncPoint;
  return S_OK;
}

STDMETHODIMP CMediaSample::SetPreroll(BOOL bIsPreroll) {
  m_bPreroll = bIsPreroll;
  return S_OK;
}

STDMETHODIMP CMediaSample::SetActualDataLength(long cbActual) {
  if (cbActual < 0 || cbActual > m_cbBuffer) return VFW_E_BUFFER_OVERFLOW;
  m_cbActual = cbActual;
  return S_OK;
}

STDMETHODIMP CMediaSample::GetMediaType(AM_MEDIA_TYPE** ppMediaType) {
  if (!ppMediaType) return E_POINTER;
  *ppMediaType = nullptr;
  if (!m_pMediaType) return S_FALSE;
  *ppMediaType = CreateMediaType(m_pMediaType);
  return *ppMediaType ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CMediaSample::SetMediaType(AM_MEDIA_TYPE* pMediaType) {
  AM_MEDIA_TYPE* pCopy = nullptr;
  if (pMediaType && !(pCopy = CreateMediaType(pMediaType))) return E_OUTOFMEMORY;
  if (m_pMediaType) DeleteMediaType(m_pMediaType);
  m_pMediaType = pCopy;
  return S_OK;
}

STDMETHODIMP CMediaSample::SetDiscontinuity(BOOL bDiscontinuity) {
  m_bDiscontinuity = bDiscontinuity;
  return S_OK;
}

STDMETHODIMP CMediaSample::GetMediaTime(LONGLONG* pTimeStart, LONGLONG* pTimeEnd) {
  if (!pTimeStart || !pTimeEnd) return E_POINTER;
  if (!m_bMediaTimeValid) return VFW_E_MEDIA_TIME_NOT_SET;
  *pTimeStart = m_tMediaStart;
  *pTimeEnd = m_tMediaStop;
  return S_OK;
}

STDMETHODIMP CMediaSample::SetMediaTime(LONGLONG* pTimeStart, LONGLONG* pTimeEnd) {
  if (!pTimeStart || !pTimeEnd) {
    m_bMediaTimeValid = FALSE;
    return S_OK;
  }
  m_tMediaStart = *pTimeStart;
  m_tMediaStop = *pTimeEnd;
  m_bMediaTimeValid = TRUE;
  return S_OK;
}
