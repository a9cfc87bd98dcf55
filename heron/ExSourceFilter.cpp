#include "ExSourceFilter.h"

std::atomic<DWORD> CExSourceFilter::s_dwFirstPts{0};

CUnknown* WINAPI CExSourceFilter::CreateInstance(LPUNKNOWN pUnk, HRESULT* phr) {
  return CreateComObject<CExSourceFilter>(pUnk, phr);
}

CExSourceFilter::CExSourceFilter(LPUNKNOWN pUnk, HRESULT* phr)
    : CSource(TEXT("Quillon Professional Ex Source"), pUnk, CLSID_ExSourceFilter, phr),
      m_pVideoPin(nullptr),
      m_pAudioPin(nullptr) {
  m_pVideoPin = new (std::nothrow) CExVideoPin(phr, this);
  if (m_pVideoPin) m_pAudioPin = new (std::nothrow) CExAudioPin(phr, this);
  if ((!m_pVideoPin || !m_pAudioPin) && phr) *phr = E_OUTOFMEMORY;
}

CExSourceFilter::~CExSourceFilter() {
  delete m_pVideoPin;
  delete m_pAudioPin;
}

STDMETHODIMP CExSourceFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_ISourceFeed)) return GetInterface(static_cast<ISourceFeed*>(this), ppv);
  return CSource::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CExSourceFilter::DeliverVideo(BYTE* pPacket, LONG lLength) {
  m_pVideoPin->Push(pPacket, lLength);
  return S_OK;
}

STDMETHODIMP CExSourceFilter::DeliverAudio(BYTE* pPacket, LONG lLength) {
  m_pAudioPin->Push(pPacket, lLength);
  return S_OK;
}

STDMETHODIMP CExSourceFilter::Reset(BOOL bAC3, BOOL bH264, DWORD) {
  m_pVideoPin->ResetStream(bH264);
  m_pAudioPin->ResetStream(bAC3, bH264);
  return S_OK;
}

STDMETHODIMP CExSourceFilter::Stop() {
  Reset(m_pAudioPin->IsAC3(), FALSE, 0);
  return CSource::Stop();
}
