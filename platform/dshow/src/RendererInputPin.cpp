#include "RendererInputPin.h"

#include "BaseRenderer.h"
#include "HrCheck.h"

CRendererInputPin::CRendererInputPin(CBaseRenderer* pRenderer, HRESULT* phr, LPCWSTR pPinName)
    : CBaseInputPin(TEXT("Renderer pin"), pRenderer, pRenderer->InterfaceLock(), phr, pPinName),
      m_pRenderer(pRenderer) {}

STDMETHODIMP CRendererInputPin::Receive(IMediaSample* pSample) {
  HRESULT hr = CBaseInputPin::Receive(pSample);
  if (hr != S_OK) return hr;
  return m_pRenderer->Receive(pSample);
}

STDMETHODIMP CRendererInputPin::EndOfStream() {
  HRESULT hr = CheckStreaming();
  if (hr != S_OK) return hr;
  return m_pRenderer->EndOfStream();
}

STDMETHODIMP CRendererInputPin::BeginFlush() {
  CBaseInputPin::BeginFlush();
  return m_pRenderer->BeginFlush();
}

STDMETHODIMP CRendererInputPin::EndFlush() {
  HRESULT hr = m_pRenderer->EndFlush();
  CBaseInputPin::EndFlush();
  return hr;
}

HRESULT CRendererInputPin::CheckMediaType(const CMediaType* pmt) { return m_pRenderer->CheckMediaType(pmt); }

HRESULT CRendererInputPin::SetMediaType(const CMediaType* pmt) {
  RETURN_IF_FAILED(CBaseInputPin::SetMediaType(pmt));
  return m_pRenderer->SetMediaType(pmt);
}

HRESULT CRendererInputPin::BreakConnect() {
  m_pRenderer->BreakConnect();
  return CBaseInputPin::BreakConnect();
}

HRESULT CRendererInputPin::CompleteConnect(IPin* pReceivePin) {
  RETURN_IF_FAILED(m_pRenderer->CompleteConnect(pReceivePin));
  return CBaseInputPin::CompleteConnect(pReceivePin);
}
