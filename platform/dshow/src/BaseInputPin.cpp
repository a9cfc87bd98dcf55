#include "BaseInputPin.h"

#include "AutoLock.h"
#include "BaseOutputPin.h"
#include "HrCheck.h"

CBaseInputPin::CBaseInputPin(LPCTSTR pObjectName, CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName)
    : CBasePin(pObjectName, pFilter, pLock, phr, pName, PINDIR_INPUT), m_bReadOnly(FALSE), m_bFlushing(FALSE) {}

CBaseInputPin::~CBaseInputPin() = default;

STDMETHODIMP CBaseInputPin::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_IMemInputPin)) return GetInterface(static_cast<IMemInputPin*>(this), ppv);
  return CBasePin::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CBaseInputPin::GetAllocator(IMemAllocator** ppAllocator) {
  if (!ppAllocator) return E_POINTER;
  CAutoLock lock(m_pLock);
  if (!m_pAllocator) RETURN_IF_FAILED(CreateMemoryAllocator(m_pAllocator.Put()));
  m_pAllocator.CopyTo(ppAllocator);
  return S_OK;
}

STDMETHODIMP CBaseInputPin::NotifyAllocator(IMemAllocator* pAllocator, BOOL bReadOnly) {
  if (!pAllocator) return E_POINTER;
  CAutoLock lock(m_pLock);
  m_pAllocator.Share(pAllocator);
  m_bReadOnly = bReadOnly;
  return S_OK;
}

STDMETHODIMP CBaseInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES*) { return E_NOTIMPL; }

HRESULT CBaseInputPin::CheckStreaming() {
  if (!IsConnected()) return VFW_E_NOT_CONNECTED;
  if (IsStopped()) return VFW_E_WRONG_STATE;
  if (m_bFlushing) return S_FALSE;
  if (m_bRunTimeError) return VFW_E_RUNTIME_ERROR;
  return S_OK;
}

STDMETHODIMP CBaseInputPin::Receive(IMediaSample* pSample) {
  if (!pSample) return E_POINTER;
  HRESULT hr = CheckStreaming();
  if (hr != S_OK) return hr;
  AM_MEDIA_TYPE* pmt = nullptr;
  if (pSample->GetMediaType(&pmt) == S_OK && pmt) {
    CMediaType mt(*pmt);
    DeleteMediaType(pmt);
    if (CheckMediaType(&mt) != S_OK) {
      m_bRunTimeError = TRUE;
      return VFW_E_INVALIDMEDIATYPE;
    }
  }
  return S_OK;
}

STDMETHODIMP CBaseInputPin::ReceiveMultiple(IMediaSample** pSamples, long nSamples, long* nSamplesProcessed) {
  if (!pSamples || !nSamplesProcessed) return E_POINTER;
  HRESULT hr = S_OK;
  *nSamplesProcessed = 0;
  while (nSamples-- > 0) {
    hr = Receive(pSamples[*nSamplesProcessed]);
    if (hr != S_OK) break;
    (*nSamplesProcessed)++;
  }
  return hr;
}

STDMETHODIMP CBaseInputPin::ReceiveCanBlock() { return S_OK; }

STDMETHODIMP CBaseInputPin::BeginFlush() {
  m_bFlushing = TRUE;
  return S_OK;
}

STDMETHODIMP CBaseInputPin::EndFlush() {
  m_bFlushing = FALSE;
  m_bRunTimeError = FALSE;
  return S_OK;
}

HRESULT CBaseInputPin::BreakConnect() {
  if (m_pAllocator) m_pAllocator->Decommit();
  m_pAllocator.Reset();
  return S_OK;
}

HRESULT CBaseInputPin::Inactive() {
  m_bRunTimeError = FALSE;
  if (m_pAllocator) return m_pAllocator->Decommit();
  return S_OK;
}
