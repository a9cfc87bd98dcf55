#include "TransformInputPin.h"

#include "TransformFilter.h"
#include "HrCheck.h"

CTransformInputPin::CTransformInputPin(LPCTSTR pObjectName, CTransformFilter* pTransformFilter, HRESULT* phr,
                                       LPCWSTR pName)
    : CBaseInputPin(pObjectName, pTransformFilter, pTransformFilter->FilterLock(), phr, pName),
      m_pTransformFilter(pTransformFilter) {}

STDMETHODIMP CTransformInputPin::Receive(IMediaSample* pSample) {
  HRESULT hr = CBaseInputPin::Receive(pSample);
  if (hr != S_OK) return hr;
  return m_pTransformFilter->Receive(pSample);
}

STDMETHODIMP CTransformInputPin::EndOfStream() {
  HRESULT hr = CheckStreaming();
  if (hr != S_OK) return hr;
  return m_pTransformFilter->EndOfStream();
}

STDMETHODIMP CTransformInputPin::BeginFlush() {
  RETURN_IF_FAILED(CBaseInputPin::BeginFlush());
  return m_pTransformFilter->BeginFlush();
}

STDMETHODIMP CTransformInputPin::EndFlush() {
  HRESULT hr = m_pTransformFilter->EndFlush();
  CBaseInputPin::EndFlush();
  return hr;
}

STDMETHODIMP CTransformInputPin::NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) {
  CBasePin::NewSegment(tStart, tStop, dRate);
  return m_pTransformFilter->NewSegment(tStart, tStop, dRate);
}

HRESULT CTransformInputPin::CheckMediaType(const CMediaType* pmt) {
  HRESULT hr = m_pTransformFilter->CheckInputType(pmt);
  if (hr != S_OK) return hr;
  // A connected output must accept what the new input gives.
  CTransformOutputPin* pOut = m_pTransformFilter->OutputPin();
  if (pOut && pOut->IsConnected()) return m_pTransformFilter->CheckTransform(pmt, &pOut->CurrentMediaType());
  return S_OK;
}

HRESULT CTransformInputPin::SetMediaType(const CMediaType* pmt) {
  RETURN_IF_FAILED(CBasePin::SetMediaType(pmt));
  return m_pTransformFilter->SetMediaType(PINDIR_INPUT, pmt);
}

HRESULT CTransformInputPin::CheckConnect(IPin* pPin) {
  RETURN_IF_FAILED(m_pTransformFilter->CheckConnect(PINDIR_INPUT, pPin));
  return CBaseInputPin::CheckConnect(pPin);
}

HRESULT CTransformInputPin::BreakConnect() {
  m_pTransformFilter->BreakConnect(PINDIR_INPUT);
  return CBaseInputPin::BreakConnect();
}

HRESULT CTransformInputPin::CompleteConnect(IPin* pReceivePin) {
  RETURN_IF_FAILED(m_pTransformFilter->CompleteConnect(PINDIR_INPUT, pReceivePin));
  return CBaseInputPin::CompleteConnect(pReceivePin);
}
