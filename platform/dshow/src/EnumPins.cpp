#include "EnumPins.h"

#include "BaseFilter.h"
#include "BasePin.h"

CEnumPins::CEnumPins(CBaseFilter* pFilter, CEnumPins* pEnumPins)
    : m_Position(0), m_PinCount(0), m_pFilter(pFilter), m_Version(0), m_cRef(1) {
    if (pEnumPins) {
        m_Position = pEnumPins->m_Position;
        m_PinCount = pEnumPins->m_PinCount;
        m_Version = pEnumPins->m_Version;
    } else {
        m_PinCount = pFilter->GetPinCount();
        m_Version = pFilter->GetPinVersion();
    }
    m_pFilter->AddRef();
}

CEnumPins::~CEnumPins() { m_pFilter->Release(); }

STDMETHODIMP CEnumPins::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IEnumPins) || IsEqualIID(riid, IID_IUnknown)) {
        *ppv = static_cast<IEnumPins*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CEnumPins::AddRef() { return InterlockedIncrement(&m_cRef); }

STDMETHODIMP_(ULONG) CEnumPins::Release() {
    LONG c = InterlockedDecrement(&m_cRef);
    if (c == 0) delete this;
    return c;
}

BOOL CEnumPins::AreWeOutOfSync() { return m_pFilter->GetPinVersion() != m_Version; }

STDMETHODIMP CEnumPins::Next(ULONG cPins, IPin** ppPins, ULONG* pcFetched) {
    if (!ppPins) return E_POINTER;
    if (pcFetched) *pcFetched = 0;
    else if (cPins > 1) return E_INVALIDARG;
    if (AreWeOutOfSync()) return VFW_E_ENUM_OUT_OF_SYNC;
    ULONG fetched = 0;
    while (fetched < cPins && m_Position < m_PinCount) {
        CBasePin* pPin = m_pFilter->GetPin(m_Position++);
        if (!pPin) break;
        ppPins[fetched] = pPin;
        pPin->AddRef();
        fetched++;
    }
    if (pcFetched) *pcFetched = fetched;
    return fetched == cPins ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumPins::Skip(ULONG cPins) {
    if (AreWeOutOfSync()) return VFW_E_ENUM_OUT_OF_SYNC;
    ULONG left = static_cast<ULONG>(m_PinCount - m_Position);
    if (cPins > left) return S_FALSE;
    m_Position += cPins;
    return S_OK;
}

STDMETHODIMP CEnumPins::Reset() {
    m_Version = m_pFilter->GetPinVersion();
    m_PinCount = m_pFilter->GetPinCount();
    m_Position = 0;
    return S_OK;
}

STDMETHODIMP CEnumPins::Clone(IEnumPins** ppEnum) {
    if (!ppEnum) return E_POINTER;
    if (AreWeOutOfSync()) return VFW_E_ENUM_OUT_OF_SYNC;
    *ppEnum = new (std::nothrow) CEnumPins(m_pFilter, this);
    return *ppEnum ? S_OK : E_OUTOFMEMORY;
}
