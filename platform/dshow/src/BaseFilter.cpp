#include "BaseFilter.h"

#include "AutoLock.h"
#include "BasePin.h"
#include "EnumPins.h"
#include "HrCheck.h"

#include <cwchar>
#include <uuids.h>

namespace {
WCHAR* CopyName(LPCWSTR pName) {
  if (!pName) return nullptr;
  size_t n = wcslen(pName) + 1;
  WCHAR* p = new (std::nothrow) WCHAR[n];
  if (p) wmemcpy(p, pName, n);
  return p;
}

// The system's filter mapper, which keeps the registered filters.
HRESULT CreateFilterMapper(IFilterMapper2** ppMapper) {
  return CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                          reinterpret_cast<void**>(ppMapper));
}
}  // namespace

CBaseFilter::CBaseFilter(LPCTSTR pName, LPUNKNOWN pUnk, CCritSec* pLock, REFCLSID clsid, HRESULT*)
    : CUnknown(pName, pUnk),
      m_State(State_Stopped),
      m_tStart(0),
      m_clsid(clsid),
      m_pLock(pLock),
      m_pName(nullptr),
      m_pGraph(nullptr),
      m_pSink(nullptr),
      m_PinVersion(1) {}

CBaseFilter::~CBaseFilter() { delete[] m_pName; }

STDMETHODIMP CBaseFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_IBaseFilter) || IsEqualIID(riid, IID_IMediaFilter) || IsEqualIID(riid, IID_IPersist))
    return GetInterface(static_cast<IBaseFilter*>(this), ppv);
  if (IsEqualIID(riid, IID_IAMovieSetup)) return GetInterface(static_cast<IAMovieSetup*>(this), ppv);
  return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CBaseFilter::GetClassID(CLSID* pClsID) {
  if (!pClsID) return E_POINTER;
  *pClsID = m_clsid;
  return S_OK;
}

STDMETHODIMP CBaseFilter::GetState(DWORD, FILTER_STATE* State) {
  if (!State) return E_POINTER;
  *State = m_State;
  return S_OK;
}

STDMETHODIMP CBaseFilter::SetSyncSource(IReferenceClock* pClock) {
  CAutoLock lock(m_pLock);
  m_pClock.Share(pClock);
  return S_OK;
}

STDMETHODIMP CBaseFilter::GetSyncSource(IReferenceClock** pClock) {
  if (!pClock) return E_POINTER;
  CAutoLock lock(m_pLock);
  m_pClock.CopyTo(pClock);
  return S_OK;
}

STDMETHODIMP CBaseFilter::Stop() {
  CAutoLock lock(m_pLock);
  HRESULT hrResult = S_OK;
  if (m_State != State_Stopped) {
    for (int c = 0; c < GetPinCount(); c++) {
      CBasePin* pPin = GetPin(c);
      if (pPin && pPin->IsConnected()) {
        // Every pin is stopped; the first failure is the answer.
        HRESULT hr = CHECK_HR(pPin->Inactive());
        if (FAILED(hr) && SUCCEEDED(hrResult)) hrResult = hr;
      }
    }
  }
  m_State = State_Stopped;
  return hrResult;
}

STDMETHODIMP CBaseFilter::Pause() {
  CAutoLock lock(m_pLock);
  if (m_State == State_Stopped) {
    for (int c = 0; c < GetPinCount(); c++) {
      CBasePin* pPin = GetPin(c);
      if (pPin && pPin->IsConnected()) RETURN_IF_FAILED(pPin->Active());
    }
  }
  m_State = State_Paused;
  return S_OK;
}

STDMETHODIMP CBaseFilter::Run(REFERENCE_TIME tStart) {
  CAutoLock lock(m_pLock);
  m_tStart = tStart;
  if (m_State == State_Stopped) RETURN_IF_FAILED(Pause());
  if (m_State != State_Running) {
    for (int c = 0; c < GetPinCount(); c++) {
      CBasePin* pPin = GetPin(c);
      if (pPin && pPin->IsConnected()) RETURN_IF_FAILED(pPin->Run(tStart));
    }
  }
  m_State = State_Running;
  return S_OK;
}

