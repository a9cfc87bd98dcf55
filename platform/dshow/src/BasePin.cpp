#include "BasePin.h"

#include "AutoLock.h"
#include "BaseFilter.h"
#include "EnumMediaTypes.h"
#include "HrCheck.h"

#include <cwchar>

HRESULT AMGetWideString(LPCWSTR psz, LPWSTR* ppszReturn) {
  if (!ppszReturn) return E_POINTER;
  size_t n = (wcslen(psz) + 1) * sizeof(WCHAR);
  *ppszReturn = static_cast<LPWSTR>(CoTaskMemAlloc(n));
  if (!*ppszReturn) return E_OUTOFMEMORY;
  memcpy(*ppszReturn, psz, n);
  return S_OK;
}

CBasePin::CBasePin(LPCTSTR pObjectName, CBaseFilter* pFilter, CCritSec* pLock, HRESULT*, LPCWSTR pName,
                   PIN_DIRECTION dir)
    : CUnknown(pObjectName, nullptr),
      m_pName(nullptr),
      m_dir(dir),
      m_pLock(pLock),
      m_bRunTimeError(FALSE),
      m_bCanReconnectWhenActive(FALSE),
      m_bTryMyTypesFirst(FALSE),
      m_pFilter(pFilter),
      m_pQSink(nullptr),
      m_TypeVersion(1),
      m_tStart(0),
      m_tStop(0x7FFFFFFFFFFFFFFFLL),
      m_dRate(1.0) {
  if (pName) {
    size_t n = wcslen(pName) + 1;
    m_pName = new (std::nothrow) WCHAR[n];
    if (m_pName) wmemcpy(m_pName, pName, n);
  }
}

CBasePin::~CBasePin() { delete[] m_pName; }

STDMETHODIMP CBasePin::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_IPin)) return GetInterface(static_cast<IPin*>(this), ppv);
  if (IsEqualIID(riid, IID_IQualityControl)) return GetInterface(static_cast<IQualityControl*>(this), ppv);
  return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) CBasePin::NonDelegatingAddRef() { return m_pFilter->AddRef(); }

STDMETHODIMP_(ULONG) CBasePin::NonDelegatingRelease() { return m_pFilter->Release(); }

BOOL CBasePin::IsStopped() { return m_pFilter->IsStopped(); }

STDMETHODIMP CBasePin::Connect(IPin* pReceivePin, const AM_MEDIA_TYPE* pmt) {
  if (!pReceivePin) return E_POINTER;
  CAutoLock lock(m_pLock);
  if (m_Connected) return VFW_E_ALREADY_CONNECTED;
  if (!IsStopped() && !m_bCanReconnectWhenActive) return VFW_E_NOT_STOPPED;
  CMediaType partial;
  if (pmt) partial = *pmt;
  RETURN_IF_FAILED(AgreeMediaType(pReceivePin, &partial));
  return S_OK;
}

HRESULT CBasePin::AttemptConnection(IPin* pReceivePin, const CMediaType* pmt) {
  HRESULT hr = CheckConnect(pReceivePin);
  if (FAILED(hr)) {
    BreakConnect();
    return hr;
  }
  hr = CheckMediaType(pmt);
  if (hr != S_OK) {
    BreakConnect();
    return SUCCEEDED(hr) ? VFW_E_TYPE_NOT_ACCEPTED : hr;
  }
  m_Connected.Share(pReceivePin);
  hr = CHECK_HR(SetMediaType(pmt));
  if (SUCCEEDED(hr)) {
    hr = pReceivePin->ReceiveConnection(static_cast<IPin*>(this), pmt);
    if (SUCCEEDED(hr)) {
      hr = CHECK_HR(CompleteConnect(pReceivePin));
      if (SUCCEEDED(hr)) return hr;
      pReceivePin->Disconnect();
    }
  }
  if (SUCCEEDED(hr) || hr == E_FAIL || hr == E_INVALIDARG) hr = VFW_E_TYPE_NOT_ACCEPTED;
  BreakConnect();
  m_Connected.Reset();
  m_mt.InitMediaType();
  return hr;
}

HRESULT CBasePin::TryMediaTypes(IPin* pReceivePin, const CMediaType* pmt, IEnumMediaTypes* pEnum) {
  RETURN_IF_FAILED(pEnum->Reset());
  HRESULT hrFailure = VFW_E_NO_ACCEPTABLE_TYPES;
  for (;;) {
    AM_MEDIA_TYPE* pMediaType = nullptr;
    ULONG ulFetched = 0;
    HRESULT hr = pEnum->Next(1, &pMediaType, &ulFetched);
    if (hr != S_OK || ulFetched != 1) return hrFailure;
    CMediaType candidate(*pMediaType);
    DeleteMediaType(pMediaType);
    if (pmt && !candidate.MatchesPartial(pmt)) continue;
    hr = AttemptConnection(pReceivePin, &candidate);
    if (SUCCEEDED(hr)) return hr;
    if (hr != E_FAIL && hr != E_INVALIDARG && hr != VFW_E_TYPE_NOT_ACCEPTED) hrFailure = hr;
  }
}

