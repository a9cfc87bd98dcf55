#include "BaseRenderer.h"

#include "AutoLock.h"
#include "HrCheck.h"

CBaseRenderer::CBaseRenderer(REFCLSID RenderClass, LPCTSTR pName, LPUNKNOWN pUnk, HRESULT* phr)
    : CBaseFilter(pName, pUnk, &m_InterfaceLock, RenderClass, phr),
      m_pInputPin(nullptr),
      m_evStateChange(TRUE),
      m_evAbort(TRUE),
      m_bEOS(FALSE),
      m_bEOSDelivered(FALSE) {
  m_pInputPin = new (std::nothrow) CRendererInputPin(this, phr, L"In");
  if (!m_pInputPin && phr) *phr = E_OUTOFMEMORY;
}

CBaseRenderer::~CBaseRenderer() { delete m_pInputPin; }

STDMETHODIMP CBaseRenderer::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_IAMFilterMiscFlags)) return GetInterface(static_cast<IAMFilterMiscFlags*>(this), ppv);
  return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

CBasePin* CBaseRenderer::GetPin(int n) { return n == 0 ? m_pInputPin : nullptr; }

STDMETHODIMP CBaseRenderer::Stop() {
  CAutoLock lock(&m_InterfaceLock);
  if (m_State == State_Stopped) return S_OK;
  HRESULT hr = CBaseFilter::Stop();
  {
    CAutoLock rlock(&m_RendererLock);
    m_bEOS = FALSE;
    m_bEOSDelivered = FALSE;
  }
  m_evStateChange.Set();  // releases a sample waiting in Receive
  m_evAbort.Set();
  OnStopStreaming();
  return hr;
}

STDMETHODIMP CBaseRenderer::Pause() {
  CAutoLock lock(&m_InterfaceLock);
  FILTER_STATE old = m_State;
  RETURN_IF_FAILED(CBaseFilter::Pause());
  m_evStateChange.Reset();
  if (old == State_Stopped) {
    m_evAbort.Reset();
    OnStartStreaming();
  }
  return S_OK;
}

STDMETHODIMP CBaseRenderer::Run(REFERENCE_TIME tStart) {
  CAutoLock lock(&m_InterfaceLock);
  FILTER_STATE old = m_State;
  RETURN_IF_FAILED(CBaseFilter::Run(tStart));
  if (old == State_Stopped) {
    m_evAbort.Reset();
    OnStartStreaming();
  }
  m_evStateChange.Set();
  CAutoLock rlock(&m_RendererLock);
  if (m_bEOS && !m_bEOSDelivered) SendEndOfStream();
  return S_OK;
}

void CBaseRenderer::SendEndOfStream() {
  m_bEOSDelivered = TRUE;
  NotifyEvent(EC_COMPLETE, S_OK, 0);
}

BOOL CBaseRenderer::WaitForRenderTime(IMediaSample* pMediaSample) {
  REFERENCE_TIME tStart, tStop;
  ComPtr<IReferenceClock> clock;
  GetSyncSource(clock.Put());
  if (!clock) return TRUE;
  BOOL result = TRUE;
  REFERENCE_TIME now = 0;
  if (SUCCEEDED(pMediaSample->GetTime(&tStart, &tStop)) && SUCCEEDED(CHECK_HR(clock->GetTime(&now))) &&
      m_tStart + tStart > now) {
    CAMEvent evDue;
    const HEVENT hDue = reinterpret_cast<HEVENT>(static_cast<HANDLE>(evDue));
    DWORD_PTR cookie = 0;
    if (SUCCEEDED(CHECK_HR(clock->AdviseTime(m_tStart, tStart, hDue, &cookie)))) {
      // Bounded by the due time plus a margin, in case the clock stalls.
      DWORD ms = static_cast<DWORD>((m_tStart + tStart - now) / 10000) + 1000;
      HANDLE waits[2] = {evDue, m_evAbort};
      if (WaitForMultipleObjects(2, waits, FALSE, ms) == WAIT_OBJECT_0 + 1) result = FALSE;
      clock->Unadvise(cookie);
    }
  }
  return result;
}

HRESULT CBaseRenderer::Receive(IMediaSample* pMediaSample) {
  // A paused renderer holds the sample until it runs.
  for (;;) {
    if (m_State == State_Stopped) return VFW_E_WRONG_STATE;
    if (m_pInputPin->IsFlushing()) return S_FALSE;
    if (m_State == State_Running) break;
    WaitForSingleObject(m_evStateChange, 100);
  }
  if (!WaitForRenderTime(pMediaSample)) return S_FALSE;
  return DoRenderSample(pMediaSample);
}

HRESULT CBaseRenderer::EndOfStream() {
  CAutoLock rlock(&m_RendererLock);
  if (m_bEOS) return S_OK;
  m_bEOS = TRUE;
  if (m_State == State_Running) SendEndOfStream();
  return S_OK;
}

HRESULT CBaseRenderer::BeginFlush() {
  m_evStateChange.Set();
  m_evAbort.Set();
  return S_OK;
}

HRESULT CBaseRenderer::EndFlush() {
  CAutoLock rlock(&m_RendererLock);
  m_bEOS = FALSE;
  m_bEOSDelivered = FALSE;
  if (m_State != State_Stopped) m_evAbort.Reset();
  if (m_State == State_Paused) m_evStateChange.Reset();
  return S_OK;
}