STDMETHODIMP CBaseFilter::EnumPins(IEnumPins** ppEnum) {
  if (!ppEnum) return E_POINTER;
  *ppEnum = new (std::nothrow) CEnumPins(this, nullptr);
  return *ppEnum ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CBaseFilter::FindPin(LPCWSTR Id, IPin** ppPin) {
  if (!Id || !ppPin) return E_POINTER;
  CAutoLock lock(m_pLock);
  for (int i = 0; i < GetPinCount(); i++) {
    CBasePin* pPin = GetPin(i);
    if (pPin && pPin->Name() && wcscmp(pPin->Name(), Id) == 0) {
      *ppPin = pPin;
      pPin->AddRef();
      return S_OK;
    }
  }
  *ppPin = nullptr;
  return VFW_E_NOT_FOUND;
}

STDMETHODIMP CBaseFilter::QueryFilterInfo(FILTER_INFO* pInfo) {
  if (!pInfo) return E_POINTER;
  if (m_pName) {
    lstrcpynW(pInfo->achName, m_pName, MAX_FILTER_NAME);
  } else {
    pInfo->achName[0] = L'\0';
  }
  pInfo->pGraph = m_pGraph;
  if (m_pGraph) m_pGraph->AddRef();
  return S_OK;
}

STDMETHODIMP CBaseFilter::JoinFilterGraph(IFilterGraph* pGraph, LPCWSTR pName) {
  CAutoLock lock(m_pLock);
  m_pGraph = pGraph;
  m_pSink = nullptr;
  if (m_pGraph) {
    // Kept without a reference, as the graph holds the filter.
    ComPtr<IMediaEventSink> sink;
    if (SUCCEEDED(m_pGraph->QueryInterface(IID_IMediaEventSink, sink.PutVoid()))) m_pSink = sink.Get();
  }
  delete[] m_pName;
  m_pName = CopyName(pName);
  return S_OK;
}

STDMETHODIMP CBaseFilter::QueryVendorInfo(LPWSTR*) { return E_NOTIMPL; }

STDMETHODIMP CBaseFilter::Register() {
  const AMOVIESETUP_FILTER* psetup = GetSetupData();
  if (!psetup) return S_FALSE;
  ComPtr<IFilterMapper2> mapper;
  RETURN_IF_FAILED(CreateFilterMapper(mapper.Put()));
  REGFILTER2 rf2 = {};
  rf2.dwVersion = 1;
  rf2.dwMerit = psetup->dwMerit;
  rf2.cPins = psetup->nPins;
  rf2.rgPins = psetup->lpPin;
  return CHECK_HR(
      mapper->RegisterFilter(*psetup->clsID, psetup->strName, nullptr, &CLSID_LegacyAmFilterCategory, nullptr, &rf2));
}

STDMETHODIMP CBaseFilter::Unregister() {
  const AMOVIESETUP_FILTER* psetup = GetSetupData();
  if (!psetup) return S_FALSE;
  ComPtr<IFilterMapper2> mapper;
  RETURN_IF_FAILED(CreateFilterMapper(mapper.Put()));
  return CHECK_HR(mapper->UnregisterFilter(&CLSID_LegacyAmFilterCategory, nullptr, *psetup->clsID));
}

BOOL CBaseFilter::IsActive() {
  CAutoLock lock(m_pLock);
  return m_State != State_Stopped;
}

BOOL CBaseFilter::IsStopped() { return m_State == State_Stopped; }

HRESULT CBaseFilter::StreamTime(REFERENCE_TIME& rtStream) {
  if (!m_pClock) return VFW_E_NO_CLOCK;
  RETURN_IF_FAILED(m_pClock->GetTime(&rtStream));
  rtStream -= m_tStart;
  return S_OK;
}

HRESULT CBaseFilter::NotifyEvent(long EventCode, LONG_PTR EventParam1, LONG_PTR EventParam2) {
  IMediaEventSink* pSink = m_pSink;
  if (!pSink) return E_NOTIMPL;
  // The graph expects the sender of completion events.
  if (EventCode == EC_COMPLETE) EventParam2 = reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this));
  return pSink->Notify(EventCode, EventParam1, EventParam2);
}
