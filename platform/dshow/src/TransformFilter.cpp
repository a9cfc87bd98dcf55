#include "TransformFilter.h"

#include "AutoLock.h"
#include "HrCheck.h"

CTransformFilter::CTransformFilter(LPCTSTR pName, LPUNKNOWN pUnk, REFCLSID clsid, HRESULT* phr)
    : CBaseFilter(pName, pUnk, &m_csFilter, clsid, phr), m_bEOSDelivered(FALSE), m_pInput(nullptr), m_pOutput(nullptr) {
  m_pInput = new (std::nothrow) CTransformInputPin(TEXT("Transform input pin"), this, phr, L"XForm In");
  m_pOutput = new (std::nothrow) CTransformOutputPin(TEXT("Transform output pin"), this, phr, L"XForm Out");
  if ((!m_pInput || !m_pOutput) && phr) *phr = E_OUTOFMEMORY;
}

CTransformFilter::~CTransformFilter() {
  delete m_pInput;
  delete m_pOutput;
}

CBasePin* CTransformFilter::GetPin(int n) {
  if (n == 0) return m_pInput;
  if (n == 1) return m_pOutput;
  return nullptr;
}

STDMETHODIMP CTransformFilter::Stop() {
  CAutoLock lock(&m_csFilter);
  if (m_State == State_Stopped) return S_OK;
  if (!m_pInput->IsConnected() || !m_pOutput->IsConnected()) {
    m_State = State_Stopped;
    m_bEOSDelivered = FALSE;
    return S_OK;
  }
  // Decommit the input first so that Receive ends, then wait for it.
  m_pInput->Inactive();
  CAutoLock rlock(&m_csReceive);
  m_pOutput->Inactive();
  HRESULT hr = CHECK_HR(StopStreaming());
  m_State = State_Stopped;
  m_bEOSDelivered = FALSE;
  return hr;
}

STDMETHODIMP CTransformFilter::Pause() {
  CAutoLock lock(&m_csFilter);
  if (m_State == State_Stopped && m_pInput->IsConnected() && m_pOutput->IsConnected())
    RETURN_IF_FAILED(StartStreaming());
  if (m_State == State_Stopped && m_pInput->IsConnected() && !m_pOutput->IsConnected()) {
    // Nothing downstream: the stream ends here.
    m_State = State_Paused;
    return EndOfStream();
  }
  return CBaseFilter::Pause();
}

HRESULT CTransformFilter::InitializeOutputSample(IMediaSample* pSample, IMediaSample** ppOutSample) {
  *ppOutSample = nullptr;
  ComPtr<IMediaSample> out;
  RETURN_IF_FAILED(m_pOutput->GetDeliveryBuffer(out.Put(), nullptr, nullptr, 0));
  REFERENCE_TIME tStart, tStop;
  HRESULT hrTime = pSample->GetTime(&tStart, &tStop);
  if (hrTime == S_OK)
    out->SetTime(&tStart, &tStop);
  else if (hrTime == VFW_S_NO_STOP_TIME)
    out->SetTime(&tStart, nullptr);
  else
    out->SetTime(nullptr, nullptr);
  out->SetSyncPoint(pSample->IsSyncPoint() == S_OK);
  out->SetDiscontinuity(pSample->IsDiscontinuity() == S_OK);
  out->SetPreroll(pSample->IsPreroll() == S_OK);
  *ppOutSample = out.Detach();
  return S_OK;
}

HRESULT CTransformFilter::Receive(IMediaSample* pSample) {
  CAutoLock rlock(&m_csReceive);
  if (!m_pOutput->IsConnected()) return S_OK;
  ComPtr<IMediaSample> out;
  RETURN_IF_FAILED(InitializeOutputSample(pSample, out.Put()));
  const HRESULT hr = CHECK_HR(Transform(pSample, out.Get()));
  if (hr == S_OK) return m_pOutput->Deliver(out.Get());
  if (hr == S_FALSE) return S_OK;  // the transform chose to drop this sample
  m_pOutput->DeliverEndOfStream();
  NotifyEvent(EC_ERRORABORT, hr, 0);
  return hr;
}

HRESULT CTransformFilter::EndOfStream() {
  if (!m_pOutput->IsConnected()) return S_OK;
  m_bEOSDelivered = TRUE;
  return m_pOutput->DeliverEndOfStream();
}

HRESULT CTransformFilter::BeginFlush() {
  if (!m_pOutput->IsConnected()) return S_OK;
  return m_pOutput->DeliverBeginFlush();
}

HRESULT CTransformFilter::EndFlush() {
  if (!m_pOutput->IsConnected()) return S_OK;
  m_bEOSDelivered = FALSE;
  return m_pOutput->DeliverEndFlush();
}

HRESULT CTransformFilter::NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) {
  if (!m_pOutput->IsConnected()) return S_OK;
  return m_pOutput->DeliverNewSegment(tStart, tStop, dRate);
}