HRESULT CBasePin::AgreeMediaType(IPin* pReceivePin, const CMediaType* pmt) {
  if (pmt && !pmt->IsPartiallySpecified()) return AttemptConnection(pReceivePin, pmt);

  HRESULT hrFailure = VFW_E_NO_ACCEPTABLE_TYPES;
  for (int i = 0; i < 2; i++) {
    // Downstream's types first unless this pin prefers its own.
    BOOL mine = (i == 0) == (m_bTryMyTypesFirst != FALSE);
    ComPtr<IEnumMediaTypes> types;
    HRESULT hr = mine ? EnumMediaTypes(types.Put()) : pReceivePin->EnumMediaTypes(types.Put());
    if (SUCCEEDED(hr) && types) {
      hr = TryMediaTypes(pReceivePin, pmt, types.Get());
      if (SUCCEEDED(hr)) return S_OK;
      if (hr != E_FAIL && hr != E_INVALIDARG && hr != VFW_E_TYPE_NOT_ACCEPTED && hr != VFW_E_NO_ACCEPTABLE_TYPES)
        hrFailure = hr;
    }
  }
  return hrFailure;
}

STDMETHODIMP CBasePin::ReceiveConnection(IPin* pConnector, const AM_MEDIA_TYPE* pmt) {
  if (!pConnector || !pmt) return E_POINTER;
  CAutoLock lock(m_pLock);
  if (m_Connected) return VFW_E_ALREADY_CONNECTED;
  if (!IsStopped() && !m_bCanReconnectWhenActive) return VFW_E_NOT_STOPPED;
  HRESULT hr = CheckConnect(pConnector);
  if (FAILED(hr)) {
    BreakConnect();
    return hr;
  }
  CMediaType mt(*pmt);
  hr = CheckMediaType(&mt);
  if (hr != S_OK) {
    BreakConnect();
    return SUCCEEDED(hr) || hr == E_FAIL || hr == E_INVALIDARG ? VFW_E_TYPE_NOT_ACCEPTED : hr;
  }
  m_Connected.Share(pConnector);
  hr = CHECK_HR(SetMediaType(&mt));
  if (SUCCEEDED(hr)) {
    hr = CHECK_HR(CompleteConnect(pConnector));
    if (SUCCEEDED(hr)) return S_OK;
  }
  BreakConnect();
  m_Connected.Reset();
  m_mt.InitMediaType();
  return hr;
}

STDMETHODIMP CBasePin::Disconnect() {
  CAutoLock lock(m_pLock);
  if (!IsStopped()) return VFW_E_NOT_STOPPED;
  return DisconnectInternal();
}

HRESULT CBasePin::DisconnectInternal() {
  if (!m_Connected) return S_FALSE;
  RETURN_IF_FAILED(BreakConnect());
  m_Connected.Reset();
  FreeMediaType(m_mt);
  m_mt.InitMediaType();
  return S_OK;
}

STDMETHODIMP CBasePin::ConnectedTo(IPin** pPin) {
  if (!pPin) return E_POINTER;
  m_Connected.CopyTo(pPin);
  return m_Connected ? S_OK : VFW_E_NOT_CONNECTED;
}

STDMETHODIMP CBasePin::ConnectionMediaType(AM_MEDIA_TYPE* pmt) {
  if (!pmt) return E_POINTER;
  CAutoLock lock(m_pLock);
  if (!m_Connected) {
    memset(pmt, 0, sizeof(*pmt));
    return VFW_E_NOT_CONNECTED;
  }
  return CopyMediaType(pmt, &m_mt);
}

STDMETHODIMP CBasePin::QueryPinInfo(PIN_INFO* pInfo) {
  if (!pInfo) return E_POINTER;
  pInfo->pFilter = m_pFilter;
  if (m_pFilter) m_pFilter->AddRef();
  if (m_pName)
    lstrcpynW(pInfo->achName, m_pName, MAX_PIN_NAME);
  else
    pInfo->achName[0] = L'\0';
  pInfo->dir = m_dir;
  return S_OK;
}

STDMETHODIMP CBasePin::QueryDirection(PIN_DIRECTION* pPinDir) {
  if (!pPinDir) return E_POINTER;
  *pPinDir = m_dir;
  return S_OK;
}

STDMETHODIMP CBasePin::QueryId(LPWSTR* Id) { return AMGetWideString(m_pName ? m_pName : L"", Id); }

STDMETHODIMP CBasePin::QueryAccept(const AM_MEDIA_TYPE* pmt) {
  if (!pmt) return E_POINTER;
  CMediaType mt(*pmt);
  HRESULT hr = CheckMediaType(&mt);
  return SUCCEEDED(hr) && hr == S_OK ? S_OK : S_FALSE;
}

STDMETHODIMP CBasePin::EnumMediaTypes(IEnumMediaTypes** ppEnum) {
  if (!ppEnum) return E_POINTER;
  *ppEnum = new (std::nothrow) CEnumMediaTypes(this, nullptr);
  return *ppEnum ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CBasePin::QueryInternalConnections(IPin**, ULONG*) { return E_NOTIMPL; }

STDMETHODIMP CBasePin::EndOfStream() { return S_OK; }

STDMETHODIMP CBasePin::NewSegment(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) {
  m_tStart = tStart;
  m_tStop = tStop;
  m_dRate = dRate;
  return S_OK;
}

STDMETHODIMP CBasePin::Notify(IBaseFilter*, Quality) { return E_NOTIMPL; }

STDMETHODIMP CBasePin::SetSink(IQualityControl* piqc) {
  CAutoLock lock(m_pLock);
  m_pQSink = piqc;  // not ref-counted: the sink outlives the connection
  return S_OK;
}

HRESULT CBasePin::SetMediaType(const CMediaType* pmt) { return m_mt.Set(*pmt); }

HRESULT CBasePin::GetMediaType(int, CMediaType*) { return E_UNEXPECTED; }

HRESULT CBasePin::CheckConnect(IPin* pPin) {
  PIN_DIRECTION pd;
  RETURN_IF_FAILED(pPin->QueryDirection(&pd));
  return pd == m_dir ? VFW_E_INVALID_DIRECTION : S_OK;
}
